#include "fixdb/MainModule.h"

#include "platform/com/Error.h"
#include "platform/registry/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace amb::fixdb {

namespace reg = platform::registry;

namespace {

// The keys that may name the application folder, the older maker's name second.
const char* const kKeys[] = {"SOFTWARE\\Orv Solutions\\Ambrel", "SOFTWARE\\Pellow Solutions\\Ambrel"};
const char* const kFileNames[] = {"db.sys", "db.mdb"};

// A settings file that is there but cannot be read is a failure of the run, not a missing key.
void ThrowIfUnreadable(int32_t status) {
    if (status != reg::Status::InvalidData && status != reg::Status::CannotRead)
        return;
    const QString file = QDir(reg::RegistryDir()).filePath(reg::RootName(reg::LocalMachine) + QStringLiteral(".reg"));
    throw platform::Error(status,
                          QStringLiteral("The settings file %1 is damaged or cannot be read (status %2). "
                                         "It was left as it is.")
                              .arg(QDir::toNativeSeparators(file))
                              .arg(status),
                          QStringLiteral("ambrel-fixdb"));
}

// The "AppDir" text under one key; "" when the key or the value is missing (or not a text).
QString AppDirUnder(const QString& subKey) {
    reg::ScopedKey key;
    int32_t status = reg::OpenKey(reg::LocalMachine, subKey, key.Receive());
    ThrowIfUnreadable(status);
    if (status != reg::Status::Success)
        return {};
    QString folder;
    status = reg::QueryString(key.Get(), QStringLiteral("AppDir"), folder);
    ThrowIfUnreadable(status);
    return status == reg::Status::Success ? folder : QString();
}

// One name per folder: a trailing slash, "." or ".." parts and links do not make it another folder.
QString FolderIdentity(const QString& folder) {
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

QStringList FindDatabases() {
    QStringList paths;
    QSet<QString> folders;
    for (const char* subKey : kKeys) {
        const QString folder = AppDirUnder(QString::fromLatin1(subKey));
        // An empty value names no folder; taking it as the working folder would repair a stranger's file.
        if (folder.isEmpty())
            continue;
        const QString identity = FolderIdentity(folder);
        if (folders.contains(identity))
            continue;
        folders.insert(identity);
        for (const char* name : kFileNames)
            paths << QDir::cleanPath(QDir(folder).absoluteFilePath(QString::fromLatin1(name)));
    }
    return paths;
}

} // namespace amb::fixdb
