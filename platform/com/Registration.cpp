#include "platform/com/ComponentServer.h"

#include "platform/registry/Registry.h"

#include <QString>

#include <cstdlib>
#include <dlfcn.h>
#include <memory>

namespace platform::com {

namespace reg = platform::registry;

namespace {

// The absolute path of the library that holds `address`, or "" when it cannot be found.
QString LibraryPath(const void* address) {
    Dl_info info{};
    if (!address || ::dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname)
        return QString();
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(info.dli_fname, nullptr), &std::free);
    return resolved ? QString::fromLocal8Bit(resolved.get()) : QString();
}

int32_t SetDefault(const QString& subKey, const QString& text) {
    reg::ScopedKey key;
    if (const int32_t status = reg::CreateKey(reg::ClassesRoot, subKey, key.Receive()); status != reg::Status::Success)
        return status;
    return reg::SetString(key.Get(), QString(), text);
}

} // namespace

int RegisterClasses(const ClassEntry* entries, std::size_t count, const void* addressInLibrary) {
    try {
        const QString path = LibraryPath(addressInLibrary);
        if (path.isEmpty())
            return reg::Status::FileNotFound;
        for (std::size_t i = 0; i < count; ++i) {
            const QString className = QString::fromUtf8(entries[i].className);
            const QString clsid = QString::fromUtf8(entries[i].clsid);
            if (const int32_t status = SetDefault(className + QStringLiteral("\\Clsid"), clsid); status != 0)
                return status;
            if (const int32_t status =
                    SetDefault(QStringLiteral("CLSID\\") + clsid + QStringLiteral("\\InprocServer32"), path);
                status != 0)
                return status;
        }
        return reg::Status::Success;
    } catch (...) {
        return reg::Status::InternalError;
    }
}

int UnregisterClasses(const ClassEntry* entries, std::size_t count) {
    try {
        int32_t result = reg::Status::Success;
        for (std::size_t i = 0; i < count; ++i) {
            const QString subKeys[] = {QString::fromUtf8(entries[i].className),
                                       QStringLiteral("CLSID\\") + QString::fromUtf8(entries[i].clsid)};
            for (const QString& subKey : subKeys) {
                // Keys that are already gone count as removed.
                const int32_t status = reg::DeleteTree(reg::ClassesRoot, subKey);
                if (status != reg::Status::Success && status != reg::Status::FileNotFound && result == 0)
                    result = status;
            }
        }
        return result;
    } catch (...) {
        return reg::Status::InternalError;
    }
}

const ClassEntry* FindClass(const ClassEntry* entries, std::size_t count, const char* className) {
    if (!entries || !className)
        return nullptr;
    const QString wanted = QString::fromUtf8(className);
    for (std::size_t i = 0; i < count; ++i) {
        if (wanted.compare(QString::fromUtf8(entries[i].className), Qt::CaseInsensitive) == 0)
            return &entries[i];
    }
    return nullptr;
}

} // namespace platform::com
