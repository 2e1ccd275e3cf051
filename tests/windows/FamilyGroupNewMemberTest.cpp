// A member added from a family or group window whose membership cannot be saved, and a list read
// again after a save that did commit: what the windows say is what happened.

#include "common/ResourceIDs.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/FailingFiles.h"
#include "tests/windows/FamilyGroupSupport.h"

#include <QRadioButton>
#include <QTest>

#include <sqlite3.h>

#include <chrono>
#include <functional>

namespace test {
namespace {

using namespace amb::res;

// Runs `act` once, at the first statement the program's connection runs outside a transaction after
// it inserted a person: between the new person's save and the window's next step.
class AfterPersonSaved {
public:
    AfterPersonSaved(sqlite3* db, std::function<void()> act) : m_db(db), m_act(std::move(act)) {
        sqlite3_update_hook(m_db, &Inserted, this);
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &Statement, this);
    }
    ~AfterPersonSaved() {
        sqlite3_update_hook(m_db, nullptr, nullptr);
        sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
    }
    AfterPersonSaved(const AfterPersonSaved&) = delete;
    AfterPersonSaved& operator=(const AfterPersonSaved&) = delete;

private:
    static void Inserted(void* self, int op, const char*, const char* table, sqlite3_int64) {
        auto* me = static_cast<AfterPersonSaved*>(self);
        if (op == SQLITE_INSERT && std::string_view(table) == "Person")
            me->m_personInserted = true;
    }
    static int Statement(unsigned, void* self, void*, void*) {
        auto* me = static_cast<AfterPersonSaved*>(self);
        if (me->m_personInserted && !me->m_done && sqlite3_get_autocommit(me->m_db)) {
            me->m_done = true;
            me->m_act();
        }
        return 0;
    }

    sqlite3* m_db;
    std::function<void()> m_act;
    bool m_personInserted = false;
    bool m_done = false;
};

// The family and the group, as the window and the tables name them.
struct Kind {
    const char* name;
    bool family;
    const char* link;
    const char* owner;
    const char* ownerTable;
};
const Kind kKinds[] = {
    {.name = "family", .family = true, .link = "PersonToFamily", .owner = "FamilyID", .ownerTable = "Family"},
    {.name = "group", .family = false, .link = "PersonToGroup", .owner = "GroupID", .ownerTable = "\"Group\""},
};

class FamilyGroupNewMemberTest : public FamilyGroupTest {
protected:
    ~FamilyGroupNewMemberTest() override {
        platform::SqliteTransaction::SetWriteWait(std::chrono::seconds(30));
        platform::SqliteConnection::SetBusyTimeout(std::chrono::seconds(5));
    }
    // The manager's next call opens the database again (with the file layer and timeout of now).
    void Reconnect() { db->SetConnectionString(db->ConnectionString()); }

    int32_t NewOwner(const Kind& kind, const QString& name) {
        const int32_t head = NewPerson("Han", name);
        SetContacts(head, "7 Elm St", "Springfield", "555-0700", "han@example.org");
        return kind.family ? NewFamily(name, head) : NewGroup(name, head);
    }
    void Open(const Kind& kind, int32_t owner) {
        if (kind.family)
            m_loader->ShowFamilyWindow(owner);
        else
            m_loader->ShowGroupWindow(owner);
    }
    void DeleteOwner(const Kind& kind, int32_t owner) {
        raw->Execute(QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(kind.link, kind.owner), {owner});
        raw->Execute(QStringLiteral("DELETE FROM %1 WHERE ID=?").arg(kind.ownerTable), {owner});
    }
    int Links(const Kind& kind, const QString& first, const QString& role = QString()) {
        QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 JOIN Person ON Person.ID=%1.PersonID WHERE FirstName=?")
                          .arg(kind.link);
        if (!role.isNull())
            sql += QStringLiteral(" AND %1=?").arg(kind.family ? "Relationship" : "\"Position\"");
        return role.isNull() ? Count(sql, {first}) : Count(sql, {first, role});
    }
    int PersonsNamed(const QString& first) { return Count("SELECT COUNT(*) FROM Person WHERE FirstName=?", {first}); }
    QString HomeStreet(const QString& first) {
        return Value("SELECT AddressPart1 FROM PersonAddress JOIN Person ON Person.ID=PersonAddress.PersonID "
                     "WHERE FirstName=? AND IsHomeAddress=1",
                     {first})
            .ToString();
    }
};

// Types a new member as a person does: the names, the first sex and member status by the arrow key,
// and the relationship or position.
void TypeMember(QDialog& person, const QString& first) {
    TypeText(person, "txtLastName", "Park");
    TypeText(person, "txtFirstName", first);
    for (const char* box : {"cboSex", "cboMemberStatus"}) {
        auto* combo = Child<QComboBox>(person, box);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
    }
    auto* role = Child<QComboBox>(person, "cboFamilyGroup");
    role->setFocus();
    QTest::keyClicks(role->lineEdit(), "Daughter");
}

TEST_F(FamilyGroupNewMemberTest, ANewMemberWhoseMembershipFailsIsToldKeptAndJoinsOnceOnTheNextSave) {
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(30));
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    FailingFiles files(FailingFiles::Fault::None);
    enum class Fault { Locked, DiskFull, Gone };
    const struct {
        const char* what;
        Fault fault;
        int32_t phrase;
    } faults[] = {
        {.what = "write lock held past the wait", .fault = Fault::Locked, .phrase = kCauseDatabaseInUse},
        {.what = "disk full at the membership", .fault = Fault::DiskFull, .phrase = kCauseDiskFull},
        {.what = "deleted by another program", .fault = Fault::Gone, .phrase = kMsgFamilyGroupGone},
    };
    int run = 0;
    for (const Kind& kind : kKinds) {
        for (const auto& f : faults) {
            SCOPED_TRACE(std::string(kind.name) + ": " + f.what);
            const QString first = QStringLiteral("Mina%1").arg(++run);
            Reconnect();
            const int32_t owner = NewOwner(kind, QStringLiteral("Owner%1").arg(run));
            std::unique_ptr<AfterPersonSaved> seam;
            m_steps["FamilyGroupForm"] = [&](QDialog& window) {
                if (f.fault == Fault::Gone)
                    DeleteOwner(kind, owner);
                else if (f.fault == Fault::Locked)
                    seam = std::make_unique<AfterPersonSaved>(db->OpenConnection().Handle(),
                                                              [&] { raw->ExecuteScript("BEGIN IMMEDIATE"); });
                else
                    seam = std::make_unique<AfterPersonSaved>(db->OpenConnection().Handle(),
                                                              [&] { files.Set(FailingFiles::Fault::DiskFull); });
                Click(window, "tbarMemberAdd");
            };
            m_steps["AddOptionForm"] = [](QDialog& add) {
                ClickWidget(Child<QRadioButton>(add, "optAddOption1"));
                Click(add, "cmdOK");
            };
            m_steps["MemberForm"] = [&](QDialog& person) {
                TypeMember(person, first);
                m_messages.Clear();
                Click(person, "cmdOK");
                const QStringList told{Text(kMsgMemberNotLinked).arg(Text(f.phrase))};
                EXPECT_EQ(m_messages.Texts(), told);
                // The person is stored, outside the family or group and without its address; the
                // window keeps what was typed.
                EXPECT_TRUE(person.isVisible());
                EXPECT_EQ(Child<QLineEdit>(person, "txtFirstName")->text(), first);
                EXPECT_EQ(Child<QComboBox>(person, "cboFamilyGroup")->currentText(), "Daughter");
                EXPECT_EQ(PersonsNamed(first), 1);
                EXPECT_EQ(Links(kind, first), 0);
                EXPECT_EQ(HomeStreet(first), "");

                // The cause is gone, and the next OK adds the membership once.
                seam.reset();
                files.Set(FailingFiles::Fault::None);
                if (f.fault == Fault::Locked)
                    raw->ExecuteScript("ROLLBACK");
                m_messages.Clear();
                Click(person, "cmdOK");
                if (f.fault == Fault::Gone) {
                    EXPECT_EQ(m_messages.Texts(), told);
                    EXPECT_EQ(Links(kind, first), 0);
                    Click(person, "cmdCancel");
                    return;
                }
                EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join('\n').toStdString();
                EXPECT_FALSE(person.isVisible());
                EXPECT_EQ(Links(kind, first, "Daughter"), 1);
                EXPECT_EQ(Links(kind, first), 1);
                EXPECT_EQ(HomeStreet(first), kind.family ? "7 Elm St" : "");
            };
            Open(kind, owner);
            EXPECT_EQ(PersonsNamed(first), 1);
            // No row names a family or group that does not exist.
            EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 NOT IN (SELECT ID FROM %3)")
                                .arg(kind.link, kind.owner, kind.ownerTable)),
                      0);
        }
    }
}

TEST_F(FamilyGroupNewMemberTest, AnExistingPersonIsNotAddedToAFamilyOrGroupDeletedMeanwhile) {
    const int32_t person = NewPerson("Yoo", "Bo");
    int run = 0;
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const int32_t owner = NewOwner(kind, QStringLiteral("Gone%1").arg(++run));
        m_pick = "Yoo, Bo";
        m_steps["AddOptionForm"] = [](QDialog& add) {
            Click(add, "cmdSearch");
            Click(add, "cmdOK");
        };
        m_steps["FamilyGroupForm"] = [&](QDialog& window) {
            DeleteOwner(kind, owner);
            m_messages.Clear();
            Click(window, "tbarMemberAdd");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgFamilyGroupGone)});
        };
        Open(kind, owner);
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PersonID=?").arg(kind.link), {person}), 0);
    }
}

// A save commits, then the window's list cannot be read again: the window says that the change was
// saved, once, and the change is stored. The pages are damaged after the person window opened, as a
// failing disk would.
TEST_F(FamilyGroupNewMemberTest, AListThatFailsAfterASaveSaysTheChangeWasSaved) {
    const int32_t head = NewPerson("Cho", "Ara");
    const int32_t family = NewFamily("Chos", head);
    const int32_t member = NewPerson("Cho", "Bin");
    raw->Execute("UPDATE Person SET SexID=2, MemberStatusID=1 WHERE ID=?", {member});
    AddMemberRow(member, family, "Son");
    const QStringList saidOnce{Text(kMsgSavedListUnreadable)};

    // A member's OK in the family window, whose member list then fails.
    m_steps["MemberForm"] = [&](QDialog& person) {
        ASSERT_TRUE(DamageIndexRootPageUnderProgram(m_path, "PersonToFamilyFamily"));
        TypeText(person, "txtOccupation", "Baker");
        Click(person, "cmdOK");
        EXPECT_FALSE(person.isVisible());
    };
    m_steps["FamilyGroupForm"] = [&](QDialog& window) {
        m_messages.Clear();
        ClickRow(window, "Cho, Bin", true);
        EXPECT_EQ(m_messages.Texts(), saidOnce);
    };
    m_loader->ShowFamilyWindow(family);
    EXPECT_EQ(Value("SELECT Occupation FROM Person WHERE ID=?", {member}).ToString(), "Baker");

    // A new person's first save, whose own lists then fail.
    const int32_t group = NewOwner(kKinds[1], "Ushers");
    m_steps["AddOptionForm"] = [](QDialog& add) {
        ClickWidget(Child<QRadioButton>(add, "optAddOption1"));
        Click(add, "cmdOK");
    };
    m_steps["MemberForm"] = [&](QDialog& person) {
        TypeMember(person, "Dana");
        ASSERT_TRUE(DamageIndexRootPageUnderProgram(m_path, "PersonToFamilyPerson"));
        m_messages.Clear();
        Click(person, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), saidOnce);
        EXPECT_TRUE(person.isVisible());
        Click(person, "cmdCancel");
    };
    m_steps["FamilyGroupForm"] = [&](QDialog& window) { Click(window, "tbarMemberAdd"); };
    m_loader->ShowGroupWindow(group);
    EXPECT_EQ(PersonsNamed("Dana"), 1);
    EXPECT_EQ(Links(kKinds[1], "Dana", "Daughter"), 1);
}

} // namespace
} // namespace test
