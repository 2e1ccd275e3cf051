#include "common/ColumnLengths.h"
#include "common/GlobalModule.h"
#include "tests/support/DatabaseWindowTest.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/AddressForm.h"
#include "windows/forms/contact/ContactValueForm.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

using amb::EnumWindowType;

// Clicks into a box and types 256 characters, as a person keeps typing past the end.
void TypePastTheEnd(QDialog& dialog, const char* name, QChar letter) {
    auto* box = test::Child<QWidget>(dialog, name);
    if (auto* combo = qobject_cast<QComboBox*>(box))
        box = combo->lineEdit();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QString(256, letter));
}

struct Box {
    const char* name;
    const char* column; // in the case's table
};

struct Case {
    const char* window;
    const char* table;
    std::vector<Box> boxes;
    // Opens the window on a record; `step` types and presses OK. Returns the stored row's id.
    std::function<int32_t(const test::ModalScript::Step&)> open;
    // Whatever else the window needs before it saves.
    std::function<void(QDialog&)> complete;
};

class TextLimitsTest : public test::DatabaseWindowTest {
protected:
    QString Stored(const char* table, const char* column, int32_t id) {
        return Value(QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE ID=?")
                         .arg(QLatin1String(column), QLatin1String(table)),
                     {id})
            .ToString();
    }
};

// A member of a family or group as its window opens him: a double-click on his row in the member grid.
// Returns the id of his membership row.
int32_t OpenMember(const std::function<void()>& openOwner, const QString& member,
                   const std::function<int32_t()>& membership, const test::ModalScript::Step& step) {
    test::ModalScript script([&](QDialog& dialog) {
        if (dialog.objectName() != QLatin1String("FamilyGroupForm"))
            return step(dialog);
        auto* grid = test::Child<QTreeWidget>(dialog, "lstvwMember");
        const QList<QTreeWidgetItem*> rows = grid->findItems(member, Qt::MatchExactly, 0);
        ASSERT_EQ(rows.size(), 1);
        const QPoint at = grid->visualItemRect(rows.first()).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        test::Click(dialog, "cmdCancel");
    });
    openOwner();
    return membership();
}

// A member the person window can save: the sex and member status it asks for.
void CompleteMember(QDialog& dialog) {
    for (const char* name : {"cboSex", "cboMemberStatus"}) {
        auto* box = test::Child<QComboBox>(dialog, name);
        if (box->currentIndex() < 1)
            box->setCurrentIndex(1);
    }
}

// A contact window as the person window opens it: a new row of that person.
template <class Form>
int32_t OpenContact(int32_t person, const std::shared_ptr<amb::IWindowLoader>& loader,
                    const test::ModalScript::Step& step) {
    Form form;
    form.SetID(0);
    form.SetPersonID(person);
    form.SetWindowLoader(loader);
    if (form.UpdateForm() <= 0)
        return -1;
    test::ModalScript script(step);
    amb::ModalRunner::Run(form);
    return form.ID();
}

TEST_F(TextLimitsTest, EveryBoxStopsAtItsColumnsLength) {
    const int32_t person = NewPerson(QStringLiteral("Kim"));
    const int32_t family = NewFamily(QStringLiteral("Kim family"), person);
    const int32_t group = NewGroup(QStringLiteral("Choir"), person);
    const int32_t member = NewPerson(QStringLiteral("Lee"), QStringLiteral("Bo"));
    db->UpdatePersonToFamily(test::Record({{"ID", 0}, {"PersonID", member}, {"FamilyID", family}}));
    db->UpdatePersonToGroup(test::Record({{"ID", 0}, {"PersonID", member}, {"GroupID", group}}));
    const QString memberName = amb::FormatPersonName("Bo", "", "Lee", "", "");
    const auto membership = [&](const char* table, const char* owner, int32_t id) {
        return Value(QStringLiteral("SELECT ID FROM %1 WHERE %2=? AND PersonID=?")
                         .arg(QLatin1String(table), QLatin1String(owner)),
                     {id, member})
            .ToInt();
    };
    const Case cases[] = {
        {"AddressForm",
         "PersonAddress",
         {{"cboName", "Name"},
          {"txtStreetAddress1", "AddressPart1"},
          {"txtStreetAddress2", "AddressPart2"},
          {"txtCity", "AddressPart3"}},
         [&](const auto& step) { return OpenContact<amb::windows::AddressForm>(person, m_loader, step); },
         [](QDialog& d) {
             auto* state = test::Child<QComboBox>(d, "cboState");
             state->setCurrentIndex(state->findText(QStringLiteral("IL")));
             test::TypeText(d, "txtZipCode", QStringLiteral("62701"));
         }},
        {"PhoneNumberForm",
         "PersonPhoneNumber",
         {{"cboName", "Name"}, {"txtPhoneNumber", "PhoneNumber"}},
         [&](const auto& step) { return OpenContact<amb::windows::PhoneNumberForm>(person, m_loader, step); },
         {}},
        {"EMailAddressForm",
         "PersonEMailAddress",
         {{"cboName", "Name"}, {"txtEMailAddress", "EMailAddress"}},
         [&](const auto& step) { return OpenContact<amb::windows::EMailAddressForm>(person, m_loader, step); },
         {}},
        {"FamilyGroupForm",
         "Family",
         {{"txtName", "Name"}},
         [&](const auto& step) {
             test::ModalScript script(step);
             return m_loader->ShowFamilyWindow(family);
         },
         {}},
        {"FamilyGroupForm",
         "Group",
         {{"txtName", "Name"}},
         [&](const auto& step) {
             test::ModalScript script(step);
             return m_loader->ShowGroupWindow(group);
         },
         {}},
        // The relationship and position of a member, typed in the person window the member grid opens.
        {"MemberForm",
         "PersonToFamily",
         {{"cboFamilyGroup", "Relationship"}},
         [&](const auto& step) {
             return OpenMember([&] { m_loader->ShowFamilyWindow(family); }, memberName,
                               [&] { return membership("PersonToFamily", "FamilyID", family); }, step);
         },
         CompleteMember},
        {"MemberForm",
         "PersonToGroup",
         {{"cboFamilyGroup", "Position"}},
         [&](const auto& step) {
             return OpenMember([&] { m_loader->ShowGroupWindow(group); }, memberName,
                               [&] { return membership("PersonToGroup", "GroupID", group); }, step);
         },
         CompleteMember},
        {"UserForm",
         "User",
         {{"txtUsername", "Username"}, {"txtName", "Name"}, {"txtEMailAddress", "EMailAddress"}},
         [&](const auto& step) {
             test::ModalScript script(step);
             return m_loader->ShowUserWindow(0);
         },
         [](QDialog& d) {
             test::TypeText(d, "txtPassword", QStringLiteral("pw 1"));
             test::TypeText(d, "txtConfirmPassword", QStringLiteral("pw 1"));
         }},
        {"NameForm",
         "GroupType",
         {{"txtName", "GroupType"}},
         [&](const auto& step) {
             test::ModalScript script(step);
             m_loader->ShowNameWindow(EnumWindowType::GroupType, 0);
             return Value(QStringLiteral("SELECT MAX(ID) FROM GroupType")).ToInt();
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.table);
        const int32_t id = c.open([&](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), QLatin1String(c.window));
            char16_t letter = u'a';
            for (const Box& box : c.boxes)
                TypePastTheEnd(dialog, box.name, QChar(letter++));
            if (c.complete)
                c.complete(dialog);
            test::Click(dialog, "cmdOK");
            EXPECT_FALSE(dialog.isVisible());
        });
        ASSERT_GT(id, 0);
        EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
        m_messages.Clear();
        char16_t letter = u'a';
        for (const Box& box : c.boxes) {
            const QString stored = Stored(c.table, box.column, id);
            EXPECT_EQ(stored.size(), amb::DeclaredLength(c.table, box.column)) << box.name;
            EXPECT_EQ(stored.compare(QString(255, QChar(letter++)), Qt::CaseInsensitive), 0) << box.name;
        }
    }
}

// A note takes a whole page of text pasted at once, up to the memo length.
TEST_F(TextLimitsTest, ANotePastedPastTheMemoLengthIsCutThere) {
    const int32_t family = NewFamily(QStringLiteral("Kim family"), NewPerson(QStringLiteral("Kim")));
    test::ModalScript script([&](QDialog& dialog) {
        test::ClickTab(dialog, "tabMain", 1);
        auto* note = test::Child<QPlainTextEdit>(dialog, "txtNote");
        QTest::mouseClick(note->viewport(), Qt::LeftButton, Qt::NoModifier, note->viewport()->rect().center());
        QTest::keyClicks(note, QStringLiteral("Start "));
        QApplication::clipboard()->setText(QString(amb::kMemoLength, QLatin1Char('n')));
        QTest::keyClick(note, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(note->toPlainText().size(), amb::kMemoLength);
        // Nothing more goes in, also where the text starts.
        QTest::keyClick(note, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(note, QStringLiteral("x"));
        EXPECT_EQ(note->toPlainText().size(), amb::kMemoLength);
        test::Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowFamilyWindow(family), family);
    const QString stored = Value(QStringLiteral("SELECT Note FROM Family WHERE ID=?"), {family}).ToString();
    EXPECT_EQ(stored.size(), amb::kMemoLength);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("Start nnn")));
}

} // namespace
