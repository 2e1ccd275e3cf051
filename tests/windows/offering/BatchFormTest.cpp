#include "tests/windows/offering/OfferingFixture.h"

namespace {

using namespace amb::res;
using test::Child;
using test::Choose;
using test::Click;
using test::TypeText;

struct Entry {
    QString text; // envelope code or expense name
    int32_t type;
    QString amount;
    QString note;
};

class BatchFormTest : public test::OfferingWindowTest {
protected:
    // Presses New and types the entries into the offering window, then Done.
    void AddEntries(QDialog& batch, const std::vector<Entry>& entries, bool offerings = true) {
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&, entries, offerings](QDialog& dialog) {
            EXPECT_EQ(test::TextOf(dialog, "cmdCancel"), Text(kCaptionDone));
            for (const Entry& e : entries) {
                Choose(dialog, "cboOfferingTypeName",
                       TypeName(offerings ? "OfferingTypeName" : "ExpenseTypeName", e.type));
                TypeText(dialog, offerings ? "txtEnvelopCode" : "txtExpenseName", e.text);
                TypeText(dialog, "txtAmount", e.amount);
                TypeText(dialog, "txtNote", e.note);
                Click(dialog, "cmdOK");
                EXPECT_TRUE(dialog.isVisible()) << "stays open for the next entry";
                EXPECT_EQ(test::TextOf(dialog, "txtAmount"), QString());
            }
            Click(dialog, "cmdCancel");
        });
        test::ToolButton(batch, "tbarBatch", 1)->trigger();
    }
    QStringList Statuses(QDialog& batch) {
        QStringList statuses;
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            statuses << list->topLevelItem(i)->text(5);
        return statuses;
    }
    bool EditOn(QDialog& batch) { return test::ToolButton(batch, "tbarBatch", 2)->isEnabled(); }
    bool RemoveOn(QDialog& batch) { return test::ToolButton(batch, "tbarBatch", 3)->isEnabled(); }

    test::WindowSteps m_steps;
};

TEST_F(BatchFormTest, ThreeOfferingsAreSubmittedWithTheirGiverOrNone) {
    const int32_t giver = NewPerson(QStringLiteral("Park"));
    const QString code = EnvelopCode(giver);
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        EXPECT_EQ(batch.windowTitle(), Text(kTitleBatchOffering));
        EXPECT_FALSE(Child<QWidget>(batch, "cmdSubmit")->isEnabled());
        EXPECT_FALSE(Child<QWidget>(batch, "cmdReset")->isEnabled());
        EXPECT_FALSE(EditOn(batch));
        EXPECT_FALSE(RemoveOn(batch));
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        EXPECT_EQ(list->headerItem()->text(0), Text(kColumnEnvelopeCode));
        AddEntries(batch, {{QString(), 1, QStringLiteral("10"), QStringLiteral("loose")},
                           {QStringLiteral("99999"), 2, QStringLiteral("20.5"), QString()},
                           {code, 3, QStringLiteral("1,000"), QStringLiteral("O'Neil")}});
        EXPECT_EQ(
            test::Rows(batch, "lstvwList"),
            (QStringList{Text(kTextUnknownGiver) + "|" + TypeName("OfferingTypeName", 1),
                         "99999|" + TypeName("OfferingTypeName", 2), code + "|" + TypeName("OfferingTypeName", 3)}));
        EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("12/1/2026"));
        EXPECT_EQ(list->topLevelItem(2)->text(3), QStringLiteral("1,000.00"));
        EXPECT_EQ(Statuses(batch), QStringList(3, Text(kStatusWaiting)));
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), QStringList(3, Text(kStatusSubmitted)));
        test::ClickRow(batch, "lstvwList", 1);
        EXPECT_FALSE(EditOn(batch));
        EXPECT_FALSE(RemoveOn(batch));
        // A double-click on a saved row opens nothing.
        const int runs = m_steps.Runs();
        auto* row = list->topLevelItem(1);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
        EXPECT_EQ(m_steps.Runs(), runs);
        Click(batch, "cmdCancel");
        EXPECT_TRUE(m_messages.Shown().empty()) << "nothing waits, so nothing is asked";
        EXPECT_FALSE(batch.isVisible());
    });
    EXPECT_EQ(m_loader->ShowBatchOfferingWindow(), -1);
    const auto stored = [&](int type, const char* column) {
        return Value(
            QStringLiteral("SELECT %1 FROM PersonOffering WHERE OfferingTypeID=?").arg(QString::fromLatin1(column)),
            {type});
    };
    EXPECT_EQ(Offerings(), 3);
    EXPECT_EQ(stored(1, "PersonID").ToInt(), 0);
    EXPECT_EQ(stored(2, "PersonID").ToInt(), 0);
    EXPECT_EQ(stored(3, "PersonID").ToInt(), giver);
    EXPECT_EQ(stored(3, "Note").ToString(), QStringLiteral("O'Neil"));
    EXPECT_EQ(stored(2, "Amount").ToCurrency(), platform::Currency::FromTicks(205000));
    EXPECT_EQ(stored(1, "OfferingDate").ToDateTime(), QDateTime(QDate(2026, 12, 1), QTime(0, 0)));
}

TEST_F(BatchFormTest, ARowWithoutATypeIsRefusedResetWaitsAgainAndAnEditRepairsIt) {
    raw->Execute(QStringLiteral("INSERT INTO OfferingTypeName (ID, OfferingTypeName) VALUES (0, 'Zero')"));
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        AddEntries(batch, {{QStringLiteral("1"), 0, QStringLiteral("5"), QString()}});
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), QStringList{Text(kStatusInvalid)});
        Click(batch, "cmdReset");
        EXPECT_EQ(Statuses(batch), QStringList{Text(kStatusWaiting)});
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), QStringList{Text(kStatusInvalid)});
        test::ClickRow(batch, "lstvwList", 0);
        ASSERT_TRUE(EditOn(batch));
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
            EXPECT_EQ(test::TextOf(dialog, "cboOfferingTypeName"), QStringLiteral("Zero"));
            EXPECT_EQ(test::TextOf(dialog, "txtEnvelopCode"), QStringLiteral("1"));
            EXPECT_EQ(test::TextOf(dialog, "cmdCancel"), Text(kCaptionClose));
            Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 6));
            Click(dialog, "cmdOK");
            EXPECT_FALSE(dialog.isVisible());
        });
        test::ToolButton(batch, "tbarBatch", 2)->trigger();
        EXPECT_EQ(Statuses(batch), QStringList{Text(kStatusWaiting)});
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), QStringList{Text(kStatusSubmitted)});
    });
    m_loader->ShowBatchOfferingWindow();
    EXPECT_EQ(Value(QStringLiteral("SELECT OfferingTypeID FROM PersonOffering")).ToInt(), 6);
    EXPECT_EQ(Offerings(), 1);
}

TEST_F(BatchFormTest, ARefusedRowKeepsWaitingAndOnlyItIsSentAgain) {
    raw->Execute(QStringLiteral("CREATE TRIGGER refuse_two BEFORE INSERT ON Expense WHEN NEW.ExpenseName = 'two' "
                                "BEGIN SELECT RAISE(ABORT, 'refused by test'); END"));
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        EXPECT_EQ(batch.windowTitle(), Text(kTitleBatchExpense));
        AddEntries(batch,
                   {{QStringLiteral("one"), 1, QStringLiteral("1"), QString()},
                    {QStringLiteral("two"), 2, QStringLiteral("2"), QString()},
                    {QStringLiteral("three"), 3, QStringLiteral("3"), QString()}},
                   false);
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), (QStringList{Text(kStatusSubmitted), Text(kStatusWaiting), Text(kStatusSubmitted)}));
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
        m_messages.Clear();
        raw->Execute(QStringLiteral("DROP TRIGGER refuse_two"));
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), QStringList(3, Text(kStatusSubmitted)));
    });
    m_loader->ShowBatchExpenseWindow();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Expense")), 3);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Expense WHERE ExpenseName='two'")), 1);
}

TEST_F(BatchFormTest, RowsTheDatabaseRefusedShowOneMessageWithTheCause) {
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        AddEntries(batch, {{QStringLiteral("1001"), 1, QStringLiteral("10"), QString()},
                           {QStringLiteral("1002"), 2, QStringLiteral("20"), QString()}});
        db->OpenConnection().ExecuteScript(QStringLiteral("PRAGMA query_only=ON"));
        m_messages.Clear();
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), QStringList(2, Text(kStatusWaiting)));
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgDiskFull)});
        db->OpenConnection().ExecuteScript(QStringLiteral("PRAGMA query_only=OFF"));
        m_messages.Clear();
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Statuses(batch), QStringList(2, Text(kStatusSubmitted)));
        EXPECT_TRUE(m_messages.Shown().empty());
    });
    m_loader->ShowBatchOfferingWindow();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM PersonOffering")), 2);
}

TEST_F(BatchFormTest, CommaDecimalsAndDayFirstDatesTravelAsValues) {
    test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    m_hub->SetDateFormat(QStringLiteral("d/m/yyyy"));
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
            Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 1));
            test::EnterDate(dialog, "dtDate", QDate(2026, 4, 3));
            TypeText(dialog, "txtAmount", QStringLiteral("1.234,56"));
            Click(dialog, "cmdOK");
            EXPECT_TRUE(m_messages.Shown().empty());
            Click(dialog, "cmdCancel");
        });
        test::ToolButton(batch, "tbarBatch", 1)->trigger();
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("3/4/2026"));
        EXPECT_TRUE(list->topLevelItem(0)->text(3).startsWith(QStringLiteral("1.234,56")))
            << list->topLevelItem(0)->text(3).toStdString();
        test::ClickRow(batch, "lstvwList", 0);
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
            EXPECT_EQ(test::ShownDate(dialog, "dtDate"), QDate(2026, 4, 3));
            EXPECT_EQ(test::TextOf(dialog, "txtAmount"), QStringLiteral("1234,56"));
            TypeText(dialog, "txtNote", QStringLiteral("edited"));
            Click(dialog, "cmdOK");
        });
        auto* row = list->topLevelItem(0);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
        EXPECT_EQ(list->topLevelItem(0)->text(4), QStringLiteral("edited"));
        Click(batch, "cmdSubmit");
    });
    m_loader->ShowBatchOfferingWindow();
    ASSERT_EQ(Offerings(), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Amount FROM PersonOffering")).ToCurrency(),
              platform::Currency::FromTicks(12345600));
    EXPECT_EQ(Value(QStringLiteral("SELECT OfferingDate FROM PersonOffering")).ToDateTime(),
              QDateTime(QDate(2026, 4, 3), QTime(0, 0)));
}

TEST_F(BatchFormTest, ClosingWithWaitingRowsAsksAndNoKeepsThem) {
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        AddEntries(batch, {{QStringLiteral("9"), 1, QStringLiteral("3"), QString()},
                           {QStringLiteral("8"), 1, QStringLiteral("4"), QString()}});
        test::ClickRow(batch, "lstvwList", 0);
        ASSERT_TRUE(RemoveOn(batch));
        test::ToolButton(batch, "tbarBatch", 3)->trigger();
        EXPECT_EQ(test::Rows(batch, "lstvwList").size(), 1);
        // A new row after a removal still gets a key of its own.
        AddEntries(batch, {{QStringLiteral("7"), 2, QStringLiteral("5"), QString()}});
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_NE(list->topLevelItem(0)->data(0, Qt::UserRole), list->topLevelItem(1)->data(0, Qt::UserRole));

        m_messages.Answer(amb::MessageResult::No);
        Click(batch, "cmdCancel");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgBatchRowsNotSaved)});
        // No is the default: Enter keeps the rows.
        EXPECT_EQ(m_messages.Shown().front().style,
                  amb::MessageStyle::YesNo | amb::MessageStyle::Question | amb::MessageStyle::DefaultButton2);
        EXPECT_TRUE(batch.isVisible());
        EXPECT_EQ(list->topLevelItemCount(), 2);
        // The close box asks the same.
        m_messages.Answer(amb::MessageResult::No);
        batch.close();
        EXPECT_TRUE(batch.isVisible());
        m_messages.Answer(amb::MessageResult::Yes);
        batch.close();
        EXPECT_FALSE(batch.isVisible());
    });
    EXPECT_EQ(m_loader->ShowBatchOfferingWindow(), -1);
    EXPECT_EQ(Offerings(), 0);
}

// Done, Escape and the close box end the entry window; an entry still typed in its boxes is kept unless
// the user says to drop it, and Enter on the question keeps it.
TEST_F(BatchFormTest, DoneWithATypedEntryAsksAndNoKeepsIt) {
    struct Way {
        const char* name;
        std::function<void(QDialog&)> end;
    };
    const Way ways[] = {
        {"Done", [](QDialog& d) { Click(d, "cmdCancel"); }},
        {"Escape", [](QDialog& d) { test::PressKey(d, Qt::Key_Escape); }},
        {"close box", [](QDialog& d) { d.close(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        m_messages.Clear();
        m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
            m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
                TypeText(dialog, "txtAmount", QStringLiteral("12.50"));
                m_messages.Answer(amb::MessageResult::No);
                way.end(dialog);
                EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgEntryNotAdded)});
                EXPECT_EQ(m_messages.Shown().front().style,
                          amb::MessageStyle::YesNo | amb::MessageStyle::Question | amb::MessageStyle::DefaultButton2);
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(test::TextOf(dialog, "txtAmount"), QStringLiteral("12.50"));
                m_messages.Answer(amb::MessageResult::Yes);
                way.end(dialog);
                EXPECT_FALSE(dialog.isVisible());
            });
            const int runs = m_steps.Runs();
            auto* bar = Child<QToolBar>(batch, "tbarBatch");
            test::ClickToolbarButton(bar, bar->actions().at(0));
            EXPECT_EQ(m_steps.Runs(), runs + 1) << "New opens the entry window";
            EXPECT_EQ(test::Rows(batch, "lstvwList"), QStringList());
            Click(batch, "cmdCancel");
        });
        EXPECT_EQ(m_loader->ShowBatchOfferingWindow(), -1);
    }
    EXPECT_EQ(Offerings(), 0);
}

} // namespace
