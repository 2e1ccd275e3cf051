#include "common/Backup.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class Db {
public:
    explicit Db(const QString& path) { sqlite3_open(QFile::encodeName(path).constData(), &m_db); }
    ~Db() { sqlite3_close(m_db); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    void Exec(const char* sql) { ASSERT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }
    QString Text(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        QString result;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return result;
    }

private:
    sqlite3* m_db = nullptr;
};

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(m_data));
        Db db(DatabasePath());
        db.Exec("CREATE TABLE tblPerson (ID INTEGER PRIMARY KEY, Name TEXT)");
        db.Exec("INSERT INTO tblPerson (Name) VALUES ('김철수')");
    }

    QString DatabasePath() const { return QDir(m_data).filePath(QStringLiteral("db.mdb")); }
    QStringList Listing() const { return QDir(m_backup).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    void Touch(const QString& name) {
        QFile file(QDir(m_backup).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    bool BackUp(QString* error = nullptr) { return amb::BackUpDatabase(m_data, m_backup, error); }

    test::TempDir m_dir;
    QString m_data = m_dir.FilePath(QStringLiteral("교회 자료"));
    QString m_backup = QDir(m_data).filePath(QStringLiteral("BackUp"));
};

QStringList Names(int from, int to) {
    QStringList names;
    for (int n = from; n <= to; ++n)
        names << QStringLiteral("%1.mdb").arg(n, 3, 10, QLatin1Char('0'));
    return names;
}

} // namespace

TEST_F(BackupTest, FirstBackupCreatesTheFolderAndAReadOnlyCopy) {
    QString error;
    ASSERT_TRUE(BackUp(&error)) << error.toStdString();
    EXPECT_EQ(Listing(), QStringList{QStringLiteral("001.mdb")});

    const QString copy = QDir(m_backup).filePath(QStringLiteral("001.mdb"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(copy).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    EXPECT_EQ(Db(copy).Text("SELECT Name FROM tblPerson"), QStringLiteral("김철수"));
}

TEST_F(BackupTest, CopiesOnlyCommittedDataWhileAWriterIsBusy) {
    Db writer(DatabasePath());
    writer.Exec("BEGIN IMMEDIATE");
    writer.Exec("INSERT INTO tblPerson (Name) VALUES ('uncommitted')");
    ASSERT_TRUE(BackUp());
    writer.Exec("ROLLBACK");
    EXPECT_EQ(Db(QDir(m_backup).filePath(QStringLiteral("001.mdb"))).Text("SELECT count(*) FROM tblPerson"),
              QStringLiteral("1"));
}

TEST_F(BackupTest, KeepsTheTwentyNewestNumberedCopiesAndNeverAStrayFile) {
    ASSERT_TRUE(QDir().mkpath(m_backup));
    Touch(QStringLiteral("notes.txt"));
    Touch(QStringLiteral("old.mdb"));
    Touch(QStringLiteral("12345678901.mdb")); // too long to be one of ours
    for (int run = 0; run < 25; ++run)
        ASSERT_TRUE(BackUp());
    QStringList expected = Names(6, 25) << QStringLiteral("12345678901.mdb") << QStringLiteral("notes.txt")
                                        << QStringLiteral("old.mdb");
    expected.sort();
    EXPECT_EQ(Listing(), expected);
}

TEST_F(BackupTest, PrunesInNumericOrderPastNineHundredNinetyNine) {
    ASSERT_TRUE(QDir().mkpath(m_backup));
    for (const QString& name : Names(990, 1008)) // 19 copies; "1000.mdb" sorts before "990.mdb" by name
        Touch(name);
    ASSERT_TRUE(BackUp());
    EXPECT_EQ(Listing().size(), 20);
    ASSERT_TRUE(BackUp());
    QStringList expected = Names(991, 1010);
    expected.sort();
    EXPECT_EQ(Listing(), expected);
}

TEST_F(BackupTest, FailedBackupIsReportedAndKeepsEveryOlderCopy) {
    for (int run = 0; run < 20; ++run)
        ASSERT_TRUE(BackUp());
    const QStringList before = Listing();

    QString error;
    ASSERT_TRUE(QFile::rename(DatabasePath(), DatabasePath() + QStringLiteral(".away")));
    EXPECT_FALSE(BackUp(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("db.mdb"))) << error.toStdString();
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
    ASSERT_TRUE(QFile::rename(DatabasePath() + QStringLiteral(".away"), DatabasePath()));
    const QString blocked = m_dir.FilePath(QStringLiteral("a-file"));
    QFile(blocked).open(QIODevice::WriteOnly);
    EXPECT_FALSE(amb::BackUpDatabase(m_data, blocked, &error));
    EXPECT_FALSE(amb::BackUpDatabase(m_data, QString(), &error));

    if (::geteuid() != 0) { // permissions do not stop root
        ASSERT_TRUE(QFile::setPermissions(m_backup, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        EXPECT_FALSE(BackUp(&error));
        QFile::setPermissions(m_backup, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(Listing(), before);
    }
    EXPECT_TRUE(BackUp());
    EXPECT_EQ(Listing(), Names(2, 21));
}
