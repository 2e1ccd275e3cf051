#pragma once

#include "platform/com/Object.h"
#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Document.h"
#include "platform/reportengine/Layout.h"
#include "platform/reportengine/PagedReport.h"
#include "platform/reportengine/RowSource.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace platform::reportengine {

struct PrintJob;

class Report;
using ReportPtr = std::shared_ptr<Report>;

// The operations a report printer uses, named as the old automation objects named them.

class ParameterField {
public:
    void ClearCurrentValueAndRange() { m_value.clear(); }
    void AddCurrentValue(const QString& value) { m_value = value; }
    const QString& CurrentValue() const { return m_value; }

private:
    QString m_value;
};

class DatabaseTable {
public:
    void SetDataSource(RowSourcePtr rows) { m_rows = std::move(rows); }
    const RowSourcePtr& DataSource() const { return m_rows; }

private:
    RowSourcePtr m_rows;
};

enum class ObjectKind { Field = 1, Text = 2, Line = 4, Subreport = 5 };

class ReportObject {
public:
    int Kind() const { return static_cast<int>(m_kind); }
    // A sub-report object only; others throw.
    ReportPtr OpenSubreport() const;
    QString SubreportName() const;

private:
    friend class Report;
    ObjectKind m_kind = ObjectKind::Text;
    QString m_subreport;
    Report* m_owner = nullptr;
};

class Section {
public:
    int ReportObjectsCount() const { return static_cast<int>(m_objects.size()); }
    const ReportObject& ReportObjects(int index) const; // 1-based

private:
    friend class Report;
    std::vector<ReportObject> m_objects;
};

enum class DestinationType { Disk = 1 };
enum class ExportFormat { RichText = 4, Pdf = 31 };

struct ExportOptions {
    void Reset() { *this = ExportOptions{}; }
    int DestinationType = 0;
    QString DiskFileName;
    int FormatType = 0;
};

class Report : public Object {
public:
    explicit Report(std::shared_ptr<const Definition> definition, const Subreport* sub = nullptr);
    ~Report() override;

    const Definition& GetDefinition() const { return *m_def; }
    QString Name() const;

    int ParameterFieldsCount() const { return static_cast<int>(m_parameters.size()); }
    ParameterField& ParameterFields(int index); // 1-based; a field the definition lacks throws
    DatabaseTable& Tables(int index);           // only table 1

    int SectionsCount() const { return static_cast<int>(m_sections.size()); }
    const Section& Sections(int index) const; // 1-based

    ExportOptions& GetExportOptions() { return m_exportOptions; }
    // Writes the file named by the export options through a temporary file renamed into place; an
    // earlier file stays when anything fails.
    void Export(bool prompt);

    void SelectPrinter(const QString& driver, const QString& device, const QString& port);
    // The report's paper, which a printer selection resets to the printer's and the caller sets back.
    QPageSize::PageSizeId PaperSize() const { return m_paperSize; }
    void SetPaperSize(QPageSize::PageSizeId value) { m_paperSize = value; }
    QPageLayout::Orientation PaperOrientation() const { return m_orientation; }
    void SetPaperOrientation(QPageLayout::Orientation value) { m_orientation = value; }

    // With prompt the print dialog decides; a cancelled dialog prints nothing and is no error.
    // Returns whether anything was printed.
    bool PrintOut(bool prompt, int copies = 1, bool collated = false, int startPage = 0, int stopPage = 0);

    // Date pattern (Qt notation) of date fields and the print date, and the print date itself (the
    // process clock's day when none is set).
    void SetDatePattern(const QString& pattern) { m_datePattern = pattern; }
    void SetPrintDate(const QDate& date) { m_printDate = date; }
    // The word added to a group header repeated on a page its group continues on.
    void SetContinuedText(const QString& text) { m_continuedText = text; }
    // Told of each label whose text is cut even at the smallest size (the row and its first line), once
    // its page is exported or printed.
    void SetLabelCutHandler(LabelCutHandler handler) { m_labelCut = std::move(handler); }
    // Told of each value cut in a cell that does not wrap (the row and the field).
    void SetValueCutHandler(ValueCutHandler handler) { m_valueCut = std::move(handler); }
    // How amount fields and sums read; none prints the plain stored form.
    void SetAmountFormat(AmountFormatter format) { m_amountFormat = std::move(format); }

    // The laid-out pages with the current parameters and data, all at once.
    Document LayOut() const;
    // The same pages made one at a time (what export, printing and the preview use).
    PagedReport Paginate() const;

private:
    // The layout's input on the report's paper; `def` holds the definition with that paper.
    LayoutInput Input(std::shared_ptr<const Definition>& def) const;
    void TellCutLabels(const std::vector<CutLabel>& labels) const;
    void PrintToFile(const PrintJob& job, const PagedReport& pages) const;

    friend class ReportObject;
    ReportPtr OpenSubreport(const QString& name);

    std::shared_ptr<const Definition> m_def;
    const Subreport* m_sub = nullptr; // set for a sub-report
    std::vector<ParameterField> m_parameters;
    DatabaseTable m_table;
    std::vector<Section> m_sections;
    std::map<QString, ReportPtr> m_subreports;
    ExportOptions m_exportOptions;
    QString m_printer;
    QPageSize::PageSizeId m_paperSize;
    QPageLayout::Orientation m_orientation;
    QString m_datePattern = QStringLiteral("M/d/yyyy");
    QDate m_printDate;
    QString m_continuedText;
    LabelCutHandler m_labelCut;
    ValueCutHandler m_valueCut;
    AmountFormatter m_amountFormat;
};

class Application {
public:
    // Reads the definition; a missing, unreadable or invalid file throws platform::Error.
    ReportPtr OpenReport(const QString& path);
};

} // namespace platform::reportengine
