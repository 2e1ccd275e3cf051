// A text that is not a date, typed into each date box of the windows in both languages: the box keeps
// the date held before, Tab and the window's command refuse it with the message naming the box, and
// nothing is stored or handed on; Esc shows the held date again, and that date is what is used.

#include "tests/windows/offering/DateWindowTest.h"

namespace {

using amb::EnumSupportedLocaleID;
namespace res = amb::res;
using test::Box;
using test::Child;
using test::Click;
using test::kBoxes;
using test::Window;

// Every way a person leaves a date box for the window's command.
enum class WayOut { Enter, KeypadEnter, ClickCommand, ClickNextThenCommand, AltCommand };
constexpr WayOut kWaysOut[] = {WayOut::Enter, WayOut::KeypadEnter, WayOut::ClickCommand, WayOut::ClickNextThenCommand,
                               WayOut::AltCommand};

// The texts typed: the non-dates, and the year of a held 29 February changed to a common year.
constexpr int kLeapYearChanged = static_cast<int>(std::size(test::kNonDates));
constexpr int kTexts = kLeapYearChanged + 1;

class NonDatesTest : public test::DateWindowTest {};

// Also a date in the other language's order: its keys that have no place are kept, and it is refused.
constexpr test::NonDate kOtherOrder{.mdy = "2026-03-15", .ymd = "3/15/2026"};

TEST_P(NonDatesTest, ATextThatIsNotADateIsRefusedAndTheHeldDateIsKept) {
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    int index = 0;
    for (const Box& box : kBoxes) {
        for (std::size_t text = 0; text <= std::size(test::kNonDates); ++text) {
            const test::NonDate& nonDate = text < std::size(test::kNonDates) ? test::kNonDates[text] : kOtherOrder;
            // Each part clicked, with and without Tab before the command, over the texts of each box.
            const int part = index % 3;
            const bool tabFirst = (index++ / 3) % 2 == 0;
            const QString typed = QString::fromLatin1(English() ? nonDate.mdy : nonDate.ymd);
            SCOPED_TRACE(std::string(box.picker) + " " + typed.toStdString() + " part " + std::to_string(part) +
                         (tabFirst ? " Tab" : ""));
            const Opened opened = InBox(box, giver, [&](QDialog& dialog, QDateTimeEdit* edit, QDate& held) {
                const QString expected = Text(res::kMsgNotADate).arg(Text(box.label));
                test::ClickDatePart(edit, part);
                QTest::keyClicks(edit, typed);
                EXPECT_EQ(edit->date(), held) << "nothing is held while typing";
                if (tabFirst) {
                    test::PressTabKey(Qt::Key_Tab);
                    EXPECT_EQ(QApplication::focusWidget(), edit) << "Tab is refused";
                }
                Click(dialog, box.window == Window::Report ? "cmdNext" : "cmdOK");
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(edit->text(), typed) << "kept as typed";
                EXPECT_EQ(edit->date(), held);
                EXPECT_EQ(m_messages.Texts(), QStringList(tabFirst ? 2 : 1, expected));
                EXPECT_EQ(QApplication::focusWidget(), edit);
                m_messages.Clear();
                // Esc shows the held date again; for the report and a batch row the command then goes on.
                QTest::keyClick(edit, Qt::Key_Escape);
                EXPECT_TRUE(dialog.isVisible()) << "Esc took back the text, and left the window open";
                EXPECT_EQ(edit->text(), held.toString(edit->displayFormat()));
                if (box.window == Window::Report) {
                    Click(dialog, "cmdNext");
                    Click(dialog, "cmdNext");
                } else if (box.window == Window::BatchRow) {
                    Click(dialog, "cmdOK");
                }
                Click(dialog, "cmdCancel");
            });
            ExpectHeldDateUsed(box, opened.id, opened.before, opened.held);
        }
    }
}

// Enter, the keypad's Enter, a click on the command, a click into the next control, and the command's
// Alt+letter: each meets the refusal with the text kept as typed and marked, and nothing is stored or
// handed on; after Esc the held date is shown and the command goes on with it. Each box meets every way
// out, and each way out every text over the boxes.
TEST_P(NonDatesTest, EveryWayOutOfTheBoxMeetsTheRefusal) {
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    int boxIndex = 0;
    for (const Box& box : kBoxes) {
        ++boxIndex;
        for (const WayOut way : kWaysOut) {
            const int textIndex = (boxIndex + static_cast<int>(way)) % kTexts;
            const bool leapYear = textIndex == kLeapYearChanged;
            // An end of a range keeps after its start: 29 February 2028 made 2029 there.
            const bool rangeEnd = box.label == res::kLabelRangeTo;
            const int leapHeld = rangeEnd ? 2028 : 2024;
            const QString typed = leapYear ? QString::number(leapHeld + 1)
                                           : QString::fromLatin1(English() ? test::kNonDates[textIndex].mdy
                                                                           : test::kNonDates[textIndex].ymd);
            SCOPED_TRACE(std::string(box.picker) + " " + std::to_string(boxIndex) + " way " +
                         std::to_string(static_cast<int>(way)) + " " + typed.toStdString());
            bool wentOn = false;
            const Opened opened = InBox(box, giver, [&](QDialog& dialog, QDateTimeEdit* edit, QDate& held) {
                const char* commandName = box.window == Window::Report ? "cmdNext" : "cmdOK";
                auto* command = Child<QAbstractButton>(dialog, commandName);
                const QKeySequence mnemonic = QKeySequence::mnemonic(command->text());
                if (way == WayOut::AltCommand && mnemonic.isEmpty())
                    return; // this command has no letter
                if (leapYear) {
                    // Held as typed whole: 29 February 2024; then its year typed over.
                    test::ClickDatePart(edit, 0);
                    QTest::keyClicks(edit, English() ? QStringLiteral("2/29/%1").arg(leapHeld)
                                                     : QStringLiteral("%1-2-29").arg(leapHeld));
                    test::ClickDatePart(edit, English() ? 2 : 0);
                    ASSERT_EQ(edit->date(), QDate(leapHeld, 2, 29));
                } else {
                    test::ClickDatePart(edit, 0);
                }
                held = edit->date();
                QTest::keyClicks(edit, typed);
                const QString shown = edit->text();
                int expectedMessages = 1;
                switch (way) {
                case WayOut::Enter:
                    test::PressKey(dialog, Qt::Key_Return);
                    break;
                case WayOut::KeypadEnter:
                    test::PressKey(dialog, Qt::Key_Enter, Qt::KeypadModifier);
                    break;
                case WayOut::ClickCommand:
                    Click(dialog, commandName);
                    break;
                case WayOut::ClickNextThenCommand:
                    test::ClickWidget(test::TabStopAfter(edit));
                    EXPECT_EQ(QApplication::focusWidget(), edit) << "the click into the next control is refused";
                    Click(dialog, commandName);
                    expectedMessages = 2;
                    break;
                case WayOut::AltCommand:
                    test::PressKey(dialog, static_cast<Qt::Key>(mnemonic[0].key()), Qt::AltModifier);
                    break;
                }
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(edit->text(), shown) << "kept as typed";
                EXPECT_EQ(edit->findChild<QLineEdit*>()->palette().color(QPalette::Text), QColor(0xc0, 0x00, 0x00))
                    << "and marked";
                EXPECT_EQ(edit->date(), held);
                EXPECT_EQ(m_messages.Texts(),
                          QStringList(expectedMessages, Text(res::kMsgNotADate).arg(Text(box.label))));
                EXPECT_EQ(QApplication::focusWidget(), edit);
                m_messages.Clear();
                QTest::keyClick(edit, Qt::Key_Escape);
                EXPECT_EQ(edit->text(), held.toString(edit->displayFormat())) << "shows what it holds";
                if (box.window == Window::Report) {
                    Click(dialog, "cmdNext");
                    Click(dialog, "cmdNext");
                } else if (box.window == Window::BatchRow) {
                    Click(dialog, "cmdOK");
                }
                wentOn = true;
                Click(dialog, "cmdCancel");
            });
            if (wentOn)
                ExpectHeldDateUsed(box, opened.id, opened.before, opened.held, !leapYear);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, NonDatesTest,
                         ::testing::Values(EnumSupportedLocaleID::English, EnumSupportedLocaleID::Korean));

} // namespace
