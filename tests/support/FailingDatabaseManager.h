#pragma once

#include "contracts/IDatabaseManager.h"

// clang-format off
#define AMB_NO_LOOKUP(name) platform::RecordsetPtr name(amb::EnumLookupOption) override { return {}; }
#define AMB_NO_SET_BY_ID(name) platform::RecordsetPtr name(int32_t) override { return {}; }
#define AMB_NO_SET_BY_IDS(name) platform::RecordsetPtr name(int32_t, int32_t) override { return {}; }
#define AMB_NO_SET_BY_NAME(name) platform::RecordsetPtr name(const QString&) override { return {}; }
#define AMB_NO_DATED_SET(name) platform::RecordsetPtr name(const QDateTime&, const QDateTime&) override { return {}; }
#define AMB_NO_SAVE(name) int32_t name(const platform::DictionaryPtr&) override { return -1; }
#define AMB_NO_CHANGE(name) int32_t name(int32_t) override { return -1; }
#define AMB_NO_CHANGE_BY_IDS(name) int32_t name(int32_t, int32_t) override { return -1; }
// clang-format on

namespace test {

// A database manager whose every member fails as the contract says a failure looks: no result set,
// -1, empty values. Tests derive from it and override the few members their code calls.
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

    // clang-format off
    AMB_NO_LOOKUP(GetLookupAddressName) AMB_NO_LOOKUP(GetLookupAgeClassification)
    AMB_NO_LOOKUP(GetLookupOfferingTypeName) AMB_NO_LOOKUP(GetLookupEMailAddressName)
    AMB_NO_LOOKUP(GetLookupExpenseTypeName) AMB_NO_LOOKUP(GetLookupFamilyRelationshipName)
    AMB_NO_LOOKUP(GetLookupGroupPositionName) AMB_NO_LOOKUP(GetLookupGroupType) AMB_NO_LOOKUP(GetLookupPhoneNumberName)
    AMB_NO_LOOKUP(GetLookupMaritalStatus) AMB_NO_LOOKUP(GetLookupMemberClassification)
    AMB_NO_LOOKUP(GetLookupMemberStatus) AMB_NO_LOOKUP(GetLookupPersonTitleName) AMB_NO_LOOKUP(GetLookupReport)
    AMB_NO_LOOKUP(GetLookupSex) AMB_NO_LOOKUP(GetLookupState)
    AMB_NO_SET_BY_ID(GetAddressNameByID) AMB_NO_SET_BY_ID(GetAgeClassificationByID) AMB_NO_SET_BY_ID(GetOfferingByID)
    AMB_NO_SET_BY_ID(GetOfferingTypeNameByID) AMB_NO_SET_BY_ID(GetEMailAddressNameByID)
    AMB_NO_SET_BY_ID(GetExpenseByID) AMB_NO_SET_BY_ID(GetExpenseTypeNameByID) AMB_NO_SET_BY_ID(GetFamilyByID)
    AMB_NO_SET_BY_ID(GetFamilyRelationshipNameByID) AMB_NO_SET_BY_ID(GetGroupByID)
    AMB_NO_SET_BY_ID(GetGroupByGroupTypeID) AMB_NO_SET_BY_ID(GetGroupPositionNameByID)
    AMB_NO_SET_BY_ID(GetGroupTypeByID) AMB_NO_SET_BY_ID(GetMaritalStatusByID)
    AMB_NO_SET_BY_ID(GetMemberClassificationByID) AMB_NO_SET_BY_ID(GetMemberStatusByID)
    AMB_NO_SET_BY_ID(GetPersonTitleNameByID) AMB_NO_SET_BY_ID(GetPersonByID) AMB_NO_SET_BY_ID(GetPersonAddressByID)
    AMB_NO_SET_BY_ID(GetPersonEMailAddressByID) AMB_NO_SET_BY_ID(GetPersonPhoneNumberByID)
    AMB_NO_SET_BY_ID(GetPersonToFamilyByID) AMB_NO_SET_BY_ID(GetPersonToGroupByID)
    AMB_NO_SET_BY_ID(GetPhoneNumberNameByID) AMB_NO_SET_BY_ID(GetReportByID) AMB_NO_SET_BY_ID(GetStateByID)
    AMB_NO_SET_BY_ID(GetUserByID) AMB_NO_SET_BY_ID(GetFamilyByPersonID) AMB_NO_SET_BY_ID(GetGroupByPersonID)
    AMB_NO_SET_BY_ID(GetAddressByPersonID) AMB_NO_SET_BY_ID(GetOfferingByPersonID)
    AMB_NO_SET_BY_ID(GetEMailAddressByPersonID) AMB_NO_SET_BY_ID(GetPhoneNumberByPersonID)
    AMB_NO_SET_BY_ID(GetPersonByFamilyID) AMB_NO_SET_BY_ID(GetPersonByGroupID)
    AMB_NO_SET_BY_ID(GetHeadOfFamilyByFamilyID) AMB_NO_SET_BY_ID(GetHeadOfGroupByGroupID)
    AMB_NO_SET_BY_ID(GetHomeAddressByPersonID) AMB_NO_SET_BY_ID(GetHomePhoneNumberByPersonID)
    AMB_NO_SET_BY_ID(GetPersonalEMailAddressByPersonID) AMB_NO_SET_BY_ID(GetReportGroupList)
    AMB_NO_SET_BY_ID(GetReportGroupMailingLabel) AMB_NO_SET_BY_ID(GetReportMonthlyBirthdayList)
    AMB_NO_SET_BY_IDS(GetOfferingByPersonIDAndTypeID) AMB_NO_SET_BY_IDS(GetPersonToFamilyByFamilyIDAndPersonID)
    AMB_NO_SET_BY_IDS(GetPersonToGroupByGroupIDAndPersonID)
    AMB_NO_SET_BY_NAME(GetAddressNameByName) AMB_NO_SET_BY_NAME(GetAgeClassificationByName)
    AMB_NO_SET_BY_NAME(GetOfferingTypeNameByName) AMB_NO_SET_BY_NAME(GetEMailAddressNameByName)
    AMB_NO_SET_BY_NAME(GetExpenseTypeNameByName) AMB_NO_SET_BY_NAME(GetFamilyByName)
    AMB_NO_SET_BY_NAME(GetFamilyRelationshipNameByName) AMB_NO_SET_BY_NAME(GetGroupByName)
    AMB_NO_SET_BY_NAME(GetGroupPositionNameByName) AMB_NO_SET_BY_NAME(GetGroupTypeByName)
    AMB_NO_SET_BY_NAME(GetMaritalStatusByName) AMB_NO_SET_BY_NAME(GetMemberClassificationByName)
    AMB_NO_SET_BY_NAME(GetMemberStatusByName) AMB_NO_SET_BY_NAME(GetPersonTitleNameByName)
    AMB_NO_SET_BY_NAME(GetPhoneNumberNameByName) AMB_NO_SET_BY_NAME(GetReportByName) AMB_NO_SET_BY_NAME(GetStateByName)
    AMB_NO_SET_BY_NAME(GetUserByUsername) AMB_NO_SET_BY_NAME(GetPersonBySearchText)
    AMB_NO_SET_BY_NAME(GetFamilyBySearchText) AMB_NO_SET_BY_NAME(GetGroupBySearchText)
    AMB_NO_SET_BY_NAME(GetMailingAddress)
    AMB_NO_DATED_SET(GetOfferingByDateRange) AMB_NO_DATED_SET(GetExpenseByDateRange)
    AMB_NO_DATED_SET(GetReportBalanceSheet) AMB_NO_DATED_SET(GetReportExpenseSummary)
    AMB_NO_DATED_SET(GetReportOfferingSummary)
    AMB_NO_SAVE(UpdateAddressName) AMB_NO_SAVE(UpdateAgeClassification) AMB_NO_SAVE(UpdateOfferingTypeName)
    AMB_NO_SAVE(UpdateEMailAddressName) AMB_NO_SAVE(UpdateExpense) AMB_NO_SAVE(UpdateExpenseTypeName)
    AMB_NO_SAVE(UpdateFamily) AMB_NO_SAVE(UpdateFamilyRelationshipName) AMB_NO_SAVE(UpdateGroup)
    AMB_NO_SAVE(UpdateGroupPositionName) AMB_NO_SAVE(UpdateGroupType) AMB_NO_SAVE(UpdateMaritalStatus)
    AMB_NO_SAVE(UpdateMemberClassification) AMB_NO_SAVE(UpdateMemberStatus) AMB_NO_SAVE(UpdatePersonTitleName)
    AMB_NO_SAVE(UpdatePerson) AMB_NO_SAVE(UpdatePersonAddress) AMB_NO_SAVE(UpdatePersonOffering)
    AMB_NO_SAVE(UpdatePersonEMailAddress) AMB_NO_SAVE(UpdatePersonPhoneNumber) AMB_NO_SAVE(UpdatePersonToFamily)
    AMB_NO_SAVE(UpdatePersonToGroup) AMB_NO_SAVE(UpdatePhoneNumberName) AMB_NO_SAVE(UpdateReport)
    AMB_NO_SAVE(UpdateState) AMB_NO_SAVE(UpdateUser)
    AMB_NO_CHANGE(DeleteAddressName) AMB_NO_CHANGE(DeleteAgeClassification) AMB_NO_CHANGE(DeleteOfferingTypeName)
    AMB_NO_CHANGE(DeleteEMailAddressName) AMB_NO_CHANGE(DeleteExpense) AMB_NO_CHANGE(DeleteExpenseTypeName)
    AMB_NO_CHANGE(DeleteFamily) AMB_NO_CHANGE(DeleteFamilyRelationshipName) AMB_NO_CHANGE(DeleteGroup)
    AMB_NO_CHANGE(DeleteGroupPositionName) AMB_NO_CHANGE(DeleteGroupType) AMB_NO_CHANGE(DeleteMaritalStatus)
    AMB_NO_CHANGE(DeleteMemberClassification) AMB_NO_CHANGE(DeleteMemberStatus) AMB_NO_CHANGE(DeletePersonTitleName)
    AMB_NO_CHANGE(DeletePerson) AMB_NO_CHANGE(DeletePersonAddress) AMB_NO_CHANGE(DeletePersonOffering)
    AMB_NO_CHANGE(DeletePersonEMailAddress) AMB_NO_CHANGE(DeletePersonPhoneNumber) AMB_NO_CHANGE(DeletePersonToFamily)
    AMB_NO_CHANGE(DeletePersonToGroup) AMB_NO_CHANGE(DeletePhoneNumberName) AMB_NO_CHANGE(DeleteReport)
    AMB_NO_CHANGE(DeleteState) AMB_NO_CHANGE(DeleteUser) AMB_NO_CHANGE(SetEnvelopCode)
    AMB_NO_CHANGE_BY_IDS(DeletePersonToFamilyByPersonIDAndFamilyID)
    AMB_NO_CHANGE_BY_IDS(DeletePersonToGroupByPersonIDAndGroupID) AMB_NO_CHANGE_BY_IDS(SetMemberHeadOfFamily)
    AMB_NO_CHANGE_BY_IDS(SetMemberHeadOfGroup) AMB_NO_CHANGE_BY_IDS(CopyFamilyAddressAndPhoneNumber)
    platform::RecordsetPtr GetAllGroup() override { return {}; }
    platform::RecordsetPtr GetAllUser() override { return {}; }
    platform::RecordsetPtr GetPersonAddressByName(int32_t, const QString&) override { return {}; }
    platform::RecordsetPtr GetPersonEMailAddressByName(int32_t, const QString&) override { return {}; }
    platform::RecordsetPtr GetPersonPhoneNumberByName(int32_t, const QString&) override { return {}; }
    platform::RecordsetPtr GetUserByUsernameAndPassword(const QString&, const QString&) override { return {}; }
    platform::RecordsetPtr GetImportantDateByMonth(int16_t) override { return {}; }
    platform::DictionaryPtr GetMemberRecordStat() override { return {}; }
    int32_t SetMemberFamilyRelationship(int32_t, int32_t, const QString&) override { return -1; }
    int32_t SetMemberGroupPosition(int32_t, int32_t, const QString&) override { return -1; }
    int32_t SetUserPassword(const QString&, const QString&, const QString&) override { return -1; }
    int32_t SetUserDateLogin(int32_t, const QDateTime&) override { return -1; }
    platform::RecordsetPtr GetReportExpenseList(const QDateTime&, const QDateTime&, int32_t) override { return {}; }
    platform::RecordsetPtr GetReportOfferingList(const QDateTime&, const QDateTime&, int32_t, int32_t) override {
        return {};
    }
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
    int32_t Purge() override { return -1; }
    int32_t Convert() override { return -1; }
    // clang-format on
};

} // namespace test

#undef AMB_NO_LOOKUP
#undef AMB_NO_SET_BY_ID
#undef AMB_NO_SET_BY_IDS
#undef AMB_NO_SET_BY_NAME
#undef AMB_NO_DATED_SET
#undef AMB_NO_SAVE
#undef AMB_NO_CHANGE
#undef AMB_NO_CHANGE_BY_IDS
