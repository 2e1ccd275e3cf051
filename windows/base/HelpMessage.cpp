#include "windows/base/HelpMessage.h"

#include "windows/base/MessageService.h"
#include "windows/base/WindowSupport.h"

#include <QPointer>
#include <QWidget>

namespace amb {

HelpNotShown HelpNotShownOver(QWidget* window, std::function<IApplicationPtr()> hub) {
    return [window = QPointer<QWidget>(window), hub = std::move(hub)](const QString& file) -> std::function<void()> {
        const IApplicationPtr app = hub ? hub() : IApplicationPtr();
        return [window, text = HelpNotShownText(app, file), title = window ? window->windowTitle() : QString(),
                buttons = app ? MessageButtonTextsOf(app) : MessageButtonTexts{}] {
            MessageService::Show(window.data(), text, title, MessageStyle::Information, buttons);
        };
    };
}

} // namespace amb
