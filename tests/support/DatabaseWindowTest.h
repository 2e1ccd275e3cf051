#pragma once

#include "common/LookupKinds.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/DatabaseTest.h"
#include "tests/support/WindowTest.h"

#include <memory>

namespace test {

// A window test over a real db.mdb: the installer's CreateDatabase in the temporary AppDir, the real
// database manager on the hub, and a raw connection for reading back what a window stored or for
// injecting faults (a trigger with RAISE(ABORT, ...) stops root too, unlike file modes).
// Link AmbDatabaseObjects and AmbWindowTestSupport.
class DatabaseWindowTest : public WindowTest {
protected:
    explicit DatabaseWindowTest(amb::EnumSupportedLocaleID guiLocale = amb::EnumSupportedLocaleID::English,
                                int32_t databaseLcid = 1033)
        : WindowTest(guiLocale) {
        m_path = m_temp.FilePath(QStringLiteral("db.mdb"));
        amb::database::CreateDatabase(m_path, databaseLcid);
        // The manager linked into the test writes through this executable's copy of the helpers.
        amb::SetGlobalLogTraceWriter(m_writer);
        db = std::make_shared<amb::database::Manager>();
        db->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + m_path +
                                QStringLiteral("; Jet OLEDB:"));
        SetDatabase(db);
        raw = platform::SqliteConnection::Open(m_path);
    }
    ~DatabaseWindowTest() override {
        SetDatabase(nullptr);
        db.reset();
        amb::SetGlobalLogTraceWriter(nullptr);
    }

    int Count(const QString& sql, const platform::SqlParams& params = {}) {
        return raw->Query(sql, params)->Field(0).ToInt();
    }
    // A value of the first row of a query, e.g. Value("SELECT LastName FROM Person WHERE ID=?", {id}).
    platform::Variant Value(const QString& sql, const platform::SqlParams& params = {}) {
        return raw->Query(sql, params)->Field(0);
    }
    // Makes every insert into (or update of) `table` fail inside the database, as a full disk or a
    // constraint would.
    void FailWrites(const QString& table, bool inserts = true, bool updates = true) {
        if (inserts)
            raw->Execute(QStringLiteral("CREATE TRIGGER fail_insert_%1 BEFORE INSERT ON %1 BEGIN "
                                        "SELECT RAISE(ABORT, 'refused by test'); END")
                             .arg(table));
        if (updates)
            raw->Execute(QStringLiteral("CREATE TRIGGER fail_update_%1 BEFORE UPDATE ON %1 BEGIN "
                                        "SELECT RAISE(ABORT, 'refused by test'); END")
                             .arg(table));
    }

    int32_t NewPerson(const QString& lastName, const QString& firstName = QStringLiteral("Ann"),
                      const QString& languageName = QString()) {
        return db->UpdatePerson(
            Record({{"ID", 0}, {"LastName", lastName}, {"FirstName", firstName}, {"LanguageName", languageName}}));
    }
    // A look-up row through the manager's own save, e.g. AddLookup(&Manager::UpdateGroupType, "Choir").
    // A look-up save reads the name from the column named after its table; the name goes under every
    // such column, and each save takes its own.
    int32_t AddLookup(int32_t (amb::IDatabaseManager::*save)(const platform::DictionaryPtr&), const QString& name) {
        auto record = Record({{"ID", 0}, {"Name", name}});
        for (const amb::LookupKind& kind : amb::kLookupKinds)
            if (!kind.fixed)
                record->SetItem(amb::NameColumn(kind), name);
        return (db.get()->*save)(record);
    }
    // A family or group with its head (the head's membership row flagged).
    int32_t NewFamily(const QString& name, int32_t head) {
        const int32_t family = db->UpdateFamily(Record({{"ID", 0}, {"Name", name}}));
        db->UpdatePersonToFamily(
            Record({{"ID", 0}, {"PersonID", head}, {"FamilyID", family}, {"IsHeadOfFamily", true}}));
        return family;
    }
    int32_t NewGroup(const QString& name, int32_t head, int32_t groupType = 1) {
        const int32_t group = db->UpdateGroup(Record({{"ID", 0}, {"Name", name}, {"GroupTypeID", groupType}}));
        db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", head}, {"GroupID", group}, {"IsHeadOfGroup", true}}));
        return group;
    }
    int32_t NewOffering(int32_t person, int32_t offeringType, const QDateTime& date, platform::Currency amount) {
        return db->UpdatePersonOffering(Record({{"ID", 0},
                                                {"PersonID", person},
                                                {"OfferingTypeID", offeringType},
                                                {"OfferingDate", date},
                                                {"Amount", amount}}));
    }

    QString m_path;
    std::shared_ptr<amb::database::Manager> db;
    std::unique_ptr<platform::SqliteConnection> raw;
};

} // namespace test
