#pragma once

#include "platform/shell/ShellOpener.h"

#include <QString>
#include <QStringList>

namespace platform::shell {

// Opens through the freedesktop "xdg-open" program, started with an argument list: no shell ever
// parses the target, so no text in it can run a command. Which program opens the target is the
// opener's choice alone, with every fallback it knows (a browser named in $BROWSER, the mailcap).
class XdgOpener : public ShellOpener {
public:
    explicit XdgOpener(QString program = QStringLiteral("xdg-open"));
    ~XdgOpener() override;

    // Started detached; how it ends is not heard.
    bool Open(const QString& target) override;
    // Starts the opener as a child of its own session and hears its exit status, without waiting for
    // it: the program it starts goes on when Ambrel ends.
    void OpenWatched(const QString& target, std::function<void()> failed) override;

    // The arguments the program is started with for `target`.
    static QStringList Arguments(const QString& target);

private:
    QString m_program;
};

} // namespace platform::shell
