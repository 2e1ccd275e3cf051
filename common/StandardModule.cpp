#include "common/StandardModule.h"

#include "common/Values.h"

#include "platform/com/Error.h"

#include <cmath>
#include <limits>

namespace amb {

namespace {

using platform::Variant;
using Type = platform::Variant::Type;

[[noreturn]] void ThrowOverflow(const char* procedure) {
    throw platform::Error(platform::ErrorNumber::Overflow, QStringLiteral("Overflow"), QString::fromLatin1(procedure));
}

int32_t CheckedInt32(int64_t value, const char* procedure) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        ThrowOverflow(procedure);
    return static_cast<int32_t>(value);
}

int32_t RoundDouble(double value, const char* procedure) {
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default rounding mode: half to even
    if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
        ThrowOverflow(procedure);
    return static_cast<int32_t>(rounded);
}

int32_t RoundCurrency(platform::Currency value, const char* procedure) {
    const int64_t ticks = value.Ticks();
    int64_t units = ticks / platform::Currency::Scale;
    const int64_t rest = ticks % platform::Currency::Scale; // same sign as ticks
    const int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > platform::Currency::Scale || (twice == platform::Currency::Scale && units % 2 != 0))
        units += rest < 0 ? -1 : 1;
    return CheckedInt32(units, procedure);
}

int32_t TextToLong(QStringView text, const char* procedure) {
    // Whole numbers one past the positive limit still round back into range when negative.
    const PlainNumber number = ReadPlainNumber(text, 0, uint64_t{1} << 32);
    if (!number.isNumber)
        return 0;
    if (!number.inRange)
        ThrowOverflow(procedure);
    return CheckedInt32(number.value, procedure);
}

// The text form used by every text conversion; a String is returned without copying its characters.
QString RawText(const Variant& value) {
    switch (value.GetType()) {
    case Type::Date:
        return FormatDateText(value.ToDateTime());
    default:
        return value.ToString();
    }
}

} // namespace

QStringView TrimBlanks(QStringView text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

Variant NullIfBlank(const Variant& value) {
    if (value.IsNull())
        return Variant::Null();
    const QString text = RawText(value);
    const QStringView trimmed = TrimBlanks(text);
    if (trimmed.isEmpty())
        return Variant::Null();
    if (trimmed.size() == text.size())
        return Variant(text);
    return Variant(trimmed.toString());
}

QString AsString(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        return QString();
    const QString text = RawText(value);
    QStringView trimmed = TrimBlanks(text);
    const qsizetype nul = trimmed.indexOf(QChar(0));
    if (nul >= 0)
        trimmed = TrimBlanks(trimmed.left(nul));
    if (trimmed.size() == text.size())
        return text;
    return trimmed.toString();
}

int32_t AsLong(const Variant& value) {
    switch (value.GetType()) {
    case Type::Int16:
    case Type::Int32:
        return value.ToInt();
    case Type::Double:
        return RoundDouble(value.ToDouble(), "AsLong");
    case Type::Currency:
        return RoundCurrency(value.ToCurrency(), "AsLong");
    case Type::String:
        return TextToLong(AsString(value), "AsLong");
    default: // Empty, Null, Boolean, Date, Object: no numeric text
        return 0;
    }
}

bool AsBoolean(const Variant& value) {
    switch (value.GetType()) {
    case Type::Boolean:
        return value.ToBool();
    case Type::Int16:
    case Type::Int32:
        return value.ToInt() != 0;
    case Type::Double:
        return RoundDouble(value.ToDouble(), "AsBoolean") != 0;
    case Type::Currency:
        return RoundCurrency(value.ToCurrency(), "AsBoolean") != 0;
    case Type::String: {
        const QString text = AsString(value);
        if (IsNumericText(text))
            return TextToLong(text, "AsBoolean") != 0;
        return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    }
    default:
        return false;
    }
}

QDateTime AsDate(const Variant& value, bool* ok) {
    if (ok)
        *ok = true;
    if (value.GetType() == Type::Date)
        return value.ToDateTime();
    const QString text = AsString(value);
    if (text.isEmpty())
        return NoDate();
    if (value.GetType() == Type::String) {
        if (const auto date = ParseDateText(text))
            return *date;
    }
    if (ok)
        *ok = false;
    return NoDate();
}

QDateTime AsDate(const Variant& value) {
    return AsDate(value, nullptr);
}

double AsDouble(const Variant& value) {
    switch (value.GetType()) {
    case Type::Int16:
    case Type::Int32:
    case Type::Double:
    case Type::Currency:
        return value.ToDouble();
    case Type::String: {
        const QString text = AsString(value);
        if (!IsNumericText(text))
            return 0.0;
        bool ok = false;
        const double result = text.toDouble(&ok);
        return ok ? result : 0.0;
    }
    default:
        return 0.0;
    }
}

platform::Currency AsCurrency(const Variant& value, bool* ok) {
    if (ok)
        *ok = true;
    auto fail = [ok] {
        if (ok)
            *ok = false;
        return platform::Currency();
    };
    switch (value.GetType()) {
    case Type::Empty:
    case Type::Null:
        return platform::Currency();
    case Type::Currency:
        return value.ToCurrency();
    case Type::Int16:
    case Type::Int32:
        return platform::Currency::FromUnits(value.ToInt());
    case Type::Double: {
        const double ticks = std::nearbyint(value.ToDouble() * platform::Currency::Scale);
        if (!(std::fabs(ticks) < 9.2e18))
            return fail();
        return platform::Currency::FromTicks(static_cast<int64_t>(ticks));
    }
    case Type::String: {
        const QString text = AsString(value);
        if (text.isEmpty())
            return platform::Currency();
        const AmountReading amount = ParseAmount(text, AmountSyntax::Neutral);
        return amount.IsAmount() ? amount.value : fail();
    }
    default:
        return fail();
    }
}

QDateTime NoDate() {
    return platform::MakeDateTime(1900, 1, 1);
}

bool IsNoDate(const QDateTime& value) {
    return value == NoDate();
}

bool IsNumericText(QStringView text) {
    return ReadPlainNumber(text, 0, 0).isNumber;
}

QDateTime FirstDayOfMonth(const QDateTime& date) {
    if (!date.isValid())
        return date;
    const QDate d = date.date();
    return platform::MakeDateTime(d.year(), d.month(), 1);
}

QDateTime LastDayOfMonth(const QDateTime& date) {
    if (!date.isValid())
        return date;
    const QDate d = date.date();
    return platform::MakeDateTime(d.year(), d.month(), d.daysInMonth());
}

} // namespace amb
