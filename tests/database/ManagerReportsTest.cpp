#include "tests/database/DatabaseFixture.h"

using platform::Currency;
using platform::Dictionary;
using platform::Variant;
using test::Column;

namespace {

platform::DictionaryPtr Record(std::initializer_list<std::pair<QString, Variant>> items) {
    return std::make_shared<Dictionary>(items);
}

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
        dict->SetItem(QStringLiteral("MemberClassificationID"), classification);
        dict->SetItem(QStringLiteral("MemberStatusID"), status);
        dict->SetItem(QStringLiteral("SexID"), sex);
        dict->SetItem(QStringLiteral("MaritalStatusID"), marital);
        dict->SetItem(QStringLiteral("IsBaptized"), baptized);
        dict->SetItem(QStringLiteral("DOB"), dob);
        const int32_t id = db->UpdatePerson(dict);
        raw->Execute(
            QStringLiteral("UPDATE PersonAddress SET AddressPart1='1 Main', AddressPart3=?, AddressPart4='WA', "
                           "AddressPart5='99201' WHERE PersonID=? AND IsHomeAddress=1"),
            {city, id});
        return id;
    }
};

} // namespace

TEST_F(ReportTest, TheCatalogueNamesEveryReportOfTheReportWindow) {
    // Internal name, option layout and mailing-label flag of every report the printer dispatches on.
    const std::vector<std::tuple<QString, int, bool>> expected = {{"Balance Sheet", 5, false},
                                                                  {"Envelop Code List", 3, false},
                                                                  {"Expense List", 0, false},
                                                                  {"Expense Summary", 5, false},
                                                                  {"Family Contact List", 1, false},
                                                                  {"Family Contact List - Column View", 1, false},
                                                                  {"Family Mailing Label - Avery 5160", 1, true},
                                                                  {"Family Mailing Label - Avery 5260", 1, true},
                                                                  {"Group Contact List", 2, false},
                                                                  {"Group Contact List - Column View", 2, false},
                                                                  {"Group Mailing Label - Avery 5160", 2, true},
                                                                  {"Group Mailing Label - Avery 5260", 2, true},
                                                                  {"Member Contact List", 3, false},
                                                                  {"Member Contact List - Column View", 3, false},
                                                                  {"Member Mailing Label - Avery 5160", 3, true},
                                                                  {"Member Mailing Label - Avery 5260", 3, true},
                                                                  {"Monthly Birthday List", 6, false},
                                                                  {"Offering List", 4, false},
                                                                  {"Offering Summary", 5, false}};
    for (const auto& [name, option, label] : expected) {
        auto rs = db->GetReportByName(name);
        ASSERT_NE(rs, nullptr) << name.toStdString();
        EXPECT_EQ(rs->RecordCount(), 1);
        EXPECT_EQ(rs->Field(QStringLiteral("OptionIndex")).ToInt(), option) << name.toStdString();
        EXPECT_EQ(rs->Field(QStringLiteral("IsMailingLabel")), Variant(label)) << name.toStdString();
        EXPECT_EQ(rs->Field(QStringLiteral("FileName")).ToString(), name + QStringLiteral(".rpt"));
        auto byId = db->GetReportByID(rs->Field(QStringLiteral("ID")).ToInt());
        EXPECT_EQ(byId->Field(QStringLiteral("InternalName")).ToString(), name);
    }
    EXPECT_EQ(db->GetReportByName(QStringLiteral("balance sheet")), nullptr); // compared exactly
    EXPECT_EQ(db->GetReportByName(QStringLiteral("Balance Sheet ")), nullptr);

    auto list = db->GetLookupReport(static_cast<amb::EnumLookupOption>(0));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->RecordCount(), 19);
    EXPECT_EQ(list->Field(QStringLiteral("Name")).ToString(), QStringLiteral("Balance Sheet"));
    auto withAll = db->GetLookupReport(amb::EnumLookupOption::IncludeAll);
    const QStringList names = Column(withAll, QStringLiteral("Name"));
    EXPECT_EQ(names.size(), 20);
    EXPECT_EQ(names.first(), QStringLiteral("<All>"));
    auto withBlank = db->GetLookupReport(amb::EnumLookupOption::IncludeBlank);
    EXPECT_EQ(withBlank->Field(QStringLiteral("ID")).ToInt(), -998);

    // The catalogue can be edited and pruned.
    const int32_t added = db->UpdateReport(Record(
        {{"ID", 0}, {"Report", "Extra"}, {"InternalName", "Extra"}, {"FileName", "Extra.rpt"}, {"OptionIndex", "2"}}));
    ASSERT_GT(added, 0);
    EXPECT_EQ(db->UpdateReport(Record({{"ID", added},
                                       {"Report", "Extra 2"},
                                       {"InternalName", "Extra"},
                                       {"FileName", "Extra.rpt"},
                                       {"OptionIndex", "x"}})),
              -1);
    EXPECT_EQ(db->GetReportByID(added)->Field(QStringLiteral("Report")).ToString(), QStringLiteral("Extra"));
    EXPECT_EQ(db->DeleteReport(added), 1);
    EXPECT_EQ(db->DeleteReport(added), -1);
}

TEST_F(ReportTest, TheBalanceSheetCountsEveryExpenseAndOfferingInDateOrder) {
    const int32_t giver = NewPerson(QStringLiteral("Giver"));
    Expense(QStringLiteral("Paper"), 5, QStringLiteral("3/5/2024"), QStringLiteral("12.50"));
    Expense(QStringLiteral("Paper"), 5, QStringLiteral("3/5/2024"), QStringLiteral("12.50")); // the same again
    Expense(QStringLiteral("Rent"), 3, QStringLiteral("3/1/2024"), QStringLiteral("1,000.00"));
    Expense(QStringLiteral("Lost type"), 99, QStringLiteral("3/2/2024"), QStringLiteral("1.00"));
    Expense(QStringLiteral("Outside"), 3, QStringLiteral("4/1/2024"), QStringLiteral("5.00"));
    Offering(giver, 1, QStringLiteral("3/3/2024"), QStringLiteral("100.10"));
    Offering(0, 1, QStringLiteral("3/3/2024"), QStringLiteral("0.20"));
    Offering(giver, 2, QStringLiteral("3/3/2024"), QStringLiteral("7.00"));
    Offering(giver, 1, QStringLiteral("3/31/2024"), QStringLiteral("0.05"));

    auto sheet =
        db->GetReportBalanceSheet(platform::MakeDateTime(2024, 3, 1, 15), platform::MakeDateTime(2024, 3, 31, 8));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(Column(sheet, QStringLiteral("Date")),
              (QStringList{"2024-03-01 00:00:00", "2024-03-02 00:00:00", "2024-03-03 00:00:00", "2024-03-03 00:00:00",
                           "2024-03-05 00:00:00", "2024-03-05 00:00:00", "2024-03-31 00:00:00"}));
    EXPECT_EQ(Column(sheet, QStringLiteral("Type")),
              (QStringList{"Rent", "", "Tithe", "Sunday Offering", "Supplies", "Supplies", "Tithe"}));
    EXPECT_EQ(Column(sheet, QStringLiteral("Description")),
              (QStringList{"Rent", "Lost type", "", "", "Paper", "Paper", ""}));
    Currency expenses, offerings;
    for (sheet->MoveFirst(); !sheet->IsEOF(); sheet->MoveNext()) {
        EXPECT_EQ(sheet->Field(QStringLiteral("Date")).GetType(), Variant::Type::Date);
        expenses += sheet->Field(QStringLiteral("ExpenseAmount")).ToCurrency();
        offerings += sheet->Field(QStringLiteral("OfferingAmount")).ToCurrency();
        EXPECT_EQ(sheet->Field(QStringLiteral("OfferingAmount")).GetType(), Variant::Type::Currency);
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
    const int32_t giver = NewPerson(QStringLiteral("Giver"));
    const int32_t other = NewPerson(QStringLiteral("Other"));
    Expense(QStringLiteral("Rent"), 3, QStringLiteral("3/1/2024"), QStringLiteral("10"));
    Expense(QStringLiteral("Paper"), 5, QStringLiteral("3/2/2024"), QStringLiteral("20"));
    Expense(QStringLiteral("Lost type"), 99, QStringLiteral("3/3/2024"), QStringLiteral("30"));
    Offering(giver, 1, QStringLiteral("3/1/2024"), QStringLiteral("1"));
    Offering(other, 2, QStringLiteral("3/2/2024"), QStringLiteral("2"));
    Offering(0, 1, QStringLiteral("3/3/2024"), QStringLiteral("3"));
    const QDateTime start = Day(3, 1), end = Day(3, 31);

    for (int32_t all : {0, -998, -999}) {
        EXPECT_EQ(Column(db->GetReportExpenseList(start, end, all), QStringLiteral("ExpenseName")),
                  (QStringList{"Rent", "Paper"}));
        EXPECT_EQ(Column(db->GetReportOfferingList(start, end, all, all), QStringLiteral("Amount")).size(), 3);
    }
    EXPECT_EQ(Column(db->GetReportExpenseList(start, end, 5), QStringLiteral("ExpenseName")), QStringList{"Paper"});
    EXPECT_EQ(db->GetReportExpenseList(start, end, 4), nullptr);
    // The summary keeps the expense of an unknown type, sorted first.
    EXPECT_EQ(Column(db->GetReportExpenseSummary(start, end), QStringLiteral("ExpenseName")),
              (QStringList{"Lost type", "Rent", "Paper"}));

    EXPECT_EQ(Column(db->GetReportOfferingList(start, end, 1, 0), QStringLiteral("LastName")),
              (QStringList{"Giver", ""}));
    EXPECT_EQ(Column(db->GetReportOfferingList(start, end, 0, other), QStringLiteral("OfferingTypeName")),
              QStringList{"Sunday Offering"});
    EXPECT_EQ(db->GetReportOfferingList(start, end, 2, giver), nullptr);
    EXPECT_EQ(db->GetReportOfferingList(Day(3, 2), Day(3, 2), 0, 0)->RecordCount(), 1);
    auto summary = db->GetReportOfferingSummary(start, end);
    EXPECT_EQ(Column(summary, QStringLiteral("EnvelopCode")).size(), 3);
    EXPECT_EQ(Column(summary, QStringLiteral("OfferingTypeName")), (QStringList{"Sunday Offering", "Tithe", "Tithe"}));
}

TEST_F(ReportTest, MemberDataSetsHonourEveryFilter) {
    // classification, status, sex, marital status, baptized, city
    Member(QStringLiteral("Ann"), 1, 1, 2, 2, true, QStringLiteral("Spokane"), QStringLiteral("3/15/1970"));
    Member(QStringLiteral("Bob"), 2, 3, 1, 1, false, QStringLiteral("Coeur d'Alene"), QStringLiteral("7/1/1980"));
    Member(QStringLiteral("Cho"), 1, 3, 1, 2, true, QStringLiteral("spokane"), QStringLiteral("3/2/1990"));
    const int32_t bare = Member(QStringLiteral("Dee"), 4, 2, 2, 1, false, QString());
    for (const char* table : {"PersonAddress", "PersonPhoneNumber", "PersonEMailAddress"})
        raw->Execute(QStringLiteral("DELETE FROM %1 WHERE PersonID=?").arg(QLatin1String(table)), {bare});
    const int32_t gone = Member(QStringLiteral("Eve"), 1, 1, 2, 2, true, QStringLiteral("Spokane"));
    ASSERT_EQ(db->DeletePerson(gone), 1);

    const auto list = [&](int32_t classification, int32_t status, int32_t sex, int32_t marital, int16_t baptized,
                          const QString& city = QString(), const QString& state = QString(),
                          const QString& zip = QString()) {
        return Column(db->GetReportMemberList(classification, 1, status, sex, marital, baptized, city, state, zip),
                      QStringLiteral("LastName"));
    };
    EXPECT_EQ(list(0, 0, 0, 0, 0), (QStringList{"Ann", "Bob", "Cho", "Dee"}));
    EXPECT_EQ(list(-998, -999, -998, -999, 2), (QStringList{"Ann", "Bob", "Cho", "Dee"}));
    EXPECT_EQ(list(1, 0, 0, 0, 0), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 3, 0, 0, 0), (QStringList{"Bob", "Cho"}));
    EXPECT_EQ(list(0, 0, 2, 0, 0), (QStringList{"Ann", "Dee"}));
    EXPECT_EQ(list(0, 0, 0, 2, 0), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 0, 0, 0, 1), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 0, 0, 0, -1), (QStringList{"Bob", "Dee"}));
    EXPECT_EQ(list(0, 0, 0, 0, 0, QStringLiteral("SPOKANE")), (QStringList{"Ann", "Cho"}));
    EXPECT_EQ(list(0, 0, 0, 0, 0, QStringLiteral("Coeur d'Alene"), QStringLiteral("WA"), QStringLiteral("99201")),
              QStringList{"Bob"});
    EXPECT_EQ(list(0, 0, 0, 0, 0, QString(), QString(), QStringLiteral("9920")), QStringList());
    EXPECT_EQ(list(1, 3, 1, 2, 1, QStringLiteral("Spokane")), QStringList{"Cho"});
    auto row = db->GetReportMemberList(1, 0, 1, 0, 0, 0, QString(), QString(), QString());
    EXPECT_EQ(row->Field(QStringLiteral("MemberStatus")).ToString(), QStringLiteral("Active"));
    EXPECT_EQ(row->Field(QStringLiteral("Sex")).ToString(), QStringLiteral("Female"));
    EXPECT_EQ(row->Field(QStringLiteral("AddressPart3")).ToString(), QStringLiteral("Spokane"));

    // Labels: one per address row of the named kind, or of every kind without a name.
    const auto labels = [&](const QString& addressName, const QString& city = QString()) {
        return Column(db->GetReportMemberMailingLabel(0, 0, 0, 0, 0, 0, city, QString(), QString(), addressName),
                      QStringLiteral("LastName"));
    };
    EXPECT_EQ(labels(QStringLiteral("Home")), (QStringList{"Ann", "Bob", "Cho"}));
    EXPECT_EQ(labels(QString()), (QStringList{"Ann", "Ann", "Bob", "Bob", "Cho", "Cho", "Dee"}));
    EXPECT_EQ(labels(QStringLiteral("Home"), QStringLiteral("Coeur d'Alene")), QStringList{"Bob"});
    EXPECT_EQ(
        db->GetReportMemberMailingLabel(0, 0, 0, 0, 0, 1, QString(), QString(), QString(), QStringLiteral("Work'")),
        nullptr);

    // Birthdays: the month's persons by day; without a month everyone, those without a date first.
    EXPECT_EQ(Column(db->GetReportMonthlyBirthdayList(3), QStringLiteral("LastName")), (QStringList{"Cho", "Ann"}));
    EXPECT_EQ(Column(db->GetReportMonthlyBirthdayList(3), QStringLiteral("Day")), (QStringList{"2", "15"}));
    EXPECT_EQ(Column(db->GetReportMonthlyBirthdayList(0), QStringLiteral("LastName")),
              (QStringList{"Dee", "Cho", "Ann", "Bob"}));
    EXPECT_EQ(db->GetReportMonthlyBirthdayList(12), nullptr);
    EXPECT_TRUE(TakeFailures().isEmpty());
}

TEST_F(ReportTest, FamilyAndGroupDataSetsListEachHeadOnce) {
    const int32_t ann = Member(QStringLiteral("Ann"), 1, 1, 2, 2, true, QStringLiteral("Spokane"));
    const int32_t bob = Member(QStringLiteral("Bob"), 1, 1, 1, 2, true, QStringLiteral("Tacoma"));
    const int32_t bare = NewPerson(QStringLiteral("Cy"));
    for (const char* table : {"PersonAddress", "PersonPhoneNumber", "PersonEMailAddress"})
        raw->Execute(QStringLiteral("DELETE FROM %1 WHERE PersonID=?").arg(QLatin1String(table)), {bare});
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
    family(QStringLiteral("B Family"), bob, ann);
    family(QStringLiteral("A Family"), ann, 0);
    family(QStringLiteral("C Family"), bare, 0);
    db->UpdateFamily(Record({{"ID", 0}, {"Name", "Headless"}}));

    EXPECT_EQ(Column(db->GetReportFamilyList(QString(), QString(), QString()), QStringLiteral("Name")),
              (QStringList{"A Family", "B Family", "C Family"}));
    EXPECT_EQ(
        Column(db->GetReportFamilyList(QStringLiteral("tacoma"), QString(), QString()), QStringLiteral("LastName")),
        QStringList{"Bob"});
    EXPECT_EQ(db->GetReportFamilyList(QString(), QStringLiteral("OR"), QString()), nullptr);
    EXPECT_EQ(Column(db->GetReportFamilyMailingLabel(QString(), QStringLiteral("WA"), QStringLiteral("99201")),
                     QStringLiteral("LastName")),
              (QStringList{"Ann", "Bob"}));
    EXPECT_EQ(Column(db->GetReportFamilyMailingLabel(QString(), QString(), QString()), QStringLiteral("LastName")),
              (QStringList{"Ann", "Bob", "Cy"}));

    const auto group = [&](const QString& name, int32_t type, int32_t head) {
        const int32_t id = db->UpdateGroup(Record({{"ID", 0}, {"GroupTypeID", type}, {"Name", name}}));
        db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", head}, {"GroupID", id}, {"IsHeadOfGroup", true}}));
        return id;
    };
    group(QStringLiteral("Tenors"), 2, ann);
    group(QStringLiteral("Cell 1"), 1, bob);
    group(QStringLiteral("Cell 2"), 1, bare);
    for (int32_t all : {0, -998, -999})
        EXPECT_EQ(Column(db->GetReportGroupList(all), QStringLiteral("Name")),
                  (QStringList{"Cell 1", "Cell 2", "Tenors"}));
    EXPECT_EQ(Column(db->GetReportGroupList(2), QStringLiteral("HomePhoneNumber")).size(), 1);
    EXPECT_EQ(Column(db->GetReportGroupMailingLabel(1), QStringLiteral("AddressPart3")), (QStringList{"Tacoma", ""}));
    EXPECT_EQ(db->GetReportGroupMailingLabel(5), nullptr);
}
