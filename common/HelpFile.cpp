#include "common/HelpFile.h"

#include "common/ErrorGuard.h"
#include "common/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace amb {

QString HelpDocument(const IApplicationPtr& hub) {
    return hub ? HelpDocument(hub->AppDir(), hub->GUILocaleID()) : QString();
}

QString HelpDocument(const QString& appDir, EnumSupportedLocaleID language) {
    if (appDir.isEmpty())
        return QString();
    const QString path = QDir(appDir).filePath(QLatin1String(kHelpFileName));
    if (!QFileInfo(path).isFile())
        return QString();
    // One file holds both languages; the Korean half is named by a fragment, which only a URL carries.
    if (language != EnumSupportedLocaleID::Korean)
        return path;
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(QLatin1String(kHelpKoreanHalf));
    return url.toString(QUrl::FullyEncoded);
}

void OpenHelp(const QString& source, const std::function<QString()>& document) noexcept {
    CatchAll(source, QStringLiteral("Form_Help()"), [&] {
        if (const QString file = document(); !file.isEmpty())
            ShellOpenDocument(file);
    });
}

} // namespace amb
