#pragma once

#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Document.h"
#include "platform/reportengine/LineBook.h"
#include "platform/reportengine/RowSource.h"

#include <QDate>
#include <QString>

#include <functional>
#include <map>
#include <vector>

namespace platform::reportengine {

// How the program shows an amount; the engine itself knows no locale.
using AmountFormatter = std::function<QString(const Currency&)>;
// Told of each label whose text had to be cut even at the smallest size, with its first line.
using LabelCutHandler = std::function<void(int row, const QString& firstLine)>;
// Such a label as a pass meets it, on the page it lands on.
struct CutLabel {
    int Page = 0;
    int Row = 0;
    QString FirstLine;
};
// Told of each value that a cell without wrapping had to end with "…": the rows and the row it was read
// from (none for a parameter), and the field or parameter it shows.
using ValueCutHandler = std::function<void(const RowSource* rows, int row, const QString& what)>;

struct LayoutInput {
    const Definition* Def = nullptr;
    RowSourcePtr Rows;                                // table 1; none gives no rows
    std::vector<QString> Parameters;                  // current values, by number - 1
    QString DatePattern = QStringLiteral("M/d/yyyy"); // Qt pattern
    AmountFormatter FormatAmount;                     // none prints the plain stored form "-1234.50"
    QDate PrintDate;
    std::map<QString, RowSourcePtr> SubreportRows; // by sub-report name; a missing name prints no rows
    // Added after a group header repeated at the top of a page its group continues on ("(continued)").
    QString ContinuedText;
    std::function<void(const CutLabel& label)> LabelCut;
    ValueCutHandler ValueCut;
};

// One pass over the rows into pages, then the page numbers: the whole document at once. Throws
// platform::Error for a field that a bound set lacks.
Document LayOut(const LayoutInput& input);

// Where a pass over the rows hands its output as it goes, so that only the page being made is held.
// A sink left empty is not fed; pages that are not handed on are laid out but not drawn.
struct LayoutSinks {
    int PageCount = 0;  // counted by an earlier pass; "%2" of a page number needs it
    int FromPage = 1;   // the first page handed on
    int ToPage = 0;     // the last page handed on, after which the pass ends; 0: to the end
    std::function<void(const Document& frame)> Begin; // title, paper, headings (no pages, no flow) first
    std::function<void(Page&& page, int number)> PageDone;
    std::function<void(FlowBlock&& block)> FlowDone;
    LineBook* KeepLines = nullptr;       // a first pass keeps the lines it measured here
    const LineBook* KeptLines = nullptr; // a later pass over the same input takes them from here
};

// One pass over the rows into the sinks; returns the pages it made (up to `ToPage`).
int LayOutInto(const LayoutInput& input, const LayoutSinks& sinks);

} // namespace platform::reportengine
