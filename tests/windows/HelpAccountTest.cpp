// The help's "Give a colleague an account", followed step by step as a secretary reads it, in both
// languages: the account it makes logs in.

#include "platform/data/Recordset.h"
#include "tests/windows/AdminWindowTest.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

using amb::EnumSupportedLocaleID;

class HelpAccountTest : public test::DatabaseWindowTest, public ::testing::WithParamInterface<EnumSupportedLocaleID> {
protected:
    HelpAccountTest()
        : DatabaseWindowTest(GetParam(), GetParam() == EnumSupportedLocaleID::English ? 1033 : 1042) {}

    // Clicks into a box and types, as a person does.
    static void ClickAndType(QDialog& dialog, const char* box, const QString& text) {
        auto* edit = test::Child<QLineEdit>(dialog, box);
        ASSERT_NE(edit, nullptr);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, text);
    }
    // Clicks a check box's square, where a person ticks it.
    static void ClickBox(QDialog& dialog, const char* name) {
        auto* box = test::Child<QCheckBox>(dialog, name);
        ASSERT_NE(box, nullptr);
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, square.center());
    }
    static void ClickButton(QDialog& dialog, const char* name) {
        auto* button = test::Child<QAbstractButton>(dialog, name);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
};

TEST_P(HelpAccountTest, TheStepsOfTheHelpMakeAnAccountThatLogsIn) {
    // An administrator is logged in.
    m_hub->SetCurrentUserID(db->UpdateUser(test::Record({{"ID", 0},
                                                         {"Username", "ADMIN"},
                                                         {"Password", "a"},
                                                         {"Name", "Administrator"},
                                                         {"EMailAddress", ""},
                                                         {"IsAdmin", true},
                                                         {"IsEnabled", true}})));
    const QString password = QStringLiteral("Choir 2026");
    test::WindowSteps steps;
    steps.Then("ListForm", [&](QDialog& list) {
        // Click New: the New User window opens.
        test::ClickTool(list, "tbarListNew");
        ClickButton(list, "cmdClose");
    });
    steps.Then("UserForm", [&](QDialog& user) {
        // Fill User Name, Password, Confirm Password and Name; tick Account enabled; OK.
        ClickAndType(user, "txtUsername", QStringLiteral("grace"));
        ClickAndType(user, "txtPassword", password);
        ClickAndType(user, "txtConfirmPassword", password);
        ClickAndType(user, "txtName", QStringLiteral("Grace Kim"));
        // The help says why: the box starts unticked.
        EXPECT_FALSE(test::Child<QCheckBox>(user, "chkIsEnabled")->isChecked());
        ClickBox(user, "chkIsEnabled");
        ClickButton(user, "cmdOK");
        EXPECT_FALSE(user.isVisible());
    });
    m_loader->ShowListWindow(amb::EnumWindowType::User);
    ASSERT_TRUE(steps.Done());
    EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(u'|').toStdString();

    // Stored in capitals and enabled, as the help says.
    const int32_t grace = Value(QStringLiteral("SELECT ID FROM \"User\" WHERE Username='GRACE' AND IsEnabled=1")).ToInt();
    ASSERT_GT(grace, 0);

    // The colleague logs in with the name as typed and the password.
    test::WindowSteps logIn;
    logIn.Then("LogInForm", [&](QDialog& d) {
        ClickAndType(d, "txtUsername", QStringLiteral("grace"));
        QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(d.focusWidget(), password);
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(m_loader->ShowLogInWindow(), grace);
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpAccountTest,
                         ::testing::Values(EnumSupportedLocaleID::English, EnumSupportedLocaleID::Korean));

} // namespace
