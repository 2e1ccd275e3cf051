#include "platform/data/ColumnReader.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {

// Small results neither share texts nor leave them as UTF-8; from then on a column whose texts are
// nearly all different stops looking them up.
constexpr int kShareFrom = 32;
constexpr std::size_t kReviewEvery = 512;
constexpr std::size_t kMostShared = 16384;

// The stored form "YYYY-MM-DD HH:MM:SS" read without a parser; anything else goes through the general
// date reader.
QDateTime ReadStoredDate(std::string_view text) {
    const auto digits = [text](int from, int count) {
        int value = 0;
        for (int k = from; k < from + count; ++k) {
            const char c = text[static_cast<std::size_t>(k)];
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    if (text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
        text[16] == ':') {
        const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
        const QTime time(digits(11, 2), digits(14, 2), digits(17, 2));
        if (date.isValid() && time.isValid())
            return Naive(date, time);
    }
    return ParseDateText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace

Variant ColumnReader::FromWhole(int64_t value) const {
    switch (m_type) {
    case SqlColumnType::Boolean:
        return Variant(value != 0);
    case SqlColumnType::Currency:
        return Variant(Currency::FromTicks(value));
    case SqlColumnType::Double:
        return Variant(static_cast<double>(value));
    default:
        break;
    }
    if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(value));
    return Variant(static_cast<double>(value));
}

Variant ColumnReader::FromReal(double value) const {
    if (m_type == SqlColumnType::Currency)
        return Variant(Currency::FromTicks(static_cast<int64_t>(std::llround(value))));
    return Variant(value);
}

Variant ColumnReader::FromText(TextBlock* block, std::size_t offset, std::size_t size) {
    if (m_type == SqlColumnType::DateTime) {
        Variant date;
        if (Date(std::string_view(block->Data() + offset, size), date))
            return date;
    }
    return Text(block, offset, size);
}

Variant ColumnReader::Text(TextBlock* block, std::size_t offset, std::size_t size) {
    const char* text = block->Data() + offset;
    const auto bytes = static_cast<qsizetype>(size);
    ++m_texts;
    if (m_texts <= kShareFrom)
        return Variant(QString::fromUtf8(text, bytes));
    if (m_sharing) {
        const auto looked = static_cast<std::size_t>(m_texts - kShareFrom);
        if (looked % kReviewEvery == 0 && m_shared.size() * 4 > looked * 3) {
            m_sharing = false;
            m_shared = {};
        }
    }
    if (!m_sharing)
        return Variant(BlockText(block, offset, size));
    const std::string_view key(text, size);
    if (const auto it = m_shared.find(key); it != m_shared.end())
        return Variant(it->second);
    QString result = QString::fromUtf8(text, bytes);
    if (m_shared.size() < kMostShared)
        m_shared.emplace(key, result);
    return Variant(std::move(result));
}

// False when the text is no date.
bool ColumnReader::Date(std::string_view text, Variant& value) {
    if (m_lastDate.IsEmpty() || text != m_lastDateText) {
        const QDateTime date = ReadStoredDate(text);
        if (!date.isValid())
            return false;
        m_lastDateText.assign(text);
        m_lastDate = Variant(date);
    }
    value = m_lastDate;
    return true;
}

} // namespace platform
