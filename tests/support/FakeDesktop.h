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
        for (const char* folder : {"bin", "data/applications", "config"})
            QDir(m_dir.path()).mkpath(QLatin1String(folder));
        Write("bin/ambrel-test-browser",
              "#!/bin/sh\nworld=$(dirname \"$0\")/..\n"
              "printf '%s\\n' \"$PPID\" \"$1\" > \"$world/shown.part\" && mv \"$world/shown.part\" \"$world/shown\"\n");
        Write("bin/refuse", "#!/bin/sh\nexit 1\n");
        for (const char* fallback : {"run-mailcap", "mimeopen", "x-www-browser", "firefox", "iceweasel", "seamonkey",
                                     "mozilla", "epiphany", "konqueror", "chromium", "chromium-browser",
                                     "google-chrome", "www-browser", "links2", "elinks", "links", "lynx", "w3m"})
            QFile::link(QStringLiteral("refuse"), m_dir.filePath(QStringLiteral("bin/") + QLatin1String(fallback)));
        if (browser == Browser::Registered) {
            Write(
                "data/applications/ambrel-test-browser.desktop",
                "[Desktop Entry]\nType=Application\nName=Browser\nExec=ambrel-test-browser %f\nMimeType=text/html;\n");
            Write("config/mimeapps.list", "[Default Applications]\ntext/html=ambrel-test-browser.desktop\n");
        }
        const QByteArray world = QFile::encodeName(m_dir.path());
        Set("PATH", world + "/bin:/usr/bin:/bin");
        Set("XDG_DATA_HOME", world + "/data");
        Set("XDG_DATA_DIRS", world + "/data");
        Set("XDG_CONFIG_HOME", world + "/config");
        Set("XDG_CONFIG_DIRS", world + "/config");
        // xdg-open asks the desktop's program for a type, and tries the graphical browsers, only with a display.
        Set("DISPLAY", "no-display");
        Set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + world + "/no-bus");
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
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    // The file the browser was given; empty before.
    QString Shown() const { return Noted().value(1); }
    // The browser was started, and the xdg-open that started it has ended and been heard (it is reaped).
    bool OpenerEnded() const {
        const QStringList noted = Noted();
        return !noted.isEmpty() && ::kill(noted.front().toInt(), 0) != 0;
    }

private:
    QStringList Noted() const {
        QFile shown(m_dir.filePath(QStringLiteral("shown")));
        return shown.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(shown.readAll()).split(u'\n') : QStringList();
    }
    void Write(const char* name, const QByteArray& text) {
        QFile file(m_dir.filePath(QLatin1String(name)));
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
