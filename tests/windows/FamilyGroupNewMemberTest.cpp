// What the family and group windows say when a new member cannot join, or a list fails after a save.

#include "common/ResourceIDs.h"
#include "tests/support/DamagedDatabase.h"
#include "tests/support/FailingFiles.h"
#include "tests/windows/FamilyGroupSupport.h"

#include <QRadioButton>

#include <sqlite3.h>

#include <optional>

namespace test {
namespace {

using namespace amb::res;

// Runs `act` once, between a new person's save and its membership's: at the next statement outside a transaction.
struct AfterPersonSaved {
    AfterPersonSaved(sqlite3* db, std::function<void()> act) : db(db), act(std::move(act)) {
        sqlite3_update_hook(db, &Inserted, this);
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &Statement, this);
    }
    ~AfterPersonSaved() {
        sqlite3_update_hook(db, nullptr, nullptr);
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
    }
    static void Inserted(void* me, int op, const char*, const char* table, sqlite3_int64) {
        static_cast<AfterPersonSaved*>(me)->saved |= op == SQLITE_INSERT && qstrcmp(table, "Person") == 0;
    }
    static int Statement(unsigned, void* p, void*, void*) {
        auto* me = static_cast<AfterPersonSaved*>(p);
        if (me->saved && me->act && sqlite3_get_autocommit(me->db))
            std::exchange(me->act, nullptr)();
        return 0;
    }
    sqlite3* db;
    std::function<void()> act;
    bool saved = false;
};

struct Kind {
    bool family;
    const char* link;
    const char* table;
};
constexpr Kind kFamily{.family = true, .link = "PersonToFamily", .table = "Family"};
constexpr Kind kGroup{.family = false, .link = "PersonToGroup", .table = "\"Group\""};

class FamilyGroupNewMemberTest : public FamilyGroupTest {
protected:
    ~FamilyGroupNewMemberTest() override {
        platform::SqliteTransaction::SetWriteWait(std::chrono::seconds(30));
        platform::SqliteConnection::SetBusyTimeout(std::chrono::seconds(5));
    }
    int32_t NewOwner(const Kind& kind, const QString& name) {
        const int32_t head = NewPerson("Han");
        SetContacts(head, "7 Elm St", "Springfield", "555-0700", "han@example.org");
        return kind.family ? NewFamily(name, head) : NewGroup(name, head);
    }
    int32_t Open(const Kind& kind, int32_t owner) {
        return kind.family ? m_loader->ShowFamilyWindow(owner) : m_loader->ShowGroupWindow(owner);
    }
    // Each person of that first name as "relationships or positions ('?' when blank)/has the head's address".
    QString Stored(const Kind& kind, const QString& first) {
        const QString sql = QStringLiteral(
            "SELECT group_concat(ifnull((SELECT group_concat(ifnull(%2, '?')) FROM %1 WHERE PersonID=P.ID), '') || '/' "
            "|| EXISTS (SELECT 1 FROM PersonAddress WHERE PersonID=P.ID AND AddressPart1='7 Elm St')) "
            "FROM Person P WHERE FirstName=?");
        return Value(sql.arg(kind.link, kind.family ? "Relationship" : "\"Position\""), {first}).ToString();
    }
    // Add, New person, and a new member typed as a person does, around its OK.
    void AddNewMember(const QString& first, std::function<void()> beforeOK, std::function<void(QDialog&)> afterOK) {
        m_steps["FamilyGroupForm"] = [](QDialog& window) { Click(window, "tbarMemberAdd"); };
        m_steps["AddOptionForm"] = [](QDialog& add) {
            ClickWidget(Child<QRadioButton>(add, "optAddOption1"));
            Click(add, "cmdOK");
        };
        m_steps["MemberForm"] = [=](QDialog& person) {
            TypeText(person, "txtLastName", "Park");
            TypeText(person, "txtFirstName", first);
            for (const char* box : {"cboSex", "cboMemberStatus"}) {
                Child<QComboBox>(person, box)->setFocus();
                QTest::keyClick(person.focusWidget(), Qt::Key_Down);
            }
            Child<QComboBox>(person, "cboFamilyGroup")->setFocus();
            QTest::keyClicks(person.focusWidget(), "Daughter");
            beforeOK();
            Click(person, "cmdOK");
            afterOK(person);
        };
    }
};

TEST_F(FamilyGroupNewMemberTest, ANewMemberWhoseMembershipFailsIsToldKeptAndJoinsOnceOnTheNextSave) {
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(30));
    platform::SqliteTransaction::SetWriteWait(std::chrono::milliseconds(0));
    FailingFiles files(FailingFiles::Fault::None);
    db->SetConnectionString(db->ConnectionString()); // the next call opens through the failing layer
    const struct {
        const char* what;
        int32_t phrase;
        std::function<void()> cause = {}, undo = {}; // none: the family or group is deleted, for good
    } faults[] = {
        {.what = "write lock held past the wait",
         .phrase = kCauseDatabaseInUse,
         .cause = [&] { raw->ExecuteScript("BEGIN IMMEDIATE"); },
         .undo = [&] { raw->ExecuteScript("ROLLBACK"); }},
        {.what = "disk full at the membership",
         .phrase = kCauseDiskFull,
         .cause = [&] { files.Set(FailingFiles::Fault::DiskFull); },
         .undo = [&] { files.Set(FailingFiles::Fault::None); }},
        {.what = "deleted by another program", .phrase = kMsgFamilyGroupGone},
    };
    int run = 0;
    for (const Kind& kind : {kFamily, kGroup}) {
        for (const auto& f : faults) {
            SCOPED_TRACE(std::string(kind.link) + ": " + f.what);
            const QString first = QStringLiteral("Mina%1").arg(++run);
            const int32_t owner = NewOwner(kind, first);
            const QStringList told{Text(kMsgMemberNotLinked).arg(Text(f.phrase))};
            std::optional<AfterPersonSaved> seam;
            const auto failNext = [&] {
                if (f.cause)
                    seam.emplace(db->OpenConnection().Handle(), f.cause);
                else
                    raw->Execute(QStringLiteral("DELETE FROM %1 WHERE ID=?").arg(kind.table), {owner});
                m_messages.Clear();
            };
            AddNewMember(first, failNext, [&](QDialog& person) {
                EXPECT_EQ(m_messages.Texts(), told);
                EXPECT_EQ(Stored(kind, first), "/0");
                // The cause is gone (but for a deleted owner): the next OK joins the person once.
                seam.reset();
                if (f.undo)
                    f.undo();
                m_messages.Clear();
                Click(person, "cmdOK");
            });
            Open(kind, owner);
            EXPECT_EQ(m_messages.Texts(), f.undo ? QStringList() : told);
            EXPECT_EQ(Stored(kind, first), !f.undo ? "/0" : kind.family ? "Daughter/1" : "Daughter/0");
        }
    }
}

// A link refused, then the home rows typed or another program's link before the next OK; or the
// family's address alone refused. Each person of that first name as "memberships/home addresses/home phones".
TEST_F(FamilyGroupNewMemberTest, ARetriedLinkKeepsWhatWasTypedJoinsOnceAndTellsARefusedCopy) {
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    QString first;
    int32_t owner = 0;
    const auto home = [&] {
        return Value("SELECT group_concat(printf('%s/%s/%s', L.Relationship, A.AddressPart1, N.PhoneNumber)) FROM "
                     "Person P LEFT JOIN PersonToFamily L ON L.PersonID=P.ID LEFT JOIN PersonAddress A ON "
                     "A.PersonID=P.ID AND A.IsHomeAddress=1 LEFT JOIN PersonPhoneNumber N ON N.PersonID=P.ID AND "
                     "N.IsHomePhoneNumber=1 WHERE P.FirstName=?",
                     {first})
            .ToString();
    };
    // Double-clicks the home row of a contact page and types `value` into the row's window.
    const auto enterHome = [&](QDialog& person, int page, const char* list, const char* window, const char* box,
                               const QString& value) {
        m_steps[window] = [=](QDialog& row) {
            ClickWidget(Child<QLineEdit>(row, box));
            QTest::keyClicks(row.focusWidget(), value);
            Click(row, "cmdOK");
        };
        ClickTab(person, "tabMain", page);
        auto* rows = Child<QTreeWidget>(person, list);
        const QPoint at = rows->visualItemRect(rows->findItems("Home", Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, at);
    };
    const struct {
        const char* what;
        bool copyFails = false; // otherwise the membership's insert is refused
        std::function<void(QDialog&)> between = [](QDialog&) {};
        const char* stored;
    } cases[] = {
        {.what = "the member's own address and phone typed",
         .between =
             [&](QDialog& person) {
                 enterHome(person, 0, "lstvwAddress", "AddressForm", "txtAddressPart1", "9 Own Street");
                 enterHome(person, 1, "lstvwPhoneNumber", "PhoneNumberForm", "txtPhoneNumber", "555-0900");
             },
         .stored = "Daughter/9 Own Street/555-0900"},
        {.what = "linked by another program meanwhile",
         .between =
             [&](QDialog&) {
                 raw->Execute("INSERT INTO PersonToFamily (PersonID, FamilyID, Relationship) "
                              "SELECT ID, ?, 'Niece' FROM Person WHERE FirstName=?",
                              {owner, first});
             },
         .stored = "Niece/7 Elm St/555-0700"},
        {.what = "nothing typed", .stored = "Daughter/7 Elm St/555-0700"},
        {.what = "the address copy refused on its own", .copyFails = true, .stored = "Daughter/7 Elm St/555-0700"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        first = QStringLiteral("Nari%1").arg(&c - cases);
        owner = NewOwner(kFamily, first);
        // The copy is the one update of the person's home address in the save.
        const QString refused = c.copyFails ? "PersonAddress" : "PersonToFamily";
        const auto failNext = [&] {
            FailWrites(refused, !c.copyFails, c.copyFails);
            m_messages.Clear();
        };
        AddNewMember(first, failNext, [&](QDialog& person) {
            EXPECT_EQ(m_messages.Texts(),
                      QStringList{Text(c.copyFails ? kMsgAddressNotCopied : kMsgMemberNotLinked).arg(Text(kCauseOther))});
            EXPECT_EQ(home(), c.copyFails ? "Daughter//" : "//");
            raw->Execute(QStringLiteral("DROP TRIGGER fail_%1_%2").arg(c.copyFails ? "update" : "insert", refused));
            c.between(person);
            m_messages.Clear();
            Click(person, "cmdOK");
        });
        Open(kFamily, owner);
        EXPECT_EQ(m_messages.Texts(), QStringList());
        EXPECT_EQ(home(), c.stored);
    }
}

TEST_F(FamilyGroupNewMemberTest, AFamilyDeletedMeanwhileTakesNoMemberAndIsNamedAsDeleted) {
    NewPerson("Yoo", "Bo");
    m_pick = "Yoo, Bo";
    const int32_t family = NewOwner(kFamily, "Yoos");
    m_steps["FamilyGroupForm"] = [&](QDialog& window) {
        raw->Execute("DELETE FROM Family WHERE ID=?", {family});
        Click(window, "tbarMemberAdd");
    };
    m_steps["AddOptionForm"] = [](QDialog& add) {
        Click(add, "cmdSearch");
        Click(add, "cmdOK");
    };
    Open(kFamily, family);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgFamilyGroupGone)});
    EXPECT_EQ(Stored(kFamily, "Bo"), "/0");

    // A member's window open while another program deletes the family: OK says so, the next saves the person.
    m_messages.Clear();
    const int32_t su = NewPerson("Yoo", "Su");
    raw->Execute("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=?", {su});
    const int32_t other = NewOwner(kFamily, "Other Yoos");
    AddMemberRow(su, other, "Son");
    m_steps["FamilyGroupForm"] = [](QDialog& window) { ClickRow(window, "Yoo, Su", true); };
    m_steps["MemberForm"] = [&](QDialog& person) {
        raw->Execute("DELETE FROM PersonToFamily WHERE FamilyID=?", {other});
        raw->Execute("DELETE FROM Family WHERE ID=?", {other});
        TypeText(person, "txtOccupation", "Baker");
        Click(person, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgFamilyGroupGone)});
        Click(person, "cmdOK");
        EXPECT_FALSE(person.isVisible());
    };
    Open(kFamily, other);
    EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgFamilyGroupGone)});
    EXPECT_EQ(Value("SELECT Occupation FROM Person WHERE ID=?", {su}).ToString(), "Baker");
}

// A new member is saved, then the person window's own lists, or the family window's, fail: the one message
// says that the change was saved, and why the list was not read.
TEST_F(FamilyGroupNewMemberTest, AListThatFailsAfterASaveSaysTheChangeWasSaved) {
    platform::SqliteConnection::SetBusyTimeout(std::chrono::milliseconds(30));
    const auto sql = [&](const char* script) { return [=, this] { raw->ExecuteScript(script); }; };
    const auto damage = [&](const char* index) {
        return [=, this] { ASSERT_TRUE(DamageTableRootPageUnderProgram(m_path, index, QStringLiteral("index"))); };
    };
    const struct {
        const char* first;
        int32_t told;
        std::function<void()> beforeOK = [] {}, afterOK = [] {}, undo = [] {};
        const Kind* kind = &kFamily;
    } cases[] = {
        {.first = "Ara", .told = kMsgSavedListBusy, .afterOK = sql("BEGIN EXCLUSIVE"), .undo = sql("ROLLBACK")},
        // Damaged for good, and last: the second damages an index that a family membership writes.
        {.first = "Dana", .told = kMsgSavedListUnreadable, .afterOK = damage("PersonToFamilyFamily")},
        {.first = "Eun", .told = kMsgSavedListUnreadable, .beforeOK = damage("PersonToFamilyPerson"), .kind = &kGroup},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const int32_t owner = NewOwner(*c.kind, c.first);
        AddNewMember(c.first, c.beforeOK, [&](QDialog&) { c.afterOK(); });
        m_messages.Clear();
        Open(*c.kind, owner);
        c.undo();
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(c.told)});
        EXPECT_EQ(Stored(*c.kind, c.first), c.kind->family ? "Daughter/1" : "Daughter/0");
    }
}

} // namespace
} // namespace test
