#include "platform/data/Clock.h"
#include "platform/reportengine/Definition.h"
#include "platform/reportengine/TextMeasure.h"
#include "tests/support/ReportPrinterTest.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMap>
#include <QRegularExpression>

namespace {

using amb::EnumReportError;
using amb::EnumReportExportType;
using test::Record;

const QDateTime kStart = platform::MakeDateTime(2024, 1, 1);
const QDateTime kEnd = platform::MakeDateTime(2024, 12, 31);

// The values an office types that are longer than any column: a title and suffix around a long name,
// phones with extensions, a long e-mail address, a note of several pages, and a person known only by a
// Korean name. Words with "fi", "ff" and "ffi" would come out of a shaped PDF as ligatures.
const QString kTitle = QStringLiteral("The Reverend Dr.");
const QString kFirst = QStringLiteral("Maximiliano"), kMiddle = QStringLiteral("Bartholomew");
const QString kLast = QStringLiteral("Griffiths-Featherstonehaugh"), kSuffix = QStringLiteral("III");
const QString kListName = kLast + QStringLiteral(", ") + kFirst + u' ' + kMiddle + u' ' + kSuffix;
const QString kFullName = QStringList{kTitle, kFirst, kMiddle, kLast, kSuffix}.join(u' ');
const QString kKorean = QStringLiteral("김수한무거북이와두루미삼천갑자");
const QString kHome = QStringLiteral("(201) 894-5156 x7312");
const QString kCell = QStringLiteral("+1 (201) 555-0199 ext. 4410");
const QString kMail = QStringLiteral("maximiliano.bartholomew.griffiths-featherstonehaugh@office.org");
const QString kKoreanMail = QStringLiteral("kim.suhanmu.geobugi.durumi.samcheon@affiliated-office.kr");
const QString kExpenseName = QStringLiteral("Roof repair of the fellowship hall after the fifth storm of the year");

QString LongNote(const QString& what) {
    QString note;
    for (int i = 1; note.size() < 5000; ++i)
        note += QStringLiteral("%1 %2: office%2 staff%2 filed%2 the fifty-first%2 affidavit%2. ").arg(what).arg(i);
    return note.trimmed();
}
const QString kPersonNote = LongNote(QStringLiteral("Pastoral note"));
const QString kOfferingNote = LongNote(QStringLiteral("Offering note"));
const QString kExpenseNote = LongNote(QStringLiteral("Expense note"));

// What a text holds once wrapping can no longer part it: every white space removed.
QString Squeezed(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

enum Value : unsigned {
    ListNames = 1,   // the long name as a list shows it
    FullName = 2,    // the long name in reading order with its title
    KoreanName = 4,  // the Korean-only person
    Phones = 8,      // both phones of the long name
    Mails = 16,      // both persons' e-mail addresses
    PersonNote = 32, // the person's note
    OfferingNote = 64,
    Expense = 128, // the expense's name and note
};

struct Case {
    const char* Report;
    unsigned Values;
    bool Range = false; // the money reports take the year
};

const Case kCases[] = {
    {.Report = "Balance Sheet", .Values = 0, .Range = true},
    {.Report = "Expense Summary", .Values = Expense, .Range = true},
    {.Report = "Offering Summary", .Values = ListNames | KoreanName, .Range = true},
    {.Report = "Expense List", .Values = Expense, .Range = true},
    {.Report = "Offering List", .Values = ListNames | KoreanName | OfferingNote, .Range = true},
    {.Report = "Envelop Code List", .Values = ListNames | KoreanName},
    {.Report = "Monthly Birthday List", .Values = ListNames | KoreanName},
    {.Report = "Family Contact List", .Values = ListNames | Phones | Mails},
    {.Report = "Family Contact List - Column View", .Values = ListNames | Phones | Mails},
    {.Report = "Group Contact List", .Values = ListNames | Phones | Mails},
    {.Report = "Group Contact List - Column View", .Values = ListNames | Phones | Mails},
    {.Report = "Member Contact List", .Values = ListNames | KoreanName | Phones | Mails},
    {.Report = "Member Contact List - Column View", .Values = ListNames | KoreanName | Phones | Mails},
    {.Report = "Family Mailing Label - Avery 5160", .Values = FullName},
    {.Report = "Family Mailing Label - Avery 5260", .Values = FullName},
    {.Report = "Group Mailing Label - Avery 5160", .Values = FullName},
    {.Report = "Group Mailing Label - Avery 5260", .Values = FullName},
    {.Report = "Member Mailing Label - Avery 5160", .Values = FullName | KoreanName},
    {.Report = "Member Mailing Label - Avery 5260", .Values = FullName | KoreanName},
    {.Report = "Member Details", .Values = FullName | Phones | Mails | PersonNote},
    {.Report = "Family Details", .Values = ListNames | KoreanName | Phones | Mails},
    {.Report = "Group Details", .Values = ListNames | KoreanName | Phones | Mails},
};

QStringList Expected(unsigned values) {
    QStringList out;
    if (values & ListNames)
        out << kListName;
    if (values & FullName)
        out << kFullName;
    if (values & KoreanName)
        out << kKorean;
    if (values & Phones)
        out << kHome << kCell;
    if (values & Mails)
        out << kMail;
    if (values & PersonNote)
        out << kPersonNote;
    if (values & OfferingNote)
        out << kOfferingNote;
    if (values & Expense)
        out << kExpenseName << kExpenseNote;
    return out;
}

// A value continued on the next page is read across that page's header, footer and headings: the lines
// that more than one page shows, the page numbers and the repeated group headers are left out.
QString WithoutPageFurniture(const QString& text) {
    const QStringList pages = text.split(u'\f');
    QMap<QString, int> pagesShowing;
    for (const QString& page : pages) {
        QStringList lines = page.split(u'\n');
        lines.removeDuplicates();
        for (const QString& line : lines)
            ++pagesShowing[line];
    }
    static const QRegularExpression furniture(
        QStringLiteral("(Page \\d+ of \\d+$)|(\\d+ / \\d+ 쪽$)|(\\(continued\\)$)|(\\(계속\\)$)"));
    QStringList kept;
    for (const QString& page : pages)
        for (const QString& line : page.split(u'\n'))
            if (pagesShowing.value(line) < 2 && !line.contains(furniture))
                kept << line;
    return kept.join(u'\n');
}

class LongValuesTest : public test::ReportPrinterTest {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ReportPrinterTest::SetUp();
        m_long = db->UpdatePerson(Record({{"ID", 0},
                                          {"Title", kTitle},
                                          {"FirstName", kFirst},
                                          {"MiddleName", kMiddle},
                                          {"LastName", kLast},
                                          {"Suffix", kSuffix},
                                          {"DOB", platform::MakeDateTime(1950, 5, 5)},
                                          {"IsMember", true},
                                          {"Note", kPersonNote}}));
        m_korean = db->UpdatePerson(Record(
            {{"ID", 0}, {"LanguageName", kKorean}, {"DOB", platform::MakeDateTime(1960, 5, 6)}, {"IsMember", true}}));
        for (const auto& [person, mail] : {std::pair{m_long, kMail}, std::pair{m_korean, kKoreanMail}}) {
            raw->Execute("UPDATE PersonAddress SET Name='Home', AddressPart1='653 Alfreda Meadow Apartment 12B', "
                         "AddressPart2='Building C', AddressPart3='North Serena', AddressPart4='DE', "
                         "AddressPart5='82847' WHERE PersonID=? AND IsHomeAddress=1",
                         {person});
            raw->Execute("UPDATE PersonEMailAddress SET Name='Personal', EMailAddress=? WHERE PersonID=? AND "
                         "IsPersonalEMailAddress=1",
                         {mail, person});
        }
        raw->Execute("UPDATE PersonPhoneNumber SET Name='Home', PhoneNumber=? WHERE PersonID=? AND IsHomePhoneNumber=1",
                     {kHome, m_long});
        raw->Execute("UPDATE PersonPhoneNumber SET Name='Cell', PhoneNumber=? WHERE PersonID=? AND IsCellPhoneNumber=1",
                     {kCell, m_long});
        m_family = db->UpdateFamily(Record({{"ID", 0}, {"Name", kLast}}));
        m_group = db->UpdateGroup(Record({{"ID", 0}, {"Name", "Choir of the fifth office"}, {"GroupTypeID", 2}}));
        for (const int32_t person : {m_long, m_korean}) {
            db->UpdatePersonToFamily(Record({{"ID", 0},
                                             {"PersonID", person},
                                             {"FamilyID", m_family},
                                             {"IsHeadOfFamily", person == m_long},
                                             {"Relationship", person == m_long ? "Self" : "Spouse"}}));
            db->UpdatePersonToGroup(Record({{"ID", 0},
                                            {"PersonID", person},
                                            {"GroupID", m_group},
                                            {"IsHeadOfGroup", person == m_long},
                                            {"Position", "Member"}}));
            raw->Execute("INSERT INTO PersonOffering (PersonID, OfferingDate, OfferingTypeID, Amount, Note) VALUES "
                         "(?, '2024-03-01 00:00:00', 1, 1230000, ?)",
                         {person, person == m_long ? kOfferingNote : QString()});
        }
        raw->Execute("INSERT INTO Expense (ExpenseName, ExpenseDate, ExpenseTypeID, Amount, Note) VALUES "
                     "(?, '2024-03-02 00:00:00', 1, 4560000, ?)",
                     {kExpenseName, kExpenseNote});
    }
    void TearDown() override {
        ReportPrinterTest::TearDown();
        QLocale::setDefault(QLocale::c());
    }

    platform::DictionaryPtr Dict(const Case& c) const {
        const QString name = QString::fromLatin1(c.Report);
        if (c.Range)
            return Record({{"DateStart", kStart}, {"DateEnd", kEnd}});
        if (name == QLatin1String("Monthly Birthday List"))
            return Record({{"Month", 5}});
        if (name.endsWith(QLatin1String("Details")))
            return Record({{"ID", name.startsWith(QLatin1String("Member"))   ? m_long
                                  : name.startsWith(QLatin1String("Family")) ? m_family
                                                                             : m_group}});
        return Record({});
    }

    // The report exported as a file of the type; its text as a reader copies it.
    QString ExportedText(const Case& c, EnumReportExportType type) {
        const bool rtf = type == EnumReportExportType::RichTextFormatFile;
        const QString file = m_dir.FilePath(QStringLiteral("report") + (rtf ? ".rtf" : ".pdf"));
        QFile::remove(file);
        EXPECT_EQ(PrintWith(QString::fromLatin1(c.Report), Dict(c), true, file, type), EnumReportError::Success);
        if (!rtf)
            return WithoutPageFurniture(
                test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")}));
        return test::RtfText(file);
    }

    int32_t m_long = 0, m_korean = 0, m_family = 0, m_group = 0;
};

TEST_F(LongValuesTest, EveryReportPrintsEveryNamePhoneAddressAndNoteWholeInBothLanguagesAndFormats) {
    static const QRegularExpression ligature(QStringLiteral("[\\x{FB00}-\\x{FB06}]"));
    // Names in the interface's language: the Korean-only person in English and the English-only person in
    // Korean are shown by the other name.
    for (const auto locale : {amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean}) {
        const char* lcid = locale == amb::EnumSupportedLocaleID::English ? "1033" : "1042";
        InstallDefinitions(QString::fromLatin1(lcid));
        m_hub->SetGUILocaleID(locale);
        m_hub->SetNameLocaleID(locale);
        for (const Case& c : kCases) {
            for (const EnumReportExportType type :
                 {EnumReportExportType::PortableDocFormatFile, EnumReportExportType::RichTextFormatFile}) {
                SCOPED_TRACE(std::string(c.Report) + " " + lcid +
                             (type == EnumReportExportType::RichTextFormatFile ? " RTF" : " PDF"));
                const QString text = ExportedText(c, type);
                const QString squeezed = Squeezed(text);
                for (const QString& value : Expected(c.Values))
                    EXPECT_TRUE(squeezed.contains(Squeezed(value))) << value.left(80).toStdString();
                EXPECT_FALSE(text.contains(QChar(0x2026))) << "an elided value";
                EXPECT_FALSE(text.contains(ligature)) << "a ligature";
            }
        }
    }
    EXPECT_TRUE(m_log->logLines.isEmpty()) << m_log->logLines.join('\n').toStdString();
}

// A note of a megabyte (the windows stop at 65,535 characters; a database can hold more) prints whole
// over as many pages as it needs.
TEST_F(LongValuesTest, AMembersNoteOfAMegabytePrintsWholeInTheDetails) {
    QString note;
    for (int i = 1; note.size() < (1 << 20); ++i)
        note += QStringLiteral("Pastoral note %1: office staff filed the fifty-first affidavit. ").arg(i);
    note.truncate(1 << 20);
    raw->Execute("UPDATE Person SET Note=? WHERE ID=?", {note, m_long});
    const Case& details = *std::find_if(std::begin(kCases), std::end(kCases), [](const Case& c) {
        return QLatin1String(c.Report) == QLatin1String("Member Details");
    });
    const QString text = ExportedText(details, EnumReportExportType::PortableDocFormatFile);
    EXPECT_TRUE(Squeezed(text).contains(Squeezed(note)));
    EXPECT_TRUE(Squeezed(text).contains(Squeezed(kMail))) << "the sub-reports follow the note";
    EXPECT_TRUE(m_log->logLines.isEmpty()) << m_log->logLines.join('\n').toStdString();
}

// A definition whose cell does not wrap: the value ends with "…" and the log names the person and field.
TEST_F(LongValuesTest, AValueACellCannotHoldEndsWithAMarkAndTheLogNamesThePersonAndField) {
    QFile file(Definition(QStringLiteral("Member Details.rpt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject def = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QJsonObject header = def[QStringLiteral("reportHeader")].toObject();
    QJsonArray lines = header[QStringLiteral("lines")].toArray();
    QJsonObject first = lines[0].toObject();
    QJsonArray cells = first[QStringLiteral("cells")].toArray();
    QJsonObject cell = cells[0].toObject();
    ASSERT_EQ(cell[QStringLiteral("field")].toString(), QStringLiteral("FullName"));
    cell[QStringLiteral("wrap")] = false;
    cell[QStringLiteral("width")] = 200;
    cells[0] = cell;
    first[QStringLiteral("cells")] = cells;
    lines[0] = first;
    header[QStringLiteral("lines")] = lines;
    def[QStringLiteral("reportHeader")] = header;
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(def).toJson());
    file.close();

    const Case& details = *std::find_if(std::begin(kCases), std::end(kCases), [](const Case& c) {
        return QLatin1String(c.Report) == QLatin1String("Member Details");
    });
    EXPECT_TRUE(ExportedText(details, EnumReportExportType::PortableDocFormatFile).contains(QChar(0x2026)));
    ASSERT_EQ(m_log->logLines.size(), 1) << m_log->logLines.join('\n').toStdString();
    EXPECT_TRUE(m_log->logLines[0].startsWith(QStringLiteral("!!! ["))) << m_log->logLines[0].toStdString();
    EXPECT_TRUE(m_log->logLines[0].contains(QStringLiteral("FullName of ") + kListName))
        << m_log->logLines[0].toStdString();
}

// A column's caption breaks only between its words: no column is narrower than a word of its caption
// ("Relationsh" / "ip").
TEST(ReportDefinitionsTest, EveryColumnHoldsEachWordOfItsCaption) {
    using namespace platform::reportengine;
    TextMeasure measure;
    int columns = 0;
    for (const char* lcid : {"1033", "1042"}) {
        const QDir folder(test::BuiltShareDir() + QLatin1Char('/') + QLatin1String(lcid) + QStringLiteral("/Report"));
        for (const QString& file : folder.entryList({QStringLiteral("*.rpt")}, QDir::Files)) {
            const Definition def = ReadDefinition(folder.filePath(file));
            std::vector<const Detail*> details{&def.RowDetail};
            for (const Subreport& sub : def.Subreports)
                details.push_back(&sub.RowDetail);
            for (const Detail* detail : details)
                for (const Column& column : detail->Columns) {
                    if (column.Caption.Kind != ContentKind::Text)
                        continue;
                    ++columns;
                    for (const QString& word : column.Caption.Text.split(u' ', Qt::SkipEmptyParts))
                        EXPECT_LE(measure.Width(word, def.Fonts.at(detail->HeadingFont)), column.Width - 3)
                            << lcid << " " << file.toStdString() << ": " << word.toStdString();
                }
        }
    }
    EXPECT_GT(columns, 100);
}

// The details reports share their width so that an e-mail address of forty characters takes two lines at
// most and a phone number one, in every table that shows them.
TEST(ReportDefinitionsTest, TheDetailsReportsGiveAFortyCharacterEMailTwoLinesAndAPhoneOne) {
    using namespace platform::reportengine;
    const QStringList mails{"jennifer.mcdonald-wright@springfield.org", "maximiliano.bartholomew@officemail12.org",
                            "kim.suhanmu.geobugi.durum@samcheon.co.kr"};
    TextMeasure measure;
    int columns = 0;
    for (const char* lcid : {"1033", "1042"})
        for (const char* report : {"Member Details", "Family Details", "Group Details"}) {
            const Definition def = ReadDefinition(test::BuiltShareDir() + u'/' + QLatin1String(lcid) +
                                                  QStringLiteral("/Report/") + QLatin1String(report) + ".rpt");
            std::vector<const Detail*> details{&def.RowDetail};
            for (const Subreport& sub : def.Subreports)
                details.push_back(&sub.RowDetail);
            for (const Detail* detail : details)
                for (const Column& column : detail->Columns) {
                    const FontSpec& font = def.Fonts.at(detail->Font);
                    const double inner = column.Width - 3;
                    SCOPED_TRACE(std::string(lcid) + " " + report + " " + column.Value.Field.toStdString());
                    if (column.Value.Field == QLatin1String("EMailAddress")) {
                        ++columns;
                        for (const QString& mail : mails) {
                            ASSERT_EQ(mail.size(), 40);
                            EXPECT_LE(measure.Lines(mail, font, inner, true).size(), 2) << mail.toStdString();
                        }
                    }
                    if (column.Value.Field.endsWith(QLatin1String("PhoneNumber"))) {
                        ++columns;
                        EXPECT_EQ(measure.Lines(QStringLiteral("(201) 894-5156"), font, inner, true).size(), 1);
                    }
                }
        }
    EXPECT_EQ(columns, 2 * (2 + 3 * 2));
}

// The label text of the PDF, line by line as pdftotext reads it, and the height of its smallest word.
struct LabelSheet {
    QStringList Lines;
    double SmallestWord = 1000;
};

class LabelsTest : public LongValuesTest {
protected:
    LabelSheet PrintLabels() {
        const QString pdf = m_dir.FilePath(QStringLiteral("labels.pdf"));
        const QString html = m_dir.FilePath(QStringLiteral("labels.html"));
        EXPECT_EQ(PrintWith(QStringLiteral("Member Mailing Label - Avery 5160"), Record({{"AddressName", "Home"}}),
                            true, pdf),
                  EnumReportError::Success);
        LabelSheet sheet;
        sheet.Lines = test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")})
                          .split(u'\n', Qt::SkipEmptyParts);
        test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
        QFile file(html);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        static const QRegularExpression word(QStringLiteral(R"re(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)")re"));
        for (auto it = word.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
            const auto m = it.next();
            sheet.SmallestWord = std::min(sheet.SmallestWord, m.captured(2).toDouble() - m.captured(1).toDouble());
        }
        return sheet;
    }
};

TEST_F(LabelsTest, AUSAddressUnderTheKoreanInterfacePrintsTheStreetFirstAndTheCityLineLast) {
    InstallDefinitions(QStringLiteral("1042"));
    m_hub->SetGUILocaleID(amb::EnumSupportedLocaleID::Korean);
    m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::USFormat);
    const LabelSheet sheet = PrintLabels();
    // The Korean-only person's label: the name, the street lines, then city, state and zip code.
    const qsizetype name = sheet.Lines.indexOf(kKorean);
    ASSERT_GE(name, 0) << sheet.Lines.join(u'|').toStdString();
    EXPECT_EQ(sheet.Lines.mid(name, 4),
              (QStringList{kKorean, "653 Alfreda Meadow Apartment 12B", "Building C", "North Serena, DE 82847"}));
    // The long name is whole, title and all, and no word is smaller than 6 points.
    EXPECT_TRUE(Squeezed(sheet.Lines.join(QString())).contains(Squeezed(kFullName + "653AlfredaMeadow")))
        << sheet.Lines.join(u'|').toStdString();
    EXPECT_GE(sheet.SmallestWord, 6 - 0.05);
}

// The Korean free format prints a Korean address as stored, one part a line: a label that the stock's
// type cannot hold is printed smaller and keeps its last line, the postal code, uncut and uncounted.
TEST_F(LabelsTest, AKoreanFreeFormatAddressTooLongForTheTypeKeepsItsPostalCode) {
    InstallDefinitions(QStringLiteral("1042"));
    m_hub->SetGUILocaleID(amb::EnumSupportedLocaleID::Korean);
    m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    raw->Execute("UPDATE PersonAddress SET AddressPart1=?, AddressPart2=?, AddressPart3=?, AddressPart4=?, "
                 "AddressPart5='06236' WHERE PersonID=? AND IsHomeAddress=1",
                 {QStringLiteral("서울특별시 강남구 테헤란로 152 강남파이낸스센터 21층 2103호 한빛교회 사무실"),
                  QStringLiteral("역삼동 737번지, 지하철 2호선 역삼역 3번 출구에서 선릉역 쪽으로 200미터, 우체국 건너편"),
                  QStringLiteral("강남구"),
                  QStringLiteral("서울특별시"), m_korean});
    const LabelSheet sheet = PrintLabels();
    const qsizetype name = sheet.Lines.indexOf(kKorean);
    ASSERT_GE(name, 0) << sheet.Lines.join(u'|').toStdString();
    const QStringList label = sheet.Lines.mid(name);
    EXPECT_TRUE(label.contains(QStringLiteral("06236"))) << label.join(u'|').toStdString();
    EXPECT_FALSE(sheet.Lines.join(QString()).contains(QChar(0x2026)));
    EXPECT_LT(sheet.SmallestWord, 7);
    EXPECT_GE(sheet.SmallestWord, 6 - 0.05);
    EXPECT_EQ(m_printer->CutLabelCount(), 0);
    EXPECT_TRUE(m_log->logLines.isEmpty());
}

TEST_F(LabelsTest, TheUnknownFormatPrintsTheAddressLinesAsStoredAndOnlyAnOverlongNameIsCutAndLogged) {
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    LabelSheet sheet = PrintLabels();
    const qsizetype street = sheet.Lines.indexOf(QStringLiteral("653 Alfreda Meadow Apartment 12B"));
    ASSERT_GE(street, 0) << sheet.Lines.join(u'|').toStdString();
    EXPECT_EQ(sheet.Lines.mid(street, 5),
              (QStringList{"653 Alfreda Meadow Apartment 12B", "Building C", "North Serena", "DE", "82847"}));
    EXPECT_TRUE(Squeezed(sheet.Lines.join(QString())).contains(Squeezed(kFullName)));
    EXPECT_GE(sheet.SmallestWord, 6 - 0.05);
    EXPECT_FALSE(sheet.Lines.join(QString()).contains(QChar(0x2026)));
    EXPECT_TRUE(m_log->logLines.isEmpty());

    // A name no label can hold: the label ends with "…" at 6 points, the log names the person, and the
    // printer counts it for the window to tell.
    raw->Execute("UPDATE Person SET MiddleName=? WHERE ID=?", {QStringLiteral("Bartholomew ").repeated(30), m_long});
    sheet = PrintLabels();
    EXPECT_TRUE(sheet.Lines.join(QString()).contains(QChar(0x2026)));
    EXPECT_GE(sheet.SmallestWord, 6 - 0.05);
    EXPECT_EQ(m_printer->CutLabelCount(), 1);
    ASSERT_EQ(m_log->logLines.size(), 1);
    EXPECT_TRUE(m_log->logLines[0].startsWith(QStringLiteral("!!! ["))) << m_log->logLines[0].toStdString();
    EXPECT_TRUE(m_log->logLines[0].contains(kFirst + QStringLiteral(" Bartholomew")));
}

} // namespace
