#include "tests/support/PrivateCups.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace test {

namespace {

struct Server {
    QTemporaryDir dir{QStringLiteral("/tmp/ambcups-XXXXXX")}; // a socket's path is short
    QProcess cupsd;
    ~Server() { // before its folder goes
        cupsd.terminate();
        cupsd.waitForFinished();
    }
    bool Write(const QString& name, const char* text) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) &&
               file.write(QString::fromLatin1(text).replace(QStringLiteral("%1"), dir.path()).toUtf8()) > 0;
    }
};

Server& TheServer() {
    static Server server;
    return server;
}

} // namespace

QString StartPrivateCups() {
    Server& s = TheServer();
    if (s.cupsd.state() == QProcess::Running)
        return {};
    // The printer's PDF filter needs the page's size and printable area to place pages.
    if (!QDir(s.dir.path()).mkpath(QStringLiteral("ppd")) || !QDir(s.dir.path()).mkpath(QStringLiteral("tmp")) ||
        !s.Write(QStringLiteral("cupsd.conf"), "Listen %1/socket\n") ||
        !s.Write(QStringLiteral("cups-files.conf"),
                 "ServerRoot %1\nRequestRoot %1\nCacheDir %1\nStateDir %1\n"
                 "TempDir %1/tmp\nErrorLog stderr\nAccessLog stderr\nFileDevice Yes\n") ||
        !s.Write(QStringLiteral("printers.conf"), "<DefaultPrinter Office>\nDeviceURI file://%1/job.pdf\nState Idle\n"
                                                  "Accepting Yes\n</DefaultPrinter>\n") ||
        !s.Write(QStringLiteral("ppd/Office.ppd"),
                 "*PPD-Adobe: \"4.3\"\n*LanguageEncoding: ISOLatin1\n"
                 "*cupsFilter2: \"application/vnd.cups-pdf application/pdf 0 -\"\n*OpenUI *PageSize: PickOne\n"
                 "*DefaultPageSize: Letter\n*PageSize Letter: \"\"\n*CloseUI: *PageSize\n"
                 "*ImageableArea Letter: \"0 0 612 792\"\n*PaperDimension Letter: \"612 792\"\n"))
        return QStringLiteral("cannot write the server's files");
    s.cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
    s.cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); }); // also when the test is killed
    s.cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                  {QStringLiteral("-f"), QStringLiteral("-c"), s.dir.filePath(QStringLiteral("cupsd.conf")),
                   QStringLiteral("-s"), s.dir.filePath(QStringLiteral("cups-files.conf"))});
    const QString socket = s.dir.filePath(QStringLiteral("socket"));
    while (s.cupsd.state() != QProcess::NotRunning && !QFile::exists(socket))
        s.cupsd.waitForFinished(100);
    if (s.cupsd.state() == QProcess::NotRunning)
        return QStringLiteral("cupsd did not start: ") + s.cupsd.errorString();
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    return {};
}

bool TakePrintedJob(const QString& path) {
    for (int polls = 0; polls < 600; ++polls) { // a minute
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
        if (lpstat.waitForFinished() && lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().isEmpty())
            return QFile::rename(TheServer().dir.filePath(QStringLiteral("job.pdf")), path);
        QThread::msleep(100);
    }
    return false;
}

} // namespace test
