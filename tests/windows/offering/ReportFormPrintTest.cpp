#include "platform/com/Factory.h"
#include "tests/support/Components.h"
#include "tests/support/PdfPrintService.h"
#include "tests/windows/offering/OfferingFixture.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>

namespace {

using namespace amb::res;
using test::Child;
using test::Choose;
using test::Click;

// The report window over the real printer component, with the shipped report definitions and the
// print seam writing every print job as a PDF.
class ReportFormPrintTest : public test::OfferingWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::RegisterBuiltComponent(QStringLiteral("libAmbReportPrinter.so")));
        m_printer = platform::com::CreateObjectAs<amb::IReportPrinter>(QStringLiteral("AmbReportPrinter.Printer"));
        ASSERT_NE(m_printer, nullptr);
        m_hub->SetCompanyName(QStringLiteral("Grace Church"));
        m_hub->SetReportPrinter(m_printer);
        m_printer->SetAmbApplication(m_hub);
        const QDir source(test::BuiltShareDir() + QStringLiteral("/1033/Report"));
        ASSERT_TRUE(QDir().mkpath(m_hub->ReportDir()));
        for (const QString& name : source.entryList({QStringLiteral("*.rpt")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(source.filePath(name), QDir(m_hub->ReportDir()).filePath(name)));
        ASSERT_TRUE(QDir().mkpath(m_temp.FilePath(QStringLiteral("jobs"))));
        m_service = std::make_shared<test::PdfPrintService>(m_temp.FilePath(QStringLiteral("jobs")));
        platform::reportengine::SetPrintService(m_service);
        // A row for every layout: a giver born in December, head of a family and of a group, an
        // offering and an expense of this month.
        const int32_t giver = NewPerson(QStringLiteral("Han"));
        raw->Execute(QStringLiteral("UPDATE Person SET DOB='1980-12-24 00:00:00' WHERE ID=?"), {giver});
        NewFamily(QStringLiteral("Han Family"), giver);
        NewGroup(QStringLiteral("Choir"), giver);
        NewOffering(giver, 2, QDateTime(QDate(2026, 12, 6), QTime(0, 0)), platform::Currency::FromUnits(40));
        db->UpdateExpense(test::Record({{"ID", 0},
                                        {"ExpenseName", "Candles"},
                                        {"ExpenseTypeID", 5},
                                        {"ExpenseDate", QDateTime(QDate(2026, 12, 7), QTime(0, 0))},
                                        {"Amount", platform::Currency::FromUnits(12)}}));
    }
    void TearDown() override {
        platform::reportengine::SetPrintService(nullptr);
        m_printer->SetAmbApplication(nullptr);
        m_hub->SetReportPrinter(nullptr);
    }
    // The report is written as a PDF headed by the congregation's name, and nothing is said.
    void ExpectExported(const QString& report, const QString& file) {
        SCOPED_TRACE(report.toStdString());
        EXPECT_TRUE(m_messages.Shown().empty());
        ASSERT_TRUE(QFile::exists(file));
        EXPECT_TRUE(test::PdfText(file).contains(QStringLiteral("Grace Church")));
    }

    amb::IReportPrinterPtr m_printer;
    std::shared_ptr<test::PdfPrintService> m_service;
    test::WindowSteps m_steps;
};

TEST_F(ReportFormPrintTest, OneReportOfEachLayoutIsExportedToPdf) {
    const char* reports[] = {"Expense List",  "Family Contact List", "Group Contact List",   "Member Contact List",
                             "Offering List", "Offering Summary",    "Monthly Birthday List"};
    m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        for (const char* report : reports) {
            const QString file = m_temp.FilePath(QString::fromLatin1(report) + QStringLiteral(".pdf"));
            Click(dialog, "cmdPrev");
            Click(dialog, "cmdPrev");
            Choose(dialog, "cboReport", QString::fromLatin1(report));
            Click(dialog, "cmdNext");
            Click(dialog, "cmdNext");
            auto* option = Child<QRadioButton>(dialog, "optDestination1");
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
            test::TypeText(dialog, "txtFile", file);
            m_messages.Clear();
            Click(dialog, "cmdNext");
            ExpectExported(QString::fromLatin1(report), file);
        }
    });
    EXPECT_EQ(m_loader->ShowReportWindow(), 1);
}

TEST_F(ReportFormPrintTest, APrintDialogAcceptedOrCancelledShowsNoMessage) {
    m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        Choose(dialog, "cboReport", QStringLiteral("Member Contact List"));
        Click(dialog, "cmdNext");
        Click(dialog, "cmdNext");
        m_service->AcceptDialog(1);
        m_messages.Clear();
        Click(dialog, "cmdNext");
        EXPECT_EQ(m_service->dialogsShown, 1);
        EXPECT_TRUE(m_messages.Shown().empty());
        EXPECT_EQ(m_service->jobs.size(), 1u);
        m_service->CancelDialog();
        Click(dialog, "cmdNext");
        EXPECT_TRUE(m_messages.Shown().empty()) << "a cancelled print dialog is no error (D17)";
        EXPECT_EQ(m_service->jobs.size(), 1u);
    });
    m_loader->ShowReportWindow();
}

TEST_F(ReportFormPrintTest, NoPrinterSetUpIsSaidByEveryWindowThatPrints) {
    platform::reportengine::SetPrintService(
        std::make_shared<test::PdfPrintService>(m_temp.FilePath(QStringLiteral("jobs")), QStringList{}, QString()));
    const int32_t person = amb::AsLong(Value(QStringLiteral("SELECT MIN(ID) FROM Person")));
    const int32_t family = amb::AsLong(Value(QStringLiteral("SELECT MIN(ID) FROM Family")));
    const auto print = [&](QDialog& dialog) {
        m_messages.Clear();
        Click(dialog, "cmdPrint");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgNoPrinter)}) << dialog.objectName().toStdString();
    };
    m_steps.Add(QStringLiteral("MemberForm"), print);
    m_loader->ShowPersonWindow(person, amb::EnumFamilyGroup::None, 0);
    m_steps.Add(QStringLiteral("FamilyGroupForm"), print);
    m_loader->ShowFamilyWindow(family);
    m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        Choose(dialog, "cboReport", QStringLiteral("Member Contact List"));
        Click(dialog, "cmdNext");
        Click(dialog, "cmdNext");
        m_messages.Clear();
        Click(dialog, "cmdNext");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgNoPrinter)});
    });
    m_loader->ShowReportWindow();
    EXPECT_EQ(m_steps.Runs(), 3);
}

} // namespace
