// Times the person window over a large congregation: opening it to its first paint on a person with
// 500 offerings of one type, 20 contact rows, 3 families and 3 groups, and choosing that offering type
// to list the 500. Each beside its floor by the sqlite3 API in the same runs: the person's row and every
// row the window shows of it read, and the 500 offerings of that type read. Then Ctrl+V of a date with
// 64,000 spaces around it into the birth date box, beside the clipboard's text trimmed and read as a date.
//
//   AmbWindowsBench [--persons 50000] [--runs 7]

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "common/widgets/DatePicker.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/Fakes.h"
#include "tests/support/PersonData.h"
#include "windows/forms/member/MemberForm.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::Print;

// The person's extra rows: 12 contact rows beside the 8 built-in ones, 3 families, 3 groups and 500
// offerings of type 1 (and some of another type).
void AddPersonRows(platform::SqliteConnection& db, int32_t person) {
    db.Execute(QStringLiteral("BEGIN"));
    const platform::Variant now(QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC));
    for (int i = 0; i < 4; ++i) {
        db.Execute(QStringLiteral("INSERT INTO PersonAddress (DateEntered, PersonID, Name, AddressPart1, AddressPart2) "
                                  "VALUES (?,?,?,?,?)"),
                   {now, person, QStringLiteral("Cabin %1").arg(i), QStringLiteral("%1 Lake Rd").arg(i + 10),
                    QStringLiteral("Springfield")});
        db.Execute(
            QStringLiteral("INSERT INTO PersonPhoneNumber (DateEntered, PersonID, Name, PhoneNumber) "
                           "VALUES (?,?,?,?)"),
            {now, person, QStringLiteral("Line %1").arg(i), QStringLiteral("555-01%1").arg(i, 2, 10, QChar('0'))});
        db.Execute(QStringLiteral("INSERT INTO PersonEMailAddress (DateEntered, PersonID, Name, EMailAddress) "
                                  "VALUES (?,?,?,?)"),
                   {now, person, QStringLiteral("Mail %1").arg(i), QStringLiteral("p%1@example.org").arg(i)});
    }
    db.Execute(QStringLiteral("DELETE FROM PersonToFamily WHERE PersonID=?"), {person});
    db.Execute(QStringLiteral("DELETE FROM PersonToGroup WHERE PersonID=?"), {person});
    for (int i = 1; i <= 3; ++i) {
        db.Execute(QStringLiteral("INSERT INTO PersonToFamily (PersonID, FamilyID, IsHeadOfFamily, Relationship) "
                                  "SELECT ?, ID, 0, 'Relative' FROM Family WHERE ID>0 ORDER BY ID LIMIT 1 OFFSET ?"),
                   {person, i * 7});
        db.Execute(QStringLiteral("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup, \"Position\") "
                                  "SELECT ?, ID, 0, 'Member' FROM \"Group\" WHERE ID>0 ORDER BY ID LIMIT 1 OFFSET ?"),
                   {person, i * 5});
    }
    for (int i = 0; i < 600; ++i) {
        const QDateTime day(QDate(2016, 1, 3).addDays(i * 7), QTime(0, 0), Qt::UTC);
        db.Execute(QStringLiteral("INSERT INTO PersonOffering (DateEntered, PersonID, OfferingDate, OfferingTypeID, "
                                  "Amount) VALUES (?,?,?,?,?)"),
                   {now, person, platform::Variant(day), i < 500 ? 1 : 2,
                    platform::Variant(platform::Currency::FromTicks(100000 + i * 2500))});
    }
    db.Execute(QStringLiteral("COMMIT"));
}

// Shows the window and lets it paint once.
void ShowAndPaint(QWidget& window) {
    window.show();
    QCoreApplication::processEvents();
    window.repaint();
}

// The rows the person window shows of a person, read by the sqlite3 API. Milliseconds.
double OpenFloorMs(const bench::Connection& db, int32_t person) {
    static const char* const reads[] = {
        "SELECT * FROM Person WHERE ID=?",
        "SELECT * FROM PersonAddress WHERE PersonID=? ORDER BY ID",
        "SELECT * FROM PersonPhoneNumber WHERE PersonID=? ORDER BY ID",
        "SELECT * FROM PersonEMailAddress WHERE PersonID=? ORDER BY ID",
        "SELECT PersonToFamily.*, Family.Name FROM PersonToFamily JOIN Family ON Family.ID=PersonToFamily.FamilyID "
        "WHERE PersonID=?",
        "SELECT PersonToGroup.*, \"Group\".Name FROM PersonToGroup JOIN \"Group\" ON "
        "\"Group\".ID=PersonToGroup.GroupID WHERE PersonID=?"};
    QElapsedTimer timer;
    timer.start();
    for (const char* sql : reads)
        bench::Direct(db.get(), sql).Run({person});
    return timer.nsecsElapsed() / 1e6;
}

// The offerings of one type of a person, read by the sqlite3 API. Milliseconds.
double OfferingsFloorMs(const bench::Connection& db, int32_t person) {
    QElapsedTimer timer;
    timer.start();
    bench::Direct(db.get(), "SELECT PersonOffering.*, OfferingTypeName.OfferingTypeName FROM PersonOffering LEFT JOIN "
                            "OfferingTypeName ON OfferingTypeName.ID=PersonOffering.OfferingTypeID WHERE PersonID=? AND "
                            "OfferingTypeID=? ORDER BY OfferingDate")
        .Run({person, 1});
    return timer.nsecsElapsed() / 1e6;
}

// Ctrl+V into the box of a date with 32,000 spaces before it and as many after, to the date shown.
// Milliseconds; negative when the box does not hold the date.
double PasteMs(amb::DateBox& box) {
    const QDate pasted(2026, 3, 15);
    const QString spaces(32000, u' ');
    QGuiApplication::clipboard()->setText(spaces + pasted.toString(box.displayFormat()) + spaces);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QElapsedTimer timer;
    timer.start();
    QCoreApplication::sendEvent(&box, &press);
    box.repaint();
    const double ms = timer.nsecsElapsed() / 1e6;
    return box.date() == pasted ? ms : -1;
}

// The least a paste must do: the clipboard's text, trimmed and read as a date. Milliseconds.
double PasteFloorMs(const QString& format) {
    QElapsedTimer timer;
    timer.start();
    const QDate date = QDate::fromString(QGuiApplication::clipboard()->text().trimmed(), format);
    const double ms = timer.nsecsElapsed() / 1e6;
    return date.isValid() ? ms : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Timed runs."), QStringLiteral("n"), QStringLiteral("7")});
    parser.process(app);
    const int persons = bench::Persons(parser);
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("db.mdb"));
    amb::database::CreateDatabase(path, 1033);
    test::FillDatabase(path, persons);
    const int32_t person = persons / 2;
    AddPersonRows(*platform::SqliteConnection::Open(path), person);

    auto database = std::make_shared<amb::database::Manager>();
    database->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                  QStringLiteral("; Jet OLEDB:"));
    auto hub = std::make_shared<test::FakeHub>();
    hub->SetDatabaseManager(database);
    auto loader = std::make_shared<test::FakeWindowLoader>();
    loader->SetAmbApplication(hub);
    hub->SetWindowLoader(loader);

    const bench::Connection floorDb(path);
    std::vector<double> open, openFloor;
    std::vector<double> choose, chooseFloor;
    std::vector<double> paste, pasteFloor;
    for (int run = 0; run <= runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        amb::windows::MemberForm form;
        form.SetWindowLoader(loader);
        form.SetID(person);
        if (form.UpdateForm() != 1) {
            Print(QStringLiteral("the person window did not open"));
            return 1;
        }
        ShowAndPaint(form);
        const double opened = timer.nsecsElapsed() / 1e6;

        auto* types = form.findChild<QComboBox*>(QStringLiteral("cboOfferingType"));
        auto* offerings = form.findChild<QTreeWidget*>(QStringLiteral("lstvwOffering"));
        timer.restart();
        types->setCurrentIndex(types->findData(1));
        form.repaint();
        const double listed = timer.nsecsElapsed() / 1e6;
        if (offerings->topLevelItemCount() != 500) {
            Print(QStringLiteral("expected 500 offerings, listed %1").arg(offerings->topLevelItemCount()));
            return 1;
        }
        auto* birth = form.findChild<amb::DatePicker*>(QStringLiteral("dtpDOB"))->DateEdit();
        const double pasted = PasteMs(*birth);
        const double pasteFloorMs = PasteFloorMs(birth->displayFormat());
        if (pasted < 0 || pasteFloorMs < 0) {
            Print(QStringLiteral("the pasted date was not read"));
            return 1;
        }
        // The first run warms the caches and is not counted.
        const double openFloorMs = OpenFloorMs(floorDb, person);
        const double chooseFloorMs = OfferingsFloorMs(floorDb, person);
        if (run > 0) {
            open.push_back(opened);
            choose.push_back(listed);
            paste.push_back(pasted);
            openFloor.push_back(openFloorMs);
            chooseFloor.push_back(chooseFloorMs);
            pasteFloor.push_back(pasteFloorMs);
        }
    }
    Print(QStringLiteral("persons: %1, runs: %2").arg(persons).arg(runs));
    Print(QStringLiteral("person window, open to first paint: %1 (target < 100)")
              .arg(bench::AgainstFloor(open, openFloor, 2)));
    Print(QStringLiteral("person window, choose the offering type (500 rows): %1 (target < 100)")
              .arg(bench::AgainstFloor(choose, chooseFloor, 2)));
    Print(QStringLiteral("birth date box, Ctrl+V of a date with 64,000 spaces around it: %1 (target < 100)")
              .arg(bench::AgainstFloor(paste, pasteFloor, 2)));
    return 0;
}
