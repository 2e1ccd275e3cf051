#include "platform/reportengine/LayoutBlocks.h"

#include "platform/com/Error.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace platform::reportengine::layout {

namespace {

// Six points still reads on an envelope and lets a free-format address keep its last line (the ZIP);
// smaller is hard to read.
constexpr double kMinLabelSize = 6;

} // namespace

QString FormatValue(const Variant& v, Format format, const LayoutInput& in) {
    if (v.IsNull() || v.IsEmpty())
        return QString();
    switch (format) {
    case Format::Date: {
        const QDateTime d = v.ToDateTime();
        return d.isValid() ? d.toString(in.DatePattern) : v.ToString();
    }
    case Format::Currency:
        return FormatAmount(v.ToCurrency(), in);
    case Format::YesNo:
        return v.ToBool() ? in.Def->YesText : in.Def->NoText;
    case Format::Text:
        break;
    }
    switch (v.GetType()) {
    case Variant::Type::Date:
        return FormatValue(v, Format::Date, in);
    case Variant::Type::Currency:
        return FormatValue(v, Format::Currency, in);
    case Variant::Type::Boolean:
        return FormatValue(v, Format::YesNo, in);
    default:
        return v.ToString();
    }
}

QString FormatAmount(const Currency& amount, const LayoutInput& in) {
    return in.FormatAmount ? in.FormatAmount(amount) : amount.ToString(2);
}

int FieldColumns::Of(const RowSource& source, const QString& field) {
    for (const Entry& e : m_entries)
        if (e.Source == &source && e.Field == &field)
            return e.Column;
    const int column = source.FieldIndex(field);
    m_entries.push_back(Entry{&source, &field, column});
    return column;
}

void CollectFields(const Content& c, std::vector<QString>& fields, std::vector<QString>& sums) {
    if (c.Kind == ContentKind::Field)
        fields.push_back(c.Field);
    if (c.Kind == ContentKind::Sum)
        sums.push_back(c.Field);
    for (const Content& p : c.Parts)
        CollectFields(p, fields, sums);
}

void CollectBand(const Band& band, std::vector<QString>& fields, std::vector<QString>& sums) {
    for (const Line& line : band.Lines)
        for (const Cell& cell : line.Cells)
            CollectFields(cell.Value, fields, sums);
}

void CollectDetail(const Detail& d, std::vector<QString>& fields, std::vector<QString>& sums) {
    for (const Column& c : d.Columns)
        CollectFields(c.Value, fields, sums);
    if (d.RowBand)
        CollectBand(*d.RowBand, fields, sums);
}

void AddText(Block& b, double x, double y, double width, double lineHeight, const QStringList& lines,
             const FontSpec& font, Align align, const QString& pattern) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty() && pattern.isEmpty())
            continue;
        b.Runs.push_back(TextRun{QRectF(x, y + i * lineHeight, width, lineHeight), lines[i], font, align});
        b.PagePatterns.push_back(pattern);
    }
}

std::vector<QString> CheckBoundFields(const LayoutInput& in) {
    const Definition& def = *in.Def;
    std::vector<QString> fields, sums;
    for (const Band* b : {&def.ReportHeader, &def.ReportFooter})
        CollectBand(*b, fields, sums);
    for (const Group& g : def.Groups) {
        fields.push_back(g.Field);
        CollectBand(g.Header, fields, sums);
        CollectBand(g.Footer, fields, sums);
    }
    CollectDetail(def.RowDetail, fields, sums);
    if (def.Labels)
        for (const LabelLine& l : def.Labels->Lines) {
            CollectFields(l.Value, fields, sums);
            if (l.Shorter)
                CollectFields(*l.Shorter, fields, sums);
        }
    fields.insert(fields.end(), sums.begin(), sums.end());
    std::sort(sums.begin(), sums.end());
    sums.erase(std::unique(sums.begin(), sums.end()), sums.end()); // a field summed twice is added once
    if (!in.Rows)
        throw Error(ErrorNumber::ObjectNotSet,
                    QStringLiteral("No data is bound to table 1 of \"%1\"").arg(def.Name),
                    QStringLiteral("ReportEngine"));
    CheckFields(*in.Rows, fields, QStringLiteral("table 1 of \"%1\"").arg(def.Name));
    for (const Subreport& s : def.Subreports) {
        auto it = in.SubreportRows.find(s.Name);
        if (it == in.SubreportRows.end() || !it->second)
            continue;
        std::vector<QString> subFields, subSums;
        CollectDetail(s.RowDetail, subFields, subSums);
        CollectBand(s.Header, subFields, subSums);
        CheckFields(*it->second, subFields, QStringLiteral("the sub-report \"%1\"").arg(s.Name));
    }
    return sums;
}

QString ContentName(const Content& c, const QStringList& parameters) {
    // A parameter by the name the definition gives it ("parameter CompanyName"), which says what it holds.
    if (c.Kind == ContentKind::Parameter)
        return QStringLiteral("parameter ") + parameters.value(c.Parameter - 1, QString::number(c.Parameter));
    std::vector<QString> fields, sums;
    CollectFields(c, fields, sums);
    fields.insert(fields.end(), sums.begin(), sums.end());
    return QStringList(fields.begin(), fields.end()).join(QLatin1Char('+'));
}

void CheckFields(const RowSource& source, const std::vector<QString>& fields, const QString& what) {
    for (const QString& f : fields)
        if (!source.HasField(f))
            throw Error(ErrorNumber::ItemNotFound,
                        QStringLiteral("The data bound to %1 has no field \"%2\"").arg(what, f),
                        QStringLiteral("ReportEngine"));
}

double CutPoint(const Block& b, double room) {
    double cut = room;
    for (bool moved = true; moved;) {
        moved = false;
        for (const TextRun& r : b.Runs)
            if (r.Rect.top() < cut - 0.01 && r.Rect.bottom() > cut + 0.01) {
                cut = r.Rect.top();
                moved = true;
            }
    }
    return cut;
}

std::pair<Block, Block> SplitBlock(const Block& b, double cut) {
    Block head, tail;
    head.Height = cut;
    tail.Height = b.Height - cut;
    head.Flow = b.Flow;
    for (size_t i = 0; i < b.Runs.size(); ++i) {
        const bool above = b.Runs[i].Rect.bottom() <= cut + 0.01;
        Block& part = above ? head : tail;
        TextRun run = b.Runs[i];
        if (!above)
            run.Rect.translate(0, -cut);
        part.Runs.push_back(std::move(run));
        part.PagePatterns.push_back(b.PagePatterns[i]);
    }
    // The lines of a cell that goes on come last on the page, so that a reader copying the text finds
    // its continuation right after them, past the next page's header.
    std::vector<size_t> order(head.Runs.size());
    std::iota(order.begin(), order.end(), 0);
    auto continues = [&](size_t i) {
        return std::any_of(tail.Runs.begin(), tail.Runs.end(),
                           [&](const TextRun& t) { return std::abs(t.Rect.left() - head.Runs[i].Rect.left()) < 0.01; });
    };
    std::stable_partition(order.begin(), order.end(), [&](size_t i) { return !continues(i); });
    Block sorted;
    for (size_t i : order) {
        sorted.Runs.push_back(head.Runs[i]);
        sorted.PagePatterns.push_back(head.PagePatterns[i]);
    }
    head.Runs = std::move(sorted.Runs);
    head.PagePatterns = std::move(sorted.PagePatterns);
    for (Rule r : b.Rules) {
        if (r.Segment.y1() <= cut + 0.01) {
            head.Rules.push_back(r);
        } else {
            r.Segment.translate(0, -cut);
            tail.Rules.push_back(r);
        }
    }
    return {std::move(head), std::move(tail)};
}

QStringList FitLabelLines(TextMeasure& measure, const QStringList& full, const QStringList& shorter, double width,
                          double height, FontSpec& font, bool& cut) {
    const double smallest = std::min(font.Size, kMinLabelSize);
    auto wrapped = [&](const QStringList& lines, const FontSpec& f) {
        QStringList out;
        for (const QString& l : lines)
            out << measure.Lines(l, f, width, true);
        return out;
    };
    for (const QStringList* set : {&full, &shorter}) {
        if (set == &shorter && shorter == full)
            break;
        for (FontSpec f = font; f.Size >= smallest - 0.001; f.Size -= 0.5) {
            QStringList out = wrapped(*set, f);
            if (measure.LineHeight(f) * out.size() <= height + 0.01) {
                font = f;
                return out;
            }
        }
    }
    font.Size = smallest;
    QStringList out = wrapped(shorter, font);
    const int room = std::max(1, static_cast<int>((height + 0.01) / measure.LineHeight(font)));
    out = out.mid(0, room);
    QString& last = out.back();
    const QString mark(QChar(0x2026));
    while (!last.isEmpty() && measure.Width(last + mark, font) > width)
        last.chop(1);
    last = last.trimmed() + mark;
    cut = true;
    return out;
}

} // namespace platform::reportengine::layout
