#include "generic/OrvApplication/Manager.h"

#include "platform/com/ComponentServer.h"
#include "platform/com/Guard.h"
#include "platform/data/Dictionary.h"

namespace orv::application {

Manager::~Manager() = default;

// Only the dictionary exists on this platform; a collection or a file-system object gives nothing.
platform::ObjectPtr Manager::CreateObject(EnumObjectType en) {
    return platform::com::Guarded(platform::ObjectPtr(), [&]() -> platform::ObjectPtr {
        if (en == EnumObjectType::Dictionary)
            return std::make_shared<platform::Dictionary>();
        return nullptr;
    });
}

} // namespace orv::application

namespace {
const platform::com::ClassEntry Classes[] = {
    {"OrvApplication.Manager", "{BE1414A3-7252-4A54-BBC9-C25DF8795E13}",
     &platform::com::MakeObject<orv::application::Manager>},
};
} // namespace

AMB_COMPONENT_SERVER(Classes)
