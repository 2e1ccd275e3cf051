#include "database/ManagerSupport.h"

#include "common/LookupKinds.h"
#include "common/StandardModule.h"
#include "platform/com/Error.h"

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

namespace {

QString Quoted(const LookupKind& kind) {
    return QLatin1Char('"') + NameColumn(kind) + QLatin1Char('"');
}

} // namespace

RecordsetPtr Manager::LookupList(Lookup list, EnumLookupOption en, const QString& member) {
    return QueryMember(member, [&] {
        const LookupKind& t = KindOf(list);
        const QString table = Quoted(t);
        QString sql = QStringLiteral("SELECT ID, %1 AS Name%2 FROM %1")
                          .arg(table, t.isUpdatableColumn ? QStringLiteral(", IsUpdatable") : QString());
        if (!t.fixed)
            sql += QStringLiteral(" WHERE IsDeleted=0");
        const QString options = BuildLookUpOptionQuery(en, NameColumn(t), t.isUpdatableColumn);
        sql += options.isEmpty() ? QStringLiteral(" ORDER BY %1").arg(table)
                                 : options + QStringLiteral(" ORDER BY Name COLLATE NOCASE");
        return ExecuteSelect(sql, {}, {{QStringLiteral("IsUpdatable"), platform::SqlColumnType::Boolean}});
    });
}

RecordsetPtr Manager::LookupByID(Lookup list, int32_t n, const QString& member) {
    return QueryMember(member, [&] {
        const QString table = Quoted(KindOf(list));
        return ExecuteSelect(QStringLiteral("SELECT * FROM %1 WHERE ID=? ORDER BY %1").arg(table), {n});
    });
}

RecordsetPtr Manager::LookupByName(Lookup list, const QString& s, const QString& member) {
    return QueryMember(member, [&] {
        const LookupKind& t = KindOf(list);
        const QString table = Quoted(t);
        return ExecuteSelect(QStringLiteral("SELECT * FROM %1 WHERE %1=? AND ID>0%2")
                                 .arg(table, t.fixed ? QString() : QStringLiteral(" AND IsDeleted=0")),
                             {s});
    });
}

int32_t Manager::LookupSave(Lookup list, const platform::DictionaryPtr& dict, const QString& member) {
    return ActionMember(member, [&] {
        const LookupKind& t = KindOf(list);
        const QString column = NameColumn(t);
        const platform::Dictionary& record = RecordOf(dict);
        const int32_t id = RecordId(record);
        const QString name = AsString(record.Item(column));
        if (name.isEmpty())
            throw platform::Error(platform::ErrorNumber::InvalidArgument, QStringLiteral("The name is blank"),
                                  kObjectName);
        // A new entry whose name was deleted before brings that entry back under its own id; an existing
        // entry is renamed whatever other entries are called.
        if (!RowExists(column, id)) {
            // An entry deleted for good while its window was open is not brought back under another id.
            if (record.Exists(kAsReadKey))
                throw Refusal(EnumDatabaseFailure::RecordGone,
                              QStringLiteral("The %1 %2 was deleted after it was read").arg(column).arg(id));
            const int32_t revived = RestoreDeletedRecord(column, column, name);
            if (revived > 0)
                return revived;
        }
        RowSave save;
        save.Table = column;
        if (t.dateAllowedColumn)
            save.InsertOnly.push_back({QStringLiteral("DateAllowed"), Variant(false)});
        save.InsertOnly.push_back({QStringLiteral("IsDeleted"), Variant(false)});
        if (t.isUpdatableColumn)
            save.InsertOnly.push_back({QStringLiteral("IsUpdatable"), Variant(true)});
        // As handed over: a name left as read is written back as stored, a typed one is trimmed.
        save.Always.push_back({column, record.Item(column)});
        save.Always.push_back(
            {QStringLiteral("OrderIndex"), Variant(AsLong(record.Item(QStringLiteral("OrderIndex"))))});
        save.Checked = {column};
        return SaveRow(save, record);
    });
}

int32_t Manager::LookupDelete(Lookup list, int32_t n, const QString& member) {
    return ActionMember(member, [&] {
        const LookupKind& t = KindOf(list);
        return ExecuteUpdate(
            QStringLiteral("UPDATE %1 SET IsDeleted=1, DateDeleted=? WHERE ID=?%2")
                .arg(Quoted(t), t.isUpdatableColumn ? QStringLiteral(" AND IsUpdatable=1") : QString()),
            {Variant(platform::Now()), n});
    });
}

// Each member names its list and its own trace name.
RecordsetPtr Manager::GetLookupAddressName(EnumLookupOption en) {
    return LookupList(Lookup::AddressName, en, QStringLiteral("IDatabaseManager_GetLookupAddressName()"));
}
RecordsetPtr Manager::GetAddressNameByID(int32_t n) {
    return LookupByID(Lookup::AddressName, n, QStringLiteral("IDatabaseManager_GetAddressNameByID()"));
}
RecordsetPtr Manager::GetAddressNameByName(const QString& s) {
    return LookupByName(Lookup::AddressName, s, QStringLiteral("IDatabaseManager_GetAddressNameByName()"));
}
int32_t Manager::UpdateAddressName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::AddressName, dict, QStringLiteral("IDatabaseManager_UpdateAddressName()"));
}
int32_t Manager::DeleteAddressName(int32_t n) {
    return LookupDelete(Lookup::AddressName, n, QStringLiteral("IDatabaseManager_DeleteAddressName()"));
}

RecordsetPtr Manager::GetLookupOfferingTypeName(EnumLookupOption en) {
    return LookupList(Lookup::OfferingTypeName, en, QStringLiteral("IDatabaseManager_GetLookupOfferingTypeName()"));
}
RecordsetPtr Manager::GetOfferingTypeNameByID(int32_t n) {
    return LookupByID(Lookup::OfferingTypeName, n, QStringLiteral("IDatabaseManager_GetOfferingTypeNameByID()"));
}
RecordsetPtr Manager::GetOfferingTypeNameByName(const QString& s) {
    return LookupByName(Lookup::OfferingTypeName, s, QStringLiteral("IDatabaseManager_GetOfferingTypeNameByName()"));
}
int32_t Manager::UpdateOfferingTypeName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::OfferingTypeName, dict, QStringLiteral("IDatabaseManager_UpdateOfferingTypeName()"));
}
int32_t Manager::DeleteOfferingTypeName(int32_t n) {
    return LookupDelete(Lookup::OfferingTypeName, n, QStringLiteral("IDatabaseManager_DeleteOfferingTypeName()"));
}

RecordsetPtr Manager::GetLookupEMailAddressName(EnumLookupOption en) {
    return LookupList(Lookup::EMailAddressName, en, QStringLiteral("IDatabaseManager_GetLookupEMailAddressName()"));
}
RecordsetPtr Manager::GetEMailAddressNameByID(int32_t n) {
    return LookupByID(Lookup::EMailAddressName, n, QStringLiteral("IDatabaseManager_GetEMailAddressNameByID()"));
}
RecordsetPtr Manager::GetEMailAddressNameByName(const QString& s) {
    return LookupByName(Lookup::EMailAddressName, s, QStringLiteral("IDatabaseManager_GetEMailAddressNameByName()"));
}
int32_t Manager::UpdateEMailAddressName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::EMailAddressName, dict, QStringLiteral("IDatabaseManager_UpdateEMailAddressName()"));
}
int32_t Manager::DeleteEMailAddressName(int32_t n) {
    return LookupDelete(Lookup::EMailAddressName, n, QStringLiteral("IDatabaseManager_DeleteEMailAddressName()"));
}

RecordsetPtr Manager::GetLookupExpenseTypeName(EnumLookupOption en) {
    return LookupList(Lookup::ExpenseTypeName, en, QStringLiteral("IDatabaseManager_GetLookupExpenseTypeName()"));
}
RecordsetPtr Manager::GetExpenseTypeNameByID(int32_t n) {
    return LookupByID(Lookup::ExpenseTypeName, n, QStringLiteral("IDatabaseManager_GetExpenseTypeNameByID()"));
}
RecordsetPtr Manager::GetExpenseTypeNameByName(const QString& s) {
    return LookupByName(Lookup::ExpenseTypeName, s, QStringLiteral("IDatabaseManager_GetExpenseTypeNameByName()"));
}
int32_t Manager::UpdateExpenseTypeName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::ExpenseTypeName, dict, QStringLiteral("IDatabaseManager_UpdateExpenseTypeName()"));
}
int32_t Manager::DeleteExpenseTypeName(int32_t n) {
    return LookupDelete(Lookup::ExpenseTypeName, n, QStringLiteral("IDatabaseManager_DeleteExpenseTypeName()"));
}

RecordsetPtr Manager::GetLookupFamilyRelationshipName(EnumLookupOption en) {
    return LookupList(Lookup::FamilyRelationshipName, en,
                      QStringLiteral("IDatabaseManager_GetLookupFamilyRelationshipName()"));
}
RecordsetPtr Manager::GetFamilyRelationshipNameByID(int32_t n) {
    return LookupByID(Lookup::FamilyRelationshipName, n,
                      QStringLiteral("IDatabaseManager_GetFamilyRelationshipNameByID()"));
}
RecordsetPtr Manager::GetFamilyRelationshipNameByName(const QString& s) {
    return LookupByName(Lookup::FamilyRelationshipName, s,
                        QStringLiteral("IDatabaseManager_GetFamilyRelationshipNameByName()"));
}
int32_t Manager::UpdateFamilyRelationshipName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::FamilyRelationshipName, dict,
                      QStringLiteral("IDatabaseManager_UpdateFamilyRelationshipName()"));
}
int32_t Manager::DeleteFamilyRelationshipName(int32_t n) {
    return LookupDelete(Lookup::FamilyRelationshipName, n,
                        QStringLiteral("IDatabaseManager_DeleteFamilyRelationshipName()"));
}

RecordsetPtr Manager::GetLookupGroupPositionName(EnumLookupOption en) {
    return LookupList(Lookup::GroupPositionName, en, QStringLiteral("IDatabaseManager_GetLookupGroupPositionName()"));
}
RecordsetPtr Manager::GetGroupPositionNameByID(int32_t n) {
    return LookupByID(Lookup::GroupPositionName, n, QStringLiteral("IDatabaseManager_GetGroupPositionNameByID()"));
}
RecordsetPtr Manager::GetGroupPositionNameByName(const QString& s) {
    return LookupByName(Lookup::GroupPositionName, s, QStringLiteral("IDatabaseManager_GetGroupPositionNameByName()"));
}
int32_t Manager::UpdateGroupPositionName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::GroupPositionName, dict, QStringLiteral("IDatabaseManager_UpdateGroupPositionName()"));
}
int32_t Manager::DeleteGroupPositionName(int32_t n) {
    return LookupDelete(Lookup::GroupPositionName, n, QStringLiteral("IDatabaseManager_DeleteGroupPositionName()"));
}

RecordsetPtr Manager::GetLookupGroupType(EnumLookupOption en) {
    return LookupList(Lookup::GroupType, en, QStringLiteral("IDatabaseManager_GetLookupGroupType()"));
}
RecordsetPtr Manager::GetGroupTypeByID(int32_t n) {
    return LookupByID(Lookup::GroupType, n, QStringLiteral("IDatabaseManager_GetGroupTypeByID()"));
}
RecordsetPtr Manager::GetGroupTypeByName(const QString& s) {
    return LookupByName(Lookup::GroupType, s, QStringLiteral("IDatabaseManager_GetGroupTypeByName()"));
}
int32_t Manager::UpdateGroupType(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::GroupType, dict, QStringLiteral("IDatabaseManager_UpdateGroupType()"));
}
int32_t Manager::DeleteGroupType(int32_t n) {
    return LookupDelete(Lookup::GroupType, n, QStringLiteral("IDatabaseManager_DeleteGroupType()"));
}

RecordsetPtr Manager::GetLookupMaritalStatus(EnumLookupOption en) {
    return LookupList(Lookup::MaritalStatus, en, QStringLiteral("IDatabaseManager_GetLookupMaritalStatus()"));
}
RecordsetPtr Manager::GetMaritalStatusByID(int32_t n) {
    return LookupByID(Lookup::MaritalStatus, n, QStringLiteral("IDatabaseManager_GetMaritalStatusByID()"));
}
RecordsetPtr Manager::GetMaritalStatusByName(const QString& s) {
    return LookupByName(Lookup::MaritalStatus, s, QStringLiteral("IDatabaseManager_GetMaritalStatusByName()"));
}
int32_t Manager::UpdateMaritalStatus(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::MaritalStatus, dict, QStringLiteral("IDatabaseManager_UpdateMaritalStatus()"));
}
int32_t Manager::DeleteMaritalStatus(int32_t n) {
    return LookupDelete(Lookup::MaritalStatus, n, QStringLiteral("IDatabaseManager_DeleteMaritalStatus()"));
}

RecordsetPtr Manager::GetLookupMemberClassification(EnumLookupOption en) {
    return LookupList(Lookup::MemberClassification, en,
                      QStringLiteral("IDatabaseManager_GetLookupMemberClassification()"));
}
RecordsetPtr Manager::GetMemberClassificationByID(int32_t n) {
    return LookupByID(Lookup::MemberClassification, n,
                      QStringLiteral("IDatabaseManager_GetMemberClassificationByID()"));
}
RecordsetPtr Manager::GetMemberClassificationByName(const QString& s) {
    return LookupByName(Lookup::MemberClassification, s,
                        QStringLiteral("IDatabaseManager_GetMemberClassificationByName()"));
}
int32_t Manager::UpdateMemberClassification(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::MemberClassification, dict,
                      QStringLiteral("IDatabaseManager_UpdateMemberClassification()"));
}
int32_t Manager::DeleteMemberClassification(int32_t n) {
    return LookupDelete(Lookup::MemberClassification, n,
                        QStringLiteral("IDatabaseManager_DeleteMemberClassification()"));
}

RecordsetPtr Manager::GetLookupMemberStatus(EnumLookupOption en) {
    return LookupList(Lookup::MemberStatus, en, QStringLiteral("IDatabaseManager_GetLookupMemberStatus()"));
}
RecordsetPtr Manager::GetMemberStatusByID(int32_t n) {
    return LookupByID(Lookup::MemberStatus, n, QStringLiteral("IDatabaseManager_GetMemberStatusByID()"));
}
RecordsetPtr Manager::GetMemberStatusByName(const QString& s) {
    return LookupByName(Lookup::MemberStatus, s, QStringLiteral("IDatabaseManager_GetMemberStatusByName()"));
}
int32_t Manager::UpdateMemberStatus(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::MemberStatus, dict, QStringLiteral("IDatabaseManager_UpdateMemberStatus()"));
}
int32_t Manager::DeleteMemberStatus(int32_t n) {
    return LookupDelete(Lookup::MemberStatus, n, QStringLiteral("IDatabaseManager_DeleteMemberStatus()"));
}

RecordsetPtr Manager::GetLookupPersonTitleName(EnumLookupOption en) {
    return LookupList(Lookup::PersonTitleName, en, QStringLiteral("IDatabaseManager_GetLookupPersonTitleName()"));
}
RecordsetPtr Manager::GetPersonTitleNameByID(int32_t n) {
    return LookupByID(Lookup::PersonTitleName, n, QStringLiteral("IDatabaseManager_GetPersonTitleNameByID()"));
}
RecordsetPtr Manager::GetPersonTitleNameByName(const QString& s) {
    return LookupByName(Lookup::PersonTitleName, s, QStringLiteral("IDatabaseManager_GetPersonTitleNameByName()"));
}
int32_t Manager::UpdatePersonTitleName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::PersonTitleName, dict, QStringLiteral("IDatabaseManager_UpdatePersonTitleName()"));
}
int32_t Manager::DeletePersonTitleName(int32_t n) {
    return LookupDelete(Lookup::PersonTitleName, n, QStringLiteral("IDatabaseManager_DeletePersonTitleName()"));
}

RecordsetPtr Manager::GetLookupPhoneNumberName(EnumLookupOption en) {
    return LookupList(Lookup::PhoneNumberName, en, QStringLiteral("IDatabaseManager_GetLookupPhoneNumberName()"));
}
RecordsetPtr Manager::GetPhoneNumberNameByID(int32_t n) {
    return LookupByID(Lookup::PhoneNumberName, n, QStringLiteral("IDatabaseManager_GetPhoneNumberNameByID()"));
}
RecordsetPtr Manager::GetPhoneNumberNameByName(const QString& s) {
    return LookupByName(Lookup::PhoneNumberName, s, QStringLiteral("IDatabaseManager_GetPhoneNumberNameByName()"));
}
int32_t Manager::UpdatePhoneNumberName(const platform::DictionaryPtr& dict) {
    return LookupSave(Lookup::PhoneNumberName, dict, QStringLiteral("IDatabaseManager_UpdatePhoneNumberName()"));
}
int32_t Manager::DeletePhoneNumberName(int32_t n) {
    return LookupDelete(Lookup::PhoneNumberName, n, QStringLiteral("IDatabaseManager_DeletePhoneNumberName()"));
}

RecordsetPtr Manager::GetLookupSex(EnumLookupOption en) {
    return LookupList(Lookup::Sex, en, QStringLiteral("IDatabaseManager_GetLookupSex()"));
}

RecordsetPtr Manager::GetLookupState(EnumLookupOption en) {
    return LookupList(Lookup::State, en, QStringLiteral("IDatabaseManager_GetLookupState()"));
}

RecordsetPtr Manager::GetStateByID(int32_t n) {
    return LookupByID(Lookup::State, n, QStringLiteral("IDatabaseManager_GetStateByID()"));
}

RecordsetPtr Manager::GetStateByName(const QString& s) {
    return LookupByName(Lookup::State, s, QStringLiteral("IDatabaseManager_GetStateByName()"));
}

// The state list is fixed: its save and delete change nothing and answer success.
int32_t Manager::UpdateState(const platform::DictionaryPtr& /*dict*/) {
    WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_UpdateState()"), QString(), 0);
    return 1;
}

int32_t Manager::DeleteState(int32_t /*n*/) {
    WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_DeleteState()"), QString(), 0);
    return 1;
}

// The age classification has no table: its members change and answer nothing.
RecordsetPtr Manager::GetLookupAgeClassification(EnumLookupOption /*en*/) {
    WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_GetLookupAgeClassification()"), QString(), 0);
    return nullptr;
}

RecordsetPtr Manager::GetAgeClassificationByID(int32_t /*n*/) {
    WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_GetAgeClassificationByID()"), QString(), 0);
    return nullptr;
}

RecordsetPtr Manager::GetAgeClassificationByName(const QString& /*s*/) {
    WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_GetAgeClassificationByName()"), QString(), 0);
    return nullptr;
}

int32_t Manager::UpdateAgeClassification(const platform::DictionaryPtr& /*dict*/) {
    WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_UpdateAgeClassification()"), QString(), 0);
    return 0;
}

int32_t Manager::DeleteAgeClassification(int32_t /*n*/) {
    WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_DeleteAgeClassification()"), QString(), 0);
    return 0;
}

} // namespace amb::database
