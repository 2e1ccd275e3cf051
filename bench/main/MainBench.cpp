// Times the main window over a large congregation, each figure beside its floor: a search that lists
// every person (and the database query's part of it), the header clicks that sort that list, a search for
// "Kim" and a year of 100,000 offerings. With --screenshots DIR it
// also saves pictures of the main window (logged out, logged in with a list), the About and the
// installed-components windows. With --make-installation DIR it only makes the installation that
// bench/main/startup.sh starts as a process, and exits.
//
//   AmbrelMainBench [--persons 50000] [--runs 5] [--language 1033|1042] [--auto-backup on|off]
//                   [--screenshots DIR] [--setup PROGRAM] [--make-installation DIR]   (persons also from AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "main/AboutForm.h"
#include "main/ComponentsForm.h"
#include "main/Program.h"
#include "tests/support/FailingDatabaseManager.h"
#include "tests/support/MoneyData.h"
#include "tests/support/PersonData.h"

#include "contracts/IDatabaseManager.h"
#include "database/DatabaseSchema.h"
#include "platform/com/Factory.h"
#include "windows/base/MessageService.h"
#include "windows/base/ModalRunner.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::AgainstFloor;
using bench::Print;
using bench::Ratio;

using amb::ambrel::MainForm;

// An installation in a temporary folder: the built installer, a database of `persons` persons and
// the user "admin" with the password "ambrel".
bool Install(const QDir& folder, const QString& program, int persons, const QString& language,
             const QString& autoBackUp) {
    const QString appDir = folder.filePath(QStringLiteral("Ambrel"));
    qputenv("AMBREL_REGISTRY_DIR", folder.filePath(QStringLiteral("registry")).toUtf8());
    QProcess help;
    help.start(program, {QStringLiteral("--help")});
    help.waitForFinished(30000);
    const bool needsAdministrator = help.readAllStandardOutput().contains("--admin-password");
    QProcess setup;
    setup.start(program,
                QStringList{QStringLiteral("--appdir"), appDir, QStringLiteral("--registry"),
                            folder.filePath(QStringLiteral("registry")), QStringLiteral("--company"),
                            QStringLiteral("Grace Community Church"), QStringLiteral("--language"), language,
                            QStringLiteral("--auto-backup"), autoBackUp} +
                    (needsAdministrator ? QStringList{QStringLiteral("--admin-password"), QStringLiteral("ambrel")}
                                        : QStringList{}));
    if (!setup.waitForFinished(60000) || setup.exitCode() != 0) {
        Print(QStringLiteral("ambrel-setup failed: ") + QString::fromUtf8(setup.readAllStandardError()));
        return false;
    }
    const QString database = QDir(appDir).filePath(QStringLiteral("db.mdb"));
    QFile::remove(database);
    QElapsedTimer fill;
    fill.start();
    amb::database::CreateDatabase(database, language.toInt());
    test::FillDatabase(database, persons);
    Print(QStringLiteral("database of %1 persons made in %2 s").arg(persons).arg(fill.elapsed() / 1000.0, 0, 'f', 1));

    auto manager = platform::com::CreateObjectAs<amb::IDatabaseManager>(QStringLiteral("AmbDatabase.Manager"));
    manager->SetConnectionString(amb::ambrel::BuildConnectionString(appDir));
    auto user = std::make_shared<platform::Dictionary>(std::initializer_list<std::pair<QString, platform::Variant>>{
        {QStringLiteral("ID"), 0},
        {QStringLiteral("Username"), QStringLiteral("admin")},
        {QStringLiteral("Password"), QStringLiteral("ambrel")},
        {QStringLiteral("Name"), QStringLiteral("Office Administrator")},
        {QStringLiteral("IsAdmin"), true},
        {QStringLiteral("IsEnabled"), true}});
    return manager->UpdateUser(user) > 0;
}

// Fills the log-in window with the bench user and presses OK.
int LogInAsAdmin(QDialog& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("txtUsername"))->setText(QStringLiteral("admin"));
    dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("ambrel"));
    dialog.show();
    dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    return dialog.result();
}

// A click on a column header of a list, as the mouse gives it.
void ClickHeader(QTreeWidget* list, int column) {
    QHeaderView* header = list->header();
    const QPointF at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    const QPointF global = header->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &press);
    QApplication::sendEvent(header->viewport(), &release);
}

// Enter in a box of the window, as the keyboard gives it.
void PressEnter(QWidget* box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
}

// Every person's family name begins with this while the list is timed, so that a search for it
// lists the whole congregation, as a user can ask (an empty search is refused).
constexpr char kCommonPrefix[] = "Van";

// Gives every person the common prefix for as long as it lives, then takes it off again.
class CommonPrefix {
public:
    explicit CommonPrefix(const QString& database) : m_db(database) {
        m_db.Execute(QStringLiteral("UPDATE Person SET LastName='%1'||LastName").arg(QLatin1String(kCommonPrefix)));
    }
    ~CommonPrefix() {
        m_db.Execute(QStringLiteral("UPDATE Person SET LastName=substr(LastName,%1)").arg(sizeof kCommonPrefix));
    }
    CommonPrefix(const CommonPrefix&) = delete;
    CommonPrefix& operator=(const CommonPrefix&) = delete;
    sqlite3* Database() const { return m_db.get(); }

private:
    bench::Connection m_db;
};

// The window's record-kind tree and record list, found by their names.
QTreeWidget* TreeOf(const MainForm& form) {
    return form.findChild<QTreeWidget*>(QStringLiteral("trvwIcon"));
}

QTreeWidget* ListOf(const MainForm& form) {
    return form.findChild<QTreeWidget*>(QStringLiteral("lstvwData"));
}

// Chooses a record kind in the tree as the keyboard chooses it, which sets the list up for it; false
// when the tree has no such node.
bool ChooseKind(const MainForm& form, const QString& key) {
    QTreeWidget* tree = TreeOf(form);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            tree->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

// Types `text` into the search box and presses Enter, as a person searches.
void Search(MainForm& form, const QString& text) {
    auto* searchText = form.findChild<QComboBox*>(QStringLiteral("cboSearchText"));
    searchText->setEditText(text);
    PressEnter(searchText);
    QApplication::processEvents();
}

// Stands in for the hub's database manager while one search of persons runs and times the query the
// search makes, so that the query is timed as a part of that search. A search of persons calls no
// other member; any other would fail here, and the bench checks that the list is whole.
class TimedPersonSearch final : public test::FailingDatabaseManager {
public:
    explicit TimedPersonSearch(amb::IDatabaseManagerPtr real) : m_real(std::move(real)) {}

    platform::RecordsetPtr GetPersonBySearchText(const QString& text) override {
        QElapsedTimer clock;
        clock.start();
        platform::RecordsetPtr rows = m_real->GetPersonBySearchText(text);
        queryMs += clock.nsecsElapsed() / 1e6;
        return rows;
    }
    const amb::IDatabaseManagerPtr& Real() const { return m_real; }

    double queryMs = 0;

private:
    amb::IDatabaseManagerPtr m_real;
};

// The floor of a sort by a text column: the same texts, case-folded, sorted in one array.
double SortFloorMs(const std::vector<QString>& texts) {
    QElapsedTimer clock;
    clock.start();
    std::vector<QString> keys;
    keys.reserve(texts.size());
    for (const QString& text : texts)
        keys.push_back(text.toCaseFolded());
    std::stable_sort(keys.begin(), keys.end());
    return clock.nsecsElapsed() / 1e6;
}

// Searches as a person does, with `timed` in the hub's place: the milliseconds of the whole search and
// of its query.
std::pair<double, double> TimedSearch(MainForm& form, const std::shared_ptr<TimedPersonSearch>& timed,
                                      const QString& text) {
    timed->queryMs = 0;
    form.Hub()->SetDatabaseManager(timed);
    QElapsedTimer clock;
    clock.start();
    Search(form, text);
    const double wholeMs = clock.nsecsElapsed() / 1e6;
    form.Hub()->SetDatabaseManager(timed->Real());
    return {wholeMs, timed->queryMs};
}

void TimeListFill(MainForm& form, const QString& database, int runs) {
    const CommonPrefix prefix(database);
    const QString text = QLatin1String(kCommonPrefix);
    ChooseKind(form, QStringLiteral("Member"));
    QTreeWidget* list = ListOf(form);
    bench::Direct direct(prefix.Database(), bench::kSearchSql.c_str());
    const QString pattern = text + QLatin1Char('%');
    direct.Run({pattern}); // warms the page cache as the first search does
    // The search (with its query timed inside it) and the floor in turns, so that both meet the same
    // caches. Each search starts from an empty list, so that none is timed while the previous rows are
    // still held.
    const auto timed = std::make_shared<TimedPersonSearch>(form.Hub()->DatabaseManager());
    std::vector<double> fill, query, floor;
    int rows = 0, floorRows = 0;
    for (int run = 0; run < runs; ++run) {
        list->clear();
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        floorRows = direct.Rows({pattern});
        floor.push_back(clock.nsecsElapsed() / 1e6);
        const auto [wholeMs, queryMs] = TimedSearch(form, timed, text);
        fill.push_back(wholeMs);
        query.push_back(queryMs);
        rows = list->topLevelItemCount();
    }
    if (rows != floorRows)
        Print(QStringLiteral("the list shows %1 rows, the query gives %2").arg(rows).arg(floorRows));
    const double floorMs = Median(floor);
    Print(QStringLiteral("search \"%1\" listing every person (%2 rows): median %3 ms, %4 the floor (target < 300)")
              .arg(text)
              .arg(rows)
              .arg(Median(fill), 0, 'f', 1)
              .arg(Ratio(Median(fill), floorMs)));
    Print(QStringLiteral("  of which the database query (timed inside the same searches): median %1 ms, %2 the floor")
              .arg(Median(query), 0, 'f', 1)
              .arg(Ratio(Median(query), floorMs)));
    Print(QStringLiteral("  floor, the same query by the sqlite3 API: median %1 ms").arg(floorMs, 0, 'f', 1));
    // A header click sorts the whole list (each click turns the order round). The first click is what
    // a person waits for after the search; later ones meet keys already worked out.
    for (const auto& [column, name] : {std::pair{0, "name"}, {2, "date of birth"}}) {
        std::vector<QString> texts;
        texts.reserve(static_cast<size_t>(list->topLevelItemCount()));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.push_back(list->topLevelItem(i)->text(column));
        std::vector<double> sort, sortFloor;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer clock;
            clock.start();
            ClickHeader(list, column);
            QApplication::processEvents();
            sort.push_back(clock.nsecsElapsed() / 1e6);
            sortFloor.push_back(SortFloorMs(texts));
        }
        Print(QStringLiteral("header click sorting all persons by %1: first %2 ms, %3 the floor; later median %4 ms "
                             "(target < 100); floor, the column's texts sorted in one array: %5 ms")
                  .arg(QLatin1String(name))
                  .arg(sort.front(), 0, 'f', 1)
                  .arg(Ratio(sort.front(), Median(sortFloor)))
                  .arg(Median(std::vector<double>(sort.begin() + 1, sort.end())), 0, 'f', 1)
                  .arg(Median(sortFloor), 0, 'f', 1));
    }
}

// A search for "Kim", which lists a part of the congregation.
void TimePrefixSearch(MainForm& form, const QString& database, int runs) {
    ChooseKind(form, QStringLiteral("Member"));
    const bench::Connection db(database);
    bench::Direct direct(db.get(), bench::kSearchSql.c_str());
    std::vector<double> prefix, floor;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        Search(form, QStringLiteral("Kim"));
        prefix.push_back(clock.nsecsElapsed() / 1e6);
        rows = ListOf(form)->topLevelItemCount();
        clock.restart();
        direct.Run({QStringLiteral("Kim%")});
        floor.push_back(clock.nsecsElapsed() / 1e6);
    }
    Print(QStringLiteral("search \"Kim\" (%1 rows): %2").arg(rows).arg(AgainstFloor(prefix, floor)));
}

// Lists a year of 100,000 offerings in the main window.
void TimeOfferingList(MainForm& form, const QString& database, int persons, int runs) {
    test::FillMoney(database, 2023, 100000, 2000, persons);
    if (!ChooseKind(form, QStringLiteral("Offering")))
        return;
    QTreeWidget* list = ListOf(form);
    form.findChild<QDateTimeEdit*>(QStringLiteral("dtpStart"))->setDate(QDate(2023, 1, 1));
    form.findChild<QDateTimeEdit*>(QStringLiteral("dtpEnd"))->setDate(QDate(2023, 12, 31));
    auto* search = form.findChild<QAction*>(QStringLiteral("tbarSearchButton2"));
    const bench::Connection db(database);
    bench::Direct direct(db.get(), bench::kOfferingYearSql);
    const QString from = QStringLiteral("2023-01-01 00:00:00"), to = QStringLiteral("2023-12-31 23:59:59");
    std::vector<double> fill, floor;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        search->trigger(); // the search of the whole of each day, as the search button gives it
        QApplication::processEvents();
        fill.push_back(clock.nsecsElapsed() / 1e6);
        rows = list->topLevelItemCount();
        clock.restart();
        direct.Run({from, to});
        floor.push_back(clock.nsecsElapsed() / 1e6);
    }
    Print(QStringLiteral("offering list of a year (%1 rows): %2 (the same query by the sqlite3 API)")
              .arg(rows)
              .arg(AgainstFloor(fill, floor)));
}

void Save(QWidget& window, const QString& folder, const char* name) {
    window.grab().save(QDir(folder).filePath(QLatin1String(name)));
    Print(QStringLiteral("saved %1/%2").arg(folder, QLatin1String(name)));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addOption(
        {QStringLiteral("runs"), QStringLiteral("Timed runs of each step."), QStringLiteral("n"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("Interface language: 1033 or 1042."),
                      QStringLiteral("lcid"), QStringLiteral("1033")});
    parser.addOption({QStringLiteral("auto-backup"), QStringLiteral("Back up the database at every start: on or off."),
                      QStringLiteral("on|off"), QStringLiteral("on")});
    parser.addOption(
        {QStringLiteral("screenshots"), QStringLiteral("Save pictures of the windows here."), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("setup"), QStringLiteral("The installer to use (default: the one built beside)."),
                      QStringLiteral("program")});
    parser.addOption({QStringLiteral("make-installation"),
                      QStringLiteral("Only make an installation (Ambrel/ and registry/) in this folder."),
                      QStringLiteral("dir")});
    parser.process(app);

    amb::MessageService::SetAnswerer([](const amb::Message& message) {
        Print(QStringLiteral("message: ") + message.title + QStringLiteral(": ") + message.text);
        return amb::MessageResult::OK;
    });
    const QString setup = parser.isSet(QStringLiteral("setup"))
                              ? parser.value(QStringLiteral("setup"))
                              : QCoreApplication::applicationDirPath() + QStringLiteral("/ambrel-setup");
    if (parser.isSet(QStringLiteral("make-installation"))) {
        const QDir target(QDir(parser.value(QStringLiteral("make-installation"))).absolutePath());
        return target.mkpath(QStringLiteral(".")) &&
                       Install(target, setup, bench::Persons(parser), parser.value(QStringLiteral("language")),
                               parser.value(QStringLiteral("auto-backup")))
                   ? 0
                   : 1;
    }
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    if (!Install(folder, setup, bench::Persons(parser), parser.value(QStringLiteral("language")),
                 parser.value(QStringLiteral("auto-backup"))))
        return 1;
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    auto form = amb::ambrel::StartUp();
    if (!form)
        return 1;
    const QString shots = parser.value(QStringLiteral("screenshots"));
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        QApplication::processEvents();
        Save(*form, shots, "main-logged-out.png");
    }
    amb::ModalRunner::SetRunner(LogInAsAdmin);
    form->findChild<QAction*>(QStringLiteral("mnuFileLogInOut"))->trigger();
    amb::ModalRunner::SetRunner({});
    if (!form->IsLoggedIn()) {
        Print(QStringLiteral("the log-in failed"));
        return 1;
    }
    const QString database = folder.filePath(QStringLiteral("Ambrel/db.mdb"));
    TimeListFill(*form, database, runs);
    TimePrefixSearch(*form, database, runs);
    TimeOfferingList(*form, database, bench::Persons(parser), runs);

    if (!shots.isEmpty()) {
        // The persons named Kim, sorted by name with a header click, one row chosen. The Korean
        // interface names persons by their Korean name.
        const bool korean = parser.value(QStringLiteral("language")) == QLatin1String("1042");
        QTreeWidget* list = ListOf(*form);
        ChooseKind(*form, QStringLiteral("Member"));
        auto* searchText = form->findChild<QComboBox*>(QStringLiteral("cboSearchText"));
        searchText->setEditText(korean ? QStringLiteral("김") : QStringLiteral("Kim"));
        PressEnter(searchText);
        ClickHeader(list, 0);
        list->setCurrentItem(list->topLevelItem(0));
        QApplication::processEvents();
        Save(*form, shots, "main-persons.png");
        // The offerings of the year the bench filled.
        ChooseKind(*form, QStringLiteral("Offering"));
        auto* start = form->findChild<QDateTimeEdit*>(QStringLiteral("dtpStart"));
        start->setDate(QDate(2023, 1, 1));
        form->findChild<QDateTimeEdit*>(QStringLiteral("dtpEnd"))->setDate(QDate(2023, 12, 31));
        PressEnter(start);
        QApplication::processEvents();
        Save(*form, shots, "main-offerings.png");
        amb::ambrel::AboutForm about(form->Wrapper(), form.get());
        about.UpdateForm();
        about.show();
        QApplication::processEvents();
        Save(about, shots, "about.png");
        amb::ambrel::ComponentsForm components(form->Wrapper(), form.get());
        components.UpdateForm();
        components.show();
        QApplication::processEvents();
        Save(components, shots, "components.png");
    }
    form->SetAskOnClose(false);
    form->close();
    return 0;
}
