#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/HelpFile.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"
#include "platform/reportengine/PrintService.h"
#include "platform/reportengine/SystemPrintService.h"
#include "reports/PersonFields.h"
#include "reports/Printer.h"
#include "reports/PrinterName.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace amb::reports {

namespace {
using platform::reportengine::Report;
using platform::reportengine::RowSource;

// What a report's parameter fields hold, as the log names them.
struct ParameterMeaning {
    const char* name;  // as the definitions declare it
    const char* holds; // begins the log line
};
constexpr ParameterMeaning kParameterMeanings[] = {
    {.name = "CompanyName", .holds = "The congregation's name"},
    {.name = "ReportName", .holds = "The report's name"},
    {.name = "Criteria", .holds = "The report's criteria"},
    {.name = "FamilyName", .holds = "The family's name"},
    {.name = "GroupName", .holds = "The group's name"},
    {.name = "GroupType", .holds = "The group's type"},
    {.name = "HeadName", .holds = "The head's name"},
    {.name = "HeadAddress", .holds = "The head's address"},
    {.name = "HeadPhoneNumber", .holds = "The head's phone number"},
    {.name = "HeadEMailAddress", .holds = "The head's e-mail address"},
};

// The parameter a cut value's name ("parameter CompanyName") stands for; none for a field.
const ParameterMeaning* FindParameter(const QString& what) {
    const QLatin1String prefix("parameter ");
    if (!what.startsWith(prefix))
        return nullptr;
    for (const ParameterMeaning& p : kParameterMeanings)
        if (what.mid(prefix.size()) == QLatin1String(p.name))
            return &p;
    return nullptr;
}

// Whose value a report could not print whole: the person's display name where the rows have one.
QString Whose(const RowSource* rows, int row) {
    if (!rows || row < 0 || row >= rows->RowCount())
        return QStringLiteral("the report");
    const QString name = QStringLiteral("DisplayName");
    return rows->HasField(name) ? rows->Value(row, rows->FieldIndex(name)).ToString().trimmed()
                                : QStringLiteral("row %1").arg(row + 1);
}

// The print dialog is the platform's, outside the windows and their message service: its F1 tells a
// help that could not be shown in a box of its own, over whichever window is modal then.
std::function<void()> HelpNotShownBox(const IApplicationPtr& hub, const QString& file) {
    return [text = HelpNotShownText(hub, file)] {
        QWidget* over = QApplication::activeModalWidget();
        QMessageBox::information(over, over ? over->windowTitle() : QString(), text);
    };
}

// The failure that a refused print or export keeps for its message, by the refusal's number.
struct RefusalCause {
    int32_t number;
    EnumReportFailure failure;
};
constexpr RefusalCause kRefusalCauses[] = {
    {.number = platform::ErrorNumber::SubscriptOutOfRange, .failure = EnumReportFailure::PagesPastEnd},
    {.number = platform::ErrorNumber::DiskFull, .failure = EnumReportFailure::DiskFull},
    {.number = platform::ErrorNumber::PathNotFound, .failure = EnumReportFailure::FileNotWritable},
    {.number = platform::ErrorNumber::InvalidArgument, .failure = EnumReportFailure::NoPageOfSet},
};

EnumReportFailure RefusalFailure(int32_t number) {
    for (const RefusalCause& cause : kRefusalCauses)
        if (cause.number == number)
            return cause.failure;
    return EnumReportFailure::FileNotWritable;
}

} // namespace

IApplicationPtr Printer::Hub() const {
    IApplicationPtr hub = m_hub.Hub();
    if (!hub)
        throw platform::Error::ObjectNotSet(PrinterObjectName());
    return hub;
}

IDatabaseManagerPtr Printer::Database() const {
    IDatabaseManagerPtr db = Hub()->DatabaseManager();
    if (!db)
        throw platform::Error::ObjectNotSet(PrinterObjectName());
    return db;
}

// The report file in the hub's report folder: a details report by its fixed name, unchecked (opening
// it tells); any other by its row of the Report table, when that file exists.
QString Printer::MakeReportFilePath(const QString& fileName) {
    return Guard(PrinterObjectName(), QStringLiteral("MakeReportFilePath()"), QString(), [&]() -> QString {
        const QString dir = Hub()->ReportDir();
        if (dir.isEmpty())
            return QString();
        if (!fileName.isEmpty())
            return QDir(dir).filePath(fileName);
        const platform::RecordsetPtr row = Database()->GetReportByName(m_reportName);
        if (!row || row->IsEOF())
            return QString();
        const QString path = QDir(dir).filePath(AsString(row->Field(QStringLiteral("FileName"))));
        return QFileInfo(path).isFile() ? path : QString();
    });
}

platform::reportengine::ReportPtr Printer::OpenReport(const QString& path) {
    platform::reportengine::ReportPtr report = platform::reportengine::Application().OpenReport(path);
    report->SetDatePattern(DatePattern(Hub()->DateFormat()));
    // Amounts read as the windows show them, without the currency symbol a column of figures repeats.
    report->SetAmountFormat([](const platform::Currency& amount) { return FormatAmount(amount, AmountStyle::Number); });
    // Labels repeat no group header; they need not read the string table.
    if (!report->GetDefinition().Labels)
        report->SetContinuedText(LoadResString(Hub(), res::kTextContinued));
    // A label whose text is cut even at the smallest size is named in the log, so it can be fixed by hand,
    // and counted, so that the window can say so; the report tells it only once its page went out.
    report->SetLabelCutHandler([this](int, const QString& firstLine) {
        ++m_cutLabels;
        WriteTraceLine(PrinterObjectName(), QStringLiteral("Output()"),
                       QStringLiteral("The label of %1 does not hold its whole text").arg(firstLine), 9);
    });
    report->SetValueCutHandler([](const RowSource* rows, int row, const QString& what) {
        // A parameter holds one value for the whole report, named by what it holds.
        if (const ParameterMeaning* parameter = FindParameter(what)) {
            WriteTraceLine(PrinterObjectName(), QStringLiteral("Output()"),
                           QStringLiteral("%1 does not fit its cell and ends with \u2026")
                               .arg(QString::fromUtf8(parameter->holds)),
                           9);
            return;
        }
        WriteTraceLine(
            PrinterObjectName(), QStringLiteral("Output()"),
            QStringLiteral("The %1 of %2 does not fit its cell and ends with \u2026").arg(what, Whose(rows, row)), 9);
    });
    return report;
}

PersonStyle Printer::Style() const {
    const IApplicationPtr hub = Hub();
    return PersonStyle{hub->NameLocaleID(), hub->DefaultAddressFormat()};
}

void Printer::SetParameter(Report& report, int number, const QString& value) {
    platform::reportengine::ParameterField& field = report.ParameterFields(number);
    field.ClearCurrentValueAndRange();
    field.AddCurrentValue(value);
}

void Printer::SetDefaultReportParameters(Report& report, const QString& criteria) {
    WriteTraceLine(PrinterObjectName(), QStringLiteral("SetDefaultReportParameters()"), QString(), 0);
    SetParameter(report, 1, Hub()->CompanyName());
    SetParameter(report, 2, m_reportName);
    SetParameter(report, 3, criteria);
}

// Both exports: the export options reset, a disk file of the given format, no prompt.
void Printer::ExportReport(Report& report, const QString& procedure, platform::reportengine::ExportFormat format) {
    WriteTraceLine(PrinterObjectName(), procedure, QString(), 0);
    platform::reportengine::ExportOptions& options = report.GetExportOptions();
    options.Reset();
    options.DestinationType = static_cast<int>(platform::reportengine::DestinationType::Disk);
    options.DiskFileName = m_exportFileName;
    options.FormatType = static_cast<int>(format);
    report.Export(false);
}

void Printer::ExportReportToRTFFile(Report& report) {
    ExportReport(report, QStringLiteral("ExportReportToRTFFile()"), platform::reportengine::ExportFormat::RichText);
}

void Printer::ExportReportToPDFFile(Report& report) {
    ExportReport(report, QStringLiteral("ExportReportToPDFFile()"), platform::reportengine::ExportFormat::Pdf);
}

// The platform's default printer; the report keeps its own paper size and orientation.
void Printer::SetReportPrinter(Report& report, bool exportable) {
    platform::reportengine::PrintServicePtr service = platform::reportengine::CurrentPrintService();
    if (!service) {
        service = std::make_shared<platform::reportengine::SystemPrintService>();
        platform::reportengine::SetPrintService(service);
    }
    // F1 in the print dialog opens the help, as in the window that prints.
    service->SetDialogHelp([hub = std::weak_ptr<IApplication>(Hub())] {
        OpenHelp(
            PrinterObjectName(), [&hub] { return HelpDocument(hub.lock()); },
            [&hub](const QString& file) { return HelpNotShownBox(hub.lock(), file); });
    });
    const platform::reportengine::PrinterInfo printer = service->DefaultPrinter();
    if (printer.Device.isEmpty()) {
        // A report that no window exports is not told to be exported.
        m_lastFailure = exportable ? EnumReportFailure::NoPrinter : EnumReportFailure::NoPrinterPrintOnly;
        throw platform::Error(platform::ErrorNumber::Unspecified, QStringLiteral("No default printer is set up"),
                              PrinterObjectName());
    }
    const QPageSize::PageSizeId paperSize = report.PaperSize();
    const QPageLayout::Orientation orientation = report.PaperOrientation();
    report.SelectPrinter(printer.Driver, printer.Device, printer.Port);
    report.SetPaperSize(paperSize);
    report.SetPaperOrientation(orientation);
}

void Printer::Output(Report& report, bool printDialog) {
    try {
        if (m_printToFile) {
            if (m_exportFileType == EnumReportExportType::RichTextFormatFile)
                ExportReportToRTFFile(report);
            else if (m_exportFileType == EnumReportExportType::PortableDocFormatFile)
                ExportReportToPDFFile(report);
            return; // the tab-delimited type gives no file here
        }
        // The reports printed without the dialog are the details reports, which no window exports.
        SetReportPrinter(report, printDialog);
        if (printDialog) {
            // Copies, collation, pages and a file instead of the printer are the dialog's.
            report.PrintOut(true);
        } else {
            report.PrintOut(false, 1, false);
        }
    } catch (const platform::reportengine::PrintRefused& e) {
        // The causes a person can mend are kept for the message; the procedure's handler logs the error.
        m_lastFailure = RefusalFailure(e.Number());
        m_lastFailureDetail = e.Subject();
        throw;
    }
}

} // namespace amb::reports
