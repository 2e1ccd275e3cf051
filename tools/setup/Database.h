#pragma once

#include "tools/setup/SetupContext.h"

namespace amb::setup {

// Creates "db.mdb" in the application directory with the schema and the seed rows of the chosen
// interface language, when it is missing. An existing database is never touched: it holds the data.
bool CreateDatabaseFile(SetupContext& context, QString& error);

} // namespace amb::setup
