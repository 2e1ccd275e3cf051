#include "reports/PersonFields.h"
#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Report.h"
#include "tests/platform/reportengine/TableRows.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using amb::reports::ComputedRows;
using platform::Variant;
using platform::reportengine::RowSource;

// Rows grouped by a computed month name whose detail shows the person fields computed over them: the
// stack the birthday list prints.
std::shared_ptr<const RowSource> Stacked() {
    auto rows = std::make_shared<test::TableRows>(QStringList{"Month", "FirstName", "LastName", "LanguageName"});
    rows->Add({3, QStringLiteral("Terri"), QStringLiteral("Goodwin"), QString()});
    rows->Add({3, QStringLiteral("Ann"), QStringLiteral("Lee"), QString()});
    rows->Add({4, QString(), QString(), QStringLiteral("김수한")});
    const int month = rows->FieldIndex(QStringLiteral("Month"));
    auto months = std::make_shared<const ComputedRows>(
        rows,
        std::vector<ComputedRows::Field>{
            {QStringLiteral("MonthName"),
             [month](const RowSource& r, int row) {
                 return Variant(r.Value(row, month).ToInt() == 3 ? QStringLiteral("March") : QStringLiteral("April"));
             }},
            {QStringLiteral("Quarter"), [](const RowSource&, int) { return Variant(QStringLiteral("Q1")); }}});
    return amb::reports::WithPersonFields(months, amb::reports::PersonStyle{});
}

TEST(PersonFieldsTest, TwoLayersOfComputedFieldsEachKeepTheirOwnColumnAndValue) {
    const auto rows = Stacked();
    struct Probe {
        const char* Field;
        int Row;
        const char* Shown;
    };
    const Probe probes[] = {
        {.Field = "MonthName", .Row = 0, .Shown = "March"},
        {.Field = "Quarter", .Row = 0, .Shown = "Q1"},
        {.Field = "DisplayName", .Row = 0, .Shown = "Goodwin, Terri"},
        {.Field = "FullName", .Row = 1, .Shown = "Ann Lee"},
        {.Field = "MonthName", .Row = 2, .Shown = "April"},
        {.Field = "DisplayName", .Row = 2, .Shown = "김수한"},
        {.Field = "LastName", .Row = 1, .Shown = "Lee"},
    };
    std::set<int> columns;
    for (const Probe& p : probes) {
        const QString field = QString::fromLatin1(p.Field);
        ASSERT_TRUE(rows->HasField(field)) << p.Field;
        EXPECT_EQ(rows->Value(p.Row, rows->FieldIndex(field)).ToString().toStdString(), p.Shown) << p.Field;
        columns.insert(rows->FieldIndex(field));
    }
    EXPECT_EQ(columns.size(), 5u) << "five fields, each in a column of its own";
}

TEST(PersonFieldsTest, AReportGroupedByTheOuterLayerShowsTheMonthAboveTheInnerLayersNames) {
    using namespace platform::reportengine;
    const char* const definition = R"({"name": "Birthdays",
      "groups": [{"field": "MonthName", "header": {"lines": [{"cells": [{"width": 200, "field": "MonthName"}]}]}}],
      "detail": {"columns": [{"caption": "Name", "width": 200, "value": "DisplayName"}]}})";
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(definition, "B.rpt")));
    report->Tables(1).SetDataSource(Stacked());
    const Document doc = report->LayOut();
    QStringList texts;
    for (const TextRun& run : doc.Pages.at(0).Runs)
        texts << run.Text;
    EXPECT_EQ(texts.join(u'|').toStdString(), "Name|March|Goodwin, Terri|Lee, Ann|April|김수한");
}

} // namespace
