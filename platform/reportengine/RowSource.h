#pragma once

#include "platform/data/Recordset.h"
#include "platform/data/Variant.h"

#include <QString>

#include <memory>

namespace platform::reportengine {

// The rows a report reads: fields by name, values by row and column. A field the source lacks is an
// error (FieldIndex throws), never a blank.
class RowSource {
public:
    virtual ~RowSource();
    virtual int RowCount() const = 0;
    virtual bool HasField(const QString& name) const = 0;
    virtual int FieldIndex(const QString& name) const = 0;
    virtual Variant Value(int row, int column) const = 0;
};

using RowSourcePtr = std::shared_ptr<const RowSource>;

// The rows of a result set, read where they are; the set keeps its values (money stays Currency).
class RecordsetRowSource final : public RowSource {
public:
    explicit RecordsetRowSource(RecordsetPtr set);
    int RowCount() const override;
    bool HasField(const QString& name) const override;
    int FieldIndex(const QString& name) const override;
    Variant Value(int row, int column) const override;

private:
    RecordsetPtr m_set;
};

} // namespace platform::reportengine
