#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <map>

namespace {

// Every source file of the program (not its tests) that matches the expression, by path.
QStringList SourcesMatching(const QRegularExpression& expression) {
    const QDir root(QStringLiteral(AMB_SOURCE_DIR));
    QStringList found;
    for (const char* folder : {"application", "bench", "common", "database", "fixdb", "generic", "heading", "main",
                               "platform", "reports", "tools", "windows"}) {
        QDirIterator it(root.filePath(QString::fromLatin1(folder)), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            if (QString::fromUtf8(file.readAll()).contains(expression))
                found << root.relativeFilePath(file.fileName());
        }
    }
    found.sort();
    return found;
}

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
