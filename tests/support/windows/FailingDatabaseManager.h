#pragma once

#include "contracts/IDatabaseManager.h"

namespace test {

// A database manager whose every member fails as the contract says a failure looks: no result set,
// -1, empty values. Tests derive from it and override the few members a window calls.
class FailingDatabaseManager : public amb::IDatabaseManager {
public:
    amb::EnumDatabaseType DatabaseType() override { return amb::EnumDatabaseType::MSAccess; }
    void SetDatabaseType(amb::EnumDatabaseType) override {}
    bool UseStoredProcedures() override { return {}; }
    void SetUseStoredProcedures(bool) override {}
    QString ConnectionString() override { return {}; }
    void SetConnectionString(const QString&) override {}
    amb::IApplicationPtr AmbApplication() override { return {}; }
    void SetAmbApplication(const amb::IApplicationPtr&) override {}
    bool ReturnEOF() override { return {}; }
    void SetReturnEOF(bool) override {}
    platform::RecordsetPtr GetLookupAddressName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupAgeClassification(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupOfferingTypeName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupEMailAddressName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupExpenseTypeName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupFamilyRelationshipName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupGroupPositionName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupGroupType(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupPhoneNumberName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupMaritalStatus(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupMemberClassification(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupMemberStatus(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupPersonTitleName(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupReport(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupSex(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetLookupState(amb::EnumLookupOption) override { return {}; }
    platform::RecordsetPtr GetAllGroup() override { return {}; }
    platform::RecordsetPtr GetAllUser() override { return {}; }
    platform::RecordsetPtr GetAddressNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetAgeClassificationByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetOfferingByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetOfferingTypeNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetEMailAddressNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetExpenseByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetExpenseTypeNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetFamilyByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetFamilyRelationshipNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetGroupByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetGroupByGroupTypeID(int32_t) override { return {}; }
    platform::RecordsetPtr GetGroupPositionNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetGroupTypeByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetMaritalStatusByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetMemberClassificationByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetMemberStatusByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonTitleNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonAddressByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonEMailAddressByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonPhoneNumberByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonToFamilyByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonToGroupByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPhoneNumberNameByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetReportByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetStateByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetUserByID(int32_t) override { return {}; }
    platform::RecordsetPtr GetFamilyByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetGroupByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetAddressByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetOfferingByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetOfferingByPersonIDAndTypeID(int32_t, int32_t) override { return {}; }
    platform::RecordsetPtr GetEMailAddressByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPhoneNumberByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonByFamilyID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonByGroupID(int32_t) override { return {}; }
    platform::RecordsetPtr GetHeadOfFamilyByFamilyID(int32_t) override { return {}; }
    platform::RecordsetPtr GetHeadOfGroupByGroupID(int32_t) override { return {}; }
    platform::RecordsetPtr GetHomeAddressByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetHomePhoneNumberByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonalEMailAddressByPersonID(int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonToFamilyByFamilyIDAndPersonID(int32_t, int32_t) override { return {}; }
    platform::RecordsetPtr GetPersonToGroupByGroupIDAndPersonID(int32_t, int32_t) override { return {}; }
    platform::RecordsetPtr GetAddressNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetAgeClassificationByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetOfferingTypeNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetEMailAddressNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetExpenseTypeNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetFamilyByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetFamilyRelationshipNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetGroupByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetGroupPositionNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetGroupTypeByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetMaritalStatusByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetMemberClassificationByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetMemberStatusByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetPersonTitleNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetPersonAddressByName(int32_t, const QString&) override { return {}; }
    platform::RecordsetPtr GetPersonEMailAddressByName(int32_t, const QString&) override { return {}; }
    platform::RecordsetPtr GetPersonPhoneNumberByName(int32_t, const QString&) override { return {}; }
    platform::RecordsetPtr GetPhoneNumberNameByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetReportByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetStateByName(const QString&) override { return {}; }
    platform::RecordsetPtr GetUserByUsername(const QString&) override { return {}; }
    platform::RecordsetPtr GetUserByUsernameAndPassword(const QString&, const QString&) override { return {}; }
    platform::RecordsetPtr GetPersonBySearchText(const QString&) override { return {}; }
    platform::RecordsetPtr GetFamilyBySearchText(const QString&) override { return {}; }
    platform::RecordsetPtr GetGroupBySearchText(const QString&) override { return {}; }
    platform::RecordsetPtr GetImportantDateByMonth(int16_t) override { return {}; }
    platform::RecordsetPtr GetOfferingByDateRange(const QDateTime&, const QDateTime&) override { return {}; }
    platform::RecordsetPtr GetExpenseByDateRange(const QDateTime&, const QDateTime&) override { return {}; }
    platform::RecordsetPtr GetMailingAddress(const QString&) override { return {}; }
    platform::DictionaryPtr GetMemberRecordStat() override { return {}; }
    int32_t UpdateAddressName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateAgeClassification(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateOfferingTypeName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateEMailAddressName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateExpense(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateExpenseTypeName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateFamily(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateFamilyRelationshipName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateGroup(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateGroupPositionName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateGroupType(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateMaritalStatus(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateMemberClassification(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateMemberStatus(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePersonTitleName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePerson(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePersonAddress(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePersonOffering(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePersonEMailAddress(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePersonPhoneNumber(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePersonToFamily(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePersonToGroup(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdatePhoneNumberName(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateReport(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateState(const platform::DictionaryPtr&) override { return -1; }
    int32_t UpdateUser(const platform::DictionaryPtr&) override { return -1; }
    int32_t DeleteAddressName(int32_t) override { return -1; }
    int32_t DeleteAgeClassification(int32_t) override { return -1; }
    int32_t DeleteOfferingTypeName(int32_t) override { return -1; }
    int32_t DeleteEMailAddressName(int32_t) override { return -1; }
    int32_t DeleteExpense(int32_t) override { return -1; }
    int32_t DeleteExpenseTypeName(int32_t) override { return -1; }
    int32_t DeleteFamily(int32_t) override { return -1; }
    int32_t DeleteFamilyRelationshipName(int32_t) override { return -1; }
    int32_t DeleteGroup(int32_t) override { return -1; }
    int32_t DeleteGroupPositionName(int32_t) override { return -1; }
    int32_t DeleteGroupType(int32_t) override { return -1; }
    int32_t DeleteMaritalStatus(int32_t) override { return -1; }
    int32_t DeleteMemberClassification(int32_t) override { return -1; }
    int32_t DeleteMemberStatus(int32_t) override { return -1; }
    int32_t DeletePersonTitleName(int32_t) override { return -1; }
    int32_t DeletePerson(int32_t) override { return -1; }
    int32_t DeletePersonAddress(int32_t) override { return -1; }
    int32_t DeletePersonOffering(int32_t) override { return -1; }
    int32_t DeletePersonEMailAddress(int32_t) override { return -1; }
    int32_t DeletePersonPhoneNumber(int32_t) override { return -1; }
    int32_t DeletePersonToFamily(int32_t) override { return -1; }
    int32_t DeletePersonToFamilyByPersonIDAndFamilyID(int32_t, int32_t) override { return -1; }
    int32_t DeletePersonToGroup(int32_t) override { return -1; }
    int32_t DeletePersonToGroupByPersonIDAndGroupID(int32_t, int32_t) override { return -1; }
    int32_t DeletePhoneNumberName(int32_t) override { return -1; }
    int32_t DeleteReport(int32_t) override { return -1; }
    int32_t DeleteState(int32_t) override { return -1; }
    int32_t DeleteUser(int32_t) override { return -1; }
    int32_t SetMemberHeadOfFamily(int32_t, int32_t) override { return -1; }
    int32_t SetMemberHeadOfGroup(int32_t, int32_t) override { return -1; }
    int32_t SetMemberFamilyRelationship(int32_t, int32_t, const QString&) override { return -1; }
    int32_t SetMemberGroupPosition(int32_t, int32_t, const QString&) override { return -1; }
    int32_t SetUserPassword(const QString&, const QString&, const QString&) override { return -1; }
    int32_t SetUserDateLogin(int32_t, const QDateTime&) override { return -1; }
    int32_t SetEnvelopCode(int32_t) override { return -1; }
    int32_t CopyFamilyAddressAndPhoneNumber(int32_t, int32_t) override { return -1; }
    platform::RecordsetPtr GetReportBalanceSheet(const QDateTime&, const QDateTime&) override { return {}; }
    platform::RecordsetPtr GetReportExpenseList(const QDateTime&, const QDateTime&, int32_t) override { return {}; }
    platform::RecordsetPtr GetReportExpenseSummary(const QDateTime&, const QDateTime&) override { return {}; }
    platform::RecordsetPtr GetReportOfferingList(const QDateTime&, const QDateTime&, int32_t, int32_t) override {
        return {};
    }
    platform::RecordsetPtr GetReportOfferingSummary(const QDateTime&, const QDateTime&) override { return {}; }
    platform::RecordsetPtr GetReportGroupList(int32_t) override { return {}; }
    platform::RecordsetPtr GetReportGroupMailingLabel(int32_t) override { return {}; }
    platform::RecordsetPtr GetReportFamilyList(const QString&, const QString&, const QString&) override { return {}; }
    platform::RecordsetPtr GetReportFamilyMailingLabel(const QString&, const QString&, const QString&) override {
        return {};
    }
    platform::RecordsetPtr GetReportMemberList(int32_t, int32_t, int32_t, int32_t, int32_t, int16_t, const QString&,
                                               const QString&, const QString&) override {
        return {};
    }
    platform::RecordsetPtr GetReportMemberMailingLabel(int32_t, int32_t, int32_t, int32_t, int32_t, int16_t,
                                                       const QString&, const QString&, const QString&,
                                                       const QString&) override {
        return {};
    }
    platform::RecordsetPtr GetReportMonthlyBirthdayList(int32_t) override { return {}; }
    int32_t Purge() override { return -1; }
    int32_t Convert() override { return -1; }
};

} // namespace test
