#include "common/ResourceIDs.h"
#include "common/widgets/BusyScope.h"
#include "tests/support/RecordingOpener.h"
#include "tests/windows/FamilyGroupSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

using namespace amb::res;
using test::Child;
using test::ClickRow;
using test::Grid;
using test::GridRows;
using test::ToolEnabled;

QString LabelText(QDialog& dialog, const char* name) {
    return Child<QLabel>(dialog, name)->text();
}

class FamilyGroupFormTest : public test::FamilyGroupTest {};

TEST_F(FamilyGroupFormTest, ShowsTheHeadsDetailsAndSavesOnlyOnOK) {
    const int32_t head = NewPerson("Kim", "Ann");
    SetContacts(head, "12 Main St", "Springfield", "555-0100", "ann@example.org");
    const int32_t family = NewFamily("Kims", head);

    test::ModalScript script([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Kims - " + Text(kTitleFamily));
        EXPECT_EQ(LabelText(dialog, "lblHeadPerson"), "Kim, Ann");
        EXPECT_EQ(LabelText(dialog, "lblAddress"), "12 Main St, Springfield");
        EXPECT_EQ(LabelText(dialog, "lblPhoneNumber"), "555-0100");
        EXPECT_EQ(LabelText(dialog, "lblEMailAddress"), "ann@example.org");
        EXPECT_EQ(LabelText(dialog, "lblMemberCount"), "1");
        EXPECT_FALSE(Child<QComboBox>(dialog, "cboType")->isVisibleTo(&dialog));

        // A blank name is refused and nothing is written.
        test::TypeText(dialog, "txtName", "   ");
        test::Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgEnterName)});
        EXPECT_EQ(dialog.focusWidget()->objectName(), "txtName");
        EXPECT_TRUE(dialog.isVisible());

        test::TypeText(dialog, "txtName", "Kim family");
        Child<QTabWidget>(dialog, "tabMain")->setCurrentIndex(1);
        auto* note = Child<QPlainTextEdit>(dialog, "txtNote");
        EXPECT_TRUE(note->isEnabled());
        EXPECT_FALSE(Grid(dialog)->isEnabled());
        note->setFocus();
        QTest::keyClicks(note, "first");
        // Enter in the note is a new line, not OK.
        test::PressKeyIn(note, Qt::Key_Return);
        QTest::keyClicks(note, "second");
        EXPECT_TRUE(dialog.isVisible());
        test::Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowFamilyWindow(family), family);
    EXPECT_EQ(Value("SELECT Name FROM Family WHERE ID=?", {family}).ToString(), "Kim family");
    EXPECT_EQ(Value("SELECT Note FROM Family WHERE ID=?", {family}).ToString(), "first\nsecond");

    // Cancel discards the edits, and the entry still answers the id.
    script.SetStep([&](QDialog& dialog) {
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtName")->text(), "Kim family");
        test::TypeText(dialog, "txtName", "Other");
        test::Click(dialog, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowFamilyWindow(family), family);
    EXPECT_EQ(Value("SELECT Name FROM Family WHERE ID=?", {family}).ToString(), "Kim family");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 1);

    // A save the database refuses: 256, and the window stays open for another try.
    FailWrites("Family", false, true);
    m_messages.Clear();
    script.SetStep([&](QDialog& dialog) {
        test::TypeText(dialog, "txtName", "Refused");
        test::Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(amb::IsBusy(&dialog));
    });
    EXPECT_EQ(m_loader->ShowFamilyWindow(family), family);
    EXPECT_EQ(Value("SELECT Name FROM Family WHERE ID=?", {family}).ToString(), "Kim family");

    // A missing family: 255, no window, the id comes back all the same.
    m_messages.Clear();
    EXPECT_EQ(m_loader->ShowFamilyWindow(family + 50), family + 50);
    EXPECT_EQ(script.Runs(), 3);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordNotFound)});
}

TEST_F(FamilyGroupFormTest, TheSecondOfTwoWindowsOnOneFamilyIsToldAndKeepsItsInput) {
    const int32_t family = NewFamily("Kim family", NewPerson("Kim", "Ann"));
    int runs = 0;
    test::ModalScript script([&](QDialog& dialog) {
        if (++runs == 1) {
            test::TypeText(dialog, "txtName", "Kims");
            // A second window on the family renames it and saves first.
            m_loader->ShowFamilyWindow(family);
            test::Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(Child<QLineEdit>(dialog, "txtName")->text(), "Kims");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgChangedElsewhere)});
            return;
        }
        test::TypeText(dialog, "txtName", "Kim house");
        test::Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(Value("SELECT Name FROM Family WHERE ID=?", {family}).ToString(), "Kim house");

    // A note typed in a second window counts as a change too.
    m_messages.Clear();
    runs = 0;
    script.SetStep([&](QDialog& dialog) {
        if (++runs == 1) {
            test::TypeText(dialog, "txtName", "Kims");
            m_loader->ShowFamilyWindow(family);
            test::Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgChangedElsewhere)});
            return;
        }
        // The note is on its own page.
        test::ClickTab(dialog, "tabMain", 1);
        auto* note = Child<QPlainTextEdit>(dialog, "txtNote");
        QTest::mouseClick(note->viewport(), Qt::LeftButton);
        QTest::keyClicks(note->viewport(), "Moved to Busan");
        test::Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(Value("SELECT Name FROM Family WHERE ID=?", {family}).ToString(), "Kim house");
    EXPECT_EQ(Value("SELECT Note FROM Family WHERE ID=?", {family}).ToString(), "Moved to Busan");

    // Deleted while the window was open: told so, and not made again.
    m_messages.Clear();
    script.SetStep([&](QDialog& dialog) {
        test::TypeText(dialog, "txtName", "Kims");
        raw->Execute("DELETE FROM PersonToFamily WHERE FamilyID=?", {family});
        raw->Execute("DELETE FROM Family WHERE ID=?", {family});
        test::Click(dialog, "cmdOK");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordGone)});
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Family"), 0);
}

TEST_F(FamilyGroupFormTest, HeadWithoutContactRowsStillShowsAndTheMailLinkAddsNoHeaders) {
    const int32_t plain = NewPerson("Lee", "Bo");
    DropContacts(plain);
    const int32_t family = NewFamily("Lees", plain);
    test::OpenerScope opener;
    test::ModalScript script([&](QDialog& dialog) {
        EXPECT_EQ(LabelText(dialog, "lblHeadPerson"), "Lee, Bo");
        EXPECT_EQ(LabelText(dialog, "lblAddress"), "");
        EXPECT_EQ(LabelText(dialog, "lblEMailAddress"), "");
        QTest::mouseClick(Child<QLabel>(dialog, "lblEMailAddress"), Qt::LeftButton);
        EXPECT_EQ(Grid(dialog)->topLevelItemCount(), 1);
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_TRUE(opener.opener->opened.isEmpty());

    const int32_t head = NewPerson("Park", "Cy");
    SetContacts(head, "1 Elm", "", "", "cy@example.org?cc=eve@example.org&attach=/etc/passwd");
    const int32_t group = NewGroup("Choir A", head);
    script.SetStep([&](QDialog& dialog) {
        EXPECT_TRUE(Child<QComboBox>(dialog, "cboType")->isVisibleTo(&dialog));
        QTest::mouseClick(Child<QLabel>(dialog, "lblEMailAddress"), Qt::LeftButton, {}, QPoint(3, 3));
    });
    m_loader->ShowGroupWindow(group);
    ASSERT_EQ(opener.opener->opened.size(), 1);
    const QString link = opener.opener->opened.first();
    EXPECT_TRUE(link.startsWith("mailto:cy@example.org%3Fcc")) << link.toStdString();
    EXPECT_FALSE(link.contains('?'));
    EXPECT_FALSE(link.contains('&'));
}

TEST_F(FamilyGroupFormTest, GroupTypeMustBeChosenAndTheListButtonKeepsTheSelection) {
    const int32_t head = NewPerson("Choi", "Dan");
    const int32_t gone = db->UpdateGroupType(test::Record({{"ID", 0}, {"GroupType", "Retired"}}));
    ASSERT_GT(gone, 0);
    const int32_t group = NewGroup("Old choir", head, gone);
    db->DeleteGroupType(gone);

    test::ModalScript script([&](QDialog& dialog) {
        auto* type = Child<QComboBox>(dialog, "cboType");
        EXPECT_EQ(type->currentIndex(), 0);
        EXPECT_EQ(type->currentText(), "");
        test::Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSelectGroupType)});
        EXPECT_EQ(dialog.focusWidget(), type);
        EXPECT_TRUE(dialog.isVisible());
        type->setCurrentIndex(type->findText("Choir"));
        test::Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowGroupWindow(group), group);
    EXPECT_EQ(Value("SELECT GroupTypeID FROM \"Group\" WHERE ID=?", {group}).ToInt(), 2);

    int32_t added = 0;
    script.SetStep([&](QDialog& dialog) {
        auto* type = Child<QComboBox>(dialog, "cboType");
        EXPECT_EQ(type->currentText(), "Choir");
        // The list window adds a type while it is open.
        added = db->UpdateGroupType(test::Record({{"ID", 0}, {"GroupType", "Youth band"}}));
        test::Click(dialog, "cmdGroupType");
        EXPECT_NE(type->findText("Youth band"), -1);
        EXPECT_EQ(type->currentText(), "Choir");
    });
    m_loader->ShowGroupWindow(group);
    EXPECT_GT(added, 0);
    EXPECT_EQ(m_fake->calls, QStringList{"ShowListWindow(6)"});
}

TEST_F(FamilyGroupFormTest, PrintAsksForTheStoredRecordAndExplainsEveryFailure) {
    const int32_t family = NewFamily("Hans", NewPerson("Han"));
    const int32_t group = NewGroup("Ushers", NewPerson("Yoo"));
    auto printer = std::make_shared<test::FakeReportPrinter>();
    m_hub->SetReportPrinter(printer);
    test::ModalScript script([&](QDialog& dialog) { test::Click(dialog, "cmdPrint"); });
    m_loader->ShowFamilyWindow(family);
    m_loader->ShowGroupWindow(group);
    EXPECT_EQ(printer->printed,
              (QStringList{QString("Family Details:%1").arg(family), QString("Group Details:%1").arg(group)}));
    EXPECT_FALSE(printer->PrintToFile());
    EXPECT_TRUE(m_messages.Shown().empty());

    for (const auto& [result, text] : {std::pair{amb::EnumReportError::NoRecordSelected, kMsgReportNoRecordSelected},
                                       std::pair{static_cast<amb::EnumReportError>(0), kMsgReportSystemError}}) {
        m_messages.Clear();
        printer->result = result;
        m_loader->ShowFamilyWindow(family);
        ASSERT_EQ(m_messages.Shown().size(), 1);
        EXPECT_EQ(m_messages.Shown()[0].text, Text(text));
        EXPECT_EQ(m_messages.Shown()[0].title, "Hans - " + Text(kTitleFamily));
    }
    m_hub->SetReportPrinter(nullptr);
}

class FamilyGroupFormKoreanTest : public test::FamilyGroupTest {
protected:
    FamilyGroupFormKoreanTest() : FamilyGroupTest(amb::EnumSupportedLocaleID::Korean) {
        m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    }
};

TEST_F(FamilyGroupFormKoreanTest, NamesShowAsTheLanguageName) {
    const int32_t head = NewPerson("Kim", "Minsu", "김민수");
    SetContacts(head, "서울시 종로구 1", "서울", "02-123-4567", "minsu@example.kr");
    const int32_t family = NewFamily("김씨 가정", head);
    AddMemberRow(NewPerson("Kim", "Jiwoo", "김지우"), family, "딸");
    QStringList members;
    test::ModalScript script([&](QDialog& dialog) {
        if (dialog.objectName() == "SearchForm") {
            test::PickInSearch(dialog, "김민수");
            return;
        }
        if (dialog.objectName() == "AddOptionForm") {
            // The search's person by the language name; the add window is cancelled.
            test::Click(dialog, "cmdSearch");
            members << Child<QLineEdit>(dialog, "txtMember")->text();
            test::Click(dialog, "cmdCancel");
            return;
        }
        EXPECT_EQ(LabelText(dialog, "lblHeadPerson"), "김민수");
        members << GridRows(dialog);
        test::Click(dialog, "tbarMemberAdd");
    });
    m_loader->ShowFamilyWindow(family);
    const int32_t group = NewGroup("찬양대", head);
    m_loader->ShowGroupWindow(group);
    EXPECT_EQ(members, (QStringList{"*김민수||", "김지우|딸|", "김민수", "*김민수||02-123-4567", "김민수"}));
    EXPECT_EQ(m_writer->TraceLinesWith("AmbWindows.FamilyGroupForm.tbarMember_ButtonClick()").size(), 2);

    // The new-family window in Korean.
    script.SetStep([](QDialog& dialog) { test::Click(dialog, "cmdCancel"); });
    EXPECT_EQ(m_loader->ShowFamilyWindow(0), -1);
    EXPECT_EQ(script.Runs(), 7);
}

} // namespace
