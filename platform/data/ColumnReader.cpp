#include "platform/data/ColumnReader.h"

namespace platform {

namespace {

// Small results neither share texts nor keep them as UTF-8; from then on a column whose texts are
// nearly all different stops looking them up.
constexpr int kShareFrom = 32;
constexpr std::size_t kReviewEvery = 512;
constexpr std::size_t kMostShared = 16384;
constexpr std::size_t kLargestBlock = 256 * 1024;

// The stored form "YYYY-MM-DD HH:MM:SS" read without a parser; anything else goes through the general
// date reader.
QDateTime ReadStoredDate(const unsigned char* text, int bytes) {
    const auto digits = [text](int from, int count) {
        int value = 0;
        for (int k = from; k < from + count; ++k) {
            if (text[k] < '0' || text[k] > '9')
                return -1;
            value = value * 10 + (text[k] - '0');
        }
        return value;
    };
    if (bytes == 19 && text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' && text[16] == ':') {
        const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
        const QTime time(digits(11, 2), digits(14, 2), digits(17, 2));
        if (date.isValid() && time.isValid())
            return Naive(date, time);
    }
    return ParseDateText(QString::fromUtf8(reinterpret_cast<const char*>(text), bytes));
}

} // namespace

TextArena::~TextArena() {
    if (m_block)
        m_block->Deref();
}

BlockText TextArena::Add(const char* bytes, std::size_t size) {
    if (!m_block || m_block->Room() < size) {
        if (m_block)
            m_block->Deref();
        m_block = TextBlock::Create(std::max(m_nextSize, size));
        m_nextSize = std::min(m_nextSize * 2, kLargestBlock);
    }
    return BlockText(m_block, m_block->Append(bytes, size), size);
}

void ColumnReader::Text(sqlite3_value* value, Recordset::Row& row) {
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    const int bytes = sqlite3_value_bytes(value);
    ++m_texts;
    if (m_texts <= kShareFrom) {
        row.emplace_back(QString::fromUtf8(text, bytes));
        return;
    }
    if (m_sharing) {
        const auto looked = static_cast<std::size_t>(m_texts - kShareFrom);
        if (looked % kReviewEvery == 0 && m_shared.size() * 4 > looked * 3) {
            m_sharing = false;
            m_shared = {};
        }
    }
    if (!m_sharing) {
        row.emplace_back(m_arena->Add(text, static_cast<std::size_t>(bytes)));
        return;
    }
    const std::string_view key(text, static_cast<std::size_t>(bytes));
    if (const auto it = m_shared.find(key); it != m_shared.end()) {
        row.emplace_back(it->second);
        return;
    }
    QString result = QString::fromUtf8(text, bytes);
    if (m_shared.size() < kMostShared)
        m_shared.emplace(key, result);
    row.emplace_back(std::move(result));
}

// False when the text is no date.
bool ColumnReader::Date(sqlite3_value* value, Recordset::Row& row) {
    const auto* text = sqlite3_value_text(value);
    const int bytes = sqlite3_value_bytes(value);
    const std::string_view key(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes));
    if (m_lastDate.IsEmpty() || key != m_lastDateText) {
        const QDateTime date = ReadStoredDate(text, bytes);
        if (!date.isValid())
            return false;
        m_lastDateText.assign(key);
        m_lastDate = Variant(date);
    }
    row.push_back(m_lastDate);
    return true;
}

} // namespace platform
