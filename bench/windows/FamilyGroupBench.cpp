// Times the family-or-group window on a congregation of 50,000 persons: the window filled and shown
// on a family of 30 and on a group of 2,000 members, and Set head in that group.
//
//   AmbFamilyGroupBench [--persons 50000] [--runs 7]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
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

    std::vector<double> familyTimes, groupTimes, setHeadTimes;
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
    }
    const int rows = db->GetPersonByGroupID(group)->RecordCount();
    std::printf("persons %d, family of 30, group of %d, %d runs (medians)\n", persons, rows, runs);
    std::printf("family window shown:   %7.1f ms (target 50)\n", Median(familyTimes));
    std::printf("group window shown:    %7.1f ms (target 250)\n", Median(groupTimes));
    std::printf("set head in the group: %7.1f ms (target 250)\n", Median(setHeadTimes));
    return 0;
}
