#pragma once

#include "contracts/IApplication.h"
#include "generic/OrvInterfaces/IRegistryManager.h"
#include "platform/data/Dictionary.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace platform {
class DatabaseLock;
}

namespace amb::ambrel {

// Registry places of the main program.
inline constexpr char kSettingsKey[] = "SOFTWARE\\Orv Solutions\\Ambrel";
inline constexpr char kComponentsKey[] = "SOFTWARE\\Orv Solutions\\Ambrel\\Components";
inline constexpr char kUserKey[] = "Software\\Orv Solutions\\Ambrel";
inline constexpr char kSearchKey[] = "Software\\Orv Solutions\\Ambrel\\Search";
inline constexpr char kPersonSearchValue[] = "MRPersonSearch";
inline constexpr char kFamilySearchValue[] = "MRFamilySearch";
inline constexpr char kDatabaseFileName[] = "db.mdb";
// How many recent search texts the drop-down offers and the registry keeps.
inline constexpr int kMaxRecentSearches = 33;

// The application wrapper: creates and wires every component by the class names the registry holds,
// owns the hub and the two lists of recent search texts, and takes it all apart again at the end.
class CApplication {
public:
    CApplication();
    // A wrapper around components that are already wired (tests); CreateApplication is then not run.
    CApplication(IApplicationPtr hub, platform::DictionaryPtr mrPersonSearch, platform::DictionaryPtr mrFamilySearch);
    ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The hub; set only at the very end of a successful CreateApplication.
    IApplicationPtr AmbApplication() const { return m_ambApplication; }
    // Lower-case text -> text as typed, oldest first.
    platform::DictionaryPtr MRPersonSearch() const { return m_mrPersonSearch; }
    platform::DictionaryPtr MRFamilySearch() const { return m_mrFamilySearch; }

    // Wires the components. Throws platform::Error (number, description, source) on any failure, and
    // then leaves nothing attached: a half-wired hub is taken apart before the error passes on.
    bool CreateApplication();
    // Saves the recent searches, detaches every component from the hub (closing the log files) and
    // releases the hub. Never throws; a failing step is skipped.
    void DestroyApplication();

private:
    void SaveMRSearch();

    IApplicationPtr m_ambApplication;
    platform::DictionaryPtr m_mrPersonSearch;
    platform::DictionaryPtr m_mrFamilySearch;
    // Held from the database check to the end, so the repair tool leaves the open database alone.
    std::unique_ptr<platform::DatabaseLock> m_databaseLock;
};

// Splits a stored list ("Kim;kim;Lee;") into a dictionary: lower-case key -> first spelling, empty
// pieces skipped.
platform::DictionaryPtr StringArrayToDictionary(const QStringList& texts);
// The stored form of a recent-search list: the newest kMaxRecentSearches items, oldest first, each
// followed by ";". When a text holds ";" or a backslash, the list starts with ";" and those
// characters are escaped with a backslash, so that the text reads back whole.
QString RecentSearchText(const platform::Dictionary& dictionary);
// The texts of a stored recent-search list, in either stored form.
QStringList SplitRecentSearchText(const QString& stored);
// The connection string the database manager gets for an application folder.
QString BuildConnectionString(const QString& appDir);
// Takes every component off the hub in the shutdown order, closing the log files. Never throws.
void DetachHub(const IApplicationPtr& hub) noexcept;

} // namespace amb::ambrel
