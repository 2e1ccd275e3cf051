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
using test::ShownMessage;

class MainModuleTest : public test::FixDbTest {};

TEST_F(MainModuleTest, NoKeyOrNoAppDirHasNothingToFix) {
    const ShownMessage nothing{"There were no database (s) to fix!", MessageIcon::Information, "Status"};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(shown, nothing);
    platform::registry::ScopedKey key;
    platform::registry::CreateKey(platform::registry::LocalMachine, "SOFTWARE\\Orv Solutions\\Ambrel", key.Receive());
    platform::registry::SetString(key.Get(), "CompanyName", "Grace");
    SetAppDir(1, "");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(shown, nothing);
}

TEST_F(MainModuleTest, EachFolderIsSearchedOnceInKeyOrder) {
    const QString second = Folder("second");
    SetAppDir(1, second);
    EXPECT_EQ(FindDatabases(), QStringList({second + "/db.sys", second + "/db.mdb"}));
    const QString first = Folder("first");
    ASSERT_TRUE(QFile::link(first, m_dir.FilePath("link")));
    SetAppDir(0, first);
    for (const QString& spelling : QStringList{first + "/", m_dir.FilePath("link"), second + "/../first"}) {
        SetAppDir(1, spelling);
        EXPECT_EQ(FindDatabases(), QStringList({first + "/db.sys", first + "/db.mdb"})) << spelling.toStdString();
    }
}

TEST_F(MainModuleTest, AnInstalledDatabaseIsRepairedAndTheProgramReadsItsPersonsAgain) {
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    const QString appDir = test::InstalledAppDir(m_dir);
    amb::SetGlobalLogTraceWriter(std::make_shared<test::RecordingLogWriter>());
    auto manager = std::make_unique<amb::database::Manager>();
    manager->SetConnectionString("Data Source=" + appDir + "/db.mdb;");
    const int32_t id = manager->UpdatePerson(std::make_shared<platform::Dictionary>(
        std::initializer_list<std::pair<QString, platform::Variant>>{{"ID", 0}, {"LastName", "Kim"}}));
    manager.reset();

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(shown, (ShownMessage{"The Ambrel database fixed successfully!\n" + appDir + "/db.sys: missing\n" +
                                       appDir + "/db.mdb: repaired",
                                   MessageIcon::Information, "Ambrel Database Fix"}));
    EXPECT_FALSE(QFileInfo::exists(appDir + "/db.sys"));
    manager = std::make_unique<amb::database::Manager>();
    manager->SetConnectionString("Data Source=" + appDir + "/db.mdb;");
    EXPECT_EQ(manager->GetPersonByID(id)->Field("LastName").ToString(), "Kim");
    amb::SetGlobalLogTraceWriter(nullptr);
}

TEST_F(MainModuleTest, ALongAppDirWithHangulAndBlanksInNestedFoldersWorks) {
    // SQLite takes paths of up to 512 bytes, so the Hangul is mixed with Latin letters.
    QString folder = m_dir.Path();
    for (int level = 0; folder.size() < 280; ++level)
        folder += QString("/교회 사무실 records %1").arg(level);
    folder += "/" + QString(300 - folder.size() - 1, u'x');
    ASSERT_TRUE(QDir().mkpath(folder));
    MakeDatabase(folder);
    SetAppDir(0, folder);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(shown.prompt.endsWith(folder + "/db.mdb: repaired"));
}

TEST_F(MainModuleTest, ADamagedSettingsFileIsASystemErrorAndStaysAsItIs) {
    SetAppDir(0, Folder("app"));
    const QString file = m_dir.RegistryDir() + "/HKEY_LOCAL_MACHINE.reg";
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("not a registry file\n") > 0);
    damaged.close();
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(
        shown.prompt.startsWith("System error occured during application execution: \n\nThe settings file " + file));
    EXPECT_EQ(shown.title, "Status");
    EXPECT_EQ(test::Bytes(file), "not a registry file\n");

    // Silent runs show nothing, errors included; the switch may sit inside a longer word.
    for (const QStringList& arguments : {QStringList{"/S"}, QStringList{"x/sy"}, QStringList{"a", "b/Silent"}})
        EXPECT_EQ(Run(arguments, 0), 1);
    EXPECT_FALSE(amb::fixdb::IsSilent({"/", "s"}));
}

TEST_F(MainModuleTest, TheBuiltProgramReportsByItsExitStatus) {
    const auto run = [&](const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(display);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(test::BuiltProgramDir() + "/ambrel-fixdb", arguments);
        const bool ended = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
        return std::pair{ended ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAllStandardError())};
    };
    EXPECT_EQ(run({"/s"}), std::pair(0, QString()));
    const QString good = MakeDatabase(Folder("good"));
    SetAppDir(0, Folder("good"));
    EXPECT_EQ(run({"/s"}), std::pair(0, QString()));
    QFile(Folder("bad") + "/db.sys").open(QIODevice::WriteOnly);
    SetAppDir(1, Folder("bad"));
    EXPECT_EQ(run({"/S"}), std::pair(1, QString()));
    // Without a display the report goes to standard error.
    const auto [status, report] = run({});
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(report.contains(good + ": repaired\n" + m_dir.FilePath("bad/db.sys") + ": failed: not an Ambrel"))
        << report.toStdString();
}

} // namespace
