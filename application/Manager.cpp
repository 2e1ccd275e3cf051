#include "application/Manager.h"

#include "application/StringTableFile.h"
#include "common/Values.h"
#include "platform/com/Guard.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace amb::application {

namespace {

const QString kSettingsKey = QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel");
const QString kFallbackLocaleFolder = QStringLiteral("1033");
const QString kStringTableFile = QStringLiteral("AmbResources.tsv");

QString BuildPath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

// Closes the registry component's open key however the reading ends.
class OpenKeyGuard {
public:
    explicit OpenKeyGuard(orv::IRegistryManagerPtr registry) : m_registry(std::move(registry)) {}
    ~OpenKeyGuard() {
        try {
            m_registry->CloseKey();
        } catch (...) {
        }
    }
    OpenKeyGuard(const OpenKeyGuard&) = delete;
    OpenKeyGuard& operator=(const OpenKeyGuard&) = delete;

private:
    orv::IRegistryManagerPtr m_registry;
};

} // namespace

Manager::Manager() = default;
Manager::~Manager() = default;

QString Manager::AppDir() {
    return m_appDir;
}
QString Manager::ReportDir() {
    return m_reportDir;
}
QString Manager::BackUpDir() {
    return m_backUpDir;
}

QString Manager::CompanyName() {
    return m_companyName;
}
void Manager::SetCompanyName(const QString& value) {
    m_companyName = value;
}
QString Manager::City() {
    return m_city;
}
void Manager::SetCity(const QString& value) {
    m_city = value;
}
QString Manager::State() {
    return m_state;
}
void Manager::SetState(const QString& value) {
    m_state = value;
}
QString Manager::Country() {
    return m_country;
}
void Manager::SetCountry(const QString& value) {
    m_country = value;
}
int32_t Manager::CurrentUserID() {
    return m_currentUserID;
}
void Manager::SetCurrentUserID(int32_t value) {
    m_currentUserID = value;
}
EnumSupportedLocaleID Manager::NameLocaleID() {
    return m_nameLocaleID;
}
void Manager::SetNameLocaleID(EnumSupportedLocaleID value) {
    m_nameLocaleID = value;
}
EnumSupportedLocaleID Manager::GUILocaleID() {
    return m_guiLocaleID;
}
void Manager::SetGUILocaleID(EnumSupportedLocaleID value) {
    m_guiLocaleID = value;
}
EnumAddressFormat Manager::DefaultAddressFormat() {
    return m_defaultAddressFormat;
}
void Manager::SetDefaultAddressFormat(EnumAddressFormat value) {
    m_defaultAddressFormat = value;
}
bool Manager::AutoBackUp() {
    return m_autoBackUp;
}
void Manager::SetAutoBackUp(bool value) {
    m_autoBackUp = value;
}
QString Manager::DateFormat() {
    return m_dateFormat;
}
void Manager::SetDateFormat(const QString& value) {
    m_dateFormat = value;
}

orv::IApplicationPtr Manager::OrvApplication() {
    return m_orvApplication;
}
void Manager::SetOrvApplication(const orv::IApplicationPtr& value) {
    m_orvApplication = value;
}
IDatabaseManagerPtr Manager::DatabaseManager() {
    return m_databaseManager;
}
void Manager::SetDatabaseManager(const IDatabaseManagerPtr& value) {
    m_databaseManager = value;
}
IWindowLoaderPtr Manager::WindowLoader() {
    return m_windowLoader;
}
void Manager::SetWindowLoader(const IWindowLoaderPtr& value) {
    m_windowLoader = value;
}
IReportPrinterPtr Manager::ReportPrinter() {
    return m_reportPrinter;
}
void Manager::SetReportPrinter(const IReportPrinterPtr& value) {
    m_reportPrinter = value;
}

platform::DictionaryPtr Manager::StringTable() {
    return m_stringTable;
}

// Reads the machine-wide settings. False when there are none to read: without the settings key
// there is no application directory, and the program must not work in whatever folder it was
// started from.
bool Manager::ReadSettings() {
    auto registry = [this] {
        auto manager = m_orvApplication ? m_orvApplication->RegistryManager() : nullptr;
        if (!manager)
            throw std::runtime_error("no registry component");
        return manager;
    };
    if (registry()->OpenKey(orv::EnumRootKey::HKEY_LOCAL_MACHINE, kSettingsKey) != 0)
        return false;
    const OpenKeyGuard guard(registry());

    // A value that is missing or cannot be read counts as empty or 0.
    auto text = [&](const char* name) {
        QString value;
        if (registry()->GetStringValue(QString::fromLatin1(name), value) != 0)
            value.clear();
        return value;
    };
    auto number = [&](const char* name) {
        int32_t value = 0;
        if (registry()->GetIntegerValue(QString::fromLatin1(name), value) != 0)
            value = 0;
        return value;
    };
    m_appDir = text("AppDir");
    m_companyName = text("CompanyName");
    m_city = text("City");
    m_state = text("State");
    m_country = text("Country");
    m_nameLocaleID = static_cast<EnumSupportedLocaleID>(number("NameLocaleID"));
    m_guiLocaleID = static_cast<EnumSupportedLocaleID>(number("GUILocaleID"));
    m_defaultAddressFormat = static_cast<EnumAddressFormat>(number("DefaultAddressFormat"));
    m_autoBackUp = number("AutoBackUp") != 0;
    m_dateFormat = text("DateFormat");
    if (m_dateFormat.isEmpty())
        m_dateFormat = DefaultDateFormat();
    m_logOn = number("LogOn") != 0;
    m_traceOn = number("TraceOn") != 0;
    return true;
}

void Manager::LoadStrings() {
    // The language's own folder when it has its string table, else the English one.
    QString localeFolder = BuildPath(m_appDir, QString::number(static_cast<int32_t>(m_guiLocaleID)));
    const QString fallbackFolder = BuildPath(m_appDir, kFallbackLocaleFolder);
    if (!QFileInfo(BuildPath(localeFolder, kStringTableFile)).isFile())
        localeFolder = fallbackFolder;
    // A text the language's table lacks shows in English.
    platform::DictionaryPtr fallback;
    if (localeFolder != fallbackFolder)
        fallback = LoadStringTable(BuildPath(fallbackFolder, kStringTableFile));
    m_stringTable = LoadStringTable(BuildPath(localeFolder, kStringTableFile), fallback.get());
    m_reportDir = BuildPath(localeFolder, QStringLiteral("Report"));
}

int32_t Manager::OpenApplication() {
    return platform::com::Guarded<int32_t>(-1, [this]() -> int32_t {
        if (!ReadSettings())
            return -1;
        // A relative folder would be found from wherever the program happened to start.
        if (m_appDir.isEmpty() || QDir::isRelativePath(m_appDir) || !QFileInfo(m_appDir).isDir())
            return -1;
        const auto writer = m_orvApplication->LogTraceWriter();
        if (!writer)
            return -1;
        writer->OpenLogTrace(m_appDir, m_logOn, m_traceOn);
        m_backUpDir = BuildPath(m_appDir, QStringLiteral("BackUp"));
        LoadStrings();
        return 1;
    });
}

int32_t Manager::CloseApplication() {
    try {
        if (m_stringTable)
            m_stringTable->RemoveAll();
    } catch (...) {
    }
    m_stringTable.reset();
    m_databaseManager.reset();
    m_orvApplication.reset();
    m_windowLoader.reset();
    m_reportPrinter.reset();
    return 0;
}

} // namespace amb::application
