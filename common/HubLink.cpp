#include "common/HubLink.h"

#include "common/StandardModule.h"
#include "platform/com/Error.h"

namespace amb {

void HubLink::Attach(const IApplicationPtr& hub) {
    m_hub = hub;
    if (!hub)
        return;
    const orv::IApplicationPtr generic = hub->OrvApplication();
    if (!generic)
        throw platform::Error::ObjectNotSet(m_source);
    const orv::ILogTraceWriterPtr writer = generic->LogTraceWriter();
    SetGlobalLogTraceWriter(writer);
    if (m_alsoTo)
        m_alsoTo(writer);
}

void HubLink::Release() {
    m_hub.reset();
    SetGlobalLogTraceWriter(nullptr);
    if (m_alsoTo)
        m_alsoTo(nullptr);
}

} // namespace amb
