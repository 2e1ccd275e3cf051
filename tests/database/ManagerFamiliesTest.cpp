#include "tests/support/DatabaseTest.h"

using platform::Dictionary;
using platform::Variant;
using test::Column;
using test::Ids;
using test::Record;

namespace {

class FamilyTest : public test::DatabaseTest {
protected:
    int32_t NewFamily(const QString& name) {
        return db->UpdateFamily(Record({{"ID", 0}, {"Name", name}, {"Note", ""}}));
    }
    int32_t NewGroup(const QString& name, int32_t type) {
        return db->UpdateGroup(Record({{"ID", 0}, {"GroupTypeID", type}, {"Name", name}}));
    }
    int32_t Join(int32_t person, int32_t family, bool head, const QString& relationship = "Son") {
        return db->UpdatePersonToFamily(Record({{"ID", 0},
                                                {"PersonID", person},
                                                {"FamilyID", family},
                                                {"IsHeadOfFamily", head},
                                                {"Relationship", relationship}}));
    }
    int32_t JoinGroup(int32_t person, int32_t group, bool head) {
        return db->UpdatePersonToGroup(Record(
            {{"ID", 0}, {"PersonID", person}, {"GroupID", group}, {"IsHeadOfGroup", head}, {"Position", "Member"}}));
    }
    QStringList Heads(int32_t family) {
        return Column(raw->Query("SELECT PersonID FROM PersonToFamily WHERE FamilyID=? AND IsHeadOfFamily=1", {family}),
                      "PersonID");
    }
    void SetHomeAddress(int32_t person, const QString& line, const QString& city) {
        raw->Execute(
            QStringLiteral(
                "UPDATE PersonAddress SET AddressPart1=?, AddressPart3=? WHERE PersonID=? AND IsHomeAddress=1"),
            {line, city, person});
    }
};

} // namespace

TEST_F(FamilyTest, AFamilyListsItsHeadFirstAndIsFoundByItsName) {
    const int32_t father = NewPerson("Kim", "Chulsoo", "김철수");
    const int32_t daughter = NewPerson("Kim", "Anna");
    const int32_t son = NewPerson("Kim", "Bob");
    const int32_t family = NewFamily("Kim Family");
    ASSERT_GT(family, 0);
    EXPECT_GT(Join(son, family, false), 0);
    EXPECT_GT(Join(father, family, true, "Head"), 0);
    EXPECT_GT(Join(daughter, family, false, "Daughter"), 0);
    SetHomeAddress(father, "1 Main St", "Seoul");

    EXPECT_EQ(Column(db->GetPersonByFamilyID(family), "ID"), Ids({father, daughter, son}));
    auto head = db->GetHeadOfFamilyByFamilyID(family);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->Field("ID").ToInt(), father);
    EXPECT_EQ(head->Field("Relationship").ToString(), "Head");
    EXPECT_EQ(head->Field("AddressPart3").ToString(), "Seoul");

    // One row per family with its head; "%" and "_" in the text are plain characters.
    const int32_t percent = NewFamily("100% Club");
    Join(son, percent, true);
    NewFamily("Kimball"); // no head: never found
    auto found = db->GetFamilyBySearchText("kim");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->RecordCount(), 1);
    EXPECT_EQ(found->Field("ID").ToInt(), family);
    EXPECT_EQ(found->Field("LanguageName").ToString(), "김철수");
    EXPECT_EQ(found->Field("MemberCount").ToInt(), 0);
    EXPECT_EQ(Column(db->GetFamilyBySearchText("100%"), "ID"), Ids({percent}));
    EXPECT_EQ(db->GetFamilyBySearchText("1_0"), nullptr);
    EXPECT_EQ(Column(db->GetFamilyBySearchText(QString()), "ID").size(), 2);

    EXPECT_EQ(Column(db->GetFamilyByName("kim family"), "ID"), Ids({family}));
    EXPECT_EQ(Column(db->GetFamilyByPersonID(son), "Name"), (QStringList{"100% Club", "Kim Family"}));
    EXPECT_EQ(Column(db->GetFamilyByPersonID(daughter), "Relationship"), QStringList{"Daughter"});
    EXPECT_TRUE(TakeFailures().isEmpty());
}

TEST_F(FamilyTest, ANewHeadReplacesTheOldOneAndAFamilyIsNeverLeftWithout) {
    const int32_t a = NewPerson("A");
    const int32_t b = NewPerson("B");
    const int32_t stranger = NewPerson("C");
    const int32_t family = NewFamily("F");
    Join(a, family, true);
    Join(b, family, false);

    EXPECT_EQ(db->SetMemberHeadOfFamily(b, family), 1);
    EXPECT_EQ(Heads(family), Ids({b}));
    // Someone who is no member cannot become head, and the family keeps its head.
    EXPECT_EQ(db->SetMemberHeadOfFamily(stranger, family), -1);
    EXPECT_EQ(Heads(family), Ids({b}));
    EXPECT_EQ(db->SetMemberHeadOfFamily(a, 9999), -1);
    EXPECT_EQ(Heads(family), Ids({b}));

    // The same for groups.
    const int32_t group = NewGroup("Choir", 2);
    JoinGroup(a, group, true);
    JoinGroup(b, group, false);
    EXPECT_EQ(db->SetMemberHeadOfGroup(b, group), 1);
    EXPECT_EQ(db->SetMemberHeadOfGroup(stranger, group), -1);
    auto head = db->GetHeadOfGroupByGroupID(group);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->RecordCount(), 1);
    EXPECT_EQ(head->Field("ID").ToInt(), b);
    EXPECT_EQ(head->Field("Position").ToString(), "Member");
}

TEST_F(FamilyTest, DeletingAFamilyRemovesItsMembershipRowsAndNothingElse) {
    const int32_t a = NewPerson("A");
    const int32_t b = NewPerson("B");
    const int32_t first = NewFamily("First");
    const int32_t second = NewFamily("Second");
    Join(a, first, true);
    Join(b, first, false);
    Join(a, second, true);
    const int32_t group = NewGroup("G", 1);
    JoinGroup(a, group, true);

    EXPECT_EQ(db->DeleteFamily(first), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=?", {first}), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=?", {second}), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup"), 1);
    EXPECT_EQ(db->DeleteFamily(first), -1);

    // A failing delete of the family itself keeps its membership rows too.
    raw->ExecuteScript("CREATE TRIGGER KeepFamily BEFORE DELETE ON Family BEGIN SELECT RAISE(ABORT, 'kept'); END;");
    EXPECT_EQ(db->DeleteFamily(second), -1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=?", {second}), 1);
    EXPECT_EQ(TakeFailedMembers(), QStringList(2, "IDatabaseManager_DeleteFamily()"));

    EXPECT_EQ(db->DeleteGroup(group), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"Group\""), 0);
}

TEST_F(FamilyTest, MembersWithoutContactRowsAreListedRemovedAndMadeHead) {
    const int32_t head = NewPerson("Head");
    const int32_t bare = NewPerson("Bare");
    const int32_t gone = NewPerson("Gone");
    DropContactRows(bare);
    const int32_t family = NewFamily("F");
    Join(head, family, true);
    Join(bare, family, false);
    Join(gone, family, false);
    ASSERT_EQ(db->DeletePerson(gone), 1);

    auto members = db->GetPersonByFamilyID(family);
    EXPECT_EQ(Column(members, "ID"), Ids({head, bare}));
    members->MoveNext();
    EXPECT_TRUE(members->Field("HomePhoneNumber").IsNull());
    EXPECT_TRUE(members->Field("AddressPart1").IsNull());

    EXPECT_EQ(db->SetMemberHeadOfFamily(bare, family), 1);
    auto newHead = db->GetHeadOfFamilyByFamilyID(family);
    ASSERT_NE(newHead, nullptr);
    EXPECT_EQ(newHead->Field("ID").ToInt(), bare);
    EXPECT_EQ(Column(db->GetFamilyBySearchText("F"), "ID"), Ids({family}));

    // Groups list a head without contact rows too, by type or all.
    const int32_t choir = NewGroup("Choir", 2);
    const int32_t cell = NewGroup("Cell A", 1);
    NewGroup("Headless", 1);
    JoinGroup(bare, choir, true);
    JoinGroup(head, cell, true);
    JoinGroup(bare, cell, false);
    EXPECT_EQ(Column(db->GetAllGroup(), "Name"), (QStringList{"Cell A", "Choir"}));
    EXPECT_EQ(Column(db->GetGroupByGroupTypeID(2), "Name"), QStringList{"Choir"});
    EXPECT_EQ(Column(db->GetGroupByGroupTypeID(-999), "Name").size(), 2);
    EXPECT_EQ(Column(db->GetGroupByGroupTypeID(0), "GroupType"), (QStringList{"Cell Group", "Choir"}));
    EXPECT_EQ(Column(db->GetPersonByGroupID(cell), "ID"), Ids({head, bare}));

    EXPECT_EQ(db->DeletePersonToFamilyByPersonIDAndFamilyID(head, family), 1);
    EXPECT_EQ(db->DeletePersonToFamilyByPersonIDAndFamilyID(head, family), -1);
    EXPECT_EQ(db->DeletePersonToGroupByPersonIDAndGroupID(bare, cell), 1);
    EXPECT_EQ(Column(db->GetPersonByFamilyID(family), "ID"), Ids({bare}));
    EXPECT_EQ(TakeFailedMembers(), QStringList{"IDatabaseManager_DeletePersonToFamilyByPersonIDAndFamilyID()"});
}

TEST_F(FamilyTest, MembershipSavesWriteAllOrNothing) {
    const int32_t person = NewPerson("P");
    const int32_t family = NewFamily("F");
    const auto rows = [&] { return Count("SELECT COUNT(*) FROM PersonToFamily"); };

    // No person, an unknown row id, an id that is no number, a relationship too long: nothing is stored.
    EXPECT_EQ(db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", 0}, {"FamilyID", family}})), -1);
    EXPECT_EQ(db->UpdatePersonToFamily(Record({{"ID", 77}, {"PersonID", person}, {"FamilyID", family}})), -1);
    EXPECT_EQ(db->UpdatePersonToFamily(Record({{"ID", "x"}, {"PersonID", person}, {"FamilyID", family}})), -1);
    EXPECT_EQ(
        db->UpdatePersonToFamily(Record(
            {{"ID", 0}, {"PersonID", person}, {"FamilyID", family}, {"Relationship", QString(300, QChar(u'r'))}})),
        -1);
    EXPECT_EQ(db->UpdateFamily(Record({{"ID", 0}, {"Name", QString(300, QChar(u'n'))}})), -1);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 1);

    // A new row takes its head flag from the record (false without one); a later save keeps it.
    const int32_t link = db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", person}, {"FamilyID", family}}));
    ASSERT_GT(link, 0);
    EXPECT_EQ(test::NotNull(db->GetPersonToFamilyByID(link)).Field("IsHeadOfFamily"), Variant(false));
    ASSERT_EQ(db->SetMemberHeadOfFamily(person, family), 1);
    EXPECT_EQ(db->UpdatePersonToFamily(Record({{"ID", link},
                                               {"PersonID", person},
                                               {"FamilyID", family},
                                               {"IsHeadOfFamily", false},
                                               {"Relationship", "Spouse"}})),
              link);
    auto row = db->GetPersonToFamilyByFamilyIDAndPersonID(family, person);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Field("IsHeadOfFamily"), Variant(true));
    EXPECT_EQ(row->Field("Relationship").ToString(), "Spouse");
    EXPECT_EQ(rows(), 1);

    // Relationship and position: trimmed, quotes kept, blank stored as Null, bad text refused.
    EXPECT_EQ(db->SetMemberFamilyRelationship(person, family, " O'Neil's "), 1);
    EXPECT_EQ(test::NotNull(db->GetPersonToFamilyByID(link)).Field("Relationship").ToString(), "O'Neil's");
    EXPECT_EQ(db->SetMemberFamilyRelationship(person, family, "bad\nline"), -1);
    EXPECT_EQ(db->SetMemberFamilyRelationship(person, family, "   "), 1);
    EXPECT_TRUE(test::NotNull(db->GetPersonToFamilyByID(link)).Field("Relationship").IsNull());
    EXPECT_EQ(db->SetMemberFamilyRelationship(person, 404, "Son"), -1);

    const int32_t group = NewGroup("G", 3);
    ASSERT_GT(JoinGroup(person, group, false), 0);
    EXPECT_EQ(db->SetMemberGroupPosition(person, group, "Leader"), 1);
    EXPECT_EQ(Column(db->GetGroupByPersonID(person), "Position"), QStringList{"Leader"});
    EXPECT_EQ(Column(db->GetGroupByID(group), "GroupType"), QStringList{"Committee"});
    EXPECT_EQ(db->GetGroupByID(NewGroup("No type", 0)), nullptr);
}

TEST_F(FamilyTest, CopyingTheHeadsHomeAddressAndPhone) {
    const int32_t head = NewPerson("Head");
    const int32_t child = NewPerson("Child");
    const int32_t family = NewFamily("F");
    Join(head, family, true);
    Join(child, family, false);
    SetHomeAddress(head, "1 Main St", "Coeur d'Alene");
    raw->Execute("UPDATE PersonPhoneNumber SET PhoneNumber='555-0100' WHERE PersonID=? AND IsHomePhoneNumber=1",
                 {head});
    raw->Execute("UPDATE PersonAddress SET AddressPart2='  ' WHERE PersonID=? AND IsHomeAddress=1", {child});

    EXPECT_EQ(db->CopyFamilyAddressAndPhoneNumber(child, family), 1);
    auto address = db->GetHomeAddressByPersonID(child);
    EXPECT_EQ(address->Field("AddressPart1").ToString(), "1 Main St");
    EXPECT_TRUE(address->Field("AddressPart2").IsNull()); // the head's empty part too
    EXPECT_EQ(address->Field("AddressPart3").ToString(), "Coeur d'Alene");
    EXPECT_EQ(test::NotNull(db->GetHomePhoneNumberByPersonID(child)).Field("PhoneNumber").ToString(), "555-0100");
    // The work rows and the head's rows are untouched; no row is added.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonAddress WHERE AddressPart1='1 Main St'"), 2);

    // A family without a head changes nothing and still answers 1; a person without home rows gets none.
    const int32_t headless = NewFamily("Headless");
    EXPECT_EQ(db->CopyFamilyAddressAndPhoneNumber(child, headless), 1);
    const int32_t bare = NewPerson("Bare");
    DropContactRows(bare);
    EXPECT_EQ(db->CopyFamilyAddressAndPhoneNumber(bare, family), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonAddress WHERE PersonID=?", {bare}), 0);
}
