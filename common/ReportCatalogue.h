#pragma once

#include "common/ReportLayouts.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace amb {

// The report printer's procedures. A procedure that serves several reports (a contact list and its
// column view, two label stocks) tells them apart by the report's name.
enum class ReportProcedure {
    MemberDetails,
    FamilyDetails,
    GroupDetails,
    BalanceSheet,
    ExpenseSummary,
    OfferingSummary,
    ExpenseList,
    FamilyContactList,
    FamilyMailingLabel,
    GroupContactList,
    GroupMailingLabel,
    MemberContactList,
    MemberMailingLabel,
    MonthlyBirthdayList,
    EnvelopCodeList,
    OfferingList,
};

// One report of the catalogue: the report list's row and its definition file. The name is the
// internal name the report printer dispatches on, the report list's English entry and the English
// title printed on the pages, and the name of its file in the language's Report folder (with
// ".rpt"); the Korean name is the Korean entry and title; the options are the layout of the report
// window's options step and of the values handed on; the procedure prints it.
struct CatalogueReport {
    std::string_view name;
    std::string_view korean;
    ReportOptions options;
    ReportProcedure procedure;
};

// The mailing labels are the reports of the three label procedures.
constexpr bool IsMailingLabel(const CatalogueReport& report) {
    return report.procedure == ReportProcedure::FamilyMailingLabel ||
           report.procedure == ReportProcedure::GroupMailingLabel ||
           report.procedure == ReportProcedure::MemberMailingLabel;
}

// The definition file's name: the report's name and ".rpt".
inline std::string ReportFileName(const CatalogueReport& report) {
    return std::string(report.name) + ".rpt";
}

// The one list of the reports. The database's seed rows and the generator of the report definitions
// (resources/reports/catalogue.py reads the names from here) follow it; tests/reports check both.
// clang-format off
inline constexpr std::array kReportCatalogue{
    CatalogueReport{.name = "Balance Sheet", .korean = "재정 대차대조표",
        .options = ReportOptions::DateRange, .procedure = ReportProcedure::BalanceSheet},
    CatalogueReport{.name = "Envelop Code List", .korean = "헌금 봉투 번호 목록",
        .options = ReportOptions::Member, .procedure = ReportProcedure::EnvelopCodeList},
    CatalogueReport{.name = "Expense List", .korean = "지출 목록",
        .options = ReportOptions::ExpenseList, .procedure = ReportProcedure::ExpenseList},
    CatalogueReport{.name = "Expense Summary", .korean = "지출 요약",
        .options = ReportOptions::DateRange, .procedure = ReportProcedure::ExpenseSummary},
    CatalogueReport{.name = "Family Contact List", .korean = "가정 연락처 목록",
        .options = ReportOptions::Place, .procedure = ReportProcedure::FamilyContactList},
    CatalogueReport{.name = "Family Contact List - Column View", .korean = "가정 연락처 목록 - 표 형식",
        .options = ReportOptions::Place, .procedure = ReportProcedure::FamilyContactList},
    CatalogueReport{.name = "Family Mailing Label - Avery 5160", .korean = "가정 우편 라벨 - Avery 5160",
        .options = ReportOptions::Place, .procedure = ReportProcedure::FamilyMailingLabel},
    CatalogueReport{.name = "Family Mailing Label - Avery 5260", .korean = "가정 우편 라벨 - Avery 5260",
        .options = ReportOptions::Place, .procedure = ReportProcedure::FamilyMailingLabel},
    CatalogueReport{.name = "Group Contact List", .korean = "그룹 연락처 목록",
        .options = ReportOptions::GroupType, .procedure = ReportProcedure::GroupContactList},
    CatalogueReport{.name = "Group Contact List - Column View", .korean = "그룹 연락처 목록 - 표 형식",
        .options = ReportOptions::GroupType, .procedure = ReportProcedure::GroupContactList},
    CatalogueReport{.name = "Group Mailing Label - Avery 5160", .korean = "그룹 우편 라벨 - Avery 5160",
        .options = ReportOptions::GroupType, .procedure = ReportProcedure::GroupMailingLabel},
    CatalogueReport{.name = "Group Mailing Label - Avery 5260", .korean = "그룹 우편 라벨 - Avery 5260",
        .options = ReportOptions::GroupType, .procedure = ReportProcedure::GroupMailingLabel},
    CatalogueReport{.name = "Member Contact List", .korean = "교인 연락처 목록",
        .options = ReportOptions::Member, .procedure = ReportProcedure::MemberContactList},
    CatalogueReport{.name = "Member Contact List - Column View", .korean = "교인 연락처 목록 - 표 형식",
        .options = ReportOptions::Member, .procedure = ReportProcedure::MemberContactList},
    CatalogueReport{.name = "Member Mailing Label - Avery 5160", .korean = "교인 우편 라벨 - Avery 5160",
        .options = ReportOptions::Member, .procedure = ReportProcedure::MemberMailingLabel},
    CatalogueReport{.name = "Member Mailing Label - Avery 5260", .korean = "교인 우편 라벨 - Avery 5260",
        .options = ReportOptions::Member, .procedure = ReportProcedure::MemberMailingLabel},
    CatalogueReport{.name = "Monthly Birthday List", .korean = "월별 생일 목록",
        .options = ReportOptions::BirthdayMonth, .procedure = ReportProcedure::MonthlyBirthdayList},
    CatalogueReport{.name = "Offering List", .korean = "헌금 목록",
        .options = ReportOptions::OfferingList, .procedure = ReportProcedure::OfferingList},
    CatalogueReport{.name = "Offering Summary", .korean = "헌금 요약",
        .options = ReportOptions::DateRange, .procedure = ReportProcedure::OfferingSummary},
};
// clang-format on

// The catalogue's report of that internal name; null when there is none.
constexpr const CatalogueReport* FindCatalogueReport(std::string_view internalName) {
    for (const CatalogueReport& report : kReportCatalogue)
        if (report.name == internalName)
            return &report;
    return nullptr;
}

// The reports of one record, which the person, family and group windows and the main window's Print
// command ask for by name. They have no row in the report list, a fixed file and one key, "ID".
struct DetailsReport {
    std::string_view name;
    ReportProcedure procedure;
};
inline constexpr std::array kDetailsReports{
    DetailsReport{.name = "Member Details", .procedure = ReportProcedure::MemberDetails},
    DetailsReport{.name = "Family Details", .procedure = ReportProcedure::FamilyDetails},
    DetailsReport{.name = "Group Details", .procedure = ReportProcedure::GroupDetails},
};

// Whether the report reads that key of its layout: a key for the labels only is passed by the rest.
constexpr bool ReportReadsKey(const CatalogueReport& report, const ReportKey& key) {
    return !key.labelsOnly || IsMailingLabel(report);
}

namespace catalogue_checks {

constexpr bool EveryRowIsWhole() {
    for (const CatalogueReport& r : kReportCatalogue) {
        const auto options = static_cast<int32_t>(r.options);
        if (r.name.empty() || r.korean.empty() || options < 0 || options >= kReportOptionsCount)
            return false;
    }
    return true;
}

constexpr bool NamesAreUnique() {
    for (size_t i = 0; i < kReportCatalogue.size(); ++i)
        for (size_t j = i + 1; j < kReportCatalogue.size(); ++j) {
            const CatalogueReport& a = kReportCatalogue[i];
            const CatalogueReport& b = kReportCatalogue[j];
            if (a.name == b.name || a.korean == b.korean)
                return false;
        }
    return true;
}

// The report list is sorted by name; keeping the table in that order keeps its diffs readable.
constexpr bool SortedByInternalName() {
    for (size_t i = 1; i < kReportCatalogue.size(); ++i)
        if (!(kReportCatalogue[i - 1].name < kReportCatalogue[i].name))
            return false;
    return true;
}

// A details report is printed by a details procedure and shares no name with the catalogue.
constexpr bool DetailsStandApart() {
    for (const DetailsReport& d : kDetailsReports) {
        if (d.procedure != ReportProcedure::MemberDetails && d.procedure != ReportProcedure::FamilyDetails &&
            d.procedure != ReportProcedure::GroupDetails)
            return false;
        if (FindCatalogueReport(d.name))
            return false;
    }
    for (const CatalogueReport& r : kReportCatalogue)
        if (r.procedure == ReportProcedure::MemberDetails || r.procedure == ReportProcedure::FamilyDetails ||
            r.procedure == ReportProcedure::GroupDetails)
            return false;
    return true;
}

static_assert(EveryRowIsWhole(), "a catalogue row lacks a name or has a bad layout");
static_assert(DetailsStandApart(), "a details report in the catalogue, or a catalogue report printed as details");
static_assert(NamesAreUnique(), "two catalogue rows share a name");
static_assert(SortedByInternalName(), "keep the catalogue sorted by internal name");

} // namespace catalogue_checks

} // namespace amb
