#include "tests/support/DatabaseTest.h"

#include <functional>

// Every -1 of the manager is a refusal that Log.txt names by its member, with the cause the windows
// show, and the file stays as it was.

namespace test {
namespace {

using amb::EnumDatabaseFailure;
using amb::database::Manager;
using platform::Variant;

platform::DictionaryPtr User(const QString& username, bool admin, int32_t id = 0) {
    return Record({{"ID", id},
                   {"Username", username},
                   {"Password", id == 0 ? Variant("long secret 12") : Variant()},
                   {"IsAdmin", admin},
                   {"IsEnabled", true}});
}

platform::DictionaryPtr Offering(const Variant& amount) {
    return Record({{"ID", 0}, {"OfferingTypeID", 1}, {"OfferingDate", "2024-03-05"}, {"Amount", amount}});
}

class RefusalTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        m_person = NewPerson("Kim");
        m_family = db->UpdateFamily(Record({{"ID", 0}, {"Name", "Kims"}}));
        m_admin = db->UpdateUser(User("admin", true));
        ASSERT_GT(m_person, 0);
        ASSERT_GT(m_family, 0);
        ASSERT_GT(m_admin, 0);
        TakeFailures();
    }
    // Bumped by every commit of another connection, so a refusal that wrote nothing leaves it.
    int DataVersion() { return Count("PRAGMA data_version"); }

    int32_t m_person = 0;
    int32_t m_family = 0;
    int32_t m_admin = 0;
};

struct RefusalCase {
    const char* member;
    std::function<int32_t(Manager&, int32_t person, int32_t family, int32_t admin)> call;
    EnumDatabaseFailure cause;
};

const RefusalCase kRefusals[] = {
    // No row matched: nothing to delete or to set.
    {"DeleteGroupType", [](Manager& m, int32_t, int32_t, int32_t) { return m.DeleteGroupType(999); },
     EnumDatabaseFailure::None},
    {"DeletePersonOffering", [](Manager& m, int32_t, int32_t, int32_t) { return m.DeletePersonOffering(999); },
     EnumDatabaseFailure::None},
    {"DeleteExpense", [](Manager& m, int32_t, int32_t, int32_t) { return m.DeleteExpense(999); },
     EnumDatabaseFailure::None},
    {"DeleteFamily", [](Manager& m, int32_t, int32_t, int32_t) { return m.DeleteFamily(999); },
     EnumDatabaseFailure::None},
    {"DeletePerson", [](Manager& m, int32_t, int32_t, int32_t) { return m.DeletePerson(999); },
     EnumDatabaseFailure::None},
    {"DeletePersonAddress", // a built-in row lives as long as its person
     [](Manager& m, int32_t person, int32_t, int32_t) {
         return m.DeletePersonAddress(m.GetHomeAddressByPersonID(person)->Field("ID").ToInt());
     },
     EnumDatabaseFailure::None},
    {"SetEnvelopCode", // it has one already
     [](Manager& m, int32_t person, int32_t, int32_t) { return m.SetEnvelopCode(person); }, EnumDatabaseFailure::None},
    {"SetUserDateLogin", [](Manager& m, int32_t, int32_t, int32_t) { return m.SetUserDateLogin(999, platform::Now()); },
     EnumDatabaseFailure::None},
    {"SetMemberHeadOfFamily", // not a member
     [](Manager& m, int32_t person, int32_t family, int32_t) { return m.SetMemberHeadOfFamily(person, family); },
     EnumDatabaseFailure::None},
    {"SetMemberFamilyRelationship",
     [](Manager& m, int32_t person, int32_t family, int32_t) {
         return m.SetMemberFamilyRelationship(person, family, "Son");
     },
     EnumDatabaseFailure::None},
    {"DeletePersonToGroupByPersonIDAndGroupID",
     [](Manager& m, int32_t person, int32_t, int32_t) { return m.DeletePersonToGroupByPersonIDAndGroupID(person, 1); },
     EnumDatabaseFailure::None},
    // The last enabled administrator stays.
    {"DeleteUser", [](Manager& m, int32_t, int32_t, int32_t admin) { return m.DeleteUser(admin); },
     EnumDatabaseFailure::None},
    {"UpdateUser",
     [](Manager& m, int32_t, int32_t, int32_t admin) { return m.UpdateUser(User("admin", false, admin)); },
     EnumDatabaseFailure::None},
    {"SetUserPassword",
     [](Manager& m, int32_t, int32_t, int32_t) { return m.SetUserPassword("admin", "not it", "new secret 12"); },
     EnumDatabaseFailure::WrongPassword},
    {"UpdatePersonToFamily",
     [](Manager& m, int32_t, int32_t family, int32_t) {
         return m.UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", "abc"}, {"FamilyID", family}}));
     },
     EnumDatabaseFailure::Other},
    // Amounts that cannot be stored as given.
    {"UpdatePersonOffering", [](Manager& m, int32_t, int32_t, int32_t) { return m.UpdatePersonOffering(Offering("")); },
     EnumDatabaseFailure::AmountMissing},
    {"UpdatePersonOffering",
     [](Manager& m, int32_t, int32_t, int32_t) { return m.UpdatePersonOffering(Offering("0.00005")); },
     EnumDatabaseFailure::AmountDecimals},
    {"UpdatePersonOffering",
     [](Manager& m, int32_t, int32_t, int32_t) { return m.UpdatePersonOffering(Offering(0.00005)); },
     EnumDatabaseFailure::AmountDecimals},
    {"UpdatePersonOffering",
     [](Manager& m, int32_t, int32_t, int32_t) { return m.UpdatePersonOffering(Offering("12 dollars")); },
     EnumDatabaseFailure::AmountNotANumber},
    {"UpdateExpense",
     [](Manager& m, int32_t, int32_t, int32_t) {
         return m.UpdateExpense(Record({{"ID", 0},
                                        {"ExpenseName", "Paper"},
                                        {"ExpenseTypeID", 1},
                                        {"ExpenseDate", "2024-03-05"},
                                        {"Amount", "-1000000000"}}));
     },
     EnumDatabaseFailure::AmountOutOfRange},
};

TEST_F(RefusalTest, EveryMinusOneIsLoggedByItsMemberWithItsCauseAndChangesNothing) {
    for (const RefusalCase& c : kRefusals) {
        const QString member = QStringLiteral("IDatabaseManager_%1()").arg(QLatin1String(c.member));
        SCOPED_TRACE(member.toStdString());
        const int version = DataVersion();
        EXPECT_EQ(c.call(*db, m_person, m_family, m_admin), -1);
        EXPECT_EQ(TakeFailedMembers(), QStringList{member});
        EXPECT_EQ(db->LastFailure(), c.cause);
        EXPECT_EQ(DataVersion(), version);
    }
    // Nothing of it reached the file: the administrator, the person and the family are as they were.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"User\" WHERE IsAdmin=1 AND IsEnabled=1"), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE IsDeleted=0"), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily") + Count("SELECT COUNT(*) FROM PersonOffering") +
                  Count("SELECT COUNT(*) FROM Expense"),
              0);
}

} // namespace
} // namespace test
