#include "platform/data/Recordset.h"

#include "platform/com/Error.h"

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
    : m_columns(std::move(columns)), m_index(BuildIndex(m_columns)), m_rows(std::move(rows)) {}

Recordset::Recordset(QStringList columns, NameIndex index, std::vector<Row> rows)
    : m_columns(std::move(columns)), m_index(index ? std::move(index) : BuildIndex(m_columns)),
      m_rows(std::move(rows)) {}

Recordset::~Recordset() = default;

void Recordset::MoveNext() {
    if (m_position < RecordCount())
        ++m_position;
}

void Recordset::MovePrevious() {
    if (m_position >= 0)
        --m_position;
}

void Recordset::Close() {
    m_closed = true;
    m_rows.clear();
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
    if (index < 0 || index >= FieldCount())
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("Item cannot be found in the collection"), kSource);
    return m_rows[static_cast<size_t>(m_position)][static_cast<size_t>(index)];
}

void Recordset::PrependRow(Row row) {
    row.resize(static_cast<size_t>(FieldCount()));
    m_rows.insert(m_rows.begin(), std::move(row));
}

void Recordset::AppendRow(Row row) {
    row.resize(static_cast<size_t>(FieldCount()));
    m_rows.push_back(std::move(row));
}

void Recordset::DropRepeatedRows(int column) {
    if (column < 0 || column >= FieldCount())
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("Item cannot be found in the collection"), kSource);
    const auto at = static_cast<size_t>(column);
    m_rows.erase(std::unique(m_rows.begin(), m_rows.end(), [at](const Row& a, const Row& b) { return a[at] == b[at]; }),
                 m_rows.end());
}

} // namespace platform
