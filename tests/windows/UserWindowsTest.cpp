#include "common/ResourceIDs.h"
#include "platform/data/Recordset.h"
#include "tests/windows/AdminWindowTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

using namespace amb::res;
using amb::EnumWindowType;
using amb::MessageResult::Yes;

class UserWindowsTest : public test::DatabaseWindowTest {
protected:
    int32_t NewUser(const QString& name, const QString& password, bool admin, bool enabled = true) {
        return db->UpdateUser(test::Record({{"ID", 0},
                                            {"Username", name},
                                            {"Password", password},
                                            {"Name", QString(name + QStringLiteral(" Kim"))},
                                            {"EMailAddress", ""},
                                            {"IsAdmin", admin},
                                            {"IsEnabled", enabled}}));
    }
    // The user id the log-in finds, 0 for none.
    int32_t LogIn(const QString& name, const QString& password) {
        auto rs = db->GetUserByUsernameAndPassword(name, password);
        return rs && !rs->IsEOF() ? rs->Field("ID").ToInt() : 0;
    }
    QString Stored(int32_t id, const char* column) {
        return Value(QStringLiteral("SELECT %1 FROM \"User\" WHERE ID=?").arg(QLatin1String(column)), {id}).ToString();
    }
    void ExpectNoPasswordWritten(const QStringList& passwords) {
        const QStringList lines = m_writer->traceLines + m_writer->logLines;
        ASSERT_FALSE(lines.isEmpty());
        for (const QString& password : passwords)
            EXPECT_TRUE(lines.filter(password.trimmed()).isEmpty()) << password.toStdString();
    }
};

TEST_F(UserWindowsTest, NewUserChecksInOrderAndLogsInWithThePasswordAsTyped) {
    NewUser("KIM", "kim pw", true);
    const QString password = QStringLiteral(" Pa55 word ");
    test::WindowSteps steps;
    steps.Then("UserForm", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), Text(kTextNew) + QLatin1Char(' ') + Text(kTitleUser));
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtPassword")->echoMode(), QLineEdit::Password);
        EXPECT_EQ(test::Child<QLabel>(d, "lblPassword")->text(), Text(kLabelPassword) + "*");
        EXPECT_EQ(test::Child<QLabel>(d, "lblConfirmPassword")->text(), Text(kLabelConfirmPassword) + "*");
        test::Click(d, "cmdOK"); // 228
        test::TypeText(d, "txtUsername", "kim");
        test::TypeText(d, "txtName", "");
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtUsername")->text(), "KIM"); // upper case on leaving the box
        test::Click(d, "cmdOK");                                            // 254
        EXPECT_EQ(d.focusWidget()->objectName(), "txtUsername");
        test::TypeText(d, "txtUsername", "lee");
        test::TypeText(d, "txtPassword", "  ");
        test::Click(d, "cmdOK"); // 223
        EXPECT_EQ(d.focusWidget()->objectName(), "txtPassword");
        test::TypeText(d, "txtPassword", password);
        test::Click(d, "cmdOK"); // 214
        EXPECT_EQ(d.focusWidget()->objectName(), "txtConfirmPassword");
        test::TypeText(d, "txtConfirmPassword", password.trimmed());
        test::Click(d, "cmdOK"); // 231: blanks count
        test::TypeText(d, "txtConfirmPassword", password);
        test::Click(d, "cmdOK"); // 219
        EXPECT_EQ(d.focusWidget()->objectName(), "txtName");
        EXPECT_TRUE(d.isVisible());
        test::TypeText(d, "txtName", "Lee Minsu");
        // A new account starts disabled.
        EXPECT_FALSE(test::Child<QCheckBox>(d, "chkIsEnabled")->isChecked());
        test::ClickWidget(test::Child<QCheckBox>(d, "chkIsEnabled"));
        test::Click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    const int32_t lee = m_loader->ShowUserWindow(0);
    ASSERT_GT(lee, 0);
    EXPECT_EQ(m_messages.Texts(),
              (QStringList{Text(kMsgEnterUserName), Text(kMsgNameExists), Text(kMsgEnterPassword),
                           Text(kMsgEnterConfirmPassword), Text(kMsgPasswordMismatch), Text(kMsgEnterName)}));
    EXPECT_EQ(Stored(lee, "Username"), "LEE");
    EXPECT_EQ(LogIn("lee", password), lee);
    EXPECT_EQ(LogIn("lee", password.trimmed()), 0);
    ExpectNoPasswordWritten({password, "kim pw"});
}

TEST_F(UserWindowsTest, EditingWithBlankPasswordBoxesKeepsPasswordAndLastLogIn) {
    NewUser("ADMIN", "admin pw", true);
    const int32_t kim = NewUser("KIM", "old pw", false);
    const QDateTime login = platform::MakeDateTime(2026, 11, 2, 14, 5, 9);
    db->SetUserDateLogin(kim, login);
    test::WindowSteps steps;
    steps.Then("UserForm", [&](QDialog& d) {
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtPassword")->text(), "");
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtConfirmPassword")->text(), "");
        // A blank password keeps the stored one, so it is not marked as required.
        EXPECT_EQ(test::Child<QLabel>(d, "lblPassword")->text(), Text(kLabelPassword));
        EXPECT_EQ(test::Child<QLabel>(d, "lblConfirmPassword")->text(), Text(kLabelConfirmPassword));
        EXPECT_TRUE(test::Child<QLineEdit>(d, "txtUsername")->isReadOnly());
        EXPECT_EQ(d.windowTitle(), "KIM - " + Text(kTitleUser));
        test::TypeText(d, "txtName", "Kim Jiwoo");
        test::ClickWidget(test::Child<QCheckBox>(d, "chkIsAdmin"));
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowUserWindow(kim), kim);
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_EQ(Stored(kim, "Name"), "Kim Jiwoo");
    EXPECT_TRUE(Value("SELECT IsAdmin FROM \"User\" WHERE ID=?", {kim}).ToBool());
    EXPECT_EQ(LogIn("kim", "old pw"), kim);
    EXPECT_EQ(Value("SELECT DateLogin FROM \"User\" WHERE ID=?", {kim}).ToDateTime(), login);

    // One box typed in: both must be given alike.
    steps.Then("UserForm", [&](QDialog& d) {
        test::TypeText(d, "txtConfirmPassword", "new pw");
        test::Click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowUserWindow(kim), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgEnterPassword)});
    EXPECT_EQ(LogIn("kim", "old pw"), kim);

    // An id no row has: 255 and no window.
    EXPECT_EQ(m_loader->ShowUserWindow(4711), -1);
    EXPECT_EQ(m_messages.Texts().last(), Text(kMsgRecordNotFound));
    EXPECT_EQ(steps.Runs(), 2);
}

TEST_F(UserWindowsTest, AdminAndTheLoggedInUserKeepTheirAccountsAndRights) {
    const int32_t admin = NewUser("Admin", "a", true);
    const int32_t kim = NewUser("KIM", "k", true);
    const int32_t lee = NewUser("LEE", "l", false, false);
    db->SetUserDateLogin(lee, platform::MakeDateTime(2026, 3, 4, 21, 7, 0));
    m_hub->SetCurrentUserID(kim);
    m_hub->SetDateFormat("yyyy-M-d");

    test::WindowSteps steps;
    steps.Then("ListForm", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), Text(kLabelUser) + QLatin1Char(' ') + Text(kTitleList));
        EXPECT_EQ(test::Column(d), (QStringList{"Admin", "KIM", "LEE"}));
        EXPECT_EQ(test::Column(d, 2), (QStringList{Text(kTextYes), Text(kTextYes), Text(kTextNo)}));
        EXPECT_EQ(test::Column(d, 3), (QStringList{Text(kTextYes), Text(kTextYes), Text(kTextNo)}));
        EXPECT_EQ(test::Column(d, 4), (QStringList{"", "", "2026-3-4 9:07:00 PM"}));
        for (const char* locked : {"Admin", "KIM"}) {
            ASSERT_TRUE(test::ClickRow(d, locked));
            EXPECT_TRUE(test::ToolEnabled(d, "tbarListEdit")) << locked;
            EXPECT_FALSE(test::ToolEnabled(d, "tbarListDelete")) << locked;
        }
        // Sorting by the last log-in compares dates: the empty ones first.
        test::ClickHeader(d, 4);
        EXPECT_EQ(test::Column(d).last(), "LEE");
        ASSERT_TRUE(test::ClickRow(d, "LEE"));
        m_messages.Answer(Yes);
        test::ClickTool(d, "tbarListDelete");
        EXPECT_EQ(test::Column(d), (QStringList{"Admin", "KIM"}));
        // Editing "admin" and the current user: the rights cannot be switched.
        ASSERT_TRUE(test::ClickRow(d, "Admin", true));
        ASSERT_TRUE(test::ClickRow(d, "KIM"));
        test::ClickTool(d, "tbarListEdit");
        test::Click(d, "cmdClose");
    });
    for (const char* name : {"Admin", "KIM"}) {
        steps.Then("UserForm", [name](QDialog& d) {
            SCOPED_TRACE(name);
            EXPECT_FALSE(test::Child<QCheckBox>(d, "chkIsAdmin")->isEnabled());
            EXPECT_FALSE(test::Child<QCheckBox>(d, "chkIsEnabled")->isEnabled());
            EXPECT_TRUE(test::Child<QCheckBox>(d, "chkIsEnabled")->isChecked());
            test::Click(d, "cmdCancel");
        });
    }
    EXPECT_EQ(m_loader->ShowListWindow(EnumWindowType::User), -1);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"User\""), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"User\" WHERE ID IN (?, ?)", {admin, kim}), 2);
}

TEST_F(UserWindowsTest, NoChangeLeavesTheAccountsWithoutAnEnabledAdministrator) {
    const int32_t chief = NewUser("CHIEF", "c", true);
    const int32_t clerk = NewUser("CLERK", "k", false);
    m_hub->SetCurrentUserID(clerk);

    test::WindowSteps steps;
    steps.Then("ListForm", [&](QDialog& d) {
        ASSERT_TRUE(test::ClickRow(d, "CHIEF"));
        m_messages.Answer(Yes);
        test::ClickTool(d, "tbarListDelete");
        EXPECT_EQ(test::Column(d), (QStringList{"CHIEF", "CLERK"}));
        test::ClickTool(d, "tbarListEdit");
        test::Click(d, "cmdClose");
    });
    steps.Then("UserForm", [&](QDialog& d) {
        test::ClickWidget(test::Child<QCheckBox>(d, "chkIsEnabled"));
        test::Click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        test::ClickWidget(test::Child<QCheckBox>(d, "chkIsEnabled"));
        test::ClickWidget(test::Child<QCheckBox>(d, "chkIsAdmin"));
        test::Click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowListWindow(EnumWindowType::User), -1);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmDelete), Text(kMsgLastAdministrator),
                                               Text(kMsgLastAdministrator), Text(kMsgLastAdministrator)}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"User\" WHERE IsAdmin=1 AND IsEnabled=1 AND ID=?", {chief}), 1);

    // The database refuses the same on its own, inside its transaction.
    EXPECT_EQ(db->DeleteUser(chief), -1);
    EXPECT_EQ(db->UpdateUser(test::Record({{"ID", chief},
                                           {"Username", "CHIEF"},
                                           {"Password", ""},
                                           {"Name", "Changed"},
                                           {"IsAdmin", true},
                                           {"IsEnabled", false}})),
              -1);
    EXPECT_EQ(Stored(chief, "Name"), "CHIEF Kim");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"User\""), 2);
    // With a second administrator the first may go.
    ASSERT_GT(NewUser("DEPUTY", "d", true), 0);
    EXPECT_EQ(db->DeleteUser(chief), 1);
}

TEST_F(UserWindowsTest, ChangePasswordNeedsTheCurrentOneAndTakesTheNewAsTyped) {
    NewUser("ADMIN", "a", true);
    const int32_t kim = NewUser("KIM", "Old pw", false);
    const QString fresh = QStringLiteral(" New pw ");
    test::WindowSteps steps;
    steps.Then("ChangePasswordForm", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), Text(kTitleChangePassword));
        test::Click(d, "cmdOK"); // 222
        EXPECT_EQ(d.focusWidget()->objectName(), "txtOldPassword");
        test::TypeText(d, "txtOldPassword", "old pw");
        test::Click(d, "cmdOK"); // 221
        test::TypeText(d, "txtNewPassword", fresh);
        test::Click(d, "cmdOK"); // 214
        test::TypeText(d, "txtConfirmPassword", " new pw ");
        test::Click(d, "cmdOK"); // 230: letter case counts
        EXPECT_EQ(d.focusWidget()->objectName(), "txtNewPassword");
        test::TypeText(d, "txtConfirmPassword", fresh);
        test::Click(d, "cmdOK"); // 350: the current password is wrong
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(LogIn("kim", "Old pw"), kim);
        test::TypeText(d, "txtOldPassword", "Old pw");
        test::Click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(m_loader->ShowChangePasswordWindow("KIM", "ignored"), 1);
    EXPECT_EQ(m_messages.Texts(),
              (QStringList{Text(kMsgEnterOldPassword), Text(kMsgEnterNewPassword), Text(kMsgEnterConfirmPassword),
                           Text(kMsgNewPasswordMismatch), Text(kMsgWrongPassword), Text(kMsgPasswordChanged)}));
    EXPECT_EQ(m_messages.Shown().back().title, Text(kTitleChangePassword));
    EXPECT_EQ(LogIn("kim", fresh), kim);
    EXPECT_EQ(LogIn("kim", "Old pw"), 0);
    EXPECT_EQ(LogIn("kim", fresh.trimmed()), 0);
    ExpectNoPasswordWritten({fresh, "Old pw", "old pw"});

    // Cancel after a failed attempt: -1 and no confirmation.
    m_messages.Clear();
    steps.Then("ChangePasswordForm", [&](QDialog& d) {
        test::TypeText(d, "txtOldPassword", "wrong");
        test::TypeText(d, "txtNewPassword", "x");
        test::TypeText(d, "txtConfirmPassword", "x");
        test::Click(d, "cmdOK");
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowChangePasswordWindow("KIM", ""), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgWrongPassword)});
    EXPECT_EQ(LogIn("kim", fresh), kim);
}

TEST_F(UserWindowsTest, TypingRightAfterOpeningAUserGoesIntoThePassword) {
    NewUser("ADMIN", "a", true);
    const int32_t kim = NewUser("KIM", "old pw", false);
    test::WindowSteps steps;
    steps.Then("UserForm", [&](QDialog& d) {
        // The user name cannot change; the cursor waits where typing does something.
        ASSERT_NE(d.focusWidget(), nullptr);
        QTest::keyClicks(d.focusWidget(), "new pw");
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtPassword")->text(), "new pw");
        test::Click(d, "cmdCancel");
    });
    m_loader->ShowUserWindow(kim);
    EXPECT_EQ(LogIn("kim", "old pw"), kim);
}

class KoreanUserWindowsTest : public test::DatabaseWindowTest {
protected:
    KoreanUserWindowsTest() : DatabaseWindowTest(amb::EnumSupportedLocaleID::Korean, 1042) {}
};

TEST_F(KoreanUserWindowsTest, AMessageBoxOfAKoreanWindowHasKoreanButtons) {
    db->UpdateUser(test::Record(
        {{"ID", 0}, {"Username", "KIM"}, {"Password", "pw"}, {"Name", "김"}, {"IsAdmin", true}, {"IsEnabled", true}}));
    // The real box this time, not the scripted answers.
    amb::MessageService::SetAnswerer({});
    QStringList buttons;
    test::WindowSteps steps;
    steps.Then("ChangePasswordForm", [&](QDialog& d) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
            test::ClickWidget(box->button(QMessageBox::Ok));
        });
        test::Click(d, "cmdOK"); // the current password is missing
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowChangePasswordWindow("KIM", ""), -1);
    EXPECT_EQ(buttons, QStringList{Text(kCaptionOK)});
    EXPECT_EQ(Text(kCaptionOK), QStringLiteral("확인"));
}

} // namespace
