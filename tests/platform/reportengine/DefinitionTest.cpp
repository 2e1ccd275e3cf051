#include "platform/reportengine/Definition.h"
#include "platform/com/Error.h"
#include "platform/reportengine/Report.h"
#include "tests/platform/reportengine/TableRows.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace platform::reportengine;

namespace {

const char* const kDetails = R"({
  "name": "Member Details",
  "parameters": ["CompanyName", "ReportName", "Criteria"],
  "reportHeader": {"lines": [
      {"cells": [{"x": 0, "width": 300, "first": ["LanguageName", "FullName"]}]},
      {"subreport": "PersonAddress"},
      {"subreport": "PersonPhone"}]},
  "detail": {"band": {"lines": []}},
  "subreports": [
      {"name": "PersonAddress", "detail": {"columns": [{"caption": "Address", "width": 300,
          "value": {"join": ["Part1", {"join": ["City", "Zip"], "separator": " "}], "separator": ", "}},
          {"caption": "Note", "width": 240, "value": {"text": ""}}]}},
      {"name": "PersonPhone", "empty": {"lines": [{"cells": [{"x": 0, "width": 100, "text": "No phone"}]}]},
       "detail": {"columns": [{"caption": "Phone", "width": 100, "value": "Phone"}]}}]
})";

QString ErrorOf(const QByteArray& json) {
    try {
        ParseDefinition(json, QStringLiteral("Test.rpt"));
    } catch (const platform::Error& e) {
        return e.Description();
    }
    return QString();
}

TEST(DefinitionTest, StrictReadingNamesFileAndPath) {
    const QByteArray good(kDetails);
    EXPECT_EQ(ErrorOf(good), QString());
    const std::pair<const char*, const char*> cases[] = {
        {"\"name\": \"Member Details\",", "\"name\": 7,"},                               // wrong type
        {"\"width\": 300, \"first\"", "\"width\": 300, \"widht\": 1, \"first\""},        // unknown key
        {"\"width\": 100, \"value\": \"Phone\"", "\"width\": -1, \"value\": \"Phone\""}, // bad number
        {"\"subreport\": \"PersonPhone\"", "\"subreport\": \"PersonFax\""},              // no such sub-report
        {"{\"x\": 0, \"width\": 100, \"text\": \"No phone\"}",
         "{\"x\": 0, \"width\": 100, \"parameter\": 9}"},                             // parameter 9 of 3
        {"\"width\": 240, \"value\": {\"text", "\"width\": 241, \"value\": {\"text"}, // past the margin
    };
    const char* expected[] = {"Test.rpt: $.name: a text expected",
                              "Test.rpt: $.reportHeader.lines[0].cells[0].widht: unknown key",
                              "Test.rpt: $.subreports[1].detail.columns[0].width: a number from 1 to 5000 expected",
                              "Test.rpt: $.reportHeader.lines[2].subreport: no sub-report \"PersonFax\"",
                              "Test.rpt: $.subreports[1].empty.lines[0].cells[0].parameter: parameter 9 of 3 declared",
                              // One text over two lines.
                              ("Test.rpt: $.subreports[0].detail.columns: runs past the right margin (the printable "
                               "width is 540)")};
    for (size_t i = 0; i < std::size(cases); ++i) {
        QByteArray json = good;
        ASSERT_TRUE(json.contains(cases[i].first)) << i;
        json.replace(cases[i].first, cases[i].second);
        EXPECT_EQ(ErrorOf(json).toStdString(), expected[i]) << i;
    }
    EXPECT_TRUE(ErrorOf("{\"name\": \"x\", \"detail\": {\"band\": {}}, \"labels\": {}}")
                    .contains(QStringLiteral("$: exactly one")));
}

// Truncations, flipped bytes and swapped types never crash: each is read or refused with a message.
TEST(DefinitionTest, FuzzedDefinitionsAreRefusedWithoutACrash) {
    const QByteArray good(kDetails);
    for (qsizetype n = 0; n < good.size(); n += 3)
        EXPECT_FALSE(ErrorOf(good.left(n)).isEmpty()) << n;
    QRandomGenerator random(16);
    const char replacements[] = {'0', '"', '{', ']', ',', 'x', '-', ':'};
    for (int i = 0; i < 2000; ++i) {
        QByteArray json = good;
        for (int k = 0; k < 3; ++k)
            json[random.bounded(static_cast<int>(json.size()))] = replacements[random.bounded(8)];
        try {
            ParseDefinition(json, QStringLiteral("Test.rpt"));
        } catch (const platform::Error& e) {
            EXPECT_TRUE(e.Description().startsWith(QStringLiteral("Test.rpt: ")));
        }
    }
}

TEST(DefinitionTest, OperationsFindSubreportsAndRefuseWhatTheReportLacks) {
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(kDetails, "T.rpt")));
    EXPECT_THROW(report->ParameterFields(4), platform::Error);
    EXPECT_THROW(report->Tables(2), platform::Error);
    QStringList found;
    for (int s = 1; s <= report->SectionsCount(); ++s)
        for (int o = 1; o <= report->Sections(s).ReportObjectsCount(); ++o) {
            const ReportObject& object = report->Sections(s).ReportObjects(o);
            if (object.Kind() == 5) {
                found << object.SubreportName();
                if (object.SubreportName() == QStringLiteral("PersonAddress")) {
                    auto rows = std::make_shared<test::TableRows>(QStringList{"Part1", "City", "Zip"});
                    rows->Add({QStringLiteral("1 Elm St"), QString(), QStringLiteral("10001")});
                    rows->Add({QString(), QStringLiteral("Seoul"), QString()});
                    object.OpenSubreport()->Tables(1).SetDataSource(rows);
                }
            } else {
                EXPECT_THROW(object.OpenSubreport(), platform::Error);
            }
        }
    EXPECT_EQ(found, (QStringList{"PersonAddress", "PersonPhone"}));

    auto person = std::make_shared<test::TableRows>(QStringList{"LanguageName", "FullName"});
    person->Add({platform::Variant::Null(), QStringLiteral("Kim, Min")});
    report->Tables(1).SetDataSource(person);
    QStringList texts;
    const Document doc = report->LayOut();
    for (const TextRun& run : doc.Pages.at(0).Runs)
        texts << run.Text;
    // Empty join members are skipped, a nested join is one member; an unbound sub-report shows its empty band.
    EXPECT_EQ(texts, (QStringList{"Kim, Min", "Address", "Note", "1 Elm St, 10001", "Seoul", "No phone"}));

    // A field the bound set lacks is an error, not a blank.
    auto lacking = std::make_shared<test::TableRows>(QStringList{"FullName"});
    report->Tables(1).SetDataSource(lacking);
    try {
        report->LayOut();
        ADD_FAILURE() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("\"LanguageName\"")));
    }
}

} // namespace

namespace {

// "first" may hold a join: a Korean name, else the English name composed; no join inside that join.
TEST(DefinitionTest, FirstTakesAJoinedMember) {
    const QByteArray json = R"({"name": "Names", "detail": {"columns": [{"caption": "Name", "width": 300,
        "value": {"first": ["LanguageName", {"join": ["FirstName", "LastName"], "separator": " "}]}}]}})";
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(json, "T.rpt")));
    auto rows = std::make_shared<test::TableRows>(QStringList{"LanguageName", "FirstName", "LastName"});
    rows->Add({QStringLiteral("김민수"), QStringLiteral("Minsu"), QStringLiteral("Kim")});
    rows->Add({QString(), QStringLiteral("Ann"), QStringLiteral("Lee")});
    report->Tables(1).SetDataSource(rows);
    QStringList shown;
    const Document doc = report->LayOut();
    for (const TextRun& run : doc.Pages.at(0).Runs)
        shown << run.Text;
    EXPECT_TRUE(shown.contains(QStringLiteral("김민수")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Ann Lee")));
    EXPECT_FALSE(shown.contains(QStringLiteral("Minsu Kim")));
    QByteArray deeper = json;
    deeper.replace(R"(["FirstName", "LastName"])", R"(["FirstName", {"join": ["LastName"]}])");
    EXPECT_EQ(ErrorOf(deeper).toStdString(),
              "Test.rpt: $.detail.columns[0].value.first[1].join[1]: a field name expected");
}

} // namespace
