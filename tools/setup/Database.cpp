#include "tools/setup/Database.h"

#include "database/DatabaseSchema.h"
#include "platform/com/Error.h"

#include <QDir>
#include <QFileInfo>

namespace amb::setup {

namespace {

// The report list of an earlier installation gets the names its reports print now.
bool RenameFormerReportNames(SetupContext& context, const QString& path, QString& error) {
    try {
        const auto connection = platform::SqliteConnection::Open(path);
        if (const int renamed = amb::database::RenameFormerKoreanReportNames(*connection); renamed > 0)
            context.out << "  renamed " << renamed << " reports of the Korean report list" << Qt::endl;
    } catch (const platform::Error& e) {
        error = QStringLiteral("cannot rename the reports of %1: %2").arg(path, e.Description());
        return false;
    }
    return true;
}

} // namespace

bool CreateDatabaseFile(SetupContext& context, QString& error) {
    const QString path = QDir(context.appDir).filePath(QStringLiteral("db.mdb"));
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        if (!existing.isFile()) {
            error = QStringLiteral("%1 is not a database file").arg(path);
            return false;
        }
        context.out << "  " << path << " exists; its data is kept" << Qt::endl;
        return RenameFormerReportNames(context, path, error);
    }
    try {
        amb::database::CreateDatabase(path, context.guiLocaleID);
    } catch (const platform::Error& e) {
        error = e.Description();
        return false;
    }
    context.out << "  created " << path << Qt::endl;
    return true;
}

} // namespace amb::setup
