#pragma once

#include "contracts/Enums.h"
#include "contracts/IApplication.h"
#include "platform/com/Object.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>

namespace amb {

// The one way into the database. No member raises an error: a query answers no object on failure
// (and when nothing matched, unless ReturnEOF asks for an empty set), an action answers -1.
// Optional report filters default to the zero of their type (0, empty text, invalid date), which
// each data set reads as "no filter".
class IDatabaseManager : public virtual platform::Object {
public:
    ~IDatabaseManager() override;

    // A save's record may carry, under this key, a dictionary of the row's stored values as the
    // window read them. The save then compares the columns it writes with the row and refuses
    // (ChangedElsewhere, RecordGone) instead of overwriting what another program changed meanwhile.
    // A record without it saves as it always did.
    static inline const QString kAsReadKey = QStringLiteral("@AsRead");
    // A person's record may carry, under this key, the membership row whose relationship or position
    // the person window edits (ID, PersonID, FamilyID or GroupID, Relationship or Position, and its
    // own kAsReadKey). UpdatePerson compares it with the stored row in the person's transaction,
    // refuses as for the person's columns, and writes the text only when it differs from the one read.
    static inline const QString kMembershipKey = QStringLiteral("@Membership");
    // A new family's or group's record may carry, under this key, the id of its head: UpdateFamily or
    // UpdateGroup then stores the row and the head's membership together, or neither.
    static inline const QString kHeadKey = QStringLiteral("@HeadPersonID");

    // The cause of the last refused call, and the field it names (TextTooLong). A call that
    // changes data starts with None. A purge that removed the records but could not compact the
    // file (result 0) keeps the compaction's cause. Managers that keep no causes answer None.
    virtual EnumDatabaseFailure LastFailure() { return EnumDatabaseFailure::None; }
    virtual QString LastFailureField() { return QString(); }
    // Why the last query answered no object: None when it matched nothing (or answered), otherwise the
    // cause of its failure (Damaged for a file that is damaged or cannot be read). Each query starts
    // with None; the members that change data leave it alone.
    virtual EnumDatabaseFailure LastReadFailure() { return EnumDatabaseFailure::None; }

    // Properties.
    virtual EnumDatabaseType DatabaseType() = 0;
    virtual void SetDatabaseType(EnumDatabaseType value) = 0;
    virtual bool UseStoredProcedures() = 0;
    virtual void SetUseStoredProcedures(bool value) = 0;
    virtual QString ConnectionString() = 0;
    virtual void SetConnectionString(const QString& value) = 0;
    virtual IApplicationPtr AmbApplication() = 0;
    virtual void SetAmbApplication(const IApplicationPtr& value) = 0;
    virtual bool ReturnEOF() = 0;
    virtual void SetReturnEOF(bool value) = 0;

    // Look-up lists: columns ID and Name (and IsUpdatable for the address, phone and e-mail kinds),
    // with the extra rows that the option bits ask for.
    virtual platform::RecordsetPtr GetLookupAddressName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupAgeClassification(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupOfferingTypeName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupEMailAddressName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupExpenseTypeName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupFamilyRelationshipName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupGroupPositionName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupGroupType(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupPhoneNumberName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupMaritalStatus(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupMemberClassification(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupMemberStatus(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupPersonTitleName(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupReport(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupSex(EnumLookupOption en) = 0;
    virtual platform::RecordsetPtr GetLookupState(EnumLookupOption en) = 0;

    // Reads: whole lists.
    virtual platform::RecordsetPtr GetAllGroup() = 0;
    virtual platform::RecordsetPtr GetAllUser() = 0;

    // Reads by id (marked rows included).
    virtual platform::RecordsetPtr GetAddressNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetAgeClassificationByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetOfferingByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetOfferingTypeNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetEMailAddressNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetExpenseByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetExpenseTypeNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetFamilyByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetFamilyRelationshipNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetGroupByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetGroupByGroupTypeID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetGroupPositionNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetGroupTypeByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetMaritalStatusByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetMemberClassificationByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetMemberStatusByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonTitleNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonAddressByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonEMailAddressByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonPhoneNumberByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonToFamilyByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonToGroupByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPhoneNumberNameByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetReportByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetStateByID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetUserByID(int32_t n) = 0;

    // Reads by owner.
    virtual platform::RecordsetPtr GetFamilyByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetGroupByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetAddressByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetOfferingByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetOfferingByPersonIDAndTypeID(int32_t nPerson, int32_t nType) = 0;
    virtual platform::RecordsetPtr GetEMailAddressByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPhoneNumberByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonByFamilyID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonByGroupID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetHeadOfFamilyByFamilyID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetHeadOfGroupByGroupID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetHomeAddressByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetHomePhoneNumberByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonalEMailAddressByPersonID(int32_t n) = 0;
    virtual platform::RecordsetPtr GetPersonToFamilyByFamilyIDAndPersonID(int32_t nFamily, int32_t nPerson) = 0;
    virtual platform::RecordsetPtr GetPersonToGroupByGroupIDAndPersonID(int32_t nGroup, int32_t nPerson) = 0;

    // Reads by name.
    virtual platform::RecordsetPtr GetAddressNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetAgeClassificationByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetOfferingTypeNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetEMailAddressNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetExpenseTypeNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetFamilyByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetFamilyRelationshipNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetGroupByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetGroupPositionNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetGroupTypeByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetMaritalStatusByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetMemberClassificationByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetMemberStatusByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetPersonTitleNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetPersonAddressByName(int32_t nPerson, const QString& s) = 0;
    virtual platform::RecordsetPtr GetPersonEMailAddressByName(int32_t nPerson, const QString& s) = 0;
    virtual platform::RecordsetPtr GetPersonPhoneNumberByName(int32_t nPerson, const QString& s) = 0;
    virtual platform::RecordsetPtr GetPhoneNumberNameByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetReportByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetStateByName(const QString& s) = 0;
    virtual platform::RecordsetPtr GetUserByUsername(const QString& s) = 0;
    virtual platform::RecordsetPtr GetUserByUsernameAndPassword(const QString& sUsername, const QString& sPassword) = 0;

    // Searches, dates and statistics.
    virtual platform::RecordsetPtr GetPersonBySearchText(const QString& sSearchText) = 0;
    virtual platform::RecordsetPtr GetFamilyBySearchText(const QString& sSearchText) = 0;
    virtual platform::RecordsetPtr GetGroupBySearchText(const QString& sSearchText) = 0;
    virtual platform::RecordsetPtr GetImportantDateByMonth(int16_t nMonth) = 0;
    virtual platform::RecordsetPtr GetOfferingByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) = 0;
    virtual platform::RecordsetPtr GetExpenseByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) = 0;
    virtual platform::RecordsetPtr GetMailingAddress(const QString& sAddressName) = 0;
    // Keys "TotalMemberRecordCount", "TotalFamilyRecordCount", "TotalGroupRecordCount".
    virtual platform::DictionaryPtr GetMemberRecordStat() = 0;

    // Saves from a record dictionary: the row's id, or -1. A new membership (UpdatePersonToFamily or
    // UpdatePersonToGroup with "ID" 0) of a person who is in that family or group already answers the
    // id of that row and writes nothing.
    virtual int32_t UpdateAddressName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateAgeClassification(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateOfferingTypeName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateEMailAddressName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateExpense(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateExpenseTypeName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateFamily(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateFamilyRelationshipName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateGroup(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateGroupPositionName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateGroupType(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateMaritalStatus(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateMemberClassification(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateMemberStatus(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePersonTitleName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePerson(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePersonAddress(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePersonOffering(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePersonEMailAddress(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePersonPhoneNumber(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePersonToFamily(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePersonToGroup(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdatePhoneNumberName(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateReport(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateState(const platform::DictionaryPtr& dict) = 0;
    virtual int32_t UpdateUser(const platform::DictionaryPtr& dict) = 0;

    // Deletes: the number of rows deleted or marked, or -1 (DeletePerson also -2 and -3).
    virtual int32_t DeleteAddressName(int32_t n) = 0;
    virtual int32_t DeleteAgeClassification(int32_t n) = 0;
    virtual int32_t DeleteOfferingTypeName(int32_t n) = 0;
    virtual int32_t DeleteEMailAddressName(int32_t n) = 0;
    virtual int32_t DeleteExpense(int32_t n) = 0;
    virtual int32_t DeleteExpenseTypeName(int32_t n) = 0;
    virtual int32_t DeleteFamily(int32_t n) = 0;
    virtual int32_t DeleteFamilyRelationshipName(int32_t n) = 0;
    virtual int32_t DeleteGroup(int32_t n) = 0;
    virtual int32_t DeleteGroupPositionName(int32_t n) = 0;
    virtual int32_t DeleteGroupType(int32_t n) = 0;
    virtual int32_t DeleteMaritalStatus(int32_t n) = 0;
    virtual int32_t DeleteMemberClassification(int32_t n) = 0;
    virtual int32_t DeleteMemberStatus(int32_t n) = 0;
    virtual int32_t DeletePersonTitleName(int32_t n) = 0;
    virtual int32_t DeletePerson(int32_t n) = 0;
    virtual int32_t DeletePersonAddress(int32_t n) = 0;
    virtual int32_t DeletePersonOffering(int32_t n) = 0;
    virtual int32_t DeletePersonEMailAddress(int32_t n) = 0;
    virtual int32_t DeletePersonPhoneNumber(int32_t n) = 0;
    virtual int32_t DeletePersonToFamily(int32_t n) = 0;
    virtual int32_t DeletePersonToFamilyByPersonIDAndFamilyID(int32_t nPerson, int32_t nFamily) = 0;
    virtual int32_t DeletePersonToGroup(int32_t n) = 0;
    virtual int32_t DeletePersonToGroupByPersonIDAndGroupID(int32_t nPerson, int32_t nGroup) = 0;
    virtual int32_t DeletePhoneNumberName(int32_t n) = 0;
    virtual int32_t DeleteReport(int32_t n) = 0;
    virtual int32_t DeleteState(int32_t n) = 0;
    virtual int32_t DeleteUser(int32_t n) = 0;

    // Setters and copy: 1 or the number of rows changed, or -1.
    virtual int32_t SetMemberHeadOfFamily(int32_t nPerson, int32_t nFamily) = 0;
    virtual int32_t SetMemberHeadOfGroup(int32_t nPerson, int32_t nGroup) = 0;
    virtual int32_t SetMemberFamilyRelationship(int32_t nPerson, int32_t nFamily, const QString& sRelationship) = 0;
    virtual int32_t SetMemberGroupPosition(int32_t nPerson, int32_t nGroup, const QString& sPosition) = 0;
    virtual int32_t SetUserPassword(const QString& sUsername, const QString& sOldPassword,
                                    const QString& sNewPassword) = 0;
    virtual int32_t SetUserDateLogin(int32_t nUser, const QDateTime& dt) = 0;
    virtual int32_t SetEnvelopCode(int32_t nPerson) = 0;
    // The head's first home address and home phone go into the person's first home rows of those
    // kinds, only where none of the person's home rows of the kind holds anything yet.
    virtual int32_t CopyFamilyAddressAndPhoneNumber(int32_t nPerson, int32_t nFamily) = 0;

    // Report data sets.
    virtual platform::RecordsetPtr GetReportBalanceSheet(const QDateTime& dtStart = QDateTime(),
                                                         const QDateTime& dtEnd = QDateTime()) = 0;
    virtual platform::RecordsetPtr GetReportExpenseList(const QDateTime& dtStart = QDateTime(),
                                                        const QDateTime& dtEnd = QDateTime(),
                                                        int32_t nExpenseType = 0) = 0;
    virtual platform::RecordsetPtr GetReportExpenseSummary(const QDateTime& dtStart = QDateTime(),
                                                           const QDateTime& dtEnd = QDateTime()) = 0;
    virtual platform::RecordsetPtr GetReportOfferingList(const QDateTime& dtStart = QDateTime(),
                                                         const QDateTime& dtEnd = QDateTime(),
                                                         int32_t nOfferingType = 0, int32_t nPerson = 0) = 0;
    virtual platform::RecordsetPtr GetReportOfferingSummary(const QDateTime& dtStart = QDateTime(),
                                                            const QDateTime& dtEnd = QDateTime()) = 0;
    virtual platform::RecordsetPtr GetReportGroupList(int32_t nGroupType = 0) = 0;
    virtual platform::RecordsetPtr GetReportGroupMailingLabel(int32_t nGroupType = 0) = 0;
    virtual platform::RecordsetPtr GetReportFamilyList(const QString& sCity = QString(),
                                                       const QString& sState = QString(),
                                                       const QString& sZipCode = QString()) = 0;
    virtual platform::RecordsetPtr GetReportFamilyMailingLabel(const QString& sCity = QString(),
                                                               const QString& sState = QString(),
                                                               const QString& sZipCode = QString()) = 0;
    virtual platform::RecordsetPtr GetReportMemberList(int32_t nClassification = 0, int32_t nAgeClassification = 0,
                                                       int32_t nMemberStatus = 0, int32_t nSex = 0,
                                                       int32_t nMaritalStatus = 0, int16_t nBaptized = 0,
                                                       const QString& sCity = QString(),
                                                       const QString& sState = QString(),
                                                       const QString& sZipCode = QString()) = 0;
    virtual platform::RecordsetPtr
    GetReportMemberMailingLabel(int32_t nClassification = 0, int32_t nAgeClassification = 0, int32_t nMemberStatus = 0,
                                int32_t nSex = 0, int32_t nMaritalStatus = 0, int16_t nBaptized = 0,
                                const QString& sCity = QString(), const QString& sState = QString(),
                                const QString& sZipCode = QString(), const QString& sAddressName = QString()) = 0;
    virtual platform::RecordsetPtr GetReportMonthlyBirthdayList(int32_t nMonth) = 0;

    // Maintenance.
    virtual int32_t Purge() = 0;
    virtual int32_t Convert() = 0;
};

} // namespace amb
