#include "tests/windows/member/MemberFormFixture.h"

#include "tests/support/RecordingOpener.h"

#include <QToolButton>
#include <QUrl>

#include <functional>

namespace test {
namespace {

using namespace amb::res;
using amb::EnumFamilyGroup;

void DoubleClickRow(QWidget& dialog, const char* list, int row) {
    auto* tree = Child<QTreeWidget>(dialog, list);
    const QPoint at = tree->visualItemRect(tree->topLevelItem(row)).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

int RowNamed(QWidget& dialog, const char* list, const QString& name) {
    const QStringList rows = Rows(dialog, list);
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].section('|', 0, 0) == name)
            return i;
    return -1;
}

// A contact list of the person window and its window.
struct ListCase {
    const char* name;
    int page;
    const char* list;
    const char* bar;
    const char* table;
    const char* valueBox; // the box of the window that the list's second column shows
    const char* valueColumn;
};

const ListCase kLists[] = {
    {"Address", 0, "lstvwAddress", "tbarAddress", "PersonAddress", "txtAddressPart1", "AddressPart1"},
    {"Phone", 1, "lstvwPhoneNumber", "tbarPhoneNumber", "PersonPhoneNumber", "txtPhoneNumber", "PhoneNumber"},
    {"EMail", 2, "lstvwEMailAddress", "tbarEMailAddress", "PersonEMailAddress", "txtEMailAddress", "EMailAddress"},
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

class MemberFormListCommandsTest : public MemberFormTest {
protected:
    MemberFormListCommandsTest() {
        // The free address format has one box per line, like the other two windows.
        m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
        m_person = NewPerson("Seo");
        raw->Execute("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=?", {m_person});
    }

    // Opens the person window; `person` runs on it, `detail` on every window opened from it.
    void OpenPerson(const std::function<void(QDialog&)>& person, const std::function<void(QDialog&)>& detail = {},
                    EnumFamilyGroup parent = EnumFamilyGroup::None, int32_t familyGroup = 0) {
        ModalScript script([&](QDialog& dialog) {
            if (dialog.objectName() == "MemberForm")
                person(dialog);
            else if (detail)
                detail(dialog);
        });
        m_loader->ShowPersonWindow(m_person, parent, familyGroup);
    }

    int32_t m_person = 0;
};

class EachPersonList : public MemberFormListCommandsTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(EachPersonList, NewEditAndDeleteGoThroughTheRowsWindow) {
    const ListCase& c = GetParam();
    const QString count = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PersonID=?").arg(c.table);
    const int before = Count(count, {m_person});
    QString value = "first";
    OpenPerson(
        [&](QDialog& dialog) {
            ClickPage(dialog, c.page);
            ClickTool(dialog, c.bar, 1);
            ASSERT_GE(RowNamed(dialog, c.list, "Other"), 0) << "the list shows the new row";
            EXPECT_TRUE(Rows(dialog, c.list).contains("Other|first"));

            value = "second";
            DoubleClickRow(dialog, c.list, RowNamed(dialog, c.list, "Other"));
            EXPECT_TRUE(Rows(dialog, c.list).contains("Other|second"));

            // Delete asks first; No changes nothing, a refused delete leaves the row, Yes removes it.
            const QStringList rows = Rows(dialog, c.list);
            ClickRow(dialog, c.list, RowNamed(dialog, c.list, "Other"));
            m_messages.Answer(amb::MessageResult::No);
            ClickTool(dialog, c.bar, 3);
            EXPECT_EQ(Rows(dialog, c.list), rows);
            raw->Execute(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON %1 BEGIN "
                                        "SELECT RAISE(ABORT, 'refused by test'); END")
                             .arg(c.table));
            m_messages.Answer(amb::MessageResult::Yes);
            ClickTool(dialog, c.bar, 3);
            EXPECT_EQ(Rows(dialog, c.list), rows);
            raw->Execute("DROP TRIGGER keep");
            m_messages.Answer(amb::MessageResult::Yes);
            ClickTool(dialog, c.bar, 3);
            QStringList left = rows;
            left.removeAll("Other|second");
            EXPECT_EQ(Rows(dialog, c.list), left);
        },
        [&](QDialog& detail) {
            TypeCombo(detail, "cboName", "Other");
            TypeText(detail, c.valueBox, value);
            Click(detail, "cmdOK");
        });
    EXPECT_EQ(Count(count, {m_person}), before);
    EXPECT_EQ(m_messages.Texts(), QStringList(3, Text(kMsgConfirmDelete)));
    EXPECT_EQ(m_messages.Shown()[0].style, amb::MessageStyle::YesNo | amb::MessageStyle::Question);
}

INSTANTIATE_TEST_SUITE_P(, EachPersonList, ::testing::ValuesIn(kLists),
                         [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

TEST_F(MemberFormListCommandsTest, SendEMailHandsOverTheWholeAddressAsTheLinksPath) {
    const QString address = "a@b.example?attach=/etc/passwd";
    raw->Execute("UPDATE PersonEMailAddress SET EMailAddress=? WHERE PersonID=? AND IsPersonalEMailAddress=1",
                 {address, m_person});
    const QString personal = Value("SELECT Name FROM PersonEMailAddress WHERE IsPersonalEMailAddress=1").ToString();
    const QString work = Value("SELECT Name FROM PersonEMailAddress WHERE IsWorkEMailAddress=1").ToString();
    OpenerScope shell;
    OpenPerson([&](QDialog& dialog) {
        ClickPage(dialog, 2);
        ClickRow(dialog, "lstvwEMailAddress", RowNamed(dialog, "lstvwEMailAddress", personal));
        ClickTool(dialog, "tbarEMailAddress", 7);
        // An empty address has nothing to write to.
        ClickRow(dialog, "lstvwEMailAddress", RowNamed(dialog, "lstvwEMailAddress", work));
        EXPECT_FALSE(ToolButton(dialog, "tbarEMailAddress", 7)->isEnabled());
        ToolButton(dialog, "tbarEMailAddress", 7)->trigger();
    });
    ASSERT_EQ(shell.opener->opened.size(), 1);
    const QUrl link(shell.opener->opened[0]);
    EXPECT_EQ(link.scheme(), "mailto");
    EXPECT_EQ(link.path(), address);
    EXPECT_TRUE(link.query().isEmpty());
}

TEST_F(MemberFormListCommandsTest, OfferingDeleteRemovesTheRow) {
    const int32_t kept =
        NewOffering(m_person, 2, QDateTime(QDate(2026, 1, 4), QTime(0, 0)), platform::Currency::FromTicks(100000));
    NewOffering(m_person, 2, QDateTime(QDate(2026, 2, 1), QTime(0, 0)), platform::Currency::FromTicks(200000));
    OpenPerson(
        [&](QDialog& dialog) {
            ClickPage(dialog, 5);
            Choose(dialog, "cboOfferingType",
                   Value("SELECT OfferingTypeName FROM OfferingTypeName WHERE ID=2").ToString());
            ASSERT_EQ(Rows(dialog, "lstvwOffering").size(), 2);
            // A double-click opens the offering; the list shows it changed.
            ClickRow(dialog, "lstvwOffering", 0);
            EXPECT_TRUE(ToolButton(dialog, "tbarOffering", 2)->isEnabled());
            DoubleClickRow(dialog, "lstvwOffering", 0);
            EXPECT_EQ(Value("SELECT Amount FROM PersonOffering WHERE ID=?", {kept}).ToCurrency(),
                      platform::Currency::FromTicks(250000));
            ClickRow(dialog, "lstvwOffering", 1);
            ClickTool(dialog, "tbarOffering", 3);
            EXPECT_EQ(Rows(dialog, "lstvwOffering").size(), 1);
        },
        [&](QDialog& offering) {
            EXPECT_EQ(offering.objectName(), QStringLiteral("OfferingExpenseForm"));
            TypeText(offering, "txtAmount", QStringLiteral("25"));
            Click(offering, "cmdOK");
        });
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonOffering"), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonOffering WHERE ID=?", {kept}), 1);
}

TEST_F(MemberFormListCommandsTest, FamilyAndGroupRowsOpenTheirWindowUnlessOpenedFromOne) {
    const int32_t head = NewPerson("Head");
    const int32_t first = NewFamily("A family", head);
    const int32_t second = NewFamily("B family", head);
    const int32_t group = NewGroup("Choir", head);
    for (const int32_t family : {first, second})
        db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", m_person}, {"FamilyID", family}}));
    db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", m_person}, {"GroupID", group}}));

    const auto loader = std::make_shared<FakeWindowLoader>();
    loader->SetAmbApplication(m_hub);
    m_hub->SetWindowLoader(loader);
    OpenPerson([&](QDialog& dialog) {
        ClickPage(dialog, 3);
        DoubleClickRow(dialog, "lstvwFamily", 1);
        auto* families = Child<QTreeWidget>(dialog, "lstvwFamily");
        ASSERT_NE(families->currentItem(), nullptr);
        EXPECT_EQ(families->indexOfTopLevelItem(families->currentItem()), 1);
        EXPECT_TRUE(families->currentItem()->isSelected());
        ClickPage(dialog, 4);
        DoubleClickRow(dialog, "lstvwGroup", 0);
    });
    EXPECT_EQ(loader->calls, (QStringList{QStringLiteral("ShowFamilyWindow(%1)").arg(second),
                                          QStringLiteral("ShowGroupWindow(%1)").arg(group)}));

    loader->calls.clear();
    OpenPerson(
        [&](QDialog& dialog) {
            ClickPage(dialog, 3);
            DoubleClickRow(dialog, "lstvwFamily", 0);
            ClickPage(dialog, 4);
            DoubleClickRow(dialog, "lstvwGroup", 0);
        },
        {}, EnumFamilyGroup::Family, first);
    EXPECT_EQ(loader->calls, QStringList{QStringLiteral("ShowGroupWindow(%1)").arg(group)});
    m_hub->SetWindowLoader(m_loader);
}

} // namespace
} // namespace test
