#include "common/ResourceIDs.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/FailingFiles.h"
#include "tests/windows/AdminWindowTest.h"

#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <chrono>
#include <functional>
#include <utility>

namespace {

using namespace amb::res;
using amb::MessageResult::No;
using amb::MessageResult::Yes;

// Lets a test act at the moment the database manager writes a given trace line.
class HookWriter : public test::RecordingLogWriter {
public:
    int32_t WriteTrace(const QString& line) override {
        if (hook)
            hook(line);
        return RecordingLogWriter::WriteTrace(line);
    }
    std::function<void(const QString&)> hook;
};

class PurgeWindowTest : public test::DatabaseWindowTest {
protected:
    PurgeWindowTest() : m_hookWriter(std::make_shared<HookWriter>()) {
        amb::SetGlobalLogTraceWriter(m_hookWriter);
        m_kept = NewPerson("Kept");
        m_marked = NewPerson("Marked");
        const int32_t family = NewFamily("Marked family", m_kept);
        db->UpdatePersonToFamily(test::Record({{"ID", 0}, {"PersonID", m_marked}, {"FamilyID", family}}));
        m_offering = NewOffering(m_marked, 1, platform::MakeDateTime(2026, 5, 3), platform::Currency::FromUnits(25));
        db->DeletePerson(m_marked);
    }
    int32_t PurgeThroughTheWindow(int32_t answer) {
        m_messages.Answer(answer);
        test::WindowSteps steps;
        steps.Then("OptionsForm", [&](QDialog& d) {
            test::Click(d, "cmdPurge");
            test::Click(d, "cmdCancel");
        });
        return m_loader->ShowOptionWindow();
    }
    int MarkedRows() { return PersonRows(m_marked); }
    int PersonRows(int32_t person) {
        return Count("SELECT (SELECT COUNT(*) FROM Person WHERE ID=?1) + (SELECT COUNT(*) FROM PersonAddress WHERE "
                     "PersonID=?1) + (SELECT COUNT(*) FROM PersonToFamily WHERE PersonID=?1)",
                     {person});
    }

    // Damages a table's first page while the program has the file open. The file's change counter moves,
    // as another writer's would, so the program reads the page anew.
    void DamageUnderTheProgram(const QString& table) {
        ASSERT_TRUE(test::DamageTableRootPage(m_path, table));
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(24));
        QByteArray counter = file.read(4);
        qToBigEndian(qFromBigEndian<quint32>(counter.constData()) + 1, counter.data());
        ASSERT_TRUE(file.seek(24));
        ASSERT_EQ(file.write(counter), 4);
    }

    std::shared_ptr<HookWriter> m_hookWriter;
    int32_t m_kept = 0;
    int32_t m_marked = 0;
    int32_t m_offering = 0;
};

TEST_F(PurgeWindowTest, AskedFirstThenRemovesTheMarkedPersonsAndSaysSo) {
    const int before = MarkedRows();
    ASSERT_GE(before, 3);
    EXPECT_EQ(PurgeThroughTheWindow(No), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgConfirmPurge)});
    EXPECT_EQ(m_messages.Shown()[0].style, amb::MessageStyle::YesNo | amb::MessageStyle::Question);
    EXPECT_EQ(MarkedRows(), before);

    m_messages.Clear();
    EXPECT_EQ(PurgeThroughTheWindow(Yes), -1);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmPurge), Text(kMsgPurgeDone)}));
    EXPECT_EQ(MarkedRows(), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE ID=?", {m_kept}), 1);
    EXPECT_EQ(Count("SELECT PersonID FROM PersonOffering WHERE ID=?", {m_offering}), 0);

    raw.reset();
    QProcess sqlite;
    sqlite.start("sqlite3", {m_path, "PRAGMA integrity_check; SELECT COUNT(*) FROM Person;"});
    ASSERT_TRUE(sqlite.waitForFinished(10000));
    EXPECT_EQ(sqlite.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(sqlite.readAllStandardOutput()), "ok\n1\n");
}

TEST_F(PurgeWindowTest, AFailedCompactionSaysTheRecordsWereRemovedAndWhyAndADamagedFileLosesNothing) {
    using Fault = test::FailingFiles::Fault;
    test::FailingFiles files(Fault::None);
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(20));
    db->SetConnectionString(db->ConnectionString());
    // Each case acts once the deletion has committed, as the compaction starts.
    const struct {
        const char* what;
        std::function<void()> atCompaction;
        int32_t text;
    } cases[] = {
        {.what = "no known cause",
         .atCompaction = [&] { db->OpenConnection().ExecuteScript("BEGIN"); },
         .text = kMsgCompactFailed},
        {.what = "another program reading",
         .atCompaction = [&] { raw->ExecuteScript("BEGIN; SELECT COUNT(*) FROM Person;"); },
         .text = kMsgCompactBusy},
        {.what = "a full disk", .atCompaction = [&] { files.Set(Fault::DiskFull); }, .text = kMsgCompactDiskFull},
        {.what = "a damaged page",
         .atCompaction = [&] { DamageUnderTheProgram("PersonOffering"); },
         .text = kMsgCompactDamaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int32_t person = NewPerson(c.what);
        ASSERT_EQ(db->DeletePerson(person), 1);
        bool acted = false;
        m_hookWriter->hook = [&](const QString& line) {
            if (line.contains("CompactDatabaseFile()") && !std::exchange(acted, true))
                c.atCompaction();
        };
        m_messages.Clear();
        EXPECT_EQ(PurgeThroughTheWindow(Yes), -1);
        files.Set(Fault::None);
        if (raw->InTransaction())
            raw->ExecuteScript("COMMIT");
        if (db->OpenConnection().InTransaction())
            db->OpenConnection().ExecuteScript("ROLLBACK");
        EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmPurge), Text(c.text)}));
        EXPECT_EQ(PersonRows(person), 0);
        EXPECT_EQ(MarkedRows(), 0);
    }
    m_hookWriter->hook = {};
    platform::SqliteConnection::SetBusyTimeout(std::chrono::seconds(5));

    // The file is damaged now, as the last compaction found: a person marked since stays, with all its rows.
    const int32_t again = NewPerson("Again");
    raw->Execute("UPDATE Person SET IsDeleted=1 WHERE ID=?", {again});
    const int before = PersonRows(again);
    m_messages.Clear();
    EXPECT_EQ(PurgeThroughTheWindow(Yes), -1);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmPurge), Text(kMsgDatabaseDamaged)}));
    EXPECT_EQ(PersonRows(again), before);
}

TEST_F(PurgeWindowTest, APurgeThatFailsHalfWayIsTold) {
    // Nothing purged at all: the failed text, and every row is still there.
    const int32_t again = NewPerson("Again");
    db->DeletePerson(again);
    raw->Execute("CREATE TRIGGER KeepPersons BEFORE DELETE ON Person BEGIN SELECT RAISE(ABORT, 'kept'); END");
    m_messages.Clear();
    EXPECT_EQ(PurgeThroughTheWindow(Yes), -1);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmPurge), Text(kMsgPurgeFailed)}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonAddress WHERE PersonID=?", {again}), 2);
    raw->Execute("DROP TRIGGER KeepPersons");
    EXPECT_EQ(db->Purge(), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE ID=?", {again}), 0);
}

TEST_F(PurgeWindowTest, APurgeRefusedAsAWholeNamesItsCause) {
    using Fault = test::FailingFiles::Fault;
    const struct {
        const char* what;
        Fault fault;
        const char* held; // by another connection to the file while the purge runs
        int32_t text;
    } cases[] = {
        {.what = "a full disk", .fault = Fault::DiskFull, .held = nullptr, .text = kMsgDiskFull},
        {.what = "a read-only file", .fault = Fault::ReadOnlyFile, .held = nullptr, .text = kMsgDiskFull},
        {.what = "a folder that cannot be written", .fault = Fault::NoJournal, .held = nullptr, .text = kMsgDiskFull},
        {.what = "a write error", .fault = Fault::WriteError, .held = nullptr, .text = kMsgDiskFull},
        {.what = "another program writing", .fault = Fault::None, .held = "BEGIN IMMEDIATE", .text = kMsgPurgeLocked},
        {.what = "a long read", .fault = Fault::None, .held = "BEGIN; SELECT 1 FROM Person;", .text = kMsgPurgeLocked},
    };
    const int before = MarkedRows();
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(20));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_messages.Clear();
        {
            const test::FailingFiles files(c.fault);
            // The manager opens the file again, through the failing layer.
            db->SetConnectionString(db->ConnectionString());
            if (c.held)
                raw->ExecuteScript(c.held);
            EXPECT_EQ(PurgeThroughTheWindow(Yes), -1);
            if (c.held)
                raw->ExecuteScript("ROLLBACK");
        }
        EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmPurge), Text(c.text)}));
        EXPECT_EQ(MarkedRows(), before);
        EXPECT_EQ(Count("SELECT PersonID FROM PersonOffering WHERE ID=?", {m_offering}), m_marked);
    }
    platform::SqliteConnection::SetBusyTimeout(std::chrono::seconds(5));
    platform::SqliteTransaction::SetWriteWait(std::chrono::seconds(30));

    // With the file whole and writable again, the same purge runs.
    db->SetConnectionString(db->ConnectionString());
    m_messages.Clear();
    EXPECT_EQ(PurgeThroughTheWindow(Yes), -1);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmPurge), Text(kMsgPurgeDone)}));
    EXPECT_EQ(MarkedRows(), 0);

    // A damaged file: the purge says so and removes nothing.
    const int32_t again = NewPerson("Again");
    ASSERT_EQ(db->DeletePerson(again), 1);
    ASSERT_TRUE(test::DamageIndexRootPage(m_path, "PersonPhoneNumberPerson"));
    db->SetConnectionString(db->ConnectionString());
    m_messages.Clear();
    EXPECT_EQ(PurgeThroughTheWindow(Yes), -1);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgConfirmPurge), Text(kMsgDatabaseDamaged)}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE ID=?", {again}), 1);
}

} // namespace
