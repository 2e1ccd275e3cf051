#pragma once

// The plain controls of the administration windows, each named after its control so tests and
// trace lines find it.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace amb::windows::controls {

inline QLabel* Label(QWidget* parent, const char* name, QWidget* buddy = nullptr) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

inline QLineEdit* TextBox(QWidget* parent, const char* name, bool password = false) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumWidth(220);
    if (password)
        box->setEchoMode(QLineEdit::Password);
    return box;
}

inline QPushButton* Button(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(88);
    return button;
}

inline QCheckBox* CheckBox(QWidget* parent, const char* name) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace amb::windows::controls
