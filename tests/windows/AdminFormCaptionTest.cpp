#include "common/ResourceIDs.h"
#include "tests/windows/AdminWindowTest.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/status/StatusForm.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabWidget>

namespace {

using namespace amb::res;
using amb::EnumSupportedLocaleID;

// Every label and button that the window names has a text from the string table of its language.
void ExpectCaptions(QDialog& d) {
    SCOPED_TRACE(d.objectName().toStdString());
    EXPECT_FALSE(d.windowTitle().trimmed().isEmpty());
    for (QLabel* label : d.findChildren<QLabel*>()) {
        const QString name = label->objectName();
        if (name.startsWith("lbl") && !name.endsWith("FileSize")) {
            EXPECT_FALSE(label->text().isEmpty()) << name.toStdString();
        }
    }
    for (QAbstractButton* button : d.findChildren<QAbstractButton*>()) {
        const QString name = button->objectName();
        if ((name.startsWith("cmd") || name.startsWith("chk")) && button->isVisibleTo(&d)) {
            EXPECT_FALSE(button->text().isEmpty()) << name.toStdString();
        }
    }
}

// Saves a view of the window beside the ones the modal script saves (tabs it does not see).
void Shot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("AMB_SHOTS_DIR");
    if (!folder.isEmpty())
        window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

class AdminFormCaptionTest : public test::DatabaseWindowTest,
                             public ::testing::WithParamInterface<EnumSupportedLocaleID> {
protected:
    AdminFormCaptionTest()
        : DatabaseWindowTest(GetParam(), GetParam() == EnumSupportedLocaleID::Korean ? 1042 : 1033) {}
    QString Language() const { return GetParam() == EnumSupportedLocaleID::Korean ? "ko" : "en"; }
};

TEST_P(AdminFormCaptionTest, EveryWindowShowsItsTextsInTheInterfaceLanguage) {
    QDir(m_temp.Path()).mkdir("1033");
    QDir(m_temp.Path()).mkdir("1042");
    // Log files of 1,536 and 2,000,000 bytes in the writer's folder.
    m_writer->SetLogTraceDir(m_temp.Path());
    for (const auto& [name, size] : {std::pair{"Log.txt", 1536}, std::pair{"Trace.txt", 2000000}}) {
        QFile file(m_temp.FilePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'x'));
    }
    db->UpdateUser(test::Record({{"ID", 0},
                                 {"Username", "ADMIN"},
                                 {"Password", "pw"},
                                 {"Name", "관리자"},
                                 {"IsAdmin", true},
                                 {"IsEnabled", true}}));
    db->SetUserDateLogin(1, platform::MakeDateTime(2026, 12, 9, 9, 30, 0));
    m_hub->SetCurrentUserID(1);
    test::WindowSteps steps;
    steps.Then("ListForm", [&](QDialog& d) {
        ExpectCaptions(d);
        EXPECT_TRUE(d.windowTitle().startsWith(Text(kLabelGroupType)));
        test::ClickTool(d, "tbarListNew");
        test::Click(d, "cmdClose");
    });
    steps.Then("NameForm", [&](QDialog& d) { ExpectCaptions(d); });
    steps.Then("ListForm", [&](QDialog& d) {
        ExpectCaptions(d);
        ASSERT_TRUE(test::ClickRow(d, "ADMIN", true));
        test::Click(d, "cmdClose");
    });
    steps.Then("UserForm", [&](QDialog& d) { ExpectCaptions(d); });
    steps.Then("ChangePasswordForm", [&](QDialog& d) { ExpectCaptions(d); });
    steps.Then("OptionsForm", [&](QDialog& d) {
        ExpectCaptions(d);
        EXPECT_EQ(test::Child<QLabel>(d, "lblLogFileSize")->text(), "(1.54 KB)");
        EXPECT_EQ(test::Child<QLabel>(d, "lblTraceFileSize")->text(), "(2.00 MB)");
        auto* tabs = test::Child<QTabWidget>(d, "tabMain");
        for (int tab = 1; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            Shot(d, QStringLiteral("OptionsForm-%1-tab%2").arg(Language()).arg(tab));
        }
    });
    m_loader->ShowListWindow(amb::EnumWindowType::GroupType);
    m_loader->ShowListWindow(amb::EnumWindowType::User);
    m_loader->ShowChangePasswordWindow("ADMIN", "");
    m_loader->ShowOptionWindow();
    EXPECT_TRUE(steps.Done());
    EXPECT_TRUE(m_messages.Shown().empty());

    amb::windows::StatusForm status;
    int32_t min = 0, max = 10, subMin = 0, subMax = 4;
    status.InitializeProgressBars(min, max, subMin, subMax);
    status.SetProgress(Text(kLabelGroupType), 6, false);
    status.SetSubProgress(Text(kLabelMembers), 3, false);
    status.show();
    Shot(status, QStringLiteral("StatusForm-%1").arg(Language()));
}

INSTANTIATE_TEST_SUITE_P(Languages, AdminFormCaptionTest,
                         ::testing::Values(EnumSupportedLocaleID::English, EnumSupportedLocaleID::Korean));

} // namespace
