// The platform's own texts in the interface's language: its print dialog and standard buttons, the date
// box's context menu and its calendar, as a window started in that language shows them; a translation
// that cannot be loaded is logged once and the platform stays English.

#include "main/PlatformTexts.h"

#include "common/StandardModule.h"
#include "common/widgets/InterfaceLocale.h"
#include "tests/main/MainFormFixture.h"
#include "tests/support/DateClicks.h"

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace {

using amb::EnumSupportedLocaleID;

QString StandardCancel() {
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    return buttons.button(QDialogButtonBox::Cancel)->text();
}

struct Language {
    EnumSupportedLocaleID id;
    const char* dateFormat;
    const char* nonDate;
    const char* cancel;
    const char* month;    // March, as the calendar's title names it
    const char* firstDay; // the calendar's first column
};

constexpr Language kLanguages[] = {
    {.id = EnumSupportedLocaleID::English,
     .dateFormat = "m/d/yyyy",
     .nonDate = "2/30/2026",
     .cancel = "Cancel",
     .month = "March",
     .firstDay = "Sun"},
    {.id = EnumSupportedLocaleID::Korean,
     .dateFormat = "yyyy-m-d",
     .nonDate = "2026-2-30",
     .cancel = "취소",
     .month = "3월",
     .firstDay = "일"},
};

class PlatformTextsTest : public test::MainFormTest, public ::testing::WithParamInterface<Language> {
protected:
    PlatformTextsTest() : MainFormTest(GetParam().id) {
        m_hub->SetDateFormat(QString::fromLatin1(GetParam().dateFormat));
    }
};

TEST_P(PlatformTextsTest, TheStartSpeaksTheInterfacesLanguageInThePlatformsDialogsMenusAndCalendar) {
    const Language& language = GetParam();
    const QLocale programWide;
    OpenWindow();
    LogIn(false);
    EXPECT_TRUE(m_writer->logLines.filter(QStringLiteral("qtbase")).isEmpty())
        << m_writer->logLines.join(QLatin1Char(10)).toStdString();

    // The context menu's Paste, found by its shown text, reads a pasted text that is not a date as typed.
    ClickNode(QStringLiteral("Offering"));
    QDateTimeEdit* box = StartDate();
    const QDate held = box->date();
    ASSERT_EQ(held, QDate(2026, 3, 1));
    const QString nonDate = QString::fromLatin1(language.nonDate);
    test::BringIntoDate(box, test::WayIn::MenuPaste, nonDate, 1);
    EXPECT_EQ(box->text(), nonDate);
    EXPECT_EQ(box->date(), held);
    // The headless platform leaves no window active once a menu closes, where a desktop gives it back.
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    EXPECT_EQ(QApplication::focusWidget(), box);
    test::PressTabKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), box) << "Tab is refused";
    m_messages.Clear();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(box->date(), held);

    // F4 opens the calendar of the month held, named in the interface's language.
    test::PressFocused(Qt::Key_F4);
    QCalendarWidget* calendar = box->calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text(), QString::fromUtf8(language.month));
    const QAbstractItemModel* days = calendar->findChild<QTableView*>()->model();
    EXPECT_EQ(days->data(days->index(0, 0)).toString(), QString::fromUtf8(language.firstDay));
    test::PressFocused(Qt::Key_Escape);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(box->date(), held);

    EXPECT_EQ(StandardCancel(), QString::fromUtf8(language.cancel));
    {
        QPrinter printer;
        QPrintDialog print(&printer, m_form.get());
        auto* buttons = print.findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(language.cancel));
    }
    EXPECT_EQ(QLocale(), programWide) << "the program-wide locale is left alone";
}

INSTANTIATE_TEST_SUITE_P(Languages, PlatformTextsTest, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) {
                             return info.param.id == EnumSupportedLocaleID::English ? "English" : "Korean";
                         });

// A translation that cannot be read leaves the platform's texts English, with one line in the log; the
// run's end takes the texts and the calendar's locale back.
TEST(PlatformTextsFolderTest, AMissingTranslationIsLoggedOnceAndThePlatformStaysEnglish) {
    test::TempDir empty;
    const struct {
        EnumSupportedLocaleID language;
        bool missing;
        const char* cancel;
        QLocale::Language calendar;
    } cases[] = {
        {.language = EnumSupportedLocaleID::Korean, .missing = false, .cancel = "취소", .calendar = QLocale::Korean},
        {.language = EnumSupportedLocaleID::Korean, .missing = true, .cancel = "Cancel", .calendar = QLocale::Korean},
        // English needs none.
        {.language = EnumSupportedLocaleID::English, .missing = true, .cancel = "Cancel", .calendar = QLocale::English},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.language)) + (c.missing ? " missing" : ""));
        auto writer = std::make_shared<test::RecordingLogWriter>();
        amb::SetGlobalLogTraceWriter(writer);
        {
            const amb::ambrel::PlatformTexts texts(c.language, c.missing ? empty.Path()
                                                                         : amb::ambrel::PlatformTexts::SystemFolder());
            EXPECT_EQ(StandardCancel(), QString::fromUtf8(c.cancel));
            EXPECT_EQ(amb::InterfaceLocale().language(), c.calendar);
            const bool logged = c.missing && c.language == EnumSupportedLocaleID::Korean;
            EXPECT_EQ(writer->logLines.size(), logged ? 1 : 0) << writer->logLines.join('\n').toStdString();
            if (logged) {
                EXPECT_TRUE(writer->logLines.join('\n').contains(QDir(empty.Path()).filePath("qtbase_ko.qm")));
            }
        }
        amb::SetGlobalLogTraceWriter(nullptr);
        EXPECT_EQ(StandardCancel(), QStringLiteral("Cancel"));
        EXPECT_EQ(amb::InterfaceLocale(), QLocale());
    }
}

} // namespace
