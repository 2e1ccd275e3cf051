#include "common/ErrorGuard.h"
#include "common/ReportCatalogue.h"
#include "platform/com/Error.h"
#include "reports/Printer.h"
#include "reports/PrinterName.h"

#include <limits>

namespace amb::reports {

namespace {

struct DispatchRow {
    std::vector<const char*> Names;
    Printer::Procedure Run;
};

// The details reports take the record's id; a catalogue report takes the keys of its option layout.
constexpr ReportKey kIdKey{.name = "ID", .value = ReportValue::Id};

std::vector<ReportKey> KeysOf(std::string_view reportName) {
    const CatalogueReport* report = FindCatalogueReport(reportName);
    if (!report)
        return {kIdKey};
    std::vector<ReportKey> keys;
    for (const ReportKey& key : LayoutOf(report->options).keys)
        if (ReportReadsKey(*report, key))
            keys.push_back(key);
    return keys;
}

} // namespace

// The 22 report names with their procedures.
struct DispatchTable {
    static const std::vector<DispatchRow>& Rows();
};

const std::vector<DispatchRow>& DispatchTable::Rows() {
    static const std::vector<DispatchRow> table{
        {{"Member Details"}, &Printer::PrintMemberDetails},
        {{"Family Details"}, &Printer::PrintFamilyDetails},
        {{"Group Details"}, &Printer::PrintGroupDetails},
        {{"Balance Sheet"}, &Printer::PrintBalanceSheet},
        {{"Expense Summary"}, &Printer::PrintExpenseSummary},
        {{"Offering Summary"}, &Printer::PrintOfferingSummary},
        {{"Expense List"}, &Printer::PrintExpenseList},
        {{"Family Contact List", "Family Contact List - Column View"}, &Printer::PrintFamilyContactList},
        {{"Family Mailing Label - Avery 5160", "Family Mailing Label - Avery 5260"}, &Printer::PrintFamilyMailingLabel},
        {{"Group Contact List", "Group Contact List - Column View"}, &Printer::PrintGroupContactList},
        {{"Group Mailing Label - Avery 5160", "Group Mailing Label - Avery 5260"}, &Printer::PrintGroupMailingLabel},
        {{"Member Contact List", "Member Contact List - Column View"}, &Printer::PrintMemberContactList},
        {{"Member Mailing Label - Avery 5160", "Member Mailing Label - Avery 5260"}, &Printer::PrintMemberMailingLabel},
        {{"Monthly Birthday List"}, &Printer::PrintMonthlyBirthdayList},
        {{"Envelop Code List"}, &Printer::PrintEnvelopCodeList},
        {{"Offering List"}, &Printer::PrintOfferingList},
    };
    return table;
}

namespace {

platform::Variant Convert(const platform::Dictionary& dict, const ReportKey& key) {
    const platform::Variant value = dict.Item(QString::fromLatin1(key.name.data(), qsizetype(key.name.size())));
    switch (key.value) {
    case ReportValue::Id:
        return AsLong(value);
    case ReportValue::Date:
        return AsDate(value);
    case ReportValue::Text:
        return AsString(value);
    case ReportValue::Flag: {
        const int32_t n = AsLong(value);
        if (n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
            throw platform::Error(platform::ErrorNumber::Overflow, QStringLiteral("Overflow"), PrinterObjectName());
        return static_cast<int16_t>(n);
    }
    }
    return {};
}

} // namespace

EnumReportFailure Printer::LastFailure() {
    return m_lastFailure;
}

EnumReportError Printer::PrintReport(const platform::DictionaryPtr& dict) {
    m_lastFailure = EnumReportFailure::None;
    return Guard(PrinterObjectName(), QStringLiteral("IReportPrinter_PrintReport()"), EnumReportError::SystemError,
                 [&] {
                     for (const DispatchRow& row : DispatchTable::Rows()) {
                         for (const char* name : row.Names) {
                             if (m_reportName != QLatin1String(name))
                                 continue;
                             if (!dict)
                                 throw platform::Error::ObjectNotSet(PrinterObjectName());
                             Arguments args;
                             for (const ReportKey& key : KeysOf(name))
                                 args.push_back(Convert(*dict, key));
                             return (this->*row.Run)(args);
                         }
                     }
                     return EnumReportError{0};
                 });
}

} // namespace amb::reports
