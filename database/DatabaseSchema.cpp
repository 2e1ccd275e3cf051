#include "database/DatabaseSchema.h"

#include "common/ReportCatalogue.h"
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

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The report list as the catalogue has it, named in the installation's language.
void InsertReportRows(platform::SqliteConnection& connection, int32_t lcid) {
    for (const CatalogueReport& report : kReportCatalogue)
        connection.Execute(QStringLiteral("INSERT INTO Report (Report, InternalName, FileName, OptionIndex, "
                                          "IsMailingLabel) VALUES (?, ?, ?, ?, ?)"),
                           {Utf8(lcid == kKorean ? report.korean : report.name), Utf8(report.name),
                            Utf8(ReportFileName(report)), static_cast<int32_t>(report.options),
                            IsMailingLabel(report)});
}

// Korean names that earlier installations gave their report list before it followed the catalogue.
struct FormerName {
    std::string_view internalName;
    std::string_view korean;
};
constexpr FormerName kFormerKoreanNames[] = {
    {.internalName = "Family Contact List - Column View", .korean = "가정 연락처 목록 - 열 보기"},
    {.internalName = "Group Contact List - Column View", .korean = "그룹 연락처 목록 - 열 보기"},
    {.internalName = "Member Contact List - Column View", .korean = "교인 연락처 목록 - 열 보기"},
};
static_assert(
    [] {
        for (const FormerName& former : kFormerKoreanNames) {
            const CatalogueReport* report = FindCatalogueReport(former.internalName);
            if (!report || report->korean == former.korean)
                return false;
        }
        return true;
    }(),
    "a former Korean name must name a catalogue report and differ from its name now");

} // namespace

QString SchemaScript() {
    return QString::fromUtf8(scripts::kSchema);
}

QString KoreanSeedScript() {
    return QString::fromUtf8(scripts::kKoreanSeed);
}

int RenameFormerKoreanReportNames(platform::SqliteConnection& connection) {
    platform::SqliteTransaction transaction(connection);
    int renamed = 0;
    for (const FormerName& former : kFormerKoreanNames)
        renamed += connection.Execute(
            QStringLiteral("UPDATE Report SET Report = ? WHERE InternalName = ? AND Report = ?"),
            {Utf8(FindCatalogueReport(former.internalName)->korean), Utf8(former.internalName), Utf8(former.korean)});
    transaction.Commit();
    return renamed;
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
            InsertReportRows(*connection, lcid);
            if (lcid == kKorean)
                connection->ExecuteScript(KoreanSeedScript());
            transaction.Commit();
            CheckSchemaVersion(*connection);
        }
        // The congregation's data is its owner's alone, whoever creates the file.
        if (!QFile::setPermissions(work, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
            !QFile::rename(work, path))
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
