#include "platform/shell/XdgOpener.h"

#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace platform::shell {

namespace {

// Starts `program` for `target` as a child that nobody waits for, and calls `failed` once when it
// never ran or ended with a failure. Its own session keeps a terminal's hang-up or Ctrl+C aimed at
// Ambrel from reaching the browser it starts; it has no parent object, so Ambrel's end does not kill it;
// it deletes itself once it has ended.
void StartHeard(const QString& program, const QString& target, std::function<void()> failed) {
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(XdgOpener::Arguments(target));
    process->setStandardInputFile(QProcess::nullDevice());
    // xdg-open writes nothing worth reading, and a browser that inherited a pipe would die of Ambrel's end.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setChildProcessModifier([] { ::setsid(); });
    QObject::connect(process, &QProcess::finished, process, [process, failed](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if ((status != QProcess::NormalExit || code != 0) && failed)
            failed();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash ends with finished() too
        process->deleteLater();
        if (failed)
            failed();
    });
    process->start();
}

} // namespace

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

void XdgOpener::OpenWatched(const QString& target, std::function<void()> failed) {
    if (target.isEmpty()) {
        if (failed)
            failed();
        return;
    }
    StartHeard(m_program, target, std::move(failed));
}

} // namespace platform::shell
