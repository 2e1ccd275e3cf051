// The start-up and shutdown over a real installation: the installer's registry and database, and the
// built components created by class name.

#include "main/AppWrapper.h"
#include "main/CApplication.h"
#include "main/ComponentsForm.h"
#include "main/MainForm.h"
#include "main/Program.h"

#include "common/Backup.h"
#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "platform/com/Factory.h"
#include "platform/data/SqliteConnection.h"
#include "tests/main/StartUpFixture.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/Installer.h"
#include "tests/support/WindowTest.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

#include <sys/stat.h>

namespace test {
namespace {

using namespace amb::ambrel;

// Runs ambrel-fixdb over the installation: its exit status and its report.
std::pair<int, QString> RunRepairTool() {
    QProcess fixdb;
    // No display: the tool writes its report to standard error.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    fixdb.setProcessEnvironment(environment);
    fixdb.start(BuiltProgramDir() + "/ambrel-fixdb");
    EXPECT_TRUE(fixdb.waitForFinished(30000));
    return {fixdb.exitCode(), QString::fromLocal8Bit(fixdb.readAllStandardError())};
}

TEST_F(StartUpTest, AnUnregisteredClassEndsInTheErrorBoxWithoutHanging) {
    Install(true);
    SetComponent("DatabaseManager", "Nowhere.Manager");
    // A hang would end in the test's time limit; no assertion here depends on the machine's speed.
    EXPECT_EQ(StartUp(), nullptr);
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    const amb::Message& box = m_messages.Shown()[0];
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.style, 64);
    const QRegularExpression layout(QStringLiteral("^Number: -\\d+\r\n\r\nDescription: [^\r\n]*Nowhere\\.Manager"
                                                   "[^\r\n]*\r\n\r\nSource: Nowhere\\.Manager\r\n$"));
    EXPECT_TRUE(layout.match(box.text).hasMatch()) << box.text.toStdString();
    // The half-wired hub let go of its log files.
    EXPECT_TRUE(QFile::remove(QDir(AppDir()).filePath("Log.txt")));
}

TEST_F(StartUpTest, AMissingDatabaseOrFolderEndsWithAClearMessageAndCreatesNothing) {
    Install(false);
    const QStringList before = FilesIn(AppDir());
    EXPECT_EQ(StartUp(), nullptr);
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_TRUE(m_messages.Shown()[0].text.contains(Database())) << m_messages.Shown()[0].text.toStdString();
    EXPECT_TRUE(m_messages.Shown()[0].text.contains("does not exist"));
    EXPECT_FALSE(QFileInfo::exists(Database()));
    for (const QString& file : FilesIn(AppDir()))
        EXPECT_TRUE(before.contains(file) || file == QLatin1String("Log.txt") || file == QLatin1String("Trace.txt"))
            << file.toStdString();

    ASSERT_TRUE(QDir(AppDir()).removeRecursively());
    EXPECT_EQ(StartUp(), nullptr);
    ASSERT_EQ(m_messages.Shown().size(), 2u);
    EXPECT_TRUE(m_messages.Shown()[1].text.contains("Description: The application folder"))
        << m_messages.Shown()[1].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(AppDir()));
}

TEST_F(StartUpTest, TheAutomaticBackUpRunsAtStartAndAFailureIsTold) {
    Install(true, {"--auto-backup", "on"});
    auto started = StartUp();
    ASSERT_NE(started, nullptr);
    started->SetAskOnClose(false);
    // The end of the run waits for the backup's check.
    started.reset();
    EXPECT_TRUE(QFileInfo::exists(QDir(AppDir()).filePath("BackUp/001.mdb")));
    EXPECT_TRUE(m_messages.Shown().empty());
    // The log files the program made are its owner's alone (the backups' modes are the backup's test).
    for (const auto& [name, mode] : {std::pair<const char*, unsigned>{"Log.txt", 0600}, {"Trace.txt", 0600}}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(QDir(AppDir()).filePath(name)).constData(), &info), 0) << name;
        EXPECT_EQ(info.st_mode & 07777, mode) << name;
    }

    // A backup that cannot be written is reported, and the program still starts.
    const QString backUp = QDir(AppDir()).filePath("BackUp");
    ASSERT_TRUE(QDir(backUp).removeRecursively());
    QFile blocker(backUp);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    started = StartUp();
    ASSERT_NE(started, nullptr);
    started->SetAskOnClose(false);
    started->FinishBackUp();
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(m_messages.Shown()[0].text, EnglishText(amb::res::kMsgBackUpFolder).replace("%1", backUp));
    EXPECT_EQ(QDir(AppDir()).entryList({".db.mdb.*"}, QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(StartUpTest, ADamagedDatabaseMakesNoBackUpKeepsTheGoodOnesAndIsTold) {
    Install(true, {"--auto-backup", "on"});
    const QString backUp = QDir(AppDir()).filePath("BackUp");
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(amb::BackUpDatabase(AppDir(), backUp), amb::BackUpResult::Done);
    const QStringList before = QDir(backUp).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    ASSERT_EQ(before.size(), 20);
    // An index that the start-up does not read, so the program starts and only the backup notices.
    ASSERT_TRUE(DamageIndexRootPage(Database(), "PersonMarriedMonth"));

    auto started = StartUp();
    ASSERT_NE(started, nullptr) << m_messages.Texts().join('/').toStdString();
    started->SetAskOnClose(false);
    // The check runs beside the start: its result comes to the running program by itself, once.
    QElapsedTimer waited;
    waited.start();
    while (m_messages.Shown().empty() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    started->FinishBackUp();
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(m_messages.Shown()[0].text, EnglishText(amb::res::kMsgBackUpDamaged));
    EXPECT_EQ(m_messages.Shown()[0].style, 48);
    EXPECT_EQ(QDir(backUp).entryList(QDir::Files | QDir::Hidden, QDir::Name), before);
    started.reset();
    QFile log(QDir(AppDir()).filePath("Log.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        QString::fromUtf8(log.readAll()).contains(QStringLiteral("The database %1 is damaged").arg(Database())));
}

TEST_F(StartUpTest, TheFirstStartAfterACrashBacksUpTheDatabaseAsItWasBeforeTheCrash) {
    Install(true, {"--auto-backup", "on"});
    platform::SqliteConnection::Open(Database())
        ->ExecuteScript("CREATE TABLE Filler(n INTEGER, pad BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                        "SELECT i+1 FROM n WHERE i<100) INSERT INTO Filler SELECT i, randomblob(300) FROM n;");
    // A writer killed in the middle of a large transaction leaves its changes in the file and the
    // journal that undoes them.
    QProcess writer;
    writer.start(QStringLiteral(AMB_BINARY_DIR "/tests-bin/FixDbWriter"), {"journal", Database()});
    ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.readAllStandardError().toStdString();
    ASSERT_EQ(writer.readAllStandardOutput(), "ready\n");
    writer.kill(); // SIGKILL
    ASSERT_TRUE(writer.waitForFinished(30000));
    ASSERT_TRUE(QFileInfo(Database() + "-journal").size() > 0);

    auto started = StartUp();
    ASSERT_NE(started, nullptr) << m_messages.Texts().join('/').toStdString();
    started->SetAskOnClose(false);
    started->FinishBackUp();
    EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join('/').toStdString();
    const QString copy = QDir(AppDir()).filePath("BackUp/001.mdb");
    ASSERT_TRUE(QFileInfo::exists(copy));
    auto backUp = platform::SqliteConnection::Open(copy);
    EXPECT_EQ(backUp->Query("PRAGMA quick_check")->Field(0).ToString(), "ok");
    EXPECT_EQ(backUp->Query("SELECT COUNT(*) FROM Filler")->Field(0).ToInt(), 100);
    EXPECT_EQ(backUp->Query("SELECT COUNT(*) FROM User")->Field(0).ToInt(), 1);
    EXPECT_FALSE(QFileInfo::exists(Database() + "-journal"));
}

TEST_F(StartUpTest, TheRepairToolLeavesTheDatabaseOfTheRunningProgramAlone) {
    Install(true);
    auto started = StartUp();
    ASSERT_NE(started, nullptr);
    started->SetAskOnClose(false);
    QFile file(Database());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const auto [status, report] = RunRepairTool();
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(report.contains(Database() + ": failed: in use by another program")) << report.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    started->close();
    started.reset();
    const auto [afterStatus, afterReport] = RunRepairTool();
    EXPECT_EQ(afterStatus, 0) << afterReport.toStdString();
    EXPECT_TRUE(afterReport.contains(Database() + ": repaired")) << afterReport.toStdString();
}

TEST_F(StartUpTest, ADatabaseFileThatIsNotOursIsNamedWithTheWayOutAlsoInLogTxt) {
    Install(true);
    const QByteArray good = [&] {
        QFile file(Database());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QByteArray newer = good;
    newer[63] = char(newer[63] + 1); // the low byte of the schema version in the header: version 2
    const QString foreignPath = m_temp.FilePath("foreign.sqlite");
    platform::SqliteConnection::Create(foreignPath)->ExecuteScript("CREATE TABLE Songs(Title TEXT); "
                                                                   "INSERT INTO Songs VALUES ('Amazing Grace');");
    const QByteArray foreign = [&] {
        QFile file(foreignPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const struct {
        const char* what;
        QByteArray bytes;
        int32_t text;
    } files[] = {
        {.what = "empty", .bytes = QByteArray(), .text = amb::res::kMsgNotAmbrelDatabase},
        {.what = "text", .bytes = QByteArray("Name,Address\nKim,Seoul\n").repeated(20), .text = amb::res::kMsgNotAmbrelDatabase},
        {.what = "another program's SQLite file", .bytes = foreign, .text = amb::res::kMsgNotAmbrelDatabase},
        {.what = "newer schema", .bytes = newer, .text = amb::res::kMsgNewerDatabase},
    };
    const QString logPath = QDir(AppDir()).filePath("Log.txt");
    for (const auto& c : files) {
        SCOPED_TRACE(c.what);
        QFile file(Database());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        QFile::remove(logPath);
        const qsizetype shownBefore = m_messages.Shown().size();
        EXPECT_EQ(StartUp(), nullptr);
        ASSERT_EQ(m_messages.Shown().size(), shownBefore + 1);
        const QString text = m_messages.Shown().back().text;
        const QString expected = EnglishText(c.text).replace("%1", Database());
        EXPECT_TRUE(text.contains(expected)) << text.toStdString();
        // The repair tool refuses every one of these files, so no message offers it as the way out.
        EXPECT_FALSE(text.contains("repair it with ambrel-fixdb")) << text.toStdString();
        EXPECT_TRUE(text.contains("restore a backup", Qt::CaseInsensitive)) << text.toStdString();
        const auto [status, report] = RunRepairTool();
        EXPECT_EQ(status, 1);
        EXPECT_TRUE(report.contains(Database() + ": failed: ")) << report.toStdString();
        QFile log(logPath);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString logged = QString::fromUtf8(log.readAll());
        EXPECT_TRUE(logged.contains("!!!") && logged.contains(expected)) << logged.toStdString();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), c.bytes); // left exactly as it was
    }
    EXPECT_TRUE(EnglishText(amb::res::kMsgNewerDatabase).contains("newer version of Ambrel"));
}

TEST_F(StartUpTest, ADamagedSettingsFileIsNamedWithItsLineAndAHandEditedOneIsRead) {
    Install(true);
    for (const char* root : {"HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER"}) {
        SCOPED_TRACE(root);
        const QString path = m_temp.RegistryDir() + "/" + root + ".reg";
        QFile file(path);
        QByteArray good = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("Ambrel registry 1\n");
        file.close();
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(good + "[Software]\nAppDir=C:\\Ambrel\n");
        file.close();
        const qsizetype shownBefore = m_messages.Shown().size();
        EXPECT_EQ(StartUp(), nullptr);
        ASSERT_EQ(m_messages.Shown().size(), shownBefore + 1);
        const amb::Message& box = m_messages.Shown().back();
        EXPECT_EQ(box.title, "Error");
        EXPECT_TRUE(
            box.text.contains(QStringLiteral("\"%1\" cannot be read at line %2").arg(path).arg(good.count('\n') + 2)))
            << box.text.toStdString();
        EXPECT_FALSE(box.text.contains("not registered")) << box.text.toStdString();
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(good);
        file.close();
    }

    // Blanks that a person types around "=" and at the ends of lines.
    const QString machine = m_temp.RegistryDir() + "/HKEY_LOCAL_MACHINE.reg";
    QFile file(machine);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray edited = file.readAll().replace("\"=", "\" =  ").replace("\n", "  \n");
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(edited);
    file.close();
    const qsizetype shownBefore = m_messages.Shown().size();
    auto started = StartUp();
    ASSERT_NE(started, nullptr);
    started->SetAskOnClose(false);
    EXPECT_EQ(m_messages.Shown().size(), shownBefore);
}

TEST_F(StartUpTest, RecentSearchesSurviveARestart) {
    Install(true);
    QStringList typed;
    {
        AppWrapper run;
        run.InitializeApplication();
        // A first start writes both lists empty.
        EXPECT_EQ(run.Application()->MRPersonSearch()->Count(), 0);
        for (int i = 0; i < 40; ++i) {
            const QString text = QStringLiteral("검색어 %1 ").arg(i) + QString(12, QLatin1Char('x'));
            typed << text;
            run.Application()->MRPersonSearch()->SetItem(text.toLower(), text);
        }
        run.Application()->MRFamilySearch()->SetItem("o'neil", "O'Neil");
        run.Application()->MRFamilySearch()->SetItem("kim; lee", "Kim; Lee");
        run.Application()->MRFamilySearch()->SetItem("c:\\park\\", "C:\\Park\\");
        run.TerminateApplication();
    }
    AppWrapper again;
    again.InitializeApplication();
    const auto persons = again.Application()->MRPersonSearch();
    ASSERT_EQ(persons->Count(), kMaxRecentSearches);
    // The newest 33 (well over 254 characters together), oldest of them first, as typed.
    for (int i = 0; i < kMaxRecentSearches; ++i)
        EXPECT_EQ(persons->Items()[i].second.ToString(), typed[i + 7]);
    const auto families = again.Application()->MRFamilySearch();
    EXPECT_EQ(families->Keys(), (QStringList{"o'neil", "kim; lee", "c:\\park\\"}));
    EXPECT_EQ(families->Item("kim; lee").ToString(), "Kim; Lee");
    EXPECT_EQ(families->Item("c:\\park\\").ToString(), "C:\\Park\\");
}

TEST_F(StartUpTest, ShutdownReleasesEveryComponentAndClosesTheLogFiles) {
    Install(true);
    std::weak_ptr<amb::IApplication> hub;
    std::weak_ptr<amb::IDatabaseManager> database;
    std::weak_ptr<amb::IWindowLoader> loader;
    std::weak_ptr<amb::IReportPrinter> printer;
    std::weak_ptr<orv::IApplication> generic;
    std::weak_ptr<orv::ILogTraceWriter> writer;
    {
        auto mainForm = StartUp();
        ASSERT_NE(mainForm, nullptr) << (m_messages.Shown().empty() ? std::string()
                                                                    : m_messages.Shown()[0].text.toStdString());
        const auto wired = mainForm->Hub();
        hub = wired;
        database = wired->DatabaseManager();
        loader = wired->WindowLoader();
        printer = wired->ReportPrinter();
        generic = wired->OrvApplication();
        writer = wired->OrvApplication()->LogTraceWriter();
        EXPECT_EQ(database.lock()->ConnectionString(),
                  "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + Database() + "; Jet OLEDB:");
        EXPECT_EQ(loader.lock()->AmbApplication(), wired);
        mainForm->SetAskOnClose(false);
        mainForm->close();
    }
    EXPECT_TRUE(hub.expired());
    EXPECT_TRUE(database.expired());
    EXPECT_TRUE(loader.expired());
    EXPECT_TRUE(printer.expired());
    EXPECT_TRUE(generic.expired());
    // The writer itself may outlive the hub in the libraries that wrote through it; its files are closed.
    if (auto open = writer.lock()) {
        EXPECT_LT(open->WriteTrace("after the end"), 0);
    }
    // No descriptor of this process still points at a log file.
    for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::Files)) {
        const QString target = fd.symLinkTarget();
        EXPECT_FALSE(target.endsWith("Log.txt") || target.endsWith("Trace.txt")) << target.toStdString();
    }
    // The run traced the main window's work.
    QFile trace(QDir(AppDir()).filePath("Trace.txt"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(trace.readAll()).contains("OrvAmbrel.MainForm.UpdateForm()"));
}

TEST_F(StartUpTest, AUserLogsInThroughTheLogInWindowAndSearchesTheDatabase) {
    Install(true);
    AddClerkAndPersons();
    auto mainForm = StartUp();
    ASSERT_NE(mainForm, nullptr);
    mainForm->SetAskOnClose(false);
    LogInAsClerk(*mainForm);
    ASSERT_TRUE(mainForm->IsLoggedIn()) << m_messages.Texts().join(QLatin1Char('/')).toStdString();
    EXPECT_EQ(mainForm->Session().Username(), "Clerk");
    auto* tree = mainForm->findChild<QTreeWidget*>("trvwIcon");
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->currentItem()->text(0).endsWith(" (3)")) << tree->currentItem()->text(0).toStdString();

    auto* list = mainForm->findChild<QTreeWidget*>("lstvwData");
    ASSERT_NE(list, nullptr);
    const auto search = [&](const char* text) { Search(*mainForm, text); };
    search("KIM");
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Kim, Young", "kimball, Sarah"}));
    search("O'N");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "O'Neil, Mary");
}

TEST_F(StartUpTest, InstalledComponentsListsTheProgramAndTheFourComponents) {
    Install(true);
    AppWrapper run;
    run.InitializeApplication();
    ComponentsForm components(run);
    ASSERT_EQ(components.UpdateForm(), 1);
    EXPECT_EQ(components.txtInstallDir->text(), AppDir());
    QTreeWidget* list = components.lstvwComponents;
    ASSERT_EQ(list->topLevelItemCount(), 5);
    const char* const classes[] = {"AmbApplication.Manager", "AmbDatabase.Manager", "AmbReportPrinter.Printer",
                                   "AmbWindows.WindowLoader"};
    for (int i = 0; i < 4; ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i + 1);
        EXPECT_EQ(row->text(1), QLatin1String(classes[i]));
        EXPECT_TRUE(row->text(2).startsWith(BuiltLibraryDir())) << row->text(2).toStdString();
        EXPECT_EQ(row->text(4), "2.0.0.0");
    }
    // Sizes sort as numbers, not as their texts, by a click on the header; a second click reverses.
    components.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&components));
    const auto clickSize = [&] {
        QHeaderView* header = list->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
    };
    const auto sizes = [&] {
        std::vector<qint64> sizes;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            sizes.push_back(QFileInfo(list->topLevelItem(i)->text(2)).size());
        return sizes;
    };
    clickSize();
    const std::vector<qint64> ascending = sizes();
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    EXPECT_TRUE(list->header()->isSortIndicatorShown());
    clickSize();
    const std::vector<qint64> descending = sizes();
    EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
    EXPECT_NE(ascending, descending);
}

} // namespace
} // namespace test
