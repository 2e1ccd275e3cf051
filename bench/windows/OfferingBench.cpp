// Times the batch window's Submit of 1,000 waiting offering rows and the report window's UpdateForm
// over a large congregation, each beside its floor by the sqlite3 API in the same runs: for Submit
// the same look-up of each envelope code and the same insert, each its own transaction as the rows
// are sent one by one; for UpdateForm the same look-up lists read.
//
//   AmbOfferingBench [--persons 50000] [--rows 1000] [--runs 5]

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "common/ResourceIDs.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/Fakes.h"
#include "tests/support/PersonData.h"
#include "windows/forms/offering/BatchForm.h"
#include "windows/forms/offering/BatchRow.h"
#include "windows/forms/report/ReportForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::AgainstFloor;
using bench::Print;

// Waiting rows as the offering window writes them: every tenth without an envelope code.
void AddWaitingRows(amb::windows::BatchForm& form, int rows, const QString& waiting) {
    QTreeWidget* list = form.List();
    for (int i = 0; i < rows; ++i) {
        amb::windows::BatchRowValues values;
        values.text = i % 10 == 0 ? QString() : QString::number(1000 + i * 37 % 40000);
        values.typeId = 1 + i % 6;
        values.typeName = QStringLiteral("Type %1").arg(values.typeId);
        values.date = QDateTime(QDate(2026, 12, 6), QTime(0, 0));
        values.amount = platform::Currency::FromTicks(100000 + i * 2500);
        auto* row = new QTreeWidgetItem;
        list->addTopLevelItem(row);
        amb::windows::WriteBatchRow(list, row, true, values, values.text, QStringLiteral("12/6/2026"), waiting);
    }
    // A click on a row switches Submit on, as after the offering window closed.
    list->setCurrentItem(list->topLevelItem(0));
}

// The floor of Submit: each row's envelope code looked up and its offering inserted, one transaction
// each, as the rows are sent one by one. Milliseconds.
double SubmitFloorMs(const bench::Connection& db, int rows) {
    bench::Direct find(db.get(), "SELECT ID FROM Person WHERE EnvelopCode=? ORDER BY ID LIMIT 1");
    bench::Direct insert(db.get(), "INSERT INTO PersonOffering (DateEntered, DateUpdated, UserID, PersonID, OfferingDate, "
                                   "OfferingTypeID, Amount, Note) VALUES (?,?,1,?,?,?,?,'')");
    const QString now = QStringLiteral("2026-12-09 12:00:00"), day = QStringLiteral("2026-12-06 00:00:00");
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rows; ++i) {
        const QString code = i % 10 == 0 ? QString() : QString::number(1000 + i * 37 % 40000);
        if (!code.isEmpty())
            find.Run({code});
        insert.Run({now, now, i, day, 1 + i % 6, QString::number(10 + i * 0.25, 'f', 2)});
    }
    return timer.nsecsElapsed() / 1e6;
}

// The floor of the report window's UpdateForm: the look-up lists it fills its boxes from.
double ReportListsFloorMs(const bench::Connection& db) {
    static const char* const lists[] = {"MemberClassification", "ExpenseTypeName", "State",   "State",
                                        "GroupType",            "MaritalStatus",   "MemberStatus", "OfferingTypeName",
                                        "Sex",                  "Report"};
    QElapsedTimer timer;
    timer.start();
    for (const char* list : lists) {
        const QByteArray sql = QStringLiteral("SELECT ID, \"%1\" AS Name FROM \"%1\" ORDER BY \"%1\"")
                                   .arg(QLatin1String(list))
                                   .toUtf8();
        bench::Direct(db.get(), sql.constData()).Run({});
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addOption(
        {QStringLiteral("rows"), QStringLiteral("Waiting rows."), QStringLiteral("n"), QStringLiteral("1000")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Timed runs."), QStringLiteral("n"), QStringLiteral("5")});
    parser.process(app);
    const int persons = bench::Persons(parser);
    const int rows = parser.value(QStringLiteral("rows")).toInt();
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("db.mdb"));
    amb::database::CreateDatabase(path, 1033);
    test::FillDatabase(path, persons);

    auto database = std::make_shared<amb::database::Manager>();
    database->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                  QStringLiteral("; Jet OLEDB:"));
    auto hub = std::make_shared<test::FakeHub>();
    hub->SetDatabaseManager(database);
    hub->SetCurrentUserID(1);
    auto loader = std::make_shared<test::FakeWindowLoader>();
    loader->SetAmbApplication(hub);
    hub->SetWindowLoader(loader);
    const QString waiting = hub->StringTable()->Item(QStringLiteral("%1").arg(amb::res::kStatusWaiting)).ToString();
    const QString submitted = hub->StringTable()->Item(QStringLiteral("%1").arg(amb::res::kStatusSubmitted)).ToString();

    const bench::Connection floorDb(path);
    std::vector<double> submit, submitFloor;
    std::vector<double> report, reportFloor;
    for (int run = 0; run <= runs; ++run) {
        amb::windows::BatchForm batch;
        batch.SetWindowLoader(loader);
        batch.SetBatchType(amb::BatchKind::Offering);
        batch.UpdateForm();
        AddWaitingRows(batch, rows, waiting);
        QElapsedTimer timer;
        timer.start();
        batch.findChild<QPushButton*>(QStringLiteral("cmdSubmit"))->click();
        const double submitted_ms = timer.nsecsElapsed() / 1e6;
        const QTreeWidget* list = batch.List();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(5) != submitted) {
                Print(QStringLiteral("row %1 was not submitted").arg(i));
                return 1;
            }

        timer.restart();
        amb::windows::ReportForm form;
        form.SetWindowLoader(loader);
        if (form.UpdateForm() != 1) {
            Print(QStringLiteral("the report window did not fill itself"));
            return 1;
        }
        const double filled = timer.nsecsElapsed() / 1e6;
        const double submitFloorMs = SubmitFloorMs(floorDb, rows);
        const double reportFloorMs = ReportListsFloorMs(floorDb);
        // The first run warms the caches and is not counted.
        if (run > 0) {
            submit.push_back(submitted_ms);
            report.push_back(filled);
            submitFloor.push_back(submitFloorMs);
            reportFloor.push_back(reportFloorMs);
        }
    }
    Print(QStringLiteral("persons: %1, rows: %2, runs: %3").arg(persons).arg(rows).arg(runs));
    Print(QStringLiteral("batch window, Submit of %1 waiting offerings: %2 (target < 2000)")
              .arg(rows)
              .arg(AgainstFloor(submit, submitFloor)));
    Print(QStringLiteral("report window, UpdateForm: %1 (target < 200)").arg(AgainstFloor(report, reportFloor, 3)));
    return 0;
}
