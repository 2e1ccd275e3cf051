#include "common/StandardModule.h"
#include "common/GlobalModule.h"

#include "platform/com/Error.h"
#include "platform/data/Recordset.h"

#include <gtest/gtest.h>

using platform::Currency;
using platform::MakeDateTime;
using platform::Variant;

namespace {

Variant Text(const char* utf8) {
    return Variant(QString::fromUtf8(utf8));
}

Variant WithNul(const char* before, const char* after) {
    QString s = QString::fromUtf8(before);
    s += QChar(0);
    s += QString::fromUtf8(after);
    return Variant(s);
}

} // namespace

TEST(Conversions, TextsAndBlanks) {
    struct Case {
        Variant value;
        const char* text;
        bool null;
    } cases[] = {
        {Variant::Null(), "", true},
        {Variant(), "", true},
        {Text("   "), "", true},
        {Text("  ab  "), "ab", false},
        {WithNul("ab", "cd"), "ab", false},
        {WithNul("", "x"), "", false},
        {WithNul("  ab ", "x"), "ab", false},
        {Variant(int32_t{5}), "5", false},
        {Variant(2.5), "2.5", false},
        {Variant(true), "True", false},
        {Variant(MakeDateTime(2024, 3, 15)), "3/15/2024", false},
        {Variant(MakeDateTime(2024, 3, 15, 14, 30)), "3/15/2024 14:30:00", false},
        {Text(" 김영희 "), "김영희", false},
    };
    for (const auto& c : cases) {
        const QString expected = QString::fromUtf8(c.text);
        EXPECT_EQ(amb::AsString(c.value), expected) << c.value.ToString().toStdString();
        const Variant nulled = amb::NullIfBlank(c.value);
        EXPECT_EQ(nulled.IsNull(), c.null) << c.value.ToString().toStdString();
        if (!c.null) {
            // NullIfBlank gives text, never the number or date it was given; it does not cut at NUL.
            EXPECT_EQ(nulled.GetType(), Variant::Type::String);
        }
    }
    EXPECT_EQ(amb::NullIfBlank(Variant(int32_t{5})).ToString(), QStringLiteral("5"));
}

TEST(Conversions, WholeNumbersRoundHalfToEven) {
    struct Case {
        Variant value;
        int32_t expected;
    } cases[] = {
        {Text("12"), 12},
        {Text("abc"), 0},
        {Variant::Null(), 0},
        {Variant(), 0},
        {Text("2.5"), 2},
        {Text("3.5"), 4},
        {Text("-2.5"), -2},
        {Text("-3.5"), -4},
        {Text("2.5000001"), 3},
        {Text("0.4"), 0},
        {Text("0.6"), 1},
        {Text(" +7 "), 7},
        {Text(".5"), 0},
        {Text("1.5"), 2},
        {Text("5."), 5},
        {Text("1,234"), 0},
        {Text("1e3"), 0},
        {Text("1.2.3"), 0},
        {Text("-"), 0},
        {Text("- 5"), 0},
        {Variant(true), 0},
        {Variant(MakeDateTime(2024, 1, 1)), 0},
        {Variant(2.5), 2},
        {Variant(3.5), 4},
        {Variant(int16_t{-9}), -9},
        {Currency::FromTicks(25000), 2},
        {Currency::FromTicks(-35000), -4},
        {Currency::FromTicks(15001), 2},
        {Text("2147483647"), 2147483647},
        {Text("-2147483648"), INT32_MIN},
        {Text("-2147483648.5"), INT32_MIN},
        {Text("0000000000000000000000012"), 12},
        {WithNul("42", "99999999999"), 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amb::AsLong(c.value), c.expected) << c.value.ToString().toStdString();

    for (const char* overflow : {"2147483648", "-2147483649", "2147483647.5", "99999999999999999999999"}) {
        try {
            amb::AsLong(Text(overflow));
            ADD_FAILURE() << overflow << " did not overflow";
        } catch (const platform::Error& e) {
            EXPECT_EQ(e.Number(), 6) << overflow;
            EXPECT_EQ(e.Description(), QStringLiteral("Overflow"));
        }
        EXPECT_THROW(amb::AsBoolean(Text(overflow)), platform::Error) << overflow;
    }
    EXPECT_THROW(amb::AsLong(Variant(1e20)), platform::Error);

    // A result-set field is read like any other value.
    platform::Recordset rs({QStringLiteral("ID")}, {{Variant(int32_t{7})}});
    EXPECT_EQ(amb::AsLong(rs.Field(QStringLiteral("id"))), 7);
}

TEST(Conversions, BooleansAndDoubles) {
    struct Case {
        Variant value;
        bool expected;
    } cases[] = {
        {Text("TRUE"), true},        {Text(" true "), true}, {Text("-1"), true},
        {Text("0"), false},          {Text("no"), false},    {Text("yes"), false},
        {Variant::Null(), false},    {Text("0.4"), false},   {Text("0.6"), true},
        {Text("0.5"), false},        {Variant(true), true},  {Variant(false), false},
        {Variant(int32_t{2}), true}, {Variant(0.4), false},  {Variant(MakeDateTime(2024, 1, 1)), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amb::AsBoolean(c.value), c.expected) << c.value.ToString().toStdString();

    EXPECT_DOUBLE_EQ(amb::AsDouble(Text(" 2.25 ")), 2.25);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Text("-.5")), -0.5);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Text("5.")), 5.0);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Text("abc")), 0.0);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Text("1e3")), 0.0);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Variant(true)), 0.0);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Variant(Currency::FromTicks(12345))), 1.2345);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Variant::Null()), 0.0);
}

TEST(Conversions, DatesNeedFourDigitYears) {
    const QDateTime noDate = MakeDateTime(1900, 1, 1);
    EXPECT_EQ(amb::NoDate(), noDate);
    struct Case {
        const char* text;
        QDateTime expected; // invalid: no date
    } cases[] = {
        {"3/15/2024", MakeDateTime(2024, 3, 15)},
        {" 12/31/1999 ", MakeDateTime(1999, 12, 31)},
        {"2024-3-5", MakeDateTime(2024, 3, 5)},
        {"2024/03/05", MakeDateTime(2024, 3, 5)},
        {"2024-03-05 07:08:09", MakeDateTime(2024, 3, 5, 7, 8, 9)},
        {"2024-03-05T07:08:09", MakeDateTime(2024, 3, 5, 7, 8, 9)},
        {"3/15/2024 14:30", MakeDateTime(2024, 3, 15, 14, 30)},
        {"3/15/2024 2:30:05 PM", MakeDateTime(2024, 3, 15, 14, 30, 5)},
        {"3/15/2024 12:00 am", MakeDateTime(2024, 3, 15, 0, 0)},
        {"2/29/2024", MakeDateTime(2024, 2, 29)},
        {"2/29/2000", MakeDateTime(2000, 2, 29)},
        {"2/29/2023", {}},
        {"2/29/1900", {}},
        {"3/15/24", {}},
        {"24-3-15", {}},
        {"15/3/2024", {}},
        {"3/15/02024", {}},
        {"3/15/2024 25:00", {}},
        {"3/15/2024 13:00 PM", {}},
        {"3/15/2024x", {}},
        {"3/15-2024", {}},
        {"hello", {}},
        {"12", {}},
    };
    for (const auto& c : cases) {
        const auto parsed = amb::ParseDateText(QString::fromUtf8(c.text));
        ASSERT_EQ(parsed.has_value(), c.expected.isValid()) << c.text;
        bool ok = false;
        const QDateTime date = amb::AsDate(Text(c.text), &ok);
        EXPECT_EQ(ok, c.expected.isValid()) << c.text;
        if (parsed) {
            EXPECT_EQ(*parsed, c.expected) << c.text;
            EXPECT_EQ(parsed->timeSpec(), Qt::UTC) << "dates are naive";
            EXPECT_EQ(date, c.expected) << c.text;
        } else {
            EXPECT_EQ(date, noDate) << c.text;
        }
    }
    bool ok = false;
    EXPECT_EQ(amb::AsDate(Variant::Null(), &ok), noDate);
    EXPECT_TRUE(ok) << "a missing value is not a failure";
    EXPECT_EQ(amb::AsDate(Variant(int32_t{5}), &ok), noDate);
    EXPECT_FALSE(ok);
    const QDateTime stamp = MakeDateTime(2024, 3, 15, 14, 30, 59);
    EXPECT_EQ(amb::AsDate(Variant(stamp)), stamp);
    // A date's own text reads back to the same date.
    EXPECT_EQ(amb::AsDate(Variant(amb::AsString(Variant(stamp)))), stamp);
    EXPECT_EQ(amb::FormatDateText(MakeDateTime(5, 1, 2)), QStringLiteral("1/2/0005"));
}

TEST(Conversions, AmountsAreExact) {
    struct Case {
        Variant value;
        int64_t ticks;
        bool ok;
    } cases[] = {
        {Text("1234.5"), 12345000, true},
        {Text("-0.10"), -1000, true},
        {Text("1,234.50"), 12345000, true},
        {Text("$1,234.50"), 12345000, true},
        {Text("(12.00)"), -120000, true},
        {Text("-$3"), -30000, true},
        {Text("₩5000"), 50000000, true},
        {Text("1.23455"), 12346, true},
        {Text("1.23445"), 12344, true},
        {Text("1.234451"), 12345, true},
        {Text(""), 0, true},
        {Variant::Null(), 0, true},
        {Text("abc"), 0, false},
        {Text("1.2.3"), 0, false},
        {Text("1.000,5"), 0, false},
        {Text("(-5)"), 0, false},
        {Text("5$5"), 0, false},
        {Text("99999999999999999999"), 0, false},
        {Variant(int32_t{7}), 70000, true},
        {Variant(0.1), 1000, true},
        {Variant(1e300), 0, false},
        {Variant(Currency::FromTicks(3)), 3, true},
        {Variant(true), 0, false},
        {Variant(MakeDateTime(2024, 1, 1)), 0, false},
    };
    for (const auto& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(amb::AsCurrency(c.value, &ok).Ticks(), c.ticks) << c.value.ToString().toStdString();
        EXPECT_EQ(ok, c.ok) << c.value.ToString().toStdString();
    }
    // Ten thousand dimes add up to exactly one thousand.
    Currency sum;
    for (int i = 0; i < 10000; ++i)
        sum += amb::AsCurrency(Text("0.10"));
    EXPECT_EQ(sum.Ticks(), Currency::FromUnits(1000).Ticks());
}

TEST(Conversions, MonthsAndYears) {
    for (int day = 1; day <= 29; ++day)
        EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(2024, 2, day, 10)), MakeDateTime(2024, 2, 29));
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(2023, 2, 10)), MakeDateTime(2023, 2, 28));
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(1900, 2, 10)), MakeDateTime(1900, 2, 28));
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(2023, 1, 31)), MakeDateTime(2023, 1, 31));
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(2023, 12, 5)), MakeDateTime(2023, 12, 31));
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(2023, 4, 5)), MakeDateTime(2023, 4, 30));
    EXPECT_EQ(amb::FirstDayOfMonth(MakeDateTime(2024, 3, 15, 14, 30)), MakeDateTime(2024, 3, 1));
    EXPECT_FALSE(amb::FirstDayOfMonth(QDateTime()).isValid());

    const QDate today = platform::Now().date();
    EXPECT_EQ(amb::FirstDayOfYear(), MakeDateTime(today.year(), 1, 1));
    EXPECT_EQ(amb::FirstDayOfCurrentMonth(), MakeDateTime(today.year(), today.month(), 1));
}

TEST(DateText, StoredPatternsBecomeQtPatterns) {
    struct Case {
        const char* stored;
        const char* qt;
    } cases[] = {
        {"", "M/d/yyyy"},
        {"m/d/yyyy", "M/d/yyyy"},
        {"M/d/yyyy", "M/d/yyyy"},
        {"yyyy-M-d", "yyyy-M-d"},
        {"mm/dd/yy", "MM/dd/yyyy"},
        {"mmm d, yyyy", "MMM d, yyyy"},
        {"h:nn AM/PM", "h:mm AP"},
        {"hh:mm:ss", "hh:mm:ss"},
        {"yyyy\"year\"", "yyyy'year'"},
        {"d \\o\\f mmm", "d 'of' MMM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amb::ToQtDatePattern(QString::fromUtf8(c.stored)), QString::fromUtf8(c.qt)) << c.stored;
    const QDateTime d = MakeDateTime(2024, 3, 5, 14, 7);
    EXPECT_EQ(amb::FormatDate(d, QStringLiteral("m/d/yyyy")), QStringLiteral("3/5/2024"));
    EXPECT_EQ(amb::FormatDate(d, QStringLiteral("yyyy-M-d")), QStringLiteral("2024-3-5"));
    EXPECT_EQ(amb::FormatDate(QDateTime(), QStringLiteral("yyyy-M-d")), QString());
}
