#include "tests/fixdb/FixDbFixture.h"

#include "platform/data/DatabaseFile.h"

#include <QFileInfo>

#include <memory>

namespace {

using amb::fixdb::FixDatabase;
using test::Bytes;

class FixDatabaseTest : public test::FixDbTest {};

// A writer killed (SIGKILL) inside a 10,000-row transaction leaves a hot journal; one killed in
// write-ahead-log mode leaves committed rows in the log. Both end as one file in rollback-journal mode.
TEST_F(FixDatabaseTest, WhatAKilledWriterLeftIsRolledBackOrKept) {
    for (const auto& [mode, leftOver, rows] : {std::tuple{"journal", "-journal", 100}, {"wal", "-wal", 150}}) {
        SCOPED_TRACE(mode);
        const QString path = MakeDatabase(Folder(mode));
        {
            QProcess writer;
            ASSERT_NO_FATAL_FAILURE(StartWriter(writer, mode, path));
            writer.kill();
            ASSERT_TRUE(writer.waitForFinished(10000));
        }
        ASSERT_GT(QFileInfo(path + leftOver).size(), 0);
        QString reason;
        EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kRepaired) << reason.toStdString();
        for (const char* suffix : {"-journal", "-wal", "-shm"})
            EXPECT_FALSE(QFileInfo::exists(path + suffix)) << suffix;
        EXPECT_EQ(Bytes(path).mid(18, 2), QByteArray("\x01\x01")) << "not in rollback-journal mode";
        EXPECT_EQ(platform::SqliteConnection::Open(path)->Query("SELECT COUNT(*) FROM Filler")->Field(0).ToInt(), rows);
    }
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
}

// A program with the database open and idle holds no SQLite lock, only the shared lock on the lock
// file beside it; the repair leaves such a file alone until the last program let go.
TEST_F(FixDatabaseTest, AFileThatAProgramHasOpenIsInUseEvenWhileItIsIdle) {
    const QString path = MakeDatabase(Folder("app"));
    QString reason;
    EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kRepaired) << reason.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path + ".lock")); // the repair makes no lock file of its own

    const QByteArray before = Bytes(path);
    auto first = std::make_unique<platform::DatabaseLock>(path, platform::DatabaseLock::Mode::Shared);
    auto second = std::make_unique<platform::DatabaseLock>(path, platform::DatabaseLock::Mode::Shared);
    ASSERT_TRUE(first->IsHeld() && second->IsHeld());
    auto connection = platform::SqliteConnection::Open(path);
    EXPECT_EQ(connection->Query("SELECT COUNT(*) FROM Filler")->Field(0).ToInt(), 100);
    for (auto* program : {&first, &second}) {
        EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kFailed);
        EXPECT_EQ(reason, "in use by another program");
        EXPECT_EQ(Bytes(path), before);
        program->reset();
    }
    EXPECT_EQ(FixDatabase(path, reason), amb::fixdb::kRepaired) << reason.toStdString();
    // A program starting while the repair runs waits for it, then holds the lock again.
    const platform::DatabaseLock repair(path, platform::DatabaseLock::Mode::Exclusive);
    ASSERT_TRUE(repair.IsHeld());
    const platform::DatabaseLock starting(path, platform::DatabaseLock::Mode::Shared);
    EXPECT_FALSE(starting.IsHeld());
    EXPECT_TRUE(starting.IsInUse());
}

// Each damaged db.mdb fails with every byte kept, and the second folder's file is still repaired.
TEST_F(FixDatabaseTest, DamagedFilesKeepEveryByteAndTheNextFolderIsStillRepaired) {
    const QString good = MakeDatabase(Folder("second"));
    SetAppDir(1, Folder("second"));
    const QString damaged = Folder("first") + "/db.mdb";
    SetAppDir(0, Folder("first"));
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"not an Ambrel database (not a SQLite database file)",
         [&] {
             QFile f(damaged);
             f.open(QIODevice::WriteOnly);
             f.write("Name\tCity\nAnn\tSeoul\n");
         }},
        {"not an Ambrel database (the file is empty)", [&] { QFile(damaged).open(QIODevice::WriteOnly); }},
        {"not an Ambrel database (schema version 0, expected 1)",
         [&] { platform::SqliteConnection::Create(damaged)->Execute("CREATE TABLE t(x)"); }},
        {"damaged (", [&] {
             MakeDatabase(Folder("first"), 2000);
             QFile f(damaged);
             f.open(QIODevice::ReadWrite);
             f.seek(f.size() / 2 / 4096 * 4096);
             f.write(QByteArray(4096, '\x5a'));
         }}};
    for (const auto& [reason, make] : cases) {
        SCOPED_TRACE(reason);
        QFile::remove(damaged);
        make();
        const QByteArray before = Bytes(damaged);
        EXPECT_EQ(Run(), 1);
        EXPECT_EQ(shown.icon, amb::fixdb::MessageIcon::Critical);
        const QStringList lines = shown.prompt.split('\n');
        ASSERT_EQ(lines.size(), 5) << shown.prompt.toStdString();
        EXPECT_EQ(lines[0], "Not every Ambrel database could be fixed.");
        EXPECT_TRUE(lines[2].startsWith(damaged + ": failed: " + reason)) << lines[2].toStdString();
        EXPECT_EQ(lines[4], good + ": repaired");
        EXPECT_EQ(Bytes(damaged), before);
    }
}

} // namespace
