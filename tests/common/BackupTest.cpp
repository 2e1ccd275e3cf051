#include "common/Backup.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

using platform::SqliteConnection;

namespace {

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(m_data));
        SqliteConnection::Create(DatabasePath())
            ->ExecuteScript("CREATE TABLE Person (ID INTEGER PRIMARY KEY, Name TEXT); "
                            "CREATE INDEX PersonName ON Person (Name); "
                            "INSERT INTO Person (Name) VALUES ('김철수');");
    }

    QString DatabasePath() const { return QDir(m_data).filePath("db.mdb"); }
    QString Copy(const char* name) const { return QDir(m_backup).filePath(name); }
    QStringList Listing() const { return QDir(m_backup).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    void Touch(const QString& name) {
        QFile file(QDir(m_backup).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    bool BackUp(QString* error = nullptr) { return Result(error) == amb::BackUpResult::Done; }
    amb::BackUpResult Result(QString* error = nullptr) { return amb::BackUpDatabase(m_data, m_backup, error); }

    test::TempDir m_dir;
    QString m_data = m_dir.FilePath("교회 자료");
    QString m_backup = QDir(m_data).filePath("BackUp");
};

QStringList Names(int from, int to) {
    QStringList names;
    for (int n = from; n <= to; ++n)
        names << QString("%1.mdb").arg(n, 3, 10, QLatin1Char('0'));
    names.sort();
    return names;
}

} // namespace

TEST_F(BackupTest, CopiesOnlyCommittedDataIntoAReadOnlyFile) {
    auto writer = SqliteConnection::Open(DatabasePath());
    {
        platform::SqliteTransaction busy(*writer);
        writer->Execute("INSERT INTO Person (Name) VALUES ('uncommitted')");
        QString error;
        ASSERT_TRUE(BackUp(&error)) << error.toStdString();
    }
    EXPECT_EQ(Listing(), QStringList{"001.mdb"});
    // Read-only and private to the owner, as the folder the backup made for it.
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(Copy("001.mdb")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0400u);
    ASSERT_EQ(::stat(QFile::encodeName(m_backup).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    const auto rows = SqliteConnection::Open(Copy("001.mdb"))->Query("SELECT Name FROM Person");
    ASSERT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(rows->Field(0).ToString(), "김철수");
}

// The start does not wait for the copy: the copy is of the database as it was when the backup
// started, and a save made meanwhile waits for it (it neither fails nor gets into the copy), however
// the two threads meet.
TEST_F(BackupTest, TheCopyIsOfTheStartEvenWhenASaveCommitsMeanwhile) {
    auto started = amb::StartBackUp(m_data, m_backup);
    auto writer = SqliteConnection::Open(DatabasePath());
    writer->Execute("INSERT INTO Person (Name) VALUES ('saved meanwhile')");
    const amb::BackUpReport report = started.get();
    ASSERT_EQ(report.result, amb::BackUpResult::Done) << report.errorText.toStdString();
    EXPECT_EQ(writer->Query("SELECT COUNT(*) FROM Person")->Field(0).ToInt(), 2);
    const auto rows = SqliteConnection::Open(Copy("001.mdb"))->Query("SELECT Name FROM Person");
    ASSERT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(rows->Field(0).ToString(), "김철수");
    EXPECT_EQ(Listing(), QStringList{"001.mdb"});
}

TEST_F(BackupTest, KeepsTheTwentyNewestNumberedCopiesAndNeverAStrayFile) {
    ASSERT_TRUE(QDir().mkpath(m_backup));
    for (const char* stray : {"notes.txt", "old.mdb", "12345678901.mdb"}) // the last too long to be ours
        Touch(stray);
    for (int run = 0; run < 25; ++run)
        ASSERT_TRUE(BackUp());
    QStringList expected = Names(6, 25) << "12345678901.mdb"
                                        << "notes.txt"
                                        << "old.mdb";
    expected.sort();
    EXPECT_EQ(Listing(), expected);
}

TEST_F(BackupTest, RemovesTheUnfinishedCopiesOfAnInterruptedBackupOnly) {
    ASSERT_TRUE(QDir().mkpath(m_backup));
    const QStringList leftovers{".db.mdb.a1B2c3.tmp", ".db.mdb.Zz9.tmp"};
    const QStringList others{".db.mdb.tmp", "db.mdb.a1B2c3.tmp", ".db.mdb.a1B2c3.tmp.keep", ".DB.MDB.a1B2c3.TMP",
                             "notes.tmp"};
    for (const QString& name : leftovers + others)
        Touch(name);
    ASSERT_TRUE(QDir().mkpath(Copy(".db.mdb.folder.tmp"))); // not a file: left alone
    ASSERT_TRUE(BackUp());
    QStringList expected = others + QStringList{"001.mdb"};
    expected.sort();
    EXPECT_EQ(Listing(), expected);
    EXPECT_TRUE(QFileInfo(Copy(".db.mdb.folder.tmp")).isDir());
}

TEST_F(BackupTest, PrunesInNumericOrderPastNineHundredNinetyNine) {
    ASSERT_TRUE(QDir().mkpath(m_backup));
    for (const QString& name : Names(990, 1008)) // 19 copies; "1000.mdb" sorts before "990.mdb" by name
        Touch(name);
    ASSERT_TRUE(BackUp());
    ASSERT_TRUE(BackUp());
    EXPECT_EQ(Listing(), Names(991, 1010));
}

TEST_F(BackupTest, FailedBackupIsReportedAndKeepsEveryOlderCopy) {
    for (int run = 0; run < 20; ++run)
        ASSERT_TRUE(BackUp());
    const QStringList before = Listing();

    QString error;
    ASSERT_TRUE(QFile::rename(DatabasePath(), DatabasePath() + ".away"));
    EXPECT_FALSE(BackUp(&error));
    EXPECT_TRUE(error.contains("db.mdb")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(DatabasePath())); // never created by the backup
    EXPECT_EQ(Listing(), before);

    QFile notDatabase(DatabasePath());
    ASSERT_TRUE(notDatabase.open(QIODevice::WriteOnly));
    notDatabase.write(QByteArray(8192, 'x'));
    notDatabase.close();
    error.clear();
    EXPECT_FALSE(BackUp(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Listing(), before); // no temporary file left behind either

    ASSERT_TRUE(QFile::remove(DatabasePath()));
    ASSERT_TRUE(QFile::rename(DatabasePath() + ".away", DatabasePath()));
    EXPECT_EQ(amb::BackUpDatabase(m_data, QString(), &error), amb::BackUpResult::Failed);
    if (::geteuid() != 0) { // permissions do not stop root
        ASSERT_TRUE(QFile::setPermissions(m_backup, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        EXPECT_FALSE(BackUp(&error));
        QFile::setPermissions(m_backup, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(Listing(), before);
    }
    EXPECT_TRUE(BackUp());
    EXPECT_EQ(Listing(), Names(2, 21));
}

TEST_F(BackupTest, ADamagedDatabaseGivesNoCopyAndKeepsEveryGoodOne) {
    for (int run = 0; run < 20; ++run)
        ASSERT_TRUE(BackUp());
    const QStringList before = Listing();
    ASSERT_TRUE(test::DamageIndexRootPage(DatabasePath(), "PersonName"));
    // The damage does not stop reading the table: only a check finds it.
    EXPECT_EQ(SqliteConnection::Open(DatabasePath())->Query("SELECT COUNT(*) FROM Person")->Field(0).ToInt(), 1);

    QString error;
    EXPECT_EQ(Result(&error), amb::BackUpResult::Damaged);
    EXPECT_TRUE(error.contains("damaged")) << error.toStdString();
    EXPECT_EQ(Listing(), before); // 001 to 020 stay, and no unfinished copy is left
    EXPECT_EQ(Result(), amb::BackUpResult::Damaged);
    EXPECT_EQ(Listing(), before);
}
