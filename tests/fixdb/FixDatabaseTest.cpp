#include "tests/fixdb/FixDbFixture.h"

#include <QFileInfo>

namespace {

using amb::fixdb::FixDatabase;
using test::Bytes;

// Bytes 18 and 19 of the header: 1 for rollback-journal mode, 2 for write-ahead-log mode.
int JournalModeOnDisk(const QString& path) {
    return Bytes(path).mid(18, 2) == QByteArray("\x01\x01") ? 1 : Bytes(path).mid(18, 2) == "\x02\x02" ? 2 : 0;
}

class FixDatabaseTest : public test::FixDbTest {};

TEST_F(FixDatabaseTest, AWriterKilledInsideATransactionIsRolledBack) {
    const QString path = MakeDatabase(Folder("app"));
    ASSERT_NO_FATAL_FAILURE(KillWriter("journal", path));
    ASSERT_GT(QFileInfo(path + "-journal").size(), 0) << "the killed writer left no hot journal";

    QString reason;
    EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kRepaired) << reason.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path + "-journal"));
    EXPECT_EQ(FillerRows(path), 100);
    EXPECT_EQ(platform::SqliteConnection::Open(path)->Query("PRAGMA integrity_check")->Field(0).ToString(), "ok");
}

TEST_F(FixDatabaseTest, AFileInWalModeEndsInRollbackJournalModeWithItsCommittedRows) {
    const QString path = MakeDatabase(Folder("app"));
    ASSERT_NO_FATAL_FAILURE(KillWriter("wal", path));
    ASSERT_GT(QFileInfo(path + "-wal").size(), 0);
    ASSERT_EQ(JournalModeOnDisk(path), 2);

    QString reason;
    EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kRepaired) << reason.toStdString();
    EXPECT_EQ(JournalModeOnDisk(path), 1);
    EXPECT_FALSE(QFileInfo::exists(path + "-wal"));
    EXPECT_FALSE(QFileInfo::exists(path + "-shm"));
    EXPECT_EQ(FillerRows(path), 150) << "the rows committed to the log were lost";
}

TEST_F(FixDatabaseTest, AFileLockedByAnotherProgramIsInUseAndLeftAlone) {
    const QString path = MakeDatabase(Folder("app"));
    const QByteArray before = Bytes(path);
    QProcess holder;
    StartWriter(holder, "hold", path);
    QString reason;
    EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kFailed);
    EXPECT_EQ(reason, "in use by another program");
    EXPECT_EQ(Bytes(path), before);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kRepaired) << reason.toStdString();
}

// Each damaged db.mdb fails with every byte kept, and the second folder's file is still repaired.
TEST_F(FixDatabaseTest, DamagedFilesKeepEveryByteAndTheNextFolderIsStillRepaired) {
    const QString good = MakeDatabase(Folder("second"));
    SetAppDir(1, Folder("second"));
    const QString damaged = Folder("first") + "/db.mdb";
    SetAppDir(0, Folder("first"));
    const struct {
        const char* name;
        std::function<void()> make;
        const char* reason;
    } cases[] = {
        {"text file", [&] { QFile f(damaged); f.open(QIODevice::WriteOnly); f.write("Name\tCity\nAnn\tSeoul\n"); },
         "not an Ambrel database (not a SQLite database file)"},
        {"empty file", [&] { QFile(damaged).open(QIODevice::WriteOnly); }, "not an Ambrel database"},
        {"other SQLite file", [&] { platform::SqliteConnection::Create(damaged)->Execute("CREATE TABLE t(x)"); },
         "not an Ambrel database (schema version 0, expected 1)"},
        {"overwritten page",
         [&] {
             MakeDatabase(Folder("first"), 2000);
             QFile f(damaged);
             f.open(QIODevice::ReadWrite);
             f.seek(f.size() / 2 / 4096 * 4096);
             f.write(QByteArray(4096, '\x5a'));
         },
         "damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(damaged);
        c.make();
        const QByteArray before = Bytes(damaged);
        m_messages.shown.clear();
        EXPECT_EQ(Run(), 1);
        const auto& shown = OnlyMessage();
        EXPECT_EQ(shown.icon, amb::fixdb::MessageIcon::Critical);
        EXPECT_EQ(shown.title, "Ambrel Database Fix");
        const QStringList lines = shown.prompt.split('\n');
        ASSERT_EQ(lines.size(), 5) << shown.prompt.toStdString();
        EXPECT_EQ(lines[0], "Not every Ambrel database could be fixed.");
        EXPECT_TRUE(lines[2].startsWith(damaged + ": failed: " + c.reason)) << lines[2].toStdString();
        EXPECT_EQ(lines[4], good + ": repaired");
        EXPECT_EQ(Bytes(damaged), before);
        EXPECT_FALSE(QFileInfo::exists(damaged + "-journal"));
    }
}

} // namespace
