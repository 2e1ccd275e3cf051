#include "platform/reportengine/ReportFile.h"

#include "platform/com/Error.h"
#include "platform/reportengine/PrintService.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <system_error>

namespace platform::reportengine {

namespace {

std::function<int(const QString&)>& Fault() {
    static std::function<int(const QString&)> fault;
    return fault;
}

} // namespace

ReportFile::ReportFile(const QString& path) : QSaveFile(path), m_path(path) {
    errno = 0;
    if (!open(QIODevice::WriteOnly)) {
        Keep(errno);
        Refuse();
    }
}

// commit() flushes the last bytes itself but ignores their failure and names the half file, so they
// are flushed first.
void ReportFile::Commit() {
    if (!m_failed && !flush())
        Keep(errno);
    if (!m_failed && !commit())
        Keep(errno);
    if (m_failed)
        Refuse(); // the temporary file goes with this object
}

void ReportFile::Rethrow() const {
    if (m_failed)
        Refuse();
    throw;
}

qint64 ReportFile::writeData(const char* data, qint64 len) {
    if (const int fault = Fault() ? Fault()(m_path) : 0) {
        Keep(fault);
        return -1;
    }
    const qint64 written = QSaveFile::writeData(data, len);
    if (written != len)
        Keep(errno);
    return written;
}

// The first failure is the cause; the calls after it fail because of it. Writing is cancelled, so that
// not even a short write that Qt took for none is committed.
void ReportFile::Keep(int error) {
    if (m_failed)
        return;
    m_failed = true;
    m_errno = error;
    m_qtText = errorString();
    cancelWriting();
}

void ReportFile::Refuse() const {
    const bool full = m_errno == ENOSPC || m_errno == EDQUOT;
    const QString why = m_errno != 0 ? QString::fromStdString(std::generic_category().message(m_errno)) : m_qtText;
    throw PrintRefused(full ? ErrorNumber::DiskFull : ErrorNumber::PathNotFound,
                       QStringLiteral("Cannot write %1: %2").arg(m_path, why),
                       QDir::toNativeSeparators(QFileInfo(m_path).absolutePath()));
}

void SetReportFileFaultForTesting(std::function<int(const QString& path)> fault) {
    Fault() = std::move(fault);
}

} // namespace platform::reportengine
