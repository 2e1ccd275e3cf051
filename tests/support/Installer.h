#pragma once

#include "tests/support/TempDir.h"

#include <QStringList>

namespace test {

// The application folder of the installations below: a Korean name with a blank, since every path
// must survive both.
QString InstalledAppDir(const TempDir& dir);

// The first administrator's password of those installations.
inline const QString kTestAdminPassword = QStringLiteral("Test admin 1");

// The installer's arguments for `dir`: its registry, the built components and resources and, with
// `withAppDir`, the application folder.
QStringList InstallerArguments(const TempDir& dir, bool withAppDir = true);

struct SetupResult {
    int exitCode = -1;
    QString output;
};

// Runs the built installer with a home folder inside `dir`, so nothing outside it is touched. Without
// a terminal the first installation needs the administrator's password: kTestAdminPassword unless
// `options` name one (or ask for it on standard input, which then holds `input`).
SetupResult RunInstaller(const TempDir& dir, const QStringList& options = {}, bool withAppDir = true,
                         const QByteArray& input = {});

} // namespace test
