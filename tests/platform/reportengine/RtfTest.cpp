#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Render.h"
#include "platform/reportengine/Report.h"
#include "tests/platform/reportengine/TableRows.h"
#include "tests/support/PdfPrintService.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace platform::reportengine;

namespace {

QString UnrtfHtml(const QByteArray& rtf, const test::TempDir& temp) {
    const QString path = temp.FilePath(QStringLiteral("r.rtf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    return test::RunTool(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
}

TEST(RtfTest, TablesHangulBracesAndPageNumbersSurviveAReader) {
    test::TempDir temp;
    auto report =
        std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(R"({
      "name": "Member List", "page": {"size": "A4"},
      "parameters": ["CompanyName"],
      "pageHeader": {"lines": [{"cells": [{"x": 0, "width": 200, "parameter": 1},
                                          {"x": 300, "width": 200, "align": "right", "pageNumber": "Page %1 of %2"}]}]},
      "detail": {"columns": [{"caption": "Name", "width": 200, "value": "Name"},
                             {"caption": "Amount", "width": 100, "align": "right", "value": "Amount"}]}})",
                                                                                    QStringLiteral("L.rpt"))));
    auto rows = std::make_shared<test::TableRows>(QStringList{"Name", "Amount"});
    rows->Add({QStringLiteral("김민수"), platform::Currency::FromUnits(1234)});
    rows->Add({QStringLiteral("Odd {brace} back\\slash"), platform::Currency::FromTicks(-1000)});
    report->Tables(1).SetDataSource(rows);
    report->ParameterFields(1).AddCurrentValue(QStringLiteral("은혜교회"));
    const QByteArray rtf = WriteRtf(report->LayOut());
    EXPECT_TRUE(rtf.contains("\\paperw11906\\paperh16838"));
    EXPECT_TRUE(rtf.contains("\\trhdr"));
    EXPECT_TRUE(rtf.contains("{\\field{\\*\\fldinst PAGE}"));
    EXPECT_TRUE(rtf.contains("{\\field{\\*\\fldinst NUMPAGES}"));
    const QString html = UnrtfHtml(rtf, temp);
    EXPECT_TRUE(html.contains(QStringLiteral("&#44608;&#48124;&#49688;"))) << html.toStdString(); // 김민수
    EXPECT_TRUE(html.contains(QStringLiteral("Odd {brace} back\\slash")));
    EXPECT_TRUE(html.contains(QStringLiteral("1234.00")));
    EXPECT_TRUE(html.contains(QStringLiteral("-0.10")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td")));
}

TEST(RtfTest, LabelSheetsAreFixedRowsWithAPageBreakAfterEachSheet) {
    test::TempDir temp;
    auto report =
        std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(R"({
      "name": "Labels", "labels": {"columns": 3, "rows": 10, "width": 189, "height": 72, "top": 36, "left": 13.5,
                 "columnPitch": 198, "rowPitch": 72, "lines": [{"field": "Name"}]}})",
                                                                                    QStringLiteral("L.rpt"))));
    auto rows = std::make_shared<test::TableRows>(QStringList{"Name"});
    for (int i = 0; i < 61; ++i)
        rows->Add({QStringLiteral("Person%1").arg(i)});
    report->Tables(1).SetDataSource(rows);
    const QByteArray rtf = WriteRtf(report->LayOut());
    EXPECT_EQ(rtf.count("\\trrh-1440"), 21); // 10 + 10 + 1 rows of 1 inch
    EXPECT_EQ(rtf.count("\\page\n"), 2);
    EXPECT_TRUE(rtf.contains("\\cellx3960\\cellx7920\\cellx11700")); // 2.75 in pitch, the last label 2.625 in
    const QString html = UnrtfHtml(rtf, temp);
    for (int i : {0, 29, 30, 60})
        EXPECT_TRUE(html.contains(QStringLiteral("Person%1<").arg(i))) << i;
}

} // namespace
