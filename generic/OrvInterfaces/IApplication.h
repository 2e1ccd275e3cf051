#pragma once

#include "generic/OrvInterfaces/Enums.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"
#include "generic/OrvInterfaces/IRegistryManager.h"
#include "platform/com/Object.h"

#include <memory>

namespace orv {

// The generic application object: holds the one log writer and the one registry component.
class IApplication : public virtual platform::Object {
public:
    ~IApplication() override;

    virtual ILogTraceWriterPtr LogTraceWriter() = 0;
    virtual void SetLogTraceWriter(const ILogTraceWriterPtr& value) = 0;
    virtual IRegistryManagerPtr RegistryManager() = 0;
    virtual void SetRegistryManager(const IRegistryManagerPtr& value) = 0;
    virtual platform::ObjectPtr CreateObject(EnumObjectType en) = 0;
};

using IApplicationPtr = std::shared_ptr<IApplication>;

} // namespace orv
