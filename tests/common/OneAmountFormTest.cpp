#include "tests/support/SourceScan.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using test::SourcesMatching;

// Amounts read the same in every window, list, file and report because one place formats and parses
// them for display; the locale-neutral stored form stays with the currency type.
TEST(OneAmountForm, OnlyTheValueModuleFormatsAndParsesAmountsForDisplay) {
    const std::map<QString, QStringList> expected = {
        // The locale's currency pattern, separators and currency signs.
        {QStringLiteral("toCurrencyString|currencySymbol|Symbol_Currency|groupSeparator|decimalPoint\\(\\)"),
         {QStringLiteral("common/Values.cpp")}},
        // Earlier formatters and parsers of amount texts.
        {QStringLiteral("FormatMoney|AmountText|ParseAmountText|AmountNumberText"), {}},
        // The stored form is read only where values come from the database.
        {QStringLiteral("Currency::Parse\\("),
         {QStringLiteral("platform/data/Currency.cpp"), QStringLiteral("platform/data/SqlColumn.cpp"),
          QStringLiteral("platform/data/Variant.cpp")}},
    };
    for (const auto& [pattern, files] : expected)
        EXPECT_EQ(SourcesMatching(QRegularExpression(pattern)), files) << pattern.toStdString();
}

// One reader of decimal text rounds digits half to even: amounts typed and stored, and the plain numbers
// of the conversions (AsLong), so no two readers can round one text differently.
TEST(OneAmountForm, OneDecimalReaderRoundsDecimalTextHalfToEven) {
    const std::map<QString, QStringList> expected = {
        // A digit compared with five: rounding of decimal text.
        {QStringLiteral("QLatin1Char\\('5'\\)|u'5'|[=<>] '5'"), {QStringLiteral("common/Values.cpp")}},
        // Readers that rounded on their own before.
        {QStringLiteral("ParseDecimal|RoundHalfEven"), {}},
    };
    for (const auto& [pattern, files] : expected)
        EXPECT_EQ(SourcesMatching(QRegularExpression(pattern)), files) << pattern.toStdString();
}

} // namespace
