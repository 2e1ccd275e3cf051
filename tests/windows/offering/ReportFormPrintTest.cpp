#include "platform/com/Factory.h"
#include "platform/reportengine/ReportFile.h"
#include "tests/support/Components.h"
#include "tests/support/PdfPrintService.h"
#include "tests/windows/offering/OfferingFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <map>

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
        platform::reportengine::SetReportFileFaultForTesting(nullptr);
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
            test::ExportStep(dialog, QString::fromLatin1(report));
            test::TypeText(dialog, "txtFile", file);
            m_messages.Clear();
            Click(dialog, "cmdNext");
            ExpectExported(QString::fromLatin1(report), file);
        }
    });
    EXPECT_EQ(m_loader->ShowReportWindow(), 1);
}

// An environment variable set for one test and restored afterwards.
class EnvironmentScope {
public:
    EnvironmentScope(const char* name, const QString& value)
        : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~EnvironmentScope() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// The preselected report, exported as a person does it: Next to the last step, the file option,
// Tab to the type, Tab to the name, typed, Finish. The name's extension wins over the chosen type;
// a bare name goes into the documents folder of the user's home and gets the type's extension.
TEST_F(ReportFormPrintTest, TheFileNameDecidesTheTypeAndABareNameGoesToTheDocumentsFolder) {
    const QString home = m_temp.FilePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    const EnvironmentScope homeScope("HOME", home);
    const EnvironmentScope configScope("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    const QString documents = home + QStringLiteral("/Documents");

    m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        EXPECT_EQ(test::TextOf(dialog, "cboReport"), QStringLiteral("Balance Sheet"));
        Click(dialog, "cmdNext");
        Click(dialog, "cmdNext");
        test::ChooseExport(dialog);
        const auto pressTab = [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); };
        const auto typeName = [&](const QString& name) {
            pressTab();
            ASSERT_EQ(QApplication::focusWidget(), Child<QWidget>(dialog, "txtFile"));
            QTest::keyClicks(QApplication::focusWidget(), name);
        };

        // The preselected report has its export type; Up chooses rich text, but the name says PDF.
        pressTab();
        ASSERT_EQ(QApplication::focusWidget(), Child<QWidget>(dialog, "cboExportType"));
        EXPECT_EQ(test::TextOf(dialog, "cboExportType"), QStringLiteral("Portable Document Format (*.pdf)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        EXPECT_EQ(test::TextOf(dialog, "cboExportType"), QStringLiteral("Rich Text Format (*.rtf)"));
        typeName(QStringLiteral("x.pdf"));
        m_messages.Clear();
        Click(dialog, "cmdNext");
        const QString pdf = documents + QStringLiteral("/x.pdf");
        EXPECT_EQ(test::TextOf(dialog, "txtFile"), pdf);
        EXPECT_EQ(test::TextOf(dialog, "cboExportType"), QStringLiteral("Portable Document Format (*.pdf)"));
        ExpectExported(QStringLiteral("Balance Sheet"), pdf);
        EXPECT_FALSE(test::PdfInfo(pdf, QStringLiteral("PDF version")).isEmpty());

        // A name without an extension takes the chosen type's; choosing the other type renames it.
        test::ChooseExport(dialog);
        pressTab();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        typeName(QStringLiteral("summer"));
        Click(dialog, "cmdNext");
        const QString rtf = documents + QStringLiteral("/summer.rtf");
        EXPECT_EQ(test::TextOf(dialog, "txtFile"), rtf);
        QFile written(rtf);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.read(5) == "{\\rtf");
        Child<QWidget>(dialog, "cboExportType")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_EQ(test::TextOf(dialog, "txtFile"), documents + QStringLiteral("/summer.pdf"));
        EXPECT_TRUE(m_messages.Shown().empty());
    });
    EXPECT_EQ(m_loader->ShowReportWindow(), 1);
    EXPECT_EQ(QDir(documents).entryList(QDir::Files), (QStringList{"summer.rtf", "x.pdf"}));
}

// An export whose file cannot be written says why, with its folder, and leaves no file: a full disk
// or quota, or a folder that cannot be written; the log names the system's cause.
TEST_F(ReportFormPrintTest, AnExportThatCannotBeWrittenIsToldByItsCauseWithItsFolder) {
    const QString folder = m_temp.FilePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char* file;
        int fault; // the errno that the file's writes meet
        int32_t text;
    } cases[] = {
        {.file = "list.pdf", .fault = ENOSPC, .text = kMsgReportDiskFull},
        {.file = "list.rtf", .fault = EDQUOT, .text = kMsgReportDiskFull},
        {.file = "list.pdf", .fault = EROFS, .text = kMsgFolderNotWritable},
    };
    m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        test::ExportStep(dialog, QStringLiteral("Member Contact List"));
        for (const auto& c : cases) {
            SCOPED_TRACE(c.fault);
            platform::reportengine::SetReportFileFaultForTesting([&c](const QString&) { return c.fault; });
            test::TypeText(dialog, "txtFile", QDir(folder).filePath(QLatin1String(c.file)));
            m_messages.Clear();
            m_writer->logLines.clear();
            Click(dialog, "cmdNext");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(c.text) + QStringLiteral("\n\n") + folder});
            const QString log = m_writer->logLines.join(u'|');
            EXPECT_TRUE(log.contains(QString::fromLatin1(std::strerror(c.fault)))) << log.toStdString();
            EXPECT_TRUE(QDir(folder).isEmpty());
            EXPECT_EQ(test::TextOf(dialog, "cmdCancel"), Text(kCaptionCancel));
        }
    });
    m_loader->ShowReportWindow();
    EXPECT_EQ(m_steps.Runs(), 1);
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
        EXPECT_TRUE(m_messages.Shown().empty()) << "the person chose not to print: no error to tell";
        EXPECT_EQ(m_service->jobs.size(), 1u);
    });
    m_loader->ShowReportWindow();
}

// A PDF's text in the order it was drawn, a label's lines one after another.
QString RawText(const QString& pdf) {
    return test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
}

// The words of a PDF with their heights (about their type size), as pdftotext reads them.
std::map<QString, double> WordHeights(const QString& pdf, const QString& html) {
    test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
    QFile file(html);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    static const QRegularExpression word(QStringLiteral(R"re(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)<)re"));
    std::map<QString, double> heights;
    for (auto it = word.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
        const auto m = it.next();
        heights[m.captured(3)] = m.captured(2).toDouble() - m.captured(1).toDouble();
    }
    return heights;
}

// Mailing labels in the free address format, as stored, one address part a line: a label too long for
// the stock's type is printed smaller and keeps its last line, the ZIP code; a label that no legible
// type holds is cut, and after the export or print the window says how many were, once.
TEST_F(ReportFormPrintTest, LabelsTooLongAreMadeSmallerAndThoseStillCutAreCounted) {
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    const auto address = [&](const QString& person, const QStringList& parts) {
        raw->Execute(QStringLiteral("UPDATE PersonAddress SET Name='Home', AddressPart1=?, AddressPart2=?, "
                                    "AddressPart3=?, AddressPart4=?, AddressPart5=? WHERE PersonID=(SELECT ID FROM "
                                    "Person WHERE LastName=?) AND IsHomeAddress=1"),
                     {parts[0], parts[1], parts[2], parts[3], parts[4], person});
    };
    address(QStringLiteral("Han"), {"12 Elm Street", "", "Springfield", "IL", "62701"});
    NewPerson(QStringLiteral("Long"));
    address(QStringLiteral("Long"), {"Apartment 1204 of the Sunshine Garden Residences, Building 7 of the East Wing",
                                     "care of the Office of the Pastor for Family Ministries", "North Serena",
                                     "Delaware", "82847"});
    NewPerson(QStringLiteral("Endless"));
    const QString endless = QStringLiteral("Extraordinarily long street name ").repeated(12).trimmed();
    address(QStringLiteral("Endless"), {endless, "Building C", "Dover", "DE", "19901"});
    const QString pdf = m_temp.FilePath(QStringLiteral("labels.pdf"));
    const QString cut = Text(kMsgLabelsCut).arg(1);
    ASSERT_TRUE(cut.contains(u'1') && cut.contains(QStringLiteral("Log.txt"))) << cut.toStdString();

    m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        test::ExportStep(dialog, QStringLiteral("Member Mailing Label - Avery 5160"));
        test::TypeText(dialog, "txtFile", pdf);
        m_messages.Clear();
        m_writer->logLines.clear();
        Click(dialog, "cmdNext");
        EXPECT_EQ(m_messages.Texts(), QStringList{cut});
        ASSERT_EQ(m_writer->logLines.size(), 1);
        EXPECT_TRUE(m_writer->logLines[0].contains(QStringLiteral("Ann Endless"))) << m_writer->logLines[0].toStdString();

        // The long label keeps every line down to its ZIP code, in a type smaller than the others'
        // but not below 6 points; the short one keeps the stock's.
        const QString text = RawText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Family Ministries\nNorth Serena\nDelaware\n82847")))
            << text.toStdString();
        EXPECT_EQ(text.count(QChar(0x2026)), 1);
        EXPECT_FALSE(text.contains(QStringLiteral("19901")));
        const std::map<QString, double> heights = WordHeights(pdf, m_temp.FilePath(QStringLiteral("labels.html")));
        ASSERT_TRUE(heights.count(QStringLiteral("82847")) && heights.count(QStringLiteral("62701")));
        EXPECT_LT(heights.at(QStringLiteral("82847")), heights.at(QStringLiteral("62701")) - 1);
        for (const auto& [word, height] : heights)
            EXPECT_GE(height, 6 - 0.05) << word.toStdString();

        // Printed, with 30 labels before the cut one: counted and logged once the print dialog is
        // accepted, for the pages printed only; neither when the dialog is cancelled.
        for (int i = 0; i < 30; ++i)
            NewPerson(QStringLiteral("Abbot%1").arg(i, 2, 10, QLatin1Char('0')));
        Click(dialog, "cmdPrev");
        Click(dialog, "cmdNext");
        auto* printer = Child<QRadioButton>(dialog, "optDestination0");
        QTest::mouseClick(printer, Qt::LeftButton, {}, QPoint(6, printer->height() / 2));
        const struct {
            const char* what;
            int from, to; // -1: cancelled
            bool told;
        } prints[] = {{"all pages", 0, 0, true}, {"page 1", 1, 1, false}, {"page 2", 2, 2, true}, {"cancelled", -1, 0, false}};
        for (const auto& print : prints) {
            SCOPED_TRACE(print.what);
            if (print.from < 0)
                m_service->CancelDialog();
            else
                m_service->AcceptDialog(1, print.from, print.to);
            m_messages.Clear();
            m_writer->logLines.clear();
            Click(dialog, "cmdNext");
            EXPECT_EQ(m_messages.Texts(), print.told ? QStringList{cut} : QStringList());
            EXPECT_EQ(m_writer->logLines.size(), print.told ? 1 : 0) << m_writer->logLines.join(u'|').toStdString();
        }
        EXPECT_EQ(m_service->jobs.size(), 3u);

        // The address shortened, the labels print whole and nothing is said.
        address(QStringLiteral("Endless"), {"7 Main Street", "Building C", "Dover", "DE", "19901"});
        m_service->AcceptDialog(1);
        Click(dialog, "cmdNext");
        EXPECT_TRUE(m_messages.Shown().empty());
        EXPECT_TRUE(RawText(m_service->jobs.back().PdfPath).contains(QStringLiteral("DE\n19901")));
    });
    EXPECT_EQ(m_loader->ShowReportWindow(), 1);
}

// The details reports, which no window exports, are not told to be exported; the lists are.
TEST_F(ReportFormPrintTest, NoPrinterSetUpIsSaidByEveryWindowThatPrints) {
    platform::reportengine::SetPrintService(
        std::make_shared<test::PdfPrintService>(m_temp.FilePath(QStringLiteral("jobs")), QStringList{}, QString()));
    const int32_t person = amb::AsLong(Value(QStringLiteral("SELECT MIN(ID) FROM Person")));
    const int32_t family = amb::AsLong(Value(QStringLiteral("SELECT MIN(ID) FROM Family")));
    const auto print = [&](QDialog& dialog) {
        m_messages.Clear();
        Click(dialog, "cmdPrint");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgNoPrinterPrintOnly)}) << dialog.objectName().toStdString();
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
