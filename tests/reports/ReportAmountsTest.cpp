#include "tests/support/ReportPrinterTest.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

using amb::EnumReportError;
using test::Record;

class ReportAmountsTest : public test::ReportPrinterTest {
protected:
    // The balance sheet of one expense of 1,234.56 and one offering of 2,000.00, exported to PDF under the
    // given session locale; its text as pdftotext reads it.
    QString BalanceSheetText(const QLocale& locale, const QString& file) {
        const QLocale before;
        QLocale::setDefault(locale);
        const QString pdf = m_dir.FilePath(file);
        const EnumReportError result = PrintWith(QStringLiteral("Balance Sheet"),
                                                 Record({{"DateStart", platform::MakeDateTime(2023, 1, 1)},
                                                         {"DateEnd", platform::MakeDateTime(2023, 12, 31)}}),
                                                 true, pdf);
        QLocale::setDefault(before);
        EXPECT_EQ(result, EnumReportError::Success);
        return test::PdfText(pdf);
    }
};

TEST_F(ReportAmountsTest, ReportsPrintAmountsInTheSessionLocalesFormLikeTheWindows) {
    raw->Execute("INSERT INTO Expense (ExpenseName, ExpenseDate, ExpenseTypeID, Amount) VALUES "
                 "('Candles', '2023-06-01 00:00:00', 5, 12345600)");
    raw->Execute("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) VALUES "
                 "('2023-06-04 00:00:00', 1, 20000000, 0)");
    struct Case {
        QLocale locale;
        const char* file;
        const char* expense;
        const char* balance;
        const char* never;
    };
    const Case cases[] = {
        // German readers take 1,234.56 for a little over one: the report shows what the window shows.
        {QLocale(QLocale::German, QLocale::Germany), "de.pdf", "1.234,56", "765,44", "1,234.56"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "en.pdf", "1,234.56", "765.44", "1.234,56"},
        {QLocale(QLocale::Korean, QLocale::SouthKorea), "ko.pdf", "1,234.56", "765.44", "₩"},
    };
    for (const Case& c : cases) {
        const QString text = BalanceSheetText(c.locale, QString::fromLatin1(c.file));
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Candles\\s+") +
                                                     QRegularExpression::escape(QString::fromUtf8(c.expense)))))
            << c.file << "\n"
            << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.balance))) << c.file;
        EXPECT_FALSE(text.contains(QString::fromUtf8(c.never))) << c.file;
    }
}

} // namespace
