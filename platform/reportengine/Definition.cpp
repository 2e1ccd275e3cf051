#include "platform/reportengine/Definition.h"

#include "platform/com/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <set>

namespace platform::reportengine {

namespace {

constexpr double kMaxLength = 5000; // points; far beyond any paper

// Reads one JSON object, remembering which keys were used so that any other key is an error.
class ObjectReader {
public:
    ObjectReader(const QJsonValue& value, QString path, const QString& file) : m_path(std::move(path)), m_file(file) {
        if (!value.isObject())
            Fail(m_path, QStringLiteral("an object expected"));
        m_object = value.toObject();
    }

    [[noreturn]] void Fail(const QString& path, const QString& message) const {
        throw Error(ErrorNumber::InvalidArgument, m_file + QStringLiteral(": ") + path + QStringLiteral(": ") + message,
                    QStringLiteral("ReportEngine"));
    }
    QString PathOf(const QString& key) const { return m_path + QLatin1Char('.') + key; }
    const QString& File() const { return m_file; }
    bool Has(const QString& key) const { return m_object.contains(key); }

    QJsonValue Take(const QString& key) {
        m_used.insert(key);
        return m_object.value(key);
    }
    double Number(const QString& key, double fallback, double low, double high) {
        const QJsonValue v = Take(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isDouble() || !std::isfinite(v.toDouble()) || v.toDouble() < low || v.toDouble() > high)
            Fail(PathOf(key), QStringLiteral("a number from %1 to %2 expected").arg(low).arg(high));
        return v.toDouble();
    }
    int Integer(const QString& key, int fallback, int low, int high) {
        const double n = Number(key, fallback, low, high);
        if (n != std::floor(n))
            Fail(PathOf(key), QStringLiteral("a whole number expected"));
        return static_cast<int>(n);
    }
    QString String(const QString& key, const QString& fallback) {
        const QJsonValue v = Take(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isString())
            Fail(PathOf(key), QStringLiteral("a text expected"));
        return v.toString();
    }
    QString RequiredString(const QString& key) {
        if (!Has(key))
            Fail(PathOf(key), QStringLiteral("missing"));
        const QString s = String(key, QString());
        if (s.isEmpty())
            Fail(PathOf(key), QStringLiteral("must not be empty"));
        return s;
    }
    bool Bool(const QString& key, bool fallback) {
        const QJsonValue v = Take(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            Fail(PathOf(key), QStringLiteral("true or false expected"));
        return v.toBool();
    }
    QJsonArray Array(const QString& key) {
        const QJsonValue v = Take(key);
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            Fail(PathOf(key), QStringLiteral("an array expected"));
        return v.toArray();
    }
    template <class T>
    T Choice(const QString& key, T fallback, std::initializer_list<std::pair<const char*, T>> names) {
        const QString s = String(key, QString());
        if (!Has(key))
            return fallback;
        QStringList known;
        for (const auto& [name, value] : names) {
            if (s == QLatin1String(name))
                return value;
            known << QLatin1String(name);
        }
        Fail(PathOf(key), QStringLiteral("one of ") + known.join(QStringLiteral(", ")) + QStringLiteral(" expected"));
    }
    void Finish() const {
        for (auto it = m_object.begin(); it != m_object.end(); ++it)
            if (!m_used.count(it.key()))
                Fail(PathOf(it.key()), QStringLiteral("unknown key"));
    }

private:
    QJsonObject m_object;
    QString m_path;
    const QString& m_file;
    std::set<QString> m_used;
};

QString Item(const QString& path, qsizetype i) {
    return path + QStringLiteral("[%1]").arg(i);
}

// Checks made once the whole definition is known: parameter numbers, fonts, sub-report names.
struct Context {
    const QString& File;
    int ParameterCount = 0;
    double PrintableWidth = 0; // cells, rules and tables end at the right margin
    const std::map<QString, FontSpec>* Fonts = nullptr;
    std::vector<std::pair<QString, QString>> SubreportUses; // name, path
};

Content ReadContent(ObjectReader& o, Context& ctx, bool allowTotals, int depth);

QString PastMargin(const Context& ctx) {
    return QStringLiteral("runs past the right margin (the printable width is %1)").arg(ctx.PrintableWidth);
}

// The content keys of a cell: exactly one of them.
const char* const kContentKeys[] = {"text",       "parameter", "field", "join", "first",
                                    "pageNumber", "printDate", "count", "sum"};

Content ReadContentValue(const QJsonValue& value, const QString& path, Context& ctx, bool allowTotals, int depth) {
    ObjectReader o(value, path, ctx.File);
    Content c = ReadContent(o, ctx, allowTotals, depth);
    o.Finish();
    return c;
}

Content ReadContent(ObjectReader& o, Context& ctx, bool allowTotals, int depth) {
    int found = 0;
    for (const char* key : kContentKeys)
        found += o.Has(QLatin1String(key)) ? 1 : 0;
    if (found != 1)
        o.Fail(o.PathOf(QStringLiteral("*")), QStringLiteral("exactly one of text, parameter, field, join, first, "
                                                             "pageNumber, printDate, count, sum expected"));
    Content c;
    if (o.Has(QStringLiteral("text"))) {
        c.Kind = ContentKind::Text;
        c.Text = o.String(QStringLiteral("text"), QString());
    } else if (o.Has(QStringLiteral("parameter"))) {
        c.Kind = ContentKind::Parameter;
        c.Parameter = o.Integer(QStringLiteral("parameter"), 0, 1, 99);
        if (c.Parameter > ctx.ParameterCount)
            o.Fail(o.PathOf(QStringLiteral("parameter")),
                   QStringLiteral("parameter %1 of %2 declared").arg(c.Parameter).arg(ctx.ParameterCount));
    } else if (o.Has(QStringLiteral("field"))) {
        c.Kind = ContentKind::Field;
        c.Field = o.RequiredString(QStringLiteral("field"));
    } else if (o.Has(QStringLiteral("join")) || o.Has(QStringLiteral("first"))) {
        const bool join = o.Has(QStringLiteral("join"));
        const QString key = join ? QStringLiteral("join") : QStringLiteral("first");
        c.Kind = join ? ContentKind::Join : ContentKind::First;
        const QJsonArray parts = o.Array(key);
        if (parts.isEmpty())
            o.Fail(o.PathOf(key), QStringLiteral("a non-empty array expected"));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QString path = Item(o.PathOf(key), i);
            if (parts[i].isString()) { // a field name, the usual member
                Content f;
                f.Kind = ContentKind::Field;
                f.Field = parts[i].toString();
                c.Parts.push_back(f);
                continue;
            }
            if (depth > 0) // a join inside a join or a first, no deeper
                o.Fail(path, QStringLiteral("a field name expected"));
            ObjectReader inner(parts[i], path, ctx.File);
            Content nested;
            nested.Kind = ContentKind::Join;
            nested.Separator = inner.String(QStringLiteral("separator"), QStringLiteral(" "));
            const QJsonArray fields = inner.Array(QStringLiteral("join"));
            if (fields.isEmpty())
                inner.Fail(inner.PathOf(QStringLiteral("join")), QStringLiteral("a non-empty array expected"));
            for (qsizetype k = 0; k < fields.size(); ++k) {
                if (!fields[k].isString())
                    inner.Fail(Item(inner.PathOf(QStringLiteral("join")), k), QStringLiteral("a field name expected"));
                Content f;
                f.Kind = ContentKind::Field;
                f.Field = fields[k].toString();
                nested.Parts.push_back(f);
            }
            inner.Finish();
            c.Parts.push_back(nested);
        }
        if (join)
            c.Separator = o.String(QStringLiteral("separator"), QStringLiteral(" "));
    } else if (o.Has(QStringLiteral("pageNumber"))) {
        c.Kind = ContentKind::PageNumber;
        c.Text = o.String(QStringLiteral("pageNumber"), QString());
        if (!c.Text.contains(QStringLiteral("%1")))
            o.Fail(o.PathOf(QStringLiteral("pageNumber")), QStringLiteral("a pattern with %1 expected"));
    } else if (o.Has(QStringLiteral("printDate"))) {
        c.Kind = ContentKind::PrintDate;
        if (!o.Bool(QStringLiteral("printDate"), true))
            o.Fail(o.PathOf(QStringLiteral("printDate")), QStringLiteral("true expected"));
    } else {
        const bool count = o.Has(QStringLiteral("count"));
        if (!allowTotals)
            o.Fail(o.PathOf(count ? QStringLiteral("count") : QStringLiteral("sum")),
                   QStringLiteral("totals belong in group and report footers"));
        if (count) {
            c.Kind = ContentKind::Count;
            if (!o.Bool(QStringLiteral("count"), true))
                o.Fail(o.PathOf(QStringLiteral("count")), QStringLiteral("true expected"));
        } else {
            c.Kind = ContentKind::Sum;
            c.Field = o.RequiredString(QStringLiteral("sum"));
        }
    }
    return c;
}

Align ReadAlign(ObjectReader& o) {
    return o.Choice<Align>(QStringLiteral("align"), Align::Left,
                           {{"left", Align::Left}, {"center", Align::Center}, {"right", Align::Right}});
}

Format ReadFormat(ObjectReader& o) {
    return o.Choice<Format>(
        QStringLiteral("format"), Format::Text,
        {{"text", Format::Text}, {"date", Format::Date}, {"currency", Format::Currency}, {"yesNo", Format::YesNo}});
}

QString ReadFont(ObjectReader& o, const Context& ctx, const QString& fallback) {
    const QString font = o.String(QStringLiteral("font"), fallback);
    if (!ctx.Fonts->count(font))
        o.Fail(o.PathOf(QStringLiteral("font")), QStringLiteral("font \"%1\" is not declared").arg(font));
    return font;
}

Band ReadBand(const QJsonValue& value, const QString& path, Context& ctx, bool allowTotals, bool allowSubreports) {
    Band band;
    ObjectReader o(value, path, ctx.File);
    const QJsonArray lines = o.Array(QStringLiteral("lines"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString linePath = Item(o.PathOf(QStringLiteral("lines")), i);
        ObjectReader l(lines[i], linePath, ctx.File);
        Line line;
        line.SpaceBefore = l.Number(QStringLiteral("spaceBefore"), 0, 0, kMaxLength);
        const int kinds = (l.Has(QStringLiteral("cells")) ? 1 : 0) + (l.Has(QStringLiteral("rule")) ? 1 : 0) +
                          (l.Has(QStringLiteral("subreport")) ? 1 : 0);
        if (kinds != 1)
            l.Fail(linePath, QStringLiteral("exactly one of cells, rule, subreport expected"));
        if (l.Has(QStringLiteral("rule"))) {
            line.Rule = l.Bool(QStringLiteral("rule"), true);
            if (!line.Rule)
                l.Fail(l.PathOf(QStringLiteral("rule")), QStringLiteral("true expected"));
            line.RuleX = l.Number(QStringLiteral("x"), 0, 0, kMaxLength);
            line.RuleWidth = l.Number(QStringLiteral("width"), 0, 0, kMaxLength);
            line.Thickness = l.Number(QStringLiteral("thickness"), 0.5, 0.1, 10);
            if (line.RuleX + line.RuleWidth > ctx.PrintableWidth + 0.01)
                l.Fail(linePath, PastMargin(ctx));
        } else if (l.Has(QStringLiteral("subreport"))) {
            if (!allowSubreports)
                l.Fail(l.PathOf(QStringLiteral("subreport")), QStringLiteral("sub-reports belong in the report header "
                                                                             "or footer"));
            line.Subreport = l.RequiredString(QStringLiteral("subreport"));
            ctx.SubreportUses.emplace_back(line.Subreport, l.PathOf(QStringLiteral("subreport")));
        } else {
            const QJsonArray cells = l.Array(QStringLiteral("cells"));
            for (qsizetype k = 0; k < cells.size(); ++k) {
                ObjectReader c(cells[k], Item(l.PathOf(QStringLiteral("cells")), k), ctx.File);
                Cell cell;
                cell.X = c.Number(QStringLiteral("x"), 0, 0, kMaxLength);
                cell.Width = c.Number(QStringLiteral("width"), 0, 1, kMaxLength);
                if (!c.Has(QStringLiteral("width")))
                    c.Fail(c.PathOf(QStringLiteral("width")), QStringLiteral("missing"));
                cell.Alignment = ReadAlign(c);
                cell.Font = ReadFont(c, ctx, QStringLiteral("body"));
                cell.Wrap = c.Bool(QStringLiteral("wrap"), false);
                cell.ValueFormat = ReadFormat(c);
                cell.Value = ReadContent(c, ctx, allowTotals, 0);
                c.Finish();
                if (cell.X + cell.Width > ctx.PrintableWidth + 0.01)
                    l.Fail(Item(l.PathOf(QStringLiteral("cells")), k), PastMargin(ctx));
                line.Cells.push_back(std::move(cell));
            }
        }
        l.Finish();
        band.Lines.push_back(std::move(line));
    }
    o.Finish();
    return band;
}

Detail ReadDetail(const QJsonValue& value, const QString& path, Context& ctx) {
    Detail d;
    ObjectReader o(value, path, ctx.File);
    if (o.Has(QStringLiteral("columns")) == o.Has(QStringLiteral("band")))
        o.Fail(path, QStringLiteral("exactly one of columns, band expected"));
    d.Font = ReadFont(o, ctx, QStringLiteral("body"));
    if (o.Has(QStringLiteral("band"))) {
        d.RowBand = ReadBand(o.Take(QStringLiteral("band")), o.PathOf(QStringLiteral("band")), ctx, false, false);
    } else {
        if (o.Has(QStringLiteral("headingFont"))) {
            d.HeadingFont = o.String(QStringLiteral("headingFont"), QString());
            if (!ctx.Fonts->count(d.HeadingFont))
                o.Fail(o.PathOf(QStringLiteral("headingFont")),
                       QStringLiteral("font \"%1\" is not declared").arg(d.HeadingFont));
        }
        d.HeadingRule = o.Bool(QStringLiteral("headingRule"), true);
        const QJsonArray columns = o.Array(QStringLiteral("columns"));
        double total = 0;
        if (columns.isEmpty())
            o.Fail(o.PathOf(QStringLiteral("columns")), QStringLiteral("a non-empty array expected"));
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QString colPath = Item(o.PathOf(QStringLiteral("columns")), i);
            ObjectReader c(columns[i], colPath, ctx.File);
            Column col;
            if (!c.Has(QStringLiteral("caption")) || !c.Has(QStringLiteral("value")) || !c.Has(QStringLiteral("width")))
                c.Fail(colPath, QStringLiteral("caption, value and width expected"));
            const QJsonValue caption = c.Take(QStringLiteral("caption"));
            if (caption.isString()) {
                col.Caption.Text = caption.toString();
            } else {
                col.Caption = ReadContentValue(caption, c.PathOf(QStringLiteral("caption")), ctx, false, 0);
                if (col.Caption.Kind != ContentKind::Text && col.Caption.Kind != ContentKind::Parameter)
                    c.Fail(c.PathOf(QStringLiteral("caption")), QStringLiteral("a text or a parameter expected"));
            }
            const QJsonValue v = c.Take(QStringLiteral("value"));
            col.Value = v.isString() ? Content{ContentKind::Field, {}, 0, v.toString(), {}, {}}
                                     : ReadContentValue(v, c.PathOf(QStringLiteral("value")), ctx, false, 0);
            col.Width = c.Number(QStringLiteral("width"), 0, 1, kMaxLength);
            col.Alignment = ReadAlign(c);
            col.Wrap = c.Bool(QStringLiteral("wrap"), true);
            col.ValueFormat = ReadFormat(c);
            c.Finish();
            total += col.Width;
            d.Columns.push_back(std::move(col));
        }
        if (total > ctx.PrintableWidth + 0.01)
            o.Fail(o.PathOf(QStringLiteral("columns")), PastMargin(ctx));
    }
    o.Finish();
    return d;
}

std::vector<LabelLine> ReadLabelLines(ObjectReader& o, Context& ctx) {
    std::vector<LabelLine> lines;
    const QJsonArray array = o.Array(QStringLiteral("lines"));
    if (array.isEmpty())
        o.Fail(o.PathOf(QStringLiteral("lines")), QStringLiteral("a non-empty array expected"));
    for (qsizetype i = 0; i < array.size(); ++i) {
        ObjectReader line(array[i], Item(o.PathOf(QStringLiteral("lines")), i), ctx.File);
        LabelLine l;
        if (line.Has(QStringLiteral("shorter")))
            l.Shorter = ReadContentValue(line.Take(QStringLiteral("shorter")), line.PathOf(QStringLiteral("shorter")),
                                         ctx, false, 0);
        l.Value = ReadContent(line, ctx, false, 0);
        line.Finish();
        lines.push_back(std::move(l));
    }
    return lines;
}

LabelStock ReadLabels(const QJsonValue& value, const QString& path, Context& ctx) {
    ObjectReader o(value, path, ctx.File);
    LabelStock s;
    for (const char* key : {"columns", "rows", "width", "height", "top", "left", "columnPitch", "rowPitch"})
        if (!o.Has(QLatin1String(key)))
            o.Fail(o.PathOf(QLatin1String(key)), QStringLiteral("missing"));
    s.Columns = o.Integer(QStringLiteral("columns"), 1, 1, 20);
    s.Rows = o.Integer(QStringLiteral("rows"), 1, 1, 50);
    s.Width = o.Number(QStringLiteral("width"), 0, 1, kMaxLength);
    s.Height = o.Number(QStringLiteral("height"), 0, 1, kMaxLength);
    s.Top = o.Number(QStringLiteral("top"), 0, 0, kMaxLength);
    s.Left = o.Number(QStringLiteral("left"), 0, 0, kMaxLength);
    s.ColumnPitch = o.Number(QStringLiteral("columnPitch"), 0, 1, kMaxLength);
    s.RowPitch = o.Number(QStringLiteral("rowPitch"), 0, 1, kMaxLength);
    s.Padding = o.Number(QStringLiteral("padding"), 4, 0, 72);
    s.Font = ReadFont(o, ctx, QStringLiteral("body"));
    s.Lines = ReadLabelLines(o, ctx);
    if (s.Width > s.ColumnPitch + 0.001 || s.Height > s.RowPitch + 0.001)
        o.Fail(path, QStringLiteral("a label is wider or taller than its pitch"));
    if (2 * s.Padding >= std::min(s.Width, s.Height))
        o.Fail(o.PathOf(QStringLiteral("padding")), QStringLiteral("the padding leaves no room"));
    o.Finish();
    return s;
}

} // namespace

const Subreport* Definition::FindSubreport(const QString& name) const {
    for (const Subreport& s : Subreports)
        if (s.Name == name)
            return &s;
    return nullptr;
}

QSizeF Definition::PageSizePoints() const {
    const QSizeF size = QPageSize(PageSize).size(QPageSize::Millimeter) * (72 / 25.4);
    return Orientation == QPageLayout::Landscape ? size.transposed() : size;
}

Definition ParseDefinition(const QByteArray& json, const QString& fileName) {
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw Error(ErrorNumber::InvalidArgument,
                    fileName + QStringLiteral(": offset %1: %2").arg(parseError.offset).arg(parseError.errorString()),
                    QStringLiteral("ReportEngine"));
    const QJsonValue root = doc.isObject() ? QJsonValue(doc.object()) : QJsonValue();
    ObjectReader o(root, QStringLiteral("$"), fileName);

    Definition d;
    d.File = fileName;
    d.Name = o.RequiredString(QStringLiteral("name"));
    if (o.Has(QStringLiteral("page"))) {
        ObjectReader page(o.Take(QStringLiteral("page")), o.PathOf(QStringLiteral("page")), fileName);
        d.PageSize = page.Choice<QPageSize::PageSizeId>(
            QStringLiteral("size"), QPageSize::Letter,
            {{"Letter", QPageSize::Letter}, {"A4", QPageSize::A4}, {"Legal", QPageSize::Legal}});
        d.Orientation = page.Choice<QPageLayout::Orientation>(
            QStringLiteral("orientation"), QPageLayout::Portrait,
            {{"portrait", QPageLayout::Portrait}, {"landscape", QPageLayout::Landscape}});
        if (page.Has(QStringLiteral("margins"))) {
            ObjectReader m(page.Take(QStringLiteral("margins")), page.PathOf(QStringLiteral("margins")), fileName);
            d.Margins = QMarginsF(
                m.Number(QStringLiteral("left"), 36, 0, 288), m.Number(QStringLiteral("top"), 36, 0, 288),
                m.Number(QStringLiteral("right"), 36, 0, 288), m.Number(QStringLiteral("bottom"), 36, 0, 288));
            m.Finish();
        }
        page.Finish();
    }
    const QSizeF pageSize = d.PageSizePoints();
    if (d.Margins.left() + d.Margins.right() >= pageSize.width() - 72 ||
        d.Margins.top() + d.Margins.bottom() >= pageSize.height() - 72)
        o.Fail(o.PathOf(QStringLiteral("page.margins")), QStringLiteral("the margins leave no room"));

    d.Fonts[QStringLiteral("body")] = FontSpec{};
    if (o.Has(QStringLiteral("fonts"))) {
        const QString path = o.PathOf(QStringLiteral("fonts"));
        const QJsonValue fonts = o.Take(QStringLiteral("fonts"));
        if (!fonts.isObject())
            o.Fail(path, QStringLiteral("an object expected"));
        const QJsonObject all = fonts.toObject();
        for (auto it = all.begin(); it != all.end(); ++it) {
            ObjectReader f(it.value(), path + QLatin1Char('.') + it.key(), fileName);
            FontSpec spec;
            spec.Size = f.Number(QStringLiteral("size"), 9, 4, 72);
            spec.Bold = f.Bool(QStringLiteral("bold"), false);
            spec.Italic = f.Bool(QStringLiteral("italic"), false);
            f.Finish();
            d.Fonts[it.key()] = spec;
        }
    }
    if (!d.Fonts.count(QStringLiteral("heading")))
        d.Fonts[QStringLiteral("heading")] = FontSpec{9, true, false};

    const QJsonArray params = o.Array(QStringLiteral("parameters"));
    for (qsizetype i = 0; i < params.size(); ++i) {
        if (!params[i].isString())
            o.Fail(Item(o.PathOf(QStringLiteral("parameters")), i), QStringLiteral("a text expected"));
        d.Parameters << params[i].toString();
    }
    if (o.Has(QStringLiteral("yesNo"))) {
        const QJsonArray yesNo = o.Array(QStringLiteral("yesNo"));
        if (yesNo.size() != 2 || !yesNo[0].isString() || !yesNo[1].isString())
            o.Fail(o.PathOf(QStringLiteral("yesNo")), QStringLiteral("two texts expected"));
        d.YesText = yesNo[0].toString();
        d.NoText = yesNo[1].toString();
    }

    Context ctx{fileName,
                static_cast<int>(d.Parameters.size()),
                pageSize.width() - d.Margins.left() - d.Margins.right(),
                &d.Fonts,
                {}};
    auto band = [&](const char* key, Band& target, bool totals, bool subreports) {
        if (o.Has(QLatin1String(key)))
            target = ReadBand(o.Take(QLatin1String(key)), o.PathOf(QLatin1String(key)), ctx, totals, subreports);
    };
    band("reportHeader", d.ReportHeader, false, true);
    band("pageHeader", d.PageHeader, false, false);
    band("pageFooter", d.PageFooter, false, false);
    band("reportFooter", d.ReportFooter, true, true);

    const QJsonArray groups = o.Array(QStringLiteral("groups"));
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString path = Item(o.PathOf(QStringLiteral("groups")), i);
        ObjectReader g(groups[i], path, fileName);
        Group group;
        group.Field = g.RequiredString(QStringLiteral("field"));
        if (g.Has(QStringLiteral("header")))
            group.Header =
                ReadBand(g.Take(QStringLiteral("header")), g.PathOf(QStringLiteral("header")), ctx, false, false);
        if (g.Has(QStringLiteral("footer")))
            group.Footer =
                ReadBand(g.Take(QStringLiteral("footer")), g.PathOf(QStringLiteral("footer")), ctx, true, false);
        g.Finish();
        d.Groups.push_back(std::move(group));
    }

    if (o.Has(QStringLiteral("labels")) == o.Has(QStringLiteral("detail")))
        o.Fail(QStringLiteral("$"), QStringLiteral("exactly one of detail, labels expected"));
    if (o.Has(QStringLiteral("labels"))) {
        d.Labels = ReadLabels(o.Take(QStringLiteral("labels")), o.PathOf(QStringLiteral("labels")), ctx);
        const LabelStock& s = *d.Labels;
        if (s.Left + (s.Columns - 1) * s.ColumnPitch + s.Width > pageSize.width() + 0.01 ||
            s.Top + (s.Rows - 1) * s.RowPitch + s.Height > pageSize.height() + 0.01)
            o.Fail(o.PathOf(QStringLiteral("labels")), QStringLiteral("the labels run off the paper"));
        if (!d.ReportHeader.IsEmpty() || !d.PageHeader.IsEmpty() || !d.PageFooter.IsEmpty() ||
            !d.ReportFooter.IsEmpty() || !d.Groups.empty())
            o.Fail(QStringLiteral("$"), QStringLiteral("label stock takes no bands or groups"));
    } else {
        d.RowDetail = ReadDetail(o.Take(QStringLiteral("detail")), o.PathOf(QStringLiteral("detail")), ctx);
    }

    const QJsonArray subs = o.Array(QStringLiteral("subreports"));
    for (qsizetype i = 0; i < subs.size(); ++i) {
        const QString path = Item(o.PathOf(QStringLiteral("subreports")), i);
        ObjectReader s(subs[i], path, fileName);
        Subreport sub;
        sub.Name = s.RequiredString(QStringLiteral("name"));
        if (d.FindSubreport(sub.Name))
            s.Fail(s.PathOf(QStringLiteral("name")), QStringLiteral("\"%1\" is defined twice").arg(sub.Name));
        if (s.Has(QStringLiteral("header")))
            sub.Header =
                ReadBand(s.Take(QStringLiteral("header")), s.PathOf(QStringLiteral("header")), ctx, false, false);
        if (s.Has(QStringLiteral("empty")))
            sub.Empty = ReadBand(s.Take(QStringLiteral("empty")), s.PathOf(QStringLiteral("empty")), ctx, false, false);
        if (!s.Has(QStringLiteral("detail")))
            s.Fail(s.PathOf(QStringLiteral("detail")), QStringLiteral("missing"));
        sub.RowDetail = ReadDetail(s.Take(QStringLiteral("detail")), s.PathOf(QStringLiteral("detail")), ctx);
        s.Finish();
        d.Subreports.push_back(std::move(sub));
    }
    for (const auto& [name, path] : ctx.SubreportUses)
        if (!d.FindSubreport(name))
            o.Fail(path, QStringLiteral("no sub-report \"%1\"").arg(name));
    o.Finish();
    return d;
}

Definition ReadDefinition(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("Cannot open the report file %1: %2").arg(path, file.errorString()),
                    QStringLiteral("ReportEngine"));
    return ParseDefinition(file.readAll(), QFileInfo(path).fileName());
}

} // namespace platform::reportengine
