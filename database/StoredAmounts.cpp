#include "database/StoredAmounts.h"

#include "common/StandardModule.h"
#include "common/Values.h"
#include "database/Manager.h"
#include "platform/com/Error.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <cmath>

namespace amb::database {

namespace {

using platform::Variant;

const QString kAmount = QStringLiteral("Amount");

// Reads one stored value; Null (with its line) when the parser cannot.
Variant ReadAmount(const Variant& stored, const QString& table, const QString& row) {
    if (const std::optional<platform::Currency> amount = ReadStoredAmount(stored))
        return Variant(*amount);
    WriteTraceLine(kObjectName, QStringLiteral("ReadStoredAmount()"),
                   QStringLiteral("%1 row %2: the stored amount \"%3\" is not an amount; no total counts it")
                       .arg(table, row, AsString(stored).left(40)),
                   9);
    return Variant::Null();
}

QString TextOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? QString::fromUtf8(text, sqlite3_value_bytes(value)) : QString();
}

void StoredAmountFunction(sqlite3_context* context, int count, sqlite3_value** values) {
    if (count != 3)
        return sqlite3_result_error(context, "StoredAmount takes an amount, a table and a row", -1);
    Variant stored;
    switch (sqlite3_value_type(values[0])) {
    case SQLITE_NULL:
        return sqlite3_result_null(context);
    case SQLITE_INTEGER:
        return sqlite3_result_int64(context, sqlite3_value_int64(values[0]));
    case SQLITE_FLOAT: {
        // A real as the column reader reads it: ten-thousandths, rounded.
        const double ticks = sqlite3_value_double(values[0]);
        if (!(std::fabs(ticks) < 9.2e18))
            break;
        return sqlite3_result_int64(context, std::llround(ticks));
    }
    case SQLITE_TEXT:
        stored = Variant(TextOf(values[0]));
        break;
    default:
        break;
    }
    const Variant amount = ReadAmount(stored, TextOf(values[1]), TextOf(values[2]));
    if (amount.IsNull())
        return sqlite3_result_null(context);
    sqlite3_result_int64(context, amount.ToCurrency().Ticks());
}

} // namespace

void AddStoredAmountFunction(platform::SqliteConnection& connection) {
    if (sqlite3_create_function(connection.Handle(), "StoredAmount", 3, SQLITE_UTF8, nullptr, StoredAmountFunction,
                                nullptr, nullptr) != SQLITE_OK)
        throw platform::Error(platform::ErrorNumber::DatabaseError,
                              QStringLiteral("The amount reader cannot be added to the connection"), kObjectName);
}

void ReadStoredAmounts(platform::Recordset& rows, const QString& sql) {
    if (!rows.HasField(kAmount) || rows.RecordCount() == 0)
        return;
    const int column = rows.FieldIndex(kAmount);
    const int id = rows.HasField(QStringLiteral("ID")) ? rows.FieldIndex(QStringLiteral("ID")) : -1;
    QString table;
    for (int row = 0; row < rows.RecordCount(); ++row) {
        const Variant stored = rows.Value(row, column);
        if (stored.GetType() == Variant::Type::Currency || stored.IsNull())
            continue;
        if (table.isEmpty()) {
            static const QRegularExpression from(QStringLiteral("\\bFROM\\s+\"?(\\w+)"),
                                                 QRegularExpression::CaseInsensitiveOption);
            table = from.match(sql).captured(1);
        }
        rows.SetValue(row, column, ReadAmount(stored, table, id < 0 ? QString() : AsString(rows.Value(row, id))));
    }
}

} // namespace amb::database
