#pragma once

#include "database/DatabaseSchema.h"
#include "fixdb/MainModule.h"
#include "platform/data/SqliteConnection.h"
#include "platform/registry/Registry.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <ostream>
#include <vector>

namespace test {

struct ShownMessage {
    QString prompt;
    amb::fixdb::MessageIcon icon{};
    QString title;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
    friend void PrintTo(const ShownMessage& m, std::ostream* os) {
        *os << m.title.toStdString() << " (" << static_cast<int>(m.icon) << "): " << m.prompt.toStdString();
    }
};

class RecordedMessages final : public amb::fixdb::IMessageBoxes {
public:
    void Show(const QString& prompt, amb::fixdb::MessageIcon icon, const QString& title) override {
        shown.push_back({prompt, icon, title});
    }
    std::vector<ShownMessage> shown;
};

inline QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A temporary settings folder for the two AppDir keys, and database files made for the tests.
class FixDbTest : public ::testing::Test {
protected:
    // key 0 is "Orv Solutions", key 1 "Pellow Solutions".
    static void SetAppDir(int key, const QString& folder) {
        platform::registry::ScopedKey handle;
        const QString name = key == 0 ? "SOFTWARE\\Orv Solutions\\Ambrel" : "SOFTWARE\\Pellow Solutions\\Ambrel";
        ASSERT_EQ(platform::registry::CreateKey(platform::registry::LocalMachine, name, handle.Receive()), 0);
        ASSERT_EQ(platform::registry::SetString(handle.Get(), "AppDir", folder), 0);
    }
    QString Folder(const QString& name) {
        QDir().mkpath(m_dir.FilePath(name));
        return m_dir.FilePath(name);
    }
    // An Ambrel database with `rows` rows in an extra table, so tests can count what survived.
    static QString MakeDatabase(const QString& folder, int rows = 100) {
        const QString path = folder + "/db.mdb";
        amb::database::CreateDatabase(path, 1033);
        platform::SqliteConnection::Open(path)->ExecuteScript(
            QString("CREATE TABLE Filler(n INTEGER, pad BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 "
                    "FROM n WHERE i<%1) INSERT INTO Filler SELECT i, randomblob(300) FROM n;")
                .arg(rows));
        return path;
    }
    // Starts the writer program and waits until it reached the point its mode names.
    static void StartWriter(QProcess& process, const char* mode, const QString& path) {
        process.start(QStringLiteral(AMB_BINARY_DIR "/tests-bin/FixDbWriter"), {mode, path});
        ASSERT_TRUE(process.waitForReadyRead(30000)) << process.readAllStandardError().toStdString();
        ASSERT_EQ(process.readAllStandardOutput(), "ready\n");
    }
    // Runs the tool; returns its exit status and keeps the last message it showed.
    int Run(const QStringList& arguments = {}, size_t messages = 1) {
        RecordedMessages recorded;
        const int status = amb::fixdb::Main(arguments, recorded);
        EXPECT_EQ(recorded.shown.size(), messages);
        shown = recorded.shown.empty() ? ShownMessage{} : recorded.shown.back();
        return status;
    }

    TempDir m_dir;
    ShownMessage shown;
};

} // namespace test
