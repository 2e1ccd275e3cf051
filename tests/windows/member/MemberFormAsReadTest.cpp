#include "tests/windows/member/MemberFormFixture.h"

#include "windows/base/StoredRow.h"

// A person window saves back, as read, what its user left alone, and the relationship or position
// it shows takes part in the check for changes made elsewhere, as the person's columns do.

namespace test {
namespace {

using namespace amb::res;
using amb::EnumFamilyGroup;
using platform::Variant;

// Clicks into a box, selects what it holds and types `text`, as a person does.
void ClickAndType(QWidget* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

void ClickOK(QDialog& dialog) {
    auto* ok = Child<QPushButton>(dialog, "cmdOK");
    QTest::mouseClick(ok, Qt::LeftButton);
}

struct RoleCase {
    const char* name;
    EnumFamilyGroup parent;
    const char* link;   // the membership table
    const char* owner;  // its column of the family or group id
    const char* column; // the relationship or position
};

const RoleCase kRoles[] = {
    {.name = "family",
     .parent = EnumFamilyGroup::Family,
     .link = "PersonToFamily",
     .owner = "FamilyID",
     .column = "Relationship"},
    {.name = "group",
     .parent = EnumFamilyGroup::Group,
     .link = "PersonToGroup",
     .owner = "GroupID",
     .column = "Position"},
};

class MemberFormAsReadTest : public MemberFormTest {
protected:
    MemberFormAsReadTest() {
        m_head = NewPerson("Head");
        m_id = NewPerson("Lee");
        // As older files and hand-made rows hold it: no classification as 0, empty texts as ''.
        raw->Execute("UPDATE Person SET SexID=2, MemberStatusID=1, MemberClassificationID=0, MiddleName='', "
                     "Suffix='' WHERE ID=?",
                     {m_id});
    }

    int32_t Join(const RoleCase& c, const QString& role) {
        const int32_t owner =
            c.parent == EnumFamilyGroup::Family ? NewFamily("Lee family", m_head) : NewGroup("Choir", m_head);
        raw->Execute(QStringLiteral("INSERT INTO %1 (PersonID, %2, \"%3\") VALUES (?, ?, ?)")
                         .arg(QLatin1String(c.link), QLatin1String(c.owner), QLatin1String(c.column)),
                     {m_id, owner, role});
        return owner;
    }
    Variant Role(const RoleCase& c, int32_t owner) {
        return Value(QStringLiteral("SELECT \"%1\" FROM %2 WHERE PersonID=? AND %3=?")
                         .arg(QLatin1String(c.column), QLatin1String(c.link), QLatin1String(c.owner)),
                     {m_id, owner});
    }
    int32_t SetRole(const RoleCase& c, int32_t owner, const QString& role) {
        return c.parent == EnumFamilyGroup::Family ? db->SetMemberFamilyRelationship(m_id, owner, role)
                                                   : db->SetMemberGroupPosition(m_id, owner, role);
    }
    // Looks at the untouched columns: still as the file held them before any save.
    void ExpectKeptAsStored() {
        EXPECT_EQ(PersonValue(m_id, "MemberClassificationID").ToInt(), 0);
        EXPECT_EQ(Value("SELECT typeof(MiddleName) || '/' || typeof(Suffix) FROM Person WHERE ID=?", {m_id}).ToString(),
                  "text/text");
        EXPECT_EQ(Value("SELECT MiddleName || Suffix FROM Person WHERE ID=?", {m_id}).ToString(), "");
    }

    int32_t m_head = 0;
    int32_t m_id = 0;
};

TEST_F(MemberFormAsReadTest, ARelationshipOrPositionChangedElsewhereRefusesTheSaveAndStays) {
    for (const RoleCase& c : kRoles) {
        SCOPED_TRACE(c.name);
        const int32_t owner = Join(c, "Child");
        raw->Execute("UPDATE Person SET Occupation=NULL WHERE ID=?", {m_id});

        // Changed through the manager while the window was open, then only the occupation typed.
        m_messages.Clear();
        int shown = 0;
        {
            ModalScript script([&](QDialog& dialog) {
                ++shown;
                EXPECT_EQ(TextOf(dialog, "cboFamilyGroup"), "Child");
                ASSERT_EQ(SetRole(c, owner, "Spouse"), 1);
                ClickAndType(Child<QLineEdit>(dialog, "txtOccupation"), "Baker");
                ClickOK(dialog);
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgChangedElsewhere)});
                EXPECT_EQ(TextOf(dialog, "txtOccupation"), "Baker");
            });
            m_loader->ShowPersonWindow(m_id, c.parent, owner);
        }
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(Role(c, owner).ToString(), "Spouse");
        EXPECT_TRUE(PersonValue(m_id, "Occupation").IsNull());

        // Two windows of the person from the same family or group: the second changes the role
        // and saves; the first, where only the occupation was typed, is refused.
        m_messages.Clear();
        shown = 0;
        {
            ModalScript script([&](QDialog& dialog) {
                if (++shown == 2) {
                    ClickAndType(Child<QComboBox>(dialog, "cboFamilyGroup")->lineEdit(), "Parent");
                    ClickOK(dialog);
                    EXPECT_FALSE(dialog.isVisible());
                    EXPECT_TRUE(m_messages.Shown().empty());
                    return;
                }
                m_loader->ShowPersonWindow(m_id, c.parent, owner);
                ClickAndType(Child<QLineEdit>(dialog, "txtOccupation"), "Baker");
                ClickOK(dialog);
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgChangedElsewhere)});
            });
            m_loader->ShowPersonWindow(m_id, c.parent, owner);
        }
        EXPECT_EQ(shown, 2);
        EXPECT_EQ(Role(c, owner).ToString(), "Parent");
        EXPECT_TRUE(PersonValue(m_id, "Occupation").IsNull());

        // Unchanged elsewhere: the role typed and the occupation are stored together.
        m_messages.Clear();
        {
            ModalScript script([&](QDialog& dialog) {
                ClickAndType(Child<QComboBox>(dialog, "cboFamilyGroup")->lineEdit(), "Uncle");
                ClickAndType(Child<QLineEdit>(dialog, "txtOccupation"), "Baker");
                ClickOK(dialog);
                EXPECT_FALSE(dialog.isVisible());
            });
            m_loader->ShowPersonWindow(m_id, c.parent, owner);
        }
        EXPECT_TRUE(m_messages.Shown().empty());
        EXPECT_EQ(Role(c, owner).ToString(), "Uncle");
        EXPECT_EQ(PersonValue(m_id, "Occupation").ToString(), "Baker");
        ExpectKeptAsStored();
    }
}

TEST_F(MemberFormAsReadTest, SavesThatLeaveAColumnAloneWriteItBackAsReadAndRefuseNoOtherWindow) {
    const RoleCase& family = kRoles[0];
    const int32_t owner = Join(family, "");
    int shown = 0;
    {
        ModalScript script([&](QDialog& dialog) {
            if (++shown == 2) {
                // The second window saves with nothing changed.
                ClickOK(dialog);
                EXPECT_FALSE(dialog.isVisible());
                return;
            }
            m_loader->ShowPersonWindow(m_id, family.parent, owner);
            ClickAndType(Child<QLineEdit>(dialog, "txtOccupation"), "Baker");
            ClickOK(dialog);
            EXPECT_FALSE(dialog.isVisible());
        });
        m_loader->ShowPersonWindow(m_id, family.parent, owner);
    }
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_EQ(PersonValue(m_id, "Occupation").ToString(), "Baker");
    EXPECT_EQ(Value("SELECT typeof(Relationship) FROM PersonToFamily WHERE PersonID=?", {m_id}).ToString(), "text");
    ExpectKeptAsStored();

    // Another window, another field: it lands too, and still nothing else changes.
    {
        ModalScript script([&](QDialog& dialog) {
            ClickAndType(Child<QPlainTextEdit>(dialog, "txtNote")->viewport(), "Moved");
            ClickOK(dialog);
            EXPECT_FALSE(dialog.isVisible());
        });
        m_loader->ShowPersonWindow(m_id, family.parent, owner);
    }
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_EQ(PersonValue(m_id, "Note").ToString(), "Moved");
    EXPECT_EQ(PersonValue(m_id, "Occupation").ToString(), "Baker");
    ExpectKeptAsStored();
}

// What a window shows alike for the stored value and for what it would write.
TEST(StoredRowTest, ValuesShownAlikeAreWrittenBackAsStored) {
    struct Case {
        const char* column;
        Variant stored;
        Variant value;
        bool alike;
    };
    const Case cases[] = {
        {.column = "MemberClassificationID", .stored = Variant(0), .value = Variant(-998), .alike = true},
        {.column = "SexID", .stored = Variant::Null(), .value = Variant(-998), .alike = true},
        {.column = "SexID", .stored = Variant(-998), .value = Variant(0), .alike = true},
        {.column = "SexID", .stored = Variant(2), .value = Variant(-998), .alike = false},
        {.column = "SexID", .stored = Variant(0), .value = Variant(2), .alike = false},
        {.column = "IsMember", .stored = Variant(0), .value = Variant(-998), .alike = false},
        {.column = "MiddleName", .stored = Variant(""), .value = Variant::Null(), .alike = true},
        {.column = "MiddleName", .stored = Variant("  "), .value = Variant::Null(), .alike = true},
        {.column = "LastName", .stored = Variant(" Kim "), .value = Variant("Kim"), .alike = true},
        {.column = "LastName", .stored = Variant("Kim"), .value = Variant("Kin"), .alike = false},
        {.column = "LastName", .stored = Variant::Null(), .value = Variant("Kim"), .alike = false},
        {.column = "Amount", .stored = Variant(""), .value = Variant(0), .alike = false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(amb::ShownAlike(QString::fromLatin1(c.column), c.stored, c.value), c.alike)
            << c.stored.ToString().toStdString() << " / " << c.value.ToString().toStdString();
    }
}

} // namespace
} // namespace test
