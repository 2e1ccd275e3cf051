#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "platform/reportengine/SystemPrintService.h"
#include "tests/support/PersonData.h"
#include "tests/support/PrivateCups.h"
#include "tests/support/ReportPrinterTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using amb::EnumReportError;

const QString kReport = QStringLiteral("Member Contact List");

// One print server for the whole program: the platform reads CUPS_SERVER once.
test::PrivateCups& Cups() {
    static test::PrivateCups cups;
    return cups;
}

// A list report through the platform's own print dialog, answered by mouse and keys, to the private
// server's printer or to a file.
class PrintDialogTest : public test::ReportPrinterTest {
protected:
    void SetUp() override {
        if (!Cups().Started())
            GTEST_SKIP() << "no print server: " << Cups().Why().toStdString();
        ReportPrinterTest::SetUp();
        test::FillDatabase(m_path, 80);
        platform::reportengine::SetPrintService(std::make_shared<platform::reportengine::SystemPrintService>());
        m_hub->SetReportPrinter(m_printer);
    }
    void TearDown() override {
        if (!m_hub)
            return;
        m_hub->SetReportPrinter(nullptr);
        ReportPrinterTest::TearDown();
    }

    // Prints the report; `answer` fills in and closes the print dialog once it is open. A message box
    // that the dialog opens meanwhile is read and closed with Enter.
    EnumReportError PrintThroughDialog(const std::function<void(QPrintDialog&)>& answer) {
        bool answered = false;
        // Two timers: a message box opens while the answer's timer is still busy with the dialog.
        QTimer boxes;
        boxes.setInterval(20);
        QObject::connect(&boxes, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_dialogMessages << box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        boxes.start();
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()); dialog && !answered) {
                answered = true;
                answer(*dialog);
                // An answer that failed half-way leaves the dialog open: closed, so the test ends.
                if (dialog->isVisible()) {
                    ADD_FAILURE() << "the print dialog stayed open";
                    dialog->reject();
                }
            }
        });
        timer.start();
        const EnumReportError result = PrintWith(kReport, test::Record({}));
        EXPECT_TRUE(answered) << "the print dialog opened";
        return result;
    }

    static QPushButton* Button(QPrintDialog& dialog, QDialogButtonBox::ButtonRole role) {
        for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == role && button->isVisible())
                    return qobject_cast<QPushButton*>(button);
        return nullptr;
    }
    static void Click(QWidget* widget, QPoint at = {}) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }
    static void TypeInto(QLineEdit* edit, const QString& text) {
        ASSERT_NE(edit, nullptr);
        Click(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
    // "Print to File (PDF)", the last entry of the printers' list, and the file's name.
    static void ChooseFile(QPrintDialog& dialog, const QString& path) {
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        Click(printers);
        QTest::keyClick(printers->view(), Qt::Key_End);
        QTest::keyClick(printers->view(), Qt::Key_Return);
        TypeInto(dialog.findChild<QLineEdit*>(QStringLiteral("filename")), path);
    }
    // Options >>, then the Pages box.
    static void TypePages(QPrintDialog& dialog, const QString& pages) {
        Click(Button(dialog, QDialogButtonBox::ResetRole));
        auto* choice = dialog.findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
        ASSERT_NE(choice, nullptr);
        Click(choice, QPoint(6, choice->height() / 2));
        ASSERT_TRUE(choice->isChecked());
        TypeInto(dialog.findChild<QLineEdit*>(QStringLiteral("pagesLineEdit")), pages);
    }
    QString Text(int32_t id) const { return amb::LoadResString(m_hub, id); }
    QString Message(EnumReportError result) const { return amb::GetReportErrorMessage(m_hub, result); }

    // The report as the report window exports it.
    QString Export() {
        const QString file = m_dir.FilePath(QStringLiteral("export.pdf"));
        EXPECT_EQ(PrintWith(kReport, test::Record({}), true, file), EnumReportError::Success);
        return file;
    }

    QStringList m_dialogMessages;
};

// "Print to File (PDF)" writes what the export writes; a folder that is gone when the file is written
// is named.
TEST_F(PrintDialogTest, PrintToFileWritesTheExportedPagesAndAFolderThatCannotBeWrittenIsNamed) {
    const QString exported = Export();
    const QString printed = m_dir.FilePath(QStringLiteral("printed.pdf"));
    ASSERT_EQ(PrintThroughDialog([&](QPrintDialog& dialog) {
                  ChooseFile(dialog, printed);
                  Click(Button(dialog, QDialogButtonBox::AcceptRole));
              }),
              EnumReportError::Success);
    EXPECT_EQ(test::PdfInfo(printed, QStringLiteral("Pages")), test::PdfInfo(exported, QStringLiteral("Pages")));
    EXPECT_EQ(test::PdfText(printed), test::PdfText(exported));
    EXPECT_TRUE(m_log->logLines.isEmpty()) << m_log->logLines.join('\n').toStdString();

    const QString folder = m_dir.FilePath(QStringLiteral("stick"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const EnumReportError result = PrintThroughDialog([&](QPrintDialog& dialog) {
        ChooseFile(dialog, folder + QStringLiteral("/printed.pdf"));
        Click(Button(dialog, QDialogButtonBox::AcceptRole));
        QDir(folder).removeRecursively(); // taken away after the dialog checked it
    });
    EXPECT_EQ(result, EnumReportError::SystemError);
    EXPECT_EQ(Message(result), Text(amb::res::kMsgFolderNotWritable) + QStringLiteral("\n\n") + folder);
    EXPECT_FALSE(Message(result).contains(Text(amb::res::kMsgNoPrinter)));
    EXPECT_EQ(m_log->logLines.size(), 1);
    EXPECT_TRUE(m_dialogMessages.isEmpty()) << m_dialogMessages.join('\n').toStdString();
}

// The Pages box prints the pages it names and no others, once: the server is not asked to pick pages
// among those it is sent. Pages the report lacks, or a text that names none, print nothing.
TEST_F(PrintDialogTest, ThePagesBoxPrintsItsPagesOnlyAndRefusesPagesTheReportLacks) {
    const int last = test::PdfInfo(Export(), QStringLiteral("Pages")).toInt();
    ASSERT_GE(last, 5);
    const struct {
        QString pages;
        std::vector<int> printed; // none: refused
        QString said;
    } cases[] = {
        {.pages = QStringLiteral("2-3"), .printed = {2, 3}, .said = {}},
        {.pages = QStringLiteral("1,3-4"), .printed = {1, 3, 4}, .said = {}},
        {.pages = QStringLiteral("5"), .printed = {5}, .said = {}},
        {.pages = QStringLiteral("2-%1").arg(last + 1),
         .printed = {},
         .said = Text(amb::res::kMsgPagesPastEnd).arg(last)},
        {.pages = QString::number(last + 4), .printed = {}, .said = Text(amb::res::kMsgPagesPastEnd).arg(last)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pages.toStdString());
        QFile::remove(Cups().OutputFile());
        m_log->logLines.clear();
        const EnumReportError result = PrintThroughDialog([&](QPrintDialog& dialog) {
            TypePages(dialog, c.pages);
            Click(Button(dialog, QDialogButtonBox::AcceptRole));
        });
        ASSERT_TRUE(Cups().WaitForJobs());
        if (c.printed.empty()) {
            EXPECT_EQ(result, EnumReportError::SystemError);
            EXPECT_EQ(Message(result), c.said);
            EXPECT_FALSE(QFile::exists(Cups().OutputFile()));
            continue;
        }
        ASSERT_EQ(result, EnumReportError::Success);
        ASSERT_EQ(test::PdfInfo(Cups().OutputFile(), QStringLiteral("Pages")), QString::number(c.printed.size()));
        for (size_t i = 0; i < c.printed.size(); ++i) {
            const int page = static_cast<int>(i) + 1;
            EXPECT_TRUE(test::PdfText(Cups().OutputFile(), page, page)
                            .contains(QStringLiteral("Page %1 of %2").arg(c.printed[i]).arg(last)))
                << "sheet " << page;
        }
    }

    // A text that names no pages is refused by the dialog, as it is when the printer holds no range.
    QFile::remove(Cups().OutputFile());
    EXPECT_EQ(PrintThroughDialog([&](QPrintDialog& dialog) {
                  TypePages(dialog, QStringLiteral("two"));
                  Click(Button(dialog, QDialogButtonBox::AcceptRole));
                  Click(Button(dialog, QDialogButtonBox::RejectRole));
              }),
              EnumReportError::Success);
    ASSERT_EQ(m_dialogMessages.size(), 1);
    EXPECT_TRUE(m_dialogMessages[0].startsWith(QStringLiteral("two "))) << m_dialogMessages[0].toStdString();
    ASSERT_TRUE(Cups().WaitForJobs());
    EXPECT_FALSE(QFile::exists(Cups().OutputFile()));
}

} // namespace
