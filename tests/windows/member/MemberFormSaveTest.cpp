#include "tests/windows/member/MemberFormFixture.h"

namespace test {
namespace {

using namespace amb::res;
using amb::AsBoolean;
using amb::AsDate;
using amb::AsLong;
using amb::AsString;
using amb::EnumFamilyGroup;

TEST_F(MemberFormTest, NewPersonIsRefusedUntilCompleteThenSavedOnceAndUpdated) {
    int32_t shownId = 0;
    ModalScript script([&](QDialog& dialog) {
        // A new person: blank look-ups, no dates, only the note page, no Print.
        for (const char* box : {"cboClassification", "cboMemberStatus", "cboMaritalStatus", "cboSex", "cboTitle"}) {
            EXPECT_EQ(Child<QComboBox>(dialog, box)->currentIndex(), 0) << box;
            EXPECT_EQ(TextOf(dialog, box), QString()) << box;
        }
        for (const char* picker : {"dtpDOB", "dtpMarried", "dtpBaptized", "dtpJoined"})
            EXPECT_EQ(ShownDate(dialog, picker), std::nullopt) << picker;
        auto* tabs = Child<QTabWidget>(dialog, "tabMain");
        EXPECT_EQ(tabs->currentIndex(), 6);
        for (int i = 0; i < 6; ++i)
            EXPECT_FALSE(tabs->isTabEnabled(i)) << i;
        EXPECT_FALSE(Child<QPushButton>(dialog, "cmdPrint")->isEnabled());
        EXPECT_EQ(dialog.windowTitle(), Text(kTitleNewMember));
        EXPECT_EQ(TextOf(dialog, "cmdOK"), Text(kCaptionSave));
        EXPECT_EQ(TextOf(dialog, "cmdCancel"), Text(kCaptionCancel));
        EXPECT_FALSE(Child<QTabWidget>(dialog, "tabName")->isTabVisible(0));

        // Each refusal in turn, with the focus on the control concerned.
        const auto refusedWith = [&](int32_t text, const char* focus) {
            Click(dialog, "cmdOK");
            ASSERT_FALSE(m_messages.Shown().empty());
            EXPECT_EQ(m_messages.Shown().back().text, Text(text));
            EXPECT_EQ(m_messages.Shown().back().title, dialog.windowTitle());
            EXPECT_EQ(dialog.focusWidget()->objectName(), QString::fromLatin1(focus));
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(Persons(), 0);
        };
        refusedWith(kMsgSelectMemberStatus, "cboMemberStatus");
        Choose(dialog, "cboMemberStatus", "Active");
        refusedWith(kMsgSelectSex, "cboSex");
        Choose(dialog, "cboSex", "Female");
        TypeText(dialog, "txtFirstName", "   ");
        refusedWith(kMsgEnterFirstName, "txtFirstName");
        TypeText(dialog, "txtFirstName", "  Mary ");
        refusedWith(kMsgEnterLastName, "txtLastName");
        TypeText(dialog, "txtLastName", "O'Neil");
        TypeText(dialog, "txtMiddleName", "   ");
        m_messages.Clear();

        // Saved once: the window stays open on the new person.
        Click(dialog, "cmdOK");
        EXPECT_TRUE(m_messages.Shown().empty());
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(Persons(), 1);
        shownId = AsLong(Value("SELECT ID FROM Person"));
        EXPECT_EQ(TextOf(dialog, "txtEnvelopCode"), AsString(PersonValue(shownId, "EnvelopCode")));
        EXPECT_FALSE(TextOf(dialog, "txtEnvelopCode").isEmpty());
        EXPECT_EQ(dialog.windowTitle(), "O'Neil, Mary - " + Text(kTitleMember));
        EXPECT_EQ(TextOf(dialog, "cmdOK"), Text(kCaptionOK));
        EXPECT_EQ(TextOf(dialog, "cmdCancel"), Text(kCaptionClose));
        EXPECT_TRUE(Child<QPushButton>(dialog, "cmdPrint")->isEnabled());
        EXPECT_EQ(tabs->currentIndex(), 0);
        for (int i = 0; i < 7; ++i)
            EXPECT_TRUE(tabs->isTabEnabled(i)) << i;
        EXPECT_EQ(Rows(dialog, "lstvwAddress").size() + Rows(dialog, "lstvwPhoneNumber").size() +
                      Rows(dialog, "lstvwEMailAddress").size(),
                  8);
        EXPECT_EQ(PersonValue(shownId, "FirstName").ToString(), "Mary");
        EXPECT_EQ(PersonValue(shownId, "LastName").ToString(), "O'Neil");
        for (const char* empty : {"MiddleName", "Suffix", "Title", "DOB", "DateMarried", "DateBaptized", "DateJoined",
                                  "Note", "Occupation", "LanguageName"})
            EXPECT_TRUE(PersonValue(shownId, empty).IsNull()) << empty;

        // The second OK updates that person and closes the window.
        EnterDate(dialog, "dtpDOB", QDate(1961, 2, 28));
        test::ClickWidget(Child<QCheckBox>(dialog, "chkIsMember"));
        EnterDate(dialog, "dtpJoined", QDate(2001, 5, 6));
        Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0), shownId);
    EXPECT_EQ(Persons(), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonAddress"), 2);
    EXPECT_EQ(PersonValue(shownId, "DOB").ToDateTime(), QDateTime(QDate(1961, 2, 28), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(AsDate(PersonValue(shownId, "DateJoined")).date(), QDate(2001, 5, 6));
    EXPECT_TRUE(AsBoolean(PersonValue(shownId, "IsMember")));
    EXPECT_FALSE(PersonValue(shownId, "DateUpdated").IsNull());
}

TEST_F(MemberFormTest, CancelBeforeAnySaveStoresNothingAndTheCloseBoxActsAsCancel) {
    ModalScript script([&](QDialog& dialog) {
        FillRequired(dialog, "Ann", "Lee");
        // Esc is not Cancel in the person window.
        PressKey(dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        Click(dialog, "cmdCancel");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0), -1);
    EXPECT_EQ(Persons(), 0);

    // Saved once, then closed by the close box: the opener still gets the person.
    script.SetStep([&](QDialog& dialog) {
        FillRequired(dialog, "Ann", "Lee");
        // Enter in the note starts a new line; elsewhere it is OK.
        auto* note = Child<QPlainTextEdit>(dialog, "txtNote");
        note->setFocus();
        QTest::keyClicks(note, "line one");
        PressKey(dialog, Qt::Key_Return);
        QTest::keyClicks(note, "line two");
        EXPECT_EQ(Persons(), 0);
        Child<QLineEdit>(dialog, "txtLastName")->setFocus();
        PressKey(dialog, Qt::Key_Return);
        EXPECT_EQ(Persons(), 1);
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
    });
    const int32_t id = m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0);
    EXPECT_GT(id, 0);
    EXPECT_EQ(PersonValue(id, "LastName").ToString(), "Lee");
    EXPECT_EQ(PersonValue(id, "Note").ToString(), "line one\nline two");
}

TEST_F(MemberFormTest, StoredNullDatesStayNullAndATypedTitleSurvives) {
    const int32_t id = NewPerson("Kim", "Joon");
    raw->Execute("UPDATE Person SET Title='Pastor Emeritus', SexID=1, MemberStatusID=1, MaritalStatusID=2, "
                 "DateMarried='1990-06-02 00:00:00', IsBaptized=1, DateBaptized=NULL WHERE ID=" +
                 QString::number(id));
    ModalScript script([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Kim, Joon - " + Text(kTitleMember));
        EXPECT_EQ(TextOf(dialog, "cboTitle"), "Pastor Emeritus");
        EXPECT_EQ(ShownDate(dialog, "dtpDOB"), std::nullopt);
        EXPECT_EQ(ShownDate(dialog, "dtpMarried"), QDate(1990, 6, 2));
        EXPECT_TRUE(Child<QWidget>(dialog, "dtpBaptized")->isEnabled());
        EXPECT_EQ(ShownDate(dialog, "dtpBaptized"), std::nullopt);
        EXPECT_FALSE(Child<QWidget>(dialog, "dtpJoined")->isEnabled());
        EXPECT_FALSE(TextOf(dialog, "txtEnvelopCode").isEmpty());
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0), id);
    EXPECT_EQ(PersonValue(id, "Title").ToString(), "Pastor Emeritus");
    EXPECT_TRUE(PersonValue(id, "DOB").IsNull());
    EXPECT_TRUE(PersonValue(id, "DateBaptized").IsNull());
    EXPECT_EQ(AsDate(PersonValue(id, "DateMarried")).date(), QDate(1990, 6, 2));

    // A status that allows no wedding date switches the picker off and saves Null.
    script.SetStep([&](QDialog& dialog) {
        Choose(dialog, "cboMaritalStatus", "Single");
        EXPECT_FALSE(Child<QWidget>(dialog, "dtpMarried")->isEnabled());
        Choose(dialog, "cboMaritalStatus", "Widowed");
        EXPECT_TRUE(Child<QWidget>(dialog, "dtpMarried")->isEnabled());
        EXPECT_EQ(ShownDate(dialog, "dtpMarried"), std::nullopt);
        Choose(dialog, "cboMaritalStatus", "Divorced");
        // Unticking Baptized switches its date off; the date is then not saved.
        test::ClickWidget(Child<QCheckBox>(dialog, "chkIsBaptized"));
        EXPECT_FALSE(Child<QWidget>(dialog, "dtpBaptized")->isEnabled());
        Click(dialog, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0), id) << "Cancel hands back an existing person";
    EXPECT_EQ(AsDate(PersonValue(id, "DateMarried")).date(), QDate(1990, 6, 2)) << "Cancel saves nothing";

    script.SetStep([&](QDialog& dialog) {
        Choose(dialog, "cboMaritalStatus", "Divorced");
        test::ClickWidget(Child<QCheckBox>(dialog, "chkIsBaptized"));
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0), id);
    EXPECT_TRUE(PersonValue(id, "DateMarried").IsNull());
    EXPECT_FALSE(AsBoolean(PersonValue(id, "IsBaptized")));
}

TEST_F(MemberFormTest, MissingPersonIsNotShown) {
    ModalScript script;
    EXPECT_EQ(m_loader->ShowPersonWindow(4242, EnumFamilyGroup::None, 0), -1);
    EXPECT_EQ(script.Runs(), 0);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordNotFound)});
}

TEST_F(MemberFormTest, RefusedSaveKeepsTheInputAndAFailureAfterTheInsertKeepsOnePerson) {
    FailWrites("Person");
    ModalScript script([&](QDialog& dialog) {
        FillRequired(dialog, "Ann", "Lee");
        Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(TextOf(dialog, "txtLastName"), "Lee");
        EXPECT_EQ(TextOf(dialog, "cmdOK"), Text(kCaptionSave));
        EXPECT_FALSE(amb::IsBusy(&dialog));
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0), -1);
    EXPECT_EQ(Persons(), 0);
    raw->Execute("DROP TRIGGER fail_insert_Person");
    raw->Execute("DROP TRIGGER fail_update_Person");

    // The family link fails after the person is stored: one person, told so; the next OK links it.
    const int32_t head = NewPerson("Park");
    const int32_t family = NewFamily("Park family", head);
    FailWrites("PersonToFamily");
    m_messages.Clear();
    script.SetStep([&](QDialog& dialog) {
        FillRequired(dialog, "Min", "Park");
        Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgMemberNotLinked).arg(Text(kCauseOther))});
        EXPECT_EQ(TextOf(dialog, "cmdOK"), Text(kCaptionOK));
        TypeText(dialog, "txtOccupation", "Nurse");
        raw->Execute("DROP TRIGGER fail_insert_PersonToFamily");
        Click(dialog, "cmdOK");
    });
    const int32_t id = m_loader->ShowPersonWindow(0, EnumFamilyGroup::Family, family);
    EXPECT_GT(id, 0);
    EXPECT_EQ(Persons(), 2);
    EXPECT_EQ(PersonValue(id, "Occupation").ToString(), "Nurse");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE PersonID=?", {id}), 1);
    EXPECT_FALSE(m_writer->logLines.filter("UpdatePersonToFamily()").isEmpty());
}

TEST_F(MemberFormTest, NewPersonFromAFamilyOrGroupIsLinkedAndTakesTheFamilyHome) {
    const int32_t head = NewPerson("Choi", "Dae");
    raw->Execute("UPDATE PersonAddress SET AddressPart1='12 Elm St', AddressPart2='Springfield' WHERE PersonID=" +
                 QString::number(head) + " AND IsHomeAddress=1");
    raw->Execute("UPDATE PersonPhoneNumber SET PhoneNumber='555-0100' WHERE PersonID=" + QString::number(head) +
                 " AND IsHomePhoneNumber=1");
    const int32_t family = NewFamily("Choi family", head);
    ModalScript script([&](QDialog& dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "lblFamilyGroup")->text(), Text(kLabelRelationship));
        EXPECT_TRUE(Child<QComboBox>(dialog, "cboFamilyGroup")->isVisible());
        FillRequired(dialog, "Eun", "Choi");
        Choose(dialog, "cboFamilyGroup", "Daughter");
        Click(dialog, "cmdOK");
        EXPECT_TRUE(Rows(dialog, "lstvwAddress")
                        .contains(Value("SELECT AddressName FROM AddressName WHERE ID=1").ToString() +
                                  "|12 Elm St, Springfield"));
        EXPECT_EQ(Rows(dialog, "lstvwFamily"), QStringList{"Choi family|Daughter"});
        // A later OK writes the relationship again.
        TypeCombo(dialog, "cboFamilyGroup", "Step-daughter");
        Click(dialog, "cmdOK");
    });
    const int32_t id = m_loader->ShowPersonWindow(0, EnumFamilyGroup::Family, family);
    ASSERT_GT(id, 0);
    EXPECT_EQ(
        Count("SELECT COUNT(*) FROM PersonToFamily WHERE PersonID=? AND FamilyID=? AND IsHeadOfFamily=0", {id, family}),
        1);
    EXPECT_EQ(Value("SELECT Relationship FROM PersonToFamily WHERE PersonID=?", {id}).ToString(), "Step-daughter");
    EXPECT_EQ(
        Value("SELECT PhoneNumber FROM PersonPhoneNumber WHERE PersonID=? AND IsHomePhoneNumber=1", {id}).ToString(),
        "555-0100");

    const int32_t group = NewGroup("Choir", head);
    script.SetStep([&](QDialog& dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "lblFamilyGroup")->text(), Text(kLabelPosition));
        FillRequired(dialog, "Hana", "Choi");
        TypeCombo(dialog, "cboFamilyGroup", "  Alto ");
        Click(dialog, "cmdOK");
        Click(dialog, "cmdCancel");
    });
    const int32_t singer = m_loader->ShowPersonWindow(0, EnumFamilyGroup::Group, group);
    ASSERT_GT(singer, 0);
    EXPECT_EQ(Value("SELECT Position FROM PersonToGroup WHERE PersonID=? AND GroupID=?", {singer, group}).ToString(),
              "Alto");
    EXPECT_TRUE(
        Value("SELECT PhoneNumber FROM PersonPhoneNumber WHERE PersonID=? AND IsHomePhoneNumber=1", {singer}).IsNull());
}

} // namespace
} // namespace test
