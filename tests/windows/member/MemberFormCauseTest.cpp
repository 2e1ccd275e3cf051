// A save that the database file itself refuses, or that waits for another program, as the person
// window shows it.

#include "tests/support/DamagedDatabase.h"
#include "tests/support/FailingFiles.h"
#include "tests/windows/member/MemberFormFixture.h"

#include <chrono>

namespace test {
namespace {

using namespace amb::res;
using amb::EnumFamilyGroup;

class MemberFormCauseTest : public MemberFormTest {
protected:
    MemberFormCauseTest() {
        m_id = NewPerson("Lee");
        raw->Execute("UPDATE Person SET SexID=2, MemberStatusID=1 WHERE ID=?", {m_id});
    }
    ~MemberFormCauseTest() override {
        platform::SqliteTransaction::SetWriteWait(std::chrono::seconds(30));
        platform::SqliteConnection::SetBusyTimeout(std::chrono::seconds(5));
        platform::SqliteConnection::SetWaitObserver({});
    }
    // The manager's next call opens the database again (with the file layer and timeout of now).
    void Reconnect() { db->SetConnectionString(db->ConnectionString()); }

    // Types an occupation, lets `before` run and presses OK: the window stays with its input and
    // says `text`; nothing is stored.
    void OkRefusedWith(int32_t text, const std::function<void(QDialog&)>& before = [](QDialog&) {}) {
        m_messages.Clear();
        ModalScript script([&](QDialog& dialog) {
            TypeText(dialog, "txtOccupation", "Baker");
            before(dialog);
            Click(dialog, "cmdOK");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_FALSE(amb::IsBusy(&dialog));
            EXPECT_EQ(TextOf(dialog, "txtOccupation"), "Baker");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(text)});
            auto* status = dialog.findChild<QLabel*>("lblBusyStatus");
            EXPECT_TRUE(!status || !status->isVisible());
        });
        m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
        EXPECT_TRUE(PersonValue(m_id, "Occupation").IsNull());
    }

    int32_t m_id = 0;
};

TEST_F(MemberFormCauseTest, AFileOrFolderThatCannotBeWrittenSaysSo) {
    using Fault = FailingFiles::Fault;
    const struct {
        const char* what;
        Fault fault;
    } cases[] = {
        {.what = "read-only file", .fault = Fault::ReadOnlyFile},
        {.what = "folder without write access", .fault = Fault::NoJournal},
        {.what = "write error", .fault = Fault::WriteError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            FailingFiles files(c.fault);
            Reconnect();
            OkRefusedWith(kMsgDiskFull);
            EXPECT_EQ(db->LastFailure(), amb::EnumDatabaseFailure::DiskFullOrReadOnly);
        }
        Reconnect();
    }
    // Once the file can be written again, the same input saves.
    ModalScript script([&](QDialog& dialog) {
        TypeText(dialog, "txtOccupation", "Baker");
        Click(dialog, "cmdOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(PersonValue(m_id, "Occupation").ToString(), "Baker");
}

TEST_F(MemberFormCauseTest, ASaveWaitingForAnotherProgramShowsTheWait) {
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(30));
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    Reconnect();
    QDialog* window = nullptr;
    int waits = 0;
    platform::SqliteConnection::SetWaitObserver([&] {
        ++waits;
        ASSERT_TRUE(window);
        EXPECT_TRUE(amb::IsBusy(window));
        EXPECT_EQ(window->cursor().shape(), Qt::WaitCursor);
        auto* status = window->findChild<QLabel*>("lblBusyStatus");
        ASSERT_TRUE(status);
        EXPECT_TRUE(status->isVisible());
        EXPECT_EQ(status->text(), Text(kStatusWaiting));
    });
    OkRefusedWith(kMsgDatabaseLocked, [&](QDialog& dialog) {
        window = &dialog;
        raw->ExecuteScript("BEGIN IMMEDIATE"); // another program writes and holds the lock
    });
    raw->ExecuteScript("ROLLBACK");
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(qApp->property(platform::SqliteConnection::kWaitingProperty).toBool());
}

TEST_F(MemberFormCauseTest, ListsOfADamagedFileSayItOnceAndNeverReadAsEmpty) {
    for (const char* table : {"PersonAddress", "PersonPhoneNumber"})
        ASSERT_TRUE(DamageTableRootPage(m_path, QString::fromLatin1(table)));
    Reconnect();
    ModalScript script([&](QDialog& dialog) {
        // Two lists could not be read: one message, and the person's own fields are shown.
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgDatabaseDamaged)});
        EXPECT_TRUE(Rows(dialog, "lstvwAddress").isEmpty());
        EXPECT_EQ(TextOf(dialog, "txtLastName"), "Lee");
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(script.Runs(), 1);
}

} // namespace
} // namespace test
