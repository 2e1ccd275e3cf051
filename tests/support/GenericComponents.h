#pragma once

#include "generic/OrvInterfaces/IApplication.h"
#include "platform/com/Factory.h"
#include "tests/support/Components.h"

namespace test {

// Registers the built generic component libraries into the current registry folder.
inline void RegisterGenericComponents() {
    for (const char* name : {"libOrvRegistry.so", "libOrvLogTrace.so", "libOrvApplication.so"})
        RegisterBuiltComponent(QLatin1String(name));
}

inline orv::IRegistryManagerPtr NewRegistryManager() {
    return platform::com::CreateObjectAs<orv::IRegistryManager>(QStringLiteral("OrvRegistry.Manager"));
}

inline orv::ILogTraceWriterPtr NewLogTraceWriter() {
    return platform::com::CreateObjectAs<orv::ILogTraceWriter>(QStringLiteral("OrvLogTrace.Writer"));
}

} // namespace test
