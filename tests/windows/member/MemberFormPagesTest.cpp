#include "tests/windows/member/MemberFormFixture.h"

#include "common/Values.h"
#include "windows/forms/member/MemberForm.h"

#include <QPlainTextEdit>

namespace test {
namespace {

using namespace amb::res;
using amb::AsBoolean;
using amb::AsString;
using amb::EnumFamilyGroup;

bool Enabled(QAction* button) {
    return button && button->isEnabled();
}

class MemberFormKoreanTest : public MemberFormTest {
protected:
    MemberFormKoreanTest() : MemberFormTest(amb::EnumSupportedLocaleID::Korean, 1042) {
        m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    }
};

TEST_F(MemberFormKoreanTest, TheLanguageNameIsShownAndRequiredWhileNamePartsMayStayEmpty) {
    int32_t saved = 0;
    ModalScript script([&](QDialog& dialog) {
        auto* names = Child<QTabWidget>(dialog, "tabName");
        EXPECT_TRUE(names->isTabVisible(0));
        EXPECT_EQ(names->currentIndex(), 0);
        EXPECT_EQ(names->tabText(0), Text(kLabelName));
        EXPECT_EQ(names->tabText(1), Text(kLabelEnglishName));
        EXPECT_EQ(Child<QLabel>(dialog, "lblLanguageName")->text(), Text(kLabelName) + "*");
        EXPECT_EQ(Child<QLabel>(dialog, "lblFirstName")->text(), Text(kLabelFirstName));
        EXPECT_EQ(Child<QLabel>(dialog, "lblSex")->text(), Text(kLabelSex) + "*");

        Choose(dialog, "cboMemberStatus", Value("SELECT MemberStatus FROM MemberStatus WHERE ID=1").ToString());
        Choose(dialog, "cboSex", Value("SELECT Sex FROM Sex WHERE ID=2").ToString());
        Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgEnterName)});
        EXPECT_EQ(dialog.focusWidget()->objectName(), "txtLanguageName");
        EXPECT_EQ(Persons(), 0);

        // The name parts page switches the one-name field off and keeps its text.
        TypeText(dialog, "txtLanguageName", " 김영희 ");
        ClickTab(dialog, "tabName", 1);
        EXPECT_FALSE(Child<QLineEdit>(dialog, "txtLanguageName")->isEnabled());
        EXPECT_TRUE(Child<QLineEdit>(dialog, "txtFirstName")->isEnabled());
        ClickTab(dialog, "tabName", 0);
        EXPECT_TRUE(Child<QLineEdit>(dialog, "txtLanguageName")->isEnabled());
        EXPECT_FALSE(Child<QLineEdit>(dialog, "txtLastName")->isEnabled());
        EXPECT_EQ(TextOf(dialog, "txtLanguageName"), " 김영희 ");

        Click(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Shown().size(), 1u);
        EXPECT_EQ(dialog.windowTitle(), "김영희 - " + Text(kTitleMember));
        Click(dialog, "cmdCancel");
    });
    saved = m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0);
    ASSERT_GT(saved, 0);
    EXPECT_EQ(PersonValue(saved, "LanguageName").ToString(), "김영희");
    EXPECT_TRUE(PersonValue(saved, "FirstName").IsNull());

    script.SetStep([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "김영희 - " + Text(kTitleMember));
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(saved, EnumFamilyGroup::None, 0), saved);
}

// A person typing as soon as the window opens types the name, in either name locale.
TEST_F(MemberFormKoreanTest, TypingRightAfterOpeningGoesIntoTheName) {
    const int32_t id = NewPerson("Lee", "Ann", "이안");
    ModalScript script([&](QDialog& dialog) {
        ASSERT_NE(dialog.focusWidget(), nullptr);
        QTest::keyClicks(dialog.focusWidget(), "Kim");
        EXPECT_EQ(TextOf(dialog, "txtLanguageName"), "Kim");
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0);
    script.SetStep([&](QDialog& dialog) {
        EXPECT_EQ(dialog.focusWidget(), Child<QLineEdit>(dialog, "txtLanguageName"));
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
}

TEST_F(MemberFormTest, TypingRightAfterOpeningGoesIntoTheFirstName) {
    ModalScript script([&](QDialog& dialog) {
        ASSERT_NE(dialog.focusWidget(), nullptr);
        QTest::keyClicks(dialog.focusWidget(), "Ann");
        EXPECT_EQ(TextOf(dialog, "txtFirstName"), "Ann");
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0);
}

TEST_F(MemberFormTest, EnglishNameLocaleHidesTheLanguageNameButStillSavesIt) {
    const int32_t id = NewPerson("Lee", "Ann", "이안");
    raw->Execute("UPDATE Person SET SexID=2, MemberStatusID=1 WHERE ID=" + QString::number(id));
    ModalScript script([&](QDialog& dialog) {
        auto* names = Child<QTabWidget>(dialog, "tabName");
        EXPECT_FALSE(names->isTabVisible(0));
        EXPECT_EQ(names->currentIndex(), 1);
        EXPECT_EQ(names->tabText(1), Text(kLabelName));
        EXPECT_EQ(Child<QLabel>(dialog, "lblFirstName")->text(), Text(kLabelFirstName) + "*");
        EXPECT_EQ(Child<QLabel>(dialog, "lblLanguageName")->text(), Text(kLabelName));
        EXPECT_FALSE(Child<QLineEdit>(dialog, "txtLanguageName")->isVisible());
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0), id);
    EXPECT_EQ(PersonValue(id, "LanguageName").ToString(), "이안");
}

// What each toolbar button shows for each selection: New, Edit, Delete (and Send on the e-mail list).
TEST_F(MemberFormTest, ToolbarButtonsFollowTheSelectedRow) {
    const int32_t id = NewPerson("Han", "Bo");
    raw->Execute("UPDATE Person SET SexID=2, MemberStatusID=1 WHERE ID=" + QString::number(id));
    db->UpdatePersonAddress(Record({{"ID", 0}, {"PersonID", id}, {"Name", "Cabin"}, {"AddressPart1", "Lake Rd"}}));
    raw->Execute("UPDATE PersonEMailAddress SET EMailAddress='bo@example.org' WHERE IsPersonalEMailAddress=1");
    NewOffering(id, 1, QDateTime(QDate(2026, 3, 1), QTime(0, 0)), platform::Currency::FromTicks(1234500));

    struct Case {
        int page;
        const char* list;
        const char* bar;
        QString row; // "" : no selection
        std::vector<bool> buttons;
    };
    const QString home = Value("SELECT AddressName FROM AddressName WHERE ID=1").ToString();
    const QString personal = Value("SELECT EMailAddressName FROM EMailAddressName WHERE ID=1").ToString();
    const QString work = Value("SELECT EMailAddressName FROM EMailAddressName WHERE ID=2").ToString();
    const QString homePhone = Value("SELECT PhoneNumberName FROM PhoneNumberName WHERE ID=1").ToString();
    const std::vector<Case> cases = {
        {0, "lstvwAddress", "tbarAddress", "", {true, false, false}},
        {0, "lstvwAddress", "tbarAddress", home, {true, true, false}},
        {0, "lstvwAddress", "tbarAddress", "Cabin", {true, true, true}},
        {1, "lstvwPhoneNumber", "tbarPhoneNumber", "", {true, false, false}},
        {1, "lstvwPhoneNumber", "tbarPhoneNumber", homePhone, {true, true, false}},
        {2, "lstvwEMailAddress", "tbarEMailAddress", "", {true, false, false, false}},
        {2, "lstvwEMailAddress", "tbarEMailAddress", personal, {true, true, false, true}},
        {2, "lstvwEMailAddress", "tbarEMailAddress", work, {true, true, false, false}},
        {5, "lstvwOffering", "tbarOffering", "", {false, false, false}},
        {5, "lstvwOffering", "tbarOffering", "3/1/2026", {false, true, true}},
    };
    ModalScript script([&](QDialog& dialog) {
        Choose(dialog, "cboOfferingType", Value("SELECT OfferingTypeName FROM OfferingTypeName WHERE ID=1").ToString());
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.list) + " " + c.row.toStdString());
            ClickTab(dialog, "tabMain", c.page);
            auto* list = Child<QTreeWidget>(dialog, c.list);
            list->clearSelection();
            if (!c.row.isEmpty()) {
                const QList<QTreeWidgetItem*> found = list->findItems(c.row, Qt::MatchExactly, 0);
                ASSERT_EQ(found.size(), 1);
                ClickRow(dialog, c.list, list->indexOfTopLevelItem(found[0]));
            }
            const int positions[] = {1, 2, 3, 7};
            for (size_t i = 0; i < c.buttons.size(); ++i)
                EXPECT_EQ(Enabled(ToolButton(dialog, c.bar, positions[i])), c.buttons[i]) << "button " << positions[i];
        }
        // Exactly the controls of the page shown are enabled.
        ClickTab(dialog, "tabMain", 6);
        EXPECT_TRUE(Child<QPlainTextEdit>(dialog, "txtNote")->isEnabled());
        for (const char* off : {"lstvwAddress", "lstvwOffering", "tbarOffering", "cboOfferingType", "lstvwGroup"})
            EXPECT_FALSE(Child<QWidget>(dialog, off)->isEnabled()) << off;
        ClickTab(dialog, "tabMain", 5);
        EXPECT_TRUE(Child<QWidget>(dialog, "cboOfferingType")->isEnabled());
        EXPECT_FALSE(Child<QPlainTextEdit>(dialog, "txtNote")->isEnabled());
    });
    m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
}

TEST_F(MemberFormTest, OfferingsOfTheChosenTypeShowTheDateFormatAndExactAmounts) {
    m_hub->SetDateFormat("dd.mm.yyyy");
    const int32_t id = NewPerson("Yoon");
    raw->Execute("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=" + QString::number(id));
    NewOffering(id, 2, QDateTime(QDate(2026, 2, 1), QTime(0, 0)), platform::Currency::FromTicks(100000));
    NewOffering(id, 2, QDateTime(QDate(2025, 12, 24), QTime(0, 0)), platform::Currency::FromTicks(1234567));
    NewOffering(id, 3, QDateTime(QDate(2026, 1, 1), QTime(0, 0)), platform::Currency::FromTicks(50000));
    const int32_t family = NewFamily("Yoon family", id);
    NewGroup("Choir", id);
    ModalScript script([&](QDialog& dialog) {
        EXPECT_TRUE(Rows(dialog, "lstvwOffering").isEmpty()) << "no type chosen yet";
        EXPECT_EQ(Rows(dialog, "lstvwFamily"), QStringList{"Yoon family|"});
        EXPECT_EQ(Rows(dialog, "lstvwGroup"), QStringList{"Choir|"});
        ClickTab(dialog, "tabMain", 5);
        Choose(dialog, "cboOfferingType", Value("SELECT OfferingTypeName FROM OfferingTypeName WHERE ID=2").ToString());
        EXPECT_EQ(Rows(dialog, "lstvwOffering"),
                  (QStringList{"24.12.2025|" + amb::FormatAmount(platform::Currency::FromTicks(1234567)),
                               "01.02.2026|" + amb::FormatAmount(platform::Currency::FromTicks(100000))}));
        // The offering list's headers sort nothing.
        ClickHeader(dialog, "lstvwOffering", 1);
        EXPECT_TRUE(Rows(dialog, "lstvwOffering").first().startsWith("24.12.2025"));
        Choose(dialog, "cboOfferingType", "");
        EXPECT_TRUE(Rows(dialog, "lstvwOffering").isEmpty());
    });
    m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
    (void)family;
}

TEST_F(MemberFormTest, HeaderSortsAreKeptWhenTheListsAreFilledAgain) {
    const int32_t id = NewPerson("Jung");
    for (const char* name : {"beach", "Attic", "cottage"})
        db->UpdatePersonAddress(Record({{"ID", 0}, {"PersonID", id}, {"Name", name}}));
    amb::windows::MemberForm form;
    form.SetWindowLoader(m_loader);
    form.SetID(id);
    ASSERT_EQ(form.UpdateForm(), 1);
    form.show();
    const QString home = Value("SELECT AddressName FROM AddressName WHERE ID=1").ToString();
    const QString work = Value("SELECT AddressName FROM AddressName WHERE ID=2").ToString();
    const auto names = [&] {
        QStringList texts;
        for (const QString& row : Rows(form, "lstvwAddress"))
            texts << row.section('|', 0, 0);
        return texts;
    };
    ClickHeader(form, "lstvwAddress", 0);
    QStringList ascending = {"Attic", "beach", "cottage", home, work};
    std::sort(ascending.begin(), ascending.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(names(), ascending);
    ClickHeader(form, "lstvwAddress", 0);
    QStringList descending(ascending.rbegin(), ascending.rend());
    EXPECT_EQ(names(), descending);
    form.RefreshGrids(amb::windows::MemberForm::kAllLists);
    EXPECT_EQ(names(), descending);
}

TEST_F(MemberFormTest, PrintHandsThePersonToTheReportPrinterAndExplainsEveryFailure) {
    auto printer = std::make_shared<FakeReportPrinter>();
    m_hub->SetReportPrinter(printer);
    const int32_t id = NewPerson("Seo");
    const std::pair<amb::EnumReportError, QStringList> results[] = {
        {amb::EnumReportError::Success, {}},
        {amb::EnumReportError::NoRecordSelected, {Text(kMsgReportNoRecordSelected)}},
        {static_cast<amb::EnumReportError>(0), {Text(kMsgReportSystemError)}},
    };
    for (const auto& [result, messages] : results) {
        printer->result = result;
        printer->printed.clear();
        m_messages.Clear();
        ModalScript script([&](QDialog& dialog) {
            Click(dialog, "cmdPrint");
            EXPECT_FALSE(amb::IsBusy(&dialog));
        });
        m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
        EXPECT_EQ(printer->printed, QStringList{"Member Details:" + QString::number(id)});
        EXPECT_FALSE(printer->PrintToFile());
        EXPECT_EQ(m_messages.Texts(), messages) << static_cast<int>(result);
    }
}

// Opens the look-up list window and adds an entry there, as a user would.
class ListWindowLoader : public FakeWindowLoader {
public:
    int32_t ShowListWindow(amb::EnumWindowType en) override {
        if (whileOpen)
            whileOpen();
        return FakeWindowLoader::ShowListWindow(en);
    }
    std::function<void()> whileOpen;
};

TEST_F(MemberFormTest, LookUpButtonsOpenTheirListAndKeepWhatWasChosen) {
    const int32_t id = NewPerson("Baek");
    auto lists = std::make_shared<ListWindowLoader>();
    lists->SetAmbApplication(m_hub);
    m_hub->SetWindowLoader(lists);
    lists->whileOpen = [&] { EXPECT_GT(AddLookup(&amb::IDatabaseManager::UpdatePersonTitleName, "Canon"), 0); };
    ModalScript script([&](QDialog& dialog) {
        TypeCombo(dialog, "cboTitle", "Sir");
        Click(dialog, "cmdMemberTitle");
        EXPECT_EQ(lists->calls.last(), "ShowListWindow(10)");
        EXPECT_GE(Child<QComboBox>(dialog, "cboTitle")->findText("Canon"), 0);
        EXPECT_EQ(TextOf(dialog, "cboTitle"), "Sir");
        lists->whileOpen = {};
        Choose(dialog, "cboMaritalStatus", "Married");
        Click(dialog, "cmdMaritalStatus");
        EXPECT_EQ(lists->calls.last(), "ShowListWindow(7)");
        EXPECT_EQ(TextOf(dialog, "cboMaritalStatus"), "Married");
        EXPECT_FALSE(amb::IsBusy(&dialog));
    });
    m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
    m_hub->SetWindowLoader(m_loader);
}

// An entry removed from its look-up list after a person got it (here in the list window opened by
// the box's "..." button) stays the person's: it is shown and saved back, never quietly emptied.
TEST_F(MemberFormTest, AnEntryRemovedFromItsListStaysThePersons) {
    const int32_t id = NewPerson("Baek");
    const int32_t youth = Value("SELECT ID FROM MemberClassification WHERE MemberClassification='Youth'").ToInt();
    const int32_t inactive = Value("SELECT ID FROM MemberStatus WHERE MemberStatus='Inactive'").ToInt();
    raw->Execute("UPDATE Person SET SexID=1, MemberClassificationID=?, MemberStatusID=? WHERE ID=?",
                 {youth, inactive, id});
    ASSERT_EQ(db->DeleteMemberStatus(inactive), 1);

    auto lists = std::make_shared<ListWindowLoader>();
    lists->SetAmbApplication(m_hub);
    m_hub->SetWindowLoader(lists);
    lists->whileOpen = [&] { EXPECT_EQ(db->DeleteMemberClassification(youth), 1); };
    ModalScript script([&](QDialog& dialog) {
        EXPECT_EQ(TextOf(dialog, "cboMemberStatus"), "Inactive");
        EXPECT_EQ(TextOf(dialog, "cboClassification"), "Youth");
        Click(dialog, "cmdClassification");
        EXPECT_EQ(TextOf(dialog, "cboClassification"), "Youth");
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0), id);
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_EQ(PersonValue(id, "MemberClassificationID").ToInt(), youth);
    EXPECT_EQ(PersonValue(id, "MemberStatusID").ToInt(), inactive);

    // Choosing another entry replaces it.
    lists->whileOpen = {};
    script.SetStep([&](QDialog& dialog) {
        Choose(dialog, "cboClassification", "Adult");
        Click(dialog, "cmdOK");
    });
    m_loader->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(PersonValue(id, "MemberClassificationID").ToInt(),
              Value("SELECT ID FROM MemberClassification WHERE MemberClassification='Adult'").ToInt());
    m_hub->SetWindowLoader(m_loader);
}

} // namespace
} // namespace test
