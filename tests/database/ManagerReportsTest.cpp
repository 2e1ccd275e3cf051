#include "tests/support/DatabaseTest.h"
#include "tests/support/PersonData.h"

#include <sqlite3.h>

using platform::Currency;
using platform::Dictionary;
using platform::Variant;
using test::Column;
using test::Record;

namespace {

QDateTime Day(int month, int day) {
    return platform::MakeDateTime(2024, month, day);
}

class ReportTest : public test::DatabaseTest {
protected:
    int32_t Expense(const QString& name, int type, const QString& date, const QString& amount) {
        return db->UpdateExpense(Record({{"ID", 0},
                                         {"UserID", 1},
                                         {"ExpenseName", name},
                                         {"ExpenseDate", date},
                                         {"ExpenseTypeID", type},
                                         {"Amount", amount}}));
    }
    int32_t Offering(int32_t person, int type, const QString& date, const QString& amount) {
        return db->UpdatePersonOffering(Record({{"ID", 0},
                                                {"UserID", 1},
                                                {"PersonID", person},
                                                {"OfferingTypeID", type},
                                                {"OfferingDate", date},
                                                {"Amount", amount}}));
    }
    // A person with the given look-up ids and a home address in the city.
    int32_t Member(const QString& last, int classification, int status, int sex, int marital, bool baptized,
                   const QString& city, const QString& dob = QString()) {
        auto dict = Person(last);
        dict->SetItem("MemberClassificationID", classification);
        dict->SetItem("MemberStatusID", status);
        dict->SetItem("SexID", sex);
        dict->SetItem("MaritalStatusID", marital);
        dict->SetItem("IsBaptized", baptized);
        dict->SetItem("DOB", dob);
        const int32_t id = db->UpdatePerson(dict);
        raw->Execute(
            QStringLiteral("UPDATE PersonAddress SET AddressPart1='1 Main', AddressPart3=?, AddressPart4='WA', "
                           "AddressPart5='99201' WHERE PersonID=? AND IsHomeAddress=1"),
            {city, id});
        return id;
    }
};

} // namespace

TEST_F(ReportTest, TheCatalogueNamesTheReportsOfTheReportWindow) {
    // Internal name, option layout and mailing-label flag of reports the printer dispatches on.
    const std::tuple<QString, int, bool> expected[] = {
        {"Balance Sheet", 5, false}, {"Family Mailing Label - Avery 5260", 1, true}, {"Offering List", 4, false}};
    for (const auto& [name, option, label] : expected) {
        auto rs = db->GetReportByName(name);
        ASSERT_NE(rs, nullptr) << name.toStdString();
        EXPECT_EQ(rs->Field("OptionIndex").ToInt(), option) << name.toStdString();
        EXPECT_EQ(rs->Field("IsMailingLabel"), Variant(label)) << name.toStdString();
        EXPECT_EQ(rs->Field("FileName").ToString(), name + ".rpt");
        EXPECT_EQ(test::NotNull(db->GetReportByID(rs->Field("ID").ToInt())).Field("InternalName").ToString(), name);
    }
    EXPECT_EQ(db->GetReportByName("balance sheet"), nullptr); // compared exactly
    EXPECT_EQ(test::NotNull(db->GetLookupReport(amb::EnumLookupOption{0})).RecordCount(), 19);
    EXPECT_EQ(Column(db->GetLookupReport(amb::EnumLookupOption::IncludeAll), "Name").first(), "<All>");

    // The catalogue can be edited and pruned; a bad value changes nothing.
    const int32_t added = db->UpdateReport(Record(
        {{"ID", 0}, {"Report", "Extra"}, {"InternalName", "Extra"}, {"FileName", "Extra.rpt"}, {"OptionIndex", "2"}}));
    ASSERT_GT(added, 0);
    EXPECT_EQ(db->UpdateReport(Record({{"ID", added},
                                       {"Report", "Extra 2"},
                                       {"InternalName", "Extra"},
                                       {"FileName", "Extra.rpt"},
                                       {"OptionIndex", "x"}})),
              -1);
    EXPECT_EQ(test::NotNull(db->GetReportByID(added)).Field("Report").ToString(), "Extra");
    EXPECT_EQ(db->DeleteReport(added), 1);
    EXPECT_EQ(db->DeleteReport(added), -1);
}

TEST_F(ReportTest, TheBalanceSheetCountsEveryExpenseAndOfferingInDateOrder) {
    const int32_t giver = NewPerson("Giver");
    Expense("Paper", 5, "3/5/2024", "12.50");
    Expense("Paper", 5, "3/5/2024", "12.50"); // the same again
    Expense("Rent", 3, "3/1/2024", "1,000.00");
    // A row whose type is not in the list (as an older version could store it) is still counted.
    Expense("Lost type", 5, "3/2/2024", "1.00");
    raw->Execute("UPDATE Expense SET ExpenseTypeID=99 WHERE ExpenseName='Lost type'");
    Expense("Outside", 3, "4/1/2024", "5.00");
    Offering(giver, 1, "3/3/2024", "100.10");
    Offering(0, 1, "3/3/2024", "0.20");
    Offering(giver, 2, "3/3/2024", "7.00");
    Offering(giver, 1, "3/31/2024", "0.05");

    auto sheet =
        db->GetReportBalanceSheet(platform::MakeDateTime(2024, 3, 1, 15), platform::MakeDateTime(2024, 3, 31, 8));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(Column(sheet, "Date"),
              (QStringList{"2024-03-01 00:00:00", "2024-03-02 00:00:00", "2024-03-03 00:00:00", "2024-03-03 00:00:00",
                           "2024-03-05 00:00:00", "2024-03-05 00:00:00", "2024-03-31 00:00:00"}));
    EXPECT_EQ(Column(sheet, "Type"),
              (QStringList{"Rent", "", "Tithe", "Sunday Offering", "Supplies", "Supplies", "Tithe"}));
    EXPECT_EQ(Column(sheet, "Description"), (QStringList{"Rent", "Lost type", "", "", "Paper", "Paper", ""}));
    Currency expenses, offerings;
    for (sheet->MoveFirst(); !sheet->IsEOF(); sheet->MoveNext()) {
        EXPECT_EQ(sheet->Field("Date").GetType(), Variant::Type::Date);
        expenses += sheet->Field("ExpenseAmount").ToCurrency();
        offerings += sheet->Field("OfferingAmount").ToCurrency();
        EXPECT_EQ(sheet->Field("OfferingAmount").GetType(), Variant::Type::Currency);
    }
    EXPECT_EQ(expenses, Currency::FromTicks(10260000)); // 1,000.00 + 1.00 + 12.50 + 12.50
    EXPECT_EQ(offerings, Currency::FromTicks(1073500)); // 100.30 + 7.00 + 0.05

    // A start after the end, or no dates at all, select nothing.
    EXPECT_EQ(db->GetReportBalanceSheet(Day(3, 31), Day(3, 1)), nullptr);
    EXPECT_EQ(db->GetReportBalanceSheet(QDateTime(), QDateTime()), nullptr);
    EXPECT_EQ(db->GetReportBalanceSheet(platform::MakeDateTime(1899, 12, 30), Day(12, 31)), nullptr);
    db->SetReturnEOF(true);
    auto empty = db->GetReportBalanceSheet(Day(3, 31), Day(3, 1));
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->IsEOF());
    EXPECT_TRUE(TakeFailures().isEmpty());
}

TEST_F(ReportTest, MoneyListsHonourTheirFiltersAndTheNoFilterValues) {
    const int32_t giver = NewPerson("Giver");
    const int32_t other = NewPerson("Other");
    Expense("Rent", 3, "3/1/2024", "10");
    Expense("Paper", 5, "3/2/2024", "20");
    Expense("Lost type", 5, "3/3/2024", "30");
    raw->Execute("UPDATE Expense SET ExpenseTypeID=99 WHERE ExpenseName='Lost type'"); // as an older version stored it
    Offering(giver, 1, "3/1/2024", "1");
    Offering(other, 2, "3/2/2024", "2");
    Offering(0, 1, "3/3/2024", "3");
    const QDateTime start = Day(3, 1), end = Day(3, 31);

    for (int32_t all : {0, -998, -999}) {
        EXPECT_EQ(Column(db->GetReportExpenseList(start, end, all), "ExpenseName"), (QStringList{"Rent", "Paper"}));
        EXPECT_EQ(Column(db->GetReportOfferingList(start, end, all, all), "Amount").size(), 3);
    }
    EXPECT_EQ(Column(db->GetReportExpenseList(start, end, 5), "ExpenseName"), QStringList{"Paper"});
    EXPECT_EQ(db->GetReportExpenseList(start, end, 4), nullptr);
    // The summary keeps the expense of an unknown type, sorted first.
    EXPECT_EQ(Column(db->GetReportExpenseSummary(start, end), "ExpenseName"),
              (QStringList{"Lost type", "Rent", "Paper"}));

    EXPECT_EQ(Column(db->GetReportOfferingList(start, end, 1, 0), "LastName"), (QStringList{"Giver", ""}));
    EXPECT_EQ(Column(db->GetReportOfferingList(start, end, 0, other), "OfferingTypeName"),
              QStringList{"Sunday Offering"});
    EXPECT_EQ(db->GetReportOfferingList(start, end, 2, giver), nullptr);
    EXPECT_EQ(test::NotNull(db->GetReportOfferingList(Day(3, 2), Day(3, 2), 0, 0)).RecordCount(), 1);
    auto summary = db->GetReportOfferingSummary(start, end);
    EXPECT_EQ(Column(summary, "EnvelopCode").size(), 3);
    EXPECT_EQ(Column(summary, "OfferingTypeName"), (QStringList{"Sunday Offering", "Tithe", "Tithe"}));
}

TEST_F(ReportTest, MemberDataSetsHonourEveryFilter) {
    // classification, status, sex, marital status, baptized, city
    Member("Ann", 1, 1, 2, 2, true, "Spokane", "3/15/1970");
    Member("Bob", 2, 3, 1, 1, false, "Coeur d'Alene", "7/1/1980");
    Member("Cho", 1, 3, 1, 2, true, "spokane", "3/2/1990");
    const int32_t bare = Member("Dee", 4, 2, 2, 1, false, QString());
    DropContactRows(bare);
    const int32_t gone = Member("Eve", 1, 1, 2, 2, true, "Spokane");
    ASSERT_EQ(db->DeletePerson(gone), 1);

    const auto list = [&](int32_t classification, int32_t status, int32_t sex, int32_t marital, int16_t baptized,
                          const QString& city = QString(), const QString& state = QString(),
                          const QString& zip = QString()) {
        return Column(db->GetReportMemberList(classification, 1, status, sex, marital, baptized, city, state, zip),
                      "LastName");
    };
    EXPECT_EQ(list(0, 0, 0, 0, 0), (QStringList{"Ann", "Bob", "Cho", "Dee"}));
    EXPECT_EQ(list(-998, -999, -998, -999, 2), (QStringList{"Ann", "Bob", "Cho", "Dee"}));
    EXPECT_EQ(list(1, 0, 0, 0, 0), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 3, 0, 0, 0), (QStringList{"Bob", "Cho"}));
    EXPECT_EQ(list(0, 0, 2, 0, 0), (QStringList{"Ann", "Dee"}));
    EXPECT_EQ(list(0, 0, 0, 2, 0), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 0, 0, 0, 1), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 0, 0, 0, -1), (QStringList{"Bob", "Dee"}));
    EXPECT_EQ(list(0, 0, 0, 0, 0, "SPOKANE"), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 0, 0, 0, 0, "Coeur d'Alene", "WA", "99201"), QStringList{"Bob"});
    EXPECT_EQ(list(0, 0, 0, 0, 0, QString(), QString(), "9920"), QStringList());
    EXPECT_EQ(list(1, 3, 1, 2, 1, "Spokane"), QStringList{"Cho"});
    // Each person once, with the first home row: a later home address elsewhere neither shows nor matches.
    const int32_t ann = Column(db->GetPersonBySearchText("Ann"), "ID").first().toInt();
    raw->Execute("INSERT INTO PersonAddress (PersonID, Name, AddressPart1, AddressPart3, IsHomeAddress) "
                 "VALUES (?, 'Home', '0 First', 'Tacoma', 1)",
                 {ann});
    EXPECT_EQ(Column(db->GetReportMemberList(0, 0, 0, 0, 0, 0, QString(), QString(), QString()), "AddressPart1"),
              (QStringList{"1 Main", "1 Main", "1 Main", ""}));
    EXPECT_EQ(list(0, 0, 0, 0, 0, "Tacoma"), QStringList());
    EXPECT_EQ(list(0, 0, 0, 0, 0, "Spokane"), (QStringList{"Ann", "Cho"}));
    raw->Execute("DELETE FROM PersonAddress WHERE AddressPart1='0 First'");
    auto row = db->GetReportMemberList(1, 0, 1, 0, 0, 0, QString(), QString(), QString());
    EXPECT_EQ(row->Field("MemberStatus").ToString(), "Active");
    EXPECT_EQ(row->Field("Sex").ToString(), "Female");
    EXPECT_EQ(row->Field("AddressPart3").ToString(), "Spokane");

    // Labels: one per address row of the named kind, or of every kind without a name.
    const auto labels = [&](const QString& addressName, const QString& city = QString()) {
        return Column(db->GetReportMemberMailingLabel(0, 0, 0, 0, 0, 0, city, QString(), QString(), addressName),
                      "LastName");
    };
    EXPECT_EQ(labels("Home"), (QStringList{"Ann", "Bob", "Cho"}));
    EXPECT_EQ(labels(QString()), (QStringList{"Ann", "Ann", "Bob", "Bob", "Cho", "Cho", "Dee"}));
    EXPECT_EQ(labels("Home", "Coeur d'Alene"), QStringList{"Bob"});
    // Each label carries its person's membership, which the printer's membership filter reads.
    EXPECT_EQ(
        Column(db->GetReportMemberMailingLabel(0, 0, 0, 0, 0, 0, QString(), QString(), QString(), "Home"), "IsMember"),
        Column(db->GetReportMemberList(0, 0, 0, 0, 0, 0, QString(), QString(), QString()), "IsMember").mid(0, 3));
    EXPECT_EQ(db->GetReportMemberMailingLabel(0, 0, 0, 0, 0, 1, QString(), QString(), QString(), "Work'"), nullptr);

    // Birthdays: the month's persons by day; without a month everyone, those without a date first.
    EXPECT_EQ(Column(db->GetReportMonthlyBirthdayList(3), "LastName"), (QStringList{"Cho", "Ann"}));
    EXPECT_EQ(Column(db->GetReportMonthlyBirthdayList(3), "Day"), (QStringList{"2", "15"}));
    EXPECT_EQ(Column(db->GetReportMonthlyBirthdayList(0), "LastName"), (QStringList{"Dee", "Cho", "Ann", "Bob"}));
    EXPECT_EQ(db->GetReportMonthlyBirthdayList(12), nullptr);
    EXPECT_TRUE(TakeFailures().isEmpty());
}

TEST_F(ReportTest, FamilyAndGroupDataSetsListEachHeadOnce) {
    const int32_t ann = Member("Ann", 1, 1, 2, 2, true, "Spokane");
    const int32_t bob = Member("Bob", 1, 1, 1, 2, true, "Tacoma");
    const int32_t bare = NewPerson("Cy");
    DropContactRows(bare);
    // A second home phone row does not list the head twice.
    raw->Execute(QStringLiteral("INSERT INTO PersonPhoneNumber (PersonID, Name, PhoneNumber, IsHomePhoneNumber) VALUES "
                                "(?, 'Home', '2', 1)"),
                 {ann});
    const auto family = [&](const QString& name, int32_t head, int32_t member) {
        const int32_t id = db->UpdateFamily(Record({{"ID", 0}, {"Name", name}}));
        db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", head}, {"FamilyID", id}, {"IsHeadOfFamily", true}}));
        if (member > 0)
            db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", member}, {"FamilyID", id}}));
        return id;
    };
    family("B Family", bob, ann);
    family("A Family", ann, 0);
    family("C Family", bare, 0);
    db->UpdateFamily(Record({{"ID", 0}, {"Name", "Headless"}}));

    EXPECT_EQ(Column(db->GetReportFamilyList(QString(), QString(), QString()), "Name"),
              (QStringList{"A Family", "B Family", "C Family"}));
    EXPECT_EQ(Column(db->GetReportFamilyList("tacoma", QString(), QString()), "LastName"), QStringList{"Bob"});
    EXPECT_EQ(db->GetReportFamilyList(QString(), "OR", QString()), nullptr);
    EXPECT_EQ(Column(db->GetReportFamilyMailingLabel(QString(), "WA", "99201"), "LastName"),
              (QStringList{"Ann", "Bob"}));
    EXPECT_EQ(Column(db->GetReportFamilyMailingLabel(QString(), QString(), QString()), "LastName"),
              (QStringList{"Ann", "Bob", "Cy"}));

    const auto group = [&](const QString& name, int32_t type, int32_t head) {
        const int32_t id = db->UpdateGroup(Record({{"ID", 0}, {"GroupTypeID", type}, {"Name", name}}));
        db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", head}, {"GroupID", id}, {"IsHeadOfGroup", true}}));
        return id;
    };
    group("Tenors", 2, ann);
    group("Cell 1", 1, bob);
    group("Cell 2", 1, bare);
    for (int32_t all : {0, -998, -999})
        EXPECT_EQ(Column(db->GetReportGroupList(all), "Name"), (QStringList{"Cell 1", "Cell 2", "Tenors"}));
    EXPECT_EQ(Column(db->GetReportGroupList(2), "HomePhoneNumber").size(), 1);
    EXPECT_EQ(Column(db->GetReportGroupMailingLabel(1), "AddressPart3"), (QStringList{"Tacoma", ""}));
    EXPECT_EQ(db->GetReportGroupMailingLabel(5), nullptr);
}

// SQLite counts its memory only when told so before its first use, which comes after main begins.
const bool kSqliteCountsMemory = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 1) == SQLITE_OK;

// A report reads every person once, so its query runs with a small page cache, and SQLite sorts in no
// more than that; the lists that follow get their large cache back. Over 20,000 persons the member list
// took some 19 MB of SQLite's memory at its peak with the lists' cache, 8 MB with its own; the lists
// keep over 9 MB of pages once the cache is back, 4 MB when it is not.
TEST_F(ReportTest, AReportQueryKeepsSqlitesMemorySmallAndTheListsGetTheirCacheBack) {
    ASSERT_TRUE(kSqliteCountsMemory);
    raw.reset();
    test::FillDatabase(m_path, 20000);
    const auto megabytes = [](sqlite3_int64 bytes) { return static_cast<double>(bytes) / (1024 * 1024); };
    const sqlite3_int64 before = sqlite3_memory_used();
    sqlite3_memory_highwater(1);
    ASSERT_EQ(test::NotNull(db->GetReportMemberList(0, 0, 0, 0, 0, 0, {}, {}, {})).RecordCount(), 20000);
    EXPECT_LT(megabytes(sqlite3_memory_highwater(1) - before), 12.0);

    // Every person listed twice: the second pass finds its pages in a cache larger than the report's.
    ASSERT_EQ(test::NotNull(db->GetPersonBySearchText(QString())).RecordCount(), 20000);
    ASSERT_EQ(test::NotNull(db->GetPersonBySearchText(QString())).RecordCount(), 20000);
    EXPECT_GT(megabytes(sqlite3_memory_used() - before), 6.5);
}
