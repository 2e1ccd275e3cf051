#pragma once

#include "common/HubLink.h"
#include "contracts/IDatabaseManager.h"
#include "platform/data/Dictionary.h"
#include "platform/data/SqliteConnection.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace amb {
enum class Lookup : int32_t;
}

namespace amb::database {

struct ContactTable;

// What a row save writes besides the dictionary's fields.
struct FieldValue {
    QString Column;
    platform::Variant Value;
};
struct RowSave {
    QString Table;
    std::vector<FieldValue> InsertOnly; // set only when the save inserts
    std::vector<FieldValue> Always;     // set on every save
    QStringList Fields;                 // copied from the dictionary (missing or blank: Null)
    QStringList Required;               // of Fields: a value that would be stored as Null refuses the save
    QStringList Checked;                // further columns written from the record, compared like Fields
    // The row names a person by its PersonID (0: none, for an offering without a giver): a save that
    // adds it, or moves it to another person, stores it only while that person exists unmarked.
    bool NamesPerson = false;
    // The table of the family or group that the row's OwnerColumn names: the save stores the row only
    // while that family or group exists.
    QString OwnerTable;
    QString OwnerColumn;
};

// A family's or a group's membership table and columns (ManagerFamilies.cpp).
struct Membership;

// "AmbDatabase.Manager": the only code that speaks SQL. One connection to db.mdb is opened on first
// use (never creating the file) and kept, with its prepared statements, until the connection string
// changes. Every member runs through amb::Guard: entry line, level-9 line and failure value.
class Manager final : public amb::IDatabaseManager {
public:
    Manager();
    ~Manager() override;
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    EnumDatabaseType DatabaseType() override;
    void SetDatabaseType(EnumDatabaseType value) override;
    bool UseStoredProcedures() override;
    void SetUseStoredProcedures(bool value) override;
    QString ConnectionString() override;
    void SetConnectionString(const QString& value) override;
    IApplicationPtr AmbApplication() override;
    void SetAmbApplication(const IApplicationPtr& value) override;
    bool ReturnEOF() override;
    void SetReturnEOF(bool value) override;

    platform::RecordsetPtr GetLookupAddressName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupAgeClassification(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupOfferingTypeName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupEMailAddressName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupExpenseTypeName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupFamilyRelationshipName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupGroupPositionName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupGroupType(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupPhoneNumberName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupMaritalStatus(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupMemberClassification(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupMemberStatus(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupPersonTitleName(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupReport(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupSex(EnumLookupOption en) override;
    platform::RecordsetPtr GetLookupState(EnumLookupOption en) override;

    platform::RecordsetPtr GetAllGroup() override;
    platform::RecordsetPtr GetAllUser() override;

    platform::RecordsetPtr GetAddressNameByID(int32_t n) override;
    platform::RecordsetPtr GetAgeClassificationByID(int32_t n) override;
    platform::RecordsetPtr GetOfferingByID(int32_t n) override;
    platform::RecordsetPtr GetOfferingTypeNameByID(int32_t n) override;
    platform::RecordsetPtr GetEMailAddressNameByID(int32_t n) override;
    platform::RecordsetPtr GetExpenseByID(int32_t n) override;
    platform::RecordsetPtr GetExpenseTypeNameByID(int32_t n) override;
    platform::RecordsetPtr GetFamilyByID(int32_t n) override;
    platform::RecordsetPtr GetFamilyRelationshipNameByID(int32_t n) override;
    platform::RecordsetPtr GetGroupByID(int32_t n) override;
    platform::RecordsetPtr GetGroupByGroupTypeID(int32_t n) override;
    platform::RecordsetPtr GetGroupPositionNameByID(int32_t n) override;
    platform::RecordsetPtr GetGroupTypeByID(int32_t n) override;
    platform::RecordsetPtr GetMaritalStatusByID(int32_t n) override;
    platform::RecordsetPtr GetMemberClassificationByID(int32_t n) override;
    platform::RecordsetPtr GetMemberStatusByID(int32_t n) override;
    platform::RecordsetPtr GetPersonTitleNameByID(int32_t n) override;
    platform::RecordsetPtr GetPersonByID(int32_t n) override;
    platform::RecordsetPtr GetPersonAddressByID(int32_t n) override;
    platform::RecordsetPtr GetPersonEMailAddressByID(int32_t n) override;
    platform::RecordsetPtr GetPersonPhoneNumberByID(int32_t n) override;
    platform::RecordsetPtr GetPersonToFamilyByID(int32_t n) override;
    platform::RecordsetPtr GetPersonToGroupByID(int32_t n) override;
    platform::RecordsetPtr GetPhoneNumberNameByID(int32_t n) override;
    platform::RecordsetPtr GetReportByID(int32_t n) override;
    platform::RecordsetPtr GetStateByID(int32_t n) override;
    platform::RecordsetPtr GetUserByID(int32_t n) override;

    platform::RecordsetPtr GetFamilyByPersonID(int32_t n) override;
    platform::RecordsetPtr GetGroupByPersonID(int32_t n) override;
    platform::RecordsetPtr GetAddressByPersonID(int32_t n) override;
    platform::RecordsetPtr GetOfferingByPersonID(int32_t n) override;
    platform::RecordsetPtr GetOfferingByPersonIDAndTypeID(int32_t nPerson, int32_t nType) override;
    platform::RecordsetPtr GetEMailAddressByPersonID(int32_t n) override;
    platform::RecordsetPtr GetPhoneNumberByPersonID(int32_t n) override;
    platform::RecordsetPtr GetPersonByFamilyID(int32_t n) override;
    platform::RecordsetPtr GetPersonByGroupID(int32_t n) override;
    platform::RecordsetPtr GetHeadOfFamilyByFamilyID(int32_t n) override;
    platform::RecordsetPtr GetHeadOfGroupByGroupID(int32_t n) override;
    platform::RecordsetPtr GetHomeAddressByPersonID(int32_t n) override;
    platform::RecordsetPtr GetHomePhoneNumberByPersonID(int32_t n) override;
    platform::RecordsetPtr GetPersonalEMailAddressByPersonID(int32_t n) override;
    platform::RecordsetPtr GetPersonToFamilyByFamilyIDAndPersonID(int32_t nFamily, int32_t nPerson) override;
    platform::RecordsetPtr GetPersonToGroupByGroupIDAndPersonID(int32_t nGroup, int32_t nPerson) override;

    platform::RecordsetPtr GetAddressNameByName(const QString& s) override;
    platform::RecordsetPtr GetAgeClassificationByName(const QString& s) override;
    platform::RecordsetPtr GetOfferingTypeNameByName(const QString& s) override;
    platform::RecordsetPtr GetEMailAddressNameByName(const QString& s) override;
    platform::RecordsetPtr GetExpenseTypeNameByName(const QString& s) override;
    platform::RecordsetPtr GetFamilyByName(const QString& s) override;
    platform::RecordsetPtr GetFamilyRelationshipNameByName(const QString& s) override;
    platform::RecordsetPtr GetGroupByName(const QString& s) override;
    platform::RecordsetPtr GetGroupPositionNameByName(const QString& s) override;
    platform::RecordsetPtr GetGroupTypeByName(const QString& s) override;
    platform::RecordsetPtr GetMaritalStatusByName(const QString& s) override;
    platform::RecordsetPtr GetMemberClassificationByName(const QString& s) override;
    platform::RecordsetPtr GetMemberStatusByName(const QString& s) override;
    platform::RecordsetPtr GetPersonTitleNameByName(const QString& s) override;
    platform::RecordsetPtr GetPersonAddressByName(int32_t nPerson, const QString& s) override;
    platform::RecordsetPtr GetPersonEMailAddressByName(int32_t nPerson, const QString& s) override;
    platform::RecordsetPtr GetPersonPhoneNumberByName(int32_t nPerson, const QString& s) override;
    platform::RecordsetPtr GetPhoneNumberNameByName(const QString& s) override;
    platform::RecordsetPtr GetReportByName(const QString& s) override;
    platform::RecordsetPtr GetStateByName(const QString& s) override;
    platform::RecordsetPtr GetUserByUsername(const QString& s) override;
    platform::RecordsetPtr GetUserByUsernameAndPassword(const QString& sUsername, const QString& sPassword) override;

    platform::RecordsetPtr GetPersonBySearchText(const QString& sSearchText) override;
    platform::RecordsetPtr GetFamilyBySearchText(const QString& sSearchText) override;
    platform::RecordsetPtr GetGroupBySearchText(const QString& sSearchText) override;
    platform::RecordsetPtr GetImportantDateByMonth(int16_t nMonth) override;
    platform::RecordsetPtr GetOfferingByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetExpenseByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetMailingAddress(const QString& sAddressName) override;
    platform::DictionaryPtr GetMemberRecordStat() override;

    int32_t UpdateAddressName(const platform::DictionaryPtr& dict) override;
    int32_t UpdateAgeClassification(const platform::DictionaryPtr& dict) override;
    int32_t UpdateOfferingTypeName(const platform::DictionaryPtr& dict) override;
    int32_t UpdateEMailAddressName(const platform::DictionaryPtr& dict) override;
    int32_t UpdateExpense(const platform::DictionaryPtr& dict) override;
    int32_t UpdateExpenseTypeName(const platform::DictionaryPtr& dict) override;
    int32_t UpdateFamily(const platform::DictionaryPtr& dict) override;
    int32_t UpdateFamilyRelationshipName(const platform::DictionaryPtr& dict) override;
    int32_t UpdateGroup(const platform::DictionaryPtr& dict) override;
    int32_t UpdateGroupPositionName(const platform::DictionaryPtr& dict) override;
    int32_t UpdateGroupType(const platform::DictionaryPtr& dict) override;
    int32_t UpdateMaritalStatus(const platform::DictionaryPtr& dict) override;
    int32_t UpdateMemberClassification(const platform::DictionaryPtr& dict) override;
    int32_t UpdateMemberStatus(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePersonTitleName(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePerson(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePersonAddress(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePersonOffering(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePersonEMailAddress(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePersonPhoneNumber(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePersonToFamily(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePersonToGroup(const platform::DictionaryPtr& dict) override;
    int32_t UpdatePhoneNumberName(const platform::DictionaryPtr& dict) override;
    int32_t UpdateReport(const platform::DictionaryPtr& dict) override;
    int32_t UpdateState(const platform::DictionaryPtr& dict) override;
    int32_t UpdateUser(const platform::DictionaryPtr& dict) override;

    int32_t DeleteAddressName(int32_t n) override;
    int32_t DeleteAgeClassification(int32_t n) override;
    int32_t DeleteOfferingTypeName(int32_t n) override;
    int32_t DeleteEMailAddressName(int32_t n) override;
    int32_t DeleteExpense(int32_t n) override;
    int32_t DeleteExpenseTypeName(int32_t n) override;
    int32_t DeleteFamily(int32_t n) override;
    int32_t DeleteFamilyRelationshipName(int32_t n) override;
    int32_t DeleteGroup(int32_t n) override;
    int32_t DeleteGroupPositionName(int32_t n) override;
    int32_t DeleteGroupType(int32_t n) override;
    int32_t DeleteMaritalStatus(int32_t n) override;
    int32_t DeleteMemberClassification(int32_t n) override;
    int32_t DeleteMemberStatus(int32_t n) override;
    int32_t DeletePersonTitleName(int32_t n) override;
    int32_t DeletePerson(int32_t n) override;
    int32_t DeletePersonAddress(int32_t n) override;
    int32_t DeletePersonOffering(int32_t n) override;
    int32_t DeletePersonEMailAddress(int32_t n) override;
    int32_t DeletePersonPhoneNumber(int32_t n) override;
    int32_t DeletePersonToFamily(int32_t n) override;
    int32_t DeletePersonToFamilyByPersonIDAndFamilyID(int32_t nPerson, int32_t nFamily) override;
    int32_t DeletePersonToGroup(int32_t n) override;
    int32_t DeletePersonToGroupByPersonIDAndGroupID(int32_t nPerson, int32_t nGroup) override;
    int32_t DeletePhoneNumberName(int32_t n) override;
    int32_t DeleteReport(int32_t n) override;
    int32_t DeleteState(int32_t n) override;
    int32_t DeleteUser(int32_t n) override;

    int32_t SetMemberHeadOfFamily(int32_t nPerson, int32_t nFamily) override;
    int32_t SetMemberHeadOfGroup(int32_t nPerson, int32_t nGroup) override;
    int32_t SetMemberFamilyRelationship(int32_t nPerson, int32_t nFamily, const QString& sRelationship) override;
    int32_t SetMemberGroupPosition(int32_t nPerson, int32_t nGroup, const QString& sPosition) override;
    int32_t SetUserPassword(const QString& sUsername, const QString& sOldPassword,
                            const QString& sNewPassword) override;
    int32_t SetUserDateLogin(int32_t nUser, const QDateTime& dt) override;
    int32_t SetEnvelopCode(int32_t nPerson) override;
    int32_t CopyFamilyAddressAndPhoneNumber(int32_t nPerson, int32_t nFamily) override;

    platform::RecordsetPtr GetReportBalanceSheet(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetReportExpenseList(const QDateTime& dtStart, const QDateTime& dtEnd,
                                                int32_t nExpenseType) override;
    platform::RecordsetPtr GetReportExpenseSummary(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetReportOfferingList(const QDateTime& dtStart, const QDateTime& dtEnd,
                                                 int32_t nOfferingType, int32_t nPerson) override;
    platform::RecordsetPtr GetReportOfferingSummary(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetReportGroupList(int32_t nGroupType) override;
    platform::RecordsetPtr GetReportGroupMailingLabel(int32_t nGroupType) override;
    platform::RecordsetPtr GetReportFamilyList(const QString& sCity, const QString& sState,
                                               const QString& sZipCode) override;
    platform::RecordsetPtr GetReportFamilyMailingLabel(const QString& sCity, const QString& sState,
                                                       const QString& sZipCode) override;
    platform::RecordsetPtr GetReportMemberList(int32_t nClassification, int32_t nAgeClassification,
                                               int32_t nMemberStatus, int32_t nSex, int32_t nMaritalStatus,
                                               int16_t nBaptized, const QString& sCity, const QString& sState,
                                               const QString& sZipCode) override;
    platform::RecordsetPtr GetReportMemberMailingLabel(int32_t nClassification, int32_t nAgeClassification,
                                                       int32_t nMemberStatus, int32_t nSex, int32_t nMaritalStatus,
                                                       int16_t nBaptized, const QString& sCity, const QString& sState,
                                                       const QString& sZipCode, const QString& sAddressName) override;
    platform::RecordsetPtr GetReportMonthlyBirthdayList(int32_t nMonth) override;

    int32_t Purge() override;
    int32_t Convert() override;

    EnumDatabaseFailure LastFailure() override;
    QString LastFailureField() override;
    EnumDatabaseFailure LastReadFailure() override;

    // The open connection (opened now if need be), for maintenance work that must go through the
    // program's own connection, and for tests that set its limits.
    platform::SqliteConnection& OpenConnection() { return Connection(); }

    // The cause of a refused call and the field it names.
    struct Failure {
        EnumDatabaseFailure Cause = EnumDatabaseFailure::None;
        QString Field;
    };

private:
    // ManagerSupport.h: the guard forms of the members. An action member starts with no cause; a
    // failure of any member keeps its cause for LastFailure and writes its line, and so does an action
    // member's -1.
    // A read starts without a read cause and keeps the cause of its failure for LastReadFailure.
    template <class T, class F> T ReadMember(const QString& member, F&& body);
    template <class F> platform::RecordsetPtr QueryMember(const QString& member, F&& body);
    // A report's data set: a query member run with a small page cache (see ReportCache).
    template <class F> platform::RecordsetPtr ReportMember(const QString& member, F&& body);
    template <class F> int32_t ActionMember(const QString& member, F&& body);
    template <class F> auto KeepingCause(F&& body);

    // ManagerCore.cpp: connection, statements, row save, revival and sentinel rows.
    platform::SqliteConnection& Connection();
    // The rows of a query; none when it matched nothing, unless ReturnEOF asks for an empty set.
    platform::RecordsetPtr ExecuteSelect(const QString& sql, const platform::SqlParams& params = {},
                                         const platform::SqlTypeHints& hints = {});
    // The rows of a query, always a set (for code that reads the result itself).
    // Columns without a declared type (expressions, UNION queries) take their kind from the hints.
    platform::RecordsetPtr QueryAll(const QString& sql, const platform::SqlParams& params = {},
                                    const platform::SqlTypeHints& hints = {});
    // Runs one statement as part of the caller's work (its transaction, if any); the changed count.
    // A failure names the statement.
    int RunStatement(const QString& sql, const platform::SqlParams& params = {});
    // Runs one statement in its own transaction (or the caller's); the changed count, -1 for none.
    int32_t ExecuteUpdate(const QString& sql, const platform::SqlParams& params = {});
    // Inserts or updates one row from a record dictionary; returns its id. Throws on any bad value,
    // so the caller's transaction rolls back and nothing partial is stored.
    int32_t SaveRow(const RowSave& spec, const platform::Dictionary& dict);
    bool RowExists(const QString& table, int32_t id);
    // When the record carries the stored values as its window read them: refuses (RecordGone) a row
    // that no longer exists or was marked deleted meanwhile, and (ChangedElsewhere) one whose
    // columns that the save writes differ from them. Inside the save's transaction.
    void CheckAsRead(const RowSave& spec, const platform::Dictionary& dict, bool exists);
    // Refuses (RecordGone) a row that `spec` marks as naming a person when that person was purged or
    // marked deleted, unless the row is saved again for the person it already names. Inside the save's
    // transaction, so that no purge in between leaves the row without its person.
    void CheckNamedPerson(const RowSave& spec, const platform::Dictionary& dict, int32_t id, bool exists);
    // Refuses (FamilyGroupGone) a row whose family or group no longer exists. Inside the save's
    // transaction, so that no delete in between leaves the row without its family or group.
    void CheckNamedOwner(const RowSave& spec, const platform::Dictionary& dict);
    // Throws when a look-up id of the row that `spec` saves names no entry of its list (an entry
    // marked deleted counts, and so do 0, the blank entry, Null and the value the row holds now).
    void CheckLookupIds(const RowSave& spec, const platform::Dictionary& dict, int32_t id, bool exists);
    // The membership row saves and the head setting, alike for families and groups.
    // An insert ("ID" 0) takes the person's row of that family or group when there is one already.
    int32_t SaveMembership(const Membership& m, const platform::Dictionary& record);
    // The family or group row, with its head's membership when the record carries kHeadKey.
    int32_t SaveOwner(const Membership& m, const platform::Dictionary& record);
    // The relationship or position that a person's save carries (kMembershipKey), inside its transaction.
    void SaveMemberRole(int32_t person, const platform::Dictionary& record);
    int32_t SetHead(const Membership& m, int32_t person, int32_t owner);
    // The sentinel rows that the option bits ask for, as a UNION tail for a look-up query.
    static QString BuildLookUpOptionQuery(EnumLookupOption option, const QString& table, bool withIsUpdatable);
    // The id of a marked row of that name, 0 when there is none.
    int32_t FindDeletedRecord(const QString& table, const QString& column, const QString& name);
    // Revives the marked row; its id, or -1.
    int32_t RestoreDeletedRecord(const QString& table, const QString& column, const QString& name);

    // ManagerLookups.cpp: the look-up lists, each member naming its row of kLookupKinds.
    platform::RecordsetPtr LookupList(Lookup list, EnumLookupOption en, const QString& member);
    platform::RecordsetPtr LookupByID(Lookup list, int32_t n, const QString& member);
    platform::RecordsetPtr LookupByName(Lookup list, const QString& s, const QString& member);
    int32_t LookupSave(Lookup list, const platform::DictionaryPtr& dict, const QString& member);
    int32_t LookupDelete(Lookup list, int32_t n, const QString& member);

    // ManagerContacts.cpp: the three kinds of contact row, each member naming its table.
    void CreateBuiltInContactRows(int32_t personId);
    platform::RecordsetPtr ContactByID(const ContactTable& t, int32_t n, const QString& member);
    platform::RecordsetPtr ContactsByPersonID(const ContactTable& t, int32_t n, const QString& member);
    platform::RecordsetPtr ContactByName(const ContactTable& t, int32_t nPerson, const QString& s,
                                         const QString& member);
    // The person's rows of the first built-in kind (home address and phone, personal e-mail).
    platform::RecordsetPtr FirstKindContacts(const ContactTable& t, int32_t n, const QString& member);
    int32_t SaveContact(const ContactTable& t, const platform::DictionaryPtr& dict, const QString& member);
    // Only extra rows can be deleted: a row of a built-in kind lives as long as its person.
    int32_t DeleteContact(const ContactTable& t, int32_t n, const QString& member);

    QString m_connectionString;
    HubLink m_hub{QStringLiteral("AmbDatabase.Manager")};
    EnumDatabaseType m_databaseType = EnumDatabaseType::MSAccess;
    bool m_useStoredProcedures = false;
    bool m_returnEOF = false;
    std::unique_ptr<platform::SqliteConnection> m_connection;
    Failure m_failure;
    EnumDatabaseFailure m_readFailure = EnumDatabaseFailure::None;
};

// The source object of every trace, log and failure line of this component.
inline const QString kObjectName = QStringLiteral("AmbDatabase.Manager");

} // namespace amb::database
