#pragma once

#include "platform/data/SqlColumn.h"
#include "platform/data/TextBlock.h"
#include "platform/data/Variant.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

// Makes the Variants of one result column from the values SQLite gave, typed by the column's declared
// kind. Long lists repeat most of their texts (cities, first names, look-up names): a repeated text
// shares the first one's QString. A column whose texts hardly repeat (e-mail addresses, phone numbers)
// leaves them as UTF-8 where they were read (see BlockText). A repeated date is not parsed again.
class ColumnReader {
public:
    explicit ColumnReader(SqlColumnType type) : m_type(type) {}

    SqlColumnType Type() const { return m_type; }

    // The value of a column of this kind from what SQLite stored: a whole number, a real number, or
    // a text (the bytes at the offset of the block).
    Variant FromWhole(int64_t value) const;
    Variant FromReal(double value) const;
    Variant FromText(TextBlock* block, std::size_t offset, std::size_t size);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };

    Variant Text(TextBlock* block, std::size_t offset, std::size_t size);
    bool Date(std::string_view text, Variant& value);

    SqlColumnType m_type;
    int m_texts = 0; // texts made so far
    bool m_sharing = true;
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> m_shared;
    std::string m_lastDateText;
    Variant m_lastDate;
};

} // namespace platform
