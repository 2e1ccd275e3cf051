#include "tests/support/MoneyData.h"

#include "platform/data/Currency.h"
#include "platform/data/SqliteConnection.h"

#include <QDate>

#include <random>

namespace test {

int AddFamilyOfTen(const QString& path) {
    auto db = platform::SqliteConnection::Open(path);
    platform::SqliteTransaction transaction(*db);
    db->Execute(QStringLiteral("INSERT INTO Family (DateEntered, Name) VALUES ('2024-01-01 00:00:00', 'Ten')"));
    const int family = static_cast<int>(db->LastInsertId());
    for (int person = 1; person <= 10; ++person)
        db->Execute(
            QStringLiteral("INSERT INTO PersonToFamily (DateEntered, PersonID, FamilyID, IsHeadOfFamily, Relationship) "
                           "VALUES ('2024-01-01 00:00:00', ?, ?, ?, 'Member')"),
            {person, family, person == 1});
    transaction.Commit();
    return family;
}

void FillMoney(const QString& path, int year, int offerings, int expenses, int persons) {
    auto db = platform::SqliteConnection::Open(path);
    std::mt19937 random(7);
    const QDate first(year, 1, 1);
    const int days = first.daysInYear();
    std::uniform_int_distribution<int> day(0, days - 1), giver(0, persons), type(1, 6), expenseType(1, 7);
    std::uniform_int_distribution<int64_t> ticks(1, 5000000); // up to 500.00
    const auto dateText = [&](int offset) {
        return first.addDays(offset).toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
    };
    platform::SqliteTransaction transaction(*db);
    for (int i = 0; i < offerings; ++i)
        db->Execute(
            QStringLiteral("INSERT INTO PersonOffering (DateEntered, UserID, PersonID, OfferingDate, OfferingTypeID, "
                           "Amount) VALUES ('2024-01-01 00:00:00', 1, ?, ?, ?, ?)"),
            {giver(random), dateText(day(random)), type(random),
             platform::Currency::FromTicks(ticks(random) / 100 * 100)});
    for (int i = 0; i < expenses; ++i)
        db->Execute(
            QStringLiteral("INSERT INTO Expense (DateEntered, UserID, ExpenseName, ExpenseDate, ExpenseTypeID, Amount) "
                           "VALUES ('2024-01-01 00:00:00', 1, ?, ?, ?, ?)"),
            {QStringLiteral("Expense %1").arg(i % 50), dateText(day(random)), expenseType(random),
             platform::Currency::FromTicks(ticks(random) * 10 / 100 * 100)});
    transaction.Commit();
}

} // namespace test
