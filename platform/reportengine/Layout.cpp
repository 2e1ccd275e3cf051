#include "platform/reportengine/Layout.h"

#include "platform/reportengine/LayoutBlocks.h"

#include "platform/com/Error.h"
#include "platform/reportengine/TextMeasure.h"

#include <algorithm>

namespace platform::reportengine {

namespace {

using namespace layout;

constexpr double kCellPad = 1.5; // above and below the text of a table cell

QString PageNumberText(const QString& pattern, int page, int pages) {
    QString text = pattern;
    return text.replace(QStringLiteral("%1"), QString::number(page)).replace(QStringLiteral("%2"), QString::number(pages));
}


// Row counts and sums of one group level or the whole report.
struct Totals {
    int Count = 0;
    std::map<QString, platform::CurrencyTotal> Sums; // 128 bits: a sum never wraps
};

// What a content reads: a row of a source, and the totals of the footer being laid out.
struct Scope {
    const RowSource* Source = nullptr;
    int Row = -1;
    const Totals* Sums = nullptr;
};

// Ends a pass once its last wanted page is handed on: nothing after it is laid out.
struct LastPageDone {};

class Layouter {
public:
    Layouter(const LayoutInput& in, const LayoutSinks& sinks) : m_in(in), m_sinks(sinks), m_def(*in.Def) {
        if (sinks.KeptLines)
            m_kept.emplace(*sinks.KeptLines);
        m_doc.Title = m_def.Name;
        m_doc.PageSize = m_def.PageSizePoints();
        m_doc.PageSizeId = m_def.PageSize;
        m_doc.Orientation = m_def.Orientation;
        m_doc.Margins = m_def.Margins;
        m_left = m_def.Margins.left();
        m_printWidth = m_doc.PageSize.width() - m_def.Margins.left() - m_def.Margins.right();
    }

    // Returns the pages made; the frame is what `Begin` was given.
    int Run() {
        m_sumFields = CheckBoundFields(m_in);
        Block header = LayBand(m_def.PageHeader, Scope{}, &m_doc.Header);
        Block footer = LayBand(m_def.PageFooter, Scope{}, &m_doc.Footer);
        m_pageHeader = std::move(header);
        m_pageFooter = std::move(footer);
        m_top = m_def.Margins.top() + m_pageHeader.Height;
        m_bottom = m_doc.PageSize.height() - m_def.Margins.bottom() - m_pageFooter.Height;
        if (m_def.Labels) {
            m_doc.IsLabelStock = true;
            m_doc.Margins = QMarginsF(m_def.Labels->Left, m_def.Labels->Top, 0, 0);
        }
        if (m_sinks.Begin)
            m_sinks.Begin(m_doc);
        try {
            NewPage();
            if (m_def.Labels)
                LayLabels(*m_def.Labels);
            else
                LayReport();
            EndPage();
        } catch (const LastPageDone&) {
        }
        return m_pageNumber;
    }

    // Page-number runs of a pass that did not know the page count: (page index, run index, pattern).
    const std::vector<std::tuple<size_t, size_t, QString>>& PendingPageNumbers() const { return m_pageRuns; }

private:
    QString Money(const Currency& amount) const { return FormatAmount(amount, m_in); }

    QString FieldText(const Scope& s, const QString& field, Format format) const {
        if (!s.Source || s.Row < 0 || s.Row >= s.Source->RowCount())
            return QString();
        return FormatValue(s.Source->Value(s.Row, m_columns.Of(*s.Source, field)), format, m_in);
    }

    // The text of a content; a page number is left as its pattern (filled once pages are counted).
    QString Evaluate(const Content& c, const Scope& s, Format format) const {
        switch (c.Kind) {
        case ContentKind::Text:
            return c.Text;
        case ContentKind::Parameter:
            return c.Parameter <= static_cast<int>(m_in.Parameters.size()) ? m_in.Parameters[c.Parameter - 1]
                                                                           : QString();
        case ContentKind::Field:
            return FieldText(s, c.Field, format);
        case ContentKind::Join: {
            QStringList parts;
            for (const Content& p : c.Parts) {
                const QString t = Evaluate(p, s, Format::Text).trimmed();
                if (!t.isEmpty())
                    parts << t;
            }
            return parts.join(c.Separator);
        }
        case ContentKind::First:
            for (const Content& p : c.Parts) {
                const QString t = Evaluate(p, s, Format::Text).trimmed();
                if (!t.isEmpty())
                    return t;
            }
            return QString();
        case ContentKind::PageNumber:
            return c.Text;
        case ContentKind::PrintDate:
            return m_in.PrintDate.toString(m_in.DatePattern);
        case ContentKind::Count:
            return s.Sums ? QString::number(s.Sums->Count) : QString();
        case ContentKind::Sum: {
            if (!s.Sums)
                return QString();
            auto it = s.Sums->Sums.find(c.Field);
            if (it == s.Sums->Sums.end())
                return Money(Currency());
            const std::optional<Currency> total = it->second.Value();
            if (!total)
                throw Error(ErrorNumber::Overflow,
                            QStringLiteral("The total of \"%1\" is beyond the range of an amount").arg(c.Field),
                            QStringLiteral("ReportEngine"));
            return Money(*total);
        }
        }
        return QString();
    }

    const FontSpec& Font(const QString& name) const { return m_def.Fonts.at(name); }

    // The lines of a cell's text; a value that a cell without wrapping cannot hold whole is named to
    // the caller, who can tell the office which record to look at.
    QStringList CellLines(const QString& text, const FontSpec& font, double width, bool wrap, const Content& c,
                          const Scope& s) {
        if (m_kept)
            if (std::optional<QStringList> kept = m_kept->Next(text))
                return *std::move(kept);
        QStringList lines = m_measure.Lines(text, font, width, wrap);
        if (!wrap && m_in.ValueCut && lines.front() != text && c.Kind != ContentKind::Text)
            m_in.ValueCut(s.Source, s.Row, ContentName(c, m_def.Parameters));
        if (m_sinks.KeepLines)
            m_sinks.KeepLines->Keep(text, lines);
        return lines;
    }

    // A band laid out as one block; lines naming a sub-report are skipped here (see EmitBand).
    Block LayBand(const Band& band, const Scope& s, FlowHeading* heading = nullptr) {
        Block b;
        for (const Line& line : band.Lines) {
            if (!line.Subreport.isEmpty())
                continue;
            LayLine(b, line, s, heading);
        }
        return b;
    }

    void LayLine(Block& b, const Line& line, const Scope& s, FlowHeading* heading) {
        b.Height += line.SpaceBefore;
        if (line.Rule) {
            const double width = line.RuleWidth > 0 ? line.RuleWidth : m_printWidth - line.RuleX;
            const double y = b.Height + 1 + line.Thickness / 2;
            b.Rules.push_back(Rule{QLineF(m_left + line.RuleX, y, m_left + line.RuleX + width, y), line.Thickness});
            b.Height += 2 + line.Thickness;
            b.Flow.push_back(FlowBlock{BlockKind::Rule, 2 + line.Thickness, {}});
            return;
        }
        double height = 0;
        FlowBlock flow{BlockKind::Band, 0, {}};
        for (const Cell& cell : line.Cells) {
            const FontSpec& font = Font(cell.Font);
            const bool page = cell.Value.Kind == ContentKind::PageNumber;
            QString text = Evaluate(cell.Value, s, cell.ValueFormat);
            if (m_suffixPending && !page && !text.isEmpty()) {
                text += QLatin1Char(' ') + m_in.ContinuedText;
                m_suffixPending = false;
            }
            const double lh = m_measure.LineHeight(font);
            const QStringList lines =
                page ? QStringList{text} : CellLines(text, font, cell.Width, cell.Wrap, cell.Value, s);
            AddText(b, m_left + cell.X, b.Height, cell.Width, lh, lines, font, cell.Alignment, page ? text : QString());
            height = std::max(height, lh * lines.size());
            if (m_sinks.FlowDone || heading)
                flow.Cells.push_back(FlowCell{cell.X, cell.Width, lines.join(QLatin1Char('\n')), font, cell.Alignment});
        }
        b.Height += height;
        flow.Height = height + line.SpaceBefore;
        if (heading)
            heading->Lines.push_back(flow.Cells);
        b.Flow.push_back(std::move(flow));
    }

    // A group header as repeated on a page its group continues on: the first text marked as continued.
    Block LayContinuedHeader(const Band& band, const Scope& s) {
        m_suffixPending = !m_in.ContinuedText.isEmpty();
        Block b = LayBand(band, s);
        m_suffixPending = false;
        b.Flow.clear();
        return b;
    }

    Block LayRow(const Detail& d, const Scope& s, bool heading) {
        if (d.RowBand && !heading)
            return LayBand(*d.RowBand, s);
        Block b;
        const FontSpec& font = Font(heading ? d.HeadingFont : d.Font);
        const double lh = m_measure.LineHeight(font);
        FlowBlock flow{heading ? BlockKind::TableHeading : BlockKind::TableRow, 0, {}};
        double x = 0, height = 0;
        for (const Column& c : d.Columns) {
            const QString text = heading ? Evaluate(c.Caption, s, Format::Text) : Evaluate(c.Value, s, c.ValueFormat);
            const QStringList lines =
                CellLines(text, font, c.Width - 2 * kCellPad, c.Wrap, heading ? c.Caption : c.Value, s);
            AddText(b, m_left + x + kCellPad, kCellPad, c.Width - 2 * kCellPad, lh, lines, font, c.Alignment, {});
            height = std::max(height, lh * lines.size());
            if (m_sinks.FlowDone) // the flow's cells are for the RTF writer alone
                flow.Cells.push_back(FlowCell{x, c.Width, lines.join(QLatin1Char('\n')), font, c.Alignment});
            x += c.Width;
        }
        b.Height = height + 2 * kCellPad;
        if (heading && d.HeadingRule) {
            b.Rules.push_back(Rule{QLineF(m_left, b.Height, m_left + x, b.Height), 0.75});
            b.Height += 1.5;
        }
        flow.Height = b.Height;
        b.Flow.push_back(std::move(flow));
        return b;
    }

    void PutOnPage(const Block& b, double y, bool flow) {
        if (m_drawing) {
            for (size_t i = 0; i < b.Runs.size(); ++i) {
                TextRun run = b.Runs[i];
                run.Rect.translate(0, y);
                if (!b.PagePatterns[i].isEmpty()) {
                    if (m_sinks.PageCount > 0)
                        run.Text = PageNumberText(b.PagePatterns[i], m_pageNumber, m_sinks.PageCount);
                    else
                        m_pageRuns.push_back({size_t(m_pageNumber - 1), m_page.Runs.size(), b.PagePatterns[i]});
                }
                m_page.Runs.push_back(std::move(run));
            }
            for (Rule r : b.Rules) {
                r.Segment.translate(0, y);
                m_page.Rules.push_back(r);
            }
        }
        if (flow && m_sinks.FlowDone)
            for (const FlowBlock& f : b.Flow)
                m_sinks.FlowDone(FlowBlock(f));
    }

    // Hands the finished page on; the pass ends after its last wanted page.
    void EndPage() {
        if (m_drawing)
            m_sinks.PageDone(std::move(m_page), m_pageNumber);
        m_page = Page{};
        if (m_sinks.ToPage > 0 && m_pageNumber >= m_sinks.ToPage)
            throw LastPageDone{};
    }

    void StartPage() {
        if (m_pageNumber > 0)
            EndPage();
        ++m_pageNumber;
        m_drawing = m_sinks.PageDone && m_pageNumber >= m_sinks.FromPage;
    }

    void NewPage() {
        StartPage();
        PutOnPage(m_pageHeader, m_def.Margins.top(), false);
        PutOnPage(m_pageFooter, m_bottom, false);
        m_y = m_top;
        if (m_repeatHeading) {
            PutOnPage(*m_repeatHeading, m_y, false);
            m_y += m_repeatHeading->Height;
        }
        for (const std::optional<Block>& g : m_openGroups)
            if (g) {
                PutOnPage(*g, m_y, false);
                m_y += g->Height;
            }
        m_pageStart = m_y;
    }

    bool Fits(double height) const { return m_y + height <= m_bottom + 0.01; }
    bool AtPageTop() const { return m_y <= m_pageStart + 0.01; }

    // The room of a page below its header, column headings and repeated group headers.
    double FreshPageRoom() const {
        double used = m_repeatHeading ? m_repeatHeading->Height : 0;
        for (const std::optional<Block>& g : m_openGroups)
            used += g ? g->Height : 0;
        return m_bottom - m_top - used;
    }

    // A block that fits on a page is never split: when it does not fit here, it starts the next page.
    // A taller one starts here and continues line by line over the following pages, below their
    // header and headings.
    void Place(const Block& b, bool flow = true) {
        if (!Fits(b.Height) && !AtPageTop() && b.Height <= FreshPageRoom() + 0.01)
            NewPage();
        // What is still to be placed: the block itself, copied only once it is split. The flow goes
        // with the first part placed.
        const Block* part = &b;
        Block rest;
        bool withFlow = flow;
        while (!Fits(part->Height)) {
            double cut = CutPoint(*part, m_bottom - m_y);
            if (cut <= 0.01 && AtPageTop()) {
                // A line taller than a whole page: it goes alone, as much as the page holds.
                cut = m_bottom - m_y;
            }
            if (cut > 0.01) {
                auto [head, tail] = SplitBlock(*part, cut);
                PutOnPage(head, m_y, withFlow);
                withFlow = false;
                rest = std::move(tail);
                part = &rest;
            }
            NewPage();
        }
        PutOnPage(*part, m_y, withFlow);
        m_y += part->Height;
    }

    // Blocks that must share a page (group headers with the first row after them); of a last block
    // taller than a page, its first line.
    void PlaceTogether(const std::vector<Block>& blocks) {
        double height = 0;
        for (const Block& b : blocks)
            height += b.Height;
        const Block& last = blocks.back();
        if (last.Height > FreshPageRoom() + 0.01) {
            height -= last.Height;
            double firstLine = last.Height;
            for (const TextRun& r : last.Runs)
                firstLine = std::min(firstLine, r.Rect.bottom());
            height += firstLine;
        }
        if (!Fits(height) && !AtPageTop())
            NewPage();
        for (const Block& b : blocks)
            Place(b);
    }

    // A band with sub-reports: the lines between them are blocks of their own.
    void EmitBand(const Band& band, const Scope& s) {
        Block b;
        for (const Line& line : band.Lines) {
            if (line.Subreport.isEmpty()) {
                LayLine(b, line, s, nullptr);
                continue;
            }
            Place(b);
            b = Block{};
            EmitSubreport(*m_def.FindSubreport(line.Subreport));
        }
        if (b.Height > 0 || !b.Runs.empty())
            Place(b);
    }

    void EmitSubreport(const Subreport& sub) {
        auto it = m_in.SubreportRows.find(sub.Name);
        const RowSource* rows = it == m_in.SubreportRows.end() ? nullptr : it->second.get();
        const int count = rows ? rows->RowCount() : 0;
        std::vector<Block> start;
        if (!sub.Header.IsEmpty())
            start.push_back(LayBand(sub.Header, Scope{rows, 0, nullptr}));
        if (count == 0) {
            if (!sub.Empty.IsEmpty())
                start.push_back(LayBand(sub.Empty, Scope{rows, 0, nullptr}));
            PlaceTogether(start);
            return;
        }
        const bool table = !sub.RowDetail.RowBand;
        std::optional<Block> heading;
        if (table)
            start.push_back(*(heading = LayRow(sub.RowDetail, Scope{}, true)));
        start.push_back(LayRow(sub.RowDetail, Scope{rows, 0, nullptr}, false));
        const Block* saved = m_repeatHeading;
        PlaceTogether(start);
        if (heading)
            m_repeatHeading = &*heading;
        for (int r = 1; r < count; ++r)
            Place(LayRow(sub.RowDetail, Scope{rows, r, nullptr}, false));
        m_repeatHeading = saved;
    }

    void AddToTotals(Totals& t, const RowSource& source, int row) {
        ++t.Count;
        for (const QString& f : m_sumFields)
            t.Sums[f].Add(source.Value(row, m_columns.Of(source, f)).ToCurrency());
    }

    void LayReport() {
        const RowSource& rows = *m_in.Rows;
        const int count = rows.RowCount();
        EmitBand(m_def.ReportHeader, Scope{&rows, 0, nullptr});

        const Detail& d = m_def.RowDetail;
        const bool table = !d.RowBand;
        const Block heading = table ? LayRow(d, Scope{}, true) : Block{};
        bool headingPending = table; // placed with the first row, repeated on every page after it
        const size_t levels = m_def.Groups.size();
        std::vector<Totals> groupTotals(levels);
        std::vector<int> groupFirstRow(levels, 0);
        std::vector<QString> keys(levels);
        Totals reportTotals;

        auto closeGroups = [&](size_t from, int lastRow) {
            for (size_t k = levels; k-- > from;) {
                if (!m_def.Groups[k].Footer.IsEmpty())
                    Place(LayBand(m_def.Groups[k].Footer, Scope{&rows, lastRow, &groupTotals[k]}));
                groupTotals[k] = Totals{};
                m_openGroups[k].reset();
            }
        };
        m_openGroups.assign(levels, std::nullopt);

        for (int r = 0; r < count; ++r) {
            size_t changed = levels;
            for (size_t k = 0; k < levels; ++k) {
                const QString key = FieldText(Scope{&rows, r, nullptr}, m_def.Groups[k].Field, Format::Text);
                if (r == 0 || key != keys[k]) {
                    changed = std::min(changed, k);
                }
                keys[k] = key;
            }
            if (r > 0 && changed < levels)
                closeGroups(changed, r - 1);
            std::vector<Block> together;
            if (headingPending) {
                together.push_back(heading);
                headingPending = false;
            }
            for (size_t k = (r == 0 ? 0 : changed); k < levels; ++k)
                if (!m_def.Groups[k].Header.IsEmpty())
                    together.push_back(LayBand(m_def.Groups[k].Header, Scope{&rows, r, nullptr}));
            together.push_back(LayRow(d, Scope{&rows, r, nullptr}, false));
            if (together.size() > 1)
                PlaceTogether(together);
            else
                Place(together.front());
            for (size_t k = (r == 0 ? 0 : changed); k < levels; ++k)
                if (!m_def.Groups[k].Header.IsEmpty())
                    m_openGroups[k] = LayContinuedHeader(m_def.Groups[k].Header, Scope{&rows, r, nullptr});
            if (table)
                m_repeatHeading = &heading;
            for (Totals& t : groupTotals)
                AddToTotals(t, rows, r);
            AddToTotals(reportTotals, rows, r);
        }
        if (headingPending)
            Place(heading);
        if (count > 0)
            closeGroups(0, count - 1);
        m_repeatHeading = nullptr;
        m_openGroups.clear();
        EmitBand(m_def.ReportFooter, Scope{&rows, count - 1, &reportTotals});
    }

    // A label's lines: wrapped, at the largest size from the stock's font down to the smallest that
    // holds them all, then with the shorter forms; only beyond that cut, the last line ending in "…".
    QStringList LabelText(const LabelStock& stock, const Scope& scope, double width, double height, FontSpec& font) {
        // A value may hold several lines itself (an address in its format).
        const auto addLines = [](QStringList& lines, const QString& value) {
            for (const QString& part : value.split(QLatin1Char('\n')))
                if (!part.trimmed().isEmpty())
                    lines << part.trimmed();
        };
        QStringList full, shorter;
        for (const LabelLine& line : stock.Lines) {
            const QString text = Evaluate(line.Value, scope, Format::Text).trimmed();
            const QString brief = line.Shorter ? Evaluate(*line.Shorter, scope, Format::Text).trimmed() : text;
            addLines(full, text);
            addLines(shorter, brief.isEmpty() ? text : brief);
        }
        bool cut = false;
        QStringList out = FitLabelLines(m_measure, full, shorter, width, height, font, cut);
        if (cut && m_in.LabelCut)
            m_in.LabelCut(CutLabel{.Page = m_pageNumber, .Row = scope.Row, .FirstLine = full.value(0)});
        return out;
    }

    void LayLabels(const LabelStock& stock) {
        const RowSource& rows = *m_in.Rows;
        const int perSheet = stock.Columns * stock.Rows;
        const FontSpec base = Font(stock.Font);
        const double innerWidth = stock.Width - 2 * stock.Padding;
        const double innerHeight = stock.Height - 2 * stock.Padding;
        FlowBlock flowRow{BlockKind::LabelRow, stock.RowPitch, {}};
        for (int r = 0; r < rows.RowCount(); ++r) {
            const int index = r % perSheet;
            if (index == 0 && r > 0) {
                NewPage();
                if (m_sinks.FlowDone)
                    m_sinks.FlowDone(FlowBlock{BlockKind::PageBreak, 0, {}});
            }
            FontSpec font = base;
            const QStringList lines = LabelText(stock, Scope{&rows, r, nullptr}, innerWidth, innerHeight, font);
            const double lh = m_measure.LineHeight(font);
            const int col = index % stock.Columns;
            const int row = index / stock.Columns;
            const double x = stock.Left + col * stock.ColumnPitch + stock.Padding;
            const double y = stock.Top + row * stock.RowPitch + stock.Padding;
            if (m_drawing)
                for (qsizetype i = 0; i < lines.size(); ++i)
                    m_page.Runs.push_back(TextRun{QRectF(x, y + i * lh, innerWidth, lh), lines[i], font, Align::Left});
            if (m_sinks.FlowDone)
                flowRow.Cells.push_back(FlowCell{stock.Left + col * stock.ColumnPitch, stock.Width,
                                             lines.join(QLatin1Char('\n')), font, Align::Left});
            if (col == stock.Columns - 1 || r == rows.RowCount() - 1) {
                if (m_sinks.FlowDone)
                    m_sinks.FlowDone(std::move(flowRow));
                flowRow = FlowBlock{BlockKind::LabelRow, stock.RowPitch, {}};
            }
        }
    }

    const LayoutInput& m_in;
    const LayoutSinks& m_sinks;
    std::optional<LineBook::Reader> m_kept; // the lines an earlier pass measured, cell by cell
    const Definition& m_def;
    Document m_doc; // the frame only: pages and flow go to the sinks
    Page m_page;    // the page being made, when it is drawn
    int m_pageNumber = 0;
    bool m_drawing = false;
    TextMeasure m_measure;
    mutable FieldColumns m_columns;
    Block m_pageHeader, m_pageFooter;
    const Block* m_repeatHeading = nullptr;
    std::vector<QString> m_sumFields;
    std::vector<std::tuple<size_t, size_t, QString>> m_pageRuns;
    // Per group level: the header of the open group as it is repeated on a page the group continues on.
    std::vector<std::optional<Block>> m_openGroups;
    double m_left = 0, m_printWidth = 0, m_top = 0, m_bottom = 0, m_y = 0, m_pageStart = 0;
    bool m_suffixPending = false; // the continued word goes after the next text of the band being laid out
};

} // namespace

Document LayOut(const LayoutInput& input) {
    Document doc;
    LayoutSinks sinks;
    sinks.Begin = [&doc](const Document& frame) { doc = frame; };
    sinks.PageDone = [&doc](Page&& page, int) { doc.Pages.push_back(std::move(page)); };
    sinks.FlowDone = [&doc](FlowBlock&& block) { doc.Flow.push_back(std::move(block)); };
    Layouter layouter(input, sinks);
    const int pages = layouter.Run();
    for (const auto& [page, run, pattern] : layouter.PendingPageNumbers())
        doc.Pages[page].Runs[run].Text = PageNumberText(pattern, static_cast<int>(page) + 1, pages);
    return doc;
}

int LayOutInto(const LayoutInput& input, const LayoutSinks& sinks) {
    return Layouter(input, sinks).Run();
}

} // namespace platform::reportengine
