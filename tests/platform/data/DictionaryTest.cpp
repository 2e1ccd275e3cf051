#include "platform/data/Dictionary.h"

#include <gtest/gtest.h>

#include <ctime>

using platform::Dictionary;
using platform::Variant;

TEST(Dictionary, KeepsInsertionOrderAndNeverAddsOnRead) {
    Dictionary dict{{QStringLiteral("ID"), 0}, {QStringLiteral("Name"), QStringLiteral("김철수")}};
    EXPECT_TRUE(dict.Item(QStringLiteral("Missing")).IsEmpty());
    EXPECT_FALSE(dict.Exists(QStringLiteral("Missing")));
    EXPECT_FALSE(dict.Exists(QStringLiteral("id"))); // keys compare exactly

    dict.SetItem(QStringLiteral("Note"), Variant::Null());
    dict.SetItem(QStringLiteral("ID"), 42); // replaced in place, order kept
    EXPECT_EQ(dict.Keys(), (QStringList{"ID", "Name", "Note"}));
    EXPECT_EQ(dict.Item(QStringLiteral("ID")).ToInt(), 42);

    ASSERT_TRUE(dict.Remove(QStringLiteral("ID")));
    EXPECT_EQ(dict.Keys(), (QStringList{"Name", "Note"}));
    EXPECT_EQ(dict.Item(QStringLiteral("Name")).ToString(), QStringLiteral("김철수"));
    EXPECT_TRUE(dict.Item(QStringLiteral("Note")).IsNull());
}

TEST(Variant, DatesAreNaiveAndTextsConvert) {
    const Variant date(platform::MakeDateTime(2031, 3, 29, 2, 30, 0)); // a daylight-saving gap in Europe
    EXPECT_EQ(date.ToString(), QStringLiteral("2031-03-29 02:30:00"));
    EXPECT_EQ(Variant(QStringLiteral("1925-12-31")).ToDateTime(), platform::MakeDateTime(1925, 12, 31));
    EXPECT_FALSE(Variant(QStringLiteral("31/12/25")).ToDateTime().isValid());
    EXPECT_TRUE(Variant(QDateTime()).IsNull());
    EXPECT_EQ(Variant(QStringLiteral(" 12 ")).ToInt(), 12);
    EXPECT_EQ(Variant(true).ToInt(), -1);
}

// A date text is a wall-clock date whatever the local time zone skips: Seoul's clocks jumped from
// midnight to one o'clock on 5 May 1955, yet a person born that day keeps the date.
TEST(Variant, DateTextsIgnoreTheLocalTimeZone) {
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Asia/Seoul");
    tzset();
    const QDateTime born = Variant(QStringLiteral("1955-05-05")).ToDateTime();
    const QDateTime stamped = Variant(QStringLiteral("1955-05-05 00:30:00")).ToDateTime();
    const QDateTime wrong = Variant(QStringLiteral("1955-05-05 0:30")).ToDateTime();
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    tzset();
    EXPECT_EQ(born, platform::MakeDateTime(1955, 5, 5));
    EXPECT_EQ(stamped, platform::MakeDateTime(1955, 5, 5, 0, 30, 0));
    EXPECT_FALSE(wrong.isValid());
}
