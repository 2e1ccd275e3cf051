// Catalogue reports through the report printer component, exported as PDF, timed over a large db.mdb:
// "Member Contact List - Column View" of 50,000 persons and "Member Mailing Label - Avery 5160" of
// a tenth of them (5,000).
//   AmbCatalogueBench [--persons 50000] [--runs 3]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/reports/Congregation.h"
#include "tests/support/Components.h"
#include "tests/support/PdfPrintService.h"
#include "tests/support/TempDir.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::Print;

// Median seconds of `runs` exports after one that warms the caches; the page count of the last.
std::pair<double, QString> Time(bench::Congregation& congregation, const QString& folder, const QString& report,
                                int runs) {
    const QString file = QDir(folder).filePath(QStringLiteral("report.pdf"));
    std::vector<double> seconds;
    for (int run = 0; run <= runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!congregation.Print(report, file)) {
            Print(report + QStringLiteral(": not printed"));
            std::exit(1);
        }
        if (run > 0)
            seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    return {Median(seconds), test::PdfInfo(file, QStringLiteral("Pages"))};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Timed runs."), QStringLiteral("n"), QStringLiteral("3")});
    parser.addOption(bench::PersonsOption(50000));
    parser.process(app);
    const int persons = bench::Persons(parser);
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    test::TempDir registry; // the component is registered in a registry of its own
    if (test::CallComponentEntry(test::BuiltLibraryDir() + QStringLiteral("/libAmbReportPrinter.so"),
                                 "AmbRegisterServer") != 0) {
        Print(QStringLiteral("the report printer did not register"));
        return 1;
    }
    // Targets are those of 50,000 persons (5,000 labels).
    const struct {
        const char* Report;
        int Persons;
        double Target;
    } cases[] = {{.Report = "Member Contact List - Column View", .Persons = persons, .Target = 10.0},
                 {.Report = "Member Mailing Label - Avery 5160", .Persons = std::max(1, persons / 10), .Target = 2.0}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        bench::Congregation congregation(dir.path(), c.Persons);
        const auto [seconds, pages] = Time(congregation, dir.path(), QString::fromLatin1(c.Report), runs);
        Print(QStringLiteral("%1, %2 persons: %3 s to PDF, %4 pages (median of %5; target < %6 s)")
                  .arg(QString::fromLatin1(c.Report))
                  .arg(c.Persons)
                  .arg(seconds, 0, 'f', 2)
                  .arg(pages)
                  .arg(runs)
                  .arg(c.Target));
    }
    return 0;
}
