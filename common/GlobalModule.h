#pragma once

// Date defaults and the list, name and address helpers that windows and reports repeat.

#include <QDateTime>

namespace amb {

// 1 January of the current year, midnight (naive).
QDateTime FirstDayOfYear();
// The first day of the current month, midnight (naive).
QDateTime FirstDayOfCurrentMonth();

} // namespace amb
