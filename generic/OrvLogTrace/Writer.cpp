#include "generic/OrvLogTrace/Writer.h"

#include "platform/com/ComponentServer.h"
#include "platform/com/Guard.h"

#include <QDir>
#include <QFileInfo>

namespace orv::logtrace {

using platform::com::Guarded;

namespace {

constexpr int32_t Failure = -1;

std::unique_ptr<QFile> OpenForAppending(const QString& folder, const QString& name) {
    auto file = std::make_unique<QFile>(QDir(folder).filePath(name));
    // The lines name members and what they did: the owner's alone, like the database.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                    QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return nullptr;
    return file;
}

// A line break inside a message would let it pass for further lines of its own making, so
// carriage returns and line feeds are written as the two characters "\r" and "\n".
QByteArray OneLine(const QString& text) {
    QByteArray line = text.toUtf8();
    line.replace('\r', "\\r");
    line.replace('\n', "\\n");
    line += '\n';
    return line;
}

} // namespace

Writer::~Writer() = default;

void Writer::SetLogTraceDir(const QString& value) {
    m_logTraceDir = value;
}

void Writer::Reset() {
    m_logTraceDir.clear();
    m_logOn = false;
    m_traceOn = false;
    m_log.reset();
    m_trace.reset();
}

int32_t Writer::OpenLogTrace(const QString& strLogTraceDir, bool bIsLogOn, bool bIsTraceOn) {
    return Guarded(Failure, [&] {
        Reset();
        if (strLogTraceDir.isEmpty() || !QFileInfo(strLogTraceDir).isDir())
            return Failure;
        auto log = OpenForAppending(strLogTraceDir, QStringLiteral("Log.txt"));
        auto trace = OpenForAppending(strLogTraceDir, QStringLiteral("Trace.txt"));
        if (!log || !trace)
            return Failure;
        m_logTraceDir = strLogTraceDir;
        m_logOn = bIsLogOn;
        m_traceOn = bIsTraceOn;
        m_log = std::move(log);
        m_trace = std::move(trace);
        return 0;
    });
}

int32_t Writer::CloseLogTrace() {
    return Guarded(Failure, [&] {
        Reset();
        return 0;
    });
}

int32_t Writer::WriteLine(QFile* file, bool on, const QString& text) {
    return Guarded(Failure, [&] {
        // The file is there only while the writer is open.
        if (!on || !file)
            return Failure;
        const QByteArray line = OneLine(text);
        // Unbuffered: each line reaches the file at once, and a failed write leaves nothing behind to repeat.
        if (file->write(line) != line.size() || !file->flush())
            return Failure;
        return static_cast<int32_t>(text.size());
    });
}

int32_t Writer::WriteLog(const QString& strLog) {
    return WriteLine(m_log.get(), m_logOn, strLog);
}

int32_t Writer::WriteTrace(const QString& strTrace) {
    return WriteLine(m_trace.get(), m_traceOn, strTrace);
}

} // namespace orv::logtrace

namespace {
const platform::com::ClassEntry Classes[] = {
    {"OrvLogTrace.Writer", "{79687A47-2E95-49A6-A1AD-F104877FCF72}", &platform::com::MakeObject<orv::logtrace::Writer>},
};
} // namespace

AMB_COMPONENT_SERVER(Classes)
