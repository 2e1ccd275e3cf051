#include "common/GlobalModule.h"

#include "platform/data/Variant.h"

namespace amb {

QDateTime FirstDayOfYear() { return platform::MakeDateTime(platform::Now().date().year(), 1, 1); }

QDateTime FirstDayOfCurrentMonth() {
    const QDate today = platform::Now().date();
    return platform::MakeDateTime(today.year(), today.month(), 1);
}

} // namespace amb
