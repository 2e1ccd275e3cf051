#include "tools/setup/Database.h"

#include "database/DatabaseSchema.h"
#include "platform/com/Error.h"

#include <QDir>
#include <QFileInfo>

namespace amb::setup {

bool CreateDatabaseFile(SetupContext& context, QString& error) {
    const QString path = QDir(context.appDir).filePath(QStringLiteral("db.mdb"));
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        if (!existing.isFile()) {
            error = QStringLiteral("%1 is not a database file").arg(path);
            return false;
        }
        context.out << "  " << path << " exists; its data is kept" << Qt::endl;
        return true;
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
