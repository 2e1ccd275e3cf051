#include "database/ManagerSupport.h"

namespace amb::database {

platform::RecordsetPtr Manager::GetPersonByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonAddressByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonAddressByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonEMailAddressByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonEMailAddressByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonPhoneNumberByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonPhoneNumberByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetAddressByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetAddressByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetEMailAddressByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetEMailAddressByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPhoneNumberByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPhoneNumberByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonAddressByName(int32_t /*nPerson*/, const QString& /*s*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonAddressByName()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonEMailAddressByName(int32_t /*nPerson*/, const QString& /*s*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonEMailAddressByName()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonPhoneNumberByName(int32_t /*nPerson*/, const QString& /*s*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonPhoneNumberByName()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetHomeAddressByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetHomeAddressByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetHomePhoneNumberByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetHomePhoneNumberByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonalEMailAddressByPersonID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonalEMailAddressByPersonID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetMailingAddress(const QString& /*sAddressName*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetMailingAddress()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetPersonBySearchText(const QString& /*sSearchText*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonBySearchText()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetImportantDateByMonth(int16_t /*nMonth*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetImportantDateByMonth()"), [] { return platform::RecordsetPtr(); });
}

platform::DictionaryPtr Manager::GetMemberRecordStat() {
    return amb::Guard(kObjectName, QStringLiteral("IDatabaseManager_GetMemberRecordStat()"), platform::DictionaryPtr(), [] { return platform::DictionaryPtr(); });
}

int32_t Manager::UpdatePerson(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePerson()"), [] { return int32_t{-1}; });
}

int32_t Manager::UpdatePersonAddress(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonAddress()"), [] { return int32_t{-1}; });
}

int32_t Manager::UpdatePersonEMailAddress(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonEMailAddress()"), [] { return int32_t{-1}; });
}

int32_t Manager::UpdatePersonPhoneNumber(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonPhoneNumber()"), [] { return int32_t{-1}; });
}

int32_t Manager::SetEnvelopCode(int32_t /*nPerson*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetEnvelopCode()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePerson(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePerson()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonAddress(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonAddress()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonEMailAddress(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonEMailAddress()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeletePersonPhoneNumber(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonPhoneNumber()"), [] { return int32_t{-1}; });
}

void Manager::CreateBuiltInContactRows(int32_t /*personId*/) {}

} // namespace amb::database
