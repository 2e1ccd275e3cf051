#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <initializer_list>

namespace test {

// The program's source folders (not its tests).
inline constexpr std::initializer_list<const char*> kProgramFolders = {"application", "bench",   "common",  "database",
                                                                       "fixdb",       "generic", "heading", "main",
                                                                       "platform",    "reports", "tools",   "windows"};

// Every .cpp and .h file below `folders` whose text matches the expression, by path from the
// source root, sorted.
inline QStringList SourcesMatching(const QRegularExpression& expression,
                                   std::initializer_list<const char*> folders = kProgramFolders) {
    const QDir root(QStringLiteral(AMB_SOURCE_DIR));
    QStringList found;
    for (const char* folder : folders) {
        QDirIterator it(root.filePath(QString::fromLatin1(folder)), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            if (QString::fromUtf8(file.readAll()).contains(expression))
                found << root.relativeFilePath(file.fileName());
        }
    }
    found.sort();
    return found;
}

} // namespace test
