#include "tools/setup/Modes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace amb::setup {

namespace {

mode_t PrivateMode(const QString& relative, mode_t current) {
    static const QRegularExpression backup(QStringLiteral("^BackUp/\\d+\\.mdb$"));
    if (backup.match(relative).hasMatch())
        return 0400;
    if (relative == QLatin1String("db.mdb") || relative == QLatin1String("Log.txt") ||
        relative == QLatin1String("Trace.txt"))
        return 0600;
    return current & 0700;
}

bool SetMode(const QString& path, mode_t mode, QString& error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || S_ISLNK(st.st_mode))
        return true;
    if ((st.st_mode & 07777) == mode || ::chmod(name.constData(), mode) == 0)
        return true;
    error = QStringLiteral("cannot make %1 private: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

} // namespace

bool MakePrivate(SetupContext& context, QString& error) {
    // An application folder given as a link is the folder it points to: that folder gets the modes,
    // links inside it are left alone.
    const QFileInfo given(context.appDir);
    const QString folder = given.isSymLink() ? given.canonicalFilePath() : context.appDir;
    if (folder.isEmpty()) {
        error = QStringLiteral("cannot make %1 private: the link points to no folder").arg(context.appDir);
        return false;
    }
    const QDir appDir(folder);
    if (!SetMode(folder, 0700, error))
        return false;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QFileInfo info = entries.fileInfo();
        if (info.isSymLink())
            continue;
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        const mode_t mode = S_ISDIR(st.st_mode) ? 0700 : PrivateMode(appDir.relativeFilePath(path), st.st_mode & 07777);
        if (!SetMode(path, mode, error))
            return false;
    }
    context.out << "  " << context.appDir;
    if (folder != context.appDir)
        context.out << " (a link to " << folder << ")";
    context.out << " is readable by its owner only" << Qt::endl;
    return true;
}

bool MakeSettingsPrivate(SetupContext& context, QString& error) {
    // The settings files and their lock files, as an older program or installer may have left them;
    // the folder may be one of the user's own, so nothing else in it is touched.
    const QDir folder(context.registryDir);
    const QStringList patterns{QStringLiteral("*.reg"), QStringLiteral("*.reg.lock"), QStringLiteral("*.reg.tmp")};
    for (const QString& name : folder.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System)) {
        if (!SetMode(folder.filePath(name), 0600, error))
            return false;
    }
    context.out << "  the settings files in " << context.registryDir << " are readable by their owner only" << Qt::endl;
    return true;
}

} // namespace amb::setup
