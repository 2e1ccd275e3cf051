#include "database/Compaction.h"
#include "database/ManagerSupport.h"

// Purge: removes the persons marked deleted for good, with every row that hangs on them, and then
// compacts the database file in place. 1: purged and compacted; 0: purged, but the compaction failed
// (its level-9 line says why); -1: the purge failed and nothing changed.

namespace amb::database {

namespace {

const QString kMarked = QStringLiteral("(SELECT ID FROM Person WHERE IsDeleted=1)");

// The rows of a marked person that go with the person.
const char* const kPersonRows[] = {"PersonAddress", "PersonEMailAddress", "PersonPhoneNumber", "PersonToFamily",
                                   "PersonToGroup"};

} // namespace

bool CompactDatabaseFile(platform::SqliteConnection& db) noexcept {
    return amb::Guard(kObjectName, QStringLiteral("CompactDatabaseFile()"), false, [&] {
        db.ExecuteScript(QStringLiteral("VACUUM"));
        return true;
    });
}

int32_t Manager::Purge() {
    return ActionMember(QStringLiteral("IDatabaseManager_Purge()"), [&] {
        auto& db = Connection();
        {
            // All or nothing: a failure half-way leaves every marked person with all its rows.
            platform::SqliteTransaction transaction(db);
            // Offerings stay, as offerings of no person.
            ExecuteUpdate(QStringLiteral("UPDATE PersonOffering SET PersonID=0 WHERE PersonID IN ") + kMarked);
            for (const char* table : kPersonRows)
                ExecuteUpdate(QStringLiteral("DELETE FROM %1 WHERE PersonID IN ").arg(QLatin1String(table)) + kMarked);
            ExecuteUpdate(QStringLiteral("DELETE FROM Person WHERE IsDeleted=1"));
            transaction.Commit();
        }
        // The rows are gone for good either way; 0 tells the caller that the file was not compacted.
        return CompactDatabaseFile(db) ? 1 : 0;
    });
}

int32_t Manager::Convert() {
    return ActionMember(QStringLiteral("IDatabaseManager_Convert()"), [] { return 1; });
}

} // namespace amb::database
