#include "common/ReportCatalogue.h"
#include "platform/data/Clock.h"
#include "tests/support/MoneyData.h"
#include "tests/support/PersonData.h"
#include "tests/support/ReportPrinterTest.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <functional>

namespace {

using amb::EnumReportError;
using amb::EnumReportExportType;
using platform::RecordsetPtr;
using test::Record;

const QDateTime kYearStart = platform::MakeDateTime(2024, 1, 1);
const QDateTime kYearEnd = platform::MakeDateTime(2024, 12, 31);

// Sixty-one English and Korean persons in families and a group, and a year of offerings and expenses.
class CatalogueReportsTest : public test::ReportPrinterTest {
protected:
    // Criteria dates and month names follow the default locale: the same on every machine.
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ReportPrinterTest::SetUp();
        test::FillDatabase(m_path, 61);
        test::FillMoney(m_path, 2024, 300, 40, 61);
    }
    void TearDown() override {
        ReportPrinterTest::TearDown();
        QLocale::setDefault(QLocale::c());
    }

    QString Export(const QString& name, const platform::DictionaryPtr& dict, EnumReportExportType type) {
        const QString file =
            m_dir.FilePath(name + (type == EnumReportExportType::RichTextFormatFile ? QStringLiteral(".rtf")
                                                                                    : QStringLiteral(".pdf")));
        QFile::remove(file);
        const EnumReportError result = PrintWith(name, dict, true, file, type);
        EXPECT_EQ(result, EnumReportError::Success) << name.toStdString();
        // unrtf leaves out the page header and footer: those are read from the file itself.
        if (type == EnumReportExportType::RichTextFormatFile) {
            QFile rtf(file);
            EXPECT_TRUE(rtf.open(QIODevice::ReadOnly));
            return test::RunTool(QStringLiteral("unrtf"), {QStringLiteral("--html"), file}) +
                   QString::fromLatin1(rtf.readAll());
        }
        SaveShots(file);
        return test::PdfText(file);
    }

    // With AMB_SHOTS_DIR set, the first and the last page of each exported report as PNG, to look at.
    void SaveShots(const QString& pdf) {
        const QString shots = qEnvironmentVariable("AMB_SHOTS_DIR");
        if (shots.isEmpty())
            return;
        const QString folder = shots + QStringLiteral("/reports/") + m_language;
        QDir().mkpath(folder);
        const QString base = folder + QLatin1Char('/') + QFileInfo(pdf).completeBaseName();
        const QString last = test::PdfInfo(pdf, QStringLiteral("Pages"));
        for (const auto& [page, suffix] :
             {std::pair{QStringLiteral("1"), QStringLiteral(" - first")}, std::pair{last, QStringLiteral(" - last")}})
            test::RunTool(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                           QStringLiteral("-singlefile"), QStringLiteral("-f"), page, QStringLiteral("-l"), page, pdf,
                           base + suffix});
    }
    QString m_language = QStringLiteral("1033");
};

// What a probe of the data set shows in the report.
QString Shown(const platform::Variant& value) {
    if (value.GetType() == platform::Variant::Type::Date)
        return value.ToDateTime().date().toString(QStringLiteral("M/d/yyyy"));
    if (value.GetType() == platform::Variant::Type::Currency)
        return QLocale(QLocale::English, QLocale::UnitedStates).toString(value.ToCurrency().ToDouble(), 'f', 2);
    return value.ToString();
}

// The first and the last non-empty value of a field, in the data set's order.
QStringList FirstAndLast(const RecordsetPtr& rows, const QString& field) {
    QStringList values;
    const int column = rows->FieldIndex(field);
    for (int r = 0; r < rows->RecordCount(); ++r) {
        const QString text = Shown(rows->Value(r, column));
        if (!text.isEmpty())
            values << text;
    }
    return values.isEmpty() ? values : QStringList{values.first(), values.last()};
}

struct Case {
    const char* Name;
    platform::DictionaryPtr Dict;
    std::function<RecordsetPtr(amb::IDatabaseManager&)> Rows; // the same filters, for the probes
    const char* Probe;
    const char* Criteria; // nullptr for the labels, which show no parameter
};

std::vector<Case> Cases() {
    const auto range = [] { return Record({{"DateStart", kYearStart}, {"DateEnd", kYearEnd}}); };
    const auto place = [] { return Record({{"City", "Springfield"}}); };
    const char* yearRange = "Date range: 1/1/24-12/31/24";
    return {
        {"Balance Sheet", range(), [](auto& db) { return db.GetReportBalanceSheet(kYearStart, kYearEnd); }, "Date",
         yearRange},
        {"Expense Summary", range(), [](auto& db) { return db.GetReportExpenseSummary(kYearStart, kYearEnd); },
         "Amount", yearRange},
        {"Offering Summary", range(), [](auto& db) { return db.GetReportOfferingSummary(kYearStart, kYearEnd); },
         "Amount", yearRange},
        {"Expense List", range(), [](auto& db) { return db.GetReportExpenseList(kYearStart, kYearEnd, 0); }, "Amount",
         yearRange},
        {"Offering List", range(), [](auto& db) { return db.GetReportOfferingList(kYearStart, kYearEnd, 0, 0); },
         "Amount", yearRange},
        {"Envelop Code List", place(), [](auto& db) { return db.GetReportMemberList(0, 0, 0, 0, 0, 0, "Springfield"); },
         "EnvelopCode", "City: Springfield"},
        {"Monthly Birthday List", Record({{"Month", 5}}), [](auto& db) { return db.GetReportMonthlyBirthdayList(5); },
         "DOB", "Date: May"},
        {"Family Contact List", place(), [](auto& db) { return db.GetReportFamilyList("Springfield"); },
         "HomePhoneNumber", "City: Springfield"},
        {"Family Contact List - Column View", place(), [](auto& db) { return db.GetReportFamilyList("Springfield"); },
         "HomePhoneNumber", "City: Springfield"},
        {"Group Contact List", Record({{"GroupTypeID", 2}}), [](auto& db) { return db.GetReportGroupList(2); },
         "EMailAddress", "Group type: Choir"},
        {"Group Contact List - Column View", Record({{"GroupTypeID", 2}}),
         [](auto& db) { return db.GetReportGroupList(2); }, "EMailAddress", "Group type: Choir"},
        {"Member Contact List", place(),
         [](auto& db) { return db.GetReportMemberList(0, 0, 0, 0, 0, 0, "Springfield"); }, "EMailAddress",
         "City: Springfield"},
        {"Member Contact List - Column View", place(),
         [](auto& db) { return db.GetReportMemberList(0, 0, 0, 0, 0, 0, "Springfield"); }, "EMailAddress",
         "City: Springfield"},
        {"Family Mailing Label - Avery 5160", place(),
         [](auto& db) { return db.GetReportFamilyMailingLabel("Springfield"); }, "AddressPart1", nullptr},
        {"Family Mailing Label - Avery 5260", place(),
         [](auto& db) { return db.GetReportFamilyMailingLabel("Springfield"); }, "AddressPart1", nullptr},
        {"Group Mailing Label - Avery 5160", Record({}), [](auto& db) { return db.GetReportGroupMailingLabel(0); },
         "AddressPart1", nullptr},
        {"Group Mailing Label - Avery 5260", Record({}), [](auto& db) { return db.GetReportGroupMailingLabel(0); },
         "AddressPart1", nullptr},
        {"Member Mailing Label - Avery 5160", Record({{"AddressName", "Home"}}),
         [](auto& db) { return db.GetReportMemberMailingLabel(0, 0, 0, 0, 0, 0, "", "", "", "Home"); }, "AddressPart1",
         nullptr},
        {"Member Mailing Label - Avery 5260", Record({{"AddressName", "Home"}}),
         [](auto& db) { return db.GetReportMemberMailingLabel(0, 0, 0, 0, 0, 0, "", "", "", "Home"); }, "AddressPart1",
         nullptr},
    };
}

TEST_F(CatalogueReportsTest, EveryReportExportsInBothLanguagesWithItsParametersAndFirstAndLastRows) {
    const std::vector<Case> cases = Cases();
    ASSERT_EQ(cases.size(), 19u);
    ASSERT_EQ(Count("SELECT COUNT(*) FROM Report"), 19);
    for (const char* lcid : {"1033", "1042"}) {
        InstallDefinitions(QString::fromLatin1(lcid));
        m_language = QString::fromLatin1(lcid);
        for (const Case& c : cases) {
            const QString name = QString::fromUtf8(c.Name);
            SCOPED_TRACE(name.toStdString() + " " + lcid);
            const amb::CatalogueReport* entry = amb::FindCatalogueReport(c.Name);
            ASSERT_NE(entry, nullptr);
            const bool korean = QLatin1String(lcid) == QLatin1String("1042");
            EXPECT_TRUE(QFileInfo::exists(Definition(name + QStringLiteral(".rpt"))));
            const QStringList probes = FirstAndLast(c.Rows(*db), QString::fromLatin1(c.Probe));
            ASSERT_EQ(probes.size(), 2);
            for (const EnumReportExportType type :
                 {EnumReportExportType::PortableDocFormatFile, EnumReportExportType::RichTextFormatFile}) {
                const QString text = Export(name, c.Dict, type);
                for (const QString& probe : probes)
                    EXPECT_TRUE(text.contains(probe)) << probe.toStdString() << "\n" << text.left(3000).toStdString();
                if (c.Criteria) {
                    for (const QString& parameter : {QStringLiteral("Grace Church"), QString::fromUtf8(c.Criteria)})
                        EXPECT_TRUE(text.contains(parameter)) << parameter.toStdString();
                    // The page is titled with the report list's name in its language, and only that.
                    const QString title = QString::fromUtf8(korean ? entry->korean : entry->name);
                    if (type == EnumReportExportType::PortableDocFormatFile || !korean) {
                        EXPECT_TRUE(text.contains(title)) << title.toStdString();
                    }
                    if (korean) {
                        EXPECT_FALSE(text.contains(name)) << "the English name on a Korean page";
                    }
                    if (QLatin1String(lcid) == QLatin1String("1033") &&
                        type == EnumReportExportType::PortableDocFormatFile) {
                        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Page 1 of \\d"))));
                    }
                } else {
                    EXPECT_FALSE(text.contains(QStringLiteral("Grace Church")));
                }
            }
        }
    }
    // The Korean definitions speak Korean.
    const QString korean = Export(QStringLiteral("Member Contact List - Column View"), Record({}),
                                  EnumReportExportType::PortableDocFormatFile);
    EXPECT_TRUE(korean.contains(QStringLiteral("교인 연락처 목록"))) << korean.left(500).toStdString();
    EXPECT_TRUE(korean.contains(QStringLiteral("휴대 전화")));
    EXPECT_TRUE(m_log->logLines.isEmpty()) << m_log->logLines.join('\n').toStdString();
}

TEST_F(CatalogueReportsTest, SummariesLookForTheirFileFirstAndListsForTheirData) {
    const auto range =
        Record({{"DateStart", platform::MakeDateTime(1999, 1, 1)}, {"DateEnd", platform::MakeDateTime(1999, 12, 31)}});
    const auto year = Record({{"DateStart", kYearStart}, {"DateEnd", kYearEnd}});
    for (const char* name : {"Balance Sheet", "Expense Summary", "Offering Summary"}) {
        const QString report = QString::fromLatin1(name);
        EXPECT_EQ(PrintWith(report, range), EnumReportError::NoRecordSelected) << name;
        QFile::remove(Definition(report + QStringLiteral(".rpt")));
        EXPECT_EQ(PrintWith(report, range), EnumReportError::NoReportFile) << name << ": the file before the data";
        EXPECT_EQ(PrintWith(report, year), EnumReportError::NoReportFile) << name;
    }
    for (const char* name : {"Expense List", "Offering List", "Member Contact List", "Monthly Birthday List"}) {
        const QString report = QString::fromLatin1(name);
        QFile::remove(Definition(report + QStringLiteral(".rpt")));
        const auto nothing = Record({{"DateStart", platform::MakeDateTime(1999, 1, 1)},
                                     {"DateEnd", platform::MakeDateTime(1999, 12, 31)},
                                     {"City", "Nowhere"},
                                     {"Month", 13}});
        EXPECT_EQ(PrintWith(report, nothing), EnumReportError::NoRecordSelected) << name << ": the data first";
        const auto some = Record({{"DateStart", kYearStart}, {"DateEnd", kYearEnd}, {"Month", 5}});
        EXPECT_EQ(PrintWith(report, some), EnumReportError::NoReportFile) << name;
    }
    // A cancelled print dialog prints nothing and is no failure; the tab-delimited type writes nothing.
    m_service->CancelDialog();
    EXPECT_EQ(PrintWith(QStringLiteral("Family Contact List"), Record({})), EnumReportError::Success);
    EXPECT_EQ(m_service->dialogsShown, 1);
    const QString tab = m_dir.FilePath(QStringLiteral("list.txt"));
    EXPECT_EQ(
        PrintWith(QStringLiteral("Family Contact List"), Record({}), true, tab, EnumReportExportType::TabDelimitedFile),
        EnumReportError::Success);
    EXPECT_FALSE(QFileInfo::exists(tab));
    // A row of the Report table without its file is the same as no row.
    raw->Execute("DELETE FROM Report WHERE InternalName='Group Contact List'");
    EXPECT_EQ(PrintWith(QStringLiteral("Group Contact List"), Record({})), EnumReportError::NoReportFile);
    EXPECT_TRUE(m_service->jobs.empty());
    EXPECT_EQ(m_service->dialogsShown, 1);
}

// The criteria texts as the page header shows them, whatever order the keys were added in.
TEST_F(CatalogueReportsTest, CriteriaTextsFollowTheFiltersInTheirFixedOrder) {
    raw->Execute("INSERT INTO Expense (ExpenseName, ExpenseDate, ExpenseTypeID, Amount) VALUES "
                 "('Power', '2005-01-03 00:00:00', 2, 120000), ('Old bill', '1900-01-01 00:00:00', 7, 10000)");
    const int32_t ann = NewPerson("Park", "Ann");
    raw->Execute("UPDATE Person SET MiddleName='J', Suffix='Jr.', SexID=2, MaritalStatusID=2, IsBaptized=1, "
                 "MemberClassificationID=1, MemberStatusID=1, IsMember=0 WHERE ID=?",
                 {ann});
    raw->Execute("UPDATE PersonAddress SET AddressPart3='Tacoma', AddressPart4='WA', AddressPart5='98401' "
                 "WHERE PersonID=?",
                 {ann});
    raw->Execute("INSERT INTO PersonOffering (PersonID, OfferingDate, OfferingTypeID, Amount) VALUES "
                 "(?, '2005-03-31 00:00:00', 3, 50000)",
                 {ann});
    const auto jan3 = platform::MakeDateTime(2005, 1, 3), mar31 = platform::MakeDateTime(2005, 3, 31);
    struct Row {
        const char* Report;
        platform::DictionaryPtr Dict;
        const char* Criteria;
    } rows[] = {
        {"Expense List", Record({{"ExpenseTypeID", 2}, {"DateEnd", mar31}, {"DateStart", jan3}}),
         "Date range: 1/3/05-3/31/05; Expense type: Utilities"},
        {"Expense List", Record({}), "Date range: 1/1/00-1/1/00"},
        {"Offering List", Record({{"PersonID", ann}, {"OfferingTypeID", 3}, {"DateStart", jan3}, {"DateEnd", mar31}}),
         "Date range: 1/3/05-3/31/05; Offering type: Thanksgiving; Member: Park, Ann J Jr."},
        {"Family Contact List - Column View", Record({{"ZipCode", "62701"}, {"City", "Springfield"}}),
         "City: Springfield; Zip code: 62701"},
        {"Member Contact List",
         Record({{"ZipCode", "98401"},
                 {"IsMember", -1},
                 {"MaritalStatusID", 2},
                 {"IsBaptized", 1},
                 {"SexID", 2},
                 {"MemberStatusID", 1},
                 {"MemberClassificationID", 1},
                 {"AgeClassificationID", 1},
                 {"State", "WA"}}),
         "Classification: Adult; Status: Active; Sex: Female; Marital status: Married; Baptized: True; "
         "Registerd Member: False; State: WA; Zip code: 98401"},
        {"Envelop Code List", Record({{"City", "Tacoma"}}), "City: Tacoma"},
        {"Group Contact List", Record({{"GroupTypeID", 0}}), ""},
        {"Monthly Birthday List", Record({{"Month", 0}}), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Report);
        ASSERT_EQ(PrintWith(QString::fromLatin1(row.Report), row.Dict), EnumReportError::Success);
        const QString header = test::PdfText(m_service->jobs.back().PdfPath, 1, 1).section('\n', 0, 3).simplified();
        if (*row.Criteria)
            EXPECT_TRUE(header.contains(QString::fromUtf8(row.Criteria).simplified())) << header.toStdString();
        else
            EXPECT_EQ(header.section(' ', 0, 4), QStringLiteral("Grace Church ") + QString::fromLatin1(row.Report))
                << header.toStdString();
    }
    // The locale's date separator.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_EQ(PrintWith(QStringLiteral("Balance Sheet"), Record({{"DateStart", jan3}, {"DateEnd", mar31}})),
              EnumReportError::Success);
    EXPECT_TRUE(LastJobText().contains(QStringLiteral("Date range: 1.3.05-3.31.05")));
    // Every list went through the dialog, none straight to the printer.
    EXPECT_EQ(m_service->dialogsShown, int(std::size(rows)) + 1);
    for (const auto& job : m_service->jobs)
        EXPECT_TRUE(job.Settings.Prompted);
}

TEST_F(CatalogueReportsTest, ColumnViewsCaptionFromTheStringTableAtPrintTime) {
    auto table = std::make_shared<platform::Dictionary>();
    table->SetItem(QStringLiteral("166"), QStringLiteral("Gender"));
    table->SetItem(QStringLiteral("122"), QStringLiteral("Born"));
    table->SetItem(QStringLiteral("138"), QString());
    m_hub->SetStringTable(table);
    ASSERT_EQ(PrintWith(QStringLiteral("Member Contact List - Column View"), Record({})), EnumReportError::Success);
    EXPECT_TRUE(LastJobText().contains(QRegularExpression(QStringLiteral("Gender:\\s+Born:"))));
    table->SetItem(QStringLiteral("166"), QStringLiteral("Sex"));
    ASSERT_EQ(PrintWith(QStringLiteral("Member Contact List - Column View"), Record({})), EnumReportError::Success);
    EXPECT_TRUE(LastJobText().contains(QRegularExpression(QStringLiteral("Sex:\\s+Born:"))));
    // An empty text leaves the colon alone.
    ASSERT_EQ(PrintWith(QStringLiteral("Group Contact List - Column View"), Record({})), EnumReportError::Success);
    EXPECT_TRUE(LastJobText().contains(QRegularExpression(QStringLiteral("\\n\\s*:\\s+Group\\s"))))
        << LastJobText().toStdString();
    // The labels read no text and set no parameter: a table that fails to load does not matter to them.
    m_hub->failStringTable = true;
    EXPECT_EQ(PrintWith(QStringLiteral("Member Mailing Label - Avery 5160"), Record({})), EnumReportError::Success);
    EXPECT_EQ(PrintWith(QStringLiteral("Member Contact List - Column View"), Record({})), EnumReportError::SystemError);
    EXPECT_TRUE(TookFailure(QStringLiteral("PrintMemberContactList()")));
}

// The lists join the contact rows outside, so a person, family or group without them is still listed,
// with empty fields.
TEST_F(CatalogueReportsTest, EntriesWithoutContactRowsAreListed) {
    for (int32_t head : {1, 4})
        DropContactRows(head);
    const int32_t loner = NewPerson("Zuniga", "Zoe");
    DropContactRows(loner);
    const struct {
        const char* Report;
        const char* Shown;
    } lists[] = {{"Member Contact List", "Zuniga, Zoe"},
                 {"Member Contact List - Column View", "Zuniga, Zoe"},
                 {"Family Contact List", "Kimball, John"},
                 {"Group Contact List - Column View", "Kimball, John"},
                 {"Member Mailing Label - Avery 5260", "Zoe Zuniga"}};
    for (const auto& list : lists) {
        ASSERT_EQ(PrintWith(QString::fromLatin1(list.Report), Record({})), EnumReportError::Success) << list.Report;
        EXPECT_TRUE(LastJobText().contains(QString::fromLatin1(list.Shown))) << list.Report;
    }
}

// The membership filter narrows the member lists and labels; nothing left is "no record".
TEST_F(CatalogueReportsTest, MembershipNarrowsMemberListsAndLabels) {
    raw->Execute("UPDATE Person SET IsMember=0 WHERE ID IN (2, 5)");
    raw->Execute("UPDATE PersonEMailAddress SET EMailAddress='visitor' || PersonID || '@example.org' "
                 "WHERE PersonID IN (2, 5)");
    raw->Execute("UPDATE PersonAddress SET AddressPart1='Visitor ' || PersonID WHERE PersonID IN (2, 5)");
    for (const char* name : {"Member Contact List", "Envelop Code List", "Member Mailing Label - Avery 5160"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(PrintWith(QString::fromLatin1(name), Record({{"IsMember", -1}})), EnumReportError::Success);
        const QString visitors = LastJobText();
        ASSERT_EQ(PrintWith(QString::fromLatin1(name), Record({{"IsMember", 1}})), EnumReportError::Success);
        const QString members = LastJobText();
        ASSERT_EQ(PrintWith(QString::fromLatin1(name), Record({})), EnumReportError::Success);
        const QString everyone = LastJobText();
        int shown = 0;
        for (const char* probe : {"100005", "visitor2@", "Visitor 5"}) {
            if (!everyone.contains(QLatin1String(probe)))
                continue;
            ++shown;
            EXPECT_TRUE(visitors.contains(QLatin1String(probe))) << probe;
            EXPECT_FALSE(members.contains(QLatin1String(probe))) << probe;
        }
        EXPECT_GE(shown, 1);
        EXPECT_FALSE(visitors.contains(QStringLiteral("100001")));
        EXPECT_FALSE(visitors.contains(QStringLiteral("Main St")));
        EXPECT_TRUE(members.contains(QStringLiteral("Main St")) || members.contains(QStringLiteral("100001")));
    }
    raw->Execute("UPDATE Person SET IsMember=1");
    QFile::remove(Definition(QStringLiteral("Member Contact List.rpt")));
    EXPECT_EQ(PrintWith(QStringLiteral("Member Contact List"), Record({{"IsMember", -1}})),
              EnumReportError::NoRecordSelected)
        << "decided before the report file";
    EXPECT_EQ(PrintWith(QStringLiteral("Member Mailing Label - Avery 5260"), Record({{"IsMember", -1}})),
              EnumReportError::NoRecordSelected);
}

} // namespace
