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
    struct Cell {
        enum Kind : uint8_t { Null, Whole, Real, Text };
        Kind kind;
        uint32_t size; // of a text, in bytes
        struct TextPlace {
            uint32_t block;
            uint32_t offset;
        };
        union {
            int64_t whole;
            double real;
            TextPlace text;
        };
    };
    // Chunks stay below the size that malloc maps afresh (and faults in again) for every result.
    static constexpr int kRowsPerChunk = 64;

    Cell* RowCells(int row) const {
        return m_chunks[static_cast<std::size_t>(row / kRowsPerChunk)].get() +
               static_cast<std::size_t>(row % kRowsPerChunk) * m_readers.size();
    }
    void KeepText(Cell& cell, const char* bytes, std::size_t size);

    std::vector<ColumnReader> m_readers;
    std::vector<std::unique_ptr<Cell[]>> m_chunks;
    int m_rowCount = 0;
    std::vector<TextBlock*> m_blocks; // each with this set's reference
    std::size_t m_nextBlockSize = 4096;
};

} // namespace platform
