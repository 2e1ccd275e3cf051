#pragma once

// Shared steps of the family-or-group window tests: a real db.mdb, a fake loader as the hub's loader
// for the windows these windows open through it, and clicks on the member grid's real widgets.

#include "tests/support/DatabaseWindowTest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace test {

// Picks `name`, as the result list shows it, in the person search window: searches for its first
// part (the last name), clicks its row and OK.
inline void PickInSearch(QDialog& search, const QString& name) {
    auto* box = Child<QComboBox>(search, "cboSearchText");
    box->setFocus();
    box->lineEdit()->setText(name.section(QStringLiteral(", "), 0, 0));
    Click(search, "cmdSearch");
    auto* result = Child<QTreeWidget>(search, "lstvwResult");
    const QList<QTreeWidgetItem*> found = result->findItems(name, Qt::MatchExactly, 0);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    QTest::mouseClick(result->viewport(), Qt::LeftButton, {}, result->visualItemRect(found.first()).center());
    Click(search, "cmdOK");
}

class FamilyGroupTest : public DatabaseWindowTest {
protected:
    explicit FamilyGroupTest(amb::EnumSupportedLocaleID locale = amb::EnumSupportedLocaleID::English)
        : DatabaseWindowTest(locale, static_cast<int32_t>(locale)) {
        m_hub->SetWindowLoader(m_fake);
    }
    ~FamilyGroupTest() override { m_hub->SetWindowLoader(nullptr); }

    // The person's home address, home phone and personal e-mail rows, replacing any others.
    void SetContacts(int32_t person, const QString& street, const QString& city, const QString& phone,
                     const QString& mail) {
        DropContacts(person);
        raw->Execute(QStringLiteral("INSERT INTO PersonAddress (PersonID, Name, AddressPart1, AddressPart3, "
                                    "IsHomeAddress) VALUES (?, 'Home', ?, ?, 1)"),
                     {person, street, city});
        raw->Execute(QStringLiteral("INSERT INTO PersonPhoneNumber (PersonID, Name, PhoneNumber, IsHomePhoneNumber) "
                                    "VALUES (?, 'Home', ?, 1)"),
                     {person, phone});
        raw->Execute(QStringLiteral("INSERT INTO PersonEMailAddress (PersonID, Name, EMailAddress, "
                                    "IsPersonalEMailAddress) VALUES (?, 'Personal', ?, 1)"),
                     {person, mail});
    }
    void DropContacts(int32_t person) {
        for (const char* table : {"PersonAddress", "PersonPhoneNumber", "PersonEMailAddress"})
            raw->Execute(QStringLiteral("DELETE FROM %1 WHERE PersonID=?").arg(QLatin1String(table)), {person});
    }
    int AddMemberRow(int32_t person, int32_t family, const QString& relationship = QString()) {
        return db->UpdatePersonToFamily(
            Record({{"ID", 0}, {"PersonID", person}, {"FamilyID", family}, {"Relationship", relationship}}));
    }
    int Members(int32_t family) { return Count("SELECT COUNT(*) FROM PersonToFamily WHERE FamilyID=?", {family}); }
    int32_t HeadOf(int32_t family) {
        return Value("SELECT PersonID FROM PersonToFamily WHERE FamilyID=? AND IsHeadOfFamily=1", {family}).ToInt();
    }

    std::shared_ptr<FakeWindowLoader> m_fake = std::make_shared<FakeWindowLoader>();
    // Each window's step by its name; the person search picks m_pick; a window without a step is
    // closed by its close box. m_shown lists the windows in the order they were shown.
    QHash<QString, std::function<void(QDialog&)>> m_steps;
    QStringList m_shown;
    QString m_pick;
    ModalScript m_script{[this](QDialog& dialog) {
        m_shown << dialog.objectName();
        if (dialog.objectName() == QLatin1String("SearchForm"))
            PickInSearch(dialog, m_pick);
        else if (const auto step = m_steps.value(dialog.objectName()))
            step(dialog);
    }};
};

// Fills the person window as a person would: the names, the first sex and member status, and the
// relationship or position when given; then OK (a new person is saved and the window stays open) and
// Close.
inline void EnterPerson(QDialog& person, const QString& last, const QString& first, const QString& role = QString()) {
    TypeText(person, "txtLastName", last);
    TypeText(person, "txtFirstName", first);
    for (const char* box : {"cboSex", "cboMemberStatus"})
        if (auto* combo = Child<QComboBox>(person, box); combo && combo->currentIndex() < 1)
            combo->setCurrentIndex(1);
    if (!role.isNull())
        Child<QComboBox>(person, "cboFamilyGroup")->setEditText(role);
    Click(person, "cmdOK");
    if (person.isVisible())
        Click(person, "cmdCancel");
}

inline QTreeWidget* Grid(QWidget& dialog) {
    return Child<QTreeWidget>(dialog, "lstvwMember");
}

// The grid's rows as "text|cell 1|cell 2", bold rows marked with "*".
inline QStringList GridRows(QWidget& dialog) {
    QStringList rows;
    QTreeWidget* grid = Grid(dialog);
    for (int i = 0; i < grid->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = grid->topLevelItem(i);
        rows << (item->font(0).bold() ? QStringLiteral("*") : QString()) + item->text(0) + QLatin1Char('|') +
                    item->text(1) + QLatin1Char('|') + item->text(2);
    }
    return rows;
}

// Clicks the row whose name cell reads `name`, as a person does.
inline void ClickRow(QWidget& dialog, const QString& name, bool twice = false) {
    QTreeWidget* grid = Grid(dialog);
    const QList<QTreeWidgetItem*> found = grid->findItems(name, Qt::MatchExactly, 0);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    const QPoint at = grid->visualItemRect(found.first()).center();
    // A double-click comes after a first click, as the system sends it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

inline void ClickHeader(QWidget& dialog, int column) {
    ClickHeader(Grid(dialog), column);
}

inline bool ToolEnabled(QWidget& dialog, const char* button) {
    auto* tool = Child<QAbstractButton>(dialog, button);
    return tool && tool->isEnabled();
}

} // namespace test
