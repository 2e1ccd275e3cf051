#pragma once

#include "generic/OrvInterfaces/IApplication.h"

namespace orv::application {

// The generic application object: holds the one log writer and the one registry component.
class Manager final : public IApplication {
public:
    Manager() = default;
    ~Manager() override;
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    ILogTraceWriterPtr LogTraceWriter() override { return m_logTraceWriter; }
    void SetLogTraceWriter(const ILogTraceWriterPtr& value) override { m_logTraceWriter = value; }
    IRegistryManagerPtr RegistryManager() override { return m_registryManager; }
    void SetRegistryManager(const IRegistryManagerPtr& value) override { m_registryManager = value; }
    platform::ObjectPtr CreateObject(EnumObjectType en) override;

private:
    ILogTraceWriterPtr m_logTraceWriter;
    IRegistryManagerPtr m_registryManager;
};

} // namespace orv::application
