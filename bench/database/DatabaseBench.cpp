// Times the database manager's busiest members on 50,000 persons, each beside its floor: the same
// query through a plain sqlite3 prepared-statement loop that reads every cell in place. Prints both
// and the member's ratio to the floor.
//   AmbDatabaseBench [--persons 50000]   (or AMB_BENCH_PERSONS)

#include "bench/BenchOutput.h"
#include "bench/SqliteFloor.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "tests/support/MoneyData.h"
#include "tests/support/PersonData.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace {

using bench::Direct;
using bench::kMemberListSql;
using bench::kOfferingYearSql;
using bench::kSearchOrder;
using bench::kSearchSql;
using bench::kSearchSelect;
using bench::Median;

using Clock = std::chrono::steady_clock;

double ElapsedMs(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Medians of the member and the direct query, run in turns so that both see the same machine load.
// With AMB_BENCH_MEMBERS_ONLY set the direct queries are left out, so a profiler sees only the members.
std::pair<double, double> PairedMs(int runs, const std::function<void()>& member, const std::function<void()>& direct) {
    static const bool membersOnly = qEnvironmentVariableIsSet("AMB_BENCH_MEMBERS_ONLY");
    member(); // warm the caches and the prepared statements
    if (!membersOnly)
        direct();
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(ElapsedMs(member));
        b.push_back(membersOnly ? 0.0 : ElapsedMs(direct));
    }
    return {Median(a), Median(b)};
}

struct Figure {
    const char* name;
    double member;
    double direct;
    double limitMs; // 0: no absolute target
    int rows;
    int directRows;
};

const std::string kEveryoneSql = std::string(kSearchSelect) +
                                 "WHERE (Person.LastName IS NOT NULL OR Person.LanguageName IS NOT NULL)" +
                                 kSearchOrder;
const char* kMonthSql =
    "SELECT ID, LanguageName, Title, FirstName, MiddleName, LastName, Suffix, DOB AS \"Date\", 'Birthday' AS Reason, "
    "CAST(substr(DOB, 9, 2) AS INTEGER) AS \"Day\" FROM Person WHERE substr(DOB, 6, 2)=?1 UNION SELECT ID, "
    "LanguageName, Title, FirstName, MiddleName, LastName, Suffix, DateMarried AS \"Date\", 'Anniversary' AS Reason, "
    "CAST(substr(DateMarried, 9, 2) AS INTEGER) AS \"Day\" FROM Person WHERE MaritalStatusID=2 AND "
    "substr(DateMarried, 6, 2)=?1 ORDER BY \"Day\", ID";
const char* kStatSql =
    "SELECT (SELECT COUNT(*) FROM Person WHERE IsDeleted=0) AS TotalMemberRecordCount, (SELECT COUNT(*) FROM "
    "PersonToFamily WHERE IsHeadOfFamily=1) AS TotalFamilyRecordCount, (SELECT COUNT(*) FROM PersonToGroup WHERE "
    "IsHeadOfGroup=1) AS TotalGroupRecordCount";
const char* kPersonSql =
    "SELECT (Person.LastName || ', ' || Person.FirstName) AS FullName, Person.*, Sex.Sex, MaritalStatus.MaritalStatus, "
    "MemberClassification.MemberClassification, MemberStatus.MemberStatus FROM Person LEFT JOIN Sex ON "
    "Person.SexID=Sex.ID LEFT JOIN MaritalStatus ON Person.MaritalStatusID=MaritalStatus.ID LEFT JOIN "
    "MemberClassification ON Person.MemberClassificationID=MemberClassification.ID LEFT JOIN MemberStatus ON "
    "Person.MemberStatusID=MemberStatus.ID WHERE Person.ID=?";

// Members of a family with their home address, personal e-mail, home and cell phone, as plain outer joins.
const char* kFamilyMembersSql =
    "SELECT Person.*, Sex.Sex, PersonToFamily.IsHeadOfFamily, PersonToFamily.Relationship, PersonAddress.AddressPart1, "
    "PersonAddress.AddressPart2, PersonAddress.AddressPart3, PersonAddress.AddressPart4, PersonAddress.AddressPart5, "
    "PersonEMailAddress.EMailAddress, HomePhone.PhoneNumber AS HomePhoneNumber, CellPhone.PhoneNumber AS "
    "CellPhoneNumber "
    "FROM PersonToFamily JOIN Person ON Person.ID=PersonToFamily.PersonID LEFT JOIN Sex ON Person.SexID=Sex.ID "
    "LEFT JOIN PersonAddress ON PersonAddress.PersonID=Person.ID AND PersonAddress.IsHomeAddress=1 "
    "LEFT JOIN PersonEMailAddress ON PersonEMailAddress.PersonID=Person.ID AND "
    "PersonEMailAddress.IsPersonalEMailAddress=1 "
    "LEFT JOIN PersonPhoneNumber AS HomePhone ON HomePhone.PersonID=Person.ID AND HomePhone.IsHomePhoneNumber=1 "
    "LEFT JOIN PersonPhoneNumber AS CellPhone ON CellPhone.PersonID=Person.ID AND CellPhone.IsCellPhoneNumber=1 "
    "WHERE PersonToFamily.FamilyID=? AND Person.IsDeleted=0 ORDER BY PersonToFamily.IsHeadOfFamily DESC, "
    "Person.LanguageName, Person.LastName, Person.FirstName, Person.MiddleName, Person.ID";
const char* kBalanceSheetSql =
    "SELECT Expense.ExpenseDate AS \"Date\", ExpenseTypeName.ExpenseTypeName AS \"Type\", Expense.ExpenseName AS "
    "Description, Expense.Amount AS ExpenseAmount, 0 AS OfferingAmount, 0 AS IsOffering, Expense.ID AS RowOrder FROM "
    "Expense LEFT JOIN ExpenseTypeName ON Expense.ExpenseTypeID=ExpenseTypeName.ID WHERE Expense.ExpenseDate BETWEEN "
    "?1 "
    "AND ?2 UNION ALL SELECT PersonOffering.OfferingDate, OfferingTypeName.OfferingTypeName, '', 0, "
    "SUM(PersonOffering.Amount), 1, MIN(PersonOffering.ID) FROM PersonOffering LEFT JOIN OfferingTypeName ON "
    "PersonOffering.OfferingTypeID=OfferingTypeName.ID WHERE PersonOffering.OfferingDate BETWEEN ?1 AND ?2 GROUP BY "
    "PersonOffering.OfferingDate, PersonOffering.OfferingTypeID ORDER BY 1, 6, 7";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.process(app);
    const int persons = std::max(1000, bench::Persons(parser));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    amb::database::CreateDatabase(path, 1033);
    auto fillStart = Clock::now();
    test::FillDatabase(path, persons);
    std::printf("Filled %d persons (8 contact rows each, families of three, groups) in %.1f s\n", persons,
                std::chrono::duration<double>(Clock::now() - fillStart).count());

    amb::database::Manager manager;
    manager.SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                QStringLiteral("; Jet OLEDB:"));
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(raw, 5000);
    sqlite3_exec(raw, "PRAGMA cache_size=-32768", nullptr, nullptr, nullptr); // as the manager's connection

    std::vector<Figure> figures;
    const int runs = 25;
    {
        Direct direct(raw, kSearchSql.c_str());
        const QString prefix = QStringLiteral("Kim");
        int rows = 0;
        const auto [member, direct_] = PairedMs(
            runs, [&] { rows = manager.GetPersonBySearchText(prefix)->RecordCount(); },
            [&] { direct.Run({QStringLiteral("Kim%")}); });
        const int directRows = direct.Rows({QStringLiteral("Kim%")});
        figures.push_back({"GetPersonBySearchText(\"Kim\")", member, direct_, 20, rows, directRows});
    }
    {
        Direct direct(raw, kSearchSql.c_str());
        int rows = 0;
        const auto [member, direct_] = PairedMs(
            runs, [&] { rows = manager.GetPersonBySearchText(QStringLiteral("O'N"))->RecordCount(); },
            [&] { direct.Run({QStringLiteral("O'N%")}); });
        const int directRows = direct.Rows({QStringLiteral("O'N%")});
        figures.push_back({"GetPersonBySearchText(\"O'N\")", member, direct_, 20, rows, directRows});
    }
    {
        // The main window's list of every person.
        Direct direct(raw, kEveryoneSql.c_str());
        int rows = 0;
        const auto [member, direct_] = PairedMs(
            9, [&] { rows = manager.GetPersonBySearchText(QString())->RecordCount(); }, [&] { direct.Run({}); });
        const int directRows = direct.Rows({});
        figures.push_back({"GetPersonBySearchText(\"\")", member, direct_, 150, rows, directRows});
    }
    {
        Direct direct(raw, kMemberListSql);
        int rows = 0;
        const auto [member, direct_] = PairedMs(
            5, [&] { rows = manager.GetReportMemberList(0, 0, 0, 0, 0, 0, {}, {}, {})->RecordCount(); },
            [&] { direct.Run({}); });
        figures.push_back({"GetReportMemberList(all)", member, direct_, 0, rows, direct.Rows({})});
    }
    {
        Direct direct(raw, kMonthSql);
        int rows = 0;
        const auto [member, direct_] = PairedMs(
            runs, [&] { rows = manager.GetImportantDateByMonth(3)->RecordCount(); },
            [&] { direct.Run({QStringLiteral("03")}); });
        const int directRows = direct.Rows({QStringLiteral("03")});
        figures.push_back({"GetImportantDateByMonth(3)", member, direct_, 0, rows, directRows});
    }
    {
        Direct direct(raw, kStatSql);
        const auto [member, direct_] = PairedMs(
            runs, [&] { manager.GetMemberRecordStat(); }, [&] { direct.Run({}); });
        figures.push_back({"GetMemberRecordStat()", member, direct_, 0, 1, direct.Rows({})});
    }
    {
        Direct direct(raw, kPersonSql);
        int id = 1, directId = 1;
        const auto [member, direct_] = PairedMs(
            400, [&] { manager.GetPersonByID(id = id % persons + 7); },
            [&] { direct.Run({directId = directId % persons + 7}); });
        figures.push_back(
            {"GetPersonByID(n)", member, direct_, 0, manager.GetPersonByID(42)->RecordCount(), direct.Rows({42})});
    }
    {
        auto dict = std::make_shared<platform::Dictionary>(std::initializer_list<std::pair<QString, platform::Variant>>{
            {QStringLiteral("ID"), 0},
            {QStringLiteral("LastName"), QStringLiteral("O'Neil")},
            {QStringLiteral("FirstName"), QStringLiteral("Mary")},
            {QStringLiteral("LanguageName"), QString()},
            {QStringLiteral("DOB"), QStringLiteral("3/5/1960")},
            {QStringLiteral("SexID"), 2},
            {QStringLiteral("MaritalStatusID"), 2},
            {QStringLiteral("IsMember"), true}});
        // The same work by hand: the person, its code, the kinds' names and eight contact rows, one transaction.
        Direct begin(raw, "BEGIN IMMEDIATE"), commit(raw, "COMMIT");
        Direct person(raw, "INSERT INTO Person (DateEntered, IsDeleted, LanguageName, FirstName, LastName, DOB, SexID, "
                           "MaritalStatusID, IsMember) VALUES ('2024-01-01 00:00:00', 0, NULL, ?, ?, "
                           "'1960-03-05 00:00:00', 2, 2, 1)");
        Direct code(
            raw, "UPDATE Person SET EnvelopCode='1' || substr('00000' || ?1, -5) WHERE ID=?1 AND EnvelopCode IS NULL");
        Direct kinds(raw, "SELECT ID, AddressName FROM AddressName WHERE ID BETWEEN 1 AND 2");
        Direct phoneKinds(raw, "SELECT ID, PhoneNumberName FROM PhoneNumberName WHERE ID BETWEEN 1 AND 4");
        Direct mailKinds(raw, "SELECT ID, EMailAddressName FROM EMailAddressName WHERE ID BETWEEN 1 AND 2");
        Direct address(raw, "INSERT INTO PersonAddress (DateEntered, DateUpdated, PersonID, Name, IsHomeAddress, "
                            "IsWorkAddress) VALUES ('2024-01-01 00:00:00', '2024-01-01 00:00:00', ?, 'Home', ?, ?)");
        Direct phone(raw, "INSERT INTO PersonPhoneNumber (DateEntered, DateUpdated, PersonID, Name, IsHomePhoneNumber, "
                          "IsWorkPhoneNumber, IsCellPhoneNumber, IsFaxNumber) VALUES ('2024-01-01 00:00:00', "
                          "'2024-01-01 00:00:00', ?, 'Home', ?, ?, ?, ?)");
        Direct mail(raw, "INSERT INTO PersonEMailAddress (DateEntered, DateUpdated, PersonID, Name, "
                         "IsPersonalEMailAddress, IsWorkEMailAddress) VALUES ('2024-01-01 00:00:00', "
                         "'2024-01-01 00:00:00', ?, 'Personal', ?, ?)");
        const auto [member, direct] = PairedMs(
            runs, [&] { manager.UpdatePerson(dict); },
            [&] {
                begin.Run({});
                person.Run({QStringLiteral("Mary"), QStringLiteral("O'Neil")});
                const int id = static_cast<int>(sqlite3_last_insert_rowid(raw));
                code.Run({id});
                kinds.Run({});
                phoneKinds.Run({});
                mailKinds.Run({});
                for (int k = 1; k <= 2; ++k)
                    address.Run({id, k == 1, k == 2});
                for (int k = 1; k <= 4; ++k)
                    phone.Run({id, k == 1, k == 2, k == 3, k == 4});
                for (int k = 1; k <= 2; ++k)
                    mail.Run({id, k == 1, k == 2});
                commit.Run({});
            });
        figures.push_back({"UpdatePerson(new person)", member, direct, 5, 1, 1});
    }
    {
        // The members of a family of ten with their first home rows; directly as plain outer joins.
        const int family = test::AddFamilyOfTen(path);
        Direct direct(raw, kFamilyMembersSql);
        int rows = 0;
        const auto [member, direct_] = PairedMs(
            400, [&] { rows = manager.GetPersonByFamilyID(family)->RecordCount(); }, [&] { direct.Run({family}); });
        figures.push_back({"GetPersonByFamilyID(family of 10)", member, direct_, 0, rows, direct.Rows({family})});
    }
    {
        const int year = 2023;
        test::FillMoney(path, year, 100000, 2000, persons);
        const QDateTime start = platform::MakeDateTime(year, 1, 1), end = platform::MakeDateTime(year, 12, 31);
        const QString from = QStringLiteral("2023-01-01 00:00:00"), to = QStringLiteral("2023-12-31 23:59:59");
        Direct offerings(raw, kOfferingYearSql);
        int rows = 0;
        auto [member, direct] = PairedMs(
            5, [&] { rows = manager.GetOfferingByDateRange(start, end)->RecordCount(); },
            [&] {
                offerings.Run({from, to});
            });
        figures.push_back({"GetOfferingByDateRange(a year)", member, direct, 0, rows, offerings.Rows({from, to})});

        Direct sheet(raw, kBalanceSheetSql);
        std::tie(member, direct) = PairedMs(
            runs, [&] { rows = manager.GetReportBalanceSheet(start, end)->RecordCount(); },
            [&] {
                sheet.Run({from, to});
            });
        figures.push_back({"GetReportBalanceSheet(a year)", member, direct, 0, rows, sheet.Rows({from, to})});
    }
    sqlite3_close_v2(raw);

    std::printf("\n%d persons\n%-34s %10s %10s %7s %7s  %s\n", persons, "member", "member ms", "floor ms", "x floor",
                "rows", "targets");
    bool allMet = true;
    for (const Figure& f : figures) {
        const double ratio = f.direct > 0 ? f.member / f.direct : 0;
        // The absolute targets are those of a congregation of up to 50,000.
        const bool judged = f.limitMs > 0 && persons <= 50000;
        const bool limitMet = !judged || f.member < f.limitMs;
        const bool rowsMet = f.rows == f.directRows;
        allMet = allMet && limitMet && rowsMet;
        std::string notes;
        if (judged)
            notes += "<" + std::to_string(static_cast<int>(f.limitMs)) + " ms " + (limitMet ? "ok" : "MISSED");
        if (!rowsMet)
            notes += " rows differ (" + std::to_string(f.directRows) + ")";
        std::printf("%-34s %10.3f %10.3f %7.2f %7d  %s\n", f.name, f.member, f.direct, ratio, f.rows, notes.c_str());
    }
    std::printf("\n%s\n", allMet ? "All targets met." : "Some targets were missed.");
    return 0;
}
