#pragma once

// Lists and drop-down lists of a hand-built window, made with their object names.

#include "common/widgets/ListItem.h"
#include "windows/forms/NamedControl.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTreeWidget>

namespace amb::windows {

// A drop-down list: no typed text.
inline QComboBox* MakeDropDownList(QWidget* parent, const char* name) {
    auto* box = NamedControl<QComboBox>(parent, name);
    box->setEditable(false);
    box->setMinimumWidth(160);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

// A list view in report style: one row a line, whole rows selected, one at a time, not sorted.
inline QTreeWidget* MakeReportList(QWidget* parent, const char* name) {
    auto* list = NamedControl<QTreeWidget>(parent, name);
    SetUpRecordList(list);
    list->setSortingEnabled(false);
    return list;
}

} // namespace amb::windows
