#include "platform/com/Factory.h"

#include "platform/registry/Registry.h"

#include <QFileInfo>

#include <dlfcn.h>
#include <map>
#include <mutex>

namespace platform::com {

namespace reg = platform::registry;

namespace {

using GetClassObjectFunction = bool (*)(const char*, ObjectPtr*);

[[noreturn]] void Fail(int32_t number, const QString& description, const QString& className) {
    throw Error(number, description, className);
}

int32_t FromRegistryStatus(int32_t status) {
    return static_cast<int32_t>(0x80070000u | static_cast<uint32_t>(status));
}

// The default value of a key under HKEY_CLASSES_ROOT; "" when the key or value is missing.
QString ReadDefault(const QString& subKey, const QString& className) {
    reg::ScopedKey key;
    int32_t status = reg::OpenKey(reg::ClassesRoot, subKey, key.Receive());
    QString text;
    if (status == reg::Status::Success)
        status = reg::QueryString(key.Get(), QString(), text);
    if (status == reg::Status::FileNotFound || status == reg::Status::UnsupportedType)
        return QString();
    if (status != reg::Status::Success)
        Fail(FromRegistryStatus(status),
             QStringLiteral("The registry could not be read (status %1) at HKEY_CLASSES_ROOT\\%2")
                 .arg(status)
                 .arg(subKey),
             className);
    return text;
}

// Loaded libraries stay loaded for the life of the process: their objects may outlive any caller.
GetClassObjectFunction EntryPoint(const QString& path, const QString& className) {
    static std::mutex mutex;
    static std::map<QString, GetClassObjectFunction> loaded;
    std::lock_guard lock(mutex);
    if (const auto it = loaded.find(path); it != loaded.end())
        return it->second;
    if (!QFileInfo(path).isFile())
        Fail(ErrorNumber::CannotLoadLibrary,
             QStringLiteral("The component library \"%1\" of the class \"%2\" does not exist").arg(path, className),
             className);
    void* handle = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        Fail(ErrorNumber::CannotLoadLibrary,
             QStringLiteral("The component library \"%1\" cannot be loaded: %2")
                 .arg(path, QString::fromLocal8Bit(::dlerror())),
             className);
    auto function = reinterpret_cast<GetClassObjectFunction>(::dlsym(handle, "AmbGetClassObject"));
    if (!function)
        Fail(ErrorNumber::ProcedureNotFound,
             QStringLiteral("The library \"%1\" is not a component library (it has no AmbGetClassObject)").arg(path),
             className);
    loaded.emplace(path, function);
    return function;
}

} // namespace

ObjectPtr CreateObject(const QString& className) {
    const QString clsid =
        className.isEmpty() ? QString() : ReadDefault(className + QStringLiteral("\\Clsid"), className);
    if (clsid.isEmpty())
        Fail(ErrorNumber::InvalidClassString,
             QStringLiteral("The class \"%1\" is not registered (no HKEY_CLASSES_ROOT\\%1\\Clsid)").arg(className),
             className);
    const QString path = ReadDefault(QStringLiteral("CLSID\\") + clsid + QStringLiteral("\\InprocServer32"), className);
    if (path.isEmpty())
        Fail(ErrorNumber::ClassNotRegistered,
             QStringLiteral("The class \"%1\" (%2) has no registered library").arg(className, clsid), className);
    const GetClassObjectFunction getClassObject = EntryPoint(path, className);
    ObjectPtr object;
    if (!getClassObject(className.toUtf8().constData(), &object) || !object)
        Fail(ErrorNumber::ClassNotAvailable,
             QStringLiteral("The library \"%1\" does not provide the class \"%2\"").arg(path, className), className);
    return object;
}

} // namespace platform::com
