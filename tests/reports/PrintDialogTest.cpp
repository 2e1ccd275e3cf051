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
#include <QPrintDialog>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <numeric>

namespace {

using amb::EnumReportError;

// A list report through the platform's own print dialog, answered by mouse and keys, to a private print
// server's printer or to a file.
class PrintDialogTest : public test::ReportPrinterTest {
protected:
    void SetUp() override {
        if (const QString why = test::StartPrivateCups(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        ReportPrinterTest::SetUp();
        test::FillDatabase(m_path, 80);
        platform::reportengine::SetPrintService(std::make_shared<platform::reportengine::SystemPrintService>());
        m_hub->SetReportPrinter(m_printer); // the printer's last error completes its message
    }
    void TearDown() override {
        if (!m_hub) // skipped
            return;
        m_hub->SetReportPrinter(nullptr);
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
    static void ClickButton(QPrintDialog& dialog, QDialogButtonBox::ButtonRole role) {
        for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == role && button->isVisible())
                    return Click(button);
        ADD_FAILURE() << "no button of role " << role;
    }

    // Prints the report, answering the dialog: "Print to File (PDF)" with `file` when one is named, the
    // Pages box when `pages` are, then Print; `accepted` runs once the dialog has closed.
    EnumReportError PrintThroughDialog(const QString& file, const QString& pages,
                                       const std::function<void()>& accepted) {
        bool answered = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog || std::exchange(answered, true))
                return;
            if (!file.isEmpty()) {
                auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                Click(printers);
                QTest::keyClick(printers->view(), Qt::Key_End); // the file output is the last entry
                QTest::keyClick(printers->view(), Qt::Key_Return);
                TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("filename")), file);
            }
            if (!pages.isEmpty()) {
                ClickButton(*dialog, QDialogButtonBox::ResetRole); // Options >>
                Click(dialog->findChild<QRadioButton*>(QStringLiteral("pagesRadioButton")), 6);
                TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("pagesLineEdit")), pages);
            }
            ClickButton(*dialog, QDialogButtonBox::AcceptRole);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the print dialog stayed open";
                dialog->reject();
            } else if (accepted) {
                accepted();
            }
        });
        timer.start(20);
        const EnumReportError result = PrintWith(QStringLiteral("Member Contact List"), test::Record({}));
        EXPECT_TRUE(answered) << "the print dialog opened";
        return result;
    }
    QString Text(int32_t id) const { return amb::LoadResString(m_hub, id); }
};

// The dialog's file output and its Pages box give exactly the exported pages asked for; a folder that
// cannot be written and pages past the end are refused, printing nothing.
TEST_F(PrintDialogTest, TheDialogsFileAndPagesPrintTheExportedPagesAskedForAndRefuseWhatCannotBe) {
    const QString exported = m_dir.FilePath(QStringLiteral("export.pdf"));
    ASSERT_EQ(PrintWith(QStringLiteral("Member Contact List"), test::Record({}), true, exported),
              EnumReportError::Success);
    const int last = test::PdfInfo(exported, QStringLiteral("Pages")).toInt();
    ASSERT_GE(last, 4);
    std::vector<int> all(last);
    std::iota(all.begin(), all.end(), 1);
    const QString gone = m_dir.FilePath(QStringLiteral("stick"));
    const struct {
        QString file = {}; // "Print to File (PDF)"; none: the server's printer
        QString pages = {};
        bool folderGoes = false;       // once the dialog took the file's folder
        std::vector<int> printed = {}; // none: refused with `said`
        QString said = {};
    } cases[] = {
        {.file = m_dir.FilePath(QStringLiteral("printed.pdf")), .printed = all},
        {.file = gone + QStringLiteral("/printed.pdf"),
         .folderGoes = true,
         .said = Text(amb::res::kMsgFolderNotWritable) + QStringLiteral("\n\n") + gone},
        {.pages = QStringLiteral("2-3"), .printed = {2, 3}},
        {.pages = QStringLiteral("1,3-4"), .printed = {1, 3, 4}},
        {.pages = QStringLiteral("2-%1").arg(last + 1), .said = Text(amb::res::kMsgPagesPastEnd).arg(last)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString(c.file + c.pages).toStdString());
        ASSERT_TRUE(QDir().mkpath(gone));
        m_log->logLines.clear();
        const EnumReportError result = PrintThroughDialog(c.file, c.pages, [&] {
            if (c.folderGoes)
                QDir(gone).removeRecursively();
        });
        EXPECT_EQ(amb::GetReportErrorMessage(m_hub, result).toStdString(), c.said.toStdString());
        EXPECT_EQ(m_log->logLines.size(), c.said.isEmpty() ? 0 : 1) << m_log->logLines.join('\n').toStdString();
        const QString out = c.file.isEmpty() ? m_dir.FilePath(QStringLiteral("job.pdf")) : c.file;
        ASSERT_EQ(c.file.isEmpty() ? test::TakePrintedJob(out) : QFile::exists(out), !c.printed.empty());
        if (c.printed.empty())
            continue;
        ASSERT_EQ(test::PdfInfo(out, QStringLiteral("Pages")), QString::number(c.printed.size()));
        for (int sheet = 1; sheet <= int(c.printed.size()); ++sheet)
            EXPECT_EQ(test::PdfText(out, sheet, sheet),
                      test::PdfText(exported, c.printed[sheet - 1], c.printed[sheet - 1]))
                << "sheet " << sheet;
        QFile::remove(out);
    }
}

} // namespace
