#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <optional>
#include <utility>
#include <vector>

namespace test {

// A desktop of the test's own while it lives: PATH finds first an "xdg-open" that notes its id and ends
// with `openerExit`; the freedesktop folders are a folder of its own, where the system's xdg-mime finds a
// program for HTML only when `browser`.
class FakeDesktop {
public:
    FakeDesktop(bool browser, int openerExit) {
        Write("xdg-open", "#!/bin/sh\necho $$ > \"$0-ran\"\nexit " + QByteArray::number(openerExit) + "\n");
        QFile::setPermissions(m_dir.filePath("xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
        if (browser && QDir(m_dir.path()).mkpath("applications"))
            Write("applications/defaults.list", "[Default Applications]\ntext/html=browser.desktop\n");
        const QByteArray folder = QFile::encodeName(m_dir.path());
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            Set(name, folder);
        Set("XDG_CURRENT_DESKTOP", "X-Generic"); // no desktop of the machine's own answers
        Set("PATH", folder + ':' + qgetenv("PATH"));
    }
    ~FakeDesktop() {
        for (const auto& [name, value] : m_saved)
            value ? qputenv(name, *value) : qunsetenv(name);
    }
    // xdg-open ran, and its parent has heard its end (the child is reaped).
    bool OpenerEnded() const {
        QFile ran(m_dir.filePath("xdg-open-ran"));
        return ran.open(QIODevice::ReadOnly) && ::kill(ran.readAll().trimmed().toInt(), 0) != 0;
    }

private:
    void Write(const char* name, const QByteArray& text) {
        QFile file(m_dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    void Set(const char* name, const QByteArray& value) {
        m_saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv(name, value);
    }

    QTemporaryDir m_dir;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_saved;
};

} // namespace test
