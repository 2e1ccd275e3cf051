#pragma once

#include "platform/data/SqliteConnection.h"

namespace amb::database {

// Rewrites the connection's database file compactly in place (VACUUM). It sets no password, so the
// file stays openable by the program and by sqlite3. A failure (an open transaction, a reader
// holding the file) leaves the file as it was, is written as a level-9 line and gives false; nothing
// is thrown.
bool CompactDatabaseFile(platform::SqliteConnection& db) noexcept;

} // namespace amb::database
