#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <iterator>
#include <optional>
#include <vector>

namespace amb {

// What a run of keys typed into a date box makes of the date, part by part. Digits fill the part they
// are typed in and move on once the part can take no more ("3" for a month, "15" for a day, four for a
// year); a separator moves to the next part, or just confirms a move already made. Parts not typed
// keep what was shown before (a date, or a text typed earlier that is not one). Keys that cannot go on from the part
// where typing started (past the last part, or a thirteenth month) are a whole date: the run is read again from the
// first part, so "1/5/1991" gives that date from any part. Keys that fit the parts only as typed make an invalid date
// ("13/1/2026"). Spaces before and after the run are no keys. Every key is kept: once one has no place either way
// (a letter, a fourth part), the run is no date at all, and only its text is left to show. Each key is read once,
// as it comes (spaces once a key follows them), so a long run costs time in proportion to its length.
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

    // Starts a run in the given part of the text shown; a part the pattern lacks is the held date's.
    void Begin(const QString& shown, const QDate& held, int part);
    void End() { m_active = false; }
    bool Active() const { return m_active; }

    // Keeps the key; false once a key of the run has no place (a digit past the year, a letter).
    bool Type(QChar key);
    // Takes back the last key of the run; false when nothing was typed.
    bool Erase();
    // Every key of the run has its place.
    bool Placed() const { return m_walk.ok; }
    // Every part was typed in the run.
    bool Whole() const;
    // The keys typed since the run began, without the spaces around them.
    QString Keys() const { return m_keys.trimmed(); }

    // The date the text shown makes; invalid when it makes none (a thirteenth month, 30 February, a key
    // with no place).
    QDate Date() const;
    // The text to show while every key has its place: typed parts as typed, the others as they were.
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
    // One way of reading the run, key by key: from where typing started or from the first part, and with
    // anyValue taking digits that no day or month has ("13", "00") as typed. A key without a place ends it.
    struct Reading {
        Walk walk;
        bool anyValue = false;
        bool movedOn = false; // the last digit filled its part, so a separator only confirms the move
    };

    // Back to the run's start, no key read.
    void Restart();
    void Step(Reading& reading, QChar key) const;
    // Reads the keys not read yet up to `end` (those before the first that is no space are none), then
    // takes the first reading that still holds.
    void ReadUpTo(qsizetype end);
    const QString& DigitsOf(int part) const;

    std::vector<PartOf> m_parts;
    std::vector<Token> m_tokens;
    std::array<QString, 3> m_shown; // each part's digits as shown when the run began
    QDate m_held;
    int m_start = 0;
    QString m_keys;
    // The ways of reading a run, in the order they are preferred: as a date from where typing started, then as
    // a whole date; failing both, the same two as typed ("13/1/2026"), to be shown as not a date.
    struct ReadingWay {
        bool fromFirstPart;
        bool anyValue;
    };
    static constexpr ReadingWay kReadingWays[] = {
        {.fromFirstPart = false, .anyValue = false},
        {.fromFirstPart = true, .anyValue = false},
        {.fromFirstPart = false, .anyValue = true},
        {.fromFirstPart = true, .anyValue = true},
    };
    std::array<Reading, std::size(kReadingWays)> m_readings;
    qsizetype m_read = 0;   // the keys read so far
    bool m_readAny = false; // a key that is no space was read
    Walk m_walk;
    bool m_active = false;
};

} // namespace amb
