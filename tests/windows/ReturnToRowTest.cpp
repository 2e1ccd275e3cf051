#include "tests/support/DatabaseWindowTest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <functional>

// Each list that opens a window per row, worked as a person works it: after the row's window closes
// (by OK, which fills the list again, or by Cancel) the list has the focus on that same row, so Enter
// opens it again; after New, on the new row.

namespace test {
namespace {

using amb::EnumFamilyGroup;
using amb::EnumWindowType;

class ReturnToRowTest : public DatabaseWindowTest {
public:
    using DatabaseWindowTest::db;
    using DatabaseWindowTest::NewFamily;
    using DatabaseWindowTest::NewGroup;
    using DatabaseWindowTest::NewOffering;
    using DatabaseWindowTest::NewPerson;
    using DatabaseWindowTest::raw;
    using WindowTest::m_loader;

    ReturnToRowTest() {
        m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
        m_hub->SetCurrentUserID(NewUser("CHIEF"));
        person = NewPerson("Kim");
        raw->Execute("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=?", {person});
    }
    int32_t NewUser(const QString& name) {
        return db->UpdateUser(Record({{"ID", 0},
                                      {"Username", name},
                                      {"Password", "pw"},
                                      {"Name", name},
                                      {"IsAdmin", true},
                                      {"IsEnabled", true}}));
    }
    int32_t Member(const QString& first) {
        const int32_t id = NewPerson("Kim", first);
        raw->Execute("UPDATE Person SET SexID=1, MemberStatusID=1 WHERE ID=?", {id});
        return id;
    }
    void OpenPerson() { m_loader->ShowPersonWindow(person, EnumFamilyGroup::None, 0); }

    int32_t person = 0;
    int32_t owner = 0; // the family or group whose members are listed
};

struct ListCase {
    const char* name;
    const char* list;
    int page;                   // the page of tabMain holding the list; -1 when the window has no pages
    const char* toolbar;        // its toolbar, whose first button is New; nullptr when rows are not added here
    const char* box;            // the box of the row's window that shows what the row's first cell shows
    const char* newBox;         // the box typed into for a new row (after a kind is picked where there is one)
    int column = 0;             // the row's cell that the box shows
    const char* type = nullptr; // typed into the page's type box, which chooses the rows listed
    std::function<void(ReturnToRowTest&)> make; // the rows
    std::function<void(ReturnToRowTest&)> open; // the list's window
};

void OpenPerson(ReturnToRowTest& t) {
    t.OpenPerson();
}

// A contact list of the person window: three rows of kinds not in its list.
ListCase Contacts(const char* name, const char* list, const char* toolbar, int page, const char* table,
                  const char* column, const char* newBox) {
    const QString insert = QStringLiteral("INSERT INTO %1 (PersonID, Name, %2) VALUES (?, ?, ?)")
                               .arg(QLatin1String(table), QLatin1String(column));
    return {.name = name,
            .list = list,
            .page = page,
            .toolbar = toolbar,
            .box = "cboName",
            .newBox = newBox,
            .make =
                [insert](ReturnToRowTest& t) {
                    for (const QString kind : {"Alpha", "Bravo", "Charlie"})
                        t.raw->Execute(insert, {t.person, kind, QString(kind + QStringLiteral(" value"))});
                },
            .open = OpenPerson};
}

// The person window's list of the families or groups the person belongs to.
ListCase Owners(EnumFamilyGroup kind) {
    const bool family = kind == EnumFamilyGroup::Family;
    return {.name = family ? "a person's families" : "a person's groups",
            .list = family ? "lstvwFamily" : "lstvwGroup",
            .page = family ? 3 : 4,
            .toolbar = nullptr,
            .box = "txtName",
            .newBox = nullptr,
            .make =
                [family](ReturnToRowTest& t) {
                    for (const QString name : {"Alpha", "Bravo", "Charlie"}) {
                        const int32_t head = t.Member("Head");
                        const int32_t owner = family ? t.NewFamily(name, head) : t.NewGroup(name, head);
                        const auto row =
                            Record({{"ID", 0}, {"PersonID", t.person}, {family ? "FamilyID" : "GroupID", owner}});
                        family ? t.db->UpdatePersonToFamily(row) : t.db->UpdatePersonToGroup(row);
                    }
                },
            .open = OpenPerson};
}

// The member list of a family or group window: the head and two members.
ListCase Members(EnumFamilyGroup kind) {
    const bool family = kind == EnumFamilyGroup::Family;
    return {.name = family ? "family members" : "group members",
            .list = "lstvwMember",
            .page = -1,
            .toolbar = nullptr,
            .box = "txtFirstName",
            .newBox = nullptr,
            .make =
                [family](ReturnToRowTest& t) {
                    const int32_t head = t.Member("Alpha");
                    t.owner = family ? t.NewFamily("Kims", head) : t.NewGroup("Choir", head);
                    for (const char* first : {"Bravo", "Charlie"}) {
                        const auto row = Record(
                            {{"ID", 0}, {"PersonID", t.Member(first)}, {family ? "FamilyID" : "GroupID", t.owner}});
                        family ? t.db->UpdatePersonToFamily(row) : t.db->UpdatePersonToGroup(row);
                    }
                },
            .open =
                [family](ReturnToRowTest& t) {
                    family ? t.m_loader->ShowFamilyWindow(t.owner) : t.m_loader->ShowGroupWindow(t.owner);
                }};
}

// A list window of the administrators' menu, with its seeded rows and those `make` adds.
ListCase ListWindow(
    const char* name, EnumWindowType type, const char* box,
    std::function<void(ReturnToRowTest&)> make = [](ReturnToRowTest&) {}) {
    return {.name = name,
            .list = "lstvwList",
            .page = -1,
            .toolbar = "tbarList",
            .box = box,
            .newBox = box,
            .make = std::move(make),
            .open = [type](ReturnToRowTest& t) { t.m_loader->ShowListWindow(type); }};
}

const ListCase kLists[] = {
    Contacts("addresses", "lstvwAddress", "tbarAddress", 0, "PersonAddress", "AddressPart1", "txtAddressPart1"),
    Contacts("phone numbers", "lstvwPhoneNumber", "tbarPhoneNumber", 1, "PersonPhoneNumber", "PhoneNumber",
             "txtPhoneNumber"),
    Contacts("e-mail addresses", "lstvwEMailAddress", "tbarEMailAddress", 2, "PersonEMailAddress", "EMailAddress",
             "txtEMailAddress"),
    Owners(EnumFamilyGroup::Family),
    Owners(EnumFamilyGroup::Group),
    {.name = "a person's offerings",
     .list = "lstvwOffering",
     .page = 5,
     .toolbar = nullptr,
     .box = "txtAmount",
     .newBox = nullptr,
     .column = 1,
     .type = "Tithe",
     .make =
         [](ReturnToRowTest& t) {
             for (const int day : {4, 11, 18})
                 t.NewOffering(t.person, 1, QDateTime(QDate(2026, 1, day), QTime(0, 0)),
                               platform::Currency::FromTicks(10000 * day));
         },
     .open = OpenPerson},
    Members(EnumFamilyGroup::Family),
    Members(EnumFamilyGroup::Group),
    ListWindow("users", EnumWindowType::User, "txtUsername",
               [](ReturnToRowTest& t) {
                   for (const char* name : {"ALPHA", "BRAVO"})
                       t.NewUser(QString::fromLatin1(name));
               }),
    ListWindow("group types", EnumWindowType::GroupType, "txtName"),
    ListWindow("member statuses", EnumWindowType::MemberStatus, "txtName"),
};

QString BoxText(QDialog& dialog, const char* box) {
    if (auto* line = dialog.findChild<QLineEdit*>(QString::fromLatin1(box)))
        return line->text();
    auto* combo = Child<QComboBox>(dialog, box);
    return combo ? combo->currentText() : QString();
}

void ClickRow(QTreeWidget* list, int row, bool twice) {
    const QPoint centre = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void ClickNew(QDialog& dialog, const char* toolbar) {
    auto* bar = Child<QToolBar>(dialog, toolbar);
    ASSERT_NE(bar, nullptr);
    ClickToolbarButton(bar, bar->actions().value(0));
}

// Types the kind of a new contact row, one of its list that no row of the person has yet.
void TypeKind(QDialog& dialog) {
    if (auto* kind = dialog.findChild<QComboBox*>(QStringLiteral("cboName"))) {
        QTest::mouseClick(kind->lineEdit(), Qt::LeftButton);
        QTest::keyClick(kind->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(kind->lineEdit(), QStringLiteral("Other"));
    }
}

// Types into a box of the window, after clicking it.
void TypeInto(QDialog& dialog, const char* name, const QString& text) {
    auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!box)
        return;
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClicks(box, text);
}

TEST_F(ReturnToRowTest, AfterARowsWindowClosesEnterOpensThatRowAgain) {
    for (const ListCase& c : kLists) {
        c.make(*this);
        for (const bool twice : {false, true}) {
            SCOPED_TRACE(QStringLiteral("%1, opened by %2")
                             .arg(QLatin1String(c.name), twice ? "a double-click" : "Enter")
                             .toStdString());
            QStringList opened; // what the box of each row's window showed
            const char* close = "cmdOK";
            QString second;
            int windows = 0;
            ModalScript script([&](QDialog& dialog) {
                if (++windows > 1) {
                    opened << BoxText(dialog, c.box);
                    Click(dialog, close);
                    EXPECT_FALSE(dialog.isVisible()) << close << " left the row's window open";
                    return;
                }
                if (c.page >= 0)
                    ClickTab(dialog, "tabMain", c.page);
                if (c.type)
                    QTest::keyClicks(Child<QComboBox>(dialog, "cboOfferingType"), QString::fromLatin1(c.type));
                auto* list = Child<QTreeWidget>(dialog, c.list);
                ASSERT_GE(list->topLevelItemCount(), 3);
                second = list->topLevelItem(1)->text(c.column);
                ClickRow(list, 1, twice);
                if (!twice)
                    test::PressKeyIn(list, Qt::Key_Return);
                ASSERT_EQ(opened.size(), 1);
                // Closed by OK, which filled the list again.
                EXPECT_EQ(dialog.focusWidget(), list);
                close = "cmdCancel";
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
                // Closed by Cancel.
                EXPECT_EQ(dialog.focusWidget(), list);
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
                EXPECT_EQ(opened.size(), 3);
                Click(dialog,
                      dialog.findChild<QAbstractButton*>(QStringLiteral("cmdClose")) ? "cmdClose" : "cmdCancel");
            });
            c.open(*this);
            EXPECT_GE(windows, 1);
            EXPECT_EQ(opened.size(), 3) << opened.join(';').toStdString();
            for (const QString& text : opened)
                EXPECT_TRUE(!text.isEmpty() && second.contains(text))
                    << text.toStdString() << " opened, not " << second.toStdString();
        }
    }
}

TEST_F(ReturnToRowTest, AfterNewEnterOpensTheNewRow) {
    for (const ListCase& c : kLists) {
        if (!c.toolbar)
            continue;
        SCOPED_TRACE(c.name);
        c.make(*this);
        m_messages.Clear();
        QStringList opened;
        int windows = 0;
        ModalScript script([&](QDialog& dialog) {
            if (++windows > 1) {
                if (windows == 2) {
                    TypeKind(dialog);
                    TypeInto(dialog, c.newBox, QStringLiteral("NEWROW"));
                    if (QLatin1String(c.newBox) != QLatin1String("txtName"))
                        TypeInto(dialog, "txtName", QStringLiteral("New row"));
                    TypeInto(dialog, "txtPassword", QStringLiteral("pw"));
                    TypeInto(dialog, "txtConfirmPassword", QStringLiteral("pw"));
                }
                opened << Child<QLineEdit>(dialog, c.newBox)->text();
                Click(dialog, windows == 2 ? "cmdOK" : "cmdCancel");
                EXPECT_FALSE(dialog.isVisible()) << m_messages.Texts().join(';').toStdString();
                return;
            }
            if (c.page >= 0)
                ClickTab(dialog, "tabMain", c.page);
            auto* list = Child<QTreeWidget>(dialog, c.list);
            ClickRow(list, 1, false);
            ClickNew(dialog, c.toolbar);
            ASSERT_EQ(opened.size(), 1);
            EXPECT_EQ(dialog.focusWidget(), list);
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
            Click(dialog, dialog.findChild<QAbstractButton*>(QStringLiteral("cmdClose")) ? "cmdClose" : "cmdCancel");
        });
        c.open(*this);
        EXPECT_EQ(opened, (QStringList{QStringLiteral("NEWROW"), QStringLiteral("NEWROW")}));
    }
}

} // namespace
} // namespace test
