#include "common/Shell.h"

#include "common/ErrorGuard.h"
#include "platform/shell/ShellOpener.h"

#include <QUrl>

namespace amb {

namespace {
const QString kObject = QStringLiteral("GlobalModule");
} // namespace

// Opening is a convenience: a missing program or a bad path is not an error to show, only to log.
void ShellOpenDocument(const QString& path) {
    CatchAll(kObject, QStringLiteral("ShellOpenDocument()"), [&] { platform::shell::CurrentOpener()->Open(path); });
}

QString MailToLink(const QString& address) {
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address, QUrl::DecodedMode);
    QString link = url.toString(QUrl::FullyEncoded);
    // QUrl leaves "&" as it is in a path; some mail programs split headers at it anywhere.
    link.replace(QLatin1Char('&'), QLatin1String("%26"));
    return link;
}

void OpenMailTo(const QString& address) {
    CatchAll(kObject, QStringLiteral("OpenMailTo()"), [&] { ShellOpenDocument(MailToLink(address)); });
}

} // namespace amb
