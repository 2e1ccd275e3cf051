#pragma once

#include "platform/com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace orv {

// Keeps "Log.txt" and "Trace.txt" open and appends one line per call.
class ILogTraceWriter : public virtual platform::Object {
public:
    ~ILogTraceWriter() override;

    virtual bool LogOn() = 0;
    virtual void SetLogOn(bool value) = 0;
    virtual bool TraceOn() = 0;
    virtual void SetTraceOn(bool value) = 0;
    virtual QString LogTraceDir() = 0;
    virtual void SetLogTraceDir(const QString& value) = 0;

    virtual int32_t OpenLogTrace(const QString& strLogTraceDir, bool bIsLogOn, bool bIsTraceOn) = 0;
    virtual int32_t CloseLogTrace() = 0;
    virtual int32_t WriteLog(const QString& strLog) = 0;
    virtual int32_t WriteTrace(const QString& strTrace) = 0;
};

using ILogTraceWriterPtr = std::shared_ptr<ILogTraceWriter>;

} // namespace orv
