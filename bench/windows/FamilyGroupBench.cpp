// Times the family-or-group window on a congregation of 50,000 persons: the window filled and shown
// on a family of 30 and on a group of 2,000 members, and Set head in that group.
//
//   AmbFamilyGroupBench [--persons 50000] [--runs 7]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/data/Dictionary.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/Fakes.h"
#include "tests/support/PersonData.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/familygroup/FamilyGroupForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using bench::Median;

using amb::windows::FamilyGroupForm;

// A family or group of the first `count` persons from `firstPerson` on, the first one its head.
int32_t MakeOwner(amb::database::Manager& db, platform::SqliteConnection& raw, bool group, int firstPerson, int count) {
    auto record = std::make_shared<platform::Dictionary>();
    record->SetItem(QStringLiteral("ID"), 0);
    record->SetItem(QStringLiteral("Name"), group ? QStringLiteral("Bench group") : QStringLiteral("Bench family"));
    if (group)
        record->SetItem(QStringLiteral("GroupTypeID"), 1);
    const int32_t id = group ? db.UpdateGroup(record) : db.UpdateFamily(record);
    raw.Execute(QStringLiteral("BEGIN"));
    for (int i = 0; i < count; ++i)
        raw.Execute(group ? QStringLiteral("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup, \"Position\") "
                                           "VALUES (?, ?, ?, 'Member')")
                          : QStringLiteral("INSERT INTO PersonToFamily (PersonID, FamilyID, IsHeadOfFamily, "
                                           "Relationship) VALUES (?, ?, ?, 'Child')"),
                    {firstPerson + i, id, i == 0});
    raw.Execute(QStringLiteral("COMMIT"));
    return id;
}

// The members of a family or group with their names and home contact rows, read by the sqlite3 API.
const char* const kFamilyMembers =
    "SELECT Person.*, PersonToFamily.IsHeadOfFamily, PersonToFamily.Relationship, PersonAddress.AddressPart1, "
    "PersonPhoneNumber.PhoneNumber FROM PersonToFamily JOIN Person ON Person.ID=PersonToFamily.PersonID "
    "LEFT JOIN PersonAddress ON PersonAddress.PersonID=Person.ID AND PersonAddress.IsHomeAddress=1 "
    "LEFT JOIN PersonPhoneNumber ON PersonPhoneNumber.PersonID=Person.ID AND PersonPhoneNumber.IsHomePhoneNumber=1 "
    "WHERE PersonToFamily.FamilyID=? ORDER BY Person.LastName, Person.FirstName";
const char* const kGroupMembers =
    "SELECT Person.*, PersonToGroup.IsHeadOfGroup, PersonToGroup.\"Position\", PersonAddress.AddressPart1, "
    "PersonPhoneNumber.PhoneNumber FROM PersonToGroup JOIN Person ON Person.ID=PersonToGroup.PersonID "
    "LEFT JOIN PersonAddress ON PersonAddress.PersonID=Person.ID AND PersonAddress.IsHomeAddress=1 "
    "LEFT JOIN PersonPhoneNumber ON PersonPhoneNumber.PersonID=Person.ID AND PersonPhoneNumber.IsHomePhoneNumber=1 "
    "WHERE PersonToGroup.GroupID=? ORDER BY Person.LastName, Person.FirstName";

double ReadFloorMs(const bench::Connection& db, const char* sql, int32_t id) {
    QElapsedTimer timer;
    timer.start();
    bench::Direct(db.get(), sql).Run({id});
    return double(timer.nsecsElapsed()) / 1e6;
}

// Set head as plainly as SQLite does it: the old head's row and the new one's in one transaction,
// then the group read again.
double SetHeadFloorMs(const bench::Connection& db, int32_t group, int32_t person) {
    QElapsedTimer timer;
    timer.start();
    db.Execute(QStringLiteral("BEGIN IMMEDIATE"));
    db.Execute(QStringLiteral("UPDATE PersonToGroup SET IsHeadOfGroup=(PersonID=%1) WHERE GroupID=%2 AND "
                              "(IsHeadOfGroup=1 OR PersonID=%1)")
                   .arg(person)
                   .arg(group));
    db.Execute(QStringLiteral("COMMIT"));
    bench::Direct(db.get(), kGroupMembers).Run({group});
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Timed runs."), QStringLiteral("n"), QStringLiteral("7")});
    parser.process(app);
    const int persons = std::max(3000, bench::Persons(parser));
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("db.mdb"));
    amb::database::CreateDatabase(path, 1033);
    test::FillDatabase(path, persons);
    auto db = std::make_shared<amb::database::Manager>();
    db->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                            QStringLiteral("; Jet OLEDB:"));
    auto raw = platform::SqliteConnection::Open(path);
    const int32_t family = MakeOwner(*db, *raw, false, 1, 30);
    const int32_t group = MakeOwner(*db, *raw, true, 1000, 2000);

    auto hub = test::HubWithWriter(std::make_shared<test::RecordingLogWriter>());
    hub->SetDatabaseManager(db);
    auto loader = std::make_shared<test::FakeWindowLoader>();
    loader->SetAmbApplication(hub);
    hub->SetWindowLoader(loader);

    // The window as the loader shows it, until it has been painted.
    std::function<void(QDialog&)> whileShown;
    amb::ModalRunner::SetRunner([&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        if (whileShown)
            whileShown(dialog);
        dialog.hide();
        return 0;
    });
    const auto openWindow = [&](amb::EnumFamilyGroup type, int32_t id) {
        QElapsedTimer timer;
        timer.start();
        FamilyGroupForm form;
        form.SetID(id);
        form.SetFormType(type);
        form.SetWindowLoader(loader);
        if (form.UpdateForm() > 0)
            amb::ModalRunner::Run(form);
        return double(timer.nsecsElapsed()) / 1e6;
    };

    const bench::Connection floorDb(path);
    std::vector<double> familyTimes, groupTimes, setHeadTimes, familyFloor, groupFloor, setHeadFloor;
    openWindow(amb::EnumFamilyGroup::Group, group); // warm the caches
    for (int run = 0; run < runs; ++run) {
        familyTimes.push_back(openWindow(amb::EnumFamilyGroup::Family, family));
        whileShown = {};
        groupTimes.push_back(openWindow(amb::EnumFamilyGroup::Group, group));
        whileShown = [&](QDialog& dialog) {
            auto* grid = dialog.findChild<QTreeWidget*>(QStringLiteral("lstvwMember"));
            grid->setCurrentItem(grid->topLevelItem(1 + run % 100));
            auto* setHead = dialog.findChild<QAbstractButton*>(QStringLiteral("tbarMemberSetHead"));
            QElapsedTimer timer;
            timer.start();
            setHead->click();
            QApplication::processEvents();
            setHeadTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        };
        openWindow(amb::EnumFamilyGroup::Group, group);
        whileShown = {};
        familyFloor.push_back(ReadFloorMs(floorDb, kFamilyMembers, family));
        groupFloor.push_back(ReadFloorMs(floorDb, kGroupMembers, group));
        setHeadFloor.push_back(SetHeadFloorMs(floorDb, group, 1000 + run % 100));
    }
    const int rows = db->GetPersonByGroupID(group)->RecordCount();
    std::printf("persons %d, family of 30, group of %d, %d runs (medians)\n", persons, rows, runs);
    const struct {
        const char* name;
        const std::vector<double>& times;
        const std::vector<double>& floor;
        int target;
    } figures[] = {{.name = "family window shown:  ", .times = familyTimes, .floor = familyFloor, .target = 50},
                   {.name = "group window shown:   ", .times = groupTimes, .floor = groupFloor, .target = 250},
                   {.name = "set head in the group:", .times = setHeadTimes, .floor = setHeadFloor, .target = 250}};
    for (const auto& f : figures)
        std::printf("%s %7.1f ms (target %d), %s the floor of %.2f ms (its rows by the sqlite3 API)\n", f.name,
                    Median(f.times), f.target, qPrintable(bench::Ratio(Median(f.times), Median(f.floor))),
                    Median(f.floor));
    return 0;
}
