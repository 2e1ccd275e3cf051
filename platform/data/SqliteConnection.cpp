#include "platform/data/SqliteConnection.h"

#include "platform/com/Error.h"
#include "platform/data/ResultCells.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>
#include <array>

namespace platform {

namespace {

constexpr int kCacheLimit = 128;
std::chrono::milliseconds g_busyTimeout{5000};
std::function<void()> g_waitObserver;

// The application is told of a wait on its own thread only: a property change is not for other threads.
void TellWaiting(bool waiting) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread())
        app->setProperty(SqliteConnection::kWaitingProperty, waiting);
}

QString Utf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

// The program speaks to SQLite from one thread, each connection owned by one object: the connections
// need no mutex of their own (SQLITE_OPEN_NOMUTEX) and SQLite need not count its memory under a
// global lock. That setting only takes before SQLite's first use, so it is made when this library is
// loaded; should SQLite be in use already, it stays as it was.
const bool kConfigured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;

} // namespace

// Hands a prepared statement back to the cache (reset, bindings cleared) however the use ends.
class SqliteConnection::Lease {
public:
    Lease(SqliteConnection& c, const QString& sql) : m_connection(c), m_sql(sql) { m_stmt = c.Acquire(sql, m_cached); }
    ~Lease() {
        m_connection.Release(m_sql, m_stmt, m_cached);
        m_connection.EndWait();
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    sqlite3_stmt* get() const { return m_stmt; }

private:
    SqliteConnection& m_connection;
    const QString& m_sql;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_cached = false;
};


void SqliteConnection::SetBusyTimeout(std::chrono::milliseconds timeout) {
    g_busyTimeout = timeout;
}

void SqliteConnection::SetWaitObserver(std::function<void()> observer) {
    g_waitObserver = std::move(observer);
}

SqliteConnection::SqliteConnection(sqlite3* db, QString path)
    : m_db(db), m_path(std::move(path)), m_busyTimeout(g_busyTimeout) {}

// SQLite's own busy timeout, with the start of the wait told: sleeps a little longer each time, until
// the lock is free or the timeout has passed.
int SqliteConnection::OnBusy(void* connection, int count) {
    auto* self = static_cast<SqliteConnection*>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (count == 0) {
        self->m_waitStart = now;
        if (!self->m_waiting) {
            self->m_waiting = true;
            TellWaiting(true);
            if (g_waitObserver)
                g_waitObserver();
        }
    }
    const auto left =
        self->m_busyTimeout - std::chrono::duration_cast<std::chrono::milliseconds>(now - self->m_waitStart);
    if (left.count() <= 0)
        return 0;
    static constexpr std::array<int, 12> kSleepsMs{1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    const int step = kSleepsMs[std::min<size_t>(static_cast<size_t>(count), kSleepsMs.size() - 1)];
    sqlite3_sleep(static_cast<int>(std::min<std::chrono::milliseconds::rep>(step, left.count())));
    return 1;
}

void SqliteConnection::EndWait() {
    if (!m_waiting)
        return;
    m_waiting = false;
    TellWaiting(false);
}

SqliteConnection::~SqliteConnection() {
    for (auto& entry : m_cache)
        sqlite3_finalize(entry.stmt);
    sqlite3_close_v2(m_db);
}

std::unique_ptr<SqliteConnection> SqliteConnection::OpenWith(const QString& path, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? Utf8(sqlite3_errmsg(db)) : Utf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw SqliteError(rc, QStringLiteral("Cannot open the database %1: %2").arg(path, message),
                          QStringLiteral("SQLite"));
    }
    std::unique_ptr<SqliteConnection> connection(new SqliteConnection(db, path));
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_handler(db, &SqliteConnection::OnBusy, connection.get());
    // Reading the header here makes a file that is no database fail at open, not at first use.
    connection->ExecuteScript(QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA foreign_keys=OFF;"));
    connection->SetCacheSize(kCacheKibibytes);
    connection->UserVersion();
    return connection;
}

void SqliteConnection::SetCacheSize(int kibibytes) {
    ExecuteScript(QStringLiteral("PRAGMA cache_size=-%1;").arg(kibibytes));
}

std::unique_ptr<SqliteConnection> SqliteConnection::Open(const QString& path) {
    if (!QFileInfo(path).isFile())
        throw Error(SQLITE_CANTOPEN, QStringLiteral("The database %1 does not exist").arg(path),
                    QStringLiteral("SQLite"));
    return OpenWith(path, SQLITE_OPEN_READWRITE);
}

std::unique_ptr<SqliteConnection> SqliteConnection::Create(const QString& path) {
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        throw Error(SQLITE_CANTOPEN, QStringLiteral("%1 exists already; it is left as it is").arg(path),
                    QStringLiteral("SQLite"));
    return OpenWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void SqliteConnection::Fail(int code, const QString& sql) const {
    throw SqliteError(code, Utf8(sqlite3_errmsg(m_db)), sql);
}

sqlite3_stmt* SqliteConnection::Acquire(const QString& sql, bool& cached) {
    auto it = m_cache.find(sql);
    if (it != m_cache.end() && !it->busy) {
        it->busy = true;
        cached = true;
        return it->stmt;
    }
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(m_db, text.constData(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT,
                                      &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        Fail(rc, sql);
    }
    if (!stmt) // only blanks or a comment
        throw Error(SQLITE_MISUSE, QStringLiteral("The statement is empty"), sql);
    cached = it == m_cache.end();
    if (cached) {
        if (m_cache.size() >= kCacheLimit) {
            for (auto i = m_cache.begin(); i != m_cache.end();) {
                if (i->busy) {
                    ++i;
                } else {
                    sqlite3_finalize(i->stmt);
                    i = m_cache.erase(i);
                }
            }
        }
        m_cache.insert(sql, CacheEntry{stmt, true});
    }
    return stmt;
}

void SqliteConnection::Release(const QString& sql, sqlite3_stmt* stmt, bool cached) {
    if (!cached) {
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    const auto it = m_cache.find(sql);
    if (it != m_cache.end() && it->stmt == stmt)
        it->busy = false;
}

void SqliteConnection::Bind(sqlite3_stmt* stmt, const SqlParams& params, const QString& sql) {
    if (static_cast<int>(params.size()) != sqlite3_bind_parameter_count(stmt))
        throw Error(SQLITE_RANGE,
                    QStringLiteral("The statement takes %1 values, %2 were given")
                        .arg(sqlite3_bind_parameter_count(stmt))
                        .arg(params.size()),
                    sql);
    for (int i = 0; i < static_cast<int>(params.size()); ++i) {
        const Variant& v = params[static_cast<size_t>(i)];
        int rc = SQLITE_OK;
        switch (v.GetType()) {
        case Variant::Type::Empty:
        case Variant::Type::Null:
            rc = sqlite3_bind_null(stmt, i + 1);
            break;
        case Variant::Type::Boolean:
            rc = sqlite3_bind_int(stmt, i + 1, v.ToBool() ? 1 : 0);
            break;
        case Variant::Type::Int16:
        case Variant::Type::Int32:
            rc = sqlite3_bind_int(stmt, i + 1, v.ToInt());
            break;
        case Variant::Type::Double:
            rc = sqlite3_bind_double(stmt, i + 1, v.ToDouble());
            break;
        case Variant::Type::Currency:
            rc = sqlite3_bind_int64(stmt, i + 1, v.ToCurrency().Ticks());
            break;
        case Variant::Type::Date: {
            const QByteArray text = StoredDateText(v.ToDateTime()).toUtf8();
            rc = sqlite3_bind_text(stmt, i + 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            break;
        }
        case Variant::Type::String: {
            const QByteArray text = v.ToString().toUtf8();
            rc = sqlite3_bind_text(stmt, i + 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            break;
        }
        case Variant::Type::Object:
            throw Error(ErrorNumber::TypeMismatch, QStringLiteral("An object cannot be a statement value"), sql);
        }
        if (rc != SQLITE_OK)
            Fail(rc, sql);
    }
}

RecordsetPtr SqliteConnection::Query(const QString& sql, const SqlParams& params, const SqlTypeHints& hints) {
    Lease lease(*this, sql);
    sqlite3_stmt* stmt = lease.get();
    Bind(stmt, params, sql);
    const int count = sqlite3_column_count(stmt);
    const ResultShape& shape = ShapeOf(sql, stmt);
    std::vector<SqlColumnType> types = shape.types;
    for (const auto& [name, type] : hints) {
        for (int i = 0; i < count; ++i) {
            if (name.compare(shape.names[i], Qt::CaseInsensitive) == 0)
                types[static_cast<size_t>(i)] = type;
        }
    }
    auto cells = std::make_unique<ResultCells>(types);
    for (;;) {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            Fail(rc, sql);
        cells->Capture(stmt);
    }
    return std::make_shared<Recordset>(shape.names, shape.index, std::move(cells));
}

const SqliteConnection::ResultShape& SqliteConnection::ShapeOf(const QString& sql, sqlite3_stmt* stmt) {
    // A statement prepared anew has its columns read again. One that SQLite re-prepares after a schema
    // change keeps its pointer and so its old columns: the program changes no schema on an open connection.
    const auto it = m_shapes.find(sql);
    if (it != m_shapes.end() && it->second.stmt == stmt)
        return it->second;
    ResultShape shape;
    shape.stmt = stmt;
    const int count = sqlite3_column_count(stmt);
    for (int i = 0; i < count; ++i) {
        shape.names << Utf8(sqlite3_column_name(stmt, i));
        shape.types.push_back(ParseDeclaredType(shape.names.back(), Utf8(sqlite3_column_decltype(stmt, i))).type);
    }
    shape.index = Recordset::BuildIndex(shape.names);
    if (m_shapes.size() >= kCacheLimit)
        m_shapes.clear();
    return m_shapes.insert_or_assign(sql, std::move(shape)).first->second;
}

int SqliteConnection::Execute(const QString& sql, const SqlParams& params) {
    Lease lease(*this, sql);
    Bind(lease.get(), params, sql);
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(lease.get());
    if (rc != SQLITE_DONE)
        Fail(rc, sql);
    return sqlite3_changes(m_db);
}

void SqliteConnection::ExecuteScript(const QString& sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    EndWait();
    if (rc != SQLITE_OK) {
        const QString text = message ? Utf8(message) : Utf8(sqlite3_errstr(rc));
        sqlite3_free(message);
        throw SqliteError(rc, text, sql.left(200));
    }
}

int64_t SqliteConnection::LastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteConnection::UserVersion() {
    const auto rs = Query(QStringLiteral("PRAGMA user_version"));
    return rs->RecordCount() > 0 ? rs->Field(0).ToInt() : 0;
}

void SqliteConnection::SetUserVersion(int version) {
    ExecuteScript(QStringLiteral("PRAGMA user_version=%1").arg(version));
}

bool SqliteConnection::InTransaction() const {
    return sqlite3_get_autocommit(m_db) == 0;
}

const std::vector<SqlColumnInfo>& SqliteConnection::Columns(const QString& table) {
    const QString key = table.toLower();
    const auto it = m_columns.find(key);
    if (it != m_columns.end())
        return it->second;
    const auto rs = Query(QStringLiteral("SELECT name, type, \"notnull\" FROM pragma_table_info(?)"), {table});
    if (rs->RecordCount() == 0)
        throw Error(SQLITE_ERROR, QStringLiteral("no such table: %1").arg(table), QStringLiteral("SQLite"));
    std::vector<SqlColumnInfo> columns;
    for (const auto& row : rs->Rows()) {
        SqlColumnInfo info = ParseDeclaredType(row[0].ToString(), row[1].ToString());
        info.notNull = row[2].ToInt() != 0;
        columns.push_back(info);
    }
    return m_columns.emplace(key, std::move(columns)).first->second;
}

namespace {

std::chrono::milliseconds g_writeWait{30000};

bool IsBusy(const Error& e) {
    return (e.Number() & 0xff) == SQLITE_BUSY;
}

// Runs a statement that takes or gives up the write lock again while another connection holds it.
// Each try already waits the busy timeout; trying again serves a waiter that lost every race of its
// wait to other writers. Safe for BEGIN (nothing was done yet) and COMMIT (a busy COMMIT leaves
// the transaction open as it was).
void ExecuteWhileBusy(SqliteConnection& connection, const QString& sql) {
    const auto deadline = std::chrono::steady_clock::now() + g_writeWait;
    for (;;) {
        try {
            connection.Execute(sql);
            return;
        } catch (const Error& e) {
            if (!IsBusy(e) || std::chrono::steady_clock::now() >= deadline)
                throw;
        }
    }
}

} // namespace

void SqliteTransaction::SetWriteWait(std::chrono::milliseconds wait) {
    g_writeWait = wait;
}

SqliteTransaction::SqliteTransaction(SqliteConnection& connection)
    : m_connection(connection), m_nested(connection.InTransaction()) {
    if (m_nested)
        m_connection.Execute(QStringLiteral("SAVEPOINT amb_nested"));
    else
        ExecuteWhileBusy(m_connection, QStringLiteral("BEGIN IMMEDIATE"));
}

SqliteTransaction::~SqliteTransaction() {
    if (m_done)
        return;
    try {
        if (m_nested) {
            m_connection.Execute(QStringLiteral("ROLLBACK TO amb_nested"));
            m_connection.Execute(QStringLiteral("RELEASE amb_nested"));
        } else {
            m_connection.Execute(QStringLiteral("ROLLBACK"));
        }
    } catch (...) {
        // SQLite may have rolled back already (an I/O error or a full disk does); nothing is left to undo.
    }
}

void SqliteTransaction::Commit() {
    if (m_nested)
        m_connection.Execute(QStringLiteral("RELEASE amb_nested"));
    else
        ExecuteWhileBusy(m_connection, QStringLiteral("COMMIT"));
    m_done = true;
}

} // namespace platform
