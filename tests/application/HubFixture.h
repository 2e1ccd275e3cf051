#pragma once

#include "contracts/IApplication.h"
#include "generic/OrvInterfaces/IApplication.h"
#include "platform/com/Factory.h"
#include "platform/registry/Registry.h"
#include "tests/support/Installer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace test {

// A temporary installation and a hub wired as the main program wires it: every object created by
// the class name the registry holds.
class HubFixture : public ::testing::Test {
protected:
    void Install(const QStringList& options = {}) {
        const SetupResult result = RunInstaller(m_dir, options);
        ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    }

    QString ComponentClass(const QString& valueName) {
        namespace reg = platform::registry;
        reg::ScopedKey key;
        QString name;
        reg::OpenKey(reg::LocalMachine, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel\\Components"), key.Receive());
        reg::QueryString(key.Get(), valueName, name);
        return name;
    }

    // The hub with its generic application object, registry component and log writer.
    amb::IApplicationPtr CreateHub() {
        const QString hubClass = ComponentClass(QStringLiteral("ApplicationManager"));
        auto hub = platform::com::CreateObjectAs<amb::IApplication>(hubClass.isEmpty() ? QStringLiteral("AmbApplication.Manager")
                                                                                         : hubClass);
        auto generic = platform::com::CreateObjectAs<orv::IApplication>(QStringLiteral("OrvApplication.Manager"));
        hub->SetOrvApplication(generic);
        generic->SetLogTraceWriter(platform::com::CreateObjectAs<orv::ILogTraceWriter>(QStringLiteral("OrvLogTrace.Writer")));
        generic->SetRegistryManager(platform::com::CreateObjectAs<orv::IRegistryManager>(QStringLiteral("OrvRegistry.Manager")));
        return hub;
    }

    // Writes machine-wide settings directly, as another tool or an administrator might.
    void SetSetting(const QString& name, const QString& text) {
        namespace reg = platform::registry;
        reg::ScopedKey key;
        ASSERT_EQ(reg::CreateKey(reg::LocalMachine, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel"), key.Receive()), 0);
        ASSERT_EQ(reg::SetString(key.Get(), name, text), 0);
    }
    void SetSetting(const QString& name, uint32_t number) {
        namespace reg = platform::registry;
        reg::ScopedKey key;
        ASSERT_EQ(reg::CreateKey(reg::LocalMachine, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel"), key.Receive()), 0);
        ASSERT_EQ(reg::SetDWord(key.Get(), name, number), 0);
    }

    void RemoveSettings() {
        namespace reg = platform::registry;
        ASSERT_EQ(reg::DeleteTree(reg::LocalMachine, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel")), 0);
    }

    QString AppPath(const QString& relative = QString()) const {
        const QString app = InstalledAppDir(m_dir);
        return relative.isEmpty() ? app : QDir(app).filePath(relative);
    }

    void WriteText(const QString& path, const QByteArray& content) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    TempDir m_dir;
};

} // namespace test
