#pragma once

#include "main/AppWrapper.h"

#include "common/Backup.h"
#include "contracts/IApplication.h"
#include "windows/base/WindowSupport.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <future>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;

namespace amb::ambrel {

class BirthdayList;
class MainCommands;
class RecordList;
class RecordTree;
class SearchBand;

// The main window: a frame (menu bar, View menu, splitters, status bar and clock) around its areas,
// each in its own class and files: the record-kind tree (RecordTree), the record list (RecordList),
// the search band (SearchBand), the birthday list (BirthdayList) and the commands (MainCommands). The
// frame makes them and hands each the small interfaces of the others it uses (AreaPorts.h).
class MainForm : public QMainWindow {
public:
    // `wrapper` is the program state to wire; tests pass one whose components are already made.
    explicit MainForm(std::unique_ptr<AppWrapper> wrapper = std::make_unique<AppWrapper>(), QWidget* parent = nullptr);
    ~MainForm() override;

    // Wires the components, backs the database up when asked and finds the help file. Throws
    // platform::Error; the start-up then shows the "Error" box.
    void Form_Initialize();
    int32_t UpdateForm();
    // Ends the run: tells the backup's result if it was not told yet, saves the recent searches and
    // releases the components. Runs once.
    void Form_Terminate() noexcept;
    // Waits for the start's backup to be checked and tells a failure (Log.txt and a message); runs
    // by itself as soon as the check ends, and does nothing once the result was told.
    void FinishBackUp();

    // The close question is asked only when the user closes the window.
    void SetAskOnClose(bool ask) { m_askOnClose = ask; }

    AppWrapper& Wrapper() const { return *m_wrapper; }
    IApplicationPtr Hub() const { return m_wrapper->Hub(); }
    CSession& Session() const { return *m_wrapper->Session(); }
    bool IsLoggedIn() const;
    // Texts, message boxes titled with the window's caption, the busy state.
    const WindowSupport& Support() const { return m_support; }

    // Sets the window up for the user just logged in, or for nobody.
    void LogInOutRoutine(bool logOut);
    // Reads the DateFormat setting for the list's dates and the date-range boxes (at start-up and
    // after the options window, which may change it).
    void ApplyDateFormat();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void CreateViewMenu();
    void CreateStatusBar();
    void EnableForm(bool enable);
    void SetControlCaption();
    void InitializeSpliter();
    void timMain_Timer();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewRefresh_Click();
    template <typename F> bool Handle(const char* procedure, F&& body);

    // Controls of the frame, named as the window's design names them (objectName equal).
    QSplitter* spltMain = nullptr;
    QSplitter* spltTop = nullptr;
    std::array<QLabel*, 3> sbarPanels{};
    QTimer* timMain = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuViewRefresh = nullptr;

    std::unique_ptr<AppWrapper> m_wrapper;
    WindowSupport m_support;
    bool m_askOnClose = true;
    bool m_terminated = false;
    std::future<BackUpReport> m_backUp;
    std::unique_ptr<RecordTree> m_tree;
    std::unique_ptr<RecordList> m_list;
    std::unique_ptr<SearchBand> m_search;
    std::unique_ptr<BirthdayList> m_birthdays;
    std::unique_ptr<MainCommands> m_commands;
};

} // namespace amb::ambrel
