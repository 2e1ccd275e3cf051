#include "platform/reportengine/Definition.h"
#include "platform/reportengine/LayoutBlocks.h"
#include "platform/reportengine/LineBook.h"
#include "platform/reportengine/Report.h"
#include "tests/platform/reportengine/TableRows.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform::reportengine;
using platform::Variant;

namespace {

// A list with a group per kind, page numbers, names cut to their cell, a note column and a sub-report
// in the footer.
const char* const kGrouped = R"({
  "name": "Grouped",
  "parameters": ["CompanyName"],
  "pageHeader": {"lines": [{"cells": [{"x": 0, "width": 300, "parameter": 1}]}, {"rule": true}]},
  "pageFooter": {"lines": [{"cells": [{"x": 340, "width": 200, "align": "right", "pageNumber": "Page %1 of %2"}]}]},
  "groups": [{"field": "Kind",
              "header": {"lines": [{"spaceBefore": 6, "cells": [{"x": 0, "width": 540, "font": "heading", "field": "Kind"}]}]},
              "footer": {"lines": [{"cells": [{"x": 0, "width": 200, "text": "Subtotal"},
                                              {"x": 200, "width": 60, "align": "right", "count": true}]}]}}],
  "detail": {"columns": [{"caption": "Giver", "width": 90, "value": "Name", "wrap": false},
                         {"caption": "Note", "width": 380, "value": "Note"},
                         {"caption": "Kind", "width": 70, "value": "Kind", "wrap": false}]},
  "reportFooter": {"lines": [{"rule": true}, {"subreport": "Totals"}]},
  "subreports": [{"name": "Totals", "header": {"lines": [{"cells": [{"x": 0, "width": 200, "text": "By kind"}]}]},
                  "detail": {"columns": [{"caption": "Kind", "width": 200, "value": "Kind"},
                                         {"caption": "Note", "width": 200, "value": "Note"}]}}]
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

// Rows for one of the program's own definitions: every field it reads, a group field changing every
// 40 rows, amounts where it sums, long values every seventh row and a note of 5,000 characters.
std::shared_ptr<test::TableRows> RowsFor(const std::vector<QString>& fields, const std::vector<QString>& sums,
                                         const std::vector<QString>& groups, int count) {
    QStringList names;
    for (const QString& f : fields)
        if (!names.contains(f))
            names << f;
    auto rows = std::make_shared<test::TableRows>(names);
    for (int i = 0; i < count; ++i) {
        std::vector<Variant> row;
        for (const QString& f : names) {
            if (std::find(sums.begin(), sums.end(), f) != sums.end())
                row.emplace_back(platform::Currency::FromTicks(i * 12500));
            else if (std::find(groups.begin(), groups.end(), f) != groups.end())
                row.emplace_back(QStringLiteral("Group %1").arg(i / 40, 3, 10, QLatin1Char('0')));
            else if (i == count / 2)
                row.emplace_back(QStringLiteral("Pastoral note %1, office staff filed it. ").arg(f).repeated(120));
            else
                row.emplace_back(QStringLiteral("%1 %2").arg(f).arg(i) +
                                 (i % 7 == 3 ? QStringLiteral(" Griffiths-Featherstonehaugh ext. 4410").repeated(3) : QString()));
        }
        rows->Add(std::move(row));
    }
    return rows;
}

// A definition of the program's own, every sub-report bound to rows of its fields.
ReportPtr OpenShipped(const char* name, int count) {
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(
        ReadDefinition(test::BuiltShareDir() + QStringLiteral("/1033/Report/%1.rpt").arg(QLatin1String(name)))));
    const Definition& def = report->GetDefinition();
    for (int p = 1; p <= report->ParameterFieldsCount(); ++p)
        report->ParameterFields(p).AddCurrentValue(QStringLiteral("Parameter %1").arg(p));
    report->SetContinuedText(QStringLiteral("(continued)"));
    report->SetPrintDate(QDate(2026, 12, 9));
    std::vector<QString> fields, sums, groups;
    for (const Group& g : def.Groups) {
        groups.push_back(g.Field);
        fields.push_back(g.Field);
        layout::CollectBand(g.Header, fields, sums);
        layout::CollectBand(g.Footer, fields, sums);
    }
    for (const Band* band : {&def.ReportHeader, &def.ReportFooter})
        layout::CollectBand(*band, fields, sums);
    layout::CollectDetail(def.RowDetail, fields, sums);
    if (def.Labels)
        for (const LabelLine& line : def.Labels->Lines) {
            layout::CollectFields(line.Value, fields, sums);
            if (line.Shorter)
                layout::CollectFields(*line.Shorter, fields, sums);
        }
    fields.insert(fields.end(), sums.begin(), sums.end());
    report->Tables(1).SetDataSource(RowsFor(fields, sums, groups, count));
    for (int i = 1; i <= report->SectionsCount(); ++i)
        for (int j = 1; j <= report->Sections(i).ReportObjectsCount(); ++j) {
            const ReportObject& object = report->Sections(i).ReportObjects(j);
            if (object.Kind() != static_cast<int>(ObjectKind::Subreport))
                continue;
            const Subreport& sub = *def.FindSubreport(object.SubreportName());
            std::vector<QString> subFields, subSums;
            layout::CollectBand(sub.Header, subFields, subSums);
            layout::CollectDetail(sub.RowDetail, subFields, subSums);
            object.OpenSubreport()->Tables(1).SetDataSource(RowsFor(subFields, subSums, {}, count / 4 + 3));
        }
    return report;
}

struct PagingCase {
    const char* Case;
    const char* Json = nullptr;    // a definition of the test's own, or
    const char* Shipped = nullptr; // one of the program's
    int Rows;
    int LeastPages;
    const char* Shows; // a text some page must show
};

const PagingCase kPaging[] = {
    {.Case = "the member contact list column view", .Shipped = "Member Contact List - Column View", .Rows = 400,
     .LeastPages = 10, .Shows = "Page 3 of"},
    {.Case = "the monthly birthday list", .Shipped = "Monthly Birthday List", .Rows = 300, .LeastPages = 8,
     .Shows = "(continued)"},
    {.Case = "member details with sub-reports", .Shipped = "Member Details", .Rows = 1, .LeastPages = 2,
     .Shows = "Pastoral note"},
    {.Case = "the offering list with totals", .Shipped = "Offering List", .Rows = 300, .LeastPages = 8,
     .Shows = "56062.50"},
    {.Case = "member labels", .Shipped = "Member Mailing Label - Avery 5160", .Rows = 95, .LeastPages = 4,
     .Shows = "94"},
    {.Case = "groups, continued headers, a note three pages long and a sub-report",
     .Json = kGrouped,
     .Rows = 300,
     .LeastPages = 12,
     .Shows = "Kind 3 (continued)"},
};

TEST(PagingTest, PagesMadeOneAtATimeShowWhatTheWholeDocumentShowsPageForPage) {
    for (const PagingCase& c : kPaging) {
        SCOPED_TRACE(c.Case);
        const ReportPtr report = c.Json ? Open(c.Json, c.Rows) : OpenShipped(c.Shipped, c.Rows);
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
