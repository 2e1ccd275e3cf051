#include "common/Backup.h"

#include "common/ResourceIDs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
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

// A copy interrupted before it got its number (the program was killed) is a ".db.mdb.*.tmp" file
// (with its journal);
// no one else names files so, and an unfinished copy is useless, so the next backup removes them.
void RemoveLeftoverCopies(const QDir& folder) {
    const QStringList leftovers =
        folder.entryList({QStringLiteral(".db.mdb.*.tmp"), QStringLiteral(".db.mdb.*.tmp-journal")},
                         QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    for (const QString& name : leftovers)
        QFile::remove(folder.filePath(name));
}

// The cause that a failed system call's errno names.
BackUpCause CauseOfErrno(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return BackUpCause::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOTDIR:
    case EEXIST:
        return BackUpCause::FolderNotWritable;
    default:
        return BackUpCause::Other;
    }
}

// The backup folder is private to its owner, like the database it holds copies of. Other when made.
BackUpCause MakeBackupFolder(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return BackUpCause::Other;
    if (info.exists() || info.isSymLink())
        return BackUpCause::FolderNotWritable; // a file, or a link to nothing, where the folder must be
    if (!QDir().mkpath(info.absolutePath()))
        return BackUpCause::FolderNotWritable;
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return CauseOfErrno(errno) == BackUpCause::Other ? BackUpCause::FolderNotWritable : CauseOfErrno(errno);
    return QFileInfo(path).isDir() ? BackUpCause::Other : BackUpCause::FolderNotWritable;
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

// What SQLite's failure at the copy says of the backup folder.
BackUpCause CauseOfCopy(int rc, sqlite3* to) {
    switch (rc & 0xff) {
    case SQLITE_FULL:
        return BackUpCause::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return BackUpCause::FolderNotWritable;
    case SQLITE_IOERR:
        return to ? CauseOfErrno(sqlite3_system_errno(to)) : BackUpCause::Other;
    default:
        return BackUpCause::Other;
    }
}

BackUpResult Refused(sqlite3* db, int rc, QString& error) {
    error = QString::fromUtf8(sqlite3_errmsg(db));
    return IsDamage(rc) ? BackUpResult::Damaged : BackUpResult::Failed;
}

// A read transaction on the database: from now on the copy sees this state, however long it takes,
// and no writer can commit until the copy is done. Cheap, so the start takes it itself. A writer
// holding the file gets a few seconds to finish first.
SqliteHandle Snapshot(const QString& source, BackUpResult& result, QString& error) {
    // Opened for writing (never created), so that SQLite can roll back the hot journal a crashed
    // writer left when the transaction starts; a file the user may not write is still opened, read-only.
    SqliteHandle from = Open(source, SQLITE_OPEN_READWRITE, error);
    result = BackUpResult::Failed;
    if (!from)
        return nullptr;
    int rc = sqlite3_exec(from.get(), "BEGIN", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(from.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        result = Refused(from.get(), rc, error);
        return nullptr;
    }
    result = BackUpResult::Done;
    return from;
}

// Copies every page of the snapshot in one step of the online backup, then ends the snapshot. The
// copy is a file nobody else has open and is checked and synced before it counts, so it is written
// without a journal and without waiting for the disk. The pages are copied as they are, so a damaged
// database gives a damaged copy: CheckCopy tells.
BackUpResult CopySnapshot(SqliteHandle from, const QString& target, QString& error, BackUpCause& cause) {
    SqliteHandle to = Open(target, SQLITE_OPEN_READWRITE, error);
    if (!to) {
        cause = BackUpCause::FolderNotWritable;
        return BackUpResult::Failed;
    }
    sqlite3_exec(to.get(), "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    std::unique_ptr<sqlite3_backup, BackupFinisher> backup(sqlite3_backup_init(to.get(), "main", from.get(), "main"));
    if (!backup)
        return Refused(to.get(), sqlite3_errcode(to.get()), error);
    const int rc = sqlite3_backup_step(backup.get(), -1);
    const int finish = sqlite3_backup_finish(backup.release());
    sqlite3_exec(from.get(), "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_DONE || finish != SQLITE_OK) {
        const int failed = rc != SQLITE_DONE ? rc : finish;
        error = QString::fromUtf8(sqlite3_errstr(failed));
        cause = CauseOfCopy(failed, to.get());
        return IsDamage(failed) ? BackUpResult::Damaged : BackUpResult::Failed;
    }
    if (sqlite3_close_v2(to.release()) != SQLITE_OK) {
        error = QStringLiteral("the copy could not be closed");
        return BackUpResult::Failed;
    }
    return BackUpResult::Done;
}

// SQLite's quick check of the finished copy file itself, which nobody else has open.
BackUpResult CheckCopy(const QString& copy, QString& error) {
    SqliteHandle db = Open(copy, SQLITE_OPEN_READONLY, error);
    if (!db)
        return BackUpResult::Failed;
    int checked = SQLITE_OK;
    const QString verdict = QuickCheck(db.get(), checked);
    if (checked != SQLITE_OK || verdict != QLatin1String("ok")) {
        error = QStringLiteral("the copy failed the check: %1").arg(verdict);
        return checked == SQLITE_OK || IsDamage(checked) ? BackUpResult::Damaged : BackUpResult::Failed;
    }
    return BackUpResult::Done;
}

// The temporary name of the copy, removed whatever happens: a finished copy has its number as well.
class TemporaryName {
public:
    explicit TemporaryName(QString path) : m_path(std::move(path)) {}
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;
    ~TemporaryName() {
        QFile::remove(m_path);
        QFile::remove(m_path + QStringLiteral("-journal")); // what a failed copy's transaction left
    }
    const QString& Path() const { return m_path; }

private:
    QString m_path;
};

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

BackUpReport Failed(const QString& text, BackUpCause cause = BackUpCause::Other) {
    return {BackUpResult::Failed, text, cause};
}

BackUpReport Damaged(const QString& source, const QString& why) {
    return {BackUpResult::Damaged,
            QStringLiteral("The database %1 is damaged: %2").arg(QDir::toNativeSeparators(source), why)};
}

// The report of a step of the copy.
BackUpReport CopyReport(BackUpResult result, const QString& source, const QString& error, BackUpCause cause) {
    switch (result) {
    case BackUpResult::Done:
        break;
    case BackUpResult::Damaged:
        return Damaged(source, error);
    case BackUpResult::Failed:
        return Failed(QStringLiteral("The database could not be copied: %1").arg(error), cause);
    }
    return {BackUpResult::Done, {}};
}

// What the check's thread does: checks the copy, gives it its number and only then prunes.
BackUpReport FinishCopy(const TemporaryName& copy, const QString& source, const QString& target,
                        const QString& backupFolder) {
    QString error;
    switch (CheckCopy(copy.Path(), error)) {
    case BackUpResult::Done:
        break;
    case BackUpResult::Damaged:
        // The unchecked copy goes with `copy`; the older backups are the good ones.
        return Damaged(source, error);
    case BackUpResult::Failed:
        return Failed(QStringLiteral("The copy could not be checked: %1").arg(error));
    }
    const QByteArray path = QFile::encodeName(copy.Path());
    if (!SyncPath(copy.Path(), O_RDONLY))
        return Failed(QStringLiteral("The backup could not be written to disk: %1").arg(SystemError()),
                      CauseOfErrno(errno));
    if (::chmod(path.constData(), 0400) != 0)
        return Failed(QStringLiteral("The backup could not be made read-only: %1").arg(SystemError()));
    // A link, not a rename, so that a backup given the same number meanwhile (by another copy of the
    // program) is never replaced; the temporary name goes with `copy`.
    if (::link(path.constData(), QFile::encodeName(target).constData()) != 0)
        return Failed(QStringLiteral("The backup %1 could not be named: %2").arg(target, SystemError()),
                      CauseOfErrno(errno));
    SyncPath(backupFolder, O_RDONLY | O_DIRECTORY);

    // Only now that the new copy exists may the oldest ones go. A backup that cannot be removed
    // stays; the next run tries again.
    const QDir folder(backupFolder);
    std::vector<NumberedFile> all = NumberedBackups(folder);
    for (size_t i = 0; i + kMaxBackUps < all.size(); ++i)
        QFile::remove(folder.filePath(all[i].name));
    return {BackUpResult::Done, {}};
}

BackUpReport Guarded(const std::function<BackUpReport()>& step) {
    try {
        return step();
    } catch (const std::exception& e) {
        return Failed(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return Failed(QStringLiteral("The backup failed."));
    }
}

} // namespace

std::future<BackUpReport> StartBackUp(const QString& dataFolder, const QString& backupFolder,
                                      std::function<void()> finished) {
    const QString source = QDir(dataFolder).filePath(QStringLiteral("db.mdb"));
    std::unique_ptr<TemporaryName> copy;
    SqliteHandle from;
    QString target;
    const BackUpReport copied = Guarded([&]() -> BackUpReport {
        if (dataFolder.isEmpty() || !QFileInfo(source).isFile())
            return Failed(QStringLiteral("The database file %1 does not exist.").arg(QDir::toNativeSeparators(source)));
        if (backupFolder.isEmpty())
            return Failed(QStringLiteral("No backup folder is set."));
        if (const BackUpCause cause = MakeBackupFolder(backupFolder); cause != BackUpCause::Other)
            return Failed(QStringLiteral("The backup folder %1 is no folder that can be written.").arg(backupFolder),
                          cause);
        const QDir folder(backupFolder);
        RemoveLeftoverCopies(folder);

        const std::vector<NumberedFile> existing = NumberedBackups(folder);
        const qint64 number = existing.empty() ? 1 : existing.back().number + 1;
        target = folder.filePath(QStringLiteral("%1.mdb").arg(number, 3, 10, QLatin1Char('0')));
        if (QFileInfo::exists(target))
            return Failed(QStringLiteral("The backup file %1 exists already.").arg(target));

        // The copy gets its number only once it is complete, checked and on disk.
        QByteArray name = QFile::encodeName(folder.filePath(QStringLiteral(".db.mdb.XXXXXX.tmp")));
        const int fd = ::mkstemps(name.data(), 4);
        if (fd < 0)
            return Failed(QStringLiteral("A file cannot be written in %1: %2").arg(backupFolder, SystemError()),
                          CauseOfErrno(errno) == BackUpCause::DiskFull ? BackUpCause::DiskFull
                                                                       : BackUpCause::FolderNotWritable);
        ::close(fd);
        copy = std::make_unique<TemporaryName>(QFile::decodeName(name));
        QString error;
        BackUpResult taken = BackUpResult::Failed;
        from = Snapshot(source, taken, error);
        return CopyReport(taken, source, error, BackUpCause::Other);
    });
    // The pages of the snapshot are copied beside the caller, and then checked: the copy reads the
    // state of the start whenever it runs, and the check reads only the copy, which nobody else has
    // open, so a start need not wait for either.
    return std::async(std::launch::async, [=, from = std::move(from), copy = std::move(copy),
                                           finished = std::move(finished)]() mutable {
        BackUpReport report = copied;
        if (report.result == BackUpResult::Done) {
            report = Guarded([&]() -> BackUpReport {
                QString error;
                BackUpCause cause = BackUpCause::Other;
                const BackUpResult result = CopySnapshot(std::move(from), copy->Path(), error, cause);
                return result == BackUpResult::Done ? FinishCopy(*copy, source, target, backupFolder)
                                                    : CopyReport(result, source, error, cause);
            });
        }
        // The snapshot ends here at the latest, also when the copy was never started.
        from.reset();
        if (finished)
            finished();
        return report;
    });
}

BackUpReport RunBackUp(const QString& dataFolder, const QString& backupFolder) {
    return StartBackUp(dataFolder, backupFolder).get();
}

BackUpResult BackUpDatabase(const QString& dataFolder, const QString& backupFolder, QString* errorText) {
    const BackUpReport report = RunBackUp(dataFolder, backupFolder);
    if (errorText && report.result != BackUpResult::Done)
        *errorText = report.errorText;
    return report.result;
}

int32_t BackUpFailureTextId(const BackUpReport& report) {
    if (report.result == BackUpResult::Damaged)
        return res::kMsgBackUpDamaged;
    switch (report.cause) {
    case BackUpCause::DiskFull:
        return res::kMsgBackUpDiskFull;
    case BackUpCause::FolderNotWritable:
        return res::kMsgBackUpFolder;
    case BackUpCause::Other:
        break;
    }
    return res::kMsgBackUpFailed;
}

} // namespace amb
