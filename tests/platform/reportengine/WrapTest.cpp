#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Report.h"
#include "platform/reportengine/TextMeasure.h"
#include "tests/platform/reportengine/TableRows.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace platform::reportengine;

namespace {

const FontSpec kBody{.Size = 9};

struct Break {
    const char* Case;
    const char* Text;
    const char* WidthOf; // the cell is as wide as this text, and half a point more
    const char* Lines;   // the lines, "|" between them
};

const Break kBreaks[] = {
    {.Case = "a title after the name moves whole to the next line",
     .Text = "Maximiliano Griffiths Ph.D.",
     .WidthOf = "Maximiliano Griffiths Ph",
     .Lines = "Maximiliano Griffiths|Ph.D."},
    {.Case = "a ZIP+4 code stays whole",
     .Text = "North Serena, DE 44183-4170",
     .WidthOf = "North Serena, DE 44183-",
     .Lines = "North Serena, DE|44183-4170"},
    {.Case = "a ZIP+4 code stays on its line when the line holds it",
     .Text = "North Serena, DE 44183-4170",
     .WidthOf = "North Serena, DE 44183-4170",
     .Lines = "North Serena, DE 44183-4170"},
    {.Case = "an e-mail wider than its cell parts after a mark",
     .Text = "maximiliano.bartholomew.griffiths-featherstonehaugh@office.org",
     .WidthOf = "maximiliano.bartholomew.griffiths-f",
     .Lines = "maximiliano.bartholomew.griffiths-|featherstonehaugh@office.org"},
    {.Case = "a phone keeps its number and its extension each whole",
     .Text = "+1 (201) 555-0199 ext. 4410",
     .WidthOf = "+1 (201) 555-0199 e",
     .Lines = "+1 (201) 555-0199|ext. 4410"},
    {.Case = "a phone in a narrow cell parts at its spaces only",
     .Text = "(201) 894-5156 x7312",
     .WidthOf = "(201) 894-51",
     .Lines = "(201)|894-5156|x7312"},
    {.Case = "a Korean name wider than its cell parts between characters",
     .Text = "김수한무거북이와두루미삼천갑자",
     .WidthOf = "김수한무거북",
     .Lines = "김수한무거북|이와두루미삼|천갑자"},
    {.Case = "no mark leaves fewer than three characters on either side",
     .Text = "J.Griffithson-Ng",
     .WidthOf = "J.Griffithson-N",
     .Lines = "J.Griffithson-N|g"},
    {.Case = "no line ends with an opening bracket",
     .Text = "Rutherford(Barrows)Office",
     .WidthOf = "Rutherford(Barr",
     .Lines = "Rutherford(Barr|ows)Office"},
};

TEST(WrapTest, LinesBreakAtSpacesThenAfterMarksKeepingThreeCharactersThenBetweenCharacters) {
    TextMeasure measure;
    for (const Break& b : kBreaks) {
        const QString text = QString::fromUtf8(b.Text);
        const double width = measure.Width(QString::fromUtf8(b.WidthOf), kBody) + 0.5;
        EXPECT_EQ(measure.Lines(text, kBody, width, true).join(u'|').toStdString(), b.Lines) << b.Case;
    }
}

// Texts of every script a congregation writes, and kerning pairs, wrap into lines that are never wider
// than their cell when each line is measured whole (as it is drawn), and lose no character.
TEST(WrapTest, WrappedLinesOfEveryScriptFitTheirCellMeasuredWhole) {
    const char* const texts[] = {
        "AVATAR WAVE To Ty Yves L'Tour office fi fl ffi",
        "Ελληνικά κείμενα Русский Текст ТУ Ünïcödé ÅÄÖ",
        "e\u0301te\u0301 cafe\u0301 na\u0308ive",
        "김수한무 거북이와 두루미 삼천갑자 동방삭",
        "العربية نص طويل للتجربة",
        "ภาษาไทยสำหรับการทดสอบ",
        "עברית טקסט ארוך",
    };
    TextMeasure measure;
    for (const char* t : texts)
        for (const double width : {30.0, 55.0, 90.0}) {
            const QString text = QString::fromUtf8(t).repeated(3);
            const QStringList lines = measure.Lines(text, kBody, width, true);
            for (const QString& line : lines)
                if (line.size() > 2) {
                    EXPECT_LE(measure.Width(line, kBody), width + 1e-9) << t << " at " << width << ": " << line.toStdString();
                }
            EXPECT_EQ(lines.join(QString()).remove(u' '), QString(text).remove(u' ')) << t;
        }
}

// A paragraph ten times as long costs about ten times as much: the rest of a paragraph is not measured
// again for each of its lines.
TEST(WrapTest, WrappingMeasuresEachCharacterAFewTimesHoweverLongTheParagraph) {
    const QString sentence = QStringLiteral("office staff filed the fifty-first affidavit, ");
    const QString word = QStringLiteral("김수한무거북이와두루미삼천갑자");
    for (const QString& unit : {sentence, word}) {
        qint64 measured[2] = {};
        qsizetype sizes[2] = {};
        for (int k = 0; k < 2; ++k) {
            TextMeasure measure;
            const QString text = unit.repeated(k == 0 ? 200 : 2000);
            const QStringList lines = measure.Lines(text, kBody, 400, true);
            EXPECT_EQ(lines.join(QString()).remove(u' '), QString(text).remove(u' '));
            measured[k] = measure.MeasuredCharacters();
            sizes[k] = text.size();
        }
        EXPECT_LE(measured[1], 11 * measured[0]) << unit.toStdString();
        EXPECT_LE(measured[1], 4 * sizes[1]) << unit.toStdString();
    }
    // Without wrapping, a value of a megabyte is elided after the little of it that shows.
    TextMeasure measure;
    const QString elided = measure.Lines(sentence.repeated(22000), kBody, 400, false).front();
    EXPECT_TRUE(elided.endsWith(QChar(0x2026))) << elided.toStdString();
    EXPECT_LE(measure.Width(elided, kBody), 400);
    EXPECT_LE(measure.MeasuredCharacters(), 1000);
}

TEST(WrapTest, ANoteOfAMegabyteContinuesOverAsManyPagesAsItNeedsWithEveryCharacter) {
    const char* const definition = R"({"name": "Details",
      "pageHeader": {"lines": [{"cells": [{"width": 300, "text": "Grace Church"}]}]},
      "reportHeader": {"lines": [{"cells": [{"width": 115, "text": "Note:"},
                                            {"x": 120, "width": 420, "field": "Note", "wrap": true}]}]},
      "detail": {"band": {"lines": []}}})";
    QString note;
    for (int i = 0; note.size() < (1 << 20); ++i)
        note += QStringLiteral("Pastoral note %1: office staff filed the fifty-first affidavit. ").arg(i);
    note.truncate(1 << 20);
    auto rows = std::make_shared<test::TableRows>(QStringList{"Note"});
    rows->Add({note});
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(definition, "D.rpt")));
    report->Tables(1).SetDataSource(rows);
    const Document doc = report->LayOut();
    ASSERT_GT(doc.Pages.size(), 100u);
    QString printed;
    for (const Page& page : doc.Pages) {
        ASSERT_EQ(page.Runs.front().Text, QStringLiteral("Grace Church"));
        for (const TextRun& run : page.Runs) {
            EXPECT_LE(run.Rect.bottom(), doc.PageSize.height() - 36 + 0.01);
            if (run.Rect.left() > 100)
                printed += run.Text;
        }
    }
    static const QRegularExpression space(QStringLiteral("\\s"));
    EXPECT_EQ(printed.remove(space), note.remove(space));
}

// A cell that does not wrap ends a value it cannot hold with "…", and the caller learns which row and
// field; a wrapped cell and a literal text are never reported.
TEST(WrapTest, AValueCutInACellThatDoesNotWrapIsNamedToTheCaller) {
    const char* const definition = R"({"name": "List", "parameters": ["CompanyName"],
      "pageHeader": {"lines": [{"cells": [{"width": 60, "parameter": 1}, {"x": 60, "width": 30, "text": "Grace Church"}]}]},
      "detail": {"band": {"lines": [{"cells": [{"width": 100, "field": "Name"},
                                               {"x": 100, "width": 100, "field": "Note", "wrap": true}]}]}}})";
    auto rows = std::make_shared<test::TableRows>(QStringList{"Name", "Note"});
    const QString longName = QStringLiteral("Griffiths-Featherstonehaugh, Maximiliano Bartholomew");
    rows->Add({QStringLiteral("Lee, Ann"), longName});
    rows->Add({longName, QStringLiteral("short")});
    auto report = std::make_shared<Report>(std::make_shared<const Definition>(ParseDefinition(definition, "L.rpt")));
    report->ParameterFields(1).AddCurrentValue(QStringLiteral("The Grace Church of the Fifth Office"));
    report->Tables(1).SetDataSource(rows);
    QStringList told;
    report->SetValueCutHandler([&](const RowSource* source, int row, const QString& what) {
        const char* from = source == rows.get() ? "rows" : source ? "other" : "none";
        told << QStringLiteral("%1 %2 %3").arg(QLatin1String(from)).arg(row).arg(what);
    });
    const Document doc = report->LayOut();
    EXPECT_EQ(told.join(u'|').toStdString(), "none -1 parameter CompanyName|rows 1 Name");
    QStringList cut;
    for (const TextRun& run : doc.Pages.at(0).Runs)
        if (run.Text.endsWith(QChar(0x2026)))
            cut << run.Text.left(5);
    EXPECT_EQ(cut.join(u'|').toStdString(), "The G|Gra…|Griff");
}

} // namespace
