#pragma once

// The floor of a query: the plain sqlite3 C API running the same statement, every row stepped and
// every cell read where SQLite holds it. Shared by the benches that time a member reading rows.

#include <QString>

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

namespace bench {

// The floor: one prepared statement, values bound, every row stepped and every cell read where SQLite
// holds it (no copy, no conversion). No reader of these rows can do less, so a member's ratio to it is
// what the manager's conversions and bookkeeping cost.
class Direct {
public:
    Direct(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(db));
    }
    ~Direct() { sqlite3_finalize(m_stmt); }
    Direct(const Direct&) = delete;
    Direct& operator=(const Direct&) = delete;

    // Returns the number of rows.
    int Rows(const std::vector<std::variant<int, QString>>& params) {
        sqlite3_reset(m_stmt);
        for (size_t i = 0; i < params.size(); ++i) {
            if (const int* n = std::get_if<int>(&params[i])) {
                sqlite3_bind_int(m_stmt, static_cast<int>(i + 1), *n);
            } else {
                const QByteArray text = std::get<QString>(params[i]).toUtf8();
                sqlite3_bind_text(m_stmt, static_cast<int>(i + 1), text.constData(), static_cast<int>(text.size()),
                                  SQLITE_TRANSIENT);
            }
        }
        int rows = 0;
        uint64_t sink = 0;
        const int columns = sqlite3_column_count(m_stmt);
        while (sqlite3_step(m_stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(m_stmt, c)) {
                case SQLITE_INTEGER:
                    sink += static_cast<uint64_t>(sqlite3_column_int64(m_stmt, c));
                    break;
                case SQLITE_FLOAT:
                    sink += static_cast<uint64_t>(sqlite3_column_double(m_stmt, c));
                    break;
                case SQLITE_NULL:
                    break;
                default:
                    sink += reinterpret_cast<uintptr_t>(sqlite3_column_text(m_stmt, c)) +
                            static_cast<uint64_t>(sqlite3_column_bytes(m_stmt, c));
                }
            }
            ++rows;
        }
        sqlite3_reset(m_stmt);
        m_sink = sink;
        return rows;
    }
    void Run(const std::vector<std::variant<int, QString>>& params) { Rows(params); }

private:
    sqlite3_stmt* m_stmt = nullptr;
    // Read by nobody; keeps the compiler from dropping the column reads.
    volatile uint64_t m_sink = 0;
};

// The person list of a search: the manager's statement, for the floor of the search.
inline const char* const kSearchSelect =
    "SELECT Person.*, Sex.Sex, PersonAddress.AddressPart1, PersonAddress.AddressPart2, PersonAddress.AddressPart3, "
    "PersonAddress.AddressPart4, PersonAddress.AddressPart5, PersonEMailAddress.EMailAddress, "
    "PersonPhoneNumber.PhoneNumber FROM Person LEFT JOIN Sex ON Sex.ID=Person.SexID "
    "LEFT JOIN PersonAddress ON PersonAddress.PersonID=Person.ID AND PersonAddress.IsHomeAddress=1 "
    "LEFT JOIN PersonEMailAddress ON PersonEMailAddress.PersonID=Person.ID "
    "AND PersonEMailAddress.IsPersonalEMailAddress=1 "
    "LEFT JOIN PersonPhoneNumber ON PersonPhoneNumber.PersonID=Person.ID AND PersonPhoneNumber.IsHomePhoneNumber=1 ";
inline const char* const kSearchOrder =
    " AND +Person.IsDeleted=0 ORDER BY Person.ID, PersonAddress.ID, PersonEMailAddress.ID, PersonPhoneNumber.ID";
inline const std::string kSearchSql = std::string(kSearchSelect) +
                               "WHERE Person.ID IN (SELECT ID FROM Person WHERE LastName LIKE ?1 ESCAPE '\\' UNION "
                               "SELECT ID FROM Person WHERE LanguageName LIKE ?1 ESCAPE '\\')" +
                               kSearchOrder;
// The report member list: every person with the first home address, personal e-mail, home and cell phone row, by name.
inline const char* const kMemberListSql =
    "SELECT Person.*, Sex.Sex, MaritalStatus.MaritalStatus, MemberClassification.MemberClassification, "
    "MemberStatus.MemberStatus, PersonAddress.AddressPart1, PersonAddress.AddressPart2, PersonAddress.AddressPart3, "
    "PersonAddress.AddressPart4, PersonAddress.AddressPart5, PersonEMailAddress.EMailAddress, HomePhone.PhoneNumber AS "
    "HomePhoneNumber, CellPhone.PhoneNumber AS CellPhoneNumber FROM Person NOT INDEXED LEFT JOIN Sex ON "
    "Person.SexID=Sex.ID LEFT JOIN MaritalStatus ON Person.MaritalStatusID=MaritalStatus.ID LEFT JOIN "
    "MemberClassification ON Person.MemberClassificationID=MemberClassification.ID LEFT JOIN MemberStatus ON "
    "Person.MemberStatusID=MemberStatus.ID "
    "LEFT JOIN PersonAddress ON PersonAddress.PersonID=Person.ID AND PersonAddress.IsHomeAddress=1 "
    "LEFT JOIN PersonEMailAddress ON PersonEMailAddress.PersonID=Person.ID AND "
    "PersonEMailAddress.IsPersonalEMailAddress=1 "
    "LEFT JOIN PersonPhoneNumber AS HomePhone ON HomePhone.PersonID=Person.ID AND HomePhone.IsHomePhoneNumber=1 "
    "LEFT JOIN PersonPhoneNumber AS CellPhone ON CellPhone.PersonID=Person.ID AND CellPhone.IsCellPhoneNumber=1 "
    "WHERE Person.IsDeleted=0 ORDER BY Person.LanguageName, Person.LastName, Person.FirstName, Person.MiddleName, "
    "Person.ID, PersonAddress.ID, PersonEMailAddress.ID, HomePhone.ID, CellPhone.ID";
// One label per address row of every person, by name, as the mailing labels list them.
inline const char* const kMemberMailingLabelSql =
    "SELECT PersonAddress.AddressPart1, PersonAddress.AddressPart2, PersonAddress.AddressPart3, "
    "PersonAddress.AddressPart4, PersonAddress.AddressPart5, Person.LanguageName, Person.Title, Person.FirstName, "
    "Person.MiddleName, Person.LastName, Person.Suffix, Person.IsMember FROM Person LEFT JOIN PersonAddress ON "
    "Person.ID=PersonAddress.PersonID WHERE Person.IsDeleted=0 ORDER BY Person.LanguageName, Person.LastName, "
    "Person.FirstName, Person.MiddleName, Person.ID, PersonAddress.ID";
// A year of offerings, as the main window lists them.
inline const char* const kOfferingYearSql =
    "SELECT PersonOffering.*, Person.FirstName, Person.MiddleName, Person.LastName, Person.Suffix, "
    "Person.LanguageName, "
    "Person.EnvelopCode, OfferingTypeName.OfferingTypeName FROM PersonOffering LEFT JOIN Person ON "
    "Person.ID=PersonOffering.PersonID LEFT JOIN OfferingTypeName ON OfferingTypeName.ID=PersonOffering.OfferingTypeID "
    "WHERE PersonOffering.OfferingDate BETWEEN ? AND ? ORDER BY PersonOffering.OfferingDate, PersonOffering.ID";

// A database opened read-write for a floor, with the page cache of the manager's connection, closed
// with it.
class Connection {
public:
    explicit Connection(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK)
            std::fprintf(stderr, "open failed: %s\n", sqlite3_errmsg(m_db));
        sqlite3_busy_timeout(m_db, 5000);
        Execute(QStringLiteral("PRAGMA cache_size=-32768"));
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    sqlite3* get() const { return m_db; }
    void Execute(const QString& sql) const {
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "%s failed: %s\n", qPrintable(sql), sqlite3_errmsg(m_db));
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace bench
