#include "common/LookupKinds.h"
#include "common/ResourceIDs.h"
#include "tests/windows/AdminWindowTest.h"

#include <QLineEdit>

#include <set>

namespace {

using namespace amb::res;
using amb::EnumWindowType;
using amb::MessageResult::No;
using amb::MessageResult::Yes;

struct ListCase {
    EnumWindowType type;
    const char* table; // also its name column
    int32_t title;
    int32_t titleWord;     // 0: none
    const char* fixedKind; // an entry that is neither edited nor deleted; nullptr when the list has none
};

const ListCase kLists[] = {
    {EnumWindowType::AddressName, "AddressName", kTitleAddress, kTextName, "Home"},
    {EnumWindowType::OfferingTypeName, "OfferingTypeName", kLabelOfferingType, 0, nullptr},
    {EnumWindowType::EMailAddressName, "EMailAddressName", kTitleEMailAddress, kTextName, "Personal"},
    {EnumWindowType::ExpenseTypeName, "ExpenseTypeName", kLabelExpenseType, 0, nullptr},
    {EnumWindowType::FamilyRelationshipName, "FamilyRelationshipName", kLabelRelationship, 0, nullptr},
    {EnumWindowType::GroupPositionName, "GroupPositionName", kLabelPosition, 0, nullptr},
    {EnumWindowType::GroupType, "GroupType", kLabelGroupType, 0, nullptr},
    {EnumWindowType::MaritalStatus, "MaritalStatus", kLabelMaritalStatus, 0, nullptr},
    {EnumWindowType::MemberClassification, "MemberClassification", kLabelClassification, 0, nullptr},
    {EnumWindowType::MemberStatus, "MemberStatus", kLabelMemberStatus, 0, nullptr},
    {EnumWindowType::MemberTitle, "PersonTitleName", kLabelTitle, 0, nullptr},
    {EnumWindowType::PhoneNumberName, "PhoneNumberName", kTitlePhoneNumber, kTextName, "Fax"},
};

class LookupListTest : public test::DatabaseWindowTest {
protected:
    // Look-up lists are the administrators' to change: the tests work as one unless they say otherwise.
    void SetUp() override { m_hub->SetCurrentUserID(NewUser("CHIEF", true)); }
    int32_t NewUser(const QString& name, bool admin) {
        return db->UpdateUser(test::Record({{"ID", 0},
                                            {"Username", name},
                                            {"Password", "pw"},
                                            {"Name", name},
                                            {"IsAdmin", admin},
                                            {"IsEnabled", true}}));
    }
    QStringList ActiveNames(const QString& table) {
        QStringList names;
        auto rows = raw->Query(
            QStringLiteral("SELECT \"%1\" FROM \"%1\" WHERE IsDeleted=0 ORDER BY \"%1\" COLLATE NOCASE").arg(table));
        for (; !rows->IsEOF(); rows->MoveNext())
            names << rows->Field(0).ToString();
        return names;
    }
};

TEST_F(LookupListTest, EveryListAddsRenamesDeletesAndRevivesItsEntries) {
    const QString added = QStringLiteral("O'Neil Zed");
    const QString renamed = QStringLiteral("O'Neil Zed 2");
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.table);
        const QString table = QString::fromLatin1(c.table);
        const QString title = Text(c.title) + (c.titleWord ? QLatin1Char(' ') + Text(c.titleWord) : QString());
        const QStringList before = ActiveNames(table);
        ASSERT_GE(before.size(), 2);
        const auto idOf = [&](const QString& name) {
            return Count(QStringLiteral("SELECT ID FROM \"%1\" WHERE \"%1\"=?").arg(table), {name});
        };
        m_messages.Clear();
        int32_t renamedId = 0;

        test::WindowSteps steps;
        steps.Then("ListForm", [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), title + QLatin1Char(' ') + Text(kTitleList));
            EXPECT_EQ(test::Column(d), before);
            EXPECT_TRUE(test::ToolEnabled(d, "tbarListNew"));
            EXPECT_FALSE(test::ToolEnabled(d, "tbarListEdit"));
            EXPECT_FALSE(test::ToolEnabled(d, "tbarListDelete"));
            // Sorting by the name column: ascending, then the other way round, then back.
            test::ClickHeader(d, 0);
            EXPECT_EQ(test::Column(d), before);
            test::ClickHeader(d, 0);
            QStringList reversed = before;
            std::reverse(reversed.begin(), reversed.end());
            EXPECT_EQ(test::Column(d), reversed);
            test::ClickHeader(d, 0);
            EXPECT_EQ(test::Column(d), before);

            test::ClickTool(d, "tbarListNew");
            EXPECT_TRUE(test::Column(d).contains(added));
            ASSERT_TRUE(test::ClickRow(d, added, true));
            EXPECT_TRUE(test::Column(d).contains(renamed));
            EXPECT_FALSE(test::Column(d).contains(added));
            renamedId = idOf(renamed);

            ASSERT_TRUE(test::ClickRow(d, renamed));
            EXPECT_TRUE(test::ToolEnabled(d, "tbarListEdit"));
            m_messages.Answer(No);
            test::ClickTool(d, "tbarListDelete");
            EXPECT_TRUE(test::Column(d).contains(renamed));
            m_messages.Answer(Yes);
            test::ClickTool(d, "tbarListDelete");
            EXPECT_FALSE(test::Column(d).contains(renamed));
            EXPECT_FALSE(test::ToolEnabled(d, "tbarListDelete"));
            EXPECT_TRUE(
                Value(QStringLiteral("SELECT IsDeleted FROM \"%1\" WHERE ID=?").arg(table), {renamedId}).ToBool());

            // The deleted entry's name brings it back.
            test::ClickTool(d, "tbarListNew");
            EXPECT_TRUE(test::Column(d).contains(renamed));

            if (c.fixedKind) {
                ASSERT_TRUE(test::ClickRow(d, c.fixedKind, true)); // a double-click opens nothing
                EXPECT_FALSE(test::ToolEnabled(d, "tbarListEdit"));
                EXPECT_FALSE(test::ToolEnabled(d, "tbarListDelete"));
                ASSERT_TRUE(test::ClickRow(d, renamed));
                EXPECT_TRUE(test::ToolEnabled(d, "tbarListDelete"));
            }
            test::Click(d, "cmdClose");
        });
        steps.Then("NameForm", [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), Text(kTextNew) + QLatin1Char(' ') + title);
            EXPECT_FALSE(test::Child<QWidget>(d, "chkDateAllowed")->isVisible());
            test::TypeText(d, "txtName", "   ");
            test::Click(d, "cmdOK");
            test::TypeText(d, "txtName", before.first().toUpper());
            test::Click(d, "cmdOK");
            EXPECT_TRUE(d.isVisible());
            test::TypeText(d, "txtName", QStringLiteral("  ") + added + QStringLiteral(" "));
            test::Click(d, "cmdOK");
            EXPECT_FALSE(d.isVisible());
        });
        steps.Then("NameForm", [&](QDialog& d) {
            EXPECT_EQ(test::Child<QLineEdit>(d, "txtName")->text(), added);
            EXPECT_EQ(d.windowTitle(), added + QStringLiteral(" - ") + title);
            test::TypeText(d, "txtName", renamed);
            test::Click(d, "cmdOK");
        });
        steps.Then("NameForm", [&](QDialog& d) {
            test::TypeText(d, "txtName", renamed);
            test::Click(d, "cmdOK");
        });

        EXPECT_EQ(m_loader->ShowListWindow(c.type), -1);
        EXPECT_TRUE(steps.Done());
        EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgEnterName), Text(kMsgNameExists), Text(kMsgConfirmDelete),
                                                   Text(kMsgConfirmDelete)}));
        // One row, alive again under its own id; the first name is gone; order index 0.
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"%1\" LIKE 'O''Neil%'").arg(table)), 1);
        EXPECT_EQ(idOf(renamed), renamedId);
        EXPECT_EQ(
            Count(QStringLiteral("SELECT IsDeleted OR OrderIndex FROM \"%1\" WHERE ID=?").arg(table), {renamedId}), 0);
        EXPECT_EQ(ActiveNames(table).size(), before.size() + 1);
        EXPECT_TRUE(m_writer->logLines.isEmpty()) << m_writer->logLines.join('\n').toStdString();
    }
}

// The cases above are every list that a look-up window shows, each on the table the windows use.
TEST_F(LookupListTest, TheCasesAreEveryListOfTheWindows) {
    std::set<EnumWindowType> cased;
    for (const ListCase& c : kLists) {
        const amb::LookupKind* kind = amb::FindLookupKind(c.type);
        ASSERT_NE(kind, nullptr) << c.table;
        EXPECT_EQ(kind->table, c.table);
        cased.insert(c.type);
    }
    std::set<EnumWindowType> windowed;
    for (const amb::LookupKind& kind : amb::kLookupKinds)
        if (kind.window)
            windowed.insert(*kind.window);
    EXPECT_EQ(cased, windowed);
}

// No window lists the states: their list window is untitled and empty, and its name window stores nothing.
TEST_F(LookupListTest, TheStateListWindowListsAndStoresNothing) {
    const int states = Count("SELECT COUNT(*) FROM State");
    test::WindowSteps steps;
    steps.Then("ListForm", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QLatin1Char(' ') + Text(kTitleList));
        EXPECT_TRUE(test::Column(d).isEmpty());
        test::ClickTool(d, "tbarListNew");
        EXPECT_TRUE(test::Column(d).isEmpty());
        test::Click(d, "cmdClose");
    });
    steps.Then("NameForm", [&](QDialog& d) {
        test::TypeText(d, "txtName", "Guam");
        test::Click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(m_loader->ShowListWindow(EnumWindowType::State), -1);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM State"), states);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM State WHERE State='Guam'"), 0);
    EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join('/').toStdString();
}

TEST_F(LookupListTest, NameWindowOnAMissingEntryIsNotShownAndAFailedSaveKeepsItOpen) {
    test::WindowSteps steps;
    EXPECT_EQ(m_loader->ShowNameWindow(EnumWindowType::GroupType, 999), -1);
    EXPECT_EQ(steps.Runs(), 0);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgRecordNotFound)});

    FailWrites("GroupType");
    m_messages.Clear();
    steps.Then("NameForm", [&](QDialog& d) {
        test::TypeText(d, "txtName", "Ushers");
        test::Click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtName")->text(), "Ushers");
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowNameWindow(EnumWindowType::GroupType, 0), -1);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
    EXPECT_EQ(Count("SELECT COUNT(*) FROM GroupType WHERE GroupType='Ushers'"), 0);

    steps.Then("NameForm", [&](QDialog& d) {
        test::TypeText(d, "txtName", "Prayer Team");
        test::Click(d, "cmdOK");
    });
    raw->Execute("DROP TRIGGER fail_insert_GroupType");
    EXPECT_EQ(m_loader->ShowNameWindow(EnumWindowType::GroupType, 0), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM GroupType WHERE GroupType='Prayer Team' AND IsDeleted=0"), 1);
}

// A user who is no administrator reaches a look-up list only through a window's button, and there
// may choose from it but not change it.
TEST_F(LookupListTest, OnlyAnAdministratorChangesTheTitleListOpenedFromThePersonWindow) {
    const int32_t person = NewPerson("Baek");
    const int32_t clerk = NewUser("CLERK", false);
    const int32_t chief = m_hub->CurrentUserID();
    const QStringList before = ActiveNames("PersonTitleName");
    ASSERT_FALSE(before.isEmpty());
    for (const bool admin : {false, true}) {
        SCOPED_TRACE(admin ? "administrator" : "clerk");
        m_hub->SetCurrentUserID(admin ? chief : clerk);
        test::WindowSteps steps;
        steps.Then("MemberForm", [&](QDialog& d) {
            test::Click(d, "cmdMemberTitle");
            test::Click(d, "cmdCancel");
        });
        steps.Then("ListForm", [&](QDialog& d) {
            EXPECT_EQ(test::Column(d), before);
            EXPECT_EQ(test::ToolEnabled(d, "tbarListNew"), admin);
            ASSERT_TRUE(test::ClickRow(d, before.first()));
            EXPECT_EQ(test::ToolEnabled(d, "tbarListEdit"), admin);
            EXPECT_EQ(test::ToolEnabled(d, "tbarListDelete"), admin);
            if (!admin) {
                // Neither the Delete key nor a double-click changes anything or opens a window.
                m_messages.Answer(Yes);
                QTest::keyClick(test::List(d), Qt::Key_Delete);
                ASSERT_TRUE(test::ClickRow(d, before.first(), true));
                QTest::keyClick(test::List(d), Qt::Key_Insert);
                EXPECT_EQ(test::Column(d), before);
            }
            test::Click(d, "cmdClose");
        });
        m_loader->ShowPersonWindow(person, amb::EnumFamilyGroup::None, 0);
        EXPECT_TRUE(steps.Done());
    }
    EXPECT_EQ(ActiveNames("PersonTitleName"), before);
    EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join('/').toStdString();
}

} // namespace
