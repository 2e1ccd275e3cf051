// A component library for the factory tests: one class, "Test.Thing".

#include "platform/com/ComponentServer.h"

namespace {

class Thing final : public platform::Object {};

platform::ObjectPtr CreateThing() {
    return std::make_shared<Thing>();
}

const platform::com::ClassEntry Classes[] = {
    {"Test.Thing", "{089B2940-937D-4B01-A738-189D573927EF}", &CreateThing},
};

} // namespace

AMB_COMPONENT_SERVER(Classes)
