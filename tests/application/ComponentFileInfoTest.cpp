#include "common/FileInfo.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>

TEST(ComponentFileInfo, BuiltComponentCarriesTheProductVersion) {
    amb::FileInfo info;
    const QString component = QDir(test::BuiltLibraryDir()).filePath(QStringLiteral("libAmbApplication.so"));
    ASSERT_TRUE(info.GetFileInfo(component));
    EXPECT_EQ(info.FileVersion(), QStringLiteral("2.0.0.0"));
    EXPECT_EQ(info.ProductVersion(), QStringLiteral("2.0.0.0"));
    EXPECT_EQ(info.FileName(), QStringLiteral("libAmbApplication.so"));
    EXPECT_GT(info.FileSize(), 0);

    const QString strings = QDir(test::BuiltShareDir()).filePath(QStringLiteral("1033/AmbResources.tsv"));
    EXPECT_FALSE(info.GetFileInfo(strings));
    EXPECT_TRUE(info.FileVersion().isEmpty());
    EXPECT_GT(info.FileSize(), 0);
}
