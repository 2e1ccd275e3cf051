#pragma once

#include <QSaveFile>
#include <QString>

#include <functional>

namespace platform::reportengine {

// A report file, written beside its target and given its name only once it is whole: a failure leaves
// no half file and keeps an earlier one. It keeps the system's cause of its first failure, read right
// after the failed call (Qt's own text after a short write on a full disk is only "Unknown error"), and
// a file that cannot be written throws PrintRefused by that cause with the file's folder: DiskFull for
// a full disk or quota, PathNotFound otherwise.
class ReportFile final : public QSaveFile {
public:
    explicit ReportFile(const QString& path); // open for writing; throws when it cannot be
    // Gives the file its name; throws when a write failed.
    void Commit();
    // Inside a catch block: a writer's own error after a failed write, whose words know no cause, is
    // thrown as the file's refusal; any other error goes on.
    [[noreturn]] void Rethrow() const;

protected:
    qint64 writeData(const char* data, qint64 len) override;

private:
    void Keep(int error);
    [[noreturn]] void Refuse() const;

    QString m_path;
    bool m_failed = false;
    int m_errno = 0;
    QString m_qtText; // the cause when the failed call set no errno
};

// A test's way to make the writes of a report file fail as the system's would: called with the target
// path, it answers the errno every write meets (ENOSPC for a full disk), 0 for none. None in the program.
void SetReportFileFaultForTesting(std::function<int(const QString& path)> fault);

} // namespace platform::reportengine
