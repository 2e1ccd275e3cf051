#pragma once

#include "platform/reportengine/RowSource.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace test {

// Generated rows for the engine's tests.
class TableRows final : public platform::reportengine::RowSource {
public:
    explicit TableRows(QStringList fields) : m_fields(std::move(fields)) {}
    void Add(std::vector<platform::Variant> row) { m_rows.push_back(std::move(row)); }
    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    bool HasField(const QString& name) const override { return m_fields.contains(name, Qt::CaseInsensitive); }
    int FieldIndex(const QString& name) const override {
        return static_cast<int>(m_fields.indexOf(name)); // the tests ask only for fields they declared
    }
    platform::Variant Value(int row, int column) const override { return m_rows[row][column]; }

private:
    QStringList m_fields;
    std::vector<std::vector<platform::Variant>> m_rows;
};

} // namespace test
