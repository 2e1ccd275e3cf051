#include "platform/data/Recordset.h"

#include "platform/com/Error.h"
#include "platform/data/ResultCells.h"

#include <algorithm>

namespace platform {

namespace {
const QString kSource = QStringLiteral("Recordset");
}

Recordset::NameIndex Recordset::BuildIndex(const QStringList& columns) {
    auto index = std::make_shared<QHash<QString, int>>();
    for (int i = 0; i < columns.size(); ++i)
        index->insert(columns[i].toLower(), i);
    return index;
}

Recordset::Recordset(QStringList columns, std::vector<Row> rows)
    : Recordset(std::move(columns), nullptr, std::move(rows)) {}

Recordset::Recordset(QStringList columns, NameIndex index, std::vector<Row> rows)
    : m_columns(std::move(columns)), m_index(index ? std::move(index) : BuildIndex(m_columns)),
      m_rows(std::move(rows)) {
    // Every row has a value for every column (Empty for those a row was given without), so a field
    // read by position never runs past the end of a short row.
    for (Row& row : m_rows)
        row.resize(static_cast<std::size_t>(FieldCount()));
}

Recordset::Recordset(QStringList columns, NameIndex index, std::unique_ptr<ResultCells> cells)
    : m_columns(std::move(columns)), m_index(index ? std::move(index) : BuildIndex(m_columns)),
      m_rows(static_cast<std::size_t>(cells->RowCount())), m_cells(std::move(cells)), m_untouched(true) {}

Recordset::~Recordset() = default;

void Recordset::CheckCell(int row, int column) const {
    if (row < 0 || row >= RecordCount() || column < 0 || column >= FieldCount())
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("Item cannot be found in the collection"), kSource);
}

Variant Recordset::Value(int row, int column) const {
    CheckCell(row, column);
    const Row& values = m_rows[static_cast<std::size_t>(row)];
    const auto at = static_cast<std::size_t>(column);
    if (m_cells && (values.empty() || values[at].IsEmpty()))
        return m_cells->Value(row, column);
    return at < values.size() ? values[at] : Variant();
}

// The value made once and kept in its row, for callers that hold a reference to it.
const Variant& Recordset::KeptValue(int row, int column) const {
    CheckCell(row, column);
    Row& values = m_rows[static_cast<std::size_t>(row)];
    if (!m_cells)
        return values[static_cast<std::size_t>(column)];
    if (values.empty())
        values.resize(static_cast<std::size_t>(FieldCount()));
    Variant& value = values[static_cast<std::size_t>(column)];
    if (value.IsEmpty()) {
        value = m_cells->Value(row, column);
        m_untouched = false;
    }
    return value;
}

const std::vector<Recordset::Row>& Recordset::Rows() const {
    MakeAllValues();
    return m_rows;
}

void Recordset::MakeAllValues() const {
    if (!m_cells)
        return;
    for (int row = 0; row < RecordCount(); ++row) {
        for (int column = 0; column < FieldCount(); ++column)
            KeptValue(row, column);
    }
    m_cells.reset();
}

void Recordset::MoveNext() {
    if (m_position < RecordCount())
        ++m_position;
}

void Recordset::Close() {
    m_closed = true;
    m_rows.clear();
    m_cells.reset();
}

bool Recordset::HasField(const QString& name) const {
    return m_index->contains(name.toLower());
}

int Recordset::FieldIndex(const QString& name) const {
    const auto it = m_index->constFind(name.toLower());
    if (it == m_index->cend())
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("Item cannot be found in the collection: %1").arg(name),
                    kSource);
    return *it;
}

const Variant& Recordset::Field(const QString& name) const {
    return Field(FieldIndex(name));
}

const Variant& Recordset::Field(int index) const {
    if (m_closed)
        throw Error(ErrorNumber::InvalidArgument, QStringLiteral("Operation is not allowed when the object is closed"),
                    kSource);
    if (m_position < 0 || m_position >= RecordCount())
        throw Error(3021, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"), kSource);
    return KeptValue(m_position, index);
}

void Recordset::PrependRow(Row row) {
    MakeAllValues();
    row.resize(static_cast<size_t>(FieldCount()));
    m_rows.insert(m_rows.begin(), std::move(row));
}

void Recordset::SetValue(int row, int column, Variant value) {
    KeptValue(row, column);
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(value);
}

void Recordset::DropRepeatedRows(int column) {
    if (column < 0 || column >= FieldCount())
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("Item cannot be found in the collection"), kSource);
    if (m_cells && m_untouched) {
        m_cells->DropRepeatedRows(column);
        m_rows.resize(static_cast<std::size_t>(m_cells->RowCount()));
        return;
    }
    MakeAllValues();
    const auto at = static_cast<size_t>(column);
    m_rows.erase(std::unique(m_rows.begin(), m_rows.end(), [at](const Row& a, const Row& b) { return a[at] == b[at]; }),
                 m_rows.end());
}

} // namespace platform
