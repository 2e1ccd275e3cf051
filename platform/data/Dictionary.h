#pragma once

#include "platform/com/Object.h"
#include "platform/data/Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace platform {

// An insertion-ordered map from text keys to Variants, as the scripting Dictionary was:
// keys compare exactly, and reading a missing key returns Empty without adding it.
class Dictionary : public Object {
public:
    Dictionary() = default;
    Dictionary(std::initializer_list<std::pair<QString, Variant>> items);
    ~Dictionary() override;

    int Count() const { return static_cast<int>(m_items.size()); }
    bool Exists(const QString& key) const { return m_index.contains(key); }
    Variant Item(const QString& key) const;
    // Adds the key at the end, or replaces the value of an existing key in place.
    void SetItem(const QString& key, const Variant& value);
    bool Remove(const QString& key);
    void RemoveAll();
    QStringList Keys() const;
    const std::vector<std::pair<QString, Variant>>& Items() const { return m_items; }

private:
    std::vector<std::pair<QString, Variant>> m_items;
    QHash<QString, int> m_index;
};

using DictionaryPtr = std::shared_ptr<Dictionary>;

} // namespace platform
