#include "main/RecordNodes.h"

#include "common/ResourceIDs.h"

namespace amb::ambrel {

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

constexpr ColumnSpec kPersonColumns[] = {
    {res::kColumnName, 160, kLeft},    {res::kColumnSex, 40, kCentre},        {res::kColumnDateOfBirth, 80, kCentre},
    {res::kColumnAddress, 150, kLeft}, {res::kColumnPhoneNumber, 100, kLeft}, {res::kColumnEMailAddress, 150, kLeft},
    {res::kColumnMember, 50, kCentre},
};
constexpr ColumnSpec kFamilyColumns[] = {{res::kColumnFamily, 160, kLeft}, {res::kColumnHeadOfFamily, 150, kCentre}};
constexpr ColumnSpec kGroupColumns[] = {
    {res::kColumnGroup, 160, kLeft}, {res::kColumnGroupType, 100, kCentre}, {res::kColumnHeadOfGroup, 150, kCentre}};
constexpr ColumnSpec kMoneyColumns[] = {{res::kColumnDate, 80, kLeft},
                                        {res::kColumnName, 160, kLeft},
                                        {res::kColumnType, 100, kCentre},
                                        {res::kColumnAmount, 70, kRight}};

const KindCommands kPersonCommands{
    "ShowPersonWindow", [](IWindowLoader& l, int32_t id) { return l.ShowPersonWindow(id, EnumFamilyGroup::None, 0); },
    [](IDatabaseManager& d, int32_t id) { return d.DeletePerson(id); }, "Member Details"};
const KindCommands kFamilyCommands{
    "ShowFamilyWindow", [](IWindowLoader& l, int32_t id) { return l.ShowFamilyWindow(id); },
    [](IDatabaseManager& d, int32_t id) { return d.DeleteFamily(id); }, "Family Details"};
const KindCommands kGroupCommands{"ShowGroupWindow", [](IWindowLoader& l, int32_t id) { return l.ShowGroupWindow(id); },
                                  [](IDatabaseManager& d, int32_t id) { return d.DeleteGroup(id); }, "Group Details"};
const KindCommands kOfferingCommands{
    "ShowOfferingWindow",
    [](IWindowLoader& l, int32_t id) { return l.ShowOfferingWindow(id, EnumOfferingWindowType::Individual); },
    [](IDatabaseManager& d, int32_t id) { return d.DeletePersonOffering(id); }, nullptr};
const KindCommands kExpenseCommands{
    "ShowExpenseWindow",
    [](IWindowLoader& l, int32_t id) { return l.ShowExpenseWindow(id, EnumOfferingWindowType::Individual); },
    [](IDatabaseManager& d, int32_t id) { return d.DeleteExpense(id); }, nullptr};

using enum TreeImage;
using enum SearchBox;

// clang-format off
const NodeSpec kNodes[] = {
    // key, parent, text, count, image, expanded, measured, click target, search mode, search box,
    // recent searches, listed kind, columns, headers shown, commands
    {"Ambrel", nullptr, 0, nullptr, Root, true, true, "Member", 0, Text, RecentSearches::Persons, RecordKind::Persons,
     kPersonColumns, true, &kPersonCommands},
    {"Member", "Ambrel", res::kLabelMembers, "TotalMemberRecordCount", Persons, false, false, nullptr, 0, Text,
     RecentSearches::Persons, RecordKind::Persons, kPersonColumns, true, &kPersonCommands},
    {"FamilyAndGroup", "Ambrel", res::kLabelFamilyAndGroup, nullptr, Parent, true, true, "Family", 0, Text,
     RecentSearches::Families, RecordKind::Families, {}, true, &kFamilyCommands},
    {"Family", "FamilyAndGroup", res::kLabelFamilies, "TotalFamilyRecordCount", FamiliesGroups, false, false, nullptr, 0,
     Text, RecentSearches::Families, RecordKind::Families, kFamilyColumns, true, &kFamilyCommands},
    {"Group", "FamilyAndGroup", res::kLabelGroups, "TotalGroupRecordCount", FamiliesGroups, false, false, nullptr, 1,
     GroupType, RecentSearches::None, RecordKind::Groups, kGroupColumns, true, &kGroupCommands},
    {"ExpenseAndOffering", "Ambrel", res::kLabelExpensesAndOfferings, nullptr, Parent, true, true, "Expense", 0,
     DateRange, RecentSearches::None, RecordKind::None, {}, true, &kOfferingCommands},
    {"Expense", "ExpenseAndOffering", res::kLabelExpenses, nullptr, Expenses, false, false, nullptr, 2, DateRange,
     RecentSearches::None, RecordKind::Expenses, kMoneyColumns, true, &kExpenseCommands},
    {"Offering", "ExpenseAndOffering", res::kLabelOfferings, nullptr, Offerings, false, false, nullptr, 2, DateRange,
     RecentSearches::None, RecordKind::Offerings, kMoneyColumns, true, &kOfferingCommands},
};
// clang-format on

} // namespace

std::span<const NodeSpec> RecordNodes() {
    return kNodes;
}

const NodeSpec* NodeOf(const QString& key) {
    for (const NodeSpec& node : kNodes) {
        if (key == QLatin1String(node.key))
            return &node;
    }
    return nullptr;
}

TreeImage RowImage(RecordKind kind) {
    switch (kind) {
    case RecordKind::Persons:
        return TreeImage::Persons;
    case RecordKind::Expenses:
        return TreeImage::Expenses;
    case RecordKind::Offerings:
        return TreeImage::Offerings;
    default:
        return TreeImage::FamiliesGroups;
    }
}

} // namespace amb::ambrel
