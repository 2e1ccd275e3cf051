#pragma once

#include <QPointer>
#include <QWidget>

namespace amb {

// One thing the user did in a window: a command, a key, the window's opening. A damaged file fails
// every read of it alike, so the first read failure told within the action is the only one; the lists
// and boxes that fail after it stay quiet, the user knowing already. Scopes opened inside an open one on
// the same window are part of it; another window (one opened from it) has actions of its own. The
// state lives on the window, as the busy state does.
class ActionScope {
public:
    explicit ActionScope(QWidget* window);
    ~ActionScope();
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;

    // Whether a read failure was told in the window's current action; telling one marks it told.
    // Outside an action every failure is told.
    static bool ReadFailureTold(const QWidget* window);
    static void MarkReadFailureTold(QWidget* window);
    // Whether a save committed in the window's current action, so that a read failing after it does not
    // say that nothing was saved; marking it says one did. Outside an action nothing counts as saved.
    static bool Saved(const QWidget* window);
    static void MarkSaved(QWidget* window);

private:
    QPointer<QWidget> m_window;
};

} // namespace amb
