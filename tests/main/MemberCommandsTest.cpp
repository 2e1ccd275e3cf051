#include "tests/main/MainFormFixture.h"

#include <QDateTimeEdit>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace test {
namespace {

// Every New entry opens its window.
TEST_F(MainFormTest, AfterLogInEveryNewEntryIsOn) {
    OpenWindow();
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    LogIn(false);
    SearchFor("kim");
    QTreeWidget* list = m_form->lstvwData;
    ASSERT_GT(list->topLevelItemCount(), 0);
    // The arrow keys choose a row.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Up);
    ASSERT_TRUE(list->topLevelItem(0)->isSelected());

    // Opening the File menu sets its entries.
    m_form->mnuFile->popup(m_form->mapToGlobal(QPoint(0, 0)));
    EXPECT_TRUE(m_form->mnuFileNewMember->isEnabled());
    EXPECT_TRUE(m_form->mnuFileOpen->isEnabled());
    for (QAction* on :
         {m_form->mnuFileNewFamily, m_form->mnuFileNewGroup, m_form->mnuFileNewOffering, m_form->mnuFileNewExpense})
        EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
    m_form->mnuFile->hide();

    EXPECT_TRUE(m_form->tbarMainButtons[3]->isEnabled()); // New
    EXPECT_TRUE(m_form->tbarMainButtons[4]->isEnabled()); // Open
    for (QAction* entry : m_form->tbarMainAddNewMenu->actions()) {
        if (entry->isSeparator())
            continue;
        EXPECT_TRUE(entry->isEnabled()) << entry->objectName().toStdString();
    }

    auto* addNew = m_form->findChild<QToolButton*>("tbarMainAddNew");
    ASSERT_NE(addNew, nullptr);
    QTest::mouseClick(addNew, Qt::LeftButton, {}, QPoint(6, addNew->height() / 2));
    EXPECT_EQ(m_loader->calls.last(), "ShowPersonWindow(0,0,0)");
    // Enter on a person row opens it.
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(m_loader->calls.last().startsWith("ShowPersonWindow(")) << m_loader->calls.last().toStdString();
    EXPECT_NE(m_loader->calls.last(), "ShowPersonWindow(0,0,0)");
}

// A record saved through New shows in the tree's counts at once; a cancelled window reads nothing.
TEST_F(MainFormTest, NewRecordsUpdateTheTreeCounts) {
    OpenWindow();
    LogIn(false);
    const auto nodeText = [&](const char* key) {
        for (QTreeWidgetItemIterator it(m_form->trvwIcon); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == QLatin1String(key))
                return (*it)->text(0);
        return QString();
    };
    const QString before = nodeText("Member");
    const int statReads = m_database->calls.count("GetMemberRecordStat");

    m_form->mnuFileNewMember->trigger(); // the window was cancelled
    EXPECT_EQ(m_database->calls.count("GetMemberRecordStat"), statReads);

    m_loader->results["ShowPersonWindow"] = 99;
    FakePerson saved;
    saved.id = 99;
    saved.last = "O'Neil";
    m_database->persons.push_back(saved);
    m_form->mnuFileNewMember->trigger();
    EXPECT_EQ(m_database->calls.count("GetMemberRecordStat"), statReads + 1);
    EXPECT_NE(nodeText("Member"), before);
    EXPECT_TRUE(nodeText("Member").contains(QString::number(m_database->persons.size())))
        << nodeText("Member").toStdString();

    for (const char* entry : {"ShowFamilyWindow", "ShowGroupWindow"})
        m_loader->results[entry] = 7;
    m_form->mnuFileNewFamily->trigger();
    m_form->mnuFileNewGroup->trigger();
    EXPECT_EQ(m_database->calls.count("GetMemberRecordStat"), statReads + 3);
}

// The options window may change the date format; the lists filled afterwards use it.
TEST_F(MainFormTest, ADateFormatChangedInTheOptionsShowsInTheNextSearch) {
    OpenWindow();
    LogIn(true);
    SearchFor("kim");
    EXPECT_TRUE(Rows(m_form->lstvwData).value(0).contains("|3/20/1970|"))
        << Rows(m_form->lstvwData).value(0).toStdString();

    // What the options window writes when the user picks the other format and presses OK.
    m_hub->SetDateFormat("yyyy-m-d");
    m_form->mnuToolsOptions->trigger();
    EXPECT_EQ(m_loader->calls.last(), "ShowOptionWindow()");
    SearchFor("kim");
    EXPECT_TRUE(Rows(m_form->lstvwData).value(0).contains("|1970-3-20|"))
        << Rows(m_form->lstvwData).value(0).toStdString();
    EXPECT_EQ(m_form->dtpStart->displayFormat(), "yyyy-M-d");
}

} // namespace
} // namespace test
