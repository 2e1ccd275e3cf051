#pragma once

#include <QString>

namespace platform {

// Why the file at `path` cannot be a database of schema `schemaVersion`, read from its header with
// plain file reads so nothing is changed: "cannot be read (...)", or "not an Ambrel database (...)"
// when it is empty, no SQLite file or of another schema version. Empty when the header is fine.
QString DatabaseFileProblem(const QString& path, int schemaVersion);
// The schema version in the header of the SQLite file at `path`, or -1 when it is no SQLite file.
int DatabaseFileSchemaVersion(const QString& path);

// The file beside a database whose advisory lock says who has the database open: "db.mdb.lock".
// It is a separate file, so that closing it never drops the locks SQLite holds on the database.
QString DatabaseLockPath(const QString& databasePath);

// A program that opens the database holds a shared lock on its lock file for as long as it has the
// database open. The repair tool asks for the lock alone and leaves the database be when it cannot
// get it. Released (the descriptor closed) when the object ends.
class DatabaseLock {
public:
    enum class Mode { Shared, Exclusive };

    // Shared: creates the lock file when needed (private to its owner) and waits up to `waitMs` for
    // a repair that holds it to finish. Exclusive: never creates the file (no file means no program
    // has the database open) and never waits.
    DatabaseLock(const QString& databasePath, Mode mode, int waitMs = 0);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

    // Whether the lock asked for is held (for Exclusive also true when there is no lock file). False
    // when another program's lock is in the way or the file could not be opened.
    bool IsHeld() const { return m_held; }
    // True when the lock was refused because another program holds it.
    bool IsInUse() const { return m_inUse; }

private:
    int m_fd = -1;
    bool m_held = false;
    bool m_inUse = false;
};

} // namespace platform
