#include "tests/support/MoneyData.h"
#include "tests/support/PersonData.h"
#include "tests/support/ReportPrinterTest.h"

#include <QLocale>
#include <QRegularExpression>

#include <map>

namespace {

using amb::EnumReportError;
using test::Record;

// A word of `pdftotext -bbox`, in points from the top left corner of its page.
struct Word {
    int Page = 0;
    QRectF Box;
    QString Text;
};

std::vector<Word> Words(const QString& pdf, const QString& html) {
    test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
    QFile file(html);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression word(QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                        "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<Word> words;
    int page = -1;
    for (auto m = word.globalMatch(text); m.hasNext();) {
        const auto match = m.next();
        if (match.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        words.push_back({page,
                         QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                                QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())),
                         match.captured(5)
                             .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
                             .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                             .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                             .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                             .replace(QStringLiteral("&amp;"), QStringLiteral("&"))});
    }
    return words;
}

// Avery 5160 and 5260: 3 by 10 labels of 189 by 72 pt, the first at (13.5, 36), 198 pt apart across.
QRectF LabelRect(int index) {
    const int column = index % 3, row = (index / 3) % 10;
    return QRectF(13.5 + column * 198.0, 36.0 + row * 72.0, 189.0, 72.0);
}

class LabelsAndTotalsTest : public test::ReportPrinterTest {};

TEST_F(LabelsAndTotalsTest, LabelsLieOnTheRealStockAtFullSize) {
    test::FillDatabase(m_path, 61);
    // The first listed person has a very long Korean address; one person has no address row at all.
    const QString longAddress = QStringLiteral("서울특별시 강남구 테헤란로 ").repeated(9).left(120);
    ASSERT_EQ(longAddress.size(), 120);
    raw->Execute("UPDATE Person SET LanguageName=NULL, LastName='Aaron' WHERE ID=7");
    raw->Execute("UPDATE PersonAddress SET AddressPart1=?, AddressPart2='Apt 7' WHERE PersonID=7", {longAddress});
    for (const char* lcid : {"1033", "1042"}) {
        SCOPED_TRACE(lcid);
        InstallDefinitions(QString::fromLatin1(lcid));
        // A Korean installation keeps Korean names: labels print the name of the name locale.
        m_hub->SetNameLocaleID(QLatin1String(lcid) == QLatin1String("1042") ? amb::EnumSupportedLocaleID::Korean
                                                                            : amb::EnumSupportedLocaleID::English);
        const platform::RecordsetPtr rows = db->GetReportMemberMailingLabel(0, 0, 0, 0, 0, 0, "", "", "", "Home");
        ASSERT_EQ(rows->RecordCount(), 61);
        m_service->AcceptDialog(1);
        ASSERT_EQ(PrintWith(QStringLiteral("Member Mailing Label - Avery 5160"), Record({{"AddressName", "Home"}})),
                  EnumReportError::Success);
        const auto& job = m_service->jobs.back();
        EXPECT_EQ(job.Paper, QPageSize::Letter);
        EXPECT_EQ(job.Orientation, QPageLayout::Portrait);
        EXPECT_EQ(job.PageSize, QSizeF(612, 792));
        EXPECT_TRUE(job.Settings.Prompted);
        EXPECT_EQ(test::PdfInfo(job.PdfPath, QStringLiteral("Pages")), QStringLiteral("3"));
        EXPECT_TRUE(test::PdfInfo(job.PdfPath, QStringLiteral("Page size")).startsWith(QStringLiteral("612 x 792")));

        // Every word inside the label it falls in, and label k holds row k.
        std::map<int, QString> labelText;
        for (const Word& word : Words(job.PdfPath, m_dir.FilePath(QStringLiteral("bbox.html")))) {
            const QPointF centre = word.Box.center();
            const int column = int((centre.x() - 13.5) / 198.0), row = int((centre.y() - 36.0) / 72.0);
            const int index = word.Page * 30 + row * 3 + column;
            const QRectF label = LabelRect(index).adjusted(-0.5, -0.5, 0.5, 0.5);
            EXPECT_TRUE(label.contains(word.Box)) << word.Text.toStdString() << " of label " << index;
            labelText[index] += word.Text + QLatin1Char(' ');
        }
        ASSERT_EQ(labelText.size(), 61u);
        for (int k = 0; k < 61; ++k) {
            const auto field = [&](const char* name) {
                return rows->Value(k, rows->FieldIndex(QLatin1String(name))).ToString();
            };
            const QString street = field("AddressPart1");
            const QString korean = field("LanguageName");
            const QString name =
                QLatin1String(lcid) == QLatin1String("1042") && !korean.isEmpty() ? korean : field("LastName");
            if (street != longAddress)
                EXPECT_TRUE(labelText[k].contains(street)) << k << " " << labelText[k].toStdString();
            else
                EXPECT_TRUE(labelText[k].contains(QStringLiteral("Apt 7"))) << labelText[k].toStdString();
            EXPECT_TRUE(labelText[k].contains(name)) << k << " " << labelText[k].toStdString();
        }
    }
    // Copies are the dialog's; the paper stays the report's.
    m_service->AcceptDialog(2);
    ASSERT_EQ(PrintWith(QStringLiteral("Family Mailing Label - Avery 5260"), Record({})), EnumReportError::Success);
    EXPECT_EQ(m_service->jobs.back().Settings.Copies, 2);
    EXPECT_EQ(m_service->jobs.back().Paper, QPageSize::Letter);
    // A person without an address keeps the name on its label.
    raw->Execute("DELETE FROM PersonAddress WHERE PersonID=7");
    ASSERT_EQ(PrintWith(QStringLiteral("Member Mailing Label - Avery 5160"), Record({})), EnumReportError::Success);
    const std::vector<Word> words = Words(m_service->jobs.back().PdfPath, m_dir.FilePath(QStringLiteral("b2.html")));
    const auto aaron = std::find_if(words.begin(), words.end(), [](const Word& w) { return w.Text == "Aaron"; });
    ASSERT_NE(aaron, words.end());
    EXPECT_TRUE(LabelRect(0).contains(aaron->Box)) << "the first label, its name on the first line";
    EXPECT_LT(aaron->Box.top(), 36.0 + 20.0);
}

// The exact amounts a text shows, "1,234.50" for 12345000 ticks.
QString Amount(int64_t ticks) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(qlonglong(ticks / 10000)) +
           QStringLiteral(".%1").arg(qlonglong(ticks % 10000 / 100), 2, 10, QLatin1Char('0'));
}

TEST_F(LabelsAndTotalsTest, TheBalanceSheetOfAHundredThousandOfferingsIsExact) {
    test::FillDatabase(m_path, 100);
    test::FillMoney(m_path, 2023, 100000, 500, 100);
    // Two equal expenses of one day both count.
    raw->Execute("INSERT INTO Expense (ExpenseName, ExpenseDate, ExpenseTypeID, Amount) VALUES "
                 "('Candles', '2023-06-01 00:00:00', 5, 123400), ('Candles', '2023-06-01 00:00:00', 5, 123400)");
    const auto sum = [&](const char* sql) {
        return int64_t(raw->Query(QString::fromLatin1(sql))->Field(0).ToDouble());
    };
    const int64_t offerings = sum("SELECT SUM(Amount) FROM PersonOffering");
    const int64_t expenses = sum("SELECT SUM(Amount) FROM Expense");
    ASSERT_EQ(Count("SELECT COUNT(*) FROM PersonOffering"), 100000);
    const QString pdf = m_dir.FilePath(QStringLiteral("balance.pdf"));
    ASSERT_EQ(PrintWith(QStringLiteral("Balance Sheet"),
                        Record({{"DateStart", platform::MakeDateTime(2023, 1, 1)},
                                {"DateEnd", platform::MakeDateTime(2023, 12, 31)}}),
                        true, pdf),
              EnumReportError::Success);
    const int pages = test::PdfInfo(pdf, QStringLiteral("Pages")).toInt();
    const QString last = test::PdfText(pdf, pages, pages);
    EXPECT_TRUE(
        last.contains(QRegularExpression(QStringLiteral("Total\\s+") + QRegularExpression::escape(Amount(expenses)) +
                                         QStringLiteral("\\s+") + QRegularExpression::escape(Amount(offerings)))))
        << Amount(expenses).toStdString() << " " << Amount(offerings).toStdString() << "\n"
        << last.toStdString();
    EXPECT_TRUE(last.contains(QRegularExpression(QStringLiteral("Balance \\(offerings less expenses\\)\\s+") +
                                                 QRegularExpression::escape(Amount(offerings - expenses)))));
    EXPECT_EQ(
        test::PdfText(pdf).count(QRegularExpression(QStringLiteral("6/1/2023\\s+Supplies\\s+Candles\\s+12\\.34"))), 2);
}

// Over a hundred persons born in March fill several pages of the birthday list: every page is headed by
// the month, the later ones marked as continued, never by a person's name.
TEST_F(LabelsAndTotalsTest, TheBirthdayListIsHeadedByTheMonthOnEveryPageInBothLanguages) {
    test::FillDatabase(m_path, 150);
    raw->Execute("UPDATE Person SET DOB = printf('19%02d-03-%02d 00:00:00', 10 + ID % 90, 1 + ID % 28)");
    struct Language {
        const char* Lcid;
        QLocale Locale;
        amb::EnumSupportedLocaleID Interface;
        const char* Continued;
    };
    for (const Language& language : {Language{"1033", QLocale(QLocale::English, QLocale::UnitedStates),
                                              amb::EnumSupportedLocaleID::English, "(continued)"},
                                     Language{"1042", QLocale(QLocale::Korean, QLocale::SouthKorea),
                                              amb::EnumSupportedLocaleID::Korean, "(계속)"}}) {
        SCOPED_TRACE(language.Lcid);
        QLocale::setDefault(language.Locale);
        m_hub->SetGUILocaleID(language.Interface);
        m_hub->SetStringTable(test::LoadStringTable(language.Interface));
        InstallDefinitions(QString::fromLatin1(language.Lcid));
        const QString pdf = m_dir.FilePath(QStringLiteral("birthdays.pdf"));
        ASSERT_EQ(PrintWith(QStringLiteral("Monthly Birthday List"), Record({{"Month", 3}}), true, pdf),
                  EnumReportError::Success);
        const QString month = language.Locale.standaloneMonthName(3);
        const int pages = test::PdfInfo(pdf, QStringLiteral("Pages")).toInt();
        ASSERT_GE(pages, 3);
        for (int page = 1; page <= pages; ++page) {
            const QStringList lines = test::PdfText(pdf, page, page).split(u'\n');
            const QString header = page == 1 ? month : month + u' ' + QString::fromUtf8(language.Continued);
            EXPECT_TRUE(lines.contains(header)) << "page " << page << ":\n" << lines.join(u'\n').toStdString();
            EXPECT_EQ(lines.filter(QString::fromUtf8(language.Continued)).size(), page == 1 ? 0 : 1) << page;
        }
        // The RTF carries the group header once, above the first person.
        const QString rtf = m_dir.FilePath(QStringLiteral("birthdays.rtf"));
        ASSERT_EQ(PrintWith(QStringLiteral("Monthly Birthday List"), Record({{"Month", 3}}), true, rtf,
                            amb::EnumReportExportType::RichTextFormatFile),
                  EnumReportError::Success);
        QStringList lines = test::RtfText(rtf).split(u'\n');
        for (QString& line : lines)
            line = line.trimmed();
        EXPECT_EQ(lines.count(month), 1) << lines.join(u'\n').toStdString();
    }
    QLocale::setDefault(QLocale::c());
}

} // namespace
