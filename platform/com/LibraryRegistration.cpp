#include "platform/com/LibraryRegistration.h"

#include "platform/registry/Registry.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace platform::com {

LibraryRegistration RegisterLibrary(const QString& path, bool unregister, QString& error) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(absolute).isFile()) {
        error = QStringLiteral("the file cannot be found: %1").arg(absolute);
        return LibraryRegistration::Failed;
    }
    void* library = ::dlopen(QFile::encodeName(absolute).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        error =
            QStringLiteral("the library %1 cannot be loaded: %2").arg(absolute, QString::fromLocal8Bit(::dlerror()));
        return LibraryRegistration::Failed;
    }
    const char* entryName = unregister ? "AmbUnregisterServer" : "AmbRegisterServer";
    const auto entry = reinterpret_cast<int (*)()>(::dlsym(library, entryName));
    if (!entry)
        return LibraryRegistration::NotAComponent;
    if (const int status = entry(); status != 0) {
        // Registration writes only HKEY_CLASSES_ROOT, so its file is the one to name.
        error = QStringLiteral("%1 of %2 failed with %3")
                    .arg(QString::fromLatin1(entryName), absolute,
                         platform::registry::DescribeFailure(platform::registry::ClassesRoot, status));
        return LibraryRegistration::Failed;
    }
    return LibraryRegistration::Done;
}

} // namespace platform::com
