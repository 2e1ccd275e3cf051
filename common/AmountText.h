#pragma once

#include "platform/data/Currency.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace amb {

// An amount as lists, windows and reports show it: exactly two decimals (rounded half away from
// zero), the locale's group and decimal separators, and a currency symbol only where the locale has
// one of its own (the C locale has none). Computed from the exact value, never through a double.
QString AmountText(platform::Currency value, const QLocale& locale = QLocale());

// The same without any currency symbol, for columns and totals that are plain numbers.
QString AmountNumberText(platform::Currency value, const QLocale& locale = QLocale());

// Reads an amount as a person types it with the locale's own separators ("1,234.56" in English,
// "1.234,56" in German), blanks around allowed, exactly and rounded to cents half away from zero.
// A group separator must stand between digits before the decimal point. Nothing for any other
// text ("", "abc", "1.2.3", "1e5").
std::optional<platform::Currency> ParseAmountText(QStringView text, const QLocale& locale = QLocale());

} // namespace amb
