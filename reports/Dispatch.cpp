#include "common/ErrorGuard.h"
#include "platform/com/Error.h"
#include "reports/Printer.h"
#include "reports/PrinterName.h"

#include <limits>

namespace amb::reports {

namespace {

// How a dictionary value is read: AsLong, AsDate, AsString, or AsLong narrowed to 16 bits.
enum class Read { Long, Date, Text, Int16 };

struct Key {
    const char* Name;
    Read As;
};

struct DispatchRow {
    std::vector<const char*> Names;
    std::vector<Key> Keys;
    Printer::Procedure Run;
};

const std::vector<Key> kId{{"ID", Read::Long}};
const std::vector<Key> kRange{{"DateStart", Read::Date}, {"DateEnd", Read::Date}};
const std::vector<Key> kPlace{{"City", Read::Text}, {"State", Read::Text}, {"ZipCode", Read::Text}};
const std::vector<Key> kMember{{"MemberClassificationID", Read::Long},
                               {"AgeClassificationID", Read::Long},
                               {"MemberStatusID", Read::Long},
                               {"SexID", Read::Long},
                               {"MaritalStatusID", Read::Long},
                               {"IsBaptized", Read::Int16},
                               {"IsMember", Read::Int16},
                               {"City", Read::Text},
                               {"State", Read::Text},
                               {"ZipCode", Read::Text}};

std::vector<Key> Plus(std::vector<Key> keys, std::initializer_list<Key> more) {
    keys.insert(keys.end(), more);
    return keys;
}

} // namespace

// The 22 report names with their keys in argument order.
struct DispatchTable {
    static const std::vector<DispatchRow>& Rows();
};

const std::vector<DispatchRow>& DispatchTable::Rows() {
    static const std::vector<DispatchRow> table{
        {{"Member Details"}, kId, &Printer::PrintMemberDetails},
        {{"Family Details"}, kId, &Printer::PrintFamilyDetails},
        {{"Group Details"}, kId, &Printer::PrintGroupDetails},
        {{"Balance Sheet"}, kRange, &Printer::PrintBalanceSheet},
        {{"Expense Summary"}, kRange, &Printer::PrintExpenseSummary},
        {{"Offering Summary"}, kRange, &Printer::PrintOfferingSummary},
        {{"Expense List"}, Plus(kRange, {{"ExpenseTypeID", Read::Long}}), &Printer::PrintExpenseList},
        {{"Family Contact List", "Family Contact List - Column View"}, kPlace, &Printer::PrintFamilyContactList},
        {{"Family Mailing Label - Avery 5160", "Family Mailing Label - Avery 5260"},
         kPlace,
         &Printer::PrintFamilyMailingLabel},
        {{"Group Contact List", "Group Contact List - Column View"},
         {{"GroupTypeID", Read::Long}},
         &Printer::PrintGroupContactList},
        {{"Group Mailing Label - Avery 5160", "Group Mailing Label - Avery 5260"},
         {{"GroupTypeID", Read::Long}},
         &Printer::PrintGroupMailingLabel},
        {{"Member Contact List", "Member Contact List - Column View"}, kMember, &Printer::PrintMemberContactList},
        {{"Member Mailing Label - Avery 5160", "Member Mailing Label - Avery 5260"},
         Plus(kMember, {{"AddressName", Read::Text}}),
         &Printer::PrintMemberMailingLabel},
        {{"Monthly Birthday List"}, {{"Month", Read::Long}}, &Printer::PrintMonthlyBirthdayList},
        {{"Envelop Code List"}, kMember, &Printer::PrintEnvelopCodeList},
        {{"Offering List"},
         Plus(kRange, {{"OfferingTypeID", Read::Long}, {"PersonID", Read::Long}}),
         &Printer::PrintOfferingList},
    };
    return table;
}

namespace {

platform::Variant Convert(const platform::Dictionary& dict, const Key& key) {
    const platform::Variant value = dict.Item(QLatin1String(key.Name));
    switch (key.As) {
    case Read::Long:
        return AsLong(value);
    case Read::Date:
        return AsDate(value);
    case Read::Text:
        return AsString(value);
    case Read::Int16: {
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
                             for (const Key& key : row.Keys)
                                 args.push_back(Convert(*dict, key));
                             return (this->*row.Run)(args);
                         }
                     }
                     return EnumReportError{0};
                 });
}

} // namespace amb::reports
