#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// An exact amount in ten-thousandths, the scale of the old currency type. Money never passes
// through binary floating point between a window and a report total.
class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromTicks(int64_t ticks) { return Currency(ticks); }
    static constexpr Currency FromUnits(int64_t units) { return Currency(units * Scale); }

    // Parses "1234.5", "-0.10", "1,234.50", " 7 "; at most four decimals, commas only between groups of
    // three ("12,34" is no amount). Nothing for anything else.
    static std::optional<Currency> Parse(const QString& text);

    constexpr int64_t Ticks() const { return m_ticks; }
    double ToDouble() const { return static_cast<double>(m_ticks) / Scale; }
    // Plain decimal text with the given number of decimals (rounded half away from zero).
    QString ToString(int decimals = 2) const;

    constexpr Currency operator+(Currency o) const { return Currency(m_ticks + o.m_ticks); }
    constexpr Currency operator-(Currency o) const { return Currency(m_ticks - o.m_ticks); }
    constexpr Currency operator-() const { return Currency(-m_ticks); }
    Currency& operator+=(Currency o) {
        m_ticks += o.m_ticks;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(int64_t ticks) : m_ticks(ticks) {}
    int64_t m_ticks = 0;
};

// A running total of amounts, kept in 128 bits so that adding never wraps; whether the total still
// fits an amount is asked at the end. Use it for every sum of many amounts (report totals).
class CurrencyTotal {
public:
    constexpr void Add(Currency value) { m_ticks += value.Ticks(); }
    constexpr bool Fits() const { return m_ticks >= INT64_MIN && m_ticks <= INT64_MAX; }
    // The total; nothing when it is beyond the range of an amount (the caller reports it).
    constexpr std::optional<Currency> Value() const {
        return Fits() ? std::optional<Currency>(Currency::FromTicks(static_cast<int64_t>(m_ticks))) : std::nullopt;
    }

private:
    __extension__ __int128 m_ticks = 0;
};

} // namespace platform
