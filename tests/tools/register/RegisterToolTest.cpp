#include "platform/com/Factory.h"
#include "platform/registry/Registry.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

namespace reg = platform::registry;

namespace {

struct ToolRun {
    int exitCode;
    QString errors;
};

ToolRun RunTool(const QStringList& arguments, const QString& workingDir = QString()) {
    QProcess tool;
    if (!workingDir.isEmpty())
        tool.setWorkingDirectory(workingDir);
    tool.start(test::BuiltProgramDir() + "/ambrel-register", arguments);
    tool.waitForFinished(30000);
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromLocal8Bit(tool.readAllStandardError())};
}

QString Library(const char* name) {
    return test::BuiltLibraryDir() + QStringLiteral("/lib%1.so").arg(QLatin1String(name));
}

QString ServerPath(const QString& className) {
    QString clsid;
    QString path;
    reg::ScopedKey key;
    if (reg::OpenKey(reg::ClassesRoot, className + "\\Clsid", key.Receive()) == 0)
        reg::QueryString(key.Get(), QString(), clsid);
    if (!clsid.isEmpty() &&
        reg::OpenKey(reg::ClassesRoot, QStringLiteral("CLSID\\%1\\InprocServer32").arg(clsid), key.Receive()) == 0)
        reg::QueryString(key.Get(), QString(), path);
    return path;
}

} // namespace

TEST(RegisterTool, RegistersAndUnregistersComponentLibraries) {
    test::TempDir temp; // the tool takes its folder from AMBREL_REGISTRY_DIR when none is given
    const ToolRun run = RunTool({Library("OrvRegistry"), Library("OrvLogTrace")});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(ServerPath("OrvLogTrace.Writer"), QFileInfo(Library("OrvLogTrace")).canonicalFilePath());

    EXPECT_EQ(RunTool(QStringList{"--unregister", Library("OrvLogTrace")}).exitCode, 0);
    EXPECT_EQ(ServerPath("OrvLogTrace.Writer"), QString());
    EXPECT_NE(ServerPath("OrvRegistry.Manager"), QString());
    EXPECT_THROW(platform::com::CreateObject("OrvLogTrace.Writer"), platform::Error);

    // A folder given on the command line, relative to the working folder.
    ASSERT_EQ(RunTool({"--registry", "other", Library("OrvApplication")}, temp.Path()).exitCode, 0);
    EXPECT_TRUE(QFile::exists(temp.FilePath("other/HKEY_CLASSES_ROOT.reg")));
}

TEST(RegisterTool, FailsLoudlyAndStillRegistersTheGoodOnes) {
    test::TempDir temp;
    const ToolRun run =
        RunTool({temp.FilePath("libMissing.so"), QStringLiteral(NOT_A_COMPONENT), Library("OrvRegistry")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("libMissing.so: the file cannot be found")) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains("not a component library")) << run.errors.toStdString();
    EXPECT_NE(ServerPath("OrvRegistry.Manager"), QString());

    EXPECT_EQ(RunTool({}).exitCode, 2);
    EXPECT_EQ(RunTool({"--bogus", Library("OrvRegistry")}).exitCode, 2);
    EXPECT_EQ(RunTool({"--registry"}).exitCode, 2);

    // A damaged registry file makes registration fail and stays as it was.
    const QString path = temp.RegistryDir() + "/HKEY_CLASSES_ROOT.reg";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("damaged\n");
    file.close();
    const ToolRun damaged = RunTool({Library("OrvLogTrace")});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.errors.contains("registry status 13 (the file is damaged); the file " + path +
                                        " cannot be read at line 1"))
        << damaged.errors.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("damaged\n"));
}
