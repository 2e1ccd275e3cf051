#include "platform/data/SqliteConnection.h"
#include "platform/com/Error.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

using platform::Currency;
using platform::Error;
using platform::SqliteConnection;
using platform::SqliteTransaction;
using platform::Variant;

namespace {

const char* kSchema = R"(
CREATE TABLE Item (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Name VARCHAR(10) COLLATE NOCASE,
    Note TEXT,
    IsDone BOOLEAN NOT NULL DEFAULT 0,
    Due DATETIME,
    Amount CURRENCY,
    Ratio DOUBLE
);
)";

std::unique_ptr<SqliteConnection> NewDatabase(const test::TempDir& dir) {
    auto db = SqliteConnection::Create(dir.FilePath(QStringLiteral("t.mdb")));
    db->ExecuteScript(QString::fromUtf8(kSchema));
    return db;
}

} // namespace

TEST(SqliteConnection, OpenNeverCreatesAndCreateNeverOverwrites) {
    test::TempDir dir;
    const QString path = dir.FilePath(QStringLiteral("db.mdb"));
    EXPECT_THROW(SqliteConnection::Open(path), Error);
    EXPECT_FALSE(QFileInfo::exists(path));

    {
        auto db = SqliteConnection::Create(path);
        db->ExecuteScript(QStringLiteral("CREATE TABLE T (ID INTEGER); INSERT INTO T VALUES (7);"));
        db->SetUserVersion(3);
    }
    EXPECT_THROW(SqliteConnection::Create(path), Error);
    auto db = SqliteConnection::Open(path);
    EXPECT_EQ(db->UserVersion(), 3);
    EXPECT_EQ(db->Query(QStringLiteral("SELECT ID FROM T"))->Field(0).ToInt(), 7);
    EXPECT_EQ(db->Query(QStringLiteral("PRAGMA journal_mode"))->Field(0).ToString(), QStringLiteral("delete"));

    // A file that is not a database fails at open, with SQLite's message.
    const QString junk = dir.FilePath(QStringLiteral("junk.mdb"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    try {
        SqliteConnection::Open(junk);
        FAIL() << "a junk file opened";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("not a database"))) << e.Description().toStdString();
    }
}

TEST(SqliteConnection, ReadsTypedValuesByDeclaredType) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    const QString insert =
        QStringLiteral("INSERT INTO Item (Name, Note, IsDone, Due, Amount, Ratio) VALUES (?,?,?,?,?,?)");
    db->Execute(insert, {QStringLiteral("O'Neil"), QStringLiteral("한국어 메모"), true,
                         platform::MakeDateTime(1925, 2, 3, 4, 5, 6), Currency::FromTicks(12345), 0.5});
    db->Execute(insert, {Variant::Null(), Variant(), false, Variant::Null(), Variant::Null(), Variant::Null()});

    const auto rs = db->Query(QStringLiteral("SELECT *, Amount AS Copy, 1+1 AS Two, 'x' AS Lit FROM Item ORDER BY ID"));
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Field(QStringLiteral("ID")).GetType(), Variant::Type::Int32);
    EXPECT_EQ(rs->Field(QStringLiteral("Name")).ToString(), QStringLiteral("O'Neil"));
    EXPECT_EQ(rs->Field(QStringLiteral("Note")).ToString(), QStringLiteral("한국어 메모"));
    EXPECT_EQ(rs->Field(QStringLiteral("IsDone")), Variant(true));
    EXPECT_EQ(rs->Field(QStringLiteral("Due")).ToDateTime(), platform::MakeDateTime(1925, 2, 3, 4, 5, 6));
    EXPECT_EQ(rs->Field(QStringLiteral("Amount")), Variant(Currency::FromTicks(12345)));
    EXPECT_EQ(rs->Field(QStringLiteral("Copy")).GetType(), Variant::Type::Currency);
    EXPECT_EQ(rs->Field(QStringLiteral("Ratio")), Variant(0.5));
    EXPECT_EQ(rs->Field(QStringLiteral("Two")), Variant(2));
    EXPECT_EQ(rs->Field(QStringLiteral("Lit")), Variant(QStringLiteral("x")));
    rs->MoveNext();
    EXPECT_TRUE(rs->Field(QStringLiteral("Name")).IsNull());
    EXPECT_TRUE(rs->Field(QStringLiteral("Due")).IsNull());
    EXPECT_EQ(rs->Field(QStringLiteral("IsDone")), Variant(false));

    // A UNION has no declared types: hints give them.
    const auto both =
        db->Query(QStringLiteral("SELECT Due, IsDone FROM Item UNION SELECT '2004-03-05 00:00:00', 1"), {},
                  {{QStringLiteral("due"), platform::SqlColumnType::DateTime},
                   {QStringLiteral("IsDone"), platform::SqlColumnType::Boolean}});
    EXPECT_EQ(both->Rows().back()[0], Variant(platform::MakeDateTime(2004, 3, 5)));
    EXPECT_EQ(both->Rows().back()[1], Variant(true));

    // Stored forms: dates as ISO text with the time, money as whole ten-thousandths.
    const auto raw =
        db->Query(QStringLiteral("SELECT typeof(Due), CAST(Due AS TEXT), typeof(Amount) FROM Item WHERE ID=1"));
    EXPECT_EQ(raw->Field(0).ToString(), QStringLiteral("text"));
    EXPECT_EQ(raw->Field(1).ToString(), QStringLiteral("1925-02-03 04:05:06"));
    EXPECT_EQ(raw->Field(2).ToString(), QStringLiteral("integer"));
}

TEST(SqliteConnection, ErrorsCarryMessageAndStatementAndLeaveTheConnectionUsable) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    try {
        db->Query(QStringLiteral("SELECT Nope FROM Item"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("no such column")));
        EXPECT_EQ(e.Source(), QStringLiteral("SELECT Nope FROM Item"));
    }
    EXPECT_THROW(db->Execute(QStringLiteral("INSERT INTO Item (Name) VALUES (?)"), {}), Error);  // missing value
    EXPECT_THROW(db->Execute(QStringLiteral("INSERT INTO Item (IsDone) VALUES (NULL)")), Error); // NOT NULL
    // A cached statement that failed is reset and works again.
    for (int i = 0; i < 3; ++i)
        EXPECT_THROW(db->Execute(QStringLiteral("INSERT INTO Item (IsDone) VALUES (?)"), {Variant::Null()}), Error);
    EXPECT_EQ(db->Execute(QStringLiteral("INSERT INTO Item (IsDone) VALUES (?)"), {true}), 1);
    EXPECT_EQ(db->LastInsertId(), 1);
}

TEST(SqliteConnection, TransactionRollsBackUnlessCommitted) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    const QString insert = QStringLiteral("INSERT INTO Item (Name) VALUES (?)");
    {
        SqliteTransaction tx(*db);
        db->Execute(insert, {QStringLiteral("a")});
        EXPECT_TRUE(db->InTransaction());
    }
    EXPECT_FALSE(db->InTransaction());
    try {
        SqliteTransaction tx(*db);
        db->Execute(insert, {QStringLiteral("b")});
        throw Error(1, QStringLiteral("forced"), QStringLiteral("test"));
    } catch (const Error&) {
    }
    {
        SqliteTransaction tx(*db);
        db->Execute(insert, {QStringLiteral("c")});
        tx.Commit();
    }
    const auto rs = db->Query(QStringLiteral("SELECT Name FROM Item"));
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Field(0).ToString(), QStringLiteral("c"));

    // A second connection waits for the writer only up to the busy timeout, then fails cleanly.
    auto other = SqliteConnection::Open(db->Path());
    EXPECT_EQ(other->Query(QStringLiteral("SELECT COUNT(*) FROM Item"))->Field(0).ToInt(), 1);
}

TEST(SqliteConnection, ColumnsAndConversionsForSaves) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    const auto& columns = db->Columns(QStringLiteral("item"));
    ASSERT_EQ(columns.size(), 7u);
    const auto col = [&](const char* name) {
        for (const auto& c : columns)
            if (c.name == QLatin1String(name))
                return c;
        throw std::runtime_error(name);
    };
    using platform::ToColumnValue;
    EXPECT_EQ(col("Name").maxLength, 10);
    EXPECT_TRUE(col("IsDone").notNull);

    // Texts the windows send are accepted in their typed columns.
    EXPECT_EQ(ToColumnValue(QStringLiteral(" 3/5/2004 "), col("Due")).ToDateTime(), platform::MakeDateTime(2004, 3, 5));
    EXPECT_EQ(ToColumnValue(QStringLiteral("2031-12-31 23:59:59"), col("Due")).ToDateTime(),
              platform::MakeDateTime(2031, 12, 31, 23, 59, 59));
    EXPECT_EQ(ToColumnValue(QStringLiteral("3/5/2004 2:07:09 PM"), col("Due")).ToDateTime(),
              platform::MakeDateTime(2004, 3, 5, 14, 7, 9));
    EXPECT_EQ(ToColumnValue(QStringLiteral("1,234.50"), col("Amount")), Variant(Currency::FromTicks(12345000)));
    EXPECT_EQ(ToColumnValue(QStringLiteral("True"), col("IsDone")), Variant(true));
    EXPECT_EQ(ToColumnValue(QStringLiteral("-1"), col("IsDone")), Variant(true));
    EXPECT_EQ(ToColumnValue(Variant::Null(), col("IsDone")), Variant(false));
    EXPECT_EQ(ToColumnValue(QStringLiteral("  "), col("Due")), Variant::Null());
    EXPECT_EQ(ToColumnValue(QStringLiteral(" ab "), col("Name")), Variant(QStringLiteral("ab")));
    EXPECT_EQ(ToColumnValue(QStringLiteral("line\r\nnext"), col("Note")), Variant(QStringLiteral("line\r\nnext")));

    // Values that do not convert are refused: no two-digit years, no impossible dates, no junk.
    for (const QString& bad : {QStringLiteral("3/5/04"), QStringLiteral("2/30/2004"), QStringLiteral("tomorrow"),
                               QStringLiteral("04-03-05")})
        EXPECT_THROW(ToColumnValue(bad, col("Due")), Error) << bad.toStdString();
    EXPECT_THROW(ToColumnValue(QStringLiteral("12,34x"), col("Amount")), Error);
    EXPECT_THROW(ToColumnValue(QStringLiteral("maybe"), col("IsDone")), Error);
    EXPECT_THROW(ToColumnValue(QString(11, QChar(u'x')), col("Name")), Error);
    EXPECT_THROW(ToColumnValue(QStringLiteral("a\tb"), col("Name")), Error);
    EXPECT_THROW(ToColumnValue(QStringLiteral("a\x01b"), col("Note")), Error);
}
