#pragma once

// What differs between a family and a group, for the family-or-group window, its member grid, the
// add-member window and the loader's new-family-or-group flow: one row per kind.

#include "common/ColumnLengths.h"
#include "common/ResourceIDs.h"
#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"

#include <algorithm>
#include <cstdint>

namespace amb::windows {

// The windows that name a family or a group take either: their name box stops at the shorter column.
inline constexpr int kFamilyGroupNameLength = std::min(TextLimit("Family", "Name"), TextLimit("Group", "Name"));

struct FamilyGroupKind {
    using Read = platform::RecordsetPtr (IDatabaseManager::*)(int32_t);
    using ReadByName = platform::RecordsetPtr (IDatabaseManager::*)(const QString&);
    using Save = int32_t (IDatabaseManager::*)(const platform::DictionaryPtr&);
    using PairAction = int32_t (IDatabaseManager::*)(int32_t, int32_t);

    EnumFamilyGroup type;
    int32_t kindText;  // window caption and heading
    int32_t headLabel; // head person label, also the add window's member label
    int32_t memberCountLabel;
    int32_t setHeadTip;       // tool tip of the member toolbar's Set head
    int32_t headNotRemovable; // refusal of Remove on the head
    int32_t newTitle;         // add window caption for a new record, title of the new flow's failure
    int32_t newDescription;
    int32_t roleColumn;   // grid column 2
    int32_t secondColumn; // grid column 3
    int secondColumnWidth;
    const char* reportName;
    const char* headFlag; // membership column and key of the head flag
    const char* role;     // membership column and key of the relationship or position
    const char* ownerKey; // membership key of the family or group id
    bool hasGroupType;
    Read read;
    Read readHead;
    Read readMembers;
    Read readByPersonID;
    ReadByName readByName;
    Save save;
    Save saveMember;
    PairAction removeMember; // (person id, family or group id)
    PairAction setHead;      // (person id, family or group id)
};

inline const FamilyGroupKind kFamilyKind{
    .type = EnumFamilyGroup::Family,
    .kindText = res::kTitleFamily,
    .headLabel = res::kLabelHeadOfFamily,
    .memberCountLabel = res::kLabelFamilyMemberCount,
    .setHeadTip = res::kToolSetHeadOfFamily,
    .headNotRemovable = res::kMsgFamilyHeadNotDeletable,
    .newTitle = res::kTitleNewFamily,
    .newDescription = res::kDescNewFamily,
    .roleColumn = res::kColumnRelationship,
    .secondColumn = res::kColumnDateOfBirth,
    .secondColumnWidth = 80,
    .reportName = "Family Details",
    .headFlag = "IsHeadOfFamily",
    .role = "Relationship",
    .ownerKey = "FamilyID",
    .hasGroupType = false,
    .read = &IDatabaseManager::GetFamilyByID,
    .readHead = &IDatabaseManager::GetHeadOfFamilyByFamilyID,
    .readMembers = &IDatabaseManager::GetPersonByFamilyID,
    .readByPersonID = &IDatabaseManager::GetFamilyByPersonID,
    .readByName = &IDatabaseManager::GetFamilyByName,
    .save = &IDatabaseManager::UpdateFamily,
    .saveMember = &IDatabaseManager::UpdatePersonToFamily,
    .removeMember = &IDatabaseManager::DeletePersonToFamilyByPersonIDAndFamilyID,
    .setHead = &IDatabaseManager::SetMemberHeadOfFamily,
};

inline const FamilyGroupKind kGroupKind{
    .type = EnumFamilyGroup::Group,
    .kindText = res::kTitleGroup,
    .headLabel = res::kLabelHeadOfGroup,
    .memberCountLabel = res::kLabelGroupMemberCount,
    .setHeadTip = res::kToolSetHeadOfGroup,
    .headNotRemovable = res::kMsgGroupHeadNotDeletable,
    .newTitle = res::kTitleNewGroup,
    .newDescription = res::kDescNewGroup,
    .roleColumn = res::kColumnPosition,
    .secondColumn = res::kColumnPhoneNumber,
    .secondColumnWidth = 100,
    .reportName = "Group Details",
    .headFlag = "IsHeadOfGroup",
    .role = "Position",
    .ownerKey = "GroupID",
    .hasGroupType = true,
    .read = &IDatabaseManager::GetGroupByID,
    .readHead = &IDatabaseManager::GetHeadOfGroupByGroupID,
    .readMembers = &IDatabaseManager::GetPersonByGroupID,
    .readByPersonID = &IDatabaseManager::GetGroupByPersonID,
    .readByName = &IDatabaseManager::GetGroupByName,
    .save = &IDatabaseManager::UpdateGroup,
    .saveMember = &IDatabaseManager::UpdatePersonToGroup,
    .removeMember = &IDatabaseManager::DeletePersonToGroupByPersonIDAndGroupID,
    .setHead = &IDatabaseManager::SetMemberHeadOfGroup,
};

// The row of a kind; none for any other value.
inline const FamilyGroupKind* FindFamilyGroupKind(EnumFamilyGroup type) {
    switch (type) {
    case EnumFamilyGroup::Family:
        return &kFamilyKind;
    case EnumFamilyGroup::Group:
        return &kGroupKind;
    default:
        return nullptr;
    }
}

} // namespace amb::windows
