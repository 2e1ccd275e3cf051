#pragma once

#include "main/AppWrapper.h"
#include "main/CommandTable.h"

#include "common/Values.h"
#include "contracts/IApplication.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/base/WindowSupport.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace amb::ambrel {

// The main window: record-kind tree, record list, search boxes, birthday list, menus, toolbars and
// status bar. One object whose areas live in their own source files: MainForm.cpp (frame),
// RecordTree.cpp and RecordList.cpp (tree and list), Search.cpp, BirthdayList.cpp, Commands.cpp.
class MainForm : public QMainWindow {
public:
    // `wrapper` is the program state to wire; tests pass one whose components are already made.
    explicit MainForm(std::unique_ptr<AppWrapper> wrapper = std::make_unique<AppWrapper>(), QWidget* parent = nullptr);
    ~MainForm() override;

    // Wires the components, backs the database up when asked and finds the help file. Throws
    // platform::Error; the start-up then shows the "Error" box.
    void Form_Initialize();
    int32_t UpdateForm();
    // Ends the run: saves the recent searches and releases the components. Runs once.
    void Form_Terminate() noexcept;

    // The close question is asked only when the user closes the window.
    void SetAskOnClose(bool ask) { m_askOnClose = ask; }

    AppWrapper& Wrapper() const { return *m_wrapper; }
    IApplicationPtr Hub() const { return m_wrapper->Hub(); }
    CSession& Session() const { return *m_wrapper->Session(); }
    bool IsLoggedIn() const;

    // Shared fields of the window's areas.
    QString LastSearchText() const { return m_lastSearchText; }
    QString SelectedNodeKey() const { return m_selectedNodeKey; }
    int32_t TreeWidth() const { return m_treeWidth; }

    // Frame.
    void EnableForm(bool enable);
    void SetControlCaption();
    void InitializeComboBoxes();
    // Reads the DateFormat setting for the list's dates and the date-range boxes (at start-up and
    // after the options window, which may change it).
    void ApplyDateFormat();
    void InitializeSpliter();
    void timMain_Timer();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();

    // Record-kind tree and record list.
    void RefreshTreeView();
    void RefreshTreeviewStat();
    void ConfigureGrid(QTreeWidgetItem* node);
    int32_t GetSearchType() const;
    int32_t RefreshData(const QString& searchText, int32_t groupTypeID, const QDateTime& startDate,
                        const QDateTime& endDate);
    void trvwIcon_NodeClick(QTreeWidgetItem* node);
    // Up, Down, Home, End, PageUp and PageDown move between the kind nodes; true when the key was used.
    bool trvwIcon_KeyDown(int key);
    void lstvwData_ColumnClick(int column);
    void lstvwData_DblClick();
    void lstvwData_ItemClick();
    void mnuViewRefresh_Click();
    QTreeWidgetItem* FindNode(const QString& key) const;
    QString SelectedKey() const;

    // Search boxes and recent searches.
    void ShowSearchTextComboBox(bool show);
    void ShowGroupTypeComboBox(bool show);
    void ShowDateRangeBox(bool show);
    void EnableSearchTextComboBox(bool enable);
    void EnableGroupTypeComboBox(bool enable);
    void EnableDateRangeBox(bool enable);
    void ExecuteSearch();
    // Enter in one of the search boxes (named by its handler) and the search toolbar's buttons.
    void SearchBox_KeyDown(const char* handlerName);
    void tbarSearch_ButtonClick(int index);
    void AddToMRSearchTextDictionary(const QString& text);
    void RefreshSearchTextComboBox();
    platform::DictionaryPtr SearchDictionaryOfSelectedNode() const;

    // Birthday list.
    void ConfigureBirthdayGrid();
    int32_t RefreshBirthday();
    void lstvwBirthday_ColumnClick(int column);
    void lstvwBirthday_DblClick();

    // Commands.
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
    void mnuToolsReport_Click();
    void mnuToolsOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void tbarMain_ButtonClick(int index);
    void tbarMain_ButtonMenuClick(const QString& key);
    void LogInOutRoutine(bool logOut);
    void ConfigureToolBar();
    void EnableToolbarButtons();

    // Texts, message boxes titled with the window's caption, the busy state.
    const WindowSupport& Support() const { return m_support; }
    // The record list's selected row, or nothing.
    QTreeWidgetItem* SelectedRow() const;
    void WriteTrace(const QString& procedure) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    void ConnectControls();
    void SetBusyState(bool busy);
    // Runs an event handler: trace line, every failure caught as a level-9 line, busy state ended.
    template <typename F> bool Handle(const char* procedure, F&& body);
    void SelectNode(QTreeWidgetItem* node);
    // The node click; a node chosen with the keys leaves the focus in the tree.
    void ChooseNode(QTreeWidgetItem* node, bool focusSearchBox);
    // Gives the focus to the search box of the selected kind when it is enabled.
    void FocusSearchBox();
    // The first status-bar panel: "3 item (s)".
    void ShowItemCount(int count);
    // Adds a row per record from the set's current row on (kind: a RecordKind).
    void AddRecordRows(int kind, const platform::RecordsetPtr& rs);
    void mnuToolsUser_Click();
    // The commands' table (CommandTable.cpp) and the row of a toolbar button, if any.
    static std::span<const CommandRow> CommandRows();
    static const CommandRow* CommandOnButton(int index);
    // The toolbar button of a command named by its menu entry.
    QAction* CommandButton(const char* menuName) const;
    // What the commands' enabling rules read now.
    CommandState CurrentCommandState() const;

public:
    // Controls, named as the window's design names them (objectName equal).
    QToolBar* tbarMain = nullptr;
    QToolBar* tbarSearch = nullptr;
    QSplitter* spltMain = nullptr;
    QSplitter* spltTop = nullptr;
    QTreeWidget* trvwIcon = nullptr;
    QTreeWidget* lstvwData = nullptr;
    QTreeWidget* lstvwBirthday = nullptr;
    QComboBox* cboSearchText = nullptr;
    QComboBox* cboGroupType = nullptr;
    QWidget* picDateBox = nullptr;
    QDateTimeEdit* dtpStart = nullptr;
    QDateTimeEdit* dtpEnd = nullptr;
    QLabel* lblDateFrom = nullptr;
    QLabel* lblDash = nullptr;
    QLabel* lblSearchBand = nullptr;
    std::array<QLabel*, 3> sbarPanels{};
    QTimer* timMain = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuFileNew = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuToolsLookUp = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuFileNewMember = nullptr;
    QAction* mnuFileNewFamily = nullptr;
    QAction* mnuFileNewGroup = nullptr;
    QAction* mnuFileNewOffering = nullptr;
    QAction* mnuFileNewExpense = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileDelete = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileLogInOut = nullptr;
    QAction* mnuFileChangePassword = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuViewRefresh = nullptr;
    QAction* mnuToolsReport = nullptr;
    QAction* mnuToolsUser = nullptr;
    QAction* mnuToolsOptions = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpAbout = nullptr;
    // The look-up entries, in menu order (see Commands.cpp).
    std::array<QAction*, 12> mnuToolsLookUpEntries{};
    // tbarMain buttons by their 1-based index; separators stay empty.
    std::array<QAction*, kToolbarButtons> tbarMainButtons{};
    // tbarSearch: button 1 holds the search boxes, button 2 is the search button.
    std::array<QAction*, 3> tbarSearchButtons{};
    QToolButton* tbarMainAddNew = nullptr;
    QMenu* tbarMainAddNewMenu = nullptr;

private:
    std::unique_ptr<AppWrapper> m_wrapper;
    // The menu entry of each command row.
    QHash<const CommandRow*, QAction*> m_commandEntries;
    WindowSupport m_support;
    QString m_lastSearchText;
    QString m_selectedNodeKey;
    int32_t m_treeWidth = 0;
    QString m_qtDatePattern = DatePattern(QString());
    bool m_askOnClose = true;
    bool m_terminated = false;
    bool m_busy = false;
    // A mouse button is down on the tree: the click, not the press, chooses the node.
    bool m_treeMouseDown = false;
    QString m_dateFormatSource;
};

} // namespace amb::ambrel
