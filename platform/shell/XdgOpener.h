#pragma once

#include "platform/shell/ShellOpener.h"

#include <QString>
#include <QStringList>

namespace platform::shell {

// Opens through the freedesktop "xdg-open" program, started with an argument list: no shell ever
// parses the target, so no text in it can run a command. Which program the desktop has for a type
// is asked of "xdg-mime".
class XdgOpener : public ShellOpener {
public:
    explicit XdgOpener(QString program = QStringLiteral("xdg-open"), QString mimeQuery = QStringLiteral("xdg-mime"));
    ~XdgOpener() override;

    // Started detached; how it ends is not heard.
    bool Open(const QString& target) override;
    // Asks the desktop for its program for `mimeType` first, then starts the opener as a child of its
    // own session and hears how it ends, without waiting for it: the program it starts goes on when
    // Ambrel ends.
    void OpenWatched(const QString& target, const QString& mimeType, std::function<void()> failed) override;

    // The arguments the program is started with for `target`.
    static QStringList Arguments(const QString& target);

private:
    QString m_program;
    QString m_mimeQuery;
};

} // namespace platform::shell
