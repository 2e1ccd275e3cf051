// Catalogue reports through the report printer component, exported as PDF, timed over a large db.mdb:
// "Member Contact List - Column View" of 50,000 persons and "Member Mailing Label - Avery 5160" of
// a tenth of them (5,000). Each beside its floor in the same runs: the report's rows read by the
// sqlite3 API, and the very pages the engine makes (written to a file through the print seam, not
// timed) drawn by a bare QPdfWriter loop with the same fonts.
//   AmbCatalogueBench [--persons 50000] [--runs 3]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "bench/reports/Congregation.h"
#include "bench/reports/PageFile.h"
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

struct Timing {
    double Seconds = 0;     // the report exported as PDF
    double RowsSeconds = 0; // the floor's rows
    double DrawSeconds = 0; // the floor's pages
    QString Pages;          // of the engine's PDF
    int FloorPages = 0;
};

double Seconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e9;
}

void Fail(const QString& what) {
    Print(what);
    std::exit(1);
}

// The engine's pages of the report, through the print seam into a file of their own.
void WritePages(bench::Congregation& congregation, const QString& report, const QString& pagesFile) {
    const auto previous = platform::reportengine::CurrentPrintService();
    platform::reportengine::SetPrintService(std::make_shared<bench::PageFileService>(pagesFile));
    const bool printed = congregation.Print(report, QString());
    platform::reportengine::SetPrintService(previous);
    if (!printed)
        Fail(report + QStringLiteral(": its pages were not written"));
}

// Medians of `runs` exports and floors after one of each that warms the caches.
Timing Time(bench::Congregation& congregation, const QString& folder, const QString& report, const char* rowsSql,
            int runs) {
    const QDir dir(folder);
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const QString pagesFile = dir.filePath(QStringLiteral("pages.bin"));
    const QString floorPdf = dir.filePath(QStringLiteral("floor.pdf"));
    WritePages(congregation, report, pagesFile);
    const bench::Connection connection(dir.filePath(QStringLiteral("db.mdb")));
    bench::Direct rows(connection.get(), rowsSql);
    std::vector<double> seconds, rowsSeconds, drawSeconds;
    Timing timing;
    for (int run = 0; run <= runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!congregation.Print(report, pdf))
            Fail(report + QStringLiteral(": not printed"));
        const double exported = Seconds(timer);
        timer.restart();
        rows.Run({});
        const double read = Seconds(timer);
        timer.restart();
        timing.FloorPages = bench::DrawPageFile(pagesFile, floorPdf);
        const double drawn = Seconds(timer);
        if (timing.FloorPages < 0)
            Fail(report + QStringLiteral(": the floor could not read its pages"));
        if (run > 0) {
            seconds.push_back(exported);
            rowsSeconds.push_back(read);
            drawSeconds.push_back(drawn);
        }
    }
    timing.Seconds = Median(seconds);
    timing.RowsSeconds = Median(rowsSeconds);
    timing.DrawSeconds = Median(drawSeconds);
    timing.Pages = test::PdfInfo(pdf, QStringLiteral("Pages"));
    return timing;
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
        const char* RowsSql;
        int Persons;
        double Target;
    } cases[] = {{.Report = "Member Contact List - Column View",
                  .RowsSql = bench::kMemberListSql,
                  .Persons = persons,
                  .Target = 10.0},
                 {.Report = "Member Mailing Label - Avery 5160",
                  .RowsSql = bench::kMemberMailingLabelSql,
                  .Persons = std::max(1, persons / 10),
                  .Target = 2.0}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        bench::Congregation congregation(dir.path(), c.Persons);
        const Timing t = Time(congregation, dir.path(), QString::fromLatin1(c.Report), c.RowsSql, runs);
        const double floor = t.RowsSeconds + t.DrawSeconds;
        Print(QStringLiteral("%1, %2 persons: %3 s to PDF, %4 pages (median of %5; target < %6 s), %7 the floor of "
                             "%8 s (its rows by the sqlite3 API %9 s, the same %10 pages drawn by a bare QPdfWriter "
                             "loop %11 s)")
                  .arg(QString::fromLatin1(c.Report))
                  .arg(c.Persons)
                  .arg(t.Seconds, 0, 'f', 2)
                  .arg(t.Pages)
                  .arg(runs)
                  .arg(c.Target)
                  .arg(bench::Ratio(t.Seconds, floor))
                  .arg(floor, 0, 'f', 2)
                  .arg(t.RowsSeconds, 0, 'f', 2)
                  .arg(t.FloorPages)
                  .arg(t.DrawSeconds, 0, 'f', 2));
    }
    return 0;
}
