#include "tests/support/windows/FakeHub.h"

#include "platform/com/Error.h"
#include "tests/support/TempDir.h"

#include <QFile>

namespace test {

namespace {

constexpr int32_t kLastTextId = 340;

QString Unescape(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            result += c;
            continue;
        }
        const QChar next = text.at(++i);
        result += next == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                  : next == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                                             : next;
    }
    return result;
}

} // namespace

int32_t RecordingLogWriter::OpenLogTrace(const QString& strLogTraceDir, bool bIsLogOn, bool bIsTraceOn) {
    m_dir = strLogTraceDir;
    m_logOn = bIsLogOn;
    m_traceOn = bIsTraceOn;
    return 1;
}

int32_t RecordingLogWriter::WriteLog(const QString& strLog) {
    if (!m_logOn)
        return -1;
    logLines << strLog;
    return static_cast<int32_t>(strLog.size());
}

int32_t RecordingLogWriter::WriteTrace(const QString& strTrace) {
    if (!m_traceOn)
        return -1;
    traceLines << strTrace;
    return static_cast<int32_t>(strTrace.size());
}

platform::DictionaryPtr LoadStringTable(amb::EnumSupportedLocaleID lcid) {
    auto table = std::make_shared<platform::Dictionary>();
    QFile file(BuiltShareDir() + QLatin1Char('/') + QString::number(static_cast<int32_t>(lcid)) +
               QStringLiteral("/AmbResources.tsv"));
    const bool built = file.open(QIODevice::ReadOnly);
    QHash<int32_t, QString> texts;
    if (built) {
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).remove(QLatin1Char('\r'));
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const qsizetype tab = line.indexOf(QLatin1Char('\t'));
            bool ok = false;
            const int32_t id = line.left(tab).toInt(&ok);
            if (tab > 0 && ok)
                texts.insert(id, Unescape(line.mid(tab + 1)));
        }
    }
    for (int32_t id = 1; id <= kLastTextId; ++id) {
        const QString text = built ? texts.value(id) : QStringLiteral("Text %1").arg(id);
        table->SetItem(QString::number(id), text);
    }
    return table;
}

FakeHub::FakeHub(amb::EnumSupportedLocaleID guiLocale)
    : m_guiLocaleID(guiLocale), m_stringTable(LoadStringTable(guiLocale)) {}

platform::DictionaryPtr FakeHub::StringTable() {
    if (failStringTable)
        throw platform::Error(5, QStringLiteral("Invalid procedure call or argument"), QStringLiteral("FakeHub"));
    return m_stringTable;
}

} // namespace test
