#include "platform/registry/Registry.h"

#include "platform/registry/HiveFile.h"

#include <QDir>

#include <map>
#include <memory>
#include <mutex>
#include <new>

namespace platform::registry {

namespace {

constexpr struct {
    Key key;
    const char* name;
} Roots[] = {
    {ClassesRoot, "HKEY_CLASSES_ROOT"},
    {CurrentUser, "HKEY_CURRENT_USER"},
    {LocalMachine, "HKEY_LOCAL_MACHINE"},
};

// What a handle stands for: a key path inside one root's file.
struct Target {
    std::shared_ptr<HiveFile> file;
    QStringList path;
    qsizetype parentDepth = 0; // how much of `path` the parent key already named
};

struct State {
    std::mutex mutex;
    std::map<QString, std::shared_ptr<HiveFile>> files;
    std::map<Key, Target> keys;
    Key next = 0x100;
};

State& Shared() {
    // Never destroyed: components may still close keys while the process exits.
    static State* state = new State;
    return *state;
}

template <typename F> int32_t Locked(F&& body) noexcept {
    try {
        State& state = Shared();
        std::lock_guard lock(state.mutex);
        return body(state);
    } catch (const std::bad_alloc&) {
        return Status::OutOfMemory;
    } catch (...) {
        return Status::InternalError;
    }
}

std::shared_ptr<HiveFile> FileFor(State& state, const QString& rootName) {
    const QString path = QDir(RegistryDir()).absoluteFilePath(rootName + QStringLiteral(".reg"));
    auto& file = state.files[path];
    if (!file) {
        // Tests switch folders often; drop the files of old folders that no open key uses any more.
        if (state.files.size() > 12)
            std::erase_if(state.files, [&](const auto& item) { return item.second && item.second.use_count() == 1; });
        file = std::make_shared<HiveFile>(path, rootName);
    }
    return file;
}

int32_t SplitSubKey(const QString& subKey, QStringList& parts) {
    parts = subKey.split(QLatin1Char('\\'));
    if (parts.size() > 1 && parts.back().isEmpty())
        parts.removeLast(); // a trailing backslash is harmless
    if (parts.size() == 1 && parts.front().isEmpty()) {
        parts.clear();
        return Status::Success;
    }
    for (const QString& part : parts) {
        if (part.isEmpty())
            return Status::BadPathname;
    }
    return Status::Success;
}

int32_t Resolve(State& state, Key parent, const QString& subKey, Target& target) {
    const QString rootName = RootName(parent);
    if (!rootName.isEmpty()) {
        target = Target{FileFor(state, rootName), {}, 0};
    } else {
        const auto it = state.keys.find(parent);
        if (parent <= 0 || it == state.keys.end())
            return Status::InvalidHandle;
        target = it->second;
    }
    target.parentDepth = target.path.size();
    QStringList parts;
    if (const int32_t status = SplitSubKey(subKey, parts); status != Status::Success)
        return status;
    target.path += parts;
    return Status::Success;
}

Key AddHandle(State& state, Target target) {
    while (state.next <= 0 || state.keys.contains(state.next))
        state.next = state.next <= 0 ? 0x100 : state.next + 1;
    const Key key = state.next++;
    state.keys.emplace(key, std::move(target));
    return key;
}

// Reads a value of an open key under the lock.
int32_t Query(State& state, Key key, const QString& name, Value& value) {
    Target target;
    if (const int32_t status = Resolve(state, key, QString(), target); status != Status::Success)
        return status;
    if (const int32_t status = target.file->Refresh(); status != Status::Success)
        return status;
    const HiveKey* found = target.file->Root().Find(target.path);
    if (!found)
        return Status::KeyDeleted;
    const Value* stored = found->FindValue(name);
    if (!stored)
        return Status::FileNotFound;
    value = *stored;
    return Status::Success;
}

int32_t ModifyKey(Key key, const std::function<int32_t(HiveKey&, bool&)>& change) {
    return Locked([&](State& state) {
        Target target;
        if (const int32_t status = Resolve(state, key, QString(), target); status != Status::Success)
            return status;
        return target.file->Modify([&](HiveKey& root, bool& changed) {
            HiveKey* found = root.Find(target.path);
            return found ? change(*found, changed) : Status::KeyDeleted;
        });
    });
}

int32_t SetValue(Key key, const QString& name, const Value& value) {
    return ModifyKey(key, [&](HiveKey& found, bool& changed) {
        changed = found.SetValue(name, value);
        return Status::Success;
    });
}

int32_t Remove(Key parent, const QString& subKey, bool withSubKeys) {
    return Locked([&](State& state) {
        Target target;
        if (const int32_t status = Resolve(state, parent, subKey, target); status != Status::Success)
            return status;
        if (target.path.isEmpty())
            return Status::AccessDenied; // a root cannot be deleted
        return target.file->Modify([&](HiveKey& root, bool& changed) {
            const HiveKey* found = root.Find(target.path);
            if (!found)
                return Status::FileNotFound;
            if (!withSubKeys && !found->SubKeys().empty())
                return Status::AccessDenied;
            changed = root.Find(target.path.mid(0, target.path.size() - 1))->RemoveSubKey(target.path.back());
            return Status::Success;
        });
    });
}

} // namespace

QString RegistryDir() {
    const QString dir = qEnvironmentVariable("AMBREL_REGISTRY_DIR");
    if (!dir.isEmpty())
        return dir;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/ambrel/registry");
}

QString StatusText(int32_t status) {
    static const std::map<int32_t, const char*> kWords = {
        {Status::Success, "success"},
        {Status::FileNotFound, "not found"},
        {Status::AccessDenied, "access denied"},
        {Status::InvalidHandle, "not an open key"},
        {Status::InvalidData, "the file is damaged"},
        {Status::OutOfMemory, "out of memory"},
        {Status::BadPathname, "an empty part in the key path"},
        {Status::CannotRead, "the file cannot be read"},
        {Status::CannotWrite, "the file cannot be written"},
        {Status::KeyDeleted, "the key was deleted"},
        {Status::InternalError, "internal error"},
        {Status::UnsupportedType, "a value of another type"},
    };
    const auto it = kWords.find(status);
    return QStringLiteral("%1 (%2)").arg(status).arg(
        QString::fromLatin1(it != kWords.end() ? it->second : "unknown status"));
}

Damage LastDamage(Key root) {
    const QString rootName = RootName(root);
    if (rootName.isEmpty())
        return {};
    try {
        State& state = Shared();
        std::lock_guard lock(state.mutex);
        const auto file = FileFor(state, rootName);
        if (file->DamagedLine() < 0)
            return {};
        return {file->Path(), file->DamagedLine()};
    } catch (...) {
        return {};
    }
}

QString DescribeFailure(Key root, int32_t status) {
    const QString text = QStringLiteral("registry status ") + StatusText(status);
    const Damage damage = LastDamage(root);
    if (damage.path.isEmpty())
        return text;
    if (damage.line > 0)
        return QStringLiteral("%1; the file %2 cannot be read at line %3").arg(text, damage.path).arg(damage.line);
    return QStringLiteral("%1; the file %2 cannot be read").arg(text, damage.path);
}

QString RootName(Key root) {
    for (const auto& item : Roots) {
        if (item.key == root)
            return QString::fromLatin1(item.name);
    }
    return QString();
}

int32_t OpenKey(Key parent, const QString& subKey, Key& result) {
    result = 0;
    return Locked([&](State& state) {
        Target target;
        if (const int32_t status = Resolve(state, parent, subKey, target); status != Status::Success)
            return status;
        if (const int32_t status = target.file->Refresh(); status != Status::Success)
            return status;
        if (!target.file->Root().Find(target.path))
            return Status::FileNotFound;
        result = AddHandle(state, std::move(target));
        return Status::Success;
    });
}

int32_t CreateKey(Key parent, const QString& subKey, Key& result) {
    result = 0;
    return Locked([&](State& state) {
        Target target;
        if (const int32_t status = Resolve(state, parent, subKey, target); status != Status::Success)
            return status;
        const int32_t status = target.file->Modify([&](HiveKey& root, bool& changed) {
            if (!root.Find(target.path.mid(0, target.parentDepth)))
                return Status::KeyDeleted;
            root.Create(target.path, changed);
            return Status::Success;
        });
        if (status == Status::Success)
            result = AddHandle(state, std::move(target));
        return status;
    });
}

int32_t CloseKey(Key key) {
    return Locked([&](State& state) {
        if (!RootName(key).isEmpty())
            return Status::Success;
        return state.keys.erase(key) == 1 ? Status::Success : Status::InvalidHandle;
    });
}

int32_t QueryValue(Key key, const QString& name, Value& value) {
    return Locked([&](State& state) { return Query(state, key, name, value); });
}

int32_t QueryString(Key key, const QString& name, QString& text) {
    Value value;
    const int32_t status = QueryValue(key, name, value);
    if (status != Status::Success)
        return status;
    if (value.type != ValueType::String)
        return Status::UnsupportedType;
    text = value.text;
    return Status::Success;
}

int32_t QueryDWord(Key key, const QString& name, uint32_t& number) {
    Value value;
    const int32_t status = QueryValue(key, name, value);
    if (status != Status::Success)
        return status;
    if (value.type != ValueType::DWord)
        return Status::UnsupportedType;
    number = value.number;
    return Status::Success;
}

int32_t SetString(Key key, const QString& name, const QString& text) {
    return SetValue(key, name, Value{ValueType::String, text, 0});
}

int32_t SetDWord(Key key, const QString& name, uint32_t number) {
    return SetValue(key, name, Value{ValueType::DWord, QString(), number});
}

int32_t DeleteKey(Key parent, const QString& subKey) {
    return Remove(parent, subKey, false);
}

int32_t DeleteTree(Key parent, const QString& subKey) {
    return Remove(parent, subKey, true);
}

} // namespace platform::registry
