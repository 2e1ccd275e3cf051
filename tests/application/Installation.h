#pragma once

#include "tests/support/TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace test {

// The application directory that RunInstaller installs into: a Korean name with a blank, since
// every path must survive both.
inline QString InstalledAppDir(const TempDir& dir) { return dir.FilePath(QStringLiteral("교회 app")); }

// The administrator's password of the installations that RunInstaller makes.
inline const QString kTestAdminPassword = QStringLiteral("Test admin 1");

struct SetupResult {
    int exitCode = -1;
    QString output;
};

// Runs the built installer with the temporary registry, the built components and resources, and
// a home folder inside `dir`, so nothing outside it is touched.
inline SetupResult RunInstaller(const TempDir& dir, const QStringList& options, bool withAppDir = true) {
    QStringList arguments{QStringLiteral("--registry"), dir.RegistryDir(), QStringLiteral("--libdir"), BuiltLibraryDir(),
                          QStringLiteral("--share"), BuiltShareDir()};
    if (withAppDir)
        arguments << QStringLiteral("--appdir") << InstalledAppDir(dir);
    arguments << options;
    // The first installation makes the administrator account: without a terminal its password must be given.
    if (!options.contains(QStringLiteral("--admin-password")))
        arguments << QStringLiteral("--admin-password") << kTestAdminPassword;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir.FilePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.FilePath(QStringLiteral("home/data")));
    environment.insert(QStringLiteral("AMBREL_REGISTRY_DIR"), dir.RegistryDir());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(BuiltProgramDir() + QStringLiteral("/ambrel-setup"), arguments);
    SetupResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

} // namespace test
