#include "tools/setup/Folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace amb::setup {

namespace {

const char* const kLocaleFolders[] = {"1033", "1042"};

bool MakeFolder(const QString& path, QString& error) {
    if (QDir().mkpath(path) && QFileInfo(path).isDir())
        return true;
    error = QStringLiteral("cannot create the folder %1").arg(path);
    return false;
}

// Replaces `target` with the content of `source` in one step, so a reader never sees half a file.
bool CopyFile(const QString& source, const QString& target, QString& error) {
    QFile in(source);
    QSaveFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) || out.write(in.readAll()) != in.size() ||
        !out.commit()) {
        error = QStringLiteral("cannot copy %1 to %2: %3")
                    .arg(source, target, in.error() != QFileDevice::NoError ? in.errorString() : out.errorString());
        return false;
    }
    return true;
}

} // namespace

bool CreateFolders(SetupContext& context, QString& error) {
    const QDir appDir(context.appDir);
    if (!MakeFolder(context.appDir, error) || !MakeFolder(appDir.filePath(QStringLiteral("BackUp")), error))
        return false;
    for (const char* locale : kLocaleFolders) {
        const QString folder = appDir.filePath(QString::fromLatin1(locale));
        if (!MakeFolder(folder, error) || !MakeFolder(QDir(folder).filePath(QStringLiteral("Report")), error))
            return false;
    }
    return true;
}

bool CopyResources(SetupContext& context, QString& error) {
    const QDir share(context.shareDir);
    for (const char* locale : kLocaleFolders) {
        if (!QFileInfo(share.filePath(QString::fromLatin1(locale) + QStringLiteral("/AmbResources.tsv"))).isFile()) {
            error = QStringLiteral("the string table of %1 is missing in %2")
                        .arg(QString::fromLatin1(locale), context.shareDir);
            return false;
        }
    }
    int copied = 0;
    QDirIterator files(context.shareDir, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString relative = share.relativeFilePath(source);
        const QString target = QDir(context.appDir).filePath(relative);
        if (!MakeFolder(QFileInfo(target).absolutePath(), error) || !CopyFile(source, target, error))
            return false;
        ++copied;
    }
    context.out << "  " << copied << " resource files copied" << Qt::endl;
    return true;
}

} // namespace amb::setup
