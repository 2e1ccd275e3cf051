// The program installed with cmake --install into a temporary prefix runs on its own: its files
// find each other through $ORIGIN, the installer registers the installed libraries, and nothing of
// the build tree is used. The build tree stays where it is (other tests run from it meanwhile).

#include "platform/registry/HiveFormat.h"
#include "tests/support/Installer.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace reg = platform::registry;

namespace {

struct ProcessRun {
    int exitCode = -1;
    QString output;
};

QProcessEnvironment CleanEnvironment(const test::TempDir& dir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"AMB_BUILD_DIR", "LD_LIBRARY_PATH", "QT_PLUGIN_PATH"})
        environment.remove(QString::fromLatin1(name));
    environment.insert("HOME", dir.FilePath("home"));
    environment.insert("XDG_DATA_HOME", dir.FilePath("home/data"));
    environment.insert("AMBREL_REGISTRY_DIR", dir.RegistryDir());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

ProcessRun Execute(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                   const QString& workingDir, const QByteArray& input = {}) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    ProcessRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsElf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray::fromHex("7f454c46");
}

// Every library path registered under HKEY_CLASSES_ROOT\CLSID\*\InprocServer32.
QStringList RegisteredLibraries(const QString& registryDir) {
    reg::HiveKey root;
    EXPECT_TRUE(reg::HiveFormat::Parse(Content(registryDir + "/HKEY_CLASSES_ROOT.reg"), root));
    QStringList libraries;
    if (const reg::HiveKey* classes = root.Find(QStringList{"CLSID"})) {
        for (const reg::HiveKey& clsid : classes->SubKeys()) {
            const reg::HiveKey* server = clsid.Find(QStringList{"InprocServer32"});
            const reg::Value* path = server ? server->FindValue(QString()) : nullptr;
            libraries << (path ? path->text : QStringLiteral("<no path> ") + clsid.Name());
        }
    }
    return libraries;
}

} // namespace

TEST(InstalledProgram, RunsFromItsPrefixWithoutTheBuildTree) {
    test::TempDir dir;
    const QString prefix = dir.FilePath("installed prefix");
    const QString appDir = dir.FilePath("app");
    const QString buildTree = QFileInfo(QStringLiteral(AMB_BINARY_DIR)).canonicalFilePath();
    ASSERT_TRUE(QDir().mkpath(dir.FilePath("home")));
    const QProcessEnvironment environment = CleanEnvironment(dir);

    const ProcessRun install =
        Execute(AMB_CMAKE_COMMAND, {"--install", AMB_BINARY_DIR, "--prefix", prefix}, environment, dir.Path());
    ASSERT_EQ(install.exitCode, 0) << install.output.toStdString();

    // The installed installer registers the installed libraries; the password comes on standard input.
    const ProcessRun setup = Execute(prefix + "/bin/ambrel-setup",
                                     {"--registry", dir.RegistryDir(), "--appdir", appDir, "--company", "Grace Church",
                                      "--trace", "on", "--admin-password-stdin"},
                                     environment, dir.Path(), test::kTestAdminPassword.toUtf8() + "\n");
    ASSERT_EQ(setup.exitCode, 0) << setup.output.toStdString();
    EXPECT_TRUE(setup.output.contains("created the administrator account")) << setup.output.toStdString();

    const QStringList libraries = RegisteredLibraries(dir.RegistryDir());
    EXPECT_GE(libraries.size(), 7);
    for (const QString& library : libraries) {
        EXPECT_TRUE(library.startsWith(prefix + "/lib/ambrel/")) << library.toStdString();
        EXPECT_TRUE(QFileInfo(library).isFile()) << library.toStdString();
    }

    // Every installed program and library finds the others relative to itself only.
    int elfFiles = 0;
    QDirIterator files(prefix, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (!IsElf(path))
            continue;
        ++elfFiles;
        const ProcessRun dynamic = Execute("readelf", {"-d", "-W", path}, environment, dir.Path());
        ASSERT_EQ(dynamic.exitCode, 0) << dynamic.output.toStdString();
        const QRegularExpression runPath(QStringLiteral("\\((?:RUNPATH|RPATH)\\)\\s+Library r(?:un)?path: \\[(.*)\\]"));
        auto matches = runPath.globalMatch(dynamic.output);
        int entries = 0;
        while (matches.hasNext()) {
            for (const QString& entry : matches.next().captured(1).split(QLatin1Char(':'))) {
                ++entries;
                EXPECT_TRUE(entry.startsWith("$ORIGIN")) << path.toStdString() << ": " << entry.toStdString();
            }
        }
        EXPECT_GT(entries, 0) << path.toStdString() << " has no run path";
    }
    EXPECT_GE(elfFiles, 10);

    // The installed program wires every component by class name and opens the database, headless.
    QProcess program;
    QProcessEnvironment traced = environment;
    traced.insert("LD_DEBUG", "libs");
    traced.insert("LD_DEBUG_OUTPUT", dir.FilePath("ld-debug"));
    program.setProcessEnvironment(traced);
    program.setWorkingDirectory(dir.Path());
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(prefix + "/bin/ambrel", {});
    ASSERT_TRUE(program.waitForStarted(30000));
    const QString trace = appDir + "/Trace.txt";
    QDeadlineTimer deadline(60000);
    while (!Content(trace).contains("AmbDatabase.Manager.CreateConnection()") && !deadline.hasExpired() &&
           program.state() == QProcess::Running)
        program.waitForFinished(100);
    const QByteArray maps = Content(QStringLiteral("/proc/%1/maps").arg(program.processId()));
    const bool running = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished(30000);
    ASSERT_TRUE(running) << program.readAll().toStdString();
    // Each component came from the prefix, loaded by the class name the registry gave.
    for (const char* component : {"OrvRegistry", "OrvLogTrace", "OrvApplication", "AmbApplication", "AmbDatabase",
                                  "AmbWindows", "AmbReportPrinter"})
        EXPECT_TRUE(maps.contains((prefix + "/lib/ambrel/lib" + component + ".so").toUtf8())) << component;
    EXPECT_FALSE(maps.contains(buildTree.toUtf8())) << maps.toStdString();

    QByteArray loaderLog;
    for (const QFileInfo& file : QDir(dir.Path()).entryInfoList({"ld-debug*"}, QDir::Files))
        loaderLog += Content(file.filePath());
    EXPECT_TRUE(loaderLog.contains(("calling init: " + prefix + "/bin/../lib/ambrel/libPlatformCom.so").toUtf8()));
    for (const QByteArray& line : loaderLog.split('\n'))
        EXPECT_FALSE(line.contains(buildTree.toUtf8())) << line.toStdString();

    // The desktop entry starts the installed program, names its icon, and is valid.
    const QString entry = prefix + "/share/applications/ambrel.desktop";
    const ProcessRun validate = Execute("desktop-file-validate", {entry}, environment, dir.Path());
    EXPECT_EQ(validate.exitCode, 0) << validate.output.toStdString();
    // The prefix has a blank, so the program's path is quoted.
    EXPECT_TRUE(Content(entry).contains(("\nExec=\"" + prefix + "/bin/ambrel\"\n").toUtf8()))
        << Content(entry).toStdString();
    EXPECT_TRUE(
        Content(entry).contains(("Icon=" + prefix + "/share/icons/hicolor/scalable/apps/ambrel.svg\n").toUtf8()));
    EXPECT_TRUE(QFileInfo(prefix + "/share/icons/hicolor/scalable/apps/ambrel.svg").isFile());

    // Uninstalling removes every installed file and leaves the congregation's data alone.
    const ProcessRun uninstall =
        Execute("bash", {AMB_SOURCE_DIR "/scripts/uninstall.sh", "--prefix", prefix}, environment, dir.Path());
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.output.toStdString();
    QDirIterator left(prefix, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    EXPECT_FALSE(left.hasNext()) << left.next().toStdString();
    EXPECT_TRUE(QFileInfo(appDir + "/db.mdb").isFile());
    EXPECT_TRUE(QFileInfo(appDir + "/Trace.txt").isFile());
}
