#pragma once

#include "platform/com/Object.h"
#include "platform/data/Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace platform {

class ResultCells;

// A result set read in full when its query ran: no statement or lock stays open behind it.
// Fields are found by case-insensitive name; a name the set lacks is an Error, not a Null.
// The values of a query's rows become Variants when they are first read (see ResultCells); that is
// why a set, though it looks constant, is used by one thread at a time.
class Recordset : public Object {
public:
    using Row = std::vector<Variant>;

    Recordset(QStringList columns, std::vector<Row> rows);
    // The index of lower-case names to columns, built once and shared by every set of one query.
    using NameIndex = std::shared_ptr<const QHash<QString, int>>;
    static NameIndex BuildIndex(const QStringList& columns);
    Recordset(QStringList columns, NameIndex index, std::vector<Row> rows);
    // The rows a query read, their values made as they are read.
    Recordset(QStringList columns, NameIndex index, std::unique_ptr<ResultCells> cells);
    ~Recordset() override;

    bool IsEOF() const { return m_closed || m_position >= RecordCount(); }
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    int AbsolutePosition() const { return m_position; }
    void MoveFirst() { m_position = 0; }
    void MoveNext();
    void Close();
    bool IsClosed() const { return m_closed; }

    int FieldCount() const { return static_cast<int>(m_columns.size()); }
    const QStringList& FieldNames() const { return m_columns; }
    bool HasField(const QString& name) const;
    int FieldIndex(const QString& name) const; // throws Error when missing
    // The current row's field; throws Error at EOF/BOF or for an unknown name.
    const Variant& Field(const QString& name) const;
    const Variant& Field(int index) const;

    // One value of any row (0-based), without moving; throws Error for a row or column out of range.
    // A list that shows or sorts many rows reads them this way: a value is made for the caller and not
    // kept, so the set stays as small as it was read.
    Variant Value(int row, int column) const;
    // Whole rows, for filling a list in one pass.
    const std::vector<Row>& Rows() const;

    // Adds a row at the front (the sentinel rows of look-up lists).
    void PrependRow(Row row);
    // Replaces one value (one that a reader of the set corrected, such as a hand-edited amount).
    void SetValue(int row, int column, Variant value);
    // Keeps the first row of each run of rows with equal values in the column, in place.
    void DropRepeatedRows(int column);

private:
    void CheckCell(int row, int column) const;
    const Variant& KeptValue(int row, int column) const;
    void MakeAllValues() const;

    QStringList m_columns;
    NameIndex m_index; // lower-case name -> column
    // A row of a query's set is empty until one of its values is read; then its values not made yet
    // are Empty, which no stored value is.
    mutable std::vector<Row> m_rows;
    mutable std::unique_ptr<ResultCells> m_cells; // the values not made yet, if any
    mutable bool m_untouched = false;             // no value of m_cells made yet
    int m_position = 0;
    bool m_closed = false;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

} // namespace platform
