#include "database/ManagerSupport.h"
#include "database/QuerySupport.h"

#include "common/StandardModule.h"
#include "platform/com/Error.h"

// Offerings and expenses. Amounts are exact: a record's amount text becomes a currency value here,
// and a text that is no amount refuses the whole save.

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

namespace {

const QString kAmount = QStringLiteral("Amount");

// The record with its amount as an exact currency value (Null when blank). Throws for an amount
// that does not convert, so nothing is stored.
platform::Dictionary WithExactAmount(const platform::Dictionary& given) {
    platform::Dictionary record = given;
    const Variant amount = given.Item(kAmount);
    if (NullIfBlank(amount).IsNull()) {
        record.SetItem(kAmount, Variant::Null());
        return record;
    }
    bool ok = false;
    const platform::Currency exact = AsCurrency(amount, &ok);
    if (!ok)
        throw platform::Error(platform::ErrorNumber::TypeMismatch,
                              QStringLiteral("The amount \"%1\" is not an amount").arg(AsString(amount).left(40)),
                              kObjectName);
    record.SetItem(kAmount, Variant(exact));
    return record;
}

// What an envelope code field may hold: digits, as codes are made; nothing, or the batch entry's
// "<Unknown>", for an offering of no person.
enum class CodeKind { None, Digits, Bad };
CodeKind KindOfCode(const QString& code) {
    if (code.isEmpty() || code == QLatin1String("<Unknown>"))
        return CodeKind::None;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return CodeKind::Bad;
    }
    return CodeKind::Digits;
}

const QStringList kOfferingInsertFields = {QStringLiteral("UserID"),
                                           QStringLiteral("PersonID"),
                                           QStringLiteral("OfferingDate"),
                                           QStringLiteral("OfferingTypeID"),
                                           kAmount,
                                           QStringLiteral("Note")};
const QStringList kOfferingUpdateFields = {QStringLiteral("UserID"), QStringLiteral("OfferingDate"),
                                           QStringLiteral("OfferingTypeID"), kAmount, QStringLiteral("Note")};
const QStringList kExpenseFields = {QStringLiteral("UserID"),
                                    QStringLiteral("ExpenseName"),
                                    QStringLiteral("ExpenseDate"),
                                    QStringLiteral("ExpenseTypeID"),
                                    kAmount,
                                    QStringLiteral("Note")};

RowSave TimeStamped(const QString& table, const QStringList& fields) {
    RowSave save;
    save.Table = table;
    save.InsertOnly = {{QStringLiteral("DateEntered"), Variant(platform::Now())}};
    save.Always = {{QStringLiteral("DateUpdated"), Variant(platform::Now())}};
    save.Fields = fields;
    return save;
}

} // namespace

// ---- Offerings ----------------------------------------------------------------------------------

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
// has stores the offering without a giver. A saved offering keeps its giver.
int32_t Manager::UpdatePersonOffering(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePersonOffering()"), [&] {
        platform::Dictionary record = WithExactAmount(RecordOf(dict));
        const int32_t id = RecordId(record);
        if (id != 0)
            return SaveRow(TimeStamped(QStringLiteral("PersonOffering"), kOfferingUpdateFields), record);
        int32_t giver = AsLong(record.Item(QStringLiteral("PersonID")));
        if (giver == 0) {
            const QString code = AsString(record.Item(QStringLiteral("EnvelopCode")));
            switch (KindOfCode(code)) {
            case CodeKind::Bad:
                throw platform::Error(platform::ErrorNumber::TypeMismatch,
                                      QStringLiteral("The envelope code \"%1\" is not a number").arg(code.left(40)),
                                      kObjectName);
            case CodeKind::Digits: {
                const auto person =
                    QueryAll(QStringLiteral("SELECT ID FROM Person WHERE EnvelopCode=? ORDER BY ID LIMIT 1"), {code});
                if (person->RecordCount() > 0)
                    giver = person->Field(0).ToInt();
                break;
            }
            case CodeKind::None:
                break;
            }
        }
        record.SetItem(QStringLiteral("PersonID"), Variant(giver));
        return SaveRow(TimeStamped(QStringLiteral("PersonOffering"), kOfferingInsertFields), record);
    });
}

int32_t Manager::DeletePersonOffering(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePersonOffering()"),
                        [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM PersonOffering WHERE ID=?"), {n}); });
}

// ---- Expenses -----------------------------------------------------------------------------------

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
        return SaveRow(TimeStamped(QStringLiteral("Expense"), kExpenseFields), WithExactAmount(RecordOf(dict)));
    });
}

int32_t Manager::DeleteExpense(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteExpense()"),
                        [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM Expense WHERE ID=?"), {n}); });
}

} // namespace amb::database
