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

QByteArray Marker(const char* version) {
    return QByteArray("AMBREL-VERSION:") + version + '\0';
}

} // namespace

TEST(FileInfo, TextFileHasDetailsButNoVersionAndAMissingFileResets) {
    test::TempDir dir;
    const QString path = WriteFile(dir, "교인 명단.txt", "hello\nAMBREL-VERSION:9.9.9\n");
    amb::FileInfo info;
    EXPECT_FALSE(info.GetFileInfo(path));
    EXPECT_EQ(info.FileName(), "교인 명단.txt");
    EXPECT_EQ(info.ParentFolderName(), dir.Path());
    EXPECT_EQ(info.FileSize(), 27);
    EXPECT_TRUE(info.FileVersion().isEmpty());
    EXPECT_LE(qAbs(info.DateModified().secsTo(platform::Now())), 120);

    EXPECT_FALSE(info.GetFileInfo(dir.FilePath("gone.so")));
    EXPECT_EQ(info.FileName(), "교인 명단.txt"); // kept until a file is found
    EXPECT_EQ(info.FileSize(), 0);
    EXPECT_EQ(info.DateModified(), platform::MakeDateTime(1899, 12, 30));
    EXPECT_FALSE(info.GetFileInfo(dir.Path())); // a folder is no file
}

TEST(FileInfo, FindsTheMarkerAndSkipsBareOrMalformedOnes) {
    test::TempDir dir;
    QByteArray binary(3 << 20, '\x7f');
    binary.insert(10, QByteArray("AMBREL-VERSION:") + '\0');       // the prefix alone, as in the reader itself
    binary.insert(100, QByteArray("AMBREL-VERSION:2.x.0") + '\0'); // not a version
    binary.insert(2 << 20, Marker("2.0.0"));                       // far into the file
    amb::FileInfo info;
    ASSERT_TRUE(info.GetFileInfo(WriteFile(dir, "libAmbSample.so", binary)));
    EXPECT_EQ(info.FileVersion(), "2.0.0.0");
    EXPECT_EQ(info.ProductVersion(), "2.0.0.0");
    EXPECT_TRUE(info.GetFileInfo()) << "an empty path reads the same file again";

    const std::pair<QByteArray, QString> cases[] = {
        {Marker("3"), "3.0.0.0"},
        {QByteArray("xx") + Marker("07.1"), "7.1.0.0"},
        {Marker("1.2.3.4.5"), QString()},
        {Marker("99999.0"), QString()},
        {QByteArray("AMBREL-VERSION:1.2.3"), QString()}, // unterminated, as in a text
    };
    for (const auto& [content, version] : cases)
        EXPECT_EQ(amb::FileInfo::ReadVersionMarker(WriteFile(dir, "case.bin", content)), version) << content.data();
}
