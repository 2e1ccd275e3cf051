#include "main/Program.h"

#include "main/AppWrapper.h"
#include "main/HelpKey.h"
#include "main/MainForm.h"
#include "main/SplashForm.h"

#include "common/ErrorGuard.h"
#include "windows/base/MessageService.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace amb::ambrel {

namespace {

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace

std::unique_ptr<MainForm> StartUp(std::unique_ptr<AppWrapper> wrapper) {
    std::unique_ptr<SplashForm> splash;
    std::unique_ptr<MainForm> mainForm;
    // F1 in a message box, from the first box of the start-up on.
    auto shown = std::make_shared<QPointer<MainForm>>();
    MessageService::SetHelpProvider([shown] { return MessageBoxHelp(shown->data()); },
                                    [shown] { return *shown ? (*shown)->Wrapper().Hub() : IApplicationPtr(); });
    try {
        splash = std::make_unique<SplashForm>();
        splash->UpdateForm();
        CentreOnScreen(*splash);
        splash->show();
        // Nothing else is processed until the start-up is done, so the splash paints now.
        splash->repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

        mainForm = std::make_unique<MainForm>(std::move(wrapper));
        *shown = mainForm.get();
        mainForm->Form_Initialize();
        if (mainForm->UpdateForm() < 1) {
            splash.reset();
            mainForm.reset();
            return nullptr;
        }
        splash.reset();
        mainForm->show();
        return mainForm;
    } catch (...) {
        const ErrorInfo error = CurrentErrorInfo();
        // Written while the main window still holds the log open, when it got that far.
        WriteFailureLine(QStringLiteral("Ambrel"), QStringLiteral("Main()"));
        splash.reset();
        mainForm.reset();
        ShowErrorMessage(error.Number, error.Description, error.Source);
        return nullptr;
    }
}

} // namespace amb::ambrel
