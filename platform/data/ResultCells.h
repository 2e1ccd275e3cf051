#pragma once

#include "platform/data/ColumnReader.h"
#include "platform/data/SqlColumn.h"
#include "platform/data/TextBlock.h"
#include "platform/data/Variant.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace platform {

// The values a query read, kept as SQLite gave them until one is asked for: a list of 50,000 persons
// shows a few dozen of its 1.7 million values, so making every Variant up front is wasted work.
// Numbers are kept as numbers and texts as UTF-8 in shared blocks; the column's ColumnReader makes
// the Variant. A Recordset owns it and keeps the values it made.
//
// A value takes four bytes (a Slot): a report over 200,000 persons holds 7 million of them, most
// nulls, small whole numbers and short texts. The rest (large numbers, reals, texts beyond the
// addressable blocks) take a 16-byte Wide cell beside the slots.
class ResultCells {
public:
    explicit ResultCells(const std::vector<SqlColumnType>& types);
    ~ResultCells();
    ResultCells(const ResultCells&) = delete;
    ResultCells& operator=(const ResultCells&) = delete;

    int ColumnCount() const { return static_cast<int>(m_readers.size()); }
    int RowCount() const { return m_rowCount; }

    // Keeps the statement's current row.
    void Capture(sqlite3_stmt* stmt);
    // The Variant of a cell (made anew on each call).
    Variant Value(int row, int column);
    // Keeps the first row of each run of rows with equal values in the column.
    void DropRepeatedRows(int column);

private:
    // The low two bits say what the other 30 hold: nothing (Null), a whole number, a text's place
    // (its block and offset; its length is written before it) or the index of a Wide cell.
    using Slot = uint32_t;
    enum SlotKind : uint32_t { NullSlot = 0, WholeSlot = 1, TextSlot = 2, WideSlot = 3 };
    static constexpr int kPayloadBits = 30;
    static constexpr int kOffsetBits = 18; // a block holds at most 256 KB, so 4,096 blocks are addressable
    static constexpr std::size_t kLargestBlock = std::size_t{1} << kOffsetBits;
    static constexpr uint32_t kMaxBlocks = uint32_t{1} << (kPayloadBits - kOffsetBits);

    struct Wide {
        enum Kind : uint8_t { Whole, Real, Text };
        Kind kind;
        uint32_t size; // of a text, in bytes
        uint32_t block;
        union {
            int64_t whole;
            double real;
            uint32_t offset;
        };
    };
    // Chunks stay below the size that malloc maps afresh (and faults in again) for every result.
    static constexpr int kRowsPerChunk = 256;

    Slot* RowSlots(int row) const {
        return m_chunks[static_cast<std::size_t>(row / kRowsPerChunk)].get() +
               static_cast<std::size_t>(row % kRowsPerChunk) * m_readers.size();
    }
    Slot KeepWhole(int64_t value);
    Slot KeepReal(double value);
    Slot KeepText(const char* bytes, std::size_t size);
    Slot KeepWide(const Wide& wide);
    // A block with room for `size` bytes, made when the last one has none.
    uint32_t BlockFor(std::size_t size);

    std::vector<ColumnReader> m_readers;
    std::vector<std::unique_ptr<Slot[]>> m_chunks;
    std::vector<Wide> m_wide;
    int m_rowCount = 0;
    std::vector<TextBlock*> m_blocks; // each with this set's reference
    std::size_t m_nextBlockSize = 4096;
};

} // namespace platform
