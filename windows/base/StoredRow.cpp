#include "windows/base/StoredRow.h"

#include "contracts/IDatabaseManager.h"

namespace amb {

void StoredRow::Take(const platform::RecordsetPtr& row) {
    m_values.reset();
    if (!row || row->IsEOF())
        return;
    auto values = std::make_shared<platform::Dictionary>();
    for (const QString& name : row->FieldNames())
        values->SetItem(name, row->Field(name));
    m_values = std::move(values);
}

void StoredRow::AttachTo(platform::Dictionary& record) const {
    if (m_values)
        record.SetItem(IDatabaseManager::kAsReadKey, platform::Variant(platform::ObjectPtr(m_values)));
}

} // namespace amb
