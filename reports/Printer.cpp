#include "reports/Printer.h"

#include "reports/PrinterName.h"

#include "common/ErrorGuard.h"
#include "platform/com/Error.h"

namespace amb::reports {

namespace {

const QString kObject = PrinterObjectName();

} // namespace

Printer::Printer() = default;
Printer::~Printer() = default;

IApplicationPtr Printer::AmbApplication() {
    return Guard(kObject, QStringLiteral("Get_IReportPrinter_AmbApplication()"), IApplicationPtr(),
                 [&] { return m_hub.Hub(); });
}

// The library's trace and log lines go through the hub's writer from here on. Detaching (none) keeps
// the writer, so the lines of the shutdown still have somewhere to go.
void Printer::SetAmbApplication(const IApplicationPtr& value) {
    Guard(kObject, QStringLiteral("Set_IReportPrinter_AmbApplication()"), [&] { m_hub.Attach(value); });
}

QString Printer::ReportName() {
    return Guard(kObject, QStringLiteral("Get_IReportPrinter_ReportName()"), QString(), [&] { return m_reportName; });
}

void Printer::SetReportName(const QString& value) {
    Guard(kObject, QStringLiteral("Let_IReportPrinter_ReportName()"), [&] { m_reportName = value; });
}

QString Printer::ExportFileName() {
    return Guard(kObject, QStringLiteral("Get_IReportPrinter_ExportFileName()"), QString(),
                 [&] { return m_exportFileName; });
}

void Printer::SetExportFileName(const QString& value) {
    Guard(kObject, QStringLiteral("Let_IReportPrinter_ExportFileName()"), [&] { m_exportFileName = value; });
}

EnumReportExportType Printer::ExportFileType() {
    return Guard(kObject, QStringLiteral("Get_IReportPrinter_ExportFileType()"),
                 EnumReportExportType::RichTextFormatFile, [&] { return m_exportFileType; });
}

void Printer::SetExportFileType(EnumReportExportType value) {
    Guard(kObject, QStringLiteral("Let_IReportPrinter_ExportFileType()"), [&] { m_exportFileType = value; });
}

bool Printer::PrintToFile() {
    return Guard(kObject, QStringLiteral("Get_IReportPrinter_PrintToFile()"), false, [&] { return m_printToFile; });
}

void Printer::SetPrintToFile(bool value) {
    Guard(kObject, QStringLiteral("Let_IReportPrinter_PrintToFile()"), [&] { m_printToFile = value; });
}

// The viewer pair writes no trace lines.
platform::ObjectPtr Printer::ReportViewer() {
    return m_reportViewer;
}

void Printer::SetReportViewer(const platform::ObjectPtr& value) {
    m_reportViewer = value;
}

void Printer::InitializeReportPrinter() {
    Guard(kObject, QStringLiteral("IReportPrinter_InitializeReportPrinter()"), [] {});
}

// Resets what belongs to one report; the export type, the viewer and the hub stay.
void Printer::Clear() {
    m_printToFile = false;
    m_reportName.clear();
    m_exportFileName.clear();
}

} // namespace amb::reports
