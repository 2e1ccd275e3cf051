#include "platform/data/Variant.h"

#include "platform/data/Clock.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {
const QString kDateTimePattern = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

Variant::Variant(const QDateTime& v) {
    if (!v.isValid())
        m_value = NullTag{};
    else if (v.timeSpec() == Qt::UTC)
        m_value = v; // naive already
    else
        m_value = Naive(v.date(), v.time());
}

Variant::Variant(const QDate& v) : Variant(v.isValid() ? Naive(v) : QDateTime()) {}

bool Variant::IsNumeric() const {
    switch (GetType()) {
    case Type::Int16:
    case Type::Int32:
    case Type::Double:
    case Type::Currency:
        return true;
    default:
        return false;
    }
}

bool Variant::ToBool() const {
    switch (GetType()) {
    case Type::Boolean:
        return std::get<bool>(m_value);
    case Type::String:
        return Text().trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || ToInt() != 0;
    default:
        return IsNumeric() && ToDouble() != 0.0;
    }
}

int32_t Variant::ToInt() const {
    switch (GetType()) {
    case Type::Boolean:
        return std::get<bool>(m_value) ? -1 : 0;
    case Type::Int16:
        return std::get<int16_t>(m_value);
    case Type::Int32:
        return std::get<int32_t>(m_value);
    case Type::Double:
    case Type::Currency: {
        const double d = std::nearbyint(ToDouble());
        if (d < std::numeric_limits<int32_t>::min() || d > std::numeric_limits<int32_t>::max())
            return 0;
        return static_cast<int32_t>(d);
    }
    case Type::String: {
        bool ok = false;
        const int32_t v = Text().trimmed().toInt(&ok);
        return ok ? v : 0;
    }
    default:
        return 0;
    }
}

double Variant::ToDouble() const {
    switch (GetType()) {
    case Type::Boolean:
        return std::get<bool>(m_value) ? -1.0 : 0.0;
    case Type::Int16:
        return std::get<int16_t>(m_value);
    case Type::Int32:
        return std::get<int32_t>(m_value);
    case Type::Double:
        return std::get<double>(m_value);
    case Type::Currency:
        return std::get<Currency>(m_value).ToDouble();
    case Type::String: {
        bool ok = false;
        const double v = Text().trimmed().toDouble(&ok);
        return ok ? v : 0.0;
    }
    default:
        return 0.0;
    }
}

Currency Variant::ToCurrency() const {
    switch (GetType()) {
    case Type::Currency:
        return std::get<Currency>(m_value);
    case Type::Int16:
    case Type::Int32:
    case Type::Boolean:
        return Currency::FromUnits(ToInt());
    case Type::Double:
        return Currency::FromTicks(static_cast<int64_t>(std::llround(std::get<double>(m_value) * Currency::Scale)));
    case Type::String:
        return Currency::Parse(Text()).value_or(Currency());
    default:
        return Currency();
    }
}

QDateTime Variant::ToDateTime() const {
    switch (GetType()) {
    case Type::Date:
        return std::get<QDateTime>(m_value);
    case Type::String: {
        // Read as a wall-clock date and time, never through the local time zone: there a time in a
        // daylight-saving gap (midnight of some spring days in Seoul in the 1950s) does not exist.
        const QString text = Text().trimmed();
        const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            return QDateTime();
        if (text.size() == 10)
            return Naive(date);
        const QTime time =
            text.at(10) == QLatin1Char(' ') ? QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss")) : QTime();
        return time.isValid() ? Naive(date, time) : QDateTime();
    }
    default:
        return QDateTime();
    }
}

QString Variant::ToString() const {
    switch (GetType()) {
    case Type::Empty:
    case Type::Null:
    case Type::Object:
        return QString();
    case Type::Boolean:
        return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Int16:
    case Type::Int32:
        return QString::number(ToInt());
    case Type::Double:
        return QString::number(std::get<double>(m_value), 'g', 15);
    case Type::Currency:
        return std::get<Currency>(m_value).ToString(std::get<Currency>(m_value).Ticks() % 100 == 0 ? 2 : 4);
    case Type::Date:
        return std::get<QDateTime>(m_value).toString(kDateTimePattern);
    case Type::String:
        return Text();
    }
    return QString();
}

QString Variant::Text() const {
    if (const auto* text = std::get_if<QString>(&m_value))
        return *text;
    if (const auto* text = std::get_if<BlockText>(&m_value))
        return text->ToString();
    return QString();
}

ObjectPtr Variant::ToObject() const {
    return GetType() == Type::Object ? std::get<ObjectPtr>(m_value) : nullptr;
}

bool Variant::operator==(const Variant& other) const {
    // A text compares by its characters however each side holds it.
    if (m_value.index() != other.m_value.index() && GetType() == Type::String && other.GetType() == Type::String)
        return Text() == other.Text();
    return m_value == other.m_value;
}

QDateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    return Naive(QDate(year, month, day), QTime(hour, minute, second));
}

QDateTime Now() {
    const QDateTime local = CurrentLocalDateTime();
    const QTime t = local.time();
    return Naive(local.date(), QTime(t.hour(), t.minute(), t.second()));
}

QDateTime Naive(const QDate& date, const QTime& time) {
    return QDateTime(date, time, Qt::UTC);
}

} // namespace platform
