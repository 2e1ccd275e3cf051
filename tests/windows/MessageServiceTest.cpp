#include "windows/base/MessageService.h"
#include "tests/support/WindowTest.h"
#include "windows/base/ModalRunner.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

namespace MessageResult = amb::MessageResult;

struct BoxSeen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString text;
    QString title;
    Qt::TextFormat format = Qt::AutoText;
};

// Shows a real box; once it is up, records it and answers through `answer`.
int32_t ShowAndAnswer(int32_t style, BoxSeen& seen, const std::function<void(QMessageBox&)>& answer) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.format = box->textFormat();
        answer(*box);
    });
    return amb::MessageService::Show(nullptr, "<b>O'Neil</b> 김", "Title", style);
}

void Press(QMessageBox& box, QMessageBox::StandardButton button) {
    test::ClickWidget(box.button(button));
}

TEST(MessageServiceTest, StyleNumbersGiveTheirButtonsIconsAndResults) {
    struct Case {
        int32_t style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton press;
        int32_t result;
    };
    const Case cases[] = {
        {64, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, MessageResult::OK},
        {36, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No,
         MessageResult::No},
        {4 + 32 + 256, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::Yes,
         MessageResult::Yes},
        {3 + 48, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
         QMessageBox::Cancel, MessageResult::Cancel},
        {5 + 16, QMessageBox::Critical, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry,
         QMessageBox::Retry, MessageResult::Retry},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        BoxSeen seen;
        const int32_t result = ShowAndAnswer(c.style, seen, [&](QMessageBox& box) { Press(box, c.press); });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
        EXPECT_EQ(seen.text, "<b>O'Neil</b> 김");
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.title, "Title");
    }
}

TEST(MessageServiceTest, EscapeAnswersNoOrCancel) {
    BoxSeen seen;
    const auto escape = [](QMessageBox& box) { box.reject(); };
    EXPECT_EQ(ShowAndAnswer(36, seen, escape), MessageResult::No);
    EXPECT_EQ(ShowAndAnswer(3, seen, escape), MessageResult::Cancel);
    EXPECT_EQ(ShowAndAnswer(64, seen, escape), MessageResult::OK);
}

TEST(MessageServiceTest, WithoutARunnerTheDialogsOwnLoopRunsUntilItHides) {
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    EXPECT_EQ(amb::ModalRunner::Run(dialog), QDialog::Rejected);
}

} // namespace
