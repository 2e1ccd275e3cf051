#include "tests/support/AltKeys.h"

#include "tests/support/WindowTest.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <optional>

namespace test {

const AltKey kAltKeys[4] = {
    {.key = Qt::Key_Q, .modifiers = Qt::AltModifier, .text = "q"},
    {.key = Qt::Key_X, .modifiers = Qt::AltModifier, .text = "x"},
    {.key = Qt::Key_J, .modifiers = Qt::AltModifier | Qt::ShiftModifier, .text = "J"},
    {.key = Qt::Key_2, .modifiers = Qt::AltModifier, .text = "2"},
};

void PressAltKey(QWidget& control, const AltKey& key) {
    QWidget* window = QApplication::activePopupWidget();
    if (!window) {
        // The offscreen platform, unlike a window manager, may leave a closed drop-down the active window.
        window = control.window();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }
    QTest::sendKeyEvent(QTest::Click, window->windowHandle(), key.key, QString::fromLatin1(key.text), key.modifiers);
}

namespace {

// What a box shows; nothing for a control that is not a box.
std::optional<QString> BoxText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(control))
        return spin->text();
    if (const auto* note = qobject_cast<const QPlainTextEdit*>(control))
        return note->toPlainText();
    return std::nullopt;
}

// A box by its name, or by its control's (a date picker's date, a combo box's edit).
QString NameOf(const QWidget* box) {
    const QString name = box->objectName();
    return name.isEmpty() || name.startsWith(QLatin1String("qt_")) ? NameOf(box->parentWidget()) : name;
}

} // namespace

QStringList BoxesChangedByAltKeys(QWidget& window, int& boxes) {
    QStringList changed;
    const auto walk = [&] {
        QList<const QWidget*> seen;
        for (int i = 0; i < 120; ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus || focus->window() != &window || seen.contains(focus))
                break;
            seen << focus;
            if (const std::optional<QString> before = BoxText(focus)) {
                ++boxes;
                for (const AltKey& key : kAltKeys) {
                    PressAltKey(window, key);
                    if (QApplication::focusWidget() != focus || BoxText(focus) != before) {
                        changed << QStringLiteral("%1: Alt+%2 made '%3' '%4'")
                                       .arg(NameOf(focus), QLatin1String(key.text), *before,
                                            BoxText(focus).value_or(QString()));
                        break;
                    }
                }
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        }
    };
    walk();
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; tabs->isVisible() && i < tabs->count(); ++i) {
            if (tabs->isTabEnabled(i)) {
                ClickTab(tabs, i);
                walk();
            }
        }
    }
    return changed;
}

} // namespace test
