#pragma once

#include "contracts/IApplication.h"
#include "contracts/IReportPrinter.h"
#include "platform/data/Recordset.h"
#include "platform/reportengine/Report.h"

#include <QString>

#include <memory>
#include <vector>

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

    // One row of the dispatch table: its procedure gets the row's converted dictionary values.
    using Arguments = std::vector<platform::Variant>;
    using Procedure = EnumReportError (Printer::*)(const Arguments&);

private:
    friend struct DispatchTable;
    // The report procedures (DetailsReports.cpp and, until they exist, the stub of the other reports).
    EnumReportError PrintMemberDetails(const Arguments& args);
    EnumReportError PrintGroupDetails(const Arguments& args);
    EnumReportError PrintFamilyDetails(const Arguments& args);
    EnumReportError PrintNotYetAvailable(const Arguments& args);
    // Family and group details differ only in their queries and parameter fields 4 on.
    struct OwnerDetails;
    EnumReportError PrintOwnerDetails(const OwnerDetails& owner, int32_t id);

    // The steps every report procedure shares (Pipeline.cpp).
    QString MakeReportFilePath(const QString& fileName);
    platform::reportengine::ReportPtr OpenReport(const QString& path);
    void SetDefaultReportParameters(platform::reportengine::Report& report, const QString& criteria);
    void SetParameter(platform::reportengine::Report& report, int number, const QString& value);
    void ExportReport(platform::reportengine::Report& report, const QString& procedure,
                      platform::reportengine::ExportFormat format);
    void ExportReportToRTFFile(platform::reportengine::Report& report);
    void ExportReportToPDFFile(platform::reportengine::Report& report);
    void SetReportPrinter(platform::reportengine::Report& report);
    // The export by type, or one copy on the default printer without the dialog.
    void OutputDirect(platform::reportengine::Report& report);
    IApplicationPtr Hub() const; // throws when no hub is attached
    IDatabaseManagerPtr Database() const;
    QString HeadName(const platform::RecordsetPtr& head) const;

    // The hub owns the printer; a weak reference keeps the two from holding each other alive.
    std::weak_ptr<IApplication> m_ambApplication;
    QString m_reportName;
    bool m_printToFile = false;
    QString m_exportFileName;
    EnumReportExportType m_exportFileType = EnumReportExportType::RichTextFormatFile;
    platform::ObjectPtr m_reportViewer;
};

} // namespace amb::reports
