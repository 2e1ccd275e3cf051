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
// its class name.
class HubFixture : public ::testing::Test {
protected:
    void Install(const QStringList& options = {}) {
        const SetupResult result = RunInstaller(m_dir, options);
        ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    }

    // The hub with its generic application object, registry component and log writer.
    static amb::IApplicationPtr CreateHub() {
        using platform::com::CreateObjectAs;
        auto hub = CreateObjectAs<amb::IApplication>(QStringLiteral("AmbApplication.Manager"));
        auto generic = CreateObjectAs<orv::IApplication>(QStringLiteral("OrvApplication.Manager"));
        hub->SetOrvApplication(generic);
        generic->SetLogTraceWriter(CreateObjectAs<orv::ILogTraceWriter>(QStringLiteral("OrvLogTrace.Writer")));
        generic->SetRegistryManager(CreateObjectAs<orv::IRegistryManager>(QStringLiteral("OrvRegistry.Manager")));
        return hub;
    }

    // Writes a machine-wide setting directly, as another tool or an administrator might.
    template <class Value> void SetSetting(const QString& name, const Value& value) {
        namespace reg = platform::registry;
        reg::ScopedKey key;
        ASSERT_EQ(reg::CreateKey(reg::LocalMachine, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel"), key.Receive()),
                  0);
        if constexpr (std::is_same_v<Value, uint32_t>) {
            ASSERT_EQ(reg::SetDWord(key.Get(), name, value), 0);
        } else {
            ASSERT_EQ(reg::SetString(key.Get(), name, value), 0);
        }
    }

    void RemoveSettings() {
        namespace reg = platform::registry;
        ASSERT_EQ(reg::DeleteTree(reg::LocalMachine, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel")), 0);
    }

    QString AppPath(const QString& relative = QString()) const {
        return relative.isEmpty() ? InstalledAppDir(m_dir) : QDir(InstalledAppDir(m_dir)).filePath(relative);
    }

    TempDir m_dir;
};

} // namespace test
