#include "tests/main/MainFormFixture.h"

#include "common/ResourceIDs.h"
#include "main/AboutForm.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QTreeWidget>

#include "common/widgets/BusyScope.h"
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace test {
namespace {

namespace res = amb::res;

TEST_F(MainFormTest, FillsTheFrameInTheLoggedOutLook) {
    m_hub->SetDateFormat("yyyy-mm-dd");
    OpenWindow();
    EXPECT_EQ(m_form->windowTitle(), "Grace Church");

    // The clock: the stored pattern in the old notation, every second.
    EXPECT_EQ(m_form->sbarPanels[2]->text(), FixedNow().date().toString("yyyy-MM-dd"));
    EXPECT_TRUE(m_form->timMain->isActive());
    EXPECT_EQ(m_form->timMain->interval(), 1000);
    m_hub->SetDateFormat("m/d/yyyy");
    m_form->timMain_Timer();
    EXPECT_EQ(m_form->sbarPanels[2]->text(), FixedNow().date().toString("M/d/yyyy"));

    EXPECT_EQ(m_form->mnuFileLogInOut->text(), Text(res::kMenuFileLogIn));

    // Logged out: only the log-in button and File's log-in and exit work; View and Tools are gone.
    EXPECT_TRUE(m_form->tbarMainButtons[1]->isEnabled());
    for (int index : {3, 4, 6, 8, 10})
        EXPECT_FALSE(m_form->tbarMainButtons[index]->isEnabled()) << index;
    EXPECT_FALSE(m_form->mnuView->menuAction()->isVisible());
    EXPECT_FALSE(m_form->mnuTools->menuAction()->isVisible());
    EXPECT_FALSE(m_form->mnuFileNew->menuAction()->isEnabled());
    EXPECT_TRUE(m_form->mnuFileLogInOut->isEnabled());
    EXPECT_TRUE(m_form->mnuFileExit->isEnabled());
    EXPECT_TRUE(m_form->spltMain->isHidden());
    EXPECT_FALSE(m_form->cboSearchText->isEnabled());
    EXPECT_FALSE(m_form->tbarSearchButtons[2]->isEnabled());
}

TEST_F(MainFormTest, LogInEnablesTheWindowAndCancelKeepsItLoggedOut) {
    OpenWindow();
    ClickToolButton(m_form->tbarMain, m_form->tbarMainButtons[1]); // the loader answers -1: cancelled
    EXPECT_FALSE(m_form->IsLoggedIn());
    EXPECT_FALSE(m_form->tbarMainButtons[1]->isChecked());
    EXPECT_FALSE(amb::IsBusy(m_form.get()));
    EXPECT_EQ(m_loader->calls, QStringList{"ShowLogInWindow()"});

    LogIn(false);
    EXPECT_TRUE(m_form->tbarMainButtons[1]->isChecked());
    EXPECT_FALSE(m_form->spltMain->isHidden());
    EXPECT_TRUE(m_form->mnuView->menuAction()->isVisible());
    EXPECT_TRUE(m_form->cboSearchText->isEnabled());
    EXPECT_TRUE(m_form->tbarMainButtons[3]->isEnabled());
    EXPECT_EQ(m_form->lstvwData->headerItem()->text(0), Text(res::kColumnName));
    EXPECT_EQ(m_form->lstvwData->columnCount(), 7);
    m_form->mnuFile_Click();
    EXPECT_EQ(m_form->mnuFileLogInOut->text(), Text(res::kMenuFileLogOut));
    // Logging out from the group list leaves the text box alone on the search bar.
    m_form->show();
    ClickNode("Group");
    EXPECT_TRUE(m_form->cboGroupType->isVisible());
    m_messages.Answer(amb::MessageResult::Yes);
    ClickToolButton(m_form->tbarMain, m_form->tbarMainButtons[1]);
    EXPECT_FALSE(m_form->cboGroupType->isVisible());
    EXPECT_TRUE(m_form->cboSearchText->isVisible());
    EXPECT_EQ(m_form->dtpStart->date(), FixedNow().date());
    LogIn(false);
    // A user read back without a row leaves the window logged out.
    m_messages.Answer(amb::MessageResult::Yes);
    ClickToolButton(m_form->tbarMain, m_form->tbarMainButtons[1]);
    m_loader->results["ShowLogInWindow"] = 99;
    ClickToolButton(m_form->tbarMain, m_form->tbarMainButtons[1]);
    EXPECT_FALSE(m_form->IsLoggedIn());
    EXPECT_FALSE(m_form->tbarMainButtons[1]->isChecked());
}

TEST_F(MainFormTest, ClosingAsksAndNoKeepsTheWindowAndItsClock) {
    OpenWindow();
    m_form->show();
    m_form->SetAskOnClose(true);
    m_messages.Answer(amb::MessageResult::No);
    EXPECT_FALSE(m_form->close());
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(m_form->timMain->isActive());
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(m_messages.Shown()[0].text, Text(res::kMsgConfirmExit));
    EXPECT_EQ(m_messages.Shown()[0].style, 36);

    m_messages.Answer(amb::MessageResult::Yes);
    m_form->mnuFileExit_Click();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_FALSE(m_form->timMain->isActive());

    // The window's end saves nothing twice and lets go of the hub.
    m_form->Form_Terminate();
    m_form->Form_Terminate();
    EXPECT_EQ(m_form->Hub(), nullptr);
}

class KoreanMainFormTest : public MainFormTest {
protected:
    KoreanMainFormTest() : MainFormTest(amb::EnumSupportedLocaleID::Korean) {}
};

TEST_F(KoreanMainFormTest, CaptionsComeFromTheKoreanTableAndNamesFromTheLanguageName) {
    m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    OpenWindow();
    const QString file = Text(res::kMenuFile);
    EXPECT_NE(file, LoadStringTable(amb::EnumSupportedLocaleID::English)->Item("29").ToString());
    EXPECT_EQ(m_form->mnuFile->title(), file);
    EXPECT_EQ(m_form->FindNode("Member")->text(0), Text(res::kLabelMembers) + " (5)");
    LogIn(false);
    EXPECT_TRUE(Rows(m_form->lstvwBirthday).value(0).contains("|김사라 - "));

    // The search band, the item count and an offering without a giver speak Korean too; the English
    // texts stay as they were.
    EXPECT_EQ(m_form->lblSearchBand->text(), QString::fromUtf8("검색 "));
    SearchFor(QString::fromUtf8("김"));
    EXPECT_EQ(m_form->sbarPanels[0]->text(), QString::fromUtf8("3개 항목"));
    ClickNode("Offering");
    QTest::keyClick(m_form->dtpStart, Qt::Key_Return);
    EXPECT_EQ(Rows(m_form->lstvwData).value(1).section(QLatin1Char('|'), 1, 1), QString::fromUtf8("<알 수 없음>"));
    const auto english = LoadStringTable(amb::EnumSupportedLocaleID::English);
    const auto englishText = [&](int32_t id) { return english->Item(QString::number(id)).ToString(); };
    EXPECT_EQ(englishText(res::kLabelSearchBand), "Search ");
    EXPECT_EQ(englishText(res::kTextItemCount).arg(3), "3 item (s)");
    EXPECT_EQ(englishText(res::kTextUnknownGiver), "<Unknown>");
    EXPECT_EQ(englishText(res::kButtonMore), "&More...");
    EXPECT_EQ(englishText(res::kButtonClose), "&Close");

    // The About window's buttons; the string table's fixed words for kinds and the marital status.
    amb::ambrel::AboutForm about(m_form->Wrapper());
    ASSERT_EQ(about.UpdateForm(), 1);
    EXPECT_EQ(about.cmdMore->text(), QString::fromUtf8("자세히(&M)..."));
    EXPECT_EQ(about.cmdCancel->text(), QString::fromUtf8("닫기(&C)"));
    for (int32_t id : {23, 26, 47, 187, 232, 236, 243})
        EXPECT_TRUE(Text(id).contains(QString::fromUtf8("종류"))) << id;
    for (int32_t id : {36, 144})
        EXPECT_TRUE(Text(id).startsWith(QString::fromUtf8("혼인 상태"))) << id;
    EXPECT_EQ(Text(145).section(QLatin1Char(' '), 1), Text(146).section(QLatin1Char(' '), 1));
    EXPECT_TRUE(Text(114) == QString::fromUtf8("시/도") && Text(244).startsWith(QString::fromUtf8("시/도")));
    EXPECT_EQ(Text(82), QString::fromUtf8("사용 여부"));
}

} // namespace
} // namespace test
