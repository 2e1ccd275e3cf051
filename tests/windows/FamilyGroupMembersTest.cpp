#include "common/ResourceIDs.h"
#include "tests/support/RecordingOpener.h"
#include "tests/windows/FamilyGroupSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

using namespace amb::res;
using test::Child;
using test::ClickRow;
using test::GridRows;
using test::ToolEnabled;

class FamilyGroupMembersTest : public test::FamilyGroupTest {
protected:
    // Add through the add-member window and the person search, which picks `name`.
    void AddExisting(QDialog& family, const QString& name) {
        m_pick = name;
        m_steps["AddOptionForm"] = [](QDialog& add) {
            EXPECT_TRUE(Child<QRadioButton>(add, "optAddOption0")->isChecked());
            EXPECT_EQ(add.focusWidget()->objectName(), "cmdSearch");
            test::Click(add, "cmdSearch");
            test::Click(add, "cmdOK");
        };
        test::Click(family, "tbarMemberAdd");
    }

    void Script(std::function<void(QDialog&)> familyStep) { m_steps["FamilyGroupForm"] = std::move(familyStep); }
};

TEST_F(FamilyGroupMembersTest, AddRemoveAndSetHeadWriteAtOnceAndOutliveCancel) {
    const int32_t ann = NewPerson("Kim", "Ann");
    SetContacts(ann, "12 Main St", "Springfield", "555-0100", "ann@example.org");
    const int32_t family = NewFamily("Kims", ann);
    const int32_t bo = NewPerson("Kim", "Bo");
    SetContacts(bo, "9 Oak Ave", "Shelbyville", "555-0199", "bo@example.org");
    const int32_t cy = NewPerson("Kim", "Cy");

    Script([&](QDialog& dialog) {
        EXPECT_TRUE(ToolEnabled(dialog, "tbarMemberAdd"));
        EXPECT_FALSE(ToolEnabled(dialog, "tbarMemberEdit"));
        AddExisting(dialog, "Kim, Bo");
        AddExisting(dialog, "Kim, Cy");
        EXPECT_EQ(GridRows(dialog), (QStringList{"*Kim, Ann||", "Kim, Bo||", "Kim, Cy||"}));
        EXPECT_TRUE(m_messages.Shown().empty());
        // An existing person joins without the head flag and with no relationship.
        EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE PersonID=? AND FamilyID=? AND IsHeadOfFamily=0 "
                        "AND Relationship IS NULL",
                        {bo, family}),
                  1);

        // The same person twice: 257 and still one row.
        AddExisting(dialog, "Kim, Bo");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgAlreadyMember)});
        EXPECT_EQ(m_messages.Shown()[0].title, "Kims - " + Text(kTitleFamily));

        // The head can be neither removed nor made head again.
        ClickRow(dialog, "Kim, Ann");
        EXPECT_TRUE(ToolEnabled(dialog, "tbarMemberEdit"));
        EXPECT_FALSE(ToolEnabled(dialog, "tbarMemberRemove"));
        EXPECT_FALSE(ToolEnabled(dialog, "tbarMemberSetHead"));

        // Remove another member: No keeps it, Yes takes the row out.
        m_messages.Clear();
        ClickRow(dialog, "Kim, Cy");
        EXPECT_TRUE(ToolEnabled(dialog, "tbarMemberRemove"));
        m_messages.Answer(amb::MessageResult::No);
        test::Click(dialog, "tbarMemberRemove");
        EXPECT_EQ(Members(family), 3);
        test::Click(dialog, "tbarMemberRemove");
        EXPECT_EQ(m_messages.Texts(), QStringList(2, Text(kMsgConfirmDelete)));
        EXPECT_EQ(m_messages.Shown()[0].style, amb::MessageStyle::YesNo | amb::MessageStyle::Question);
        EXPECT_EQ(GridRows(dialog), (QStringList{"*Kim, Ann||", "Kim, Bo||"}));
        EXPECT_EQ(Child<QLabel>(dialog, "lblMemberCount")->text(), "3");

        // Set head moves the bold row, the first place and the head's details.
        ClickRow(dialog, "Kim, Bo");
        test::Click(dialog, "tbarMemberSetHead");
        EXPECT_EQ(GridRows(dialog), (QStringList{"*Kim, Bo||", "Kim, Ann||"}));
        EXPECT_EQ(Child<QLabel>(dialog, "lblHeadPerson")->text(), "Kim, Bo");
        EXPECT_EQ(Child<QLabel>(dialog, "lblAddress")->text(), "9 Oak Ave, Shelbyville");
        EXPECT_EQ(Child<QLabel>(dialog, "lblEMailAddress")->text(), "bo@example.org");
        EXPECT_EQ(Child<QLabel>(dialog, "lblMemberCount")->text(), "2");
        test::Click(dialog, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowFamilyWindow(family), family);

    EXPECT_EQ(Members(family), 2);
    EXPECT_EQ(HeadOf(family), bo);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=? AND IsHeadOfFamily=1", {family}), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE ID=?", {cy}), 1);
}

TEST_F(FamilyGroupMembersTest, RemovingTheHeadIsRefusedInBothKinds) {
    const int32_t head = NewPerson("Yoo", "Jin");
    const int32_t family = NewFamily("Yoos", head);
    const int32_t group = NewGroup("Ushers", head);
    Script([&](QDialog& dialog) {
        ClickRow(dialog, "Yoo, Jin");
        // The toolbar keeps Remove off on the head; the command refuses it on its own as well.
        auto* remove = Child<QToolButton>(dialog, "tbarMemberRemove");
        ASSERT_FALSE(remove->isEnabled());
        remove->defaultAction()->setEnabled(true);
        test::ClickWidget(remove);
    });
    m_loader->ShowFamilyWindow(family);
    m_loader->ShowGroupWindow(group);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgFamilyHeadNotDeletable), Text(kMsgGroupHeadNotDeletable)}));
    EXPECT_EQ(Members(family), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup WHERE GroupID=?", {group}), 1);
}

TEST_F(FamilyGroupMembersTest, RefusedAddAndSetHeadSay256) {
    const int32_t head = NewPerson("Oh", "Mi");
    const int32_t other = NewPerson("Oh", "Su");
    const int32_t family = NewFamily("Ohs", head);
    FailWrites("PersonToFamily");
    Script([&](QDialog& dialog) {
        AddExisting(dialog, "Oh, Su");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
        EXPECT_EQ(GridRows(dialog), QStringList{"*Oh, Mi||"});
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(Members(family), 1);

    raw->Execute("DROP TRIGGER fail_insert_PersonToFamily");
    AddMemberRow(other, family);
    m_messages.Clear();
    Script([&](QDialog& dialog) {
        ClickRow(dialog, "Oh, Su");
        test::Click(dialog, "tbarMemberSetHead");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
        EXPECT_EQ(GridRows(dialog), (QStringList{"*Oh, Mi||", "Oh, Su||"}));
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(HeadOf(family), head);
}

TEST_F(FamilyGroupMembersTest, ColumnsSortByValueAndEditOpensThePersonWindow) {
    m_hub->SetDateFormat("yyyy-mm-dd");
    const int32_t head = NewPerson("Lim", "Ha");
    const int32_t family = NewFamily("Lims", head);
    const int32_t young = NewPerson("Lim", "Ye");
    const int32_t old = NewPerson("Lim", "Ol");
    raw->Execute("UPDATE Person SET DOB='2010-03-04 00:00:00' WHERE ID=?", {young});
    raw->Execute("UPDATE Person SET DOB='1960-12-01 00:00:00' WHERE ID=?", {old});
    AddMemberRow(young, family, "son");
    AddMemberRow(old, family, "Father");

    QStringList people;
    m_steps["MemberForm"] = [&](QDialog& person) {
        people << test::Child<QLineEdit>(person, "txtFirstName")->text();
        if (people.size() == 1)
            test::EnterPerson(person, "Lim", "Ye", "Eldest son");
        else
            test::EnterPerson(person, "Lim", "Hana");
    };
    Script([&](QDialog& dialog) {
        EXPECT_EQ(GridRows(dialog), (QStringList{"*Lim, Ha||", "Lim, Ol|Father|1960-12-01", "Lim, Ye|son|2010-03-04"}));
        test::ClickHeader(dialog, 2);
        EXPECT_EQ(GridRows(dialog), (QStringList{"*Lim, Ha||", "Lim, Ol|Father|1960-12-01", "Lim, Ye|son|2010-03-04"}));
        test::ClickHeader(dialog, 2);
        EXPECT_EQ(GridRows(dialog).first(), "Lim, Ye|son|2010-03-04");
        // Text sorts without regard to letter case.
        test::ClickHeader(dialog, 1);
        EXPECT_EQ(GridRows(dialog), (QStringList{"*Lim, Ha||", "Lim, Ol|Father|1960-12-01", "Lim, Ye|son|2010-03-04"}));

        // A double-click opens the member, whose relationship is edited there.
        ClickRow(dialog, "Lim, Ye", true);
        EXPECT_TRUE(GridRows(dialog).contains("Lim, Ye|Eldest son|2010-03-04"))
            << GridRows(dialog).join(';').toStdString();
        // Edit on the head: a changed name reaches the head's details too.
        ClickRow(dialog, "Lim, Ha");
        test::Click(dialog, "tbarMemberEdit");
        EXPECT_EQ(test::Child<QLabel>(dialog, "lblHeadPerson")->text(), "Lim, Hana");
        EXPECT_EQ(GridRows(dialog).first(), "*Lim, Hana||");
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(people, (QStringList{"Ye", "Ha"}));
}

TEST_F(FamilyGroupMembersTest, ANewPersonAddedInThePersonWindowJoinsOnce) {
    const int32_t head = NewPerson("Seo", "Jun");
    SetContacts(head, "3 Pine Rd", "Springfield", "555-0300", "jun@example.org");
    const int32_t family = NewFamily("Seos", head);
    const int32_t group = NewGroup("Greeters", head);
    m_steps["AddOptionForm"] = [](QDialog& add) {
        test::ClickWidget(test::Child<QRadioButton>(add, "optAddOption1"));
        test::Click(add, "cmdOK");
    };
    int32_t saved = 0;
    m_steps["MemberForm"] = [&](QDialog& person) {
        test::EnterPerson(person, "Seo", QString("Min%1").arg(++saved), "Child");
    };
    Script([&](QDialog& dialog) {
        test::Click(dialog, "tbarMemberAdd");
        EXPECT_EQ(GridRows(dialog).size(), 2) << GridRows(dialog).join(';').toStdString();
    });
    m_loader->ShowFamilyWindow(family);
    m_loader->ShowGroupWindow(group);
    const int32_t min1 = Value("SELECT ID FROM Person WHERE FirstName='Min1'").ToInt();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=? AND PersonID=? AND IsHeadOfFamily=0 "
                    "AND Relationship='Child'",
                    {family, min1}),
              1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup WHERE GroupID=?", {group}), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 3);
}

// The head's details and the grid answer as parts of the one window: each handler's line is the
// window's, and a command in the grid reaches the details above it.
TEST_F(FamilyGroupMembersTest, EveryGridAndHeadHandlerAnswersAsTheWindow) {
    const int32_t ann = NewPerson("Kim", "Ann");
    SetContacts(ann, "12 Main St", "Springfield", "555-0100", "ann@example.org");
    const int32_t family = NewFamily("Kims", ann);
    AddMemberRow(NewPerson("Kim", "Bo"), family, "Son");
    QStringList opened;
    m_steps["MemberForm"] = [&](QDialog& person) {
        opened << Child<QLineEdit>(person, "txtFirstName")->text();
        test::Click(person, "cmdCancel");
    };
    struct Step {
        const char* what;
        std::function<void(QDialog&)> act;
        const char* handler;     // the line the window writes for it
        QStringList opened = {}; // the person windows it opened, by first name
        const char* head = "Kim, Ann";
    };
    const Step steps[] = {
        {.what = "a click on a row",
         .act = [](QDialog& d) { ClickRow(d, "Kim, Bo"); },
         .handler = "lstvwMember_ItemClick()"},
        {.what = "Enter opens the current row",
         .act = [](QDialog& d) { test::PressKeyIn(test::Grid(d), Qt::Key_Return); },
         .handler = "tbarMember_ButtonClick()",
         .opened = {"Bo"}},
        {.what = "a header click",
         .act = [](QDialog& d) { test::ClickHeader(d, 1); },
         .handler = "lstvwMember_ColumnClick()"},
        {.what = "a double-click opens the row",
         .act = [](QDialog& d) { ClickRow(d, "Kim, Ann", true); },
         .handler = "lstvwMember_DblClick()",
         .opened = {"Ann"}},
        {.what = "the mail link",
         .act =
             [](QDialog& d) {
                 QTest::mouseClick(Child<QLabel>(d, "lblEMailAddress"), Qt::LeftButton, {}, {3, 3});
             },
         .handler = "lblEMailAddress_Click()"},
        {.what = "Set head shows the new head above",
         .act =
             [](QDialog& d) {
                 ClickRow(d, "Kim, Bo");
                 test::Click(d, "tbarMemberSetHead");
             },
         .handler = "RefreshInformation()",
         .head = "Kim, Bo"},
    };
    test::OpenerScope mail;
    Script([&](QDialog& dialog) {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            m_writer->traceLines.clear();
            opened.clear();
            step.act(dialog);
            EXPECT_EQ(m_writer->TraceLinesWith(QStringLiteral("AmbWindows.FamilyGroupForm.") + step.handler).size(), 1);
            EXPECT_EQ(opened, step.opened);
            EXPECT_EQ(Child<QLabel>(dialog, "lblHeadPerson")->text(), step.head);
        }
        test::Click(dialog, "cmdCancel");
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(mail.opener->opened, QStringList{"mailto:ann@example.org"});
    EXPECT_EQ(HeadOf(family), Value("SELECT ID FROM Person WHERE FirstName='Bo'").ToInt());
}

} // namespace
