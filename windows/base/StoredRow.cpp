#include "windows/base/StoredRow.h"

#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"

namespace amb {

namespace {

using platform::Variant;

bool IsNone(const Variant& value) {
    return value.IsNull() || value.IsEmpty();
}

// A look-up column names the row of another table; its blank entry is -998, and older rows hold 0
// or Null for the same "none".
bool IsLookupColumn(const QString& name) {
    return name.size() > 2 && name.endsWith(QLatin1String("ID"));
}

bool IsNoLookup(const Variant& value) {
    if (IsNone(value))
        return true;
    switch (value.GetType()) {
    case Variant::Type::Int16:
    case Variant::Type::Int32:
        return value.ToInt() == 0 || value.ToInt() == -998;
    default:
        return false;
    }
}

bool IsTextOrNone(const Variant& value) {
    return IsNone(value) || value.GetType() == Variant::Type::String;
}

// A text box shows every line break of a stored text as a plain line feed.
QString AsShownLines(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

bool ShownAlike(const QString& name, const Variant& stored, const Variant& value) {
    if (IsLookupColumn(name) && IsNoLookup(stored) && IsNoLookup(value))
        return true;
    if (IsTextOrNone(stored) && IsTextOrNone(value)) {
        const Variant a = NullIfBlank(stored);
        const Variant b = NullIfBlank(value);
        return a.IsNull() ? b.IsNull() : (!b.IsNull() && AsShownLines(a.ToString()) == AsShownLines(b.ToString()));
    }
    return false;
}

void StoredRow::Take(const platform::RecordsetPtr& row) {
    m_values.reset();
    if (!row || row->IsEOF())
        return;
    auto values = std::make_shared<platform::Dictionary>();
    for (const QString& name : row->FieldNames())
        values->SetItem(name, row->Field(name));
    m_values = std::move(values);
}

int32_t StoredRow::Id() const {
    return m_values && m_values->Exists(QStringLiteral("ID")) ? AsLong(m_values->Item(QStringLiteral("ID"))) : 0;
}

void StoredRow::AttachTo(platform::Dictionary& record) const {
    if (!m_values)
        return;
    for (const QString& name : record.Keys()) {
        if (!m_values->Exists(name))
            continue;
        const Variant stored = m_values->Item(name);
        if (ShownAlike(name, stored, record.Item(name)))
            record.SetItem(name, stored);
    }
    record.SetItem(IDatabaseManager::kAsReadKey, Variant(platform::ObjectPtr(m_values)));
}

} // namespace amb
