#include "common/widgets/AltKeyFilter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace amb {

namespace {

// The key goes to the focus widget: a combo box or a date box is the receiver itself and hands the key
// on to its inner line edit.
bool IsBox(const QObject* receiver) {
    return qobject_cast<const QLineEdit*>(receiver) || qobject_cast<const QAbstractSpinBox*>(receiver) ||
           qobject_cast<const QComboBox*>(receiver) || qobject_cast<const QTextEdit*>(receiver) ||
           qobject_cast<const QPlainTextEdit*>(receiver);
}

// Alt alone or with Shift, over a key that gives a text; Ctrl+Alt is left alone.
bool IsAltText(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::AltModifier && modifiers != (Qt::AltModifier | Qt::ShiftModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isPrint(); });
}

// Before the press the platform asked the receiver whether it takes the key itself (a shortcut
// override), and the answer is gone with that question; the same question is asked again. A filter
// sees an event only before its receiver does, and handing the first question on from here would
// send it twice up the receiver's parents.
bool TakenByReceiver(QObject* receiver, const QKeyEvent& key) {
    QKeyEvent question(QEvent::ShortcutOverride, key.key(), key.modifiers(), key.nativeScanCode(),
                       key.nativeVirtualKey(), key.nativeModifiers(), key.text(), key.isAutoRepeat(),
                       static_cast<quint16>(key.count()));
    question.ignore();
    QCoreApplication::sendEvent(receiver, &question);
    return question.isAccepted();
}

class AltKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !IsBox(receiver))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!IsAltText(*key) || TakenByReceiver(receiver, *key))
            return false;
        // Taken here, so that no parent of the box acts on it either.
        key->accept();
        return true;
    }
};

} // namespace

void InstallAltKeyFilter(QApplication& app) {
    app.installEventFilter(new AltKeyFilter(&app));
}

} // namespace amb
