#pragma once

// Shared by the Manager*.cpp files: the guard forms of the three member families.

#include "common/ErrorGuard.h"
#include "database/Manager.h"

#include <utility>

namespace amb::database {

// A refusal of the manager's own, with the cause that the windows show (a row changed or gone
// meanwhile, a text too long for its column, an amount out of range), or None for a rule of the data.
class Refusal : public platform::Error {
public:
    Refusal(EnumDatabaseFailure cause, const QString& description, QString field = QString())
        : Error(platform::ErrorNumber::DatabaseError, description, kObjectName), m_cause(cause),
          m_field(std::move(field)) {}
    EnumDatabaseFailure Cause() const { return m_cause; }
    const QString& Field() const { return m_field; }

private:
    EnumDatabaseFailure m_cause;
    QString m_field;
};

// The cause of the exception being handled; call it inside a catch block.
Manager::Failure FailureOfCurrentException() noexcept;

template <class F> auto Manager::KeepingCause(F&& body) {
    try {
        return body();
    } catch (...) {
        m_failure = FailureOfCurrentException();
        throw;
    }
}

template <class T, class F> T Manager::ReadMember(const QString& member, F&& body) {
    m_readFailure = EnumDatabaseFailure::None;
    return amb::Guard(kObjectName, member, T(), [&] {
        try {
            return T(body());
        } catch (...) {
            m_failure = FailureOfCurrentException();
            // A read that failed always has a cause: its answer must not read as "nothing matched".
            m_readFailure = m_failure.Cause == EnumDatabaseFailure::None ? EnumDatabaseFailure::Other : m_failure.Cause;
            throw;
        }
    });
}

template <class F> platform::RecordsetPtr Manager::QueryMember(const QString& member, F&& body) {
    return ReadMember<platform::RecordsetPtr>(member, std::forward<F>(body));
}

// While it lives, the connection's page cache is small. A report reads each row once, so a large cache
// gains it nothing; and SQLite sorts in as much memory as the cache may hold, so over 200,000 persons
// the member list would keep some 55 MB of pages and sort runs beside the rows it returns.
class ReportCache {
public:
    static constexpr int kKibibytes = 4 * 1024;
    explicit ReportCache(platform::SqliteConnection& db) : m_db(db) { m_db.SetCacheSize(kKibibytes); }
    ~ReportCache() {
        amb::CatchAll(kObjectName, QStringLiteral("ReportCache_Restore()"),
                      [&] { m_db.SetCacheSize(platform::SqliteConnection::kCacheKibibytes); });
    }
    ReportCache(const ReportCache&) = delete;
    ReportCache& operator=(const ReportCache&) = delete;

private:
    platform::SqliteConnection& m_db;
};

template <class F> platform::RecordsetPtr Manager::ReportMember(const QString& member, F&& body) {
    return QueryMember(member, [&] {
        const ReportCache small(Connection());
        return platform::RecordsetPtr(body());
    });
}

template <class F> int32_t Manager::ActionMember(const QString& member, F&& body) {
    m_failure = {};
    return amb::Guard(kObjectName, member, int32_t{-1}, [&] {
        return KeepingCause([&] {
            const auto result = static_cast<int32_t>(body());
            // A statement that matched no row refuses without an exception; it is logged like any other
            // refusal, with no cause the user could act on.
            if (result == -1)
                throw Refusal(EnumDatabaseFailure::None, QStringLiteral("No row matched, so nothing was changed"));
            return result;
        });
    });
}

// The record dictionary a save was given; a missing one is a failure like any bad value.
const platform::Dictionary& RecordOf(const platform::DictionaryPtr& dict);

// The dictionary's "ID" as a whole number. A missing, blank or non-whole "ID" throws: the save
// then changes nothing and returns -1.
int32_t RecordId(const platform::Dictionary& dict);

// The value that the column stores for a value a caller gave (see platform::ToColumnValue); a text
// longer than the column refuses with TextTooLong, naming the column.
platform::Variant ColumnValue(const platform::Variant& value, const platform::SqlColumnInfo& column);

// LIKE pattern for "begins with": % and _ and the escape character itself are escaped ('\').
QString BeginsWithPattern(const QString& text);

} // namespace amb::database
