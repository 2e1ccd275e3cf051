#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace amb {

// The option layouts of the report window: which options a report of the catalogue takes. The
// value is the Report table's OptionIndex and the number of the window's option frame.
enum class ReportOptions : int32_t {
    ExpenseList = 0,   // date range, expense type
    Place = 1,         // city, state, zip code (the family reports)
    GroupType = 2,     // group type
    Member = 3,        // the member filters (and the address kind of the labels)
    OfferingList = 4,  // date range, offering type, giver
    DateRange = 5,     // date range (balance sheet, summaries)
    BirthdayMonth = 6, // month
};
inline constexpr int kReportOptionsCount = 7;

// How the report printer reads a value that the report window hands on.
enum class ReportValue {
    Id,   // a whole number: a look-up entry's id (-998 the blank entry), a person, a month
    Date, // a date at midnight
    Text, // a text without surrounding blanks
    Flag, // 1 yes, -1 no, 0 either; read as a 16-bit number
};

// One value of the hand-off: the dictionary key the window writes and the report printer reads.
struct ReportKey {
    std::string_view name;
    ReportValue value;
    // Only the mailing labels read it; the other reports of the layout pass it by.
    bool labelsOnly = false;
};

// One option layout: the keys its frame hands on. The report printer reads them by name, so their
// order here is only the order of the window's controls.
struct ReportLayout {
    ReportOptions options;
    std::span<const ReportKey> keys;
};

// Every key of the hand-off, named once: the report procedures read their values by these.
namespace report_keys {

// clang-format off
inline constexpr ReportKey kId{.name = "ID", .value = ReportValue::Id}; // the details reports' record
inline constexpr ReportKey kDateStart{.name = "DateStart", .value = ReportValue::Date};
inline constexpr ReportKey kDateEnd{.name = "DateEnd", .value = ReportValue::Date};
inline constexpr ReportKey kExpenseTypeId{.name = "ExpenseTypeID", .value = ReportValue::Id};
inline constexpr ReportKey kOfferingTypeId{.name = "OfferingTypeID", .value = ReportValue::Id};
inline constexpr ReportKey kPersonId{.name = "PersonID", .value = ReportValue::Id};
inline constexpr ReportKey kCity{.name = "City", .value = ReportValue::Text};
inline constexpr ReportKey kState{.name = "State", .value = ReportValue::Text};
inline constexpr ReportKey kZipCode{.name = "ZipCode", .value = ReportValue::Text};
inline constexpr ReportKey kGroupTypeId{.name = "GroupTypeID", .value = ReportValue::Id};
inline constexpr ReportKey kMemberClassificationId{.name = "MemberClassificationID", .value = ReportValue::Id};
inline constexpr ReportKey kAgeClassificationId{.name = "AgeClassificationID", .value = ReportValue::Id};
inline constexpr ReportKey kMemberStatusId{.name = "MemberStatusID", .value = ReportValue::Id};
inline constexpr ReportKey kSexId{.name = "SexID", .value = ReportValue::Id};
inline constexpr ReportKey kMaritalStatusId{.name = "MaritalStatusID", .value = ReportValue::Id};
inline constexpr ReportKey kIsBaptized{.name = "IsBaptized", .value = ReportValue::Flag};
inline constexpr ReportKey kIsMember{.name = "IsMember", .value = ReportValue::Flag};
inline constexpr ReportKey kAddressName{.name = "AddressName", .value = ReportValue::Text, .labelsOnly = true};
inline constexpr ReportKey kMonth{.name = "Month", .value = ReportValue::Id};
// clang-format on

} // namespace report_keys

// The keys of each layout, in the order of its frame's controls.
namespace layout_keys {

using namespace report_keys;
inline constexpr ReportKey kExpenseList[] = {kDateStart, kDateEnd, kExpenseTypeId};
inline constexpr ReportKey kPlace[] = {kCity, kState, kZipCode};
inline constexpr ReportKey kGroupType[] = {kGroupTypeId};
inline constexpr ReportKey kMember[] = {
    kMemberClassificationId,
    kAgeClassificationId,
    kMemberStatusId,
    kSexId,
    kMaritalStatusId,
    kIsBaptized,
    kIsMember,
    kCity,
    kState,
    kZipCode,
    kAddressName,
};
inline constexpr ReportKey kOfferingList[] = {kDateStart, kDateEnd, kOfferingTypeId, kPersonId};
inline constexpr ReportKey kDateRange[] = {kDateStart, kDateEnd};
inline constexpr ReportKey kBirthdayMonth[] = {kMonth};

} // namespace layout_keys

// The one table of the option layouts, in the order of their values. The report window builds a
// frame for each and hands on its keys; the report printer reads the keys of a catalogue report's
// layout and hands them to its procedure by name.
inline constexpr std::array kReportLayouts{
    ReportLayout{.options = ReportOptions::ExpenseList, .keys = layout_keys::kExpenseList},
    ReportLayout{.options = ReportOptions::Place, .keys = layout_keys::kPlace},
    ReportLayout{.options = ReportOptions::GroupType, .keys = layout_keys::kGroupType},
    ReportLayout{.options = ReportOptions::Member, .keys = layout_keys::kMember},
    ReportLayout{.options = ReportOptions::OfferingList, .keys = layout_keys::kOfferingList},
    ReportLayout{.options = ReportOptions::DateRange, .keys = layout_keys::kDateRange},
    ReportLayout{.options = ReportOptions::BirthdayMonth, .keys = layout_keys::kBirthdayMonth},
};

constexpr const ReportLayout& LayoutOf(ReportOptions options) {
    return kReportLayouts[static_cast<std::size_t>(options)];
}

// The layout of a stored OptionIndex; null when the number names none.
constexpr const ReportLayout* FindReportLayout(int32_t optionIndex) {
    return optionIndex >= 0 && optionIndex < kReportOptionsCount ? &kReportLayouts[std::size_t(optionIndex)] : nullptr;
}

// The layout's key of that name; null when it has none.
constexpr const ReportKey* FindReportKey(const ReportLayout& layout, std::string_view name) {
    for (const ReportKey& key : layout.keys)
        if (key.name == name)
            return &key;
    return nullptr;
}

namespace report_layout_checks {

constexpr bool InTheOrderOfTheirValues() {
    if (kReportLayouts.size() != std::size_t(kReportOptionsCount))
        return false;
    for (std::size_t i = 0; i < kReportLayouts.size(); ++i)
        if (static_cast<std::size_t>(kReportLayouts[i].options) != i)
            return false;
    return true;
}

constexpr bool KeysAreNamedOnce() {
    for (const ReportLayout& layout : kReportLayouts) {
        if (layout.keys.empty())
            return false;
        for (std::size_t i = 0; i < layout.keys.size(); ++i) {
            if (layout.keys[i].name.empty())
                return false;
            for (std::size_t j = i + 1; j < layout.keys.size(); ++j)
                if (layout.keys[i].name == layout.keys[j].name)
                    return false;
        }
    }
    return true;
}

// A key read by name in several layouts is read the same way in each.
constexpr bool AKeyIsReadOneWay() {
    for (const ReportLayout& a : kReportLayouts)
        for (const ReportKey& key : a.keys)
            for (const ReportLayout& b : kReportLayouts)
                if (const ReportKey* other = FindReportKey(b, key.name); other && other->value != key.value)
                    return false;
    return true;
}

static_assert(InTheOrderOfTheirValues(), "one row for each option layout, in the order of their values");
static_assert(KeysAreNamedOnce(), "every layout hands on at least one key, each named once");
static_assert(AKeyIsReadOneWay(), "a key name read as two kinds of value");

} // namespace report_layout_checks

} // namespace amb
