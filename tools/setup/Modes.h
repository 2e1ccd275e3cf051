#pragma once

#include "tools/setup/SetupContext.h"

namespace amb::setup {

// Makes the application directory readable by its owner only: every folder 0700, db.mdb, Log.txt
// and Trace.txt 0600, the numbered backups 0400, any other file loses its group and other bits. An
// earlier installation's looser modes are tightened; links are not followed.
bool MakePrivate(SetupContext& context, QString& error);

// Makes every settings file (and its lock file) 0600, also those that an earlier version wrote
// readable by others.
bool MakeSettingsPrivate(SetupContext& context, QString& error);

} // namespace amb::setup
