#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <initializer_list>

namespace amb::windows {

// A control of a window, created with its object name (the name tests and trace lines know it by).
template <class Control> Control* NamedControl(QWidget* parent, const char* name) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A label that shows its text as plain text, with the control it names as its buddy, so the
// control's accessible name is the label's text.
inline QLabel* NamedLabel(QWidget* parent, const char* name, QWidget* buddy = nullptr) {
    auto* label = NamedControl<QLabel>(parent, name);
    label->setTextFormat(Qt::PlainText);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

// The window's command buttons at the bottom right.
inline QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 0, 16, 12);
    row->addStretch(1);
    for (QPushButton* button : buttons) {
        button->setMinimumWidth(88);
        row->addWidget(button);
    }
    return row;
}

} // namespace amb::windows
