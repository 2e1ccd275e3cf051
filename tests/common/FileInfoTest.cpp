#include "common/FileInfo.h"
#include "platform/data/Variant.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

QString WriteFile(const test::TempDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.FilePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

QByteArray Marker(const char* version) { return QByteArray("AMBREL-VERSION:") + version + '\0'; }

} // namespace

TEST(FileInfo, TextFileHasDetailsButNoVersion) {
    test::TempDir dir;
    const QString path = WriteFile(dir, QStringLiteral("교인 명단.txt"), "hello\nAMBREL-VERSION:9.9.9\n");
    amb::FileInfo info;
    EXPECT_FALSE(info.GetFileInfo(path));
    EXPECT_EQ(info.FileName(), QStringLiteral("교인 명단.txt"));
    EXPECT_EQ(info.ParentFolderName(), dir.Path());
    EXPECT_EQ(info.FileSize(), 27);
    EXPECT_FALSE(info.FileType().isEmpty());
    EXPECT_TRUE(info.FileVersion().isEmpty());
    EXPECT_TRUE(info.ProductVersion().isEmpty());
    const QDateTime now = platform::Now();
    EXPECT_LE(qAbs(info.DateModified().secsTo(now)), 120);
    EXPECT_LE(qAbs(info.DateCreated().secsTo(now)), 120);
    EXPECT_LE(qAbs(info.DateAccessed().secsTo(now)), 120);
}

TEST(FileInfo, FindsTheMarkerAndSkipsBareOrMalformedOnes) {
    test::TempDir dir;
    QByteArray binary(3 << 20, '\x7f');
    binary.insert(10, QByteArray("AMBREL-VERSION:") + '\0');    // the prefix alone, as in the reader itself
    binary.insert(100, QByteArray("AMBREL-VERSION:2.x.0") + '\0'); // not a version
    binary.insert(2 << 20, Marker("2.0.0"));                     // far into the file
    amb::FileInfo info;
    ASSERT_TRUE(info.GetFileInfo(WriteFile(dir, QStringLiteral("libAmbSample.so"), binary)));
    EXPECT_EQ(info.FileVersion(), QStringLiteral("2.0.0.0"));
    EXPECT_EQ(info.ProductVersion(), QStringLiteral("2.0.0.0"));

    struct Case {
        QByteArray content;
        QString version;
    };
    const Case cases[] = {
        {Marker("1.2.3.4"), QStringLiteral("1.2.3.4")},
        {Marker("3"), QStringLiteral("3.0.0.0")},
        {QByteArray("xx") + Marker("07.1"), QStringLiteral("7.1.0.0")},
        {Marker("1.2.3.4.5"), QString()},
        {Marker("99999.0"), QString()},
        {QByteArray("AMBREL-VERSION:1.2.3"), QString()}, // unterminated, as in a text
        {QByteArray(), QString()},
    };
    for (const auto& c : cases) {
        const QString path = WriteFile(dir, QStringLiteral("case.bin"), c.content);
        EXPECT_EQ(amb::FileInfo::ReadVersionMarker(path), c.version) << c.content.toStdString();
    }
}

TEST(FileInfo, EmptyPathRereadsAndMissingFileResets) {
    test::TempDir dir;
    const QString path = WriteFile(dir, QStringLiteral("a.so"), QByteArray("\x01\x02") + Marker("2.0.0"));
    amb::FileInfo info;
    ASSERT_TRUE(info.GetFileInfo(path));
    EXPECT_TRUE(info.GetFileInfo());
    EXPECT_EQ(info.FileFullPath(), path);
    EXPECT_EQ(info.FileSize(), 2 + 15 + 6);

    EXPECT_FALSE(info.GetFileInfo(dir.FilePath(QStringLiteral("gone.so"))));
    EXPECT_EQ(info.FileFullPath(), dir.FilePath(QStringLiteral("gone.so")));
    EXPECT_EQ(info.FileName(), QStringLiteral("a.so")); // kept until a file is found
    EXPECT_EQ(info.FileSize(), 0);
    EXPECT_TRUE(info.FileVersion().isEmpty());
    EXPECT_EQ(info.DateModified(), platform::MakeDateTime(1899, 12, 30));

    EXPECT_FALSE(info.GetFileInfo(dir.Path())); // a folder is no file
}
