#pragma once

// The look-up lists: one row per list, read by the database manager (its table and columns), the
// look-up list and name windows (the contract members and the title) and the main window's Tools >
// Look-up Lists menu.

#include "common/ResourceIDs.h"
#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace amb {

// A look-up list of the database; the value is its row's position in kLookupKinds.
enum class Lookup : int32_t {
    AddressName,
    OfferingTypeName,
    EMailAddressName,
    ExpenseTypeName,
    FamilyRelationshipName,
    GroupPositionName,
    GroupType,
    MaritalStatus,
    MemberClassification,
    MemberStatus,
    PersonTitleName,
    PhoneNumberName,
    State,
    Sex,
    Count // not a list: the number of lists
};

// The list's entry in Tools > Look-up Lists.
struct LookupMenuEntry {
    const char* name = nullptr; // the action's object name; nullptr: the list has no entry
    int32_t text = 0;           // string-table id of its caption
    int position = -1;          // 0 for the first entry
    bool separatorAfter = false;
};

struct LookupKind {
    Lookup lookup;
    // The table, named like its name column: the field the windows read and the record key they write.
    std::string_view table;
    bool isUpdatableColumn = false; // built-in kinds carry IsUpdatable false: never edited nor deleted
    bool dateAllowedColumn = false; // a new entry is saved with DateAllowed false
    bool fixed = false;             // no deleted mark, never written

    // The look-up list window that shows the list; none for a list that no window shows.
    std::optional<EnumWindowType> window = std::nullopt;
    int32_t title = 0;     // string-table id of the window's title
    int32_t titleWord = 0; // a second word after a blank (0: none)
    LookupMenuEntry menu = {};

    // The contract's members for the list; null where the contract has none.
    platform::RecordsetPtr (IDatabaseManager::*list)(EnumLookupOption) = nullptr;
    platform::RecordsetPtr (IDatabaseManager::*byId)(int32_t) = nullptr;
    platform::RecordsetPtr (IDatabaseManager::*byName)(const QString&) = nullptr;
    int32_t (IDatabaseManager::*save)(const platform::DictionaryPtr&) = nullptr;
    int32_t (IDatabaseManager::*remove)(int32_t) = nullptr;
};

namespace lookup_rows {
using DB = IDatabaseManager;
using W = EnumWindowType;

// clang-format off
inline constexpr std::array kRows{
    LookupKind{.lookup = Lookup::AddressName, .table = "AddressName", .isUpdatableColumn = true,
        .window = W::AddressName, .title = res::kTitleAddress, .titleWord = res::kTextName,
        .menu = {.name = "mnuToolsLookUpAddressName", .text = res::kMenuToolsLookUpAddressName, .position = 0},
        .list = &DB::GetLookupAddressName, .byId = &DB::GetAddressNameByID, .byName = &DB::GetAddressNameByName,
        .save = &DB::UpdateAddressName, .remove = &DB::DeleteAddressName},
    LookupKind{.lookup = Lookup::OfferingTypeName, .table = "OfferingTypeName",
        .window = W::OfferingTypeName, .title = res::kLabelOfferingType,
        .menu = {.name = "mnuToolsLookUpOfferingType", .text = res::kMenuToolsLookUpOfferingType, .position = 11},
        .list = &DB::GetLookupOfferingTypeName, .byId = &DB::GetOfferingTypeNameByID,
        .byName = &DB::GetOfferingTypeNameByName, .save = &DB::UpdateOfferingTypeName,
        .remove = &DB::DeleteOfferingTypeName},
    LookupKind{.lookup = Lookup::EMailAddressName, .table = "EMailAddressName", .isUpdatableColumn = true,
        .window = W::EMailAddressName, .title = res::kTitleEMailAddress, .titleWord = res::kTextName,
        .menu = {.name = "mnuToolsLookUpEMailAddressName", .text = res::kMenuToolsLookUpEMailAddressName,
            .position = 1},
        .list = &DB::GetLookupEMailAddressName, .byId = &DB::GetEMailAddressNameByID,
        .byName = &DB::GetEMailAddressNameByName, .save = &DB::UpdateEMailAddressName,
        .remove = &DB::DeleteEMailAddressName},
    LookupKind{.lookup = Lookup::ExpenseTypeName, .table = "ExpenseTypeName",
        .window = W::ExpenseTypeName, .title = res::kLabelExpenseType,
        .menu = {.name = "mnuToolsLookUpExpenseType", .text = res::kMenuToolsLookUpExpenseType, .position = 10},
        .list = &DB::GetLookupExpenseTypeName, .byId = &DB::GetExpenseTypeNameByID,
        .byName = &DB::GetExpenseTypeNameByName, .save = &DB::UpdateExpenseTypeName,
        .remove = &DB::DeleteExpenseTypeName},
    LookupKind{.lookup = Lookup::FamilyRelationshipName, .table = "FamilyRelationshipName",
        .window = W::FamilyRelationshipName, .title = res::kLabelRelationship,
        .menu = {.name = "mnuToolsLookUpRelationship", .text = res::kMenuToolsLookUpRelationship, .position = 8,
            .separatorAfter = true},
        .list = &DB::GetLookupFamilyRelationshipName, .byId = &DB::GetFamilyRelationshipNameByID,
        .byName = &DB::GetFamilyRelationshipNameByName, .save = &DB::UpdateFamilyRelationshipName,
        .remove = &DB::DeleteFamilyRelationshipName},
    LookupKind{.lookup = Lookup::GroupPositionName, .table = "GroupPositionName",
        .window = W::GroupPositionName, .title = res::kLabelPosition,
        .menu = {.name = "mnuToolsLookUpPosition", .text = res::kMenuToolsLookUpPosition, .position = 7},
        .list = &DB::GetLookupGroupPositionName, .byId = &DB::GetGroupPositionNameByID,
        .byName = &DB::GetGroupPositionNameByName, .save = &DB::UpdateGroupPositionName,
        .remove = &DB::DeleteGroupPositionName},
    LookupKind{.lookup = Lookup::GroupType, .table = "GroupType",
        .window = W::GroupType, .title = res::kLabelGroupType,
        .menu = {.name = "mnuToolsLookUpGroupType", .text = res::kMenuToolsLookUpGroupType, .position = 9,
            .separatorAfter = true},
        .list = &DB::GetLookupGroupType, .byId = &DB::GetGroupTypeByID, .byName = &DB::GetGroupTypeByName,
        .save = &DB::UpdateGroupType, .remove = &DB::DeleteGroupType},
    LookupKind{.lookup = Lookup::MaritalStatus, .table = "MaritalStatus", .dateAllowedColumn = true,
        .window = W::MaritalStatus, .title = res::kLabelMaritalStatus,
        .menu = {.name = "mnuToolsLookUpMaritalStatus", .text = res::kMenuToolsLookUpMaritalStatus, .position = 5},
        .list = &DB::GetLookupMaritalStatus, .byId = &DB::GetMaritalStatusByID,
        .byName = &DB::GetMaritalStatusByName, .save = &DB::UpdateMaritalStatus,
        .remove = &DB::DeleteMaritalStatus},
    LookupKind{.lookup = Lookup::MemberClassification, .table = "MemberClassification",
        .window = W::MemberClassification, .title = res::kLabelClassification,
        .menu = {.name = "mnuToolsLookUpClassification", .text = res::kMenuToolsLookUpClassification, .position = 3},
        .list = &DB::GetLookupMemberClassification, .byId = &DB::GetMemberClassificationByID,
        .byName = &DB::GetMemberClassificationByName, .save = &DB::UpdateMemberClassification,
        .remove = &DB::DeleteMemberClassification},
    LookupKind{.lookup = Lookup::MemberStatus, .table = "MemberStatus",
        .window = W::MemberStatus, .title = res::kLabelMemberStatus,
        .menu = {.name = "mnuToolsLookUpStatus", .text = res::kMenuToolsLookUpStatus, .position = 4},
        .list = &DB::GetLookupMemberStatus, .byId = &DB::GetMemberStatusByID, .byName = &DB::GetMemberStatusByName,
        .save = &DB::UpdateMemberStatus, .remove = &DB::DeleteMemberStatus},
    LookupKind{.lookup = Lookup::PersonTitleName, .table = "PersonTitleName",
        .window = W::MemberTitle, .title = res::kLabelTitle,
        .menu = {.name = "mnuToolsLookUpTitle", .text = res::kMenuToolsLookUpTitle, .position = 6,
            .separatorAfter = true},
        .list = &DB::GetLookupPersonTitleName, .byId = &DB::GetPersonTitleNameByID,
        .byName = &DB::GetPersonTitleNameByName, .save = &DB::UpdatePersonTitleName,
        .remove = &DB::DeletePersonTitleName},
    LookupKind{.lookup = Lookup::PhoneNumberName, .table = "PhoneNumberName", .isUpdatableColumn = true,
        .window = W::PhoneNumberName, .title = res::kTitlePhoneNumber, .titleWord = res::kTextName,
        .menu = {.name = "mnuToolsLookUpPhoneNumberName", .text = res::kMenuToolsLookUpPhoneNumberName,
            .position = 2, .separatorAfter = true},
        .list = &DB::GetLookupPhoneNumberName, .byId = &DB::GetPhoneNumberNameByID,
        .byName = &DB::GetPhoneNumberNameByName, .save = &DB::UpdatePhoneNumberName,
        .remove = &DB::DeletePhoneNumberName},
    // The state list window (EnumWindowType::State) exists, untitled and without rows: no window shows
    // the states. Their save and delete change nothing.
    LookupKind{.lookup = Lookup::State, .table = "State", .fixed = true,
        .list = &DB::GetLookupState, .byId = &DB::GetStateByID, .byName = &DB::GetStateByName,
        .save = &DB::UpdateState, .remove = &DB::DeleteState},
    LookupKind{.lookup = Lookup::Sex, .table = "Sex", .fixed = true, .list = &DB::GetLookupSex},
};
// clang-format on

} // namespace lookup_rows

// One row per list, in the order of the Lookup values.
inline constexpr const auto& kLookupKinds = lookup_rows::kRows;

constexpr const LookupKind& KindOf(Lookup lookup) {
    return kLookupKinds[static_cast<std::size_t>(lookup)];
}

// The list's table, which is also its name column.
inline QString NameColumn(const LookupKind& kind) {
    return QString::fromLatin1(kind.table.data(), static_cast<qsizetype>(kind.table.size()));
}

// The row of the list that a window type shows; null for State, User and values outside the enum.
constexpr const LookupKind* FindLookupKind(EnumWindowType type) {
    for (const LookupKind& kind : kLookupKinds)
        if (kind.window == type)
            return &kind;
    return nullptr;
}

namespace lookup_checks {

constexpr bool RowsSitAtTheirValues() {
    for (std::size_t i = 0; i < kLookupKinds.size(); ++i)
        if (static_cast<std::size_t>(kLookupKinds[i].lookup) != i)
            return false;
    return true;
}

// A window shows the list, titles it, opens from the menu and reads and writes through the members;
// a list without a window has no menu entry.
constexpr bool EveryRowIsWhole() {
    for (const LookupKind& k : kLookupKinds) {
        if (k.table.empty() || !k.list || (k.fixed && (k.isUpdatableColumn || k.dateAllowedColumn)))
            return false;
        const bool windowed = k.window.has_value();
        if (windowed != (k.title != 0) || windowed != (k.menu.name != nullptr) || windowed != (k.menu.text != 0) ||
            windowed != (k.menu.position >= 0))
            return false;
        if (windowed && (!k.byId || !k.byName || !k.save || !k.remove))
            return false;
    }
    return true;
}

constexpr bool TablesAndWindowsAreUnique() {
    for (std::size_t i = 0; i < kLookupKinds.size(); ++i)
        for (std::size_t j = i + 1; j < kLookupKinds.size(); ++j) {
            const LookupKind& a = kLookupKinds[i];
            const LookupKind& b = kLookupKinds[j];
            if (a.table == b.table || (a.window && a.window == b.window))
                return false;
        }
    return true;
}

// Every window type but State and User shows one list.
constexpr bool EveryListWindowTypeHasARow() {
    for (int32_t type = 0; type <= static_cast<int32_t>(EnumWindowType::User); ++type) {
        const auto t = static_cast<EnumWindowType>(type);
        const bool listed = t != EnumWindowType::State && t != EnumWindowType::User;
        if (listed != (FindLookupKind(t) != nullptr))
            return false;
    }
    return true;
}

constexpr int MenuEntryCount() {
    int count = 0;
    for (const LookupKind& k : kLookupKinds)
        count += k.menu.name ? 1 : 0;
    return count;
}

constexpr bool MenuPositionsAreEachUsedOnce() {
    for (int position = 0; position < MenuEntryCount(); ++position) {
        int rows = 0;
        for (const LookupKind& k : kLookupKinds)
            rows += k.menu.position == position ? 1 : 0;
        if (rows != 1)
            return false;
    }
    return true;
}

static_assert(kLookupKinds.size() == static_cast<std::size_t>(Lookup::Count), "one row per Lookup value");
static_assert(RowsSitAtTheirValues(), "each row sits at the position of its Lookup value");
static_assert(EveryRowIsWhole(), "a row lacks a field that its kind needs");
static_assert(TablesAndWindowsAreUnique(), "two rows share a table or a window type");
static_assert(EveryListWindowTypeHasARow(), "a look-up window type has no row, or State or User has one");
static_assert(MenuPositionsAreEachUsedOnce(), "the menu positions are not 0, 1, 2, ... each once");

} // namespace lookup_checks

// The number of entries in Tools > Look-up Lists.
inline constexpr int kLookupMenuEntryCount = lookup_checks::MenuEntryCount();

// The rows of the menu's entries, in menu order.
inline constexpr std::array<const LookupKind*, kLookupMenuEntryCount> kLookupMenu = [] {
    std::array<const LookupKind*, kLookupMenuEntryCount> menu{};
    for (const LookupKind& k : kLookupKinds)
        if (k.menu.name)
            menu[static_cast<std::size_t>(k.menu.position)] = &k;
    return menu;
}();

} // namespace amb
