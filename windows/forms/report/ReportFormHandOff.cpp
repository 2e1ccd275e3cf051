#include "windows/forms/report/ReportForm.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "contracts/IReportPrinter.h"
#include "platform/data/Dictionary.h"
#include "windows/forms/report/DestinationStep.h"
#include "windows/forms/report/OptionsStep.h"
#include "windows/forms/report/ReportListStep.h"

#include <QPushButton>

namespace amb::windows {

// The date range of the chosen layout ends no earlier than it starts; otherwise text 248 on the
// options step.
bool ReportForm::IsDateRangeValid() {
    return m_options->IsDateRangeValid(m_reports->Layout(), [this] { ShowTab(1); });
}

int32_t ReportForm::GenerateReport() {
    Trace(QStringLiteral("GenerateReport()"));
    if (m_destination->ToPrinter())
        return CrystalReportPrint(false, 0);
    return CrystalReportPrint(true, m_destination->ExportType());
}

int32_t ReportForm::CrystalReportPrint(bool printToFile, int32_t exportType) {
    return Member(QStringLiteral("CrystalReportPrint()"), int32_t{-2}, [&] {
        const IReportPrinterPtr printer = Printer();
        printer->Clear();
        printer->SetPrintToFile(printToFile);
        if (printToFile) {
            printer->SetExportFileName(m_destination->FileName());
            printer->SetExportFileType(static_cast<EnumReportExportType>(exportType));
        }
        printer->SetReportName(m_reports->InternalName());
        auto parameters = std::make_shared<platform::Dictionary>();
        m_options->AddLayoutParameters(m_reports->Layout(), *parameters);
        const int32_t result = static_cast<int32_t>(printer->PrintReport(parameters));
        parameters->RemoveAll();
        return result;
    });
}

void ReportForm::ShowReportResult(int32_t result) {
    if (result == static_cast<int32_t>(EnumReportError::Success)) {
        cmdCancel->setText(Text(res::kCaptionClose));
        return;
    }
    // A result without a text of its own (0, a report the printer does not know) would show an empty box.
    const QString message = GetReportErrorMessage(Hub(), static_cast<EnumReportError>(result));
    Support().ShowMessageText(message.isEmpty() ? Text(res::kMsgReportSystemError) : message);
}

} // namespace amb::windows
