#pragma once

#include "platform/data/Currency.h"

#include <QLocale>
#include <QString>

namespace amb {

// An amount as lists, windows and reports show it: exactly two decimals (rounded half away from
// zero), the locale's group and decimal separators, and a currency symbol only where the locale has
// one of its own (the C locale has none). Computed from the exact value, never through a double.
QString AmountText(platform::Currency value, const QLocale& locale = QLocale());

// The same without any currency symbol, for columns and totals that are plain numbers.
QString AmountNumberText(platform::Currency value, const QLocale& locale = QLocale());

} // namespace amb
