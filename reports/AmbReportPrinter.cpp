#include "reports/Printer.h"

#include "platform/com/ComponentServer.h"

namespace {

const platform::com::ClassEntry Classes[] = {
    {"AmbReportPrinter.Printer", "{6D2E8C41-93B7-4F0A-A5D3-2C7E19B04F68}",
     &platform::com::MakeObject<amb::reports::Printer>},
};

} // namespace

AMB_COMPONENT_SERVER(Classes)
