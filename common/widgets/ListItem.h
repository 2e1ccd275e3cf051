#pragma once

#include "platform/data/Variant.h"

#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QVariant>

#include <vector>

namespace amb {

// A list of records: flat rows of one height, one row chosen at a time, shown across every column.
void SetUpRecordList(QTreeWidget* list);
// The width of an amount column of the list: wide enough for the largest amount that can be stored,
// in the locale's form, whole; never narrower than `designed`.
int AmountColumnWidth(const QTreeWidget* list, int designed);

// Column 0 holds the row's list-item key ("id||42", see MakeListItemKey).
inline constexpr int kListKeyRole = Qt::UserRole;
// Any column may hold the typed value it sorts by.
inline constexpr int kListSortRole = Qt::UserRole + 1;

// A list row that sorts by value: dates as dates, amounts and counts as numbers, text without
// regard to letter case. A column without a sort value sorts by its text. Cells hold plain text.
// Empty cells come first in ascending order, then numbers, dates and texts. Make every row of a
// sorted list a ListItem: a plain QTreeWidgetItem compares by case-sensitive text.
class ListItem : public QTreeWidgetItem {
public:
    ListItem();
    explicit ListItem(QTreeWidget* list);
    ~ListItem() override;

    // Cell text and, optionally, the value it sorts by (see SortValue).
    void SetCell(int column, const QString& text, const QVariant& sortValue = QVariant());
    void SetKey(const QString& key) { setData(0, kListKeyRole, key); }
    QString Key() const { return data(0, kListKeyRole).toString(); }

    bool operator<(const QTreeWidgetItem& other) const override;
    void setData(int column, int role, const QVariant& value) override;

private:
    // Sorts the list's rows (see SortListViewByColumn).
    friend void SortListItems(QTreeWidget* list, int column, Qt::SortOrder order);

    // A cell's comparable form, worked out once per cell: sorting 50,000 rows compares each row
    // many times.
    struct SortKey {
        int kind = -1; // -1: not worked out yet
        double number = 0.0;
        QString text; // case-folded
    };
    const SortKey& KeyOf(int column) const;
    static bool Less(const SortKey& a, const SortKey& b);

    mutable std::vector<SortKey> m_keys;
    int m_rank = -1; // the row's place among the list's rows while SortListItems sorts them
};

// Once a row's window has closed (and the list was filled again): the row of record `id` is current,
// selected and shown, and the list has the focus, so that Enter opens that row again. False when no
// row holds the record.
bool ReturnToRow(QTreeWidget* list, int32_t id);

// The sort value of a stored value: a date as QDateTime, a number or amount as double, anything
// else as its text; Null and Empty as nothing (the cell then counts as empty).
QVariant SortValue(const platform::Variant& value);

// Sorts the list by the clicked column (0-based): ascending, or the other way round when the list
// is already sorted by that column. Call it from the header's sectionClicked; the list's own sorting
// stays off (see SortByHeaderClick).
void SortListViewByColumn(QTreeWidget* list, int column);
// Makes the list's headers clickable for SortListViewByColumn and forgets how it was sorted, with no
// sort indicator until the next click. Call it whenever the list gets its columns. (The list's own
// sorting stays off: switching it off also makes the headers unclickable.)
void SortByHeaderClick(QTreeWidget* list);
// Sorts a refilled list again as the user last sorted it; nothing when never sorted.
void ReapplyListViewSort(QTreeWidget* list);

} // namespace amb
