#pragma once

#include "common/ReportLayouts.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace amb {

// One report of the catalogue: the report list's row and its definition file. The internal name is
// what the report printer dispatches on; the English and Korean names are the report list's entries
// and the titles printed on the pages; the file is found in the language's Report folder; the
// options are the layout of the report window's options step and of the values handed on.
struct CatalogueReport {
    std::string_view internalName;
    std::string_view english;
    std::string_view korean;
    std::string_view fileName;
    ReportOptions options;
};

// The mailing labels are the reports whose names say so.
constexpr bool IsMailingLabel(const CatalogueReport& report) {
    return report.internalName.find("Mailing Label") != std::string_view::npos;
}

// The one list of the reports. The database's seed rows and the generator of the report definitions
// (resources/reports/catalogue.py reads the names from here) follow it; tests/reports check both.
// clang-format off
inline constexpr std::array kReportCatalogue{
    CatalogueReport{.internalName = "Balance Sheet", .english = "Balance Sheet", .korean = "재정 대차대조표",
        .fileName = "Balance Sheet.rpt", .options = ReportOptions::DateRange},
    CatalogueReport{.internalName = "Envelop Code List", .english = "Envelop Code List", .korean = "헌금 봉투 번호 목록",
        .fileName = "Envelop Code List.rpt", .options = ReportOptions::Member},
    CatalogueReport{.internalName = "Expense List", .english = "Expense List", .korean = "지출 목록",
        .fileName = "Expense List.rpt", .options = ReportOptions::ExpenseList},
    CatalogueReport{.internalName = "Expense Summary", .english = "Expense Summary", .korean = "지출 요약",
        .fileName = "Expense Summary.rpt", .options = ReportOptions::DateRange},
    CatalogueReport{.internalName = "Family Contact List", .english = "Family Contact List", .korean = "가정 연락처 목록",
        .fileName = "Family Contact List.rpt", .options = ReportOptions::Place},
    CatalogueReport{.internalName = "Family Contact List - Column View", .english = "Family Contact List - Column View",
        .korean = "가정 연락처 목록 - 표 형식", .fileName = "Family Contact List - Column View.rpt",
        .options = ReportOptions::Place},
    CatalogueReport{.internalName = "Family Mailing Label - Avery 5160", .english = "Family Mailing Label - Avery 5160",
        .korean = "가정 우편 라벨 - Avery 5160", .fileName = "Family Mailing Label - Avery 5160.rpt",
        .options = ReportOptions::Place},
    CatalogueReport{.internalName = "Family Mailing Label - Avery 5260", .english = "Family Mailing Label - Avery 5260",
        .korean = "가정 우편 라벨 - Avery 5260", .fileName = "Family Mailing Label - Avery 5260.rpt",
        .options = ReportOptions::Place},
    CatalogueReport{.internalName = "Group Contact List", .english = "Group Contact List", .korean = "그룹 연락처 목록",
        .fileName = "Group Contact List.rpt", .options = ReportOptions::GroupType},
    CatalogueReport{.internalName = "Group Contact List - Column View", .english = "Group Contact List - Column View",
        .korean = "그룹 연락처 목록 - 표 형식", .fileName = "Group Contact List - Column View.rpt",
        .options = ReportOptions::GroupType},
    CatalogueReport{.internalName = "Group Mailing Label - Avery 5160", .english = "Group Mailing Label - Avery 5160",
        .korean = "그룹 우편 라벨 - Avery 5160", .fileName = "Group Mailing Label - Avery 5160.rpt",
        .options = ReportOptions::GroupType},
    CatalogueReport{.internalName = "Group Mailing Label - Avery 5260", .english = "Group Mailing Label - Avery 5260",
        .korean = "그룹 우편 라벨 - Avery 5260", .fileName = "Group Mailing Label - Avery 5260.rpt",
        .options = ReportOptions::GroupType},
    CatalogueReport{.internalName = "Member Contact List", .english = "Member Contact List", .korean = "교인 연락처 목록",
        .fileName = "Member Contact List.rpt", .options = ReportOptions::Member},
    CatalogueReport{.internalName = "Member Contact List - Column View", .english = "Member Contact List - Column View",
        .korean = "교인 연락처 목록 - 표 형식", .fileName = "Member Contact List - Column View.rpt",
        .options = ReportOptions::Member},
    CatalogueReport{.internalName = "Member Mailing Label - Avery 5160", .english = "Member Mailing Label - Avery 5160",
        .korean = "교인 우편 라벨 - Avery 5160", .fileName = "Member Mailing Label - Avery 5160.rpt",
        .options = ReportOptions::Member},
    CatalogueReport{.internalName = "Member Mailing Label - Avery 5260", .english = "Member Mailing Label - Avery 5260",
        .korean = "교인 우편 라벨 - Avery 5260", .fileName = "Member Mailing Label - Avery 5260.rpt",
        .options = ReportOptions::Member},
    CatalogueReport{.internalName = "Monthly Birthday List", .english = "Monthly Birthday List", .korean = "월별 생일 목록",
        .fileName = "Monthly Birthday List.rpt", .options = ReportOptions::BirthdayMonth},
    CatalogueReport{.internalName = "Offering List", .english = "Offering List", .korean = "헌금 목록",
        .fileName = "Offering List.rpt", .options = ReportOptions::OfferingList},
    CatalogueReport{.internalName = "Offering Summary", .english = "Offering Summary", .korean = "헌금 요약",
        .fileName = "Offering Summary.rpt", .options = ReportOptions::DateRange},
};
// clang-format on

// The catalogue's report of that internal name; null when there is none.
constexpr const CatalogueReport* FindCatalogueReport(std::string_view internalName) {
    for (const CatalogueReport& report : kReportCatalogue)
        if (report.internalName == internalName)
            return &report;
    return nullptr;
}

// Whether the report reads that key of its layout: a key for the labels only is passed by the rest.
constexpr bool ReportReadsKey(const CatalogueReport& report, const ReportKey& key) {
    return !key.labelsOnly || IsMailingLabel(report);
}

namespace catalogue_checks {

constexpr bool FileIsNamedByItsReport(const CatalogueReport& r) {
    constexpr std::string_view suffix = ".rpt";
    return r.fileName.size() == r.internalName.size() + suffix.size() && r.fileName.starts_with(r.internalName) &&
           r.fileName.ends_with(suffix);
}

constexpr bool EveryRowIsWhole() {
    for (const CatalogueReport& r : kReportCatalogue) {
        const auto options = static_cast<int32_t>(r.options);
        if (r.internalName.empty() || r.english.empty() || r.korean.empty() || !FileIsNamedByItsReport(r) ||
            options < 0 || options >= kReportOptionsCount)
            return false;
    }
    return true;
}

constexpr bool NamesAreUnique() {
    for (size_t i = 0; i < kReportCatalogue.size(); ++i)
        for (size_t j = i + 1; j < kReportCatalogue.size(); ++j) {
            const CatalogueReport& a = kReportCatalogue[i];
            const CatalogueReport& b = kReportCatalogue[j];
            if (a.internalName == b.internalName || a.english == b.english || a.korean == b.korean)
                return false;
        }
    return true;
}

// The report list is sorted by name; keeping the table in that order keeps its diffs readable.
constexpr bool SortedByInternalName() {
    for (size_t i = 1; i < kReportCatalogue.size(); ++i)
        if (!(kReportCatalogue[i - 1].internalName < kReportCatalogue[i].internalName))
            return false;
    return true;
}

static_assert(EveryRowIsWhole(), "a catalogue row lacks a name, has a file not named by it, or a bad layout");
static_assert(NamesAreUnique(), "two catalogue rows share a name");
static_assert(SortedByInternalName(), "keep the catalogue sorted by internal name");

} // namespace catalogue_checks

} // namespace amb
