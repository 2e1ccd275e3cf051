#include "main/HelpKey.h"

#include "main/AppWrapper.h"
#include "main/MainForm.h"

#include "common/ErrorGuard.h"
#include "common/HelpFile.h"
#include "common/Shell.h"
#include "platform/registry/Registry.h"

#include <QShortcut>
#include <QWidget>

namespace amb::ambrel {

void AddHelpKey(QWidget* window, const AppWrapper& wrapper, const QString& source) {
    QObject::connect(new QShortcut(QKeySequence::HelpContents, window), &QShortcut::activated, window,
                     [&wrapper, source] {
                         CatchAll(source, QStringLiteral("Form_Help()"), [&] { ShellOpenDocument(wrapper.HelpFile()); });
                     });
}

QString MessageBoxHelp(const MainForm* mainForm) {
    if (mainForm && !mainForm->Wrapper().HelpFile().isEmpty())
        return mainForm->Wrapper().HelpFile();
    namespace reg = platform::registry;
    reg::ScopedKey key;
    if (reg::OpenKey(reg::LocalMachine, QLatin1String(kSettingsKey), key.Receive()) != reg::Status::Success)
        return QString();
    QString appDir;
    uint32_t language = 0;
    reg::QueryString(key.Get(), QStringLiteral("AppDir"), appDir);
    reg::QueryDWord(key.Get(), QStringLiteral("GUILocaleID"), language);
    return HelpDocument(appDir, static_cast<EnumSupportedLocaleID>(language));
}

} // namespace amb::ambrel
