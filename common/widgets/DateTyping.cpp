#include "common/widgets/DateTyping.h"

#include <algorithm>

namespace amb {

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsSeparator(QChar c) {
    return c.isPrint() && !c.isLetterOrNumber();
}

int MaxDigits(DateTyping::Kind kind) {
    return kind == DateTyping::Kind::Year ? 4 : 2;
}

int Largest(DateTyping::Kind kind) {
    return kind == DateTyping::Kind::Day ? 31 : kind == DateTyping::Kind::Month ? 12 : 9999;
}

// "0" may still become "05"; "00" or "13" can never be a day or month.
bool Acceptable(DateTyping::Kind kind, const QString& digits) {
    if (digits.size() > MaxDigits(kind))
        return false;
    if (digits.size() < MaxDigits(kind) || kind == DateTyping::Kind::Year)
        return true;
    const int value = digits.toInt();
    return value >= 1 && value <= Largest(kind);
}

// A part is full when another digit could only make it too large.
bool Full(DateTyping::Kind kind, const QString& digits) {
    return digits.size() == MaxDigits(kind) || digits.toInt() * 10 > Largest(kind);
}

} // namespace

std::optional<DateTyping> DateTyping::ForPattern(const QString& qtPattern) {
    DateTyping typing;
    bool seen[3] = {false, false, false};
    bool lastWasPart = false;
    QString literal;
    const auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            typing.m_tokens.push_back(Token{.literal = literal, .part = -1});
            literal.clear();
            lastWasPart = false;
        }
    };
    for (qsizetype i = 0; i < qtPattern.size();) {
        const QChar c = qtPattern[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = qtPattern.indexOf(QLatin1Char('\''), i + 1);
            if (end == i + 1)
                literal += QLatin1Char('\'');
            else
                literal += qtPattern.mid(i + 1, (end < 0 ? qtPattern.size() : end) - i - 1);
            i = end < 0 ? qtPattern.size() : end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < qtPattern.size() && qtPattern[i + run] == c)
            ++run;
        const char letter = c.toLatin1();
        if (QStringLiteral("hHmszaAt").contains(c))
            return std::nullopt;
        if (letter != 'd' && letter != 'M' && letter != 'y') {
            literal += qtPattern.mid(i, run);
            i += run;
            continue;
        }
        const Kind kind = letter == 'd' ? Kind::Day : letter == 'M' ? Kind::Month : Kind::Year;
        const bool fits = kind == Kind::Year ? run == 4 : run <= 2;
        flushLiteral();
        if (!fits || lastWasPart || seen[static_cast<int>(kind)])
            return std::nullopt;
        seen[static_cast<int>(kind)] = true;
        typing.m_tokens.push_back(Token{.literal = {}, .part = typing.PartCount()});
        typing.m_parts.push_back(PartOf{.kind = kind, .padded = run == 2 && kind != Kind::Year});
        lastWasPart = true;
        i += run;
    }
    flushLiteral();
    for (const Token& token : typing.m_tokens) {
        if (std::any_of(token.literal.begin(), token.literal.end(), IsDigit))
            return std::nullopt;
    }
    if (typing.m_parts.empty())
        return std::nullopt;
    return typing;
}

std::vector<DateTyping::Span> DateTyping::Spans(const QString& shown) const {
    std::vector<Span> spans(m_parts.size());
    int position = 0;
    for (const Token& token : m_tokens) {
        if (token.part < 0) {
            position += static_cast<int>(token.literal.size());
            continue;
        }
        int length = 0;
        while (position + length < shown.size() && IsDigit(shown[position + length]))
            ++length;
        // A text that is not in the pattern may run out before its parts do.
        position = std::min(position, static_cast<int>(shown.size()));
        spans[static_cast<size_t>(token.part)] = Span{.start = position, .length = length};
        position += length;
    }
    return spans;
}

int DateTyping::PartAt(const QString& shown, int position) const {
    const std::vector<Span> spans = Spans(shown);
    int best = 0;
    int bestDistance = -1;
    for (size_t i = 0; i < spans.size(); ++i) {
        const int end = spans[i].start + spans[i].length;
        const int distance = position < spans[i].start ? spans[i].start - position : std::max(0, position - end);
        if (bestDistance < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

void DateTyping::Begin(const QString& shown, const QDate& held, int part) {
    m_held = held;
    const std::vector<Span> spans = Spans(shown);
    for (size_t i = 0; i < spans.size(); ++i)
        m_shown[i] = shown.mid(spans[i].start, spans[i].length);
    m_start = std::clamp(part, 0, PartCount() - 1);
    m_keys.clear();
    Restart();
    m_active = true;
}

void DateTyping::Restart() {
    for (size_t i = 0; i < m_readings.size(); ++i) {
        const ReadingWay& way = kReadingWays[i];
        m_readings[i] = Reading{.walk = Walk{.digits = {}, .part = way.fromFirstPart ? 0 : m_start, .ok = true},
                                .anyValue = way.anyValue};
    }
    m_read = 0;
    m_readAny = false;
    m_walk = m_readings[0].walk;
}

void DateTyping::Step(Reading& reading, QChar key) const {
    Walk& walk = reading.walk;
    if (IsDigit(key)) {
        if (walk.part >= PartCount()) {
            walk.ok = false;
            return;
        }
        const Kind kind = m_parts[static_cast<size_t>(walk.part)].kind;
        QString& digits = walk.digits[static_cast<size_t>(walk.part)];
        if (reading.anyValue ? digits.size() >= MaxDigits(kind) : !Acceptable(kind, digits + key)) {
            walk.ok = false;
            return;
        }
        digits += key;
        reading.movedOn = Full(kind, digits);
        if (reading.movedOn)
            ++walk.part;
    } else if (!IsSeparator(key) || (!reading.movedOn && walk.part + 1 >= PartCount())) {
        walk.ok = false; // a letter, or a separator past the last part
    } else if (reading.movedOn) {
        reading.movedOn = false;
    } else {
        ++walk.part;
    }
}

void DateTyping::ReadUpTo(qsizetype end) {
    for (; m_read < end; ++m_read) {
        const QChar key = m_keys.at(m_read);
        if (!m_readAny && key.isSpace())
            continue;
        m_readAny = true;
        for (Reading& reading : m_readings)
            if (reading.walk.ok)
                Step(reading, key);
    }
    // Failing every reading, some key has no place.
    const auto holds = std::find_if(m_readings.cbegin(), m_readings.cend(), [](const Reading& r) { return r.walk.ok; });
    m_walk = holds != m_readings.cend() ? holds->walk : Walk{.digits = {}, .part = m_start, .ok = false};
}

bool DateTyping::Type(QChar key) {
    if (!m_active)
        return false;
    m_keys += key;
    // A space is read once a key follows it: after the run it is none. A run that lost a key's place never
    // finds it again by reading on.
    if (m_walk.ok && !key.isSpace())
        ReadUpTo(m_keys.size());
    return m_walk.ok;
}

bool DateTyping::Erase() {
    if (!m_active || m_keys.isEmpty())
        return false;
    m_keys.chop(1);
    Restart();
    qsizetype end = m_keys.size();
    while (end > 0 && m_keys.at(end - 1).isSpace())
        --end;
    ReadUpTo(end);
    return true;
}

bool DateTyping::Whole() const {
    return m_walk.ok && std::all_of(m_walk.digits.begin(), m_walk.digits.begin() + PartCount(),
                                    [](const QString& digits) { return !digits.isEmpty(); });
}

const QString& DateTyping::DigitsOf(int part) const {
    const QString& typed = m_walk.digits[static_cast<size_t>(part)];
    return typed.isEmpty() ? m_shown[static_cast<size_t>(part)] : typed;
}

QDate DateTyping::Date() const {
    if (!m_walk.ok)
        return {};
    std::array<int, 3> values = {m_held.day(), m_held.month(), m_held.year()}; // by Kind
    for (int part = 0; part < PartCount(); ++part) {
        bool ok = false;
        const int value = DigitsOf(part).toInt(&ok);
        if (!ok)
            return {};
        values[static_cast<size_t>(m_parts[static_cast<size_t>(part)].kind)] = value;
    }
    return QDate(values[static_cast<size_t>(Kind::Year)], values[static_cast<size_t>(Kind::Month)],
                 values[static_cast<size_t>(Kind::Day)]);
}

QString DateTyping::Text() const {
    QString text;
    for (const Token& token : m_tokens)
        text += token.part < 0 ? token.literal : DigitsOf(token.part);
    return text;
}

int DateTyping::Part() const {
    return std::clamp(m_walk.part, 0, PartCount() - 1);
}

} // namespace amb
