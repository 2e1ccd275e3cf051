#pragma once

#include "platform/com/Object.h"
#include "platform/data/Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace platform {

// A result set read in full when its query ran: no statement or lock stays open behind it.
// Fields are found by case-insensitive name; a name the set lacks is an Error, not a Null.
class Recordset : public Object {
public:
    using Row = std::vector<Variant>;

    Recordset(QStringList columns, std::vector<Row> rows);
    // The index of lower-case names to columns, built once and shared by every set of one query.
    using NameIndex = std::shared_ptr<const QHash<QString, int>>;
    static NameIndex BuildIndex(const QStringList& columns);
    Recordset(QStringList columns, NameIndex index, std::vector<Row> rows);
    ~Recordset() override;

    bool IsEOF() const { return m_closed || m_position >= RecordCount(); }
    bool IsBOF() const { return m_closed || m_position < 0 || RecordCount() == 0; }
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    int AbsolutePosition() const { return m_position; }
    void MoveFirst() { m_position = 0; }
    void MoveLast() { m_position = RecordCount() - 1; }
    void MoveNext();
    void MovePrevious();
    void Close();
    bool IsClosed() const { return m_closed; }

    int FieldCount() const { return static_cast<int>(m_columns.size()); }
    const QStringList& FieldNames() const { return m_columns; }
    bool HasField(const QString& name) const;
    int FieldIndex(const QString& name) const; // throws Error when missing
    // The current row's field; throws Error at EOF/BOF or for an unknown name.
    const Variant& Field(const QString& name) const;
    const Variant& Field(int index) const;

    // Whole rows, for filling a list in one pass.
    const std::vector<Row>& Rows() const { return m_rows; }

    // Adds a row at the front or end (sentinel rows of look-up lists).
    void PrependRow(Row row);
    void AppendRow(Row row);
    // Keeps the first row of each run of rows with equal values in the column, in place.
    void DropRepeatedRows(int column);

private:
    QStringList m_columns;
    NameIndex m_index; // lower-case name -> column
    std::vector<Row> m_rows;
    int m_position = 0;
    bool m_closed = false;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

} // namespace platform
