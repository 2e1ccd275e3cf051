// The main window of the help's first tasks, logged in with a search shown, in each interface
// language, checked against the help's picture of it (see HelpPicture).

#include "tests/main/MainFormFixture.h"
#include "tests/support/HelpPicture.h"

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
    // The first administrator of a new installation.
    m_database->username = QStringLiteral("admin");
    OpenWindow();
    LogIn(true);
    m_form->resize(900, 600);
    SearchFor("kim");
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    HelpPicture(*m_form,
                GetParam() == amb::EnumSupportedLocaleID::English ? QStringLiteral("1033") : QStringLiteral("1042"),
                QStringLiteral("main"));
}

INSTANTIATE_TEST_SUITE_P(Help, HelpMainPicture,
                         ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean),
                         [](const ::testing::TestParamInfo<amb::EnumSupportedLocaleID>& info) {
                             return std::to_string(static_cast<int>(info.param));
                         });

} // namespace
} // namespace test
