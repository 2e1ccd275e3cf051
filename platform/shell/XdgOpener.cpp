#include "platform/shell/XdgOpener.h"

#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace platform::shell {

namespace {

// A child that nobody waits for. Its own session keeps a terminal's hang-up or Ctrl+C aimed at Ambrel
// from reaching the browser it starts; it has no parent object, so Ambrel's end does not kill it; it
// deletes itself once it has ended.
QProcess* NewChild(const QString& program, const QStringList& arguments) {
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setChildProcessModifier([] { ::setsid(); });
    return process;
}

// Starts `process` and calls `ended` once: with its end, or with started = false when it never ran.
void StartHearing(QProcess* process, std::function<void(bool started, bool succeeded)> ended) {
    QObject::connect(process, &QProcess::finished, process,
                     [process, ended](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         ended(true, status == QProcess::NormalExit && code == 0);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, ended](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash ends with finished() too
        process->deleteLater();
        ended(false, false);
    });
    process->start();
}

void StartOpener(const QString& program, const QString& target, std::function<void()> failed) {
    QProcess* opener = NewChild(program, XdgOpener::Arguments(target));
    // xdg-open writes nothing worth reading, and a browser that inherited a pipe would die of Ambrel's end.
    opener->setStandardOutputFile(QProcess::nullDevice());
    StartHearing(opener, [failed = std::move(failed)](bool, bool succeeded) {
        if (!succeeded && failed)
            failed();
    });
}

} // namespace

XdgOpener::XdgOpener(QString program, QString mimeQuery)
    : m_program(std::move(program)), m_mimeQuery(std::move(mimeQuery)) {}

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

void XdgOpener::OpenWatched(const QString& target, const QString& mimeType, std::function<void()> failed) {
    if (target.isEmpty()) {
        if (failed)
            failed();
        return;
    }
    if (mimeType.isEmpty()) {
        StartOpener(m_program, target, std::move(failed));
        return;
    }
    // Without a program for the type, xdg-open may fall back to a terminal browser with no terminal and
    // still end well; the desktop's own answer is the one to trust. A desktop without xdg-mime leaves
    // it to the opener.
    QProcess* query = NewChild(m_mimeQuery, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    StartHearing(query, [query, program = m_program, target, failed = std::move(failed)](bool started, bool) {
        if (started && query->readAllStandardOutput().trimmed().isEmpty()) {
            if (failed)
                failed();
            return;
        }
        StartOpener(program, target, failed);
    });
}

} // namespace platform::shell
