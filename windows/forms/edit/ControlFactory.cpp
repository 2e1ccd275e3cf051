#include "windows/forms/edit/ControlFactory.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace amb::windows::controls {

QGridLayout* FieldGrid(std::initializer_list<std::pair<QLabel*, QWidget*>> rows) {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const auto& [label, control] : rows) {
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

void StandardLayout(QDialog* dialog, QWidget* heading, QLayout* body, std::initializer_list<QPushButton*> buttons) {
    body->setContentsMargins(16, 12, 16, 0);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 0, 16, 12);
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addLayout(body);
    layout->addStretch(1);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace amb::windows::controls
