#include "platform/data/Currency.h"

#include <gtest/gtest.h>

using platform::Currency;

TEST(Currency, ParsesExactAmountsAndRejectsOthers) {
    struct Case {
        const char* text;
        std::optional<int64_t> ticks;
    } cases[] = {
        {"0.10", 1000},
        {"-0.10", -1000},
        {"1,234.5", 12345000},
        {" 7 ", 70000},
        {"+3", 30000},
        {".5", 5000},
        {"1.2345", 12345},
        {"1.23456", {}},
        {"abc", {}},
        {"", {}},
        {"1.2.3", {}},
        {"-", {}},
        {"12e3", {}},
        {"9999999999999999", {}},
        // Group separators only between groups of three before the point.
        {"12,34", {}},
        {"1,2,3", {}},
        {",123", {}},
        {"1234,567", {}},
        {"1.2,3", {}},
        {"-12,345,678.9", -123456789000},
    };
    for (const auto& c : cases) {
        const auto parsed = Currency::Parse(QString::fromUtf8(c.text));
        ASSERT_EQ(parsed.has_value(), c.ticks.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->Ticks(), *c.ticks) << c.text;
        }
    }
}

TEST(Currency, SumsStayExactAndFormatRoundsHalfAway) {
    Currency sum;
    for (int i = 0; i < 10000; ++i)
        sum += *Currency::Parse(QStringLiteral("0.10"));
    EXPECT_EQ(sum.ToString(), QStringLiteral("1000.00"));
    EXPECT_EQ(Currency::FromTicks(12345).ToString(), QStringLiteral("1.23"));
    EXPECT_EQ(Currency::FromTicks(12350).ToString(), QStringLiteral("1.24"));
    EXPECT_EQ(Currency::FromTicks(-12350).ToString(), QStringLiteral("-1.24"));
    EXPECT_EQ(Currency::FromTicks(-1).ToString(), QStringLiteral("0.00"));
    EXPECT_EQ(Currency::FromTicks(5).ToString(0), QStringLiteral("0"));
}
