#include "windows/base/FileRemover.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace amb {

namespace {

FileRemover::Remover& CurrentRemover() {
    static FileRemover::Remover remover;
    return remover;
}

bool RemoveFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir())
        return false;
    QFile file(path);
    // A read-only file is deleted all the same.
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    return file.remove();
}

} // namespace

bool FileRemover::Remove(const QString& path) {
    if (const Remover& remover = CurrentRemover())
        return remover(path);
    return RemoveFile(path);
}

void FileRemover::SetRemover(Remover remover) {
    CurrentRemover() = std::move(remover);
}

} // namespace amb
