#pragma once

#include "platform/com/Error.h"
#include "platform/data/Recordset.h"
#include "platform/data/SqlColumn.h"
#include "platform/data/Variant.h"

#include <QHash>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

using SqlParams = std::vector<Variant>;
// Column kinds by result name, for columns SQLite gives no declared type: expressions, SUM(...), and
// every column of a compound SELECT (UNION). A hint wins over the declared type.
using SqlTypeHints = std::vector<std::pair<QString, SqlColumnType>>;

// A failure that SQLite itself reported; Number() is its extended result code. Callers tell a busy,
// full or read-only database from their own refusals by this type.
class SqliteError : public Error {
public:
    using Error::Error;
    // SQLite's primary result code (SQLITE_BUSY, SQLITE_FULL, ...).
    int PrimaryCode() const { return Number() & 0xff; }
};

// One connection to a SQLite file. Open() never creates a file (a missing database is an error,
// never a new empty one); Create() is the installer's explicit way to make a new file.
// Every failure throws Error: SQLite's code and message, the statement text as source.
// Statements are prepared once and kept in a small cache; values are always bound, never spliced.
class SqliteConnection {
public:
    static std::unique_ptr<SqliteConnection> Open(const QString& path);
    // Creates a new database file; refuses (throws) when anything exists at the path.
    static std::unique_ptr<SqliteConnection> Create(const QString& path);

    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    const QString& Path() const { return m_path; }

    // Runs a query and reads every row at once; the statement is reset before this returns,
    // so no read stays open behind the result. Values are typed by the columns' declared types.
    RecordsetPtr Query(const QString& sql, const SqlParams& params = {}, const SqlTypeHints& hints = {});
    // Runs one statement; returns the number of rows it changed.
    int Execute(const QString& sql, const SqlParams& params = {});
    // Runs several statements without parameters (schema scripts).
    void ExecuteScript(const QString& sql);
    int64_t LastInsertId() const;

    int UserVersion();
    void SetUserVersion(int version);
    // The page cache a connection opens with: it keeps the person and contact indexes of a big
    // congregation in memory. SQLite also sorts in as much memory before it spills to a file.
    static constexpr int kCacheKibibytes = 32 * 1024;
    void SetCacheSize(int kibibytes);
    bool InTransaction() const;

    // The columns of a table with their declared kinds, read once per connection.
    const std::vector<SqlColumnInfo>& Columns(const QString& table);

    // For direct use of the C API (benchmarks, online backup).
    sqlite3* Handle() const { return m_db; }

    // The name of the property of the QCoreApplication that is true while a statement of the
    // application's thread waits for another program's lock, so that any window can show the wait.
    static constexpr const char* kWaitingProperty = "ambDatabaseWaiting";
    // How long one statement waits for another program's lock before it fails as busy (5 s; tests
    // shorten it). Taken by connections opened afterwards.
    static void SetBusyTimeout(std::chrono::milliseconds timeout);
    // Called once a wait begins, after the property turned true (tests look at the windows then).
    static void SetWaitObserver(std::function<void()> observer);

private:
    class Lease;
    explicit SqliteConnection(sqlite3* db, QString path);
    static std::unique_ptr<SqliteConnection> OpenWith(const QString& path, int flags);
    sqlite3_stmt* Acquire(const QString& sql, bool& cached);
    void Release(const QString& sql, sqlite3_stmt* stmt, bool cached);
    void Bind(sqlite3_stmt* stmt, const SqlParams& params, const QString& sql);
    [[noreturn]] void Fail(int code, const QString& sql) const;
    struct ResultShape {
        sqlite3_stmt* stmt = nullptr;
        QStringList names;
        Recordset::NameIndex index;
        std::vector<SqlColumnType> types;
    };
    const ResultShape& ShapeOf(const QString& sql, sqlite3_stmt* stmt);
    static int OnBusy(void* connection, int count);
    void EndWait();

    sqlite3* m_db = nullptr;
    QString m_path;
    struct CacheEntry {
        sqlite3_stmt* stmt = nullptr;
        bool busy = false;
    };
    QHash<QString, CacheEntry> m_cache;
    std::map<QString, std::vector<SqlColumnInfo>> m_columns; // node-based: references stay valid
    std::map<QString, ResultShape> m_shapes;
    std::chrono::steady_clock::time_point m_waitStart;
    std::chrono::milliseconds m_busyTimeout;
    bool m_waiting = false;
};

// A transaction that rolls back unless Commit() was called. BEGIN IMMEDIATE takes the write lock
// at once (waiting while another program writes, see SetWriteWait), so a busy database fails here
// and not half-way through the work. Inside another
// transaction it is a savepoint: its own work is undone, the outer transaction decides the rest.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void Commit();

    // How long a write waits for another program's transaction in all before the save fails
    // (each attempt waits up to the connection's busy timeout). Tests shorten it.
    static void SetWriteWait(std::chrono::milliseconds wait);

private:
    SqliteConnection& m_connection;
    bool m_nested = false;
    bool m_done = false;
};

} // namespace platform
