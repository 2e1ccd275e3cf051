#include "tests/fixdb/FixDbFixture.h"

#include "common/StandardModule.h"
#include "database/Manager.h"
#include "tests/support/Fakes.h"
#include "tests/support/Installer.h"

#include <QFileInfo>
#include <QProcessEnvironment>

namespace {

using amb::fixdb::FindDatabases;
using amb::fixdb::MessageIcon;
using test::Bytes;

class MainModuleTest : public test::FixDbTest {};

TEST_F(MainModuleTest, NoKeyOrNoAppDirHasNothingToFix) {
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(step);
        if (step == 1) {
            platform::registry::ScopedKey key;
            platform::registry::CreateKey(platform::registry::LocalMachine, "SOFTWARE\\Orv Solutions\\Ambrel",
                                          key.Receive());
            platform::registry::SetString(key.Get(), "CompanyName", "Grace");
            platform::registry::SetDWord(key.Get(), "LogOn", 1);
        } else if (step == 2) {
            SetAppDir(1, "");
        }
        m_messages.shown.clear();
        EXPECT_EQ(Run(), 0);
        const auto& shown = OnlyMessage();
        EXPECT_EQ(shown.prompt, "There were no database (s) to fix!");
        EXPECT_EQ(shown.icon, MessageIcon::Information);
        EXPECT_EQ(shown.title, "Status");
    }
}

TEST_F(MainModuleTest, EachFolderIsSearchedOnceInKeyOrder) {
    const QString second = Folder("second");
    SetAppDir(1, second);
    EXPECT_EQ(FindDatabases(), QStringList({second + "/db.sys", second + "/db.mdb"}));

    const QString first = Folder("first");
    ASSERT_TRUE(QFile::link(first, m_dir.FilePath("link")));
    for (const QString& spelling : QStringList{first + "/", m_dir.FilePath("link"), m_dir.FilePath("second/../first")}) {
        SCOPED_TRACE(spelling.toStdString());
        SetAppDir(0, first);
        SetAppDir(1, spelling);
        EXPECT_EQ(FindDatabases(), QStringList({first + "/db.sys", first + "/db.mdb"}));
    }
}

TEST_F(MainModuleTest, AnInstalledDatabaseIsRepairedAndTheProgramReadsItsPersonsAgain) {
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    const QString appDir = test::InstalledAppDir(m_dir);
    amb::SetGlobalLogTraceWriter(std::make_shared<test::RecordingLogWriter>());
    const QString connection = "Data Source=" + appDir + "/db.mdb;";
    int32_t id = 0;
    {
        amb::database::Manager manager;
        manager.SetConnectionString(connection);
        id = manager.UpdatePerson(std::make_shared<platform::Dictionary>(
            std::initializer_list<std::pair<QString, platform::Variant>>{{"ID", 0}, {"LastName", "Kim"}}));
        ASSERT_GT(id, 0);
    }
    EXPECT_EQ(Run(), 0);
    const auto& shown = OnlyMessage();
    EXPECT_EQ(shown.prompt, "The Ambrel database fixed successfully!\n" + appDir + "/db.sys: missing\n" + appDir +
                                "/db.mdb: repaired");
    EXPECT_EQ(shown.icon, MessageIcon::Information);
    EXPECT_EQ(shown.title, "Ambrel Database Fix");
    EXPECT_FALSE(QFileInfo::exists(appDir + "/db.sys"));

    amb::database::Manager manager;
    manager.SetConnectionString(connection);
    EXPECT_EQ(manager.GetPersonByID(id)->Field("LastName").ToString(), "Kim");
    amb::SetGlobalLogTraceWriter(nullptr);
}

TEST_F(MainModuleTest, OnlyMissingFilesAreAFailure) {
    SetAppDir(0, Folder("empty"));
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(OnlyMessage().prompt.startsWith("No Ambrel database file was found.\n"));
    EXPECT_EQ(OnlyMessage().icon, MessageIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(m_dir.FilePath("empty/db.mdb")));
}

TEST_F(MainModuleTest, ALongAppDirWithHangulAndBlanksInNestedFoldersWorks) {
    QString folder = m_dir.Path();
    // SQLite takes paths of up to 512 bytes, so the Hangul is mixed with Latin letters.
    for (int level = 0; folder.size() < 280; ++level)
        folder += QString("/교회 사무실 records %1").arg(level);
    folder += "/" + QString(300 - folder.size() - 1, u'x');
    ASSERT_EQ(folder.size(), 300);
    ASSERT_TRUE(QDir().mkpath(folder));
    MakeDatabase(folder);
    SetAppDir(0, folder);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(OnlyMessage().prompt.endsWith(folder + "/db.mdb: repaired"));
}

TEST_F(MainModuleTest, ADamagedSettingsFileIsASystemErrorAndStaysAsItIs) {
    SetAppDir(0, Folder("app"));
    const QString file = m_dir.RegistryDir() + "/HKEY_LOCAL_MACHINE.reg";
    {
        QFile damaged(file);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a registry file\n");
    }
    EXPECT_EQ(Run(), 1);
    const auto& shown = OnlyMessage();
    EXPECT_TRUE(shown.prompt.startsWith("System error occured during application execution: \n\nThe settings file " +
                                        file))
        << shown.prompt.toStdString();
    EXPECT_EQ(shown.icon, MessageIcon::Critical);
    EXPECT_EQ(shown.title, "Status");
    EXPECT_EQ(Bytes(file), "not a registry file\n");

    // Silent runs show nothing, errors included; the switch may sit inside a longer word.
    for (const QStringList& arguments : {QStringList{"/S"}, QStringList{"x/sy"}, QStringList{"a", "b/Silent"}}) {
        m_messages.shown.clear();
        EXPECT_EQ(Run(arguments), 1);
        EXPECT_TRUE(m_messages.shown.empty());
    }
    EXPECT_FALSE(amb::fixdb::IsSilent({"/", "s"}));
}

struct ProgramRun {
    int exitCode = -1;
    QString errors;
};

ProgramRun RunProgram(const QString& registryDir, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("AMBREL_REGISTRY_DIR", registryDir);
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(display);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(test::BuiltProgramDir() + "/ambrel-fixdb", arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST_F(MainModuleTest, TheBuiltProgramReportsByItsExitStatus) {
    EXPECT_EQ(RunProgram(m_dir.RegistryDir(), {"/s"}).exitCode, 0);
    const QString good = MakeDatabase(Folder("good"));
    SetAppDir(0, Folder("good"));
    EXPECT_EQ(RunProgram(m_dir.RegistryDir(), {"/s"}).exitCode, 0);
    QFile(Folder("bad") + "/db.sys").open(QIODevice::WriteOnly);
    SetAppDir(1, Folder("bad"));
    const ProgramRun silent = RunProgram(m_dir.RegistryDir(), {"/S"});
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_EQ(silent.errors, "");
    // Without a display the report goes to standard error.
    const ProgramRun report = RunProgram(m_dir.RegistryDir(), {});
    EXPECT_EQ(report.exitCode, 1);
    EXPECT_TRUE(report.errors.contains(good + ": repaired\n")) << report.errors.toStdString();
    EXPECT_TRUE(report.errors.contains(m_dir.FilePath("bad/db.sys") + ": failed: not an Ambrel database"));
}

} // namespace
