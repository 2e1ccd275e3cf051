#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace test {

// The point of a date box where a person clicks to reach a part of the date shown (0 = the first
// group of digits, as read on the screen), in the box's own coordinates.
inline QPoint PointOfDatePart(QDateTimeEdit* box, int part) {
    auto* edit = box->findChild<QLineEdit*>();
    const QString shown = edit->text();
    int first = -1;
    for (int i = 0, run = -1; i < shown.size(); ++i) {
        const bool digit = shown[i].isDigit();
        if (digit && (i == 0 || !shown[i - 1].isDigit()) && ++run == part) {
            first = i;
            break;
        }
    }
    if (first < 0)
        return {};
    // The middle of the part's first character: where the caret would go after it, less a pixel.
    const int y = edit->height() / 2;
    int x = 0;
    while (x < edit->width() && edit->cursorPositionAt(QPoint(x, y)) <= first)
        ++x;
    return edit->mapTo(box, QPoint(std::max(0, x - 2), y));
}

// Clicks a point of a date box as the mouse does: on whatever is drawn there.
inline void ClickDatePart(QDateTimeEdit* box, int part) {
    QWidget* window = box->window();
    const QPoint inWindow = box->mapTo(window, PointOfDatePart(box, part));
    QWidget* target = window->childAt(inWindow);
    if (!target)
        target = window;
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(window, inWindow));
}

// How a person gets into a date: a click on one of its parts as shown (in the m/d/yyyy pattern the
// tests use: month, day, year), Tab from the control before it (and its "no date" tick box when shown)
// or Shift+Tab from the control after it; and how he leaves it.
enum class Reach { ClickMonth, ClickDay, ClickYear, Tab, ShiftTab };
enum class Leave { Tab, ShiftTab };

// Texts that are not a date of a box's range, as typed in the m/d/yyyy and the yyyy-m-d patterns: a
// day the month lacks, a thirteenth month, 29 February of a common year, a year before the first date.
struct NonDate {
    const char* mdy;
    const char* ymd;
};
inline constexpr NonDate kNonDates[] = {
    {.mdy = "2/30/2026", .ymd = "2026-2-30"},
    {.mdy = "13/1/2026", .ymd = "2026-13-1"},
    {.mdy = "2/29/2025", .ymd = "2025-2-29"},
    {.mdy = "1/1/1752", .ymd = "1752-1-1"},
};

// A control that Tab stops at.
inline bool IsTabStop(const QWidget* w) {
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}
inline QWidget* TabStopBefore(QWidget* w) {
    do
        w = w->previousInFocusChain();
    while (!IsTabStop(w));
    return w;
}
inline QWidget* TabStopAfter(QWidget* w) {
    do
        w = w->nextInFocusChain();
    while (!IsTabStop(w));
    return w;
}

// Tab or Shift+Tab (Key_Backtab) to whatever has the focus, as the keyboard sends it.
inline void PressTabKey(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
}

// Gets into a date (a date picker, or a date box of its own) as the case says, types, and leaves it;
// checks that the focus came into the date and went out of it.
inline void TypeIntoDate(QWidget* date, Reach reach, const QString& typed, Leave leave) {
    auto* box = qobject_cast<QDateTimeEdit*>(date);
    if (!box)
        box = date->findChild<QDateTimeEdit*>();
    ASSERT_NE(box, nullptr);
    auto* tick = date->findChild<QCheckBox*>();
    const bool tickShown = tick && tick->isVisible();
    switch (reach) {
    case Reach::ClickMonth:
    case Reach::ClickDay:
    case Reach::ClickYear:
        ClickDatePart(box, static_cast<int>(reach));
        break;
    case Reach::Tab:
        TabStopBefore(tickShown ? static_cast<QWidget*>(tick) : box)->setFocus();
        PressTabKey(Qt::Key_Tab);
        if (tickShown) {
            EXPECT_EQ(QApplication::focusWidget(), tick) << "the tick box is a stop of its own";
            PressTabKey(Qt::Key_Tab);
        }
        break;
    case Reach::ShiftTab:
        TabStopAfter(box)->setFocus();
        PressTabKey(Qt::Key_Backtab);
        break;
    }
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClicks(box, typed);
    PressTabKey(leave == Leave::Tab ? Qt::Key_Tab : Qt::Key_Backtab);
    EXPECT_NE(QApplication::focusWidget(), box) << "Tab and Shift+Tab leave the date";
    if (leave == Leave::ShiftTab && tickShown) {
        EXPECT_EQ(QApplication::focusWidget(), tick);
    }
}

// A key on whatever has the focus (an open calendar's day, when it shows), as the keyboard sends it.
inline void PressFocused(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup && popup->focusWidget() ? popup->focusWidget() : QApplication::focusWidget(), key, modifiers);
}

// A right click on a point of a control, through its window as the screen sends it, so that the platform
// opens the context menu; then a click on the entry with that text (mnemonic and key aside). A disabled
// entry does nothing, and Esc closes the menu.
inline void PickFromContextMenu(QWidget* control, QPoint at, const QString& entry) {
    bool shown = false;
    QTimer::singleShot(0, control, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shown = true;
        for (QAction* action : menu->actions()) {
            if (action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == entry) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                break;
            }
        }
        if (menu->isVisible())
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, control->mapTo(window, at));
    EXPECT_TRUE(shown) << "no context menu";
}

// The menu texts of the platform's date box.
inline QString MenuText(const char* context, const char* text) {
    return QCoreApplication::translate(context, text).remove(QLatin1Char('&'));
}

// The ways a text reaches a date box other than typing it, from a part clicked first: the clipboard's
// text pasted over the whole date (Ctrl+A, Ctrl+V), into the part (Ctrl+V, Shift+Insert, the context
// menu's Paste); the part cut; a paste taken back and done again (Ctrl+Z, Ctrl+Y); the text pasted, then
// typed over and Ctrl+Z pressed, which takes back no typing.
enum class WayIn { SelectAllPaste, PartPaste, ShiftInsert, MenuPaste, CutPart, UndoRedoPaste, UndoAfterTyping };
inline constexpr WayIn kWaysIn[] = {WayIn::SelectAllPaste, WayIn::PartPaste, WayIn::ShiftInsert,
                                    WayIn::MenuPaste,      WayIn::CutPart,   WayIn::UndoRedoPaste,
                                    WayIn::UndoAfterTyping};

// Brings `text` (through the real clipboard) into the box the way says, from `part`; returns the text the
// box then shows when it is not a date (a cut part leaves the date shown without it).
inline QString BringIntoDate(QDateTimeEdit* box, WayIn way, const QString& text, int part) {
    QGuiApplication::clipboard()->setText(text);
    ClickDatePart(box, part);
    const QString shown = box->text();
    const QLineEdit* edit = box->findChild<QLineEdit*>();
    const QString selected = edit->selectedText();
    const int at = edit->selectionStart();
    const auto keys = [](const char* sequence) {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(sequence)));
    };
    switch (way) {
    case WayIn::SelectAllPaste:
        keys("Ctrl+A, Ctrl+V");
        break;
    case WayIn::PartPaste:
        keys("Ctrl+V");
        break;
    case WayIn::ShiftInsert:
        keys("Shift+Ins");
        break;
    case WayIn::MenuPaste:
        PickFromContextMenu(box, PointOfDatePart(box, part), MenuText("QLineEdit", "&Paste"));
        break;
    case WayIn::CutPart:
        keys("Ctrl+X");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), selected);
        return QString(shown).remove(at, selected.size());
    case WayIn::UndoRedoPaste:
        keys("Ctrl+V, Ctrl+Z");
        EXPECT_EQ(box->text(), shown) << "Ctrl+Z takes back the paste";
        keys("Ctrl+Y");
        break;
    case WayIn::UndoAfterTyping:
        keys("Ctrl+V");
        ClickDatePart(box, 0);
        QTest::keyClicks(QApplication::focusWidget(), text);
        keys("Ctrl+Z");
        break;
    }
    return text;
}

} // namespace test
