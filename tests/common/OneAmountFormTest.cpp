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

} // namespace
