#include "database/ManagerSupport.h"

#include "common/StandardModule.h"
#include "platform/com/Error.h"

#include <algorithm>
#include <array>

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

// The three kinds of contact row differ only in their table, value columns and kind flags.
struct ContactTable {
    const char* Table;
    const char* KindTable; // the look-up list that names the built-in kinds
    // The kind flags, in the order of the kinds' ids 1, 2, ...: the first is the home (personal) kind.
    std::array<const char*, 4> Flags;
    std::array<const char*, 5> Values;

    constexpr int FlagCount() const { return static_cast<int>(std::ranges::count_if(Flags, IsSet)); }
    constexpr int ValueCount() const { return static_cast<int>(std::ranges::count_if(Values, IsSet)); }
    static constexpr bool IsSet(const char* column) { return column != nullptr; }
};

namespace {

constexpr ContactTable kAddress{
    .Table = "PersonAddress",
    .KindTable = "AddressName",
    .Flags = {"IsHomeAddress", "IsWorkAddress"},
    .Values = {"AddressPart1", "AddressPart2", "AddressPart3", "AddressPart4", "AddressPart5"},
};
constexpr ContactTable kPhone{
    .Table = "PersonPhoneNumber",
    .KindTable = "PhoneNumberName",
    .Flags = {"IsHomePhoneNumber", "IsWorkPhoneNumber", "IsCellPhoneNumber", "IsFaxNumber"},
    .Values = {"PhoneNumber"},
};
constexpr ContactTable kEMail{
    .Table = "PersonEMailAddress",
    .KindTable = "EMailAddressName",
    .Flags = {"IsPersonalEMailAddress", "IsWorkEMailAddress"},
    .Values = {"EMailAddress"},
};

QString L(const char* text) {
    return QLatin1String(text);
}

QStringList FlagColumns(const ContactTable& t) {
    QStringList flags;
    for (int i = 0; i < t.FlagCount(); ++i)
        flags << L(t.Flags[static_cast<size_t>(i)]);
    return flags;
}

// A new row takes its kind flags from the record (false when absent); a saved row keeps its flags.
RowSave ContactRowSave(const ContactTable& t, const platform::Dictionary& record, bool exists) {
    RowSave save;
    save.Table = L(t.Table);
    save.NamesPerson = true;
    const Variant now(platform::Now());
    if (!exists) {
        save.InsertOnly.push_back({QStringLiteral("DateEntered"), now});
        for (const QString& flag : FlagColumns(t))
            save.InsertOnly.push_back({flag, Variant(record.Exists(flag) && AsBoolean(record.Item(flag)))});
    }
    save.Always.push_back({QStringLiteral("DateUpdated"), now});
    save.Fields = {QStringLiteral("PersonID"), QStringLiteral("Name")};
    for (int i = 0; i < t.ValueCount(); ++i)
        save.Fields << L(t.Values[static_cast<size_t>(i)]);
    save.Fields << QStringLiteral("Note");
    return save;
}

} // namespace

void Manager::CreateBuiltInContactRows(int32_t personId) {
    const Variant now(platform::Now());
    for (const ContactTable* t : {&kAddress, &kPhone, &kEMail}) {
        const auto kinds =
            QueryAll(QStringLiteral("SELECT ID, \"%1\" FROM \"%1\" WHERE ID BETWEEN 1 AND ?").arg(L(t->KindTable)),
                     {t->FlagCount()});
        const QString sql =
            QStringLiteral("INSERT INTO %1 (DateEntered, DateUpdated, PersonID, Name, %2) VALUES (?,?,?,?%3)")
                .arg(L(t->Table), FlagColumns(*t).join(QLatin1Char(',')),
                     QStringLiteral(",?").repeated(t->FlagCount()));
        for (int kind = 1; kind <= t->FlagCount(); ++kind) {
            QString name;
            bool found = false;
            for (const auto& row : kinds->Rows()) {
                if (row[0].ToInt() == kind) {
                    name = AsString(row[1]);
                    found = true;
                }
            }
            if (!found)
                throw platform::Error(
                    platform::ErrorNumber::DatabaseError,
                    QStringLiteral("The built-in kind %1 of %2 is missing").arg(kind).arg(L(t->KindTable)),
                    kObjectName);
            platform::SqlParams values{now, now, personId, name.isEmpty() ? Variant::Null() : Variant(name)};
            for (int i = 1; i <= t->FlagCount(); ++i)
                values.emplace_back(i == kind);
            RunStatement(sql, values);
        }
    }
}

RecordsetPtr Manager::ContactByID(const ContactTable& t, int32_t n, const QString& member) {
    return QueryMember(
        member, [&] { return ExecuteSelect(QStringLiteral("SELECT * FROM %1 WHERE ID=?").arg(L(t.Table)), {n}); });
}

RecordsetPtr Manager::ContactsByPersonID(const ContactTable& t, int32_t n, const QString& member) {
    return QueryMember(member, [&] {
        return ExecuteSelect(QStringLiteral("SELECT * FROM %1 WHERE PersonID=? ORDER BY Name, ID").arg(L(t.Table)),
                             {n});
    });
}

RecordsetPtr Manager::ContactByName(const ContactTable& t, int32_t nPerson, const QString& s, const QString& member) {
    return QueryMember(member, [&] {
        return ExecuteSelect(QStringLiteral("SELECT * FROM %1 WHERE PersonID=? AND Name=? AND ID>0").arg(L(t.Table)),
                             {nPerson, s});
    });
}

RecordsetPtr Manager::FirstKindContacts(const ContactTable& t, int32_t n, const QString& member) {
    return QueryMember(member, [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT * FROM %1 WHERE PersonID=? AND %2=1").arg(L(t.Table), L(t.Flags[0])), {n});
    });
}

int32_t Manager::SaveContact(const ContactTable& t, const platform::DictionaryPtr& dict, const QString& member) {
    return ActionMember(member, [&] {
        const platform::Dictionary& record = RecordOf(dict);
        const bool exists = RowExists(L(t.Table), RecordId(record));
        return SaveRow(ContactRowSave(t, record, exists), record);
    });
}

int32_t Manager::DeleteContact(const ContactTable& t, int32_t n, const QString& member) {
    return ActionMember(member, [&] {
        return ExecuteUpdate(QStringLiteral("DELETE FROM %1 WHERE ID=? AND %2=0")
                                 .arg(L(t.Table), FlagColumns(t).join(QStringLiteral("=0 AND "))),
                             {n});
    });
}

RecordsetPtr Manager::GetPersonAddressByID(int32_t n) {
    return ContactByID(kAddress, n, QStringLiteral("IDatabaseManager_GetPersonAddressByID()"));
}
RecordsetPtr Manager::GetPersonPhoneNumberByID(int32_t n) {
    return ContactByID(kPhone, n, QStringLiteral("IDatabaseManager_GetPersonPhoneNumberByID()"));
}
RecordsetPtr Manager::GetPersonEMailAddressByID(int32_t n) {
    return ContactByID(kEMail, n, QStringLiteral("IDatabaseManager_GetPersonEMailAddressByID()"));
}

RecordsetPtr Manager::GetAddressByPersonID(int32_t n) {
    return ContactsByPersonID(kAddress, n, QStringLiteral("IDatabaseManager_GetAddressByPersonID()"));
}
RecordsetPtr Manager::GetPhoneNumberByPersonID(int32_t n) {
    return ContactsByPersonID(kPhone, n, QStringLiteral("IDatabaseManager_GetPhoneNumberByPersonID()"));
}
RecordsetPtr Manager::GetEMailAddressByPersonID(int32_t n) {
    return ContactsByPersonID(kEMail, n, QStringLiteral("IDatabaseManager_GetEMailAddressByPersonID()"));
}

RecordsetPtr Manager::GetPersonAddressByName(int32_t nPerson, const QString& s) {
    return ContactByName(kAddress, nPerson, s, QStringLiteral("IDatabaseManager_GetPersonAddressByName()"));
}
RecordsetPtr Manager::GetPersonPhoneNumberByName(int32_t nPerson, const QString& s) {
    return ContactByName(kPhone, nPerson, s, QStringLiteral("IDatabaseManager_GetPersonPhoneNumberByName()"));
}
RecordsetPtr Manager::GetPersonEMailAddressByName(int32_t nPerson, const QString& s) {
    return ContactByName(kEMail, nPerson, s, QStringLiteral("IDatabaseManager_GetPersonEMailAddressByName()"));
}

RecordsetPtr Manager::GetHomeAddressByPersonID(int32_t n) {
    return FirstKindContacts(kAddress, n, QStringLiteral("IDatabaseManager_GetHomeAddressByPersonID()"));
}
RecordsetPtr Manager::GetHomePhoneNumberByPersonID(int32_t n) {
    return FirstKindContacts(kPhone, n, QStringLiteral("IDatabaseManager_GetHomePhoneNumberByPersonID()"));
}
RecordsetPtr Manager::GetPersonalEMailAddressByPersonID(int32_t n) {
    return FirstKindContacts(kEMail, n, QStringLiteral("IDatabaseManager_GetPersonalEMailAddressByPersonID()"));
}

int32_t Manager::UpdatePersonAddress(const platform::DictionaryPtr& dict) {
    return SaveContact(kAddress, dict, QStringLiteral("IDatabaseManager_UpdatePersonAddress()"));
}
int32_t Manager::UpdatePersonPhoneNumber(const platform::DictionaryPtr& dict) {
    return SaveContact(kPhone, dict, QStringLiteral("IDatabaseManager_UpdatePersonPhoneNumber()"));
}
int32_t Manager::UpdatePersonEMailAddress(const platform::DictionaryPtr& dict) {
    return SaveContact(kEMail, dict, QStringLiteral("IDatabaseManager_UpdatePersonEMailAddress()"));
}

int32_t Manager::DeletePersonAddress(int32_t n) {
    return DeleteContact(kAddress, n, QStringLiteral("IDatabaseManager_DeletePersonAddress()"));
}
int32_t Manager::DeletePersonPhoneNumber(int32_t n) {
    return DeleteContact(kPhone, n, QStringLiteral("IDatabaseManager_DeletePersonPhoneNumber()"));
}
int32_t Manager::DeletePersonEMailAddress(int32_t n) {
    return DeleteContact(kEMail, n, QStringLiteral("IDatabaseManager_DeletePersonEMailAddress()"));
}

} // namespace amb::database
