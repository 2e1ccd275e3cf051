#pragma once

#include <QString>

#include <cstdint>

#include <functional>
#include <future>

namespace amb {

// Most numbered backups kept in the backup folder.
inline constexpr int kMaxBackUps = 20;

enum class BackUpResult {
    Done,
    Failed,
    // The copy failed SQLite's check: the database itself is damaged, so no copy was kept.
    Damaged,
};

// Why a backup failed, where the user can do something about it.
enum class BackUpCause {
    Other,
    DiskFull,          // no room left on the backup folder's disk
    FolderNotWritable, // the backup folder is a file, or the program may not write in it
};

struct BackUpReport {
    BackUpResult result;
    QString errorText; // why, for any result but Done
    BackUpCause cause = BackUpCause::Other;
};

// The text id of the message for a failed backup: damaged (352), its cause (354, 361: %1 = the
// backup folder) or the general one (334).
int32_t BackUpFailureTextId(const BackUpReport& report);

// Copies "db.mdb" of `dataFolder` into `backupFolder` as the next numbered file ("001.mdb",
// "002.mdb", ...), made with SQLite's online backup so a database in use is copied consistently.
// What a crashed writer left in a hot journal is rolled back first. The copy is written under a
// temporary name and gets its number only when it is complete, has passed SQLite's quick check and
// is on disk; only then are the oldest numbered backups removed so that at most kMaxBackUps remain.
// Any other file in the folder is left alone, except the unfinished copies (".db.mdb.*.tmp") of an
// interrupted backup. Backups are read-only and, like the folder, private to their owner. A result
// but Done never removes an older backup.
// StartBackUp returns once the state to copy is fixed (a read transaction, in which any hot journal
// is rolled back); the copy of its pages, the check, the naming and the pruning run on a thread of
// their own, which calls `finished` (on that thread) just before the report is ready. A save made
// meanwhile waits for the copy and is not in it.
std::future<BackUpReport> StartBackUp(const QString& dataFolder, const QString& backupFolder,
                                      std::function<void()> finished = {});
// The whole backup, waited for.
BackUpReport RunBackUp(const QString& dataFolder, const QString& backupFolder);
// The same; `errorText` (when given) says why for any result but Done.
BackUpResult BackUpDatabase(const QString& dataFolder, const QString& backupFolder, QString* errorText = nullptr);

} // namespace amb
