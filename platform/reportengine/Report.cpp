#include "platform/reportengine/Report.h"

#include "platform/com/Error.h"
#include "platform/data/Clock.h"
#include "platform/reportengine/Layout.h"
#include "platform/reportengine/PrintService.h"
#include "platform/reportengine/Render.h"
#include "platform/reportengine/ReportFile.h"

#include <QBuffer>

#include <algorithm>
#include <map>

namespace platform::reportengine {

namespace {

const QString kSource = QStringLiteral("ReportEngine");

// The pages chosen as the dialog's Pages box writes them ("2-5", "1,3-4").
QString PagesText(const PrintJob& job, int pageCount) {
    QStringList parts;
    for (const PageSpan& span : job.Spans()) {
        const int last = span.Last == 0 ? pageCount : span.Last;
        parts << (last <= span.First ? QString::number(span.First) : QStringLiteral("%1-%2").arg(span.First).arg(last));
    }
    return parts.join(u',');
}

PrintServicePtr& Service() {
    static PrintServicePtr service;
    return service;
}

} // namespace

RowSource::~RowSource() = default;
PrintService::~PrintService() = default;

std::vector<PageSpan> PrintJob::Spans() const {
    if (!Pages.empty())
        return Pages;
    if (FromPage > 0)
        return {PageSpan{.First = FromPage, .Last = std::max(FromPage, ToPage)}};
    return {PageSpan{.First = 1, .Last = 0}};
}

std::vector<int> PagesToDraw(const PrintJob& job, int pageCount, Output output) {
    std::vector<bool> chosen(static_cast<size_t>(std::max(0, pageCount)) + 1);
    for (const PageSpan& span : job.Spans()) {
        const int last = span.Last == 0 ? pageCount : std::min(span.Last, pageCount);
        for (int page = std::max(1, span.First); page <= last; ++page)
            chosen[page] = true;
    }
    std::vector<int> pages; // the report's own numbers decide odd and even, not the place among those chosen
    for (int page = 1; page <= pageCount; ++page)
        if (chosen[page] && (job.Set == PageSet::All || (page % 2 == 1) == (job.Set == PageSet::Odd)))
            pages.push_back(page);
    if (output == Output::Printer)
        return pages;
    if (job.Reverse)
        std::reverse(pages.begin(), pages.end());
    const int copies = std::max(1, job.Copies);
    std::vector<int> drawn;
    drawn.reserve(pages.size() * copies);
    for (int copy = 0; copy < (job.Collated ? copies : 1); ++copy)
        for (const int page : pages)
            drawn.insert(drawn.end(), job.Collated ? 1 : copies, page);
    return drawn;
}

void ForEachPageOf(const PrintJob& job, const PagedReport& report, Output output,
                   const std::function<void(const Page& page, int number)>& draw) {
    const std::vector<int> pages = PagesToDraw(job, report.PageCount(), output);
    if (pages.empty())
        return;
    std::vector<size_t> runs{0}; // where each ascending run begins, then the end
    for (size_t i = 1; i < pages.size(); ++i)
        if (pages[i] < pages[i - 1])
            runs.push_back(i);
    if (runs.size() <= static_cast<size_t>(std::max(1, job.Copies))) {
        runs.push_back(pages.size());
        for (size_t r = 0; r + 1 < runs.size(); ++r) {
            size_t next = runs[r];
            const size_t end = runs[r + 1];
            report.ForEachPage(pages[next], pages[end - 1], [&](const Page& page, int number) {
                for (; next < end && pages[next] == number; ++next)
                    draw(page, number);
            });
        }
        return;
    }
    // A pass a page would lay the report out once for every page drawn.
    std::map<int, Page> held;
    for (const int page : pages)
        held.try_emplace(page);
    report.ForEachPage(held.begin()->first, held.rbegin()->first, [&held](const Page& page, int number) {
        if (auto it = held.find(number); it != held.end())
            it->second = page;
    });
    for (const int page : pages)
        draw(held.at(page), page);
}

PrintServicePtr CurrentPrintService() {
    return Service();
}
void SetPrintService(PrintServicePtr service) {
    Service() = std::move(service);
}

RecordsetRowSource::RecordsetRowSource(RecordsetPtr set) : m_set(std::move(set)) {
    if (!m_set)
        throw Error::ObjectNotSet(kSource);
}
int RecordsetRowSource::RowCount() const {
    return m_set->RecordCount();
}
bool RecordsetRowSource::HasField(const QString& name) const {
    return m_set->HasField(name);
}
int RecordsetRowSource::FieldIndex(const QString& name) const {
    return m_set->FieldIndex(name);
}
Variant RecordsetRowSource::Value(int row, int column) const {
    return m_set->Value(row, column);
}

ReportPtr ReportObject::OpenSubreport() const {
    if (m_kind != ObjectKind::Subreport || !m_owner)
        throw Error(ErrorNumber::InvalidArgument, QStringLiteral("The report object is no sub-report"), kSource);
    return m_owner->OpenSubreport(m_subreport);
}

QString ReportObject::SubreportName() const {
    if (m_kind != ObjectKind::Subreport)
        throw Error(ErrorNumber::InvalidArgument, QStringLiteral("The report object is no sub-report"), kSource);
    return m_subreport;
}

const ReportObject& Section::ReportObjects(int index) const {
    if (index < 1 || index > ReportObjectsCount())
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("No report object %1").arg(index), kSource);
    return m_objects[index - 1];
}

Report::Report(std::shared_ptr<const Definition> definition, const Subreport* sub)
    : m_def(std::move(definition)), m_sub(sub), m_paperSize(m_def->PageSize), m_orientation(m_def->Orientation) {
    if (m_sub)
        return;
    m_parameters.resize(m_def->Parameters.size());
    // The objects of a section: per line its sub-report, its rule or its cells.
    auto sectionOf = [this](const Band& band) {
        Section s;
        for (const Line& line : band.Lines) {
            ReportObject o;
            o.m_owner = this;
            if (!line.Subreport.isEmpty()) {
                o.m_kind = ObjectKind::Subreport;
                o.m_subreport = line.Subreport;
                s.m_objects.push_back(o);
            } else if (line.Rule) {
                o.m_kind = ObjectKind::Line;
                s.m_objects.push_back(o);
            }
            for (const Cell& cell : line.Cells) {
                o.m_kind = cell.Value.Kind == ContentKind::Text ? ObjectKind::Text : ObjectKind::Field;
                s.m_objects.push_back(o);
            }
        }
        return s;
    };
    std::vector<const Band*> bands{&m_def->ReportHeader, &m_def->PageHeader};
    for (const Group& g : m_def->Groups)
        bands.push_back(&g.Header);
    Band detail;
    if (m_def->RowDetail.RowBand)
        detail = *m_def->RowDetail.RowBand;
    bands.push_back(&detail);
    for (auto g = m_def->Groups.rbegin(); g != m_def->Groups.rend(); ++g)
        bands.push_back(&g->Footer);
    bands.push_back(&m_def->ReportFooter);
    bands.push_back(&m_def->PageFooter);
    for (const Band* band : bands)
        m_sections.push_back(sectionOf(*band));
}

Report::~Report() = default;

QString Report::Name() const {
    return m_sub ? m_sub->Name : m_def->Name;
}

ParameterField& Report::ParameterFields(int index) {
    if (index < 1 || index > ParameterFieldsCount())
        throw Error(ErrorNumber::ItemNotFound,
                    QStringLiteral("The report \"%1\" has no parameter field %2").arg(Name()).arg(index), kSource);
    return m_parameters[index - 1];
}

DatabaseTable& Report::Tables(int index) {
    if (index != 1)
        throw Error(ErrorNumber::ItemNotFound,
                    QStringLiteral("The report \"%1\" has no table %2").arg(Name()).arg(index), kSource);
    return m_table;
}

const Section& Report::Sections(int index) const {
    if (index < 1 || index > SectionsCount())
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("No section %1").arg(index), kSource);
    return m_sections[index - 1];
}

ReportPtr Report::OpenSubreport(const QString& name) {
    auto it = m_subreports.find(name);
    if (it != m_subreports.end())
        return it->second;
    const Subreport* sub = m_def->FindSubreport(name);
    if (!sub)
        throw Error(ErrorNumber::ItemNotFound, QStringLiteral("No sub-report \"%1\"").arg(name), kSource);
    auto report = std::make_shared<Report>(m_def, sub);
    m_subreports.emplace(name, report);
    return report;
}

LayoutInput Report::Input(std::shared_ptr<const Definition>& def) const {
    if (m_sub)
        throw Error(ErrorNumber::InvalidArgument, QStringLiteral("A sub-report is laid out with its report"), kSource);
    auto paper = std::make_shared<Definition>(*m_def);
    paper->PageSize = m_paperSize;
    paper->Orientation = m_orientation;
    def = paper;
    LayoutInput in;
    in.Def = def.get();
    in.Rows = m_table.DataSource();
    for (const ParameterField& p : m_parameters)
        in.Parameters.push_back(p.CurrentValue());
    in.DatePattern = m_datePattern;
    in.FormatAmount = m_amountFormat;
    in.PrintDate = m_printDate.isValid() ? m_printDate : Today();
    in.ContinuedText = m_continuedText;
    in.ValueCut = m_valueCut;
    for (const auto& [name, sub] : m_subreports)
        in.SubreportRows[name] = sub->m_table.DataSource();
    return in;
}

Document Report::LayOut() const {
    std::shared_ptr<const Definition> def;
    LayoutInput in = Input(def);
    in.LabelCut = [this](const CutLabel& label) { TellCutLabels({label}); };
    return reportengine::LayOut(in);
}

void Report::TellCutLabels(const std::vector<CutLabel>& labels) const {
    if (m_labelCut)
        for (const CutLabel& label : labels)
            m_labelCut(label.Row, label.FirstLine);
}

PagedReport Report::Paginate() const {
    std::shared_ptr<const Definition> def;
    LayoutInput in = Input(def);
    return PagedReport(def, std::move(in));
}

void Report::Export(bool /*prompt*/) {
    const ExportOptions& o = m_exportOptions;
    if (o.DestinationType != static_cast<int>(DestinationType::Disk) || o.DiskFileName.isEmpty())
        throw Error(ErrorNumber::InvalidArgument, QStringLiteral("No export file is named"), kSource);
    const bool rtf = o.FormatType == static_cast<int>(ExportFormat::RichText);
    if (!rtf && o.FormatType != static_cast<int>(ExportFormat::Pdf))
        throw Error(ErrorNumber::InvalidArgument, QStringLiteral("Export format %1 is not known").arg(o.FormatType),
                    kSource);
    // The pages go to the file as they are made; the file takes its name only once it is whole.
    ReportFile file(o.DiskFileName);
    // Cut labels are told once the file is there, not for a file that failed.
    std::vector<CutLabel> cut;
    try {
        if (rtf) {
            std::shared_ptr<const Definition> def;
            LayoutInput in = Input(def);
            in.LabelCut = [&cut](const CutLabel& label) { cut.push_back(label); };
            WriteRtf(in, file);
        } else {
            const PagedReport pages = Paginate();
            WritePdf(pages, file);
            cut = pages.CutLabels(1, 0);
        }
    } catch (const Error&) {
        file.Rethrow();
    }
    file.Commit();
    TellCutLabels(cut);
}

void Report::SelectPrinter(const QString& /*driver*/, const QString& device, const QString& /*port*/) {
    m_printer = device;
    // A printer brings its own paper; the caller sets the report's back when it wants it.
    m_paperSize = QPageSize::Letter;
    m_orientation = QPageLayout::Portrait;
}

// The dialog's "Print to File (PDF)": the pages chosen, as the export writes them; the file takes its
// name only once it is whole.
void Report::PrintToFile(const PrintJob& job, const PagedReport& pages) const {
    ReportFile file(job.OutputFile);
    PdfPages pdf(pages.Frame(), file);
    ForEachPageOf(job, pages, Output::File, [&pdf](const Page& page, int) { pdf.Add(page); });
    pdf.Finish();
    file.Commit();
}

bool Report::PrintOut(bool prompt, int copies, bool collated, int startPage, int stopPage) {
    const PrintServicePtr service = CurrentPrintService();
    if (!service)
        throw Error(ErrorNumber::ObjectNotSet, QStringLiteral("No printing service"), kSource);
    const PagedReport pages = Paginate();
    PrintJob job;
    job.Printer = m_printer.isEmpty() ? service->DefaultPrinter().Device : m_printer;
    job.Title = Name();
    job.Copies = std::max(1, copies);
    job.Collated = collated;
    job.FromPage = startPage;
    job.ToPage = stopPage;
    if (prompt) {
        const std::optional<PrintJob> chosen = service->RunDialog(job, pages);
        if (!chosen)
            return false;
        job = *chosen;
        job.Prompted = true;
    }
    // The dialog lets pages through that the report lacks; printing the rest would pass for the whole.
    for (const PageSpan& span : job.Spans())
        if (span.First > pages.PageCount() || span.Last > pages.PageCount())
            throw PrintRefused(ErrorNumber::SubscriptOutOfRange,
                               QStringLiteral("The report \"%1\" has no page %2; it ends at page %3")
                                   .arg(Name())
                                   .arg(std::max(span.First, span.Last))
                                   .arg(pages.PageCount()),
                               QString::number(pages.PageCount()));
    // A page set that none of the pages chosen is of would print a blank sheet or an empty file.
    const std::vector<int> drawn = PagesToDraw(job, pages.PageCount(), Output::Printer);
    if (drawn.empty())
        throw PrintRefused(ErrorNumber::InvalidArgument,
                           QStringLiteral("None of the pages %1 of the report \"%2\" is of the page set chosen")
                               .arg(PagesText(job, pages.PageCount()), Name()),
                           PagesText(job, pages.PageCount()));
    if (!job.OutputFile.isEmpty()) {
        PrintToFile(job, pages);
    } else {
        if (job.Printer.isEmpty())
            throw Error(ErrorNumber::Unspecified, QStringLiteral("No default printer is set up"), kSource);
        service->Print(job, pages);
    }
    // Only the labels of the pages printed, and only once they were: a cancelled dialog tells none.
    std::vector<bool> printed(static_cast<size_t>(pages.PageCount()) + 1);
    for (const int page : drawn)
        printed[page] = true;
    std::vector<CutLabel> cut = pages.CutLabels(1, 0);
    std::erase_if(cut, [&printed](const CutLabel& label) { return !printed[label.Page]; });
    TellCutLabels(cut);
    return true;
}

ReportPtr Application::OpenReport(const QString& path) {
    return std::make_shared<Report>(std::make_shared<const Definition>(ReadDefinition(path)));
}

} // namespace platform::reportengine
