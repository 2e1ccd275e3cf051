#pragma once

#include "tools/setup/SetupContext.h"

namespace amb::setup {

// The application directory with "BackUp" and a folder per interface language with "Report".
bool CreateFolders(SetupContext& context, QString& error);

// Copies the resources (string tables, report definitions, help) into the application directory,
// replacing the copies of an earlier installation and leaving every other file alone.
bool CopyResources(SetupContext& context, QString& error);

} // namespace amb::setup
