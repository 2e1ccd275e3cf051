#pragma once

#include "common/ResourceIDs.h"
#include "common/widgets/BusyScope.h"
#include "platform/data/Clock.h"
#include "tests/support/DatabaseWindowTest.h"
#include "tests/support/DateClicks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <optional>

namespace test {

// The two parts of a date picker as a user sees them: the tick box and the date.
struct PickerParts {
    QCheckBox* check = nullptr;
    QDateTimeEdit* edit = nullptr;
};

inline PickerParts Picker(QWidget& dialog, const char* name) {
    auto* picker = Child<QWidget>(dialog, name);
    if (!picker)
        return {};
    return {picker->findChild<QCheckBox*>(), picker->findChild<QDateTimeEdit*>()};
}

// Ticks the picker (when it is empty) and types the date as the box shows dates, from its first part,
// as a person does; then Tab.
inline void EnterDate(QWidget& dialog, const char* name, const QDate& date) {
    const PickerParts parts = Picker(dialog, name);
    if (!parts.check->isChecked())
        QTest::mouseClick(parts.check, Qt::LeftButton);
    ClickDatePart(parts.edit, 0);
    QTest::keyClicks(parts.edit, date.toString(parts.edit->displayFormat()));
    QTest::keyClick(parts.edit, Qt::Key_Tab);
    EXPECT_EQ(parts.edit->date(), date) << name;
}

// The picker's date, nothing while it holds none.
inline std::optional<QDate> ShownDate(QWidget& dialog, const char* name) {
    const PickerParts parts = Picker(dialog, name);
    if (!parts.check->isChecked())
        return std::nullopt;
    return parts.edit->date();
}

// Chooses the entry with that text, as picking it from the drop-down list does.
inline void Choose(QWidget& dialog, const char* box, const QString& text) {
    auto* combo = Child<QComboBox>(dialog, box);
    const int index = combo->findText(text);
    EXPECT_GE(index, 0) << "no entry " << text.toStdString() << " in " << box;
    combo->setFocus();
    combo->setCurrentIndex(index);
}

// Types into an editable combo box.
inline void TypeCombo(QWidget& dialog, const char* box, const QString& text) {
    auto* combo = Child<QComboBox>(dialog, box);
    combo->setFocus();
    combo->setEditText(text);
}

// The toolbar button at a position counted from 1.
inline QAction* ToolButton(QWidget& dialog, const char* bar, int position) {
    auto* toolbar = Child<QToolBar>(dialog, bar);
    return toolbar ? toolbar->actions().value(position - 1) : nullptr;
}

inline QString TextOf(QWidget& dialog, const char* name) {
    if (auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name)))
        return box->text();
    if (auto* combo = dialog.findChild<QComboBox*>(QString::fromLatin1(name)))
        return combo->currentText();
    if (auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name)))
        return button->text();
    ADD_FAILURE() << "no text control " << name;
    return {};
}

// The row texts of a list, "cell 0|cell 1" each.
inline QStringList Rows(QWidget& dialog, const char* list) {
    QStringList rows;
    auto* tree = Child<QTreeWidget>(dialog, list);
    for (int i = 0; tree && i < tree->topLevelItemCount(); ++i)
        rows << tree->topLevelItem(i)->text(0) + QLatin1Char('|') + tree->topLevelItem(i)->text(1);
    return rows;
}

// Clicks a row of a list, as the mouse does.
inline void ClickRow(QWidget& dialog, const char* list, int row) {
    auto* tree = Child<QTreeWidget>(dialog, list);
    const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
}

// Clicks a column header of a list.
inline void ClickHeader(QWidget& dialog, const char* list, int column) {
    ClickHeader(Child<QTreeWidget>(dialog, list), column);
}

// Clicks a page's tab of tabMain, as the mouse does.
inline void ClickPage(QWidget& dialog, int page) {
    ClickTab(dialog, "tabMain", page);
}

// Clicks a toolbar button at its position, counted from 1, as the mouse does.
inline void ClickTool(QWidget& dialog, const char* bar, int position) {
    ClickToolbarButton(Child<QToolBar>(dialog, bar), ToolButton(dialog, bar, position));
}

// A person window test over a real db.mdb, with a fixed clock.
class MemberFormTest : public DatabaseWindowTest {
protected:
    explicit MemberFormTest(amb::EnumSupportedLocaleID guiLocale = amb::EnumSupportedLocaleID::English,
                            int32_t databaseLcid = 1033)
        : DatabaseWindowTest(guiLocale, databaseLcid), m_clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0))) {}

    // Fills the required fields of a new person in the English name locale.
    void FillRequired(QDialog& dialog, const QString& first, const QString& last) {
        Choose(dialog, "cboMemberStatus", "Active");
        Choose(dialog, "cboSex", "Female");
        TypeText(dialog, "txtFirstName", first);
        TypeText(dialog, "txtLastName", last);
    }
    int Persons() { return Count(QStringLiteral("SELECT COUNT(*) FROM Person")); }
    platform::Variant PersonValue(int32_t id, const QString& column) {
        return Value(QStringLiteral("SELECT \"%1\" FROM Person WHERE ID=?").arg(column), {id});
    }

    platform::ClockScope m_clock;
};

} // namespace test
