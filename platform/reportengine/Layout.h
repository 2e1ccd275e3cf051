#pragma once

#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Document.h"
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
    LabelCutHandler LabelCut;
    ValueCutHandler ValueCut;
};

// One pass over the rows into pages, then the page numbers. Throws platform::Error for a field that
// a bound set lacks.
Document LayOut(const LayoutInput& input);

} // namespace platform::reportengine
