#include "database/ManagerSupport.h"

// Members for families, groups and their membership rows: they answer their failure value until they are written.

namespace amb::database {

platform::RecordsetPtr Manager::GetFamilyByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetFamilyByName(const QString& /*s*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyByName()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetFamilyByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetFamilyBySearchText(const QString& /*sSearchText*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyBySearchText()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetGroupByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetGroupByName(const QString& /*s*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByName()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetGroupByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetGroupBySearchText(const QString& /*sSearchText*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupBySearchText()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetAllGroup() {
    return QueryMember(QStringLiteral("IDatabaseManager_GetAllGroup()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetGroupByGroupTypeID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByGroupTypeID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetHeadOfFamilyByFamilyID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetHeadOfFamilyByFamilyID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetHeadOfGroupByGroupID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetHeadOfGroupByGroupID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonByFamilyID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonByFamilyID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonByGroupID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonByGroupID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonToFamilyByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToFamilyByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonToFamilyByFamilyIDAndPersonID(int32_t /*nFamily*/, int32_t /*nPerson*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToFamilyByFamilyIDAndPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonToGroupByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToGroupByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonToGroupByGroupIDAndPersonID(int32_t /*nGroup*/, int32_t /*nPerson*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToGroupByGroupIDAndPersonID()"), [] { return platform::RecordsetPtr(); });
}

int32_t Manager::UpdateFamily(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateFamily()"), [] { return int32_t{-1}; });
}

int32_t Manager::UpdateGroup(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateGroup()"), [] { return int32_t{-1}; });
}

int32_t Manager::UpdatePersonToFamily(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonToFamily()"), [] { return int32_t{-1}; });
}

int32_t Manager::UpdatePersonToGroup(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonToGroup()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeleteFamily(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteFamily()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeleteGroup(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteGroup()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonToFamily(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToFamily()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonToFamilyByPersonIDAndFamilyID(int32_t /*nPerson*/, int32_t /*nFamily*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToFamilyByPersonIDAndFamilyID()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonToGroup(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToGroup()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonToGroupByPersonIDAndGroupID(int32_t /*nPerson*/, int32_t /*nGroup*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToGroupByPersonIDAndGroupID()"), [] { return int32_t{-1}; });
}

int32_t Manager::SetMemberHeadOfFamily(int32_t /*nPerson*/, int32_t /*nFamily*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberHeadOfFamily()"), [] { return int32_t{-1}; });
}

int32_t Manager::SetMemberHeadOfGroup(int32_t /*nPerson*/, int32_t /*nGroup*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberHeadOfGroup()"), [] { return int32_t{-1}; });
}

int32_t Manager::SetMemberFamilyRelationship(int32_t /*nPerson*/, int32_t /*nFamily*/, const QString& /*sRelationship*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberFamilyRelationship()"), [] { return int32_t{-1}; });
}

int32_t Manager::SetMemberGroupPosition(int32_t /*nPerson*/, int32_t /*nGroup*/, const QString& /*sPosition*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberGroupPosition()"), [] { return int32_t{-1}; });
}

int32_t Manager::CopyFamilyAddressAndPhoneNumber(int32_t /*nPerson*/, int32_t /*nFamily*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_CopyFamilyAddressAndPhoneNumber()"), [] { return int32_t{-1}; });
}

} // namespace amb::database
