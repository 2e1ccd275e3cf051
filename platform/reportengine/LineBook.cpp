#include "platform/reportengine/LineBook.h"

#include <limits>
#include <vector>

namespace platform::reportengine {

void LineBook::Keep(const QString& text, const QStringList& lines) {
    ++m_cells;
    if (lines.size() == 1 && lines.front() == text) {
        m_words.push_back(kWhole);
        return;
    }
    if (text.size() > std::numeric_limits<uint32_t>::max() - 1 ||
        static_cast<std::size_t>(lines.size()) > std::numeric_limits<uint32_t>::max() - kCounted) {
        m_words.push_back(kMeasure);
        return;
    }
    // Each line is found after the one before it (wrapping trims lines and drops only white space).
    std::vector<uint32_t> places;
    qsizetype from = 0;
    for (const QString& line : lines) {
        const qsizetype at = line.isEmpty() ? from : text.indexOf(line, from);
        if (at < 0) {
            m_words.push_back(kMeasure);
            return;
        }
        places.push_back(static_cast<uint32_t>(at));
        places.push_back(static_cast<uint32_t>(line.size()));
        from = at + line.size();
    }
    m_words.push_back(static_cast<uint32_t>(lines.size()) + kCounted);
    m_words.push_back(static_cast<uint32_t>(text.size()));
    m_words.insert(m_words.end(), places.begin(), places.end());
}

std::optional<QStringList> LineBook::Reader::Next(const QString& text) {
    const std::deque<uint32_t>& words = m_book.m_words;
    if (m_at >= words.size())
        return std::nullopt;
    const uint32_t head = words[m_at++];
    if (head == kWhole)
        return QStringList{text};
    if (head == kMeasure)
        return std::nullopt;
    const std::size_t count = head - kCounted;
    const uint32_t size = words[m_at++];
    const std::size_t places = m_at;
    m_at += 2 * count;
    // A text of another length than the one measured: a pass that went another way; measured again.
    if (size != static_cast<uint32_t>(text.size()))
        return std::nullopt;
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        lines << text.mid(words[places + 2 * i], words[places + 2 * i + 1]);
    return lines;
}

} // namespace platform::reportengine
