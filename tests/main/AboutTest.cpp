#include "tests/main/MainFormFixture.h"

#include "common/ResourceIDs.h"
#include "heading/FormHeading.h"
#include "main/AboutForm.h"
#include "main/ComponentsForm.h"
#include "tests/support/RecordingOpener.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

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
    about.cmdMore->click();
    EXPECT_EQ(modal.Runs(), 1);
    about.cmdCancel->click();
    EXPECT_FALSE(about.isVisible());

    OpenerScope shell;
    about.lblURL_Click();
    EXPECT_EQ(shell.opener->opened, QStringList{QLatin1String(amb::ambrel::kMakerURL)});
}

TEST_F(MainFormTest, HelpContentsOpensTheHelpFileOfTheApplicationFolder) {
    QFile help(m_temp.FilePath("Ambrel.html"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    m_hub->SetAppDir(m_temp.Path());
    OpenWindow();
    OpenerScope shell;
    PressKey(Qt::Key_F1);
    EXPECT_EQ(shell.opener->opened, QStringList{help.fileName()});
}

} // namespace
} // namespace test
