#include "tools/setup/Preflight.h"

#include "database/DatabaseSchema.h"
#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace amb::setup {

namespace reg = platform::registry;

namespace {

const QString kDatabaseName = QStringLiteral("db.mdb");

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// The schema version of the database at `path`, read without writing anything; -1 with `error`
// when the file is no SQLite database.
int ReadSchemaVersion(const QString& path, QString& error) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, Closer> db(raw);
    sqlite3_stmt* rawStatement = nullptr;
    if (opened == SQLITE_OK)
        sqlite3_prepare_v2(raw, "PRAGMA user_version", -1, &rawStatement, nullptr);
    const std::unique_ptr<sqlite3_stmt, Closer> statement(rawStatement);
    if (!statement || sqlite3_step(rawStatement) != SQLITE_ROW) {
        error = raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(opened));
        return -1;
    }
    return sqlite3_column_int(rawStatement, 0);
}

bool SameFolder(const QString& a, const QString& b) {
    const QString left = QFileInfo(a).canonicalFilePath();
    const QString right = QFileInfo(b).canonicalFilePath();
    return QDir::cleanPath(a) == QDir::cleanPath(b) || (!left.isEmpty() && left == right);
}

} // namespace

bool CheckRegistryFiles(QString& error) {
    for (const reg::Key root : {reg::LocalMachine, reg::ClassesRoot}) {
        reg::ScopedKey key;
        const int32_t status = reg::OpenKey(root, QString(), key.Receive());
        if (status != reg::Status::Success && status != reg::Status::FileNotFound) {
            error = QStringLiteral("the settings of %1 cannot be read: %2. Correct or restore that file; nothing "
                                   "was changed")
                        .arg(reg::RootName(root), reg::DescribeFailure(root, status));
            return false;
        }
    }
    return true;
}

bool CheckAppDirSwitch(const SetupContext& context, const QString& installedAppDir, bool switchAllowed, QString& error,
                       QString& note) {
    if (installedAppDir.isEmpty() || SameFolder(installedAppDir, context.appDir))
        return true;
    const QString database = QDir(installedAppDir).filePath(kDatabaseName);
    if (!QFileInfo::exists(database))
        return true;
    if (!switchAllowed) {
        error = QStringLiteral("the current installation is in %1, and its database is %2. To install into %3 "
                               "instead, run again with --switch-appdir (the database stays where it is); nothing "
                               "was changed")
                    .arg(installedAppDir, database, context.appDir);
        return false;
    }
    note = QStringLiteral("the database of the earlier installation stays in %1").arg(database);
    return true;
}

bool CheckExistingDatabase(const SetupContext& context, QString& error) {
    const QString path = QDir(context.appDir).filePath(kDatabaseName);
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink())
        return true;
    if (!file.isFile()) {
        error = QStringLiteral("%1 is not a database file; nothing was changed").arg(path);
        return false;
    }
    QString problem;
    const int version = ReadSchemaVersion(path, problem);
    if (version < 0) {
        error = QStringLiteral("%1 is not an Ambrel database (%2); it is left as it is and nothing was changed")
                    .arg(path, problem);
        return false;
    }
    if (version != amb::database::kSchemaVersion) {
        error = QStringLiteral("%1 has schema version %2; this program knows version %3. The file is left as it is "
                               "and nothing was changed")
                    .arg(path)
                    .arg(version)
                    .arg(amb::database::kSchemaVersion);
        return false;
    }
    return true;
}

} // namespace amb::setup
