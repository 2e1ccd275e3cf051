// The keys of the help's key table, pressed where the help says they work, in both languages: F1 opens
// the help from every window, Insert where a list window opens is New, and Escape leaves every window
// but the member's.

#include "common/HelpFile.h"
#include "tests/support/RecordingOpener.h"
#include "tests/windows/offering/OfferingFixture.h"

#include <QFile>
#include <QRadioButton>

#include <functional>
#include <string>

namespace {

using amb::EnumSupportedLocaleID;
using amb::EnumWindowType;
using test::Child;

void Key(QWidget& window, Qt::Key key) {
    QWidget* focus = window.focusWidget();
    QTest::keyClick(focus ? focus : &window, key);
}

struct Window {
    const char* name; // the window's object name
    std::function<void(amb::IWindowLoader&, int32_t person, int32_t family)> open;
    bool escapeCloses;
};

const Window kWindows[] = {
    {"MemberForm", [](auto& loader, int32_t person, int32_t) { loader.ShowPersonWindow(person); }, false},
    {"FamilyGroupForm", [](auto& loader, int32_t, int32_t family) { loader.ShowFamilyWindow(family); }, true},
    {"BatchForm", [](auto& loader, int32_t, int32_t) { loader.ShowBatchOfferingWindow(); }, true},
    {"OfferingExpenseForm",
     [](auto& loader, int32_t, int32_t) { loader.ShowOfferingWindow(0, amb::EnumOfferingWindowType::Individual); },
     true},
    {"ReportForm", [](auto& loader, int32_t, int32_t) { loader.ShowReportWindow(); }, true},
    {"OptionsForm", [](auto& loader, int32_t, int32_t) { loader.ShowOptionWindow(); }, true},
    {"ListForm", [](auto& loader, int32_t, int32_t) { loader.ShowListWindow(EnumWindowType::User); }, true},
    {"ListForm", [](auto& loader, int32_t, int32_t) { loader.ShowListWindow(EnumWindowType::MemberTitle); }, true},
    {"NameForm", [](auto& loader, int32_t, int32_t) { loader.ShowNameWindow(EnumWindowType::MemberTitle, 0); }, true},
    {"UserForm", [](auto& loader, int32_t, int32_t) { loader.ShowUserWindow(0); }, true},
    {"SearchForm",
     [](auto& loader, int32_t, int32_t) { loader.ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0); }, true},
    {"LogInForm", [](auto& loader, int32_t, int32_t) { loader.ShowLogInWindow(); }, true},
};

class HelpKeysTest : public test::OfferingWindowTest, public ::testing::WithParamInterface<EnumSupportedLocaleID> {
protected:
    HelpKeysTest() : OfferingWindowTest(GetParam()) {
        // The user and look-up lists answer their keys for an administrator.
        LogInAsAdministrator();
        m_person = NewPerson(QStringLiteral("Seo"));
        m_family = NewFamily(QStringLiteral("Seo family"), m_person);
    }
    void Open(const Window& window) { window.open(*m_loader, m_person, m_family); }

    int32_t m_person = 0;
    int32_t m_family = 0;
    test::WindowSteps m_steps;
};

TEST_P(HelpKeysTest, F1OpensTheHelpFromEveryWindowInItsLanguage) {
    QFile help(m_temp.FilePath(
        QLatin1String(GetParam() == EnumSupportedLocaleID::Korean ? amb::kKoreanHelpFileName : amb::kHelpFileName)));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    test::OpenerScope shell;
    for (const Window& window : kWindows) {
        SCOPED_TRACE(window.name);
        const qsizetype before = shell.opener->opened.size();
        m_steps.Add(QString::fromLatin1(window.name), [&](QDialog& dialog) {
            Key(dialog, Qt::Key_F1);
            EXPECT_TRUE(dialog.isVisible()) << "F1 left the window";
        });
        Open(window);
        ASSERT_EQ(shell.opener->opened.size(), before + 1) << "F1 opened nothing";
    }
    // The report window's file dialog is a window of its own.
    m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        test::Click(dialog, "cmdNext");
        test::Click(dialog, "cmdNext");
        test::ChooseExport(dialog);
        // The window manager makes it the active window, as it makes every window it shows.
        m_steps.Add(QStringLiteral("cmndlgNew"), [](QDialog& files) { test::PressKeyIn(files.focusWidget(), Qt::Key_F1); });
        test::Click(dialog, "cmdBrowse");
    });
    m_loader->ShowReportWindow();
    ASSERT_EQ(shell.opener->opened.size(), qsizetype(std::size(kWindows)) + 1) << "F1 in the file dialog";
    EXPECT_EQ(shell.opener->opened, QStringList(qsizetype(std::size(kWindows)) + 1, help.fileName()));
    EXPECT_EQ(m_steps.Runs(), int(std::size(kWindows)) + 2);
}

TEST_P(HelpKeysTest, InsertWhereAListWindowOpensIsNew) {
    for (const auto& kind : {std::pair{EnumWindowType::User, "UserForm"},
                             std::pair{EnumWindowType::MaritalStatus, "NameForm"}}) {
        const char* entry = kind.second;
        SCOPED_TRACE(entry);
        QStringList opened;
        m_steps.Add(QStringLiteral("ListForm"), [&](QDialog& window) {
            // The window opens with the focus on New.
            auto* bar = Child<QToolBar>(window, "tbarList");
            ASSERT_EQ(window.focusWidget(), bar->widgetForAction(test::ToolButton(window, "tbarList", 1)));
            m_steps.Add(QString::fromLatin1(entry), [&](QDialog& added) { opened << added.windowTitle(); });
            Key(window, Qt::Key_Insert);
            EXPECT_TRUE(window.isVisible());
        });
        m_loader->ShowListWindow(kind.first);
        ASSERT_EQ(opened.size(), 1) << "Insert opened no window";
        EXPECT_TRUE(opened.front().startsWith(Text(amb::res::kTextNew))) << opened.front().toStdString();
    }
}

TEST_P(HelpKeysTest, EscapeLeavesEveryWindowButTheMembers) {
    for (const Window& window : kWindows) {
        SCOPED_TRACE(window.name);
        bool open = false;
        m_steps.Add(QString::fromLatin1(window.name), [&](QDialog& dialog) {
            Key(dialog, Qt::Key_Escape);
            open = dialog.isVisible();
        });
        Open(window);
        EXPECT_EQ(open, !window.escapeCloses);
    }
    EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpKeysTest,
                         ::testing::Values(EnumSupportedLocaleID::English, EnumSupportedLocaleID::Korean),
                         [](const auto& info) {
                             return std::string(info.param == EnumSupportedLocaleID::Korean ? "Korean" : "English");
                         });

} // namespace
