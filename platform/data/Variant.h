#pragma once

#include "platform/com/Object.h"
#include "platform/data/Currency.h"
#include "platform/data/TextBlock.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <variant>

namespace platform {

// The tagged value that record dictionaries, parameters and result-set fields carry.
// Dates are naive calendar date-times: held as QDateTime in Qt::UTC only so that no time zone
// or daylight-saving gap ever shifts them; they mean the local wall clock.
class Variant {
public:
    enum class Type { Empty, Null, Boolean, Int16, Int32, Double, Currency, Date, String, Object };

    Variant() = default; // Empty
    Variant(bool v) : m_value(v) {}
    Variant(int16_t v) : m_value(v) {}
    Variant(int32_t v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(Currency v) : m_value(v) {}
    Variant(const QDateTime& v);
    Variant(const QDate& v);
    Variant(const QString& v) : m_value(v) {}
    Variant(QString&& v) : m_value(std::move(v)) {}
    Variant(const char* v) : m_value(QString::fromUtf8(v)) {}
    Variant(ObjectPtr v) : m_value(std::move(v)) {}
    // A text that stays UTF-8 in a shared block until read (large results); it is a String like any other.
    explicit Variant(BlockText v) : m_value(std::move(v)) {}

    static Variant Null() {
        Variant v;
        v.m_value = NullTag{};
        return v;
    }

    Type GetType() const {
        return m_value.index() == kBlockTextIndex ? Type::String : static_cast<Type>(m_value.index());
    }
    bool IsEmpty() const { return GetType() == Type::Empty; }
    bool IsNull() const { return GetType() == Type::Null; }
    bool IsNumeric() const;

    // Direct reads of the held value; a value of another type is converted where the
    // conversion is exact and obvious, otherwise the type's zero. Lenient conversions of
    // user input belong to the value-conversion helpers, not here.
    bool ToBool() const;
    int32_t ToInt() const;
    double ToDouble() const;
    Currency ToCurrency() const;
    QDateTime ToDateTime() const; // invalid when the value is no date
    QString ToString() const;     // Empty and Null give ""; dates "yyyy-MM-dd HH:mm:ss"
    ObjectPtr ToObject() const;

    bool operator==(const Variant& other) const;

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    QString Text() const; // the String value, whichever way it is held
    std::variant<std::monostate, NullTag, bool, int16_t, int32_t, double, Currency, QDateTime, QString, ObjectPtr,
                 BlockText>
        m_value;
    static constexpr std::size_t kBlockTextIndex = 10;
};

// Lists hold hundreds of thousands of values: a Variant stays four words.
static_assert(sizeof(Variant) == 32);

// Naive date-time helpers (see Variant).
QDateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
QDateTime Now();
QDateTime Naive(const QDate& date, const QTime& time = QTime(0, 0));

} // namespace platform
