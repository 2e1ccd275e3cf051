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

namespace test {

// A real db.mdb made by CreateDatabase in a temporary folder, a Manager on it, and a second
// connection for looking at (or tampering with) the file directly.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = m_dir.FilePath(QStringLiteral("db.mdb"));
        amb::database::CreateDatabase(m_path, 1033);
        m_writer = std::make_shared<RecordingLogWriter>();
        amb::SetGlobalLogTraceWriter(m_writer);
        db = std::make_unique<amb::database::Manager>();
        db->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + m_path +
                                QStringLiteral("; Jet OLEDB:"));
        raw = platform::SqliteConnection::Open(m_path);
    }
    void TearDown() override {
        db.reset();
        amb::SetGlobalLogTraceWriter(nullptr);
    }

    int Count(const QString& sql, const platform::SqlParams& params = {}) {
        return raw->Query(sql, params)->Field(0).ToInt();
    }
    // Level-9 lines written since the last call.
    QStringList TakeFailures() {
        QStringList lines = m_writer->logLines;
        m_writer->logLines.clear();
        return lines;
    }
    platform::DictionaryPtr Person(const QString& lastName, const QString& firstName = QStringLiteral("Ann"),
                                   const QString& languageName = QString()) {
        return std::make_shared<platform::Dictionary>(std::initializer_list<std::pair<QString, platform::Variant>>{
            {QStringLiteral("ID"), 0},
            {QStringLiteral("LastName"), lastName},
            {QStringLiteral("FirstName"), firstName},
            {QStringLiteral("LanguageName"), languageName}});
    }
    int32_t NewPerson(const QString& lastName, const QString& firstName = QStringLiteral("Ann"),
                      const QString& languageName = QString()) {
        return db->UpdatePerson(Person(lastName, firstName, languageName));
    }

    test::TempDir m_dir;
    QString m_path;
    std::shared_ptr<RecordingLogWriter> m_writer;
    std::unique_ptr<amb::database::Manager> db;
    std::unique_ptr<platform::SqliteConnection> raw;
};

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

} // namespace test
