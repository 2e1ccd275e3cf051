#include "tests/main/MainFormFixture.h"
#include "tests/support/AltKeys.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTest>

namespace {

// The main window's boxes keep their text under an Alt key that no menu takes; with Alt held down,
// F opens the File menu from a box, and in the open menu each entry's letter picks that entry.
class MainWindowAltKeysTest : public test::MainFormTest,
                              public ::testing::WithParamInterface<amb::EnumSupportedLocaleID> {
protected:
    MainWindowAltKeysTest() : MainFormTest(GetParam()) {}

    // The letters of captions ("&File"), pressed one after another while Alt is held, as X11 sends them.
    void PressLettersWithAltHeld(const QStringList& captions) {
        QWindow* window = m_form->windowHandle();
        QTest::simulateEvent(window, true, Qt::Key_Alt, Qt::NoModifier, {}, false);
        for (const QString& caption : captions) {
            const Qt::Key key = QKeySequence::mnemonic(caption)[0].key();
            const QString text = QString(QChar(key)).toLower();
            QTest::simulateEvent(window, true, key, Qt::AltModifier, text, false);
            QTest::simulateEvent(window, false, key, Qt::AltModifier, text, false);
        }
        QTest::simulateEvent(window, false, Qt::Key_Alt, Qt::AltModifier, {}, false);
    }
};

TEST_P(MainWindowAltKeysTest, NoBoxTypesAnAltKeyAndTheMenusTakeTheirLetters) {
    OpenWindow();
    LogIn(false);
    // The group type, the range of dates and the search text, each shown with its kind of record.
    int boxes = 0;
    for (const char* node : {"Group", "Offering", "Member"}) {
        ClickNode(QString::fromLatin1(node));
        const QStringList changed = test::BoxesChangedByAltKeys(*m_form, boxes);
        EXPECT_TRUE(changed.isEmpty()) << node << ": " << changed.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_EQ(boxes, 4);

    SearchFor(QStringLiteral("Kim"));
    PressLettersWithAltHeld(
        {Menu("mnuFile")->title(), Menu("mnuFileNew")->title(), Action("mnuFileNewMember")->text()});
    EXPECT_EQ(m_loader->calls.last(), "ShowPersonWindow(0,0,0)");
    EXPECT_FALSE(Menu("mnuFile")->isVisible());
    EXPECT_EQ(SearchText()->currentText(), "Kim");
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowAltKeysTest,
                         ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean));

} // namespace
