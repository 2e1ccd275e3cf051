#include "common/ErrorGuard.h"
#include "common/ReportCatalogue.h"
#include "platform/com/Error.h"
#include "reports/Printer.h"
#include "reports/PrinterName.h"

#include <optional>

namespace amb::reports {

namespace {

// What the report of a name reads and which procedure prints it.
struct Dispatched {
    ReportProcedure procedure;
    std::vector<ReportKey> keys;
};

// The catalogue report of that name reads its layout's keys (the labels' keys only where it prints
// labels); a details report reads the record's id. Nothing for a name neither knows.
std::optional<Dispatched> Find(const QString& reportName) {
    const QByteArray name = reportName.toUtf8();
    const std::string_view wanted(name.constData(), std::size_t(name.size()));
    if (const amb::CatalogueReport* report = FindCatalogueReport(wanted)) {
        Dispatched found{.procedure = report->procedure, .keys = {}};
        for (const ReportKey& key : LayoutOf(report->options).keys)
            if (ReportReadsKey(*report, key))
                found.keys.push_back(key);
        return found;
    }
    for (const DetailsReport& details : kDetailsReports)
        if (details.name == wanted)
            return Dispatched{.procedure = details.procedure, .keys = {report_keys::kId}};
    return std::nullopt;
}

} // namespace

EnumReportError Printer::Run(ReportProcedure procedure, const Arguments& args) {
    switch (procedure) {
    case ReportProcedure::MemberDetails:
        return PrintMemberDetails(args);
    case ReportProcedure::FamilyDetails:
        return PrintFamilyDetails(args);
    case ReportProcedure::GroupDetails:
        return PrintGroupDetails(args);
    case ReportProcedure::BalanceSheet:
        return PrintBalanceSheet(args);
    case ReportProcedure::ExpenseSummary:
        return PrintExpenseSummary(args);
    case ReportProcedure::OfferingSummary:
        return PrintOfferingSummary(args);
    case ReportProcedure::ExpenseList:
        return PrintExpenseList(args);
    case ReportProcedure::FamilyContactList:
        return PrintFamilyContactList(args);
    case ReportProcedure::FamilyMailingLabel:
        return PrintFamilyMailingLabel(args);
    case ReportProcedure::GroupContactList:
        return PrintGroupContactList(args);
    case ReportProcedure::GroupMailingLabel:
        return PrintGroupMailingLabel(args);
    case ReportProcedure::MemberContactList:
        return PrintMemberContactList(args);
    case ReportProcedure::MemberMailingLabel:
        return PrintMemberMailingLabel(args);
    case ReportProcedure::MonthlyBirthdayList:
        return PrintMonthlyBirthdayList(args);
    case ReportProcedure::EnvelopCodeList:
        return PrintEnvelopCodeList(args);
    case ReportProcedure::OfferingList:
        return PrintOfferingList(args);
    }
    return EnumReportError{0};
}

EnumReportFailure Printer::LastFailure() {
    return m_lastFailure;
}

QString Printer::LastFailureDetail() {
    return m_lastFailureDetail;
}

int32_t Printer::CutLabelCount() {
    return m_cutLabels;
}

EnumReportError Printer::PrintReport(const platform::DictionaryPtr& dict) {
    m_lastFailure = EnumReportFailure::None;
    m_lastFailureDetail.clear();
    m_cutLabels = 0;
    return Guard(PrinterObjectName(), QStringLiteral("IReportPrinter_PrintReport()"), EnumReportError::SystemError,
                 [&] {
                     const std::optional<Dispatched> found = Find(m_reportName);
                     if (!found)
                         return EnumReportError{0};
                     if (!dict)
                         throw platform::Error::ObjectNotSet(PrinterObjectName());
                     return Run(found->procedure, ReportArguments::Read(*dict, found->keys));
                 });
}

} // namespace amb::reports
