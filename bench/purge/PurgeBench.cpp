// Times the purge a person starts in the Options window, from the click on Purge (its question answered
// Yes at once) to the message that says it is done, on the bench database: 50,000 persons, every tenth
// marked deleted, removed with their contact rows and memberships, then the file compacted. Beside it,
// in the same runs, its floor: the same statements in one transaction and the same VACUUM by the
// sqlite3 API on an equal copy of the file. Prints both, their ratio and the file sizes.
//   AmbPurgeBench [--persons 50000] [--runs 5]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "common/ResourceIDs.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "tests/support/Fakes.h"
#include "tests/support/PersonData.h"
#include "windows/base/MessageService.h"
#include "windows/forms/options/OptionsForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
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
    for (const char* table :
         {"PersonAddress", "PersonEMailAddress", "PersonPhoneNumber", "PersonToFamily", "PersonToGroup"})
        db.Execute(QStringLiteral("DELETE FROM %1 WHERE PersonID IN ").arg(QLatin1String(table)) + marked);
    db.Execute(QStringLiteral("DELETE FROM Person WHERE IsDeleted=1"));
    db.Execute(QStringLiteral("COMMIT"));
    db.Execute(QStringLiteral("VACUUM"));
}

// A left click in the middle of the button, as the mouse gives it.
void Click(QWidget* button) {
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QApplication::sendEvent(button, &release);
}

double Seconds(qint64 nanoseconds) {
    return nanoseconds / 1e9;
}

// The Options window over the database at `path`, as the program opens it for a logged-in person whose
// main window has already read from the database. Clicks Purge and returns the seconds until the
// message that ends the purge, or a negative number when that message is not the one of a purge done.
double PurgeFromTheWindow(const QString& path, const QString& folder) {
    auto database = std::make_shared<amb::database::Manager>();
    database->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                  QStringLiteral("; Jet OLEDB:"));
    database->GetMemberRecordStat();
    auto writer = std::make_shared<test::RecordingLogWriter>();
    writer->SetLogTraceDir(folder);
    auto hub = test::HubWithWriter(writer);
    hub->SetAppDir(folder);
    hub->SetDatabaseManager(database);
    hub->SetCurrentUserID(1);
    auto loader = std::make_shared<test::FakeWindowLoader>();
    loader->SetAmbApplication(hub);
    hub->SetWindowLoader(loader);
    const QString confirm = hub->StringTable()->Item(QString::number(amb::res::kMsgConfirmPurge)).ToString();
    const QString done = hub->StringTable()->Item(QString::number(amb::res::kMsgPurgeDone)).ToString();

    amb::windows::OptionsForm form;
    form.SetWindowLoader(loader);
    if (form.UpdateForm() != 1)
        return -1;
    form.show();
    QApplication::processEvents();
    QElapsedTimer clock;
    qint64 doneAt = -1;
    amb::MessageService::SetAnswerer([&](const amb::Message& message) {
        if (message.text == confirm)
            return amb::MessageResult::Yes;
        if (message.text == done)
            doneAt = clock.nsecsElapsed();
        else
            Print(QStringLiteral("message: ") + message.text);
        return amb::MessageResult::OK;
    });
    auto* purge = form.findChild<QPushButton*>(QStringLiteral("cmdPurge"));
    clock.start();
    Click(purge);
    amb::MessageService::SetAnswerer({});
    return doneAt < 0 ? -1.0 : Seconds(doneAt);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Timed runs."), QStringLiteral("n"), QStringLiteral("5")});
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

    // Each run purges a fresh copy of the marked file, the window and the floor in turns.
    const QString path = dir.filePath(QStringLiteral("db.mdb")), floorPath = dir.filePath(QStringLiteral("floor.mdb"));
    std::vector<double> purge, floor;
    qint64 after = 0;
    for (int run = 0; run < runs; ++run) {
        for (const QString& copy : {path, floorPath}) {
            QFile::remove(copy);
            QFile::copy(marked, copy);
        }
        const double seconds = PurgeFromTheWindow(path, dir.path());
        if (seconds < 0) {
            Print(QStringLiteral("the Options window did not purge"));
            return 1;
        }
        purge.push_back(seconds);
        after = QFileInfo(path).size();
        QElapsedTimer timer;
        timer.start();
        PurgeFloor(floorPath);
        floor.push_back(Seconds(timer.nsecsElapsed()));
    }
    Print(QStringLiteral("Purge of %1 marked persons of %2 from the Options window, its click to its message: %3 s "
                         "(median of %4; target < 5 s), %5 the floor of %6 s (the same statements and VACUUM by "
                         "the sqlite3 API); file %7 MB -> %8 MB")
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
