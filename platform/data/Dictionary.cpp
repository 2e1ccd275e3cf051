#include "platform/data/Dictionary.h"

namespace platform {

Dictionary::Dictionary(std::initializer_list<std::pair<QString, Variant>> items) {
    for (const auto& [key, value] : items)
        SetItem(key, value);
}

Dictionary::~Dictionary() = default;

Variant Dictionary::Item(const QString& key) const {
    const auto it = m_index.constFind(key);
    return it == m_index.cend() ? Variant() : m_items[static_cast<size_t>(*it)].second;
}

void Dictionary::SetItem(const QString& key, const Variant& value) {
    const auto it = m_index.constFind(key);
    if (it != m_index.cend()) {
        m_items[static_cast<size_t>(*it)].second = value;
        return;
    }
    m_index.insert(key, static_cast<int>(m_items.size()));
    m_items.emplace_back(key, value);
}

bool Dictionary::Remove(const QString& key) {
    const auto it = m_index.constFind(key);
    if (it == m_index.cend())
        return false;
    m_items.erase(m_items.begin() + *it);
    m_index.clear();
    for (size_t i = 0; i < m_items.size(); ++i)
        m_index.insert(m_items[i].first, static_cast<int>(i));
    return true;
}

void Dictionary::RemoveAll() {
    m_items.clear();
    m_index.clear();
}

QStringList Dictionary::Keys() const {
    QStringList keys;
    keys.reserve(Count());
    for (const auto& item : m_items)
        keys << item.first;
    return keys;
}

} // namespace platform
