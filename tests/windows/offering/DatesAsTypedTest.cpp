#include "tests/support/DateClicks.h"
#include "tests/windows/offering/OfferingFixture.h"

namespace {

using amb::EnumFamilyGroup;
using test::Child;
using test::Choose;
using test::Click;
using test::TypeText;

enum class Window { Person, Offering, Expense, BatchOffering };
using test::Leave;
using test::Reach;

void TypeInto(QDialog& dialog, const char* pickerName, Reach reach, const char* typed, Leave leave) {
    test::TypeIntoDate(Child<QWidget>(dialog, pickerName), reach, QString::fromLatin1(typed), leave);
}

class DatesAsTypedTest : public test::OfferingWindowTest {
protected:
    // A member with every date of the person window filled, so each one is typed over.
    int32_t NewMember() {
        const int32_t id = NewPerson(QStringLiteral("Lee"));
        raw->Execute(QStringLiteral("UPDATE Person SET SexID=2, MemberStatusID=1, MaritalStatusID=2, "
                                    "IsBaptized=1, IsMember=1, DOB=?, DateMarried=?, DateBaptized=?, DateJoined=? "
                                    "WHERE ID=?"),
                     {QDateTime(QDate(1990, 12, 10), QTime(0, 0)), QDateTime(QDate(2015, 6, 20), QTime(0, 0)),
                      QDateTime(QDate(2001, 4, 15), QTime(0, 0)), QDateTime(QDate(2003, 9, 7), QTime(0, 0)), id});
        return id;
    }
    QDate Stored(const QString& sql, const platform::SqlParams& params = {}) {
        return amb::AsDate(Value(sql, params)).date();
    }

    test::WindowSteps m_steps;
};

TEST_F(DatesAsTypedTest, TheDateStoredIsTheDateTyped) {
    struct Case {
        Window window;
        const char* picker; // in the person window; the offering windows have dtDate
        const char* column;
        Reach reach;
        const char* typed;
        Leave leave;
        QDate expected;
    };
    const Case cases[] = {
        // A click on the month of a filled date, then the whole date: in each window.
        {Window::Person, "dtpDOB", "DOB", Reach::ClickMonth, "1/5/1991", Leave::Tab, QDate(1991, 1, 5)},
        {Window::Person, "dtpMarried", "DateMarried", Reach::ClickMonth, "7/4/2016", Leave::Tab, QDate(2016, 7, 4)},
        {Window::Person, "dtpBaptized", "DateBaptized", Reach::ClickMonth, "11/30/2002", Leave::ShiftTab,
         QDate(2002, 11, 30)},
        {Window::Person, "dtpJoined", "DateJoined", Reach::ClickMonth, "2/29/2004", Leave::Tab, QDate(2004, 2, 29)},
        {Window::Offering, nullptr, "OfferingDate", Reach::ClickMonth, "11/20/2026", Leave::Tab, QDate(2026, 11, 20)},
        {Window::BatchOffering, nullptr, "OfferingDate", Reach::ClickMonth, "11/22/2026", Leave::Tab,
         QDate(2026, 11, 22)},
        {Window::Expense, nullptr, "ExpenseDate", Reach::ClickMonth, "10/7/2026", Leave::Tab, QDate(2026, 10, 7)},
        {Window::Expense, nullptr, "ExpenseDate", Reach::Tab, "1/31/2027", Leave::ShiftTab, QDate(2027, 1, 31)},
        // A whole date typed from the day and from the year.
        {Window::Person, "dtpDOB", "DOB", Reach::ClickDay, "1/5/1991", Leave::ShiftTab, QDate(1991, 1, 5)},
        {Window::Person, "dtpJoined", "DateJoined", Reach::ClickYear, "12/25/1999", Leave::Tab, QDate(1999, 12, 25)},
        {Window::Offering, nullptr, "OfferingDate", Reach::ClickYear, "3/8/2026", Leave::Tab, QDate(2026, 3, 8)},
        {Window::BatchOffering, nullptr, "OfferingDate", Reach::ClickDay, "10/4/2026", Leave::Tab, QDate(2026, 10, 4)},
        // Into the date by Tab (past the tick box) and by Shift+Tab: typing starts in the month.
        {Window::Person, "dtpDOB", "DOB", Reach::Tab, "1/5/1991", Leave::Tab, QDate(1991, 1, 5)},
        {Window::Person, "dtpMarried", "DateMarried", Reach::ShiftTab, "3/8/2016", Leave::Tab, QDate(2016, 3, 8)},
        {Window::Offering, nullptr, "OfferingDate", Reach::ShiftTab, "3/8/2026", Leave::Tab, QDate(2026, 3, 8)},
        {Window::BatchOffering, nullptr, "OfferingDate", Reach::Tab, "5/1/2026", Leave::ShiftTab, QDate(2026, 5, 1)},
        // One part typed changes that part only.
        {Window::Person, "dtpDOB", "DOB", Reach::ClickMonth, "1", Leave::Tab, QDate(1990, 1, 10)},
        {Window::Person, "dtpDOB", "DOB", Reach::ClickYear, "1989", Leave::Tab, QDate(1989, 12, 10)},
        {Window::Offering, nullptr, "OfferingDate", Reach::ClickDay, "5", Leave::Tab, QDate(2026, 12, 5)},
    };
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " " + std::to_string(static_cast<int>(c.reach)) + " " + c.typed);
        QDate stored;
        switch (c.window) {
        case Window::Person: {
            const int32_t id = NewMember();
            m_steps.Add(QStringLiteral("MemberForm"), [&](QDialog& dialog) {
                TypeInto(dialog, c.picker, c.reach, c.typed, c.leave);
                Click(dialog, "cmdOK");
                EXPECT_FALSE(dialog.isVisible());
            });
            EXPECT_EQ(m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0), id);
            stored = Stored(QStringLiteral("SELECT %1 FROM Person WHERE ID=?").arg(QLatin1String(c.column)), {id});
            break;
        }
        case Window::Offering: {
            const int32_t offering = NewOffering(giver, 2, QDateTime(QDate(2026, 12, 20), QTime(0, 0)),
                                                 platform::Currency::FromTicks(100000));
            m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
                TypeInto(dialog, "dtDate", c.reach, c.typed, c.leave);
                Click(dialog, "cmdOK");
                EXPECT_FALSE(dialog.isVisible());
            });
            EXPECT_EQ(m_loader->ShowOfferingWindow(offering, amb::EnumOfferingWindowType::Individual), 1);
            stored = Stored(QStringLiteral("SELECT OfferingDate FROM PersonOffering WHERE ID=?"), {offering});
            break;
        }
        case Window::Expense: {
            const int32_t expense =
                db->UpdateExpense(test::Record({{"ID", 0},
                                                {"ExpenseName", "Candles"},
                                                {"ExpenseTypeID", 1},
                                                {"ExpenseDate", QDateTime(QDate(2026, 12, 7), QTime(0, 0))},
                                                {"Amount", platform::Currency::FromUnits(12)}}));
            m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
                TypeInto(dialog, "dtDate", c.reach, c.typed, c.leave);
                Click(dialog, "cmdOK");
                EXPECT_FALSE(dialog.isVisible());
            });
            EXPECT_EQ(m_loader->ShowExpenseWindow(expense, amb::EnumOfferingWindowType::Individual), 1);
            stored = Stored(QStringLiteral("SELECT ExpenseDate FROM Expense WHERE ID=?"), {expense});
            break;
        }
        case Window::BatchOffering: {
            const int before = Offerings();
            m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
                m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
                    Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 1));
                    TypeText(dialog, "txtAmount", QStringLiteral("25"));
                    TypeInto(dialog, "dtDate", c.reach, c.typed, c.leave);
                    Click(dialog, "cmdOK");
                    Click(dialog, "cmdCancel");
                });
                test::ToolButton(batch, "tbarBatch", 1)->trigger();
                Click(batch, "cmdSubmit");
                Click(batch, "cmdCancel");
            });
            m_loader->ShowBatchOfferingWindow();
            EXPECT_EQ(Offerings(), before + 1);
            stored = Stored(QStringLiteral("SELECT OfferingDate FROM PersonOffering ORDER BY ID DESC LIMIT 1"));
            break;
        }
        }
        EXPECT_EQ(stored, c.expected);
        EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
        m_messages.Clear();
    }
}

} // namespace
