#include "common/ResourceIDs.h"
#include "tests/support/DatabaseWindowTest.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/ContactValueForm.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>
#include <memory>

// Each window that writes whole rows, with another program on the same db.mdb: a row changed
// meanwhile is refused with 344 and keeps the other program's value; a row deleted meanwhile is
// refused with 348 and not made again. The window keeps what was typed.

namespace test {
namespace {

using namespace amb::res;
using amb::database::Manager;
using platform::Variant;

class ChangedElsewhereTest : public DatabaseWindowTest {
public:
    using DatabaseWindowTest::AddLookup;
    using DatabaseWindowTest::db;
    using DatabaseWindowTest::NewGroup;
    using DatabaseWindowTest::NewOffering;
    using WindowTest::m_loader;

    ChangedElsewhereTest() {
        other = std::make_unique<Manager>();
        other->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + m_path +
                                   QStringLiteral("; Jet OLEDB:"));
        chief = db->UpdateUser(Record(
            {{"ID", 0}, {"Username", "CHIEF"}, {"Password", "chief pw"}, {"IsAdmin", true}, {"IsEnabled", true}}));
        m_hub->SetCurrentUserID(chief);
        person = NewPerson("Kim");
    }

    // Opens a phone row in its window as the person window does.
    int32_t OpenPhone(int32_t id, const ModalScript::Step& step) {
        amb::windows::PhoneNumberForm form;
        form.SetID(id);
        form.SetPersonID(person);
        form.SetWindowLoader(m_loader);
        if (form.UpdateForm() <= 0)
            return -1;
        ModalScript script(step);
        amb::ModalRunner::Run(form);
        return form.ID();
    }
    int32_t OpenWith(const std::function<int32_t()>& show, const ModalScript::Step& step) {
        ModalScript script(step);
        return show();
    }

    std::unique_ptr<Manager> other; // a second program on the same file
    int32_t chief = 0;
    int32_t person = 0;
};

// Replaces the text of a plain-text box as a user typing into it would.
void TypeNote(QDialog& dialog, const char* box, const QString& text) {
    auto* note = Child<QPlainTextEdit>(dialog, box);
    note->setFocus();
    note->selectAll();
    QTest::keyClicks(note->viewport(), text);
}

QString Typed(QDialog& dialog, const char* box) {
    if (auto* line = dialog.findChild<QLineEdit*>(QString::fromLatin1(box)))
        return line->text();
    return Child<QPlainTextEdit>(dialog, box)->toPlainText();
}

const QDateTime kDay(QDate(2026, 3, 1), QTime(0, 0));

struct ElsewhereCase {
    const char* name;
    const char* table; // quoted
    const char* column;
    const char* box; // the window's box for the column
    std::function<int32_t(ChangedElsewhereTest&)> make;
    std::function<int32_t(ChangedElsewhereTest&, int32_t id, const ModalScript::Step&)> open;
    // The other program writes `value` into the column, or deletes the row.
    std::function<int32_t(Manager&, ChangedElsewhereTest&, int32_t id, const QString& value)> change;
    std::function<int32_t(Manager&, int32_t id)> remove;
};

const ElsewhereCase kCases[] = {
    {"Group", "\"Group\"", "Name", "txtName", [](ChangedElsewhereTest& t) { return t.NewGroup("Choir", t.person); },
     [](ChangedElsewhereTest& t, int32_t id, const ModalScript::Step& step) {
         return t.OpenWith([&] { return t.m_loader->ShowGroupWindow(id); }, step);
     },
     [](Manager& m, ChangedElsewhereTest&, int32_t id, const QString& value) {
         return m.UpdateGroup(Record({{"ID", id}, {"Name", value}, {"GroupTypeID", 1}}));
     },
     [](Manager& m, int32_t id) { return m.DeleteGroup(id); }},
    {"Phone", "PersonPhoneNumber", "PhoneNumber", "txtPhoneNumber",
     [](ChangedElsewhereTest& t) {
         return t.db->UpdatePersonPhoneNumber(
             Record({{"ID", 0}, {"PersonID", t.person}, {"Name", "Summer"}, {"PhoneNumber", "555-0100"}}));
     },
     [](ChangedElsewhereTest& t, int32_t id, const ModalScript::Step& step) { return t.OpenPhone(id, step); },
     [](Manager& m, ChangedElsewhereTest& t, int32_t id, const QString& value) {
         return m.UpdatePersonPhoneNumber(
             Record({{"ID", id}, {"PersonID", t.person}, {"Name", "Summer"}, {"PhoneNumber", value}}));
     },
     [](Manager& m, int32_t id) { return m.DeletePersonPhoneNumber(id); }},
    {"Offering", "PersonOffering", "Note", "txtNote",
     [](ChangedElsewhereTest& t) { return t.NewOffering(t.person, 1, kDay, platform::Currency::FromTicks(500000)); },
     [](ChangedElsewhereTest& t, int32_t id, const ModalScript::Step& step) {
         return t.OpenWith([&] { return t.m_loader->ShowOfferingWindow(id, amb::EnumOfferingWindowType::Individual); },
                           step);
     },
     [](Manager& m, ChangedElsewhereTest& t, int32_t id, const QString& value) {
         return m.UpdatePersonOffering(Record({{"ID", id},
                                               {"UserID", t.chief},
                                               {"OfferingDate", kDay},
                                               {"OfferingTypeID", 1},
                                               {"Amount", "50"},
                                               {"Note", value}}));
     },
     [](Manager& m, int32_t id) { return m.DeletePersonOffering(id); }},
    {"Expense", "Expense", "ExpenseName", "txtExpenseName",
     [](ChangedElsewhereTest& t) {
         return t.db->UpdateExpense(Record(
             {{"ID", 0}, {"ExpenseName", "Paper"}, {"ExpenseTypeID", 1}, {"ExpenseDate", kDay}, {"Amount", "5"}}));
     },
     [](ChangedElsewhereTest& t, int32_t id, const ModalScript::Step& step) {
         return t.OpenWith([&] { return t.m_loader->ShowExpenseWindow(id, amb::EnumOfferingWindowType::Individual); },
                           step);
     },
     [](Manager& m, ChangedElsewhereTest&, int32_t id, const QString& value) {
         return m.UpdateExpense(Record(
             {{"ID", id}, {"ExpenseName", value}, {"ExpenseTypeID", 1}, {"ExpenseDate", kDay}, {"Amount", "5"}}));
     },
     [](Manager& m, int32_t id) { return m.DeleteExpense(id); }},
    {"User", "\"User\"", "Name", "txtName",
     [](ChangedElsewhereTest& t) {
         return t.db->UpdateUser(Record({{"ID", 0},
                                         {"Username", "LEE"},
                                         {"Password", "lee pw"},
                                         {"Name", "Lee"},
                                         {"IsAdmin", false},
                                         {"IsEnabled", true}}));
     },
     [](ChangedElsewhereTest& t, int32_t id, const ModalScript::Step& step) {
         return t.OpenWith([&] { return t.m_loader->ShowUserWindow(id); }, step);
     },
     [](Manager& m, ChangedElsewhereTest&, int32_t id, const QString& value) {
         return m.UpdateUser(
             Record({{"ID", id}, {"Username", "LEE"}, {"Name", value}, {"IsAdmin", false}, {"IsEnabled", true}}));
     },
     [](Manager& m, int32_t id) { return m.DeleteUser(id); }},
    {"GroupType", "GroupType", "GroupType", "txtName",
     [](ChangedElsewhereTest& t) { return t.AddLookup(&amb::IDatabaseManager::UpdateGroupType, "Bible study"); },
     [](ChangedElsewhereTest& t, int32_t id, const ModalScript::Step& step) {
         return t.OpenWith([&] { return t.m_loader->ShowNameWindow(amb::EnumWindowType::GroupType, id); }, step);
     },
     [](Manager& m, ChangedElsewhereTest&, int32_t id, const QString& value) {
         return m.UpdateGroupType(Record({{"ID", id}, {"GroupType", value}}));
     },
     [](Manager& m, int32_t id) { return m.DeleteGroupType(id); }},
};

TEST_F(ChangedElsewhereTest, EveryWindowIsToldOfAChangeOrDeletionElsewhereAndKeepsItsInput) {
    for (const ElsewhereCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const int32_t id = c.make(*this);
        ASSERT_GT(id, 0);
        const auto stored = [&] {
            return Value(QStringLiteral("SELECT %1 FROM %2 WHERE ID=?").arg(QLatin1String(c.column), c.table), {id})
                .ToString();
        };
        const auto typeIn = [&](QDialog& dialog, const QString& text) {
            if (dialog.findChild<QPlainTextEdit*>(QString::fromLatin1(c.box)))
                TypeNote(dialog, c.box, text);
            else
                TypeText(dialog, c.box, text);
        };

        // Changed elsewhere after the window read it.
        m_messages.Clear();
        int shown = 0;
        c.open(*this, id, [&](QDialog& dialog) {
            ++shown;
            typeIn(dialog, "Typed here");
            ASSERT_GT(c.change(*other, *this, id, "From elsewhere"), 0);
            Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(Typed(dialog, c.box), "Typed here");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgChangedElsewhere)});
        });
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(stored(), "From elsewhere");

        // Deleted elsewhere after the window read it: not made again, under any id.
        m_messages.Clear();
        const QString count = QStringLiteral("SELECT COUNT(*) FROM %1").arg(c.table);
        const QString typed = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2='Typed again'").arg(c.table, c.column);
        int rows = 0;
        c.open(*this, id, [&](QDialog& dialog) {
            ++shown;
            typeIn(dialog, "Typed again");
            ASSERT_EQ(c.remove(*other, id), 1);
            rows = Count(count);
            Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(Typed(dialog, c.box), "Typed again");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordGone)});
        });
        EXPECT_EQ(shown, 2);
        EXPECT_EQ(Count(count), rows);
        EXPECT_EQ(Count(typed), 0);
    }
}

} // namespace
} // namespace test
