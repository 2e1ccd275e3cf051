#pragma once

#include "tools/setup/SetupContext.h"

namespace amb::setup {

// What the installer reads before it decides or changes anything. Each returns false with the
// reason, naming the file (and line), and then nothing may change.

// The two registry files the installation writes (HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT) can be read.
bool CheckRegistryFiles(QString& error);

// A run with an application folder other than the installed one, while the installed one holds a
// database, would leave the congregation's data behind: refused unless `switchAllowed`. `note`
// then says where the old database stays.
bool CheckAppDirSwitch(const SetupContext& context, const QString& installedAppDir, bool switchAllowed, QString& error,
                       QString& note);

// An existing db.mdb is an SQLite database with the schema version this program knows. It is only
// read, never written.
bool CheckExistingDatabase(const SetupContext& context, QString& error);

} // namespace amb::setup
