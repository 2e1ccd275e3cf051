#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "platform/reportengine/SystemPrintService.h"
#include "tests/support/PersonData.h"
#include "tests/support/ReportPrinterTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
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

// %1 is the server's folder. Office passes its jobs through the PDF filter into one file; Laser has a
// real driver (cups-filters' generic PDF printer: two-sided, colour models, PJL lines before the PDF),
// whose default paper is A4 here, so that a report on Letter shows whose paper a job takes. The page log
// keeps what each job asked of the server.
const struct {
    const char* name;
    const char* text;
} kFiles[] = {
    {"cupsd.conf", "Listen %1/socket\nPageLogFormat %p %{sides} %{ColorModel} %{outputorder} %{copies} %{media}\n"},
    {"cups-files.conf", "ServerRoot %1\nRequestRoot %1\nCacheDir %1\nStateDir %1\nTempDir %1/tmp\nFileDevice Yes\n"
                        "ErrorLog stderr\nAccessLog %1/log\nPageLog %1/pages\n"},
    {"printers.conf", "<DefaultPrinter Office>\nDeviceURI file://%1/office.pdf\nState Idle\nAccepting Yes\n"
                      "</DefaultPrinter>\n<Printer Laser>\nDeviceURI file://%1/laser.pdf\nState Idle\nAccepting Yes\n"
                      "</Printer>\n"},
    {"ppd/Office.ppd", "*PPD-Adobe: \"4.3\"\n*LanguageEncoding: ISOLatin1\n"
                       "*cupsFilter2: \"application/vnd.cups-pdf application/pdf 0 -\"\n*OpenUI *PageSize: PickOne\n"
                       "*DefaultPageSize: Letter\n*PageSize Letter: \"\"\n*CloseUI: *PageSize\n"
                       "*ImageableArea Letter: \"0 0 612 792\"\n*PaperDimension Letter: \"612 792\"\n"},
};
const QString kDriver = QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");

// Starts, once, a print server of the test's own on a socket that CUPS_SERVER then names, with the two
// printers. Empty when it runs; otherwise why not.
QString StartPrivateCups() {
    if (server.cupsd.state() == QProcess::Running)
        return {};
    const QDir dir(server.dir.path());
    dir.mkpath(QStringLiteral("ppd"));
    dir.mkpath(QStringLiteral("tmp"));
    QFile driver(kDriver);
    if (!driver.open(QIODevice::ReadOnly)) { // cups-filters is among the project's packages
        ADD_FAILURE() << "no driver " << kDriver.toStdString();
        return QStringLiteral("no driver");
    }
    const QString driverText =
        QString::fromLatin1(driver.readAll())
            .replace(QRegularExpression(
                         QStringLiteral("^(\\*Default(PageSize|PageRegion|ImageableArea|PaperDimension)): Letter"),
                         QRegularExpression::MultilineOption),
                     QStringLiteral("\\1: A4"));
    std::vector<std::pair<QString, QString>> files{{QStringLiteral("ppd/Laser.ppd"), driverText}};
    for (const auto& f : kFiles)
        files.emplace_back(QLatin1String(f.name),
                           QString::fromLatin1(f.text).replace(QStringLiteral("%1"), dir.path()));
    for (const auto& [name, text] : files) {
        QFile file(dir.filePath(name));
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

// Once the server holds no job, the PDF a printer left (after the driver's PJL lines) goes to `path`,
// and the server's page log of that job (its sides, colour model, order, copies and paper) comes back;
// a null text when the printer left none.
QString TakePrintedJob(const QString& printer, const QString& path) {
    for (int polls = 0; polls < 600; ++polls) { // a minute
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
        if (lpstat.waitForFinished() && lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().isEmpty())
            break;
        QThread::msleep(100);
    }
    QFile job(server.dir.filePath(printer.toLower() + QStringLiteral(".pdf")));
    QFile pdf(path);
    if (!job.open(QIODevice::ReadOnly) || !pdf.open(QIODevice::WriteOnly))
        return {};
    const QByteArray printed = job.readAll();
    pdf.write(printed.mid(std::max<qsizetype>(0, printed.indexOf("%PDF"))));
    job.remove();
    QFile log(server.dir.filePath(QStringLiteral("pages")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    return lines.isEmpty() || !lines.back().startsWith(printer + u' ') ? QString()
                                                                       : lines.back().mid(printer.size() + 1);
}

const QString kReport = QStringLiteral("Member Contact List");

// A list report through the platform's own print dialog, answered by mouse and keys, to a private print
// server's printers or to a file.
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

    // Prints the report, answering each window as it opens: the print dialog by `dialog`, its printer's
    // properties by `properties`, a message box by reading it into m_boxes and pressing Enter. A window
    // that its answer leaves open is closed, so that nothing waits for the test's time-out.
    amb::EnumReportError PrintAnswering(const std::function<void(QPrintDialog&)>& dialog,
                                        const std::function<void(QDialog&)>& properties) {
        m_boxes.clear();
        QList<QWidget*> answered;
        QTimer watch; // an answer that opens a window waits in it: each answer runs from a timer of its own
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* window = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(window)) {
                m_boxes << box->text();
                QTest::keyClick(box, Qt::Key_Return);
            } else if (auto* shown = qobject_cast<QDialog*>(window); shown && !answered.contains(shown)) {
                answered << shown;
                QTimer::singleShot(0, shown, [&, shown] {
                    if (auto* print = qobject_cast<QPrintDialog*>(shown))
                        dialog(*print);
                    else
                        properties(*shown);
                    if (shown->isVisible())
                        shown->reject();
                });
            }
        });
        watch.start(20);
        const amb::EnumReportError result = PrintWith(kReport, test::Record({}));
        EXPECT_FALSE(answered.isEmpty()) << "the print dialog opened";
        return result;
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
    // Opens a list and picks an entry by its keys (the first letters of its text, or End), then Enter.
    static void Choose(QComboBox* list, const QString& keys) {
        Click(list);
        if (keys == u"End")
            QTest::keyClick(list->view(), Qt::Key_End);
        else
            QTest::keyClicks(list->view(), keys);
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

    QStringList m_boxes;
};

// What the dialog chooses is what prints: the pages (each compared with the export's page), the page
// set by the report's own page numbers, the order and the copies, to the driver's printer or a file; what
// the server is asked (two-sided, the driver's colour model, the order) is in its log, and every job is
// on the report's paper, not the printer's. What cannot be printed is refused by its cause, printing
// nothing and leaving no file behind.
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
    const struct {
        const char* printer = ""; // keys in the printers' list: "L" the driver's; none: the default, Office
        QString file = {};        // "Print to File (PDF)"'s file
        int fault = 0;            // the errno that the file's writes meet
        const char* pages = "";
        const char* set = ""; // keys in the Page Set list: "O" odd, "E" even pages
        bool reverse = false;
        int copies = 0; // none: as it stands
        bool uncollated = false;
        bool twoSided = false;
        bool greyscale = false;                     // the driver's colour model, in the printer's properties
        QList<int> printed = {};                    // none: refused with `said`, or by a message box
        const char* job = "one-sided - - - Letter"; // the server's log of a job to the driver's printer
        QString said = {};
        QString cause = {}; // what the log names as the system's cause of `said`
        QStringList boxes = {};
    } cases[] = {
        {.file = file, .printed = all},
        {.file = file, .reverse = true, .copies = 2, .printed = backwards + backwards},
        {.file = gone + QStringLiteral("/printed.pdf"),
         .said = Text(amb::res::kMsgFolderNotWritable) + QStringLiteral("\n\n") + gone,
         .cause = QStringLiteral("No such file or directory")},
        {.file = full + QStringLiteral("/printed.pdf"),
         .fault = ENOSPC,
         .said = Text(amb::res::kMsgReportDiskFull) + QStringLiteral("\n\n") + full,
         .cause = QStringLiteral("No space left on device")},
        {.pages = "2-3", .printed = {2, 3}},
        {.pages = "1,3-4", .printed = {1, 3, 4}},
        {.pages = "2-999", .said = Text(amb::res::kMsgPagesPastEnd).arg(last)},
        {.pages = "two",
         .boxes = {QStringLiteral(
             "two does not follow the correct syntax. Please use ',' to separate ranges and "
             "pages, '-' to define ranges and make sure ranges do not intersect with each other.")}},
        {.printer = "L", .printed = all},
        {.printer = "L", .set = "O", .printed = odd},
        {.printer = "L", .pages = "1-4", .set = "E", .printed = {2, 4}},
        {.printer = "L", .pages = "2-5", .set = "O", .printed = {3, 5}},
        {.printer = "L", .pages = "1", .set = "E", .said = Text(amb::res::kMsgNoPageOfSet).arg(1)},
        {.printer = "L", .pages = "1-3", .reverse = true, .printed = {3, 2, 1}, .job = "one-sided - reverse - Letter"},
        {.printer = "L", .pages = "2-3", .copies = 2, .printed = {2, 3, 2, 3}, .job = "one-sided - - 2 Letter"},
        {.printer = "L",
         .pages = "2-3",
         .copies = 2,
         .uncollated = true,
         .printed = {2, 2, 3, 3},
         .job = "one-sided - - 2 Letter"},
        {.printer = "L",
         .pages = "1-2",
         .twoSided = true,
         .printed = {1, 2},
         .job = "two-sided-long-edge - - - Letter"},
        {.printer = "L", .pages = "1", .greyscale = true, .printed = {1}, .job = "one-sided grayscale - - Letter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.printer) + " " + c.file.toStdString() + " " + c.pages + " " + c.set);
        ASSERT_TRUE(QDir().mkpath(gone) && QDir().mkpath(full));
        QFile::remove(c.file);
        platform::reportengine::SetReportFileFaultForTesting([fault = c.fault](const QString&) { return fault; });
        m_log->logLines.clear();
        QString paper; // what the printer's properties showed
        const amb::EnumReportError result = PrintAnswering(
            [&](QPrintDialog& dialog) {
                auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
                if (!c.file.isEmpty()) {
                    Choose(printers, QStringLiteral("End")); // the file output is the last entry
                    TypeInto(dialog.findChild<QLineEdit*>(QStringLiteral("filename")), c.file);
                } else if (*c.printer) {
                    Choose(printers, QString::fromLatin1(c.printer));
                }
                QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier); // Options >>
                if (*c.pages) {
                    Click(dialog.findChild<QRadioButton*>(QStringLiteral("pagesRadioButton")), 6);
                    TypeInto(dialog.findChild<QLineEdit*>(QStringLiteral("pagesLineEdit")),
                             QString::fromLatin1(c.pages));
                }
                if (*c.set)
                    Choose(dialog.findChild<QComboBox*>(QStringLiteral("pageSetCombo")), QString::fromLatin1(c.set));
                if (c.copies > 0)
                    TypeInto(dialog.findChild<QSpinBox*>(QStringLiteral("copies")), QString::number(c.copies));
                if (c.uncollated)
                    Click(dialog.findChild<QCheckBox*>(QStringLiteral("collate")), 6);
                if (c.reverse)
                    Click(dialog.findChild<QCheckBox*>(QStringLiteral("reverse")), 6);
                if (c.twoSided) {
                    ClickTab(dialog.findChild<QWidget*>(QStringLiteral("optionsTab")));
                    Click(dialog.findChild<QRadioButton*>(QStringLiteral("duplexLong")), 6);
                }
                if (c.greyscale)
                    Click(dialog.findChild<QPushButton*>(QStringLiteral("properties")));
                QTest::keyClick(&dialog, Qt::Key_Return); // Print
                if (!dialog.isVisible() && c.file.startsWith(gone))
                    QDir(gone).removeRecursively();
            },
            [&](QDialog& properties) {
                const auto* size = properties.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
                paper = size->currentText() + (size->isEnabled() ? QString() : QStringLiteral(", fixed"));
                ClickTab(properties.findChild<QWidget*>(QStringLiteral("cupsPropertiesPage")));
                for (QComboBox* list : properties.findChildren<QComboBox*>())
                    if (list->findText(QStringLiteral("Black and White")) >= 0)
                        Choose(list, QStringLiteral("B"));
                Click(properties.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
            });
        EXPECT_EQ(m_boxes, c.boxes);
        EXPECT_EQ(amb::GetReportErrorMessage(m_hub, result).toStdString(), c.said.toStdString());
        EXPECT_EQ(m_log->logLines.size(), c.said.isEmpty() ? 0 : 1) << m_log->logLines.join('\n').toStdString();
        EXPECT_EQ(paper.toStdString(), c.greyscale ? "Letter, fixed" : "");
        const QString out = c.file.isEmpty() ? m_dir.FilePath(QStringLiteral("job.pdf")) : c.file;
        const QString job = c.file.isEmpty()
                                ? TakePrintedJob(*c.printer ? QStringLiteral("Laser") : QStringLiteral("Office"), out)
                                : QString();
        ASSERT_EQ(QFile::exists(out), !c.printed.isEmpty());
        EXPECT_TRUE(m_log->logLines.join('\n').contains(c.cause)) << m_log->logLines.join('\n').toStdString();
        if (!c.file.isEmpty() && c.printed.isEmpty()) {
            EXPECT_TRUE(QDir(QFileInfo(out).path()).isEmpty()) << "a file is left beside " << out.toStdString();
        }
        if (c.printed.isEmpty())
            continue;
        if (*c.printer) {
            EXPECT_EQ(job.toStdString(), c.job);
        }
        EXPECT_EQ(test::PdfInfo(out, QStringLiteral("Pages")).toInt(), c.printed.size());
        EXPECT_TRUE(test::PdfInfo(out, QStringLiteral("Page size")).startsWith(QStringLiteral("612 x 792")));
        QString pages; // the export's, one by one
        for (const int page : c.printed)
            pages += test::PdfText(exported, page, page);
        EXPECT_EQ(test::PdfText(out).toStdString(), pages.toStdString());
        QFile::remove(out);
    }
    platform::reportengine::SetReportFileFaultForTesting(nullptr);
}

} // namespace
