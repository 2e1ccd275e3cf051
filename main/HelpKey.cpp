#include "main/HelpKey.h"

#include "main/AppWrapper.h"
#include "main/MainForm.h"

#include "common/HelpFile.h"
#include "platform/registry/Registry.h"

namespace amb::ambrel {

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
