#include "tests/support/PrivateCups.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace test {

namespace {

// A PDF printer: the server's pdftopdf filter picks the pages of a "page-ranges" option.
const char* const kPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "AMBPDF.PPD"
*Manufacturer: "Ambrel"
*Product: "(PDF file)"
*ModelName: "Ambrel test PDF file"
*ShortNickName: "Ambrel test PDF file"
*NickName: "Ambrel test PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*DefaultPageSize: Letter
*PageSize Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*DefaultPageRegion: Letter
*PageRegion Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Letter
*ImageableArea Letter/Letter: "0 0 612 792"
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: Letter
*PaperDimension Letter/Letter: "612 792"
*PaperDimension A4/A4: "595 842"
)ppd";

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QString Program(const QString& name) {
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty()
               ? QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
               : found;
}

// Runs a CUPS tool against the private server; its error output when it fails.
QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(Program(program), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
    return QString();
}

} // namespace

PrivateCups::PrivateCups() {
    const QString cupsd = Program(QStringLiteral("cupsd"));
    if (cupsd.isEmpty() || !m_dir.isValid()) {
        m_why = QStringLiteral("cupsd is not installed");
        return;
    }
    const QDir dir(m_dir.path());
    for (const char* sub : {"etc", "spool", "spool/tmp", "cache", "run", "log", "out"})
        dir.mkpath(QLatin1String(sub));
    // The server's filters run as its own user ("lp" under root): they must reach the spool.
    for (const char* sub : {"", "spool", "out"})
        QFile::setPermissions(dir.filePath(QLatin1String(sub)), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                                    QFile::ReadGroup | QFile::ExeGroup |
                                                                    QFile::ReadOther | QFile::ExeOther);
    const QString socket = dir.filePath(QStringLiteral("run/cups.sock"));
    const QByteArray conf = QStringLiteral("Listen %1\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                                           "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n"
                                           "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                           "  </Limit>\n</Policy>\n")
                                .arg(socket)
                                .toUtf8();
    const QByteArray files = QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                            "CacheDir %1/cache\nStateDir %1/run\nErrorLog %1/log/error_log\n"
                                            "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                            "FileDevice Yes\nSandboxing Relaxed\n")
                                 .arg(dir.path())
                                 .toUtf8();
    if (!WriteFile(dir.filePath(QStringLiteral("etc/cupsd.conf")), conf) ||
        !WriteFile(dir.filePath(QStringLiteral("etc/cups-files.conf")), files) ||
        !WriteFile(dir.filePath(QStringLiteral("etc/office.ppd")), kPpd)) {
        m_why = QStringLiteral("cannot write the server's files");
        return;
    }
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    // A test killed by its time-out takes its server with it.
    m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), dir.filePath(QStringLiteral("etc/cupsd.conf")),
                          QStringLiteral("-s"), dir.filePath(QStringLiteral("etc/cups-files.conf"))});
    QElapsedTimer waited;
    waited.start();
    while (m_cupsd.state() != QProcess::NotRunning && !QFileInfo::exists(socket) && waited.elapsed() < 15000)
        m_cupsd.waitForFinished(100);
    if (m_cupsd.state() == QProcess::NotRunning || !QFileInfo::exists(socket)) {
        m_why = QStringLiteral("cupsd did not start: ") + QString::fromLocal8Bit(m_cupsd.readAll());
        return;
    }
    m_started = true;
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    QString failed =
        Run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("Office"), QStringLiteral("-E"),
                                        QStringLiteral("-v"), QStringLiteral("file://") + OutputFile(),
                                        QStringLiteral("-P"), dir.filePath(QStringLiteral("etc/office.ppd"))});
    if (failed.isEmpty())
        failed = Run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Office")});
    if (!failed.isEmpty())
        qFatal("The private print server has no printer: %s", qPrintable(failed));
}

PrivateCups::~PrivateCups() {
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        m_cupsd.waitForFinished(10000);
    }
}

bool PrivateCups::WaitForJobs() const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        QProcess lpstat;
        lpstat.start(Program(QStringLiteral("lpstat")), {QStringLiteral("-o")});
        if (lpstat.waitForFinished(30000) && lpstat.exitCode() == 0 &&
            lpstat.readAllStandardOutput().trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace test
