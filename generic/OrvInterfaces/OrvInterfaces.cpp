#include "generic/OrvInterfaces/IApplication.h"
#include "generic/OrvInterfaces/IDefault.h"

// Out-of-line destructors: the contracts' type information lives in this one library.
namespace orv {

IDefault::~IDefault() = default;
ILogTraceWriter::~ILogTraceWriter() = default;
IRegistryManager::~IRegistryManager() = default;
IApplication::~IApplication() = default;

} // namespace orv
