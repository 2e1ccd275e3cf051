#include "common/Values.h"

#include "common/DateText.h"
#include "common/GlobalModule.h"
#include "common/StandardModule.h"

#include <cstdint>

namespace amb {

namespace {

constexpr int64_t kScale = platform::Currency::Scale;

// The magnitude of any amount, the most negative one included.
uint64_t Magnitude(platform::Currency value) {
    const int64_t ticks = value.Ticks();
    return ticks < 0 ? uint64_t(0) - uint64_t(ticks) : uint64_t(ticks);
}

// "1,234,567.89" in the locale's separators, without sign: two decimals, or as many as the value has
// up to four.
QString MagnitudeText(uint64_t ticks, const QLocale& locale, bool grouped) {
    const QString whole = QString::number(ticks / kScale);
    QString text;
    text.reserve(whole.size() + whole.size() / 3 + 6);
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (grouped && i > 0 && (whole.size() - i) % 3 == 0)
            text += locale.groupSeparator();
        text += whole.at(i);
    }
    uint64_t fraction = ticks % kScale;
    int decimals = 4;
    while (decimals > 2 && fraction % 10 == 0) {
        fraction /= 10;
        --decimals;
    }
    text += locale.decimalPoint();
    text += QStringLiteral("%1").arg(fraction, decimals, 10, QLatin1Char('0'));
    return text;
}

bool HasOwnCurrency(const QLocale& locale) {
    return locale.language() != QLocale::C && !locale.currencySymbol(QLocale::CurrencySymbol).isEmpty();
}

QString NumberText(platform::Currency value, const QLocale& locale, bool grouped) {
    const QString magnitude = MagnitudeText(Magnitude(value), locale, grouped);
    return value.Ticks() < 0 ? locale.negativeSign() + magnitude : magnitude;
}

QString CurrencyText(platform::Currency value, const QLocale& locale) {
    if (!HasOwnCurrency(locale))
        return NumberText(value, locale, true);
    const bool negative = value.Ticks() < 0;
    // The locale's own pattern (symbol before or after, sign or parentheses, spacing) around our
    // exact digits.
    const QString pattern = locale.toCurrencyString(negative ? -1.0 : 1.0, QString(), 2);
    const QString one = locale.toString(1.0, 'f', 2);
    const qsizetype at = pattern.indexOf(one);
    if (at < 0)
        return NumberText(value, locale, true);
    QString text = pattern;
    text.replace(at, one.size(), MagnitudeText(Magnitude(value), locale, true));
    return text;
}

// ---- Reading ---------------------------------------------------------------------------------------

struct Syntax {
    QString decimal;
    QString group;
    QString symbol;    // the locale's currency symbol; empty accepts any currency sign character
    bool strictGroups; // groups of three between digits, as a number is shown
    bool groupIsBlank; // a locale that groups with a (no-break) space also takes a typed space
};

Syntax SyntaxOf(AmountSyntax syntax, const QLocale& locale) {
    if (syntax == AmountSyntax::Neutral)
        return Syntax{QStringLiteral("."), QStringLiteral(","), QString(), false, false};
    const QString group = locale.groupSeparator();
    return Syntax{locale.decimalPoint(), group,
                  HasOwnCurrency(locale) ? locale.currencySymbol(QLocale::CurrencySymbol) : QString(), true,
                  group.size() == 1 && group.at(0).isSpace()};
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Takes a currency sign off the front (or back) of the text.
bool TakeSymbol(QStringView& rest, const Syntax& s, bool front) {
    if (rest.isEmpty())
        return false;
    if (!s.symbol.isEmpty()) {
        if (front ? rest.startsWith(s.symbol) : rest.endsWith(s.symbol)) {
            rest = front ? rest.mid(s.symbol.size()) : rest.left(rest.size() - s.symbol.size());
            return true;
        }
        return false;
    }
    const QChar c = front ? rest.front() : rest.back();
    if (c.category() != QChar::Symbol_Currency)
        return false;
    rest = front ? rest.mid(1) : rest.left(rest.size() - 1);
    return true;
}

// Takes a sign off the front; -1 negative, +1 positive, 0 none.
int TakeSign(QStringView& rest, const QLocale& locale, AmountSyntax syntax) {
    const QString minus = syntax == AmountSyntax::Typed ? locale.negativeSign() : QStringLiteral("-");
    const QString plus = syntax == AmountSyntax::Typed ? locale.positiveSign() : QStringLiteral("+");
    for (const auto& [sign, value] : {std::pair{minus, -1}, std::pair{QStringLiteral("-"), -1}, std::pair{plus, 1},
                                      std::pair{QStringLiteral("+"), 1}})
        if (!sign.isEmpty() && rest.startsWith(sign)) {
            rest = rest.mid(sign.size());
            return value;
        }
    return 0;
}

struct Digits {
    unsigned __int128 whole = 0;
    bool huge = false; // more whole digits than any amount has
    QStringView fraction;
    int wholeDigits = 0;
};

// The digits with their separators; nothing when the text is no number.
std::optional<Digits> ReadDigits(QStringView rest, const Syntax& s) {
    Digits d;
    bool grouped = false;
    int sinceGroup = 0; // digits after the last group separator, which must be three
    qsizetype i = 0;
    for (; i < rest.size(); ++i) {
        const QChar c = rest.at(i);
        if (IsAsciiDigit(c)) {
            if (d.whole > (unsigned __int128)(UINT64_MAX))
                d.huge = true;
            else
                d.whole = d.whole * 10 + (c.unicode() - u'0');
            ++d.wholeDigits;
            ++sinceGroup;
            continue;
        }
        const bool group = rest.mid(i).startsWith(s.group) || (s.groupIsBlank && c.isSpace());
        if (!group)
            break;
        if (s.strictGroups && (d.wholeDigits == 0 || sinceGroup > 3 || (grouped && sinceGroup != 3)))
            return std::nullopt;
        grouped = true;
        sinceGroup = 0;
        i += (c.isSpace() && s.groupIsBlank ? 1 : s.group.size()) - 1;
    }
    if (s.strictGroups && grouped && sinceGroup != 3)
        return std::nullopt;
    if (i < rest.size()) {
        if (!rest.mid(i).startsWith(s.decimal))
            return std::nullopt;
        d.fraction = rest.mid(i + s.decimal.size());
        for (const QChar c : d.fraction)
            if (!IsAsciiDigit(c))
                return std::nullopt;
    }
    if (d.wholeDigits + d.fraction.size() == 0)
        return std::nullopt;
    return d;
}

} // namespace

QString FormatAmount(platform::Currency value, AmountStyle style, const QLocale& locale) {
    switch (style) {
    case AmountStyle::Currency:
        return CurrencyText(value, locale);
    case AmountStyle::Number:
        return NumberText(value, locale, true);
    case AmountStyle::Entry:
        break;
    }
    return NumberText(value, locale, false);
}

AmountReading ParseAmount(QStringView text, AmountSyntax syntax, const QLocale& locale) {
    using Result = AmountReading::Result;
    AmountReading reading;
    const Syntax s = SyntaxOf(syntax, locale);
    QStringView rest = text.trimmed();
    bool negative = false;
    bool parentheses = false;
    if (rest.startsWith(QLatin1Char('(')) && rest.endsWith(QLatin1Char(')'))) {
        parentheses = negative = true;
        rest = rest.mid(1, rest.size() - 2).trimmed();
    }
    // A sign and a currency sign in either order before the number, or the currency sign after it.
    bool symbol = false;
    bool sign = false;
    for (bool progress = true; progress;) {
        progress = false;
        if (!sign && !parentheses) {
            if (const int taken = TakeSign(rest, locale, syntax)) {
                negative = taken < 0;
                sign = progress = true;
            }
        }
        if (!symbol && TakeSymbol(rest, s, true))
            symbol = progress = true;
        if (progress)
            rest = rest.trimmed();
    }
    if (!symbol && TakeSymbol(rest, s, false))
        rest = rest.trimmed();

    const std::optional<Digits> digits = ReadDigits(rest, s);
    if (!digits)
        return reading;

    // Whole ticks up to the fourth decimal; what lies beyond decides rounding (Neutral) or refusal.
    unsigned __int128 ticks = digits->whole * kScale;
    unsigned __int128 unit = kScale / 10;
    for (qsizetype i = 0; i < 4 && i < digits->fraction.size(); ++i, unit /= 10)
        ticks += unit * (digits->fraction[i].unicode() - u'0');
    bool beyondTwo = false;
    for (qsizetype i = 2; i < digits->fraction.size(); ++i)
        beyondTwo = beyondTwo || digits->fraction[i] != QLatin1Char('0');
    if (digits->fraction.size() > 4) {
        const QChar next = digits->fraction[4];
        bool restNonZero = false;
        for (qsizetype i = 5; i < digits->fraction.size(); ++i)
            restNonZero = restNonZero || digits->fraction[i] != QLatin1Char('0');
        reading.exact = next == QLatin1Char('0') && !restNonZero;
        // Half to even at the fourth decimal, as the conversions always rounded.
        if (next > QLatin1Char('5') || (next == QLatin1Char('5') && (restNonZero || ticks % 2 == 1)))
            ++ticks;
    }

    if (syntax == AmountSyntax::Typed && beyondTwo) {
        reading.result = Result::TooManyDecimals;
        return reading;
    }
    const uint64_t limit = syntax == AmountSyntax::Typed ? uint64_t(kLargestAmount.Ticks()) : uint64_t(INT64_MAX);
    if (digits->huge || ticks > limit) {
        reading.result = Result::OutOfRange;
        return reading;
    }
    const int64_t signedTicks = static_cast<int64_t>(ticks);
    reading.value = platform::Currency::FromTicks(negative ? -signedTicks : signedTicks);
    reading.result = Result::Amount;
    return reading;
}

QString DatePattern(const QString& dateFormatSetting) {
    return ToQtDatePattern(dateFormatSetting);
}

QString DisplayName(const PersonNameParts& parts, EnumSupportedLocaleID nameLocale) {
    const QString english = FormatPersonName(parts.first, parts.middle, parts.last, QString(), parts.suffix);
    const QString language = parts.language.trimmed();
    if (nameLocale == EnumSupportedLocaleID::English)
        return english.isEmpty() ? language : english;
    return language.isEmpty() ? english : language;
}

QString DisplayName(const platform::Recordset& person, EnumSupportedLocaleID nameLocale) {
    const auto field = [&person](const char* name) {
        const QString field = QLatin1String(name);
        return person.HasField(field) ? AsString(person.Field(field)) : QString();
    };
    return DisplayName({.first = field("FirstName"),
                        .middle = field("MiddleName"),
                        .last = field("LastName"),
                        .suffix = field("Suffix"),
                        .language = field("LanguageName")},
                       nameLocale);
}

} // namespace amb
