#pragma once

#include <QPointer>
#include <QWidget>

namespace amb {

// The busy state of a window: a flag on the window and a wait cursor over it, never Qt's
// application-wide override-cursor stack. While a window is busy, user input to it (clicks, keys,
// shortcuts, its close box) is dropped, so that a second command cannot start while the first one
// is running, e.g. while a progress window repaints. Input queued while the work ran is delivered
// (and dropped, whichever window it was for) before the state ends, so it never runs afterwards.
// Unlike disabling the window, this leaves message boxes and windows opened from it usable. The state
// lives on the window itself, so every deliverable's copy of these helpers agrees on it.
void SetBusy(QWidget* window, bool busy);
bool IsBusy(const QWidget* window);

// Marks the window busy for the lifetime of the scope and restores its previous state on every
// path out, exceptions included. Safe when the window is deleted inside the scope.
class BusyScope {
public:
    explicit BusyScope(QWidget* window);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // Restores the previous state early, e.g. before a message box; the end of the scope then does nothing.
    void End();

private:
    QPointer<QWidget> m_window;
    bool m_wasBusy = false;
};

} // namespace amb
