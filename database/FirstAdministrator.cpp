#include "database/FirstAdministrator.h"

#include "database/DatabaseSchema.h"
#include "database/PasswordHash.h"
#include "platform/data/SqliteConnection.h"

namespace amb::database {

namespace {

std::unique_ptr<platform::SqliteConnection> OpenChecked(const QString& path) {
    auto connection = platform::SqliteConnection::Open(path);
    CheckSchemaVersion(*connection);
    return connection;
}

bool Exists(platform::SqliteConnection& connection) {
    return connection
               .Query(QStringLiteral("SELECT 1 FROM \"User\" WHERE Username=? LIMIT 1"), {kFirstAdministratorName})
               ->RecordCount() > 0;
}

} // namespace

bool FirstAdministratorExists(const QString& databasePath) {
    auto connection = OpenChecked(databasePath);
    return Exists(*connection);
}

bool CreateFirstAdministrator(const QString& databasePath, const QString& password) {
    // Hashed before the database is touched: a refused password changes nothing.
    const QString hash = HashPassword(password);
    auto connection = OpenChecked(databasePath);
    platform::SqliteTransaction transaction(*connection);
    if (Exists(*connection))
        return false;
    const platform::Variant now(platform::Now());
    connection->Execute(
        QStringLiteral("INSERT INTO \"User\" (DateEntered, DateUpdated, Name, Username, Password, IsAdmin, "
                       "IsEnabled) VALUES (?, ?, ?, ?, ?, 1, 1)"),
        {now, now, QStringLiteral("Administrator"), kFirstAdministratorName, hash});
    transaction.Commit();
    return true;
}

} // namespace amb::database
