#include "tests/windows/offering/OfferingFixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>

// A click or key made while a long command runs waits in the event queue until the command ends.
// These tests queue one from inside the command, as the window system would deliver it, and check
// that the command does not run a second time.

namespace {

using namespace amb::res;
using test::Child;
using test::Choose;
using test::Click;

// Queues a left click in the middle of `widget`.
void QueueClick(QWidget* widget) {
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QCoreApplication::postEvent(
        widget, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        widget, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// Queues a key press and release for the control that has the focus in `window`.
void QueueKey(QWidget& window, Qt::Key key) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

class QueuedInputTest : public test::OfferingWindowTest {
protected:
    QueuedInputTest() : m_printer(std::make_shared<test::FakeReportPrinter>()) { m_hub->SetReportPrinter(m_printer); }
    ~QueuedInputTest() override {
        m_writer->onWrite = nullptr;
        m_hub->SetReportPrinter(nullptr);
    }

    // Runs `input` once, when the trace line `procedure` is written inside the command.
    void WhileRunning(const QString& procedure, std::function<void()> input) {
        m_writer->onWrite = [this, procedure, input = std::move(input)](const QString& line) {
            if (!line.contains(procedure))
                return;
            m_writer->onWrite = nullptr;
            input();
        };
    }
    int Count(const QStringList& lines, const QString& text) { return int(lines.filter(text).size()); }

    std::shared_ptr<test::FakeReportPrinter> m_printer;
    test::WindowSteps m_steps;
};

TEST_F(QueuedInputTest, ASecondFinishDuringAnExportIsDropped) {
    const auto finishTwice = [&](const std::function<void(QDialog&)>& again) {
        m_printer->calls.clear();
        m_steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
            test::ExportStep(dialog, QStringLiteral("Offering Summary"));
            test::TypeText(dialog, "txtFile", m_temp.FilePath(QStringLiteral("summary.pdf")));
            WhileRunning(QStringLiteral("GenerateReport()"), [&] { again(dialog); });
            Click(dialog, "cmdNext");
            QCoreApplication::processEvents();
            EXPECT_EQ(m_printer->calls.count(QStringLiteral("PrintReport")), 1);
        });
        EXPECT_EQ(m_loader->ShowReportWindow(), 1);
    };
    finishTwice([](QDialog& dialog) { QueueClick(Child<QWidget>(dialog, "cmdNext")); });
    // Enter presses Finish, the window's default button.
    finishTwice([](QDialog& dialog) {
        Child<QWidget>(dialog, "txtFile")->setFocus();
        QueueKey(dialog, Qt::Key_Return);
    });
}

TEST_F(QueuedInputTest, ASecondSubmitDuringASubmitIsDropped) {
    const auto submitTwice = [&](const std::function<void(QDialog&)>& again) {
        m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
            m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
                Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 1));
                test::TypeText(dialog, "txtAmount", QStringLiteral("10"));
                Click(dialog, "cmdOK");
                Click(dialog, "cmdCancel");
            });
            test::ToolButton(batch, "tbarBatch", 1)->trigger();
            WhileRunning(QStringLiteral("UpdatePersonOffering()"), [&] { again(batch); });
            const int before = Count(m_writer->traceLines, QStringLiteral("cmdSubmit_Click()"));
            Click(batch, "cmdSubmit");
            QCoreApplication::processEvents();
            EXPECT_EQ(Count(m_writer->traceLines, QStringLiteral("cmdSubmit_Click()")), before + 1);
            EXPECT_TRUE(batch.isVisible());
            Click(batch, "cmdCancel");
        });
        m_loader->ShowBatchOfferingWindow();
    };
    submitTwice([](QDialog& batch) { QueueClick(Child<QWidget>(batch, "cmdSubmit")); });
    // Space presses the focused Submit button.
    submitTwice([](QDialog& batch) {
        Child<QWidget>(batch, "cmdSubmit")->setFocus();
        QueueKey(batch, Qt::Key_Space);
    });
    EXPECT_EQ(Offerings(), 2);
}

} // namespace
