#include "platform/reportengine/Render.h"

#include "platform/com/Error.h"

#include <QBuffer>

#include <cmath>

namespace platform::reportengine {

namespace {

int Twips(double points) {
    return static_cast<int>(std::lround(points * 20));
}

bool HasHangul(const QString& text) {
    for (QChar c : text) {
        const ushort u = c.unicode();
        if ((u >= 0x1100 && u <= 0x11FF) || (u >= 0x3130 && u <= 0x318F) || (u >= 0xAC00 && u <= 0xD7AF))
            return true;
    }
    return false;
}

// Text as RTF: the three special characters escaped, anything beyond ASCII as \uN? (signed 16-bit
// units), line breaks as \line.
QByteArray Escape(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            out += ' ';
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            out += "\\u" + QByteArray::number(static_cast<short>(u)) + '?';
        }
    }
    return out;
}

QByteArray Run(const QString& text, const FontSpec& font) {
    QByteArray out = "{\\f" + QByteArray(HasHangul(text) ? "1" : "0") + "\\fs" +
                     QByteArray::number(static_cast<int>(std::lround(font.Size * 2)));
    if (font.Bold)
        out += "\\b";
    if (font.Italic)
        out += "\\i";
    return out + ' ' + Escape(text) + '}';
}

const char* AlignWord(Align a) {
    switch (a) {
    case Align::Center:
        return "\\qc";
    case Align::Right:
        return "\\qr";
    case Align::Left:
        break;
    }
    return "\\ql";
}

// One table row. Cells keep their places: a gap before a cell becomes an empty cell.
void WriteRow(QByteArray& out, const std::vector<FlowCell>& cells, BlockKind kind, double height, double originX) {
    out += "\\trowd\\trgaph30\\trleft0";
    if (kind == BlockKind::TableHeading)
        out += "\\trhdr";
    if (kind == BlockKind::LabelRow)
        out += "\\trrh-" + QByteArray::number(Twips(height));
    QByteArray texts;
    double edge = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        const FlowCell& c = cells[i];
        const double x = c.X - originX;
        if (x > edge + 0.5) {
            out += "\\cellx" + QByteArray::number(Twips(x));
            texts += "\\pard\\intbl\\cell ";
        }
        if (kind == BlockKind::TableHeading)
            out += "\\clbrdrb\\brdrs\\brdrw10";
        // A label cell runs to the next label, so the table keeps the stock's pitch.
        const double right =
            kind == BlockKind::LabelRow && i + 1 < cells.size() ? cells[i + 1].X - originX : x + c.Width;
        out += "\\cellx" + QByteArray::number(Twips(right));
        texts += "\\pard\\intbl" + QByteArray(AlignWord(c.Alignment)) + ' ' + Run(c.Text, c.Font) + "\\cell ";
        edge = right;
    }
    out += '\n' + texts + "\\row\n";
}

// A band, rule or empty line between a table's heading and its end, written as a row of the table's own
// columns: readers keep one table only while the rows share their cell edges, and repeat the heading
// row only at the top of its table. A band cell takes the columns that start inside it (merged), or else
// the column it starts in; two cells in one column share it.
void WriteGridRow(QByteArray& out, const std::vector<FlowCell>& grid, const FlowBlock& b) {
    const size_t n = grid.size();
    std::vector<int> owner(n, -1);
    std::vector<QByteArray> texts(n);
    for (size_t i = 0; i < b.Cells.size(); ++i) {
        const FlowCell& c = b.Cells[i];
        if (c.Text.isEmpty())
            continue;
        std::vector<size_t> columns;
        for (size_t k = 0; k < n; ++k)
            if (owner[k] < 0 && grid[k].X >= c.X - 0.5 && grid[k].X < c.X + c.Width - 0.5)
                columns.push_back(k);
        if (columns.empty()) {
            size_t k = 0;
            while (k + 1 < n && grid[k + 1].X <= c.X + 0.5)
                ++k;
            if (!texts[k].isEmpty()) {
                texts[k] += ' ' + Run(c.Text, c.Font);
                continue;
            }
            columns.push_back(k);
        }
        for (size_t k : columns)
            owner[k] = static_cast<int>(i);
        texts[columns.front()] = QByteArray(AlignWord(c.Alignment)) + ' ' + Run(c.Text, c.Font);
    }
    out += "\\trowd\\trgaph30\\trleft0";
    if (b.Kind == BlockKind::Rule || b.Cells.empty())
        out += "\\trrh-" + QByteArray::number(Twips(std::max(1.0, b.Height)));
    QByteArray cellTexts;
    for (size_t k = 0; k < n; ++k) {
        const bool merged = k > 0 && owner[k] >= 0 && owner[k] == owner[k - 1];
        const bool starts = owner[k] >= 0 && k + 1 < n && owner[k + 1] == owner[k] && !merged;
        if (starts)
            out += "\\clmgf";
        if (merged)
            out += "\\clmrg";
        if (b.Kind == BlockKind::Rule)
            out += "\\clbrdrb\\brdrs\\brdrw10";
        out += "\\cellx" + QByteArray::number(Twips(grid[k].X + grid[k].Width));
        cellTexts += "\\pard\\intbl" +
                     (texts[k].isEmpty() ? QByteArray(b.Cells.empty() || b.Kind == BlockKind::Rule ? "\\fs4 " : " ")
                                         : texts[k]) +
                     "\\cell ";
    }
    out += '\n' + cellTexts + "\\row\n";
}

// A page header or footer: one paragraph per line, its cells at tab stops; "%1" and "%2" become the
// page and page-count fields.
QByteArray Heading(const char* word, const FlowHeading& heading) {
    if (heading.Lines.empty())
        return {};
    QByteArray out = QByteArray("{\\") + word + ' ';
    for (const auto& line : heading.Lines) {
        out += "\\pard\\plain";
        for (const FlowCell& c : line) {
            if (c.Alignment == Align::Center)
                out += "\\tqc\\tx" + QByteArray::number(Twips(c.X + c.Width / 2));
            else if (c.Alignment == Align::Right)
                out += "\\tqr\\tx" + QByteArray::number(Twips(c.X + c.Width));
            else if (c.X > 0)
                out += "\\tx" + QByteArray::number(Twips(c.X));
        }
        out += ' ';
        for (const FlowCell& c : line) {
            if (c.Alignment != Align::Left || c.X > 0)
                out += "\\tab ";
            QByteArray text = Run(c.Text, c.Font);
            text.replace("%1", "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}");
            text.replace("%2", "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}");
            out += text;
        }
        out += "\\par\n";
    }
    return out + "}\n";
}

// The RTF of a document as it is laid out: the frame's paper and headings, then each block.
class RtfBlocks {
public:
    explicit RtfBlocks(QIODevice& device) : m_device(device) {}

    void Begin(const Document& doc) {
        m_originX = doc.Margins.left();
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
                         "{\\fonttbl{\\f0\\fswiss\\fcharset0 DejaVu Sans;}{\\f1\\fnil\\fcharset129 NanumGothic;}}\n"
                         "{\\info{\\title " +
                         Escape(doc.Title) + "}}\n";
        out += "\\paperw" + QByteArray::number(Twips(doc.PageSize.width())) + "\\paperh" +
               QByteArray::number(Twips(doc.PageSize.height()));
        out += "\\margl" + QByteArray::number(Twips(doc.Margins.left())) + "\\margr" +
               QByteArray::number(Twips(doc.Margins.right())) + "\\margt" +
               QByteArray::number(Twips(doc.Margins.top())) + "\\margb" +
               QByteArray::number(Twips(doc.Margins.bottom()));
        if (doc.Orientation == QPageLayout::Landscape)
            out += "\\landscape";
        out += "\\sectd\n";
        out += Heading("header", doc.Header);
        out += Heading("footer", doc.Footer);
        Write(out);
    }

    void Add(const FlowBlock& b) {
        QByteArray out;
        switch (b.Kind) {
        case BlockKind::PageBreak:
            m_grid.clear();
            out += "\\pard\\page\n";
            break;
        case BlockKind::Rule:
            if (!m_grid.empty())
                WriteGridRow(out, m_grid, b);
            else
                out += "\\pard\\plain\\sl-20\\slmult0\\brdrb\\brdrs\\brdrw10\\fs4 \\par\n";
            break;
        case BlockKind::Band:
            if (!m_grid.empty())
                WriteGridRow(out, m_grid, b);
            else if (b.Cells.empty())
                out += "\\pard\\plain\\fs4 \\par\n";
            else
                WriteRow(out, b.Cells, b.Kind, b.Height, 0);
            break;
        case BlockKind::TableHeading:
            m_grid = b.Cells;
            WriteRow(out, b.Cells, b.Kind, b.Height, 0);
            break;
        case BlockKind::TableRow:
            WriteRow(out, b.Cells, b.Kind, b.Height, 0);
            break;
        case BlockKind::LabelRow:
            WriteRow(out, b.Cells, b.Kind, b.Height, m_originX);
            break;
        }
        Write(out);
    }

    void Finish() { Write("\\pard\\par\n}\n"); }

private:
    void Write(const QByteArray& bytes) {
        if (m_device.write(bytes) != bytes.size())
            throw Error(ErrorNumber::Unspecified, QStringLiteral("Cannot write the RTF file: %1").arg(m_device.errorString()),
                        QStringLiteral("ReportEngine"));
    }

    QIODevice& m_device;
    double m_originX = 0;
    // The columns of the table being written: from its heading row until a page break or the next
    // heading; every row in between keeps them.
    std::vector<FlowCell> m_grid;
};

} // namespace

QByteArray WriteRtf(const Document& doc) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    RtfBlocks rtf(buffer);
    rtf.Begin(doc);
    for (const FlowBlock& b : doc.Flow)
        rtf.Add(b);
    rtf.Finish();
    return data;
}

void WriteRtf(const LayoutInput& input, QIODevice& device) {
    RtfBlocks rtf(device);
    StreamFlow(input, [&rtf](const Document& frame) { rtf.Begin(frame); }, [&rtf](FlowBlock&& b) { rtf.Add(b); });
    rtf.Finish();
}

} // namespace platform::reportengine
