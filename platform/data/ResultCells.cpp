#include "platform/data/ResultCells.h"

#include "platform/com/Error.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace platform {

ResultCells::ResultCells(const std::vector<SqlColumnType>& types) {
    m_readers.reserve(types.size());
    for (const SqlColumnType type : types)
        m_readers.emplace_back(type);
}

ResultCells::~ResultCells() {
    for (TextBlock* block : m_blocks)
        block->Deref();
}

uint32_t ResultCells::BlockFor(std::size_t size) {
    if (m_blocks.empty() || m_blocks.back()->Room() < size) {
        m_blocks.push_back(TextBlock::Create(std::max(m_nextBlockSize, size)));
        m_nextBlockSize = std::min(m_nextBlockSize * 2, kLargestBlock);
    }
    return static_cast<uint32_t>(m_blocks.size() - 1);
}

ResultCells::Slot ResultCells::KeepWide(const Wide& wide) {
    if (m_wide.size() >= (std::size_t{1} << kPayloadBits))
        throw Error(SQLITE_NOMEM, QStringLiteral("The result has too many values to keep"), QStringLiteral("SQLite"));
    m_wide.push_back(wide);
    return static_cast<Slot>(m_wide.size() - 1) << 2 | WideSlot;
}

ResultCells::Slot ResultCells::KeepWhole(int64_t value) {
    constexpr int64_t greatest = (int64_t{1} << (kPayloadBits - 1)) - 1;
    if (value >= -greatest - 1 && value <= greatest)
        return static_cast<Slot>(value) << 2 | WholeSlot;
    Wide wide{};
    wide.kind = Wide::Whole;
    wide.whole = value;
    return KeepWide(wide);
}

ResultCells::Slot ResultCells::KeepReal(double value) {
    Wide wide{};
    wide.kind = Wide::Real;
    wide.real = value;
    return KeepWide(wide);
}

ResultCells::Slot ResultCells::KeepText(const char* bytes, std::size_t size) {
    // The length goes before the text, seven bits a byte (one byte below 128).
    char length[8];
    std::size_t n = 0;
    for (std::size_t rest = size; n == 0 || rest > 0; rest >>= 7)
        length[n++] = static_cast<char>((rest & 0x7f) | (rest >= 0x80 ? 0x80 : 0));
    if (n + size <= kLargestBlock) {
        const uint32_t block = BlockFor(n + size);
        if (block < kMaxBlocks) {
            const std::size_t offset = m_blocks[block]->Append(length, n);
            m_blocks[block]->Append(bytes, size);
            return (block << kOffsetBits | static_cast<uint32_t>(offset)) << 2 | TextSlot;
        }
    }
    // Too long for a block of its own size, or the blocks a slot can name are used up.
    Wide wide{};
    wide.kind = Wide::Text;
    wide.size = static_cast<uint32_t>(size);
    wide.block = BlockFor(size);
    wide.offset = static_cast<uint32_t>(m_blocks[wide.block]->Append(bytes, size));
    return KeepWide(wide);
}

// What is kept of a value depends on the column's kind, so that the Variant made later is the one
// reading the value at once would have made: a Boolean keeps SQLite's whole number even of a real,
// a text column keeps SQLite's text even of a number.
void ResultCells::Capture(sqlite3_stmt* stmt) {
    if (m_rowCount % kRowsPerChunk == 0)
        m_chunks.emplace_back(new Slot[static_cast<std::size_t>(kRowsPerChunk) * m_readers.size()]);
    Slot* slots = RowSlots(m_rowCount);
    const int columns = ColumnCount();
    // The connection is used from one thread only, so values may be read through sqlite3_column_value,
    // which skips the per-call checks of the sqlite3_column_* functions.
    for (int i = 0; i < columns; ++i) {
        sqlite3_value* value = sqlite3_column_value(stmt, i);
        const int storage = sqlite3_value_type(value);
        const SqlColumnType type = m_readers[static_cast<std::size_t>(i)].Type();
        if (storage == SQLITE_NULL) {
            slots[i] = NullSlot;
        } else if (type == SqlColumnType::Text || type == SqlColumnType::Memo ||
                   (storage != SQLITE_INTEGER && storage != SQLITE_FLOAT)) {
            const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            slots[i] = KeepText(text, static_cast<std::size_t>(sqlite3_value_bytes(value)));
        } else if (type == SqlColumnType::Boolean || (storage == SQLITE_INTEGER && type != SqlColumnType::Double)) {
            slots[i] = KeepWhole(sqlite3_value_int64(value));
        } else {
            slots[i] = KeepReal(sqlite3_value_double(value));
        }
    }
    ++m_rowCount;
}

Variant ResultCells::Value(int row, int column) {
    const Slot slot = RowSlots(row)[column];
    ColumnReader& reader = m_readers[static_cast<std::size_t>(column)];
    switch (slot & 3) {
    case NullSlot:
        break;
    case WholeSlot:
        return reader.FromWhole(static_cast<int32_t>(slot) >> 2);
    case TextSlot: {
        TextBlock* block = m_blocks[slot >> (2 + kOffsetBits)];
        std::size_t offset = (slot >> 2) & ((uint32_t{1} << kOffsetBits) - 1);
        std::size_t size = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(block->Data()[offset++]);
            size |= static_cast<std::size_t>(byte & 0x7f) << shift;
            if (!(byte & 0x80))
                break;
        }
        return reader.FromText(block, offset, size);
    }
    case WideSlot: {
        const Wide& wide = m_wide[slot >> 2];
        switch (wide.kind) {
        case Wide::Whole:
            return reader.FromWhole(wide.whole);
        case Wide::Real:
            return reader.FromReal(wide.real);
        case Wide::Text:
            return reader.FromText(m_blocks[wide.block], wide.offset, wide.size);
        }
    }
    }
    return Variant::Null();
}

void ResultCells::DropRepeatedRows(int column) {
    const std::size_t width = m_readers.size();
    int kept = 0;
    Variant last;
    for (int row = 0; row < m_rowCount; ++row) {
        Variant value = Value(row, column);
        if (row > 0 && value == last)
            continue;
        if (kept != row)
            std::memcpy(RowSlots(kept), RowSlots(row), width * sizeof(Slot));
        last = std::move(value);
        ++kept;
    }
    m_rowCount = kept;
    m_chunks.resize(static_cast<std::size_t>((kept + kRowsPerChunk - 1) / kRowsPerChunk));
}

} // namespace platform
