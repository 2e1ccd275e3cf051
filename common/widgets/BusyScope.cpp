#include "common/widgets/BusyScope.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHash>

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

// Drops user input to busy windows; installed on the application while any window is busy.
class InputBlocker : public QObject {
public:
    static InputBlocker& Instance() {
        static InputBlocker* blocker = new InputBlocker(); // lives as long as the program
        return *blocker;
    }

    void Add(QWidget* window) {
        if (m_windows.isEmpty() && qApp)
            qApp->installEventFilter(this);
        // A window destroyed while busy must not stay behind.
        m_windows.insert(window, connect(window, &QObject::destroyed, this, [this, window] { Remove(window); }));
    }
    void Remove(const QWidget* window) {
        const auto found = m_windows.constFind(window);
        if (found == m_windows.constEnd())
            return;
        disconnect(found.value());
        m_windows.erase(found);
        if (m_windows.isEmpty() && qApp)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!IsInputEvent(event))
            return false;
        const QWidget* window = WindowOf(receiver);
        return window && m_windows.contains(window);
    }

private:
    QHash<const QWidget*, QMetaObject::Connection> m_windows;
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
        InputBlocker::Instance().Add(window);
    } else {
        const QVariant saved = window->property(kCursorProperty);
        if (saved.isValid())
            window->setCursor(saved.value<QCursor>());
        else
            window->unsetCursor();
        window->setProperty(kCursorProperty, QVariant());
        InputBlocker::Instance().Remove(window);
    }
}

bool IsBusy(const QWidget* window) {
    return window && window->property(kBusyProperty).toBool();
}

BusyScope::BusyScope(QWidget* window) : m_window(window), m_wasBusy(IsBusy(window)) {
    SetBusy(window, true);
}

BusyScope::~BusyScope() {
    if (m_window)
        SetBusy(m_window, m_wasBusy);
}

} // namespace amb
