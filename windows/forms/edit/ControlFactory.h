#pragma once

// The plain controls of the administration windows, each named after its control so tests and
// trace lines find it.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <initializer_list>
#include <utility>

class QDialog;
class QGridLayout;
class QLayout;

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

// Label and control pairs in two columns, each label its control's buddy.
QGridLayout* FieldGrid(std::initializer_list<std::pair<QLabel*, QWidget*>> rows);

// The small editing windows' layout: the heading on top, the body below it, then the buttons at the
// right; the window keeps the size its contents need.
void StandardLayout(QDialog* dialog, QWidget* heading, QLayout* body, std::initializer_list<QPushButton*> buttons);

} // namespace amb::windows::controls
