#include "platform/data/ResultCells.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr std::size_t kLargestBlock = 256 * 1024;
}

ResultCells::ResultCells(const std::vector<SqlColumnType>& types) {
    m_readers.reserve(types.size());
    for (const SqlColumnType type : types)
        m_readers.emplace_back(type);
}

ResultCells::~ResultCells() {
    for (TextBlock* block : m_blocks)
        block->Deref();
}

void ResultCells::KeepText(Cell& cell, const char* bytes, std::size_t size) {
    TextBlock* block = m_blocks.empty() ? nullptr : m_blocks.back();
    if (!block || block->Room() < size) {
        block = TextBlock::Create(std::max(m_nextBlockSize, size));
        m_nextBlockSize = std::min(m_nextBlockSize * 2, kLargestBlock);
        m_blocks.push_back(block);
    }
    cell.kind = Cell::Text;
    cell.size = static_cast<uint32_t>(size);
    cell.text.block = static_cast<uint32_t>(m_blocks.size() - 1);
    cell.text.offset = static_cast<uint32_t>(block->Append(bytes, size));
}

// What is kept of a value depends on the column's kind, so that the Variant made later is the one
// reading the value at once would have made: a Boolean keeps SQLite's whole number even of a real,
// a text column keeps SQLite's text even of a number.
void ResultCells::Capture(sqlite3_stmt* stmt) {
    if (m_rowCount % kRowsPerChunk == 0)
        m_chunks.emplace_back(new Cell[static_cast<std::size_t>(kRowsPerChunk) * m_readers.size()]);
    Cell* cells = RowCells(m_rowCount);
    const int columns = ColumnCount();
    // The connection is used from one thread only, so values may be read through sqlite3_column_value,
    // which skips the per-call checks of the sqlite3_column_* functions.
    for (int i = 0; i < columns; ++i) {
        Cell& cell = cells[i];
        sqlite3_value* value = sqlite3_column_value(stmt, i);
        const int storage = sqlite3_value_type(value);
        const SqlColumnType type = m_readers[static_cast<std::size_t>(i)].Type();
        if (storage == SQLITE_NULL) {
            cell.kind = Cell::Null;
        } else if (type == SqlColumnType::Text || type == SqlColumnType::Memo ||
                   (storage != SQLITE_INTEGER && storage != SQLITE_FLOAT)) {
            const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            KeepText(cell, text, static_cast<std::size_t>(sqlite3_value_bytes(value)));
        } else if (type == SqlColumnType::Boolean || (storage == SQLITE_INTEGER && type != SqlColumnType::Double)) {
            cell.kind = Cell::Whole;
            cell.whole = sqlite3_value_int64(value);
        } else {
            cell.kind = Cell::Real;
            cell.real = sqlite3_value_double(value);
        }
    }
    ++m_rowCount;
}

Variant ResultCells::Value(int row, int column) {
    const Cell& cell = RowCells(row)[column];
    ColumnReader& reader = m_readers[static_cast<std::size_t>(column)];
    switch (cell.kind) {
    case Cell::Null:
        break;
    case Cell::Whole:
        return reader.FromWhole(cell.whole);
    case Cell::Real:
        return reader.FromReal(cell.real);
    case Cell::Text:
        return reader.FromText(m_blocks[cell.text.block], cell.text.offset, cell.size);
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
            std::memcpy(static_cast<void*>(RowCells(kept)), RowCells(row), width * sizeof(Cell));
        last = std::move(value);
        ++kept;
    }
    m_rowCount = kept;
    m_chunks.resize(static_cast<std::size_t>((kept + kRowsPerChunk - 1) / kRowsPerChunk));
}

} // namespace platform
