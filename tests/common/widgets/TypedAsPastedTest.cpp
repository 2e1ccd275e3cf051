// Every key typed into a date box is kept: a run of keys ends as the same text pasted ends, and Backspace
// and Delete over a selection end as Cut does.

#include "common/widgets/DatePicker.h"
#include "tests/support/DateClicks.h"

#include <QVBoxLayout>

namespace {

const QDate kHeld(1988, 4, 9);

// Two date boxes of one pattern holding kHeld, in an active window.
struct TwoBoxes {
    QWidget window;
    amb::DateBox* first;
    amb::DateBox* second;

    explicit TwoBoxes(const char* pattern) {
        auto* layout = new QVBoxLayout(&window);
        for (amb::DateBox** box : {&first, &second}) {
            auto* picker = new amb::DatePicker(&window);
            layout->addWidget(picker);
            picker->SetDateFormat(QString::fromLatin1(pattern));
            picker->SetDate(kHeld);
            *box = picker->DateEdit();
        }
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

// What a box shows and holds once Tab is pressed in it, and whether it refused Tab (then Esc) and marked its text.
std::string Leave(amb::DateBox* box) {
    QTest::keyClick(box, Qt::Key_Tab);
    const bool refused = box->hasFocus();
    const bool marked = box->findChild<QLineEdit*>()->palette().color(QPalette::Text) == QColor(0xc0, 0x00, 0x00);
    const QString outcome = box->text() + u' ' + box->date().toString(Qt::ISODate) + (refused ? " refused" : "") +
                            (marked ? " marked" : "");
    if (refused)
        QTest::keyClick(box, Qt::Key_Escape);
    return outcome.toStdString();
}

TEST(TypedAsPastedTest, ARunOfKeysEndsAsTheSameTextPasted) {
    // The date each pattern reads; none: refused, the text shown as typed.
    const struct {
        const char* keys;
        QDate mdy{};
        QDate ymd{};
    } rows[] = {
        {.keys = "2026-03-15", .ymd = QDate(2026, 3, 15)},
        {.keys = "  8/8/1988", .mdy = QDate(1988, 8, 8)},
        {.keys = "8/8/1988  ", .mdy = QDate(1988, 8, 8)},
        {.keys = "3/15/26"},
        {.keys = "3/15/ 2026"},
        {.keys = "12.25.1990", .mdy = QDate(1990, 12, 25)},
        {.keys = "20260315", .ymd = QDate(2026, 3, 15)},
        {.keys = "March 3"},
        {.keys = "1/1/1752"},
        {.keys = "2/30/2026"},
        {.keys = "3/15/2026", .mdy = QDate(2026, 3, 15)},
        {.keys = "  1988-8-8", .ymd = QDate(1988, 8, 8)},
    };
    for (const auto& row : rows)
        for (const bool english : {true, false})
            for (const int part : {0, 2}) {
                SCOPED_TRACE(std::string(row.keys) + (english ? " mdy " : " ymd ") + std::to_string(part));
                const QDate date = english ? row.mdy : row.ymd;
                const QString keys = QString::fromLatin1(row.keys);
                TwoBoxes boxes(english ? "m/d/yyyy" : "yyyy-m-d");
                test::ClickDatePart(boxes.first, part);
                QTest::keyClicks(boxes.first, keys);
                EXPECT_EQ(boxes.first->date(), kHeld) << "nothing is held while typing";
                const std::string typed = Leave(boxes.first);
                const QString expected =
                    date.isValid()
                        ? QString(date.toString(boxes.first->displayFormat()) + u' ' + date.toString(Qt::ISODate))
                        : keys.trimmed() + u' ' + kHeld.toString(Qt::ISODate) + " refused marked";
                EXPECT_EQ(typed, expected.toStdString());

                QGuiApplication::clipboard()->setText(keys);
                test::ClickDatePart(boxes.second, part);
                QTest::keySequence(boxes.second, QKeySequence::Paste);
                EXPECT_EQ(Leave(boxes.second), typed);
            }
}

// Spaces around a paste are no keys however many there are.
TEST(TypedAsPastedTest, ALongPasteIsReadAsItsText) {
    const QString spaces(32000, u' ');
    TwoBoxes boxes("m/d/yyyy");
    QGuiApplication::clipboard()->setText(spaces + "3/15/2026" + spaces);
    test::ClickDatePart(boxes.first, 1);
    QTest::keySequence(boxes.first, QKeySequence::Paste);
    EXPECT_EQ(Leave(boxes.first), "3/15/2026 2026-03-15");
}

// Outside a run, Backspace and Delete over a part or the whole text leave what Ctrl+X leaves, and the
// clipboard alone; during a run, Backspace takes back its last key, also one that had no place.
TEST(TypedAsPastedTest, BackspaceAndDeleteOverASelectionAreACut) {
    const struct {
        int part;
        bool all = false;     // Ctrl+A first
        const char* run = ""; // typed before the key
        Qt::Key key = Qt::Key_Backspace;
    } rows[] = {
        {.part = 0},
        {.part = 1, .key = Qt::Key_Delete},
        {.part = 0, .all = true, .key = Qt::Key_Delete},
        {.part = 2, .all = true},
        {.part = 0, .run = "12"},
        {.part = 0, .run = "12a"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(&row - rows));
        TwoBoxes boxes("m/d/yyyy");
        const QString run = QString::fromLatin1(row.run);
        const auto reach = [&](amb::DateBox* box) {
            test::ClickDatePart(box, row.part);
            if (row.all)
                QTest::keySequence(box, QKeySequence::SelectAll);
        };
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        reach(boxes.first);
        QTest::keyClicks(boxes.first, run);
        QTest::keyClick(boxes.first, row.key);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        const std::string keyed = Leave(boxes.first);

        reach(boxes.second);
        if (run.isEmpty())
            QTest::keySequence(boxes.second, QKeySequence::Cut);
        else
            QTest::keyClicks(boxes.second, run.chopped(1));
        EXPECT_EQ(Leave(boxes.second), keyed);
    }
}

} // namespace
