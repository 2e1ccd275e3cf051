#pragma once

// Small makers for the controls of a hand-built window: each control carries its object name, and
// a label names its control for assistive technology by being its buddy.

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QString>
#include <QTreeWidget>
#include <QWidget>

namespace amb::windows {

template <class T> T* MakeControl(QWidget* parent, const char* name) {
    auto* control = new T(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

inline QLabel* MakeBuddyLabel(QWidget* parent, const char* name, QWidget* buddy) {
    auto* label = MakeControl<QLabel>(parent, name);
    label->setTextFormat(Qt::PlainText);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

// A drop-down list: no typed text.
inline QComboBox* MakeDropDownList(QWidget* parent, const char* name) {
    auto* box = MakeControl<QComboBox>(parent, name);
    box->setEditable(false);
    box->setMinimumWidth(160);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

// A list view in report style: one row a line, whole rows selected, one at a time, not sorted.
inline QTreeWidget* MakeReportList(QWidget* parent, const char* name) {
    auto* list = MakeControl<QTreeWidget>(parent, name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    return list;
}

} // namespace amb::windows
