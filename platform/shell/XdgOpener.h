#pragma once

#include "platform/shell/ShellOpener.h"

#include <QString>
#include <QStringList>

namespace platform::shell {

// Opens through the freedesktop "xdg-open" program, started detached with an argument list:
// no shell ever parses the target, so no text in it can run a command.
class XdgOpener : public ShellOpener {
public:
    explicit XdgOpener(QString program = QStringLiteral("xdg-open"));
    ~XdgOpener() override;

    bool Open(const QString& target) override;

    // The arguments the program is started with for `target`.
    static QStringList Arguments(const QString& target);

private:
    QString m_program;
};

} // namespace platform::shell
