#pragma once

#include <QString>

namespace amb {

// Most numbered backups kept in the backup folder.
inline constexpr int kMaxBackUps = 20;

// Copies "db.mdb" of `dataFolder` into `backupFolder` as the next numbered file ("001.mdb",
// "002.mdb", ...), made with SQLite's online backup so a database in use is copied consistently,
// and written under a temporary name until it is complete. Only after the new copy exists are the
// oldest numbered backups removed so that at most kMaxBackUps remain; any other file in the folder
// is left alone, except the unfinished copies (".db.mdb.*.tmp") of an interrupted backup. Backups are
// read-only and, like the folder, private to their owner. Returns false with `errorText` (when given)
// saying why; a failed backup never removes an older one.
bool BackUpDatabase(const QString& dataFolder, const QString& backupFolder, QString* errorText = nullptr);

} // namespace amb
