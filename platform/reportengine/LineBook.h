#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <optional>

namespace platform::reportengine {

// The lines that a pass over a report measured, cell by cell in the order it laid them out, kept as
// places in each cell's text: four bytes for a cell of one line. A later pass over the same input lays
// out the same cells in the same order, so it takes their lines from here instead of measuring again.
class LineBook {
public:
    // Keeps the lines of the next cell; lines that are not pieces of the text in order (an elided
    // value) are not kept, and the later pass measures them again.
    void Keep(const QString& text, const QStringList& lines);
    std::size_t Cells() const { return m_cells; }

    // The lines of the cells one after the other, as they were kept.
    class Reader {
    public:
        explicit Reader(const LineBook& book) : m_book(book) {}
        // The lines of the next cell, or nothing where they must be measured again.
        std::optional<QStringList> Next(const QString& text);

    private:
        const LineBook& m_book;
        std::size_t m_at = 0;
    };

private:
    // Per cell a head word: kWhole (the text is its one line), kMeasure (not kept), or the number of
    // lines followed by the text's length and an offset and a length per line.
    static constexpr uint32_t kMeasure = 0;
    static constexpr uint32_t kWhole = 1;
    static constexpr uint32_t kCounted = 2; // head of a cell of n lines: n + kCounted
    std::deque<uint32_t> m_words; // grows in blocks, never copied whole as a vector would be
    std::size_t m_cells = 0;
};

} // namespace platform::reportengine
