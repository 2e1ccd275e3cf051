#include "tests/support/Installer.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace test {

QString InstalledAppDir(const TempDir& dir) {
    return dir.FilePath(QStringLiteral("교회 app"));
}

QStringList InstallerArguments(const TempDir& dir, bool withAppDir) {
    QStringList arguments{QStringLiteral("--registry"), dir.RegistryDir(),
                          QStringLiteral("--libdir"),   BuiltLibraryDir(),
                          QStringLiteral("--share"),    BuiltShareDir()};
    if (withAppDir)
        arguments << QStringLiteral("--appdir") << InstalledAppDir(dir);
    return arguments;
}

SetupResult RunInstaller(const TempDir& dir, const QStringList& options, bool withAppDir, const QByteArray& input) {
    QStringList arguments = InstallerArguments(dir, withAppDir) + options;
    if (!options.contains(QStringLiteral("--admin-password")) &&
        !options.contains(QStringLiteral("--admin-password-stdin")))
        arguments << QStringLiteral("--admin-password") << kTestAdminPassword;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir.FilePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.FilePath(QStringLiteral("home/data")));
    environment.insert(QStringLiteral("AMBREL_REGISTRY_DIR"), dir.RegistryDir());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (input.isEmpty())
        process.setStandardInputFile(QProcess::nullDevice());
    process.start(BuiltProgramDir() + QStringLiteral("/ambrel-setup"), arguments);
    if (!input.isEmpty()) {
        process.write(input);
        process.closeWriteChannel();
    }
    SetupResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

} // namespace test
