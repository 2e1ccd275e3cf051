#include "common/ResourceIDs.h"
#include "tests/support/DatabaseWindowTest.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/AddressForm.h"
#include "windows/forms/contact/ContactValueForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <array>
#include <functional>
#include <memory>

namespace {

using namespace amb::res;
using amb::windows::ContactForm;

// Picks or types a kind as a user does: the kind box's text replaced by typing.
void TypeKind(QDialog& dialog, const QString& kind) {
    auto* box = test::Child<QComboBox>(dialog, "cboName");
    box->setFocus();
    box->lineEdit()->selectAll();
    box->lineEdit()->del();
    QTest::keyClicks(box->lineEdit(), kind);
}

void ChooseState(QDialog& dialog, const QString& state) {
    auto* box = test::Child<QComboBox>(dialog, "cboState");
    box->setFocus();
    box->setCurrentIndex(box->findText(state));
}

QString KindShown(QDialog& dialog) {
    return test::Child<QComboBox>(dialog, "cboName")->currentText();
}

// What differs between the three windows in these tests.
struct ContactCase {
    const char* name;
    std::function<std::unique_ptr<ContactForm>()> make;
    QString table;
    QString valueColumn; // the column the value lands in (the address's first line)
    QString builtInKind; // a kind every new person has a row of
    QString builtInFlag;
    int32_t kindMissing;
    amb::EnumWindowType listWindow;
    int32_t (amb::IDatabaseManager::*remove)(int32_t);
    // Types a complete value; `value` ends up in valueColumn.
    std::function<void(QDialog&, const QString&)> fill;
    // What a box shows of valueColumn after opening.
    std::function<QString(QDialog&)> shown;
};

const ContactCase kCases[] = {
    {"Address", [] { return std::make_unique<amb::windows::AddressForm>(); }, "PersonAddress", "AddressPart1", "Home",
     "IsHomeAddress", kMsgEnterAddressName, amb::EnumWindowType::AddressName,
     &amb::IDatabaseManager::DeletePersonAddress,
     [](QDialog& d, const QString& value) {
         test::TypeText(d, "txtStreetAddress1", value);
         test::TypeText(d, "txtCity", "Springfield");
         ChooseState(d, "IL");
         test::TypeText(d, "txtZipCode", "62701");
     },
     [](QDialog& d) { return test::Child<QLineEdit>(d, "txtStreetAddress1")->text(); }},
    {"EMail", [] { return std::make_unique<amb::windows::EMailAddressForm>(); }, "PersonEMailAddress", "EMailAddress",
     "Personal", "IsPersonalEMailAddress", kMsgEnterEMailAddressName, amb::EnumWindowType::EMailAddressName,
     &amb::IDatabaseManager::DeletePersonEMailAddress,
     [](QDialog& d, const QString& value) { test::TypeText(d, "txtEMailAddress", value); },
     [](QDialog& d) { return test::Child<QLineEdit>(d, "txtEMailAddress")->text(); }},
    {"Phone", [] { return std::make_unique<amb::windows::PhoneNumberForm>(); }, "PersonPhoneNumber", "PhoneNumber",
     "Cell", "IsCellPhoneNumber", kMsgEnterPhoneNumberName, amb::EnumWindowType::PhoneNumberName,
     &amb::IDatabaseManager::DeletePersonPhoneNumber,
     [](QDialog& d, const QString& value) { test::TypeText(d, "txtPhoneNumber", value); },
     [](QDialog& d) { return test::Child<QLineEdit>(d, "txtPhoneNumber")->text(); }},
};

void PrintTo(const ContactCase& c, std::ostream* os) {
    *os << c.name;
}

class ContactFormTest : public test::DatabaseWindowTest {
protected:
    ContactFormTest() { m_person = NewPerson("Kim"); }

    // Opens a window as the person window does; `step` fills and presses it. The window's ID and
    // Response afterwards, or {-1, 0} when it was not shown.
    struct Outcome {
        int32_t id;
        int16_t response;
    };
    Outcome Open(const ContactCase& c, int32_t id, const test::ModalScript::Step& step) {
        const std::unique_ptr<ContactForm> form = c.make();
        form->SetID(id);
        form->SetPersonID(m_person);
        form->SetWindowLoader(m_loader);
        if (form->UpdateForm() <= 0)
            return {-1, 0};
        test::ModalScript script(step);
        amb::ModalRunner::Run(*form);
        return {form->ID(), form->Response()};
    }
    int RowsOf(const ContactCase& c) {
        return Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PersonID=?").arg(c.table), {m_person});
    }
    platform::Variant Column(const ContactCase& c, const QString& column, int32_t id) {
        return Value(QStringLiteral("SELECT %1 FROM %2 WHERE ID=?").arg(column, c.table), {id});
    }
    int32_t BuiltInRow(const ContactCase& c) {
        return Value(QStringLiteral("SELECT ID FROM %1 WHERE PersonID=? AND %2=1").arg(c.table, c.builtInFlag),
                     {m_person})
            .ToInt();
    }

    // The kind lists' window, answered by a fake loader; the real loader comes back at the end of the
    // test.
    std::shared_ptr<test::FakeWindowLoader> FakeListWindows() {
        auto lists = std::make_shared<test::FakeWindowLoader>();
        lists->SetAmbApplication(m_hub);
        m_hub->SetWindowLoader(lists);
        return lists;
    }
    void TearDown() override { m_hub->SetWindowLoader(m_loader); }

    int32_t m_person = 0;
};

class EachContactWindow : public ContactFormTest, public ::testing::WithParamInterface<ContactCase> {};

TEST_P(EachContactWindow, AddSavesARowAndEditChangesIt) {
    const ContactCase& c = GetParam();
    const int before = RowsOf(c);
    const Outcome added = Open(c, 0, [&](QDialog& d) {
        EXPECT_EQ(test::Child<QPushButton>(d, "cmdCancel")->text(), Text(kCaptionCancel));
        EXPECT_TRUE(test::Child<QComboBox>(d, "cboName")->isEnabled());
        // A blank kind is asked for first; nothing is saved.
        c.fill(d, "first");
        test::Click(d, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(c.kindMissing)});
        EXPECT_EQ(d.focusWidget(), test::Child<QComboBox>(d, "cboName"));
        TypeKind(d, "Other");
        test::Click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.windowTitle(), "Other - " + d.findChild<QObject*>("fhMain")->property("Heading").toString());
    });
    ASSERT_GT(added.id, 0);
    EXPECT_EQ(added.response, 1);
    EXPECT_EQ(RowsOf(c), before + 1);
    EXPECT_EQ(Column(c, "Name", added.id).ToString(), "Other");
    EXPECT_EQ(Column(c, c.valueColumn, added.id).ToString(), "first");

    const Outcome edited = Open(c, added.id, [&](QDialog& d) {
        EXPECT_EQ(KindShown(d), "Other");
        EXPECT_EQ(c.shown(d), "first");
        EXPECT_EQ(test::Child<QPushButton>(d, "cmdCancel")->text(), Text(kCaptionClose));
        // Its own kind does not count against it.
        c.fill(d, "  second ");
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(edited.id, added.id);
    EXPECT_EQ(edited.response, 1);
    EXPECT_EQ(RowsOf(c), before + 1);
    EXPECT_EQ(Column(c, c.valueColumn, added.id).ToString(), "second");
    EXPECT_EQ(m_messages.Shown().size(), 1);

    // Cancel saves nothing, and a row that is gone is not shown.
    EXPECT_EQ(Open(c, added.id,
                   [&](QDialog& d) {
                       c.fill(d, "third");
                       test::Click(d, "cmdCancel");
                   })
                  .response,
              2);
    EXPECT_EQ(Column(c, c.valueColumn, added.id).ToString(), "second");
    EXPECT_EQ(Open(c, 99999, [](QDialog&) { ADD_FAILURE() << "shown"; }).id, -1);
    EXPECT_EQ(m_messages.Texts().last(), Text(kMsgRecordNotFound));
}

TEST_P(EachContactWindow, AKindAnotherRowHasIsRefused) {
    const ContactCase& c = GetParam();
    const int before = RowsOf(c);
    const Outcome refused = Open(c, 0, [&](QDialog& d) {
        TypeKind(d, c.builtInKind);
        c.fill(d, "x");
        test::Click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), test::Child<QComboBox>(d, "cboName"));
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(refused.response, 2);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgNameExists)});
    EXPECT_EQ(RowsOf(c), before);

    // Another person's rows do not count.
    const int32_t other = NewPerson("Lee");
    EXPECT_GT(other, 0);
    const Outcome second = Open(c, 0, [&](QDialog& d) {
        TypeKind(d, "Other");
        c.fill(d, "y");
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(second.response, 1);
    EXPECT_EQ(m_messages.Shown().size(), 1);
}

TEST_P(EachContactWindow, ABuiltInRowKeepsItsKindAndCanBeEmptied) {
    const ContactCase& c = GetParam();
    const int32_t builtIn = BuiltInRow(c);
    ASSERT_GT(builtIn, 0);
    Open(c, builtIn, [&](QDialog& d) {
        EXPECT_FALSE(test::Child<QComboBox>(d, "cboName")->isEnabled());
        EXPECT_EQ(KindShown(d), c.builtInKind);
        c.fill(d, "filled");
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(Column(c, c.valueColumn, builtIn).ToString(), "filled");

    Open(c, builtIn, [&](QDialog& d) {
        EXPECT_FALSE(test::Child<QComboBox>(d, "cboName")->isEnabled());
        for (QLineEdit* box : d.findChildren<QLineEdit*>())
            if (box->objectName().startsWith("txt"))
                box->clear();
        if (auto* state = d.findChild<QComboBox*>("cboState"))
            state->setCurrentIndex(0);
        test::Click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_TRUE(Column(c, c.valueColumn, builtIn).IsNull());
    EXPECT_EQ(Column(c, "Name", builtIn).ToString(), c.builtInKind);
    EXPECT_NE(Column(c, c.builtInFlag, builtIn).ToInt(), 0);
    // The database refuses to delete it too.
    EXPECT_EQ((db.get()->*c.remove)(builtIn), -1);
    EXPECT_EQ(Column(c, "Name", builtIn).ToString(), c.builtInKind);
}

TEST_P(EachContactWindow, TypingRightAfterOpeningABuiltInRowFillsItsValue) {
    const ContactCase& c = GetParam();
    const auto lists = FakeListWindows();
    const int32_t builtIn = BuiltInRow(c);
    Open(c, builtIn, [&](QDialog& d) {
        // The kind is fixed; the cursor waits in the value, not on the kind list's button.
        ASSERT_NE(d.focusWidget(), nullptr);
        QTest::keyClicks(d.focusWidget(), "12 Elm");
        EXPECT_EQ(c.shown(d), "12 Elm");
        test::Click(d, "cmdCancel");
    });
    EXPECT_TRUE(lists->calls.isEmpty());
}

TEST_P(EachContactWindow, ATypedKindIsKeptThroughSaveReopenAndTheKindList) {
    const ContactCase& c = GetParam();
    const auto lists = FakeListWindows();
    const int lookupRows = Count("SELECT COUNT(*) FROM AddressName") + Count("SELECT COUNT(*) FROM PhoneNumberName") +
                           Count("SELECT COUNT(*) FROM EMailAddressName");

    const Outcome added = Open(c, 0, [&](QDialog& d) {
        TypeKind(d, "  Summer house ");
        c.fill(d, "z");
        test::Click(d, "cmdName");
        EXPECT_EQ(KindShown(d), "  Summer house ");
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(lists->calls, QStringList{QStringLiteral("ShowListWindow(%1)").arg(static_cast<int>(c.listWindow))});
    EXPECT_EQ(Column(c, "Name", added.id).ToString(), "Summer house");

    Open(c, added.id, [&](QDialog& d) {
        EXPECT_EQ(KindShown(d), "Summer house");
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(Column(c, "Name", added.id).ToString(), "Summer house");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM AddressName") + Count("SELECT COUNT(*) FROM PhoneNumberName") +
                  Count("SELECT COUNT(*) FROM EMailAddressName"),
              lookupRows);
}

TEST_P(EachContactWindow, ASaveTheDatabaseRefusesKeepsTheInput) {
    const ContactCase& c = GetParam();
    FailWrites(c.table);
    const int before = RowsOf(c);
    const Outcome outcome = Open(c, 0, [&](QDialog& d) {
        // The kind list's button is on.
        EXPECT_TRUE(test::Child<QPushButton>(d, "cmdName")->isEnabled());
        TypeKind(d, "Other");
        c.fill(d, "kept");
        test::Click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(KindShown(d), "Other");
        EXPECT_EQ(c.shown(d), "kept");
        raw->Execute(QStringLiteral("DROP TRIGGER fail_insert_%1").arg(c.table));
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSaveFailed)});
    EXPECT_EQ(outcome.response, 1);
    EXPECT_EQ(RowsOf(c), before + 1);
    EXPECT_EQ(Column(c, c.valueColumn, outcome.id).ToString(), "kept");
}

INSTANTIATE_TEST_SUITE_P(, EachContactWindow, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ContactCase>& info) {
                             return std::string(info.param.name);
                         });

const ContactCase& kAddress = kCases[0];

TEST_F(ContactFormTest, EachRequiredAddressFieldIsAskedForInOrder) {
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::USFormat);
    Open(kAddress, 0, [&](QDialog& d) {
        EXPECT_FALSE(test::Child<QWidget>(d, "fraAddressFormat(0)")->isVisible());
        // A new address with nothing filled is refused: first for its kind, then for its address.
        test::Click(d, "cmdOK");
        TypeKind(d, "Other");
        test::TypeText(d, "txtStreetAddress2", "Apt 4");
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"txtStreetAddress1", [&] { test::TypeText(d, "txtStreetAddress1", "1 Main St"); }},
            {"txtCity", [&] { test::TypeText(d, "txtCity", "Springfield"); }},
            {"cboState", [&] { ChooseState(d, "IL"); }},
            {"txtZipCode", [&] { test::TypeText(d, "txtZipCode", "62701"); }},
        };
        for (const auto& [focus, fill] : steps) {
            test::Click(d, "cmdOK");
            EXPECT_EQ(d.focusWidget()->objectName(), focus);
            fill();
        }
        test::Click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(m_messages.Texts(), (QStringList{Text(kMsgEnterAddressName), Text(kMsgEnterStreetAddress),
                                               Text(kMsgEnterCity), Text(kMsgSelectState), Text(kMsgEnterZipCode)}));
    EXPECT_EQ(
        Count("SELECT COUNT(*) FROM PersonAddress WHERE Name='Other' AND AddressPart1='1 Main St' AND "
              "AddressPart2='Apt 4' AND AddressPart3='Springfield' AND AddressPart4='IL' AND AddressPart5='62701'"),
        1);

    m_messages.Clear();
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    const Outcome free = Open(kAddress, 0, [&](QDialog& d) {
        EXPECT_FALSE(test::Child<QWidget>(d, "fraAddressFormat(1)")->isVisible());
        TypeKind(d, "Summer");
        test::TypeText(d, "txtAddressPart2", "line two");
        test::Click(d, "cmdOK");
        EXPECT_EQ(d.focusWidget()->objectName(), "txtAddressPart1");
        test::TypeText(d, "txtAddressPart1", "Haeundae-ro 1");
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgEnterAddress)});
    EXPECT_EQ(Value("SELECT AddressPart1 || '/' || AddressPart2 FROM PersonAddress WHERE ID=?", {free.id}).ToString(),
              "Haeundae-ro 1/line two");
    EXPECT_TRUE(Value("SELECT AddressPart3 FROM PersonAddress WHERE ID=?", {free.id}).IsNull());
}

TEST_F(ContactFormTest, TheFormatReadAtEachOpeningChoosesTheFieldsAndEmptiesTheOther) {
    const int32_t id = db->UpdatePersonAddress(test::Record({{"ID", 0},
                                                             {"PersonID", m_person},
                                                             {"Name", "Other"},
                                                             {"AddressPart1", "1 Main St"},
                                                             {"AddressPart2", "Apt 4"},
                                                             {"AddressPart3", "Springfield"},
                                                             {"AddressPart4", "IL"},
                                                             {"AddressPart5", "62701"}}));
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::USFormat);
    Open(kAddress, id, [&](QDialog& d) {
        EXPECT_EQ(test::Child<QComboBox>(d, "cboState")->currentText(), "IL");
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtZipCode")->text(), "62701");
        for (QLineEdit* part : test::Child<QWidget>(d, "fraAddressFormat(0)")->findChildren<QLineEdit*>())
            EXPECT_TRUE(part->text().isEmpty() && !part->isEnabled());
        test::Click(d, "cmdCancel");
    });

    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    Open(kAddress, id, [&](QDialog& d) {
        EXPECT_EQ(test::Child<QLineEdit>(d, "txtAddressPart4")->text(), "IL");
        for (QLineEdit* box : test::Child<QWidget>(d, "fraAddressFormat(1)")->findChildren<QLineEdit*>())
            EXPECT_TRUE(box->text().isEmpty() && !box->isEnabled());
        EXPECT_EQ(test::Child<QComboBox>(d, "cboState")->currentIndex(), 0);
        test::TypeText(d, "txtAddressPart5", "");
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(Value("SELECT AddressPart4 FROM PersonAddress WHERE ID=?", {id}).ToString(), "IL");
    EXPECT_TRUE(Value("SELECT AddressPart5 FROM PersonAddress WHERE ID=?", {id}).IsNull());
    EXPECT_TRUE(m_messages.Shown().empty());
}

} // namespace

namespace {

class KoreanContactWindow : public test::DatabaseWindowTest, public ::testing::WithParamInterface<ContactCase> {
protected:
    KoreanContactWindow() : DatabaseWindowTest(amb::EnumSupportedLocaleID::Korean, 1042) {}
};

// The built-in rows carry the Korean kind names of a Korean database, and a new row takes a kind of
// the Korean list.
TEST_P(KoreanContactWindow, BuiltInRowsShowTheirKoreanKinds) {
    const ContactCase& c = GetParam();
    const int32_t person = NewPerson("김");
    const int32_t builtIn =
        Value(QStringLiteral("SELECT ID FROM %1 WHERE PersonID=? AND %2=1").arg(c.table, c.builtInFlag), {person})
            .ToInt();
    const std::unique_ptr<ContactForm> form = c.make();
    form->SetID(builtIn);
    form->SetPersonID(person);
    form->SetWindowLoader(m_loader);
    ASSERT_EQ(form->UpdateForm(), 1);
    test::ModalScript script([&](QDialog& d) {
        const QString kind = KindShown(d);
        EXPECT_FALSE(kind.isEmpty());
        EXPECT_EQ(kind, Value(QStringLiteral("SELECT Name FROM %1 WHERE ID=?").arg(c.table), {builtIn}).ToString());
        EXPECT_TRUE(d.windowTitle().startsWith(kind + " - "));
        test::Click(d, "cmdOK");
    });
    amb::ModalRunner::Run(*form);
    EXPECT_EQ(form->Response(), 1);
}

INSTANTIATE_TEST_SUITE_P(, KoreanContactWindow, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ContactCase>& info) {
                             return std::string(info.param.name);
                         });

// One word for the kind of a contact row in each language: the window's label, the name of its "+"
// button and the title of the kind list that the button opens.
struct KindWords {
    amb::EnumSupportedLocaleID language;
    int32_t databaseLcid;
    const char* label;
    std::array<const char*, 3> lists; // in the order of kCases
    const char* listWord;
};

const KindWords kKindWords[] = {
    {amb::EnumSupportedLocaleID::English, 1033, "Name*", {"Address Name", "E-mail Address Name", "Phone Number Name"},
     "List"},
    {amb::EnumSupportedLocaleID::Korean, 1042, "종류*", {"주소 종류", "이메일 주소 종류", "전화번호 종류"}, "목록"},
};

class ContactKindWord : public test::DatabaseWindowTest, public ::testing::WithParamInterface<KindWords> {
protected:
    ContactKindWord() : DatabaseWindowTest(GetParam().language, GetParam().databaseLcid) {}
};

TEST_P(ContactKindWord, TheLabelTheButtonAndTheKindListSayTheSameWord) {
    const KindWords& words = GetParam();
    const int32_t person = NewPerson("Kim");
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        SCOPED_TRACE(kCases[i].name);
        const QString list = QString::fromUtf8(words.lists[i]);
        const std::unique_ptr<ContactForm> form = kCases[i].make();
        form->SetPersonID(person);
        form->SetWindowLoader(m_loader);
        ASSERT_EQ(form->UpdateForm(), 1);
        QString listTitle;
        test::ModalScript script([&](QDialog& d) {
            if (d.objectName() == QLatin1String("ListForm")) {
                listTitle = d.windowTitle();
                return;
            }
            EXPECT_EQ(test::Child<QLabel>(d, "lblName")->text(), QString::fromUtf8(words.label));
            EXPECT_EQ(test::Child<QPushButton>(d, "cmdName")->accessibleName(), list);
            test::Click(d, "cmdName");
        });
        amb::ModalRunner::Run(*form);
        EXPECT_EQ(listTitle, list + u' ' + QString::fromUtf8(words.listWord));
    }
}

INSTANTIATE_TEST_SUITE_P(, ContactKindWord, ::testing::ValuesIn(kKindWords),
                         [](const ::testing::TestParamInfo<KindWords>& info) {
                             return std::to_string(info.param.databaseLcid);
                         });

} // namespace
