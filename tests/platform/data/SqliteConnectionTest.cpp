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
    auto db = SqliteConnection::Create(dir.FilePath("t.mdb"));
    db->ExecuteScript(QString::fromUtf8(kSchema));
    return db;
}

} // namespace

TEST(SqliteConnection, OpenNeverCreatesAndCreateNeverOverwrites) {
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    EXPECT_THROW(SqliteConnection::Open(path), Error);
    EXPECT_FALSE(QFileInfo::exists(path));

    {
        auto db = SqliteConnection::Create(path);
        db->ExecuteScript("CREATE TABLE T (ID INTEGER); INSERT INTO T VALUES (7);");
        db->SetUserVersion(3);
    }
    EXPECT_THROW(SqliteConnection::Create(path), Error);
    auto db = SqliteConnection::Open(path);
    EXPECT_EQ(db->UserVersion(), 3);
    EXPECT_EQ(db->Query("SELECT ID FROM T")->Field(0).ToInt(), 7);
    EXPECT_EQ(db->Query("PRAGMA journal_mode")->Field(0).ToString(), "delete");

    // A file that is not a database fails at open, with SQLite's message.
    const QString junk = dir.FilePath("junk.mdb");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    try {
        SqliteConnection::Open(junk);
        FAIL() << "a junk file opened";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Description().contains("not a database")) << e.Description().toStdString();
    }
}

TEST(SqliteConnection, ReadsTypedValuesByDeclaredType) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    const QString insert = "INSERT INTO Item (Name, Note, IsDone, Due, Amount, Ratio) VALUES (?,?,?,?,?,?)";
    db->Execute(insert, {"O'Neil", "한국어 메모", true, platform::MakeDateTime(1925, 2, 3, 4, 5, 6),
                         Currency::FromTicks(12345), 0.5});
    db->Execute(insert, {Variant::Null(), Variant(), false, Variant::Null(), Variant::Null(), Variant::Null()});

    const auto rs = db->Query("SELECT *, Amount AS Copy, 1+1 AS Two, 'x' AS Lit FROM Item ORDER BY ID");
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Field("ID").GetType(), Variant::Type::Int32);
    EXPECT_EQ(rs->Field("Name").ToString(), "O'Neil");
    EXPECT_EQ(rs->Field("Note").ToString(), "한국어 메모");
    EXPECT_EQ(rs->Field("IsDone"), Variant(true));
    EXPECT_EQ(rs->Field("Due").ToDateTime(), platform::MakeDateTime(1925, 2, 3, 4, 5, 6));
    EXPECT_EQ(rs->Field("Amount"), Variant(Currency::FromTicks(12345)));
    EXPECT_EQ(rs->Field("Ratio"), Variant(0.5));
    EXPECT_EQ(rs->Field("Two"), Variant(2));
    rs->MoveNext();
    EXPECT_TRUE(rs->Field("Name").IsNull());
    EXPECT_TRUE(rs->Field("Due").IsNull());
    EXPECT_EQ(rs->Field("IsDone"), Variant(false));

    // A UNION has no declared types: hints give them.
    const auto both =
        db->Query("SELECT Due, IsDone FROM Item UNION SELECT '2004-03-05 00:00:00', 1", {},
                  {{"due", platform::SqlColumnType::DateTime}, {"IsDone", platform::SqlColumnType::Boolean}});
    EXPECT_EQ(both->Rows().back()[0], Variant(platform::MakeDateTime(2004, 3, 5)));
    EXPECT_EQ(both->Rows().back()[1], Variant(true));

    // Stored forms: dates as ISO text with the time, money as whole ten-thousandths.
    const auto raw = db->Query("SELECT typeof(Due), CAST(Due AS TEXT), typeof(Amount) FROM Item WHERE ID=1");
    EXPECT_EQ(raw->Field(0).ToString(), "text");
    EXPECT_EQ(raw->Field(1).ToString(), "1925-02-03 04:05:06");
    EXPECT_EQ(raw->Field(2).ToString(), "integer");
}

TEST(SqliteConnection, ErrorsCarryMessageAndStatementAndLeaveTheConnectionUsable) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    try {
        db->Query("SELECT Nope FROM Item");
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.Description().contains("no such column"));
        EXPECT_EQ(e.Source(), "SELECT Nope FROM Item");
    }
    EXPECT_THROW(db->Execute("INSERT INTO Item (Name) VALUES (?)", {}), Error);  // missing value
    EXPECT_THROW(db->Execute("INSERT INTO Item (IsDone) VALUES (NULL)"), Error); // NOT NULL
    // A cached statement that failed is reset and works again.
    for (int i = 0; i < 3; ++i)
        EXPECT_THROW(db->Execute("INSERT INTO Item (IsDone) VALUES (?)", {Variant::Null()}), Error);
    EXPECT_EQ(db->Execute("INSERT INTO Item (IsDone) VALUES (?)", {true}), 1);
    EXPECT_EQ(db->LastInsertId(), 1);
}

TEST(SqliteConnection, TransactionRollsBackUnlessCommitted) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    const QString insert = "INSERT INTO Item (Name) VALUES (?)";
    {
        SqliteTransaction tx(*db);
        db->Execute(insert, {"a"});
        EXPECT_TRUE(db->InTransaction());
    }
    EXPECT_FALSE(db->InTransaction());
    try {
        SqliteTransaction tx(*db);
        db->Execute(insert, {"b"});
        throw Error(1, "forced", "test");
    } catch (const Error&) {
    }
    {
        SqliteTransaction tx(*db);
        db->Execute(insert, {"c"});
        tx.Commit();
    }
    const auto rs = db->Query("SELECT Name FROM Item");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Field(0).ToString(), "c");

    // Another connection sees only the committed row.
    auto other = SqliteConnection::Open(db->Path());
    EXPECT_EQ(other->Query("SELECT COUNT(*) FROM Item")->Field(0).ToInt(), 1);
}

TEST(SqliteConnection, ColumnsAndConversionsForSaves) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    const auto& columns = db->Columns("item");
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
    EXPECT_EQ(ToColumnValue(" 3/5/2004 ", col("Due")).ToDateTime(), platform::MakeDateTime(2004, 3, 5));
    EXPECT_EQ(ToColumnValue("1,234.50", col("Amount")), Variant(Currency::FromTicks(12345000)));
    EXPECT_EQ(ToColumnValue("-1", col("IsDone")), Variant(true));
    EXPECT_EQ(ToColumnValue(Variant::Null(), col("IsDone")), Variant(false));
    EXPECT_EQ(ToColumnValue("  ", col("Due")), Variant::Null());
    EXPECT_EQ(ToColumnValue(" ab ", col("Name")), Variant("ab"));
    EXPECT_EQ(ToColumnValue("line\r\nnext", col("Note")), Variant("line\r\nnext"));

    // Values that do not convert are refused (the person saves try the other refusals).
    EXPECT_THROW(ToColumnValue("2/30/2004", col("Due")), Error);
    EXPECT_THROW(ToColumnValue("12,34x", col("Amount")), Error);
    EXPECT_THROW(ToColumnValue("a\tb", col("Name")), Error);
}

// Long results share repeated texts and make values only when read: every value must still read,
// compare and bind as stored, in any order, and outlive its result set.
TEST(SqliteConnection, LazyValuesReadAsStoredAndOutliveTheirSet) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    const QStringList names = {"Kim", "김", "O'Neil", "", "Lee"};
    const int count = 3000;
    const auto note = [](int i) {
        return Variant(i == count - 1 ? QString(300000, QChar(u'가')) : QStringLiteral("메모 %1 note").arg(i));
    };
    const auto due = [](int i) { return Variant(platform::MakeDateTime(2000 + i % 3, 1 + i / 300, 1 + i % 28)); };
    {
        SqliteTransaction tx(*db);
        for (int i = 0; i < count; ++i)
            db->Execute("INSERT INTO Item (Name, Note, Due, Amount) VALUES (?,?,?,?)",
                        {i % 11 == 0 ? Variant::Null() : Variant(names[i % names.size()]), note(i),
                         i % 13 == 0 ? Variant::Null() : due(i / 5), Currency::FromTicks(i)});
        // A short date and a text that is no date, as other programs may leave them.
        db->Execute("UPDATE Item SET Due='2004-3-5' WHERE ID=1000");
        db->Execute("UPDATE Item SET Due='soon' WHERE ID=1001");
        tx.Commit();
    }
    auto rs = db->Query("SELECT Name, Note, Due, Amount FROM Item ORDER BY ID");
    ASSERT_EQ(rs->RecordCount(), count);
    const Variant& first = rs->Field(1); // a reference into the set stays good while others are made
    for (int i = count - 1; i >= 0; --i) {
        EXPECT_EQ(rs->Value(i, 0), i % 11 == 0 ? Variant::Null() : Variant(names[i % names.size()])) << i;
        EXPECT_EQ(rs->Value(i, 1), note(i)) << i;
        EXPECT_EQ(rs->Value(i, 3), Variant(Currency::FromTicks(i))) << i;
        if (i != 999 && i != 1000) {
            EXPECT_EQ(rs->Rows()[static_cast<size_t>(i)][2], i % 13 == 0 ? Variant::Null() : due(i / 5)) << i;
        }
    }
    EXPECT_EQ(rs->Value(999, 2), Variant(platform::MakeDateTime(2004, 3, 5)));
    EXPECT_EQ(rs->Value(1000, 2), Variant("soon"));
    EXPECT_EQ(first, note(0));
    EXPECT_THROW(rs->Value(count, 0), Error);
    EXPECT_THROW(rs->Value(0, 4), Error);

    const Variant kept = rs->Rows()[2500][1];
    const Variant longest = rs->Value(count - 1, 1);
    EXPECT_EQ(db->Query("SELECT COUNT(*) FROM Item WHERE Note=?", {kept})->Field(0).ToInt(), 1);
    rs.reset();
    EXPECT_EQ(kept, note(2500));
    EXPECT_EQ(longest.ToString().size(), 300000);

    // Repeated names dropped before any value was made, and after some were: the same rows.
    const QString sql = "SELECT Name, Note FROM Item WHERE ID <= 100 ORDER BY Name, ID";
    auto untouched = db->Query(sql);
    auto touched = db->Query(sql);
    touched->Value(40, 1);
    untouched->DropRepeatedRows(0);
    touched->DropRepeatedRows(0);
    ASSERT_EQ(untouched->RecordCount(), 6); // Null, "", and four names
    ASSERT_EQ(touched->RecordCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(untouched->Value(i, 1), touched->Rows()[static_cast<size_t>(i)][1]) << i;
    untouched->PrependRow({Variant(-998)});
    EXPECT_EQ(untouched->Value(0, 0), Variant(-998));
    EXPECT_TRUE(untouched->Value(0, 1).IsEmpty());
    EXPECT_EQ(untouched->Value(6, 1), touched->Value(5, 1));
}
