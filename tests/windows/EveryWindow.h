#pragma once

// Every window the loader opens, each on a record of its own kind, in either interface language.

#include "platform/data/Clock.h"
#include "tests/support/DatabaseWindowTest.h"
#include "windows/WindowEntries.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

namespace test {

// The records the windows open on.
struct WindowRecords {
    int32_t person;
    int32_t family;
    int32_t group;
    int32_t offering;
    int32_t expense;
    int32_t user;
};

struct WindowOpening {
    std::string_view entry;
    std::function<void(amb::IWindowLoader&, const WindowRecords&)> open;
};

// clang-format off
inline const WindowOpening kWindowOpenings[] = {
    {"ShowBatchOfferingWindow",  [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowBatchOfferingWindow(); }},
    {"ShowBatchExpenseWindow",   [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowBatchExpenseWindow(); }},
    {"ShowOfferingWindow",       [](amb::IWindowLoader& l, const WindowRecords& r) { l.ShowOfferingWindow(r.offering, amb::EnumOfferingWindowType::Individual); }},
    {"ShowExpenseWindow",        [](amb::IWindowLoader& l, const WindowRecords& r) { l.ShowExpenseWindow(r.expense, amb::EnumOfferingWindowType::Individual); }},
    {"ShowFamilyWindow",         [](amb::IWindowLoader& l, const WindowRecords& r) { l.ShowFamilyWindow(r.family); }},
    {"ShowGroupWindow",          [](amb::IWindowLoader& l, const WindowRecords& r) { l.ShowGroupWindow(r.group); }},
    {"ShowOptionWindow",         [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowOptionWindow(); }},
    {"ShowPersonWindow",         [](amb::IWindowLoader& l, const WindowRecords& r) { l.ShowPersonWindow(r.person); }},
    {"ShowReportWindow",         [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowReportWindow(); }},
    {"ShowListWindow",           [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowListWindow(amb::EnumWindowType::User); }},
    {"ShowLogInWindow",          [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowLogInWindow(); }},
    {"ShowChangePasswordWindow", [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowChangePasswordWindow("ADMIN", ""); }},
    {"ShowUserWindow",           [](amb::IWindowLoader& l, const WindowRecords& r) { l.ShowUserWindow(r.user); }},
    {"ShowNameWindow",           [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowNameWindow(amb::EnumWindowType::MaritalStatus, 0); }},
    {"ShowSearchWindow",         [](amb::IWindowLoader& l, const WindowRecords&) { l.ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0); }},
};
// clang-format on

// The two interface languages, named in the test names.
inline const auto kBothLanguages =
    ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean);
inline std::string LanguageName(const ::testing::TestParamInfo<amb::EnumSupportedLocaleID>& info) {
    return info.param == amb::EnumSupportedLocaleID::Korean ? "Korean" : "English";
}

// A test run once in each interface language over every window of the loader's table.
class EveryWindowTest : public DatabaseWindowTest, public ::testing::WithParamInterface<amb::EnumSupportedLocaleID> {
protected:
    EveryWindowTest()
        : DatabaseWindowTest(GetParam(), Korean() ? 1042 : 1033), m_clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0))) {
        m_hub->SetCurrentUserID(1);
    }

    static bool Korean() { return GetParam() == amb::EnumSupportedLocaleID::Korean; }

    // Stores a record of each kind the windows open on.
    WindowRecords FillRecords() {
        WindowRecords r{};
        r.person = NewPerson(QStringLiteral("Park"), QStringLiteral("Mina"), QStringLiteral("박민아"));
        r.family = NewFamily(QStringLiteral("Park family"), r.person);
        r.group = NewGroup(QStringLiteral("Choir"), r.person);
        r.offering =
            NewOffering(r.person, 1, QDateTime(QDate(2026, 12, 6), QTime(0, 0)), platform::Currency::FromTicks(100000));
        r.expense = db->UpdateExpense(Record({{"ID", 0},
                                              {"ExpenseName", QStringLiteral("Flowers")},
                                              {"ExpenseTypeID", 1},
                                              {"ExpenseDate", QDateTime(QDate(2026, 12, 6), QTime(0, 0))},
                                              {"Amount", platform::Currency::FromTicks(50000)}}));
        r.user = db->UpdateUser(Record({{"ID", 0},
                                        {"Username", QStringLiteral("ADMIN")},
                                        {"Password", QStringLiteral("pw")},
                                        {"Name", QStringLiteral("Admin")},
                                        {"EMailAddress", QString()},
                                        {"IsAdmin", true},
                                        {"IsEnabled", true}}));
        return r;
    }

    // Opens the window of a loader entry on its record; the test's modal script meets it.
    void Open(const amb::WindowEntryInfo& info, const WindowRecords& records) {
        const auto opening = std::find_if(std::begin(kWindowOpenings), std::end(kWindowOpenings),
                                          [&](const WindowOpening& o) { return o.entry == info.entry; });
        ASSERT_NE(opening, std::end(kWindowOpenings)) << "the test cannot open " << info.entry;
        opening->open(*m_loader, records);
    }

    platform::ClockScope m_clock;
};

} // namespace test
