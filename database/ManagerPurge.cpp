#include "database/Compaction.h"
#include "database/ManagerSupport.h"

#include <sqlite3.h>

// Purge: removes the persons marked deleted for good, with every row that hangs on them, and then
// compacts the database file in place. 1: purged and compacted; 0: purged, but the compaction failed
// (its level-9 line says why, LastFailure names the cause); -1: the purge failed and nothing changed.

namespace amb::database {

namespace {

const QString kMarked = QStringLiteral("(SELECT ID FROM Person WHERE IsDeleted=1)");

// The rows of a marked person that go with the person.
const char* const kPersonRows[] = {"PersonAddress", "PersonEMailAddress", "PersonPhoneNumber", "PersonToFamily",
                                   "PersonToGroup"};

// Refuses (Damaged) a file that SQLite's quick check finds damaged, or cannot read to its end: a purge
// must not delete from it, and a page the deletion never read may be what a repair still saves.
void CheckSound(platform::SqliteConnection& db) {
    QString verdict;
    try {
        verdict = db.Query(QStringLiteral("PRAGMA quick_check(1)"))->Field(0).ToString();
    } catch (const platform::SqliteError& e) {
        const int code = e.PrimaryCode();
        if (code != SQLITE_CORRUPT && code != SQLITE_NOTADB && code != SQLITE_IOERR)
            throw;
        verdict = e.Description();
    }
    if (verdict != QLatin1String("ok"))
        throw Refusal(EnumDatabaseFailure::Damaged, QStringLiteral("The quick check found the file damaged: ") + verdict);
}

} // namespace

EnumDatabaseFailure CompactDatabaseFile(platform::SqliteConnection& db) noexcept {
    EnumDatabaseFailure cause = EnumDatabaseFailure::Other;
    const bool compacted = amb::Guard(kObjectName, QStringLiteral("CompactDatabaseFile()"), [&] {
        try {
            db.ExecuteScript(QStringLiteral("VACUUM"));
        } catch (...) {
            cause = FailureOfCurrentException().Cause;
            throw;
        }
    });
    if (compacted)
        return EnumDatabaseFailure::None;
    return cause == EnumDatabaseFailure::None ? EnumDatabaseFailure::Other : cause;
}

int32_t Manager::Purge() {
    return ActionMember(QStringLiteral("IDatabaseManager_Purge()"), [&] {
        auto& db = Connection();
        {
            // All or nothing: a failure half-way leaves every marked person with all its rows.
            platform::SqliteTransaction transaction(db);
            CheckSound(db);
            // Offerings stay, as offerings of no person.
            ExecuteUpdate(QStringLiteral("UPDATE PersonOffering SET PersonID=0 WHERE PersonID IN ") + kMarked);
            for (const char* table : kPersonRows)
                ExecuteUpdate(QStringLiteral("DELETE FROM %1 WHERE PersonID IN ").arg(QLatin1String(table)) + kMarked);
            ExecuteUpdate(QStringLiteral("DELETE FROM Person WHERE IsDeleted=1"));
            transaction.Commit();
        }
        // The rows are gone for good either way; 0 tells the caller that the file was not compacted,
        // and the cause tells it why.
        const EnumDatabaseFailure compaction = CompactDatabaseFile(db);
        if (compaction == EnumDatabaseFailure::None)
            return 1;
        m_failure = {.Cause = compaction, .Field = QString()};
        return 0;
    });
}

int32_t Manager::Convert() {
    return ActionMember(QStringLiteral("IDatabaseManager_Convert()"), [] { return 1; });
}

} // namespace amb::database
