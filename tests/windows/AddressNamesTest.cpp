#include "common/ResourceIDs.h"
#include "tests/support/AccessibleNames.h"
#include "tests/support/DatabaseWindowTest.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/AddressForm.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QTest>

// A screen reader reaches the address boxes by Tab: the city, state and zip boxes share one label,
// which the state box finds through its Label relation and the zip box through a name of its own.

namespace {

using namespace amb::res;
using Locale = amb::EnumSupportedLocaleID;

struct Reached {
    const char* box;
    bool related; // its Label relation names the line's label
    int32_t name; // its own name's text id, 0 when it is read by its label
};

const Reached kReached[] = {
    {.box = "txtCity", .related = true, .name = 0},
    {.box = "cboState", .related = true, .name = kLabelState},
    {.box = "txtZipCode", .related = false, .name = kLabelZipCode},
};

class AddressNamesTest : public test::DatabaseWindowTest, public ::testing::WithParamInterface<Locale> {
protected:
    AddressNamesTest() : DatabaseWindowTest(GetParam(), GetParam() == Locale::Korean ? 1042 : 1033) {}
};

bool RelatesTo(QWidget* box, const QLabel* label) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
    if (!iface)
        return false;
    for (const auto& [other, relation] : iface->relations(QAccessible::Label))
        if (other && other->object() == label && other->text(QAccessible::Name) == label->text())
            return true;
    return false;
}

TEST_P(AddressNamesTest, TheBoxesOfTheCityLineAreReadByTheirLabel) {
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::USFormat);
    amb::windows::AddressForm form;
    form.SetID(0);
    form.SetPersonID(NewPerson(QStringLiteral("Kim")));
    form.SetWindowLoader(m_loader);
    ASSERT_EQ(form.UpdateForm(), 1);
    QStringList problems;
    test::ModalScript script([&](QDialog& d) {
        const auto* label = test::Child<QLabel>(d, "lblCityStateZip");
        for (const Reached& r : kReached) {
            for (int i = 0; i < 20 && d.focusWidget()->objectName() != QLatin1String(r.box); ++i)
                QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
            QWidget* box = d.focusWidget();
            ASSERT_EQ(box->objectName(), r.box) << "not reached by Tab";
            EXPECT_EQ(RelatesTo(box, label), r.related) << r.box;
            if (r.name != 0) {
                EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), Text(r.name)) << r.box;
            }
        }
        problems = test::AccessibleNameProblems(d) + test::TabReachedNameProblems(d);
        test::Click(d, "cmdCancel");
    });
    amb::ModalRunner::Run(form);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AddressNamesTest, ::testing::Values(Locale::English, Locale::Korean),
                         [](const ::testing::TestParamInfo<Locale>& info) {
                             return info.param == Locale::Korean ? std::string("Korean") : std::string("English");
                         });

} // namespace
