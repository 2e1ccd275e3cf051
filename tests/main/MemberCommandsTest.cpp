#include "tests/main/MainFormFixture.h"

#include "common/ResourceIDs.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <functional>

namespace test {
namespace {

// A Down and an Enter for the list, queued as keys pressed while the window is busy.
void QueueDownAndEnter(QWidget* list) {
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) {
        QCoreApplication::postEvent(list, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(list, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    }
}

// Every New entry opens its window.
TEST_F(MainFormTest, AfterLogInEveryNewEntryIsOn) {
    OpenWindow();
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    LogIn(false);
    SearchFor("kim");
    QTreeWidget* list = List();
    ASSERT_GT(list->topLevelItemCount(), 0);
    // The arrow keys choose a row.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Up);
    ASSERT_TRUE(list->topLevelItem(0)->isSelected());

    // Opening the File menu sets its entries.
    OpenMenu("mnuFile");
    EXPECT_TRUE(Action("mnuFileNewMember")->isEnabled());
    EXPECT_TRUE(Action("mnuFileOpen")->isEnabled());
    for (QAction* on : {Action("mnuFileNewFamily"), Action("mnuFileNewGroup"), Action("mnuFileNewOffering"),
                        Action("mnuFileNewExpense")})
        EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();

    EXPECT_TRUE(Action("AddNew")->isEnabled()); // New
    EXPECT_TRUE(Action("Open")->isEnabled());   // Open
    for (QAction* entry : Find<QMenu>("tbarMainAddNewMenu")->actions()) {
        if (entry->isSeparator())
            continue;
        EXPECT_TRUE(entry->isEnabled()) << entry->objectName().toStdString();
    }

    auto* addNew = m_form->findChild<QToolButton*>("tbarMainAddNew");
    ASSERT_NE(addNew, nullptr);
    QTest::mouseClick(addNew, Qt::LeftButton, {}, QPoint(6, addNew->height() / 2));
    EXPECT_EQ(m_loader->calls.last(), "ShowPersonWindow(0,0,0)");
    // Enter on a person row opens it.
    ClickRow(list, 0);
    test::PressKeyIn(list, Qt::Key_Return);
    EXPECT_TRUE(m_loader->calls.last().startsWith("ShowPersonWindow(")) << m_loader->calls.last().toStdString();
    EXPECT_NE(m_loader->calls.last(), "ShowPersonWindow(0,0,0)");
}

// Keys pressed while a search runs are dropped, not replayed on the new list; afterwards the first row
// has the focus without being selected, and Enter opens it. The list says what it holds.
TEST_F(MainFormTest, KeysQueuedDuringASearchAreDroppedAndEnterThenOpensTheFirstRow) {
    OpenWindow();
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    LogIn(false);
    QTreeWidget* list = List();
    m_writer->onWrite = [&](const QString& line) {
        if (!line.contains(QStringLiteral("RefreshData()")))
            return;
        m_writer->onWrite = nullptr;
        QueueDownAndEnter(list);
    };
    SearchFor("kim");
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_loader->calls.join(' ').contains("ShowPersonWindow")) << m_loader->calls.join(' ').toStdString();
    const int rows = list->topLevelItemCount();
    ASSERT_GT(rows, 0);
    EXPECT_EQ(list->accessibleName(), Text(amb::res::kLabelMembers) + QStringLiteral(" (%1)").arg(rows));

    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    test::PressKeyIn(list, Qt::Key_Return);
    ASSERT_FALSE(m_loader->calls.isEmpty());
    EXPECT_TRUE(m_loader->calls.last().startsWith("ShowPersonWindow(")) << m_loader->calls.last().toStdString();
    EXPECT_NE(m_loader->calls.last(), "ShowPersonWindow(0,0,0)");
}

// However a search starts (Enter in the box, the search button, F5), a Down and an Enter pressed while
// its query runs are dropped with the busy state: no person opens and no row is chosen afterwards.
TEST_F(MainFormTest, KeysQueuedWhileTheQueryRunsAreDroppedHoweverTheSearchStarts) {
    OpenWindow();
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    LogIn(false);
    QTreeWidget* list = List();
    m_database->whileSearchingPersons = [&] {
        QueueDownAndEnter(list);
    };
    struct Way {
        const char* what;
        std::function<void()> start;
    };
    const Way ways[] = {
        {.what = "Enter in the search box", .start = [&] { SearchFor("kim"); }},
        {.what = "the search button", .start = [&] { ClickSearchButton(); }},
        {.what = "F5", .start = [&] { PressKey(Qt::Key_F5); }},
    };
    for (const Way& way : ways) {
        const int searches = m_database->calls.count("GetPersonBySearchText(kim)");
        way.start();
        QCoreApplication::processEvents();
        EXPECT_EQ(m_database->calls.count("GetPersonBySearchText(kim)"), searches + 1) << way.what;
        EXPECT_GT(list->topLevelItemCount(), 0) << way.what;
        EXPECT_FALSE(m_loader->calls.join(' ').contains("ShowPersonWindow")) << way.what;
        EXPECT_TRUE(list->selectedItems().isEmpty()) << way.what;
    }
}

// A record saved through New shows in the tree's counts at once; a cancelled window reads nothing.
TEST_F(MainFormTest, NewRecordsUpdateTheTreeCounts) {
    OpenWindow();
    LogIn(false);
    const auto nodeText = [&](const char* key) {
        for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == QLatin1String(key))
                return (*it)->text(0);
        return QString();
    };
    const QString before = nodeText("Member");
    const int statReads = m_database->calls.count("GetMemberRecordStat");

    ChooseMenuEntry({"mnuFile", "mnuFileNew", "mnuFileNewMember"}); // the window was cancelled
    EXPECT_EQ(m_database->calls.count("GetMemberRecordStat"), statReads);

    m_loader->results["ShowPersonWindow"] = 99;
    FakePerson saved;
    saved.id = 99;
    saved.last = "O'Neil";
    m_database->persons.push_back(saved);
    ChooseMenuEntry({"mnuFile", "mnuFileNew", "mnuFileNewMember"});
    EXPECT_EQ(m_database->calls.count("GetMemberRecordStat"), statReads + 1);
    EXPECT_NE(nodeText("Member"), before);
    EXPECT_TRUE(nodeText("Member").contains(QString::number(m_database->persons.size())))
        << nodeText("Member").toStdString();

    for (const char* entry : {"ShowFamilyWindow", "ShowGroupWindow"})
        m_loader->results[entry] = 7;
    ChooseMenuEntry({"mnuFile", "mnuFileNew", "mnuFileNewFamily"});
    ChooseMenuEntry({"mnuFile", "mnuFileNew", "mnuFileNewGroup"});
    EXPECT_EQ(m_database->calls.count("GetMemberRecordStat"), statReads + 3);

    // The counts, and the group list, that fail after a new record say that it was saved, once a command.
    m_database->countsUnreadable = true;
    ChooseMenuEntry({"mnuFile", "mnuFileNew", "mnuFileNewMember"});
    ClickNode("Group");
    m_database->groupsUnreadable = true;
    ChooseMenuEntry({"mnuFile", "mnuFileNew", "mnuFileNewGroup"});
    EXPECT_EQ(m_messages.Texts(), QStringList(2, Text(amb::res::kMsgSavedListUnreadable)));
}

// The row commands follow the chosen row and its kind, on the toolbar and in the File menu alike:
// every kind opens and deletes, only persons, families and groups print.
TEST_F(MainFormTest, RowCommandsFollowTheChosenRowAndItsKind) {
    const struct {
        const char* kind;
        const char* searched; // typed into the text box; nullptr: the search button
        bool printable;
    } cases[] = {
        {"Member", "kim", true},      {"Family", "lee", true},     {"Group", nullptr, true},
        {"Offering", nullptr, false}, {"Expense", nullptr, false},
    };
    OpenWindow();
    LogIn(false);
    const auto shown = [&] {
        QStringList on;
        for (const char* key : {"LogInOut", "AddNew", "Open", "Delete", "Print", "Report"})
            if (Action(key)->isEnabled())
                on << key;
        OpenMenu("mnuFile");
        for (const char* entry : {"mnuFileOpen", "mnuFileDelete", "mnuFilePrint"})
            if (Action(entry)->isEnabled())
                on << entry;
        return on.join(QLatin1Char(' '));
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ClickNode(QString::fromLatin1(c.kind));
        if (c.searched)
            SearchFor(QString::fromLatin1(c.searched));
        else
            ClickSearchButton();
        ASSERT_GT(List()->topLevelItemCount(), 0);
        EXPECT_EQ(shown(), "LogInOut AddNew Report");
        ClickRow(List(), 0);
        EXPECT_EQ(shown(), c.printable
                               ? "LogInOut AddNew Open Delete Print Report mnuFileOpen mnuFileDelete mnuFilePrint"
                               : "LogInOut AddNew Open Delete Report mnuFileOpen mnuFileDelete");
    }
}

// The options window may change the date format; the lists filled afterwards use it.
TEST_F(MainFormTest, ADateFormatChangedInTheOptionsShowsInTheNextSearch) {
    OpenWindow();
    LogIn(true);
    SearchFor("kim");
    EXPECT_TRUE(Rows(List()).value(0).contains("|3/20/1970|")) << Rows(List()).value(0).toStdString();

    // What the options window writes when the user picks the other format and presses OK.
    m_hub->SetDateFormat("yyyy-m-d");
    ChooseMenuEntry({"mnuTools", "mnuToolsOptions"});
    EXPECT_EQ(m_loader->calls.last(), "ShowOptionWindow()");
    SearchFor("kim");
    EXPECT_TRUE(Rows(List()).value(0).contains("|1970-3-20|")) << Rows(List()).value(0).toStdString();
    EXPECT_EQ(StartDate()->displayFormat(), "yyyy-M-d");
}

} // namespace
} // namespace test
