#include "platform/data/SqliteConnection.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <limits>

using platform::Currency;
using platform::SqliteConnection;
using platform::Variant;

namespace {

std::unique_ptr<SqliteConnection> NewDatabase(const test::TempDir& dir) {
    auto db = SqliteConnection::Create(dir.FilePath("t.mdb"));
    db->ExecuteScript("CREATE TABLE V (Whole INTEGER, Amount CURRENCY, Ratio DOUBLE, Name TEXT, IsOn BOOLEAN, "
                      "Due DATETIME, Free)");
    return db;
}

QString Text(qsizetype bytes) {
    QString text(bytes, QLatin1Char('x'));
    for (qsizetype i = 0; i < bytes; i += 97)
        text[i] = QLatin1Char('0' + static_cast<char>(i % 10));
    return text;
}

} // namespace

// Every value comes back as reading it at once would have made it, around the edges of the compact
// form: whole numbers beside the 30 bits a small one keeps, texts beside one- and two-byte lengths
// and beside the largest block.
TEST(ResultCells, ValuesComeBackAsStored) {
    struct Case {
        const char* column;
        QString literal; // SQL
        Variant expected;
    };
    const int64_t small = (int64_t{1} << 29) - 1;
    const std::vector<Case> cases = {
        {"Whole", "NULL", Variant::Null()},
        {"Whole", "0", Variant(0)},
        {"Whole", "-1", Variant(-1)},
        {"Whole", QString::number(small), Variant(static_cast<int32_t>(small))},
        {"Whole", QString::number(small + 1), Variant(static_cast<int32_t>(small + 1))},
        {"Whole", QString::number(-small - 1), Variant(static_cast<int32_t>(-small - 1))},
        {"Whole", QString::number(-small - 2), Variant(static_cast<int32_t>(-small - 2))},
        {"Whole", "2147483647", Variant(std::numeric_limits<int32_t>::max())},
        {"Whole", "9007199254740993", Variant(9007199254740993.0)},
        {"Amount", "123456789012", Variant(Currency::FromTicks(123456789012))},
        {"Amount", "-5", Variant(Currency::FromTicks(-5))},
        {"Ratio", "0.5", Variant(0.5)},
        {"Ratio", "-1e300", Variant(-1e300)},
        {"Ratio", "3", Variant(3.0)},
        {"IsOn", "1", Variant(true)},
        {"IsOn", "0", Variant(false)},
        {"Name", "''", Variant(QString())},
        {"Name", "'Ph.D.'", Variant(QStringLiteral("Ph.D."))},
        {"Name", "'김민준'", Variant(QStringLiteral("김민준"))},
        {"Name", "42", Variant(QStringLiteral("42"))},
        {"Free", "'7'", Variant(QStringLiteral("7"))},
        {"Due", "'2026-03-04 05:06:07'",
         Variant(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)))},
    };
    // Texts of 127, 128, 16383 and 16384 bytes, the largest that fits a block with its length, one
    // byte more, and a megabyte.
    std::vector<QString> texts;
    for (const qsizetype bytes : {127, 128, 16383, 16384, 262141, 262142, 1 << 20})
        texts.push_back(Text(bytes));

    test::TempDir dir;
    auto db = NewDatabase(dir);
    // Three rounds, so that the rows cross the chunks and the texts the blocks.
    const int rounds = 3;
    platform::SqliteTransaction fill(*db);
    for (int round = 0; round < rounds; ++round) {
        for (const Case& c : cases)
            db->Execute(QStringLiteral("INSERT INTO V (%1) VALUES (%2)").arg(QLatin1String(c.column), c.literal));
        for (const QString& text : texts)
            db->Execute("INSERT INTO V (Name) VALUES (?)", {Variant(text)});
        for (int i = 0; i < 300; ++i)
            db->Execute("INSERT INTO V (Whole, Name) VALUES (?, ?)", {Variant(i), Variant(Text(i))});
    }
    fill.Commit();
    const auto rs = db->Query("SELECT * FROM V ORDER BY rowid");
    const int perRound = static_cast<int>(cases.size() + texts.size()) + 300;
    ASSERT_EQ(rs->RecordCount(), rounds * perRound);
    for (int round = 0; round < rounds; ++round) {
        int row = round * perRound;
        for (const Case& c : cases) {
            const Variant value = rs->Value(row++, rs->FieldIndex(QLatin1String(c.column)));
            EXPECT_TRUE(value == c.expected) << c.column << " " << c.literal.toStdString() << " read as "
                                             << value.ToString().left(40).toStdString();
            EXPECT_EQ(value.GetType(), c.expected.GetType()) << c.column << " " << c.literal.toStdString();
        }
        for (const QString& text : texts)
            EXPECT_EQ(rs->Value(row++, rs->FieldIndex("Name")).ToString(), text) << text.size();
        for (int i = 0; i < 300; ++i, ++row) {
            EXPECT_EQ(rs->Value(row, 0).ToInt(), i);
            EXPECT_EQ(rs->Value(row, 3).ToString(), Text(i)) << i;
            EXPECT_TRUE(rs->Value(row, 1).IsNull());
        }
    }
}

// Dropping repeated rows moves the kept rows' values, long texts and wide numbers among them.
TEST(ResultCells, DropRepeatedRowsKeepsTheFirstOfEachRun) {
    test::TempDir dir;
    auto db = NewDatabase(dir);
    platform::SqliteTransaction fill(*db);
    for (int i = 0; i < 1000; ++i)
        db->Execute("INSERT INTO V (Whole, Ratio, Name) VALUES (?, ?, ?)",
                    {Variant(i / 3), Variant(i + 0.25), Variant(Text(i % 7 == 0 ? 300000 : i))});
    fill.Commit();
    const auto rs = db->Query("SELECT Whole, Ratio, Name FROM V ORDER BY rowid");
    rs->DropRepeatedRows(0);
    ASSERT_EQ(rs->RecordCount(), 334);
    for (int row = 0; row < rs->RecordCount(); ++row) {
        const int first = row * 3;
        EXPECT_EQ(rs->Value(row, 0).ToInt(), row);
        EXPECT_EQ(rs->Value(row, 1).ToDouble(), first + 0.25);
        EXPECT_EQ(rs->Value(row, 2).ToString(), Text(first % 7 == 0 ? 300000 : first)) << row;
    }
}
