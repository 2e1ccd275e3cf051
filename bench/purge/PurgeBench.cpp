// Times the purge on the bench database: 50,000 persons, every tenth marked deleted, removed with
// their contact rows and memberships, then the file compacted. Prints the time and the file sizes.
//   AmbPurgeBench [--persons 50000]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "tests/support/PersonData.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.process(app);
    const int persons = std::max(1000, bench::Persons(parser));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    amb::database::CreateDatabase(path, 1033);
    test::FillDatabase(path, persons);

    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(raw, "UPDATE Person SET IsDeleted=1 WHERE ID % 10 = 0", nullptr, nullptr, nullptr);
    const int marked = sqlite3_changes(raw);
    sqlite3_close(raw);
    const qint64 before = QFileInfo(path).size();

    amb::database::Manager manager;
    manager.SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                QStringLiteral("; Jet OLEDB:"));
    const auto start = std::chrono::steady_clock::now();
    const int32_t result = manager.Purge();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const qint64 after = QFileInfo(path).size();

    std::printf("Purge of %d marked persons of %d: result %d in %.2f s (target < 5 s); file %.1f MB -> %.1f MB\n",
                marked, persons, result, seconds, double(before) / 1e6, double(after) / 1e6);
    return result == 1 && seconds < 5.0 ? 0 : 1;
}
