#include "windows/forms/offering/BatchRow.h"

#include "common/Values.h"
#include "common/widgets/ListItem.h"

#include <QApplication>
#include <QStyle>
#include <QTreeWidget>

namespace amb::windows {

namespace {

constexpr int kTextRole = Qt::UserRole + 2;
constexpr int kDateRole = Qt::UserRole + 3;
constexpr int kAmountRole = Qt::UserRole + 4;
constexpr int kTypeNameRole = Qt::UserRole + 5;
constexpr int kNoteRole = Qt::UserRole + 6;

bool KeyTaken(const QTreeWidget* list, const QTreeWidgetItem* self, const QString& key) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* other = list->topLevelItem(i);
        if (other != self && other->data(0, kListKeyRole).toString() == key)
            return true;
    }
    return false;
}

} // namespace

QString MakeBatchRowKey(int32_t position, int32_t typeId) {
    return QStringLiteral("id||%1||%2").arg(position).arg(typeId);
}

void WriteBatchRow(QTreeWidget* list, QTreeWidgetItem* row, bool offering, const BatchRowValues& values,
                   const QString& shownText, const QString& dateText, const QString& status) {
    int32_t position = list->indexOfTopLevelItem(row) + 1;
    QString key = MakeBatchRowKey(position, values.typeId);
    // After removals the position can repeat another row's key; the grid's keys stay distinct.
    while (KeyTaken(list, row, key))
        key = MakeBatchRowKey(++position, values.typeId);
    row->setData(0, kListKeyRole, key);
    row->setIcon(0, QApplication::style()->standardIcon(offering ? QStyle::SP_ArrowDown : QStyle::SP_ArrowUp));
    row->setData(0, kTextRole, values.text);
    row->setData(0, kDateRole, values.date);
    row->setData(0, kAmountRole, qlonglong(values.amount.Ticks()));
    row->setData(0, kTypeNameRole, values.typeName);
    row->setData(0, kNoteRole, values.note);
    row->setText(kColText, shownText);
    row->setText(kColType, values.typeName);
    row->setText(kColDate, dateText);
    row->setText(kColAmount, FormatAmount(values.amount));
    row->setText(kColNote, values.note);
    row->setText(kColStatus, status);
    for (const int column : {kColType, kColDate, kColStatus})
        row->setTextAlignment(column, Qt::AlignCenter);
    row->setTextAlignment(kColAmount, Qt::AlignRight | Qt::AlignVCenter);
}

BatchRowValues ReadBatchRow(const QTreeWidgetItem* row) {
    BatchRowValues values;
    values.text = row->data(0, kTextRole).toString();
    values.typeId = row->data(0, kListKeyRole).toString().section(QStringLiteral("||"), 2, 2).toInt();
    values.typeName = row->data(0, kTypeNameRole).toString();
    values.date = row->data(0, kDateRole).toDateTime();
    values.amount = platform::Currency::FromTicks(row->data(0, kAmountRole).toLongLong());
    values.note = row->data(0, kNoteRole).toString();
    return values;
}

} // namespace amb::windows
