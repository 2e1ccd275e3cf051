#include "common/ResourceIDs.h"
#include "generic/OrvInterfaces/IRegistryManager.h"
#include "platform/com/Factory.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/FailingFiles.h"
#include "tests/support/GenericComponents.h"
#include "tests/windows/AdminWindowTest.h"
#include "windows/base/FileRemover.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include <sys/stat.h>

namespace {

using namespace amb::res;
using orv::EnumRootKey;

const QString kKey = QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel");
const QString kSettingNames[] = {"LogOn", "TraceOn", "AutoBackUp", "DateFormat", "DefaultAddressFormat"};

// The options window over the real registry component and the real log writer, writing Log.txt and
// Trace.txt in the application folder, which has both language folders and one that is none.
class OptionsFormTest : public test::DatabaseWindowTest {
protected:
    void SetUp() override {
        test::RegisterGenericComponents();
        m_registry = test::NewRegistryManager();
        m_realWriter = test::NewLogTraceWriter();
        ASSERT_TRUE(m_registry && m_realWriter);
        ASSERT_GE(m_realWriter->OpenLogTrace(m_temp.Path(), true, true), 0);
        auto generic = std::make_shared<test::FakeGenericApplication>();
        generic->SetLogTraceWriter(m_realWriter);
        generic->SetRegistryManager(m_registry);
        m_hub->SetOrvApplication(generic);
        m_loader->SetAmbApplication(m_hub); // the windows now write through the real writer
        ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_LOCAL_MACHINE, kKey), 0);
        m_registry->CloseKey();
        for (const char* folder : {"1042", "1033", "10420", "Report"})
            QDir(m_temp.Path()).mkdir(QLatin1String(folder));
    }
    void TearDown() override {
        amb::FileRemover::SetRemover({});
        m_realWriter->CloseLogTrace();
    }

    // A setting read back through the registry layer; "<missing>" when it is not there.
    QString Setting(const QString& name) {
        m_registry->OpenKey(EnumRootKey::HKEY_LOCAL_MACHINE, kKey);
        int32_t number = 0;
        QString text;
        QString result = QStringLiteral("<missing>");
        if (m_registry->GetIntegerValue(name, number) == 0)
            result = QString::number(number);
        else if (m_registry->GetStringValue(name, text) == 0)
            result = text;
        m_registry->CloseKey();
        return result;
    }
    qint64 FileSize(const char* name) { return QFileInfo(m_temp.FilePath(QLatin1String(name))).size(); }

    static void ShowTab(QDialog& d, int tab) { test::ClickTab(d, "tabMain", tab); }
    // Picks the next (or previous) entry of a drop-down list with the keyboard.
    static void Pick(QDialog& d, const char* list, Qt::Key key) {
        auto* box = test::Child<QComboBox>(d, list);
        box->setFocus();
        QTest::keyClick(box, key);
    }
    static QStringList Entries(QDialog& d, const char* list) {
        QStringList texts;
        auto* box = test::Child<QComboBox>(d, list);
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

    orv::IRegistryManagerPtr m_registry;
    orv::ILogTraceWriterPtr m_realWriter;
};

TEST_F(OptionsFormTest, OkWritesAndAppliesEveryOptionAndTheLanguageForTheNextStart) {
    m_hub->SetAutoBackUp(false);
    m_realWriter->SetTraceOn(true);
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), Text(kTitleOptions));
        EXPECT_EQ(Entries(d, "cboGUILanguage"), (QStringList{Text(kLanguageEnglish), Text(kLanguageKorean)}));
        EXPECT_EQ(test::Child<QComboBox>(d, "cboGUILanguage")->currentText(), Text(kLanguageEnglish));
        EXPECT_EQ(test::Child<QComboBox>(d, "cboDateFormat")->currentText(), "M/d/yyyy"); // from "m/d/yyyy"
        EXPECT_EQ(test::Child<QComboBox>(d, "cboAddressFormat")->currentText(), Text(kTextAddressFormatUS));
        EXPECT_FALSE(test::Child<QWidget>(d, "cmdClearSearch")->isEnabled());
        // Each tab switches on its own controls only.
        ShowTab(d, 1);
        EXPECT_FALSE(test::Child<QWidget>(d, "cmdBackUp")->isEnabled());
        EXPECT_TRUE(test::Child<QWidget>(d, "cboDateFormat")->isEnabled());
        EXPECT_FALSE(test::Child<QWidget>(d, "cmdClearLog")->isEnabled());
        Pick(d, "cboGUILanguage", Qt::Key_Down);
        Pick(d, "cboDateFormat", Qt::Key_Down);
        Pick(d, "cboAddressFormat", Qt::Key_Up);
        ShowTab(d, 2);
        EXPECT_TRUE(test::Child<QWidget>(d, "cmdClearLog")->isEnabled());
        EXPECT_FALSE(test::Child<QWidget>(d, "cboDateFormat")->isEnabled());
        EXPECT_TRUE(test::Child<QCheckBox>(d, "chkTurnOnTrace")->isChecked());
        test::ClickWidget(test::Child<QCheckBox>(d, "chkTurnOnTrace"));
        ShowTab(d, 0);
        test::ClickWidget(test::Child<QCheckBox>(d, "chkBackUpAuto"));
        test::Click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(m_loader->ShowOptionWindow(), 1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgLanguageNextStart)});

    EXPECT_EQ(Setting("LogOn"), "1");
    EXPECT_EQ(Setting("TraceOn"), "0");
    EXPECT_EQ(Setting("AutoBackUp"), "1");
    EXPECT_EQ(Setting("GUILocaleID"), "1042");
    EXPECT_EQ(Setting("DateFormat"), "yyyy-M-d");
    EXPECT_EQ(Setting("DefaultAddressFormat"), "0");
    EXPECT_TRUE(m_realWriter->LogOn());
    EXPECT_FALSE(m_realWriter->TraceOn());
    EXPECT_TRUE(m_hub->AutoBackUp());
    EXPECT_EQ(m_hub->DateFormat(), "yyyy-M-d");
    EXPECT_EQ(m_hub->DefaultAddressFormat(), amb::EnumAddressFormat::UnknownFormat);
    EXPECT_EQ(m_hub->GUILocaleID(), amb::EnumSupportedLocaleID::English);

    // A hub opened afterwards speaks Korean.
    ASSERT_TRUE(
        QFile::copy(test::BuiltShareDir() + "/1042/AmbResources.tsv", m_temp.FilePath("1042/AmbResources.tsv")));
    ASSERT_TRUE(
        QFile::copy(test::BuiltShareDir() + "/1033/AmbResources.tsv", m_temp.FilePath("1033/AmbResources.tsv")));
    m_registry->OpenKey(EnumRootKey::HKEY_LOCAL_MACHINE, kKey);
    m_registry->SetStringValue("AppDir", m_temp.Path());
    m_registry->CloseKey();
    ASSERT_TRUE(test::RegisterBuiltComponent("libAmbApplication.so"));
    using platform::com::CreateObjectAs;
    auto next = CreateObjectAs<amb::IApplication>(QStringLiteral("AmbApplication.Manager"));
    auto generic = CreateObjectAs<orv::IApplication>(QStringLiteral("OrvApplication.Manager"));
    ASSERT_TRUE(next && generic);
    generic->SetLogTraceWriter(test::NewLogTraceWriter());
    generic->SetRegistryManager(test::NewRegistryManager());
    next->SetOrvApplication(generic);
    ASSERT_EQ(next->OpenApplication(), 1);
    EXPECT_EQ(next->GUILocaleID(), amb::EnumSupportedLocaleID::Korean);
    test::FakeHub korean(amb::EnumSupportedLocaleID::Korean);
    EXPECT_EQ(next->StringTable()->Item("307").ToString(), korean.StringTable()->Item("307").ToString());
    EXPECT_NE(next->StringTable()->Item("307").ToString(), Text(kTitleOptions));
    generic->LogTraceWriter()->CloseLogTrace();
    next->CloseApplication();
}

TEST_F(OptionsFormTest, TheRegionalListsLineUpUnderEachOther) {
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        ShowTab(d, 1);
        QList<int> lefts;
        for (const char* box : {"cboGUILanguage", "cboDateFormat", "cboAddressFormat"})
            lefts << test::Child<QComboBox>(d, box)->mapTo(&d, QPoint(0, 0)).x();
        EXPECT_EQ(lefts.count(lefts.first()), 3) << lefts[0] << " " << lefts[1] << " " << lefts[2];
        test::Click(d, "cmdCancel");
    });
    m_loader->ShowOptionWindow();
}

TEST_F(OptionsFormTest, WithoutLanguageFoldersTheLanguageIsNeverWritten) {
    for (const char* folder : {"1033", "1042"})
        QDir(m_temp.FilePath(QLatin1String(folder))).removeRecursively();
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        EXPECT_TRUE(Entries(d, "cboGUILanguage").isEmpty());
        ShowTab(d, 1);
        Pick(d, "cboGUILanguage", Qt::Key_Down);
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowOptionWindow(), 1);
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_EQ(Setting("GUILocaleID"), "<missing>");
    for (const QString& name : kSettingNames)
        EXPECT_NE(Setting(name), "<missing>") << name.toStdString();
}

TEST_F(OptionsFormTest, ApplyThenCancelIsOneCancelAloneMinusOneAndAnUnofferedDateFormatStays) {
    m_hub->SetDateFormat("d.M.yyyy");
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        EXPECT_EQ(test::Child<QComboBox>(d, "cboDateFormat")->currentIndex(), -1);
        // Re-picking the language already shown counts as a pick.
        ShowTab(d, 1);
        auto* language = test::Child<QComboBox>(d, "cboGUILanguage");
        language->showPopup();
        test::PressKeyIn(language->view(), Qt::Key_Return);
        test::Click(d, "cmdApply");
        EXPECT_TRUE(d.isVisible());
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowOptionWindow(), 1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgLanguageNextStart)});
    EXPECT_EQ(Setting("GUILocaleID"), "1033");
    EXPECT_EQ(Setting("DateFormat"), "<missing>");
    EXPECT_EQ(m_hub->DateFormat(), "d.M.yyyy");

    steps.Then("OptionsForm", [&](QDialog& d) { test::Click(d, "cmdCancel"); });
    EXPECT_EQ(m_loader->ShowOptionWindow(), -1);
}

TEST_F(OptionsFormTest, SettingsThatCannotBeWrittenAreReportedAndTheWindowStays) {
    const QString file = m_temp.FilePath("registry/HKEY_LOCAL_MACHINE.reg");
    ASSERT_TRUE(QFileInfo::exists(file));
    {
        QFile damaged(file);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("\x01\x02 not a registry file\n[[[");
    }
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        ShowTab(d, 2);
        test::ClickWidget(test::Child<QCheckBox>(d, "chkTurnOnTrace"));
        test::Click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowOptionWindow(), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgOptionsNotSaved)});
    // The damaged file is reported, never overwritten; the switch still applies for this session.
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    EXPECT_TRUE(damaged.readAll().startsWith("\x01\x02 not a registry file"));
    EXPECT_FALSE(m_realWriter->TraceOn());
}

TEST_F(OptionsFormTest, ClearingOneLogFileKeepsTheOtherAndLoggingGoesOn) {
    m_realWriter->WriteLog(QString(1500, QChar(u'l')));
    m_realWriter->WriteTrace(QString(2500, QChar(u't')));
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        ShowTab(d, 2);
        auto* logSize = test::Child<QLabel>(d, "lblLogFileSize");
        auto* traceSize = test::Child<QLabel>(d, "lblTraceFileSize");
        EXPECT_TRUE(logSize->text().startsWith("(1.5")) << logSize->text().toStdString();
        const qint64 logBefore = FileSize("Log.txt");
        test::Click(d, "cmdClearTrace");
        EXPECT_EQ(traceSize->text(), "(0.00 KB)");
        EXPECT_EQ(FileSize("Log.txt"), logBefore);
        EXPECT_TRUE(m_realWriter->LogOn() && m_realWriter->TraceOn());

        // A file that cannot be deleted: told, and both files stay open with their switches.
        amb::FileRemover::SetRemover([](const QString&) { return false; });
        test::Click(d, "cmdClearLog");
        EXPECT_GE(FileSize("Log.txt"), logBefore);
        EXPECT_TRUE(m_realWriter->LogOn() && m_realWriter->TraceOn());
        amb::FileRemover::SetRemover({});
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowOptionWindow(), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgClearFileFailed)});
    const qint64 log = FileSize("Log.txt");
    const qint64 trace = FileSize("Trace.txt");
    EXPECT_GT(m_realWriter->WriteLog("still logging"), 0);
    EXPECT_GT(m_realWriter->WriteTrace("still tracing"), 0);
    EXPECT_GT(FileSize("Log.txt"), log);
    EXPECT_GT(FileSize("Trace.txt"), trace);
    // The window's own lines went on through the clearing.
    QFile lines(m_temp.FilePath("Trace.txt"));
    ASSERT_TRUE(lines.open(QIODevice::ReadOnly));
    EXPECT_TRUE(lines.readAll().contains("AmbWindows.OptionsForm.cmdCancel_Click()"));
}

TEST_F(OptionsFormTest, BackUpNowAddsTheNextCopyAndAFailureIsTold) {
    test::WindowSteps steps;
    for (int i = 0; i < 2; ++i)
        steps.Then("OptionsForm", [&](QDialog& d) {
            test::Click(d, "cmdBackUp");
            test::Click(d, "cmdCancel");
        });
    EXPECT_EQ(m_loader->ShowOptionWindow(), -1);
    EXPECT_EQ(m_loader->ShowOptionWindow(), -1);
    EXPECT_EQ(QDir(m_hub->BackUpDir()).entryList(QDir::Files), (QStringList{"001.mdb", "002.mdb"}));
    EXPECT_TRUE(m_messages.Shown().empty());

    // A file where the backup folder should be.
    QDir(m_hub->BackUpDir()).removeRecursively();
    QFile blocker(m_hub->BackUpDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    steps.Then("OptionsForm", [&](QDialog& d) {
        test::Click(d, "cmdBackUp");
        EXPECT_TRUE(d.isVisible());
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowOptionWindow(), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgBackUpFolder).replace("%1", m_hub->BackUpDir())});
    EXPECT_TRUE(QFileInfo(m_hub->BackUpDir()).isFile());
}

TEST_F(OptionsFormTest, BackUpNowSaysWhyTheCopyCouldNotBeWrittenAndLeavesNoFileOfItsOwn) {
    using Fault = test::FailingFiles::Fault;
    const struct {
        const char* what;
        Fault fault;
        int32_t text;
    } cases[] = {
        {.what = "a folder that cannot be written", .fault = Fault::ReadOnlyFile, .text = kMsgBackUpFolder},
        {.what = "a full disk", .fault = Fault::DiskFull, .text = kMsgBackUpDiskFull},
        {.what = "an I/O error", .fault = Fault::WriteError, .text = kMsgBackUpFailed},
    };
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        test::Click(d, "cmdBackUp");
        test::Click(d, "cmdCancel");
    });
    m_loader->ShowOptionWindow();
    const QStringList before = QDir(m_hub->BackUpDir()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(before, QStringList{"001.mdb"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_messages.Clear();
        steps.Then("OptionsForm", [&](QDialog& d) {
            const test::FailingFiles files(c.fault);
            test::Click(d, "cmdBackUp");
            EXPECT_TRUE(d.isVisible());
            test::Click(d, "cmdCancel");
        });
        m_loader->ShowOptionWindow();
        const QString text = Text(c.text).replace("%1", m_hub->BackUpDir());
        EXPECT_EQ(m_messages.Texts(), QStringList{text});
        EXPECT_FALSE(text.contains("automatic"));
        EXPECT_EQ(QDir(m_hub->BackUpDir()).entryList(QDir::Files | QDir::Hidden), before);
    }
}

// The settings hold persons' names (recent searches): a file the window rewrites is private to its
// owner, also when an older version had left it readable by others.
TEST_F(OptionsFormTest, TheSettingsFilesTheWindowWritesArePrivate) {
    const QDir settings(m_temp.RegistryDir());
    const QStringList files = settings.entryList({"*.reg"}, QDir::Files);
    ASSERT_TRUE(files.contains("HKEY_LOCAL_MACHINE.reg"));
    for (const QString& name : files)
        ASSERT_TRUE(QFile::setPermissions(settings.filePath(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                       QFileDevice::ReadGroup |
                                                                       QFileDevice::ReadOther));
    const QByteArray before = [&] {
        QFile file(settings.filePath("HKEY_LOCAL_MACHINE.reg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        test::ClickWidget(test::Child<QCheckBox>(d, "chkBackUpAuto"));
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowOptionWindow(), 1);
    QFile machine(settings.filePath("HKEY_LOCAL_MACHINE.reg"));
    ASSERT_TRUE(machine.open(QIODevice::ReadOnly));
    EXPECT_NE(machine.readAll(), before);
    for (const QString& name : settings.entryList(QDir::Files | QDir::Hidden)) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(settings.filePath(name)).constData(), &info), 0);
        if (name == "HKEY_LOCAL_MACHINE.reg" || name.endsWith(".lock")) {
            EXPECT_EQ(info.st_mode & 07777, 0600u) << name.toStdString();
        }
    }
}

TEST_F(OptionsFormTest, BackUpNowOfADamagedDatabaseKeepsTheGoodCopiesAndSaysSo) {
    test::WindowSteps steps;
    steps.Then("OptionsForm", [&](QDialog& d) {
        test::Click(d, "cmdBackUp");
        test::Click(d, "cmdCancel");
    });
    m_loader->ShowOptionWindow();
    ASSERT_TRUE(test::DamageIndexRootPage(m_path, "PersonMarriedMonth"));
    steps.Then("OptionsForm", [&](QDialog& d) {
        test::Click(d, "cmdBackUp");
        EXPECT_TRUE(d.isVisible());
        test::Click(d, "cmdCancel");
    });
    m_loader->ShowOptionWindow();
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgBackUpDamaged)});
    EXPECT_EQ(QDir(m_hub->BackUpDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"001.mdb"});
    QFile log(m_temp.FilePath("Log.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("is damaged"));
}

} // namespace
