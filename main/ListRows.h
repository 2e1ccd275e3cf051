#pragma once

#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QIcon>
#include <QString>

class QTreeWidgetItem;

namespace amb::ambrel {

// Where a result set keeps a person's name parts; -1 for a part the set lacks. The name shown is the
// one of the name locale, else the other one (Values.h).
struct PersonNameFields {
    int first = -1;
    int middle = -1;
    int last = -1;
    int suffix = -1;
    int language = -1;
    bool english = true;
};

// The index of a field, or -1 when the set lacks it.
int OptionalField(const platform::Recordset& rs, const char* name);
PersonNameFields NameFields(const platform::Recordset& rs, bool english);
// The person's display name from one row.
QString PersonName(const platform::Recordset::Row& row, const PersonNameFields& fields);
// The same from a row of the set (0-based), reading only the name's values.
QString PersonName(const platform::Recordset& rs, int row, const PersonNameFields& fields);

// A list row whose columns sort by value; its key sits in column 0.
QTreeWidgetItem* NewListRow(const QString& key, const QIcon& icon = QIcon());
QString ListRowKey(const QTreeWidgetItem* row);

// Cells hold plain text; dates sort as dates and amounts as numbers.
void SetTextCell(QTreeWidgetItem* row, int column, const QString& text);
void SetDateTimeCell(QTreeWidgetItem* row, int column, const QDateTime& value, const QString& text);
void SetNumberCell(QTreeWidgetItem* row, int column, qint64 value, const QString& text);
// "month/day" (3/7), sorting by month and day.
void SetMonthDayCell(QTreeWidgetItem* row, int column, int month, int day);
// The colour of a row whose record was saved: red 64, green 160, blue 64.
void MarkRowSaved(QTreeWidgetItem* row);

} // namespace amb::ambrel
