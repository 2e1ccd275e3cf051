#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "platform/reportengine/SystemPrintService.h"
#include "tests/support/PersonData.h"
#include "tests/support/ReportPrinterTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
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

// %1 is the server's folder, %2 the driver's text. The printer's real driver (cups-filters' generic PDF
// printer: two-sided, colour models, PJL lines before the PDF) defaults to A4 here, so that a report on
// Letter shows whose paper a job takes. The page log keeps what each job asked of the server.
const struct {
    const char* name;
    const char* text;
} kFiles[] = {
    {"cupsd.conf", "Listen %1/socket\nPageLogFormat %{sides} %{ColorModel} %{outputorder} %{copies} %{media}\n"},
    {"cups-files.conf", "ServerRoot %1\nRequestRoot %1\nCacheDir %1\nStateDir %1\nTempDir %1/tmp\nFileDevice Yes\n"
                        "ErrorLog stderr\nAccessLog %1/log\nPageLog %1/pages\n"},
    {"printers.conf",
     "<DefaultPrinter Laser>\nDeviceURI file://%1/laser.pdf\nState Idle\nAccepting Yes\n</DefaultPrinter>\n"},
    {"ppd/Laser.ppd", "%2"},
};

// Starts, once, a print server of the test's own on a socket that CUPS_SERVER then names, with one
// printer, the default. Empty when it runs; otherwise why not.
QString StartPrivateCups() {
    if (server.cupsd.state() == QProcess::Running)
        return {};
    const QDir dir(server.dir.path());
    dir.mkpath(QStringLiteral("ppd"));
    dir.mkpath(QStringLiteral("tmp"));
    QFile driver(QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"));
    if (!driver.open(QIODevice::ReadOnly)) { // cups-filters is among the project's packages
        ADD_FAILURE() << "no driver";
        return QStringLiteral("no driver");
    }
    const QString onA4 =
        QString::fromLatin1(driver.readAll()).replace(QStringLiteral(": Letter"), QStringLiteral(": A4"));
    for (const auto& f : kFiles) {
        QFile file(dir.filePath(QLatin1String(f.name)));
        const QString text =
            QString::fromLatin1(f.text).replace(QStringLiteral("%1"), dir.path()).replace(QStringLiteral("%2"), onA4);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toLatin1()) <= 0)
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

// Once the server holds no job, the PDF its printer left (after PJL lines, which the PDF tools pass
// over) goes to `path`, and the server's log of that job comes back; null when the printer left none.
QString TakePrintedJob(const QString& path) {
    for (int polls = 0; polls < 600; ++polls) { // a minute
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
        if (lpstat.waitForFinished() && lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().isEmpty())
            break;
        QThread::msleep(100);
    }
    QFile log(server.dir.filePath(QStringLiteral("pages")));
    if (!QFile::rename(server.dir.filePath(QStringLiteral("laser.pdf")), path) || !log.open(QIODevice::ReadWrite))
        return {};
    const QString logged = QString::fromUtf8(log.readAll()).trimmed();
    log.resize(0); // the next job's alone
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
        test::FillDatabase(m_path, 120);
        platform::reportengine::SetPrintService(std::make_shared<platform::reportengine::SystemPrintService>());
        m_hub->SetReportPrinter(m_printer); // whose last failure the message tells
    }
    void TearDown() override {
        if (m_hub) // not skipped
            ReportPrinterTest::TearDown();
    }

    template <class T = QWidget> static T* In(QWidget& window, const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
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

// What the dialog chooses is what prints, each page as the export's: the pages, the page set by the
// report's own page numbers, the order and the copies, to the driver's printer or to a file; what the
// server is asked (two-sided, the driver's colour model, the order, the copies) is in its log, and
// every job is on the report's paper, which the printer's properties show and keep. What cannot be
// printed is refused by its cause, printing nothing and leaving no file behind.
TEST_F(PrintDialogTest, WhatTheDialogChoosesIsWhatPrintsAndWhatCannotBeIsRefused) {
    const QString exported = m_dir.FilePath(QStringLiteral("export.pdf"));
    ASSERT_EQ(PrintWith(kReport, test::Record({}), true, exported), amb::EnumReportError::Success);
    const int last = test::PdfInfo(exported, QStringLiteral("Pages")).toInt();
    ASSERT_GE(last, 5);
    QList<int> all, odd, backwards;
    for (int page = 1; page <= last; ++page) {
        all << page;
        if (page % 2)
            odd << page;
        backwards.prepend(page);
    }
    const QString gone = m_dir.FilePath(QStringLiteral("stick")); // taken away once the dialog accepted it
    const QString full = m_dir.FilePath(QStringLiteral("full"));
    const QString file = m_dir.FilePath(QStringLiteral("printed.pdf"));
    const struct Case {
        QString file = {}; // "Print to File (PDF)"'s file; none: the server's printer
        int fault = 0;     // the errno that the file's writes meet, which the log names
        const char* pages = "";
        const char* set = ""; // keys in the Page Set list: "O" odd, "E" even pages
        bool reverse = false;
        int copies = 0;            // none: as it stands
        bool twoSidedGrey = false; // on the long edge, and the driver's greyscale in the printer's properties
        QList<int> printed = {};   // none: refused with `said`, or by a message box
        const char* job = "one-sided - - - Letter"; // the server's log of a job to the printer
        QString said = {};
        const char* boxes = ""; // the first sentence of each message box
    } cases[] = {
        {.file = file, .printed = all},
        {.file = file, .reverse = true, .copies = 2, .printed = backwards + backwards},
        {.file = gone + QStringLiteral("/printed.pdf"),
         .said = Text(amb::res::kMsgFolderNotWritable) + QStringLiteral("\n\n") + gone},
        {.file = full + QStringLiteral("/printed.pdf"),
         .fault = ENOSPC,
         .said = Text(amb::res::kMsgReportDiskFull) + QStringLiteral("\n\n") + full},
        {.printed = all},
        {.pages = "2-3", .printed = {2, 3}},
        {.pages = "1,3-4", .printed = {1, 3, 4}},
        {.pages = "2-999", .said = Text(amb::res::kMsgPagesPastEnd).arg(last)},
        {.pages = "two", .boxes = "two does not follow the correct syntax"},
        {.set = "O", .printed = odd},
        {.pages = "1-4", .set = "E", .printed = {2, 4}},
        {.pages = "2-5", .set = "O", .printed = {3, 5}},
        {.pages = "1", .set = "E", .said = Text(amb::res::kMsgNoPageOfSet).arg(1)},
        {.pages = "1-3", .reverse = true, .printed = {3, 2, 1}, .job = "one-sided - reverse - Letter"},
        {.pages = "2-3", .copies = 2, .printed = {2, 3, 2, 3}, .job = "one-sided - - 2 Letter"},
        {.pages = "1-2", .twoSidedGrey = true, .printed = {1, 2}, .job = "two-sided-long-edge grayscale - - Letter"},
    };
    const Case* now = nullptr;
    struct {
        QList<QWidget*> answered;
        QString boxes;
        QString paper; // what the printer's properties showed
    } seen;
    const auto answerPrint = [&](QDialog& dialog) {
        if (!now->file.isEmpty()) {
            Choose(In<QComboBox>(dialog, "printers"), "P"); // "Print to File (PDF)"
            TypeInto(In(dialog, "filename"), now->file);
        }
        QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier); // Options >>
        if (*now->pages) {
            Click(In(dialog, "pagesRadioButton"), 6);
            TypeInto(In(dialog, "pagesLineEdit"), QString::fromLatin1(now->pages));
        }
        if (*now->set)
            Choose(In<QComboBox>(dialog, "pageSetCombo"), now->set);
        if (now->copies > 0)
            TypeInto(In(dialog, "copies"), QString::number(now->copies));
        if (now->reverse)
            Click(In(dialog, "reverse"), 6);
        if (now->twoSidedGrey) {
            ClickTab(In(dialog, "optionsTab"));
            Click(In(dialog, "duplexLong"), 6);
            Click(In(dialog, "properties"));
        }
        QTest::keyClick(&dialog, Qt::Key_Return); // Print
        if (!dialog.isVisible() && now->file.startsWith(gone))
            QDir(gone).removeRecursively();
    };
    const auto answerProperties = [&](QDialog& properties) {
        const auto* size = In<QComboBox>(properties, "pageSizeCombo");
        seen.paper = size->currentText() + (size->isEnabled() ? QString() : QStringLiteral(", fixed"));
        ClickTab(In(properties, "cupsPropertiesPage"));
        for (QComboBox* list : properties.findChildren<QComboBox*>())
            if (list->findText(QStringLiteral("Black and White")) >= 0)
                Choose(list, "B");
        QTest::keyClick(&properties, Qt::Key_Return); // OK
    };
    // Each window is answered as it opens, from a timer of its own (a window its answer opens waits in
    // it); a message box is read and closed, and a window its answer left open is closed, so that
    // nothing waits for the test's time-out.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            seen.boxes += box->text().section(u'.', 0, 0);
            QTest::keyClick(box, Qt::Key_Return);
        } else if (auto* shown = qobject_cast<QDialog*>(window); shown && !seen.answered.contains(shown)) {
            seen.answered << shown;
            QTimer::singleShot(0, shown, [&, shown] {
                qobject_cast<QPrintDialog*>(shown) ? answerPrint(*shown) : answerProperties(*shown);
                if (shown->isVisible())
                    shown->reject();
            });
        }
    });
    watch.start(20);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString() + " " + c.pages + " " + c.set);
        ASSERT_TRUE(QDir().mkpath(gone) && QDir().mkpath(full));
        platform::reportengine::SetReportFileFaultForTesting([fault = c.fault](const QString&) { return fault; });
        now = &c;
        seen = {};
        m_log->logLines.clear();
        const amb::EnumReportError result = PrintWith(kReport, test::Record({}));
        EXPECT_FALSE(seen.answered.isEmpty()) << "the print dialog opened";
        EXPECT_EQ(seen.boxes.toStdString(), c.boxes);
        EXPECT_EQ(amb::GetReportErrorMessage(m_hub, result).toStdString(), c.said.toStdString());
        const std::string log = m_log->logLines.join(u'\n').toStdString();
        EXPECT_EQ(m_log->logLines.size(), c.said.isEmpty() ? 0 : 1) << log;
        EXPECT_TRUE(!c.fault || log.find(std::strerror(c.fault)) != std::string::npos) << log;
        EXPECT_EQ(seen.paper.toStdString(), c.twoSidedGrey ? "Letter, fixed" : "");
        const QString out = c.file.isEmpty() ? m_dir.FilePath(QStringLiteral("job.pdf")) : c.file;
        if (c.file.isEmpty()) {
            EXPECT_EQ(TakePrintedJob(out).toStdString(), c.printed.isEmpty() ? "" : c.job);
        }
        ASSERT_EQ(QFile::exists(out), !c.printed.isEmpty());
        if (c.printed.isEmpty()) {
            EXPECT_TRUE(c.file.isEmpty() || QDir(QFileInfo(out).path()).isEmpty()) << "a file is left beside it";
            continue;
        }
        EXPECT_EQ(test::PdfInfo(out, QStringLiteral("Pages")).toInt(), c.printed.size());
        EXPECT_TRUE(test::PdfInfo(out, QStringLiteral("Page size")).startsWith(QStringLiteral("612 x 792")));
        QString pages; // the export's, one by one
        for (const int page : c.printed)
            pages += test::PdfText(exported, page, page);
        EXPECT_EQ(test::PdfText(out).toStdString(), pages.toStdString());
        QFile::remove(out);
    }
}

} // namespace
