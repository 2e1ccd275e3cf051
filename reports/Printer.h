#pragma once

#include "common/HubLink.h"
#include "contracts/IApplication.h"
#include "contracts/IReportPrinter.h"

#include <QString>

#include <memory>

namespace amb::reports {

// "AmbReportPrinter.Printer": turns a report name and a parameter dictionary into a printed or
// exported report. Holds only the per-report properties; each PrintReport starts afresh.
class Printer final : public IReportPrinter {
public:
    Printer();
    ~Printer() override;

    IApplicationPtr AmbApplication() override;
    void SetAmbApplication(const IApplicationPtr& value) override;
    QString ReportName() override;
    void SetReportName(const QString& value) override;
    QString ExportFileName() override;
    void SetExportFileName(const QString& value) override;
    EnumReportExportType ExportFileType() override;
    void SetExportFileType(EnumReportExportType value) override;
    bool PrintToFile() override;
    void SetPrintToFile(bool value) override;
    platform::ObjectPtr ReportViewer() override;
    void SetReportViewer(const platform::ObjectPtr& value) override;

    void InitializeReportPrinter() override;
    void Clear() override;
    EnumReportError PrintReport(const platform::DictionaryPtr& dict) override;

private:
    HubLink m_hub{QStringLiteral("AmbReportPrinter.Printer")};
    QString m_reportName;
    bool m_printToFile = false;
    QString m_exportFileName;
    EnumReportExportType m_exportFileType = EnumReportExportType::RichTextFormatFile;
    platform::ObjectPtr m_reportViewer;
};

} // namespace amb::reports
