#pragma once

#include "common/widgets/BusyScope.h"
#include "contracts/IApplication.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"
#include "windows/base/MessageService.h"

#include <QString>

#include <QPointer>

#include <cstdint>
#include <functional>
#include <initializer_list>

class QDateTimeEdit;
class QObject;
class QWidget;

namespace amb {

// The writer that the window base's own lines go through. The window loader sets it together with
// its own library's writer, so the whole windows library writes through one writer. A program that
// traces through WindowSupport sets it as it sets its own writer.
void SetWindowTraceWriter(const orv::ILogTraceWriterPtr& writer);

// The message box buttons' captions from the hub's string table (OK, Cancel, Yes, No).
MessageButtonTexts MessageButtonTextsOf(const IApplicationPtr& hub);

// What every window needs around its controls: its trace source, the hub, texts and messages by
// text id, and the handler guard. A QDialog gets it through FormBase; a QMainWindow holds one.
class WindowSupport {
public:
    // Gives the hub at each use (a window keeps no reference of its own); may return none.
    using HubSource = std::function<IApplicationPtr()>;

    // sourceName is the trace source, e.g. "AmbWindows.LogInForm".
    WindowSupport(QWidget& window, QString sourceName, HubSource hub);
    ~WindowSupport();
    WindowSupport(const WindowSupport&) = delete;
    WindowSupport& operator=(const WindowSupport&) = delete;

    const QString& SourceName() const { return m_sourceName; }

    // A level-0 line "<source>.<procedure>"; procedure is the name with "()".
    void Trace(const QString& procedure) const;
    // The hub; throws platform::Error 91 when there is none.
    IApplicationPtr Hub() const;
    // The string table's text of an id ("" when the table lacks it); throws without a hub.
    QString Text(int32_t id) const;
    // A label of an entry that must be filled: its text followed by "*".
    QString RequiredText(int32_t id) const;

    // A message box with the text of `textId`, titled with the window's current caption.
    int32_t ShowMessage(int32_t textId, int32_t style = MessageStyle::Information) const;
    int32_t ShowMessageText(const QString& text, int32_t style = MessageStyle::Information) const;
    // After a read that answered nothing: when the database failed to read (a damaged or unreadable
    // file, another program holding it), says so and answers true; false when nothing matched.
    bool ShowReadFailure() const;
    // What a read that failed says now (ReadFailureText): after a save of the current action, that the
    // change was saved; empty when the last read did not fail.
    QString ReadFailureText() const;
    // Tells a read failure's text (ReadFailureText) unless the user's current action told one already;
    // true either way.
    bool TellReadFailure(const QString& text) const;
    // After a read that answered nothing: the message of `nothingText` (no match, no such record), or
    // the read's failure instead when the database could not be read.
    void ShowNothingRead(int32_t nothingText) const;

    // Before a command reads its dates: each date box in `areas` (boxes, or widgets holding them) ends
    // its typing; when one shows a text that is not a date, its message (naming the box), the focus on
    // it, and false. A box refusing to be left by Tab says the same through this window.
    bool CheckDates(std::initializer_list<QWidget*> areas) const;
    bool CheckDates() const { return CheckDates({&m_window}); }
    void RefuseDate(QDateTimeEdit& box) const;

    // The busy state: a wait cursor on the window and its input dropped while work runs (see BusyScope).
    void SetBusy(bool busy) const;
    bool IsBusy() const;

    // An event handler, one action of the user (ActionScope): the entry line, then the body; a failure
    // writes its level-9 line, ends the busy state and leaves the window as it is. True when the body
    // ran to its end.
    bool Handle(const QString& procedure, const std::function<void()>& body) const;
    // A member or procedure, part of the action that called it or one of its own (the window's opening):
    // the entry line, then the body; a failure writes its level-9 line and changes nothing else. True
    // when the body ran to its end.
    bool Run(const QString& procedure, const std::function<void()>& body) const;

private:
    QWidget& m_window;
    QString m_sourceName;
    HubSource m_hub;
    QPointer<QObject> m_dateRefusals;
};

// Marks a window busy until End() or the end of the scope, on every path out. The state lives on the
// window, so every library's copy of the busy helpers agrees on it.
using WindowBusy = BusyScope;

} // namespace amb
