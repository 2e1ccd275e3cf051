#include "tests/main/MainFormFixture.h"
#include "tests/support/AccessibleNames.h"

#include <QTreeWidget>

// The main window as a screen reader reads it, in both interface languages: the tree, the lists, the
// toolbars and the search boxes of each search mode carry names, and every box its label.

namespace {

using Locale = amb::EnumSupportedLocaleID;

class MainWindowNamesTest : public test::MainFormTest, public ::testing::WithParamInterface<Locale> {
protected:
    MainWindowNamesTest() : MainFormTest(GetParam()) {}
};

TEST_P(MainWindowNamesTest, EveryControlIsNamedAfterItsLabelOrCaptionInEachSearchMode) {
    OpenWindow();
    LogIn(true);
    // One kind of each search mode: search text, group type, date range.
    for (const char* kind : {"Member", "Group", "Offering"}) {
        ClickNode(QString::fromLatin1(kind));
        test::DumpAccessibleTree(
            *m_form, QStringLiteral("MainForm-%1-%2").arg(QLatin1String(kind)).arg(static_cast<int>(GetParam())));
        if (const QString shots = qEnvironmentVariable("AMB_SHOTS_DIR"); !shots.isEmpty())
            m_form->grab().save(QStringLiteral("%1/MainForm-%2-%3.png")
                                    .arg(shots, QLatin1String(kind))
                                    .arg(static_cast<int>(GetParam())));
        const QStringList problems = test::AccessibleNameProblems(*m_form);
        EXPECT_TRUE(problems.isEmpty()) << kind << ":\n" << problems.join(QLatin1Char('\n')).toStdString();
    }
    // The list is read by the kind it lists and how many rows it holds.
    EXPECT_EQ(List()->accessibleName(), Node(QStringLiteral("Offering"))->text(0) + QStringLiteral(" (0)"));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MainWindowNamesTest, ::testing::Values(Locale::English, Locale::Korean),
                         [](const ::testing::TestParamInfo<Locale>& info) {
                             return info.param == Locale::Korean ? std::string("Korean") : std::string("English");
                         });

} // namespace
