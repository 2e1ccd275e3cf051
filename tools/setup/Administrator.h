#pragma once

#include "tools/setup/SetupContext.h"

namespace amb::setup {

// The first administrator account "admin". Its password comes from --admin-password or is typed at
// a prompt (without echo); no password ships with the program. An existing "admin" account and its
// password are never replaced.
void AddAdministratorOptions(QCommandLineParser& parser);
// Finds out whether the account must be made and, if so, takes its password: from the option, else
// from the terminal; without either the installation stops before anything changes.
bool CheckAdministrator(SetupContext& context, QString& error);
// Makes the account in db.mdb when it is missing.
bool CreateAdministrator(SetupContext& context, QString& error);

} // namespace amb::setup
