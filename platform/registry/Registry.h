#pragma once

// A file-backed registry with the meaning of the Windows registry calls: three roots, keys opened
// by handle, text and 32-bit values, Windows status codes. One text file per root lives in
// $AMBREL_REGISTRY_DIR, else ${XDG_CONFIG_HOME:-$HOME/.config}/ambrel/registry. Key and value
// names are case-insensitive and keep their case; "" names a key's default value. Every call is
// safe from any thread; writes from other processes are seen at the next call.

#include "platform/registry/Status.h"
#include "platform/registry/Value.h"

#include <QString>

#include <cstdint>

namespace platform::registry {

// A root or an open key. Roots are the Windows predefined handles; open keys are positive.
using Key = int32_t;
constexpr Key ClassesRoot = static_cast<Key>(0x80000000u);
constexpr Key CurrentUser = static_cast<Key>(0x80000001u);
constexpr Key LocalMachine = static_cast<Key>(0x80000002u);

// The folder of the root files as it is now (read from the environment at every call).
QString RegistryDir();
// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", or "" for anything else.
QString RootName(Key root);

// The status as words, for messages to a person: "13 (the file is damaged)".
QString StatusText(int32_t status);

// Where the file of a root could not be read the last time it was read: its path and the line
// (from 1) that could not be read, 0 when the file as a whole could not be read. `path` is empty
// when that read succeeded (or the file was not read yet).
struct Damage {
    QString path;
    int line = 0;
};
Damage LastDamage(Key root);
// What a failed call on `root` means, for messages: the status in words and, when its file could
// not be read, the file and line ("registry status 13 (the file is damaged); the file
// /x/HKEY_LOCAL_MACHINE.reg cannot be read at line 7").
QString DescribeFailure(Key root, int32_t status);

// `parent` is a root or an open key; `subKey` a backslash-separated path below it ("" = the parent).
int32_t OpenKey(Key parent, const QString& subKey, Key& result);
// Opens the key, creating it and the keys above it when missing.
int32_t CreateKey(Key parent, const QString& subKey, Key& result);
int32_t CloseKey(Key key);

int32_t QueryValue(Key key, const QString& name, Value& value);
// Typed reads: a value of the other type gives UnsupportedType and leaves the output untouched.
int32_t QueryString(Key key, const QString& name, QString& text);
int32_t QueryDWord(Key key, const QString& name, uint32_t& number);
int32_t SetString(Key key, const QString& name, const QString& text);
int32_t SetDWord(Key key, const QString& name, uint32_t number);

// Deletes a key that has no sub-keys (AccessDenied when it has some, as on Windows).
int32_t DeleteKey(Key parent, const QString& subKey);
// Deletes a key with everything below it.
int32_t DeleteTree(Key parent, const QString& subKey);

// An open key closed when the scope ends.
class ScopedKey {
public:
    ScopedKey() = default;
    ~ScopedKey() { Reset(); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    Key Get() const { return m_key; }
    // For the result argument of OpenKey / CreateKey; closes what was held before.
    Key& Receive() {
        Reset();
        return m_key;
    }
    void Reset() {
        if (m_key > 0)
            CloseKey(m_key);
        m_key = 0;
    }

private:
    Key m_key = 0;
};

} // namespace platform::registry
