#pragma once

#include "common/HubLink.h"
#include "common/ReportCatalogue.h"
#include "contracts/IApplication.h"
#include "contracts/IReportPrinter.h"
#include "platform/data/Recordset.h"
#include "platform/reportengine/Report.h"
#include "reports/ReportArguments.h"

#include <QString>

#include <memory>
#include <vector>

namespace amb::reports {

struct PersonStyle;

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
    EnumReportFailure LastFailure() override;
    QString LastFailureDetail() override;
    int32_t CutLabelCount() override;

    // A report procedure reads the values of its layout's keys by name.
    using Arguments = ReportArguments;
    // What tells one catalogue report from another (CatalogueReports.cpp).
    struct CatalogueReport;

private:
    // The procedure the catalogue names for the report (Dispatch.cpp).
    EnumReportError Run(ReportProcedure procedure, const Arguments& args);
    // The report procedures (DetailsReports.cpp).
    EnumReportError PrintMemberDetails(const Arguments& args);
    EnumReportError PrintGroupDetails(const Arguments& args);
    EnumReportError PrintFamilyDetails(const Arguments& args);
    // The catalogue reports (CatalogueReports.cpp): one procedure for all, described per kind.
    EnumReportError PrintBalanceSheet(const Arguments& args);
    EnumReportError PrintExpenseSummary(const Arguments& args);
    EnumReportError PrintOfferingSummary(const Arguments& args);
    EnumReportError PrintExpenseList(const Arguments& args);
    EnumReportError PrintFamilyContactList(const Arguments& args);
    EnumReportError PrintFamilyMailingLabel(const Arguments& args);
    EnumReportError PrintGroupContactList(const Arguments& args);
    EnumReportError PrintGroupMailingLabel(const Arguments& args);
    EnumReportError PrintMemberContactList(const Arguments& args);
    EnumReportError PrintMemberMailingLabel(const Arguments& args);
    EnumReportError PrintMonthlyBirthdayList(const Arguments& args);
    EnumReportError PrintEnvelopCodeList(const Arguments& args);
    EnumReportError PrintOfferingList(const Arguments& args);
    // Family and group details differ only in their queries and parameter fields 4 on.
    struct OwnerDetails;
    EnumReportError PrintOwnerDetails(const OwnerDetails& owner, int32_t id);

    EnumReportError PrintCatalogueReport(const CatalogueReport& kind, const Arguments& args);

    // The steps every report procedure shares (Pipeline.cpp).
    QString MakeReportFilePath(const QString& fileName);
    platform::reportengine::ReportPtr OpenReport(const QString& path);
    void SetDefaultReportParameters(platform::reportengine::Report& report, const QString& criteria);
    void SetParameter(platform::reportengine::Report& report, int number, const QString& value);
    void ExportReport(platform::reportengine::Report& report, const QString& procedure,
                      platform::reportengine::ExportFormat format);
    void ExportReportToRTFFile(platform::reportengine::Report& report);
    void ExportReportToPDFFile(platform::reportengine::Report& report);
    // `exportable`: a window also offers the report as a file, so a missing printer may say so.
    void SetReportPrinter(platform::reportengine::Report& report, bool exportable);
    // The export by type, or the default printer: through the print dialog, or one copy without it.
    void Output(platform::reportengine::Report& report, bool printDialog);
    IApplicationPtr Hub() const; // throws when no hub is attached
    IDatabaseManagerPtr Database() const;
    QString HeadName(const platform::RecordsetPtr& head) const;
    // The name locale and address format the rows' person fields follow.
    PersonStyle Style() const;

    HubLink m_hub{QStringLiteral("AmbReportPrinter.Printer")};
    QString m_reportName;
    bool m_printToFile = false;
    QString m_exportFileName;
    EnumReportExportType m_exportFileType = EnumReportExportType::RichTextFormatFile;
    platform::ObjectPtr m_reportViewer;
    EnumReportFailure m_lastFailure = EnumReportFailure::None;
    QString m_lastFailureDetail;
    int32_t m_cutLabels = 0; // of the last PrintReport
};

} // namespace amb::reports
