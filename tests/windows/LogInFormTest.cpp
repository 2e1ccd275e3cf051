#include "common/ResourceIDs.h"
#include "common/widgets/BusyScope.h"
#include "platform/com/Error.h"
#include "platform/data/Recordset.h"
#include "tests/support/WindowTest.h"

#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

using namespace amb::res;

struct Account {
    QString userName;
    QString password;
    int32_t id;
    std::optional<bool> enabled; // no IsEnabled column when empty
};

// Decides the log-in as the real database manager does: by user name and password together.
class UserDatabase : public test::FailingDatabaseManager {
public:
    platform::RecordsetPtr GetUserByUsernameAndPassword(const QString& sUsername, const QString& sPassword) override {
        lookups.push_back({sUsername, sPassword});
        if (duringLookup)
            duringLookup();
        if (failLookup)
            throw platform::Error(3704, "Operation is not allowed when the object is closed", "UserDatabase");
        for (const Account& account : accounts) {
            if (account.userName != sUsername || account.password != sPassword)
                continue;
            if (!account.enabled)
                return std::make_shared<platform::Recordset>(
                    QStringList{"ID", "Username"},
                    std::vector<platform::Recordset::Row>{{account.id, account.userName}});
            return std::make_shared<platform::Recordset>(
                QStringList{"ID", "Username", "IsEnabled"},
                std::vector<platform::Recordset::Row>{{account.id, account.userName, *account.enabled}});
        }
        if (emptySetWhenUnknown)
            return std::make_shared<platform::Recordset>(QStringList{"ID"}, std::vector<platform::Recordset::Row>{});
        return nullptr;
    }

    int32_t SetUserDateLogin(int32_t nUser, const QDateTime& dt) override {
        logins.push_back({nUser, dt});
        return 1;
    }

    std::vector<Account> accounts;
    std::vector<std::pair<QString, QString>> lookups;
    std::vector<std::pair<int32_t, QDateTime>> logins;
    std::function<void()> duringLookup;
    bool failLookup = false;
    bool emptySetWhenUnknown = false;
};

// One attempt: types both boxes and presses OK.
void Attempt(QDialog& dialog, const QString& userName, const QString& password) {
    test::TypeText(dialog, "txtUsername", userName);
    test::TypeText(dialog, "txtPassword", password);
    test::Click(dialog, "cmdOK");
}

class LogInFormTest : public test::WindowTest {
protected:
    LogInFormTest() : m_database(std::make_shared<UserDatabase>()) {
        m_database->accounts = {{"admin", "S3cret pw", 7, true}, {"old", "pw", 9, false}, {"plain", "x", 12, {}}};
        SetDatabase(m_database);
    }

    std::shared_ptr<UserDatabase> m_database;
};

TEST_F(LogInFormTest, EmptyBoxesAreRefusedBeforeAnyLookUp) {
    test::ModalScript script([&](QDialog& dialog) {
        EXPECT_EQ(test::Child<QLineEdit>(dialog, "txtPassword")->echoMode(), QLineEdit::Password);
        EXPECT_EQ(dialog.focusWidget()->objectName(), "txtUsername");
        Attempt(dialog, "   ", "S3cret pw");
        ASSERT_EQ(m_messages.Shown().size(), 1);
        EXPECT_EQ(m_messages.Shown()[0].text, Text(kMsgEnterUserName));
        EXPECT_EQ(m_messages.Shown()[0].title, dialog.windowTitle());
        EXPECT_EQ(m_messages.Shown()[0].style, amb::MessageStyle::Information);
        EXPECT_EQ(dialog.focusWidget()->objectName(), "txtUsername");
        EXPECT_TRUE(dialog.isVisible());

        Attempt(dialog, "admin", "  ");
        ASSERT_EQ(m_messages.Shown().size(), 2);
        EXPECT_EQ(m_messages.Shown()[1].text, Text(kMsgEnterPassword));
        EXPECT_EQ(dialog.focusWidget()->objectName(), "txtPassword");
        EXPECT_TRUE(dialog.isVisible());
        test::Click(dialog, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowLogInWindow(), -1);
    EXPECT_TRUE(m_database->lookups.empty());
    EXPECT_TRUE(m_database->logins.empty());
}

TEST_F(LogInFormTest, WrongPasswordsKeepTheWindowOpenUntilTheRightOne) {
    QDialog* window = nullptr;
    std::vector<bool> busyDuringLookup;
    m_database->duringLookup = [&] { busyDuringLookup.push_back(window && amb::IsBusy(window)); };
    std::vector<bool> busyAtMessage;
    m_messages.OnShow([&](const amb::Message&) { busyAtMessage.push_back(window && amb::IsBusy(window)); });

    test::ModalScript script([&](QDialog& dialog) {
        window = &dialog;
        // Wrong, wrong case, and the right one with blanks around it: passwords count as typed.
        for (const QString wrong : {"wrong", "s3cret pw", " S3cret pw "}) {
            Attempt(dialog, "admin", wrong);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.focusWidget()->objectName(), "txtUsername");
            EXPECT_EQ(test::Child<QLineEdit>(dialog, "txtPassword")->text(), wrong);
            EXPECT_EQ(test::Child<QLineEdit>(dialog, "txtUsername")->text(), "admin");
            EXPECT_FALSE(amb::IsBusy(&dialog));
        }
        Attempt(dialog, "  admin ", "S3cret pw");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(amb::IsBusy(&dialog));
    });

    const QDateTime before = platform::Now();
    EXPECT_EQ(m_loader->ShowLogInWindow(), 7);

    EXPECT_EQ(m_messages.Texts(), QStringList(3, Text(kMsgInvalidLogIn)));
    EXPECT_EQ(busyAtMessage, std::vector<bool>(3, false));
    EXPECT_EQ(busyDuringLookup, std::vector<bool>(4, true));
    ASSERT_EQ(m_database->lookups.size(), 4);
    EXPECT_EQ(m_database->lookups[2], std::make_pair(QString("admin"), QString(" S3cret pw ")));
    EXPECT_EQ(m_database->lookups[3], std::make_pair(QString("admin"), QString("S3cret pw")));
    ASSERT_EQ(m_database->logins.size(), 1);
    EXPECT_EQ(m_database->logins[0].first, 7);
    EXPECT_LE(qAbs(m_database->logins[0].second.secsTo(before)), 5);

    // No password ever reaches a trace or log line.
    EXPECT_TRUE(m_writer->traceLines.filter("S3cret", Qt::CaseInsensitive).isEmpty());
    EXPECT_TRUE(m_writer->traceLines.filter("wrong").isEmpty());
    EXPECT_EQ(m_writer->TraceLinesWith("AmbWindows.LogInForm.cmdOK_Click()").size(), 4);
    EXPECT_EQ(m_writer->TraceLinesWith("AmbWindows.LogInForm.Get_ID()").size(), 1);
}

TEST_F(LogInFormTest, DisabledAccountGetsTheWrongPasswordMessage) {
    m_database->emptySetWhenUnknown = true;
    test::ModalScript script([&](QDialog& dialog) {
        Attempt(dialog, "old", "pw");
        EXPECT_TRUE(dialog.isVisible());
        Attempt(dialog, "nobody", "pw");
        EXPECT_TRUE(dialog.isVisible());
        // Enter in a box is OK.
        test::TypeText(dialog, "txtPassword", "again");
        test::PressKey(dialog, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        // Esc is the Cancel button.
        test::PressKey(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowLogInWindow(), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList(3, Text(kMsgInvalidLogIn)));
    EXPECT_EQ(m_database->lookups.size(), 3u);
    EXPECT_TRUE(m_database->logins.empty());
    EXPECT_EQ(m_writer->TraceLinesWith("AmbWindows.LogInForm.cmdCancel_Click()").size(), 1);

    // An account read without an IsEnabled column logs in.
    test::ModalScript plain([&](QDialog& dialog) { Attempt(dialog, "plain", "x"); });
    EXPECT_EQ(m_loader->ShowLogInWindow(), 12);
}

TEST_F(LogInFormTest, FailingLookUpIsLoggedAndLeavesTheWindowOpen) {
    m_database->failLookup = true;
    test::ModalScript script([&](QDialog& dialog) {
        Attempt(dialog, "admin", "S3cret pw");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(amb::IsBusy(&dialog));
        EXPECT_TRUE(dialog.isEnabled());
        // Another attempt once the database answers again.
        m_database->failLookup = false;
        Attempt(dialog, "admin", "S3cret pw");
    });
    EXPECT_EQ(m_loader->ShowLogInWindow(), 7);
    ASSERT_EQ(m_writer->logLines.size(), 1);
    EXPECT_TRUE(m_writer->logLines.first().endsWith(QStringLiteral(
        "AmbWindows.LogInForm.cmdOK_Click() - [3704] Operation is not allowed when the object is closed")));
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(LogInFormTest, FocusSelectsTheTypedText) {
    test::ModalScript script([&](QDialog& dialog) {
        auto* user = test::Child<QLineEdit>(dialog, "txtUsername");
        auto* password = test::Child<QLineEdit>(dialog, "txtPassword");
        user->setText("김영희  ");
        password->setFocus();
        user->setFocus();
        EXPECT_EQ(user->selectionStart(), 0);
        EXPECT_EQ(user->selectedText(), "김영희");
    });
    m_loader->ShowLogInWindow();
}

} // namespace
