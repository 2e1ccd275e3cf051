#include "database/Compaction.h"
#include "tests/support/DatabaseTest.h"

#include <QDir>

using platform::Dictionary;
using platform::Variant;
using test::Record;

namespace {

class PurgeTest : public test::DatabaseTest {
protected:
    int32_t Offering(int32_t person) {
        return db->UpdatePersonOffering(Record({{"ID", 0},
                                                {"PersonID", person},
                                                {"OfferingTypeID", 1},
                                                {"OfferingDate", "3/5/2024"},
                                                {"Amount", "10.00"}}));
    }
    int Rows(const char* table, int32_t person) {
        return Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PersonID=?").arg(QLatin1String(table)), {person});
    }
};

} // namespace

TEST_F(PurgeTest, RemovesMarkedPersonsWithTheirRowsAndKeepsTheirOfferings) {
    const int32_t kept = NewPerson("Kept");
    const int32_t marked = NewPerson("Marked");
    const int32_t family = db->UpdateFamily(Record({{"ID", 0}, {"Name", "F"}}));
    const int32_t group = db->UpdateGroup(Record({{"ID", 0}, {"GroupTypeID", 1}, {"Name", "G"}}));
    for (int32_t person : {kept, marked}) {
        db->UpdatePersonToFamily(
            Record({{"ID", 0}, {"PersonID", person}, {"FamilyID", family}, {"IsHeadOfFamily", person == kept}}));
        db->UpdatePersonToGroup(
            Record({{"ID", 0}, {"PersonID", person}, {"GroupID", group}, {"IsHeadOfGroup", person == kept}}));
    }
    const int32_t keptOffering = Offering(kept);
    const int32_t markedOffering = Offering(marked);
    const int32_t noGiver = Offering(0);
    ASSERT_EQ(db->DeletePerson(marked), 1);
    // A result set held by a caller does not stand in the way: sets are read in full.
    auto held = db->GetPersonByID(kept);

    EXPECT_EQ(db->Purge(), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 1);
    for (const char* table :
         {"PersonAddress", "PersonEMailAddress", "PersonPhoneNumber", "PersonToFamily", "PersonToGroup"}) {
        EXPECT_EQ(Rows(table, marked), 0) << table;
        EXPECT_GT(Rows(table, kept), 0) << table;
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonOffering"), 3);
    EXPECT_EQ(Count("SELECT PersonID FROM PersonOffering WHERE ID=?", {markedOffering}), 0);
    EXPECT_EQ(Count("SELECT PersonID FROM PersonOffering WHERE ID=?", {keptOffering}), kept);
    EXPECT_EQ(Count("SELECT PersonID FROM PersonOffering WHERE ID=?", {noGiver}), 0);
    EXPECT_EQ(db->GetReportOfferingList(platform::MakeDateTime(2024, 3, 5), platform::MakeDateTime(2024, 3, 5), 0, 0)
                  ->RecordCount(),
              3);
    EXPECT_TRUE(TakeFailures().isEmpty());

    // The compacted file is the same db.mdb, openable without any password, and whole; nothing is left beside it.
    db.reset();
    raw.reset();
    auto reopened = platform::SqliteConnection::Open(m_path);
    EXPECT_EQ(reopened->Query("PRAGMA integrity_check")->Field(0).ToString(), "ok");
    EXPECT_EQ(reopened->Query("SELECT LastName FROM Person")->Field(0).ToString(), "Kept");
    EXPECT_EQ(QDir(m_dir.Path()).entryList(QDir::Files), QStringList{"db.mdb"});
    // With nothing marked the purge still runs to its end.
    amb::database::Manager again;
    again.SetConnectionString(m_path);
    EXPECT_EQ(again.Purge(), 1);
    EXPECT_EQ(again.Convert(), 1);
}

TEST_F(PurgeTest, AFailureHalfWayKeepsEverythingAndAFailedCompactionIsLogged) {
    const int32_t marked = NewPerson("Marked");
    const int32_t offering = Offering(marked);
    ASSERT_EQ(db->DeletePerson(marked), 1);
    raw->ExecuteScript(QStringLiteral(
        "CREATE TRIGGER KeepPhones BEFORE DELETE ON PersonPhoneNumber BEGIN SELECT RAISE(ABORT, 'kept'); END;"));
    EXPECT_EQ(db->Purge(), -1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 1);
    EXPECT_EQ(Rows("PersonAddress", marked), 2);
    EXPECT_EQ(Count("SELECT PersonID FROM PersonOffering WHERE ID=?", {offering}), marked);
    EXPECT_EQ(TakeFailures().size(), 1);
    raw->ExecuteScript("DROP TRIGGER KeepPhones");

    ASSERT_EQ(db->Purge(), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 0);

    // A compaction that cannot run leaves the file as it was and is logged, without throwing.
    raw->ExecuteScript("BEGIN");
    EXPECT_EQ(amb::database::CompactDatabaseFile(*raw), amb::EnumDatabaseFailure::Other);
    raw->ExecuteScript("COMMIT");
    const QStringList failures = TakeFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains("CompactDatabaseFile()")) << failures.first().toStdString();
    EXPECT_EQ(raw->Query("PRAGMA integrity_check")->Field(0).ToString(), "ok");
}
