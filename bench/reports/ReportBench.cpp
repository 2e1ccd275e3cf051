// "Member Contact List - Column View" through the report printer component, exported as PDF, beside
// its floor: the very pages the engine makes, read from a file and drawn by a bare QPdfWriter loop with
// the same fonts. Each phase runs in a child process of its own, so its peak memory (VmHWM) is its own:
//   rows   the report's query alone (what the rows read cost),
//   engine the report exported as PDF (query, layout, drawing),
//   pages  the engine's pages written to a file through the print seam (not timed),
//   floor  those pages drawn into a PDF.
//   AmbReportBench [--persons 50000] [--folder F]   (or AMB_BENCH_PERSONS)

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

namespace {

using bench::Print;

const QString kReport = QStringLiteral("Member Contact List - Column View");

// Peak resident memory of this process so far, in MB.
double PeakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

struct Figures {
    double Seconds = 0, Megabytes = 0;
    int Count = 0; // rows or pages
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
    int count = 0;
    double before = 0; // the rows phase reports only what its rows add
    if (phase == QLatin1String("rows")) {
        before = PeakMegabytes();
        count = congregation.db->GetReportMemberList(0, 0, 0, 0, 0, 0, QString(), QString(), QString())->RecordCount();
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
    std::printf("%.3f %.1f %d\n", seconds, PeakMegabytes() - before, count);
    return 0;
}

Figures Child(const QString& phase, const QString& folder) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--phase"), phase, QStringLiteral("--folder"), folder});
    child.waitForFinished(-1);
    const QStringList words = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
    if (child.exitCode() != 0 || words.size() != 3) {
        Print(QStringLiteral("the %1 phase failed").arg(phase));
        std::exit(1);
    }
    return Figures{words[0].toDouble(), words[1].toDouble(), words[2].toInt()};
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
    parser.addOption({QStringLiteral("phase"), QStringLiteral("One phase in this process (rows, engine, pages, floor)."),
                      QStringLiteral("p")});
    parser.process(app);
    if (parser.isSet(QStringLiteral("phase")))
        return RunPhase(parser.value(QStringLiteral("phase")), parser.value(QStringLiteral("folder")));

    const int persons = bench::Persons(parser);
    QTemporaryDir temporary;
    const QString folder = parser.isSet(QStringLiteral("folder")) ? parser.value(QStringLiteral("folder")) : temporary.path();
    QDir().mkpath(folder);
    {
        test::TempDir registry;
        bench::Congregation make(folder, persons);
    }
    const Figures rows = Child(QStringLiteral("rows"), folder);
    const Figures engine = Child(QStringLiteral("engine"), folder);
    const Figures pages = Child(QStringLiteral("pages"), folder);
    const Figures floor = Child(QStringLiteral("floor"), folder);
    Print(QStringLiteral("%1, %2 persons, %3 pages (the floor drew %4)").arg(kReport).arg(persons).arg(pages.Count).arg(floor.Count));
    Print(QStringLiteral("  the rows alone: %1 s, %2 MB more").arg(rows.Seconds, 0, 'f', 2).arg(rows.Megabytes, 0, 'f', 0));
    Print(QStringLiteral("  engine (rows, layout, PDF): %1 s, peak %2 MB").arg(engine.Seconds, 0, 'f', 2).arg(engine.Megabytes, 0, 'f', 0));
    Print(QStringLiteral("  floor (the same pages by a bare QPdfWriter loop): %1 s, peak %2 MB")
              .arg(floor.Seconds, 0, 'f', 2)
              .arg(floor.Megabytes, 0, 'f', 0));
    Print(QStringLiteral("  engine / floor: time %1x (%2x of the floor and the rows), memory %3x (%4x of the floor and the rows)")
              .arg(engine.Seconds / floor.Seconds, 0, 'f', 2)
              .arg(engine.Seconds / (floor.Seconds + rows.Seconds), 0, 'f', 2)
              .arg(engine.Megabytes / floor.Megabytes, 0, 'f', 2)
              .arg(engine.Megabytes / (floor.Megabytes + rows.Megabytes), 0, 'f', 2));
    return 0;
}
