// "Member Contact List - Column View" through the report printer component, exported as PDF, beside
// its floor: the very pages the engine makes, read from a file and drawn by a bare QPdfWriter loop with
// the same fonts. Each phase runs in a child process of its own, so its peak memory (VmHWM) is its own:
//   rows   the report's query alone (what the rows read cost at their peak, and what stays held),
//   engine the report exported as PDF (query, layout, drawing),
//   pages  the engine's pages written to a file through the print seam (not timed),
//   floor  those pages drawn into a PDF.
// The engine and the floor run five times each (--runs), one after the other, and the run of median
// time counts.
//   AmbReportBench [--persons 50000] [--runs 5] [--folder F]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/reports/Congregation.h"
#include "bench/reports/PageFile.h"
#include "tests/support/Components.h"
#include "tests/support/PdfPrintService.h"
#include "tests/support/TempDir.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <sys/resource.h>
#include <utility>
#include <vector>

namespace {

using bench::Print;

const QString kReport = QStringLiteral("Member Contact List - Column View");

// A memory figure of this process from /proc/self/status ("VmHWM:" the peak so far, "VmRSS:" now), in MB.
double Megabytes(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(std::strlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The load average over the last minute, five and fifteen minutes, as uptime shows it.
QString LoadAverage() {
    QFile load(QStringLiteral("/proc/loadavg"));
    return load.open(QIODevice::ReadOnly) ? QString::fromLatin1(load.readAll()).section(QLatin1Char(' '), 0, 2)
                                          : QStringLiteral("unknown");
}

// The processor time this process used so far (user and system), in seconds: on a loaded machine it
// moves far less than the clock.
double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    double Seconds = 0, Megabytes = 0;
    int Count = 0;       // rows or pages
    double Held = 0;     // the rows phase: what its rows still hold once the query is done, in MB
    double Processor = 0; // processor seconds
};

// One phase in this process; prints "seconds megabytes count".
int RunPhase(const QString& phase, const QString& folder) {
    test::TempDir registry; // the component is registered in a registry of its own
    if (test::CallComponentEntry(test::BuiltLibraryDir() + QStringLiteral("/libAmbReportPrinter.so"),
                                 "AmbRegisterServer") != 0)
        return 1;
    bench::Congregation congregation(folder, 0);
    QElapsedTimer timer;
    timer.start();
    const double processor = ProcessorSeconds();
    int count = 0;
    double before = 0; // the rows phase reports only what its rows add
    platform::RecordsetPtr rows;
    if (phase == QLatin1String("rows")) {
        before = Megabytes("VmHWM:");
        rows = congregation.db->GetReportMemberList(0, 0, 0, 0, 0, 0, QString(), QString(), QString());
        count = rows->RecordCount();
    } else if (phase == QLatin1String("engine")) {
        const QString pdf = QDir(folder).filePath(QStringLiteral("engine.pdf"));
        if (!congregation.Print(kReport, pdf))
            return 1;
    } else if (phase == QLatin1String("pages")) {
        auto dump = std::make_shared<bench::PageFileService>(QDir(folder).filePath(QStringLiteral("pages.bin")));
        platform::reportengine::SetPrintService(dump);
        if (!congregation.Print(kReport, QString()))
            return 1;
        count = dump->pages;
    } else if (phase == QLatin1String("floor")) {
        count = bench::DrawPageFile(QDir(folder).filePath(QStringLiteral("pages.bin")),
                                    QDir(folder).filePath(QStringLiteral("floor.pdf")));
        if (count < 0)
            return 1;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%.3f %.1f %d %.1f %.3f\n", seconds, Megabytes("VmHWM:") - before, count,
                rows ? Megabytes("VmRSS:") - before : 0.0, ProcessorSeconds() - processor);
    return 0;
}

Figures Child(const QString& phase, const QString& folder) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--phase"), phase, QStringLiteral("--folder"), folder});
    child.waitForFinished(-1);
    const QStringList words = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
    if (child.exitCode() != 0 || words.size() != 5) {
        Print(QStringLiteral("the %1 phase failed").arg(phase));
        std::exit(1);
    }
    return Figures{words[0].toDouble(), words[1].toDouble(), words[2].toInt(), words[3].toDouble(), words[4].toDouble()};
}

// The phase run `runs` times: the run of median time, and every time as "5.01 s / 5.22 s / ...".
std::pair<Figures, QString> MedianRun(const QString& phase, const QString& folder, int runs) {
    std::vector<Figures> all;
    QStringList times;
    for (int run = 0; run < runs; ++run) {
        all.push_back(Child(phase, folder));
        times << QStringLiteral("%1 s").arg(all.back().Seconds, 0, 'f', 2);
    }
    std::sort(all.begin(), all.end(), [](const Figures& a, const Figures& b) { return a.Seconds < b.Seconds; });
    return {all[all.size() / 2], times.join(QStringLiteral(" / "))};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addOption({QStringLiteral("folder"), QStringLiteral("Where the db.mdb and the files go."), QStringLiteral("f")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Runs of the engine and of the floor."), QStringLiteral("n"),
                      QStringLiteral("5")});
    parser.addOption({QStringLiteral("phase"), QStringLiteral("One phase in this process (rows, engine, pages, floor)."),
                      QStringLiteral("p")});
    parser.process(app);
    if (parser.isSet(QStringLiteral("phase")))
        return RunPhase(parser.value(QStringLiteral("phase")), parser.value(QStringLiteral("folder")));

    const int persons = bench::Persons(parser);
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());
    QTemporaryDir temporary;
    const QString folder = parser.isSet(QStringLiteral("folder")) ? parser.value(QStringLiteral("folder")) : temporary.path();
    QDir().mkpath(folder);
    {
        test::TempDir registry;
        bench::Congregation make(folder, persons);
    }
    const QString loadBefore = LoadAverage();
    const Figures rows = Child(QStringLiteral("rows"), folder);
    const auto [engine, engineTimes] = MedianRun(QStringLiteral("engine"), folder, runs);
    const Figures pages = Child(QStringLiteral("pages"), folder);
    const auto [floor, floorTimes] = MedianRun(QStringLiteral("floor"), folder, runs);
    Print(QStringLiteral("%1, %2 persons, %3 pages (the floor drew %4); %5 cores, load average %6 before, %7 after")
              .arg(kReport)
              .arg(persons)
              .arg(pages.Count)
              .arg(floor.Count)
              .arg(QThread::idealThreadCount())
              .arg(loadBefore, LoadAverage()));
    Print(QStringLiteral("  the rows alone: %1 s, %2 MB more at their peak, %3 MB held after the query")
              .arg(rows.Seconds, 0, 'f', 2)
              .arg(rows.Megabytes, 0, 'f', 0)
              .arg(rows.Held, 0, 'f', 0));
    Print(QStringLiteral("  engine (rows, layout, PDF): %1 s (%2), %3 s of processor, peak %4 MB")
              .arg(engine.Seconds, 0, 'f', 2)
              .arg(engineTimes)
              .arg(engine.Processor, 0, 'f', 2)
              .arg(engine.Megabytes, 0, 'f', 0));
    Print(QStringLiteral("  floor (the same pages by a bare QPdfWriter loop): %1 s (%2), %3 s of processor, peak %4 MB")
              .arg(floor.Seconds, 0, 'f', 2)
              .arg(floorTimes)
              .arg(floor.Processor, 0, 'f', 2)
              .arg(floor.Megabytes, 0, 'f', 0));
    Print(QStringLiteral("  engine / floor: time %1 (processor %2; %3 of the floor and the rows), memory %4 (%5 of the "
                         "floor and the rows)")
              .arg(bench::Ratio(engine.Seconds, floor.Seconds), bench::Ratio(engine.Processor, floor.Processor),
                   bench::Ratio(engine.Seconds, floor.Seconds + rows.Seconds),
                   bench::Ratio(engine.Megabytes, floor.Megabytes),
                   bench::Ratio(engine.Megabytes, floor.Megabytes + rows.Megabytes)));
    return 0;
}
