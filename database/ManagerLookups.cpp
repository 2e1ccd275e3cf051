#include "database/ManagerSupport.h"

#include "common/StandardModule.h"
#include "platform/com/Error.h"

#include <array>

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

namespace {

// One row per list: its table (the name column is named like the table) and what it carries.
struct LookupTable {
    const char* Table;
    bool IsUpdatable; // the address, phone and e-mail kinds: protected kinds, a column in the list
    bool DateAllowed; // marital status: a new status allows no wedding date
    bool Fixed;       // Sex and State: no deleted mark, never written
};

constexpr std::array<LookupTable, 14> kLookups = {{
    {"AddressName", true, false, false},
    {"OfferingTypeName", false, false, false},
    {"EMailAddressName", true, false, false},
    {"ExpenseTypeName", false, false, false},
    {"FamilyRelationshipName", false, false, false},
    {"GroupPositionName", false, false, false},
    {"GroupType", false, false, false},
    {"PhoneNumberName", true, false, false},
    {"MaritalStatus", false, true, false},
    {"MemberClassification", false, false, false},
    {"MemberStatus", false, false, false},
    {"PersonTitleName", false, false, false},
    {"Sex", false, false, true},
    {"State", false, false, true},
}};

const LookupTable& TableOf(int list) {
    return kLookups.at(static_cast<size_t>(list));
}
QString Quoted(const char* name) {
    return QLatin1Char('"') + QLatin1String(name) + QLatin1Char('"');
}

} // namespace

RecordsetPtr Manager::LookupList(Lookup list, EnumLookupOption en, const QString& member) {
    return QueryMember(member, [&] {
        const LookupTable& t = TableOf(static_cast<int>(list));
        const QString table = Quoted(t.Table);
        QString sql = QStringLiteral("SELECT ID, %1 AS Name%2 FROM %1")
                          .arg(table, t.IsUpdatable ? QStringLiteral(", IsUpdatable") : QString());
        if (!t.Fixed)
            sql += QStringLiteral(" WHERE IsDeleted=0");
        const QString options = BuildLookUpOptionQuery(en, QLatin1String(t.Table), t.IsUpdatable);
        sql += options.isEmpty() ? QStringLiteral(" ORDER BY %1").arg(table)
                                 : options + QStringLiteral(" ORDER BY Name COLLATE NOCASE");
        return ExecuteSelect(sql, {}, {{QStringLiteral("IsUpdatable"), platform::SqlColumnType::Boolean}});
    });
}

RecordsetPtr Manager::LookupByID(Lookup list, int32_t n, const QString& member) {
    return QueryMember(member, [&] {
        const QString table = Quoted(TableOf(static_cast<int>(list)).Table);
        return ExecuteSelect(QStringLiteral("SELECT * FROM %1 WHERE ID=? ORDER BY %1").arg(table), {n});
    });
}

RecordsetPtr Manager::LookupByName(Lookup list, const QString& s, const QString& member) {
    return QueryMember(member, [&] {
        const LookupTable& t = TableOf(static_cast<int>(list));
        const QString table = Quoted(t.Table);
        return ExecuteSelect(QStringLiteral("SELECT * FROM %1 WHERE %1=? AND ID>0%2")
                                 .arg(table, t.Fixed ? QString() : QStringLiteral(" AND IsDeleted=0")),
                             {s});
    });
}

int32_t Manager::LookupSave(Lookup list, const platform::DictionaryPtr& dict, const QString& member) {
    return ActionMember(member, [&] {
        const LookupTable& t = TableOf(static_cast<int>(list));
        const QString column = QLatin1String(t.Table);
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
        if (t.DateAllowed)
            save.InsertOnly.push_back({QStringLiteral("DateAllowed"), Variant(false)});
        save.InsertOnly.push_back({QStringLiteral("IsDeleted"), Variant(false)});
        if (t.IsUpdatable)
            save.InsertOnly.push_back({QStringLiteral("IsUpdatable"), Variant(true)});
        save.Always.push_back({column, Variant(name)});
        save.Always.push_back(
            {QStringLiteral("OrderIndex"), Variant(AsLong(record.Item(QStringLiteral("OrderIndex"))))});
        save.Checked = {column};
        return SaveRow(save, record);
    });
}

int32_t Manager::LookupDelete(Lookup list, int32_t n, const QString& member) {
    return ActionMember(member, [&] {
        const LookupTable& t = TableOf(static_cast<int>(list));
        return ExecuteUpdate(
            QStringLiteral("UPDATE %1 SET IsDeleted=1, DateDeleted=? WHERE ID=?%2")
                .arg(Quoted(t.Table), t.IsUpdatable ? QStringLiteral(" AND IsUpdatable=1") : QString()),
            {Variant(platform::Now()), n});
    });
}

// The members, each naming its list and its own trace name.
#define AMB_LOOKUP_MEMBERS(L)                                                                                          \
    RecordsetPtr Manager::GetLookup##L(EnumLookupOption en) {                                                          \
        return LookupList(Lookup::L, en, QStringLiteral("IDatabaseManager_GetLookup" #L "()"));                        \
    }                                                                                                                  \
    RecordsetPtr Manager::Get##L##ByID(int32_t n) {                                                                    \
        return LookupByID(Lookup::L, n, QStringLiteral("IDatabaseManager_Get" #L "ByID()"));                           \
    }                                                                                                                  \
    RecordsetPtr Manager::Get##L##ByName(const QString& s) {                                                           \
        return LookupByName(Lookup::L, s, QStringLiteral("IDatabaseManager_Get" #L "ByName()"));                       \
    }                                                                                                                  \
    int32_t Manager::Update##L(const platform::DictionaryPtr& dict) {                                                  \
        return LookupSave(Lookup::L, dict, QStringLiteral("IDatabaseManager_Update" #L "()"));                         \
    }                                                                                                                  \
    int32_t Manager::Delete##L(int32_t n) {                                                                            \
        return LookupDelete(Lookup::L, n, QStringLiteral("IDatabaseManager_Delete" #L "()"));                          \
    }

AMB_LOOKUP_MEMBERS(AddressName)
AMB_LOOKUP_MEMBERS(OfferingTypeName)
AMB_LOOKUP_MEMBERS(EMailAddressName)
AMB_LOOKUP_MEMBERS(ExpenseTypeName)
AMB_LOOKUP_MEMBERS(FamilyRelationshipName)
AMB_LOOKUP_MEMBERS(GroupPositionName)
AMB_LOOKUP_MEMBERS(GroupType)
AMB_LOOKUP_MEMBERS(PhoneNumberName)
AMB_LOOKUP_MEMBERS(MaritalStatus)
AMB_LOOKUP_MEMBERS(MemberClassification)
AMB_LOOKUP_MEMBERS(MemberStatus)
AMB_LOOKUP_MEMBERS(PersonTitleName)
#undef AMB_LOOKUP_MEMBERS

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
