#include "main/ListRows.h"

#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ListItem.h"

#include <QBrush>

namespace amb::ambrel {

namespace {

ListItem* AsListItem(QTreeWidgetItem* row) {
    return static_cast<ListItem*>(row);
}

QString Part(const platform::Recordset::Row& row, int index) {
    return index >= 0 ? AsString(row[static_cast<std::size_t>(index)]) : QString();
}

} // namespace

int OptionalField(const platform::Recordset& rs, const char* name) {
    const QString field = QLatin1String(name);
    return rs.HasField(field) ? rs.FieldIndex(field) : -1;
}

PersonNameFields NameFields(const platform::Recordset& rs, bool english) {
    return PersonNameFields{OptionalField(rs, "FirstName"),    OptionalField(rs, "MiddleName"),
                            OptionalField(rs, "LastName"),     OptionalField(rs, "Suffix"),
                            OptionalField(rs, "LanguageName"), english};
}

namespace {
template <class PartOf> QString NameOf(const PersonNameFields& fields, PartOf part) {
    return DisplayName({.first = part(fields.first),
                        .middle = part(fields.middle),
                        .last = part(fields.last),
                        .suffix = part(fields.suffix),
                        .language = part(fields.language)},
                       fields.english ? EnumSupportedLocaleID::English : EnumSupportedLocaleID::Korean);
}
} // namespace

QString PersonName(const platform::Recordset::Row& row, const PersonNameFields& fields) {
    return NameOf(fields, [&row](int index) { return Part(row, index); });
}

QString PersonName(const platform::Recordset& rs, int row, const PersonNameFields& fields) {
    return NameOf(fields, [&rs, row](int index) { return index >= 0 ? AsString(rs.Value(row, index)) : QString(); });
}

QTreeWidgetItem* NewListRow(const QString& key, const QIcon& icon) {
    auto* row = new ListItem;
    row->SetKey(key);
    if (!icon.isNull())
        row->setIcon(0, icon);
    return row;
}

QString ListRowKey(const QTreeWidgetItem* row) {
    return row ? row->data(0, kListKeyRole).toString() : QString();
}

void SetTextCell(QTreeWidgetItem* row, int column, const QString& text) {
    AsListItem(row)->SetCell(column, text);
}

void SetDateTimeCell(QTreeWidgetItem* row, int column, const QDateTime& value, const QString& text) {
    AsListItem(row)->SetCell(column, text, value.isValid() ? QVariant(value) : QVariant());
}

void SetNumberCell(QTreeWidgetItem* row, int column, qint64 value, const QString& text) {
    AsListItem(row)->SetCell(column, text, static_cast<double>(value));
}

void SetMonthDayCell(QTreeWidgetItem* row, int column, int month, int day) {
    AsListItem(row)->SetCell(column, QString::number(month) + QLatin1Char('/') + QString::number(day),
                             static_cast<double>(month * 100 + day));
}

void MarkRowSaved(QTreeWidgetItem* row) {
    const QBrush green(QColor(64, 160, 64));
    const int columns = row->treeWidget() ? row->treeWidget()->columnCount() : row->columnCount();
    for (int c = 0; c < columns; ++c)
        row->setForeground(c, green);
}

} // namespace amb::ambrel
