#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace amb {

// What a run of keys typed into a date box makes of the date, part by part. Digits fill the part they
// are typed in and move on once the part can take no more ("3" for a month, "15" for a day, four for a
// year); a separator moves to the next part, or just confirms a move already made. Parts not typed
// keep the date shown before. Keys that cannot go on from the part where typing started (past the last
// part, or a thirteenth month) are a whole date: the run is read again from the first part, so
// "1/5/1991" gives that date from any part.
class DateTyping {
public:
    enum class Kind { Day, Month, Year };

    // Nothing when the pattern has a part that is not typed as plain digits (month or day names,
    // two-digit years, times) or two parts with no separator between them.
    static std::optional<DateTyping> ForPattern(const QString& qtPattern);

    int PartCount() const { return static_cast<int>(m_parts.size()); }

    // Where each part stands in a text shown in this pattern: its start and length.
    struct Span {
        int start = 0;
        int length = 0;
    };
    std::vector<Span> Spans(const QString& shown) const;
    // The part under a position of the shown text (the closest one when it is on a separator).
    int PartAt(const QString& shown, int position) const;

    // Starts a run in the given part of the date shown.
    void Begin(const QDate& shown, int part);
    void End() { m_active = false; }
    bool Active() const { return m_active; }

    // False when the key cannot be part of a date here (a thirteenth month, a digit past the year).
    bool Type(QChar key);
    // Takes back the last key of the run; false when nothing was typed.
    bool Erase();

    // The date typed so far; invalid while a part is incomplete or the day is past the month's end.
    QDate Date() const;
    // The text to show while typing: typed parts as typed, the others as they were.
    QString Text() const;
    // The part the next digit goes to (the last part once the run has filled it).
    int Part() const;

private:
    struct PartOf {
        Kind kind = Kind::Day;
        bool padded = false; // "dd" and "MM" show two digits
    };
    struct Token {
        QString literal; // shown as is when part < 0
        int part = -1;
    };
    struct Walk {
        std::array<QString, 3> digits;
        int part = 0;
        bool ok = true;
    };

    Walk WalkFrom(int start, const QString& keys) const;
    Walk Interpret(const QString& keys) const;
    int ValueOf(int part) const;

    std::vector<PartOf> m_parts;
    std::vector<Token> m_tokens;
    QDate m_base;
    int m_start = 0;
    QString m_keys;
    Walk m_walk;
    bool m_active = false;
};

} // namespace amb
