#include "common/Values.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace test {
namespace {

using amb::AmountReading;
using amb::AmountStyle;
using amb::AmountSyntax;
using amb::FormatAmount;
using amb::ParseAmount;
using platform::Currency;
using Result = AmountReading::Result;

Currency Ticks(int64_t ticks) {
    return Currency::FromTicks(ticks);
}

// The desktop session's locale, as the program takes it; the machine needs no generated locales.
class SessionLocale {
public:
    explicit SessionLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~SessionLocale() { QLocale::setDefault(m_before); }
    SessionLocale(const SessionLocale&) = delete;
    SessionLocale& operator=(const SessionLocale&) = delete;

private:
    QLocale m_before;
};

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kDe(QLocale::German, QLocale::Germany);
const QLocale kKo(QLocale::Korean, QLocale::SouthKorea);
const QLocale kC = QLocale::c();

TEST(Values, AmountsShowInTheSessionLocalesFormWithTwoDecimalsOrTheStoredOnes) {
    struct Case {
        const QLocale& locale;
        int64_t ticks;
        const char* currency;
        const char* number;
        const char* entry;
    };
    const Case cases[] = {
        {kUs, 12345600, "$1,234.56", "1,234.56", "1234.56"},
        {kUs, -12345600, "($1,234.56)", "-1,234.56", "-1234.56"},
        {kUs, 123450, "$12.345", "12.345", "12.345"}, // a stored third decimal is shown, not rounded
        {kUs, 12345, "$1.2345", "1.2345", "1.2345"},
        {kUs, 123400, "$12.34", "12.34", "12.34"},
        {kUs, 0, "$0.00", "0.00", "0.00"},
        {kDe, 12345600, "1.234,56\u00A0€", "1.234,56", "1234,56"},
        {kDe, -12345600, "-1.234,56\u00A0€", "-1.234,56", "-1234,56"},
        {kDe, 123450, "12,345\u00A0€", "12,345", "12,345"},
        {kKo, 12345600, "₩1,234.56", "1,234.56", "1234.56"},
        {kKo, 500, "₩0.05", "0.05", "0.05"},
        {kC, 12345600, "1,234.56", "1,234.56", "1234.56"}, // the C locale has no currency of its own
        {kUs, 9'999'999'999'999, "$999,999,999.9999", "999,999,999.9999", "999999999.9999"},
    };
    for (const Case& c : cases) {
        const SessionLocale session(c.locale);
        const Currency value = Ticks(c.ticks);
        EXPECT_EQ(FormatAmount(value), QString::fromUtf8(c.currency)) << c.currency;
        EXPECT_EQ(FormatAmount(value, AmountStyle::Number), QString::fromUtf8(c.number)) << c.number;
        EXPECT_EQ(FormatAmount(value, AmountStyle::Entry), QString::fromUtf8(c.entry)) << c.entry;
    }
    // The extremes of an amount do not wrap.
    EXPECT_EQ(FormatAmount(Ticks(INT64_MIN), AmountStyle::Number, kUs), "-922,337,203,685,477.5808");
}

TEST(Values, EveryShownFormReadsBackToTheSameAmountInEveryLocale) {
    const int64_t values[] = {0, 500, -500, 12345600, -12345600, 9'999'999'999'900, -9'999'999'999'900, 100000};
    for (const QLocale* locale : {&kUs, &kDe, &kKo, &kC}) {
        const SessionLocale session(*locale);
        for (const int64_t ticks : values)
            for (const AmountStyle style : {AmountStyle::Currency, AmountStyle::Number, AmountStyle::Entry}) {
                const QString shown = FormatAmount(Ticks(ticks), style);
                const AmountReading read = ParseAmount(shown);
                EXPECT_EQ(read.result, Result::Amount) << locale->name().toStdString() << " " << shown.toStdString();
                EXPECT_EQ(read.value, Ticks(ticks)) << locale->name().toStdString() << " " << shown.toStdString();
            }
    }
}

TEST(Values, ATypedAmountIsReadExactlyOrRefusedWithItsReason) {
    struct Case {
        const QLocale& locale;
        const char* text;
        Result result;
        int64_t ticks;
    };
    const Case cases[] = {
        {kUs, " 1,234.56 ", Result::Amount, 12345600},
        {kUs, "50,000", Result::Amount, 500000000},
        {kUs, "-0.10", Result::Amount, -1000},
        {kUs, "+7", Result::Amount, 70000},
        {kUs, ".5", Result::Amount, 5000},
        {kUs, "$12", Result::Amount, 120000},
        {kUs, "12.340", Result::Amount, 123400}, // a zero decimal loses nothing
        {kUs, "999,999,999.99", Result::Amount, 9'999'999'999'900},
        {kUs, "-999999999.99", Result::Amount, -9'999'999'999'900},
        {kDe, "1.234,56", Result::Amount, 12345600},
        {kDe, "1234,56 €", Result::Amount, 12345600},
        {kDe, "-3,2", Result::Amount, -32000},
        {kKo, "₩50,000", Result::Amount, 500000000},
        {kC, "1,234.56", Result::Amount, 12345600},
        {kUs, "12.345", Result::TooManyDecimals, 0},
        {kUs, "0.001", Result::TooManyDecimals, 0},
        {kDe, "1,005", Result::TooManyDecimals, 0},
        {kUs, "1,000,000,000.00", Result::OutOfRange, 0},
        {kUs, "-1000000000", Result::OutOfRange, 0},
        {kUs, "99999999999999999999999999", Result::OutOfRange, 0},
        {kDe, "1.000.000.000,00", Result::OutOfRange, 0},
        {kUs, "1.234,56", Result::NotAnAmount, 0},
        {kDe, "1,234.56", Result::NotAnAmount, 0},
        {kUs, "12,34", Result::NotAnAmount, 0},
        {kUs, "1.2.3", Result::NotAnAmount, 0},
        {kUs, "1e5", Result::NotAnAmount, 0},
        {kUs, "abc", Result::NotAnAmount, 0},
        {kUs, "", Result::NotAnAmount, 0},
        {kUs, "  ", Result::NotAnAmount, 0},
        {kUs, "-", Result::NotAnAmount, 0},
        {kUs, "$", Result::NotAnAmount, 0},
        {kUs, "--5", Result::NotAnAmount, 0},
        {kUs, "$$5", Result::NotAnAmount, 0},
        {kUs, "(-5)", Result::NotAnAmount, 0},
        {kUs, "1 000", Result::NotAnAmount, 0},
        {kUs, "€5", Result::NotAnAmount, 0}, // another currency is no amount here
    };
    for (const Case& c : cases) {
        const SessionLocale session(c.locale);
        const AmountReading read = ParseAmount(QString::fromUtf8(c.text));
        EXPECT_EQ(read.result, c.result) << c.text;
        if (c.result == Result::Amount) {
            EXPECT_EQ(read.value, Ticks(c.ticks)) << c.text;
        }
    }
}

TEST(Values, TheNeutralFormReadsTheSameTextsInEveryLocaleAndSaysWhatWasRounded) {
    struct Case {
        const char* text;
        Result result;
        int64_t ticks;
        bool exact;
    };
    const Case cases[] = {
        {"$1,234.50", Result::Amount, 12345000, true}, {"(12.00)", Result::Amount, -120000, true},
        {"₩5000", Result::Amount, 50000000, true},     {"5 €", Result::Amount, 50000, true},
        {"1.2345", Result::Amount, 12345, true},       {"1.23450000", Result::Amount, 12345, true},
        {"1.23455", Result::Amount, 12346, false}, // half to even
        {"1.23445", Result::Amount, 12344, false},     {"0.00005", Result::Amount, 0, false},
        {"1.000,5", Result::NotAnAmount, 0, true},     {"99999999999999999999", Result::OutOfRange, 0, true},
    };
    for (const QLocale* locale : {&kUs, &kDe}) {
        const SessionLocale session(*locale);
        for (const Case& c : cases) {
            const AmountReading read = ParseAmount(QString::fromUtf8(c.text), AmountSyntax::Neutral);
            EXPECT_EQ(read.result, c.result) << c.text;
            if (c.result == Result::Amount) {
                EXPECT_EQ(read.value, Ticks(c.ticks)) << c.text;
                EXPECT_EQ(read.exact, c.exact) << c.text;
            }
        }
    }
}

TEST(Values, TheDateFormatSettingHasOneDefault) {
    EXPECT_EQ(amb::DatePattern(QString()), amb::DatePattern(amb::DefaultDateFormat()));
    EXPECT_EQ(amb::DatePattern(QString()), "M/d/yyyy");
    EXPECT_EQ(amb::DatePattern(QStringLiteral("yyyy-M-d")), "yyyy-M-d");
    EXPECT_EQ(amb::DatePattern(QStringLiteral("mm/dd/yy")), "MM/dd/yyyy");
}

TEST(Values, NobodyIsShownWithoutAName) {
    using amb::EnumSupportedLocaleID;
    struct Case {
        amb::PersonNameParts parts;
        const char* english;
        const char* korean;
    };
    const Case cases[] = {
        {{"Ann", "B", "Lee", "Jr", "이안나"}, "Lee, Ann B Jr", "이안나"},
        {{"", "", "", "", "김철수"}, "김철수", "김철수"}, // only a Korean name, shown in the English list
        {{"Ann", "", "Lee", "", ""}, "Lee, Ann", "Lee, Ann"},
        {{"Ann", "", "", "", "  "}, "Ann", "Ann"},
        {{"", "", "", "", ""}, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(amb::DisplayName(c.parts, EnumSupportedLocaleID::English), QString::fromUtf8(c.english));
        EXPECT_EQ(amb::DisplayName(c.parts, EnumSupportedLocaleID::Korean), QString::fromUtf8(c.korean));
    }
}

} // namespace
} // namespace test
