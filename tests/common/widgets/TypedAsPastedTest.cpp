// Every key typed into a date box is kept: a run of keys ends as the same text pasted ends, and Backspace
// and Delete over a selection end as Cut does.

#include "common/widgets/DatePicker.h"

#include "tests/support/DateClicks.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

constexpr int kFirstPart = 0;
constexpr int kLastPart = 2;
const QDate kHeld(1988, 4, 9);

// Two date boxes of one pattern holding the same date, and a text box after them.
struct TwoBoxes {
    QWidget window;
    amb::DatePicker* typed = new amb::DatePicker(&window);
    amb::DatePicker* pasted = new amb::DatePicker(&window);
    QLineEdit* after = new QLineEdit(&window);

    explicit TwoBoxes(const char* pattern) {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(typed), static_cast<QWidget*>(pasted), static_cast<QWidget*>(after)})
            layout->addWidget(w);
        for (amb::DatePicker* picker : {typed, pasted}) {
            picker->SetDateFormat(QString::fromLatin1(pattern));
            picker->SetDate(kHeld);
        }
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window, 1000));
    }
};

// What a box came to once Tab was pressed in it.
struct Outcome {
    std::string shown;
    std::string held; // ISO, to read in a failure
    bool refused = false;
    bool marked = false;
};

Outcome Leave(amb::DateBox* box) {
    QTest::keyClick(box, Qt::Key_Tab);
    const bool refused = box->hasFocus();
    const auto* edit = box->findChild<QLineEdit*>();
    Outcome outcome{.shown = box->text().toStdString(),
                    .held = box->date().toString(Qt::ISODate).toStdString(),
                    .refused = refused,
                    .marked = edit->palette().color(QPalette::Text) == QColor(0xc0, 0x00, 0x00)};
    if (refused)
        QTest::keyClick(box, Qt::Key_Escape);
    return outcome;
}

TEST(TypedAsPastedTest, ARunOfKeysEndsAsTheSameTextPasted) {
    struct Row {
        const char* pattern;
        const char* keys;
        const char* shown;
        QDate date; // invalid: refused, the held date kept
    };
    const Row rows[] = {
        {"m/d/yyyy", "2026-03-15", "2026-03-15", {}},
        {"m/d/yyyy", "  8/8/1988", "8/8/1988", QDate(1988, 8, 8)},
        {"m/d/yyyy", "8/8/1988  ", "8/8/1988", QDate(1988, 8, 8)},
        {"m/d/yyyy", "3/15/26", "3/15/26", {}},
        {"m/d/yyyy", "12.25.1990", "12/25/1990", QDate(1990, 12, 25)},
        {"m/d/yyyy", "20260315", "20260315", {}},
        {"m/d/yyyy", "March 3", "March 3", {}},
        {"m/d/yyyy", "1/1/1752", "1/1/1752", {}},
        {"m/d/yyyy", "2/30/2026", "2/30/2026", {}},
        {"m/d/yyyy", "11/20/2026", "11/20/2026", QDate(2026, 11, 20)},
        {"yyyy-m-d", "2026-03-15", "2026-3-15", QDate(2026, 3, 15)},
        {"yyyy-m-d", "  8/8/1988", "8/8/1988", {}},
        {"yyyy-m-d", "8/8/1988  ", "8/8/1988", {}},
        {"yyyy-m-d", "3/15/26", "3/15/26", {}},
        {"yyyy-m-d", "12.25.1990", "12.25.1990", {}},
        {"yyyy-m-d", "20260315", "2026-3-15", QDate(2026, 3, 15)},
        {"yyyy-m-d", "March 3", "March 3", {}},
        {"yyyy-m-d", "1/1/1752", "1/1/1752", {}},
        {"yyyy-m-d", "2/30/2026", "2/30/2026", {}},
        {"yyyy-m-d", "2026-11-20", "2026-11-20", QDate(2026, 11, 20)},
        {"yyyy-m-d", "3/15/2026", "3/15/2026", {}},
        {"yyyy-m-d", "  1988-8-8", "1988-8-8", QDate(1988, 8, 8)},
    };
    for (const Row& row : rows) {
        for (const int part : {kFirstPart, kLastPart}) {
            SCOPED_TRACE(std::string(row.pattern) + " [" + row.keys + "] part " + std::to_string(part));
            TwoBoxes boxes(row.pattern);
            amb::DateBox* typedBox = boxes.typed->DateEdit();
            amb::DateBox* pastedBox = boxes.pasted->DateEdit();
            const QString keys = QString::fromLatin1(row.keys);

            test::ClickDatePart(typedBox, part);
            ASSERT_TRUE(typedBox->hasFocus());
            QTest::keyClicks(typedBox, keys);
            EXPECT_EQ(typedBox->date(), kHeld) << "nothing is held while typing";
            const Outcome typed = Leave(typedBox);

            QGuiApplication::clipboard()->setText(keys);
            test::ClickDatePart(pastedBox, part);
            ASSERT_TRUE(pastedBox->hasFocus());
            QTest::keySequence(pastedBox, QKeySequence::Paste);
            const Outcome pasted = Leave(pastedBox);

            const bool isDate = row.date.isValid();
            EXPECT_EQ(typed.shown, row.shown);
            EXPECT_EQ(typed.held, (isDate ? row.date : kHeld).toString(Qt::ISODate).toStdString());
            EXPECT_EQ(typed.refused, !isDate);
            EXPECT_EQ(typed.marked, !isDate);
            EXPECT_EQ(pasted.shown, typed.shown);
            EXPECT_EQ(pasted.held, typed.held);
            EXPECT_EQ(pasted.refused, typed.refused);
            EXPECT_EQ(pasted.marked, typed.marked);
        }
    }
}

// Outside a run, Backspace and Delete over a part or over the whole text leave what Ctrl+X leaves; during a
// run, Backspace takes back its last key, also one that had no place.
TEST(TypedAsPastedTest, BackspaceAndDeleteOverASelectionAreACut) {
    enum class Select { Part, All };
    struct Row {
        int part;
        Select select;
        Qt::Key key;
        const char* shown;
    };
    const Row rows[] = {
        {.part = 0, .select = Select::Part, .key = Qt::Key_Backspace, .shown = "/9/1988"},
        {.part = 1, .select = Select::Part, .key = Qt::Key_Delete, .shown = "4//1988"},
        {.part = 2, .select = Select::Part, .key = Qt::Key_Backspace, .shown = "4/9/"},
        {.part = 0, .select = Select::All, .key = Qt::Key_Delete, .shown = ""},
        {.part = 2, .select = Select::All, .key = Qt::Key_Backspace, .shown = ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.part) + (row.select == Select::All ? " all " : " part ") +
                     std::to_string(static_cast<int>(row.key)));
        TwoBoxes boxes("m/d/yyyy");
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        amb::DateBox* keyed = boxes.typed->DateEdit();
        test::ClickDatePart(keyed, row.part);
        if (row.select == Select::All)
            QTest::keySequence(keyed, QKeySequence::SelectAll);
        QTest::keyClick(keyed, row.key);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept")) << "the clipboard is left alone";
        const Outcome deleted = Leave(keyed);

        amb::DateBox* cut = boxes.pasted->DateEdit();
        test::ClickDatePart(cut, row.part);
        if (row.select == Select::All)
            QTest::keySequence(cut, QKeySequence::SelectAll);
        QTest::keySequence(cut, QKeySequence::Cut);
        const Outcome wasCut = Leave(cut);

        EXPECT_EQ(deleted.shown, row.shown);
        EXPECT_TRUE(deleted.refused);
        EXPECT_EQ(deleted.held, kHeld.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(wasCut.shown, deleted.shown);
        EXPECT_EQ(wasCut.refused, deleted.refused);
        EXPECT_EQ(wasCut.held, deleted.held);
    }

    const struct {
        const char* keys;
        const char* whileTyping; // after the Backspace
        QDate date;
    } runs[] = {
        {.keys = "12", .whileTyping = "1/9/1988", .date = QDate(1988, 1, 9)},
        {.keys = "12a", .whileTyping = "12/9/1988", .date = QDate(1988, 12, 9)},
        {.keys = "7/4/19765", .whileTyping = "7/4/1976", .date = QDate(1976, 7, 4)},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.keys);
        TwoBoxes boxes("m/d/yyyy");
        amb::DateBox* box = boxes.typed->DateEdit();
        test::ClickDatePart(box, 0);
        QTest::keyClicks(box, QString::fromLatin1(run.keys));
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text().toStdString(), run.whileTyping);
        EXPECT_FALSE(box->ShowsNonDate());
        const Outcome left = Leave(box);
        EXPECT_FALSE(left.refused);
        EXPECT_EQ(left.held, run.date.toString(Qt::ISODate).toStdString());
    }
}

} // namespace
