#pragma once

#include <QString>
#include <QTemporaryDir>

namespace test {

// A temporary folder per test, removed afterwards; also points the registry at a folder inside it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }
    QString RegistryDir() const { return FilePath(QStringLiteral("registry")); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldRegistryDir;
};

// Folder of the built component libraries.
QString BuiltLibraryDir();
// Folder of the built programs.
QString BuiltProgramDir();
// Folder of the built resources (string tables, help, report definitions).
QString BuiltShareDir();

} // namespace test
