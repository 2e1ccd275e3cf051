#pragma once

// What the main window's areas know of each other: each area is known to the others by one small
// interface below, never by its class. The frame (MainForm) makes the areas and hands each the
// interfaces it uses.

#include "main/RecordNodes.h"

#include <cstdint>

class QDateTime;
class QString;
class QTreeWidgetItem;

namespace amb::ambrel {

// The record-kind tree, as the list, the search band and the commands read it.
class RecordTreePort {
public:
    // The key of the chosen kind ("Member"), empty without one.
    virtual QString SelectedKey() const = 0;
    // 0 text, 1 group type, 2 date range.
    virtual int32_t GetSearchType() const = 0;
    // A failed read is told, and the counts stay as they were.
    virtual void RefreshTreeviewStat() = 0;

protected:
    ~RecordTreePort() = default;
};

// The record list, as the tree, the search band and the commands use it.
class RecordListPort {
public:
    virtual void ConfigureGrid(QTreeWidgetItem* node) = 0;
    // Lists the records of the chosen kind; -1 when nothing could be read.
    virtual int32_t RefreshData(const QString& searchText, int32_t groupTypeID, const QDateTime& startDate,
                                const QDateTime& endDate) = 0;
    // The selected row, or nothing.
    virtual QTreeWidgetItem* SelectedRow() const = 0;
    // Removes a deleted record's row; the shown count follows.
    virtual void RemoveRow(QTreeWidgetItem* row) = 0;
    virtual void Focus() = 0;
    // Shows the list again after a failure left it hidden in the middle of a load.
    virtual void Reveal() = 0;

protected:
    ~RecordListPort() = default;
};

// The search band, as the tree and the commands set it.
class SearchBandPort {
public:
    // A kind newly chosen: empty boxes, this month's dates, no last search.
    virtual void ResetForKind() = 0;
    // Shows the box of a kind, switched on while somebody is logged in.
    virtual void ShowBoxFor(SearchBox box, bool loggedIn) = 0;
    virtual void RefreshSearchTextComboBox() = 0;
    // Gives the focus to the search box of the selected kind when it is enabled.
    virtual void FocusSearchBox() = 0;
    virtual int32_t GroupTypeID() const = 0;

protected:
    ~SearchBandPort() = default;
};

// The commands, as the tree, the list and the search band ask for them.
class CommandsPort {
public:
    virtual void EnableToolbarButtons() = 0;
    // Opens the record of the list's selected row, as File > Open does.
    virtual void OpenSelectedRow() = 0;

protected:
    ~CommandsPort() = default;
};

} // namespace amb::ambrel
