// The main window of the help's first tasks, logged in with a search shown, in each interface
// language, checked against the help's picture of it (see HelpPicture).

#include "tests/main/MainFormFixture.h"
#include "tests/main/StartUpFixture.h"
#include "tests/support/HelpPicture.h"

#include "main/MainForm.h"
#include "main/Program.h"
#include "platform/data/SqliteConnection.h"

#include <QDir>
#include <QTreeWidget>

namespace test {
namespace {

TEST_F(MainFormTest, HelpMainPictureAfterLoggingInAndSearching) {
    // The first administrator of a new installation.
    m_database->username = QStringLiteral("admin");
    OpenWindow();
    LogIn(true);
    m_form->resize(900, 600);
    SearchFor("kim");
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    HelpPicture(*m_form, QStringLiteral("1033"), QStringLiteral("main"));
}

// The Korean half's picture comes from a Korean installation, as its other pictures do: the Korean
// look-up rows, names by their Korean name, yyyy-M-d dates and addresses in free format.
class HelpMainPictureOfAKoreanInstallation : public StartUpTest {
protected:
    // A family of three and a single member, each with a home address, phone number and e-mail.
    void FillCongregation() {
        auto database = platform::com::CreateObjectAs<amb::IDatabaseManager>("AmbDatabase.Manager");
        database->SetConnectionString(amb::ambrel::BuildConnectionString(AppDir()));
        auto raw = platform::SqliteConnection::Open(Database());
        const auto person = [&](const char* first, const char* last, const char* korean, int sex, const char* born,
                                const char* mail) {
            const int32_t id = database->UpdatePerson(std::make_shared<platform::Dictionary>(
                std::initializer_list<std::pair<QString, platform::Variant>>{{"ID", 0},
                                                                             {"FirstName", QString::fromUtf8(first)},
                                                                             {"LastName", QString::fromUtf8(last)},
                                                                             {"LanguageName", QString::fromUtf8(korean)}}));
            EXPECT_GT(id, 0);
            raw->Execute(QStringLiteral("UPDATE Person SET SexID=?, MemberStatusID=1, IsMember=1, DOB=? WHERE ID=?"),
                         {sex, QDateTime(QDate::fromString(QString::fromLatin1(born), Qt::ISODate), QTime(0, 0)), id});
            raw->Execute(QStringLiteral("UPDATE PersonAddress SET AddressPart1='서울특별시 마포구 양화로 45', "
                                        "AddressPart2='04036' WHERE PersonID=? AND IsHomeAddress=1"),
                         {id});
            raw->Execute(QStringLiteral("UPDATE PersonPhoneNumber SET PhoneNumber='02-336-1234' WHERE PersonID=? AND "
                                        "IsHomePhoneNumber=1"),
                         {id});
            raw->Execute(QStringLiteral("UPDATE PersonEMailAddress SET EMailAddress=? WHERE PersonID=? AND "
                                        "IsPersonalEMailAddress=1"),
                         {QString::fromLatin1(mail), id});
            return id;
        };
        const int32_t head = person("Daniel", "Kim", "김다니엘", 1, "1968-03-12", "daniel@example.org");
        const int32_t spouse = person("Grace", "Kim", "이은혜", 2, "1971-09-30", "grace@example.org");
        const int32_t child = person("Sarah", "Kim", "김사라", 2, "2001-03-03", "sarah@example.org");
        const int32_t single = person("Ann", "Lee", "이안나", 2, "1990-03-24", "ann@example.org");
        const auto record = [](std::initializer_list<std::pair<QString, platform::Variant>> items) {
            return std::make_shared<platform::Dictionary>(items);
        };
        const int32_t family = database->UpdateFamily(record({{"ID", 0}, {"Name", "김다니엘 가정"}}));
        for (const int32_t member : {head, spouse, child})
            database->UpdatePersonToFamily(record(
                {{"ID", 0}, {"PersonID", member}, {"FamilyID", family}, {"IsHeadOfFamily", member == head}}));
        const int32_t group = database->UpdateGroup(record({{"ID", 0}, {"Name", "주일 성가대"}, {"GroupTypeID", 2}}));
        database->UpdatePersonToGroup(
            record({{"ID", 0}, {"PersonID", single}, {"GroupID", group}, {"IsHeadOfGroup", true}}));
    }

    platform::ClockScope m_clock{QDateTime(QDate(2026, 3, 15), QTime(10, 30))};
};

TEST_F(HelpMainPictureOfAKoreanInstallation, AfterLoggingInAndSearching) {
    ASSERT_EQ(RunInstaller(m_temp, {"--company", "은혜교회", "--language", "1042"}).exitCode, 0);
    FillCongregation();
    auto mainForm = amb::ambrel::StartUp();
    ASSERT_NE(mainForm, nullptr) << m_messages.Texts().join('/').toStdString();
    mainForm->SetAskOnClose(false);
    mainForm->FinishBackUp();
    ModalScript logIn([](QDialog& dialog) {
        TypeText(dialog, "txtUsername", "admin");
        TypeText(dialog, "txtPassword", kTestAdminPassword);
        Click(dialog, "cmdOK");
    });
    ClickToolbarButton(mainForm->findChild<QToolBar*>("tbarMain"), mainForm->findChild<QAction*>("LogInOut"));
    ASSERT_TRUE(mainForm->IsLoggedIn());
    mainForm->resize(900, 600);
    // "김" typed into the search box as a keyboard's input method hands it over, then Enter.
    auto* box = mainForm->findChild<QComboBox*>("cboSearchText");
    ClickWidget(box->lineEdit());
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QStringLiteral("김"), Qt::NoModifier);
    PressKeyIn(box, Qt::Key_Return);
    ASSERT_EQ(mainForm->findChild<QTreeWidget*>("lstvwData")->topLevelItemCount(), 2);
    EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join('/').toStdString();
    HelpPicture(*mainForm, QStringLiteral("1042"), QStringLiteral("main"));
}

} // namespace
} // namespace test
