#include "platform/data/Currency.h"

namespace platform {

namespace {

// Group separators stand only between groups of three digits before the point: "1,234" but never
// "12,34" or "1,2,3", which would otherwise be read as another number.
bool GroupsInPlace(QStringView text) {
    if (!text.isEmpty() && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')))
        text = text.mid(1);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? text : text.left(point);
    if (point >= 0 && text.mid(point).contains(QLatin1Char(',')))
        return false;
    const qsizetype first = whole.indexOf(QLatin1Char(','));
    if (first < 0)
        return true;
    if (first == 0 || first > 3 || (whole.size() - first) % 4 != 0)
        return false;
    for (qsizetype at = first; at < whole.size(); at += 4)
        if (whole[at] != QLatin1Char(',') || whole.mid(at + 1, 3).contains(QLatin1Char(',')))
            return false;
    return true;
}

} // namespace

std::optional<Currency> Currency::Parse(const QString& input) {
    QString text = input.trimmed();
    if (!GroupsInPlace(text))
        return std::nullopt;
    text.remove(QLatin1Char(','));
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    int pos = 0;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        negative = text[0] == QLatin1Char('-');
        pos = 1;
    }
    int64_t whole = 0;
    int64_t fraction = 0;
    int fractionDigits = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('.')) {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        seenDigit = true;
        const int digit = c.unicode() - '0';
        if (seenPoint) {
            if (++fractionDigits > 4)
                return std::nullopt;
            fraction = fraction * 10 + digit;
        } else {
            if (whole > (INT64_MAX / Scale - 9) / 10)
                return std::nullopt;
            whole = whole * 10 + digit;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    for (int i = fractionDigits; i < 4; ++i)
        fraction *= 10;
    const int64_t ticks = whole * Scale + fraction;
    return Currency(negative ? -ticks : ticks);
}

QString Currency::ToString(int decimals) const {
    decimals = std::clamp(decimals, 0, 4);
    int64_t divisor = 1;
    for (int i = decimals; i < 4; ++i)
        divisor *= 10;
    const bool negative = m_ticks < 0;
    uint64_t magnitude = negative ? static_cast<uint64_t>(-(m_ticks + 1)) + 1 : static_cast<uint64_t>(m_ticks);
    magnitude = (magnitude + static_cast<uint64_t>(divisor / 2)) / static_cast<uint64_t>(divisor);
    uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    QString text = QString::number(magnitude / unit);
    if (decimals > 0)
        text += QLatin1Char('.') + QStringLiteral("%1").arg(magnitude % unit, decimals, 10, QLatin1Char('0'));
    if (negative && magnitude != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace platform
