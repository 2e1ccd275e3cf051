#include "tests/main/MainFormFixture.h"

#include "common/ResourceIDs.h"
#include "heading/FormHeading.h"
#include "main/AboutForm.h"
#include "main/ComponentsForm.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/RecordingOpener.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
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
    EXPECT_TRUE(m_messages.Texts().isEmpty());
}

// The desktop's real opener, on a desktop of the test's own: each press that shows nothing is told
// once, naming the file; a help that opens says nothing.
TEST_P(HelpContentsTest, AHelpThatCannotBeShownIsToldNamingItsFile) {
    const QString path = m_temp.FilePath("Ambrel.html");
    m_hub->SetAppDir(m_temp.Path());
    m_hub->SetGUILocaleID(GetParam().language);
    OpenWindow();
    const QString told = Text(res::kMsgHelpNotShown).replace("%1", path);
    const struct {
        const char* what;
        bool helpFile;
        FakeDesktop::Programs programs;
        bool shown;
    } cases[] = {
        // First, so that a message it gave late would show in the next case.
        {.what = "a browser for HTML", .helpFile = true, .programs = {"firefox-esr.desktop", 0}, .shown = true},
        {.what = "no help file", .helpFile = false, .programs = {"firefox-esr.desktop", 0}, .shown = false},
        {.what = "no program for HTML", .helpFile = true, .programs = {"", 0}, .shown = false},
        {.what = "an opener that fails", .helpFile = true, .programs = {"firefox-esr.desktop", 4}, .shown = false},
    };
    QStringList expected;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile help(path);
        if (c.helpFile) {
            ASSERT_TRUE(help.open(QIODevice::WriteOnly));
            help.close();
        } else {
            help.remove();
        }
        const FakeDesktop desktop(c.programs);
        PressKey(Qt::Key_F1);
        if (c.shown) {
            EXPECT_EQ(desktop.WaitForOpened().size(), 1);
            continue;
        }
        expected << told;
        QDeadlineTimer deadline(10000);
        while (m_messages.Texts().size() < expected.size() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(m_messages.Texts(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpContentsTest,
                         testing::Values(HelpHalf{amb::EnumSupportedLocaleID::English, ""},
                                         HelpHalf{amb::EnumSupportedLocaleID::Korean, "ko"}));

} // namespace
} // namespace test
