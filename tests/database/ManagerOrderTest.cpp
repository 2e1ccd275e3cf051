#include "tests/support/DatabaseTest.h"

using platform::Variant;
using test::Column;
using test::Ids;
using test::Record;

namespace {

class OrderTest : public test::DatabaseTest {
protected:
    int32_t Family(const QString& name, int32_t head) {
        const int32_t id = db->UpdateFamily(Record({{"ID", 0}, {"Name", name}}));
        EXPECT_GT(db->UpdatePersonToFamily(
                      Record({{"ID", 0}, {"PersonID", head}, {"FamilyID", id}, {"IsHeadOfFamily", true}})),
                  0);
        return id;
    }
};

} // namespace

TEST_F(OrderTest, ListsComeInTheOrderTheirWindowsAndReportsShowThem) {
    // The empty search lists everybody, a person known only by a Korean name included.
    const int32_t named = NewPerson("Zed", "Zoe");
    const int32_t korean = NewPerson(QString(), QString(), "김철수");
    auto everybody = db->GetPersonBySearchText(QString());
    ASSERT_NE(everybody, nullptr);
    EXPECT_TRUE(Column(everybody, "ID").contains(QString::number(korean)));
    EXPECT_TRUE(Column(everybody, "ID").contains(QString::number(named)));

    // Family labels by the head's name, not by the family's.
    const int32_t aaron = NewPerson("Aaron");
    Family("Z Family", aaron);
    Family("A Family", named);
    auto labels = db->GetReportFamilyMailingLabel(QString(), QString(), QString());
    ASSERT_NE(labels, nullptr);
    EXPECT_EQ(Column(labels, "LastName"), (QStringList{"Aaron", "Zed"}));

    // Users by name, whatever order they were made in.
    for (const char* name : {"Yun", "Ahn", "Mo"}) {
        ASSERT_GT(db->UpdateUser(Record({{"ID", 0},
                                         {"Username", QString::fromLatin1(name).toLower()},
                                         {"Password", "pw"},
                                         {"Name", QString::fromLatin1(name)},
                                         {"IsAdmin", false},
                                         {"IsEnabled", true}})),
                  0);
    }
    auto users = db->GetAllUser();
    ASSERT_NE(users, nullptr);
    QStringList names = Column(users, "Name");
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a < b; });
    EXPECT_EQ(names, sorted);
    EXPECT_TRUE(names.contains("Ahn") && names.contains("Yun"));
}

TEST_F(OrderTest, CopyingAFamilysAddressTakesTheHeadsHomeAddressNotAnother) {
    const int32_t head = NewPerson("Head");
    const int32_t child = NewPerson("Child");
    const int32_t family = Family("F", head);
    raw->Execute("UPDATE PersonAddress SET AddressPart1='Home Street' WHERE PersonID=? AND IsHomeAddress=1", {head});
    // A work address that comes before the home row.
    raw->Execute("INSERT INTO PersonAddress (ID, PersonID, Name, AddressPart1, IsHomeAddress) "
                 "VALUES (-1, ?, 'Work', 'Office Park', 0)",
                 {head});
    ASSERT_EQ(db->CopyFamilyAddressAndPhoneNumber(child, family), 1);
    auto copied = db->GetHomeAddressByPersonID(child);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Field("AddressPart1").ToString(), "Home Street");
}

TEST_F(OrderTest, AMembershipRowForNobodyIsRefused) {
    const int32_t family = db->UpdateFamily(Record({{"ID", 0}, {"Name", "F"}}));
    const int32_t group = db->UpdateGroup(Record({{"ID", 0}, {"GroupTypeID", 1}, {"Name", "G"}}));
    ASSERT_GT(family, 0);
    ASSERT_GT(group, 0);
    EXPECT_EQ(db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", 4040}, {"FamilyID", family}})), -1);
    EXPECT_EQ(db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", 4040}, {"GroupID", group}})), -1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily") + Count("SELECT COUNT(*) FROM PersonToGroup"), 0);
    EXPECT_EQ(TakeFailures().size(), 2u);
    // A person who exists joins both, and becomes head of each through the same code.
    const int32_t person = NewPerson("Real");
    ASSERT_GT(db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", person}, {"FamilyID", family}})), 0);
    ASSERT_GT(db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", person}, {"GroupID", group}})), 0);
    EXPECT_EQ(db->SetMemberHeadOfFamily(person, family), 1);
    EXPECT_EQ(db->SetMemberHeadOfGroup(person, group), 1);
    EXPECT_EQ(db->SetMemberHeadOfGroup(4040, group), -1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup WHERE IsHeadOfGroup=1 AND PersonID=?", {person}), 1);
}
