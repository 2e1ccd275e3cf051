#include "database/DatabaseSchema.h"
#include "database/ManagerSupport.h"
#include "database/StoredAmounts.h"

#include "common/ColumnLengths.h"
#include "common/StandardModule.h"
#include "platform/com/Error.h"

#include <cmath>
#include <limits>

namespace amb::database {

using platform::Error;
using platform::RecordsetPtr;
using platform::SqlParams;
using platform::Variant;

namespace {

// A failing statement's line names the statement (its text holds no values: they are bound). A
// failure of SQLite's stays one, so that its cause can be told.
[[noreturn]] void Rethrow(const Error& e, const QString& sql) {
    const QString description = e.Description() + QStringLiteral(" (") + sql + QLatin1Char(')');
    if (dynamic_cast<const platform::SqliteError*>(&e))
        throw platform::SqliteError(e.Number(), description, kObjectName);
    throw Error(e.Number(), description, kObjectName);
}

// SQLite's primary result codes that have a cause of their own.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;
// The I/O errors of reading (SQLITE_IOERR_READ, SQLITE_IOERR_SHORT_READ) are no sign of a file that
// cannot be written.
constexpr int kSqliteIoErrorRead = kSqliteIoError | (1 << 8);
constexpr int kSqliteIoErrorShortRead = kSqliteIoError | (2 << 8);

// Whether two stored values are the same; both were read from the database, so they have the
// column's kind, and Null and the empty text are one.
bool SameStored(const Variant& a, const Variant& b) {
    const bool aNone = a.IsNull() || a.IsEmpty() || (a.GetType() == Variant::Type::String && a.ToString().isEmpty());
    const bool bNone = b.IsNull() || b.IsEmpty() || (b.GetType() == Variant::Type::String && b.ToString().isEmpty());
    if (aNone || bNone)
        return aNone == bNone;
    if (a.GetType() == b.GetType())
        return a == b;
    return a.ToString() == b.ToString();
}

QString Quoted(const QString& identifier) {
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

} // namespace

const platform::Dictionary& RecordOf(const platform::DictionaryPtr& dict) {
    if (!dict)
        throw Error(platform::ErrorNumber::InvalidArgument, QStringLiteral("No record dictionary was given"),
                    kObjectName);
    return *dict;
}

int32_t RecordId(const platform::Dictionary& dict) {
    if (!dict.Exists(QStringLiteral("ID")))
        throw Error(platform::ErrorNumber::ItemNotFound, QStringLiteral("The record has no \"ID\""), kObjectName);
    const Variant id = dict.Item(QStringLiteral("ID"));
    switch (id.GetType()) {
    case Variant::Type::Int16:
    case Variant::Type::Int32:
        return id.ToInt();
    case Variant::Type::Double: {
        const double d = id.ToDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) <= std::numeric_limits<int32_t>::max())
            return static_cast<int32_t>(d);
        break;
    }
    case Variant::Type::String: {
        bool ok = false;
        const int32_t value = id.ToString().trimmed().toInt(&ok);
        if (ok)
            return value;
        break;
    }
    default:
        break;
    }
    throw Error(platform::ErrorNumber::TypeMismatch,
                QStringLiteral("The record's \"ID\" (%1) is not a whole number").arg(id.ToString().left(40)),
                kObjectName);
}

QString BeginsWithPattern(const QString& text) {
    QString pattern;
    pattern.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern + QLatin1Char('%');
}

Manager::Failure FailureOfCurrentException() noexcept {
    try {
        throw;
    } catch (const Refusal& refusal) {
        return {refusal.Cause(), refusal.Field()};
    } catch (const platform::SqliteError& e) {
        switch (e.PrimaryCode()) {
        case kSqliteBusy:
        case kSqliteLocked:
            return {EnumDatabaseFailure::Locked, QString()};
        case kSqliteFull:
        case kSqliteReadOnly:
        case kSqliteCantOpen: // the journal beside the file cannot be made: the folder is read-only
            return {EnumDatabaseFailure::DiskFullOrReadOnly, QString()};
        case kSqliteCorrupt:
        case kSqliteNotADatabase:
            return {EnumDatabaseFailure::Damaged, QString()};
        case kSqliteIoError:
            // A file cut short or a disk that fails to read: the user's way out is the same as for a
            // damaged file.
            if (e.Number() == kSqliteIoErrorRead || e.Number() == kSqliteIoErrorShortRead)
                return {EnumDatabaseFailure::Damaged, QString()};
            return {EnumDatabaseFailure::DiskFullOrReadOnly, QString()};
        default:
            return {EnumDatabaseFailure::Other, QString()};
        }
    } catch (...) {
        return {EnumDatabaseFailure::Other, QString()};
    }
}

Variant ColumnValue(const Variant& value, const platform::SqlColumnInfo& column) {
    const bool text = column.type == platform::SqlColumnType::Text || column.type == platform::SqlColumnType::Memo;
    if (text && value.GetType() == Variant::Type::String) {
        const int limit = column.maxLength > 0 ? column.maxLength : kMemoLength;
        const int length = static_cast<int>(value.ToString().trimmed().size());
        if (length > limit)
            throw Refusal(EnumDatabaseFailure::TextTooLong,
                          QStringLiteral("The text of %1 has %2 characters, at most %3 fit")
                              .arg(column.name)
                              .arg(length)
                              .arg(limit),
                          column.name);
    }
    return platform::ToColumnValue(value, column);
}

Manager::Manager() = default;

Manager::~Manager() {
    m_connection.reset();
    m_hub.Release();
}

EnumDatabaseType Manager::DatabaseType() {
    WriteTraceLine(kObjectName, QStringLiteral("Get_IDatabaseManager_DatabaseType()"), QString(), 0);
    return m_databaseType;
}

void Manager::SetDatabaseType(EnumDatabaseType value) {
    WriteTraceLine(kObjectName, QStringLiteral("Let_IDatabaseManager_DatabaseType()"), QString(), 0);
    if (m_databaseType == EnumDatabaseType::MSAccess)
        m_useStoredProcedures = false;
    m_databaseType = value;
}

bool Manager::UseStoredProcedures() {
    WriteTraceLine(kObjectName, QStringLiteral("Get_IDatabaseManager_UseStoredProcedures()"), QString(), 0);
    return m_useStoredProcedures;
}

void Manager::SetUseStoredProcedures(bool value) {
    WriteTraceLine(kObjectName, QStringLiteral("Let_IDatabaseManager_UseStoredProcedures()"), QString(), 0);
    m_useStoredProcedures = m_databaseType != EnumDatabaseType::MSAccess && value;
}

QString Manager::ConnectionString() {
    WriteTraceLine(kObjectName, QStringLiteral("Get_IDatabaseManager_ConnectionString()"), QString(), 0);
    return m_connectionString;
}

void Manager::SetConnectionString(const QString& value) {
    WriteTraceLine(kObjectName, QStringLiteral("Let_IDatabaseManager_ConnectionString()"), QString(), 0);
    m_connectionString = value;
    m_connection.reset(); // the next call opens the database now named
}

IApplicationPtr Manager::AmbApplication() {
    WriteTraceLine(kObjectName, QStringLiteral("Get_IDatabaseManager_AmbApplication()"), QString(), 0);
    return m_hub.Hub();
}

void Manager::SetAmbApplication(const IApplicationPtr& value) {
    amb::Guard(kObjectName, QStringLiteral("Set_IDatabaseManager_AmbApplication()"), [&] { m_hub.Attach(value); });
}

EnumDatabaseFailure Manager::LastFailure() {
    return m_failure.Cause;
}

QString Manager::LastFailureField() {
    return m_failure.Field;
}

EnumDatabaseFailure Manager::LastReadFailure() {
    return m_readFailure;
}

bool Manager::ReturnEOF() {
    return m_returnEOF;
}

void Manager::SetReturnEOF(bool value) {
    m_returnEOF = value;
}

platform::SqliteConnection& Manager::Connection() {
    if (!m_connection) {
        WriteTraceLine(kObjectName, QStringLiteral("CreateConnection()"), QString(), 0);
        const QString path = DatabasePathFromConnectionString(m_connectionString);
        if (path.isEmpty())
            throw Error(platform::ErrorNumber::DatabaseError,
                        QStringLiteral("The connection string names no database file"), kObjectName);
        auto connection = platform::SqliteConnection::Open(path);
        CheckSchemaVersion(*connection);
        AddStoredAmountFunction(*connection);
        m_connection = std::move(connection);
    }
    return *m_connection;
}

RecordsetPtr Manager::QueryAll(const QString& sql, const SqlParams& params, const platform::SqlTypeHints& hints) {
    auto& db = Connection();
    try {
        return db.Query(sql, params, hints);
    } catch (const Error& e) {
        Rethrow(e, sql);
    }
}

RecordsetPtr Manager::ExecuteSelect(const QString& sql, const SqlParams& params, const platform::SqlTypeHints& hints) {
    WriteTraceLine(kObjectName, QStringLiteral("ExecuteSelect()"), QString(), 0);
    auto rs = QueryAll(sql, params, hints);
    if (rs->RecordCount() == 0 && !m_returnEOF)
        return nullptr;
    ReadStoredAmounts(*rs, sql);
    return rs;
}

int Manager::RunStatement(const QString& sql, const SqlParams& params) {
    auto& db = Connection();
    try {
        return db.Execute(sql, params);
    } catch (const Error& e) {
        Rethrow(e, sql);
    }
}

int32_t Manager::ExecuteUpdate(const QString& sql, const SqlParams& params) {
    WriteTraceLine(kObjectName, QStringLiteral("ExecuteUpdate()"), QString(), 0);
    auto& db = Connection();
    int changed = 0;
    try {
        platform::SqliteTransaction transaction(db);
        changed = db.Execute(sql, params);
        transaction.Commit();
    } catch (const Error& e) {
        Rethrow(e, sql);
    }
    return changed > 0 ? changed : -1;
}

bool Manager::RowExists(const QString& table, int32_t id) {
    if (id <= 0)
        return false;
    return QueryAll(QStringLiteral("SELECT 1 FROM %1 WHERE ID=?").arg(Quoted(table)), {id})->RecordCount() > 0;
}

namespace {
// The dictionary of stored values that a record carries, or none.
platform::DictionaryPtr AsReadOf(const platform::Dictionary& record) {
    if (!record.Exists(IDatabaseManager::kAsReadKey))
        return nullptr;
    return std::dynamic_pointer_cast<platform::Dictionary>(record.Item(IDatabaseManager::kAsReadKey).ToObject());
}

// A text handed back just as it was read, outer spaces, '' and all: the user left its box alone.
bool IsTextAsRead(const Variant& value, const platform::DictionaryPtr& asRead, const platform::SqlColumnInfo& column) {
    const bool text = column.type == platform::SqlColumnType::Text || column.type == platform::SqlColumnType::Memo;
    if (!text || value.GetType() != Variant::Type::String || !asRead || !asRead->Exists(column.name))
        return false;
    const Variant read = asRead->Item(column.name);
    return read.GetType() == Variant::Type::String && read.ToString() == value.ToString();
}
} // namespace

int32_t Manager::SaveRow(const RowSave& spec, const platform::Dictionary& dict) {
    const int32_t id = RecordId(dict);
    const platform::DictionaryPtr asRead = AsReadOf(dict);
    auto& db = Connection();
    const auto& columns = db.Columns(spec.Table);
    QStringList names;
    SqlParams values;
    const auto add = [&](const QString& name, const Variant& value) {
        for (const auto& column : columns) {
            if (column.name.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            // A text the user left alone is written back as stored (not trimmed, '' not made Null), so
            // that it counts as a change nowhere. The value that the conversions give for "no date" is
            // stored as Null, never as 1900, whether it comes as a date or as a date's text.
            Variant stored = IsTextAsRead(value, asRead, column) ? value : ColumnValue(value, column);
            if (column.type == platform::SqlColumnType::DateTime && IsNoDate(stored.ToDateTime()))
                stored = Variant::Null();
            values.push_back(std::move(stored));
            names << Quoted(column.name);
            return;
        }
        throw Error(platform::ErrorNumber::ItemNotFound,
                    QStringLiteral("Item cannot be found in the collection: %1.%2").arg(spec.Table, name), kObjectName);
    };

    platform::SqliteTransaction transaction(db);
    const bool exists = RowExists(spec.Table, id);
    CheckAsRead(spec, dict, exists);
    CheckNamedPerson(spec, dict, id, exists);
    CheckNamedOwner(spec, dict);
    if (!exists) {
        for (const auto& field : spec.InsertOnly)
            add(field.Column, field.Value);
    }
    for (const auto& field : spec.Always)
        add(field.Column, field.Value);
    for (const auto& field : spec.Fields) {
        add(field, dict.Item(field));
        if (spec.Required.contains(field) && values.back().IsNull())
            throw Error(platform::ErrorNumber::InvalidArgument,
                        QStringLiteral("The %1 has no %2").arg(spec.Table, field), kObjectName);
    }

    CheckLookupIds(spec, dict, id, exists);
    QString sql;
    if (exists) {
        QStringList assignments;
        for (const auto& name : names)
            assignments << name + QStringLiteral("=?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE ID=?").arg(Quoted(spec.Table), assignments.join(QLatin1Char(',')));
        values.emplace_back(id);
    } else if (names.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Quoted(spec.Table));
    } else {
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(Quoted(spec.Table), names.join(QLatin1Char(',')),
                       QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')));
    }
    int32_t result = id;
    try {
        db.Execute(sql, values);
        if (!exists)
            result = static_cast<int32_t>(db.LastInsertId());
    } catch (const Error& e) {
        Rethrow(e, sql);
    }
    transaction.Commit();
    return result;
}

void Manager::CheckAsRead(const RowSave& spec, const platform::Dictionary& dict, bool exists) {
    const platform::DictionaryPtr asRead = AsReadOf(dict);
    if (!asRead)
        return;
    const int32_t id = RecordId(dict);
    const auto gone = [&] {
        return Refusal(EnumDatabaseFailure::RecordGone,
                       QStringLiteral("The %1 %2 was deleted after it was read").arg(spec.Table).arg(id));
    };
    if (!exists)
        throw gone();
    const QString read = QStringLiteral("SELECT * FROM %1 WHERE ID=?").arg(Quoted(spec.Table));
    const auto row = QueryAll(read, {id});
    // Compared as the window read it: an amount through the storage parser.
    ReadStoredAmounts(*row, read);
    const QString deleted = QStringLiteral("IsDeleted");
    if (row->HasField(deleted) && AsBoolean(row->Field(deleted)) && !AsBoolean(asRead->Item(deleted)))
        throw gone();
    QStringList compared = spec.Fields;
    compared += spec.Checked;
    for (const QString& column : compared) {
        if (!asRead->Exists(column) || !row->HasField(column))
            continue;
        if (!SameStored(row->Field(column), asRead->Item(column)))
            throw Refusal(
                EnumDatabaseFailure::ChangedElsewhere,
                QStringLiteral("The %1 %2 was changed after it was read (%3)").arg(spec.Table).arg(id).arg(column));
    }
}

void Manager::CheckNamedPerson(const RowSave& spec, const platform::Dictionary& dict, int32_t id, bool exists) {
    if (!spec.NamesPerson)
        return;
    const int32_t person = AsLong(dict.Item(QStringLiteral("PersonID")));
    if (person == 0)
        return;
    if (exists) {
        const auto row = QueryAll(QStringLiteral("SELECT PersonID FROM %1 WHERE ID=?").arg(Quoted(spec.Table)), {id});
        if (row->RecordCount() > 0 && AsLong(row->Field(0)) == person)
            return;
    }
    const auto found = QueryAll(QStringLiteral("SELECT IsDeleted FROM Person WHERE ID=?"), {person});
    if (found->RecordCount() == 0 || AsBoolean(found->Field(0)))
        throw Refusal(
            EnumDatabaseFailure::RecordGone,
            QStringLiteral("The person %1 that the %2 row names was deleted or purged").arg(person).arg(spec.Table));
}

void Manager::CheckNamedOwner(const RowSave& spec, const platform::Dictionary& dict) {
    if (spec.OwnerTable.isEmpty())
        return;
    const int32_t owner = AsLong(dict.Item(spec.OwnerColumn));
    if (!RowExists(spec.OwnerTable, owner))
        throw Refusal(EnumDatabaseFailure::FamilyGroupGone,
                      QStringLiteral("The %1 %2 that the %3 row names does not exist")
                          .arg(spec.OwnerTable)
                          .arg(owner)
                          .arg(spec.Table));
}

QString Manager::BuildLookUpOptionQuery(EnumLookupOption option, const QString& table, bool withIsUpdatable) {
    // The sentinel rows come from the table itself, as the lists always had them: an empty table has none.
    const QString flag = withIsUpdatable ? QStringLiteral(", 1 AS IsUpdatable") : QString();
    QString tail;
    if (HasOption(option, EnumLookupOption::IncludeBlank))
        tail += QStringLiteral(" UNION SELECT -998 AS ID, '' AS Name%1 FROM %2").arg(flag, Quoted(table));
    if (HasOption(option, EnumLookupOption::IncludeAll))
        tail += QStringLiteral(" UNION SELECT -999 AS ID, '<All>' AS Name%1 FROM %2").arg(flag, Quoted(table));
    return tail;
}

int32_t Manager::FindDeletedRecord(const QString& table, const QString& column, const QString& name) {
    WriteTraceLine(kObjectName, QStringLiteral("IsDeletedRecord()"), QString(), 0);
    const auto rs = QueryAll(
        QStringLiteral("SELECT MIN(ID) FROM %1 WHERE %2=? AND IsDeleted=1").arg(Quoted(table), Quoted(column)), {name});
    return rs->Field(0).IsNull() ? 0 : rs->Field(0).ToInt();
}

int32_t Manager::RestoreDeletedRecord(const QString& table, const QString& column, const QString& name) {
    WriteTraceLine(kObjectName, QStringLiteral("RestoreDeletedRecord()"), QString(), 0);
    const int32_t id = FindDeletedRecord(table, column, name);
    if (id <= 0)
        return -1;
    WriteTraceLine(kObjectName, QStringLiteral("RestoreRecordByName()"), QString(), 0);
    if (ExecuteUpdate(QStringLiteral("UPDATE %1 SET IsDeleted=0, DateDeleted=NULL WHERE ID=?").arg(Quoted(table)),
                      {id}) < 1)
        return -1;
    return id;
}

} // namespace amb::database
