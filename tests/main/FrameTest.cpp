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
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace test {
namespace {

namespace res = amb::res;

TEST_F(MainFormTest, FillsTheFrameInTheLoggedOutLook) {
    m_hub->SetDateFormat("yyyy-mm-dd");
    OpenWindow();
    EXPECT_EQ(m_form->windowTitle(), "Grace Church");

    // The clock: the stored pattern in the old notation, every second.
    EXPECT_EQ(Panel(2)->text(), FixedNow().date().toString("yyyy-MM-dd"));
    EXPECT_TRUE(Find<QTimer>("timMain")->isActive());
    EXPECT_EQ(Find<QTimer>("timMain")->interval(), 1000);
    m_hub->SetDateFormat("m/d/yyyy");
    // The next tick of the clock.
    QMetaObject::invokeMethod(Find<QTimer>("timMain"), "timeout");
    EXPECT_EQ(Panel(2)->text(), FixedNow().date().toString("M/d/yyyy"));

    EXPECT_EQ(Action("mnuFileLogInOut")->text(), Text(res::kMenuFileLogIn));

    // Logged out: only the log-in button and File's log-in and exit work; View and Tools are gone.
    EXPECT_TRUE(Action("LogInOut")->isEnabled());
    for (const char* key : {"AddNew", "Open", "Delete", "Print", "Report"})
        EXPECT_FALSE(Action(key)->isEnabled()) << key;
    EXPECT_FALSE(Menu("mnuView")->menuAction()->isVisible());
    EXPECT_FALSE(Menu("mnuTools")->menuAction()->isVisible());
    EXPECT_FALSE(Menu("mnuFileNew")->menuAction()->isEnabled());
    EXPECT_TRUE(Action("mnuFileLogInOut")->isEnabled());
    EXPECT_TRUE(Action("mnuFileExit")->isEnabled());
    EXPECT_TRUE(Find<QSplitter>("spltMain")->isHidden());
    EXPECT_FALSE(SearchText()->isEnabled());
    EXPECT_FALSE(Action("tbarSearchButton2")->isEnabled());
}

// The commands stand in their menus and on the toolbar in the designed order, separators between groups.
TEST_F(MainFormTest, CommandsStandInTheirDesignedPlaces) {
    OpenWindow();
    const auto names = [](const QList<QAction*>& actions, QToolBar* bar) {
        QStringList shown;
        for (QAction* action : actions) {
            if (action->isSeparator())
                shown << "|";
            else if (auto* button = bar ? qobject_cast<QToolButton*>(bar->widgetForAction(action)) : nullptr)
                shown << button->defaultAction()->objectName();
            else
                shown << action->objectName();
        }
        return shown;
    };
    EXPECT_EQ(names(MainBar()->actions(), MainBar()),
              (QStringList{"LogInOut", "|", "AddNew", "Open", "|", "Delete", "|", "Print", "|", "Report"}));
    EXPECT_EQ(names(Menu("mnuFile")->actions(), nullptr),
              (QStringList{"mnuFileNew", "mnuFileOpen", "|", "mnuFileDelete", "|", "mnuFilePrint", "|",
                           "mnuFileLogInOut", "mnuFileChangePassword", "|", "mnuFileExit"}));
    EXPECT_EQ(names(Menu("mnuFileNew")->actions(), nullptr),
              (QStringList{"mnuFileNewMember", "mnuFileNewFamily", "mnuFileNewGroup", "|", "mnuFileNewOffering",
                           "mnuFileNewExpense"}));
    EXPECT_EQ(names(Menu("mnuTools")->actions(), nullptr),
              (QStringList{"mnuToolsLookUp", "|", "mnuToolsReport", "|", "mnuToolsUser", "|", "mnuToolsOptions"}));
    EXPECT_EQ(names(Menu("mnuHelp")->actions(), nullptr), (QStringList{"mnuHelpContents", "|", "mnuHelpAbout"}));
    EXPECT_EQ(names(Find<QMenu>("tbarMainAddNewMenu")->actions(), nullptr),
              (QStringList{"NewMember", "NewFamily", "NewGroup", "|", "NewOffering", "NewExpense"}));
    EXPECT_EQ(names(m_form->menuBar()->actions(), nullptr), (QStringList{"mnuFile", "mnuView", "mnuTools", "mnuHelp"}));
    EXPECT_EQ(Action("mnuHelpContents")->shortcut(), QKeySequence(QKeySequence::HelpContents));
    EXPECT_EQ(Action("Open")->text(), Text(res::kToolOpen));
    EXPECT_EQ(Action("Open")->toolTip(), Text(res::kToolOpen));
    EXPECT_EQ(Action("mnuFileOpen")->text(), Text(res::kMenuFileOpen));
}

TEST_F(MainFormTest, LogInEnablesTheWindowAndCancelKeepsItLoggedOut) {
    OpenWindow();
    ClickMainButton("LogInOut"); // the loader answers -1: cancelled
    EXPECT_FALSE(m_form->IsLoggedIn());
    EXPECT_FALSE(Action("LogInOut")->isChecked());
    EXPECT_FALSE(amb::IsBusy(m_form.get()));
    EXPECT_EQ(m_loader->calls, QStringList{"ShowLogInWindow()"});

    LogIn(false);
    EXPECT_TRUE(Action("LogInOut")->isChecked());
    EXPECT_FALSE(Find<QSplitter>("spltMain")->isHidden());
    EXPECT_TRUE(Menu("mnuView")->menuAction()->isVisible());
    EXPECT_TRUE(SearchText()->isEnabled());
    EXPECT_TRUE(Action("AddNew")->isEnabled());
    EXPECT_EQ(List()->headerItem()->text(0), Text(res::kColumnName));
    EXPECT_EQ(List()->columnCount(), 7);
    OpenMenu("mnuFile");
    EXPECT_EQ(Action("mnuFileLogInOut")->text(), Text(res::kMenuFileLogOut));
    // Logging out from the group list leaves the text box alone on the search bar.
    m_form->show();
    ClickNode("Group");
    EXPECT_TRUE(GroupType()->isVisible());
    m_messages.Answer(amb::MessageResult::Yes);
    ClickMainButton("LogInOut");
    EXPECT_FALSE(GroupType()->isVisible());
    EXPECT_TRUE(SearchText()->isVisible());
    EXPECT_EQ(StartDate()->date(), FixedNow().date());
    LogIn(false);
    // A user read back without a row leaves the window logged out.
    m_messages.Answer(amb::MessageResult::Yes);
    ClickMainButton("LogInOut");
    m_loader->results["ShowLogInWindow"] = 99;
    ClickMainButton("LogInOut");
    EXPECT_FALSE(m_form->IsLoggedIn());
    EXPECT_FALSE(Action("LogInOut")->isChecked());
}

TEST_F(MainFormTest, ClosingAsksAndNoKeepsTheWindowAndItsClock) {
    OpenWindow();
    m_form->show();
    m_form->SetAskOnClose(true);
    m_messages.Answer(amb::MessageResult::No);
    EXPECT_FALSE(m_form->close());
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(Find<QTimer>("timMain")->isActive());
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(m_messages.Shown()[0].text, Text(res::kMsgConfirmExit));
    EXPECT_EQ(m_messages.Shown()[0].style, 36);

    m_messages.Answer(amb::MessageResult::Yes);
    ChooseMenuEntry({"mnuFile", "mnuFileExit"});
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_FALSE(Find<QTimer>("timMain")->isActive());

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
    EXPECT_EQ(Menu("mnuFile")->title(), file);
    EXPECT_EQ(Node("Member")->text(0), Text(res::kLabelMembers) + " (5)");
    LogIn(false);
    EXPECT_TRUE(Rows(Birthdays()).value(0).contains("|김사라 - "));

    // The search band, the item count and an offering without a giver speak Korean too; the English
    // texts stay as they were.
    EXPECT_EQ(Find<QLabel>("lblSearchBand")->text(), QString::fromUtf8("검색 "));
    SearchFor(QString::fromUtf8("김"));
    EXPECT_EQ(Panel(0)->text(), QString::fromUtf8("자료 3개"));
    ClickNode("Offering");
    test::PressKeyIn(StartDate(), Qt::Key_Return);
    EXPECT_EQ(Rows(List()).value(1).section(QLatin1Char('|'), 1, 1), QString::fromUtf8("<알 수 없음>"));
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

// The group search's "all" entry, which the database hands over as '<All>' with id -999, is shown
// first in the interface language and still lists every group.
struct AllEntry {
    amb::EnumSupportedLocaleID language;
    const char* shown;
};

class AllGroupsEntryTest : public MainFormTest, public ::testing::WithParamInterface<AllEntry> {
protected:
    AllGroupsEntryTest() : MainFormTest(GetParam().language) {}
};

TEST_P(AllGroupsEntryTest, IsShownInTheInterfaceLanguageAndListsEveryGroup) {
    const QString shown = QString::fromUtf8(GetParam().shown);
    OpenWindow();
    LogIn(false);
    ClickNode("Group");
    ASSERT_EQ(GroupType()->count(), 3);
    EXPECT_EQ(GroupType()->itemText(0), shown);
    ChooseFromDropDown(GroupType(), "Study");
    ChooseFromDropDown(GroupType(), shown);
    ClickSearchButton();
    EXPECT_EQ(m_database->calls.filter("GetGroupByGroupTypeID").last(), "GetGroupByGroupTypeID(-999)");
    EXPECT_EQ(List()->topLevelItemCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Languages, AllGroupsEntryTest,
                         ::testing::Values(AllEntry{amb::EnumSupportedLocaleID::English, "<All>"},
                                           AllEntry{amb::EnumSupportedLocaleID::Korean, "<전체>"}),
                         [](const ::testing::TestParamInfo<AllEntry>& info) {
                             return std::to_string(static_cast<int>(info.param.language));
                         });

} // namespace
} // namespace test
