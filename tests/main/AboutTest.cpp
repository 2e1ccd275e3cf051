#include "tests/main/MainFormFixture.h"

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
#include <QUrl>

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

struct HelpHalf {
    amb::EnumSupportedLocaleID language;
    const char* fragment;
};

class HelpContentsTest : public MainFormTest, public testing::WithParamInterface<HelpHalf> {};

// One help file holds both languages; a Korean interface opens it at its Korean half.
TEST_P(HelpContentsTest, OpensTheHelpFileOfTheApplicationFolderAtTheHalfOfTheInterfaceLanguage) {
    QFile help(m_temp.FilePath("Ambrel.html"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    m_hub->SetAppDir(m_temp.Path());
    m_hub->SetGUILocaleID(GetParam().language);
    OpenWindow();
    OpenerScope shell;
    PressKey(Qt::Key_F1);
    ASSERT_EQ(shell.opener->opened.size(), 1);
    const QString opened = shell.opener->opened.front();
    const QString fragment = QLatin1String(GetParam().fragment);
    const QUrl url = fragment.isEmpty() ? QUrl::fromLocalFile(opened) : QUrl(opened);
    EXPECT_EQ(url.toLocalFile(), help.fileName());
    EXPECT_EQ(url.fragment(), fragment);
}

// The desktop's real opener: each press whose help is not shown is told once, naming the file.
TEST_P(HelpContentsTest, AHelpThatCannotBeShownIsToldNamingItsFile) {
    m_hub->SetAppDir(m_temp.Path());
    m_hub->SetGUILocaleID(GetParam().language);
    OpenWindow();
    QFile help(m_temp.FilePath("Ambrel.html"));
    const struct {
        const char* what;
        bool browser;
        int openerExit;
        bool helpFile;
    } cases[] = {
        {.what = "a help that opens", .browser = true, .openerExit = 0, .helpFile = true},
        {.what = "no program for HTML", .browser = false, .openerExit = 0, .helpFile = true},
        {.what = "an opener that fails", .browser = true, .openerExit = 4, .helpFile = true},
        {.what = "no help file", .browser = true, .openerExit = 0, .helpFile = false},
    };
    QStringList told;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.helpFile ? help.open(QIODevice::WriteOnly) : help.remove());
        help.close();
        const FakeDesktop desktop(c.browser, c.openerExit);
        PressKey(Qt::Key_F1);
        if (&c == cases) {
            // Anything it would tell is on its way once its end is heard.
            EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.OpenerEnded(); }, 10000));
            QCoreApplication::processEvents();
        } else {
            told << Text(res::kMsgHelpNotShown).replace("%1", help.fileName());
            EXPECT_TRUE(QTest::qWaitFor([&] { return m_messages.Texts().size() >= told.size(); }, 10000));
        }
        EXPECT_EQ(m_messages.Texts(), told);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpContentsTest,
                         testing::Values(HelpHalf{amb::EnumSupportedLocaleID::English, ""},
                                         HelpHalf{amb::EnumSupportedLocaleID::Korean, "ko"}));

} // namespace
} // namespace test
