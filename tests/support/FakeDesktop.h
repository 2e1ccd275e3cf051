#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <optional>
#include <utility>
#include <vector>

namespace test {

// A desktop of the test's own while it lives, where the system's real xdg-open and xdg-mime run as in a
// window manager's session: no desktop session named, a display named that nothing reaches, the
// freedesktop folders and the session bus in a folder of its own. Its one browser, registered for HTML
// or named in $BROWSER or neither, notes the file it was given; every other program that xdg-open
// falls back to refuses, so no browser of the machine ever starts.
class FakeDesktop {
public:
    enum class Browser { Registered, InBrowserVariable, None };

    explicit FakeDesktop(Browser browser) {
        QDir(m_dir.path()).mkpath(QStringLiteral("applications"));
        Write("ambrel-test-browser",
              "#!/bin/sh\nprintf '%s\\n' \"$PPID\" \"$1\" > \"$0.part\" && mv \"$0.part\" \"$0.shown\"\n");
        Write("refuse", "#!/bin/sh\nexit 1\n");
        for (const char* fallback : {"run-mailcap", "mimeopen", "x-www-browser", "firefox", "iceweasel", "seamonkey",
                                     "mozilla", "epiphany", "konqueror", "chromium", "chromium-browser",
                                     "google-chrome", "www-browser", "links2", "elinks", "links", "lynx", "w3m"})
            QFile::link(QStringLiteral("refuse"), m_dir.filePath(QLatin1String(fallback)));
        if (browser == Browser::Registered) {
            Write(
                "applications/ambrel-test-browser.desktop",
                "[Desktop Entry]\nType=Application\nName=Browser\nExec=ambrel-test-browser %f\nMimeType=text/html;\n");
            Write("mimeapps.list", "[Default Applications]\ntext/html=ambrel-test-browser.desktop\n");
        }
        const QByteArray folder = QFile::encodeName(m_dir.path());
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            Set(name, folder);
        Set("PATH", folder + ":/usr/bin:/bin");
        // xdg-open asks the desktop's program for a type, and tries the graphical browsers, only with a display.
        Set("DISPLAY", "no-display");
        Set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder + "/no-bus");
        Set("BROWSER",
            browser == Browser::InBrowserVariable ? std::optional<QByteArray>("ambrel-test-browser") : std::nullopt);
        for (const char* session :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
              "MATE_DESKTOP_SESSION_ID", "LXQT_SESSION_CONFIG", "DESKTOP", "XDG_MENU_PREFIX", "WAYLAND_DISPLAY"})
            Set(session, std::nullopt);
    }
    ~FakeDesktop() {
        for (const auto& [name, value] : m_saved)
            value ? qputenv(name, *value) : qunsetenv(name);
    }

    // The browser was given `file`, and the xdg-open that started it has ended and been heard (reaped).
    bool Showed(const QString& file) const {
        QFile shown(m_dir.filePath(QStringLiteral("ambrel-test-browser.shown")));
        const QStringList noted =
            shown.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(shown.readAll()).split(u'\n') : QStringList();
        return noted.value(1) == file && ::kill(noted.front().toInt(), 0) != 0;
    }

private:
    void Write(const char* name, const QByteArray& text) {
        QFile file(m_dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void Set(const char* name, const std::optional<QByteArray>& value) {
        m_saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        value ? qputenv(name, *value) : qunsetenv(name);
    }

    QTemporaryDir m_dir;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_saved;
};

} // namespace test
