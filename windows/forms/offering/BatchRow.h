#pragma once

#include "platform/data/Currency.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

namespace amb::windows {

// The batch grid's columns.
enum BatchColumn : int { kColText = 0, kColType, kColDate, kColAmount, kColNote, kColStatus, kBatchColumnCount };

// What a row of the batch grid holds as values beside the texts it shows, so that Edit and Submit
// never read a date or an amount back from its regional text.
struct BatchRowValues {
    QString text; // envelope code or expense name, as typed ("" for an offering without a code)
    int32_t typeId = 0;
    QString typeName;
    QDateTime date;
    platform::Currency amount;
    QString note;
};

// "id||<position>||<type id>".
QString MakeBatchRowKey(int32_t position, int32_t typeId);

// Writes `row` (already in `list`) with the values: key, icon, the six texts (status `status`).
// The key's middle part is the row's position, moved on while another row holds the same key.
// `shownText` is the first column's text (the "<Unknown>" text for an offering without a code).
void WriteBatchRow(QTreeWidget* list, QTreeWidgetItem* row, bool offering, const BatchRowValues& values,
                   const QString& shownText, const QString& dateText, const QString& status);

// The values a row was written with.
BatchRowValues ReadBatchRow(const QTreeWidgetItem* row);

} // namespace amb::windows
