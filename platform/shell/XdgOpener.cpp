#include "platform/shell/XdgOpener.h"

#include <QFileInfo>
#include <QProcess>

namespace platform::shell {

XdgOpener::XdgOpener(QString program) : m_program(std::move(program)) {}

XdgOpener::~XdgOpener() = default;

QStringList XdgOpener::Arguments(const QString& target) {
    // xdg-open would take a leading "-" for an option, so such a file goes by its absolute path.
    if (target.startsWith(QLatin1Char('-')))
        return {QFileInfo(target).absoluteFilePath()};
    return {target};
}

bool XdgOpener::Open(const QString& target) {
    if (target.isEmpty())
        return false;
    return QProcess::startDetached(m_program, Arguments(target));
}

} // namespace platform::shell
