#include "tests/windows/member/MemberFormFixture.h"

#include <chrono>

namespace test {
namespace {

using namespace amb::res;
using amb::AsString;
using amb::EnumFamilyGroup;

// A stored person that the window can save as it is (sex and member status chosen).
class MemberFormRefusalTest : public MemberFormTest {
protected:
    MemberFormRefusalTest() {
        m_id = NewPerson("Lee");
        raw->Execute("UPDATE Person SET SexID=2, MemberStatusID=1 WHERE ID=?", {m_id});
    }
    ~MemberFormRefusalTest() override { platform::SqliteTransaction::SetWriteWait(std::chrono::seconds(30)); }

    // Opens the person, types the occupation (and a note, when given), lets `before` change the
    // database behind the window and presses OK: the window must stay open with its input and say `text`.
    void RefusedWith(int32_t text, const std::function<void()>& before, const std::function<void()>& after,
                     const QString& note = QString()) {
        m_messages.Clear();
        ModalScript script([&](QDialog& dialog) {
            TypeText(dialog, "txtOccupation", "Baker");
            if (!note.isEmpty()) {
                auto* box = Child<QPlainTextEdit>(dialog, "txtNote");
                box->setFocus();
                box->setPlainText(note);
            }
            before();
            Click(dialog, "cmdOK");
            after();
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(TextOf(dialog, "txtOccupation"), "Baker");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(text)});
        });
        m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
        EXPECT_TRUE(PersonValue(m_id, "Occupation").IsNull());
    }

    int32_t m_id = 0;
};

TEST_F(MemberFormRefusalTest, TheSecondOfTwoWindowsOnOnePersonIsToldAndKeepsItsInput) {
    int runs = 0;
    ModalScript script([&](QDialog& dialog) {
        if (++runs == 1) {
            TypeText(dialog, "txtOccupation", "Baker");
            // Another window on the same person saves first.
            m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
            Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(TextOf(dialog, "txtOccupation"), "Baker");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgChangedElsewhere)});
            return;
        }
        TypeText(dialog, "txtSuffix", "Jr");
        Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(m_messages.Shown().empty());
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(PersonValue(m_id, "Suffix").ToString(), "Jr");
    EXPECT_TRUE(PersonValue(m_id, "Occupation").IsNull());

    // Deleted while the window was open: told so, and no new person is made.
    RefusedWith(
        kMsgRecordGone, [&] { db->DeletePerson(m_id); }, [] {});
    EXPECT_EQ(Persons(), 1);
}

TEST_F(MemberFormRefusalTest, ANewPersonSavedTwiceInItsWindowIsNotRefused) {
    int32_t saved = 0;
    ModalScript script([&](QDialog& dialog) {
        FillRequired(dialog, "Mary", "Kim");
        Click(dialog, "cmdOK");
        ASSERT_TRUE(m_messages.Shown().empty());
        saved = amb::AsLong(Value("SELECT MAX(ID) FROM Person"));
        TypeText(dialog, "txtOccupation", "Nurse");
        Click(dialog, "cmdOK");
        EXPECT_TRUE(m_messages.Shown().empty());
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_loader->ShowPersonWindow(0, EnumFamilyGroup::None, 0), saved);
    EXPECT_EQ(PersonValue(saved, "Occupation").ToString(), "Nurse");
    EXPECT_EQ(Persons(), 2);
}

TEST_F(MemberFormRefusalTest, ALockedFullOrReadOnlyDatabaseOrATooLongTextSaysItsCause) {
    auto& connection = db->OpenConnection();
    // Another program holds the database for longer than the save waits.
    connection.ExecuteScript("PRAGMA busy_timeout=20");
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    RefusedWith(
        kMsgDatabaseLocked, [&] { raw->ExecuteScript("BEGIN IMMEDIATE"); }, [&] { raw->ExecuteScript("ROLLBACK"); });

    // The file may not grow by a single page, and the long note needs more: the disk is full.
    const int pages = connection.Query("PRAGMA page_count")->Field(0).ToInt();
    RefusedWith(
        kMsgDiskFull, [&] { connection.ExecuteScript(QString("PRAGMA max_page_count=%1").arg(pages)); },
        [&] { connection.ExecuteScript("PRAGMA max_page_count=1073741823"); }, QString(60000, 'n'));

    RefusedWith(
        kMsgDiskFull, [&] { connection.ExecuteScript("PRAGMA query_only=ON"); },
        [&] { connection.ExecuteScript("PRAGMA query_only=OFF"); });

    // A text longer than its column, past whatever limit the box has: the manager names the field by
    // the window's label.
    m_messages.Clear();
    ModalScript script([&](QDialog& dialog) {
        auto* occupation = Child<QLineEdit>(dialog, "txtOccupation");
        occupation->setMaxLength(32767);
        TypeText(dialog, "txtOccupation", QString(256, 'o'));
        Click(dialog, "cmdOK");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(TextOf(dialog, "txtOccupation").size(), 256);
        const QString label = Child<QLabel>(dialog, "lblOccupation")->text().remove('&').remove(':').trimmed();
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgTextTooLong).arg(label)});
        EXPECT_FALSE(label.isEmpty());
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_TRUE(PersonValue(m_id, "Occupation").IsNull());
}

} // namespace
} // namespace test
