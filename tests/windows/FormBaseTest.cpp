#include "windows/base/FormBase.h"
#include "common/widgets/BusyScope.h"
#include "platform/com/Error.h"
#include "tests/support/FailingDatabaseManager.h"
#include "tests/support/WindowTest.h"
#include "windows/base/ModalRunner.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A window with the two buttons every editing window has; its OK fails on request.
class SampleForm : public amb::FormBase {
public:
    explicit SampleForm(bool escapeCancels) : FormBase("SampleForm") {
        cmdOK = new QPushButton("OK", this);
        cmdOK->setObjectName("cmdOK");
        cmdCancel = new QPushButton("Cancel", this);
        cmdCancel->setObjectName("cmdCancel");
        SetDialogButtons(cmdOK, cmdCancel, escapeCancels);
        connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
        connect(cmdCancel, &QPushButton::clicked, this, [this] { Handle("cmdCancel_Click()", [&] { HideForm(); }); });
        auto* cmdUse = new QPushButton("Use", this);
        cmdUse->setObjectName("cmdUse");
        connect(cmdUse, &QPushButton::clicked, this, [this] {
            Handle("cmdUse_Click()", [&] {
                const bool got = service == Service::Database ? Database() != nullptr
                                 : service == Service::Loader ? HubLoader() != nullptr
                                                              : Printer() != nullptr;
                if (got)
                    ShowMessage(256);
            });
        });
    }

    enum class Service { Database, Loader, Printer };
    Service service = Service::Database;

    int32_t UpdateForm() override {
        return Member("UpdateForm()", int32_t{-1}, [&] {
            setWindowTitle(Text(291));
            return int32_t{1};
        });
    }

    bool failSave = false;

private:
    void cmdOK_Click() {
        Handle("cmdOK_Click()", [&] {
            amb::WindowBusy busy(this);
            if (failSave)
                throw platform::Error(3022, "Duplicate value", "Sample");
            ShowMessage(256);
            SetResponse(1);
            HideForm();
        });
    }

    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

class FormBaseTest : public test::WindowTest {};

TEST_F(FormBaseTest, ResponseFollowsTheButtonsAndEscapeOnlyWhenBound) {
    SampleForm bound(true);
    bound.SetWindowLoader(m_loader);
    ASSERT_EQ(bound.UpdateForm(), 1);
    test::ModalScript script([](QDialog& dialog) { test::PressKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(amb::ModalRunner::Run(bound), QDialog::Rejected);
    EXPECT_EQ(bound.Response(), 2);

    // Without the binding Esc does nothing; the close box hides and leaves Response alone.
    SampleForm unbound(false);
    unbound.SetWindowLoader(m_loader);
    script.SetStep([](QDialog& dialog) {
        test::PressKey(dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
    });
    amb::ModalRunner::Run(unbound);
    EXPECT_EQ(unbound.Response(), 2);

    // Enter presses the focused Cancel button, not OK.
    SampleForm entered(true);
    entered.SetWindowLoader(m_loader);
    script.SetStep([](QDialog& dialog) {
        test::Child<QPushButton>(dialog, "cmdCancel")->setFocus();
        test::PressKey(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(amb::ModalRunner::Run(entered), QDialog::Rejected);
    EXPECT_TRUE(m_messages.Shown().empty());

    // OK: message titled with the window's caption, then Response 1.
    SampleForm form(true);
    form.SetWindowLoader(m_loader);
    form.UpdateForm();
    script.SetStep([](QDialog& dialog) { test::Click(dialog, "cmdOK"); });
    EXPECT_EQ(amb::ModalRunner::Run(form), QDialog::Accepted);
    EXPECT_EQ(form.Response(), 1);
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(m_messages.Shown()[0].text, Text(256));
    EXPECT_EQ(m_messages.Shown()[0].title, Text(291));
    EXPECT_EQ(m_writer->TraceLinesWith("AmbWindows.SampleForm.Set_WindowLoader()").size(), 4);
}

// The tests' click is a person's: the press takes the focus from the box typed into before the button's
// command runs, so the command sees what the box made of its text on leaving; a button that takes no
// focus leaves it where it was; the keys go to the control that has the focus.
TEST_F(FormBaseTest, TheTestsClickMovesTheFocusAsAPersonsClickDoes) {
    QDialog window;
    auto* box = new QLineEdit(&window);
    auto* takesFocus = new QPushButton("Next", &window);
    takesFocus->setObjectName("cmdNext");
    auto* noFocus = new QPushButton("Tool", &window);
    noFocus->setObjectName("cmdTool");
    noFocus->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(takesFocus), static_cast<QWidget*>(noFocus)})
        layout->addWidget(w);
    QStringList seen;
    QObject::connect(takesFocus, &QPushButton::clicked, [&] {
        seen << (QApplication::focusWidget() == takesFocus ? "Next, focused" : "Next");
    });
    QObject::connect(noFocus, &QPushButton::clicked, [&] { seen << "Tool"; });

    test::ClickWidget(box);
    EXPECT_EQ(QApplication::focusWidget(), box) << "shown, activated and clicked";
    test::Click(window, "cmdTool");
    EXPECT_EQ(QApplication::focusWidget(), box);
    test::Click(window, "cmdNext");
    EXPECT_EQ(QApplication::focusWidget(), takesFocus);
    EXPECT_EQ(seen, (QStringList{"Tool", "Next, focused"}));
    test::PressKey(window, Qt::Key_Space);
    EXPECT_EQ(seen.size(), 3) << "Space on the focused button presses it";
}

TEST_F(FormBaseTest, FailingHandlerEndsTheBusyStateAndKeepsTheWindowOpen) {
    SampleForm form(true);
    form.SetWindowLoader(m_loader);
    form.UpdateForm();
    form.failSave = true;
    test::ModalScript script([&](QDialog& dialog) {
        test::Click(dialog, "cmdOK");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(amb::IsBusy(&dialog));
        test::Click(dialog, "cmdCancel");
    });
    amb::ModalRunner::Run(form);
    EXPECT_EQ(form.Response(), 2);
    ASSERT_EQ(m_writer->logLines.size(), 1);
    EXPECT_TRUE(m_writer->logLines.first().endsWith("AmbWindows.SampleForm.cmdOK_Click() - [3022] Duplicate value"));
    EXPECT_TRUE(m_messages.Shown().empty());
}

// A hub service a window asks for is there, or its handler fails with error 91 of the window and
// the window stays as it was.
TEST_F(FormBaseTest, AMissingHubServiceFailsTheHandlerWithErrorNinetyOne) {
    m_hub->SetDatabaseManager(std::make_shared<test::FailingDatabaseManager>());
    m_hub->SetReportPrinter(std::make_shared<test::FakeReportPrinter>());
    const struct {
        SampleForm::Service service;
        std::function<void()> remove;
    } cases[] = {
        {SampleForm::Service::Database, [&] { m_hub->SetDatabaseManager(nullptr); }},
        {SampleForm::Service::Loader, [&] { m_hub->SetWindowLoader(nullptr); }},
        {SampleForm::Service::Printer, [&] { m_hub->SetReportPrinter(nullptr); }},
    };
    SampleForm form(true);
    form.SetWindowLoader(m_loader);
    form.UpdateForm();
    test::ModalScript script([&](QDialog& dialog) {
        for (const auto& c : cases) {
            form.service = c.service;
            m_messages.Clear();
            test::Click(dialog, "cmdUse");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(256)});
            c.remove();
            m_writer->logLines.clear();
            test::Click(dialog, "cmdUse");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(256)});
            ASSERT_EQ(m_writer->logLines.size(), 1);
            EXPECT_TRUE(m_writer->logLines.first().contains("AmbWindows.SampleForm.cmdUse_Click() - [91] "))
                << m_writer->logLines.first().toStdString();
            EXPECT_FALSE(amb::IsBusy(&dialog));
        }
        test::Click(dialog, "cmdCancel");
    });
    amb::ModalRunner::Run(form);
}

TEST_F(FormBaseTest, WindowWithoutLoaderCannotFillItself) {
    SampleForm form(true);
    EXPECT_EQ(form.UpdateForm(), -1);
    ASSERT_EQ(m_writer->logLines.size(), 1);
    EXPECT_TRUE(m_writer->logLines.first().contains("AmbWindows.SampleForm.UpdateForm() - [91] "));
}

} // namespace
