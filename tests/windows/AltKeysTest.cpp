// A letter or digit pressed with Alt that no command of the window takes types nothing into a box:
// every text box, combo box and date box of every window, reached by Tab with its text selected, keeps
// its text. A command's Alt key, a date box's refusal over a text that is not a date and the Korean input
// method act as before, and what is stored is what was typed.

#include "tests/support/AltKeys.h"
#include "common/ResourceIDs.h"
#include "tests/support/DateClicks.h"
#include "tests/windows/EveryWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>

namespace {

// Each language with its own names and dates, as an installation of that language has them.
class AltKeysTest : public test::EveryWindowTest {
protected:
    AltKeysTest() {
        m_hub->SetNameLocaleID(GetParam());
        m_hub->SetDateFormat(Korean() ? QStringLiteral("yyyy-m-d") : QStringLiteral("m/d/yyyy"));
    }
};

TEST_P(AltKeysTest, NoBoxOfAnyWindowTypesAnAltKey) {
    const test::WindowRecords records = FillRecords();
    for (const amb::WindowEntryInfo& info : amb::kWindowEntries) {
        int boxes = 0;
        int shown = 0;
        QStringList changed;
        test::ModalScript script([&](QDialog& dialog) {
            if (shown++ == 0)
                changed = test::BoxesChangedByAltKeys(dialog, boxes);
        });
        Open(info, records);
        // The batch windows and the list window hold lists and commands only.
        EXPECT_EQ(boxes > 0, info.form != "BatchForm" && info.form != "ListForm") << info.entry;
        EXPECT_TRUE(changed.isEmpty()) << info.entry << ":\n" << changed.join(QLatin1Char('\n')).toStdString();
    }
}

// Alt with the letter of a caption ("&Save"), as X11 sends it.
void PressAltLetterOf(QWidget& window, const QString& caption) {
    const Qt::Key key = QKeySequence::mnemonic(caption)[0].key();
    const QByteArray text = QString(QChar(key)).toLower().toLatin1();
    test::PressAltKey(window, {.key = key, .modifiers = Qt::AltModifier, .text = text.constData()});
}

// Alt+F (the File menu's letter, which a record window does not have) and the keys no window uses.
void PressAltKeys(QWidget& window) {
    test::PressAltKey(window, {.key = Qt::Key_F, .modifiers = Qt::AltModifier, .text = "f"});
    for (const test::AltKey& key : test::kAltKeys)
        test::PressAltKey(window, key);
}

// Opens a drop-down list with a click and takes the entry below the one shown with the keyboard.
void ChooseNext(QDialog& dialog, const char* name) {
    auto* box = test::Child<QComboBox>(dialog, name);
    test::ClickWidget(box);
    test::PressKeyIn(box->view(), Qt::Key_Down);
    test::PressKeyIn(box->view(), Qt::Key_Return);
}

// A new person's name, typed (in Korean through the input method) and selected, keeps under the Alt
// keys; Save's letter over a date of birth that is not a date is refused, and after Esc it saves the
// name as typed. Opened again, the window shows the name selected in its first box; the Alt keys leave
// it and Enter stores it unchanged.
TEST_P(AltKeysTest, TheNameStoredIsTheNameTypedAndTheCommandsTakeTheirLetters) {
    const QString name = Korean() ? QStringLiteral("김은혜") : QStringLiteral("Mary");
    const char* column = Korean() ? "LanguageName" : "FirstName";
    int runs = 0;
    test::ModalScript script([&](QDialog& dialog) {
        auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName(), Korean() ? "txtLanguageName" : "txtFirstName");
        if (runs++ == 1) {
            EXPECT_EQ(box->selectedText(), name);
            PressAltKeys(dialog);
            EXPECT_EQ(box->text(), name);
            QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        if (Korean()) {
            QInputMethodEvent typed;
            typed.setCommitString(name);
            QApplication::sendEvent(box, &typed);
        } else {
            QTest::keyClicks(box, name);
            QTest::keyClick(box, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Lee"));
            test::ClickWidget(box);
        }
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
        ASSERT_EQ(box->selectedText(), name);
        PressAltKeys(dialog);
        EXPECT_EQ(box->text(), name);

        ChooseNext(dialog, "cboMemberStatus");
        ChooseNext(dialog, "cboSex");
        auto* birth = test::Child<QWidget>(dialog, "dtpDOB");
        test::ClickWidget(birth->findChild<QCheckBox*>());
        auto* date = birth->findChild<QDateTimeEdit*>();
        test::ClickDatePart(date, 0);
        QTest::keyClicks(date, Korean() ? QStringLiteral("2026-2-30") : QStringLiteral("2/30/2026"));
        const QString save = test::Child<QAbstractButton>(dialog, "cmdOK")->text();
        PressAltLetterOf(dialog, save);
        const QString stored = QStringLiteral("SELECT COUNT(*) FROM Person WHERE %1=?").arg(column);
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(amb::res::kMsgNotADate).arg(Text(amb::res::kLabelDateOfBirth))});
        EXPECT_EQ(Count(stored, {name}), 0);
        QTest::keyClick(date, Qt::Key_Escape);
        PressAltLetterOf(dialog, save);
        // The button's letter presses it as a click does, and the click ends a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return Count(stored, {name}) == 1; }));
        test::Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(0);
    const int32_t id = Value(QStringLiteral("SELECT MAX(ID) FROM Person")).ToInt();
    m_loader->ShowPersonWindow(id);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(Value(QStringLiteral("SELECT %1 FROM Person WHERE ID=?").arg(column), {id}).ToString(), name);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AltKeysTest, test::kBothLanguages, test::LanguageName);

} // namespace
