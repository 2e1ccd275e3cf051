#include "tests/main/MainFormFixture.h"

#include "main/WindowAvailability.h"

#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace test {
namespace {

// With the windows this build has: the person, family and group windows are there, the offering and
// expense windows are not yet.
TEST_F(MainFormTest, AfterLogInTheMemberCommandsAreOnAndOtherNewEntriesOff) {
    amb::ambrel::SetWindowAvailability({});
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
    EXPECT_TRUE(m_form->mnuFileNewFamily->isEnabled());
    EXPECT_TRUE(m_form->mnuFileNewGroup->isEnabled());
    for (QAction* off : {m_form->mnuFileNewOffering, m_form->mnuFileNewExpense})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    m_form->mnuFile->hide();

    EXPECT_TRUE(m_form->tbarMainButtons[3]->isEnabled()); // New
    EXPECT_TRUE(m_form->tbarMainButtons[4]->isEnabled()); // Open
    for (QAction* entry : m_form->tbarMainAddNewMenu->actions()) {
        if (entry->isSeparator())
            continue;
        EXPECT_EQ(entry->isEnabled(), QStringList({"NewMember", "NewFamily", "NewGroup"}).contains(entry->objectName()))
            << entry->objectName().toStdString();
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

} // namespace
} // namespace test
