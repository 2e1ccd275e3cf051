#include "common/widgets/DatePicker.h"

#include "platform/data/Clock.h"
#include "tests/support/DateClicks.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using platform::Variant;

namespace {

TEST(DatePickerTest, HoldsNoDateUntilTickedAndNeverSendsAnInventedDate) {
    platform::ClockScope clock(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    amb::DatePicker picker;
    picker.SetDateFormat(QStringLiteral("m/d/yy"));
    picker.show();
    // A two-digit year pattern still shows four digits.
    EXPECT_TRUE(picker.DateEdit()->displayFormat().contains(QStringLiteral("yyyy")));

    // Stored Null, text that is no date and the old no-date value all show as no date.
    for (const Variant& none : {Variant::Null(), Variant(QStringLiteral("soon")), Variant(QDate(1900, 1, 1))}) {
        picker.SetValue(Variant(QDate(2001, 2, 3)));
        picker.SetValue(none);
        EXPECT_EQ(picker.Date(), std::nullopt);
        EXPECT_TRUE(picker.Value().IsNull());
        EXPECT_FALSE(picker.DateEdit()->isEnabled());
    }

    // Ticking offers the date held before; unticking sends Null again.
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_EQ(picker.Date(), QDate(2001, 2, 3));
    picker.DateEdit()->setDate(QDate(1999, 12, 31));
    EXPECT_EQ(picker.Value().ToDateTime().date(), QDate(1999, 12, 31));
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_TRUE(picker.Value().IsNull());
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_EQ(picker.Date(), QDate(1999, 12, 31));

    // A disabled picker sends Null whatever it shows.
    picker.setEnabled(false);
    EXPECT_TRUE(picker.Value().IsNull());

    // A picker that never held a date offers today when ticked.
    amb::DatePicker fresh;
    fresh.show();
    QTest::mouseClick(fresh.CheckBox(), Qt::LeftButton);
    EXPECT_EQ(fresh.Date(), QDate(2026, 12, 9));
}

// How the person reaches the date before typing.
enum class Reach { ClickFirstPart, ClickSecondPart, ClickThirdPart, Tab, ShiftTab, Tick };

// A window with a text box before and after the picker, as in every form that has one.
struct PickerWindow {
    QWidget window;
    QLineEdit* before = new QLineEdit(&window);
    amb::DatePicker* picker = new amb::DatePicker(&window);
    QLineEdit* after = new QLineEdit(&window);

    explicit PickerWindow(const char* pattern) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(picker);
        layout->addWidget(after);
        picker->SetDateFormat(QString::fromLatin1(pattern));
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window, 1000));
    }
    void ReachBy(Reach reach) {
        switch (reach) {
        case Reach::ClickFirstPart:
        case Reach::ClickSecondPart:
        case Reach::ClickThirdPart:
            test::ClickDatePart(picker->DateEdit(), static_cast<int>(reach));
            break;
        case Reach::Tab:
            before->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // the "no date" tick box
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            break;
        case Reach::ShiftTab:
            after->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case Reach::Tick:
            QTest::mouseClick(picker->CheckBox(), Qt::LeftButton);
            break;
        }
    }
};

TEST(DatePickerTest, ADateIsTheDateTypedWhereverTypingStarts) {
    platform::ClockScope clock(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    struct Case {
        const char* pattern;
        QDate filled; // invalid: the picker holds no date
        Reach reach;
        const char* typed;
        QDate expected;
    };
    const Case cases[] = {
        // A whole date with its separators, from each part and from either Tab.
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickFirstPart, "1/5/1991", QDate(1991, 1, 5)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickSecondPart, "1/5/1991", QDate(1991, 1, 5)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickThirdPart, "1/5/1991", QDate(1991, 1, 5)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickSecondPart, "12/25/2003", QDate(2003, 12, 25)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickThirdPart, "10/31/1999", QDate(1999, 10, 31)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::Tab, "1/5/1991", QDate(1991, 1, 5)},
        {"m/d/yyyy", QDate(2026, 11, 29), Reach::ShiftTab, "3/8/2026", QDate(2026, 3, 8)},
        {"m/d/yyyy", QDate(2026, 12, 20), Reach::ClickFirstPart, "11/20/2026", QDate(2026, 11, 20)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickFirstPart, "11152020", QDate(2020, 11, 15)},
        {"yyyy-m-d", QDate(1990, 12, 10), Reach::ClickThirdPart, "1980-3-15", QDate(1980, 3, 15)},
        {"d.m.yyyy", QDate(1990, 12, 10), Reach::ClickSecondPart, "25.12.1990", QDate(1990, 12, 25)},
        {"d/m/yyyy", QDate(1990, 12, 10), Reach::ClickSecondPart, "13/12/1990", QDate(1990, 12, 13)},
        // One part typed replaces that part only.
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickFirstPart, "2", QDate(1990, 2, 10)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickSecondPart, "25", QDate(1990, 12, 25)},
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickThirdPart, "2001", QDate(2001, 12, 10)},
        // Typed over a text that is not a date, a date again.
        {"m/d/yyyy", QDate(1990, 12, 10), Reach::ClickFirstPart, "13\b", QDate(1990, 1, 10)},
        // Ticking an empty picker, then typing.
        {"m/d/yyyy", QDate(), Reach::Tick, "7/4/1976", QDate(1976, 7, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(static_cast<int>(c.reach)) + " " + c.typed);
        PickerWindow w(c.pattern);
        w.picker->SetDate(c.filled.isValid() ? std::optional<QDate>(c.filled) : std::nullopt);
        w.ReachBy(c.reach);
        ASSERT_TRUE(w.picker->DateEdit()->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(c.typed));
        // Tab leaves the date (it never steps to another part), and the next box takes what follows.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(w.after->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("50,000"));
        EXPECT_EQ(w.picker->Date(), c.expected);
        EXPECT_EQ(w.picker->DateEdit()->text(), c.expected.toString(w.picker->DateEdit()->displayFormat()));
        EXPECT_EQ(w.after->text(), QStringLiteral("50,000"));
    }
}

// A text that is not a date of the box's range stays shown and marked, the box keeps the date held
// before typing (nothing between is ever held), and Tab cannot leave it until Esc or a date typed.
TEST(DatePickerTest, ATextThatIsNotADateIsKeptShownAndNeverHeld) {
    struct Case {
        const char* pattern;
        QDate filled;
        Reach reach;
        const char* typed;
        const char* shown;
        const char* ending; // typed after the refused Tab: Esc, or a date
        QDate expected;
    };
    const QDate held(1988, 4, 9);
    const QDate last(1988, 1, 31);
    const Case cases[] = {
        {"m/d/yyyy", held, Reach::ClickFirstPart, "2/30/2026", "2/30/2026", "\x1b", held},
        {"m/d/yyyy", held, Reach::ClickSecondPart, "13/1/2026", "13/1/2026", "\x1b", held},
        {"m/d/yyyy", held, Reach::ClickThirdPart, "2/29/2025", "2/29/2025", "3/1/2025", QDate(2025, 3, 1)},
        {"m/d/yyyy", held, Reach::Tab, "1/1/1752", "1/1/1752", "\x1b", held},
        {"m/d/yyyy", last, Reach::ClickFirstPart, "2", "2/31/1988", "\x1b", last},
        {"m/d/yyyy", held, Reach::ClickThirdPart, "19", "4/9/19", "\x1b", held}, // a year left unfinished
        {"m/d/yyyy", held, Reach::ClickFirstPart, "00", "00/9/1988", "\x1b", held},
        {"yyyy-m-d", held, Reach::ClickSecondPart, "2026-2-30", "2026-2-30", "\x1b", held},
        {"yyyy-m-d", held, Reach::ClickFirstPart, "2026-13-1", "2026-13-1", "2026-2-28", QDate(2026, 2, 28)},
        // A whole date typed over the text kept.
        {"yyyy-m-d", held, Reach::ClickThirdPart, "2025-2-29", "2025-2-29", "2024-2-29", QDate(2024, 2, 29)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(static_cast<int>(c.reach)) + " " + c.typed);
        PickerWindow w(c.pattern);
        const QDate filled = c.filled;
        w.picker->SetDate(filled);
        w.ReachBy(c.reach);
        QDateTimeEdit* box = w.picker->DateEdit();
        ASSERT_TRUE(box->hasFocus());
        const QPalette plain = box->findChild<QLineEdit*>()->palette();
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        EXPECT_EQ(w.picker->Date(), filled) << "nothing is held while typing";
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_TRUE(box->hasFocus()) << "Tab is refused";
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
        EXPECT_TRUE(w.picker->DateEdit()->ShowsNonDate());
        EXPECT_NE(box->findChild<QLineEdit*>()->palette().color(QPalette::Text), plain.color(QPalette::Text))
            << "marked";
        EXPECT_EQ(w.picker->Date(), filled);
        EXPECT_EQ(w.picker->Value().ToDateTime().date(), filled);
        // Leaving by the mouse keeps it shown, and still nothing new is held.
        QTest::mouseClick(w.after, Qt::LeftButton);
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(w.picker->Date(), filled);
        // Esc shows the held date again; a date typed over the text is held.
        test::ClickDatePart(box, 0);
        if (QLatin1String(c.ending) == QLatin1String("\x1b")) {
            QTest::keyClick(box, Qt::Key_Escape);
            EXPECT_EQ(box->text(), filled.toString(box->displayFormat()));
        } else {
            QTest::keyClicks(box, QString::fromLatin1(c.ending));
        }
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_TRUE(w.after->hasFocus());
        EXPECT_FALSE(w.picker->DateEdit()->ShowsNonDate());
        EXPECT_EQ(box->findChild<QLineEdit*>()->palette().color(QPalette::Text), plain.color(QPalette::Text));
        EXPECT_EQ(w.picker->Date(), c.expected);
        EXPECT_EQ(box->text(), w.picker->Date()->toString(box->displayFormat()));
    }
}

TEST(DatePickerTest, ShiftTabLeavesTheDateForItsTickBox) {
    PickerWindow w("m/d/yyyy");
    w.picker->SetDate(QDate(1990, 12, 10));
    w.ReachBy(Reach::ShiftTab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(w.picker->CheckBox()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(w.before->hasFocus());
    EXPECT_EQ(w.picker->Date(), QDate(1990, 4, 10));
}

} // namespace
