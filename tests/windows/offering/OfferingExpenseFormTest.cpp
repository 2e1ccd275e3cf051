#include "tests/windows/offering/OfferingFixture.h"

namespace {

using namespace amb::res;
using test::Child;
using test::Choose;
using test::Click;
using test::TypeText;

class OfferingExpenseFormTest : public test::OfferingWindowTest {};

TEST_F(OfferingExpenseFormTest, StoredOfferingShowsItsCodeReadOnlyAndKeepsItsGiverWhenChanged) {
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    const int32_t offering =
        NewOffering(giver, 2, QDateTime(QDate(2026, 3, 1), QTime(0, 0)), platform::Currency::FromTicks(1234500));
    test::WindowSteps steps;
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        auto* code = Child<QLineEdit>(dialog, "txtEnvelopCode");
        EXPECT_EQ(code->text(), EnvelopCode(giver));
        EXPECT_FALSE(code->isEnabled());
        EXPECT_FALSE(Child<QWidget>(dialog, "cmdSearch")->isEnabled());
        EXPECT_FALSE(Child<QWidget>(dialog, "txtExpenseName")->isVisible());
        EXPECT_EQ(test::TextOf(dialog, "cboOfferingTypeName"), TypeName("OfferingTypeName", 2));
        EXPECT_EQ(test::ShownDate(dialog, "dtDate"), QDate(2026, 3, 1));
        EXPECT_EQ(test::TextOf(dialog, "txtAmount"), QStringLiteral("123.45"));
        EXPECT_EQ(test::TextOf(dialog, "cmdCancel"), Text(kCaptionClose));
        Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 4));
        TypeText(dialog, "txtAmount", QStringLiteral(" 2,000.5 "));
        Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowOfferingWindow(offering, amb::EnumOfferingWindowType::Individual), 1);
    const auto column = [&](const char* name) {
        return Value(QStringLiteral("SELECT %1 FROM PersonOffering WHERE ID=?").arg(QString::fromLatin1(name)),
                     {offering});
    };
    EXPECT_EQ(column("PersonID").ToInt(), giver);
    EXPECT_EQ(column("OfferingTypeID").ToInt(), 4);
    EXPECT_EQ(column("Amount").ToCurrency(), platform::Currency::FromTicks(20005000));
    EXPECT_EQ(column("UserID").ToInt(), 1);
    EXPECT_EQ(Offerings(), 1);
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(OfferingExpenseFormTest, NewExpenseIsStoredExactlyWithHangulAndApostrophes) {
    const QString name = QStringLiteral("O'Neil 사무용품 \"A4\"");
    test::WindowSteps steps;
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), Text(kTitleExpense));
        EXPECT_FALSE(Child<QWidget>(dialog, "txtEnvelopCode")->isVisible());
        EXPECT_FALSE(Child<QWidget>(dialog, "cmdSearch")->isEnabled());
        // A new record starts on the first of the month with the blank type.
        EXPECT_EQ(test::ShownDate(dialog, "dtDate"), QDate(2026, 12, 1));
        EXPECT_EQ(test::TextOf(dialog, "cboOfferingTypeName"), QString());
        Choose(dialog, "cboOfferingTypeName", TypeName("ExpenseTypeName", 5));
        TypeText(dialog, "txtExpenseName", name);
        test::EnterDate(dialog, "dtDate", QDate(2026, 4, 3));
        TypeText(dialog, "txtAmount", QStringLiteral("1,234.57"));
        TypeText(dialog, "txtNote", QStringLiteral("Kim's 영수증"));
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowExpenseWindow(0, amb::EnumOfferingWindowType::Individual), 1);
    ASSERT_EQ(Expenses(), 1);
    const auto column = [&](const char* c) {
        return Value(QStringLiteral("SELECT %1 FROM Expense").arg(QString::fromLatin1(c)));
    };
    EXPECT_EQ(column("ExpenseName").ToString(), name);
    EXPECT_EQ(column("Note").ToString(), QStringLiteral("Kim's 영수증"));
    EXPECT_EQ(column("ExpenseTypeID").ToInt(), 5);
    EXPECT_EQ(column("ExpenseDate").ToDateTime(), QDateTime(QDate(2026, 4, 3), QTime(0, 0)));
    EXPECT_EQ(column("Amount").ToCurrency(), platform::Currency::FromTicks(12345700));
    EXPECT_EQ(column("UserID").ToInt(), 1);
}

TEST_F(OfferingExpenseFormTest, EveryRefusalComesInOrderWithFocusAndStoresNothing) {
    test::WindowSteps steps;
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        struct Step {
            std::function<void()> enter;
            int32_t message;
            const char* focus;
        };
        const Step refusals[] = {
            {[] {}, kMsgSelectExpenseType, "cboOfferingTypeName"},
            {[&] { Choose(dialog, "cboOfferingTypeName", TypeName("ExpenseTypeName", 1)); }, kMsgEnterExpenseName,
             "txtExpenseName"},
            {[&] { TypeText(dialog, "txtExpenseName", QStringLiteral("   ")); }, kMsgEnterExpenseName,
             "txtExpenseName"},
            {[&] { TypeText(dialog, "txtExpenseName", QStringLiteral("Pay")); }, kMsgEnterAmount, "txtAmount"},
            {[&] { TypeText(dialog, "txtAmount", QStringLiteral("   ")); }, kMsgEnterAmount, "txtAmount"},
            {[&] { TypeText(dialog, "txtAmount", QStringLiteral("abc")); }, kMsgAmountNotNumeric, "txtAmount"},
            {[&] { TypeText(dialog, "txtAmount", QStringLiteral("1.2.3")); }, kMsgAmountNotNumeric, "txtAmount"},
            {[&] { TypeText(dialog, "txtAmount", QStringLiteral("12,34")); }, kMsgAmountNotNumeric, "txtAmount"},
            {[&] { TypeText(dialog, "txtAmount", QStringLiteral("1e5")); }, kMsgAmountNotNumeric, "txtAmount"},
            {[&] { TypeText(dialog, "txtAmount", QStringLiteral("1,234.567")); }, kMsgAmountDecimals, "txtAmount"},
            {[&] { TypeText(dialog, "txtAmount", QStringLiteral("1000000000")); }, kMsgAmountOutOfRange, "txtAmount"},
        };
        for (const Step& step : refusals) {
            step.enter();
            m_messages.Clear();
            Click(dialog, "cmdOK");
            ASSERT_EQ(m_messages.Texts(), QStringList{Text(step.message)});
            EXPECT_EQ(m_messages.Shown().front().title, dialog.windowTitle());
            EXPECT_EQ(dialog.focusWidget(), Child<QWidget>(dialog, step.focus)) << step.message;
            EXPECT_TRUE(dialog.isVisible());
        }
    });
    EXPECT_EQ(m_loader->ShowExpenseWindow(0, amb::EnumOfferingWindowType::Individual), -1);
    EXPECT_EQ(Expenses(), 0);
}

// The look-up list window stands in here: it deletes the chosen type as a user would there.
class DeletingLoader : public test::FakeWindowLoader {
public:
    int32_t ShowListWindow(amb::EnumWindowType en) override {
        if (onList)
            onList();
        return FakeWindowLoader::ShowListWindow(en);
    }
    std::function<void()> onList;
};

TEST_F(OfferingExpenseFormTest, TypeDeletedInTheLookUpListFallsBackToTheBlankEntry) {
    auto lookUp = std::make_shared<DeletingLoader>();
    lookUp->onList = [&] { db->DeleteOfferingTypeName(3); };
    m_hub->SetWindowLoader(lookUp);
    test::WindowSteps steps;
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 3));
        TypeText(dialog, "txtAmount", QStringLiteral("10"));
        Click(dialog, "cmdOfferingExpenseType");
        EXPECT_EQ(lookUp->calls, QStringList{QStringLiteral("ShowListWindow(1)")});
        EXPECT_EQ(test::TextOf(dialog, "cboOfferingTypeName"), QString());
        Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSelectOfferingType)});
    });
    EXPECT_EQ(m_loader->ShowOfferingWindow(0, amb::EnumOfferingWindowType::Individual), -1);
    EXPECT_EQ(Offerings(), 0);
}

// Look-ups from the real database; every save refused with the given cause.
class RefusingDatabase : public test::FailingDatabaseManager {
public:
    RefusingDatabase(amb::IDatabaseManagerPtr real, amb::EnumDatabaseFailure cause)
        : m_real(std::move(real)), m_cause(cause) {}
    platform::RecordsetPtr GetLookupOfferingTypeName(amb::EnumLookupOption en) override {
        return m_real->GetLookupOfferingTypeName(en);
    }
    platform::RecordsetPtr GetLookupExpenseTypeName(amb::EnumLookupOption en) override {
        return m_real->GetLookupExpenseTypeName(en);
    }
    amb::EnumDatabaseFailure LastFailure() override { return m_cause; }

private:
    amb::IDatabaseManagerPtr m_real;
    amb::EnumDatabaseFailure m_cause;
};

TEST_F(OfferingExpenseFormTest, RefusedSaveSaysItsCauseAndKeepsTheWindowAndItsEntries) {
    // The amount refusals of the database (what no window sends, but another program may) have the
    // windows' own texts; a refusal without a cause says 256.
    const struct {
        amb::EnumDatabaseFailure cause;
        int32_t text;
    } cases[] = {
        {.cause = amb::EnumDatabaseFailure::None, .text = kMsgSaveFailed},
        {.cause = amb::EnumDatabaseFailure::Other, .text = kMsgSaveFailed},
        {.cause = amb::EnumDatabaseFailure::AmountMissing, .text = kMsgEnterAmount},
        {.cause = amb::EnumDatabaseFailure::AmountDecimals, .text = kMsgAmountDecimals},
        {.cause = amb::EnumDatabaseFailure::AmountNotANumber, .text = kMsgAmountNotNumeric},
        {.cause = amb::EnumDatabaseFailure::AmountOutOfRange, .text = kMsgAmountOutOfRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.cause));
        SetDatabase(std::make_shared<RefusingDatabase>(db, c.cause));
        m_messages.Clear();
        test::WindowSteps steps;
        steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
            Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 1));
            TypeText(dialog, "txtAmount", QStringLiteral("50"));
            Click(dialog, "cmdOK");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(c.text)});
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(test::TextOf(dialog, "txtAmount"), QStringLiteral("50"));
        });
        EXPECT_EQ(m_loader->ShowOfferingWindow(0, amb::EnumOfferingWindowType::Individual), -1);
        SetDatabase(db);
    }
    EXPECT_EQ(Offerings(), 0);
}

TEST_F(OfferingExpenseFormTest, BatchModeWithoutItsBatchWindowIsNotShown) {
    test::WindowSteps steps;
    // Batch sets the grid as target, and a later UpdateTarget 1 is ignored: no grid, no window.
    EXPECT_EQ(m_loader->ShowOfferingWindow(0, amb::EnumOfferingWindowType::Batch), -1);
    EXPECT_EQ(steps.Runs(), 0);
    EXPECT_FALSE(m_writer->logLines.filter(QStringLiteral("OfferingExpenseForm.UpdateForm()")).isEmpty());
}

TEST_F(OfferingExpenseFormTest, SearchTakesTheChosenPersonsCodeAndACancelledSearchKeepsIt) {
    const int32_t giver = NewPerson(QStringLiteral("Lee"));
    test::WindowSteps steps;
    steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
            TypeText(dialog, "txtEnvelopCode", QStringLiteral("77"));
            steps.Add(QStringLiteral("SearchForm"), [&](QDialog& search) {
                test::SearchFor(search, QStringLiteral("Lee"));
                Click(search, "cmdCancel");
            });
            Click(dialog, "cmdSearch");
            EXPECT_EQ(test::TextOf(dialog, "txtEnvelopCode"), QStringLiteral("77"));
            steps.Add(QStringLiteral("SearchForm"), [&](QDialog& search) {
                EXPECT_EQ(search.parentWidget(), &dialog);
                test::SearchFor(search, QStringLiteral("Lee"));
                test::ClickRow(search, "lstvwResult", 0);
                Click(search, "cmdOK");
            });
            Click(dialog, "cmdSearch");
            EXPECT_EQ(test::TextOf(dialog, "txtEnvelopCode"), EnvelopCode(giver));
        });
        test::ToolButton(batch, "tbarBatch", 1)->trigger();
    });
    m_loader->ShowBatchOfferingWindow();
    EXPECT_EQ(steps.Runs(), 4);
}

} // namespace
