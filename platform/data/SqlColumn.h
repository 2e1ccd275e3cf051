#pragma once

#include "platform/data/Variant.h"

#include <QString>

namespace platform {

// The kinds of column the schema declares; a column's declared type decides how its values are
// read into Variants and which values a save accepts for it.
enum class SqlColumnType { Unknown, Integer, Boolean, DateTime, Currency, Double, Text, Memo };

struct SqlColumnInfo {
    QString name;
    SqlColumnType type = SqlColumnType::Unknown;
    int maxLength = 0; // characters for Text/Memo; 0 when the type has none
    bool notNull = false;
};

// "INTEGER", "BOOLEAN", "DATETIME", "CURRENCY", "DOUBLE", "VARCHAR(50)", "TEXT"... -> its kind.
SqlColumnInfo ParseDeclaredType(const QString& name, const QString& declaredType);

// The value a column of that kind stores for a value a caller gave: typed values, or the texts that
// windows format (dates with four-digit years, amounts, "True"/"False", numbers). Blank and Null give
// Null (false for a Boolean column). Throws Error (type mismatch) when the value does not convert,
// and for a text that is too long or holds control characters.
Variant ToColumnValue(const Variant& value, const SqlColumnInfo& column);

// Reads a date text with a four-digit year: "yyyy-M-d", "M/d/yyyy", "yyyy/M/d", each optionally
// followed by a time "H:mm" or "H:mm:ss" (with AM/PM for the month-first form). Invalid when none fits.
QDateTime ParseDateText(const QString& text);

// The stored form of a date: "yyyy-MM-dd HH:mm:ss".
QString StoredDateText(const QDateTime& value);

} // namespace platform
