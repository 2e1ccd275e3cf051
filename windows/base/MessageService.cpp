#include "windows/base/MessageService.h"

#include "common/widgets/HelpKey.h"
#include "windows/base/HelpMessage.h"

#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <utility>

namespace amb {

namespace {

MessageService::Answerer& CurrentAnswerer() {
    static MessageService::Answerer answerer;
    return answerer;
}

MessageService::HelpProvider& CurrentHelpProvider() {
    static MessageService::HelpProvider provider;
    return provider;
}

MessageService::HubProvider& CurrentHelpHub() {
    static MessageService::HubProvider hub;
    return hub;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    std::array<QMessageBox::StandardButton, 3> order; // for the default-button bits
    QMessageBox::StandardButton escape;
};

ButtonSet Buttons(int32_t style) {
    using B = QMessageBox;
    switch (style & 0xF) {
    case MessageStyle::OKCancel:
        return {B::Ok | B::Cancel, {B::Ok, B::Cancel, B::NoButton}, B::Cancel};
    case MessageStyle::AbortRetryIgnore:
        return {B::Abort | B::Retry | B::Ignore, {B::Abort, B::Retry, B::Ignore}, B::Abort};
    case MessageStyle::YesNoCancel:
        return {B::Yes | B::No | B::Cancel, {B::Yes, B::No, B::Cancel}, B::Cancel};
    case MessageStyle::YesNo:
        return {B::Yes | B::No, {B::Yes, B::No, B::NoButton}, B::No};
    case MessageStyle::RetryCancel:
        return {B::Retry | B::Cancel, {B::Retry, B::Cancel, B::NoButton}, B::Cancel};
    default:
        return {B::Ok, {B::Ok, B::NoButton, B::NoButton}, B::Ok};
    }
}

QMessageBox::Icon Icon(int32_t style) {
    switch (style & 0x70) {
    case MessageStyle::Critical:
        return QMessageBox::Critical;
    case MessageStyle::Question:
        return QMessageBox::Question;
    case MessageStyle::Exclamation:
        return QMessageBox::Warning;
    case MessageStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int32_t ResultOf(QMessageBox::StandardButton button, const ButtonSet& set) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageResult::OK;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    case QMessageBox::Abort:
        return MessageResult::Abort;
    case QMessageBox::Retry:
        return MessageResult::Retry;
    case QMessageBox::Ignore:
        return MessageResult::Ignore;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    default:
        return set.escape == QMessageBox::Ok ? MessageResult::OK : ResultOf(set.escape, set);
    }
}

void SetButtonText(QMessageBox& box, QMessageBox::StandardButton which, const QString& text) {
    if (QAbstractButton* button = box.button(which); button && !text.isEmpty())
        button->setText(text);
}

int32_t ShowBox(QWidget* parent, const Message& message) {
    const ButtonSet set = Buttons(message.style);
    QMessageBox box(Icon(message.style), message.title, message.text, set.buttons, parent);
    // Stored texts end up in messages; they are never markup.
    box.setTextFormat(Qt::PlainText);
    const int defaultIndex = (message.style >> 8) & 0x3;
    const QMessageBox::StandardButton defaultButton =
        defaultIndex < 3 && set.order[defaultIndex] != QMessageBox::NoButton ? set.order[defaultIndex] : set.order[0];
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(set.escape);
    SetButtonText(box, QMessageBox::Ok, message.buttons.ok);
    SetButtonText(box, QMessageBox::Cancel, message.buttons.cancel);
    SetButtonText(box, QMessageBox::Yes, message.buttons.yes);
    SetButtonText(box, QMessageBox::No, message.buttons.no);
    AddHelpKey(
        &box, QStringLiteral("MessageService"),
        [] {
            const MessageService::HelpProvider& provider = CurrentHelpProvider();
            return provider ? provider() : QString();
        },
        HelpNotShownOver(&box, CurrentHelpHub()));
    box.exec();
    return ResultOf(box.standardButton(box.clickedButton()), set);
}

} // namespace

int32_t MessageService::Show(QWidget* parent, const QString& text, const QString& title, int32_t style,
                             const MessageButtonTexts& buttons) {
    const Message message{text, title, style, buttons};
    if (const Answerer& answerer = CurrentAnswerer())
        return answerer(message);
    return ShowBox(parent, message);
}

void MessageService::SetAnswerer(Answerer answerer) {
    CurrentAnswerer() = std::move(answerer);
}

void MessageService::SetHelpProvider(HelpProvider provider, HubProvider hub) {
    CurrentHelpProvider() = std::move(provider);
    CurrentHelpHub() = std::move(hub);
}

} // namespace amb
