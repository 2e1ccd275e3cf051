#include "database/ManagerSupport.h"

// Members for offerings, expenses and users: they answer their failure value until they are written.

namespace amb::database {

platform::RecordsetPtr Manager::GetOfferingByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetOfferingByDateRange(const QDateTime& /*dtStart*/, const QDateTime& /*dtEnd*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByDateRange()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetOfferingByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetOfferingByPersonIDAndTypeID(int32_t /*nPerson*/, int32_t /*nType*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByPersonIDAndTypeID()"), [] { return platform::RecordsetPtr(); });
}

int32_t Manager::UpdatePersonOffering(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonOffering()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonOffering(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonOffering()"), [] { return int32_t{-1}; });
}

platform::RecordsetPtr Manager::GetExpenseByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetExpenseByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetExpenseByDateRange(const QDateTime& /*dtStart*/, const QDateTime& /*dtEnd*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetExpenseByDateRange()"), [] { return platform::RecordsetPtr(); });
}

int32_t Manager::UpdateExpense(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateExpense()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeleteExpense(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteExpense()"), [] { return int32_t{-1}; });
}

platform::RecordsetPtr Manager::GetAllUser() {
    return QueryMember(QStringLiteral("IDatabaseManager_GetAllUser()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetUserByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetUserByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetUserByUsername(const QString& /*s*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetUserByUsername()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetUserByUsernameAndPassword(const QString& /*sUsername*/, const QString& /*sPassword*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetUserByUsernameAndPassword()"), [] { return platform::RecordsetPtr(); });
}

int32_t Manager::SetUserDateLogin(int32_t /*nUser*/, const QDateTime& /*dt*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetUserDateLogin()"), [] { return int32_t{-1}; });
}

int32_t Manager::SetUserPassword(const QString& /*sUsername*/, const QString& /*sOldPassword*/, const QString& /*sNewPassword*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetUserPassword()"), [] { return int32_t{-1}; });
}

int32_t Manager::UpdateUser(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateUser()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeleteUser(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteUser()"), [] { return int32_t{-1}; });
}

} // namespace amb::database
