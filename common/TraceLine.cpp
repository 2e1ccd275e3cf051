#include "common/StandardModule.h"

#include <utility>

namespace amb {

namespace {

// One per deliverable: AmbCommon is linked statically and built with hidden visibility, so each
// shared library and program that links it holds its own.
orv::ILogTraceWriterPtr& Writer() {
    static orv::ILogTraceWriterPtr writer;
    return writer;
}

bool NeedsEscape(char16_t c) {
    return c < 0x20 || c == 0x7F || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// Appends the text with line breaks and other control characters written as escapes.
void AppendEscaped(QString& line, const QString& text) {
    bool clean = true;
    for (const QChar c : text)
        clean = clean && !NeedsEscape(c.unicode());
    if (clean) {
        line += text;
        return;
    }
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!NeedsEscape(u))
            line += c;
        else if (u == u'\n')
            line += QLatin1String("\\n");
        else if (u == u'\r')
            line += QLatin1String("\\r");
        else if (u == u'\t')
            line += QLatin1String("\\t");
        else if (u < 0x100)
            line += QStringLiteral("\\x%1").arg(static_cast<uint>(u), 2, 16, QLatin1Char('0'));
        else
            line += QStringLiteral("\\u%1").arg(static_cast<uint>(u), 4, 16, QLatin1Char('0'));
    }
}

enum class Target { Trace, Log };

bool WriteLine(Target target, const QString& objectName, const QString& procedureName, const QString& description,
               int32_t level) noexcept {
    try {
        // A copy, so that a writer replaced from inside its own call stays alive until it returns.
        const orv::ILogTraceWriterPtr writer = Writer();
        if (!writer)
            return false;
        const bool on = target == Target::Trace ? writer->TraceOn() : writer->LogOn();
        if (on) {
            const QString line =
                FormatTraceLine(objectName, procedureName, description, level, QDateTime::currentDateTime());
            if (target == Target::Trace)
                writer->WriteTrace(line);
            else
                writer->WriteLog(line);
        }
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

QString TraceLevelMark(int32_t level) {
    switch (level) {
    case 7:
        return QStringLiteral("+++");
    case 8:
        return QStringLiteral("???");
    case 9:
        return QStringLiteral("!!!");
    default:
        return QStringLiteral("   ");
    }
}

QString FormatTraceLine(const QString& objectName, const QString& procedureName, const QString& description,
                        int32_t level, const QDateTime& moment) {
    QString line;
    line.reserve(40 + objectName.size() + procedureName.size() + description.size());
    line += TraceLevelMark(level);
    line += QLatin1String(" [");
    line += moment.toString(QStringLiteral("M/d/yyyy HH:mm:ss"));
    line += QLatin1String("] ");
    AppendEscaped(line, objectName);
    line += QLatin1Char('.');
    AppendEscaped(line, procedureName);
    if (!description.isEmpty()) {
        line += QLatin1String(" - ");
        AppendEscaped(line, description);
    }
    return line;
}

orv::ILogTraceWriterPtr GlobalLogTraceWriter() {
    return Writer();
}

void SetGlobalLogTraceWriter(orv::ILogTraceWriterPtr writer) {
    Writer() = std::move(writer);
}

bool WriteTraceLine(const QString& objectName, const QString& procedureName, const QString& description,
                    int32_t level) noexcept {
    if (!WriteLine(Target::Trace, objectName, procedureName, description, level))
        return false;
    if (level == 9)
        WriteLogLine(objectName, procedureName, description, level);
    return true;
}

bool WriteLogLine(const QString& objectName, const QString& procedureName, const QString& description,
                  int32_t level) noexcept {
    return WriteLine(Target::Log, objectName, procedureName, description, level);
}

} // namespace amb
