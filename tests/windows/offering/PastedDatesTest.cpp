// A text brought into a date box of each kind other than by typing it, in both languages: a date is held
// and used as it came; any other text is shown alone and marked, the window's command refuses it with the
// message naming the box, and nothing is stored. Over such a text the steps change nothing, and F4 and
// Alt+Down open the calendar, where a day picked is the date.

#include "tests/windows/offering/DateWindowTest.h"

#include <QCalendarWidget>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QWheelEvent>

namespace {

using test::Box;
using test::Child;
using test::Click;
using test::kBoxes;
using test::PressFocused;
using test::WayIn;
using test::Window;

// A box of each kind: a person's date, a new person's date of birth, an offering's, an expense's, a batch
// row's, a report's From and To.
constexpr int kKinds[] = {0, 4, 5, 6, 7, 8, 9};
constexpr int kValid = static_cast<int>(std::size(test::kNonDates)); // after the texts that are not dates

class PastedDatesTest : public test::DateWindowTest {
protected:
    static QString TextOf(int text) {
        if (text == kValid)
            return English() ? QStringLiteral("12/15/2026") : QStringLiteral("2026-12-15");
        return QString::fromLatin1(English() ? test::kNonDates[text].mdy : test::kNonDates[text].ymd);
    }
    static bool Marked(QDateTimeEdit* edit) {
        return edit->findChild<QLineEdit*>()->palette().color(QPalette::Text) == QColor(0xc0, 0x00, 0x00);
    }
    // The window's command refuses the text shown with the message naming the box; after Esc the held date
    // is used as the window goes on (the report and a batch row), or the window is cancelled.
    void ExpectRefused(QDialog& dialog, const Box& box, QDateTimeEdit* edit, const QString& shown, const QDate& held) {
        EXPECT_EQ(edit->text(), shown);
        EXPECT_TRUE(Marked(edit));
        EXPECT_EQ(edit->date(), held);
        Click(dialog, box.window == Window::Report ? "cmdNext" : "cmdOK");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(edit->text(), shown);
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(amb::res::kMsgNotADate).arg(Text(box.label))});
        m_messages.Clear();
        QTest::keyClick(edit, Qt::Key_Escape);
        GoOn(dialog, box, false);
    }
    // The command goes on with the date shown: the report is printed or a batch row added, and the window
    // left; an editing window saves (a new person with what it requires too), or is cancelled.
    void GoOn(QDialog& dialog, const Box& box, bool save) {
        if (box.window == Window::Report) {
            Click(dialog, "cmdNext");
            Click(dialog, "cmdNext");
        }
        const bool editing = box.window != Window::Report && box.window != Window::BatchRow;
        if (!editing)
            Click(dialog, box.window == Window::BatchRow ? "cmdOK" : "cmdCancel");
        if (save && box.window == Window::NewPerson) {
            test::Choose(dialog, "cboMemberStatus", TypeName("MemberStatus", 1));
            test::Choose(dialog, "cboSex", TypeName("Sex", 2));
            test::TypeText(dialog, "txtFirstName", QStringLiteral("Mary"));
            test::TypeText(dialog, "txtLastName", QStringLiteral("Park"));
        }
        if (dialog.isVisible())
            Click(dialog, editing && save ? "cmdOK" : "cmdCancel");
    }
};

TEST_P(PastedDatesTest, ATextThatComesInIsReadAsTyped) {
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    int index = 0;
    for (const int kind : kKinds) {
        for (const WayIn way : test::kWaysIn) {
            // Every text over the ways of a box, and over the boxes of a way.
            const int text = index % (kValid + 1);
            const int part = index++ % 3;
            const Box& box = kBoxes[kind];
            const bool date = text == kValid && way != WayIn::CutPart;
            SCOPED_TRACE(std::string(box.picker) + " way " + std::to_string(static_cast<int>(way)) + " " +
                         TextOf(text).toStdString() + " part " + std::to_string(part));
            const Opened opened = InBox(box, giver, [&](QDialog& dialog, QDateTimeEdit* edit, const QDate& held) {
                const QString shown = test::BringIntoDate(edit, way, TextOf(text), part);
                if (!date) {
                    ExpectRefused(dialog, box, edit, shown, held);
                    return;
                }
                EXPECT_EQ(edit->date(), QDate(2026, 12, 15));
                EXPECT_EQ(edit->text(), TextOf(text));
                EXPECT_FALSE(Marked(edit));
                GoOn(dialog, box, true);
            });
            if (date)
                ExpectDateUsed(box, opened.id, QDate(2026, 12, 15));
            else
                ExpectHeldDateUsed(box, opened.id, opened.before, opened.held);
        }
    }
}

// Each step over a text that is not a date changes nothing, and the command refuses it; F4 and Alt+Down open
// the calendar without a step, where Esc keeps the text and a day picked (the held one too) is the date.
TEST_P(PastedDatesTest, OverATextThatIsNotADateNoStepChangesTheDateAndTheCalendarPicksOne) {
    enum class By { Key, Wheel, Menu, Arrow }; // the arrow clicked, then the day shown clicked
    const struct {
        By by;
        Qt::Key key = Qt::Key_unknown; // also the wheel's way
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        const char* entry = nullptr;
        std::vector<Qt::Key> inCalendar = {};
        std::optional<int> picked = std::nullopt; // days from the held date
    } cases[] = {
        {.by = By::Key, .key = Qt::Key_Up},
        {.by = By::Key, .key = Qt::Key_Down},
        {.by = By::Key, .key = Qt::Key_PageUp},
        {.by = By::Key, .key = Qt::Key_PageDown},
        {.by = By::Wheel, .key = Qt::Key_Up},
        {.by = By::Wheel, .key = Qt::Key_Down},
        {.by = By::Menu, .entry = "&Step up"},
        {.by = By::Menu, .entry = "Step &down"},
        {.by = By::Key, .key = Qt::Key_F4, .inCalendar = {Qt::Key_Escape}},
        {.by = By::Key, .key = Qt::Key_Down, .modifiers = Qt::AltModifier, .inCalendar = {Qt::Key_Escape}},
        {.by = By::Key, .key = Qt::Key_F4, .inCalendar = {Qt::Key_Return}, .picked = 0},
        {.by = By::Key,
         .key = Qt::Key_Down,
         .modifiers = Qt::AltModifier,
         .inCalendar = {Qt::Key_Up, Qt::Key_Return},
         .picked = -7},
        {.by = By::Arrow, .picked = 0},
    };
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    int index = 0;
    for (const auto& c : cases) {
        const Box& box = kBoxes[kKinds[index % std::size(kKinds)]];
        const QString typed = TextOf(index++ % kValid);
        SCOPED_TRACE(std::string(box.picker) + " case " + std::to_string(index) + " " + typed.toStdString());
        const Opened opened = InBox(box, giver, [&](QDialog& dialog, QDateTimeEdit* edit, const QDate& held) {
            test::ClickDatePart(edit, index % 3);
            QTest::keyClicks(edit, typed);
            const QPoint middle = test::PointOfDatePart(edit, 0);
            QWheelEvent wheel(middle, edit->mapToGlobal(middle), {}, {0, c.key == Qt::Key_Up ? 120 : -120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QStyleOptionComboBox arrow;
            arrow.initFrom(edit);
            arrow.editable = true;
            switch (c.by) {
            case By::Key:
                PressFocused(c.key, c.modifiers);
                break;
            case By::Wheel:
                QApplication::sendEvent(edit, &wheel);
                break;
            case By::Menu:
                test::PickFromContextMenu(edit, middle, test::MenuText("QAbstractSpinBox", c.entry));
                break;
            case By::Arrow:
                QTest::mouseClick(edit, Qt::LeftButton, {},
                                  edit->style()
                                      ->subControlRect(QStyle::CC_ComboBox, &arrow, QStyle::SC_ComboBoxArrow, edit)
                                      .center());
                break;
            }
            QCalendarWidget* calendar = edit->calendarWidget();
            EXPECT_EQ(calendar->isVisible(), !c.inCalendar.empty() || c.by == By::Arrow) << "the calendar";
            EXPECT_EQ(edit->date(), held) << "nothing stepped";
            if (calendar->isVisible()) {
                QString name;
                QMetaObject::invokeMethod(edit, "Name", Q_RETURN_ARG(QString, name));
                EXPECT_FALSE(name.isEmpty());
                EXPECT_EQ(calendar->accessibleName(), name) << "a reader hears whose calendar it is";
            }
            for (const Qt::Key key : c.inCalendar)
                PressFocused(key);
            if (c.by == By::Arrow) {
                auto* days = calendar->findChild<QTableView*>();
                QTest::mouseClick(days->viewport(), Qt::LeftButton, {},
                                  days->visualRect(days->currentIndex()).center());
            }
            EXPECT_FALSE(calendar->isVisible());
            if (!c.picked) {
                ExpectRefused(dialog, box, edit, typed, held);
                return;
            }
            EXPECT_EQ(edit->text(), held.addDays(*c.picked).toString(edit->displayFormat()));
            EXPECT_FALSE(Marked(edit));
            GoOn(dialog, box, true);
        });
        if (c.picked)
            ExpectDateUsed(box, opened.id, opened.held.addDays(*c.picked));
        else
            ExpectHeldDateUsed(box, opened.id, opened.before, opened.held);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PastedDatesTest,
                         ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean));

} // namespace
