#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/com/Error.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

platform::DictionaryPtr Offering(int i) {
    return std::make_shared<platform::Dictionary>(std::initializer_list<std::pair<QString, platform::Variant>>{
        {"ID", 0},
        {"PersonID", 0},
        {"OfferingTypeID", 1},
        {"OfferingDate", "2024-03-05"},
        {"Amount", platform::Variant(QString::number(i) + ".25")}});
}

// Saves `count` offerings through a manager of its own, as one program does; the number that failed.
int SaveThroughManager(const QString& path, int count) {
    amb::database::Manager manager;
    manager.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + path + "; Jet OLEDB:");
    int failed = 0;
    for (int i = 0; i < count; ++i)
        failed += manager.UpdatePersonOffering(Offering(i)) > 0 ? 0 : 1;
    return failed;
}

// Saves `count` rows each in a write transaction of a connection that waits only a millisecond
// for the lock: almost every save meets the other writer and must start its transaction again.
int SaveImpatiently(const QString& path, int count) {
    int failed = 0;
    try {
        const auto connection = platform::SqliteConnection::Open(path);
        connection->ExecuteScript("PRAGMA busy_timeout=1; PRAGMA synchronous=OFF;");
        for (int i = 0; i < count; ++i) {
            try {
                platform::SqliteTransaction transaction(*connection);
                connection->Execute("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) "
                                    "VALUES ('2024-03-05 00:00:00', 1, ?, 0)",
                                    {i});
                transaction.Commit();
            } catch (const platform::Error&) {
                ++failed;
            }
        }
    } catch (const platform::Error&) {
        return count;
    }
    return failed;
}

// Runs `save` in this process and in another one at the same time; the failures of each.
std::pair<int, int> SaveInTwoPrograms(const QString& path, int (*save)(const QString&, int), int count) {
    int ready[2];
    if (pipe(ready) != 0)
        return {-1, -1};
    const pid_t other = fork();
    if (other == 0) {
        char go = 0;
        const bool started = read(ready[0], &go, 1) == 1;
        _exit(started ? std::min(save(path, count), 100) : 101);
    }
    close(ready[0]);
    const bool told = write(ready[1], "g", 1) == 1;
    close(ready[1]);
    const int failedHere = told ? save(path, count) : count;
    int status = 0;
    if (other < 0 || waitpid(other, &status, 0) != other || !WIFEXITED(status))
        return {failedHere, -1};
    return {failedHere, WEXITSTATUS(status)};
}

int Offerings(const QString& path) {
    return platform::SqliteConnection::Open(path)->Query("SELECT COUNT(*) FROM PersonOffering")->Field(0).ToInt();
}

} // namespace

// Two programs on one database (two copies of the program, or the program and the repair tool): every
// save waits for the other's transaction instead of failing with "database is locked".
TEST(TwoWriters, SavingAtOnceLosesNoSave) {
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1033);
    const auto [here, there] = SaveInTwoPrograms(path, &SaveThroughManager, 100);
    EXPECT_EQ(here, 0);
    EXPECT_EQ(there, 0) << "saves failed in the other program";
    EXPECT_EQ(Offerings(path), 200);

    // Writers that hardly wait for the lock lose races all the time; each starts its transaction
    // again until the other is done.
    const auto [impatientHere, impatientThere] = SaveInTwoPrograms(path, &SaveImpatiently, 300);
    EXPECT_EQ(impatientHere, 0);
    EXPECT_EQ(impatientThere, 0);
    EXPECT_EQ(Offerings(path), 800);
}

// A write transaction that cannot start before the wait is over is reported, not forgotten.
TEST(TwoWriters, AWriterThatWaitsTooLongIsToldSo) {
    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1033);
    const auto holder = platform::SqliteConnection::Open(path);
    holder->Execute("BEGIN IMMEDIATE");
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    const auto waiter = platform::SqliteConnection::Open(path);
    waiter->Execute("PRAGMA busy_timeout=50");
    EXPECT_THROW({ platform::SqliteTransaction transaction(*waiter); }, platform::Error);
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(30000));
    holder->Execute("ROLLBACK");
    platform::SqliteTransaction transaction(*waiter);
    transaction.Commit();
}
