#include "tests/support/AccessibleNames.h"
#include "platform/data/Clock.h"
#include "tests/support/DatabaseWindowTest.h"
#include "windows/WindowEntries.h"

#include <QDialog>

#include <algorithm>
#include <functional>
#include <string_view>

// A screen reader reads a control by its accessible name and finds a box's label through the Label
// relation. Every window the loader opens is walked page by page in both interface languages.

namespace {

using amb::EnumOfferingWindowType;
using amb::EnumSearchWindowType;
using amb::EnumWindowType;
using Locale = amb::EnumSupportedLocaleID;

// The records the windows open on.
struct Records {
    int32_t person;
    int32_t family;
    int32_t group;
    int32_t offering;
    int32_t expense;
    int32_t user;
};

struct Opening {
    std::string_view entry;
    std::function<void(amb::IWindowLoader&, const Records&)> open;
};

// clang-format off
const Opening kOpenings[] = {
    {"ShowBatchOfferingWindow",  [](amb::IWindowLoader& l, const Records&) { l.ShowBatchOfferingWindow(); }},
    {"ShowBatchExpenseWindow",   [](amb::IWindowLoader& l, const Records&) { l.ShowBatchExpenseWindow(); }},
    {"ShowOfferingWindow",       [](amb::IWindowLoader& l, const Records& r) { l.ShowOfferingWindow(r.offering, EnumOfferingWindowType::Individual); }},
    {"ShowExpenseWindow",        [](amb::IWindowLoader& l, const Records& r) { l.ShowExpenseWindow(r.expense, EnumOfferingWindowType::Individual); }},
    {"ShowFamilyWindow",         [](amb::IWindowLoader& l, const Records& r) { l.ShowFamilyWindow(r.family); }},
    {"ShowGroupWindow",          [](amb::IWindowLoader& l, const Records& r) { l.ShowGroupWindow(r.group); }},
    {"ShowOptionWindow",         [](amb::IWindowLoader& l, const Records&) { l.ShowOptionWindow(); }},
    {"ShowPersonWindow",         [](amb::IWindowLoader& l, const Records& r) { l.ShowPersonWindow(r.person); }},
    {"ShowReportWindow",         [](amb::IWindowLoader& l, const Records&) { l.ShowReportWindow(); }},
    {"ShowListWindow",           [](amb::IWindowLoader& l, const Records&) { l.ShowListWindow(EnumWindowType::User); }},
    {"ShowLogInWindow",          [](amb::IWindowLoader& l, const Records&) { l.ShowLogInWindow(); }},
    {"ShowChangePasswordWindow", [](amb::IWindowLoader& l, const Records&) { l.ShowChangePasswordWindow("ADMIN", ""); }},
    {"ShowUserWindow",           [](amb::IWindowLoader& l, const Records& r) { l.ShowUserWindow(r.user); }},
    {"ShowNameWindow",           [](amb::IWindowLoader& l, const Records&) { l.ShowNameWindow(EnumWindowType::MaritalStatus, 0); }},
    {"ShowSearchWindow",         [](amb::IWindowLoader& l, const Records&) { l.ShowSearchWindow(EnumSearchWindowType::PersonSearch, 0); }},
};
// clang-format on

// Controls that are not read as boxes of their own.
const test::UnnamedControl kUnnamed[] = {
    // The tick box in front of these dates is their label ("Baptized", "Member"): a reader announces the
    // tick box with its caption, and the date part carries the same name, but Qt's Label relation is
    // for a QLabel only.
    {"dtpBaptized", "labelled by the tick box chkIsBaptized, whose caption names it"},
    {"dtpJoined", "labelled by the tick box chkIsMember, whose caption names it"},
};

class AccessibleNamesTest : public test::DatabaseWindowTest, public ::testing::WithParamInterface<Locale> {
protected:
    AccessibleNamesTest()
        : DatabaseWindowTest(GetParam(), GetParam() == Locale::Korean ? 1042 : 1033),
          m_clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0))) {
        m_hub->SetCurrentUserID(1);
    }

    Records Fill() {
        Records r{};
        r.person = NewPerson(QStringLiteral("Park"), QStringLiteral("Mina"), QStringLiteral("박민아"));
        r.family = NewFamily(QStringLiteral("Park family"), r.person);
        r.group = NewGroup(QStringLiteral("Choir"), r.person);
        r.offering =
            NewOffering(r.person, 1, QDateTime(QDate(2026, 12, 6), QTime(0, 0)), platform::Currency::FromTicks(100000));
        r.expense = db->UpdateExpense(test::Record({{"ID", 0},
                                                    {"ExpenseName", QStringLiteral("Flowers")},
                                                    {"ExpenseTypeID", 1},
                                                    {"ExpenseDate", QDateTime(QDate(2026, 12, 6), QTime(0, 0))},
                                                    {"Amount", platform::Currency::FromTicks(50000)}}));
        r.user = db->UpdateUser(test::Record({{"ID", 0},
                                              {"Username", QStringLiteral("ADMIN")},
                                              {"Password", QStringLiteral("pw")},
                                              {"Name", QStringLiteral("Admin")},
                                              {"EMailAddress", QString()},
                                              {"IsAdmin", true},
                                              {"IsEnabled", true}}));
        return r;
    }

    platform::ClockScope m_clock;
};

TEST_P(AccessibleNamesTest, EveryControlOfEveryWindowIsNamedAfterItsLabelOrCaption) {
    const Records records = Fill();
    for (const amb::WindowEntryInfo& info : amb::kWindowEntries) {
        const auto opening = std::find_if(std::begin(kOpenings), std::end(kOpenings),
                                          [&](const Opening& o) { return o.entry == info.entry; });
        ASSERT_NE(opening, std::end(kOpenings)) << "the test cannot open " << info.entry;
        QStringList problems;
        int shown = 0;
        test::ModalScript script([&](QDialog& dialog) {
            if (shown++ > 0)
                return;
            test::DumpAccessibleTree(
                dialog, QString::fromLatin1(info.entry.data(), qsizetype(info.entry.size())) +
                            (GetParam() == Locale::Korean ? QStringLiteral("-1042") : QStringLiteral("-1033")));
            problems = test::AccessibleNameProblemsOnEveryPage(dialog, kUnnamed);
            problems << test::TabReachedNameProblems(dialog, kUnnamed);
        });
        opening->open(*m_loader, records);
        EXPECT_GE(shown, 1) << info.entry << " showed no window";
        EXPECT_TRUE(problems.isEmpty()) << info.entry << ":\n" << problems.join(QLatin1Char('\n')).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessibleNamesTest, ::testing::Values(Locale::English, Locale::Korean),
                         [](const ::testing::TestParamInfo<Locale>& info) {
                             return info.param == Locale::Korean ? std::string("Korean") : std::string("English");
                         });

} // namespace
