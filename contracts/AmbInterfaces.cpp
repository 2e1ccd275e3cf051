#include "contracts/IApplication.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IDefault.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "platform/com/Version.h"

// Out-of-line destructors: the contracts' type information lives in this one library.
namespace amb {

IDefault::~IDefault() = default;
IApplication::~IApplication() = default;
IDatabaseManager::~IDatabaseManager() = default;
IWindowLoader::~IWindowLoader() = default;
IReportPrinter::~IReportPrinter() = default;

} // namespace amb

AMB_VERSION_MARKER(AmbInterfacesVersion)
