#include "tests/windows/member/MemberFormFixture.h"

#include <QRegularExpression>

#include <functional>

namespace test {
namespace {

using namespace amb::res;
using amb::EnumFamilyGroup;

// A page of the person window with its list and, where it has one, its toolbar.
struct PageCase {
    const char* name;
    int page;
    const char* list;
    const char* bar; // nullptr: the list opens a family or group window and writes nothing itself
    bool creates;    // the toolbar offers New
};

const PageCase kPages[] = {
    {.name = "Address", .page = 0, .list = "lstvwAddress", .bar = "tbarAddress", .creates = true},
    {.name = "Phone", .page = 1, .list = "lstvwPhoneNumber", .bar = "tbarPhoneNumber", .creates = true},
    {.name = "EMail", .page = 2, .list = "lstvwEMailAddress", .bar = "tbarEMailAddress", .creates = true},
    {.name = "Family", .page = 3, .list = "lstvwFamily", .bar = nullptr, .creates = false},
    {.name = "Group", .page = 4, .list = "lstvwGroup", .bar = nullptr, .creates = false},
    {.name = "Offering", .page = 5, .list = "lstvwOffering", .bar = "tbarOffering", .creates = false},
};

// What a person does on a page to add, change or remove a row.
struct Way {
    const char* name;
    bool needsBar;
    std::function<void(QDialog&, const PageCase&)> act;
};

const Way kWays[] = {
    {.name = "New", .needsBar = true, .act = [](QDialog& d, const PageCase& c) { ClickTool(d, c.bar, 1); }},
    {.name = "Edit", .needsBar = true, .act = [](QDialog& d, const PageCase& c) { ClickTool(d, c.bar, 2); }},
    {.name = "Delete", .needsBar = true, .act = [](QDialog& d, const PageCase& c) { ClickTool(d, c.bar, 3); }},
    {.name = "Insert key", .needsBar = false, .act = [](QDialog& d, const PageCase&) { PressKey(d, Qt::Key_Insert); }},
    {.name = "Delete key", .needsBar = false, .act = [](QDialog& d, const PageCase&) { PressKey(d, Qt::Key_Delete); }},
    {.name = "Enter key", .needsBar = true, .act = [](QDialog& d, const PageCase&) { PressKey(d, Qt::Key_Return); }},
    {.name = "Double-click",
     .needsBar = true,
     .act =
         [](QDialog& d, const PageCase& c) {
             auto* tree = Child<QTreeWidget>(d, c.list);
             QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {},
                                tree->visualItemRect(tree->topLevelItem(0)).center());
         }},
};

// Umber, Ugo with an extra row of each contact kind, a family, a group and an offering; a second copy
// of the program on the same db.mdb deletes him (and purges) while his window is open.
class MemberFormGoneTest : public MemberFormTest {
protected:
    MemberFormGoneTest() {
        m_id = NewPerson("Umber", "Ugo");
        raw->Execute("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=?", {m_id});
        db->UpdatePersonAddress(Record({{"ID", 0}, {"PersonID", m_id}, {"Name", "Other"}, {"AddressPart1", "1 Elm"}}));
        db->UpdatePersonPhoneNumber(Record({{"ID", 0}, {"PersonID", m_id}, {"Name", "Other"}, {"PhoneNumber", "555"}}));
        db->UpdatePersonEMailAddress(
            Record({{"ID", 0}, {"PersonID", m_id}, {"Name", "Other"}, {"EMailAddress", "u@b.example"}}));
        // A member, not the head: a head cannot be deleted.
        const int32_t head = NewPerson("Kim");
        db->UpdatePersonToFamily(
            Record({{"ID", 0}, {"PersonID", m_id}, {"FamilyID", NewFamily("Umber family", head)}}));
        db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", m_id}, {"GroupID", NewGroup("Choir", head)}}));
        NewOffering(m_id, 1, platform::MakeDateTime(2026, 5, 3), platform::Currency::FromUnits(25));
        other = std::make_unique<amb::database::Manager>();
        other->SetConnectionString(m_path);
    }

    // The rows that name the person, in every table that has them.
    int RowsOfPerson() {
        return Count("SELECT (SELECT COUNT(*) FROM PersonAddress WHERE PersonID=?1) + (SELECT COUNT(*) FROM "
                     "PersonPhoneNumber WHERE PersonID=?1) + (SELECT COUNT(*) FROM PersonEMailAddress WHERE "
                     "PersonID=?1) + (SELECT COUNT(*) FROM PersonToFamily WHERE PersonID=?1) + (SELECT COUNT(*) "
                     "FROM PersonToGroup WHERE PersonID=?1) + (SELECT COUNT(*) FROM PersonOffering WHERE PersonID=?1)",
                     {m_id});
    }
    // Shows the page with its first "Other" row (or first row) selected, as a person clicks it.
    void ShowPage(QDialog& dialog, const PageCase& c) {
        ClickPage(dialog, c.page);
        if (c.page == 5)
            Choose(dialog, "cboOfferingType",
                   Value("SELECT OfferingTypeName FROM OfferingTypeName WHERE ID=1").ToString());
        const QStringList rows = Rows(dialog, c.list);
        ASSERT_FALSE(rows.isEmpty()) << c.name;
        const qsizetype other = std::max<qsizetype>(0, rows.indexOf(QRegularExpression("^Other\\|.*")));
        ClickRow(dialog, c.list, static_cast<int>(other));
    }
    bool ToolOn(QDialog& dialog, const PageCase& c, int position) {
        return ToolButton(dialog, c.bar, position)->isEnabled();
    }

    std::unique_ptr<amb::database::Manager> other; // the second copy of the program
    int32_t m_id = 0;
};

TEST_F(MemberFormGoneTest, AfterBeingToldThePersonWasDeletedNoPageStoresARow) {
    int dialogs = 0;
    ModalScript script([&](QDialog& dialog) {
        ++dialogs;
        if (dialog.objectName() != "MemberForm")
            return;
        // While the person is there, each page's commands are offered.
        for (const PageCase& c : kPages) {
            ShowPage(dialog, c);
            for (int position = c.creates ? 1 : 2; c.bar && position <= 3; ++position)
                EXPECT_TRUE(ToolOn(dialog, c, position)) << c.name << " " << position;
        }
        ClickPage(dialog, 0);
        TypeText(dialog, "txtOccupation", "Baker");
        ASSERT_EQ(other->DeletePerson(m_id), 1);
        Click(dialog, "cmdOK");
        ASSERT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordGone)});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(TextOf(dialog, "txtOccupation"), "Baker");
        EXPECT_FALSE(Child<QPushButton>(dialog, "cmdOK")->isEnabled());
        EXPECT_TRUE(Child<QPushButton>(dialog, "cmdCancel")->isEnabled());

        const int rows = RowsOfPerson();
        for (const bool purged : {false, true}) {
            if (purged) {
                ASSERT_EQ(other->Purge(), 1);
            }
            for (const PageCase& c : kPages) {
                ShowPage(dialog, c);
                for (int position = 1; c.bar && position <= 3; ++position)
                    EXPECT_FALSE(ToolOn(dialog, c, position)) << c.name << " " << position;
                for (const Way& way : kWays) {
                    if (way.needsBar && !c.bar)
                        continue;
                    ClickRow(dialog, c.list, 0);
                    way.act(dialog, c);
                    EXPECT_EQ(dialogs, 1) << c.name << ": " << way.name << " opened a window";
                    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordGone)}) << c.name << ": " << way.name;
                    EXPECT_EQ(RowsOfPerson(), purged ? 0 : rows) << c.name << ": " << way.name;
                }
            }
            // Nor does the window's own OK, by Enter in a box or by a click.
            ClickPage(dialog, 0);
            Child<QLineEdit>(dialog, "txtOccupation")->setFocus();
            PressKey(dialog, Qt::Key_Return);
            Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordGone)});
        }
        EXPECT_EQ(TextOf(dialog, "txtOccupation"), "Baker");
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE ID=?", {m_id}), 0);
    EXPECT_EQ(RowsOfPerson(), 0);
}

TEST_F(MemberFormGoneTest, APhoneAddedAfterAnotherCopyPurgedThePersonIsRefusedAndTheWindowStopsOfferingNew) {
    const PageCase& phone = kPages[1];
    ModalScript script([&](QDialog& dialog) {
        if (dialog.objectName() == "PhoneNumberForm") {
            TypeCombo(dialog, "cboName", "Other");
            TypeText(dialog, "txtPhoneNumber", "555-0199");
            Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(TextOf(dialog, "txtPhoneNumber"), "555-0199");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordGone)});
            Click(dialog, "cmdCancel");
            return;
        }
        ClickPage(dialog, phone.page);
        // The other copy deletes him and purges the deleted persons.
        ASSERT_EQ(other->DeletePerson(m_id), 1);
        ASSERT_EQ(other->Purge(), 1);
        ClickTool(dialog, phone.bar, 1);
        EXPECT_FALSE(ToolOn(dialog, phone, 1));
        // The list still shows what was read; nothing new is offered for it.
        ClickRow(dialog, phone.list, 0);
        EXPECT_FALSE(ToolOn(dialog, phone, 2));
        EXPECT_FALSE(ToolOn(dialog, phone, 3));
        EXPECT_FALSE(Child<QPushButton>(dialog, "cmdOK")->isEnabled());
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(script.Runs(), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonPhoneNumber WHERE PersonID NOT IN (SELECT ID FROM Person)"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonPhoneNumber WHERE PhoneNumber='555-0199'"), 0);
}

TEST_F(MemberFormGoneTest, ARowDeletedElsewhereWhileThePersonStaysKeepsTheWindowWhole) {
    // Another copy removes the extra phone row; editing it is refused, but the person is still there.
    const int32_t row =
        amb::AsLong(Value("SELECT ID FROM PersonPhoneNumber WHERE PersonID=? AND Name='Other'", {m_id}));
    const PageCase& phone = kPages[1];
    ModalScript script([&](QDialog& dialog) {
        if (dialog.objectName() == "PhoneNumberForm") {
            ASSERT_EQ(other->DeletePersonPhoneNumber(row), 1);
            TypeText(dialog, "txtPhoneNumber", "555-0100");
            Click(dialog, "cmdOK");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordGone)});
            Click(dialog, "cmdCancel");
            return;
        }
        ShowPage(dialog, phone);
        ClickTool(dialog, phone.bar, 2);
        EXPECT_TRUE(ToolOn(dialog, phone, 1));
        EXPECT_TRUE(Child<QPushButton>(dialog, "cmdOK")->isEnabled());
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(script.Runs(), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonPhoneNumber WHERE ID=?", {row}), 0);
}

} // namespace
} // namespace test
