#include "reports/Criteria.h"

#include "platform/data/Variant.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using amb::reports::MemberFilters;
using platform::MakeDateTime;
using platform::Recordset;
using platform::Variant;

const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);

// Member rows as the member list's data set has them.
platform::RecordsetPtr Members(std::vector<Recordset::Row> rows) {
    return std::make_shared<Recordset>(QStringList{"LastName", "MemberClassification", "MemberStatus", "Sex",
                                                   "MaritalStatus", "IsBaptized", "IsMember"},
                                       std::move(rows));
}

TEST(CriteriaTest, DateRangesUseTheLocalesSeparatorAndTwoDigitYears) {
    const QDateTime start = MakeDateTime(2005, 1, 3), end = MakeDateTime(2005, 3, 31);
    EXPECT_EQ(amb::reports::DateRangeText(start, end, kUnitedStates), "Date range: 1/3/05-3/31/05");
    EXPECT_EQ(amb::reports::DateRangeText(start, end, QLocale(QLocale::German, QLocale::Germany)),
              "Date range: 1.3.05-3.31.05");
    // A date the caller did not give arrives as 1 January 1900.
    EXPECT_EQ(amb::reports::DateRangeText(MakeDateTime(1900, 1, 1), MakeDateTime(1900, 1, 1), kUnitedStates),
              "Date range: 1/1/00-1/1/00");
    EXPECT_EQ(amb::reports::CriteriaDate(MakeDateTime(2010, 12, 9), kUnitedStates), "12/9/10");
}

TEST(CriteriaTest, ItemsStandInTheirFixedOrderJoinedBySemicolons) {
    QLocale::setDefault(kUnitedStates);
    const Recordset expense({"ExpenseTypeName"}, {{"Utilities"}});
    EXPECT_EQ(amb::reports::ExpenseListCriteria(MakeDateTime(2005, 1, 3), MakeDateTime(2005, 3, 31), 4, expense),
              "Date range: 1/3/05-3/31/05; Expense type: Utilities");
    EXPECT_EQ(amb::reports::ExpenseListCriteria(MakeDateTime(2005, 1, 3), MakeDateTime(2005, 3, 31), 0, expense),
              "Date range: 1/3/05-3/31/05");

    const Recordset offering({"OfferingTypeName", "FirstName", "MiddleName", "LastName", "Suffix", "LanguageName"},
                             {{"Tithe", "Ann", Variant::Null(), "O'Neil", "Jr.", QStringLiteral("오닐")}});
    const Recordset nameless({"OfferingTypeName", "FirstName", "MiddleName", "LastName", "Suffix", "LanguageName"},
                             {{"Tithe", "", "", "", "", QStringLiteral("김철수")}});
    // The giver by the display name of the name locale, as the report's rows name it.
    const std::tuple<const Recordset*, amb::EnumSupportedLocaleID, QString> givers[] = {
        {&offering, amb::EnumSupportedLocaleID::English, "O'Neil, Ann Jr."},
        {&offering, amb::EnumSupportedLocaleID::Korean, QStringLiteral("오닐")},
        {&nameless, amb::EnumSupportedLocaleID::English, QStringLiteral("김철수")},
    };
    for (const auto& [rows, locale, giver] : givers)
        EXPECT_EQ(
            amb::reports::OfferingListCriteria(MakeDateTime(2005, 1, 3), MakeDateTime(2005, 1, 3), 1, 7, *rows, locale),
            "Date range: 1/3/05-1/3/05; Offering type: Tithe; Member: " + giver);

    struct Case {
        std::function<void(MemberFilters&)> set;
        const char* expected;
    };
    const auto member = Members({{"Lee", "Adult", "Active", "Female", "Married", true, false}});
    const Case cases[] = {
        {[](MemberFilters&) {}, ""},
        {[](MemberFilters& f) { f.classification = 2; }, "Classification: Adult"},
        {[](MemberFilters& f) { f.ageClassification = 3; }, ""},
        {[](MemberFilters& f) { f.sex = 2, f.city = "Spokane", f.zipCode = "99201"; },
         "Sex: Female; City: Spokane; Zip code: 99201"},
        {[](MemberFilters& f) { f = {2, 0, 1, 2, 1, 1, 1, "A", "WA", "1"}; },
         "Classification: Adult; Status: Active; Sex: Female; Marital status: Married; Baptized: True; "
         "Registerd Member: True; City: A; State: WA; Zip code: 1"},
        // The chosen membership is shown, not the first row's.
        {[](MemberFilters& f) { f.isMember = -1; }, "Registerd Member: False"},
        {[](MemberFilters& f) { f.state = "WA"; }, "State: WA"},
    };
    for (const Case& c : cases) {
        MemberFilters filters;
        c.set(filters);
        EXPECT_EQ(amb::reports::MemberListCriteria(filters, *member), c.expected);
    }

    EXPECT_EQ(amb::reports::GroupListCriteria(6, Recordset({"GroupType"}, {{"Choir"}})), "Group type: Choir");
    EXPECT_EQ(amb::reports::GroupListCriteria(0, Recordset({"GroupType"}, {{"Choir"}})), "");
    EXPECT_EQ(amb::reports::PlaceCriteria("", "", "99201"), "Zip code: 99201");
    EXPECT_EQ(amb::reports::BirthdayListCriteria(0, kUnitedStates), "");
    EXPECT_EQ(amb::reports::BirthdayListCriteria(3, kUnitedStates), "Date: March");
    EXPECT_EQ(amb::reports::BirthdayListCriteria(13, kUnitedStates), "");
    QLocale::setDefault(QLocale::c());
}

TEST(CriteriaTest, TheMembershipFilterKeepsOnlyTheChosenRows) {
    auto rows = Members({{"Lee", "", "", "", "", false, true},
                         {"Kim", "", "", "", "", false, false},
                         {"Park", "", "", "", "", false, Variant::Null()},
                         {"Cho", "", "", "", "", false, 1}});
    auto lastNames = [](const platform::RecordsetPtr& set) {
        QStringList names;
        for (int row = 0; set && row < set->RecordCount(); ++row)
            names << set->Value(row, 0).ToString();
        return names;
    };
    EXPECT_EQ(amb::reports::FilterByMembership(rows, 0), rows);
    EXPECT_EQ(lastNames(amb::reports::FilterByMembership(rows, 1)), (QStringList{"Lee", "Cho"}));
    EXPECT_EQ(lastNames(amb::reports::FilterByMembership(rows, -1)), (QStringList{"Kim", "Park"}));
    // A filtered set starts at its first row, as a queried one does.
    EXPECT_EQ(amb::reports::FilterByMembership(rows, -1)->Field("LastName").ToString(), "Kim");

    auto members = Members({{"Lee", "", "", "", "", false, true}});
    EXPECT_EQ(amb::reports::FilterByMembership(members, -1), nullptr);
}

} // namespace
