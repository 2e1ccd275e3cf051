#include "windows/forms/report/OptionFrames.h"

#include "common/ResourceIDs.h"

#include <QComboBox>
#include <QLocale>

namespace amb::windows {

using enum ReportOptions;
using namespace report_keys;

namespace {

constexpr OptionRow kExpenseType{.at = 1, .name = "cboExpenseType", .key = kExpenseTypeId, .label = "lblExpenseType",
                                 .textId = res::kLabelExpenseType, .lookup = &IDatabaseManager::GetLookupExpenseTypeName};
// clang-format off
constexpr OptionRow kPlace[] = {
    {.at = 1, .name = "cboFamilyState", .key = kState, .label = "lblFamilyState", .textId = res::kLabelState,
     .lookup = &IDatabaseManager::GetLookupState},
    {.at = 0, .name = "txtFamilyCity", .key = kCity, .label = "lblFamilyCity", .textId = res::kLabelCity,
     .typed = true},
    {.at = 2, .name = "txtFamilyZipCode", .key = kZipCode, .label = "lblFamilyZipCode", .textId = res::kLabelZipCode,
     .typed = true},
};
// clang-format on
constexpr OptionRow kGroupType{.name = "cboGroupType", .key = kGroupTypeId, .label = "lblGroupType",
                               .textId = res::kLabelGroupType, .lookup = &IDatabaseManager::GetLookupGroupType};
constexpr OptionRow kMonthRow{.name = "cboMonth", .key = kMonth, .label = "lblDate", .textId = res::kLabelDate};

static_assert(FillKeysOf(ExpenseList, {kExpenseType}) && FillKeysOf(Place, kPlace) &&
                  FillKeysOf(GroupType, {kGroupType}) && FillKeysOf(BirthdayMonth, {kMonthRow}),
              "an option fills no key of its frame");

} // namespace

ExpenseOptions::ExpenseOptions(QWidget* page, const WindowSupport& support) : OptionFrame(page, ExpenseList, support) {
    AddBox(kExpenseType);
    AddRange("lblExpenseDate", {.start = "dtpExpenseStartDate",
                                .end = "dtpExpenseEndDate",
                                .from = "lblExpenseDateFrom",
                                .to = "lblExpenseDateTo"});
    OrderTabs();
}

PlaceOptions::PlaceOptions(QWidget* page, const WindowSupport& support) : OptionFrame(page, Place, support) {
    AddRows(kPlace);
    OrderTabs();
}

GroupTypeOptions::GroupTypeOptions(QWidget* page, const WindowSupport& support) : OptionFrame(page, GroupType, support) {
    AddBox(kGroupType);
    OrderTabs();
}

DateRangeOptions::DateRangeOptions(QWidget* page, const WindowSupport& support) : OptionFrame(page, DateRange, support) {
    AddRange("lblSummaryDateRange", {.start = "dtpSummaryStartDate",
                                     .end = "dtpSummaryEndDate",
                                     .from = "lblSummaryDateFrom",
                                     .to = "lblSummaryDateTo"});
    OrderTabs();
}

MonthOptions::MonthOptions(QWidget* page, const WindowSupport& support)
    : OptionFrame(page, BirthdayMonth, support), cboMonth(AddBox(kMonthRow)) {
    OrderTabs();
}

void MonthOptions::Fill(IDatabaseManager& database) {
    OptionFrame::Fill(database);
    cboMonth->clear();
    cboMonth->addItem(QString(), 0);
    for (int month = 1; month <= 12; ++month)
        cboMonth->addItem(QLocale().monthName(month, QLocale::LongFormat), month);
    cboMonth->setCurrentIndex(0);
}

} // namespace amb::windows
