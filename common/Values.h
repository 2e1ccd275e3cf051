#pragma once

// How values look to a person and how what a person types becomes a value: amounts, the date
// pattern of the DateFormat setting, and a person's display name. Windows, lists, reports, files and
// the benchmarks all go through here, so one value reads the same everywhere.

#include "contracts/Enums.h"
#include "platform/data/Currency.h"
#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace amb {

// The largest amount the database manager stores, either sign. Windows refuse a larger one before
// anything is sent; the day and year totals of the reports stay far inside the exact range.
inline constexpr platform::Currency kLargestAmount = platform::Currency::FromTicks(9'999'999'999'999);

inline bool IsStorableAmount(platform::Currency value) {
    return value <= kLargestAmount && value >= -kLargestAmount;
}

enum class AmountStyle {
    Currency, // the locale's currency form: "$1,234.56", "1.234,56 €", "₩1,234.56"; C has no symbol
    Number,   // grouped, no symbol: "1,234.56", "1.234,56" (reports, totals)
    Entry,    // what an amount box holds for editing: "1234.56", "1234,56"
};

// An amount as a person reads it, in the locale's separators and sign. Two decimals; a stored value
// with a third or fourth decimal shows them, so nothing is shown rounded.
QString FormatAmount(platform::Currency value, AmountStyle style = AmountStyle::Currency,
                     const QLocale& locale = QLocale());

enum class AmountSyntax {
    // Typed by a person: the locale's decimal and group separators (groups of three), an optional
    // sign, the locale's currency symbol and parentheses as FormatAmount shows them; at most two
    // decimals and no more than kLargestAmount.
    Typed,
    // The locale-neutral texts the conversions and the database manager accept: '.' for decimals,
    // ',' between groups of three digits as "1,234,567.89" ("12,34" and "1,2,3" are no amounts), any
    // currency sign before or after, parentheses for a negative amount; more than four decimals are
    // rounded half to even, and the whole range of an amount is allowed.
    Neutral,
};

struct AmountReading {
    enum class Result {
        Amount,
        NotAnAmount,
        TooManyDecimals, // Typed only
        OutOfRange,
    };
    Result result = Result::NotAnAmount;
    platform::Currency value;
    // False when decimals beyond the fourth were rounded away (Neutral only).
    bool exact = true;

    bool IsAmount() const { return result == Result::Amount; }
};

// Reads an amount text exactly, never through binary floating point. A blank text is no amount.
AmountReading ParseAmount(QStringView text, AmountSyntax syntax = AmountSyntax::Typed,
                          const QLocale& locale = QLocale());

// An amount as stored: a number of ten-thousandths as the column holds it, or (a hand-edited row) a
// text read as a Neutral amount. Null and Empty are no amount given and read as 0. Nothing for a
// value that cannot be read: lists show it blank and no total counts it.
std::optional<platform::Currency> ReadStoredAmount(const platform::Variant& stored);

// The numeric text of the conversions: spaces around, an optional sign, ASCII digits with at most
// one '.' ("12", " -2.5 ", ".5"); no separators, signs of currency or exponents.
struct PlainNumber {
    bool isNumber = false;
    // Whether the rounded value fits the limit it was read with; value is set only then.
    bool inRange = false;
    int64_t value = 0;
};
// Reads a plain number in units of 10^-decimals (0 to 4), rounded half to even; values whose
// magnitude exceeds `limit` units are numbers out of range.
PlainNumber ReadPlainNumber(QStringView text, int decimals, uint64_t limit);

// The DateFormat setting used when none is stored, in the setting's own notation. Inline, so that the
// settings reader and the setup tool share it without linking this module.
inline QString DefaultDateFormat() {
    return QStringLiteral("m/d/yyyy");
}
// Reads a date text: "M/d/yyyy", "M-d-yyyy", "yyyy-M-d" or "yyyy/M/d", optionally followed by a time
// "H:mm", "H:mm:ss" (24 hours) or "h:mm[:ss] AM|PM", with blanks around. Years have exactly four
// digits: "3/15/24" is no date, so a two-digit year is never read as some century's year.
// The result is a naive date-time (see platform::Variant); nothing when the text is no real date.
std::optional<QDateTime> ParseDate(QStringView text);

// The system's own text of a date: "M/d/yyyy", plus " HH:mm:ss" when the time is not midnight.
// ParseDate reads it back exactly. An invalid date gives the empty text.
QString SystemDateText(const QDateTime& value);

// The Qt pattern of a DateFormat setting in the old notation ("m/d/yyyy", "yyyy-M-d", "mmm d, yyyy",
// "h:nn AM/PM" become "M/d/yyyy"...). Letters without meaning there are kept as literal text, and a
// two-digit year becomes four digits. Empty gives the pattern of DefaultDateFormat(). Translate once
// per fill, not once per row.
QString DatePattern(const QString& dateFormatSetting);

// The date formatted with a DateFormat setting; an invalid date gives "".
QString FormatDateWith(const QDateTime& value, const QString& dateFormatSetting);

struct PersonNameParts {
    QString first;
    QString middle;
    QString last;
    QString suffix;
    QString language; // LanguageName: the whole name in the other name locale
};

// The name a person is shown by: in the English name locale "Last, First Middle Suffix", in the
// other one LanguageName; where that is empty, the other form, so nobody shows without a name.
QString DisplayName(const PersonNameParts& parts, EnumSupportedLocaleID nameLocale);
// The same for the current row of a set with the person's name fields (a field it lacks is empty).
QString DisplayName(const platform::Recordset& person, EnumSupportedLocaleID nameLocale);

} // namespace amb
