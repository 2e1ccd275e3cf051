#include "reports/ReportArguments.h"

#include "common/ReportCatalogue.h"
#include "platform/com/Error.h"
#include "platform/data/Recordset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <span>
#include <vector>

// The report procedures read their values by key: a layout whose keys stand in another order hands
// the same filters to the same places.

namespace {

namespace keys = amb::report_keys;
using amb::ReportKey;
using amb::reports::MemberFilters;
using amb::reports::ReportArguments;
using platform::Variant;

std::vector<ReportKey> Swapped(std::span<const ReportKey> layout, std::string_view a, std::string_view b) {
    std::vector<ReportKey> order(layout.begin(), layout.end());
    const auto first = std::find_if(order.begin(), order.end(), [&](const ReportKey& k) { return k.name == a; });
    const auto second = std::find_if(order.begin(), order.end(), [&](const ReportKey& k) { return k.name == b; });
    EXPECT_TRUE(first != order.end() && second != order.end());
    std::iter_swap(first, second);
    return order;
}

// The member frame as a person leaves it: one sex chosen, no marital status, a city and no zip code,
// so a filter read in the other's place prints under the wrong label.
platform::Dictionary MemberOptions() {
    return platform::Dictionary{{"MemberClassificationID", 2},
                                {"AgeClassificationID", 3},
                                {"MemberStatusID", 0},
                                {"SexID", 2},
                                {"MaritalStatusID", 0},
                                {"IsBaptized", 1},
                                {"IsMember", -1},
                                {"City", "Spokane"},
                                {"State", "WA"},
                                {"ZipCode", ""},
                                {"AddressName", "Home"}};
}

TEST(ReportArgumentsTest, ReorderedMemberKeysStillPrintEachFilterUnderItsOwnLabel) {
    const std::span<const ReportKey> layout = amb::LayoutOf(amb::ReportOptions::Member).keys;
    const std::vector<std::vector<ReportKey>> orders = {
        {layout.begin(), layout.end()},     Swapped(layout, "SexID", "MaritalStatusID"),
        Swapped(layout, "City", "ZipCode"), Swapped(layout, "IsBaptized", "IsMember"),
        {layout.rbegin(), layout.rend()},
    };
    const platform::Recordset firstRow(
        {"LastName", "MemberClassification", "MemberStatus", "Sex", "MaritalStatus", "IsBaptized", "IsMember"},
        {{"Lee", "Adult", "Active", "Female", "Married", true, false}});
    for (const std::vector<ReportKey>& order : orders) {
        SCOPED_TRACE(std::string(order[3].name) + " fourth, " + std::string(order[7].name) + " eighth");
        const ReportArguments args = ReportArguments::Read(MemberOptions(), order);
        const MemberFilters f = amb::reports::MemberFiltersOf(args);
        EXPECT_EQ(f.classification, 2);
        EXPECT_EQ(f.ageClassification, 3);
        EXPECT_EQ(f.memberStatus, 0);
        EXPECT_EQ(f.sex, 2);
        EXPECT_EQ(f.maritalStatus, 0);
        EXPECT_EQ(f.baptized, 1);
        EXPECT_EQ(f.isMember, -1);
        EXPECT_EQ(f.city, "Spokane");
        EXPECT_EQ(f.state, "WA");
        EXPECT_EQ(f.zipCode, "");
        EXPECT_EQ(args.Text(keys::kAddressName), "Home");
        EXPECT_EQ(amb::reports::MemberListCriteria(f, firstRow),
                  "Classification: Adult; Sex: Female; Baptized: True; Registerd Member: False; City: Spokane; "
                  "State: WA");
    }
}

// Every layout read backwards gives each key the value read in the layout's own order.
TEST(ReportArgumentsTest, EveryLayoutReadsTheSameValuesInAnyOrder) {
    for (const amb::ReportLayout& layout : amb::kReportLayouts) {
        SCOPED_TRACE(static_cast<int>(layout.options));
        platform::Dictionary dict;
        int n = 1;
        for (const ReportKey& key : layout.keys) {
            const QString name = QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
            switch (key.value) {
            case amb::ReportValue::Date:
                dict.SetItem(name, platform::MakeDateTime(2005, n, 3));
                break;
            case amb::ReportValue::Text:
                dict.SetItem(name, name.toLower());
                break;
            case amb::ReportValue::Id:
            case amb::ReportValue::Flag:
                dict.SetItem(name, n);
                break;
            }
            ++n;
        }
        const std::vector<ReportKey> backwards(layout.keys.rbegin(), layout.keys.rend());
        const ReportArguments forward = ReportArguments::Read(dict, layout.keys);
        const ReportArguments reversed = ReportArguments::Read(dict, backwards);
        n = 1;
        for (const ReportKey& key : layout.keys) {
            SCOPED_TRACE(std::string(key.name));
            switch (key.value) {
            case amb::ReportValue::Date:
                EXPECT_EQ(reversed.Date(key), platform::MakeDateTime(2005, n, 3));
                EXPECT_EQ(reversed.Date(key), forward.Date(key));
                break;
            case amb::ReportValue::Text:
                EXPECT_EQ(reversed.Text(key),
                          QString::fromLatin1(key.name.data(), qsizetype(key.name.size())).toLower());
                break;
            case amb::ReportValue::Id:
                EXPECT_EQ(reversed.Id(key), n);
                break;
            case amb::ReportValue::Flag:
                EXPECT_EQ(reversed.Flag(key), n);
                break;
            }
            ++n;
        }
    }
}

// A procedure that asks for a key its layout does not hand on, or reads one as another kind, fails
// loudly (the printer's guard turns it into a system error with its log line); so does a flag
// beyond 16 bits.
TEST(ReportArgumentsTest, AKeyNotReadOrReadAsAnotherKindIsAnError) {
    const ReportArguments place =
        ReportArguments::Read(platform::Dictionary{{"City", "Spokane"}, {"State", "WA"}, {"ZipCode", "99201"}},
                              amb::LayoutOf(amb::ReportOptions::Place).keys);
    struct Case {
        const char* what;
        std::function<void()> read;
        int32_t number;
    };
    const Case cases[] = {
        {"a key of another layout", [&] { place.Id(keys::kGroupTypeId); }, platform::ErrorNumber::ItemNotFound},
        {"a text read as a number", [&] { place.Id(keys::kCity); }, platform::ErrorNumber::TypeMismatch},
        {"a flag beyond 16 bits",
         [] {
             ReportArguments::Read(platform::Dictionary{{"IsMember", 40000}}, std::vector<ReportKey>{keys::kIsMember});
         },
         platform::ErrorNumber::Overflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.read();
            ADD_FAILURE() << "no error";
        } catch (const platform::Error& e) {
            EXPECT_EQ(e.Number(), c.number);
        }
    }
    EXPECT_EQ(place.Text(keys::kZipCode), "99201");
}

} // namespace
