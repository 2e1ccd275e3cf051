// Times the purge on the bench database: 50,000 persons, every tenth marked deleted, removed with
// their contact rows and memberships, then the file compacted. Beside it, in the same runs, its
// floor: the same statements in one transaction and the same VACUUM by the sqlite3 API on an equal
// copy of the file. Prints both, their ratio and the file sizes.
//   AmbPurgeBench [--persons 50000] [--runs 3]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "tests/support/PersonData.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

using bench::Median;
using bench::Print;

// What the purge does, as plainly as SQLite does it.
void PurgeFloor(const QString& path) {
    const bench::Connection db(path);
    const QString marked = QStringLiteral("(SELECT ID FROM Person WHERE IsDeleted=1)");
    db.Execute(QStringLiteral("BEGIN IMMEDIATE"));
    db.Execute(QStringLiteral("UPDATE PersonOffering SET PersonID=0 WHERE PersonID IN ") + marked);
    for (const char* table : {"PersonAddress", "PersonEMailAddress", "PersonPhoneNumber", "PersonToFamily",
                              "PersonToGroup"})
        db.Execute(QStringLiteral("DELETE FROM %1 WHERE PersonID IN ").arg(QLatin1String(table)) + marked);
    db.Execute(QStringLiteral("DELETE FROM Person WHERE IsDeleted=1"));
    db.Execute(QStringLiteral("COMMIT"));
    db.Execute(QStringLiteral("VACUUM"));
}

double Seconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Timed runs."), QStringLiteral("n"), QStringLiteral("3")});
    parser.process(app);
    const int persons = std::max(1000, bench::Persons(parser));
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());
    QTemporaryDir dir;
    const QString marked = dir.filePath(QStringLiteral("marked.mdb"));
    amb::database::CreateDatabase(marked, 1033);
    test::FillDatabase(marked, persons);
    int count = 0;
    {
        const bench::Connection db(marked);
        db.Execute(QStringLiteral("UPDATE Person SET IsDeleted=1 WHERE ID % 10 = 0"));
        count = sqlite3_changes(db.get());
    }
    const qint64 before = QFileInfo(marked).size();

    // Each run purges a fresh copy of the marked file, the manager and the floor in turns.
    const QString path = dir.filePath(QStringLiteral("db.mdb")), floorPath = dir.filePath(QStringLiteral("floor.mdb"));
    std::vector<double> purge, floor;
    qint64 after = 0;
    for (int run = 0; run < runs; ++run) {
        for (const QString& copy : {path, floorPath}) {
            QFile::remove(copy);
            QFile::copy(marked, copy);
        }
        amb::database::Manager manager;
        manager.SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                    QStringLiteral("; Jet OLEDB:"));
        QElapsedTimer timer;
        timer.start();
        const int32_t result = manager.Purge();
        purge.push_back(Seconds(timer));
        if (result != 1) {
            Print(QStringLiteral("Purge failed: %1").arg(result));
            return 1;
        }
        after = QFileInfo(path).size();
        timer.restart();
        PurgeFloor(floorPath);
        floor.push_back(Seconds(timer));
    }
    Print(QStringLiteral("Purge of %1 marked persons of %2: %3 s (median of %4; target < 5 s), %5 the floor of %6 s "
                         "(the same statements and VACUUM by the sqlite3 API); file %7 MB -> %8 MB")
              .arg(count)
              .arg(persons)
              .arg(Median(purge), 0, 'f', 2)
              .arg(runs)
              .arg(bench::Ratio(Median(purge), Median(floor)))
              .arg(Median(floor), 0, 'f', 2)
              .arg(double(before) / 1e6, 0, 'f', 1)
              .arg(double(after) / 1e6, 0, 'f', 1));
    return Median(purge) < 5.0 ? 0 : 1;
}
