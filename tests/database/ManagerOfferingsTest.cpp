#include "tests/support/DatabaseTest.h"

using platform::Currency;
using platform::Dictionary;
using platform::Variant;
using test::Column;

namespace {

class MoneyTest : public test::DatabaseTest {
protected:
    static platform::DictionaryPtr Offering(const Variant& amount, const QString& date = "3/5/2024") {
        return test::Record(
            {{"ID", 0}, {"PersonID", 0}, {"OfferingTypeID", 1}, {"OfferingDate", date}, {"Amount", amount}});
    }
    static platform::DictionaryPtr Expense(const Variant& amount, const QString& date = "3/5/2024") {
        return test::Record(
            {{"ID", 0}, {"ExpenseName", "Paper"}, {"ExpenseDate", date}, {"ExpenseTypeID", 5}, {"Amount", amount}});
    }
    int32_t GiverOf(int32_t offering) { return Count("SELECT PersonID FROM PersonOffering WHERE ID=?", {offering}); }
    int64_t StoredTicks(int32_t offering) {
        return raw->Query("SELECT Amount FROM PersonOffering WHERE ID=?", {offering})->Field(0).ToCurrency().Ticks();
    }
    int Offerings() { return Count("SELECT COUNT(*) FROM PersonOffering"); }
    QString EnvelopCodeOf(int32_t person) {
        return test::NotNull(db->GetPersonByID(person)).Field("EnvelopCode").ToString();
    }
};

} // namespace

TEST_F(MoneyTest, ANewOfferingFindsItsGiverByEnvelopeCode) {
    const int32_t giver = NewPerson("Giver");
    const int32_t other = NewPerson("Other");

    auto byCode = Offering("25.00");
    byCode->SetItem("EnvelopCode", QString(" " + EnvelopCodeOf(giver) + " "));
    const int32_t found = db->UpdatePersonOffering(byCode);
    ASSERT_GT(found, 0);
    EXPECT_EQ(GiverOf(found), giver);
    EXPECT_EQ(byCode->Item("PersonID").ToInt(), 0); // the caller's record is left as it was
    EXPECT_EQ(test::NotNull(db->GetOfferingByID(found)).Field("EnvelopCode").ToString(), EnvelopCodeOf(giver));

    // A code that no person has, no code, and the batch entry's "<Unknown>": stored without a giver.
    for (const QString& code : {QString("199999"), QString(), QString("<Unknown>")}) {
        auto unknown = Offering("1.00");
        unknown->SetItem("EnvelopCode", code);
        const int32_t id = db->UpdatePersonOffering(unknown);
        ASSERT_GT(id, 0) << code.toStdString();
        EXPECT_EQ(GiverOf(id), 0);
    }
    // A person id given wins over the code.
    auto direct = Offering("2.00");
    direct->SetItem("PersonID", other);
    direct->SetItem("EnvelopCode", EnvelopCodeOf(giver));
    EXPECT_EQ(GiverOf(db->UpdatePersonOffering(direct)), other);

    // A code of letters matches no person: the typed offering is kept, without a giver.
    const int before = Offerings();
    auto letters = Offering("3.00");
    letters->SetItem("EnvelopCode", "ABC' OR '1'='1");
    const int32_t kept = db->UpdatePersonOffering(letters);
    ASSERT_GT(kept, 0);
    EXPECT_EQ(GiverOf(kept), 0);
    EXPECT_EQ(Offerings(), before + 1);
    EXPECT_TRUE(TakeFailures().isEmpty());
    // A giver marked deleted is still found by the code.
    const QString code = EnvelopCodeOf(other);
    ASSERT_FALSE(code.isEmpty());
    raw->Execute("UPDATE Person SET IsDeleted=1 WHERE ID=?", {other});
    auto byDeleted = Offering("4.00");
    byDeleted->SetItem("EnvelopCode", code);
    EXPECT_EQ(GiverOf(db->UpdatePersonOffering(byDeleted)), other);
    raw->Execute("UPDATE Person SET IsDeleted=0 WHERE ID=?", {other});

    // A later save changes the offering but keeps its giver.
    auto resave = Offering("30.00", "3/6/2024");
    resave->SetItem("ID", found);
    resave->SetItem("PersonID", other);
    EXPECT_EQ(db->UpdatePersonOffering(resave), found);
    auto rs = db->GetOfferingByID(found);
    EXPECT_EQ(rs->Field("PersonID").ToInt(), giver);
    EXPECT_EQ(rs->Field("Amount").ToCurrency(), Currency::FromUnits(30));
    EXPECT_EQ(rs->Field("OfferingDate").ToDateTime(), platform::MakeDateTime(2024, 3, 6));
    EXPECT_FALSE(rs->Field("DateUpdated").IsNull());
    // An id that no row has makes a new offering without a giver.
    resave->SetItem("ID", 5555);
    const int32_t fresh = db->UpdatePersonOffering(resave);
    EXPECT_GT(fresh, found);
    EXPECT_NE(fresh, 5555);
    EXPECT_EQ(GiverOf(fresh), 0);

    // Lists by person leave out offerings of no person; lists by date keep them with empty names.
    EXPECT_EQ(Column(db->GetOfferingByPersonID(giver), "ID"), QStringList{QString::number(found)});
    EXPECT_EQ(db->GetOfferingByPersonIDAndTypeID(giver, -998), nullptr);
    EXPECT_EQ(db->GetOfferingByPersonID(0), nullptr);
    auto day =
        db->GetOfferingByDateRange(platform::MakeDateTime(2024, 3, 5, 18), platform::MakeDateTime(2024, 3, 5, 1));
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(Column(day, "LastName"), (QStringList{"", "", "", "Other", "", "Other"}));
    EXPECT_EQ(Column(day, "OfferingTypeName").first(), "Tithe");
}

TEST_F(MoneyTest, AmountsAreExactFromTheirTextToTheTotals) {
    // The texts the windows send, each to the exact ten-thousandth.
    const std::pair<QString, int64_t> texts[] = {{"0.10", 1000},
                                                 {"$1,234.50", 12345000},
                                                 {"(12.00)", -120000},
                                                 {"0.00050", 5},
                                                 {"999,999,999.9999", 9'999'999'999'999}};
    for (const auto& [text, ticks] : texts) {
        const int32_t id = db->UpdatePersonOffering(Offering(text));
        ASSERT_GT(id, 0) << text.toStdString();
        EXPECT_EQ(StoredTicks(id), ticks) << text.toStdString();
    }
    // Texts that are no amount change nothing.
    const int before = Offerings();
    // Nor do a missing amount, one whose fifth decimal would be lost, and one beyond the largest.
    for (const char* bad : {"abc", "12,34,5x", "1e5", "", "  ", "0.00005", "0.00015", "1,000,000,000", "-1000000000"}) {
        EXPECT_EQ(db->UpdatePersonOffering(Offering(bad)), -1) << bad;
        EXPECT_EQ(db->UpdateExpense(Expense(bad)), -1) << bad;
    }
    EXPECT_EQ(db->UpdatePersonOffering(Offering("5.00", "31/31/2024")), -1);
    EXPECT_EQ(db->UpdatePersonOffering(Offering(Variant::Null())), -1);
    EXPECT_EQ(db->UpdateExpense(Expense(Variant(0.00005))), -1);
    EXPECT_EQ(Offerings(), before);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Expense"), 0);

    // Ten thousand offerings of 0.10 on one day add up to exactly 1,000.00 everywhere.
    raw->Execute("DELETE FROM PersonOffering");
    const int32_t first = db->UpdatePersonOffering(Offering("0.10", "2024-04-01"));
    ASSERT_GT(first, 0);
    {
        platform::SqliteTransaction transaction(*raw);
        for (int i = 1; i < 10000; ++i)
            raw->Execute(
                QStringLiteral("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) "
                               "SELECT OfferingDate, OfferingTypeID, Amount, PersonID FROM PersonOffering WHERE ID=?"),
                {first});
        transaction.Commit();
    }
    const QDateTime april1 = platform::MakeDateTime(2024, 4, 1);
    auto list = db->GetOfferingByDateRange(april1, april1);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->RecordCount(), 10000);
    Currency total;
    for (list->MoveFirst(); !list->IsEOF(); list->MoveNext())
        total += list->Field("Amount").ToCurrency();
    EXPECT_EQ(total, Currency::FromUnits(1000));
    auto sheet = db->GetReportBalanceSheet(april1, april1);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->RecordCount(), 1);
    EXPECT_EQ(sheet->Field("OfferingAmount"), Variant(Currency::FromUnits(1000)));
    EXPECT_EQ(sheet->Field("ExpenseAmount"), Variant(Currency()));
}

TEST_F(MoneyTest, ExpensesByDateRangeCoverWholeDays) {
    const int32_t early = db->UpdateExpense(Expense("10.00", "3/5/2024 00:00:00"));
    const int32_t late = db->UpdateExpense(Expense("20.00", "2024-03-06 23:59:59"));
    db->UpdateExpense(Expense("30.00", "3/7/2024"));
    ASSERT_GT(early, 0);

    const auto ids = [&](const QDateTime& start, const QDateTime& end) {
        return Column(db->GetExpenseByDateRange(start, end), "ID");
    };
    EXPECT_EQ(ids(platform::MakeDateTime(2024, 3, 5, 12), platform::MakeDateTime(2024, 3, 6, 0)),
              (QStringList{QString::number(early), QString::number(late)}));
    // A start after the end, or a missing date, matches nothing: no set, or an empty one with ReturnEOF.
    EXPECT_EQ(db->GetExpenseByDateRange(platform::MakeDateTime(2024, 3, 7), platform::MakeDateTime(2024, 3, 5)),
              nullptr);
    EXPECT_EQ(db->GetExpenseByDateRange(QDateTime(), platform::MakeDateTime(2024, 3, 5)), nullptr);
    db->SetReturnEOF(true);
    auto none = db->GetExpenseByDateRange(platform::MakeDateTime(2024, 3, 7), platform::MakeDateTime(2024, 3, 5));
    ASSERT_NE(none, nullptr);
    EXPECT_TRUE(none->IsEOF());
    EXPECT_TRUE(none->HasField("ExpenseTypeName"));

    auto saved = db->GetExpenseByID(late);
    EXPECT_EQ(saved->Field("ExpenseName").ToString(), "Paper");
    EXPECT_EQ(saved->Field("Amount").ToCurrency(), Currency::FromUnits(20));
    EXPECT_EQ(db->DeleteExpense(late), 1);
    EXPECT_EQ(db->DeleteExpense(late), -1);
    EXPECT_EQ(db->DeletePersonOffering(12345), -1);
}

TEST_F(MoneyTest, AmountsBeyondNineHundredNinetyNineMillionAndRowsWithoutADateAreRefused) {
    for (const char* edge : {"999,999,999.9999", "-999999999.9999", "0"}) {
        EXPECT_GT(db->UpdatePersonOffering(Offering(edge)), 0) << edge;
        EXPECT_GT(db->UpdateExpense(Expense(edge)), 0) << edge;
    }
    const int offerings = Offerings();
    const int expenses = Count("SELECT COUNT(*) FROM Expense");
    for (const char* beyond : {"1,000,000,000", "-1000000000.0000", "922337203685477.5807"}) {
        EXPECT_EQ(db->UpdatePersonOffering(Offering(beyond)), -1) << beyond;
        EXPECT_EQ(db->UpdateExpense(Expense(beyond)), -1) << beyond;
    }
    // No date, an empty one, or the "no date" value: a row that no list or report would show.
    for (const Variant& date : {Variant::Null(), Variant(QString("  ")), Variant(amb::NoDate())}) {
        auto offering = Offering("5.00");
        offering->SetItem("OfferingDate", date);
        EXPECT_EQ(db->UpdatePersonOffering(offering), -1);
        auto expense = Expense("5.00");
        expense->SetItem("ExpenseDate", date);
        EXPECT_EQ(db->UpdateExpense(expense), -1);
    }
    auto dateless = Offering("5.00");
    dateless->Remove("OfferingDate");
    EXPECT_EQ(db->UpdatePersonOffering(dateless), -1);
    EXPECT_EQ(Offerings(), offerings);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Expense"), expenses);
    // An existing offering cannot lose its date either.
    const int32_t saved = db->UpdatePersonOffering(Offering("6.00"));
    auto cleared = Offering("6.00");
    cleared->SetItem("ID", saved);
    cleared->SetItem("OfferingDate", Variant::Null());
    EXPECT_EQ(db->UpdatePersonOffering(cleared), -1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonOffering WHERE OfferingDate IS NULL"), 0);
    EXPECT_EQ(TakeFailures().size(), 14u);
}

TEST_F(MoneyTest, ATotalBeyondTheRangeOfAnAmountIsReportedNeverWrapped) {
    // Two amounts stored before amounts had bounds, each near the largest value.
    for (int i = 0; i < 2; ++i)
        raw->Execute("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) VALUES (?, 1, ?, 0)",
                     {Variant(platform::MakeDateTime(2024, 5, 1)), Variant(Currency::FromTicks(INT64_MAX - 1))});
    const QDateTime may1 = platform::MakeDateTime(2024, 5, 1);
    EXPECT_EQ(db->GetReportBalanceSheet(may1, may1), nullptr);
    const QStringList failures = TakeFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("overflow", Qt::CaseInsensitive)) << failures[0].toStdString();

    platform::CurrencyTotal total;
    total.Add(Currency::FromTicks(INT64_MAX - 1));
    EXPECT_EQ(total.Value(), Currency::FromTicks(INT64_MAX - 1));
    total.Add(Currency::FromTicks(INT64_MAX - 1));
    EXPECT_FALSE(total.Fits());
    EXPECT_EQ(total.Value(), std::nullopt);
    // A total that comes back into range is exact again.
    total.Add(Currency::FromTicks(-(INT64_MAX - 1)));
    total.Add(Currency::FromTicks(-5));
    EXPECT_EQ(total.Value(), Currency::FromTicks(INT64_MAX - 6));
}

TEST_F(MoneyTest, AnAmountTextWithMisplacedGroupSeparatorsIsRefusedNeverReadAsAnotherNumber) {
    struct Case {
        const char* text;
        std::optional<int64_t> ticks; // none: refused as no amount
    };
    const Case cases[] = {
        {"12,34", std::nullopt},        {"1,2,3", std::nullopt},   {"1234,567.00", std::nullopt},
        {"1,23,456", std::nullopt},     {",123", std::nullopt},    {"1,2345", std::nullopt},
        {"1,234,", std::nullopt},       {"1,,234", std::nullopt},  {"1,234", 12340000},
        {"12,345,678.9", 123456789000}, {"(1,234.00)", -12340000}, {"-1,000.0001", -10000001},
        {"$1,234.50", 12345000},        {"1234.5", 12345000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const int before = Offerings();
        const int32_t offering = db->UpdatePersonOffering(Offering(c.text));
        if (!c.ticks) {
            EXPECT_EQ(offering, -1);
            EXPECT_EQ(db->LastFailure(), amb::EnumDatabaseFailure::AmountNotANumber);
            EXPECT_EQ(db->UpdateExpense(Expense(c.text)), -1);
            EXPECT_EQ(db->LastFailure(), amb::EnumDatabaseFailure::AmountNotANumber);
            EXPECT_EQ(Offerings(), before);
            continue;
        }
        ASSERT_GT(offering, 0);
        EXPECT_EQ(StoredTicks(offering), *c.ticks);
        EXPECT_GT(db->UpdateExpense(Expense(c.text)), 0);
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Expense WHERE typeof(Amount)<>'integer'"), 0);
}

TEST_F(MoneyTest, AHandEditedAmountIsReadByTheStorageParserInEveryListAndSum) {
    // Amounts typed into the file by hand: text SQLite keeps as text, beside one stored as the program does.
    raw->Execute("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) VALUES "
                 "('2024-06-02 00:00:00', 1, 1000000, 0), ('2024-06-02 00:00:00', 1, '1,234.50', 0), "
                 "('2024-06-02 00:00:00', 1, '12,34', 0), ('2024-06-02 00:00:00', 1, 'ten', 0)");
    raw->Execute("INSERT INTO Expense (ExpenseName, ExpenseDate, ExpenseTypeID, Amount) VALUES "
                 "('Paper', '2024-06-02 00:00:00', 5, '2,000'), ('Ink', '2024-06-02 00:00:00', 5, '2,00')");
    const int bad = Count("SELECT ID FROM PersonOffering WHERE Amount='12,34'");
    const int word = Count("SELECT ID FROM PersonOffering WHERE Amount='ten'");
    const int ink = Count("SELECT ID FROM Expense WHERE Amount='2,00'");
    TakeFailures();
    const QDateTime june2 = platform::MakeDateTime(2024, 6, 2);

    const auto amounts = [](const platform::RecordsetPtr& rows, const QString& field) {
        QStringList shown;
        EXPECT_NE(rows, nullptr);
        if (rows)
            for (rows->MoveFirst(); !rows->IsEOF(); rows->MoveNext())
                shown << (rows->Field(field).IsNull() ? QStringLiteral("-") : rows->Field(field).ToString());
        return shown;
    };
    const QStringList offerings = {"100.00", "1234.50", "-", "-"};
    EXPECT_EQ(amounts(db->GetOfferingByDateRange(june2, june2), "Amount"), offerings);
    EXPECT_EQ(amounts(db->GetReportOfferingList(june2, june2, 0, 0), "Amount"), offerings);
    EXPECT_EQ(amounts(db->GetReportExpenseList(june2, june2, 0), "Amount"), (QStringList{"2000.00", "-"}));
    // The sheet sums the day's offerings in SQLite with the same parser: 100.00 + 1,234.50.
    EXPECT_EQ(amounts(db->GetReportBalanceSheet(june2, june2), "ExpenseAmount"), (QStringList{"2000.00", "-", "0.00"}));
    EXPECT_EQ(amounts(db->GetReportBalanceSheet(june2, june2), "OfferingAmount"),
              (QStringList{"0.00", "0.00", "1334.50"}));

    // Each unreadable value is logged with its table and row whenever it is read, and nothing else is.
    const QStringList lines = TakeFailures();
    EXPECT_EQ(lines.size(), 2 + 2 + 1 + 2 * 3); // two lists of offerings, the expenses, two sheets
    for (const QString& line : lines) {
        EXPECT_TRUE(line.startsWith("!!! [")) << line.toStdString();
        EXPECT_TRUE(line.contains(QStringLiteral("PersonOffering row %1: the stored amount \"12,34\"").arg(bad)) ||
                    line.contains(QStringLiteral("PersonOffering row %1: the stored amount \"ten\"").arg(word)) ||
                    line.contains(QStringLiteral("Expense row %1: the stored amount \"2,00\"").arg(ink)))
            << line.toStdString();
    }
}

TEST_F(MoneyTest, AHandEditedAmountReadByAWindowIsSavedOverAsRead) {
    raw->Execute("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) VALUES "
                 "('2024-06-02 00:00:00', 1, '12,34', 0)");
    const int32_t id = Count("SELECT ID FROM PersonOffering");
    const platform::RecordsetPtr read = db->GetOfferingByID(id);
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->Field("Amount").IsNull());
    // The window sends what it read beside the new amount: the row is as read, so the save lands.
    auto asRead = std::make_shared<Dictionary>();
    for (const QString& name : read->FieldNames())
        asRead->SetItem(name, read->Field(name));
    auto record = Offering("5.00", "6/2/2024");
    record->SetItem("ID", id);
    record->SetItem(amb::IDatabaseManager::kAsReadKey, Variant(platform::ObjectPtr(asRead)));
    EXPECT_EQ(db->UpdatePersonOffering(record), id);
    EXPECT_EQ(StoredTicks(id), 50000);
}
