#pragma once

// The main window over fake components: a hub with the built string tables, a congregation in
// memory, a window loader and a report printer that record their calls, and answered message boxes.

#include "main/MainForm.h"
#include "platform/data/Clock.h"
#include "tests/main/MainFakes.h"
#include "tests/support/WindowTest.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <initializer_list>
#include <memory>

class QAction;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace test {

class MainFormTest : public ::testing::Test {
protected:
    explicit MainFormTest(amb::EnumSupportedLocaleID language = amb::EnumSupportedLocaleID::English);
    ~MainFormTest() override;

    // Creates, initialises and fills the window, as the start-up does.
    void OpenWindow();
    // Logs in through the loader's log-in window, as an administrator or not.
    void LogIn(bool admin);
    // Clicks the tree node of a record kind with the mouse.
    void ClickNode(const QString& key);
    // Clears the search box, types a text into it and presses Enter.
    void SearchFor(const QString& text);
    // Clicks a toolbar's button with the mouse (a button that is off takes no click).
    // Clicks a main toolbar button by its key ("Delete") or the search button.
    void ClickMainButton(const char* key);
    void ClickSearchButton();
    // Opens a menu of the menu bar with the mouse, as its entries are set when it opens, and closes it.
    void OpenMenu(const char* name);
    // Chooses a menu entry with the mouse: its menu opened on the menu bar, then each submenu on the
    // way ({"mnuFile", "mnuFileNew", "mnuFileNewMember"}).
    void ChooseMenuEntry(std::initializer_list<const char*> path);
    // Presses a key where the focus is, as a shortcut reaches the window from any of its controls.
    void PressKey(Qt::Key key);
    // Opens a box's drop-down with a click on its arrow and takes the entry with the text.
    static void ChooseFromDropDown(QComboBox* box, const QString& text);
    // Clicks or double-clicks a row of a list with the mouse.
    static void ClickRow(QTreeWidget* list, int row);
    static void DoubleClickRow(QTreeWidget* list, int row);

    // The window's controls, found by their names as a person finds them by their place.
    template <typename T> T* Find(const QString& name) const {
        T* found = m_form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction* Action(const char* name) const;
    QMenu* Menu(const char* name) const;
    QTreeWidget* Tree() const;
    QTreeWidget* List() const;
    QTreeWidget* Birthdays() const;
    QComboBox* SearchText() const;
    QComboBox* GroupType() const;
    QDateTimeEdit* StartDate() const;
    QDateTimeEdit* EndDate() const;
    QToolBar* MainBar() const;
    QToolBar* SearchBar() const;
    // The status bar's panels, 0 to 2.
    QLabel* Panel(int index) const;
    // A node of the tree by its kind's key, and the key of the chosen kind.
    QTreeWidgetItem* Node(const QString& key) const;
    QString SelectedKey() const;
    // The list's selected row, or nothing.
    QTreeWidgetItem* SelectedRow() const;
    // Clicks a column header of a list with the mouse.
    QString Text(int32_t id) const;
    // Column texts of a list, row by row ("a|b|c").
    static QStringList Rows(const QTreeWidget* list);
    static QStringList Keys(const QTreeWidget* list);

    // Every test runs on 15 March 2026 (first, so that the fake congregation's dates follow it).
    static QDateTime FixedNow() { return QDateTime(QDate(2026, 3, 15), QTime(10, 30)); }
    platform::ClockScope m_clock{FixedNow()};
    TempDir m_temp;
    std::shared_ptr<RecordingLogWriter> m_writer = std::make_shared<RecordingLogWriter>();
    std::shared_ptr<FakeHub> m_hub;
    std::shared_ptr<FakeDatabase> m_database = std::make_shared<FakeDatabase>();
    std::shared_ptr<FakeWindowLoader> m_loader = std::make_shared<FakeWindowLoader>();
    std::shared_ptr<FakeReportPrinter> m_printer = std::make_shared<FakeReportPrinter>();
    platform::DictionaryPtr m_personSearch = std::make_shared<platform::Dictionary>();
    platform::DictionaryPtr m_familySearch = std::make_shared<platform::Dictionary>();
    ScriptedMessages m_messages;
    std::unique_ptr<amb::ambrel::MainForm> m_form;
};

} // namespace test
