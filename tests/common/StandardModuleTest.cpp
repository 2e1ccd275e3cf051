#include "common/StandardModule.h"
#include "common/GlobalModule.h"

#include "platform/com/Error.h"
#include "platform/data/Recordset.h"

#include <gtest/gtest.h>

using platform::Currency;
using platform::MakeDateTime;
using platform::Variant;

namespace {

Variant WithNul(const char* before, const char* after) {
    return Variant(QString::fromUtf8(before) + QChar(0) + QString::fromUtf8(after));
}

} // namespace

TEST(Conversions, TextsAndBlanks) {
    struct Case {
        Variant value;
        const char* text;
        bool null;
    } cases[] = {{Variant::Null(), "", true},
                 {Variant(), "", true},
                 {"   ", "", true},
                 {"  ab  ", "ab", false},
                 {WithNul("  ab ", "x"), "ab", false}, // a text ends at NUL
                 {int32_t{5}, "5", false},
                 {true, "True", false},
                 {MakeDateTime(2024, 3, 15), "3/15/2024", false},
                 {MakeDateTime(2024, 3, 15, 14, 30), "3/15/2024 14:30:00", false},
                 {" 김영희 ", "김영희", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(amb::AsString(c.value), QString::fromUtf8(c.text)) << c.value.ToString().toStdString();
        const Variant nulled = amb::NullIfBlank(c.value);
        EXPECT_EQ(nulled.IsNull(), c.null) << c.value.ToString().toStdString();
        // NullIfBlank gives text, never the number or date it was given.
        EXPECT_TRUE(c.null || nulled.GetType() == Variant::Type::String);
    }
}

TEST(Conversions, WholeNumbersRoundHalfToEven) {
    struct Case {
        Variant value;
        int32_t expected;
    } cases[] = {{"12", 12},
                 {"abc", 0},
                 {Variant::Null(), 0},
                 {"2.5", 2},
                 {"3.5", 4},
                 {"-2.5", -2},
                 {"2.5000001", 3},
                 {" +7 ", 7},
                 {".5", 0},
                 {"1,234", 0},
                 {"1e3", 0},
                 {true, 0},
                 {MakeDateTime(2024, 1, 1), 0},
                 {Variant(3.5), 4},
                 {Currency::FromTicks(-35000), -4},
                 {"-2147483648", INT32_MIN},
                 {WithNul("42", "99999999999"), 42}};
    for (const auto& c : cases)
        EXPECT_EQ(amb::AsLong(c.value), c.expected) << c.value.ToString().toStdString();

    for (const char* overflow : {"2147483648", "-2147483649", "2147483647.5"}) {
        try {
            amb::AsLong(Variant(overflow));
            ADD_FAILURE() << overflow << " did not overflow";
        } catch (const platform::Error& e) {
            EXPECT_EQ(e.Number(), 6) << overflow;
            EXPECT_EQ(e.Description(), "Overflow");
        }
        EXPECT_THROW(amb::AsBoolean(Variant(overflow)), platform::Error) << overflow;
    }
    EXPECT_THROW(amb::AsLong(Variant(1e20)), platform::Error);
    // A result-set field is read like any other value.
    platform::Recordset rs({"ID"}, {{Variant(int32_t{7})}});
    EXPECT_EQ(amb::AsLong(rs.Field("id")), 7);
}

TEST(Conversions, BooleansAndDoubles) {
    struct Case {
        Variant value;
        bool expected;
    } cases[] = {{" true ", true},
                 {"-1", true},
                 {"0", false},
                 {"yes", false},
                 {"0.5", false},
                 {"0.6", true},
                 {Variant(int32_t{2}), true},
                 {Variant::Null(), false},
                 {MakeDateTime(2024, 1, 1), false}};
    for (const auto& c : cases)
        EXPECT_EQ(amb::AsBoolean(c.value), c.expected) << c.value.ToString().toStdString();

    EXPECT_DOUBLE_EQ(amb::AsDouble(" 2.25 "), 2.25);
    EXPECT_DOUBLE_EQ(amb::AsDouble("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(amb::AsDouble("1e3"), 0.0);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Variant(true)), 0.0);
    EXPECT_DOUBLE_EQ(amb::AsDouble(Currency::FromTicks(12345)), 1.2345);
}

TEST(Conversions, DatesNeedFourDigitYears) {
    const QDateTime noDate = MakeDateTime(1900, 1, 1);
    EXPECT_EQ(amb::NoDate(), noDate);
    struct Case {
        const char* text;
        QDateTime expected; // invalid: no date
    } cases[] = {{"3/15/2024", MakeDateTime(2024, 3, 15)},
                 {"2024-03-05 07:08:09", MakeDateTime(2024, 3, 5, 7, 8, 9)},
                 {"2024-03-05T07:08:09", MakeDateTime(2024, 3, 5, 7, 8, 9)},
                 {"3/15/2024 2:30:05 PM", MakeDateTime(2024, 3, 15, 14, 30, 5)},
                 {"3/15/2024 12:00 am", MakeDateTime(2024, 3, 15, 0, 0)},
                 {"2/29/2024", MakeDateTime(2024, 2, 29)},
                 {"2/29/1900", {}},
                 {"3/15/24", {}},
                 {"24-3-15", {}},
                 {"15/3/2024", {}},
                 {"3/15/2024 25:00", {}},
                 {"3/15/2024 13:00 PM", {}},
                 {"3/15/2024x", {}}};
    for (const auto& c : cases) {
        const auto parsed = amb::ParseDateText(QString::fromUtf8(c.text));
        ASSERT_EQ(parsed.has_value(), c.expected.isValid()) << c.text;
        bool ok = false;
        const QDateTime date = amb::AsDate(c.text, &ok);
        EXPECT_EQ(ok, c.expected.isValid()) << c.text;
        EXPECT_EQ(date, parsed ? c.expected : noDate) << c.text;
        EXPECT_TRUE(!parsed || parsed->timeSpec() == Qt::UTC) << "dates are naive";
    }
    bool ok = false;
    EXPECT_EQ(amb::AsDate(Variant::Null(), &ok), noDate);
    EXPECT_TRUE(ok) << "a missing value is not a failure";
    EXPECT_EQ(amb::AsDate(Variant(int32_t{5}), &ok), noDate);
    EXPECT_FALSE(ok);
    // A date's own text reads back to the same date.
    const QDateTime stamp = MakeDateTime(2024, 3, 15, 14, 30, 59);
    EXPECT_EQ(amb::AsDate(amb::AsString(stamp)), stamp);
    EXPECT_EQ(amb::FormatDateText(MakeDateTime(5, 1, 2)), "1/2/0005");
}

TEST(Conversions, AmountsAreExact) {
    struct Case {
        Variant value;
        int64_t ticks;
        bool ok;
    } cases[] = {{"-0.10", -1000, true},     {"$1,234.50", 12345000, true},
                 {"(12.00)", -120000, true}, {"₩5000", 50000000, true},
                 {"1.23455", 12346, true}, // half to even at the fifth place
                 {"1.23445", 12344, true},   {"", 0, true},
                 {"abc", 0, false},          {"1.000,5", 0, false},
                 {"(-5)", 0, false},         {"99999999999999999999", 0, false},
                 {Variant(0.1), 1000, true}, {Variant(1e300), 0, false},
                 {Variant(true), 0, false}};
    for (const auto& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(amb::AsCurrency(c.value, &ok).Ticks(), c.ticks) << c.value.ToString().toStdString();
        EXPECT_EQ(ok, c.ok) << c.value.ToString().toStdString();
    }
}

TEST(Conversions, MonthsAndPatterns) {
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(2024, 2, 29, 10)), MakeDateTime(2024, 2, 29));
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(1900, 2, 10)), MakeDateTime(1900, 2, 28));
    EXPECT_EQ(amb::LastDayOfMonth(MakeDateTime(2023, 12, 5)), MakeDateTime(2023, 12, 31));
    EXPECT_EQ(amb::FirstDayOfMonth(MakeDateTime(2024, 3, 15, 14, 30)), MakeDateTime(2024, 3, 1));
    EXPECT_FALSE(amb::FirstDayOfMonth(QDateTime()).isValid());

    // The stored pattern (VB notation) becomes Qt's.
    const std::pair<const char*, const char*> patterns[] = {
        {"", "M/d/yyyy"},          {"m/d/yyyy", "M/d/yyyy"},       {"mm/dd/yy", "MM/dd/yyyy"},
        {"h:nn AM/PM", "h:mm AP"}, {"yyyy\"year\"", "yyyy'year'"}, {"d \\o\\f mmm", "d 'of' MMM"}};
    for (const auto& [stored, qt] : patterns)
        EXPECT_EQ(amb::ToQtDatePattern(QString::fromUtf8(stored)), QString::fromUtf8(qt)) << stored;
    EXPECT_EQ(amb::FormatDate(MakeDateTime(2024, 3, 5, 14, 7), "yyyy-M-d"), "2024-3-5");
    EXPECT_EQ(amb::FormatDate(QDateTime(), "yyyy-M-d"), QString());
}
