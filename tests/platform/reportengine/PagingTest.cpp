#include "platform/reportengine/Definition.h"
#include "platform/reportengine/LineBook.h"
#include "platform/reportengine/Report.h"
#include "tests/platform/reportengine/TableRows.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform::reportengine;
using platform::Variant;

namespace {

// A list with a group per kind, page numbers, a note column and totals in the footer.
const char* const kGrouped = R"({
  "name": "Grouped",
  "parameters": ["CompanyName"],
  "pageHeader": {"lines": [{"cells": [{"x": 0, "width": 300, "parameter": 1}]}, {"rule": true}]},
  "pageFooter": {"lines": [{"cells": [{"x": 340, "width": 200, "align": "right", "pageNumber": "Page %1 of %2"}]}]},
  "groups": [{"field": "Kind",
              "header": {"lines": [{"spaceBefore": 6, "cells": [{"x": 0, "width": 540, "font": "heading", "field": "Kind"}]}]},
              "footer": {"lines": [{"cells": [{"x": 0, "width": 200, "text": "Subtotal"},
                                              {"x": 200, "width": 60, "align": "right", "count": true}]}]}}],
  "detail": {"columns": [{"caption": "Giver", "width": 90, "value": "Name"},
                         {"caption": "Note", "width": 380, "value": "Note"},
                         {"caption": "Kind", "width": 70, "value": "Kind", "wrap": false}]},
  "reportFooter": {"lines": [{"rule": true}, {"subreport": "Totals"}]},
  "subreports": [{"name": "Totals", "header": {"lines": [{"cells": [{"x": 0, "width": 200, "text": "By kind"}]}]},
                  "detail": {"columns": [{"caption": "Kind", "width": 200, "value": "Kind"},
                                         {"caption": "Note", "width": 200, "value": "Note"}]}}]
})";

// Each row as a free band: a name that does not wrap (long ones end with "…") over a wrapped note.
const char* const kBands = R"({
  "name": "Bands",
  "page": {"size": "A4"},
  "pageFooter": {"lines": [{"cells": [{"x": 0, "width": 200, "pageNumber": "%1/%2"}]}]},
  "detail": {"band": {"lines": [{"cells": [{"x": 0, "width": 120, "field": "Name"},
                                           {"x": 130, "width": 60, "field": "Kind", "wrap": true}]},
                                {"cells": [{"x": 20, "width": 300, "field": "Note", "wrap": true}]}]}}
})";

const char* const kLabels = R"({
  "name": "Labels",
  "labels": {"columns": 3, "rows": 10, "width": 189, "height": 72, "top": 36, "left": 13.5,
             "columnPitch": 198, "rowPitch": 72, "lines": [{"field": "Name"}, {"field": "Note"}]}
})";

// Rows of three kinds: short notes, notes of several paragraphs, and one note three pages long.
std::shared_ptr<test::TableRows> Rows(int count) {
    auto rows = std::make_shared<test::TableRows>(QStringList{"Kind", "Name", "Note"});
    const QString word = QStringLiteral("Offering of thanks for the harvest, ");
    for (int i = 0; i < count; ++i) {
        QString note = word.repeated(i % 7) + QStringLiteral("row %1").arg(i);
        if (i % 11 == 3)
            note += QStringLiteral("\n\n  second paragraph   with  spaces \nthird");
        if (i == count / 2)
            note = word.repeated(900);
        const QString name = i % 9 == 0 ? QStringLiteral("Bartholomew Featherstonehaugh-Griffiths %1").arg(i)
                                        : QStringLiteral("Person %1").arg(i);
        rows->Add({QStringLiteral("Kind %1").arg(i / 40), name, note});
    }
    return rows;
}

ReportPtr Open(const char* json, int count) {
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(json, "P.rpt")));
    if (report->ParameterFieldsCount() > 0)
        report->ParameterFields(1).AddCurrentValue(QStringLiteral("Grace Church"));
    report->SetContinuedText(QStringLiteral("(continued)"));
    report->SetPrintDate(QDate(2026, 12, 9));
    auto rows = Rows(count);
    report->Tables(1).SetDataSource(rows);
    if (!report->GetDefinition().Subreports.empty())
        report->Sections(report->SectionsCount() - 1).ReportObjects(2).OpenSubreport()->Tables(1).SetDataSource(rows);
    return report;
}

// Everything a page shows, run by run and rule by rule.
QStringList Shown(const Page& page) {
    QStringList shown;
    for (const TextRun& run : page.Runs)
        shown << QStringLiteral("%1 %2,%3 %4x%5 %6%7%8")
                     .arg(run.Text)
                     .arg(run.Rect.x())
                     .arg(run.Rect.y())
                     .arg(run.Rect.width())
                     .arg(run.Rect.height())
                     .arg(run.Font.Size)
                     .arg(run.Font.Bold)
                     .arg(int(run.Alignment));
    for (const Rule& rule : page.Rules)
        shown << QStringLiteral("rule %1,%2-%3,%4 %5")
                     .arg(rule.Segment.x1())
                     .arg(rule.Segment.y1())
                     .arg(rule.Segment.x2())
                     .arg(rule.Segment.y2())
                     .arg(rule.Thickness);
    return shown;
}

struct PagingCase {
    const char* Case;
    const char* Json;
    int Rows;
    int LeastPages;
    const char* Shows; // a text some page must show
};

const PagingCase kPaging[] = {
    {.Case = "groups, continued headers, a note three pages long and a sub-report",
     .Json = kGrouped,
     .Rows = 300,
     .LeastPages = 12,
     .Shows = "Kind 3 (continued)"},
    {.Case = "free bands with cut names", .Json = kBands, .Rows = 200, .LeastPages = 8, .Shows = "Bartholomew"},
    {.Case = "labels", .Json = kLabels, .Rows = 95, .LeastPages = 4, .Shows = "Person 94"},
};

TEST(PagingTest, PagesMadeOneAtATimeShowWhatTheWholeDocumentShowsPageForPage) {
    for (const PagingCase& c : kPaging) {
        SCOPED_TRACE(c.Case);
        const ReportPtr report = Open(c.Json, c.Rows);
        const Document whole = report->LayOut();
        const int count = static_cast<int>(whole.Pages.size());
        ASSERT_GE(count, c.LeastPages);
        const PagedReport paged = report->Paginate();
        ASSERT_EQ(paged.PageCount(), count);
        // All pages, then a range from the middle (as a print range asks), each against the whole.
        const std::pair<int, int> ranges[] = {{0, 0}, {count / 2, count / 2 + 2}};
        for (const auto& [from, to] : ranges) {
            int expected = std::max(1, from);
            paged.ForEachPage(from, to, [&](const Page& page, int number) {
                ASSERT_EQ(number, expected);
                EXPECT_EQ(Shown(page), Shown(whole.Pages[number - 1])) << "page " << number;
                ++expected;
            });
            EXPECT_EQ(expected - 1, to > 0 ? to : count);
        }
        bool found = false;
        for (const Page& page : whole.Pages)
            found = found || Shown(page).join(u'\n').contains(QString::fromUtf8(c.Shows));
        EXPECT_TRUE(found) << c.Shows;
    }
}

struct KeptCase {
    const char* Case;
    QString Text;
    QStringList Lines;
    QString ReadAs;        // the text the later pass lays out
    bool Kept;             // the later pass gets the lines back, else it measures again
};

TEST(PagingTest, TheLinesOfACellAreTakenBackAsMeasuredOrMeasuredAgain) {
    const KeptCase cases[] = {
        {"one line, the whole text", "Grace", {"Grace"}, "Grace", true},
        {"an empty cell", "", {""}, "", true},
        {"wrapped lines trimmed of their spaces", "Offering  of thanks ", {"Offering", "of thanks"},
         "Offering  of thanks ", true},
        {"paragraphs with an empty one", "a b\n\n c", {"a b", "", "c"}, "a b\n\n c", true},
        {"an elided value", "Bartholomew", {"Barth\u2026"}, "Bartholomew", false},
        {"a text of another length than the one measured", "abc def", {"abc", "def"}, "abc defg", false},
    };
    LineBook book;
    for (const KeptCase& c : cases)
        book.Keep(c.Text, c.Lines);
    ASSERT_EQ(book.Cells(), std::size(cases));
    LineBook::Reader reader(book);
    for (const KeptCase& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::optional<QStringList> lines = reader.Next(c.ReadAs);
        ASSERT_EQ(lines.has_value(), c.Kept);
        if (c.Kept) {
            EXPECT_EQ(*lines, c.Lines);
        }
    }
    EXPECT_FALSE(reader.Next(QStringLiteral("past the last cell")).has_value());
}

} // namespace
