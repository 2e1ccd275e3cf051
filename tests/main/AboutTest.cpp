#include "tests/main/MainFormFixture.h"

#include "common/HelpFile.h"
#include "common/ResourceIDs.h"
#include "heading/FormHeading.h"
#include "main/AboutForm.h"
#include "main/ComponentsForm.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/RecordingOpener.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace test {
namespace {

namespace res = amb::res;
using amb::ambrel::AboutForm;

TEST_F(MainFormTest, AboutNamesTheProgramAndTheCongregation) {
    OpenWindow();
    AboutForm about(m_form->Wrapper());
    ASSERT_EQ(about.UpdateForm(), 1);
    EXPECT_EQ(about.windowTitle(), Text(res::kTitleAbout));
    EXPECT_EQ(about.fhMain->Heading(), "Orv Solutions Ambrel");
    EXPECT_EQ(about.fhMain->Description(), "for Grace Church");
    EXPECT_EQ(about.lblProduct->text(), "Orv Solutions Ambrel\r\n     for Grace Church");
    EXPECT_EQ(about.lblVersion->text(), "Version " + QStringLiteral(AMB_VERSION));
    EXPECT_FALSE(about.txtWarning->toPlainText().isEmpty());

    about.show();
    m_hub->SetCompanyName(QString());
    about.UpdateForm();
    EXPECT_EQ(about.fhMain->Description(), "for ");
    EXPECT_TRUE(about.lblProduct->text().endsWith("\r\n     for "));

    // The "more" button shows the components window modally, owned by the About window.
    ModalScript modal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "ComponentsForm");
        EXPECT_EQ(dialog.parentWidget(), &about);
    });
    test::ClickWidget(about.cmdMore);
    EXPECT_EQ(modal.Runs(), 1);
    test::ClickWidget(about.cmdCancel);
    EXPECT_FALSE(about.isVisible());

    OpenerScope shell;
    about.lblURL_Click();
    EXPECT_EQ(shell.opener->opened, QStringList{QLatin1String(amb::ambrel::kMakerURL)});
}

struct HelpLanguage {
    amb::EnumSupportedLocaleID language;
    const char* file; // the help file of the language
};

class HelpContentsTest : public MainFormTest, public testing::WithParamInterface<HelpLanguage> {
protected:
    // The application folder holds the help files as installed.
    QString InstallHelp() {
        for (const char* name : {amb::kHelpFileName, amb::kKoreanHelpFileName})
            EXPECT_TRUE(QFile::copy(BuiltShareDir() + u'/' + QLatin1String(name), m_temp.FilePath(name)));
        m_hub->SetAppDir(m_temp.Path());
        m_hub->SetGUILocaleID(GetParam().language);
        return m_temp.FilePath(GetParam().file);
    }
};

TEST_P(HelpContentsTest, OpensTheHelpFileOfTheApplicationFolderInTheInterfaceLanguage) {
    const QString help = InstallHelp();
    OpenWindow();
    OpenerScope shell;
    PressKey(Qt::Key_F1);
    EXPECT_EQ(shell.opener->opened, QStringList{help});
}

// The desktop's real opener, on a desktop of a window manager alone: the help of the interface language
// is shown wherever xdg-open finds a browser, and each press whose help is not shown is told once,
// naming the file.
TEST_P(HelpContentsTest, TheDesktopsOwnOpenerShowsTheHelpOrItIsToldOnceNamingItsFile) {
    using Browser = FakeDesktop::Browser;
    const QString help = InstallHelp();
    OpenWindow();
    const struct {
        const char* what;
        Browser browser;
        bool helpFile = true;
    } cases[] = {
        {.what = "a browser registered for HTML", .browser = Browser::Registered},
        {.what = "a browser named in BROWSER alone", .browser = Browser::InBrowserVariable},
        {.what = "no browser at all", .browser = Browser::None},
        {.what = "no help file", .browser = Browser::Registered, .helpFile = false},
    };
    QStringList told;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.helpFile || QFile::remove(help));
        const FakeDesktop desktop(c.browser);
        PressKey(Qt::Key_F1);
        if (c.browser != Browser::None && c.helpFile) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.Showed(help); }, 10000));
            // Anything it would tell is on its way once its end is heard.
            QCoreApplication::processEvents();
        } else {
            told << Text(res::kMsgHelpNotShown).replace("%1", help);
            EXPECT_TRUE(QTest::qWaitFor([&] { return m_messages.Texts().size() >= told.size(); }, 10000));
        }
        EXPECT_EQ(m_messages.Texts(), told);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpContentsTest,
                         testing::Values(HelpLanguage{amb::EnumSupportedLocaleID::English, amb::kHelpFileName},
                                         HelpLanguage{amb::EnumSupportedLocaleID::Korean, amb::kKoreanHelpFileName}),
                         [](const auto& info) { return info.index ? "Korean" : "English"; });

} // namespace
} // namespace test
