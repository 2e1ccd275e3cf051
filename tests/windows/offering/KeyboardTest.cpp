#include "tests/windows/offering/OfferingFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

// The list commands given with the keyboard alone, starting where each window puts the focus when it
// opens: Tab reaches a list's toolbar buttons, Enter presses the focused one, and the list answers
// Insert (New), Enter (Open) and Delete (Delete).

namespace {

using namespace amb::res;
using test::Child;

// A key pressed on whatever has the focus in the window.
void Key(QWidget& window, Qt::Key key) {
    QWidget* focus = window.focusWidget();
    QTest::keyClick(focus ? focus : &window, key);
}

// Tab until `target` has the focus; false when it is never reached.
bool TabTo(QWidget& window, const QWidget* target) {
    for (int i = 0; i < 80 && window.focusWidget() != target; ++i)
        Key(window, Qt::Key_Tab);
    return window.focusWidget() == target;
}

// Down until the list's current row shows `text` in its first column.
bool ArrowTo(QWidget& window, QTreeWidget* list, const QString& text) {
    for (int i = 0; i <= list->topLevelItemCount(); ++i) {
        if (list->currentItem() && list->currentItem()->isSelected() && list->currentItem()->text(0) == text)
            return true;
        Key(window, Qt::Key_Down);
    }
    return false;
}

QWidget* ButtonOf(QWidget& window, const char* bar, int position) {
    return Child<QToolBar>(window, bar)->widgetForAction(test::ToolButton(window, bar, position));
}

class KeyboardTest : public test::OfferingWindowTest {
protected:
    KeyboardTest() { m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat); }

    // An entry of the batch window: a type and an amount, then Done.
    void AddEntry(const QString& amount) {
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [this, amount](QDialog& entry) {
            test::Choose(entry, "cboOfferingTypeName", TypeName("OfferingTypeName", 1));
            test::TypeText(entry, "txtAmount", amount);
            Key(entry, Qt::Key_Return);
            test::Click(entry, "cmdCancel"); // Done: this window's Cancel has no key
        });
    }

    test::WindowSteps m_steps;
    QStringList m_opened; // the windows opened from the one under test, with what they show
};

TEST_F(KeyboardTest, ThePersonWindowsAddressListIsWorkedByKeys) {
    const int32_t person = NewPerson(QStringLiteral("Seo"));
    raw->Execute(QStringLiteral("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=?"), {person});
    const QString home = Value(QStringLiteral("SELECT Name FROM PersonAddress WHERE IsHomeAddress=1")).ToString();
    const auto recordAddress = [this](QDialog& address) {
        m_opened << address.objectName() + QLatin1Char(':') + test::TextOf(address, "cboName");
        Key(address, Qt::Key_Escape);
    };
    m_steps.Add(QStringLiteral("MemberForm"), [&](QDialog& dialog) {
        auto* list = Child<QTreeWidget>(dialog, "lstvwAddress");
        // New is reached by Tab from the name box, and Enter on it opens an empty address window.
        m_steps.Add(QStringLiteral("AddressForm"), recordAddress);
        ASSERT_TRUE(TabTo(dialog, ButtonOf(dialog, "tbarAddress", 1)));
        Key(dialog, Qt::Key_Return);
        EXPECT_EQ(m_opened, QStringList{QStringLiteral("AddressForm:")});

        // Enter on a selected row opens that row, not the window's OK.
        m_steps.Add(QStringLiteral("AddressForm"), recordAddress);
        ASSERT_TRUE(TabTo(dialog, list));
        ASSERT_TRUE(ArrowTo(dialog, list, home));
        Key(dialog, Qt::Key_Return);
        EXPECT_EQ(m_opened.value(1), QStringLiteral("AddressForm:") + home);
        EXPECT_TRUE(dialog.isVisible()) << "Enter on the list did not press OK";

        // Insert on the list is New; Delete on a built-in row asks nothing, since it cannot go.
        m_steps.Add(QStringLiteral("AddressForm"), [&](QDialog& address) {
            test::TypeCombo(address, "cboName", QStringLiteral("Cottage"));
            test::TypeText(address, "txtAddressPart1", QStringLiteral("1 Lake Road"));
            Key(address, Qt::Key_Return);
        });
        Key(dialog, Qt::Key_Insert);
        ASSERT_TRUE(ArrowTo(dialog, list, QStringLiteral("Cottage")));
        m_messages.Answer(amb::MessageResult::Yes);
        Key(dialog, Qt::Key_Delete);
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgConfirmDelete)});
        // Nothing is selected afterwards, so a second Delete does not take the next row.
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_FALSE(test::ToolButton(dialog, "tbarAddress", 2)->isEnabled());
        EXPECT_FALSE(test::ToolButton(dialog, "tbarAddress", 3)->isEnabled());
        Key(dialog, Qt::Key_Delete);
        EXPECT_EQ(m_messages.Texts().size(), 1);
        ASSERT_TRUE(ArrowTo(dialog, list, home));
        Key(dialog, Qt::Key_Delete);
        EXPECT_EQ(m_messages.Texts().size(), 1) << "a built-in row is not deleted";
        test::Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(person);
    EXPECT_EQ(m_opened.size(), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM PersonAddress WHERE Name='Cottage'")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM PersonAddress WHERE PersonID=?"), {person}), 2);
}

TEST_F(KeyboardTest, TabIntoAListThenEnterOpensTheRowWithTheFocus) {
    // Right after Tab the first row has the focus without being selected.
    const int32_t person = NewPerson(QStringLiteral("Seo"));
    const QString home = Value(QStringLiteral("SELECT Name FROM PersonAddress WHERE IsHomeAddress=1")).ToString();
    m_steps.Add(QStringLiteral("MemberForm"), [&](QDialog& dialog) {
        auto* list = Child<QTreeWidget>(dialog, "lstvwAddress");
        m_steps.Add(QStringLiteral("AddressForm"), [&](QDialog& address) {
            m_opened << test::TextOf(address, "cboName");
            Key(address, Qt::Key_Escape);
        });
        ASSERT_TRUE(TabTo(dialog, list));
        ASSERT_TRUE(list->selectedItems().isEmpty());
        Key(dialog, Qt::Key_Return);
        EXPECT_EQ(m_opened, QStringList{home});
        EXPECT_TRUE(dialog.isVisible()) << "Enter on the list did not press OK";
        test::Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(person);
    ASSERT_EQ(m_opened.size(), 1);

    LogInAsAdministrator();
    m_steps.Add(QStringLiteral("ListForm"), [&](QDialog& window) {
        auto* list = Child<QTreeWidget>(window, "lstvwList");
        m_steps.Add(QStringLiteral("UserForm"), [&](QDialog& user) {
            m_opened << test::TextOf(user, "txtUsername");
            Key(user, Qt::Key_Escape);
        });
        ASSERT_TRUE(TabTo(window, list));
        ASSERT_TRUE(list->selectedItems().isEmpty());
        Key(window, Qt::Key_Return);
        EXPECT_EQ(m_opened.value(1), QStringLiteral("ADMIN"));
        EXPECT_TRUE(window.isVisible()) << "Enter on the list did not close it";
        Key(window, Qt::Key_Escape);
    });
    m_loader->ShowListWindow(amb::EnumWindowType::User);
    EXPECT_EQ(m_opened.size(), 2);
}

TEST_F(KeyboardTest, EnterOnTheBatchWindowsButtonsSubmitsAndTheCloseQuestionKeepsTheRows) {
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        auto* submit = Child<QPushButton>(batch, "cmdSubmit");
        EXPECT_FALSE(submit->isEnabled()) << "no row waits";
        EXPECT_FALSE(Child<QPushButton>(batch, "cmdReset")->isEnabled());
        AddEntry(QStringLiteral("10"));
        AddEntry(QStringLiteral("20"));
        ASSERT_TRUE(TabTo(batch, list));
        Key(batch, Qt::Key_Insert);
        Key(batch, Qt::Key_Insert);
        ASSERT_EQ(list->topLevelItemCount(), 2);
        ASSERT_TRUE(TabTo(batch, submit));
        Key(batch, Qt::Key_Return);
        EXPECT_EQ(Offerings(), 2);
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM PersonOffering WHERE Amount IN (100000, 200000)")), 2);
        EXPECT_TRUE(batch.isVisible());
        EXPECT_FALSE(submit->isEnabled()) << "every row was submitted";
        EXPECT_FALSE(Child<QPushButton>(batch, "cmdReset")->isEnabled());

        // A waiting row, then Enter on Close and Enter on the question: No, the row stays.
        AddEntry(QStringLiteral("30"));
        ASSERT_TRUE(TabTo(batch, list));
        Key(batch, Qt::Key_Insert);
        EXPECT_TRUE(submit->isEnabled());
        ASSERT_TRUE(TabTo(batch, Child<QWidget>(batch, "cmdCancel")));
        amb::MessageService::SetAnswerer({}); // the real box, answered by its keys
        QString asked;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = box->text();
            Key(*box, Qt::Key_Return);
        });
        Key(batch, Qt::Key_Return);
        EXPECT_EQ(asked, Text(kMsgBatchRowsNotSaved));
        EXPECT_TRUE(batch.isVisible());
        EXPECT_EQ(list->topLevelItemCount(), 3);
        ASSERT_TRUE(TabTo(batch, submit));
        Key(batch, Qt::Key_Return);
        Key(batch, Qt::Key_Escape); // nothing waits: no question
    });
    m_loader->ShowBatchOfferingWindow();
    EXPECT_EQ(Offerings(), 3);
}

TEST_F(KeyboardTest, TheBatchWindowsNewEditAndRemoveAreKeys) {
    const auto addEntry = [this](const QString& amount) { AddEntry(amount); };
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        addEntry(QStringLiteral("10"));
        ASSERT_TRUE(TabTo(batch, ButtonOf(batch, "tbarBatch", 1)));
        Key(batch, Qt::Key_Return);
        ASSERT_EQ(list->topLevelItemCount(), 1);
        addEntry(QStringLiteral("20"));
        ASSERT_TRUE(TabTo(batch, list));
        Key(batch, Qt::Key_Insert);
        ASSERT_EQ(list->topLevelItemCount(), 2);

        // Edit: Enter on the second row opens it with its amount.
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [this](QDialog& entry) {
            m_opened << test::TextOf(entry, "txtAmount");
            test::TypeText(entry, "txtAmount", QStringLiteral("25"));
            Key(entry, Qt::Key_Return);
        });
        Key(batch, Qt::Key_Down);
        Key(batch, Qt::Key_Down);
        Key(batch, Qt::Key_Return);
        ASSERT_EQ(m_opened.size(), 1);
        EXPECT_EQ(m_opened[0].left(2), QStringLiteral("20"));
        EXPECT_EQ(list->topLevelItem(1)->text(3).left(2), QStringLiteral("25"));
        EXPECT_TRUE(batch.isVisible());

        // Remove: Delete on the selected first row; nothing is selected afterwards.
        Key(batch, Qt::Key_Home);
        ASSERT_EQ(list->currentItem(), list->topLevelItem(0));
        Key(batch, Qt::Key_Delete);
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(3).left(2), QStringLiteral("25"));
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_FALSE(test::ToolButton(batch, "tbarBatch", 2)->isEnabled());
        EXPECT_FALSE(test::ToolButton(batch, "tbarBatch", 3)->isEnabled());
        Key(batch, Qt::Key_Delete);
        EXPECT_EQ(list->topLevelItemCount(), 1);
        test::Click(batch, "cmdSubmit");
        Key(batch, Qt::Key_Escape);
    });
    m_loader->ShowBatchOfferingWindow();
    EXPECT_EQ(Offerings(), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Amount FROM PersonOffering")).ToCurrency(),
              platform::Currency::FromTicks(250000));
}

TEST_F(KeyboardTest, ALookUpListTakesNewAndDeleteFromTheKeyboard) {
    const QString name = QStringLiteral("Engaged");
    // Look-up lists are changed by an administrator.
    LogInAsAdministrator();
    m_steps.Add(QStringLiteral("ListForm"), [&](QDialog& window) {
        auto* list = Child<QTreeWidget>(window, "lstvwList");
        m_steps.Add(QStringLiteral("NameForm"), [&](QDialog& entry) {
            EXPECT_EQ(entry.focusWidget(), Child<QWidget>(entry, "txtName"));
            for (const QChar c : name)
                QTest::keyClick(entry.focusWidget(), c.toLatin1());
            Key(entry, Qt::Key_Return);
        });
        ASSERT_TRUE(TabTo(window, ButtonOf(window, "tbarList", 1)));
        Key(window, Qt::Key_Return);
        ASSERT_TRUE(TabTo(window, list));
        ASSERT_TRUE(ArrowTo(window, list, name));
        m_messages.Answer(amb::MessageResult::Yes);
        Key(window, Qt::Key_Delete);
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgConfirmDelete)});
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_FALSE(test::ToolButton(window, "tbarList", 3)->isEnabled());
        // Enter in the list with no current row does nothing; it never closes the window.
        Key(window, Qt::Key_Return);
        EXPECT_TRUE(window.isVisible());
        Key(window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    });
    m_loader->ShowListWindow(amb::EnumWindowType::MaritalStatus);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MaritalStatus WHERE MaritalStatus=? AND IsDeleted=0"), {name}),
              0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MaritalStatus WHERE MaritalStatus=?"), {name}), 1);
}

TEST_F(KeyboardTest, TheMemberGridRemovesByKeyAndLeavesNothingSelected) {
    const int32_t head = NewPerson(QStringLiteral("Han"));
    const int32_t family = NewFamily(QStringLiteral("Han family"), head);
    for (const char* last : {"Han", "Lim", "Moon"})
        db->UpdatePersonToFamily(test::Record({{"ID", 0},
                                               {"PersonID", NewPerson(QString::fromLatin1(last), QStringLiteral("Jo"))},
                                               {"FamilyID", family}}));
    m_steps.Add(QStringLiteral("FamilyGroupForm"), [&](QDialog& window) {
        auto* list = Child<QTreeWidget>(window, "lstvwMember");
        ASSERT_EQ(list->topLevelItemCount(), 4);
        ASSERT_TRUE(TabTo(window, list));
        ASSERT_TRUE(ArrowTo(window, list, QStringLiteral("Lim, Jo")));
        m_messages.Answer(amb::MessageResult::Yes);
        Key(window, Qt::Key_Delete);
        EXPECT_EQ(list->topLevelItemCount(), 3);
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_FALSE(test::ToolButton(window, "tbarMember", 3)->isEnabled());
        Key(window, Qt::Key_Delete);
        EXPECT_EQ(list->topLevelItemCount(), 3) << "a second Delete removes nobody";
        // Insert opens the window that adds a member.
        m_steps.Add(QStringLiteral("AddOptionForm"), [this](QDialog& add) {
            m_opened << add.objectName();
            Key(add, Qt::Key_Escape);
        });
        Key(window, Qt::Key_Insert);
        EXPECT_EQ(m_opened, QStringList{QStringLiteral("AddOptionForm")});
        test::Click(window, "cmdCancel");
    });
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgConfirmDelete)});
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=?"), {family}), 3);
}

} // namespace
