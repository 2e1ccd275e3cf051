#pragma once

#include "platform/data/DatabaseFile.h"
#include "platform/data/SqliteConnection.h"

#include <QString>

#include <cstdint>

namespace amb::database {

// The schema version this program reads and writes (PRAGMA user_version of db.mdb).
inline constexpr int kSchemaVersion = 1;

QString SchemaScript();
QString KoreanSeedScript();

// Renames the report list's rows that still hold a Korean name of an earlier seed to the catalogue's
// Korean name; a row the user renamed, or an English one, is left alone. Returns the rows renamed.
int RenameFormerKoreanReportNames(platform::SqliteConnection& connection);

// Makes a new database file with the schema and the seed rows, in English or, for the interface
// language 1042, in Korean. Refuses (throws platform::Error) when anything exists at the path; the
// file appears complete or not at all.
void CreateDatabase(const QString& path, int32_t lcid);

// Throws platform::Error when the file's schema version is not the one this program knows.
void CheckSchemaVersion(platform::SqliteConnection& connection);

// What keeps this program from opening a database file, read from its header alone (nothing is
// written): an empty problem when nothing does. `newer` tells a later version's file, which no tool
// of this version repairs. Inline, for the programs that read a file before loading this library.
struct DatabaseFileCheck {
    QString problem;
    bool newer = false;
};
inline DatabaseFileCheck CheckDatabaseFile(const QString& path) {
    DatabaseFileCheck check{.problem = platform::DatabaseFileProblem(path, kSchemaVersion)};
    check.newer = !check.problem.isEmpty() && platform::DatabaseFileSchemaVersion(path) > kSchemaVersion;
    return check;
}

// The database path in a connection string ("Provider=...; Data Source=<path>; Jet OLEDB:"); a string
// without any "key=value" part is taken as the path itself.
QString DatabasePathFromConnectionString(const QString& connectionString);

} // namespace amb::database
