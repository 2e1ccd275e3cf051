// Catalogue reports through the report printer component, exported as PDF, timed over a large db.mdb:
// "Member Contact List - Column View" of 50,000 persons and "Member Mailing Label - Avery 5160" of
// a tenth of them (5,000). Each beside its floor in the same runs: the report's persons read by the
// sqlite3 API and their texts drawn by a bare QPdfWriter loop into as many pages as the report has.
//   AmbCatalogueBench [--persons 50000] [--runs 3]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "contracts/IReportPrinter.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/com/Factory.h"
#include "tests/support/Components.h"
#include "tests/support/Fakes.h"
#include "tests/support/PdfPrintService.h"
#include "tests/support/PersonData.h"
#include "tests/support/TempDir.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::Print;

// Every person with the home address and phone row, by name, as the contact list and the labels list them.
const char* const kPersonRows =
    "SELECT Person.LastName, Person.FirstName, Person.LanguageName, PersonAddress.AddressPart1, "
    "PersonAddress.AddressPart3, PersonAddress.AddressPart4, PersonAddress.AddressPart5, PersonPhoneNumber.PhoneNumber "
    "FROM Person LEFT JOIN PersonAddress ON PersonAddress.PersonID=Person.ID AND PersonAddress.IsHomeAddress=1 "
    "LEFT JOIN PersonPhoneNumber ON PersonPhoneNumber.PersonID=Person.ID AND PersonPhoneNumber.IsHomePhoneNumber=1 "
    "WHERE Person.IsDeleted=0 ORDER BY Person.LastName, Person.FirstName";

// The floor: the rows read by the sqlite3 API, each row's texts drawn one line apart by a bare
// QPdfWriter loop, as many rows on a page as make `pages` pages. Seconds.
double BarePdfFloor(const QString& database, const QString& file, int pages, int persons) {
    QElapsedTimer timer;
    timer.start();
    const bench::Connection db(database);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db.get(), kPersonRows, -1, &statement, nullptr);
    QPdfWriter writer(file);
    writer.setResolution(72);
    QPainter painter(&writer);
    const int perPage = std::max(1, (persons + std::max(1, pages) - 1) / std::max(1, pages));
    const int columns = sqlite3_column_count(statement);
    int row = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        if (row > 0 && row % perPage == 0)
            writer.newPage();
        const int top = 40 + (row % perPage) * 700 / perPage;
        for (int c = 0; c < columns; ++c)
            painter.drawText(40 + c * 65, top,
                             QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, c))));
        ++row;
    }
    sqlite3_finalize(statement);
    painter.end();
    return timer.nsecsElapsed() / 1e9;
}

struct Congregation {
    QTemporaryDir dir;
    std::shared_ptr<amb::database::Manager> db = std::make_shared<amb::database::Manager>();
    std::shared_ptr<test::FakeHub> hub = std::make_shared<test::FakeHub>();

    explicit Congregation(int persons) {
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        amb::database::CreateDatabase(path, 1033);
        test::FillDatabase(path, persons);
        db->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                QStringLiteral("; Jet OLEDB:"));
        hub->SetAppDir(dir.path());
        hub->SetCompanyName(QStringLiteral("Grace Church"));
        hub->SetDatabaseManager(db);
        const QDir source(test::BuiltShareDir() + QStringLiteral("/1033/Report"));
        QDir().mkpath(hub->ReportDir());
        for (const QString& name : source.entryList({QStringLiteral("*.rpt")}, QDir::Files))
            QFile::copy(source.filePath(name), QDir(hub->ReportDir()).filePath(name));
    }

    struct Timing {
        double seconds;
        double floor;
        QString pages;
    };

    // Median seconds of `runs` exports after one that warms the caches, and of the floor in the same
    // runs; the page count of the last.
    Timing Time(const QString& report, int runs, int persons) {
        auto printer = platform::com::CreateObjectAs<amb::IReportPrinter>(QStringLiteral("AmbReportPrinter.Printer"));
        printer->SetAmbApplication(hub);
        const QString file = dir.filePath(QStringLiteral("report.pdf"));
        std::vector<double> seconds, floor;
        for (int run = 0; run <= runs; ++run) {
            printer->Clear();
            printer->SetReportName(report);
            printer->SetPrintToFile(true);
            printer->SetExportFileName(file);
            printer->SetExportFileType(amb::EnumReportExportType::PortableDocFormatFile);
            QElapsedTimer timer;
            timer.start();
            if (printer->PrintReport(std::make_shared<platform::Dictionary>()) != amb::EnumReportError::Success) {
                Print(report + QStringLiteral(": not printed"));
                std::exit(1);
            }
            const double exported = timer.nsecsElapsed() / 1e9;
            const double bare = BarePdfFloor(dir.filePath(QStringLiteral("db.mdb")), dir.filePath(QStringLiteral("floor.pdf")),
                                             test::PdfInfo(file, QStringLiteral("Pages")).toInt(), persons);
            if (run > 0) {
                seconds.push_back(exported);
                floor.push_back(bare);
            }
        }
        printer->SetAmbApplication(nullptr);
        return {.seconds = Median(seconds), .floor = Median(floor), .pages = test::PdfInfo(file, QStringLiteral("Pages"))};
    }
};

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
        Congregation congregation(c.Persons);
        const auto timing = congregation.Time(QString::fromLatin1(c.Report), runs, c.Persons);
        Print(QStringLiteral("%1, %2 persons: %3 s to PDF, %4 pages (median of %5; target < %6 s), %7 the floor of "
                             "%8 s (the rows by the sqlite3 API drawn by a bare QPdfWriter loop)")
                  .arg(QString::fromLatin1(c.Report))
                  .arg(c.Persons)
                  .arg(timing.seconds, 0, 'f', 2)
                  .arg(timing.pages)
                  .arg(runs)
                  .arg(c.Target)
                  .arg(bench::Ratio(timing.seconds, timing.floor))
                  .arg(timing.floor, 0, 'f', 2));
    }
    return 0;
}
