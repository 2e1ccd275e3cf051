#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace test {

// A print server of the test's own: cupsd on a socket in a temporary folder, with one printer,
// "Office", the default, whose jobs pass the server's PDF filter (which honours a "page-ranges" option,
// as a real printer's queue does) and end as one PDF file. The process's CUPS_SERVER names the socket,
// so the platform's printers are this server's.
class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Whether cupsd runs; otherwise why not.
    bool Started() const { return m_started; }
    const QString& Why() const { return m_why; }
    // The PDF the last job left, and whether the server finished every job it holds (within a minute).
    QString OutputFile() const { return m_dir.filePath(QStringLiteral("out/job.pdf")); }
    bool WaitForJobs() const;

private:
    QTemporaryDir m_dir{QStringLiteral("/tmp/ambcups-XXXXXX")}; // short: a socket path is at most 107 bytes
    QProcess m_cupsd;
    bool m_started = false;
    QString m_why;
};

} // namespace test
