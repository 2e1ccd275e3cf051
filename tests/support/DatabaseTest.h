#pragma once

#include "common/StandardModule.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>
#include <stdexcept>

namespace test {

// A record dictionary as the windows send it.
inline platform::DictionaryPtr Record(std::initializer_list<std::pair<QString, platform::Variant>> items) {
    return std::make_shared<platform::Dictionary>(items);
}

// The values of one column of a result set, in order.
inline QStringList Column(const platform::RecordsetPtr& rs, const QString& name) {
    QStringList values;
    if (!rs)
        return values;
    const int index = rs->FieldIndex(name);
    for (const auto& row : rs->Rows())
        values << row[static_cast<size_t>(index)].ToString();
    return values;
}

// The result set a member returned; a member that returned none fails the test (as a C++ exception
// the test reports) instead of crashing the test program.
inline platform::Recordset& NotNull(const platform::RecordsetPtr& rs) {
    if (!rs)
        throw std::runtime_error("the member returned no result set");
    return *rs;
}

// The texts of record ids, to compare with an "ID" column.
inline QStringList Ids(std::initializer_list<int32_t> ids) {
    QStringList texts;
    for (int32_t id : ids)
        texts << QString::number(id);
    return texts;
}

// A real db.mdb made by CreateDatabase in a temporary folder, a Manager on it, and a second
// connection for looking at (or tampering with) the file directly.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = m_dir.FilePath("db.mdb");
        amb::database::CreateDatabase(m_path, 1033);
        amb::SetGlobalLogTraceWriter(m_writer);
        db = std::make_unique<amb::database::Manager>();
        db->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + m_path + "; Jet OLEDB:");
        raw = platform::SqliteConnection::Open(m_path);
    }
    void TearDown() override {
        db.reset();
        amb::SetGlobalLogTraceWriter(nullptr);
    }

    int Count(const QString& sql, const platform::SqlParams& params = {}) {
        return raw->Query(sql, params)->Field(0).ToInt();
    }
    // Whether the member wrote its entry line ("IDatabaseManager_<member>()") since the trace lines
    // were last cleared; clears them.
    bool Traced(const QString& member) {
        const bool found = !m_writer->TraceLinesWith("IDatabaseManager_" + member + "()").isEmpty();
        m_writer->traceLines.clear();
        return found;
    }
    // Level-9 lines written since the last call.
    QStringList TakeFailures() { return std::exchange(m_writer->logLines, {}); }
    // The members named by the level-9 lines written since the last call ("IDatabaseManager_DeleteUser()").
    QStringList TakeFailedMembers() {
        QStringList members;
        for (const QString& line : TakeFailures())
            members << line.section(QStringLiteral("AmbDatabase.Manager."), 1).section(QStringLiteral(" - "), 0, 0);
        return members;
    }
    platform::DictionaryPtr Person(const QString& lastName, const QString& firstName = "Ann",
                                   const QString& languageName = QString()) {
        return Record({{"ID", 0}, {"LastName", lastName}, {"FirstName", firstName}, {"LanguageName", languageName}});
    }
    int32_t NewPerson(const QString& lastName, const QString& firstName = "Ann",
                      const QString& languageName = QString()) {
        return db->UpdatePerson(Person(lastName, firstName, languageName));
    }
    void DropContactRows(int32_t person) {
        for (const char* table : {"PersonAddress", "PersonPhoneNumber", "PersonEMailAddress"})
            raw->Execute(QString("DELETE FROM %1 WHERE PersonID=?").arg(QLatin1String(table)), {person});
    }

    TempDir m_dir;
    QString m_path;
    const std::shared_ptr<RecordingLogWriter> m_writer = std::make_shared<RecordingLogWriter>();
    std::unique_ptr<amb::database::Manager> db;
    std::unique_ptr<platform::SqliteConnection> raw;
};

} // namespace test
