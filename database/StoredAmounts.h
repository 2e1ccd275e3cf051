#pragma once

// Amounts as stored, read by the one storage parser (ReadStoredAmount) wherever a query returns them
// or SQLite sums them, so a hand-edited amount counts the same in every list, report and total, or,
// when it cannot be read, in none of them and with a log line naming its row.

#include "platform/data/Recordset.h"
#include "platform/data/SqliteConnection.h"

#include <QString>

namespace amb::database {

// StoredAmount(amount, table, id) in the connection's SQL: the amount in ten-thousandths as the
// storage parser reads it; NULL, and a level-9 line naming the table and row, for one it cannot read.
void AddStoredAmountFunction(platform::SqliteConnection& connection);

// Reads each value of the set's "Amount" column that is not stored as a number with the storage
// parser: an amount it reads becomes that currency value, one it cannot read becomes Null and is
// logged with the row's ID. `sql` is the query that made the set; its first table names the rows.
void ReadStoredAmounts(platform::Recordset& rows, const QString& sql);

} // namespace amb::database
