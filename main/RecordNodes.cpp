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
    .open = [](IWindowLoader& l, int32_t id) { return l.ShowPersonWindow(id, EnumFamilyGroup::None, 0); },
    .remove = [](IDatabaseManager& d, int32_t id) { return d.DeletePerson(id); },
    .reportName = "Member Details"};
const KindCommands kFamilyCommands{.open = [](IWindowLoader& l, int32_t id) { return l.ShowFamilyWindow(id); },
                                   .remove = [](IDatabaseManager& d, int32_t id) { return d.DeleteFamily(id); },
                                   .reportName = "Family Details"};
const KindCommands kGroupCommands{.open = [](IWindowLoader& l, int32_t id) { return l.ShowGroupWindow(id); },
                                  .remove = [](IDatabaseManager& d, int32_t id) { return d.DeleteGroup(id); },
                                  .reportName = "Group Details"};
const KindCommands kOfferingCommands{
    .open = [](IWindowLoader& l, int32_t id) { return l.ShowOfferingWindow(id, EnumOfferingWindowType::Individual); },
    .remove = [](IDatabaseManager& d, int32_t id) { return d.DeletePersonOffering(id); },
    .reportName = nullptr};
const KindCommands kExpenseCommands{
    .open = [](IWindowLoader& l, int32_t id) { return l.ShowExpenseWindow(id, EnumOfferingWindowType::Individual); },
    .remove = [](IDatabaseManager& d, int32_t id) { return d.DeleteExpense(id); },
    .reportName = nullptr};

using enum TreeImage;
using enum SearchBox;

const NodeSpec kNodes[] = {
    {.key = "Ambrel",
     .textId = 0,
     .image = Root,
     .expanded = true,
     .measured = true,
     .clickTarget = "Member",
     .searchBox = Text,
     .recent = RecentSearches::Persons,
     .listKind = RecordKind::Persons,
     .columns = kPersonColumns,
     .commands = &kPersonCommands},
    {.key = "Member",
     .parent = "Ambrel",
     .textId = res::kLabelMembers,
     .countKey = "TotalMemberRecordCount",
     .image = Persons,
     .searchBox = Text,
     .recent = RecentSearches::Persons,
     .listKind = RecordKind::Persons,
     .columns = kPersonColumns,
     .commands = &kPersonCommands},
    {.key = "FamilyAndGroup",
     .parent = "Ambrel",
     .textId = res::kLabelFamilyAndGroup,
     .image = Parent,
     .expanded = true,
     .measured = true,
     .clickTarget = "Family",
     .searchBox = Text,
     .recent = RecentSearches::Families,
     .listKind = RecordKind::Families,
     .commands = &kFamilyCommands},
    {.key = "Family",
     .parent = "FamilyAndGroup",
     .textId = res::kLabelFamilies,
     .countKey = "TotalFamilyRecordCount",
     .image = FamiliesGroups,
     .searchBox = Text,
     .recent = RecentSearches::Families,
     .listKind = RecordKind::Families,
     .columns = kFamilyColumns,
     .commands = &kFamilyCommands},
    {.key = "Group",
     .parent = "FamilyAndGroup",
     .textId = res::kLabelGroups,
     .countKey = "TotalGroupRecordCount",
     .image = FamiliesGroups,
     .searchBox = GroupType,
     .listKind = RecordKind::Groups,
     .columns = kGroupColumns,
     .commands = &kGroupCommands},
    {.key = "ExpenseAndOffering",
     .parent = "Ambrel",
     .textId = res::kLabelExpensesAndOfferings,
     .image = Parent,
     .expanded = true,
     .measured = true,
     .clickTarget = "Expense",
     .searchBox = DateRange,
     .listKind = RecordKind::None,
     .commands = &kOfferingCommands},
    {.key = "Expense",
     .parent = "ExpenseAndOffering",
     .textId = res::kLabelExpenses,
     .image = Expenses,
     .searchBox = DateRange,
     .listKind = RecordKind::Expenses,
     .columns = kMoneyColumns,
     .commands = &kExpenseCommands},
    {.key = "Offering",
     .parent = "ExpenseAndOffering",
     .textId = res::kLabelOfferings,
     .image = Offerings,
     .searchBox = DateRange,
     .listKind = RecordKind::Offerings,
     .columns = kMoneyColumns,
     .commands = &kOfferingCommands},
};

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
