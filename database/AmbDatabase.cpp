#include "database/Manager.h"

#include "platform/com/ComponentServer.h"

namespace {

const platform::com::ClassEntry kClasses[] = {
    {"AmbDatabase.Manager", "{5B0E7A51-3C1D-4F3A-9E2B-A4B1C0D0A201}",
     &platform::com::MakeObject<amb::database::Manager>},
};

} // namespace

AMB_COMPONENT_SERVER(kClasses)
