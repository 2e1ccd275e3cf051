#include "common/AmountText.h"

#include <cstdint>

namespace amb {

namespace {

// Magnitude in cents, rounded half away from zero; unsigned so that the most negative value fits.
uint64_t CentsOf(platform::Currency value) {
    const int64_t ticks = value.Ticks();
    const uint64_t magnitude = ticks < 0 ? uint64_t(0) - uint64_t(ticks) : uint64_t(ticks);
    constexpr uint64_t perCent = platform::Currency::Scale / 100;
    return (magnitude + perCent / 2) / perCent;
}

// "1,234,567.89" in the locale's separators, without sign.
QString MagnitudeText(uint64_t cents, const QLocale& locale) {
    const QString whole = QString::number(cents / 100);
    const bool grouped = !(locale.numberOptions() & QLocale::OmitGroupSeparator);
    QString text;
    text.reserve(whole.size() + whole.size() / 3 + 3);
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (grouped && i > 0 && (whole.size() - i) % 3 == 0)
            text += locale.groupSeparator();
        text += whole.at(i);
    }
    const uint64_t fraction = cents % 100;
    text += locale.decimalPoint();
    text += QChar(u'0' + int(fraction / 10));
    text += QChar(u'0' + int(fraction % 10));
    return text;
}

bool HasOwnCurrency(const QLocale& locale) {
    return locale.language() != QLocale::C && !locale.currencySymbol(QLocale::CurrencySymbol).isEmpty();
}

} // namespace

QString AmountNumberText(platform::Currency value, const QLocale& locale) {
    const uint64_t cents = CentsOf(value);
    const QString magnitude = MagnitudeText(cents, locale);
    return value.Ticks() < 0 && cents != 0 ? locale.negativeSign() + magnitude : magnitude;
}

QString AmountText(platform::Currency value, const QLocale& locale) {
    if (!HasOwnCurrency(locale))
        return AmountNumberText(value, locale);
    const uint64_t cents = CentsOf(value);
    const bool negative = value.Ticks() < 0 && cents != 0;
    // The locale's own pattern (symbol before or after, sign, spacing) around our exact digits.
    const QString pattern = locale.toCurrencyString(negative ? -1.0 : 1.0, QString(), 2);
    const QString one = locale.toString(1.0, 'f', 2);
    const qsizetype at = pattern.indexOf(one);
    if (at < 0)
        return AmountNumberText(value, locale);
    QString text = pattern;
    text.replace(at, one.size(), MagnitudeText(cents, locale));
    return text;
}

} // namespace amb
