#pragma once

#include <QString>

namespace amb {

// Most numbered backups kept in the backup folder.
inline constexpr int kMaxBackUps = 20;

enum class BackUpResult {
    Done,
    Failed,
    // The copy failed SQLite's check: the database itself is damaged, so no copy was kept.
    Damaged,
};

// Copies "db.mdb" of `dataFolder` into `backupFolder` as the next numbered file ("001.mdb",
// "002.mdb", ...), made with SQLite's online backup so a database in use is copied consistently,
// and written under a temporary name until it is complete and has passed SQLite's quick check (run
// on the state the copy is made of, held by a second connection, while the pages are copied).
// What a crashed writer left in a hot journal is rolled back first. Only after the new copy exists
// are the oldest numbered backups removed so that at most kMaxBackUps remain; any other file in the
// folder is left alone, except the unfinished copies (".db.mdb.*.tmp") of an interrupted backup.
// Backups are read-only and, like the folder, private to their owner. Any result but Done comes
// with `errorText` (when given) saying why, and never removes an older backup.
BackUpResult BackUpDatabase(const QString& dataFolder, const QString& backupFolder, QString* errorText = nullptr);

} // namespace amb
