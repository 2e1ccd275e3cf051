#include "platform/com/Error.h"
#include "platform/reportengine/Layout.h"
#include "platform/reportengine/Render.h"
#include "platform/reportengine/Report.h"
#include "platform/reportengine/ReportFile.h"
#include "platform/reportengine/Viewer.h"
#include "tests/platform/reportengine/TableRows.h"
#include "tests/support/PdfPrintService.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace platform::reportengine;
using platform::Currency;
using platform::Variant;

namespace {

// A list in groups with a count and a sum per group and for the report.
const char* const kListDefinition = R"({
  "name": "Offering List",
  "page": {"size": "%SIZE%", "margins": {"top": 36, "bottom": 36, "left": 36, "right": 36}},
  "fonts": {"title": {"size": 14, "bold": true}},
  "parameters": ["CompanyName", "ReportName", "Criteria"],
  "pageHeader": {"lines": [{"cells": [{"x": 0, "width": 300, "font": "title", "parameter": 1}]}]},
  "pageFooter": {"lines": [{"cells": [{"x": 320, "width": 200, "align": "right", "pageNumber": "Page %1 of %2"},
                                      {"x": 0, "width": 200, "printDate": true}]}]},
  "groups": [{"field": "Kind",
              "header": {"lines": [{"spaceBefore": 4, "cells": [{"x": 0, "width": 300, "font": "heading", "field": "Kind"}]}]},
              "footer": {"lines": [{"cells": [{"x": 0, "width": 200, "text": "Total of group"},
                                              {"x": 200, "width": 60, "align": "right", "count": true},
                                              {"x": 300, "width": 100, "align": "right", "sum": "Amount"}]}]}}],
  "detail": {"columns": [
      {"caption": "Given", "width": 80, "value": "Given", "format": "date"},
      {"caption": {"parameter": 3}, "width": 200, "value": {"join": ["LastName", "FirstName"], "separator": ", "}},
      {"caption": "Amount", "width": 100, "align": "right", "value": "Amount", "format": "currency"},
      {"caption": "Paid", "width": 50, "value": "Paid", "format": "yesNo"}]},
  "reportFooter": {"lines": [{"rule": true},
                             {"cells": [{"x": 0, "width": 200, "text": "Grand total"},
                                        {"x": 200, "width": 60, "align": "right", "count": true},
                                        {"x": 300, "width": 100, "align": "right", "sum": "Amount"}]}]}
})";

std::shared_ptr<test::TableRows> Offerings(int count, const Currency& amount,
                                           const QString& kindA = QStringLiteral("Alms"),
                                           const QString& kindB = QStringLiteral("Tithe")) {
    auto rows =
        std::make_shared<test::TableRows>(QStringList{"Kind", "Given", "LastName", "FirstName", "Amount", "Paid"});
    for (int i = 0; i < count; ++i)
        rows->Add({i < count / 2 ? kindA : kindB, Variant(platform::MakeDateTime(2026, 3, 1 + i % 28)),
                   QStringLiteral("Name%1").arg(i), i % 3 ? QStringLiteral("Ann") : QString(), amount, i % 2 == 0});
    return rows;
}

class ReportEngineTest : public ::testing::Test {
protected:
    ReportPtr Open(const QString& json, const QString& name = QStringLiteral("List.rpt")) {
        const QString path = m_temp.FilePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(json.toUtf8());
        file.close();
        ReportPtr report = Application().OpenReport(path);
        report->SetPrintDate(QDate(2026, 12, 9));
        return report;
    }
    ReportPtr OpenList(const QString& size = QStringLiteral("Letter")) {
        auto report = Open(QString::fromUtf8(kListDefinition).replace(QStringLiteral("%SIZE%"), size));
        for (int i = 1; i <= 3; ++i)
            report->ParameterFields(i).AddCurrentValue(QStringList{"Grace Church", "Offering List", "Giver"}[i - 1]);
        return report;
    }
    QString ExportPdf(const ReportPtr& report, const QString& name) {
        ExportOptions& o = report->GetExportOptions();
        o.Reset();
        o.DestinationType = 1;
        o.FormatType = 31;
        o.DiskFileName = m_temp.FilePath(name);
        report->Export(false);
        return o.DiskFileName;
    }
    test::TempDir m_temp;
};

TEST_F(ReportEngineTest, TenThousandDimesTotalExactlyOneThousandWithHeadingsOnEveryPage) {
    ReportPtr report = OpenList();
    report->Tables(1).SetDataSource(Offerings(10000, Currency::FromTicks(1000)));
    const QString pdf = ExportPdf(report, QStringLiteral("list.pdf"));

    const int pages = test::PdfInfo(pdf, QStringLiteral("Pages")).toInt();
    ASSERT_GT(pages, 100);
    EXPECT_TRUE(test::PdfInfo(pdf, QStringLiteral("Page size")).startsWith(QStringLiteral("612 x 792")));
    EXPECT_EQ(test::PdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Offering List"));
    const QString last = test::PdfText(pdf, pages, pages);
    EXPECT_TRUE(last.contains(QStringLiteral("Page %1 of %1").arg(pages))) << last.toStdString();
    EXPECT_TRUE(last.contains(QRegularExpression(QStringLiteral("Grand total\\s+10000\\s+1000.00"))));
    const QString all = test::PdfText(pdf);
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("Total of group\\s+5000\\s+500.00"))));
    EXPECT_EQ(all.count(QStringLiteral("Grace Church")), pages) << "the page header repeats";
    EXPECT_EQ(all.count(QRegularExpression(QStringLiteral("Given\\s+Giver\\s+Amount\\s+Paid"))), pages);
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("3/1/2026\\s+Name0\\s+0.10\\s+Yes"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("Name1, Ann\\s+0.10\\s+No"))));
    EXPECT_TRUE(all.contains(QStringLiteral("12/9/2026")));

    // Every font is embedded.
    const QStringList fonts = test::RunTool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n')).mid(2);
    static const QRegularExpression embedded(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    for (const QString& line : fonts) {
        if (!line.trimmed().isEmpty()) {
            EXPECT_TRUE(line.contains(embedded)) << line.toStdString();
        }
    }
}

TEST_F(ReportEngineTest, NegativeAmountsSumExactlyAndA4PaperIsKept) {
    ReportPtr report = OpenList(QStringLiteral("A4"));
    auto rows =
        std::make_shared<test::TableRows>(QStringList{"Kind", "Given", "LastName", "FirstName", "Amount", "Paid"});
    for (const char* amount : {"-0.10", "1234567.89", "-0.20", "0.30", "-1234567.89"})
        rows->Add({QStringLiteral("Alms"), Variant::Null(), QStringLiteral("O'Neil"), QString(),
                   *Currency::Parse(QString::fromLatin1(amount)), true});
    report->Tables(1).SetDataSource(rows);
    // The program hands its own amount form; sums print through it too.
    report->SetAmountFormat(
        [](const Currency& amount) -> QString { return QLatin1Char('[') + amount.ToString(2) + QLatin1Char(']'); });
    // A printer selection resets the paper; the caller sets the definition's back.
    report->SelectPrinter(QStringLiteral("CUPS"), QStringLiteral("Office"), QString());
    report->SetPaperSize(report->GetDefinition().PageSize);
    const QString pdf = ExportPdf(report, QStringLiteral("neg.pdf"));
    EXPECT_TRUE(test::PdfInfo(pdf, QStringLiteral("Page size")).contains(QStringLiteral("(A4)")));
    const QString text = test::PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("[1234567.89]")));
    EXPECT_TRUE(text.contains(QStringLiteral("[-1234567.89]")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Grand total\\s+5\\s+\\[0.00\\]"))));
}

TEST_F(ReportEngineTest, GroupHeaderNeverEndsAPageAndRowsAreNotSplit) {
    ReportPtr report = OpenList();
    auto rows =
        std::make_shared<test::TableRows>(QStringList{"Kind", "Given", "LastName", "FirstName", "Amount", "Paid"});
    const QString longName = QStringLiteral("A very long family name that wraps ").repeated(4);
    for (int i = 0; i < 400; ++i)
        rows->Add({QStringLiteral("Kind %1").arg(i / 7, 3, 10, QLatin1Char('0')), Variant::Null(),
                   i % 5 ? QStringLiteral("Short") : longName, QString(), Currency::FromUnits(1), false});
    report->Tables(1).SetDataSource(rows);
    const Document doc = report->LayOut();
    ASSERT_GT(doc.Pages.size(), 3u);
    const double bottom = doc.PageSize.height() - 36;
    for (const Page& page : doc.Pages) {
        // The last run above the footer is a row's, not a group header's (bold 9 pt "Kind nnn").
        const TextRun* lastBody = nullptr;
        for (const TextRun& run : page.Runs) {
            EXPECT_LE(run.Rect.bottom(), bottom + 0.01);
            EXPECT_GE(run.Rect.top(), 36 - 0.01);
            if (!run.Text.startsWith(QStringLiteral("Page ")) && run.Text != QStringLiteral("12/9/2026") &&
                (!lastBody || run.Rect.top() >= lastBody->Rect.top()))
                lastBody = &run;
        }
        ASSERT_NE(lastBody, nullptr);
        EXPECT_FALSE(lastBody->Font.Bold && lastBody->Text.startsWith(QStringLiteral("Kind ")));
    }
    // A wrapped name keeps all its lines on one page.
    for (const Page& page : doc.Pages) {
        int parts = 0;
        for (const TextRun& run : page.Runs)
            parts += run.Text.contains(QStringLiteral("wraps")) ? 1 : 0;
        EXPECT_EQ(parts % 4, 0) << "a wrapped cell was split";
    }
}

// A value copied out of the PDF is the value typed: no ligature glyphs, and a value wrapped in its cell
// breaks at a space or a mark and loses nothing.
TEST_F(ReportEngineTest, ValuesWrapWholeAndCopyAsTyped) {
    ReportPtr report = OpenList();
    auto rows =
        std::make_shared<test::TableRows>(QStringList{"Kind", "Given", "LastName", "FirstName", "Amount", "Paid"});
    const QString mail = QStringLiteral("Shannon.Rutherford-Barrows.office@firstfloor-affairs.example.com");
    rows->Add(
        {QStringLiteral("Gift offering"), Variant::Null(), mail, QStringLiteral("Sofia Fiffi"), Currency(), true});
    report->Tables(1).SetDataSource(rows);
    const Document doc = report->LayOut();
    QStringList giver;
    for (const TextRun& run : doc.Pages[0].Runs)
        if (run.Rect.left() > 36 + 80 && run.Rect.left() < 36 + 280 && run.Text.size() > 1 &&
            QString(mail + QStringLiteral(", Sofia Fiffi")).contains(run.Text))
            giver << run.Text;
    ASSERT_GT(giver.size(), 1) << "the address wraps";
    for (const QString& line : giver.mid(0, giver.size() - 1))
        EXPECT_TRUE(line.back().isPunct()) << "breaks after a mark: " << line.toStdString();
    EXPECT_EQ(giver.join(QString()), mail + QStringLiteral(", Sofia Fiffi"));

    const QString pdf = ExportPdf(report, QStringLiteral("mail.pdf"));
    const QString raw = test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")})
                            .remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(raw.contains(QString(mail + QStringLiteral(",SofiaFiffi")))) << raw.toStdString();
    EXPECT_TRUE(raw.contains(QStringLiteral("Giftoffering")));
    EXPECT_FALSE(raw.contains(QRegularExpression(QStringLiteral("[\\x{FB00}-\\x{FB06}]"))));
}

TEST_F(ReportEngineTest, KoreanTextComesBackExactly) {
    ReportPtr report = OpenList();
    report->ParameterFields(1).ClearCurrentValueAndRange();
    report->ParameterFields(1).AddCurrentValue(QStringLiteral("은혜교회"));
    report->Tables(1).SetDataSource(
        Offerings(3, Currency::FromUnits(5), QStringLiteral("감사헌금"), QStringLiteral("십일조")));
    const QString text = test::PdfText(ExportPdf(report, QStringLiteral("한글 보고서.pdf")));
    for (const char* word : {"은혜교회", "감사헌금", "십일조"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word).normalized(QString::NormalizationForm_KC))) << word;
    const QString fonts =
        test::RunTool(QStringLiteral("pdffonts"), {m_temp.FilePath(QStringLiteral("한글 보고서.pdf"))});
    EXPECT_TRUE(fonts.contains(QStringLiteral("NanumGothic")));
    EXPECT_TRUE(fonts.contains(QStringLiteral("DejaVuSans")));
}

TEST_F(ReportEngineTest, LabelWordsStayInsideTheirLabels) {
    ReportPtr report = Open(QStringLiteral(R"({"name": "Labels",
      "fonts": {"body": {"size": 10}},
      "labels": {"columns": 3, "rows": 10, "width": 189, "height": 72, "top": 36, "left": 13.5,
                 "columnPitch": 198, "rowPitch": 72, "padding": 6,
                 "lines": [{"field": "Name"}, {"field": "Street"}, {"join": ["City", "State", "Zip"], "separator": " "}]}})"));
    auto rows = std::make_shared<test::TableRows>(QStringList{"Name", "Street", "City", "State", "Zip"});
    for (int i = 0; i < 35; ++i)
        rows->Add({QStringLiteral("Label%1 Person").arg(i),
                   i == 4 ? QStringLiteral("Street%1 ").arg(i) +
                                QStringLiteral("Extraordinarily long street name ").repeated(3)
                          : QStringLiteral("Street%1").arg(i),
                   QStringLiteral("City%1").arg(i), QStringLiteral("NY"), QString()});
    report->Tables(1).SetDataSource(rows);
    const QString pdf = ExportPdf(report, QStringLiteral("labels.pdf"));
    EXPECT_EQ(test::PdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("2"));
    test::RunTool(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), pdf, m_temp.FilePath(QStringLiteral("b.html"))});
    QFile html(m_temp.FilePath(QStringLiteral("b.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString boxes = QString::fromUtf8(html.readAll());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(Label|Street|City)(\d+)</word>)re"));
    int seen = 0;
    int page = 0;
    for (auto m = word.globalMatch(boxes); m.hasNext();) {
        const auto w = m.next();
        const int i = w.captured(6).toInt();
        page = i / 30;
        const int index = i % 30;
        const double left = 13.5 + (index % 3) * 198, top = 36 + (index / 3) * 72;
        EXPECT_GE(w.captured(1).toDouble(), left - 0.5) << i;
        EXPECT_LE(w.captured(3).toDouble(), left + 189 + 0.5) << i;
        EXPECT_GE(w.captured(2).toDouble(), top - 0.5) << i;
        EXPECT_LE(w.captured(4).toDouble(), top + 72 + 0.5) << i;
        ++seen;
    }
    EXPECT_EQ(seen, 35 * 3);
    EXPECT_EQ(page, 1);
    // The long street wraps, at a smaller size but not below 6 points, and is printed whole.
    const Document doc = report->LayOut();
    QStringList street;
    for (const TextRun& run : doc.Pages[0].Runs) {
        EXPECT_GE(run.Font.Size, 6);
        EXPECT_FALSE(run.Text.contains(QChar(0x2026))) << run.Text.toStdString();
        if (run.Rect.left() > 13.5 + 198 && run.Rect.left() < 13.5 + 2 * 198 && run.Rect.top() > 36 + 72 &&
            run.Rect.top() < 36 + 2 * 72)
            street << run.Text;
    }
    EXPECT_EQ(street.join(u' '), QStringLiteral("Label4 Person Street4 ") +
                                     QStringLiteral("Extraordinarily long street name ").repeated(3).trimmed() +
                                     QStringLiteral(" City4 NY"));
}

// The pages a job draws: the page set among the chosen pages by the report's own numbers, then for a
// file (not for a printer, which is told them) the order and the copies.
TEST_F(ReportEngineTest, AJobDrawsTheChosenPagesOfItsPageSetInItsOrder) {
    const struct {
        PrintJob job;
        std::vector<int> printer = {}, file = printer;
    } cases[] = {
        {.job = {.Pages = {{2, 2}, {4, 5}}, .Set = PageSet::Odd}, .printer = {5}},
        {.job = {.Copies = 2, .Pages = {{2, 3}}}, .printer = {2, 3}, .file = {2, 2, 3, 3}},
        {.job = {.Copies = 2, .Collated = true, .Set = PageSet::Even, .Reverse = true},
         .printer = {2, 4, 6},
         .file = {6, 4, 2, 6, 4, 2}},
        {.job = {.Pages = {{1, 1}}, .Set = PageSet::Even}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PagesToDraw(c.job, 6, Output::Printer), c.printer);
        EXPECT_EQ(PagesToDraw(c.job, 6, Output::File), c.file);
    }
}

TEST_F(ReportEngineTest, PrintOutThroughTheSeam) {
    auto service = std::make_shared<test::PdfPrintService>(m_temp.Path());
    SetPrintService(service);
    ReportPtr report = OpenList();
    report->Tables(1).SetDataSource(Offerings(600, Currency::FromUnits(1)));
    const int pages = static_cast<int>(report->LayOut().Pages.size());
    ASSERT_GE(pages, 5);

    service->AcceptDialog(2, 2, 3);
    EXPECT_TRUE(report->PrintOut(true));
    ASSERT_EQ(service->jobs.size(), 1u);
    EXPECT_TRUE(service->jobs[0].Settings.Prompted);
    EXPECT_EQ(service->jobs[0].Settings.Copies, 2);
    EXPECT_EQ(test::PdfInfo(service->jobs[0].PdfPath, QStringLiteral("Pages")), QStringLiteral("4"));
    EXPECT_TRUE(test::PdfText(service->jobs[0].PdfPath, 1, 1).contains(QStringLiteral("Page 2 of %1").arg(pages)));

    service->CancelDialog();
    EXPECT_FALSE(report->PrintOut(true)); // no error, nothing printed
    EXPECT_EQ(service->jobs.size(), 1u);

    // Without the dialog: one copy on the selected printer.
    report->SelectPrinter(QStringLiteral("CUPS"), QStringLiteral("Office"), QString());
    EXPECT_TRUE(report->PrintOut(false, 1, false));
    EXPECT_EQ(service->dialogsShown, 2);
    ASSERT_EQ(service->jobs.size(), 2u);
    EXPECT_EQ(service->jobs[1].Settings.Printer, QStringLiteral("Office"));
    EXPECT_EQ(test::PdfInfo(service->jobs[1].PdfPath, QStringLiteral("Pages")).toInt(), pages);

    // No printer at all.
    auto none = std::make_shared<test::PdfPrintService>(m_temp.Path(), QStringList{}, QString());
    SetPrintService(none);
    EXPECT_THROW(OpenList()->PrintOut(false), platform::Error);
    SetPrintService(nullptr);
}

TEST_F(ReportEngineTest, ExportReplacesTheFileWholeOrNotAtAll) {
    ReportPtr report = OpenList();
    report->Tables(1).SetDataSource(Offerings(10, Currency::FromUnits(1)));
    const QString path = m_temp.FilePath(QStringLiteral("out.pdf"));
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    SetReportFileFaultForTesting([](const QString&) { return EIO; });
    EXPECT_THROW(ExportPdf(report, QStringLiteral("out.pdf")), platform::Error);
    SetReportFileFaultForTesting(nullptr);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
    earlier.close();
    EXPECT_EQ(QDir(m_temp.Path()).entryList({QStringLiteral("out*")}, QDir::Files), QStringList{"out.pdf"});

    EXPECT_THROW(ExportPdf(report, QStringLiteral("missing/out.pdf")), platform::Error);
    EXPECT_THROW(ExportPdf(report, QStringLiteral("out.pdf/inside.pdf")), platform::Error); // parent is a file
    ExportPdf(report, QStringLiteral("out.pdf"));
    EXPECT_EQ(test::PdfInfo(path, QStringLiteral("Pages")), QStringLiteral("1"));

    // The commit writes the last bytes itself: a size limit that refuses them, as a full disk would,
    // fails the export by the system's cause and leaves no half file.
    rlimit whole{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &whole), 0);
    const rlimit cut{.rlim_cur = static_cast<rlim_t>(QFileInfo(path).size() - 1), .rlim_max = whole.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &cut), 0);
    QString refused;
    try {
        ExportPdf(report, QStringLiteral("cut.pdf"));
    } catch (const PrintRefused& e) {
        refused = e.Description() + QStringLiteral(" in ") + e.Subject();
    } catch (const platform::Error& e) {
        refused = QString::fromUtf8(e.what());
    }
    ::setrlimit(RLIMIT_FSIZE, &whole);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(refused.endsWith(QStringLiteral(": File too large in ") + m_temp.Path())) << refused.toStdString();
    EXPECT_EQ(QDir(m_temp.Path()).entryList({QStringLiteral("cut*")}, QDir::Files | QDir::Hidden), QStringList{});
}

TEST_F(ReportEngineTest, PreviewShowsThePagesAtTheChosenZoom) {
    ReportPtr report = OpenList();
    report->Tables(1).SetDataSource(Offerings(300, Currency::FromUnits(1)));
    ReportViewer viewer;
    viewer.SetReportSource(report);
    viewer.ViewReport();
    PreviewWidget* preview = viewer.Preview();
    ASSERT_GT(preview->PageCount(), 1);
    preview->ShowPage(preview->PageCount());
    EXPECT_EQ(preview->CurrentPage(), preview->PageCount());
    const QImage page = preview->RenderPage(1, 1.0);
    EXPECT_EQ(page.size(), QSize(612, 792));
    int dark = 0;
    for (int y = 36; y < 60; ++y)
        for (int x = 36; x < 200; ++x)
            dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 50) << "the company name is drawn at the top left";
    if (const QString shots = qEnvironmentVariable("AMB_SHOTS_DIR"); !shots.isEmpty()) {
        QDir().mkpath(shots);
        preview->resize(700, 900);
        preview->grab().save(QDir(shots).filePath(QStringLiteral("ReportPreview.png")));
    }
    viewer.Preview()->close();
}

} // namespace

// Amounts stored before amounts had bounds can add up past the range of an amount: the layout
// says so instead of printing a wrapped, negative total. A sum that comes back in range is exact.
TEST_F(ReportEngineTest, ATotalBeyondTheRangeOfAnAmountIsReportedNotWrapped) {
    const Currency nearMax = Currency::FromTicks(INT64_MAX - 1);
    ReportPtr report = OpenList();
    auto rows =
        std::make_shared<test::TableRows>(QStringList{"Kind", "Given", "LastName", "FirstName", "Amount", "Paid"});
    for (int i = 0; i < 2; ++i)
        rows->Add({QStringLiteral("Alms"), Variant::Null(), QStringLiteral("Big"), QString(), nearMax, true});
    report->Tables(1).SetDataSource(rows);
    EXPECT_THROW(report->LayOut(), platform::Error);

    rows->Add({QStringLiteral("Alms"), Variant::Null(), QStringLiteral("Back"), QString(), -nearMax, true});
    const Document doc = report->LayOut();
    QStringList texts;
    for (const Page& page : doc.Pages)
        for (const TextRun& run : page.Runs)
            texts << run.Text;
    // Grand total, the count, then the sum (cut to its cell's width).
    const qsizetype at = texts.indexOf(QStringLiteral("Grand total"));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(texts.value(at + 2).startsWith(QStringLiteral("922337203685477"))) << texts.join(u'|').toStdString();
}
