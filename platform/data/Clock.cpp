#include "platform/data/Clock.h"

#include <mutex>

namespace platform {

namespace {

std::mutex& ClockMutex() {
    static std::mutex mutex;
    return mutex;
}

std::function<QDateTime()>& Override() {
    static std::function<QDateTime()> now;
    return now;
}

} // namespace

QDateTime CurrentLocalDateTime() {
    std::function<QDateTime()> now;
    {
        const std::lock_guard lock(ClockMutex());
        now = Override();
    }
    return now ? now() : QDateTime::currentDateTime();
}

QDate Today() {
    return CurrentLocalDateTime().date();
}

void SetClock(std::function<QDateTime()> now) {
    const std::lock_guard lock(ClockMutex());
    Override() = std::move(now);
}

} // namespace platform
