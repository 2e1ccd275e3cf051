#include "tests/support/DatabaseWindowTest.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/AddressForm.h"
#include "windows/forms/contact/ContactValueForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>

// What the user left alone in a window is written back exactly as stored: texts with their outer
// spaces and line breaks, and a date the window does not show. So a save that changed something else, or nothing,
// never counts as a change in another window or program that has the same row open.

namespace test {
namespace {

using amb::EnumFamilyGroup;

class KeptAsReadTest : public DatabaseWindowTest {
public:
    using DatabaseWindowTest::NewFamily;
    using DatabaseWindowTest::NewGroup;
    using DatabaseWindowTest::NewPerson;
    using DatabaseWindowTest::raw;
    using WindowTest::m_loader;

    KeptAsReadTest() {
        m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
        m_hub->SetCurrentUserID(db->UpdateUser(Record(
            {{"ID", 0}, {"Username", "CHIEF"}, {"Password", "pw"}, {"IsAdmin", true}, {"IsEnabled", true}})));
        person = NewPerson("Kim");
    }

    template <class Form> void OpenContact(int32_t id) {
        Form form;
        form.SetID(id);
        form.SetPersonID(person);
        form.SetWindowLoader(m_loader);
        if (form.UpdateForm() > 0)
            amb::ModalRunner::Run(form);
    }
    int32_t Insert(const QString& sql) {
        raw->Execute(sql, {person});
        return static_cast<int32_t>(raw->LastInsertId());
    }

    int32_t person = 0;
};

struct KeptCase {
    const char* name;
    const char* table;
    const char* kept; // the columns left alone, as a select list
    const char* box;  // the box the user types into
    const char* column;
    std::function<int32_t(KeptAsReadTest&)> make; // a row as a hand-made or older file holds it
    std::function<void(KeptAsReadTest&, int32_t id)> open;
};

// A person whose marital status shows no wedding date, yet whose row holds one.
int32_t HiddenDatePerson(KeptAsReadTest& t, const char* maritalStatus) {
    const int32_t id = t.NewPerson("Lee");
    t.raw->Execute(QStringLiteral("UPDATE Person SET FirstName='Ugo ', MiddleName=' J', Note='Likes tea ', "
                                  "SexID=1, MemberStatusID=1, MaritalStatusID=%1, "
                                  "DateMarried='2001-05-06 00:00:00', IsBaptized=0, "
                                  "DateBaptized='1990-02-03 00:00:00' WHERE ID=?")
                       .arg(QLatin1String(maritalStatus)),
                   {id});
    return id;
}

void OpenPerson(KeptAsReadTest& t, int32_t id) {
    t.m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
}

const KeptCase kCases[] = {
    {.name = "person, divorced",
     .table = "Person",
     .kept = "FirstName, MiddleName, Note, DateMarried, DateBaptized",
     .box = "txtOccupation",
     .column = "Occupation",
     .make = [](KeptAsReadTest& t) { return HiddenDatePerson(t, "3"); },
     .open = OpenPerson},
    {.name = "person, blank marital status",
     .table = "Person",
     .kept = "FirstName, MiddleName, Note, DateMarried, DateBaptized",
     .box = "txtOccupation",
     .column = "Occupation",
     .make = [](KeptAsReadTest& t) { return HiddenDatePerson(t, "NULL"); },
     .open = OpenPerson},
    {.name = "address",
     .table = "PersonAddress",
     .kept = "Name, AddressPart2, AddressPart3, Note",
     .box = "txtAddressPart1",
     .column = "AddressPart1",
     .make =
         [](KeptAsReadTest& t) {
             return t.Insert("INSERT INTO PersonAddress (PersonID, Name, AddressPart1, AddressPart2, AddressPart3, "
                             "Note) VALUES (?, 'Cabin', '1 Main St', ' Unit 4', 'Seoul ', 'Ring twice ')");
         },
     .open = [](KeptAsReadTest& t, int32_t id) { t.OpenContact<amb::windows::AddressForm>(id); }},
    {.name = "phone",
     .table = "PersonPhoneNumber",
     .kept = "Name, Note",
     .box = "txtPhoneNumber",
     .column = "PhoneNumber",
     .make =
         [](KeptAsReadTest& t) {
             return t.Insert("INSERT INTO PersonPhoneNumber (PersonID, Name, PhoneNumber, Note) "
                             "VALUES (?, 'Cabin', '555-0100', 'After six ')");
         },
     .open = [](KeptAsReadTest& t, int32_t id) { t.OpenContact<amb::windows::PhoneNumberForm>(id); }},
    {.name = "e-mail",
     .table = "PersonEMailAddress",
     .kept = "Name, Note",
     .box = "txtEMailAddress",
     .column = "EMailAddress",
     .make =
         [](KeptAsReadTest& t) {
             return t.Insert("INSERT INTO PersonEMailAddress (PersonID, Name, EMailAddress, Note) "
                             "VALUES (?, 'Cabin', 'kim@example.org', ' Old address')");
         },
     .open = [](KeptAsReadTest& t, int32_t id) { t.OpenContact<amb::windows::EMailAddressForm>(id); }},
    {.name = "family",
     .table = "Family",
     .kept = "Note",
     .box = "txtName",
     .column = "Name",
     .make =
         [](KeptAsReadTest& t) {
             const int32_t family = t.NewFamily("Kim family", t.person);
             t.raw->Execute("UPDATE Family SET Note=? WHERE ID=?", {QStringLiteral("Moved in 2020\r\nto Seoul "), family});
             return family;
         },
     .open = [](KeptAsReadTest& t, int32_t id) { t.m_loader->ShowFamilyWindow(id); }},
    {.name = "group",
     .table = "\"Group\"",
     .kept = "Note",
     .box = "txtName",
     .column = "Name",
     .make =
         [](KeptAsReadTest& t) {
             const int32_t group = t.NewGroup("Choir", t.person);
             t.raw->Execute("UPDATE \"Group\" SET Note='  Sundays' WHERE ID=?", {group});
             return group;
         },
     .open = [](KeptAsReadTest& t, int32_t id) { t.m_loader->ShowGroupWindow(id); }},
    // The name window shows only the name: the window saving with no change must keep it as stored.
    {.name = "look-up name",
     .table = "GroupType",
     .kept = "OrderIndex",
     .box = "txtName",
     .column = "GroupType",
     .make =
         [](KeptAsReadTest& t) {
             t.raw->Execute("INSERT INTO GroupType (GroupType) VALUES ('Youth night ')");
             return static_cast<int32_t>(t.raw->LastInsertId());
         },
     .open = [](KeptAsReadTest& t, int32_t id) { t.m_loader->ShowNameWindow(amb::EnumWindowType::GroupType, id); }},
};

// Clicks into a box, selects what it holds and types `text`, as a person does.
void ClickAndType(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

TEST_F(KeptAsReadTest, WhatTheUserLeftAloneIsStoredAsReadAndNeverCountsAsAChangeElsewhere) {
    for (const KeptCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const int32_t id = c.make(*this);
        ASSERT_GT(id, 0);
        // The stored values exactly, with their type: 'Ugo ' is not 'Ugo', and Null is not ''.
        QStringList quoted;
        for (const QString& column : QString::fromLatin1(c.kept).split(QStringLiteral(", ")))
            quoted << QStringLiteral("quote(%1)").arg(column);
        const auto kept = [&] {
            return Value(QStringLiteral("SELECT %1 FROM %2 WHERE ID=?")
                             .arg(quoted.join(QStringLiteral(" || '|' || ")), QLatin1String(c.table)),
                         {id})
                .ToString();
        };
        const auto typed = [&] {
            return Value(QStringLiteral("SELECT quote(%1) FROM %2 WHERE ID=?").arg(QLatin1String(c.column), c.table),
                         {id})
                .ToString();
        };
        const QString before = kept();
        const QString typedBefore = typed();
        ASSERT_FALSE(before.isEmpty());

        // Two windows on the row: the second is closed by OK with nothing changed, then the first
        // saves what was typed into it.
        m_messages.Clear();
        int shown = 0;
        {
            ModalScript script([&](QDialog& dialog) {
                if (++shown == 2) {
                    Click(dialog, "cmdOK");
                    EXPECT_FALSE(dialog.isVisible()) << "the unchanged window was not closed by OK";
                    EXPECT_EQ(kept(), before);
                    EXPECT_EQ(typed(), typedBefore);
                    return;
                }
                c.open(*this, id);
                ClickAndType(Child<QLineEdit>(dialog, c.box), QStringLiteral("Typed here"));
                Click(dialog, "cmdOK");
                EXPECT_FALSE(dialog.isVisible()) << "the save after the other window's was refused";
            });
            c.open(*this, id);
        }
        EXPECT_EQ(shown, 2);
        EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join(' ').toStdString();
        EXPECT_EQ(typed(), "'Typed here'");
        EXPECT_EQ(kept(), before);
    }
}

// A text the user did change is stored trimmed, as always; a wedding date the user cleared by
// choosing a status without one is gone.
TEST_F(KeptAsReadTest, WhatTheUserChangedIsStoredAsTyped) {
    const int32_t id = HiddenDatePerson(*this, "2");
    ModalScript script([&](QDialog& dialog) {
        ClickAndType(Child<QLineEdit>(dialog, "txtFirstName"), QStringLiteral("  Hugo  "));
        auto* status = Child<QComboBox>(dialog, "cboMaritalStatus");
        status->setFocus();
        QTest::keyClicks(status, QStringLiteral("Div"));
        EXPECT_EQ(status->currentText(), "Divorced");
        Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    OpenPerson(*this, id);
    EXPECT_EQ(Value("SELECT FirstName FROM Person WHERE ID=?", {id}).ToString(), "Hugo");
    EXPECT_TRUE(Value("SELECT DateMarried FROM Person WHERE ID=?", {id}).IsNull());
}

} // namespace
} // namespace test
