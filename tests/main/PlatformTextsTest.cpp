// The platform's own texts and calendars in the interface's language, as a window started in it shows them.

#include "main/PlatformTexts.h"

#include "common/StandardModule.h"
#include "tests/main/MainFormFixture.h"
#include "tests/support/DateClicks.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QToolButton>

namespace {

using amb::EnumSupportedLocaleID;

QString StandardCancel() {
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    return buttons.button(QDialogButtonBox::Cancel)->text();
}

class PlatformTextsTest : public test::MainFormTest, public ::testing::WithParamInterface<EnumSupportedLocaleID> {
protected:
    PlatformTextsTest() : MainFormTest(GetParam()) {}
};

TEST_P(PlatformTextsTest, TheStartShowsThePlatformsTextsAndCalendarInTheInterfacesLanguage) {
    const bool korean = GetParam() == EnumSupportedLocaleID::Korean;
    const QLocale programWide;
    OpenWindow();
    LogIn(false);
    EXPECT_EQ(StandardCancel(), QString::fromUtf8(korean ? "취소" : "Cancel"));

    // F4 opens the calendar of the month held (the clock's) in the interface's language. (The date box's
    // context menu in that language is used by the range's non-date tests.)
    ClickNode(QStringLiteral("Offering"));
    test::ClickDatePart(StartDate(), 0);
    test::PressFocused(Qt::Key_F4);
    auto* month = StartDate()->calendarWidget()->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_TRUE(month && month->isVisible());
    EXPECT_EQ(month->text(), QString::fromUtf8(korean ? "3월" : "March"));
    test::PressFocused(Qt::Key_Escape);
    EXPECT_EQ(QLocale(), programWide) << "the program-wide locale, which amounts and dates follow, is left alone";
}

INSTANTIATE_TEST_SUITE_P(Languages, PlatformTextsTest,
                         ::testing::Values(EnumSupportedLocaleID::English, EnumSupportedLocaleID::Korean));

TEST(PlatformTextsFolderTest, AMissingTranslationIsLoggedOnceAndThePlatformStaysEnglish) {
    test::TempDir empty;
    auto writer = std::make_shared<test::RecordingLogWriter>();
    amb::SetGlobalLogTraceWriter(writer);
    const amb::ambrel::PlatformTexts texts(EnumSupportedLocaleID::Korean, empty.Path());
    amb::SetGlobalLogTraceWriter(nullptr);
    EXPECT_EQ(StandardCancel(), QStringLiteral("Cancel"));
    EXPECT_EQ(writer->logLines.filter(empty.FilePath("qtbase_ko.qm")).size(), 1);
}

} // namespace
