#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "platform/reportengine/SystemPrintService.h"
#include "tests/support/PersonData.h"
#include "tests/support/ReportPrinterTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
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

// %1 is the server's folder, %2 the printer's real driver (cups-filters' generic PDF printer: two-sided,
// colour models), on A4 here, so that a report on Letter shows whose paper a job takes. The page log
// keeps what each job asked of the server.
const struct {
    const char* name;
    const char* text;
} kFiles[] = {
    {"cupsd.conf", "Listen %1/socket\nPageLogFormat %{sides} %{ColorModel} %{outputorder} %{copies} %{media}\n"},
    {"cups-files.conf", "ServerRoot %1\nRequestRoot %1\nCacheDir %1\nStateDir %1\nTempDir %1/tmp\nFileDevice Yes\n"
                        "ErrorLog stderr\nAccessLog %1/log\nPageLog %1/pages\n"},
    {"printers.conf",
     "<DefaultPrinter Office>\nDeviceURI file://%1/job.pdf\nState Idle\nAccepting Yes\n</DefaultPrinter>\n"},
    {"ppd/Office.ppd", "%2"},
};

// Starts, once, a print server of the test's own on a socket that CUPS_SERVER then names, with one
// printer, the default, whose jobs pass its driver (which honours "page-ranges" and "page-set", as a real
// queue's does) into one file. Empty when it runs; otherwise why not.
QString StartPrivateCups() {
    if (server.cupsd.state() == QProcess::Running)
        return {};
    const QDir dir(server.dir.path());
    dir.mkpath(QStringLiteral("ppd"));
    dir.mkpath(QStringLiteral("tmp"));
    QFile ppd(QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"));
    EXPECT_TRUE(ppd.open(QIODevice::ReadOnly)) << "no driver"; // cups-filters is among the project's packages
    const QString driver =
        QString::fromLatin1(ppd.readAll()).replace(QStringLiteral(": Letter"), QStringLiteral(": A4"));
    for (const auto& f : kFiles) {
        QFile file(dir.filePath(QLatin1String(f.name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(QString::fromLatin1(f.text)
                                                               .replace(QStringLiteral("%1"), dir.path())
                                                               .replace(QStringLiteral("%2"), driver)
                                                               .toUtf8()) <= 0)
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

// What the server's page log holds of the jobs since it was last read: sides, colour model, order,
// copies and paper.
QString TakeJobLog() {
    QFile log(server.dir.filePath(QStringLiteral("pages")));
    const QString logged = log.open(QIODevice::ReadWrite) ? QString::fromUtf8(log.readAll()).trimmed() : QString();
    log.resize(0);
    return logged;
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
    static void TypeInto(QWidget* edit, const QString& text) {
        Click(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
    // Opens a list and picks the entry that begins with `keys`.
    static void Choose(QComboBox* list, const char* keys) {
        Click(list);
        QTest::keyClicks(list->view(), QString::fromLatin1(keys));
        QTest::keyClick(list->view(), Qt::Key_Return);
    }
    // The tab that shows `page`, clicked.
    static void ClickTab(QWidget* page) {
        ASSERT_NE(page, nullptr);
        auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
        ASSERT_NE(tabs, nullptr);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(tabs->indexOf(page)).center());
    }
    QString Text(int32_t id) const { return amb::LoadResString(m_hub, id); }
};

// The dialog's file output and its Pages box give exactly the exported pages asked for; a folder that
// cannot be written, a full disk and pages past the end are refused, printing nothing. So do its page set
// (by the report's own page numbers), order and copies; the server's log shows what it was asked (two
// sides, the driver's greyscale) on the report's paper, which the printer's properties show and keep.
TEST_F(PrintDialogTest, TheDialogsFileAndPagesPrintTheExportedPagesAskedForAndRefuseWhatCannotBe) {
    const QString exported = m_dir.FilePath(QStringLiteral("export.pdf"));
    ASSERT_EQ(PrintWith(kReport, test::Record({}), true, exported), amb::EnumReportError::Success);
    const int last = test::PdfInfo(exported, QStringLiteral("Pages")).toInt();
    ASSERT_GE(last, 5);
    QList<int> all;
    for (int page = 1; page <= last; ++page)
        all << page;
    QList<int> odd;
    std::copy_if(all.begin(), all.end(), std::back_inserter(odd), [](int page) { return page % 2; });
    const QList<int> back(all.rbegin(), all.rend()), backTwice = back + back;
    const QString gone = m_dir.FilePath(QStringLiteral("stick")); // taken away once the dialog accepted it
    const QString full = m_dir.FilePath(QStringLiteral("full"));
    ASSERT_TRUE(QDir().mkpath(full));
    const struct {
        QString file = {}; // "Print to File (PDF)"; none: the server's printer
        int fault = 0;     // the errno that the file's writes meet, which the log names
        QString pages = {};
        const char* set = ""; // keys in the Page Set list: "O" odd, "E" even pages
        bool reverse = false;
        int copies = 0;          // none: as it stands
        bool sides = false;      // two-sided on the long edge, and greyscale in the printer's properties
        QList<int> printed = {}; // none: refused with `said`
        const char* job = "one-sided - - - Letter"; // the server's log of a job to the printer
        QString said = {};
        const char* boxes = ""; // the first sentence of each message box
    } cases[] = {
        {.file = m_dir.FilePath(QStringLiteral("printed.pdf")), .printed = all},
        {.file = m_dir.FilePath(QStringLiteral("printed.pdf")), .reverse = true, .copies = 2, .printed = backTwice},
        {.file = gone + QStringLiteral("/printed.pdf"),
         .said = Text(amb::res::kMsgFolderNotWritable) + QStringLiteral("\n\n") + gone},
        {.file = full + QStringLiteral("/printed.pdf"),
         .fault = ENOSPC,
         .said = Text(amb::res::kMsgReportDiskFull) + QStringLiteral("\n\n") + full},
        {.printed = all},
        {.pages = QStringLiteral("2-3"), .printed = {2, 3}},
        {.pages = QStringLiteral("1,3-4"), .printed = {1, 3, 4}},
        {.pages = QStringLiteral("2-%1").arg(last + 1), .said = Text(amb::res::kMsgPagesPastEnd).arg(last)},
        {.pages = QStringLiteral("two"), .boxes = "two does not follow the correct syntax"},
        {.set = "O", .printed = odd},
        {.pages = QStringLiteral("1-4"), .set = "E", .printed = {2, 4}},
        {.pages = QStringLiteral("2-5"), .set = "O", .printed = {3, 5}},
        {.pages = QStringLiteral("1"), .set = "E", .said = Text(amb::res::kMsgNoPageOfSet).arg(1)},
        {.pages = QStringLiteral("1-3"), .reverse = true, .printed = {3, 2, 1}, .job = "one-sided - reverse - Letter"},
        {.pages = QStringLiteral("2-3"), .copies = 2, .printed = {2, 3, 2, 3}, .job = "one-sided - - 2 Letter"},
        {.sides = true, .printed = all, .job = "two-sided-long-edge grayscale - - Letter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString(c.file + c.pages).toStdString() + c.set);
        ASSERT_TRUE(QDir().mkpath(gone));
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
            }
            QTest::keyClick(dialog, Qt::Key_O, Qt::AltModifier); // Options >>
            if (!c.pages.isEmpty()) {
                Click(dialog->findChild<QRadioButton*>(QStringLiteral("pagesRadioButton")), 6);
                TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("pagesLineEdit")), c.pages);
            }
            if (*c.set)
                Choose(dialog->findChild<QComboBox*>(QStringLiteral("pageSetCombo")), c.set);
            if (c.copies > 0)
                TypeInto(dialog->findChild<QWidget*>(QStringLiteral("copies")), QString::number(c.copies));
            if (c.reverse)
                Click(dialog->findChild<QWidget*>(QStringLiteral("reverse")), 6);
            if (c.sides) {
                ClickTab(dialog->findChild<QWidget*>(QStringLiteral("optionsTab")));
                Click(dialog->findChild<QWidget*>(QStringLiteral("duplexLong")), 6);
                Click(dialog->findChild<QWidget*>(QStringLiteral("properties")));
            }
            QTest::keyClick(dialog, Qt::Key_Return); // Print
            if (dialog->isVisible())
                dialog->reject(); // an answer that failed ends the test
            else if (c.file.startsWith(gone))
                QDir(gone).removeRecursively();
        });
        answer.start(20);
        // What the answer opens, answered from a timer of its own: a message box is read and closed, so
        // that nothing waits for the test's time-out; the printer's properties are read and greyscale chosen.
        QString boxes, paper;
        QTimer others;
        QObject::connect(&others, &QTimer::timeout, [&] {
            QWidget* window = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(window)) {
                boxes += box->text().section(u'.', 0, 0);
                QTest::keyClick(box, Qt::Key_Return);
            } else if (auto* properties = qobject_cast<QDialog*>(window);
                       properties && !qobject_cast<QPrintDialog*>(window) && paper.isEmpty()) {
                const auto* size = properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
                paper = size->currentText() + (size->isEnabled() ? QString() : QStringLiteral(", fixed"));
                ClickTab(properties->findChild<QWidget*>(QStringLiteral("cupsPropertiesPage")));
                for (QComboBox* list : properties->findChildren<QComboBox*>())
                    if (list->findText(QStringLiteral("Black and White")) >= 0)
                        Choose(list, "B");
                QTest::keyClick(properties, Qt::Key_Return); // OK
                if (properties->isVisible())
                    properties->reject();
            }
        });
        others.start(20);
        const amb::EnumReportError result = PrintWith(kReport, test::Record({}));
        EXPECT_FALSE(answer.isActive()) << "the print dialog opened";
        EXPECT_EQ(boxes.toStdString(), c.boxes);
        EXPECT_EQ(paper.toStdString(), c.sides ? "Letter, fixed" : "");
        EXPECT_EQ(amb::GetReportErrorMessage(m_hub, result).toStdString(), c.said.toStdString());
        EXPECT_EQ(m_log->logLines.size(), c.said.isEmpty() ? 0 : 1) << m_log->logLines.join('\n').toStdString();
        const QString out = c.file.isEmpty() ? m_dir.FilePath(QStringLiteral("job.pdf")) : c.file;
        EXPECT_TRUE(!c.fault || m_log->logLines.join(u'|').contains(QString::fromLatin1(std::strerror(c.fault))));
        ASSERT_EQ(c.file.isEmpty() ? TakePrintedJob(out) : QFile::exists(out), !c.printed.isEmpty());
        EXPECT_EQ(TakeJobLog().toStdString(), c.file.isEmpty() && !c.printed.isEmpty() ? c.job : "");
        EXPECT_TRUE(QDir(full).isEmpty()) << "a file is left where the disk was full";
        QString pages; // the export's, one by one
        for (const int page : c.printed)
            pages += test::PdfText(exported, page, page);
        EXPECT_EQ(test::PdfText(out).toStdString(), pages.toStdString());
        QFile::remove(out);
    }
}

} // namespace
