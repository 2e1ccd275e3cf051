#include "common/ColumnLengths.h"
#include "common/LookupKinds.h"
#include "database/DatabaseSchema.h"
#include "platform/com/Error.h"
#include "platform/data/SqlColumn.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <set>
#include <tuple>

using platform::SqliteConnection;

TEST(DatabaseSchema, CreatesEveryTableWithSeedRowsAndVersion) {
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1033);
    EXPECT_EQ(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner); // private whoever makes it
    auto db = SqliteConnection::Open(path);
    EXPECT_NO_THROW(amb::database::CheckSchemaVersion(*db));

    const auto tables =
        db->Query("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%' ORDER BY name");
    EXPECT_EQ(tables->RecordCount(), 26);

    // The ids other code relies on.
    const auto name = [&](const char* sql) { return db->Query(QString::fromUtf8(sql))->Field(0).ToString(); };
    EXPECT_EQ(name("SELECT AddressName FROM AddressName WHERE ID=1"), "Home");
    EXPECT_EQ(name("SELECT PhoneNumberName FROM PhoneNumberName WHERE ID=4"), "Fax");
    EXPECT_EQ(name("SELECT EMailAddressName FROM EMailAddressName WHERE ID=2"), "Work");
    EXPECT_EQ(name("SELECT MaritalStatus FROM MaritalStatus WHERE ID=2"), "Married");
    EXPECT_EQ(name("SELECT COUNT(*) FROM AddressName WHERE ID IN (1,2) AND IsUpdatable=0"), "2");
    EXPECT_EQ(name("SELECT COUNT(*) FROM Report"), "19");
    EXPECT_EQ(name("SELECT COUNT(*) FROM State"), "51");

    // Every look-up table has rows, so no list is ever empty.
    for (const amb::LookupKind& kind : amb::kLookupKinds)
        EXPECT_GT(db->Query(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(amb::NameColumn(kind)))->Field(0).ToInt(),
                  0)
            << kind.table;
}

TEST(DatabaseSchema, KoreanSeedsAndNeverTouchesAnExistingFile) {
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1042);
    {
        auto db = SqliteConnection::Open(path);
        EXPECT_EQ(db->Query("SELECT AddressName FROM AddressName WHERE ID=1")->Field(0).ToString(), "집");
        EXPECT_EQ(db->Query("SELECT Sex FROM Sex WHERE ID=2")->Field(0).ToString(), "여");
        EXPECT_EQ(db->Query("SELECT InternalName FROM Report WHERE Report=?", {"헌금 목록"})->Field(0).ToString(),
                  "Offering List");
        db->Execute("INSERT INTO Family (Name) VALUES ('Kept')");
    }
    EXPECT_THROW(amb::database::CreateDatabase(path, 1033), platform::Error);
    auto db = SqliteConnection::Open(path);
    EXPECT_EQ(db->Query("SELECT COUNT(*) FROM Family")->Field(0).ToInt(), 1);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files).size(), 1) << "no work file is left behind";

    // No folder: refused, nothing made.
    EXPECT_THROW(amb::database::CreateDatabase(dir.FilePath("missing/db.mdb"), 1033), platform::Error);
}

TEST(DatabaseSchema, RefusesAnotherSchemaVersion) {
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1033);
    auto db = SqliteConnection::Open(path);
    db->SetUserVersion(amb::database::kSchemaVersion + 1);
    EXPECT_THROW(amb::database::CheckSchemaVersion(*db), platform::Error);
}

// The file's header says what keeps the program from opening it, and whether a later version wrote it.
TEST(DatabaseSchema, TheFileCheckTellsAnotherFileFromALaterVersionsFile) {
    using amb::database::kSchemaVersion;
    struct Case {
        const char* what;
        int version; // -1: no SQLite file
        const char* problem;
        bool newer;
    };
    const Case cases[] = {
        {.what = "this version's", .version = kSchemaVersion, .problem = "", .newer = false},
        {.what = "a later version's",
         .version = kSchemaVersion + 1,
         .problem = "not an Ambrel database (schema version 2, expected 1)",
         .newer = true},
        {.what = "another program's", .version = 0, .problem = "not an Ambrel database (schema version 0, expected 1)",
         .newer = false},
        {.what = "a text file", .version = -1, .problem = "not an Ambrel database (not a SQLite database file)",
         .newer = false},
    };
    static_assert(kSchemaVersion == 1, "the expected texts name version 1");
    for (const Case& c : cases) {
        test::TempDir dir;
        const QString path = dir.FilePath("db.mdb");
        if (c.version < 0) {
            QFile text(path);
            ASSERT_TRUE(text.open(QIODevice::WriteOnly));
            text.write(QByteArray("Name,Address\nKim,Seoul\n").repeated(20));
        } else {
            SqliteConnection::Create(path)->SetUserVersion(c.version);
        }
        const amb::database::DatabaseFileCheck check = amb::database::CheckDatabaseFile(path);
        EXPECT_EQ(check.problem, QLatin1String(c.problem)) << c.what;
        EXPECT_EQ(check.newer, c.newer) << c.what;
    }
}

TEST(DatabaseSchema, ConnectionStringGivesThePath) {
    using amb::database::DatabasePathFromConnectionString;
    EXPECT_EQ(
        DatabasePathFromConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=/home/a b/db.mdb; Jet OLEDB:"),
        "/home/a b/db.mdb");
    EXPECT_EQ(DatabasePathFromConnectionString("/tmp/x/db.mdb"), "/tmp/x/db.mdb");
    EXPECT_EQ(DatabasePathFromConnectionString("Provider=X;"), QString());
}

TEST(DatabaseSchema, TheSqliteShellOpensTheFile) {
    const QString shell = QStandardPaths::findExecutable("sqlite3");
    if (shell.isEmpty())
        GTEST_SKIP() << "sqlite3 is not on PATH";
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1033);
    QProcess p;
    p.start(shell, {path, "PRAGMA integrity_check; SELECT COUNT(*) FROM Report;"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), "ok\n19");
}

// The text boxes of the windows stop at the lengths of the column-length table: every text column of a
// new database is in it with its declared length, and it names no other column.
TEST(DatabaseSchema, TheWindowsColumnLengthsAreTheDeclaredOnes) {
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1033);
    auto db = SqliteConnection::Open(path);
    std::set<std::tuple<QString, QString, int>> declared;
    const auto tables = db->Query("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%'");
    for (; !tables->IsEOF(); tables->MoveNext()) {
        const QString table = tables->Field(0).ToString();
        const auto columns = db->Query(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
        for (; !columns->IsEOF(); columns->MoveNext()) {
            const platform::SqlColumnInfo column =
                platform::ParseDeclaredType(columns->Field("name").ToString(), columns->Field("type").ToString());
            if (column.type == platform::SqlColumnType::Text)
                declared.emplace(table, column.name, column.maxLength);
            else if (column.type == platform::SqlColumnType::Memo)
                declared.emplace(table, column.name, column.maxLength > 0 ? column.maxLength : amb::kMemoLength);
        }
    }
    std::set<std::tuple<QString, QString, int>> listed;
    for (const amb::ColumnLength& c : amb::kColumnLengths)
        listed.emplace(QString::fromUtf8(c.table.data(), static_cast<qsizetype>(c.table.size())),
                       QString::fromUtf8(c.column.data(), static_cast<qsizetype>(c.column.size())), c.length);
    EXPECT_EQ(std::size(amb::kColumnLengths), listed.size()) << "a column listed twice";
    ASSERT_FALSE(declared.empty());
    EXPECT_EQ(listed, declared);
}
