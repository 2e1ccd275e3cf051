#include "platform/data/SqlColumn.h"

#include "platform/com/Error.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace platform {

namespace {

const QString kSource = QStringLiteral("SqlColumn");
constexpr int kMemoLength = 65535;

[[noreturn]] void Mismatch(const SqlColumnInfo& column, const QString& why) {
    throw Error(ErrorNumber::TypeMismatch, QStringLiteral("Data type mismatch in column %1: %2").arg(column.name, why),
                kSource);
}

QString Shown(const QString& text) {
    return text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
}

int32_t ToWholeNumber(const Variant& value, const SqlColumnInfo& column) {
    double d = 0;
    if (value.GetType() == Variant::Type::String) {
        const QString text = value.ToString().trimmed();
        bool ok = false;
        const qlonglong whole = text.toLongLong(&ok);
        if (ok) {
            d = static_cast<double>(whole);
        } else {
            d = text.toDouble(&ok);
            if (!ok || !std::isfinite(d))
                Mismatch(column, QStringLiteral("\"%1\" is not a number").arg(Shown(text)));
        }
    } else if (value.GetType() == Variant::Type::Boolean) {
        d = value.ToBool() ? -1 : 0;
    } else if (value.IsNumeric()) {
        d = value.ToDouble();
    } else {
        Mismatch(column, QStringLiteral("a whole number is expected"));
    }
    d = std::nearbyint(d); // half to even, as the old conversions rounded
    if (d < std::numeric_limits<int32_t>::min() || d > std::numeric_limits<int32_t>::max())
        throw Error(ErrorNumber::Overflow, QStringLiteral("Overflow in column %1").arg(column.name), kSource);
    return static_cast<int32_t>(d);
}

bool ToBoolean(const Variant& value, const SqlColumnInfo& column) {
    if (value.GetType() == Variant::Type::Boolean || value.IsNumeric())
        return value.ToBool();
    const QString text = value.ToString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes") || text == QLatin1String("on"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("no") || text == QLatin1String("off"))
        return false;
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok)
        Mismatch(column, QStringLiteral("\"%1\" is not a Boolean").arg(Shown(text)));
    return d != 0.0;
}

Currency ToCurrencyValue(const Variant& value, const SqlColumnInfo& column) {
    switch (value.GetType()) {
    case Variant::Type::Currency:
    case Variant::Type::Int16:
    case Variant::Type::Int32:
        return value.ToCurrency();
    case Variant::Type::Double:
        if (!std::isfinite(value.ToDouble()) || std::fabs(value.ToDouble()) > 9.0e14)
            Mismatch(column, QStringLiteral("the amount is out of range"));
        return value.ToCurrency();
    case Variant::Type::String: {
        const auto parsed = Currency::Parse(value.ToString());
        if (!parsed)
            Mismatch(column, QStringLiteral("\"%1\" is not an amount").arg(Shown(value.ToString().trimmed())));
        return *parsed;
    }
    default:
        Mismatch(column, QStringLiteral("an amount is expected"));
    }
}

QDateTime ToDate(const Variant& value, const SqlColumnInfo& column) {
    QDateTime dt;
    if (value.GetType() == Variant::Type::Date)
        dt = value.ToDateTime();
    else if (value.GetType() == Variant::Type::String)
        dt = ParseDateText(value.ToString());
    if (!dt.isValid() || dt.date().year() < 1000 || dt.date().year() > 9999)
        Mismatch(column, QStringLiteral("\"%1\" is not a date with a four-digit year").arg(Shown(value.ToString())));
    return dt;
}

QString ToText(const Variant& text, const SqlColumnInfo& column) {
    const QString s = text.ToString().trimmed();
    const int limit = column.maxLength > 0 ? column.maxLength : kMemoLength;
    if (s.size() > limit)
        Mismatch(column, QStringLiteral("the text has %1 characters, at most %2 fit").arg(s.size()).arg(limit));
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        const bool lineBreakOrTab = u == u'\n' || u == u'\r' || u == u'\t';
        if ((u < 0x20 && !(column.type == SqlColumnType::Memo && lineBreakOrTab)) || u == 0x7F)
            Mismatch(column, QStringLiteral("the text holds a control character"));
    }
    return s;
}

bool IsBlank(const Variant& value) {
    if (value.IsEmpty() || value.IsNull())
        return true;
    return value.GetType() == Variant::Type::String && value.ToString().trimmed().isEmpty();
}

} // namespace

SqlColumnInfo ParseDeclaredType(const QString& name, const QString& declaredType) {
    SqlColumnInfo info;
    info.name = name;
    const QString decl = declaredType.trimmed().toUpper();
    static const QRegularExpression lengthPattern(QStringLiteral("\\((\\d+)\\)"));
    if (decl.startsWith(QLatin1String("BOOL")))
        info.type = SqlColumnType::Boolean;
    else if (decl.startsWith(QLatin1String("DATE")) || decl.startsWith(QLatin1String("TIMESTAMP")))
        info.type = SqlColumnType::DateTime;
    else if (decl.startsWith(QLatin1String("CURRENCY")) || decl.startsWith(QLatin1String("MONEY")))
        info.type = SqlColumnType::Currency;
    else if (decl.contains(QLatin1String("INT")))
        info.type = SqlColumnType::Integer;
    else if (decl.startsWith(QLatin1String("DOUBLE")) || decl.startsWith(QLatin1String("REAL")) ||
             decl.startsWith(QLatin1String("FLOAT")))
        info.type = SqlColumnType::Double;
    else if (decl.contains(QLatin1String("CHAR")))
        info.type = SqlColumnType::Text;
    else if (decl.startsWith(QLatin1String("TEXT")) || decl.startsWith(QLatin1String("MEMO")) ||
             decl.startsWith(QLatin1String("CLOB")))
        info.type = SqlColumnType::Memo;
    const auto match = lengthPattern.match(decl);
    if (match.hasMatch() && (info.type == SqlColumnType::Text || info.type == SqlColumnType::Memo))
        info.maxLength = match.captured(1).toInt();
    return info;
}

Variant ToColumnValue(const Variant& value, const SqlColumnInfo& column) {
    if (value.GetType() == Variant::Type::Object)
        Mismatch(column, QStringLiteral("an object cannot be stored"));
    if (IsBlank(value))
        return column.type == SqlColumnType::Boolean ? Variant(false) : Variant::Null();
    switch (column.type) {
    case SqlColumnType::Integer:
        return Variant(ToWholeNumber(value, column));
    case SqlColumnType::Boolean:
        return Variant(ToBoolean(value, column));
    case SqlColumnType::DateTime:
        return Variant(ToDate(value, column));
    case SqlColumnType::Currency:
        return Variant(ToCurrencyValue(value, column));
    case SqlColumnType::Double: {
        if (value.IsNumeric())
            return Variant(value.ToDouble());
        bool ok = false;
        const double d = value.ToString().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(d))
            Mismatch(column, QStringLiteral("\"%1\" is not a number").arg(Shown(value.ToString())));
        return Variant(d);
    }
    case SqlColumnType::Text:
    case SqlColumnType::Memo:
    case SqlColumnType::Unknown:
        return Variant(ToText(value, column));
    }
    return Variant::Null();
}

QDateTime ParseDateText(const QString& text) {
    static const QRegularExpression isoForm(
        QStringLiteral("^(\\d{4})[-/](\\d{1,2})[-/](\\d{1,2})(?:[ T]+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    static const QRegularExpression monthFirstForm(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?)?$"));
    const QString t = text.trimmed();
    int year = 0, month = 0, day = 0;
    QRegularExpressionMatch m = isoForm.match(t);
    if (m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
    } else {
        m = monthFirstForm.match(t);
        if (!m.hasMatch())
            return QDateTime();
        month = m.captured(1).toInt();
        day = m.captured(2).toInt();
        year = m.captured(3).toInt();
    }
    int hour = m.captured(4).toInt();
    const int minute = m.captured(5).toInt();
    const int second = m.captured(6).toInt();
    const QString ampm = m.lastCapturedIndex() >= 7 ? m.captured(7).toUpper() : QString();
    if (!ampm.isEmpty()) {
        if (hour < 1 || hour > 12)
            return QDateTime();
        hour = (hour % 12) + (ampm == QLatin1String("PM") ? 12 : 0);
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return Naive(date, time);
}

QString StoredDateText(const QDateTime& value) {
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace platform
