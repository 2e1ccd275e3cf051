#pragma once

#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <map>
#include <optional>

namespace test {

// A desktop of the test's own for the real opener: PATH starts with a folder holding a fake "xdg-open"
// (it writes its arguments to Opened() and ends with the status given) and, unless the system's own
// is asked for, a fake "xdg-mime" (it answers with the text given, nothing when empty). The
// freedesktop data and config folders are empty folders of its own, so the system's xdg-mime finds
// no program for any type either. The environment is restored afterwards.
class FakeDesktop {
public:
    struct Programs {
        const char* mimeAnswer; // what xdg-mime prints; nullptr: the system's xdg-mime answers
        int openerExit;         // xdg-open's exit status
    };

    explicit FakeDesktop(const Programs& programs) {
        const QDir root(m_dir.Path());
        for (const char* folder : {"bin", "data", "config"})
            root.mkpath(QLatin1String(folder));
        Script(QStringLiteral("xdg-open"),
               "printf '%s\\n' \"$@\" > \"" + QFile::encodeName(Opened()) + ".part\"\nmv \"" +
                   QFile::encodeName(Opened()) + ".part\" \"" + QFile::encodeName(Opened()) + "\"\nexit " +
                   QByteArray::number(programs.openerExit) + "\n");
        if (programs.mimeAnswer)
            Script(QStringLiteral("xdg-mime"), QByteArray("printf '%s' '") + programs.mimeAnswer + "'\n");
        const QByteArray bin = QFile::encodeName(m_dir.FilePath(QStringLiteral("bin")));
        Set("PATH", bin + ':' + qgetenv("PATH"));
        Set("XDG_DATA_HOME", QFile::encodeName(m_dir.FilePath(QStringLiteral("data"))));
        Set("XDG_DATA_DIRS", QFile::encodeName(m_dir.FilePath(QStringLiteral("data"))));
        Set("XDG_CONFIG_HOME", QFile::encodeName(m_dir.FilePath(QStringLiteral("config"))));
        Set("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.FilePath(QStringLiteral("config"))));
        // No desktop of the machine's own is detected: xdg-mime answers from the folders above.
        for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID", "DISPLAY", "WAYLAND_DISPLAY"})
            Set(name, std::nullopt);
    }
    ~FakeDesktop() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name.constData(), *value);
            else
                qunsetenv(name.constData());
        }
    }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    QString Opened() const { return m_dir.FilePath(QStringLiteral("opened.txt")); }
    // The arguments xdg-open was given, once it has written them (an empty list after 10 s). The events
    // go on meanwhile, as the opener hears its children through them.
    QStringList WaitForOpened() const {
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(Opened()) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QFile file(Opened());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    void Script(const QString& name, const QByteArray& body) {
        QFile file(m_dir.FilePath(QStringLiteral("bin/") + name));
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("#!/bin/sh\n" + body);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    void Set(const char* name, const std::optional<QByteArray>& value) {
        if (!m_saved.count(name))
            m_saved[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }

    TempDir m_dir;
    std::map<QByteArray, std::optional<QByteArray>> m_saved;
};

} // namespace test
