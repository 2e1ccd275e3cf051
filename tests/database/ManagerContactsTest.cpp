#include "tests/support/DatabaseTest.h"

using amb::IDatabaseManager;
using platform::RecordsetPtr;
using platform::Variant;

namespace {

// The contact members of each kind of contact row, as the contract names them.
struct ContactCase {
    const char* table;
    const char* kind; // the word in the members' names
    QStringList flags;
    const char* value;           // a value column
    const char* firstKindMember; // reads the rows of the first built-in kind
    RecordsetPtr (IDatabaseManager::*byId)(int32_t);
    RecordsetPtr (IDatabaseManager::*byPersonId)(int32_t);
    RecordsetPtr (IDatabaseManager::*byName)(int32_t, const QString&);
    RecordsetPtr (IDatabaseManager::*firstKind)(int32_t);
    int32_t (IDatabaseManager::*save)(const platform::DictionaryPtr&);
    int32_t (IDatabaseManager::*remove)(int32_t);
};

const ContactCase kContacts[] = {
    {.table = "PersonAddress",
     .kind = "Address",
     .flags = {"IsHomeAddress", "IsWorkAddress"},
     .value = "AddressPart3",
     .firstKindMember = "GetHomeAddressByPersonID",
     .byId = &IDatabaseManager::GetPersonAddressByID,
     .byPersonId = &IDatabaseManager::GetAddressByPersonID,
     .byName = &IDatabaseManager::GetPersonAddressByName,
     .firstKind = &IDatabaseManager::GetHomeAddressByPersonID,
     .save = &IDatabaseManager::UpdatePersonAddress,
     .remove = &IDatabaseManager::DeletePersonAddress},
    {.table = "PersonPhoneNumber",
     .kind = "PhoneNumber",
     .flags = {"IsHomePhoneNumber", "IsWorkPhoneNumber", "IsCellPhoneNumber", "IsFaxNumber"},
     .value = "PhoneNumber",
     .firstKindMember = "GetHomePhoneNumberByPersonID",
     .byId = &IDatabaseManager::GetPersonPhoneNumberByID,
     .byPersonId = &IDatabaseManager::GetPhoneNumberByPersonID,
     .byName = &IDatabaseManager::GetPersonPhoneNumberByName,
     .firstKind = &IDatabaseManager::GetHomePhoneNumberByPersonID,
     .save = &IDatabaseManager::UpdatePersonPhoneNumber,
     .remove = &IDatabaseManager::DeletePersonPhoneNumber},
    {.table = "PersonEMailAddress",
     .kind = "EMailAddress",
     .flags = {"IsPersonalEMailAddress", "IsWorkEMailAddress"},
     .value = "EMailAddress",
     .firstKindMember = "GetPersonalEMailAddressByPersonID",
     .byId = &IDatabaseManager::GetPersonEMailAddressByID,
     .byPersonId = &IDatabaseManager::GetEMailAddressByPersonID,
     .byName = &IDatabaseManager::GetPersonEMailAddressByName,
     .firstKind = &IDatabaseManager::GetPersonalEMailAddressByPersonID,
     .save = &IDatabaseManager::UpdatePersonEMailAddress,
     .remove = &IDatabaseManager::DeletePersonEMailAddress},
};

class ContactTest : public test::DatabaseTest {};

// Each kind's members read and write their own table, keep the built-in rows, and trace their names.
TEST_F(ContactTest, EveryKindsMembersWorkOnItsOwnTable) {
    const int32_t person = NewPerson("O'Neil");
    ASSERT_GT(person, 0);
    for (const ContactCase& c : kContacts) {
        SCOPED_TRACE(c.table);
        const QString kind = QLatin1String(c.kind);
        IDatabaseManager& manager = *db;
        m_writer->traceLines.clear();

        // One built-in row per kind flag; the first kind's read finds the row with the first flag.
        const RecordsetPtr rows = (manager.*c.byPersonId)(person);
        EXPECT_TRUE(Traced("Get" + kind + "ByPersonID"));
        ASSERT_EQ(test::NotNull(rows).RecordCount(), c.flags.size());
        const RecordsetPtr first = (manager.*c.firstKind)(person);
        EXPECT_TRUE(Traced(QLatin1String(c.firstKindMember)));
        ASSERT_EQ(test::NotNull(first).RecordCount(), 1);
        EXPECT_EQ(first->Field(c.flags[0]), Variant(true));

        // No built-in row can be deleted, whichever its flag; each refusal is logged.
        for (const QString& id : test::Column(rows, "ID")) {
            EXPECT_EQ((manager.*c.remove)(id.toInt()), -1);
            EXPECT_TRUE(Traced("DeletePerson" + kind));
            EXPECT_EQ(TakeFailedMembers(), QStringList{"IDatabaseManager_DeletePerson" + kind + "()"});
        }
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PersonID=?").arg(c.table), {person}),
                  c.flags.size());

        // An extra row is stored in the kind's table without flags, read back three ways, and deleted.
        const int32_t extra =
            (manager.*c.save)(test::Record({{"ID", 0}, {"PersonID", person}, {"Name", "Summer"}, {c.value, "x 1"}}));
        EXPECT_TRUE(Traced("UpdatePerson" + kind));
        ASSERT_GT(extra, 0);
        QString noFlag;
        for (const QString& flag : c.flags)
            noFlag += " AND " + flag + "=0";
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID=? AND PersonID=?%2").arg(c.table, noFlag),
                        {extra, person}),
                  1);
        EXPECT_EQ(test::NotNull((manager.*c.byId)(extra)).Field(c.value).ToString(), "x 1");
        EXPECT_TRUE(Traced("GetPerson" + kind + "ByID"));
        EXPECT_EQ(test::NotNull((manager.*c.byName)(person, "Summer")).Field("ID").ToInt(), extra);
        EXPECT_TRUE(Traced("GetPerson" + kind + "ByName"));
        EXPECT_EQ((manager.*c.remove)(extra), 1);
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID=?").arg(c.table), {extra}), 0);
    }
    EXPECT_TRUE(TakeFailures().isEmpty());
}

} // namespace
