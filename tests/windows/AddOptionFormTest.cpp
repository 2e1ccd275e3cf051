#include "common/ResourceIDs.h"
#include "tests/windows/FamilyGroupSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

using namespace amb::res;
using test::Child;

class AddOptionFormTest : public test::FamilyGroupTest {
protected:
    // Fills the add window: the name, then the existing person the search picks, then OK.
    void FillExisting(QDialog& add, const QString& name, const QString& head) {
        test::TypeText(add, "txtName", name);
        m_pick = head;
        test::ClickWidget(Child<QRadioButton>(add, "optAddOption0"));
        EXPECT_EQ(add.focusWidget()->objectName(), "cmdSearch");
        test::Click(add, "cmdSearch");
        test::Click(add, "cmdOK");
    }
    // The same with a new person as head: the new-person option, or no option picked at all.
    void FillNew(QDialog& add, const QString& name, bool pickOption) {
        test::TypeText(add, "txtName", name);
        if (pickOption)
            test::ClickWidget(Child<QRadioButton>(add, "optAddOption1"));
        test::Click(add, "cmdOK");
    }
};

TEST_F(AddOptionFormTest, ExistingPersonBecomesHeadOfTheNewFamilyOrGroup) {
    const int32_t ann = NewPerson("Kim", "Ann");
    int32_t shownID = 0;
    m_steps["AddOptionForm"] = [&](QDialog& add) {
        EXPECT_EQ(add.windowTitle(), Text(kTitleNewFamily));
        EXPECT_EQ(add.focusWidget()->objectName(), "txtName");
        EXPECT_FALSE(Child<QRadioButton>(add, "optAddOption0")->isChecked());
        FillExisting(add, "  Kims ", "Kim, Ann");
        EXPECT_EQ(Child<QLineEdit>(add, "txtMember")->text(), "Kim, Ann");
    };
    m_steps["FamilyGroupForm"] = [&](QDialog& dialog) {
        shownID = Value("SELECT MAX(ID) FROM Family").ToInt();
        EXPECT_EQ(dialog.windowTitle(), QString("Kims - " + Text(kTitleFamily)));
        EXPECT_EQ(test::GridRows(dialog), QStringList{"*Kim, Ann||"});
        test::Click(dialog, "cmdCancel");
    };
    const int32_t family = m_loader->ShowFamilyWindow(0);
    EXPECT_GT(family, 0);
    EXPECT_EQ(shownID, family);
    EXPECT_EQ(m_shown, (QStringList{"AddOptionForm", "SearchForm", "FamilyGroupForm"}));
    EXPECT_EQ(Value("SELECT Name FROM Family WHERE ID=?", {family}).ToString(), "Kims");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=? AND PersonID=? AND IsHeadOfFamily=1 "
                    "AND Relationship IS NULL",
                    {family, ann}),
              1);
    EXPECT_EQ(Members(family), 1);
    EXPECT_TRUE(m_messages.Shown().empty());

    m_steps.remove("FamilyGroupForm");
    m_steps["AddOptionForm"] = [&](QDialog& add) {
        EXPECT_EQ(add.windowTitle(), Text(kTitleNewGroup));
        FillExisting(add, "Choir", "Kim, Ann");
    };
    const int32_t group = m_loader->ShowGroupWindow(0);
    EXPECT_GT(group, 0);
    EXPECT_EQ(Value("SELECT GroupTypeID FROM \"Group\" WHERE ID=?", {group}).ToInt(), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup WHERE GroupID=? AND PersonID=? AND IsHeadOfGroup=1 "
                    "AND \"Position\" IS NULL",
                    {group, ann}),
              1);
}

// Choosing a person with Search, without first ticking the existing-person option, makes that person
// the head: OK must not go on to an empty new-person window.
TEST_F(AddOptionFormTest, APersonFoundBySearchAloneBecomesTheHead) {
    const int32_t ann = NewPerson("Kim", "Ann");
    m_steps["AddOptionForm"] = [&](QDialog& add) {
        test::TypeText(add, "txtName", "Kims");
        m_pick = "Kim, Ann";
        test::Click(add, "cmdSearch");
        EXPECT_TRUE(Child<QRadioButton>(add, "optAddOption0")->isChecked());
        test::Click(add, "cmdOK");
    };
    const int32_t family = m_loader->ShowFamilyWindow(0);
    EXPECT_GT(family, 0);
    EXPECT_EQ(m_shown, (QStringList{"AddOptionForm", "SearchForm", "FamilyGroupForm"}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=? AND PersonID=? AND IsHeadOfFamily=1",
                    {family, ann}),
              1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 1);
}

TEST_F(AddOptionFormTest, NameAndPersonChecksKeepTheWindowOpen) {
    const int32_t ann = NewPerson("Kim", "Ann");
    NewFamily("O'Neil", ann);
    NewGroup("Ushers", ann);
    m_steps["AddOptionForm"] = [&](QDialog& add) {
        test::TypeText(add, "txtName", "   ");
        test::Click(add, "cmdOK");
        EXPECT_EQ(add.focusWidget()->objectName(), "txtName");
        for (const QString taken : {"O'Neil", "o'NEIL"}) {
            test::TypeText(add, "txtName", taken);
            test::Click(add, "cmdOK");
        }
        // The existing-person option without a person found.
        test::TypeText(add, "txtName", "Neils");
        test::ClickWidget(Child<QRadioButton>(add, "optAddOption0"));
        test::Click(add, "cmdOK");
        EXPECT_EQ(add.focusWidget()->objectName(), "cmdSearch");
        // A found person is dropped again by the new-person option.
        m_pick = "Kim, Ann";
        test::Click(add, "cmdSearch");
        EXPECT_EQ(Child<QLineEdit>(add, "txtMember")->text(), "Kim, Ann");
        test::ClickWidget(Child<QRadioButton>(add, "optAddOption1"));
        EXPECT_EQ(Child<QLineEdit>(add, "txtMember")->text(), "");
        EXPECT_FALSE(Child<QLineEdit>(add, "txtMember")->isEnabled());
        EXPECT_TRUE(add.isVisible());
        test::Click(add, "cmdCancel");
    };
    EXPECT_EQ(m_loader->ShowFamilyWindow(0), -1);
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgEnterName), Text(kMsgNameExists), Text(kMsgNameExists),
                                               Text(kMsgSelectExistingMember)}));
    EXPECT_EQ(m_messages.Shown()[0].title, Text(kTitleNewFamily));

    m_messages.Clear();
    m_steps["AddOptionForm"] = [&](QDialog& add) {
        test::TypeText(add, "txtName", "USHERS");
        test::Click(add, "cmdOK");
        test::Click(add, "cmdCancel");
    };
    EXPECT_EQ(m_loader->ShowGroupWindow(0), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgNameExists)});
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"Group\""), 1);
    EXPECT_EQ(m_shown, (QStringList{"AddOptionForm", "SearchForm", "AddOptionForm"}));
}

TEST_F(AddOptionFormTest, ANewPersonAsHeadIsEnteredInThePersonWindow) {
    // No option picked counts as a new person; closing the person window without a save writes nothing.
    for (const bool pickOption : {true, false}) {
        m_steps["AddOptionForm"] = [&](QDialog& add) { FillNew(add, "Parks", pickOption); };
        EXPECT_EQ(m_loader->ShowFamilyWindow(0), -1);
    }
    EXPECT_EQ(m_shown, (QStringList{"AddOptionForm", "MemberForm", "AddOptionForm", "MemberForm"}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person"), 0);

    // Entered and saved: the new person heads the new group, which the window then shows.
    m_shown.clear();
    m_steps["AddOptionForm"] = [&](QDialog& add) { FillNew(add, "Youth", true); };
    m_steps["MemberForm"] = [](QDialog& person) { test::EnterPerson(person, "Park", "Eun"); };
    QStringList heads;
    m_steps["FamilyGroupForm"] = [&](QDialog& dialog) {
        heads << Child<QLabel>(dialog, "lblHeadPerson")->text();
        test::Click(dialog, "cmdCancel");
    };
    const int32_t group = m_loader->ShowGroupWindow(0);
    EXPECT_GT(group, 0);
    EXPECT_EQ(m_shown, (QStringList{"AddOptionForm", "MemberForm", "FamilyGroupForm"}));
    EXPECT_EQ(heads, QStringList{"Park, Eun"});
    const int32_t eun = Value("SELECT ID FROM Person WHERE FirstName='Eun'").ToInt();
    EXPECT_EQ(
        Count("SELECT COUNT(*) FROM PersonToGroup WHERE GroupID=? AND PersonID=? AND IsHeadOfGroup=1", {group, eun}),
        1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup"), 1);
    EXPECT_EQ(Value("SELECT GroupTypeID FROM \"Group\" WHERE ID=?", {group}).ToInt(), 1);
}

TEST_F(AddOptionFormTest, AHeadRowThatCannotBeSavedTakesTheNewRecordBack) {
    const int32_t ann = NewPerson("Kim", "Ann");
    FailWrites("PersonToFamily");
    FailWrites("PersonToGroup");
    m_steps["AddOptionForm"] = [&](QDialog& add) { FillExisting(add, "Kims", "Kim, Ann"); };
    EXPECT_EQ(m_loader->ShowFamilyWindow(0), -1);
    EXPECT_EQ(m_loader->ShowGroupWindow(0), -1);
    ASSERT_EQ(m_messages.Shown().size(), 2);
    EXPECT_EQ(m_messages.Shown()[0].text, Text(kMsgSaveFailed));
    EXPECT_EQ(m_messages.Shown()[0].title, Text(kTitleNewFamily));
    EXPECT_EQ(m_messages.Shown()[1].title, Text(kTitleNewGroup));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM \"Group\""), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE ID=?", {ann}), 1);
    EXPECT_EQ(m_shown, (QStringList{"AddOptionForm", "SearchForm", "AddOptionForm", "SearchForm"}));

    // The record itself refused: the same message, nothing left.
    raw->Execute("DROP TRIGGER fail_insert_PersonToFamily");
    FailWrites("Family");
    m_messages.Clear();
    EXPECT_EQ(m_loader->ShowFamilyWindow(0), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily"), 0);
}

// A new person as head who cannot join (a family's refused, a group's held past the wait by another
// program): told once that the person was saved, the window keeps the name and takes the person as
// head, and its next OK makes the family or group with that person.
TEST_F(AddOptionFormTest, ANewHeadWhoCouldNotJoinIsTheHeadOfTheNextOK) {
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(30));
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    for (const bool group : {false, true}) {
        SCOPED_TRACE(group);
        const QString kind = group ? "Group" : "Family", first = group ? "Hana" : "Eun";
        if (!group)
            FailWrites("PersonToFamily", true, false);
        m_steps["MemberForm"] = [&](QDialog& person) {
            test::TypeText(person, "txtLastName", "Park");
            test::TypeText(person, "txtFirstName", first);
            for (const char* box : {"cboSex", "cboMemberStatus"}) {
                Child<QComboBox>(person, box)->setFocus();
                QTest::keyClick(person.focusWidget(), Qt::Key_Down);
            }
            test::Click(person, "cmdOK");
            if (group)
                raw->ExecuteScript("BEGIN EXCLUSIVE");
            test::Click(person, "cmdCancel");
        };
        m_steps["AddOptionForm"] = [&](QDialog& add) {
            FillNew(add, "Parks", true);
            EXPECT_EQ(m_messages.Texts(),
                      QStringList{Text(kMsgHeadWithoutFamily).arg(Text(group ? kCauseDatabaseInUse : kCauseOther))});
            EXPECT_TRUE(add.isVisible());
            EXPECT_EQ(Child<QLineEdit>(add, "txtName")->text(), "Parks");
            // The lock keeps the name from being read as well.
            EXPECT_EQ(Child<QLineEdit>(add, "txtMember")->text(), group ? QString() : "Park, " + first);
            raw->ExecuteScript(group ? "ROLLBACK" : "DROP TRIGGER fail_insert_PersonToFamily");
            m_messages.Clear();
            test::Click(add, "cmdOK");
        };
        EXPECT_GT(group ? m_loader->ShowGroupWindow(0) : m_loader->ShowFamilyWindow(0), 0);
        EXPECT_TRUE(m_messages.Shown().empty());
        // One person, one family or group, one membership: the person's, as head.
        EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE FirstName=?", {first}), 1);
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(kind)), 1);
        const QString links = QStringLiteral(
            "SELECT group_concat(FirstName || IsHeadOf%1) FROM PersonTo%1 JOIN Person ON Person.ID=PersonID");
        EXPECT_EQ(Value(links.arg(kind)).ToString(), first + "1");
    }
    platform::SqliteTransaction::SetWriteWait(std::chrono::seconds(30));
    platform::SqliteConnection::SetBusyTimeout(std::chrono::seconds(5));
}

} // namespace
