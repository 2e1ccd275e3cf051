#pragma once

#include "contracts/IWindowLoader.h"
#include "tests/support/FailingDatabaseManager.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "windows/base/MessageService.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace test {

// Answers every message box in advance and keeps what was shown. Installed for its lifetime.
class ScriptedMessages {
public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // The answer to the next box (amb::MessageResult). Without one, a box gets its first button
    // (OK, Yes, Abort or Retry).
    void Answer(int32_t result) { m_answers.push_back(result); }
    // Called with each box as it is shown, e.g. to look at the window's state at that moment.
    void OnShow(std::function<void(const amb::Message&)> hook) { m_hook = std::move(hook); }

    const std::vector<amb::Message>& Shown() const { return m_shown; }
    QStringList Texts() const;
    void Clear() { m_shown.clear(); }

private:
    std::deque<int32_t> m_answers;
    std::vector<amb::Message> m_shown;
    std::function<void(const amb::Message&)> m_hook;
};

// Replaces the modal show: the dialog is shown without its own event loop, the test's step fills in
// and presses it, and a dialog still open afterwards is closed as by its close box.
class ModalScript {
public:
    using Step = std::function<void(QDialog&)>;
    explicit ModalScript(Step step = {});
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    void SetStep(Step step) { m_step = std::move(step); }
    // How many dialogs were shown.
    int Runs() const { return m_runs; }

private:
    Step m_step;
    int m_runs = 0;
};

// The child of a dialog by its object name; fails the test when it is missing.
template <class T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << "no control " << name;
    return child;
}

// Focuses a text box and replaces its text, as a user typing into it would.
void TypeText(QWidget& dialog, const char* box, const QString& text);
// Clicks a button of the dialog as a person does: a pointer press and release at its middle, in its
// shown and active window, so that the press first moves the focus to a button that takes it.
void Click(QWidget& dialog, const char* button);
// The same click on any control, at its middle or at a point of its own.
void ClickWidget(QWidget* target, QPoint at = {});
// Presses a key (with modifiers: Alt with a letter, the keypad's Enter) on the control that has the
// focus, as the keyboard does (or the dialog when nothing in it has the focus).
void PressKey(QWidget& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The same key, where the test expects `control` (or a part of it) to have the focus: fails otherwise.
void PressKeyIn(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Clicks a page's tab, as the mouse does: of a tab control, or of the window's tab control by its name.
void ClickTab(QTabWidget* tabs, int page);
void ClickTab(QWidget& window, const char* tabs, int page);
// Clicks the middle of a list's column header, as the mouse does; the header must be shown.
void ClickHeader(QTreeView* list, int column);
// Clicks the button a toolbar shows for an action, as the mouse does; the button must be shown.
void ClickToolbarButton(QToolBar* bar, QAction* action);

// Registers the built AmbWindows library in the current registry folder and creates its
// "AmbWindows.WindowLoader".
amb::IWindowLoaderPtr CreateWindowLoader();

// A temporary registry, a hub with a recording writer, and the window loader from the built AmbWindows
// library wired as the main program wires it. Tests attach their own database manager.
class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(amb::EnumSupportedLocaleID guiLocale = amb::EnumSupportedLocaleID::English);
    ~WindowTest() override;

    void SetDatabase(const amb::IDatabaseManagerPtr& database) { m_hub->SetDatabaseManager(database); }
    // The current text of an id in the hub's string table.
    QString Text(int32_t id) const;

    TempDir m_temp;
    std::shared_ptr<RecordingLogWriter> m_writer;
    std::shared_ptr<FakeHub> m_hub;
    amb::IWindowLoaderPtr m_loader;
    ScriptedMessages m_messages;
};

} // namespace test
