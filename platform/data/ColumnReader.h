#pragma once

#include "platform/data/Recordset.h"
#include "platform/data/SqlColumn.h"
#include "platform/data/TextBlock.h"
#include "platform/data/Variant.h"

#include <QString>

#include <sqlite3.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

// The texts of one result that stay UTF-8 until read, in blocks of growing size.
class TextArena {
public:
    TextArena() = default;
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;
    ~TextArena();

    BlockText Add(const char* bytes, std::size_t size);

private:
    TextBlock* m_block = nullptr;
    std::size_t m_nextSize = 4096;
};

// Reads the values of one result column into Variants, typed by the column's declared kind. Only the
// connection uses it, once per column and query; reading is the inner loop of every list, so the
// common cases are inline here.
// Long lists repeat most of their texts (cities, first names, look-up names): a repeated text shares
// the first one's QString. A column whose texts hardly repeat (e-mail addresses, phone numbers) keeps
// them as UTF-8 in the result's TextArena. A repeated date is not parsed again.
class ColumnReader {
public:
    ColumnReader(SqlColumnType type, TextArena& arena) : m_type(type), m_arena(&arena) {}

    // Appends the column's value in the current row to the row.
    void ReadInto(sqlite3_stmt* stmt, int column, Recordset::Row& row);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };

    void Storage(sqlite3_value* value, int storage, Recordset::Row& row);
    void Text(sqlite3_value* value, Recordset::Row& row);
    bool Date(sqlite3_value* value, Recordset::Row& row);

    SqlColumnType m_type;
    TextArena* m_arena;
    int m_texts = 0; // texts read so far
    bool m_sharing = true;
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> m_shared;
    std::string m_lastDateText;
    Variant m_lastDate;
};

// The connection is used from one thread only, so the column's value may be read through
// sqlite3_column_value, which skips the per-call checks of the sqlite3_column_* functions.
inline void ColumnReader::ReadInto(sqlite3_stmt* stmt, int i, Recordset::Row& row) {
    sqlite3_value* value = sqlite3_column_value(stmt, i);
    const int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL) {
        row.push_back(Variant::Null());
        return;
    }
    switch (m_type) {
    case SqlColumnType::Integer:
    case SqlColumnType::Unknown:
        break;
    case SqlColumnType::Boolean:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
            row.emplace_back(sqlite3_value_int64(value) != 0);
            return;
        }
        break;
    case SqlColumnType::DateTime:
        if (storage == SQLITE_TEXT && Date(value, row))
            return;
        break;
    case SqlColumnType::Currency:
        if (storage == SQLITE_INTEGER) {
            row.emplace_back(Currency::FromTicks(sqlite3_value_int64(value)));
            return;
        }
        if (storage == SQLITE_FLOAT) {
            row.emplace_back(Currency::FromTicks(static_cast<int64_t>(std::llround(sqlite3_value_double(value)))));
            return;
        }
        break;
    case SqlColumnType::Double:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
            row.emplace_back(sqlite3_value_double(value));
            return;
        }
        break;
    case SqlColumnType::Text:
    case SqlColumnType::Memo:
        Text(value, row);
        return;
    }
    Storage(value, storage, row);
}

// A value by its storage class, for columns without a declared kind and values that do not fit theirs.
inline void ColumnReader::Storage(sqlite3_value* value, int storage, Recordset::Row& row) {
    switch (storage) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_value_int64(value);
        if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
            row.emplace_back(static_cast<int32_t>(v));
        else
            row.emplace_back(static_cast<double>(v));
        return;
    }
    case SQLITE_FLOAT:
        row.emplace_back(sqlite3_value_double(value));
        return;
    default:
        Text(value, row);
    }
}

} // namespace platform
