#include "common/Values.h"

#include "common/StandardModule.h"

#include <algorithm>
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

struct Syntax {
    QString decimal;
    QString group;     // empty: no group separator at all
    QString symbol;    // the locale's currency symbol; empty accepts any currency sign character
    bool groupIsBlank; // a locale that groups with a (no-break) space also takes a typed space
};

// The plain numeric text of the conversions.
const Syntax kPlain{QStringLiteral("."), QString(), QString(), false};

Syntax SyntaxOf(AmountSyntax syntax, const QLocale& locale) {
    if (syntax == AmountSyntax::Neutral)
        return Syntax{QStringLiteral("."), QStringLiteral(","), QString(), false};
    const QString group = locale.groupSeparator();
    return Syntax{locale.decimalPoint(), group,
                  HasOwnCurrency(locale) ? locale.currencySymbol(QLocale::CurrencySymbol) : QString(),
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
    bool huge = false; // more whole digits than any 64-bit number has
    QStringView fraction;
    int wholeDigits = 0;
};

// The one reader of decimal digits in the program: the digits with their separators (groups of
// three between digits, as a number is shown); nothing when the text is no number.
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
        const bool group = (!s.group.isEmpty() && rest.mid(i).startsWith(s.group)) || (s.groupIsBlank && c.isSpace());
        if (!group)
            break;
        if (d.wholeDigits == 0 || sinceGroup > 3 || (grouped && sinceGroup != 3))
            return std::nullopt;
        grouped = true;
        sinceGroup = 0;
        i += (c.isSpace() && s.groupIsBlank ? 1 : s.group.size()) - 1;
    }
    if (grouped && sinceGroup != 3)
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

// The magnitude in units of 10^-decimals, the digits beyond rounded half to even; nothing when it is
// beyond every 64-bit magnitude.
std::optional<uint64_t> Rounded(const Digits& d, int decimals) {
    if (d.huge)
        return std::nullopt;
    unsigned __int128 units = d.whole;
    for (qsizetype i = 0; i < decimals; ++i)
        units = units * 10 + (i < d.fraction.size() ? d.fraction[i].unicode() - u'0' : 0);
    if (d.fraction.size() > decimals) {
        const QChar next = d.fraction[decimals];
        bool restNonZero = false;
        for (qsizetype i = decimals + 1; i < d.fraction.size(); ++i)
            restNonZero = restNonZero || d.fraction[i] != QLatin1Char('0');
        if (next > QLatin1Char('5') || (next == QLatin1Char('5') && (restNonZero || units % 2 == 1)))
            ++units;
    }
    if (units > (unsigned __int128)(UINT64_MAX))
        return std::nullopt;
    return static_cast<uint64_t>(units);
}

// Whether every digit beyond the first `decimals` is zero.
bool NothingBeyond(const Digits& d, int decimals) {
    for (qsizetype i = decimals; i < d.fraction.size(); ++i)
        if (d.fraction[i] != QLatin1Char('0'))
            return false;
    return true;
}

QStringView SpacesTrimmed(QStringView text) {
    while (text.startsWith(QLatin1Char(' ')))
        text = text.mid(1);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
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

    reading.exact = NothingBeyond(*digits, 4);
    if (syntax == AmountSyntax::Typed && !NothingBeyond(*digits, 2)) {
        reading.result = Result::TooManyDecimals;
        return reading;
    }
    // Half to even at the fourth decimal, as the conversions always rounded.
    const std::optional<uint64_t> ticks = Rounded(*digits, 4);
    const uint64_t limit = syntax == AmountSyntax::Typed ? uint64_t(kLargestAmount.Ticks()) : uint64_t(INT64_MAX);
    if (!ticks || *ticks > limit) {
        reading.result = Result::OutOfRange;
        return reading;
    }
    const auto signedTicks = static_cast<int64_t>(*ticks);
    reading.value = platform::Currency::FromTicks(negative ? -signedTicks : signedTicks);
    reading.result = Result::Amount;
    return reading;
}

std::optional<platform::Currency> ReadStoredAmount(const platform::Variant& stored) {
    using Type = platform::Variant::Type;
    switch (stored.GetType()) {
    case Type::Empty:
    case Type::Null:
        return platform::Currency();
    case Type::Currency:
        return stored.ToCurrency();
    case Type::Int16:
    case Type::Int32:
        return platform::Currency::FromTicks(stored.ToInt());
    case Type::String: {
        const AmountReading amount = ParseAmount(stored.ToString(), AmountSyntax::Neutral);
        if (amount.IsAmount())
            return amount.value;
        return std::nullopt;
    }
    default: // a real number, a date or a Boolean in an amount column
        return std::nullopt;
    }
}

PlainNumber ReadPlainNumber(QStringView text, int decimals, uint64_t limit) {
    PlainNumber number;
    QStringView rest = SpacesTrimmed(text);
    bool negative = false;
    if (rest.startsWith(QLatin1Char('-')) || rest.startsWith(QLatin1Char('+'))) {
        negative = rest.front() == QLatin1Char('-');
        rest = rest.mid(1);
    }
    const std::optional<Digits> digits = ReadDigits(rest, kPlain);
    if (!digits)
        return number;
    number.isNumber = true;
    const std::optional<uint64_t> units = Rounded(*digits, std::clamp(decimals, 0, 4));
    if (!units || *units > std::min<uint64_t>(limit, INT64_MAX))
        return number;
    number.inRange = true;
    number.value = negative ? -static_cast<int64_t>(*units) : static_cast<int64_t>(*units);
    return number;
}

QString DisplayName(const PersonNameParts& parts, EnumSupportedLocaleID nameLocale) {
    // "Last, First Middle Suffix"; without a last name "First Middle Suffix".
    QString english = parts.last.isEmpty() ? parts.first : parts.last + QLatin1String(", ") + parts.first;
    for (const QString* part : {&parts.middle, &parts.suffix})
        if (!part->isEmpty())
            english += QLatin1Char(' ') + *part;
    english = SpacesTrimmed(english).toString();
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
