#include "common/Backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <memory>
#include <vector>

namespace amb {

namespace {

struct Sqlite3Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using SqliteHandle = std::unique_ptr<sqlite3, Sqlite3Closer>;

struct BackupFinisher {
    void operator()(sqlite3_backup* backup) const { sqlite3_backup_finish(backup); }
};

struct NumberedFile {
    qint64 number;
    QString name;
};

// A failure text for the caller, with the reason the system gave.
class Failure {
public:
    explicit Failure(QString* target) : m_target(target) {}
    BackUpResult operator()(const QString& text, BackUpResult result = BackUpResult::Failed) const {
        if (m_target)
            *m_target = text;
        return result;
    }

private:
    QString* m_target;
};

// Files named by a number and ".mdb" are the backups; nothing else in the folder is ours.
std::vector<NumberedFile> NumberedBackups(const QDir& folder) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,9})\\.mdb$"));
    std::vector<NumberedFile> files;
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto match = pattern.match(entry.fileName());
        if (match.hasMatch())
            files.push_back({match.captured(1).toLongLong(), entry.fileName()});
    }
    std::sort(files.begin(), files.end(), [](const NumberedFile& a, const NumberedFile& b) {
        return a.number != b.number ? a.number < b.number : a.name < b.name;
    });
    return files;
}

// A copy interrupted before it got its number (the program was killed) is a ".db.mdb.*.tmp" file;
// no one else names files so, and an unfinished copy is useless, so the next backup removes them.
void RemoveLeftoverCopies(const QDir& folder) {
    const QStringList leftovers =
        folder.entryList({QStringLiteral(".db.mdb.*.tmp")}, QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    for (const QString& name : leftovers)
        QFile::remove(folder.filePath(name));
}

// The backup folder is private to its owner, like the database it holds copies of.
bool MakeBackupFolder(const QString& path) {
    if (QFileInfo(path).isDir())
        return true;
    const QFileInfo info(path);
    return QDir().mkpath(info.absolutePath()) &&
           QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) && QFileInfo(path).isDir();
}

SqliteHandle Open(const QString& path, int flags, QString& error) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    SqliteHandle db(raw);
    if (rc != SQLITE_OK) {
        error = raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        return nullptr;
    }
    sqlite3_busy_timeout(raw, 5000);
    return db;
}

// What SQLite says of a damaged file, whether the copy or the check noticed it.
bool IsDamage(int rc) {
    return (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB;
}

// The first line of SQLite's quick check of the copy; "ok" when every page is sound.
QString QuickCheck(sqlite3* db, int& rc) {
    sqlite3_stmt* raw = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &raw, nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, &sqlite3_finalize);
    if (rc != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(db));
    rc = sqlite3_step(raw);
    if (rc != SQLITE_ROW)
        return QString::fromUtf8(sqlite3_errmsg(db));
    rc = SQLITE_OK;
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
}

// Starts a read transaction: from then on the connection reads one state of the file, and no writer
// can commit until it ends. A hot journal is rolled back here.
int BeginRead(sqlite3* db) {
    const int rc = sqlite3_exec(db, "BEGIN; SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return rc;
}

// Copies the whole database with the online backup, which sees one consistent state of it, and
// checks that state before the copy may count as a backup. The check reads the state the copy is
// made of, through a second connection that holds it in the same read transaction, while the pages
// are copied: page for page it checks what the copy holds, in about the time of the copy alone.
BackUpResult CopyDatabase(const QString& source, const QString& target, QString& error) {
    // Opened for writing (never created), so that SQLite can roll back the hot journal a crashed
    // writer left; a file the user may not write is still opened, read-only.
    SqliteHandle from = Open(source, SQLITE_OPEN_READWRITE, error);
    if (!from)
        return BackUpResult::Failed;
    SqliteHandle checker = Open(source, SQLITE_OPEN_READWRITE, error);
    if (!checker)
        return BackUpResult::Failed;
    SqliteHandle to = Open(target, SQLITE_OPEN_READWRITE, error);
    if (!to)
        return BackUpResult::Failed;
    // The checker's read transaction starts first and the copy's before either reads further; while
    // both last no writer can commit, so both see the one state. A writer about to commit waits for
    // the checker, so the copy's start then lets go and tries again, for a few seconds.
    sqlite3_busy_timeout(from.get(), 50);
    int begun = SQLITE_BUSY;
    for (int attempt = 0; attempt < 100 && begun == SQLITE_BUSY; ++attempt) {
        begun = BeginRead(checker.get());
        if (begun != SQLITE_OK)
            break;
        begun = BeginRead(from.get());
        if (begun == SQLITE_BUSY)
            sqlite3_exec(checker.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    if (begun != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errstr(begun));
        return IsDamage(begun) ? BackUpResult::Damaged : BackUpResult::Failed;
    }
    int checked = SQLITE_OK;
    std::future<QString> verdict =
        std::async(std::launch::async, [&checker, &checked] { return QuickCheck(checker.get(), checked); });

    int copied = SQLITE_DONE;
    QString copyError;
    std::unique_ptr<sqlite3_backup, BackupFinisher> backup(sqlite3_backup_init(to.get(), "main", from.get(), "main"));
    if (!backup) {
        copied = sqlite3_errcode(to.get());
        copyError = QString::fromUtf8(sqlite3_errmsg(to.get()));
    } else {
        int rc = SQLITE_OK;
        for (int attempt = 0; attempt < 200; ++attempt) {
            rc = sqlite3_backup_step(backup.get(), -1);
            if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                break;
            sqlite3_sleep(50);
        }
        const int finish = sqlite3_backup_finish(backup.release());
        if (rc != SQLITE_DONE || finish != SQLITE_OK) {
            copied = rc != SQLITE_DONE ? rc : finish;
            copyError = QString::fromUtf8(sqlite3_errstr(copied));
        }
    }
    // Only a check of the pages tells a damaged database; they were copied as they are.
    const QString checkedText = verdict.get();
    if (checked != SQLITE_OK || checkedText != QLatin1String("ok")) {
        error = QStringLiteral("the copy failed the check: %1").arg(checkedText);
        return checked == SQLITE_OK || IsDamage(checked) ? BackUpResult::Damaged : BackUpResult::Failed;
    }
    if (copied != SQLITE_DONE) {
        error = copyError;
        return IsDamage(copied) ? BackUpResult::Damaged : BackUpResult::Failed;
    }
    if (sqlite3_close_v2(to.release()) != SQLITE_OK) {
        error = QStringLiteral("the copy could not be closed");
        return BackUpResult::Failed;
    }
    return BackUpResult::Done;
}

bool SyncPath(const QString& path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

BackUpResult BackUpDatabase(const QString& dataFolder, const QString& backupFolder, QString* errorText) {
    const Failure fail(errorText);
    try {
        const QString source = QDir(dataFolder).filePath(QStringLiteral("db.mdb"));
        if (dataFolder.isEmpty() || !QFileInfo(source).isFile())
            return fail(QStringLiteral("The database file %1 does not exist.").arg(QDir::toNativeSeparators(source)));
        if (backupFolder.isEmpty() || !MakeBackupFolder(backupFolder))
            return fail(QStringLiteral("The backup folder %1 cannot be created.").arg(backupFolder));
        const QDir folder(backupFolder);
        RemoveLeftoverCopies(folder);

        const std::vector<NumberedFile> existing = NumberedBackups(folder);
        const qint64 number = existing.empty() ? 1 : existing.back().number + 1;
        const QString name = QStringLiteral("%1.mdb").arg(number, 3, 10, QLatin1Char('0'));
        const QString target = folder.filePath(name);
        if (QFileInfo::exists(target))
            return fail(QStringLiteral("The backup file %1 exists already.").arg(target));

        // The copy gets its number only once it is complete and on disk.
        QTemporaryFile temporary(folder.filePath(QStringLiteral(".db.mdb.XXXXXX.tmp")));
        if (!temporary.open())
            return fail(
                QStringLiteral("A file cannot be written in %1: %2").arg(backupFolder, temporary.errorString()));
        temporary.close();
        QString error;
        switch (CopyDatabase(source, temporary.fileName(), error)) {
        case BackUpResult::Done:
            break;
        case BackUpResult::Damaged:
            // The unchecked copy goes with `temporary`; the older backups are the good ones.
            return fail(QStringLiteral("The database %1 is damaged: %2").arg(QDir::toNativeSeparators(source), error),
                        BackUpResult::Damaged);
        case BackUpResult::Failed:
            return fail(QStringLiteral("The database could not be copied: %1").arg(error));
        }
        if (!SyncPath(temporary.fileName(), O_RDONLY))
            return fail(QStringLiteral("The backup could not be written to disk: %1").arg(SystemError()));
        if (::chmod(QFile::encodeName(temporary.fileName()).constData(), 0400) != 0)
            return fail(QStringLiteral("The backup could not be made read-only: %1").arg(SystemError()));
        if (::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
            return fail(QStringLiteral("The backup %1 could not be named: %2").arg(target, SystemError()));
        temporary.setAutoRemove(false);
        SyncPath(backupFolder, O_RDONLY | O_DIRECTORY);

        // Only now that the new copy exists may the oldest ones go. A backup that cannot be
        // removed stays; the next run tries again.
        std::vector<NumberedFile> all = NumberedBackups(folder);
        for (size_t i = 0; i + kMaxBackUps < all.size(); ++i)
            QFile::remove(folder.filePath(all[i].name));
        return BackUpResult::Done;
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return fail(QStringLiteral("The backup failed."));
    }
}

} // namespace amb
