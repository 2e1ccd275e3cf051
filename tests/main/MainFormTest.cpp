#include "tests/main/MainFormFixture.h"
#include "tests/support/DateClicks.h"

#include "common/ResourceIDs.h"
#include "common/widgets/BusyScope.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace test {
namespace {

namespace res = amb::res;
using test::Leave;
using test::Reach;

TEST_F(MainFormTest, TreeShowsEachKindWithItsCount) {
    OpenWindow();
    const auto node = [&](const char* key) { return Node(QLatin1String(key))->text(0); };
    EXPECT_EQ(node("Ambrel"), "Grace Church");
    EXPECT_EQ(node("Member"), Text(res::kLabelMembers) + " (5)");
    EXPECT_EQ(node("Family"), Text(res::kLabelFamilies) + " (3)");
    EXPECT_EQ(node("Group"), Text(res::kLabelGroups) + " (2)");
    EXPECT_EQ(node("Expense"), Text(res::kLabelExpenses));
    EXPECT_EQ(SelectedKey(), "Member");

    // A refresh rewrites the counts in place.
    LogIn(false);
    // The tree is as wide as its widest text asks.
    EXPECT_GT(Tree()->width(), Tree()->fontMetrics().horizontalAdvance(node("Expense")));
    m_database->persons.pop_back();
    PressKey(Qt::Key_F5);
    EXPECT_EQ(node("Member"), Text(res::kLabelMembers) + " (4)");
}

TEST_F(MainFormTest, EachSearchFillsTheListAndTheStatusBar) {
    OpenWindow();
    LogIn(false);

    SearchFor("kim");
    EXPECT_EQ(Keys(List()), (QStringList{"id||1", "id||2"}));
    EXPECT_EQ(Panel(0)->text(), "2 item (s)");
    const QString firstRow = Rows(List()).value(0);
    EXPECT_TRUE(firstRow.startsWith("Kim, Young|M|")) << firstRow.toStdString();
    EXPECT_TRUE(firstRow.endsWith("|1 Main St, Springfield, IL|555-0100|a@b.org|" + Text(res::kTextIsMemberYes)))
        << firstRow.toStdString();
    // A null membership reads as "no".
    SearchFor("Lee");
    EXPECT_TRUE(Rows(List()).value(0).endsWith(QLatin1Char('|') + Text(res::kTextIsMemberNo)));

    // Clicking the kind already shown, then refreshing, lists the same search again.
    ClickNode("Member");
    SearchFor("Lee");
    const QStringList lees = Rows(List());
    ASSERT_EQ(lees.size(), 1);
    ClickNode("Ambrel");
    PressKey(Qt::Key_F5);
    EXPECT_EQ(Rows(List()), lees);

    ClickNode("FamilyAndGroup");
    EXPECT_EQ(SelectedKey(), "Family");
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_TRUE(Panel(0)->text().isEmpty());
    EXPECT_EQ(List()->headerItem()->text(0), Text(res::kColumnFamily));
    SearchFor("lee");
    EXPECT_EQ(Rows(List()), QStringList{"Lee Family|Lee, John"});
    EXPECT_EQ(Panel(0)->text(), "1 item (s)");

    ClickNode("Group");
    ASSERT_TRUE(GroupType()->isEnabled());
    // The type chosen by typing its name in the box.
    GroupType()->setFocus();
    QTest::keyClicks(GroupType(), "Study");
    ASSERT_EQ(GroupType()->currentText(), "Study");
    test::PressKeyIn(GroupType(), Qt::Key_Return);
    EXPECT_EQ(Rows(List()), QStringList{"Bible Study|Study|Lee, John"});
    EXPECT_TRUE(m_database->calls.contains("GetGroupByGroupTypeID(2)"));

    ClickNode("ExpenseAndOffering");
    EXPECT_EQ(SelectedKey(), "Expense");
    ClickNode("Offering");
    ClickSearchButton();
    const QStringList offerings = Rows(List());
    ASSERT_EQ(offerings.size(), 3);
    EXPECT_EQ(offerings[1].section(QLatin1Char('|'), 1, 2), "<Unknown>|Mission");
    EXPECT_EQ(Panel(0)->text(), "3 item (s)");
    // Recent texts belong to the person and family searches only.
    EXPECT_EQ(m_personSearch->Keys(), (QStringList{"kim", "lee"}));
    EXPECT_EQ(m_familySearch->Keys(), QStringList{"lee"});
}

TEST_F(MainFormTest, RefusalsAndEmptyResultsShowTheirMessages) {
    m_database->noGroupTypes = true;
    OpenWindow();
    LogIn(false);

    SearchFor("   ");
    ASSERT_EQ(m_messages.Shown().size(), 1u) << m_messages.Texts().join(QLatin1Char('/')).toStdString();
    EXPECT_EQ(m_messages.Shown()[0].text, Text(res::kMsgEnterSearchText));
    EXPECT_EQ(m_messages.Shown()[0].title, "Grace Church");
    EXPECT_EQ(m_messages.Shown()[0].style, 64);

    SearchFor("Nobody");
    ASSERT_EQ(m_messages.Shown().size(), 2u);
    EXPECT_EQ(m_messages.Shown()[1].text, Text(res::kMsgNoRecordFound));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_TRUE(Panel(0)->text().isEmpty());
    EXPECT_EQ(m_personSearch->Count(), 0) << "a search that found nothing is not remembered";

    ClickNode("Expense");
    test::TypeIntoDate(StartDate(), Reach::ClickMonth, "5/2/2024", Leave::Tab);
    test::TypeIntoDate(EndDate(), Reach::ClickMonth, "5/1/2024", Leave::Tab);
    ASSERT_EQ(StartDate()->date(), QDate(2024, 5, 2));
    ClickSearchButton();
    ASSERT_EQ(m_messages.Shown().size(), 3u);
    EXPECT_EQ(m_messages.Shown()[2].text, Text(res::kMsgStartDateAfterEndDate));
    // The same day at both ends is a whole day, not an inverted range.
    test::TypeIntoDate(EndDate(), Reach::ClickDay, "5/2/2024", Leave::Tab);
    ASSERT_EQ(EndDate()->date(), QDate(2024, 5, 2));
    ClickSearchButton();
    EXPECT_EQ(m_messages.Shown().back().text, Text(res::kMsgNoRecordFound));
    EXPECT_EQ(EndDate()->time(), QTime(23, 59, 59));

    // The group-type box without entries is refused like an empty text.
    ClickNode("Group");
    ASSERT_EQ(GroupType()->count(), 0);
    ClickSearchButton();
    EXPECT_EQ(m_messages.Shown().back().text, Text(res::kMsgEnterSearchText));
}

TEST_F(MainFormTest, RecentSearchesAreOfferedNewestFirstAndKept) {
    OpenWindow();
    LogIn(false);
    SearchFor("smith");
    SearchFor("kim");
    SearchFor("Smith");
    EXPECT_EQ(m_personSearch->Count(), 2);
    EXPECT_EQ(SearchText()->itemText(0), "Smith");
    EXPECT_EQ(SearchText()->itemText(1), "kim");

    // Forty texts held: the drop-down offers the 33 newest, newest first.
    for (int i = 0; i < 40; ++i)
        m_personSearch->SetItem(QStringLiteral("text%1").arg(i), QStringLiteral("Text%1").arg(i));
    m_personSearch->SetItem("김", "김");
    ClickNode("Family");
    ClickNode("Member");
    ASSERT_EQ(SearchText()->count(), 33);
    EXPECT_EQ(SearchText()->itemText(0), "김");
    EXPECT_EQ(SearchText()->itemText(1), "Text39");
    EXPECT_EQ(SearchText()->itemText(32), "Text8");
    // Offering the list does not put a text into the box.
    EXPECT_TRUE(SearchText()->currentText().isEmpty());
}

TEST_F(MainFormTest, DeleteRefusesHeadsAndRemovesExactlyTheRow) {
    OpenWindow();
    LogIn(false);
    SearchFor("k");
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    // A row chosen with the arrow keys switches the row commands on, as a click does.
    EXPECT_FALSE(Action("Delete")->isEnabled());
    QTest::keyClick(List(), Qt::Key_Down);
    ASSERT_NE(SelectedRow(), nullptr);
    EXPECT_TRUE(Action("Delete")->isEnabled());

    // Young Kim heads a family: refused, nothing removed.
    ClickRow(List(), 0);
    m_messages.Answer(amb::MessageResult::Yes);
    ClickMainButton("Delete");
    ASSERT_EQ(m_messages.Shown().size(), 2u);
    EXPECT_EQ(m_messages.Shown()[0].text, Text(res::kMsgConfirmDelete));
    EXPECT_EQ(m_messages.Shown()[0].style, 36);
    EXPECT_EQ(m_messages.Shown()[1].text, Text(res::kMsgFamilyHeadNotDeletable));
    EXPECT_EQ(List()->topLevelItemCount(), 2);

    // No to the question changes nothing.
    ClickRow(List(), 1);
    m_messages.Answer(amb::MessageResult::No);
    ClickMainButton("Delete");
    EXPECT_FALSE(m_database->calls.contains("DeletePerson(2)"));

    m_messages.Answer(amb::MessageResult::Yes);
    ClickMainButton("Delete");
    EXPECT_EQ(Keys(List()), QStringList{"id||1"});
    // The row left is not selected in its place, so a second Delete cannot remove it unasked.
    EXPECT_EQ(SelectedRow(), nullptr);
    EXPECT_FALSE(Action("Delete")->isEnabled());
    EXPECT_EQ(Panel(0)->text(), "1 item (s)");
    EXPECT_EQ(Node("Member")->text(0), Text(res::kLabelMembers) + " (4)");

    // Without a selected row nothing happens at all.
    const auto shown = m_messages.Shown().size();
    ClickMainButton("Delete");
    EXPECT_EQ(m_messages.Shown().size(), shown);
}

TEST_F(MainFormTest, BirthdayListShowsTheMonthInDayOrder) {
    OpenWindow();
    LogIn(false);
    const int month = FixedNow().date().month();
    const QString m = QString::number(month) + QLatin1Char('/');
    const QString birthday = Text(res::kTextBirthday);
    EXPECT_EQ(Rows(Birthdays()),
              (QStringList{m + "3|kim, Sarah - " + birthday, m + "9|김철수 - " + birthday,
                           m + "11|kim, Sarah - " + Text(res::kTextAnniversary), m + "20|Kim, Young - " + birthday}));
    EXPECT_EQ(Keys(Birthdays()), (QStringList{"id||2||0", "id||5||1", "id||2||2", "id||1||3"}));
    EXPECT_EQ(Birthdays()->headerItem()->text(0), Text(res::kLabelDate));

    // Enter on a row opens that person; with no row selected nothing opens.
    ClickRow(Birthdays(), 3);
    test::PressKeyIn(Birthdays(), Qt::Key_Return);
    EXPECT_EQ(m_loader->calls.last(), "ShowPersonWindow(1,0,0)");
    // A click with Ctrl on the chosen row lets go of it.
    QTest::mouseClick(Birthdays()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      Birthdays()->visualItemRect(Birthdays()->topLevelItem(3)).center());
    ASSERT_TRUE(Birthdays()->selectedItems().isEmpty());
    test::PressKeyIn(Birthdays(), Qt::Key_Return);
    EXPECT_EQ(m_loader->calls.count("ShowPersonWindow(1,0,0)"), 1);
}

TEST_F(MainFormTest, HeaderClicksSortByTypedValuesBothWays) {
    m_database->offerings.push_back({14, platform::MakeDateTime(2026, 3, 28), "Kim", "Tithe", 10});
    m_database->offerings.push_back({15, platform::MakeDateTime(2026, 3, 12), "Kim", "Tithe", 123456789});
    OpenWindow();
    LogIn(false);
    QTreeWidget* list = List();
    ClickNode("Offering");
    ClickSearchButton();
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->header()->sectionsClickable(), true);
    EXPECT_FALSE(list->header()->isSortIndicatorShown());

    ClickHeader(list, 3); // amounts 0.10, 9.00, 10.00, 100.00, 1,234,567.89
    EXPECT_EQ(Keys(list), (QStringList{"id||14", "id||12", "id||11", "id||13", "id||15"}));
    EXPECT_TRUE(list->header()->isSortIndicatorShown());
    EXPECT_EQ(list->header()->sortIndicatorSection(), 3);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    ClickHeader(list, 3);
    EXPECT_EQ(Keys(list), (QStringList{"id||15", "id||13", "id||11", "id||12", "id||14"}));
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    ClickHeader(list, 0); // days 2, 5, 9, 12, 28 whatever the text's digits
    EXPECT_EQ(Keys(list), (QStringList{"id||11", "id||13", "id||12", "id||15", "id||14"}));
    // The widest amount fits its column.
    const QTreeWidgetItem* widest = list->topLevelItem(3);
    EXPECT_TRUE(widest->text(3).contains("234")) << widest->text(3).toStdString();
    EXPECT_LE(list->fontMetrics().horizontalAdvance(widest->text(3)) + 8, list->columnWidth(3));
    // A new search keeps the order the user chose.
    ClickSearchButton();
    EXPECT_EQ(Keys(list), (QStringList{"id||11", "id||13", "id||12", "id||15", "id||14"}));

    // Persons by name without regard to case (kim, Sarah sorts with Kim, Young), then by date of birth.
    ClickNode("Member");
    EXPECT_FALSE(list->header()->isSortIndicatorShown()) << "new columns start unsorted";
}

TEST_F(MainFormTest, PersonsSortByNameAndBirthByHeaderClicks) {
    m_database->persons.push_back({6, "Anna", "kimball", "", QDate(1960, 2, 1), false, {}, true});
    m_database->persons.push_back({7, "Zed", "Kim", "", QDate(2001, 12, 31), false, {}, true});
    OpenWindow();
    LogIn(false);
    QTreeWidget* list = List();
    SearchFor("kim");
    ASSERT_EQ(Keys(list), (QStringList{"id||1", "id||2", "id||6", "id||7"}));
    ClickHeader(list, 0); // Kim, Young / kim, Sarah / kimball, Anna / Kim, Zed
    EXPECT_EQ(Keys(list), (QStringList{"id||2", "id||1", "id||7", "id||6"}));
    ClickHeader(list, 0);
    EXPECT_EQ(Keys(list), (QStringList{"id||6", "id||7", "id||1", "id||2"}));
    ClickHeader(list, 2); // 1960-02-01, 1970-03-03, 1970-03-20, 2001-12-31 (month-first texts)
    EXPECT_EQ(Keys(list), (QStringList{"id||6", "id||2", "id||1", "id||7"}));
    ClickHeader(list, 2);
    EXPECT_EQ(Keys(list), (QStringList{"id||7", "id||1", "id||2", "id||6"}));

    // The birthday list sorts by month and day, then by name.
    QTreeWidget* birthdays = Birthdays();
    ASSERT_EQ(birthdays->topLevelItemCount(), 4);
    ClickHeader(birthdays, 1);
    // "kim, Sarah - Birthday", "kim, Sarah - Wedding Anniversary", "Kim, Young - Birthday", then the person
    // with only a Korean name, who shows by it rather than without a name.
    EXPECT_EQ(Keys(birthdays), (QStringList{"id||2||0", "id||2||2", "id||1||3", "id||5||1"}));
    ClickHeader(birthdays, 0);
    EXPECT_EQ(Keys(birthdays), (QStringList{"id||2||0", "id||5||1", "id||2||2", "id||1||3"}));
    ClickHeader(birthdays, 0);
    EXPECT_EQ(Keys(birthdays), (QStringList{"id||1||3", "id||2||2", "id||5||1", "id||2||0"}));
}

TEST_F(MainFormTest, TypedTextIsSearchedAsTypedBesideARecentSearch) {
    m_personSearch->SetItem("under_", "under_");
    m_personSearch->SetItem("a;b", "a;b");
    OpenWindow();
    LogIn(false);
    ASSERT_EQ(SearchText()->findText("under_"), 1);
    SearchFor("u");
    EXPECT_EQ(m_database->calls.filter("GetPersonBySearchText").last(), "GetPersonBySearchText(u)");
    EXPECT_EQ(SearchText()->currentText(), "u");
    // Choosing a recent search from the drop-down searches it whole.
    ChooseFromDropDown(SearchText(), "a;b");
    EXPECT_EQ(SearchText()->currentText(), "a;b");
    test::PressKeyIn(SearchText(), Qt::Key_Return);
    EXPECT_EQ(m_database->calls.filter("GetPersonBySearchText").last(), "GetPersonBySearchText(a;b)");
}

TEST_F(MainFormTest, ArrowKeysMoveBetweenKindsAndKeepTheFocusInTheTree) {
    OpenWindow();
    LogIn(false);
    QTreeWidget* tree = Tree();
    ClickNode("Member");
    tree->setFocus();
    const auto selected = [&] {
        const auto items = tree->selectedItems();
        return items.size() == 1 ? items[0]->data(0, Qt::UserRole).toString() : QStringLiteral("(none)");
    };
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(tree, Qt::Key_Down);
        seen << SelectedKey() + "/" + selected();
    }
    EXPECT_EQ(seen, (QStringList{"Family/Family", "Group/Group", "Expense/Expense", "Offering/Offering",
                                 "Offering/Offering"}));
    EXPECT_EQ(List()->headerItem()->text(0), Text(res::kColumnDate));
    EXPECT_TRUE(tree->hasFocus());
    seen.clear();
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(tree, Qt::Key_Up);
        seen << SelectedKey() + "/" + selected();
    }
    EXPECT_EQ(seen, (QStringList{"Expense/Expense", "Group/Group", "Family/Family", "Member/Member", "Member/Member"}));
    EXPECT_EQ(List()->headerItem()->text(0), Text(res::kColumnName));
    EXPECT_TRUE(tree->hasFocus());

    // A click on a parent node shows its first kind, highlighted, and hands the focus to the search box.
    ClickNode("ExpenseAndOffering");
    EXPECT_EQ(SelectedKey(), "Expense");
    EXPECT_EQ(selected(), "Expense");
    EXPECT_TRUE(StartDate()->hasFocus());
    ClickNode("Ambrel");
    EXPECT_EQ(selected(), "Member");
    EXPECT_TRUE(SearchText()->hasFocus());
}

TEST_F(MainFormTest, AdministratorEntriesFollowTheUser) {
    OpenWindow();
    LogIn(false);
    EXPECT_EQ(m_form->Session().Username(), "Admin User");
    EXPECT_EQ(Panel(1)->text(), Text(res::kLabelUser) + ": Admin User");
    EXPECT_EQ(m_hub->CurrentUserID(), 7);
    OpenMenu("mnuTools");
    EXPECT_FALSE(Menu("mnuToolsLookUp")->menuAction()->isEnabled());
    EXPECT_FALSE(Action("mnuToolsUser")->isEnabled());
    EXPECT_TRUE(Action("mnuToolsReport")->isEnabled());
    EXPECT_TRUE(Action("mnuToolsOptions")->isEnabled());

    // Log out (after a No that keeps the user), then in again as an administrator.
    ClickNode("Offering");
    m_messages.Answer(amb::MessageResult::No);
    ClickMainButton("LogInOut");
    EXPECT_TRUE(m_form->IsLoggedIn());
    EXPECT_TRUE(Action("LogInOut")->isChecked());
    m_messages.Answer(amb::MessageResult::Yes);
    ClickMainButton("LogInOut");
    EXPECT_FALSE(m_form->IsLoggedIn());
    EXPECT_EQ(m_hub->CurrentUserID(), 0);
    EXPECT_FALSE(Action("LogInOut")->isChecked());
    EXPECT_TRUE(Panel(1)->text().isEmpty());
    EXPECT_FALSE(Menu("mnuTools")->menuAction()->isVisible());
    EXPECT_TRUE(Action("mnuFileLogInOut")->isEnabled());
    EXPECT_TRUE(Action("mnuFileExit")->isEnabled());
    // F5 reaches the refresh entry even with its menu hidden; logged out it lists nothing.
    PressKey(Qt::Key_F5);
    EXPECT_EQ(Birthdays()->topLevelItemCount(), 0);

    LogIn(true);
    // The new session starts on the members; the kind shown before the log-out opens afresh.
    ClickNode("Offering");
    EXPECT_EQ(List()->headerItem()->text(0), Text(res::kColumnDate));
    OpenMenu("mnuTools");
    EXPECT_TRUE(Menu("mnuToolsLookUp")->menuAction()->isEnabled());
    EXPECT_TRUE(Action("mnuToolsUser")->isEnabled());
    ChooseMenuEntry({"mnuTools", "mnuToolsUser"});
    EXPECT_EQ(m_loader->calls.last(), "ShowListWindow(13)");
}

TEST_F(MainFormTest, OpenMarksTheSavedRowAndPrintReportsFailures) {
    OpenWindow();
    LogIn(false);
    SearchFor("kim");
    QTreeWidgetItem* row = List()->topLevelItem(1);
    DoubleClickRow(List(), 1);
    EXPECT_EQ(m_loader->calls.last(), "ShowPersonWindow(2,0,0)");
    EXPECT_NE(row->foreground(0).color(), QColor(64, 160, 64)) << "a cancelled window changes nothing";
    m_loader->results["ShowPersonWindow"] = 2;
    test::PressKeyIn(List(), Qt::Key_Return);
    EXPECT_EQ(row->foreground(0).color(), QColor(64, 160, 64));

    m_printer->result = amb::EnumReportError::NoRecordSelected;
    ClickMainButton("Print");
    EXPECT_EQ(m_printer->printed, QStringList{"Member Details:2"});
    ASSERT_FALSE(m_messages.Shown().empty());
    EXPECT_EQ(m_messages.Shown().back().text, Text(res::kMsgReportNoRecordSelected));
    m_printer->result = amb::EnumReportError::SystemError;
    ClickMainButton("Print");
    EXPECT_EQ(m_messages.Shown().back().text, Text(res::kMsgReportSystemError));
    EXPECT_FALSE(amb::IsBusy(m_form.get()));
}

// The largest amount that can be stored, either sign, reads whole in the offering list in each locale.
TEST_F(MainFormTest, TheOfferingListShowsTheLargestAmountsWhole) {
    m_database->offerings.push_back({16, platform::MakeDateTime(2026, 3, 2), "Kim", "Tithe", 99'999'999'999});
    m_database->offerings.push_back({17, platform::MakeDateTime(2026, 3, 3), "Kim", "Tithe", -99'999'999'999});
    OpenWindow();
    LogIn(false);
    QTreeWidget* list = List();
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const QLocale before;
    for (const QLocale& locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
          QLocale(QLocale::Korean, QLocale::SouthKorea)}) {
        QLocale::setDefault(locale);
        ClickNode("Expense");
        ClickNode("Offering");
        ClickSearchButton();
        int checked = 0;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QString shown = list->topLevelItem(i)->text(3);
            if (!shown.contains(locale.toString(999999999)))
                continue;
            ++checked;
            EXPECT_LE(list->fontMetrics().horizontalAdvance(shown) + margin, list->columnWidth(3))
                << locale.name().toStdString() << " " << shown.toStdString();
        }
        EXPECT_EQ(checked, 2) << locale.name().toStdString();
    }
    QLocale::setDefault(before);
}

} // namespace
} // namespace test
