#include "common/ColumnLengths.h"
#include "tests/windows/member/MemberFormFixture.h"

namespace test {
namespace {

// Each box of the person window stops at its column's length: typing on past it stores the text up to
// there, and the save goes through.
TEST_F(MemberFormTest, EveryTextBoxStopsAtItsColumnsLength) {
    const int32_t id = NewPerson("Kim");
    raw->Execute("UPDATE Person SET SexID=2, MemberStatusID=1 WHERE ID=?", {id});
    struct Box {
        const char* name;
        const char* column;
    };
    const Box boxes[] = {{"txtFirstName", "FirstName"}, {"txtMiddleName", "MiddleName"},
                         {"txtLastName", "LastName"},   {"txtSuffix", "Suffix"},
                         {"cboTitle", "Title"},         {"txtOccupation", "Occupation"}};
    ModalScript script([&](QDialog& dialog) {
        char16_t letter = u'a';
        for (const Box& b : boxes) {
            auto* box = Child<QWidget>(dialog, b.name);
            if (auto* combo = qobject_cast<QComboBox*>(box))
                box = combo->lineEdit();
            ASSERT_TRUE(box->isVisible()) << b.name;
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, QString(256, QChar(letter++)));
        }
        Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(id, amb::EnumFamilyGroup::None, 0), id);
    EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join('|').toStdString();
    char16_t letter = u'a';
    for (const Box& b : boxes) {
        EXPECT_EQ(amb::DeclaredLength("Person", b.column), 255) << b.column;
        EXPECT_EQ(PersonValue(id, b.column).ToString(), QString(255, QChar(letter++))) << b.column;
    }
}

} // namespace
} // namespace test
