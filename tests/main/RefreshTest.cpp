// A refresh over a damaged db.mdb reads a search that failed again and says so again; one thing the
// user did (a refresh, opening a person) says it once, however many of its reads failed.

#include "tests/main/StartUpFixture.h"

#include "main/Program.h"

#include "common/ResourceIDs.h"
#include "platform/data/Clock.h"
#include "tests/support/DamagedDatabase.h"

#include <QMenu>
#include <QMenuBar>

namespace test {
namespace {

using amb::ambrel::StartUp;

// A double click on a list's first row: a click, then the second press, as the window system sends them.
void DoubleClickFirstRow(QTreeWidget* list) {
    ASSERT_GT(list->topLevelItemCount(), 0);
    const QPoint at(list->columnWidth(0) / 2, list->visualItemRect(list->topLevelItem(0)).center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

struct RefreshCase {
    const char* what;
    const char* table;       // the table whose first page is damaged
    const char* node;        // the kind searched
    bool damagedAfterSearch; // the list was filled from a sound file, damaged under the program after
    bool byMenu;             // View > Refresh clicked instead of F5
};

void PrintTo(const RefreshCase& step, std::ostream* out) {
    *out << step.what;
}

class RefreshTest : public StartUpTest, public ::testing::WithParamInterface<RefreshCase> {};

TEST_P(RefreshTest, ReadsAFailedSearchAgainAndSaysItOnce) {
    const RefreshCase& step = GetParam();
    SCOPED_TRACE(step.what);
    Install(true);
    AddClerkAndPersons();
    // Kim's birthday is in the month shown, so the birthday pane reads the Person table too.
    const platform::ClockScope clock(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    platform::SqliteConnection::Open(Database())->Execute("UPDATE Person SET DOB='1970-03-20 00:00:00' WHERE ID=1");
    if (!step.damagedAfterSearch) {
        ASSERT_TRUE(DamageTableRootPage(Database(), step.table));
    }
    auto mainForm = StartUp();
    ASSERT_NE(mainForm, nullptr);
    mainForm->SetAskOnClose(false);
    LogInAsClerk(*mainForm);
    ASSERT_TRUE(mainForm->IsLoggedIn());
    auto* list = mainForm->findChild<QTreeWidget*>("lstvwData");
    ClickNode(*mainForm, step.node);
    Search(*mainForm, "Kim");
    if (step.damagedAfterSearch) {
        ASSERT_GT(list->topLevelItemCount(), 0);
        ASSERT_TRUE(DamageTableRootPageUnderProgram(Database(), step.table));
    }
    m_messages.Clear();

    if (step.byMenu) {
        auto* view = mainForm->findChild<QMenu*>("mnuView");
        auto* bar = mainForm->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(view->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        const QPoint at = view->actionGeometry(mainForm->findChild<QAction*>("mnuViewRefresh")).center();
        QTest::mouseMove(view, at);
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
    } else {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : mainForm.get(), Qt::Key_F5);
    }
    EXPECT_EQ(m_messages.Texts(), QStringList{EnglishText(amb::res::kMsgDatabaseDamaged)});
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

const RefreshCase kRefreshCases[] = {
    {.what = "F5 after a family search that could not be read",
     .table = "Family",
     .node = "Family",
     .damagedAfterSearch = false,
     .byMenu = false},
    {.what = "View > Refresh after it", .table = "Family", .node = "Family", .damagedAfterSearch = false, .byMenu = true},
    {.what = "F5 over listed members whose table broke since: the birthdays and the list fail",
     .table = "Person",
     .node = "Member",
     .damagedAfterSearch = true,
     .byMenu = false},
};

INSTANTIATE_TEST_SUITE_P(DamagedFile, RefreshTest, ::testing::ValuesIn(kRefreshCases));

// The family's memberships break while its window lists them; the member opened from there cannot
// have his relationship nor his families read: his window says so once as it opens.
TEST_F(StartUpTest, OpeningAPersonOverDamagedMembershipsSaysItOnce) {
    Install(true);
    AddClerkAndPersons();
    auto mainForm = StartUp();
    ASSERT_NE(mainForm, nullptr);
    mainForm->SetAskOnClose(false);
    LogInAsClerk(*mainForm);
    ClickNode(*mainForm, "Family");
    Search(*mainForm, "Kim");
    QStringList atOpening;
    ModalScript windows([&](QDialog& dialog) {
        if (dialog.objectName() == QLatin1String("MemberForm")) {
            atOpening = m_messages.Texts();
            return;
        }
        ASSERT_TRUE(DamageTableRootPageUnderProgram(Database(), "PersonToFamily"));
        m_messages.Clear();
        DoubleClickFirstRow(Child<QTreeWidget>(dialog, "lstvwMember"));
    });
    DoubleClickFirstRow(mainForm->findChild<QTreeWidget*>("lstvwData"));
    EXPECT_EQ(windows.Runs(), 2);
    EXPECT_EQ(atOpening, QStringList{EnglishText(amb::res::kMsgDatabaseDamaged)});
}

} // namespace
} // namespace test
