#include "platform/registry/HiveFile.h"

#include "platform/registry/HiveFormat.h"
#include "platform/registry/Status.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::registry {

namespace {

int32_t StatusFromErrno(int error, bool writing) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return Status::AccessDenied;
    case ENOMEM:
        return Status::OutOfMemory;
    default:
        return writing ? Status::CannotWrite : Status::CannotRead;
    }
}

// Closes a descriptor when the scope ends (for a lock file this also releases the lock).
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

int32_t MakeFolder(const QByteArray& folder) {
    struct stat st {};
    if (::stat(folder.constData(), &st) == 0)
        return S_ISDIR(st.st_mode) ? Status::Success : Status::CannotWrite;
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash > 0) {
        if (const int32_t status = MakeFolder(folder.left(slash)); status != Status::Success)
            return status;
    }
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return StatusFromErrno(errno, true);
    return Status::Success;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool ReadAll(int fd, QByteArray& bytes) {
    bytes.clear();
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (count == 0)
            return true;
        bytes.append(buffer, count);
    }
}

} // namespace

HiveFile::HiveFile(QString path, QString title) : m_path(std::move(path)), m_title(std::move(title)) {}

HiveFile::~HiveFile() {
    Forget();
}

HiveFile::Identity HiveFile::IdentityOf(const struct stat& st) {
    return {st.st_dev, st.st_ino, st.st_size, int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

void HiveFile::Forget() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_identity = Identity();
    m_loaded = false;
    m_loadStatus = Status::Success;
    m_damagedLine = -1;
    m_root = HiveKey();
}

int32_t HiveFile::Refresh() {
    const QByteArray path = QFile::encodeName(m_path);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            m_damagedLine = 0;
            return StatusFromErrno(errno, false);
        }
        // No file yet: an empty root.
        Forget();
        m_loaded = true;
        return Status::Success;
    }
    const Identity now = IdentityOf(st);
    if (m_loaded && m_fd >= 0 && now == m_identity)
        return m_loadStatus;
    const int32_t status = Load();
    if (status != Status::Success && m_damagedLine < 0)
        m_damagedLine = 0;
    return status;
}

int32_t HiveFile::Load() {
    Forget();
    FileDescriptor fd(::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ENOENT) {
            m_loaded = true;
            return Status::Success;
        }
        return StatusFromErrno(errno, false);
    }
    struct stat st {};
    QByteArray bytes;
    if (::fstat(fd.Get(), &st) != 0 || !ReadAll(fd.Get(), bytes))
        return StatusFromErrno(errno, false);
    HiveKey root;
    int badLine = 0;
    const bool parsed = HiveFormat::Parse(bytes, root, badLine);
    m_fd = fd.Release();
    m_identity = IdentityOf(st);
    m_loaded = true;
    // A damaged file stays as it is for a person to repair; until it changes every call reports it.
    m_loadStatus = parsed ? Status::Success : Status::InvalidData;
    if (parsed)
        m_root = std::move(root);
    else
        m_damagedLine = badLine;
    return m_loadStatus;
}

int32_t HiveFile::Modify(const Change& change) {
    const QString folder = QFileInfo(m_path).absolutePath();
    if (const int32_t status = MakeFolder(QFile::encodeName(folder)); status != Status::Success)
        return status;
    FileDescriptor lock(
        ::open(QFile::encodeName(m_path + QStringLiteral(".lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.Get() < 0)
        return StatusFromErrno(errno, true);
    while (::flock(lock.Get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return StatusFromErrno(errno, true);
    }
    if (const int32_t status = Refresh(); status != Status::Success)
        return status;
    HiveKey root = m_root;
    bool changed = false;
    const int32_t status = change(root, changed);
    if (status != Status::Success || !changed)
        return status;
    return Write(root);
}

int32_t HiveFile::Write(const HiveKey& root) {
    const QByteArray bytes = HiveFormat::Serialize(root, m_title);
    const QByteArray path = QFile::encodeName(m_path);
    // Only the holder of the lock writes this name, so a leftover from a killed writer is stale.
    const QByteArray temporary = path + ".tmp";
    ::unlink(temporary.constData());
    // Settings hold recent searches (persons' names): private to their owner, as a new file each time.
    FileDescriptor fd(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.Get() < 0)
        return StatusFromErrno(errno, true);
    struct stat st {};
    if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || ::fstat(fd.Get(), &st) != 0 ||
        ::rename(temporary.constData(), path.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return StatusFromErrno(error, true);
    }
    FileDescriptor folder(
        ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
    Forget();
    m_fd = fd.Release();
    m_identity = IdentityOf(st);
    m_loaded = true;
    m_root = root;
    return Status::Success;
}

} // namespace platform::registry
