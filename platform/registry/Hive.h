#pragma once

#include "platform/registry/Value.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace platform::registry {

struct NamedValue {
    QString name; // "" is the key's default value
    Value value;
};

// One key of a hive with its values and sub-keys. Names compare case-insensitively and keep the
// case they were created with; the order of creation is kept so the file reads naturally.
class HiveKey {
public:
    explicit HiveKey(QString name = QString()) : m_name(std::move(name)) {}

    const QString& Name() const { return m_name; }
    const std::vector<NamedValue>& Values() const { return m_values; }
    const std::vector<HiveKey>& SubKeys() const { return m_subKeys; }

    const HiveKey* Find(const QStringList& path) const;
    HiveKey* Find(const QStringList& path);
    // Creates the missing keys along the path; `created` tells whether anything was added.
    HiveKey& Create(const QStringList& path, bool& created);
    // Removes the direct sub-key of that name with everything below it.
    bool RemoveSubKey(const QString& name);

    const Value* FindValue(const QString& name) const;
    // Writes the value; the name keeps the case of its first writing. Returns whether anything changed.
    bool SetValue(const QString& name, const Value& value);

private:
    const HiveKey* SubKey(const QString& name) const;
    HiveKey* SubKey(const QString& name);

    QString m_name;
    std::vector<NamedValue> m_values;
    std::vector<HiveKey> m_subKeys;
};

bool SameName(const QString& a, const QString& b);

} // namespace platform::registry
