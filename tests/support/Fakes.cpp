#include "tests/support/Fakes.h"

#include "common/ResourceIDs.h"
#include "platform/com/Error.h"
#include "platform/data/Dictionary.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempDir.h"

#include <stdexcept>

namespace test {

int32_t RecordingLogWriter::OpenLogTrace(const QString& strLogTraceDir, bool bIsLogOn, bool bIsTraceOn) {
    m_dir = strLogTraceDir;
    logOn = bIsLogOn;
    traceOn = bIsTraceOn;
    return 0;
}

int32_t RecordingLogWriter::Write(bool on, QStringList& lines, const QString& line) {
    if (failWrites)
        throw std::runtime_error("disk full");
    if (!on)
        return -1;
    lines << line;
    allLines << line;
    if (onWrite)
        onWrite(line);
    return static_cast<int32_t>(line.size());
}

platform::DictionaryPtr LoadStringTable(amb::EnumSupportedLocaleID lcid) {
    const StringTableFile file =
        StringTableFile::Load(BuiltShareDir() + QLatin1Char('/') + QString::number(static_cast<int32_t>(lcid)) +
                              QStringLiteral("/AmbResources.tsv"));
    auto table = std::make_shared<platform::Dictionary>();
    for (int32_t id = 1; id <= amb::res::kLastId; ++id)
        table->SetItem(QString::number(id), file.texts.value(id));
    return table;
}

FakeHub::FakeHub(amb::EnumSupportedLocaleID guiLocale) : m_stringTable(LoadStringTable(guiLocale)) {
    m_GUILocaleID = guiLocale;
}

platform::DictionaryPtr FakeHub::StringTable() {
    if (failStringTable)
        throw platform::Error(5, QStringLiteral("Invalid procedure call or argument"), QStringLiteral("FakeHub"));
    return m_stringTable;
}

std::shared_ptr<FakeHub> HubWithWriter(const orv::ILogTraceWriterPtr& writer, amb::EnumSupportedLocaleID guiLocale) {
    auto generic = std::make_shared<FakeGenericApplication>();
    generic->SetLogTraceWriter(writer);
    auto hub = std::make_shared<FakeHub>(guiLocale);
    hub->SetOrvApplication(generic);
    return hub;
}

amb::EnumReportError FakeReportPrinter::PrintReport(const platform::DictionaryPtr& dict) {
    printed << m_reportName + QLatin1Char(':') + dict->Item(QStringLiteral("ID")).ToString();
    calls << QStringLiteral("PrintReport");
    dictionaries.push_back(dict->Items());
    return result;
}

} // namespace test
