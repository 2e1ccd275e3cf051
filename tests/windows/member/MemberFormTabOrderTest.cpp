#include "tests/windows/member/MemberFormFixture.h"

namespace test {
namespace {

using amb::EnumFamilyGroup;

// The control that has the focus, by the name a person would know it by: an unnamed part of a
// control (a date picker's tick box, a tab bar, a toolbar's button) by its control's name.
QString FocusedName(QDialog& dialog) {
    const QWidget* focused = dialog.focusWidget();
    if (!focused)
        return QStringLiteral("(none)");
    const QString name = focused->objectName();
    return name.isEmpty() || name.startsWith(QLatin1String("qt_")) ? focused->parentWidget()->objectName() : name;
}

// Tab goes through the person window from the name: the entries beside and below it with their
// look-up buttons, the membership in the family the window came from, the pages' tabs, the controls of
// the page shown, and the buttons, whichever page is shown.
TEST_F(MemberFormTest, TabGoesThroughTheWindowInTheOrderShownOnEachPage) {
    const QStringList person = {"txtMiddleName",  "txtLastName",      "txtSuffix",       "tabName",
                                "txtEnvelopCode", "cboTitle",         "cmdMemberTitle",  "cboSex",
                                "dtpDOB",         "cboClassification", "cmdClassification", "cboMemberStatus",
                                "cmdMemberStatus", "cboMaritalStatus", "cmdMaritalStatus", "chkIsBaptized",
                                "chkIsMember",    "txtOccupation",    "cboFamilyGroup",  "cmdFamilyGroup",
                                "tabMain"};
    const QStringList buttons = {"cmdOK", "cmdCancel", "cmdPrint", "txtFirstName"};
    struct Case {
        int page;
        QStringList controls; // of the page shown, between the pages' tabs and the buttons
    };
    const Case cases[] = {
        {.page = 0, .controls = {"tbarAddress", "lstvwAddress"}}, // only New is on without a selected row
        {.page = 4, .controls = {"lstvwGroup"}},
        // The type box is shown above the list and reached before it.
        {.page = 5, .controls = {"cboOfferingType", "lstvwOffering"}},
        {.page = 6, .controls = {"txtNote"}},
    };
    const int32_t head = NewPerson("Park");
    const int32_t family = NewFamily("Park family", head);
    ModalScript script([&](QDialog& dialog) {
        for (const Case& c : cases) {
            ClickPage(dialog, c.page);
            QTest::mouseClick(Child<QLineEdit>(dialog, "txtFirstName"), Qt::LeftButton);
            const QStringList expected = person + c.controls + buttons;
            QStringList reached;
            for (int i = 0; i < expected.size(); ++i) {
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
                reached << FocusedName(dialog);
            }
            EXPECT_EQ(reached, expected) << "page " << c.page << " " << reached.join(",").toStdString();
        }
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(head, EnumFamilyGroup::Family, family);
}

} // namespace
} // namespace test
