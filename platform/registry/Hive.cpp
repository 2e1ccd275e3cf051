#include "platform/registry/Hive.h"

#include <algorithm>

namespace platform::registry {

bool SameName(const QString& a, const QString& b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

const HiveKey* HiveKey::SubKey(const QString& name) const {
    const auto it = std::find_if(m_subKeys.begin(), m_subKeys.end(),
                                 [&](const HiveKey& key) { return SameName(key.m_name, name); });
    return it == m_subKeys.end() ? nullptr : &*it;
}

HiveKey* HiveKey::SubKey(const QString& name) {
    return const_cast<HiveKey*>(std::as_const(*this).SubKey(name));
}

const HiveKey* HiveKey::Find(const QStringList& path) const {
    const HiveKey* key = this;
    for (const QString& part : path) {
        key = key->SubKey(part);
        if (!key)
            return nullptr;
    }
    return key;
}

HiveKey* HiveKey::Find(const QStringList& path) {
    return const_cast<HiveKey*>(std::as_const(*this).Find(path));
}

HiveKey& HiveKey::Create(const QStringList& path, bool& created) {
    created = false;
    HiveKey* key = this;
    for (const QString& part : path) {
        HiveKey* next = key->SubKey(part);
        if (!next) {
            next = &key->m_subKeys.emplace_back(part);
            created = true;
        }
        key = next;
    }
    return *key;
}

bool HiveKey::RemoveSubKey(const QString& name) {
    const auto it = std::find_if(m_subKeys.begin(), m_subKeys.end(),
                                 [&](const HiveKey& key) { return SameName(key.m_name, name); });
    if (it == m_subKeys.end())
        return false;
    m_subKeys.erase(it);
    return true;
}

const Value* HiveKey::FindValue(const QString& name) const {
    const auto it = std::find_if(m_values.begin(), m_values.end(),
                                 [&](const NamedValue& item) { return SameName(item.name, name); });
    return it == m_values.end() ? nullptr : &it->value;
}

bool HiveKey::SetValue(const QString& name, const Value& value) {
    auto it = std::find_if(m_values.begin(), m_values.end(),
                           [&](const NamedValue& item) { return SameName(item.name, name); });
    if (it == m_values.end()) {
        m_values.push_back({name, value});
        return true;
    }
    Value& old = it->value;
    if (old.type == value.type && old.text == value.text && old.number == value.number)
        return false;
    old = value;
    return true;
}

} // namespace platform::registry
