// A damaged or truncated db.mdb under the installed program: every window that reads or writes says
// that the file is damaged and how to get out, never that nothing matched.

#include "tests/main/StartUpFixture.h"

#include "main/Program.h"

#include "common/HelpFile.h"
#include "common/ResourceIDs.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/RecordingOpener.h"
#include "windows/base/MessageService.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace test {
namespace {

using amb::ambrel::StartUp;

// A db.mdb whose Person table lost its first page, as a failing disk leaves it. The program starts and
// the clerk logs in (the user table is whole); every window that reads or writes persons then says that
// the file is damaged and how to get out, never that nothing matched. With the automatic backup on, the
// start-up's backup said so first.
class DamagedFileTest : public StartUpTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DamagedFileTest, TheSearchAListAReportAndASaveSayTheFileIsDamaged) {
    const bool autoBackUp = GetParam();
    Install(true, {"--auto-backup", autoBackUp ? "on" : "off"});
    AddClerkAndPersons();
    ASSERT_TRUE(DamageTableRootPage(Database(), "Person"));
    const QString damaged = EnglishText(amb::res::kMsgDatabaseDamaged);
    ASSERT_TRUE(damaged.contains("ambrel-fixdb"));
    const auto shown = [&] { return m_messages.Texts().join(QLatin1Char('/')).toStdString(); };

    auto mainForm = StartUp();
    ASSERT_NE(mainForm, nullptr) << shown();
    mainForm->SetAskOnClose(false);
    mainForm->FinishBackUp();
    EXPECT_EQ(m_messages.Texts(), autoBackUp ? QStringList{EnglishText(amb::res::kMsgBackUpDamaged)} : QStringList())
        << shown();
    m_messages.Clear();
    LogInAsClerk(*mainForm);
    ASSERT_TRUE(mainForm->IsLoggedIn()) << shown();
    m_messages.Clear();

    struct Step {
        const char* what;
        std::function<void()> act;
    };
    auto* list = mainForm->findChild<QTreeWidget*>("lstvwData");
    auto* tree = mainForm->findChild<QTreeWidget*>("trvwIcon");
    ASSERT_TRUE(list && tree);
    QDialog* saveWindow = nullptr;
    ModalScript windows([&](QDialog& dialog) {
        if (dialog.objectName() == QLatin1String("ReportForm")) {
            QTest::keyClicks(Child<QComboBox>(dialog, "cboReport"), "Member Contact List");
            Click(dialog, "cmdNext");
            Click(dialog, "cmdNext");
            Click(dialog, "cmdNext");
        } else if (dialog.objectName() == QLatin1String("MemberForm")) {
            QTest::keyClicks(Child<QComboBox>(dialog, "cboMemberStatus"), "Active");
            QTest::keyClicks(Child<QComboBox>(dialog, "cboSex"), "Female");
            TypeText(dialog, "txtFirstName", "Ruth");
            TypeText(dialog, "txtLastName", "Park");
            // The new person's lists could not be read either, and the window said so as it opened.
            EXPECT_EQ(m_messages.Texts(), QStringList{damaged});
            m_messages.Clear();
            Click(dialog, "cmdOK");
            // Refused: the window keeps what was typed for another try.
            EXPECT_TRUE(dialog.isVisible());
            saveWindow = &dialog;
        }
    });
    const Step steps[] = {
        {.what = "the search band, a member who is in the file", .act = [&] { Search(*mainForm, "Kim"); }},
        {.what = "the family list",
         .act =
             [&] {
                 ClickNode(*mainForm, "Family");
                 Search(*mainForm, "Kim");
             }},
        {.what = "a report",
         .act =
             [&] {
                 ClickToolbarButton(mainForm->findChild<QToolBar*>("tbarMain"),
                                    mainForm->findChild<QAction*>("Report"));
             }},
        {.what = "a new member's save",
         .act =
             [&] {
                 ClickNode(*mainForm, "Member");
                 auto* addNew = mainForm->findChild<QToolButton*>("tbarMainAddNew");
                 ASSERT_NE(addNew, nullptr);
                 QTest::mouseClick(addNew, Qt::LeftButton, {}, QPoint(8, addNew->height() / 2));
             }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        m_messages.Clear();
        step.act();
        EXPECT_EQ(m_messages.Texts(), QStringList{damaged}) << shown();
        EXPECT_EQ(list->topLevelItemCount(), 0);
    }
    EXPECT_NE(saveWindow, nullptr);
    EXPECT_EQ(windows.Runs(), 2);
}

INSTANTIATE_TEST_SUITE_P(AutomaticBackUp, DamagedFileTest, ::testing::Bool());

// A db.mdb cut short: the counts cannot be read at the start, and the error box gives the way out.
TEST_F(StartUpTest, ATruncatedDatabaseEndsWithTheWayOut) {
    Install(true);
    QFile file(Database());
    ASSERT_TRUE(file.resize(file.size() / 2));
    EXPECT_EQ(StartUp(), nullptr);
    // The automatic backup's check found the file damaged first.
    ASSERT_EQ(m_messages.Texts().value(0), EnglishText(amb::res::kMsgBackUpDamaged));
    ASSERT_EQ(m_messages.Shown().size(), 2u) << m_messages.Texts().join(QLatin1Char('/')).toStdString();
    const QString text = m_messages.Shown()[1].text;
    EXPECT_TRUE(text.startsWith("Number: 91\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains(EnglishText(amb::res::kMsgCountsUnreadable).replace("%1", Database())))
        << text.toStdString();
}

// F1 in the real boxes of a start-up that ends on a truncated file opens the help at the half of the
// installation's language: in the backup's box over the main window, and in the error box that comes
// after the main window is gone, before anyone logged in, from the saved settings alone.
class BoxHelpTest : public StartUpTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BoxHelpTest, F1InTheStartUpBoxesOpensTheHelpInTheInstallationsLanguage) {
    Install(true, {"--language", GetParam(), "--auto-backup", "on"});
    QFile file(Database());
    ASSERT_TRUE(file.resize(file.size() / 2));
    const OpenerScope shell;
    amb::MessageService::SetAnswerer({});
    QStringList boxes;
    QTimer person;
    QObject::connect(&person, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        boxes << box->text().left(12);
        // The window manager activates the box; the keys go to its default button.
        PressKeyIn(box->defaultButton(), Qt::Key_F1);
        PressKeyIn(box->defaultButton(), Qt::Key_Return);
    });
    person.start(0);
    EXPECT_EQ(StartUp(), nullptr);
    ASSERT_EQ(boxes.size(), 2) << boxes.join(u'/').toStdString();
    EXPECT_TRUE(boxes[1].startsWith("Number: 91")) << boxes[1].toStdString();
    const QString help = QDir(AppDir()).filePath(
        QLatin1String(GetParam()) == QLatin1String("1042") ? amb::kKoreanHelpFileName : amb::kHelpFileName);
    ASSERT_TRUE(QFile::exists(help));
    EXPECT_EQ(shell.opener->opened, QStringList(2, help));
}

INSTANTIATE_TEST_SUITE_P(Languages, BoxHelpTest, ::testing::Values("1033", "1042"));

} // namespace
} // namespace test
