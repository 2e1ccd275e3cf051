#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace platform::reportengine {

// A report definition as read from its JSON file. README.md beside this file is the reference of
// the format; every length is in points (1/72 in).

struct FontSpec {
    double Size = 9;
    bool Bold = false;
    bool Italic = false;
};

enum class ContentKind { Text, Parameter, Field, Join, First, PageNumber, PrintDate, Count, Sum };

// What a cell shows. Join and First hold their members in Parts (a join's members may be joins).
struct Content {
    ContentKind Kind = ContentKind::Text;
    QString Text;      // Text: the literal; PageNumber: the pattern with %1 (page) and %2 (pages)
    int Parameter = 0; // Parameter: 1-based number
    QString Field;     // Field and Sum: the bound set's field
    QString Separator; // Join
    std::vector<Content> Parts;
};

enum class Format { Text, Date, Currency, YesNo };
enum class Align { Left, Center, Right };

struct Cell {
    double X = 0;
    double Width = 0;
    Align Alignment = Align::Left;
    QString Font; // a key of Definition::Fonts
    bool Wrap = false;
    Format ValueFormat = Format::Text;
    Content Value;
};

// One line of a band: cells side by side, a rule across, or a sub-report.
struct Line {
    double SpaceBefore = 0;
    std::vector<Cell> Cells;
    bool Rule = false;
    double RuleX = 0, RuleWidth = 0, Thickness = 0.5; // a rule's width 0 spans the printable width
    QString Subreport;
};

struct Band {
    std::vector<Line> Lines;
    bool IsEmpty() const { return Lines.empty(); }
};

struct Column {
    Content Caption; // a literal or a parameter
    double Width = 0;
    Align Alignment = Align::Left;
    bool Wrap = true;
    Format ValueFormat = Format::Text;
    Content Value;
};

// Rows as a table of columns under a repeated heading, or each row as a free band.
struct Detail {
    std::vector<Column> Columns;
    std::optional<Band> RowBand;
    QString Font = QStringLiteral("body");
    QString HeadingFont = QStringLiteral("heading");
    bool HeadingRule = true;
};

struct Group {
    QString Field;
    Band Header;
    Band Footer;
};

// A label line, and optionally a shorter form of it used when the label's text does not fit otherwise.
struct LabelLine {
    Content Value;
    std::optional<Content> Shorter;
};

struct LabelStock {
    int Columns = 1, Rows = 1;
    double Width = 0, Height = 0, Top = 0, Left = 0, ColumnPitch = 0, RowPitch = 0, Padding = 4;
    QString Font = QStringLiteral("body");
    std::vector<LabelLine> Lines; // each label line; an empty line is dropped
};

struct Subreport {
    QString Name;
    Band Header;
    Detail RowDetail;
    Band Empty; // shown in place of the rows when there are none
};

struct Definition {
    QString File; // for messages
    QString Name;
    QPageSize::PageSizeId PageSize = QPageSize::Letter;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    QMarginsF Margins{36, 36, 36, 36};
    std::map<QString, FontSpec> Fonts;
    QStringList Parameters; // the names of parameter fields 1..n
    QString YesText = QStringLiteral("Yes");
    QString NoText = QStringLiteral("No");
    Band ReportHeader, PageHeader, PageFooter, ReportFooter;
    std::vector<Group> Groups;
    Detail RowDetail;
    std::optional<LabelStock> Labels;
    std::vector<Subreport> Subreports;

    const Subreport* FindSubreport(const QString& name) const;
    QSizeF PageSizePoints() const;
};

// Strict reading: an unknown key, a wrong type or a number out of range throws platform::Error
// whose description names the file and the JSON path ("Member Details.rpt: $.detail.columns[2].width: ...").
Definition ParseDefinition(const QByteArray& json, const QString& fileName);
Definition ReadDefinition(const QString& path);

} // namespace platform::reportengine
