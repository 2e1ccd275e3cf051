#include "tests/windows/member/MemberFormFixture.h"

#include <QRegularExpression>

#include <algorithm>

// The lists of the person window as a person works them: header clicks, row clicks and the list keys
// (Insert, Enter, Delete) on the lists the other tests reach only by the mouse, and the trace lines
// those commands write.
namespace test {
namespace {

using namespace amb::res;
using amb::EnumFamilyGroup;

// Clicks the row whose first column shows `name`; the list then has the focus, as after a click.
QTreeWidget* ClickRowNamed(QDialog& dialog, const char* list, const QString& name) {
    auto* tree = Child<QTreeWidget>(dialog, list);
    const QList<QTreeWidgetItem*> found = tree->findItems(name, Qt::MatchExactly, 0);
    EXPECT_EQ(found.size(), 1) << "no row " << name.toStdString() << " in " << list;
    if (found.size() == 1)
        ClickRow(dialog, list, tree->indexOfTopLevelItem(found[0]));
    EXPECT_EQ(dialog.focusWidget(), tree);
    return tree;
}

// A key pressed on whatever has the focus in the window.
void Key(QWidget& dialog, Qt::Key key) {
    QWidget* focus = dialog.focusWidget();
    QTest::keyClick(focus ? focus : &dialog, key);
}

QStringList FirstColumn(QDialog& dialog, const char* list) {
    QStringList names;
    for (const QString& row : Rows(dialog, list))
        names << row.section('|', 0, 0);
    return names;
}

QStringList SortedCaseless(QStringList texts) {
    std::sort(texts.begin(), texts.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return texts;
}

class MemberFormListPartTest : public MemberFormTest {
protected:
    MemberFormListPartTest() {
        m_person = NewPerson("Seo");
        raw->Execute("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=?", {m_person});
        m_fake->SetAmbApplication(m_hub);
    }
    ~MemberFormListPartTest() override { m_hub->SetWindowLoader(m_loader); }

    // The hub's loader records the family, group and offering windows the person window opens.
    void RecordOpenedWindows() { m_hub->SetWindowLoader(m_fake); }

    // The procedures the person window traced, in order ("tabMain_Click()", ...).
    QStringList TracedProcedures() const {
        static const QRegularExpression line(QStringLiteral("AmbWindows\\.MemberForm\\.(\\S+)$"));
        QStringList procedures;
        for (const QString& text : m_writer->traceLines) {
            const QRegularExpressionMatch match = line.match(text);
            if (match.hasMatch())
                procedures << match.captured(1);
        }
        return procedures;
    }

    int32_t m_person = 0;
    std::shared_ptr<FakeWindowLoader> m_fake = std::make_shared<FakeWindowLoader>();
};

// Each sortable list sorts by the clicked header, ascending first and the other way on a second click.
TEST_F(MemberFormListPartTest, HeaderClicksSortEachSortableList) {
    for (const char* name : {"zeta", "Alpha", "mid"}) {
        db->UpdatePersonPhoneNumber(Record({{"ID", 0}, {"PersonID", m_person}, {"Name", name}}));
        db->UpdatePersonEMailAddress(Record({{"ID", 0}, {"PersonID", m_person}, {"Name", name}}));
        db->UpdatePersonToFamily(
            Record({{"ID", 0}, {"PersonID", m_person}, {"FamilyID", NewFamily(name, NewPerson("Head"))}}));
        db->UpdatePersonToGroup(
            Record({{"ID", 0}, {"PersonID", m_person}, {"GroupID", NewGroup(name, NewPerson("Head"))}}));
    }
    struct Case {
        int page;
        const char* list;
    };
    const Case cases[] = {{1, "lstvwPhoneNumber"}, {2, "lstvwEMailAddress"}, {3, "lstvwFamily"}, {4, "lstvwGroup"}};
    ModalScript script([&](QDialog& dialog) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.list);
            ClickPage(dialog, c.page);
            const QStringList ascending = SortedCaseless(FirstColumn(dialog, c.list));
            ASSERT_GE(ascending.size(), 3);
            ClickHeader(dialog, c.list, 0);
            EXPECT_EQ(FirstColumn(dialog, c.list), ascending);
            ClickHeader(dialog, c.list, 0);
            EXPECT_EQ(FirstColumn(dialog, c.list), QStringList(ascending.rbegin(), ascending.rend()));
            EXPECT_FALSE(amb::IsBusy(&dialog));
        }
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_person, EnumFamilyGroup::None, 0);
    EXPECT_EQ(script.Runs(), 1);
}

// Delete on a row of the phone and offering lists asks and removes the row from the list and db.mdb;
// Insert on the offering list opens nothing, since offerings are not added here.
TEST_F(MemberFormListPartTest, DeleteKeyAsksAndRemovesTheRowFromTheDatabase) {
    const int32_t phone = db->UpdatePersonPhoneNumber(
        Record({{"ID", 0}, {"PersonID", m_person}, {"Name", "Cabin"}, {"PhoneNumber", "555"}}));
    ASSERT_GT(phone, 0);
    const int32_t offering =
        NewOffering(m_person, 2, QDateTime(QDate(2026, 1, 4), QTime(0, 0)), platform::Currency::FromTicks(100000));
    RecordOpenedWindows();
    ModalScript script([&](QDialog& dialog) {
        ClickPage(dialog, 1);
        ClickRowNamed(dialog, "lstvwPhoneNumber", "Cabin");
        m_messages.Answer(amb::MessageResult::No);
        Key(dialog, Qt::Key_Delete);
        EXPECT_TRUE(Rows(dialog, "lstvwPhoneNumber").contains("Cabin|555"));
        m_messages.Answer(amb::MessageResult::Yes);
        Key(dialog, Qt::Key_Delete);
        EXPECT_FALSE(Rows(dialog, "lstvwPhoneNumber").contains("Cabin|555"));
        EXPECT_FALSE(ToolButton(dialog, "tbarPhoneNumber", 3)->isEnabled());

        ClickPage(dialog, 5);
        Choose(dialog, "cboOfferingType", Value("SELECT OfferingTypeName FROM OfferingTypeName WHERE ID=2").ToString());
        QTreeWidget* offerings = ClickRowNamed(dialog, "lstvwOffering", "1/4/2026");
        Key(dialog, Qt::Key_Insert);
        m_messages.Answer(amb::MessageResult::Yes);
        Key(dialog, Qt::Key_Delete);
        EXPECT_EQ(offerings->topLevelItemCount(), 0);
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_person, EnumFamilyGroup::None, 0);
    EXPECT_EQ(script.Runs(), 1) << "Insert on the offering list opened a window";
    EXPECT_TRUE(m_fake->calls.isEmpty());
    EXPECT_EQ(m_messages.Texts(), QStringList(3, Text(kMsgConfirmDelete)));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonPhoneNumber WHERE ID=?", {phone}), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonOffering WHERE ID=?", {offering}), 0);
}

// Enter on a selected row opens it: the offering, the family and the group through the hub's loader.
// Delete on the family and group lists removes nothing and asks nothing.
TEST_F(MemberFormListPartTest, EnterOpensTheSelectedRow) {
    const int32_t offering =
        NewOffering(m_person, 2, QDateTime(QDate(2026, 1, 4), QTime(0, 0)), platform::Currency::FromTicks(100000));
    const int32_t family = NewFamily("Seo family", m_person);
    const int32_t group = NewGroup("Choir", m_person);
    RecordOpenedWindows();
    ModalScript script([&](QDialog& dialog) {
        ClickPage(dialog, 5);
        Choose(dialog, "cboOfferingType", Value("SELECT OfferingTypeName FROM OfferingTypeName WHERE ID=2").ToString());
        ClickRowNamed(dialog, "lstvwOffering", "1/4/2026");
        Key(dialog, Qt::Key_Return);
        ClickPage(dialog, 3);
        ClickRowNamed(dialog, "lstvwFamily", "Seo family");
        Key(dialog, Qt::Key_Return);
        Key(dialog, Qt::Key_Delete);
        ClickPage(dialog, 4);
        ClickRowNamed(dialog, "lstvwGroup", "Choir");
        Key(dialog, Qt::Key_Enter);
        Key(dialog, Qt::Key_Delete);
        EXPECT_TRUE(dialog.isVisible()) << "Enter on a list pressed OK";
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_person, EnumFamilyGroup::None, 0);
    EXPECT_EQ(m_fake->calls, (QStringList{QStringLiteral("ShowOfferingWindow(%1)").arg(offering),
                                          QStringLiteral("ShowFamilyWindow(%1)").arg(family),
                                          QStringLiteral("ShowGroupWindow(%1)").arg(group)}));
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily WHERE PersonID=?", {m_person}), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToGroup WHERE PersonID=?", {m_person}), 1);
}

// The list commands write their entry lines under the list's or toolbar's own name, and the
// procedures they call theirs, in the order they run.
TEST_F(MemberFormListPartTest, ListCommandsTraceTheirProcedures) {
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    db->UpdatePersonAddress(Record({{"ID", 0}, {"PersonID", m_person}, {"Name", "Cabin"}}));
    NewFamily("Seo family", m_person);
    RecordOpenedWindows();
    QStringList traced;
    ModalScript script([&](QDialog& dialog) {
        if (dialog.objectName() != "MemberForm") {
            Click(dialog, "cmdCancel");
            return;
        }
        m_writer->traceLines.clear();
        ClickHeader(dialog, "lstvwAddress", 1);
        ClickRowNamed(dialog, "lstvwAddress", "Cabin");
        ClickTool(dialog, "tbarAddress", 2);
        m_messages.Answer(amb::MessageResult::No);
        Key(dialog, Qt::Key_Delete);
        ClickPage(dialog, 3);
        ClickRowNamed(dialog, "lstvwFamily", "Seo family");
        Key(dialog, Qt::Key_Return);
        traced = TracedProcedures();
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_person, EnumFamilyGroup::None, 0);
    // clang-format off
    const QStringList expected = {
        "lstvwAddress_ColumnClick()",
        "lstvwAddress_ItemClick()", "EnableToolbarButtons()", "IsSelectedItemDeletable()",
        "tbarAddress_ButtonClick()", "lstvwAddress_DblClick()",
        "Get_WindowLoader()", // handed to the address window
        "tbarAddress_ButtonClick()",
        "tabMain_Click()",
        "lstvwFamily_DblClick()", "RefreshGrids()", "EnableToolbarButtons()",
    };
    // clang-format on
    EXPECT_EQ(traced.join(' ').toStdString(), expected.join(' ').toStdString());
}

} // namespace
} // namespace test
