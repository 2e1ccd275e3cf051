#include "common/Values.h"

#include "platform/data/Variant.h"

// The dates of the value module: the system's date texts and the DateFormat setting's patterns.

namespace amb {

namespace {

// A small cursor over the text: dates are read by hand, since list fills parse every row.
class Reader {
public:
    explicit Reader(QStringView text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : m_text[m_pos]; }
    void Skip() { ++m_pos; }
    int SkipBlanks() {
        const qsizetype start = m_pos;
        while (!AtEnd() && m_text[m_pos] == QLatin1Char(' '))
            ++m_pos;
        return static_cast<int>(m_pos - start);
    }
    bool Take(QChar c) {
        if (Peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    // Reads 1..maxDigits ASCII digits; returns the digit count (0 when none).
    int Number(int maxDigits, int& value) {
        value = 0;
        int digits = 0;
        while (!AtEnd() && digits <= maxDigits) {
            const char16_t c = m_text[m_pos].unicode();
            if (c < u'0' || c > u'9')
                break;
            value = value * 10 + (c - u'0');
            ++digits;
            ++m_pos;
        }
        return digits > maxDigits ? 0 : digits;
    }
    bool TakeMeridiem(bool& pm) {
        const QStringView rest = m_text.mid(m_pos);
        if (rest.size() < 2 || rest[1].toUpper() != QLatin1Char('M'))
            return false;
        const QChar first = rest[0].toUpper();
        if (first != QLatin1Char('A') && first != QLatin1Char('P'))
            return false;
        pm = first == QLatin1Char('P');
        m_pos += 2;
        return true;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

bool IsSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('-');
}

bool ReadDate(Reader& in, QDate& date) {
    int first = 0;
    const int firstDigits = in.Number(4, first);
    if (firstDigits == 0 || !IsSeparator(in.Peek()))
        return false;
    const QChar separator = in.Peek();
    in.Skip();
    int second = 0;
    if (in.Number(2, second) == 0 || !in.Take(separator))
        return false;
    int third = 0;
    const int thirdDigits = in.Number(4, third);
    if (firstDigits == 4 && thirdDigits >= 1 && thirdDigits <= 2)
        date = QDate(first, second, third); // year first
    else if (firstDigits <= 2 && thirdDigits == 4)
        date = QDate(third, first, second); // month first
    else
        return false;
    return date.isValid();
}

bool ReadTime(Reader& in, QTime& time) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (in.Number(2, hour) == 0 || !in.Take(QLatin1Char(':')) || in.Number(2, minute) != 2)
        return false;
    if (in.Take(QLatin1Char(':')) && in.Number(2, second) != 2)
        return false;
    in.SkipBlanks();
    bool pm = false;
    if (in.TakeMeridiem(pm)) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    time = QTime(hour, minute, second);
    return time.isValid();
}

bool IsPatternLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Qt's pattern under construction: letters that are no pattern letters go between quotes.
class PatternBuilder {
public:
    void Pattern(const QString& text) {
        Close();
        m_out += text;
    }
    void Literal(QChar c) {
        if (IsPatternLetter(c)) {
            if (!m_quoted)
                m_out += QLatin1Char('\'');
            m_quoted = true;
            m_out += c;
        } else {
            Close();
            m_out += c == QLatin1Char('\'') ? QStringLiteral("''") : QString(c);
        }
    }
    QString Result() {
        Close();
        return m_out;
    }

private:
    void Close() {
        if (m_quoted)
            m_out += QLatin1Char('\'');
        m_quoted = false;
    }
    QString m_out;
    bool m_quoted = false;
};

} // namespace

std::optional<QDateTime> ParseDate(QStringView text) {
    Reader in(text);
    in.SkipBlanks();
    QDate date;
    if (!ReadDate(in, date))
        return std::nullopt;
    QTime time(0, 0);
    const int blanks = in.SkipBlanks();
    if (!in.AtEnd()) {
        if (blanks == 0 && !in.Take(QLatin1Char('T')))
            return std::nullopt;
        if (!ReadTime(in, time))
            return std::nullopt;
        in.SkipBlanks();
        if (!in.AtEnd())
            return std::nullopt;
    }
    return platform::Naive(date, time);
}

QString SystemDateText(const QDateTime& value) {
    if (!value.isValid())
        return QString();
    const QDate d = value.date();
    QString text = QString::number(d.month()) + QLatin1Char('/') + QString::number(d.day()) + QLatin1Char('/') +
                   QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    const QTime t = value.time();
    if (t.hour() != 0 || t.minute() != 0 || t.second() != 0)
        text += QLatin1Char(' ') + t.toString(QStringLiteral("HH:mm:ss"));
    return text;
}

QString DatePattern(const QString& pattern) {
    if (pattern.isEmpty())
        return DatePattern(DefaultDateFormat());
    PatternBuilder out;
    bool afterHour = false; // "m" right after an hour means minutes in the old notation
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            out.Literal(pattern[i + 1]);
            i += 2;
            continue;
        }
        if (c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            for (qsizetype k = i + 1; k < stop; ++k)
                out.Literal(pattern[k]);
            i = stop + 1;
            continue;
        }
        const QStringView rest = QStringView(pattern).mid(i);
        if (rest.startsWith(QLatin1String("AM/PM"), Qt::CaseInsensitive)) {
            out.Pattern(rest[0].isLower() ? QLatin1String("ap") : QLatin1String("AP"));
            i += 5;
            continue;
        }
        if (rest.startsWith(QLatin1String("A/P"), Qt::CaseInsensitive)) {
            out.Pattern(rest[0].isLower() ? QLatin1String("a") : QLatin1String("A"));
            i += 3;
            continue;
        }
        if (!IsPatternLetter(c)) {
            out.Literal(c);
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == c.toLower())
            ++run;
        const QChar letter = c.toLower();
        const int n = static_cast<int>(run);
        if (letter == QLatin1Char('d')) {
            out.Pattern(QString(std::min(n, 4), QLatin1Char('d')));
        } else if (letter == QLatin1Char('m')) {
            // Minutes when an hour precedes or seconds follow; otherwise the month.
            const QStringView after = QStringView(pattern).mid(i + run).trimmed();
            const bool minutes = n <= 2 && (afterHour || after.startsWith(QLatin1Char(':')));
            out.Pattern(minutes ? QString(n, QLatin1Char('m')) : QString(std::min(n, 4), QLatin1Char('M')));
        } else if (letter == QLatin1Char('n')) {
            out.Pattern(QString(std::min(n, 2), QLatin1Char('m')));
        } else if (letter == QLatin1Char('y')) {
            out.Pattern(QLatin1String("yyyy"));
        } else if (letter == QLatin1Char('h')) {
            out.Pattern(QString(std::min(n, 2), QLatin1Char('h')));
        } else if (letter == QLatin1Char('s')) {
            out.Pattern(QString(std::min(n, 2), QLatin1Char('s')));
        } else {
            for (qsizetype k = 0; k < run; ++k)
                out.Literal(pattern[i + k]);
        }
        afterHour = letter == QLatin1Char('h');
        i += run;
    }
    return out.Result();
}

QString FormatDateWith(const QDateTime& value, const QString& dateFormatSetting) {
    return value.isValid() ? value.toString(DatePattern(dateFormatSetting)) : QString();
}

} // namespace amb
