#include "platform/data/DatabaseFile.h"

#include <QFile>
#include <QThread>
#include <QtEndian>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qint64 kHeaderSize = 100;
constexpr int kUserVersionOffset = 60;
constexpr int kRetryMs = 50;

} // namespace

namespace {

QByteArray Header(QFile& file) {
    return file.read(kHeaderSize);
}

bool IsSqliteHeader(const QByteArray& header) {
    return header.size() == kHeaderSize && header.startsWith(QByteArray("SQLite format 3\0", 16));
}

} // namespace

int DatabaseFileSchemaVersion(const QString& path) {
    QFile file(path);
    const QByteArray header = file.open(QIODevice::ReadOnly) ? Header(file) : QByteArray();
    return IsSqliteHeader(header) ? qFromBigEndian<qint32>(header.constData() + kUserVersionOffset) : -1;
}

QString DatabaseFileProblem(const QString& path, int schemaVersion) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read (%1)").arg(file.errorString());
    const QByteArray header = Header(file);
    if (header.isEmpty())
        return QStringLiteral("not an Ambrel database (the file is empty)");
    if (!IsSqliteHeader(header))
        return QStringLiteral("not an Ambrel database (not a SQLite database file)");
    const qint32 version = qFromBigEndian<qint32>(header.constData() + kUserVersionOffset);
    if (version != schemaVersion)
        return QStringLiteral("not an Ambrel database (schema version %1, expected %2)")
            .arg(version)
            .arg(schemaVersion);
    return {};
}

QString DatabaseLockPath(const QString& databasePath) {
    return databasePath + QStringLiteral(".lock");
}

DatabaseLock::DatabaseLock(const QString& databasePath, Mode mode, int waitMs) {
    const QByteArray path = QFile::encodeName(DatabaseLockPath(databasePath));
    if (mode == Mode::Exclusive) {
        m_fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            m_held = errno == ENOENT;
            return;
        }
    } else {
        m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        // A folder the user may not write still lets a lock be taken on an existing file.
        if (m_fd < 0)
            m_fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0)
            return;
    }
    const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    for (int waited = 0;; waited += kRetryMs) {
        if (::flock(m_fd, operation) == 0) {
            m_held = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            return;
        if (errno == EWOULDBLOCK && waited >= waitMs) {
            m_inUse = true;
            return;
        }
        QThread::msleep(kRetryMs);
    }
}

DatabaseLock::~DatabaseLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace platform
