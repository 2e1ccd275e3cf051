#pragma once

#include "generic/OrvInterfaces/ILogTraceWriter.h"

#include <QFile>

#include <memory>

namespace orv::logtrace {

// Keeps "Log.txt" and "Trace.txt" open for appending; one call writes one line.
class Writer final : public ILogTraceWriter {
public:
    Writer() = default;
    ~Writer() override;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool LogOn() override { return m_logOn; }
    void SetLogOn(bool value) override { m_logOn = value; }
    bool TraceOn() override { return m_traceOn; }
    void SetTraceOn(bool value) override { m_traceOn = value; }
    QString LogTraceDir() override { return m_logTraceDir; }
    void SetLogTraceDir(const QString& value) override;

    int32_t OpenLogTrace(const QString& strLogTraceDir, bool bIsLogOn, bool bIsTraceOn) override;
    int32_t CloseLogTrace() override;
    int32_t WriteLog(const QString& strLog) override;
    int32_t WriteTrace(const QString& strTrace) override;

private:
    // Closes both files and clears the switches and the folder.
    void Reset();
    int32_t WriteLine(QFile* file, bool on, const QString& text);

    bool m_logOn = false;
    bool m_traceOn = false;
    QString m_logTraceDir;
    std::unique_ptr<QFile> m_log;
    std::unique_ptr<QFile> m_trace;
};

} // namespace orv::logtrace
