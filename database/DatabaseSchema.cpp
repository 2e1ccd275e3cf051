#include "database/DatabaseSchema.h"

#include "database/SchemaScripts.h"
#include "platform/com/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace amb::database {

namespace {
const QString kSource = QStringLiteral("AmbDatabase.Schema");
constexpr int32_t kKorean = 1042;
} // namespace

QString SchemaScript() {
    return QString::fromUtf8(scripts::kSchema);
}

QString KoreanSeedScript() {
    return QString::fromUtf8(scripts::kKoreanSeed);
}

void SeedKoreanNames(platform::SqliteConnection& connection) {
    platform::SqliteTransaction transaction(connection);
    connection.ExecuteScript(KoreanSeedScript());
    transaction.Commit();
}

void CreateDatabase(const QString& path, int32_t lcid) {
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        throw platform::Error(platform::ErrorNumber::InvalidArgument,
                              QStringLiteral("%1 exists already; it is left as it is").arg(path), kSource);
    if (!target.absoluteDir().exists())
        throw platform::Error(platform::ErrorNumber::InvalidArgument,
                              QStringLiteral("The folder of %1 does not exist").arg(path), kSource);
    // Built under a private name and renamed into place, so a failure never leaves half a database.
    const QString work = path + QStringLiteral(".new-") + QUuid::createUuid().toString(QUuid::Id128);
    try {
        {
            auto connection = platform::SqliteConnection::Create(work);
            platform::SqliteTransaction transaction(*connection);
            connection->ExecuteScript(SchemaScript());
            if (lcid == kKorean)
                connection->ExecuteScript(KoreanSeedScript());
            transaction.Commit();
            CheckSchemaVersion(*connection);
        }
        // The congregation's data is its owner's alone, whoever creates the file.
        if (!QFile::setPermissions(work, QFileDevice::ReadOwner | QFileDevice::WriteOwner) || !QFile::rename(work, path))
            throw platform::Error(platform::ErrorNumber::InvalidArgument,
                                  QStringLiteral("Cannot put the new database at %1").arg(path), kSource);
    } catch (...) {
        QFile::remove(work);
        QFile::remove(work + QStringLiteral("-journal"));
        throw;
    }
}

void CheckSchemaVersion(platform::SqliteConnection& connection) {
    const int version = connection.UserVersion();
    if (version != kSchemaVersion)
        throw platform::Error(platform::ErrorNumber::DatabaseError,
                              QStringLiteral("The database %1 has schema version %2; this program needs version %3")
                                  .arg(connection.Path())
                                  .arg(version)
                                  .arg(kSchemaVersion),
                              kSource);
}

QString DatabasePathFromConnectionString(const QString& connectionString) {
    if (!connectionString.contains(QLatin1Char('=')))
        return connectionString.trimmed();
    for (const QString& part : connectionString.split(QLatin1Char(';'))) {
        const int equals = part.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = part.left(equals).trimmed();
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0 ||
            key.compare(QLatin1String("Database"), Qt::CaseInsensitive) == 0)
            return part.mid(equals + 1).trimmed();
    }
    return QString();
}

} // namespace amb::database
