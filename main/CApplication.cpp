#include "main/CApplication.h"

#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "database/DatabaseSchema.h"
#include "platform/com/Error.h"
#include "platform/com/Factory.h"
#include "platform/data/DatabaseFile.h"
#include "platform/registry/Registry.h"

#include <QDir>
#include <QFileInfo>

namespace amb::ambrel {

namespace {

using orv::EnumRootKey;
using platform::com::CreateObjectAs;

const QString kSource = QStringLiteral("Ambrel");

// Error numbers of the old run-time for the two ways the installation can be missing.
constexpr int32_t kErrorFileNotFound = 53;
constexpr int32_t kErrorPermissionDenied = 70;
constexpr int32_t kErrorPathNotFound = 76;
constexpr int32_t kErrorBadFileFormat = 321;
// A repair that holds the database gets this long to finish before the program starts without waiting.
constexpr int kRepairWaitMs = 3000;

namespace reg = platform::registry;

QString ReadString(orv::IRegistryManager& registry, const QString& name) {
    QString value;
    registry.GetStringValue(name, value);
    return value;
}

reg::Key RegistryRoot(EnumRootKey root) {
    switch (root) {
    case EnumRootKey::HKEY_CLASSES_ROOT:
        return reg::ClassesRoot;
    case EnumRootKey::HKEY_CURRENT_USER:
        return reg::CurrentUser;
    default:
        return reg::LocalMachine;
    }
}

// A settings file that cannot be read ends the start-up naming the file and line. The text is fixed
// English: the string tables are found through these very settings.
[[noreturn]] void ThrowUnreadableSettings(reg::Key root, int32_t status) {
    const reg::Damage damage = reg::LastDamage(root);
    const QString path = damage.path.isEmpty()
                             ? QDir(reg::RegistryDir()).filePath(reg::RootName(root) + QStringLiteral(".reg"))
                             : damage.path;
    const QString where =
        damage.line > 0
            ? QStringLiteral("The settings file \"%1\" cannot be read at line %2: registry status %3. Correct that "
                             "line or restore the file, then start Ambrel again.")
                  .arg(path)
                  .arg(damage.line)
                  .arg(reg::StatusText(status))
            : QStringLiteral("The settings file \"%1\" cannot be read: registry status %2.")
                  .arg(path, reg::StatusText(status));
    throw platform::Error(status, where, kSource);
}

// Missing values are the program's to handle; any other status means the file could not be read.
void CheckRegistryStatus(EnumRootKey root, int32_t status) {
    if (status != reg::Status::Success && status != reg::Status::FileNotFound)
        ThrowUnreadableSettings(RegistryRoot(root), status);
}

// Every settings file is read before a component is created through it, so a damaged file is named
// instead of surfacing as a class that cannot be found.
void CheckSettingsFiles() {
    for (const reg::Key root : {reg::ClassesRoot, reg::LocalMachine, reg::CurrentUser}) {
        reg::ScopedKey key;
        const int32_t status = reg::OpenKey(root, QString(), key.Receive());
        if (status != reg::Status::Success && status != reg::Status::FileNotFound)
            ThrowUnreadableSettings(root, status);
    }
}

// A component's class name from the installation's settings; a missing one is named, not looked up as "".
QString ReadComponentName(orv::IRegistryManager& registry, const char* name) {
    QString value;
    const int32_t status = registry.GetStringValue(QLatin1String(name), value);
    CheckRegistryStatus(EnumRootKey::HKEY_LOCAL_MACHINE, status);
    if (status != reg::Status::Success || value.trimmed().isEmpty()) {
        throw platform::Error(kErrorFileNotFound,
                              QStringLiteral("The settings do not name the component \"%1\" (%2). Run ambrel-setup "
                                             "to repair the installation.")
                                  .arg(QLatin1String(name), QLatin1String(kComponentsKey)),
                              kSource);
    }
    return value;
}

// The start-up's refusals reach Log.txt too: the hub's writer is open by now, though the program's
// own lines go through it only once the start-up is done.
class StartUpLog {
public:
    explicit StartUpLog(const IApplicationPtr& hub) : m_before(GlobalLogTraceWriter()) {
        if (!m_before && hub->OrvApplication())
            SetGlobalLogTraceWriter(hub->OrvApplication()->LogTraceWriter());
    }
    ~StartUpLog() { SetGlobalLogTraceWriter(m_before); }
    StartUpLog(const StartUpLog&) = delete;
    StartUpLog& operator=(const StartUpLog&) = delete;

    [[noreturn]] static void Refuse(int32_t number, const QString& message, const QString& detail = QString()) {
        WriteLogLine(kSource, QStringLiteral("CheckInstallation()"),
                     detail.isEmpty() ? message : message + QStringLiteral(" (") + detail + QLatin1Char(')'), 9);
        throw platform::Error(number, message, kSource);
    }

private:
    orv::ILogTraceWriterPtr m_before;
};

// The main program opens an existing database and never creates one: a missing application folder
// or database file ends the start-up here, before any component could create a file.
void CheckInstallation(const IApplicationPtr& hub, int32_t openResult) {
    const StartUpLog log(hub);
    const QString appDir = hub->AppDir();
    if (openResult < 1 || appDir.isEmpty() || !QFileInfo(appDir).isDir()) {
        StartUpLog::Refuse(kErrorPathNotFound, QStringLiteral("The application folder \"%1\" does not exist. Run "
                                                              "ambrel-setup to install Ambrel.")
                                                   .arg(appDir));
    }
    const QFileInfo database(QDir(appDir).filePath(QLatin1String(kDatabaseFileName)));
    if (!database.exists()) {
        StartUpLog::Refuse(kErrorFileNotFound, QStringLiteral("The database file \"%1\" does not exist. Run "
                                                              "ambrel-setup to create it, or restore a backup.")
                                                   .arg(database.filePath()));
    }
    if (!database.isFile() || !database.isReadable()) {
        StartUpLog::Refuse(kErrorPermissionDenied,
                           QStringLiteral("The database file \"%1\" cannot be read.").arg(database.filePath()));
    }
    // A file that is empty, no SQLite file or of another schema would only fail later, without its cause.
    const database::DatabaseFileCheck check = database::CheckDatabaseFile(database.filePath());
    if (!check.problem.isEmpty()) {
        // A later Ambrel's file is left alone by the repair tool, so the tool is not offered.
        StartUpLog::Refuse(kErrorBadFileFormat,
                           LoadResString(hub, check.newer ? res::kMsgNewerDatabase : res::kMsgNotAmbrelDatabase)
                               .replace(QStringLiteral("%1"), QDir::toNativeSeparators(database.filePath())),
                           check.problem);
    }
}

// Loads one recent-search list; a missing or empty value is written back as an empty text.
platform::DictionaryPtr LoadRecentSearches(orv::IRegistryManager& registry, const QString& name) {
    const QString stored = ReadString(registry, name);
    if (stored.isEmpty()) {
        registry.SetStringValue(name, QString());
        return StringArrayToDictionary({});
    }
    return StringArrayToDictionary(SplitRecentSearchText(stored));
}

// The hub's log writer, or none.
orv::ILogTraceWriterPtr HubWriter(const IApplicationPtr& hub, const QString& procedure) noexcept {
    return CatchAll(kSource, procedure, orv::ILogTraceWriterPtr(), [&] {
        const orv::IApplicationPtr generic = hub ? hub->OrvApplication() : nullptr;
        return generic ? generic->LogTraceWriter() : nullptr;
    });
}

// One step of the shutdown: a failure does not keep the later steps from releasing what they hold.
// The shutdown writes no trace lines, but a failed step writes its level-9 line through the hub's
// writer while that is still open.
template <typename F> void Try(const orv::ILogTraceWriterPtr& writer, const QString& procedure, F&& step) noexcept {
    try {
        step();
    } catch (...) {
        const orv::ILogTraceWriterPtr before = GlobalLogTraceWriter();
        SetGlobalLogTraceWriter(writer);
        WriteFailureLine(kSource, procedure);
        SetGlobalLogTraceWriter(before);
    }
}

} // namespace

CApplication::CApplication() = default;

CApplication::CApplication(IApplicationPtr hub, platform::DictionaryPtr mrPersonSearch,
                           platform::DictionaryPtr mrFamilySearch)
    : m_ambApplication(std::move(hub)), m_mrPersonSearch(std::move(mrPersonSearch)),
      m_mrFamilySearch(std::move(mrFamilySearch)) {}

CApplication::~CApplication() {
    DestroyApplication();
}

platform::DictionaryPtr StringArrayToDictionary(const QStringList& texts) {
    auto dictionary = std::make_shared<platform::Dictionary>();
    for (const QString& item : texts) {
        const QString text = AsString(platform::Variant(item));
        if (text.isEmpty())
            continue;
        const QString key = text.toLower();
        if (!dictionary->Exists(key))
            dictionary->SetItem(key, text);
    }
    return dictionary;
}

QString RecentSearchText(const platform::Dictionary& dictionary) {
    // The dictionary runs oldest to newest; keep the newest ones, in their order.
    const auto& items = dictionary.Items();
    const std::size_t first = items.size() > kMaxRecentSearches ? items.size() - kMaxRecentSearches : 0;
    bool escape = false;
    for (std::size_t i = first; i < items.size() && !escape; ++i) {
        const QString item = items[i].second.ToString();
        escape = item.contains(QLatin1Char(';')) || item.contains(QLatin1Char('\\'));
    }
    // Lists without ";" or a backslash keep the plain form that earlier versions wrote and read.
    QString text = escape ? QStringLiteral(";") : QString();
    for (std::size_t i = first; i < items.size(); ++i) {
        QString item = items[i].second.ToString();
        if (escape) {
            item.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
            item.replace(QLatin1Char(';'), QStringLiteral("\\;"));
        }
        text += item + QLatin1Char(';');
    }
    return text;
}

QStringList SplitRecentSearchText(const QString& stored) {
    // A plain list, as earlier versions wrote it (one of those that starts with ";" reads the same
    // either way, unless it holds a backslash).
    if (!stored.startsWith(QLatin1Char(';')))
        return stored.split(QLatin1Char(';'));
    QStringList texts;
    QString text;
    for (qsizetype i = 1; i < stored.size(); ++i) {
        const QChar c = stored.at(i);
        if (c == QLatin1Char('\\') && i + 1 < stored.size() &&
            (stored.at(i + 1) == QLatin1Char(';') || stored.at(i + 1) == QLatin1Char('\\'))) {
            text += stored.at(++i);
        } else if (c == QLatin1Char(';')) {
            texts << text;
            text.clear();
        } else {
            text += c;
        }
    }
    texts << text;
    return texts;
}

QString BuildConnectionString(const QString& appDir) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") +
           QDir(appDir).filePath(QLatin1String(kDatabaseFileName)) + QStringLiteral("; Jet OLEDB:");
}

void DetachHub(const IApplicationPtr& hub) noexcept {
    if (!hub)
        return;
    const QString procedure = QStringLiteral("DetachHub()");
    const orv::ILogTraceWriterPtr log = HubWriter(hub, procedure);
    Try(log, procedure, [&] {
        if (auto loader = hub->WindowLoader()) {
            loader->SetAmbApplication(nullptr);
            hub->SetWindowLoader(nullptr);
        }
    });
    Try(log, procedure, [&] {
        if (auto database = hub->DatabaseManager()) {
            database->SetAmbApplication(nullptr);
            hub->SetDatabaseManager(nullptr);
        }
    });
    Try(log, procedure, [&] {
        if (auto printer = hub->ReportPrinter()) {
            printer->SetAmbApplication(nullptr);
            hub->SetReportPrinter(nullptr);
        }
    });
    Try(log, procedure, [&] {
        if (auto generic = hub->OrvApplication()) {
            Try(log, procedure, [&] {
                if (auto writer = generic->LogTraceWriter()) {
                    writer->CloseLogTrace();
                    generic->SetLogTraceWriter(nullptr);
                }
            });
            Try(log, procedure, [&] {
                if (generic->RegistryManager())
                    generic->SetRegistryManager(nullptr);
            });
            hub->SetOrvApplication(nullptr);
        }
    });
}

bool CApplication::CreateApplication() {
    CheckSettingsFiles();
    auto registry = CreateObjectAs<orv::IRegistryManager>(QStringLiteral("OrvRegistry.Manager"));

    CheckRegistryStatus(EnumRootKey::HKEY_LOCAL_MACHINE,
                        registry->OpenKey(EnumRootKey::HKEY_LOCAL_MACHINE, QLatin1String(kComponentsKey)));
    const QString applicationManager = ReadComponentName(*registry, "ApplicationManager");
    const QString databaseManager = ReadComponentName(*registry, "DatabaseManager");
    const QString reportPrinter = ReadComponentName(*registry, "ReportPrinter");
    const QString windowManager = ReadComponentName(*registry, "WindowManager");
    registry->CloseKey();

    auto hub = CreateObjectAs<IApplication>(applicationManager);
    // Whatever fails from here on, the components already attached are taken off the hub again, so
    // that the reference cycles between hub and components cannot keep them (and the log files) alive.
    struct Unwire {
        IApplicationPtr hub;
        bool done = false;
        ~Unwire() {
            if (!done)
                DetachHub(hub);
        }
    } unwire{hub};

    auto generic = CreateObjectAs<orv::IApplication>(QStringLiteral("OrvApplication.Manager"));
    hub->SetOrvApplication(generic);
    generic->SetLogTraceWriter(CreateObjectAs<orv::ILogTraceWriter>(QStringLiteral("OrvLogTrace.Writer")));
    generic->SetRegistryManager(registry);
    registry.reset();

    const int32_t opened = hub->OpenApplication();
    CheckInstallation(hub, opened);
    m_databaseLock =
        std::make_unique<platform::DatabaseLock>(QDir(hub->AppDir()).filePath(QLatin1String(kDatabaseFileName)),
                                                 platform::DatabaseLock::Mode::Shared, kRepairWaitMs);

    {
        auto reg = generic->RegistryManager();
        // A key that cannot be made is no reason to stop: the recent searches are then not kept.
        const auto openOrCreate = [&](const char* key) {
            const int32_t opened = reg->OpenKey(EnumRootKey::HKEY_CURRENT_USER, QLatin1String(key));
            CheckRegistryStatus(EnumRootKey::HKEY_CURRENT_USER, opened);
            if (opened != 0)
                reg->CreateKey(EnumRootKey::HKEY_CURRENT_USER, QLatin1String(key));
        };
        openOrCreate(kUserKey);
        reg->CloseKey();
        openOrCreate(kSearchKey);
        auto personSearch = LoadRecentSearches(*reg, QLatin1String(kPersonSearchValue));
        auto familySearch = LoadRecentSearches(*reg, QLatin1String(kFamilySearchValue));
        reg->CloseKey();
        m_mrPersonSearch = std::move(personSearch);
        m_mrFamilySearch = std::move(familySearch);
    }

    auto database = CreateObjectAs<IDatabaseManager>(databaseManager);
    hub->SetDatabaseManager(database);
    database->SetAmbApplication(hub);
    database->SetDatabaseType(EnumDatabaseType::MSAccess);
    database->SetConnectionString(BuildConnectionString(hub->AppDir()));

    auto loader = CreateObjectAs<IWindowLoader>(windowManager);
    hub->SetWindowLoader(loader);
    loader->SetAmbApplication(hub);

    auto printer = CreateObjectAs<IReportPrinter>(reportPrinter);
    hub->SetReportPrinter(printer);
    printer->SetAmbApplication(hub);
    printer->InitializeReportPrinter();

    unwire.done = true;
    m_ambApplication = hub;
    return true;
}

void CApplication::SaveMRSearch() {
    if (!m_mrPersonSearch && !m_mrFamilySearch)
        return;
    if (!m_ambApplication || !m_ambApplication->OrvApplication())
        return;
    auto registry = m_ambApplication->OrvApplication()->RegistryManager();
    if (!registry)
        return;
    const std::pair<const char*, platform::DictionaryPtr> lists[] = {
        {kPersonSearchValue, m_mrPersonSearch},
        {kFamilySearchValue, m_mrFamilySearch},
    };
    for (const auto& [name, dictionary] : lists) {
        if (!dictionary)
            continue;
        if (registry->OpenKey(EnumRootKey::HKEY_CURRENT_USER, QLatin1String(kSearchKey)) != 0)
            registry->CreateKey(EnumRootKey::HKEY_CURRENT_USER, QLatin1String(kSearchKey));
        registry->SetStringValue(QLatin1String(name), RecentSearchText(*dictionary));
        registry->CloseKey();
    }
}

void CApplication::DestroyApplication() {
    const QString procedure = QStringLiteral("DestroyApplication()");
    const orv::ILogTraceWriterPtr log = HubWriter(m_ambApplication, procedure);
    Try(log, procedure, [&] { SaveMRSearch(); });
    Try(log, procedure, [&] {
        if (m_mrPersonSearch)
            m_mrPersonSearch->RemoveAll();
        m_mrPersonSearch.reset();
    });
    Try(log, procedure, [&] {
        if (m_mrFamilySearch)
            m_mrFamilySearch->RemoveAll();
        m_mrFamilySearch.reset();
    });
    if (m_ambApplication) {
        DetachHub(m_ambApplication);
        m_ambApplication.reset();
    }
    m_databaseLock.reset();
}

} // namespace amb::ambrel
