#include "windows/base/HelpMessage.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "windows/base/MessageService.h"
#include "windows/base/WindowSupport.h"

#include <QDir>
#include <QPointer>
#include <QWidget>

namespace amb {

std::function<void()> HelpNotShownMessage(QWidget* window, const IApplicationPtr& hub, const QString& file) {
    const QString name = QDir::toNativeSeparators(file);
    QString text = LoadResString(hub, res::kMsgHelpNotShown);
    // Without the string table (a start-up that failed) the file's name still says what is missing.
    text = text.isEmpty() ? name : text.replace(QStringLiteral("%1"), name);
    return [window = QPointer<QWidget>(window), text, title = window ? window->windowTitle() : QString(),
            buttons = hub ? MessageButtonTextsOf(hub) : MessageButtonTexts{}] {
        MessageService::Show(window.data(), text, title, MessageStyle::Information, buttons);
    };
}

} // namespace amb
