#pragma once

#include "main/AreaPorts.h"
#include "main/CommandTable.h"
#include "main/MainFormHandle.h"

#include "common/LookupKinds.h"

#include <QHash>
#include <QString>

#include <array>
#include <span>

class QAction;
class QMenu;
class QToolBar;

namespace amb::ambrel {

// The File, Tools and Help menus and the main toolbar: the commands of CommandTable.h and the
// look-up lists.
class MainCommands : public MainArea, public CommandsPort {
public:
    // Adds the menus to the window's menu bar around its View menu, and the main toolbar.
    MainCommands(MainForm& form, QMenu* viewMenu);
    // The commands act on the list's chosen row of the tree's chosen kind, and set the search box.
    void Wire(RecordTreePort& tree, RecordListPort& list, SearchBandPort& search);

    QToolBar* ToolBar() const { return tbarMain; }
    void SetCaptions();
    void ConfigureToolBar();
    void EnableToolbarButtons() override;
    // The commands of the File and Tools menus that only a logged-in user reaches.
    void EnableForLogIn(bool enable);
    // The log-in button shows whether somebody is logged in.
    void ShowLoggedIn(bool loggedIn);
    void OpenSelectedRow() override;

private:
    void CreateMenus(QMenu* viewMenu);
    void CreateToolBar();
    void mnuFile_Click();
    void mnuTools_Click();
    void mnuFileNewMember_Click();
    void mnuFileNewFamily_Click();
    void mnuFileNewGroup_Click();
    void mnuFileNewOffering_Click();
    void mnuFileNewExpense_Click();
    void mnuFileOpen_Click();
    void mnuFileDelete_Click();
    void mnuFilePrint_Click();
    void mnuFileLogInOut_Click();
    void mnuFileChangePassword_Click();
    void mnuFileExit_Click();
    void mnuToolsList_Click(EnumWindowType type, const QString& handlerName);
    void mnuToolsUser_Click();
    void mnuToolsReport_Click();
    void mnuToolsOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void tbarMain_ButtonClick(int index);
    void tbarMain_ButtonMenuClick(const QString& key);
    // After a record was saved or deleted: the tree's counts read again, a failure told as after a save.
    void RefreshAfterSave();

    // The commands' table (CommandTable.cpp) and the row of a toolbar button, if any.
    static std::span<const CommandRow> CommandRows();
    static const CommandRow* CommandOnButton(int index);
    // The menu entry and the toolbar button of a command named by its menu entry.
    QAction* CommandEntry(const char* menuName) const;
    QAction* CommandButton(const char* menuName) const;
    // What the commands' enabling rules read now.
    CommandState CurrentCommandState() const;

    QMenu* mnuFile = nullptr;
    QMenu* mnuFileNew = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuToolsLookUp = nullptr;
    QMenu* mnuHelp = nullptr;
    // The look-up entries, in menu order.
    std::array<QAction*, kLookupMenuEntryCount> mnuToolsLookUpEntries{};
    // The menu entry of each command row.
    QHash<const CommandRow*, QAction*> m_commandEntries;
    QToolBar* tbarMain = nullptr;
    // tbarMain buttons by their 1-based index; separators stay empty.
    std::array<QAction*, kToolbarButtons> tbarMainButtons{};
    QMenu* tbarMainAddNewMenu = nullptr;
    RecordTreePort* m_tree = nullptr;
    RecordListPort* m_list = nullptr;
    SearchBandPort* m_search = nullptr;
};

} // namespace amb::ambrel
