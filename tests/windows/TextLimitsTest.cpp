#include "common/ColumnLengths.h"
#include "tests/support/DatabaseWindowTest.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/AddressForm.h"
#include "windows/forms/contact/ContactValueForm.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

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
        auto* tabs = test::Child<QTabWidget>(dialog, "tabMain")->findChild<QTabBar*>();
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(1).center());
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
