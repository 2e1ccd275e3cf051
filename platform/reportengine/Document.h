#pragma once

#include "platform/reportengine/Definition.h"

#include <QLineF>
#include <QRectF>
#include <QString>

#include <vector>

namespace platform::reportengine {

// The laid-out report: pages of text runs and rules in points from the page's top left corner, and the
// same content as a flow of blocks (bands, table rows, label sheets) for the RTF writer.

struct TextRun {
    QRectF Rect; // one line of text; the run is drawn inside it
    QString Text;
    FontSpec Font;
    Align Alignment = Align::Left;
};

struct Rule {
    QLineF Segment;
    double Thickness = 0.5;
};

struct Page {
    std::vector<TextRun> Runs;
    std::vector<Rule> Rules;
};

// A cell of the flow: its wrapped text (lines joined by '\n') at its horizontal place.
struct FlowCell {
    double X = 0, Width = 0;
    QString Text;
    FontSpec Font;
    Align Alignment = Align::Left;
};

enum class BlockKind { Band, TableHeading, TableRow, Rule, LabelRow, PageBreak };

struct FlowBlock {
    BlockKind Kind = BlockKind::Band;
    double Height = 0;
    std::vector<FlowCell> Cells;
};

// A page header or footer for the RTF writer: its cells, a page-number pattern kept as a pattern.
struct FlowHeading {
    std::vector<std::vector<FlowCell>> Lines;
};

struct Document {
    QString Title;
    QSizeF PageSize; // points
    QPageSize::PageSizeId PageSizeId = QPageSize::Letter;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    QMarginsF Margins;
    std::vector<Page> Pages;
    std::vector<FlowBlock> Flow;
    FlowHeading Header, Footer; // %1 page, %2 pages, as in the definition's pattern
    bool IsLabelStock = false;  // label rows: cell X from the page's left edge, Margins the sheet's origin
};

} // namespace platform::reportengine
