#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

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

} // namespace amb::windows
