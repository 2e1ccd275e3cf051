#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "platform/reportengine/SystemPrintService.h"
#include "tests/support/PersonData.h"
#include "tests/support/ReportPrinterTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <sys/prctl.h>

namespace {

struct Server {
    QTemporaryDir dir{QStringLiteral("/tmp/ambcups-XXXXXX")}; // a socket's path is short
    QProcess cupsd;
    ~Server() { // before its folder goes
        cupsd.terminate();
        cupsd.waitForFinished();
    }
} server;

// %1 is the server's folder. Its printer's PDF filter needs the paper's size and printable area.
const struct {
    const char* name;
    const char* text;
} kFiles[] = {
    {"cupsd.conf", "Listen %1/socket\n"},
    {"cups-files.conf", "ServerRoot %1\nRequestRoot %1\nCacheDir %1\nStateDir %1\nTempDir %1/tmp\nFileDevice Yes\n"
                        "ErrorLog stderr\nAccessLog %1/log\nPageLog %1/log\n"},
    {"printers.conf",
     "<DefaultPrinter Office>\nDeviceURI file://%1/job.pdf\nState Idle\nAccepting Yes\n</DefaultPrinter>\n"},
    {"ppd/Office.ppd", "*PPD-Adobe: \"4.3\"\n*LanguageEncoding: ISOLatin1\n"
                       "*cupsFilter2: \"application/vnd.cups-pdf application/pdf 0 -\"\n*OpenUI *PageSize: PickOne\n"
                       "*DefaultPageSize: Letter\n*PageSize Letter: \"\"\n*CloseUI: *PageSize\n"
                       "*ImageableArea Letter: \"0 0 612 792\"\n*PaperDimension Letter: \"612 792\"\n"},
};

// Starts, once, a print server of the test's own on a socket that CUPS_SERVER then names, with one
// printer, the default, whose jobs pass the PDF filter (which honours "page-ranges", as a real queue's
// does) into one file. Empty when it runs; otherwise why not.
QString StartPrivateCups() {
    if (server.cupsd.state() == QProcess::Running)
        return {};
    const QDir dir(server.dir.path());
    dir.mkpath(QStringLiteral("ppd"));
    dir.mkpath(QStringLiteral("tmp"));
    for (const auto& f : kFiles) {
        QFile file(dir.filePath(QLatin1String(f.name)));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QString::fromLatin1(f.text).replace(QStringLiteral("%1"), dir.path()).toUtf8()) <= 0)
            return QStringLiteral("cannot write ") + file.fileName();
    }
    server.cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
    server.cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); }); // even if the test is killed
    server.cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                       {QStringLiteral("-f"), QStringLiteral("-c"), dir.filePath(QStringLiteral("cupsd.conf")),
                        QStringLiteral("-s"), dir.filePath(QStringLiteral("cups-files.conf"))});
    while (server.cupsd.state() != QProcess::NotRunning && !dir.exists(QStringLiteral("socket")))
        server.cupsd.waitForFinished(100);
    if (server.cupsd.state() == QProcess::NotRunning)
        return QStringLiteral("cupsd did not start: ") + server.cupsd.errorString();
    qputenv("CUPS_SERVER", dir.filePath(QStringLiteral("socket")).toLocal8Bit());
    return {};
}

// Once the server holds no job, moves the PDF its printer left to `path`; false when it left none.
bool TakePrintedJob(const QString& path) {
    for (int polls = 0; polls < 600; ++polls) { // a minute
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
        if (lpstat.waitForFinished() && lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().isEmpty())
            return QFile::rename(server.dir.filePath(QStringLiteral("job.pdf")), path);
        QThread::msleep(100);
    }
    return false;
}

const QString kReport = QStringLiteral("Member Contact List");

// A list report through the platform's own print dialog, answered by mouse and keys, to a private print
// server's printer or to a file.
class PrintDialogTest : public test::ReportPrinterTest {
protected:
    void SetUp() override {
        if (const QString why = StartPrivateCups(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        ReportPrinterTest::SetUp();
        test::FillDatabase(m_path, 80);
        platform::reportengine::SetPrintService(std::make_shared<platform::reportengine::SystemPrintService>());
        m_hub->SetReportPrinter(m_printer); // whose last failure the message tells
    }
    void TearDown() override {
        if (m_hub) // not skipped
            ReportPrinterTest::TearDown();
    }

    static void Click(QWidget* widget, int x = -1) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, {x < 0 ? widget->width() / 2 : x, widget->height() / 2});
    }
    static void TypeInto(QLineEdit* edit, const QString& text) {
        Click(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
    QString Text(int32_t id) const { return amb::LoadResString(m_hub, id); }
};

// The dialog's file output and its Pages box give exactly the exported pages asked for; a folder that
// cannot be written, a full disk and pages past the end are refused by their cause, printing nothing and
// leaving no file behind.
TEST_F(PrintDialogTest, TheDialogsFileAndPagesPrintTheExportedPagesAskedForAndRefuseWhatCannotBe) {
    const QString exported = m_dir.FilePath(QStringLiteral("export.pdf"));
    ASSERT_EQ(PrintWith(kReport, test::Record({}), true, exported), amb::EnumReportError::Success);
    const int last = test::PdfInfo(exported, QStringLiteral("Pages")).toInt();
    QList<int> all;
    for (int page = 1; page <= last; ++page)
        all << page;
    const QString gone = m_dir.FilePath(QStringLiteral("stick")); // taken away once the dialog accepted it
    const QString full = m_dir.FilePath(QStringLiteral("full"));
    const struct {
        QString file = {}; // "Print to File (PDF)"; none: the server's printer
        int fault = 0;     // the errno that the file's writes meet
        QString pages = {};
        QList<int> printed = {}; // none: refused with `said`, the log naming `cause`
        QString said = {};
        QString cause = {};
    } cases[] = {
        {.file = m_dir.FilePath(QStringLiteral("printed.pdf")), .printed = all},
        {.file = gone + QStringLiteral("/printed.pdf"),
         .said = Text(amb::res::kMsgFolderNotWritable) + QStringLiteral("\n\n") + gone,
         .cause = QStringLiteral("No such file or directory")},
        {.file = full + QStringLiteral("/printed.pdf"),
         .fault = ENOSPC,
         .said = Text(amb::res::kMsgReportDiskFull) + QStringLiteral("\n\n") + full,
         .cause = QStringLiteral("No space left on device")},
        {.pages = QStringLiteral("2-3"), .printed = {2, 3}},
        {.pages = QStringLiteral("1,3-4"), .printed = {1, 3, 4}},
        {.pages = QStringLiteral("2-%1").arg(last + 1), .said = Text(amb::res::kMsgPagesPastEnd).arg(last)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString(c.file + c.pages).toStdString());
        ASSERT_TRUE(QDir().mkpath(gone) && QDir().mkpath(full));
        platform::reportengine::SetReportFileFaultForTesting([&c](const QString&) { return c.fault; });
        m_log->logLines.clear();
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer.stop();
            if (!c.file.isEmpty()) {
                auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                Click(printers);
                QTest::keyClick(printers->view(), Qt::Key_End); // the file output is the last entry
                QTest::keyClick(printers->view(), Qt::Key_Return);
                TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("filename")), c.file);
            } else {
                QTest::keyClick(dialog, Qt::Key_O, Qt::AltModifier); // Options >>
                Click(dialog->findChild<QRadioButton*>(QStringLiteral("pagesRadioButton")), 6);
                TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("pagesLineEdit")), c.pages);
            }
            QTest::keyClick(dialog, Qt::Key_Return); // Print
            if (dialog->isVisible())
                dialog->reject(); // an answer that failed ends the test
            else if (c.file.startsWith(gone))
                QDir(gone).removeRecursively();
        });
        answer.start(20);
        const amb::EnumReportError result = PrintWith(kReport, test::Record({}));
        EXPECT_FALSE(answer.isActive()) << "the print dialog opened";
        EXPECT_EQ(amb::GetReportErrorMessage(m_hub, result).toStdString(), c.said.toStdString());
        EXPECT_EQ(m_log->logLines.size(), c.said.isEmpty() ? 0 : 1) << m_log->logLines.join('\n').toStdString();
        EXPECT_TRUE(m_log->logLines.join('\n').contains(c.cause)) << m_log->logLines.join('\n').toStdString();
        const QString out = c.file.isEmpty() ? m_dir.FilePath(QStringLiteral("job.pdf")) : c.file;
        ASSERT_EQ(c.file.isEmpty() ? TakePrintedJob(out) : QFile::exists(out), !c.printed.isEmpty());
        if (!c.file.isEmpty() && c.printed.isEmpty()) {
            EXPECT_TRUE(QDir(QFileInfo(out).path()).isEmpty()) << "a file is left beside " << out.toStdString();
        }
        QString pages; // the export's, one by one
        for (const int page : c.printed)
            pages += test::PdfText(exported, page, page);
        EXPECT_EQ(test::PdfText(out), pages);
        QFile::remove(out);
    }
}

} // namespace
