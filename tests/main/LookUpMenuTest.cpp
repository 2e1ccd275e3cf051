#include "common/LookupKinds.h"
#include "common/ResourceIDs.h"
#include "tests/main/MainFormFixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <set>

namespace test {
namespace {

using amb::EnumWindowType;
namespace res = amb::res;

// Tools > Look-up Lists as a person sees it: the entries in order, a separator after some.
struct MenuEntry {
    const char* name;
    int32_t text;
    EnumWindowType opens;
    bool separatorAfter = false;
};

const MenuEntry kMenu[] = {
    {"mnuToolsLookUpAddressName", res::kMenuToolsLookUpAddressName, EnumWindowType::AddressName},
    {"mnuToolsLookUpEMailAddressName", res::kMenuToolsLookUpEMailAddressName, EnumWindowType::EMailAddressName},
    {"mnuToolsLookUpPhoneNumberName", res::kMenuToolsLookUpPhoneNumberName, EnumWindowType::PhoneNumberName, true},
    {"mnuToolsLookUpClassification", res::kMenuToolsLookUpClassification, EnumWindowType::MemberClassification},
    {"mnuToolsLookUpStatus", res::kMenuToolsLookUpStatus, EnumWindowType::MemberStatus},
    {"mnuToolsLookUpMaritalStatus", res::kMenuToolsLookUpMaritalStatus, EnumWindowType::MaritalStatus},
    {"mnuToolsLookUpTitle", res::kMenuToolsLookUpTitle, EnumWindowType::MemberTitle, true},
    {"mnuToolsLookUpPosition", res::kMenuToolsLookUpPosition, EnumWindowType::GroupPositionName},
    {"mnuToolsLookUpRelationship", res::kMenuToolsLookUpRelationship, EnumWindowType::FamilyRelationshipName, true},
    {"mnuToolsLookUpGroupType", res::kMenuToolsLookUpGroupType, EnumWindowType::GroupType, true},
    {"mnuToolsLookUpExpenseType", res::kMenuToolsLookUpExpenseType, EnumWindowType::ExpenseTypeName},
    {"mnuToolsLookUpOfferingType", res::kMenuToolsLookUpOfferingType, EnumWindowType::OfferingTypeName},
};

// The pointer goes onto the entry, then clicks it.
void ClickEntry(QMenu* menu, QAction* entry) {
    const QPoint at = menu->actionGeometry(entry).center();
    QTest::mouseMove(menu, at);
    QTest::mouseClick(menu, Qt::LeftButton, {}, at);
}

// Each entry, clicked through Tools and Look-up Lists, opens its own list window; together they open
// every list that a look-up window shows, each once, and never the states or the users.
TEST_F(MainFormTest, TheLookUpMenuOpensEveryListOnceInItsOrder) {
    OpenWindow();
    LogIn(true);
    auto* tools = m_form->findChild<QMenu*>("mnuTools");
    auto* lookUp = m_form->findChild<QMenu*>("mnuToolsLookUp");
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(lookUp, nullptr);

    QStringList shown;
    for (QAction* action : lookUp->actions())
        shown << (action->isSeparator() ? QStringLiteral("-") : action->objectName() + '=' + action->text());
    QStringList expected;
    for (const MenuEntry& entry : kMenu) {
        expected << QLatin1String(entry.name) + '=' + Text(entry.text);
        if (entry.separatorAfter)
            expected << QStringLiteral("-");
    }
    EXPECT_EQ(shown, expected);

    std::set<int32_t> opened;
    for (const MenuEntry& entry : kMenu) {
        SCOPED_TRACE(entry.name);
        auto* action = m_form->findChild<QAction*>(entry.name);
        ASSERT_NE(action, nullptr);
        tools->popup(m_form->mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tools));
        ClickEntry(tools, lookUp->menuAction());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(lookUp));
        const qsizetype calls = m_loader->calls.size();
        ClickEntry(lookUp, action);
        ASSERT_EQ(m_loader->calls.size(), calls + 1);
        EXPECT_EQ(m_loader->calls.last(), QStringLiteral("ShowListWindow(%1)").arg(static_cast<int>(entry.opens)));
        EXPECT_FALSE(m_writer->TraceLinesWith(QLatin1String(entry.name) + "_Click()").isEmpty());
        opened.insert(static_cast<int32_t>(entry.opens));
        tools->hide();
    }

    std::set<int32_t> windowed;
    for (const amb::LookupKind& kind : amb::kLookupKinds)
        if (kind.window)
            windowed.insert(static_cast<int32_t>(*kind.window));
    EXPECT_EQ(opened, windowed);
    EXPECT_EQ(opened.size(), std::size(kMenu));
    EXPECT_FALSE(opened.contains(static_cast<int32_t>(EnumWindowType::State)));
    EXPECT_FALSE(opened.contains(static_cast<int32_t>(EnumWindowType::User)));
}

} // namespace
} // namespace test
