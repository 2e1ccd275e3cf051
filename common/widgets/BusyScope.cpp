#include "common/widgets/BusyScope.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>

namespace amb {

namespace {

const char* const kBusyProperty = "ambBusy";
const char* const kCursorProperty = "ambBusySavedCursor";
// Set on the application while queued input is being drained; every copy of this code reads it there.
const char* const kDrainingProperty = "ambBusyDraining";

bool IsDraining() {
    return qApp && qApp->property(kDrainingProperty).toInt() > 0;
}

bool IsInputEvent(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
        return true;
    case QEvent::Close:
        return event->spontaneous(); // the close box; closing from code still works
    default:
        return false;
    }
}

// The window an event's receiver belongs to: widgets directly, actions and shortcuts through the
// nearest widget among their parents.
const QWidget* WindowOf(const QObject* receiver) {
    for (const QObject* o = receiver; o; o = o->parent()) {
        if (o->isWidgetType())
            return static_cast<const QWidget*>(o)->window();
    }
    return nullptr;
}

// Drops user input to busy windows. The state lives on the window alone, so that every copy of this
// code (one per deliverable) agrees on it; the filter stays installed once a window was busy.
class InputBlocker : public QObject {
public:
    static void EnsureInstalled() {
        static InputBlocker* blocker = new InputBlocker(); // lives as long as the program
        static QPointer<QCoreApplication> installedOn;
        if (qApp && installedOn != qApp) {
            qApp->installEventFilter(blocker);
            installedOn = qApp;
        }
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        return IsInputEvent(event) && (IsDraining() || IsBusy(WindowOf(receiver)));
    }
};

// The work of a busy window runs without dispatching events, so a click or key made meanwhile is
// still queued when the work ends. It is delivered here, while the window is still busy, so that the
// input filter drops it (for every window) instead of it running a second command afterwards.
void DrainQueuedInput() {
    if (!qApp)
        return;
    InputBlocker::EnsureInstalled();
    qApp->setProperty(kDrainingProperty, qApp->property(kDrainingProperty).toInt() + 1);
    if (qobject_cast<QGuiApplication*>(qApp))
        QGuiApplication::sync(); // what the window system holds for us, too
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->setProperty(kDrainingProperty, qApp->property(kDrainingProperty).toInt() - 1);
}

} // namespace

void SetBusy(QWidget* window, bool busy) {
    if (!window || IsBusy(window) == busy)
        return;
    if (busy) {
        window->setProperty(kBusyProperty, true);
        if (window->testAttribute(Qt::WA_SetCursor))
            window->setProperty(kCursorProperty, QVariant::fromValue(window->cursor()));
        window->setCursor(Qt::WaitCursor);
        InputBlocker::EnsureInstalled();
    } else {
        const QPointer<QWidget> guard(window);
        DrainQueuedInput();
        if (!guard)
            return;
        window->setProperty(kBusyProperty, false);
        const QVariant saved = window->property(kCursorProperty);
        if (saved.isValid())
            window->setCursor(saved.value<QCursor>());
        else
            window->unsetCursor();
        window->setProperty(kCursorProperty, QVariant());
    }
}

bool IsBusy(const QWidget* window) {
    return window && window->property(kBusyProperty).toBool();
}

BusyScope::BusyScope(QWidget* window) : m_window(window), m_wasBusy(IsBusy(window)) {
    SetBusy(window, true);
}

BusyScope::~BusyScope() {
    End();
}

void BusyScope::End() {
    if (m_window)
        SetBusy(m_window, m_wasBusy);
    m_window = nullptr;
}

} // namespace amb
