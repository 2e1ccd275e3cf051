#include "tests/support/ReportPrinterTest.h"

#include <QRegularExpression>

namespace {

using amb::EnumReportError;
using test::Record;

class StoredAmountsReportTest : public test::ReportPrinterTest {
protected:
    QString ReportText(const char* name, const QString& file) {
        const QString pdf = m_dir.FilePath(file);
        EXPECT_EQ(PrintWith(QString::fromLatin1(name),
                            Record({{"DateStart", platform::MakeDateTime(2023, 1, 1)},
                                    {"DateEnd", platform::MakeDateTime(2023, 12, 31)}}),
                            true, pdf),
                  EnumReportError::Success)
            << name;
        return test::PdfText(pdf);
    }
};

// Hand-edited amounts stored as text count the same in the Offering List and the Balance Sheet of the
// year: a text the storage parser reads counts its value in both, one it cannot read ("12,34") counts
// in neither and is logged with its row.
TEST_F(StoredAmountsReportTest, AStoredTextAmountCountsTheSameInTheOfferingListAndTheBalanceSheet) {
    raw->Execute("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) VALUES "
                 "('2023-06-04 00:00:00', 1, 1000000, 0), ('2023-06-04 00:00:00', 1, '1,234.50', 0), "
                 "('2023-06-04 00:00:00', 1, '12,34', 0)");
    const int unreadable = Count("SELECT ID FROM PersonOffering WHERE Amount='12,34'");
    ASSERT_EQ(Count("SELECT COUNT(*) FROM PersonOffering WHERE typeof(Amount)='text'"), 2);
    TakeFailures();
    const std::pair<const char*, const char*> reports[] = {{"Offering List", "list.pdf"},
                                                           {"Balance Sheet", "sheet.pdf"}};
    for (const auto& [name, file] : reports) {
        SCOPED_TRACE(name);
        const QString text = ReportText(name, QString::fromLatin1(file));
        // 100.00 + 1,234.50; never 2,568.50 (the text read as 1,234) nor ten-thousandths of it.
        EXPECT_TRUE(text.contains(QStringLiteral("1,334.50"))) << text.toStdString();
        for (const char* never : {"2,568.50", "1,334.5012", "0.0012", "100.0012"})
            EXPECT_FALSE(text.contains(QString::fromLatin1(never))) << never;
        const QStringList lines = TakeFailures();
        ASSERT_FALSE(lines.isEmpty());
        for (const QString& line : lines) {
            EXPECT_TRUE(line.startsWith(QStringLiteral("!!! ["))) << line.toStdString();
            EXPECT_TRUE(
                line.contains(QStringLiteral("PersonOffering row %1: the stored amount \"12,34\"").arg(unreadable)))
                << line.toStdString();
        }
    }
}

} // namespace
