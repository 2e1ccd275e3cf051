#pragma once

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

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

} // namespace test
