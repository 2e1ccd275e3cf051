#include "contracts/IReportPrinter.h"
#include "platform/com/Factory.h"
#include "platform/data/Clock.h"
#include "platform/reportengine/Report.h"
#include "platform/reportengine/Viewer.h"
#include "tests/support/Components.h"
#include "tests/support/ReportPrinterTest.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>

namespace {

using amb::EnumReportError;
using amb::EnumReportExportType;
using test::Record;

class DetailsReportsTest : public test::ReportPrinterTest {
protected:
    EnumReportError Print(const QString& name, int32_t id, bool toFile = false, const QString& file = QString(),
                          EnumReportExportType type = EnumReportExportType::PortableDocFormatFile) {
        return PrintWith(name,
                         std::make_shared<platform::Dictionary>(
                             std::initializer_list<std::pair<QString, platform::Variant>>{{QStringLiteral("ID"), id}}),
                         toFile, file, type);
    }

    // Ann O'Neil with addresses, phones and e-mail, in a family and a group she heads.
    void AddAnn() {
        m_ann = db->UpdatePerson(Record({{"ID", 0},
                                         {"LastName", "O'Neil"},
                                         {"FirstName", "Ann"},
                                         {"LanguageName", QStringLiteral("오닐 앤")},
                                         {"DOB", platform::MakeDateTime(1961, 2, 3)},
                                         {"Occupation", "Teacher"}}));
        raw->Execute("UPDATE PersonAddress SET Name='Home', AddressPart1='1 Main St', AddressPart3='Spokane', "
                     "AddressPart4='WA', AddressPart5='99201' WHERE PersonID=? AND IsHomeAddress=1",
                     {m_ann});
        raw->Execute("UPDATE PersonPhoneNumber SET Name='Home', PhoneNumber='555-0100' WHERE PersonID=? AND "
                     "IsHomePhoneNumber=1",
                     {m_ann});
        raw->Execute("UPDATE PersonEMailAddress SET Name='Personal', EMailAddress='ann@example.org' WHERE PersonID=? "
                     "AND IsPersonalEMailAddress=1",
                     {m_ann});
        m_family = db->UpdateFamily(Record({{"ID", 0}, {"Name", "O'Neil"}}));
        db->UpdatePersonToFamily(Record({{"ID", 0},
                                         {"PersonID", m_ann},
                                         {"FamilyID", m_family},
                                         {"IsHeadOfFamily", true},
                                         {"Relationship", "Self"}}));
        m_group = db->UpdateGroup(Record({{"ID", 0}, {"Name", "Choir {Alto}"}, {"GroupTypeID", 1}}));
        db->UpdatePersonToGroup(Record(
            {{"ID", 0}, {"PersonID", m_ann}, {"GroupID", m_group}, {"IsHeadOfGroup", true}, {"Position", "Leader"}}));
    }

    int32_t m_ann = 0, m_family = 0, m_group = 0;
};

TEST_F(DetailsReportsTest, EachDetailsReportPrintsOneCopyOnTheDefaultPrinterWithoutADialog) {
    AddAnn();
    platform::ClockScope clock(platform::MakeDateTime(2027, 1, 15, 9, 30));
    ASSERT_EQ(Print(QStringLiteral("Member Details"), m_ann), EnumReportError::Success);
    QString text = LastJobText();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("1/15/2027\\s+Page 1 of 1")))) << "the print date";
    for (const char* expected :
         {"Grace Church", "Member Details", "Ann O'Neil", "1 Main St, Spokane, WA 99201", "555-0100", "ann@example.org",
          "Teacher", "2/3/1961", "Choir {Alto}", "Leader", "Self"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();

    ASSERT_EQ(Print(QStringLiteral("Family Details"), m_family), EnumReportError::Success);
    text = LastJobText();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Head:\\s+O'Neil, Ann"))));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Address:\\s+1 Main St, Spokane, WA 99201"))));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Members:\\s+1"))));

    m_hub->SetDateFormat(QStringLiteral("yyyy-mm-dd"));
    ASSERT_EQ(Print(QStringLiteral("Group Details"), m_group), EnumReportError::Success);
    text = LastJobText();
    EXPECT_TRUE(text.contains(QStringLiteral("Choir {Alto}")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Head:\\s+O'Neil, Ann"))));
    EXPECT_TRUE(text.contains(QStringLiteral("1961-02-03"))) << "dates in the hub's pattern";

    ASSERT_EQ(m_service->jobs.size(), 3u);
    EXPECT_EQ(m_service->dialogsShown, 0);
    for (const auto& job : m_service->jobs) {
        EXPECT_EQ(job.Settings.Copies, 1);
        EXPECT_EQ(job.Settings.Printer, QStringLiteral("Office"));
        EXPECT_EQ(test::PdfInfo(job.PdfPath, QStringLiteral("Pages")), QStringLiteral("1"));
    }
    EXPECT_TRUE(m_log->logLines.isEmpty());
}

// A long congregation name wraps whole in a details report's title; a title that cannot hold it is logged
// by what it holds.
TEST_F(DetailsReportsTest, ALongCongregationNameIsPrintedWholeAndACutOneIsLoggedByWhatItHolds) {
    AddAnn();
    QString name = QStringLiteral("The First Korean Presbyterian Church of the Greater Spokane Valley, "
                                  "Coeur d'Alene and the Palouse");
    m_hub->SetCompanyName(name);
    ASSERT_EQ(Print(QStringLiteral("Group Details"), m_group), EnumReportError::Success);
    static const QRegularExpression space(QStringLiteral("\\s"));
    EXPECT_TRUE(LastJobText().remove(space).contains(name.remove(space))) << LastJobText().toStdString();
    EXPECT_TRUE(m_log->logLines.isEmpty()) << m_log->logLines.join('\n').toStdString();

    QFile file(Definition(QStringLiteral("Group Details.rpt"))); // the title is its first cell that wraps
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray json = file.readAll();
    ASSERT_TRUE(file.seek(0) && file.write(json.replace(json.indexOf("\"wrap\": true"), 12, "\"wrap\": false")) > 0);
    file.close();
    ASSERT_EQ(Print(QStringLiteral("Group Details"), m_group), EnumReportError::Success);
    ASSERT_EQ(m_log->logLines.size(), 1);
    EXPECT_TRUE(m_log->logLines[0].contains(QStringLiteral("The congregation's name does not fit its cell")))
        << m_log->logLines[0].toStdString();
}

TEST_F(DetailsReportsTest, KoreanDefinitionsShowKoreanNamesAndAddresses) {
    InstallDefinitions(QStringLiteral("1042"));
    m_hub->SetGUILocaleID(amb::EnumSupportedLocaleID::Korean);
    m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    const int32_t kim = db->UpdatePerson(
        Record({{"ID", 0}, {"LastName", "Kim"}, {"FirstName", "Minsu"}, {"LanguageName", QStringLiteral("김민수")}}));
    raw->Execute("UPDATE PersonAddress SET AddressPart1=?, AddressPart3=?, AddressPart4=?, AddressPart5='04524' "
                 "WHERE PersonID=? AND IsHomeAddress=1",
                 {QStringLiteral("세종대로 110"), QStringLiteral("중구"), QStringLiteral("서울특별시"), kim});
    const int32_t family = db->UpdateFamily(Record({{"ID", 0}, {"Name", QStringLiteral("김씨 가족")}}));
    db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", kim}, {"FamilyID", family}, {"IsHeadOfFamily", true}}));

    ASSERT_EQ(Print(QStringLiteral("Member Details"), kim), EnumReportError::Success);
    QString text = LastJobText();
    const auto nfkc = [](const char* s) { return QString::fromUtf8(s).normalized(QString::NormalizationForm_KC); };
    EXPECT_TRUE(text.contains(nfkc("교인 상세 정보")));
    EXPECT_TRUE(text.contains(nfkc("김민수")));
    EXPECT_TRUE(text.contains(nfkc("세종대로 110, 중구, 서울특별시, 04524"))) << text.toStdString();
    EXPECT_TRUE(text.contains(nfkc("Minsu Kim")));
    // Baptized and member answer "No" as the interface spells it.
    EXPECT_EQ(text.count(nfkc("아니요")), 2) << text.toStdString();
    EXPECT_TRUE(test::PdfInfo(m_service->jobs.back().PdfPath, QStringLiteral("Page size")).contains("A4"));

    ASSERT_EQ(Print(QStringLiteral("Family Details"), family), EnumReportError::Success);
    text = LastJobText();
    EXPECT_TRUE(text.contains(QRegularExpression(nfkc("가장:\\s+김민수")))) << text.toStdString();
    // The name locale decides the head's name, whatever the interface language.
    m_hub->SetGUILocaleID(static_cast<amb::EnumSupportedLocaleID>(1031));
    ASSERT_EQ(Print(QStringLiteral("Family Details"), family), EnumReportError::Success);
    EXPECT_TRUE(LastJobText().contains(QRegularExpression(nfkc("가장:\\s+김민수"))));
}

TEST_F(DetailsReportsTest, MissingContactRowsPrintEmptyAndOnlyAMissingRecordGivesNoRecord) {
    const int32_t bo = NewPerson("Park", "Bo");
    DropContactRows(bo);
    ASSERT_EQ(Print(QStringLiteral("Member Details"), bo), EnumReportError::Success);
    EXPECT_EQ(
        LastJobText().count(QRegularExpression(QStringLiteral("^\\s*None\\s*$"), QRegularExpression::MultilineOption)),
        5);
    EXPECT_FALSE(db->ReturnEOF()) << "set back after the sub-report queries";

    // A head without any contact row still prints, with those fields empty: the rows are joined outside.
    const int32_t family = db->UpdateFamily(Record({{"ID", 0}, {"Name", "Park"}}));
    db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", bo}, {"FamilyID", family}, {"IsHeadOfFamily", true}}));
    EXPECT_EQ(Print(QStringLiteral("Family Details"), family), EnumReportError::Success);
    EXPECT_TRUE(LastJobText().contains(QRegularExpression(QStringLiteral("Head:\\s+Park, Bo\\s+Address:\\s+Phone"))));

    const int32_t headless = db->UpdateFamily(Record({{"ID", 0}, {"Name", "Nobody"}}));
    const int32_t group = db->UpdateGroup(Record({{"ID", 0}, {"Name", "Ushers"}, {"GroupTypeID", 1}}));
    const size_t jobs = m_service->jobs.size();
    EXPECT_EQ(Print(QStringLiteral("Family Details"), headless), EnumReportError::NoRecordSelected);
    EXPECT_EQ(Print(QStringLiteral("Group Details"), group), EnumReportError::NoRecordSelected);
    EXPECT_EQ(Print(QStringLiteral("Member Details"), 9999), EnumReportError::NoRecordSelected);
    EXPECT_EQ(Print(QStringLiteral("Family Details"), 0), EnumReportError::NoRecordSelected);
    EXPECT_EQ(m_service->jobs.size(), jobs);
    EXPECT_TRUE(m_log->logLines.isEmpty());
}

TEST_F(DetailsReportsTest, DefinitionFaultsAndUnknownNames) {
    AddAnn();
    // A sub-report of another name gets no data and the report still prints.
    QFile file(Definition(QStringLiteral("Member Details.rpt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray json = file.readAll();
    file.close();
    json.replace("\"PersonAddress\"", "\"PersonAddresses\"");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json);
    file.close();
    ASSERT_EQ(Print(QStringLiteral("Member Details"), m_ann), EnumReportError::Success);
    EXPECT_FALSE(LastJobText().contains(QStringLiteral("1 Main St")));
    EXPECT_TRUE(LastJobText().contains(QStringLiteral("555-0100")));

    QFile::remove(Definition(QStringLiteral("Member Details.rpt")));
    EXPECT_EQ(Print(QStringLiteral("Member Details"), m_ann), EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintMemberDetails()")));
    // A definition without parameter fields 4 to 8 fails when they are filled.
    QFile::remove(Definition(QStringLiteral("Family Details.rpt")));
    QFile::copy(Definition(QStringLiteral("Group Details.rpt")), Definition(QStringLiteral("Family Details.rpt")));
    EXPECT_EQ(Print(QStringLiteral("Family Details"), m_family), EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintFamilyDetails()")));

    for (const char* name : {"member details", "Group Details ", "", "Balance sheet"})
        EXPECT_EQ(static_cast<int>(Print(QString::fromUtf8(name), m_ann)), 0) << name;
    // A value outside 16 bits for a membership filter is a failure of the dispatch itself.
    m_printer->SetReportName(QStringLiteral("Member Contact List"));
    auto dict = std::make_shared<platform::Dictionary>();
    dict->SetItem(QStringLiteral("IsBaptized"), 40000);
    EXPECT_EQ(m_printer->PrintReport(dict), EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("IReportPrinter_PrintReport()")));
    EXPECT_EQ(m_service->jobs.size(), 1u);
}

TEST_F(DetailsReportsTest, ExportsWriteWholeFilesOrKeepTheEarlierOne) {
    AddAnn();
    const QString folder = m_dir.FilePath(QStringLiteral("내 보고서 모음"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pdf = folder + QStringLiteral("/교인 상세.pdf");
    m_log->traceLines.clear();
    ASSERT_EQ(Print(QStringLiteral("Member Details"), m_ann, true, pdf), EnumReportError::Success);
    QStringList steps;
    for (const QString& line : m_log->traceLines)
        if (line.contains(QStringLiteral("AmbReportPrinter.Printer.")) &&
            !line.contains(QStringLiteral("_IReportPrinter_")))
            steps << line.section(QStringLiteral("AmbReportPrinter.Printer."), 1);
    EXPECT_EQ(steps, (QStringList{"IReportPrinter_PrintReport()", "PrintMemberDetails()", "MakeReportFilePath()",
                                  "SetDefaultReportParameters()", "ExportReportToPDFFile()"}));
    EXPECT_TRUE(test::PdfText(pdf).contains(QStringLiteral("Ann O'Neil")));
    const QString rtf = folder + QStringLiteral("/Group Details.rtf");
    ASSERT_EQ(Print(QStringLiteral("Group Details"), m_group, true, rtf, EnumReportExportType::RichTextFormatFile),
              EnumReportError::Success);
    EXPECT_TRUE(test::RunTool(QStringLiteral("unrtf"), {QStringLiteral("--html"), rtf}).contains("Choir {Alto}"));
    EXPECT_TRUE(m_service->jobs.empty());

    // The tab-delimited type gives success and no file.
    const QString txt = folder + QStringLiteral("/list.txt");
    EXPECT_EQ(Print(QStringLiteral("Family Details"), m_family, true, txt, EnumReportExportType::TabDelimitedFile),
              EnumReportError::Success);
    EXPECT_FALSE(QFile::exists(txt));

    EXPECT_EQ(Print(QStringLiteral("Member Details"), m_ann, true, m_dir.FilePath(QStringLiteral("no/such/x.pdf"))),
              EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintMemberDetails()")));
    EXPECT_EQ(Print(QStringLiteral("Group Details"), m_group, true, pdf + QStringLiteral("/x.pdf")),
              EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintGroupDetails()")));

    QFile before(pdf);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray earlier = before.readAll();
    before.close();
    platform::reportengine::SetReportFileFaultForTesting([](const QString&) { return EIO; });
    EXPECT_EQ(Print(QStringLiteral("Family Details"), m_family, true, pdf), EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintFamilyDetails()")));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll(), earlier);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
}

TEST_F(DetailsReportsTest, AViewerOnlyShowsMemberDetailsAndNoPrinterIsASystemError) {
    AddAnn();
    auto viewer = std::make_shared<platform::reportengine::ReportViewer>();
    m_printer->SetReportViewer(viewer);
    const QString pdf = m_dir.FilePath(QStringLiteral("viewed.pdf"));
    ASSERT_EQ(Print(QStringLiteral("Member Details"), m_ann, true, pdf), EnumReportError::Success);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(m_service->jobs.empty());
    ASSERT_NE(viewer->ReportSource(), nullptr);
    EXPECT_EQ(viewer->Preview()->PageCount(), 1);
    EXPECT_TRUE(viewer->Preview()->isVisible());
    viewer->Preview()->close();
    EXPECT_EQ(Print(QStringLiteral("Family Details"), m_family), EnumReportError::Success);
    EXPECT_EQ(Print(QStringLiteral("Group Details"), m_group), EnumReportError::Success);
    EXPECT_EQ(m_service->jobs.size(), 2u);

    m_printer->SetReportViewer(std::make_shared<platform::Dictionary>()); // not a viewer of ours
    EXPECT_EQ(Print(QStringLiteral("Member Details"), m_ann), EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintMemberDetails()")));
    m_printer->SetReportViewer(nullptr);

    platform::reportengine::SetPrintService(
        std::make_shared<test::PdfPrintService>(m_dir.Path(), QStringList{}, QString()));
    EXPECT_EQ(Print(QStringLiteral("Group Details"), m_group), EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintGroupDetails()")));
}

} // namespace
