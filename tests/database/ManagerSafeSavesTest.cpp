#include "common/StandardModule.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/DatabaseTest.h"

#include <QFile>

#include <chrono>

namespace test {
namespace {

using amb::EnumDatabaseFailure;
using platform::Variant;

// The stored values of the first row, as a window keeps them, put into a save's record.
platform::DictionaryPtr WithAsRead(const platform::DictionaryPtr& record, const platform::RecordsetPtr& row) {
    auto asRead = std::make_shared<platform::Dictionary>();
    for (const QString& name : NotNull(row).FieldNames())
        asRead->SetItem(name, row->Field(name));
    record->SetItem(amb::IDatabaseManager::kAsReadKey, Variant(platform::ObjectPtr(asRead)));
    return record;
}

// A person record as the person window sends it: every column it writes.
platform::DictionaryPtr PersonRecord(int32_t id, const QString& occupation, const QString& suffix) {
    return Record({{"ID", id},
                   {"LastName", "Lee"},
                   {"FirstName", "Ann"},
                   {"SexID", 2},
                   {"MemberStatusID", 1},
                   {"Occupation", occupation},
                   {"Suffix", suffix}});
}

class SafeSavesTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        other = std::make_unique<amb::database::Manager>();
        other->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + m_path + "; Jet OLEDB:");
        m_person = db->UpdatePerson(PersonRecord(0, QString(), QString()));
        ASSERT_GT(m_person, 0);
    }
    void TearDown() override {
        other.reset();
        platform::SqliteTransaction::SetWriteWait(std::chrono::seconds(30));
        DatabaseTest::TearDown();
    }
    QString Stored(const QString& column) {
        return raw->Query("SELECT " + column + " FROM Person WHERE ID=?", {m_person})->Field(0).ToString();
    }

    std::unique_ptr<amb::database::Manager> other; // a second program on the same file
    int32_t m_person = 0;
};

TEST_F(SafeSavesTest, TheSecondOfTwoProgramsSavingOnePersonIsRefusedAndTheFirstOnesChangeStays) {
    const auto readByFirst = db->GetPersonByID(m_person);
    const auto readBySecond = other->GetPersonByID(m_person);
    EXPECT_EQ(db->UpdatePerson(WithAsRead(PersonRecord(m_person, "Baker", QString()), readByFirst)), m_person);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::None);

    EXPECT_EQ(other->UpdatePerson(WithAsRead(PersonRecord(m_person, QString(), "Jr"), readBySecond)), -1);
    EXPECT_EQ(other->LastFailure(), EnumDatabaseFailure::ChangedElsewhere);
    EXPECT_EQ(Stored("Occupation"), "Baker");
    EXPECT_EQ(Stored("Suffix"), "");
    // The refusal writes its line, as every failed save does.
    EXPECT_EQ(TakeFailures().filter("IDatabaseManager_UpdatePerson()").size(), 1);
    // Opened again, the second program saves over what is now stored.
    EXPECT_EQ(other->UpdatePerson(WithAsRead(PersonRecord(m_person, "Baker", "Jr"), other->GetPersonByID(m_person))),
              m_person);
    EXPECT_EQ(other->LastFailure(), EnumDatabaseFailure::None);
    EXPECT_EQ(Stored("Suffix"), "Jr");
    // A save without stored values (an older caller) writes as it always did.
    EXPECT_EQ(db->UpdatePerson(PersonRecord(m_person, "Cook", "Jr")), m_person);
    EXPECT_EQ(Stored("Occupation"), "Cook");
}

TEST_F(SafeSavesTest, ColumnsTheSaveDoesNotWriteAreNoChange) {
    const auto read = db->GetPersonByID(m_person);
    raw->Execute("UPDATE Person SET EnvelopCode='777', DateUpdated='2020-01-01 00:00:00' WHERE ID=?", {m_person});
    EXPECT_EQ(db->UpdatePerson(WithAsRead(PersonRecord(m_person, "Baker", QString()), read)), m_person);
    EXPECT_EQ(Stored("EnvelopCode"), "777");

    // A user's log-in stamp written after the user window read the account.
    const int32_t id = db->UpdateUser(Record({{"ID", 0}, {"Username", "kim"}, {"Password", "long secret 12"}}));
    ASSERT_GT(id, 0);
    const auto user = db->GetUserByID(id);
    EXPECT_EQ(other->SetUserDateLogin(id, platform::MakeDateTime(2026, 1, 2)), 1);
    auto record = Record({{"ID", id}, {"Username", "kim"}, {"Name", "Kim"}, {"IsAdmin", true}, {"IsEnabled", true}});
    EXPECT_EQ(db->UpdateUser(WithAsRead(record, user)), id);
    // Changed elsewhere meanwhile: the account's name.
    const auto again = db->GetUserByID(id);
    raw->Execute("UPDATE \"User\" SET Name='Chief' WHERE ID=?", {id});
    EXPECT_EQ(db->UpdateUser(WithAsRead(record, again)), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::ChangedElsewhere);
    EXPECT_EQ(raw->Query("SELECT Name FROM \"User\" WHERE ID=?", {id})->Field(0).ToString(), "Chief");
}

TEST_F(SafeSavesTest, ARowDeletedMeanwhileIsRefusedAndNeverMadeAgain) {
    const auto read = other->GetPersonByID(m_person);
    ASSERT_EQ(db->DeletePerson(m_person), 1);
    EXPECT_EQ(other->UpdatePerson(WithAsRead(PersonRecord(m_person, "Baker", QString()), read)), -1);
    EXPECT_EQ(other->LastFailure(), EnumDatabaseFailure::RecordGone);
    EXPECT_EQ(Stored("Occupation"), "");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE ID=? AND IsDeleted=1", {m_person}), 1);

    // Removed for good: no person and no contact rows come back under a new id.
    ASSERT_EQ(db->Purge(), 1);
    const int rows = Count("SELECT COUNT(*) FROM Person") + Count("SELECT COUNT(*) FROM PersonAddress");
    EXPECT_EQ(other->UpdatePerson(WithAsRead(PersonRecord(m_person, "Baker", QString()), read)), -1);
    EXPECT_EQ(other->LastFailure(), EnumDatabaseFailure::RecordGone);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person") + Count("SELECT COUNT(*) FROM PersonAddress"), rows);

    // A look-up name deleted while its window was open is not brought back by that window's save.
    const int32_t choir = db->UpdateGroupType(Record({{"ID", 0}, {"GroupType", "Choir"}}));
    const auto choirRead = db->GetGroupTypeByID(choir);
    ASSERT_EQ(other->DeleteGroupType(choir), 1);
    EXPECT_EQ(db->UpdateGroupType(WithAsRead(Record({{"ID", choir}, {"GroupType", "Choirs"}}), choirRead)), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::RecordGone);
    raw->Execute("DELETE FROM GroupType WHERE ID=?", {choir});
    const int types = Count("SELECT COUNT(*) FROM GroupType");
    EXPECT_EQ(db->UpdateGroupType(WithAsRead(Record({{"ID", choir}, {"GroupType", "Choir"}}), choirRead)), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::RecordGone);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM GroupType"), types);
}

TEST_F(SafeSavesTest, EachRefusalKeepsItsCauseUntilTheNextChange) {
    // A text longer than its column names the column.
    EXPECT_EQ(db->UpdatePerson(PersonRecord(m_person, QString(300, 'x'), QString())), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::TextTooLong);
    EXPECT_EQ(db->LastFailureField(), "Occupation");
    EXPECT_EQ(db->SetMemberFamilyRelationship(m_person, 1, QString(300, 'x')), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::TextTooLong);
    EXPECT_EQ(db->LastFailureField(), "Relationship");
    // A read that follows keeps the cause; the next change starts without one.
    EXPECT_TRUE(db->GetPersonByID(m_person));
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::TextTooLong);
    EXPECT_EQ(db->UpdatePerson(PersonRecord(m_person, "Baker", QString())), m_person);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::None);
    EXPECT_EQ(db->LastFailureField(), "");

    auto offering =
        Record({{"ID", 0}, {"OfferingTypeID", 1}, {"OfferingDate", "2024-03-05"}, {"Amount", "1000000000"}});
    EXPECT_EQ(db->UpdatePersonOffering(offering), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::AmountOutOfRange);

    EXPECT_GT(db->UpdateUser(Record({{"ID", 0}, {"Username", "kim"}, {"Password", "long secret 12"}})), 0);
    EXPECT_EQ(db->SetUserPassword("kim", "not the password", "new secret 12"), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::WrongPassword);

    // A refusal by a rule of the data has no cause the user could act on.
    EXPECT_EQ(db->SetMemberHeadOfFamily(m_person, 999), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::None);
    // A failure inside the database that none of the causes names.
    raw->Execute("CREATE TRIGGER refuse BEFORE UPDATE ON Person BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_EQ(db->UpdatePerson(PersonRecord(m_person, "Cook", QString())), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::Other);
}

TEST_F(SafeSavesTest, ALockedFullOrReadOnlyDatabaseIsToldApart) {
    // Another program holds the write lock for longer than the save waits.
    db->OpenConnection().ExecuteScript("PRAGMA busy_timeout=20");
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    raw->ExecuteScript("BEGIN IMMEDIATE");
    EXPECT_EQ(db->UpdatePerson(PersonRecord(m_person, "Baker", QString())), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::Locked);
    raw->ExecuteScript("ROLLBACK");

    // No room for one more page: the file is full.
    auto& connection = db->OpenConnection();
    const int pages = connection.Query("PRAGMA page_count")->Field(0).ToInt();
    connection.ExecuteScript(QString("PRAGMA max_page_count=%1").arg(pages));
    auto big = PersonRecord(0, QString(), QString());
    big->SetItem("Note", QString(60000, 'n'));
    EXPECT_EQ(db->UpdatePerson(big), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::DiskFullOrReadOnly);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 1);
    connection.ExecuteScript("PRAGMA max_page_count=1073741823");

    connection.ExecuteScript("PRAGMA query_only=ON");
    EXPECT_EQ(db->UpdatePerson(PersonRecord(m_person, "Baker", QString())), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::DiskFullOrReadOnly);
    connection.ExecuteScript("PRAGMA query_only=OFF");
    EXPECT_EQ(db->UpdatePerson(PersonRecord(m_person, "Baker", QString())), m_person);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::None);
}

TEST_F(SafeSavesTest, AReadThatFailsKeepsItsCauseAndOneThatMatchedNothingHasNone) {
    EXPECT_EQ(db->GetPersonBySearchText("Nobody"), nullptr);
    EXPECT_EQ(db->LastReadFailure(), EnumDatabaseFailure::None);
    // A new connection, so that no page is read from the old one's cache.
    const auto reopen = [&] { db->SetConnectionString(db->ConnectionString()); };
    ASSERT_TRUE(DamageTableRootPage(m_path, "Person"));
    reopen();

    EXPECT_EQ(db->GetPersonBySearchText("Lee"), nullptr);
    EXPECT_EQ(db->LastReadFailure(), EnumDatabaseFailure::Damaged);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::Damaged);
    // The next read starts anew; a save leaves the reads' cause alone.
    EXPECT_NE(db->GetLookupSex(amb::EnumLookupOption{0}), nullptr);
    EXPECT_EQ(db->LastReadFailure(), EnumDatabaseFailure::None);
    EXPECT_EQ(db->UpdatePerson(PersonRecord(0, QString(), QString())), -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::Damaged);
    EXPECT_EQ(db->LastReadFailure(), EnumDatabaseFailure::None);

    // A file cut short fails the same way.
    const qint64 pageSize = raw->Query("PRAGMA page_size")->Field(0).ToInt();
    QFile file(m_path);
    ASSERT_TRUE(file.resize(pageSize));
    reopen();
    EXPECT_EQ(db->GetAllUser(), nullptr);
    EXPECT_EQ(db->LastReadFailure(), EnumDatabaseFailure::Damaged);
}

} // namespace
} // namespace test
