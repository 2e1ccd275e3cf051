#pragma once

// The pieces of the layout that need no layouter: a laid-out block and where it may be cut, the
// fields a definition reads, and the fitting of a label's lines.

#include "platform/reportengine/Layout.h"
#include "platform/reportengine/TextMeasure.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace platform::reportengine::layout {

// A band or row laid out at y = 0, placed on a page later.
struct Block {
    double Height = 0;
    std::vector<TextRun> Runs;
    std::vector<Rule> Rules;
    std::vector<QString> PagePatterns; // per run: the page-number pattern, or empty
    std::vector<FlowBlock> Flow;
};

// Where a block may be cut at most `room` down without cutting through a line of text.
double CutPoint(const Block& b, double room);
// The part above `cut` and the rest moved up to start at 0; the flow stays with the first part.
std::pair<Block, Block> SplitBlock(const Block& b, double cut);

// The fields and summed fields a content, band or detail reads.
void CollectFields(const Content& c, std::vector<QString>& fields, std::vector<QString>& sums);
void CollectBand(const Band& band, std::vector<QString>& fields, std::vector<QString>& sums);
void CollectDetail(const Detail& d, std::vector<QString>& fields, std::vector<QString>& sums);
// Throws when table 1 is unbound or a bound set lacks a field the definition reads; returns the fields
// summed, each once.
std::vector<QString> CheckBoundFields(const LayoutInput& in);
// The lines of a cell's text as runs of the block from (x, y) down; `pattern` keeps a page number's.
void AddText(Block& b, double x, double y, double width, double lineHeight, const QStringList& lines,
             const FontSpec& font, Align align, const QString& pattern);
// What a content shows, for a message: its fields joined by "+", or "parameter " and the parameter's declared name.
QString ContentName(const Content& c, const QStringList& parameters);
// Throws when the source lacks one of the fields; `what` names the source in the message.
void CheckFields(const RowSource& source, const std::vector<QString>& fields, const QString& what);

// How a value reads in a format: dates in the input's pattern, amounts as its formatter writes them,
// Yes/No in the definition's texts; a text-format value of those kinds as that format would show it.
QString FormatValue(const Variant& v, Format format, const LayoutInput& in);
// An amount as the input's formatter writes it; without one the plain stored form "-1234.50".
QString FormatAmount(const Currency& amount, const LayoutInput& in);

// The column of each field a pass reads, found by its name once per source: a name looked up on every
// row would be lowered and hashed again for each value printed. The names are the definition's own,
// known by their address, so they must outlive the lookups (as a definition outlives its pass).
class FieldColumns {
public:
    int Of(const RowSource& source, const QString& field);

private:
    struct Entry {
        const RowSource* Source;
        const QString* Field;
        int Column;
    };
    std::vector<Entry> m_entries;
};

// A label's lines wrapped to `width`, at the largest size from `font`'s down to the smallest that holds
// them all in `height`, then in their shorter forms; beyond that, cut with the last line ending in "…"
// and `cut` set. `font` ends at the size used.
QStringList FitLabelLines(TextMeasure& measure, const QStringList& full, const QStringList& shorter, double width,
                          double height, FontSpec& font, bool& cut);

} // namespace platform::reportengine::layout
