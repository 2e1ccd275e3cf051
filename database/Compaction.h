#pragma once

#include "contracts/Enums.h"
#include "platform/data/SqliteConnection.h"

namespace amb::database {

// Rewrites the connection's database file compactly in place (VACUUM). It sets no password, so the
// file stays openable by the program and by sqlite3. A failure (an open transaction, a reader
// holding the file, a damaged page, a full disk) leaves the file as it was, is written as a level-9
// line and gives its cause (Other when it has none of its own); None when the file was compacted.
// Nothing is thrown.
EnumDatabaseFailure CompactDatabaseFile(platform::SqliteConnection& db) noexcept;

} // namespace amb::database
