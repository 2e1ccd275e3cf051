#include "database/ManagerSupport.h"
#include "database/QuerySupport.h"

#include "common/StandardModule.h"
#include "platform/com/Error.h"

// Families, groups and the membership rows that tie people to them. A family and a group differ only
// in their tables and names, so their statements are built from one description of each.

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

struct Membership {
    QString OwnerTable; // the family or group table, as the row save names it
    QString Owner;      // the same, as SQL writes it
    QString Link;       // the membership table
    QString OwnerId;    // the membership's column of the family or group id
    QString Head;       // the head flag
    QString RoleColumn; // the member's relationship or position, as the dictionary and the row save name it
    QString Role;       // the same, as SQL writes it
};

const Membership kFamily{QStringLiteral("Family"),         QStringLiteral("Family"),
                         QStringLiteral("PersonToFamily"), QStringLiteral("FamilyID"),
                         QStringLiteral("IsHeadOfFamily"), QStringLiteral("Relationship"),
                         QStringLiteral("Relationship")};
const Membership kGroup{QStringLiteral("Group"),       QStringLiteral("\"Group\""),     QStringLiteral("PersonToGroup"),
                        QStringLiteral("GroupID"),     QStringLiteral("IsHeadOfGroup"), QStringLiteral("Position"),
                        QStringLiteral("\"Position\"")};

namespace {

// The members not marked deleted, each with its first home address, personal e-mail, home phone and
// cell phone row (a member without one of them is still listed); the head first, then by name.
QString MembersSql(const Membership& m) {
    return QStringLiteral("SELECT Person.*, Sex.Sex, %1.%2, %1.%3, ").arg(m.Link, m.Head, m.Role) +
           MemberContactColumns() +
           QStringLiteral(" FROM %1 JOIN Person ON Person.ID=%1.PersonID LEFT JOIN Sex ON Person.SexID=Sex.ID")
               .arg(m.Link) +
           MemberContactJoins(QStringLiteral("Person.ID")) +
           QStringLiteral(
               " WHERE %1.%2=? AND Person.IsDeleted=0 "
               "ORDER BY %1.%3 DESC, Person.LanguageName, Person.LastName, Person.FirstName, Person.MiddleName, "
               "Person.ID")
               .arg(m.Link, m.OwnerId, m.Head);
}

// Families or groups whose name begins with the text, one row per head, with the head's name parts.
QString SearchSql(const Membership& m) {
    const bool group = &m == &kGroup;
    return QStringLiteral(
               "SELECT %1.*, %2Person.Title, Person.LastName, Person.MiddleName, Person.FirstName, Person.Suffix, "
               "Person.LanguageName, 0 AS MemberCount FROM %1%3 "
               "JOIN %4 ON %4.%5=%1.ID AND %4.%6=1 JOIN Person ON Person.ID=%4.PersonID "
               "WHERE %1.Name LIKE ? ESCAPE '\\'")
        .arg(m.Owner, group ? QStringLiteral("GroupType.GroupType, ") : QString(),
             group ? QStringLiteral(" JOIN GroupType ON GroupType.ID=\"Group\".GroupTypeID") : QString(), m.Link,
             m.OwnerId, m.Head);
}

RowSave OwnerSave(const Membership& m) {
    RowSave save;
    save.Table = m.OwnerTable;
    save.InsertOnly = {{QStringLiteral("DateEntered"), Variant(platform::Now())}};
    save.Always = {{QStringLiteral("DateUpdated"), Variant(platform::Now())}};
    save.Fields = {QStringLiteral("Name"), QStringLiteral("Note")};
    if (&m == &kGroup)
        save.Fields.prepend(QStringLiteral("GroupTypeID"));
    return save;
}

} // namespace

RecordsetPtr Manager::GetFamilyByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyByID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT Family.* FROM Family WHERE Family.ID=?"), {n});
    });
}

RecordsetPtr Manager::GetFamilyByName(const QString& s) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyByName()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT Family.* FROM Family WHERE Family.Name=? AND Family.ID>0"), {s});
    });
}

RecordsetPtr Manager::GetFamilyByPersonID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyByPersonID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT Family.*, PersonToFamily.Relationship FROM Family "
                                            "JOIN PersonToFamily ON Family.ID=PersonToFamily.FamilyID "
                                            "WHERE PersonToFamily.PersonID=? ORDER BY Family.Name, Family.ID"),
                             {n});
    });
}

RecordsetPtr Manager::GetFamilyBySearchText(const QString& sSearchText) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetFamilyBySearchText()"),
                       [&] { return ExecuteSelect(SearchSql(kFamily), {BeginsWithPattern(sSearchText)}); });
}

RecordsetPtr Manager::GetGroupByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT \"Group\".*, GroupType.GroupType FROM \"Group\" "
                           "JOIN GroupType ON \"Group\".GroupTypeID=GroupType.ID WHERE \"Group\".ID=?"),
            {n});
    });
}

RecordsetPtr Manager::GetGroupByName(const QString& s) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByName()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT \"Group\".*, GroupType.GroupType FROM \"Group\" "
                           "JOIN GroupType ON \"Group\".GroupTypeID=GroupType.ID "
                           "WHERE \"Group\".Name=? AND \"Group\".ID>0 ORDER BY \"Group\".Name, \"Group\".ID"),
            {s});
    });
}

RecordsetPtr Manager::GetGroupByPersonID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByPersonID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT \"Group\".*, GroupType.GroupType, PersonToGroup.\"Position\" FROM \"Group\" "
                           "JOIN GroupType ON \"Group\".GroupTypeID=GroupType.ID "
                           "JOIN PersonToGroup ON \"Group\".ID=PersonToGroup.GroupID "
                           "WHERE PersonToGroup.PersonID=? "
                           "ORDER BY GroupType.GroupType, \"Group\".Name, \"Group\".ID"),
            {n});
    });
}

RecordsetPtr Manager::GetGroupBySearchText(const QString& sSearchText) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupBySearchText()"),
                       [&] { return ExecuteSelect(SearchSql(kGroup), {BeginsWithPattern(sSearchText)}); });
}

namespace {
// Groups with their head and the head's first home address, personal e-mail and home phone; a head
// without one of those rows still lists the group.
QString GroupListSql(bool byType) {
    return QStringLiteral(
               "SELECT \"Group\".*, GroupType.GroupType, Person.FirstName, Person.MiddleName, Person.LastName, "
               "Person.Suffix, Person.Title, Person.LanguageName, PersonAddress.AddressPart1, "
               "PersonAddress.AddressPart2, PersonAddress.AddressPart3, PersonAddress.AddressPart4, "
               "PersonAddress.AddressPart5, PersonEMailAddress.EMailAddress, PersonPhoneNumber.PhoneNumber, "
               "PersonToGroup.\"Position\" FROM \"Group\" "
               "JOIN PersonToGroup ON \"Group\".ID=PersonToGroup.GroupID AND PersonToGroup.IsHeadOfGroup=1 "
               "LEFT JOIN Person ON Person.ID=PersonToGroup.PersonID") +
           FirstContactJoin(QStringLiteral("PersonAddress"), QStringLiteral("PersonAddress"),
                            QStringLiteral("IsHomeAddress"), QStringLiteral("Person.ID")) +
           FirstContactJoin(QStringLiteral("PersonEMailAddress"), QStringLiteral("PersonEMailAddress"),
                            QStringLiteral("IsPersonalEMailAddress"), QStringLiteral("Person.ID")) +
           FirstContactJoin(QStringLiteral("PersonPhoneNumber"), QStringLiteral("PersonPhoneNumber"),
                            QStringLiteral("IsHomePhoneNumber"), QStringLiteral("Person.ID")) +
           QStringLiteral(" LEFT JOIN GroupType ON GroupType.ID=\"Group\".GroupTypeID") +
           (byType ? QStringLiteral(" WHERE \"Group\".GroupTypeID=?") : QString()) +
           QStringLiteral(" ORDER BY GroupType.GroupType, \"Group\".Name, \"Group\".ID");
}
} // namespace

RecordsetPtr Manager::GetAllGroup() {
    return QueryMember(QStringLiteral("IDatabaseManager_GetAllGroup()"),
                       [&] { return ExecuteSelect(GroupListSql(false)); });
}

RecordsetPtr Manager::GetGroupByGroupTypeID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetGroupByGroupTypeID()"), [&] {
        return n > 0 ? ExecuteSelect(GroupListSql(true), {n}) : ExecuteSelect(GroupListSql(false));
    });
}

RecordsetPtr Manager::GetHeadOfFamilyByFamilyID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetHeadOfFamilyByFamilyID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT Person.*, PersonToFamily.Relationship, PersonAddress.AddressPart1, "
                           "PersonAddress.AddressPart2, PersonAddress.AddressPart3, PersonAddress.AddressPart4, "
                           "PersonAddress.AddressPart5, PersonPhoneNumber.PhoneNumber, PersonEMailAddress.EMailAddress "
                           "FROM PersonToFamily JOIN Person ON Person.ID=PersonToFamily.PersonID") +
                FirstContactJoin(QStringLiteral("PersonAddress"), QStringLiteral("PersonAddress"),
                                 QStringLiteral("IsHomeAddress"), QStringLiteral("Person.ID")) +
                FirstContactJoin(QStringLiteral("PersonPhoneNumber"), QStringLiteral("PersonPhoneNumber"),
                                 QStringLiteral("IsHomePhoneNumber"), QStringLiteral("Person.ID")) +
                FirstContactJoin(QStringLiteral("PersonEMailAddress"), QStringLiteral("PersonEMailAddress"),
                                 QStringLiteral("IsPersonalEMailAddress"), QStringLiteral("Person.ID")) +
                QStringLiteral(
                    " WHERE PersonToFamily.FamilyID=? AND PersonToFamily.IsHeadOfFamily=1 ORDER BY PersonToFamily.ID"),
            {n});
    });
}

RecordsetPtr Manager::GetHeadOfGroupByGroupID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetHeadOfGroupByGroupID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT Person.*, PersonToGroup.\"Position\" FROM PersonToGroup "
                                            "JOIN Person ON Person.ID=PersonToGroup.PersonID "
                                            "WHERE PersonToGroup.GroupID=? AND PersonToGroup.IsHeadOfGroup=1 "
                                            "ORDER BY PersonToGroup.ID"),
                             {n});
    });
}

RecordsetPtr Manager::GetPersonByFamilyID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonByFamilyID()"),
                       [&] { return ExecuteSelect(MembersSql(kFamily), {n}); });
}

RecordsetPtr Manager::GetPersonByGroupID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonByGroupID()"),
                       [&] { return ExecuteSelect(MembersSql(kGroup), {n}); });
}

RecordsetPtr Manager::GetPersonToFamilyByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToFamilyByID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT PersonToFamily.* FROM PersonToFamily WHERE PersonToFamily.ID=?"),
                             {n});
    });
}

RecordsetPtr Manager::GetPersonToFamilyByFamilyIDAndPersonID(int32_t nFamily, int32_t nPerson) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToFamilyByFamilyIDAndPersonID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT PersonToFamily.* FROM PersonToFamily "
                           "WHERE PersonToFamily.FamilyID=? AND PersonToFamily.PersonID=? ORDER BY ID"),
            {nFamily, nPerson});
    });
}

RecordsetPtr Manager::GetPersonToGroupByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToGroupByID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT PersonToGroup.* FROM PersonToGroup WHERE PersonToGroup.ID=?"), {n});
    });
}

RecordsetPtr Manager::GetPersonToGroupByGroupIDAndPersonID(int32_t nGroup, int32_t nPerson) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonToGroupByGroupIDAndPersonID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT PersonToGroup.* FROM PersonToGroup "
                                            "WHERE PersonToGroup.GroupID=? AND PersonToGroup.PersonID=? ORDER BY ID"),
                             {nGroup, nPerson});
    });
}

int32_t Manager::UpdateFamily(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateFamily()"),
                        [&] { return SaveOwner(kFamily, RecordOf(dict)); });
}

int32_t Manager::UpdateGroup(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateGroup()"),
                        [&] { return SaveOwner(kGroup, RecordOf(dict)); });
}

// A new family or group exists only with its head: with kHeadKey both rows are stored, or neither.
int32_t Manager::SaveOwner(const Membership& m, const platform::Dictionary& record) {
    if (!record.Exists(kHeadKey))
        return SaveRow(OwnerSave(m), record);
    if (RecordId(record) != 0)
        throw platform::Error(platform::ErrorNumber::InvalidArgument,
                              QStringLiteral("Only a new %1 is saved with its head").arg(m.OwnerTable), kObjectName);
    platform::SqliteTransaction transaction(Connection());
    const int32_t id = SaveRow(OwnerSave(m), record);
    platform::Dictionary head;
    head.SetItem(QStringLiteral("ID"), Variant(0));
    head.SetItem(QStringLiteral("PersonID"), record.Item(kHeadKey));
    head.SetItem(m.OwnerId, Variant(id));
    head.SetItem(m.Head, Variant(true));
    head.SetItem(m.RoleColumn, Variant(QString()));
    SaveMembership(m, head);
    transaction.Commit();
    return id;
}

namespace {
// Which membership row a save writes: "ID" 0 inserts one (its head flag from the record, false when the
// record has none); any other id must be an existing row, whose head flag the save leaves alone.
RowSave LinkSave(const Membership& m, const platform::Dictionary& record, bool insert) {
    RowSave save;
    save.Table = m.Link;
    save.NamesPerson = true;
    save.OwnerTable = m.OwnerTable;
    save.OwnerColumn = m.OwnerId;
    const Variant now(platform::Now());
    if (insert) {
        save.InsertOnly = {{QStringLiteral("DateEntered"), now},
                           {m.Head, Variant(record.Exists(m.Head) && AsBoolean(record.Item(m.Head)))}};
    }
    save.Always = {{QStringLiteral("DateUpdated"), now}};
    save.Fields = {QStringLiteral("PersonID"), m.OwnerId, m.RoleColumn};
    return save;
}
} // namespace

int32_t Manager::SaveMembership(const Membership& m, const platform::Dictionary& record) {
    const int32_t person = AsLong(record.Item(QStringLiteral("PersonID")));
    if (person <= 0)
        throw platform::Error(platform::ErrorNumber::InvalidArgument,
                              QStringLiteral("The membership names no person (PersonID %1)")
                                  .arg(record.Item(QStringLiteral("PersonID")).ToString().left(40)),
                              kObjectName);
    // A row of nobody, or of no family or group, would list where nobody finds it; the row save
    // refuses a person or a family or group that is gone.
    const int32_t id = RecordId(record);
    platform::SqliteTransaction transaction(Connection());
    if (id != 0 && !RowExists(m.Link, id))
        throw platform::Error(platform::ErrorNumber::DatabaseError,
                              QStringLiteral("No membership row has the id %1").arg(id), kObjectName);
    // A person joins a family or group once: a row that another program (or an earlier try) wrote
    // meanwhile is the one this save means, and it stays as that program left it.
    if (id == 0) {
        const auto found = QueryAll(
            QStringLiteral("SELECT ID FROM %1 WHERE PersonID=? AND %2=? ORDER BY ID LIMIT 1").arg(m.Link, m.OwnerId),
            {person, record.Item(m.OwnerId)});
        if (found->RecordCount() > 0)
            return found->Field(0).ToInt();
    }
    const int32_t saved = SaveRow(LinkSave(m, record, id == 0), record);
    transaction.Commit();
    return saved;
}

int32_t Manager::UpdatePersonToFamily(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonToFamily()"),
                        [&] { return SaveMembership(kFamily, RecordOf(dict)); });
}

int32_t Manager::UpdatePersonToGroup(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonToGroup()"),
                        [&] { return SaveMembership(kGroup, RecordOf(dict)); });
}

// A family or group is deleted together with its membership rows, in one transaction.
int32_t Manager::DeleteFamily(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteFamily()"), [&] {
        platform::SqliteTransaction transaction(Connection());
        ExecuteUpdate(QStringLiteral("DELETE FROM PersonToFamily WHERE FamilyID=?"), {n});
        const int32_t result = ExecuteUpdate(QStringLiteral("DELETE FROM Family WHERE ID=?"), {n});
        transaction.Commit();
        return result;
    });
}

int32_t Manager::DeleteGroup(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteGroup()"), [&] {
        platform::SqliteTransaction transaction(Connection());
        ExecuteUpdate(QStringLiteral("DELETE FROM PersonToGroup WHERE GroupID=?"), {n});
        const int32_t result = ExecuteUpdate(QStringLiteral("DELETE FROM \"Group\" WHERE ID=?"), {n});
        transaction.Commit();
        return result;
    });
}

int32_t Manager::DeletePersonToFamily(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToFamily()"),
                        [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM PersonToFamily WHERE ID=?"), {n}); });
}

int32_t Manager::DeletePersonToFamilyByPersonIDAndFamilyID(int32_t nPerson, int32_t nFamily) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToFamilyByPersonIDAndFamilyID()"), [&] {
        return ExecuteUpdate(QStringLiteral("DELETE FROM PersonToFamily WHERE PersonID=? AND FamilyID=?"),
                             {nPerson, nFamily});
    });
}

int32_t Manager::DeletePersonToGroup(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToGroup()"),
                        [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM PersonToGroup WHERE ID=?"), {n}); });
}

int32_t Manager::DeletePersonToGroupByPersonIDAndGroupID(int32_t nPerson, int32_t nGroup) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonToGroupByPersonIDAndGroupID()"), [&] {
        return ExecuteUpdate(QStringLiteral("DELETE FROM PersonToGroup WHERE PersonID=? AND GroupID=?"),
                             {nPerson, nGroup});
    });
}

// A new head replaces the old one in one transaction: when the person is no member, nothing changes
// and the family or group keeps its head.

int32_t Manager::SetHead(const Membership& m, int32_t person, int32_t owner) {
    platform::SqliteTransaction transaction(Connection());
    ExecuteUpdate(
        QStringLiteral("UPDATE %1 SET %2=0 WHERE %2=1 AND PersonID<>? AND %3=?").arg(m.Link, m.Head, m.OwnerId),
        {person, owner});
    const int32_t result = ExecuteUpdate(
        QStringLiteral("UPDATE %1 SET %2=1 WHERE PersonID=? AND %3=?").arg(m.Link, m.Head, m.OwnerId), {person, owner});
    if (result > 0)
        transaction.Commit();
    return result;
}

int32_t Manager::SetMemberHeadOfFamily(int32_t nPerson, int32_t nFamily) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberHeadOfFamily()"),
                        [&] { return SetHead(kFamily, nPerson, nFamily); });
}

int32_t Manager::SetMemberHeadOfGroup(int32_t nPerson, int32_t nGroup) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberHeadOfGroup()"),
                        [&] { return SetHead(kGroup, nPerson, nGroup); });
}

namespace {
// The text as the column stores it: trimmed, Null when blank; refused when too long or holding
// control characters.
Variant RoleValue(platform::SqliteConnection& db, const Membership& m, const QString& text) {
    for (const auto& column : db.Columns(m.Link)) {
        if (column.name.compare(m.RoleColumn, Qt::CaseInsensitive) == 0)
            return ColumnValue(Variant(text), column);
    }
    throw platform::Error(platform::ErrorNumber::ItemNotFound,
                          QStringLiteral("Item cannot be found in the collection: %1.%2").arg(m.Link, m.RoleColumn),
                          kObjectName);
}
} // namespace

int32_t Manager::SetMemberFamilyRelationship(int32_t nPerson, int32_t nFamily, const QString& sRelationship) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberFamilyRelationship()"), [&] {
        return ExecuteUpdate(QStringLiteral("UPDATE PersonToFamily SET Relationship=? WHERE PersonID=? AND FamilyID=?"),
                             {RoleValue(Connection(), kFamily, sRelationship), nPerson, nFamily});
    });
}

int32_t Manager::SetMemberGroupPosition(int32_t nPerson, int32_t nGroup, const QString& sPosition) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetMemberGroupPosition()"), [&] {
        return ExecuteUpdate(QStringLiteral("UPDATE PersonToGroup SET \"Position\"=? WHERE PersonID=? AND GroupID=?"),
                             {RoleValue(Connection(), kGroup, sPosition), nPerson, nGroup});
    });
}

// The membership row is compared with the row as the person window read it: its relationship or
// position, and that it still joins this person to that family or group. The text is written only
// when the user changed it, so a save that leaves it alone writes nothing there.
void Manager::SaveMemberRole(int32_t person, const platform::Dictionary& record) {
    if (!record.Exists(kMembershipKey))
        return;
    const auto link = std::dynamic_pointer_cast<platform::Dictionary>(record.Item(kMembershipKey).ToObject());
    if (!link || !link->Exists(kAsReadKey))
        throw platform::Error(platform::ErrorNumber::InvalidArgument,
                              QStringLiteral("The membership of person %1 carries no row as read").arg(person),
                              kObjectName);
    const Membership& m = link->Exists(kFamily.OwnerId) ? kFamily : kGroup;
    if (AsLong(link->Item(QStringLiteral("PersonID"))) != person)
        throw platform::Error(platform::ErrorNumber::InvalidArgument,
                              QStringLiteral("The membership names another person than %1").arg(person), kObjectName);
    RowSave save;
    save.Table = m.Link;
    save.OwnerTable = m.OwnerTable;
    save.OwnerColumn = m.OwnerId;
    save.Fields = {m.RoleColumn};
    save.Checked = {QStringLiteral("PersonID"), m.OwnerId};
    // A family or group deleted meanwhile took its membership rows along: that is why the save is
    // refused, not that the person was deleted.
    CheckNamedOwner(save, *link);
    const auto asRead = std::dynamic_pointer_cast<platform::Dictionary>(link->Item(kAsReadKey).ToObject());
    const QString role = AsString(RoleValue(Connection(), m, AsString(link->Item(m.RoleColumn))));
    if (asRead && asRead->Exists(m.RoleColumn) && role == AsString(asRead->Item(m.RoleColumn))) {
        CheckAsRead(save, *link, RowExists(m.Link, RecordId(*link)));
        return;
    }
    save.Always = {{QStringLiteral("DateUpdated"), Variant(platform::Now())}};
    SaveRow(save, *link);
}

int32_t Manager::CopyFamilyAddressAndPhoneNumber(int32_t nPerson, int32_t nFamily) {
    return ActionMember(QStringLiteral("IDatabaseManager_CopyFamilyAddressAndPhoneNumber()"), [&] {
        auto& db = Connection();
        platform::SqliteTransaction transaction(db);
        const auto head =
            QueryAll(QStringLiteral("SELECT PersonID FROM PersonToFamily WHERE FamilyID=? AND IsHeadOfFamily=1 "
                                    "ORDER BY ID LIMIT 1"),
                     {nFamily});
        if (head->RecordCount() == 0)
            return 1;
        const int32_t headId = head->Field(0).ToInt();
        const Variant now(platform::Now());
        // The head's first home row of each kind goes into the person's first home row of that kind,
        // only while none of the person's home rows of that kind holds anything (a new person's
        // built-in rows are blank): what the person's rows hold is never overwritten, and neither
        // side gets a row it lacks.
        const auto address =
            QueryAll(QStringLiteral("SELECT AddressPart1, AddressPart2, AddressPart3, AddressPart4, "
                                    "AddressPart5 FROM PersonAddress WHERE PersonID=? AND IsHomeAddress=1 "
                                    "ORDER BY ID LIMIT 1"),
                     {headId});
        if (address->RecordCount() > 0) {
            platform::SqlParams values = address->Rows().front();
            values.push_back(now);
            values.push_back(nPerson);
            db.Execute(QStringLiteral("UPDATE PersonAddress SET AddressPart1=?1, AddressPart2=?2, AddressPart3=?3, "
                                      "AddressPart4=?4, AddressPart5=?5, DateUpdated=?6 WHERE ID=(SELECT MIN(ID) FROM "
                                      "PersonAddress WHERE PersonID=?7 AND IsHomeAddress=1) AND NOT EXISTS (SELECT 1 "
                                      "FROM PersonAddress WHERE PersonID=?7 AND IsHomeAddress=1 AND "
                                      "trim(ifnull(AddressPart1, '') || ifnull(AddressPart2, '') || "
                                      "ifnull(AddressPart3, '') || ifnull(AddressPart4, '') || "
                                      "ifnull(AddressPart5, ''))<>'')"),
                       values);
        }
        const auto phone = QueryAll(QStringLiteral("SELECT PhoneNumber FROM PersonPhoneNumber WHERE PersonID=? "
                                                   "AND IsHomePhoneNumber=1 ORDER BY ID LIMIT 1"),
                                    {headId});
        if (phone->RecordCount() > 0) {
            db.Execute(
                QStringLiteral("UPDATE PersonPhoneNumber SET PhoneNumber=?1, DateUpdated=?2 WHERE ID=(SELECT MIN(ID) "
                               "FROM PersonPhoneNumber WHERE PersonID=?3 AND IsHomePhoneNumber=1) AND NOT EXISTS "
                               "(SELECT 1 FROM PersonPhoneNumber WHERE PersonID=?3 AND IsHomePhoneNumber=1 AND "
                               "trim(ifnull(PhoneNumber, ''))<>'')"),
                {phone->Field(0), now, nPerson});
        }
        transaction.Commit();
        return 1;
    });
}

} // namespace amb::database
