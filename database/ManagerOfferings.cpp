#include "database/ManagerSupport.h"
#include "database/QuerySupport.h"

#include "common/StandardModule.h"
#include "common/Values.h"
#include "platform/com/Error.h"

#include <cmath>

// Offerings and expenses. Amounts are exact: a record's amount text becomes a currency value here,
// and a text that is no amount refuses the whole save.

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

namespace {

const QString kAmount = QStringLiteral("Amount");
// Whether storing the amount would drop digits beyond the fourth decimal.
bool LosesDecimals(const Variant& amount) {
    switch (amount.GetType()) {
    case Variant::Type::String:
        return !ParseAmount(AsString(amount), AmountSyntax::Neutral).exact;
    case Variant::Type::Double: {
        // Doubles near the largest amount still hold their ticks to well within a hundredth.
        const double ticks = amount.ToDouble() * platform::Currency::Scale;
        return std::fabs(ticks - std::nearbyint(ticks)) > 0.01;
    }
    default:
        return false;
    }
}

// The record with its amount as an exact currency value. Throws for a missing amount and for one
// that does not convert exactly, so nothing is stored.
platform::Dictionary WithExactAmount(const platform::Dictionary& given) {
    platform::Dictionary record = given;
    const Variant amount = given.Item(kAmount);
    if (NullIfBlank(amount).IsNull())
        throw Refusal(EnumDatabaseFailure::AmountMissing, QStringLiteral("No amount is given"));
    if (LosesDecimals(amount))
        throw Refusal(EnumDatabaseFailure::AmountDecimals,
                      QStringLiteral("The amount \"%1\" has more than four decimals").arg(AsString(amount).left(40)));
    bool ok = false;
    const platform::Currency exact = AsCurrency(amount, &ok);
    if (!ok)
        throw Refusal(EnumDatabaseFailure::AmountNotANumber,
                      QStringLiteral("The amount \"%1\" is not an amount").arg(AsString(amount).left(40)));
    // Beyond this no office amount goes, and the totals of a day or a year stay far inside their range.
    if (!IsStorableAmount(exact))
        throw Refusal(EnumDatabaseFailure::AmountOutOfRange,
                      QStringLiteral("The amount \"%1\" is beyond 999,999,999.9999").arg(AsString(amount).left(40)));
    record.SetItem(kAmount, Variant(exact));
    return record;
}

// The envelope code field of an offering of no person: nothing, or the batch entry's "<Unknown>".
bool IsNoCode(const QString& code) {
    return code.isEmpty() || code == QLatin1String("<Unknown>");
}

const QString kOfferingDate = QStringLiteral("OfferingDate");
const QString kExpenseDate = QStringLiteral("ExpenseDate");
const QStringList kOfferingInsertFields = {
    QStringLiteral("UserID"), QStringLiteral("PersonID"), kOfferingDate, QStringLiteral("OfferingTypeID"), kAmount,
    QStringLiteral("Note")};
const QStringList kOfferingUpdateFields = {QStringLiteral("UserID"), kOfferingDate, QStringLiteral("OfferingTypeID"),
                                           kAmount, QStringLiteral("Note")};
const QStringList kExpenseFields = {
    QStringLiteral("UserID"), QStringLiteral("ExpenseName"), kExpenseDate, QStringLiteral("ExpenseTypeID"), kAmount,
    QStringLiteral("Note")};

// Every save stores a date: a row without one would show in no list and no report.
RowSave TimeStamped(const QString& table, const QStringList& fields, const QString& dateField) {
    RowSave save;
    save.Required = {dateField};
    save.Table = table;
    save.InsertOnly = {{QStringLiteral("DateEntered"), Variant(platform::Now())}};
    save.Always = {{QStringLiteral("DateUpdated"), Variant(platform::Now())}};
    save.Fields = fields;
    return save;
}

} // namespace

RecordsetPtr Manager::GetOfferingByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT PersonOffering.*, Person.EnvelopCode FROM PersonOffering "
                           "LEFT JOIN Person ON PersonOffering.PersonID=Person.ID WHERE PersonOffering.ID=?"),
            {n});
    });
}

// Offerings without a giver are kept (the giver's columns Null); a giver marked deleted still shows.
RecordsetPtr Manager::GetOfferingByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByDateRange()"), [&] {
        const auto [start, end] = DayRange(dtStart, dtEnd);
        return ExecuteSelect(
            QStringLiteral("SELECT PersonOffering.*, Person.FirstName, Person.MiddleName, Person.LastName, "
                           "Person.Suffix, Person.LanguageName, Person.EnvelopCode, "
                           "OfferingTypeName.OfferingTypeName FROM PersonOffering "
                           "LEFT JOIN Person ON Person.ID=PersonOffering.PersonID "
                           "LEFT JOIN OfferingTypeName ON OfferingTypeName.ID=PersonOffering.OfferingTypeID "
                           "WHERE PersonOffering.OfferingDate BETWEEN ? AND ? "
                           "ORDER BY PersonOffering.OfferingDate, PersonOffering.ID"),
            {start, end});
    });
}

RecordsetPtr Manager::GetOfferingByPersonID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByPersonID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT PersonOffering.*, Person.EnvelopCode FROM PersonOffering "
                           "JOIN Person ON PersonOffering.PersonID=Person.ID WHERE PersonOffering.PersonID=? "
                           "ORDER BY PersonOffering.OfferingDate, PersonOffering.ID"),
            {n});
    });
}

RecordsetPtr Manager::GetOfferingByPersonIDAndTypeID(int32_t nPerson, int32_t nType) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetOfferingByPersonIDAndTypeID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT PersonOffering.*, Person.EnvelopCode FROM PersonOffering "
                           "JOIN Person ON PersonOffering.PersonID=Person.ID WHERE PersonOffering.PersonID=? "
                           "AND PersonOffering.OfferingTypeID=? "
                           "ORDER BY PersonOffering.OfferingDate, PersonOffering.ID"),
            {nPerson, nType});
    });
}

// A new offering finds its giver by envelope code when no person id is given; a code that no person
// has stores the offering without a giver. A giver named by id takes no new offering once marked
// deleted or purged. A saved offering keeps its giver.
int32_t Manager::UpdatePersonOffering(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonOffering()"), [&] {
        platform::Dictionary record = WithExactAmount(RecordOf(dict));
        const int32_t id = RecordId(record);
        if (id != 0)
            return SaveRow(TimeStamped(QStringLiteral("PersonOffering"), kOfferingUpdateFields, kOfferingDate), record);
        // The giver found by the code is still there when the row is stored: no purge comes between.
        platform::SqliteTransaction transaction(Connection());
        int32_t giver = AsLong(record.Item(QStringLiteral("PersonID")));
        const bool named = giver != 0;
        if (giver == 0) {
            // Any code, letters included, is looked up as given (persons marked deleted are found
            // too); a code that no person has leaves the offering without a giver rather than losing it.
            const QString code = AsString(record.Item(QStringLiteral("EnvelopCode")));
            if (!IsNoCode(code)) {
                const auto person =
                    QueryAll(QStringLiteral("SELECT ID FROM Person WHERE EnvelopCode=? ORDER BY ID LIMIT 1"), {code});
                if (person->RecordCount() > 0)
                    giver = person->Field(0).ToInt();
            }
        }
        record.SetItem(QStringLiteral("PersonID"), Variant(giver));
        RowSave save = TimeStamped(QStringLiteral("PersonOffering"), kOfferingInsertFields, kOfferingDate);
        save.NamesPerson = named;
        const int32_t saved = SaveRow(save, record);
        transaction.Commit();
        return saved;
    });
}

int32_t Manager::DeletePersonOffering(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonOffering()"),
                        [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM PersonOffering WHERE ID=?"), {n}); });
}

RecordsetPtr Manager::GetExpenseByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetExpenseByID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT Expense.* FROM Expense WHERE Expense.ID=?"), {n});
    });
}

RecordsetPtr Manager::GetExpenseByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetExpenseByDateRange()"), [&] {
        const auto [start, end] = DayRange(dtStart, dtEnd);
        return ExecuteSelect(
            QStringLiteral("SELECT Expense.*, ExpenseTypeName.ExpenseTypeName FROM Expense "
                           "LEFT JOIN ExpenseTypeName ON ExpenseTypeName.ID=Expense.ExpenseTypeID "
                           "WHERE Expense.ExpenseDate BETWEEN ? AND ? ORDER BY Expense.ExpenseDate, Expense.ID"),
            {start, end});
    });
}

int32_t Manager::UpdateExpense(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateExpense()"), [&] {
        return SaveRow(TimeStamped(QStringLiteral("Expense"), kExpenseFields, kExpenseDate),
                       WithExactAmount(RecordOf(dict)));
    });
}

int32_t Manager::DeleteExpense(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteExpense()"),
                        [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM Expense WHERE ID=?"), {n}); });
}

} // namespace amb::database
