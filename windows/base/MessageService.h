#pragma once

#include "contracts/IApplication.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace amb {

// Message box styles as the old numbers add up: buttons + icon + default button.
// 64 is an information box with OK, 36 a Yes/No question, 16 a critical box with OK.
namespace MessageStyle {
inline constexpr int32_t OKOnly = 0;
inline constexpr int32_t OKCancel = 1;
inline constexpr int32_t AbortRetryIgnore = 2;
inline constexpr int32_t YesNoCancel = 3;
inline constexpr int32_t YesNo = 4;
inline constexpr int32_t RetryCancel = 5;
inline constexpr int32_t Critical = 16;
inline constexpr int32_t Question = 32;
inline constexpr int32_t Exclamation = 48;
inline constexpr int32_t Information = 64;
inline constexpr int32_t DefaultButton2 = 256;
inline constexpr int32_t DefaultButton3 = 512;
} // namespace MessageStyle

// The button that closed the box.
namespace MessageResult {
inline constexpr int32_t OK = 1;
inline constexpr int32_t Cancel = 2;
inline constexpr int32_t Abort = 3;
inline constexpr int32_t Retry = 4;
inline constexpr int32_t Ignore = 5;
inline constexpr int32_t Yes = 6;
inline constexpr int32_t No = 7;
} // namespace MessageResult

// The captions of the box's buttons in the interface language; an empty one keeps Qt's own.
struct MessageButtonTexts {
    QString ok;
    QString cancel;
    QString yes;
    QString no;
};

struct Message {
    QString text;
    QString title;
    int32_t style = MessageStyle::OKOnly;
    MessageButtonTexts buttons = {};
};

// Every message box of the windows and the main program goes through here, so that a test can
// answer it in advance and read what was shown.
class MessageService {
public:
    using Answerer = std::function<int32_t(const Message&)>;

    // Shows a modal box over `parent` (may be null) and returns the MessageResult of the button.
    // Closing a box without choosing gives Cancel, or No when the box has no Cancel button.
    static int32_t Show(QWidget* parent, const QString& text, const QString& title, int32_t style,
                        const MessageButtonTexts& buttons = {});
    // Replaces the box (tests); an empty function brings the real box back.
    static void SetAnswerer(Answerer answerer);

    // Where F1 in a box finds the help, asked when F1 is pressed: a box is a window of its own, so no
    // window's F1 reaches it. `hub` gives the texts that tell a help that could not be shown. Nothing
    // is opened while there is no provider.
    using HelpProvider = std::function<QString()>;
    using HubProvider = std::function<IApplicationPtr()>;
    static void SetHelpProvider(HelpProvider provider, HubProvider hub = {});
};

} // namespace amb
