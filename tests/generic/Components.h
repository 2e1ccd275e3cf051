#pragma once

#include "generic/OrvInterfaces/IApplication.h"

#include <QString>

namespace test {

// Registers the built generic component libraries into the current registry folder.
void RegisterGenericComponents();

orv::IRegistryManagerPtr NewRegistryManager();
orv::ILogTraceWriterPtr NewLogTraceWriter();
orv::IApplicationPtr NewGenericApplication();

} // namespace test
