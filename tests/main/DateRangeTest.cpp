// The main window's date range typed as a person types it: the two boxes show the dates typed, and the
// list shows the offerings or expenses of that range.

#include "common/ResourceIDs.h"
#include "tests/main/MainFormFixture.h"
#include "tests/support/DateClicks.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

#include <algorithm>

namespace {

using test::Leave;
using test::Reach;

class DateRangeTest : public test::MainFormTest {
protected:
    explicit DateRangeTest(amb::EnumSupportedLocaleID language = amb::EnumSupportedLocaleID::English)
        : MainFormTest(language) {}
    // The list's rows by key, in key order.
    static QStringList SortedKeys(const QTreeWidget* list) {
        QStringList keys = Keys(list);
        std::sort(keys.begin(), keys.end());
        return keys;
    }
};

TEST_F(DateRangeTest, TheListShowsTheRangeTyped) {
    // The range offered is this month, 1 to 31 March 2026; the offerings are of 2, 5 and 9 March (ids 11,
    // 13 and 12), the expense of 1 March (id 21).
    const struct {
        const char* node;
        bool end; // the case types into the end of the range
        Reach reach;
        const char* typed;
        Leave leave;
        QDate expected;
        QStringList listed;
    } cases[] = {
        {"Offering", false, Reach::ClickMonth, "3/5/2026", Leave::Tab, QDate(2026, 3, 5), {"id||12", "id||13"}},
        {"Offering", true, Reach::ClickDay, "3/8/2026", Leave::ShiftTab, QDate(2026, 3, 8), {"id||11", "id||13"}},
        {"Offering",
         false,
         Reach::ClickYear,
         "2/2/2026",
         Leave::Tab,
         QDate(2026, 2, 2),
         {"id||11", "id||12", "id||13"}},
        {"Offering", false, Reach::ClickMonth, "2", Leave::Tab, QDate(2026, 2, 1), {"id||11", "id||12", "id||13"}},
        {"Offering", false, Reach::ClickDay, "6", Leave::Tab, QDate(2026, 3, 6), {"id||12"}},
        {"Offering", false, Reach::Tab, "3/3/2026", Leave::Tab, QDate(2026, 3, 3), {"id||12", "id||13"}},
        {"Offering", true, Reach::ShiftTab, "3/4/2026", Leave::ShiftTab, QDate(2026, 3, 4), {"id||11"}},
        {"Offering", true, Reach::Tab, "3/9/2026", Leave::Tab, QDate(2026, 3, 9), {"id||11", "id||12", "id||13"}},
        {"Expense", false, Reach::ShiftTab, "3/2/2026", Leave::Tab, QDate(2026, 3, 2), {}},
        {"Expense", true, Reach::ClickMonth, "3/1/2026", Leave::Tab, QDate(2026, 3, 1), {"id||21"}},
    };
    OpenWindow();
    LogIn(false);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.node) + (c.end ? " end " : " start ") + std::to_string(static_cast<int>(c.reach)) +
                     " " + c.typed);
        // Another kind first, so that the list's kind offers this month again.
        ClickNode(QStringLiteral("Member"));
        ClickNode(QString::fromLatin1(c.node));
        QDateTimeEdit* box = c.end ? EndDate() : StartDate();
        QDateTimeEdit* other = c.end ? StartDate() : EndDate();
        test::TypeIntoDate(box, c.reach, QString::fromLatin1(c.typed), c.leave);
        EXPECT_EQ(box->date(), c.expected);
        EXPECT_EQ(box->text(), c.expected.toString(QStringLiteral("M/d/yyyy")));
        EXPECT_EQ(other->date(), c.end ? QDate(2026, 3, 1) : QDate(2026, 3, 31)) << "the other date is left alone";
        ClickSearchButton();
        EXPECT_EQ(SortedKeys(List()), c.listed);
        // A range without a row is said to find nothing.
        EXPECT_EQ(m_messages.Texts(),
                  c.listed.isEmpty() ? QStringList{Text(amb::res::kMsgNoRecordFound)} : QStringList());
        m_messages.Clear();
    }
}

// Enter in a date box lists the range typed at once, the date typed in it included.
TEST_F(DateRangeTest, EnterInADateListsTheRangeTyped) {
    OpenWindow();
    LogIn(false);
    ClickNode(QStringLiteral("Offering"));
    test::ClickDatePart(EndDate(), 1);
    QTest::keyClicks(EndDate(), QStringLiteral("5"));
    test::PressKeyIn(EndDate(), Qt::Key_Return);
    EXPECT_EQ(EndDate()->date(), QDate(2026, 3, 5));
    EXPECT_EQ(SortedKeys(List()), (QStringList{"id||11", "id||13"}));
    EXPECT_TRUE(m_messages.Texts().isEmpty());
}

// A text that is not a date in either box of the range, in both languages: Tab and Search refuse it
// with the message naming the box, the list keeps the rows it showed, and after Esc the range held is
// searched.
class NonDateRangeTest : public DateRangeTest, public ::testing::WithParamInterface<amb::EnumSupportedLocaleID> {
protected:
    NonDateRangeTest() : DateRangeTest(GetParam()) {
        m_hub->SetDateFormat(English() ? QStringLiteral("m/d/yyyy") : QStringLiteral("yyyy-m-d"));
    }
    static bool English() { return GetParam() == amb::EnumSupportedLocaleID::English; }
    // Logged in, the offerings of the range offered listed.
    QStringList ListOfferings() {
        OpenWindow();
        LogIn(false);
        ClickNode(QStringLiteral("Offering"));
        ClickSearchButton();
        return SortedKeys(List());
    }
};

// Also a date in the other language's order: its keys that have no place are kept, and it is refused.
constexpr test::NonDate kOtherOrder{.mdy = "2026-03-15", .ymd = "3/15/2026"};

TEST_P(NonDateRangeTest, ATextThatIsNotADateIsRefusedAndTheRangeHeldIsSearched) {
    const QStringList listed = ListOfferings();
    ASSERT_EQ(listed, (QStringList{"id||11", "id||12", "id||13"}));
    int index = 0;
    for (const bool end : {false, true}) {
        for (std::size_t text = 0; text <= std::size(test::kNonDates); ++text) {
            const test::NonDate& nonDate = text < std::size(test::kNonDates) ? test::kNonDates[text] : kOtherOrder;
            const int part = index % 3;
            const bool tabFirst = (index++ / 3) % 2 == 0;
            const QString typed = QString::fromLatin1(English() ? nonDate.mdy : nonDate.ymd);
            SCOPED_TRACE(typed.toStdString() + (end ? " end" : " start") + " part " + std::to_string(part) +
                         (tabFirst ? " Tab" : ""));
            QDateTimeEdit* box = end ? EndDate() : StartDate();
            const QDate held = box->date();
            const QString expected =
                Text(amb::res::kMsgNotADate).arg(Text(end ? amb::res::kLabelRangeTo : amb::res::kLabelRangeFrom));
            test::ClickDatePart(box, part);
            QTest::keyClicks(box, typed);
            if (tabFirst) {
                test::PressTabKey(Qt::Key_Tab);
                EXPECT_EQ(QApplication::focusWidget(), box) << "Tab is refused";
            }
            ClickSearchButton();
            EXPECT_EQ(box->text(), typed);
            EXPECT_EQ(box->date(), held);
            EXPECT_EQ(m_messages.Texts(), QStringList(tabFirst ? 2 : 1, expected));
            EXPECT_EQ(QApplication::focusWidget(), box);
            EXPECT_EQ(SortedKeys(List()), listed) << "nothing searched";
            m_messages.Clear();
            QTest::keyClick(box, Qt::Key_Escape);
            EXPECT_EQ(box->text(), held.toString(box->displayFormat()));
            ClickSearchButton();
            EXPECT_EQ(SortedKeys(List()), listed) << "the range held";
            EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
            m_messages.Clear();
        }
    }
}

// Every other way out of a box of the range: Enter, the keypad's Enter, a click on Search, into the list
// and then Search, on the tree, on a menu, and a menu's Alt+letter. Each is refused with the message
// naming the box, which keeps the text typed, marked, and the focus; nothing is searched or opened.
TEST_P(NonDateRangeTest, EveryWayOutOfTheBoxMeetsTheRefusal) {
    enum class Way { Enter, KeypadEnter, ClickSearch, ClickListThenSearch, ClickTree, ClickMenu, AltMenu };
    constexpr int kLeapYear = static_cast<int>(std::size(test::kNonDates)); // 29 February 2024 made 2025
    const struct {
        Way way;
        bool end;
        int text; // of test::kNonDates, or kLeapYear
    } cases[] = {
        {.way = Way::Enter, .end = false, .text = 0},
        {.way = Way::KeypadEnter, .end = true, .text = 1},
        {.way = Way::ClickSearch, .end = false, .text = kLeapYear},
        {.way = Way::ClickListThenSearch, .end = true, .text = 2},
        {.way = Way::ClickTree, .end = false, .text = 3},
        {.way = Way::ClickMenu, .end = true, .text = 0},
        {.way = Way::AltMenu, .end = false, .text = 1},
        {.way = Way::Enter, .end = false, .text = kLeapYear},
        {.way = Way::KeypadEnter, .end = false, .text = 3},
        {.way = Way::ClickSearch, .end = true, .text = 2},
    };
    const QStringList listed = ListOfferings();
    ASSERT_EQ(listed, (QStringList{"id||11", "id||12", "id||13"}));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.way)) + (c.end ? " end " : " start ") + std::to_string(c.text));
        QDateTimeEdit* box = c.end ? EndDate() : StartDate();
        test::ClickDatePart(box, 0);
        if (c.text == kLeapYear) {
            QTest::keyClicks(box, QString::fromLatin1(English() ? "2/29/2024" : "2024-2-29"));
            test::ClickDatePart(box, English() ? 2 : 0);
            ASSERT_EQ(box->date(), QDate(2024, 2, 29));
        }
        const QDate held = box->date();
        QTest::keyClicks(box, c.text == kLeapYear ? QStringLiteral("2025")
                                                  : QString::fromLatin1(English() ? test::kNonDates[c.text].mdy
                                                                                  : test::kNonDates[c.text].ymd));
        const QString shown = box->text();
        int messages = 1;
        switch (c.way) {
        case Way::Enter:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            break;
        case Way::KeypadEnter:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
            break;
        case Way::ClickSearch:
            ClickSearchButton();
            break;
        case Way::ClickListThenSearch:
            test::ClickWidget(List()->viewport());
            ClickSearchButton();
            messages = 2;
            break;
        case Way::ClickTree:
            ClickNode(QStringLiteral("Member"));
            break;
        case Way::ClickMenu:
            QTest::mouseClick(m_form->menuBar(), Qt::LeftButton, {},
                              m_form->menuBar()->actionGeometry(Menu("mnuFile")->menuAction()).center());
            EXPECT_FALSE(Menu("mnuFile")->isVisible());
            break;
        case Way::AltMenu:
            QTest::keyClick(QApplication::focusWidget(),
                            static_cast<Qt::Key>(QKeySequence::mnemonic(Menu("mnuFile")->title())[0].key()),
                            Qt::AltModifier);
            EXPECT_FALSE(Menu("mnuFile")->isVisible());
            break;
        }
        EXPECT_EQ(box->text(), shown);
        EXPECT_EQ(box->findChild<QLineEdit*>()->palette().color(QPalette::Text), QColor(0xc0, 0x00, 0x00)) << "marked";
        EXPECT_EQ(box->date(), held);
        const QString expected =
            Text(amb::res::kMsgNotADate).arg(Text(c.end ? amb::res::kLabelRangeTo : amb::res::kLabelRangeFrom));
        EXPECT_EQ(m_messages.Texts(), QStringList(messages, expected));
        EXPECT_EQ(QApplication::focusWidget(), box);
        EXPECT_EQ(SortedKeys(List()), listed) << "nothing searched, no other list";
        m_messages.Clear();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(box->text(), held.toString(box->displayFormat())) << "shows what it holds";
        ClickSearchButton();
        EXPECT_EQ(SortedKeys(List()), listed);
        EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
        m_messages.Clear();
    }
}

// A text brought into either box of the range other than by typing it: a date is searched as it came; any
// other text is shown alone and marked, and Search refuses it with the message naming the box.
TEST_P(NonDateRangeTest, ATextThatComesInIsReadAsTyped) {
    const QStringList listed = ListOfferings();
    constexpr int kDate = static_cast<int>(std::size(test::kNonDates));
    int index = 0;
    for (const bool end : {false, true}) {
        for (const test::WayIn way : test::kWaysIn) {
            const int text = index % (kDate + 1);
            const int part = index++ % 3;
            const QString brought =
                text == kDate ? (English() ? "3/5/2026" : "2026-3-5")
                              : QString::fromLatin1(English() ? test::kNonDates[text].mdy : test::kNonDates[text].ymd);
            SCOPED_TRACE(brought.toStdString() + (end ? " end" : " start") + " way " +
                         std::to_string(static_cast<int>(way)) + " part " + std::to_string(part));
            QDateTimeEdit* box = end ? EndDate() : StartDate();
            const QDate held = box->date();
            const QString shown = test::BringIntoDate(box, way, brought, part);
            ClickSearchButton();
            if (text == kDate && way != test::WayIn::CutPart) {
                EXPECT_EQ(box->date(), QDate(2026, 3, 5));
                EXPECT_EQ(box->text(), brought);
                EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
                EXPECT_EQ(SortedKeys(List()),
                          end ? QStringList({"id||11", "id||13"}) : QStringList({"id||12", "id||13"}));
                test::ClickDatePart(box, 0);
                QTest::keyClicks(box, held.toString(box->displayFormat()));
            } else {
                EXPECT_EQ(box->text(), shown);
                EXPECT_EQ(box->findChild<QLineEdit*>()->palette().color(QPalette::Text), QColor(0xc0, 0x00, 0x00));
                EXPECT_EQ(box->date(), held);
                EXPECT_EQ(m_messages.Texts(),
                          QStringList{Text(amb::res::kMsgNotADate)
                                          .arg(Text(end ? amb::res::kLabelRangeTo : amb::res::kLabelRangeFrom))});
                EXPECT_EQ(SortedKeys(List()), listed) << "nothing searched";
                m_messages.Clear();
                QTest::keyClick(box, Qt::Key_Escape);
            }
            ClickSearchButton();
            EXPECT_EQ(SortedKeys(List()), listed) << "the range held again";
            EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
            m_messages.Clear();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, NonDateRangeTest,
                         ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean));

} // namespace
