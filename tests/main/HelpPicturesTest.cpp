// The main window of the help's first tasks, logged in with a search shown, in each interface
// language. With AMB_SHOTS_DIR set it is saved as help/<locale id>/main.png there
// (scripts/help-pictures.sh copies it beside the help).

#include "tests/main/MainFormFixture.h"

#include "main/MainForm.h"

#include <QDir>
#include <QTreeWidget>

namespace test {
namespace {

class HelpMainPicture : public MainFormTest, public ::testing::WithParamInterface<amb::EnumSupportedLocaleID> {
protected:
    HelpMainPicture() : MainFormTest(GetParam()) {}
};

TEST_P(HelpMainPicture, TheMainWindowAfterLoggingInAndSearching) {
    OpenWindow();
    LogIn(true);
    m_form->resize(900, 600);
    SearchFor("kim");
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    const QString folder = qEnvironmentVariable("AMB_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    const QString lcid =
        GetParam() == amb::EnumSupportedLocaleID::English ? QStringLiteral("1033") : QStringLiteral("1042");
    QDir(folder).mkpath(QStringLiteral("help/") + lcid);
    EXPECT_TRUE(m_form->grab().save(QDir(folder).filePath(QStringLiteral("help/%1/main.png").arg(lcid))));
}

INSTANTIATE_TEST_SUITE_P(Help, HelpMainPicture,
                         ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean),
                         [](const ::testing::TestParamInfo<amb::EnumSupportedLocaleID>& info) {
                             return std::to_string(static_cast<int>(info.param));
                         });

} // namespace
} // namespace test
