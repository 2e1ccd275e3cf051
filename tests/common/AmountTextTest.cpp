#include "common/AmountText.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace test {
namespace {

using amb::AmountNumberText;
using amb::AmountText;
using platform::Currency;

Currency Cents(int64_t cents) {
    return Currency::FromTicks(cents * (Currency::Scale / 100));
}

TEST(AmountTextTest, TwoDecimalsTheLocalesSeparatorsAndASymbolOnlyWhereTheLocaleHasOne) {
    const Currency big = Cents(123456789);
    const Currency small = Cents(999);
    const Currency negative = Cents(-123456789);

    // The C locale (Debian without a locales package) has no currency: no "9.99$", no "¤".
    const QLocale c = QLocale::c();
    EXPECT_EQ(AmountText(small, c), "9.99");
    EXPECT_EQ(AmountText(big, c), AmountNumberText(big, c));
    EXPECT_TRUE(AmountText(big, c) == "1234567.89" || AmountText(big, c) == "1,234,567.89")
        << AmountText(big, c).toStdString();
    EXPECT_EQ(AmountText(negative, c), "-" + AmountText(big, c));

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(AmountText(big, us), "$1,234,567.89");
    EXPECT_EQ(AmountText(small, us), "$9.99");
    // The locale's own way with negative amounts: parentheses in the United States.
    EXPECT_EQ(AmountText(negative, us), "($1,234,567.89)");
    EXPECT_EQ(AmountNumberText(big, us), "1,234,567.89");

    // Korean: two decimals even though the won has none, so that no amount is shown rounded.
    const QLocale ko(QLocale::Korean, QLocale::SouthKorea);
    EXPECT_EQ(AmountText(big, ko), QString::fromUtf8("₩1,234,567.89"));
    EXPECT_EQ(AmountText(Cents(5), ko), QString::fromUtf8("₩0.05"));

    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(AmountText(big, de), QString::fromUtf8("1.234.567,89\u00A0€"));
    EXPECT_EQ(AmountNumberText(negative, de), "-1.234.567,89");
}

TEST(AmountTextTest, RoundsHalfAwayFromZeroAndReachesTheEndsOfTheRange) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(AmountNumberText(Currency::FromTicks(12345), us), "1.23"); // 1.2345
    EXPECT_EQ(AmountNumberText(Currency::FromTicks(12350), us), "1.24"); // 1.2350
    EXPECT_EQ(AmountNumberText(Currency::FromTicks(-12350), us), "-1.24");
    // A value that rounds to zero shows no sign.
    EXPECT_EQ(AmountNumberText(Currency::FromTicks(-49), us), "0.00");
    EXPECT_EQ(AmountNumberText(Currency::FromTicks(INT64_MAX), us), "922,337,203,685,477.58");
    EXPECT_EQ(AmountNumberText(Currency::FromTicks(INT64_MIN), us), "-922,337,203,685,477.58");
}

} // namespace
} // namespace test
