// A second program on a database file, stopped by the test at a known point:
//   journal PATH  inside a transaction of 10,000 rows, with pages already written to the file
//   wal PATH      in write-ahead-log mode with committed rows not yet copied into the file
//   hold PATH     holding the file under an exclusive lock
// It prints "ready" and waits for the test to kill it.
#include <sqlite3.h>

#include <cstdio>
#include <cstring>

namespace {

bool Run(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "%s: %s\n", sql, message ? message : "?");
    sqlite3_free(message);
    return false;
}

const char* ScriptFor(const char* mode) {
    if (std::strcmp(mode, "journal") == 0)
        // A tiny cache makes SQLite write changed pages into the file before the commit.
        return "PRAGMA cache_size=5; BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n "
               "WHERE i<10000) INSERT INTO Filler SELECT i, randomblob(300) FROM n;";
    if (std::strcmp(mode, "wal") == 0)
        return "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
               "SELECT i+1 FROM n WHERE i<50) INSERT INTO Filler SELECT i, randomblob(300) FROM n;";
    if (std::strcmp(mode, "hold") == 0)
        return "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; SELECT COUNT(*) FROM Filler;";
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const char* script = argc == 3 ? ScriptFor(argv[1]) : nullptr;
    sqlite3* db = nullptr;
    if (!script || sqlite3_open_v2(argv[2], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK || !Run(db, script))
        return 2;
    std::printf("ready\n");
    std::fflush(stdout);
    std::getchar();
    return 3;
}
