#include "tests/support/DatabaseTest.h"

#include <functional>

namespace test {
namespace {

using amb::EnumDatabaseFailure;
using amb::database::Manager;

// A save that adds one row naming a person, and the table it adds to.
struct AddedRow {
    const char* name;
    const char* table;
    std::function<int32_t(Manager&, int32_t person)> add;
};

const AddedRow kAddedRows[] = {
    {.name = "Address",
     .table = "PersonAddress",
     .add =
         [](Manager& m, int32_t p) {
             return m.UpdatePersonAddress(
                 Record({{"ID", 0}, {"PersonID", p}, {"Name", "Other"}, {"AddressPart1", "1 Elm"}}));
         }},
    {.name = "Phone",
     .table = "PersonPhoneNumber",
     .add =
         [](Manager& m, int32_t p) {
             return m.UpdatePersonPhoneNumber(
                 Record({{"ID", 0}, {"PersonID", p}, {"Name", "Other"}, {"PhoneNumber", "555"}}));
         }},
    {.name = "EMail",
     .table = "PersonEMailAddress",
     .add =
         [](Manager& m, int32_t p) {
             return m.UpdatePersonEMailAddress(
                 Record({{"ID", 0}, {"PersonID", p}, {"Name", "Other"}, {"EMailAddress", "a@b.example"}}));
         }},
    {.name = "Family",
     .table = "PersonToFamily",
     .add =
         [](Manager& m, int32_t p) {
             const int32_t family = m.UpdateFamily(Record({{"ID", 0}, {"Name", "F"}}));
             return m.UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", p}, {"FamilyID", family}}));
         }},
    {.name = "Group",
     .table = "PersonToGroup",
     .add =
         [](Manager& m, int32_t p) {
             const int32_t group = m.UpdateGroup(Record({{"ID", 0}, {"GroupTypeID", 1}, {"Name", "G"}}));
             return m.UpdatePersonToGroup(
                 Record({{"ID", 0}, {"PersonID", p}, {"GroupID", group}, {"Position", "Lead"}}));
         }},
    {.name = "OfferingById",
     .table = "PersonOffering",
     .add =
         [](Manager& m, int32_t p) {
             return m.UpdatePersonOffering(Record({{"ID", 0},
                                                   {"PersonID", p},
                                                   {"OfferingTypeID", 1},
                                                   {"OfferingDate", "3/5/2024"},
                                                   {"Amount", "10.00"}}));
         }},
};

void PrintTo(const AddedRow& c, std::ostream* os) {
    *os << c.name;
}

// Two programs on one db.mdb: `other` deletes the person (and purges) while `db` adds a row for him.
class GonePersonTest : public DatabaseTest, public ::testing::WithParamInterface<AddedRow> {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        other = std::make_unique<Manager>();
        other->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + m_path + "; Jet OLEDB:");
        m_gone = NewPerson("Umber", "Ugo");
        m_kept = NewPerson("Kim");
        ASSERT_GT(m_gone, 0);
        ASSERT_GT(m_kept, 0);
    }
    void TearDown() override {
        other.reset();
        DatabaseTest::TearDown();
    }
    int Rows(int32_t person) {
        return Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PersonID=?").arg(GetParam().table), {person});
    }
    // Rows of the table whose person no longer exists.
    int Orphans() {
        return Count(
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PersonID<>0 AND PersonID NOT IN (SELECT ID FROM Person)")
                .arg(GetParam().table));
    }
    void ExpectRefused(const char* when) {
        const int before = Count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(GetParam().table));
        TakeFailures();
        EXPECT_EQ(GetParam().add(*db, m_gone), -1) << when;
        EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::RecordGone) << when;
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(GetParam().table)), before) << when;
        // The refusal writes its line, as every refused save does.
        EXPECT_EQ(TakeFailures().size(), 1) << when;
    }

    std::unique_ptr<Manager> other;
    int32_t m_gone = 0;
    int32_t m_kept = 0;
};

TEST_P(GonePersonTest, ARowForAPersonDeletedOrPurgedMeanwhileIsRefusedAndNothingIsStored) {
    const AddedRow& c = GetParam();
    const int before = Rows(m_gone);
    ASSERT_EQ(other->DeletePerson(m_gone), 1);
    ExpectRefused("marked deleted");
    EXPECT_EQ(Rows(m_gone), before);

    ASSERT_EQ(other->Purge(), 1);
    ExpectRefused("purged");
    EXPECT_EQ(Rows(m_gone), 0);
    EXPECT_EQ(Orphans(), 0);

    // A person who is still there takes the same row, and the refusal's cause does not linger.
    EXPECT_GT(c.add(*db, m_kept), 0);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::None);
    EXPECT_GT(Rows(m_kept), 0);
}

INSTANTIATE_TEST_SUITE_P(, GonePersonTest, ::testing::ValuesIn(kAddedRows),
                         [](const ::testing::TestParamInfo<AddedRow>& info) { return std::string(info.param.name); });

class GonePersonSavesTest : public DatabaseTest {};

TEST_F(GonePersonSavesTest, RowsAlreadyStoredForAMarkedPersonStayEditableAndAnOfferingWithoutGiverIsKept) {
    const int32_t person = NewPerson("Umber", "Ugo");
    const int32_t phone = db->UpdatePersonPhoneNumber(
        Record({{"ID", 0}, {"PersonID", person}, {"Name", "Other"}, {"PhoneNumber", "555"}}));
    const int32_t offering = db->UpdatePersonOffering(Record(
        {{"ID", 0}, {"PersonID", person}, {"OfferingTypeID", 1}, {"OfferingDate", "3/5/2024"}, {"Amount", "10.00"}}));
    ASSERT_GT(phone, 0);
    ASSERT_GT(offering, 0);
    ASSERT_EQ(db->DeletePerson(person), 1);
    // The offering lists still show a marked giver's offerings, and they may be corrected.
    EXPECT_EQ(db->UpdatePersonOffering(
                  Record({{"ID", offering}, {"OfferingTypeID", 1}, {"OfferingDate", "3/5/2024"}, {"Amount", "12.00"}})),
              offering);
    EXPECT_EQ(raw->Query("SELECT Amount FROM PersonOffering WHERE ID=?", {offering})->Field(0).ToCurrency(),
              platform::Currency::FromUnits(12));
    // A stored row saved again for its own person is no new row of his.
    EXPECT_EQ(db->UpdatePersonPhoneNumber(
                  Record({{"ID", phone}, {"PersonID", person}, {"Name", "Other"}, {"PhoneNumber", "556"}})),
              phone);
    // Moved to another person who is gone, it is refused.
    const int32_t marked = NewPerson("Marked");
    ASSERT_EQ(db->DeletePerson(marked), 1);
    const int32_t kept = NewPerson("Kept");
    EXPECT_EQ(db->UpdatePersonPhoneNumber(
                  Record({{"ID", phone}, {"PersonID", marked}, {"Name", "Other"}, {"PhoneNumber", "557"}})),
              -1);
    EXPECT_EQ(db->LastFailure(), EnumDatabaseFailure::RecordGone);
    EXPECT_EQ(Count("SELECT PersonID FROM PersonPhoneNumber WHERE ID=?", {phone}), person);
    EXPECT_EQ(db->UpdatePersonPhoneNumber(
                  Record({{"ID", phone}, {"PersonID", kept}, {"Name", "Other"}, {"PhoneNumber", "557"}})),
              phone);
    // After the purge an offering of no giver, one whose code no person has, and one with the purged
    // giver's code are stored without a giver, as is the purged giver's earlier offering.
    const QString purgedCode = raw->Query("SELECT EnvelopCode FROM Person WHERE ID=?", {person})->Field(0).ToString();
    ASSERT_FALSE(purgedCode.isEmpty());
    ASSERT_EQ(db->Purge(), 1);
    for (const QString& code : {QString(), QString("999999"), purgedCode})
        EXPECT_GT(db->UpdatePersonOffering(Record({{"ID", 0},
                                                   {"PersonID", 0},
                                                   {"EnvelopCode", code},
                                                   {"OfferingTypeID", 1},
                                                   {"OfferingDate", "3/5/2024"},
                                                   {"Amount", "1.00"}})),
                  0)
            << code.toStdString();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonOffering WHERE PersonID=0"), 4);
    EXPECT_EQ(
        Count("SELECT COUNT(*) FROM PersonOffering WHERE PersonID<>0 AND PersonID NOT IN (SELECT ID FROM Person)"), 0);
}

} // namespace
} // namespace test
