// A save that the database file itself refuses, or that waits for another program, as the person
// window shows it.

#include "tests/support/DamagedDatabase.h"
#include "tests/support/FailingFiles.h"
#include "tests/windows/member/MemberFormFixture.h"
#include "windows/base/WindowSupport.h"

#include <QDir>
#include <QMainWindow>
#include <QStatusBar>

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

// Whether a line shown over a window is whole and stands alone: its text fits inside it, and every
// control that shows a text under it is covered whole, so that no word of it reads beside the line.
void ExpectWholeAndAlone(QWidget& window, const QLabel& line) {
    const QRect area = line.geometry();
    EXPECT_TRUE(window.rect().contains(area));
    EXPECT_LE(line.fontMetrics().horizontalAdvance(line.text()), line.contentsRect().width());
    EXPECT_GE(line.contentsRect().height(), line.fontMetrics().height());
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w == &line || !w->isVisible() || line.isAncestorOf(w) || w->window() != &window)
            continue;
        const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                          qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        if (text && r.intersects(area)) {
            EXPECT_TRUE(area.contains(r)) << w->objectName().toStdString() << " shows beside the line";
        }
    }
}

// The opener stays busy while the person window is open, as the main window's commands keep it. A save
// that waits for another program's lock says so across the person window's foot, where the user
// looks, named for a screen reader, and not in the opener; a wait of the opener's own shows over the
// opener's whole status bar.
TEST_F(MemberFormCauseTest, AWaitShowsInTheWindowThatWaits) {
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(30));
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    Reconnect();
    QMainWindow opener;
    opener.setObjectName(QStringLiteral("MainForm"));
    opener.statusBar()->addWidget(new QLabel(QStringLiteral("Members: 120 person(s)")), 1);
    opener.resize(640, 480);
    const amb::WindowSupport openerSupport(opener, QStringLiteral("AmbTest.Opener"), [this] { return m_hub; });
    opener.show();
    amb::BusyScope openerBusy(&opener);

    QDialog* window = nullptr;
    QWidget* waiting = nullptr;
    int waits = 0;
    platform::SqliteConnection::SetWaitObserver([&] {
        ++waits;
        ASSERT_TRUE(waiting);
        EXPECT_TRUE(amb::IsBusy(waiting));
        EXPECT_EQ(waiting->cursor().shape(), Qt::WaitCursor);
        auto* status = waiting->findChild<QLabel*>("lblBusyStatus");
        ASSERT_TRUE(status);
        EXPECT_TRUE(status->isVisible());
        EXPECT_EQ(status->text(), Text(kStatusWaiting));
        EXPECT_EQ(status->accessibleName(), Text(kStatusWaiting));
        ExpectWholeAndAlone(*waiting, *status);
        for (QWidget* other : {static_cast<QWidget*>(&opener), static_cast<QWidget*>(window)}) {
            if (other == waiting || !other)
                continue;
            auto* elsewhere = other->findChild<QLabel*>("lblBusyStatus");
            EXPECT_TRUE(!elsewhere || !elsewhere->isVisible()) << other->objectName().toStdString();
        }
        if (const QString shots = qEnvironmentVariable("AMB_SHOTS_DIR"); !shots.isEmpty())
            waiting->grab().save(QDir(shots).filePath(waiting->objectName() + QStringLiteral("-waiting.png")));
    });
    OkRefusedWith(kMsgDatabaseLocked, [&](QDialog& dialog) {
        window = &dialog;
        waiting = &dialog;
        raw->ExecuteScript("BEGIN IMMEDIATE"); // another program writes and holds the lock
    });
    window = nullptr;
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(qApp->property(platform::SqliteConnection::kWaitingProperty).toBool());

    // The opener's own command waits, its window active again.
    opener.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&opener, 1000));
    waiting = &opener;
    EXPECT_EQ(db->UpdatePerson(Record({{"ID", 0}, {"LastName", "Kim"}})), -1);
    raw->ExecuteScript("ROLLBACK");
    EXPECT_EQ(waits, 2);
    EXPECT_FALSE(opener.findChild<QLabel*>("lblBusyStatus")->isVisible());
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

// A phone list that another program keeps from being read again after its row's save says the row was saved.
TEST_F(MemberFormCauseTest, AContactListThatFailsAfterItsRowWasSavedSaysItWasSaved) {
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(30));
    Reconnect();
    ModalScript script([&](QDialog& dialog) {
        if (dialog.objectName() != "MemberForm") {
            TypeCombo(dialog, "cboName", "Other");
            TypeText(dialog, "txtPhoneNumber", "555-0199");
            Click(dialog, "cmdOK");
            raw->ExecuteScript("BEGIN EXCLUSIVE");
            return;
        }
        ClickPage(dialog, 1);
        m_messages.Clear();
        ClickTool(dialog, "tbarPhoneNumber", 1);
        raw->ExecuteScript("ROLLBACK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgSavedListBusy)});
        Click(dialog, "cmdCancel");
    });
    m_loader->ShowPersonWindow(m_id, EnumFamilyGroup::None, 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonPhoneNumber WHERE PersonID=? AND PhoneNumber='555-0199'", {m_id}), 1);
}

} // namespace
} // namespace test
