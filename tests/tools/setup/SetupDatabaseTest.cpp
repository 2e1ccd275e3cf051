#include "platform/data/SqliteConnection.h"
#include "tests/support/Installer.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

QString Database(const test::TempDir& dir) {
    return QDir(test::InstalledAppDir(dir)).filePath(QStringLiteral("db.mdb"));
}

} // namespace

TEST(SetupDatabase, CreatesTheDatabaseOnceAndKeepsItsData) {
    test::TempDir dir;
    auto result = test::RunInstaller(dir, {QStringLiteral("--language"), QStringLiteral("1042")});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    {
        auto db = platform::SqliteConnection::Open(Database(dir));
        EXPECT_EQ(db->Query(QStringLiteral("SELECT AddressName FROM AddressName WHERE ID=1"))->Field(0).ToString(),
                  QStringLiteral("집"));
        db->Execute(QStringLiteral("INSERT INTO Family (Name) VALUES (?)"), {QStringLiteral("O'Neil 가족")});
    }

    // A second installation, even in another language, leaves the database and its data as they are.
    result = test::RunInstaller(dir, {QStringLiteral("--language"), QStringLiteral("1033")});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(QStringLiteral("its data is kept"))) << result.output.toStdString();
    auto db = platform::SqliteConnection::Open(Database(dir));
    EXPECT_EQ(db->Query(QStringLiteral("SELECT Name FROM Family"))->Field(0).ToString(), QStringLiteral("O'Neil 가족"));
    EXPECT_EQ(db->Query(QStringLiteral("SELECT AddressName FROM AddressName WHERE ID=1"))->Field(0).ToString(),
              QStringLiteral("집"));
}

TEST(SetupDatabase, SomethingElseInTheDatabasesPlaceFailsTheInstallation) {
    test::TempDir dir;
    ASSERT_TRUE(QDir().mkpath(Database(dir)));
    const auto result = test::RunInstaller(dir, {});
    EXPECT_NE(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(QStringLiteral("not a database file"))) << result.output.toStdString();
}
