#include "fixdb/MainModule.h"

#include "database/DatabaseSchema.h"
#include "platform/data/DatabaseFile.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace amb::fixdb {

namespace {

// Long enough for a program that is just closing, short enough that a file in use is reported at once.
constexpr int kBusyTimeoutMs = 500;
const QString kInUse = QStringLiteral("in use by another program");

// One connection that never creates the file; closed when the scope ends.
class Database {
public:
    explicit Database(const QString& path) {
        m_rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        if (m_rc == SQLITE_OK) {
            sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
            // A file that fails the check keeps its write-ahead log as it is.
            sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        }
    }
    ~Database() { sqlite3_close_v2(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    int OpenResult() const { return m_rc; }
    QString Message() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

    // Runs one statement; the first column of each row goes to `rows`. Returns SQLite's result code.
    int Run(const char* sql, QStringList* rows = nullptr) {
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        while (rc == SQLITE_OK || rc == SQLITE_ROW) {
            rc = sqlite3_step(stmt);
            if (rc == SQLITE_ROW && rows)
                *rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
        sqlite3_finalize(stmt);
        return rc == SQLITE_DONE ? SQLITE_OK : rc;
    }

private:
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_OK;
};

QString ReasonFor(int rc, const QString& message) {
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kInUse;
    case SQLITE_NOTADB:
        return QStringLiteral("not a SQLite database file");
    case SQLITE_CORRUPT:
        return QStringLiteral("damaged (%1)").arg(message);
    default:
        return message;
    }
}

// Locks the file for this connection alone, lets SQLite roll back what a crashed writer left,
// checks every page and leaves the file in rollback-journal mode.
QString Repair(Database& db) {
    if (db.OpenResult() != SQLITE_OK)
        return ReasonFor(db.OpenResult(), db.Message());
    // Exclusive locking mode, set before the first read, keeps the lock until the connection closes
    // and keeps a write-ahead-log file from needing shared memory.
    if (const int rc = db.Run("PRAGMA locking_mode=EXCLUSIVE"); rc != SQLITE_OK)
        return ReasonFor(rc, db.Message());
    if (const int rc = db.Run("BEGIN EXCLUSIVE"); rc != SQLITE_OK)
        return ReasonFor(rc, db.Message());
    QStringList check;
    if (const int rc = db.Run("PRAGMA integrity_check(1)", &check); rc != SQLITE_OK)
        return ReasonFor(rc, db.Message());
    if (check != QStringList{QStringLiteral("ok")})
        return QStringLiteral("damaged (%1)").arg(check.value(0));
    if (const int rc = db.Run("COMMIT"); rc != SQLITE_OK)
        return ReasonFor(rc, db.Message());
    QStringList mode;
    if (const int rc = db.Run("PRAGMA journal_mode=DELETE", &mode); rc != SQLITE_OK)
        return ReasonFor(rc, db.Message());
    if (mode.value(0).compare(QStringLiteral("delete"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("stays in journal mode %1").arg(mode.value(0));
    return {};
}

} // namespace

int32_t FixDatabase(const QString& path, QString& reason) {
    reason.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return kMissing;
    if (!info.isFile()) {
        reason = QStringLiteral("not a file");
        return kFailed;
    }
    // The header is read with plain file reads, so a file that is not ours is refused with every byte kept.
    reason = amb::database::CheckDatabaseFile(path).problem;
    if (!reason.isEmpty())
        return kFailed;
    {
        // A program that has the database open holds the lock file, even while SQLite holds no lock
        // of its own on the database; the lock is kept until the repair is done.
        const platform::DatabaseLock alone(path, platform::DatabaseLock::Mode::Exclusive);
        if (!alone.IsHeld()) {
            reason = alone.IsInUse() ? kInUse : QStringLiteral("its lock file cannot be opened");
            return kFailed;
        }
        Database db(path);
        reason = Repair(db);
    }
    if (!reason.isEmpty())
        return kFailed;
    // The shared-memory file of a former write-ahead log outlives the switch; nothing reads it now.
    QFile::remove(path + QStringLiteral("-shm"));
    return kRepaired;
}

} // namespace amb::fixdb
