#include "common/Shell.h"

#include "platform/shell/ShellOpener.h"

#include <QUrl>

namespace amb {

void ShellOpenDocument(const QString& path) {
    try {
        platform::shell::CurrentOpener()->Open(path);
    } catch (...) {
        // Opening is a convenience: a missing program or a bad path is not an error to show.
    }
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
    try {
        ShellOpenDocument(MailToLink(address));
    } catch (...) {
    }
}

} // namespace amb
