#include "common/widgets/BusyScope.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPointer>

namespace amb {

namespace {

const char* const kBusyProperty = "ambBusy";
const char* const kCursorProperty = "ambBusySavedCursor";

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
        return IsInputEvent(event) && IsBusy(WindowOf(receiver));
    }
};

} // namespace

void SetBusy(QWidget* window, bool busy) {
    if (!window || IsBusy(window) == busy)
        return;
    window->setProperty(kBusyProperty, busy);
    if (busy) {
        if (window->testAttribute(Qt::WA_SetCursor))
            window->setProperty(kCursorProperty, QVariant::fromValue(window->cursor()));
        window->setCursor(Qt::WaitCursor);
        InputBlocker::EnsureInstalled();
    } else {
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
