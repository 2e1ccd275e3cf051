#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace test {

// The program's source folders (not its tests).
inline constexpr std::initializer_list<const char*> kProgramFolders = {"application", "bench",   "common",  "database",
                                                                       "fixdb",       "generic", "heading", "main",
                                                                       "platform",    "reports", "tools",   "windows"};

// Every .cpp and .h file below `folders`, by path from the source root, with its text; sorted by path.
inline std::vector<std::pair<QString, QString>> SourceTexts(std::initializer_list<const char*> folders = kProgramFolders) {
    const QDir root(QStringLiteral(AMB_SOURCE_DIR));
    std::vector<std::pair<QString, QString>> texts;
    for (const char* folder : folders) {
        QDirIterator it(root.filePath(QString::fromLatin1(folder)), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            texts.emplace_back(root.relativeFilePath(file.fileName()), QString::fromUtf8(file.readAll()));
        }
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Every .cpp and .h file below `folders` whose text matches the expression, by path from the
// source root, sorted.
inline QStringList SourcesMatching(const QRegularExpression& expression,
                                   std::initializer_list<const char*> folders = kProgramFolders) {
    QStringList found;
    for (const auto& [path, text] : SourceTexts(folders))
        if (text.contains(expression))
            found << path;
    return found;
}

// The bodies (between the braces) of the blocks that follow a match of `opening`, which must end
// just before the block's "{". Braces inside the block nest; the sources keep braces out of their
// strings and comments in handlers, so no quoting is followed.
inline QStringList BlocksAfter(const QString& text, const QRegularExpression& opening) {
    QStringList blocks;
    auto matches = opening.globalMatch(text);
    while (matches.hasNext()) {
        const auto match = matches.next();
        qsizetype at = match.capturedEnd();
        while (at < text.size() && text[at].isSpace())
            ++at;
        if (at >= text.size() || text[at] != u'{')
            continue;
        const qsizetype begin = at + 1;
        int depth = 1;
        while (++at < text.size() && depth > 0) {
            if (text[at] == u'{')
                ++depth;
            else if (text[at] == u'}')
                --depth;
        }
        blocks << text.mid(begin, at - 1 - begin);
    }
    return blocks;
}

} // namespace test
