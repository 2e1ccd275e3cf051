#pragma once

#include "contracts/IApplication.h"

#include <QString>

#include <memory>

namespace amb {

// The hub that a component was given, held weakly: the hub owns the component, so a strong
// reference would keep the two alive together. Attaching a hub makes the component's library write
// its trace and log lines through the hub's writer; attaching none keeps the writer, so the lines of
// the shutdown still have somewhere to go. Every component library attaches its hub through this.
class HubLink {
public:
    // Also hands the writer to another copy of the shared helpers the library holds (the windows'
    // base library has its own); none: only this library's copy.
    using WriterSink = void (*)(const orv::ILogTraceWriterPtr&);

    explicit HubLink(QString source, WriterSink alsoTo = nullptr) : m_source(std::move(source)), m_alsoTo(alsoTo) {}

    // Throws platform::Error 91 for a hub without a generic application (it has no writer); the
    // hub is held all the same.
    void Attach(const IApplicationPtr& hub);
    IApplicationPtr Hub() const { return m_hub.lock(); }
    // Takes the writer back from the library (the component ends).
    void Release();

private:
    QString m_source;
    WriterSink m_alsoTo;
    std::weak_ptr<IApplication> m_hub;
};

} // namespace amb
