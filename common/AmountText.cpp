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

std::optional<platform::Currency> ParseAmountText(QStringView text, const QLocale& locale) {
    QStringView rest = text.trimmed();
    bool negative = false;
    for (const QString& sign : {locale.negativeSign(), QStringLiteral("-")})
        if (!negative && !sign.isEmpty() && rest.startsWith(sign)) {
            negative = true;
            rest = rest.mid(sign.size());
        }
    if (!negative)
        for (const QString& sign : {locale.positiveSign(), QStringLiteral("+")})
            if (!sign.isEmpty() && rest.startsWith(sign)) {
                rest = rest.mid(sign.size());
                break;
            }
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    // Up to 14 whole digits keeps every value inside the exact range.
    constexpr int kMaxWholeDigits = 14;
    int64_t whole = 0;
    int wholeDigits = 0;
    bool grouped = false;
    int sinceGroup = 0; // digits after the last group separator, which must be three
    qsizetype i = 0;
    for (; i < rest.size(); ++i) {
        const QChar c = rest.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            if (++wholeDigits > kMaxWholeDigits)
                return std::nullopt;
            whole = whole * 10 + (c.unicode() - u'0');
            ++sinceGroup;
            continue;
        }
        if (!group.isEmpty() && rest.mid(i).startsWith(group)) {
            if (wholeDigits == 0 || sinceGroup > 3 || (grouped && sinceGroup != 3))
                return std::nullopt;
            grouped = true;
            sinceGroup = 0;
            i += group.size() - 1;
            continue;
        }
        break;
    }
    if (grouped && sinceGroup != 3)
        return std::nullopt;
    int fractionDigits = 0;
    int64_t cents = 0;
    bool roundUp = false;
    if (i < rest.size()) {
        if (!rest.mid(i).startsWith(decimal))
            return std::nullopt;
        for (i += decimal.size(); i < rest.size(); ++i) {
            const QChar c = rest.at(i);
            if (!c.isDigit() || c.unicode() >= 128)
                return std::nullopt;
            const int digit = c.unicode() - u'0';
            if (fractionDigits < 2)
                cents = cents * 10 + digit;
            else if (fractionDigits == 2)
                roundUp = digit >= 5;
            ++fractionDigits;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int d = fractionDigits; d < 2; ++d)
        cents *= 10;
    int64_t total = whole * 100 + cents + (roundUp ? 1 : 0);
    if (negative)
        total = -total;
    return platform::Currency::FromTicks(total * (platform::Currency::Scale / 100));
}

} // namespace amb
