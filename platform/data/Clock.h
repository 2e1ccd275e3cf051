#pragma once

#include <QDate>
#include <QDateTime>

#include <functional>

namespace platform {

// The wall clock of the whole process: platform::Now() (Variant.h) and Today() read it. Everything
// that asks for "now" or "today" (the status bar's date, this month's birthdays, a new record's
// date) asks there, so tests fix the time instead of depending on the day they run. One copy per
// process: this library is shared.
QDateTime CurrentLocalDateTime();
QDate Today();

// Replaces the clock with one giving local wall-clock times; an empty function brings back the
// system clock.
void SetClock(std::function<QDateTime()> now);

// A fixed clock for the lifetime of the scope (tests).
class ClockScope {
public:
    explicit ClockScope(const QDateTime& fixed) {
        SetClock([fixed] { return fixed; });
    }
    ~ClockScope() { SetClock({}); }
    ClockScope(const ClockScope&) = delete;
    ClockScope& operator=(const ClockScope&) = delete;
};

} // namespace platform
