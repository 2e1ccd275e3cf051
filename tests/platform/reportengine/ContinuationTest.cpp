#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Layout.h"
#include "platform/reportengine/Render.h"
#include "platform/reportengine/Report.h"
#include "tests/platform/reportengine/TableRows.h"
#include "tests/support/PdfPrintService.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QRegularExpressionMatchIterator>

using namespace platform::reportengine;
using platform::Variant;

namespace {

// A summary as the congregation's office prints it: a page header, a type per group, a note column.
const char* const kSummary = R"({
  "name": "Summary",
  "parameters": ["CompanyName"],
  "pageHeader": {"lines": [{"cells": [{"x": 0, "width": 300, "parameter": 1}]}]},
  "pageFooter": {"lines": [{"rule": true},
                           {"cells": [{"x": 340, "width": 200, "align": "right", "pageNumber": "Page %1 of %2"}]}]},
  "groups": [{"field": "Kind",
              "header": {"lines": [{"spaceBefore": 6, "cells": [{"x": 0, "width": 540, "font": "heading", "field": "Kind"}]}]},
              "footer": {"lines": [{"cells": [{"x": 0, "width": 200, "text": "Subtotal"},
                                              {"x": 200, "width": 60, "align": "right", "count": true}]}]}}],
  "detail": {"columns": [{"caption": "Giver", "width": 140, "value": "Name"},
                         {"caption": "Note", "width": 400, "value": "Note"}]},
  "reportFooter": {"lines": [{"spaceBefore": 4, "rule": true},
                             {"cells": [{"x": 0, "width": 120, "text": "Grand total"},
                                        {"x": 120, "width": 60, "align": "right", "count": true}]}]}
})";

ReportPtr Summary(const std::shared_ptr<test::TableRows>& rows) {
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(kSummary, "S.rpt")));
    report->ParameterFields(1).AddCurrentValue(QStringLiteral("Grace Church"));
    report->SetContinuedText(QStringLiteral("(continued)"));
    report->SetPrintDate(QDate(2026, 12, 9));
    report->Tables(1).SetDataSource(rows);
    return report;
}

std::shared_ptr<test::TableRows> Rows() {
    return std::make_shared<test::TableRows>(QStringList{"Kind", "Name", "Note"});
}

QString PageText(const Page& page) {
    QStringList texts;
    for (const TextRun& run : page.Runs)
        texts << run.Text;
    return texts.join(u'|');
}

// Every run and rule of every page inside the paper, above the footer's rule and below the header.
void ExpectInsideBody(const Document& doc) {
    for (size_t p = 0; p < doc.Pages.size(); ++p) {
        double footerTop = doc.PageSize.height();
        for (const Rule& rule : doc.Pages[p].Rules)
            footerTop =
                std::min(footerTop, rule.Segment.y1() > doc.PageSize.height() - 80 ? rule.Segment.y1() : footerTop);
        for (const TextRun& run : doc.Pages[p].Runs) {
            EXPECT_GE(run.Rect.top(), 36 - 0.01) << p;
            EXPECT_LE(run.Rect.bottom(), doc.PageSize.height() - 36 + 0.01) << p;
            if (!run.Text.startsWith(QStringLiteral("Page "))) {
                EXPECT_LE(run.Rect.bottom(), footerTop + 0.01) << "page " << p + 1 << ": " << run.Text.toStdString();
            }
        }
    }
}

TEST(ContinuationTest, ARowThreePagesTallContinuesLineByLineUnderTheHeadersOfEachPage) {
    auto rows = Rows();
    rows->Add({QStringLiteral("Alms"), QStringLiteral("First"), QStringLiteral("short")});
    QStringList lines;
    for (int i = 1; i <= 180; ++i)
        lines << QStringLiteral("line%1").arg(i);
    rows->Add({QStringLiteral("Alms"), QStringLiteral("Tall"), lines.join(u'\n')});
    rows->Add({QStringLiteral("Alms"), QStringLiteral("After"), QStringLiteral("short")});
    const Document doc = Summary(rows)->LayOut();

    ASSERT_EQ(doc.Pages.size(), 3u);
    ExpectInsideBody(doc);
    int next = 1;
    for (size_t p = 0; p < doc.Pages.size(); ++p) {
        const QString text = PageText(doc.Pages[p]);
        EXPECT_TRUE(text.startsWith(QStringLiteral("Grace Church|"))) << p;
        EXPECT_TRUE(text.contains(QStringLiteral("|Giver|Note|"))) << "headings on page " << p + 1;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of 3").arg(p + 1)));
        // The note's lines follow each other across the pages, none lost, none twice.
        for (const TextRun& run : doc.Pages[p].Runs)
            if (run.Text.startsWith(QStringLiteral("line"))) {
                EXPECT_EQ(run.Text, QStringLiteral("line%1").arg(next++));
            }
    }
    EXPECT_EQ(next, 181);
    EXPECT_TRUE(PageText(doc.Pages[1]).contains(QStringLiteral("Alms (continued)")));
    EXPECT_TRUE(PageText(doc.Pages[2]).contains(QStringLiteral("|After|short|Subtotal|3")));
}

TEST(ContinuationTest, AGroupContinuedOnTheNextPageRepeatsItsHeaderMarkedAsContinued) {
    auto rows = Rows();
    for (int i = 0; i < 90; ++i)
        rows->Add({i < 3 ? QStringLiteral("Building fund") : QStringLiteral("Tithe"), QStringLiteral("Giver%1").arg(i),
                   QString()});
    const Document doc = Summary(rows)->LayOut();
    ASSERT_GE(doc.Pages.size(), 2u);
    ExpectInsideBody(doc);
    const QString first = PageText(doc.Pages[0]);
    EXPECT_TRUE(first.contains(QStringLiteral("|Building fund|")));
    EXPECT_TRUE(first.contains(QStringLiteral("|Tithe|")));
    const QString second = PageText(doc.Pages[1]);
    EXPECT_TRUE(second.contains(QStringLiteral("|Giver|Note|Tithe (continued)|Giver"))) << second.toStdString();
    EXPECT_FALSE(second.contains(QStringLiteral("Building fund")));

    // The RTF carries the group's header once: a reader repeats only the column headings.
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_EQ(rtf.count("Tithe"), 1);
    EXPECT_FALSE(rtf.contains("continued"));
}

// What makes LibreOffice and Word repeat a heading row on every page: the row is marked trhdr, it is the
// first row of the table, and the rows under it (group headers, subtotals, rules and totals too) keep its
// cell edges, so that the reader sees one table.
TEST(ContinuationTest, TheRtfHeadingRowOpensOneTableWhoseRowsShareItsCells) {
    auto rows = Rows();
    for (int i = 0; i < 150; ++i)
        rows->Add({i < 3 ? QStringLiteral("Building fund") : QStringLiteral("Tithe"), QStringLiteral("Giver%1").arg(i),
                   QStringLiteral("note %1").arg(i)});
    const QByteArray rtf = WriteRtf(Summary(rows)->LayOut());
    const QString body = QString::fromLatin1(rtf.mid(rtf.indexOf("{\\footer")));
    static const QRegularExpression rowDef(QStringLiteral(R"(\\trowd((?:\\[a-z]+-?\d*)*))"));
    static const QRegularExpression cellx(QStringLiteral(R"(\\cellx(\d+))"));
    QStringList edges;
    int rowsSeen = 0;
    for (auto it = rowDef.globalMatch(body); it.hasNext();) {
        const QString def = it.next().captured(1);
        QStringList x;
        for (auto c = cellx.globalMatch(def); c.hasNext();)
            x << c.next().captured(1);
        if (rowsSeen++ == 0) {
            EXPECT_TRUE(def.contains(QStringLiteral("\\trhdr"))) << def.toStdString();
            edges = x;
        } else {
            EXPECT_FALSE(def.contains(QStringLiteral("\\trhdr"))) << rowsSeen;
            EXPECT_EQ(x, edges) << "row " << rowsSeen << ": " << def.toStdString();
        }
    }
    EXPECT_EQ(rowsSeen, 1 + 2 + 150 + 2 + 2); // headings, group headers, rows, subtotals, rule and total
    EXPECT_EQ(edges, (QStringList{"2800", "10800"}));
    // Nothing between the rows ends the table.
    const QByteArray table = rtf.mid(rtf.indexOf("\\trhdr"));
    EXPECT_FALSE(table.left(table.lastIndexOf("\\row")).contains("\\par\n"));

    test::TempDir temp;
    QFile file(temp.FilePath(QStringLiteral("s.rtf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    const QString text = test::RunTool(QStringLiteral("unrtf"), {QStringLiteral("--text"), file.fileName()});
    for (const char* value :
         {"Building fund", "Tithe", "Giver149", "note 149", "Subtotal", "147", "Grand total", "150"})
        EXPECT_TRUE(text.contains(QLatin1String(value))) << value;
}

} // namespace
