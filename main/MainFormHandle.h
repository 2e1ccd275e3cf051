#pragma once

// Internal to the main window's source files: the trace object name, the handler frame and the base
// of the window's areas.

#include "main/MainForm.h"

#include "common/ErrorGuard.h"
#include "common/StandardModule.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "windows/base/ActionScope.h"
#include "windows/base/MessageService.h"

#include <QKeyEvent>
#include <QObject>
#include <QString>

namespace amb::ambrel {

inline const QString kTraceObject = QStringLiteral("OrvAmbrel.MainForm");
// The style of the window's Yes/No questions.
inline constexpr int32_t kYesNoQuestion = MessageStyle::YesNo | MessageStyle::Question;

// The entry trace line of a procedure that is no handler.
inline void WriteTrace(const QString& procedure) {
    WriteTraceLine(kTraceObject, procedure, QString(), 0);
}

// Every handler, one action of the user (ActionScope): the entry trace line, every failure caught and
// written as a level-9 line, and the window's busy state ended, so a failing command leaves a usable
// window. (WindowSupport::Handle does the same, but writes through the window library's writer; the
// main window's lines are the program's.)
template <typename F> bool HandleEvent(QWidget* window, const char* procedure, F&& body) {
    const ActionScope action(window);
    const bool ok = Guard(kTraceObject, QString::fromLatin1(procedure), std::forward<F>(body));
    if (!ok)
        SetBusy(window, false);
    return ok;
}

// A menu entry or a menu, named as the window's design names it (a menu's entry in its parent too).
QAction* NewAction(QObject* parent, const char* name);
QMenu* NewMenu(QWidget* parent, const char* name);

// Return or Enter pressed: in the window's lists it opens the chosen row, in a search box it searches.
inline bool IsEnterPress(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// An area of the main window: its widgets and its handlers. It reaches the frame's state (hub,
// session, texts, busy state) here, and the other areas only through the small interfaces the frame
// hands it (AreaPorts.h).
class MainArea : public QObject {
protected:
    explicit MainArea(MainForm& form) : m_form(form) {}

    IApplicationPtr Hub() const { return m_form.Hub(); }
    const WindowSupport& Support() const { return m_form.Support(); }
    template <typename F> bool Handle(const char* procedure, F&& body) {
        return HandleEvent(&m_form, procedure, std::forward<F>(body));
    }

    MainForm& m_form;
};

} // namespace amb::ambrel
