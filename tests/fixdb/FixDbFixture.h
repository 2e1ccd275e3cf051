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

#include <vector>

namespace test {

struct ShownMessage {
    QString prompt;
    amb::fixdb::MessageIcon icon;
    QString title;
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

// A temporary settings folder with the two AppDir keys, and database files made for the tests.
class FixDbTest : public ::testing::Test {
protected:
    // key 0 is "Orv Solutions", key 1 "Pellow Solutions".
    void SetAppDir(int key, const QString& folder) {
        platform::registry::ScopedKey handle;
        const QString name = key == 0 ? "SOFTWARE\\Orv Solutions\\Ambrel" : "SOFTWARE\\Pellow Solutions\\Ambrel";
        ASSERT_EQ(platform::registry::CreateKey(platform::registry::LocalMachine, name, handle.Receive()), 0);
        ASSERT_EQ(platform::registry::SetString(handle.Get(), "AppDir", folder), 0);
    }
    QString Folder(const QString& name) {
        const QString path = m_dir.FilePath(name);
        QDir().mkpath(path);
        return path;
    }
    // An Ambrel database with `rows` rows in an extra table, so tests can count what survived.
    QString MakeDatabase(const QString& folder, int rows = 100) {
        const QString path = folder + "/db.mdb";
        amb::database::CreateDatabase(path, 1033);
        auto db = platform::SqliteConnection::Open(path);
        db->ExecuteScript(QString("CREATE TABLE Filler(n INTEGER, pad BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION "
                                  "ALL SELECT i+1 FROM n WHERE i<%1) INSERT INTO Filler SELECT i, randomblob(300) "
                                  "FROM n;")
                              .arg(rows));
        return path;
    }
    static int FillerRows(const QString& path) {
        return platform::SqliteConnection::Open(path)->Query("SELECT COUNT(*) FROM Filler")->Field(0).ToInt();
    }
    // Starts the writer program and waits until it reached the point its mode names.
    static void StartWriter(QProcess& process, const char* mode, const QString& path) {
        process.start(QStringLiteral(AMB_BINARY_DIR "/tests-bin/FixDbWriter"), {mode, path});
        ASSERT_TRUE(process.waitForReadyRead(30000)) << process.readAllStandardError().toStdString();
        ASSERT_EQ(process.readAllStandardOutput(), "ready\n");
    }
    // Leaves the file as the writer had it when it was killed (SIGKILL) at that point.
    static void KillWriter(const char* mode, const QString& path) {
        QProcess writer;
        ASSERT_NO_FATAL_FAILURE(StartWriter(writer, mode, path));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));
    }
    int Run(const QStringList& arguments = {}) { return amb::fixdb::Main(arguments, m_messages); }
    const ShownMessage& OnlyMessage() {
        EXPECT_EQ(m_messages.shown.size(), 1u);
        if (m_messages.shown.empty())
            m_messages.shown.push_back({});
        return m_messages.shown.back();
    }

    TempDir m_dir;
    RecordedMessages m_messages;
};

} // namespace test
