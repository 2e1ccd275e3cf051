#include "common/HelpFile.h"

#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "platform/shell/ShellOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

namespace amb {

QString HelpDocument(const IApplicationPtr& hub) {
    return hub ? HelpDocument(hub->AppDir(), hub->GUILocaleID()) : QString();
}

QString HelpDocument(const QString& appDir, EnumSupportedLocaleID language) {
    if (appDir.isEmpty())
        return QString();
    const char* name = language == EnumSupportedLocaleID::Korean ? kKoreanHelpFileName : kHelpFileName;
    return QDir(appDir).filePath(QLatin1String(name));
}

QString HelpNotShownText(const IApplicationPtr& hub, const QString& file) {
    const QString name = QDir::toNativeSeparators(file);
    QString text = LoadResString(hub, res::kMsgHelpNotShown);
    return text.isEmpty() ? name : text.replace(QStringLiteral("%1"), name);
}

void OpenHelp(const QString& source, const std::function<QString()>& document, const HelpNotShown& notShown) noexcept {
    const QString procedure = QStringLiteral("Form_Help()");
    // Shared with the opener's late answer, so that one press is told once whichever way it fails.
    auto tell = std::make_shared<std::function<void()>>();
    const auto fail = [source, procedure, tell](const QString& why) noexcept {
        WriteTraceLine(source, procedure, why, 9);
        if (const std::function<void()> told = std::exchange(*tell, {}))
            CatchAll(source, procedure, told);
    };
    const bool handedOn = CatchAll(source, procedure, [&] {
        const QString target = document();
        const QString file = target.isEmpty() ? QLatin1String(kHelpFileName) : target;
        if (notShown)
            *tell = notShown(file);
        if (target.isEmpty() || !QFileInfo(file).isFile()) {
            fail(QStringLiteral("The help file %1 is missing").arg(file));
            return;
        }
        platform::shell::CurrentOpener()->OpenWatched(target, [fail, file] {
            const auto told = [fail, file] {
                fail(QStringLiteral("No program of the desktop showed the help file %1").arg(file));
            };
            // Told after the answer's own handling has ended, not inside it.
            if (QCoreApplication* application = QCoreApplication::instance())
                QMetaObject::invokeMethod(application, told, Qt::QueuedConnection);
            else
                told();
        });
    });
    if (!handedOn)
        fail(QStringLiteral("The help could not be handed to the desktop"));
}

} // namespace amb
