#pragma once

#include "tests/windows/member/MemberFormFixture.h"

#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include <deque>
#include <functional>
#include <map>

namespace test {

// Scripts nested modal windows by their object name: each window shown takes the next step queued
// for its name; a window without a step is closed as by its close box.
class WindowSteps {
public:
    WindowSteps()
        : m_script([this](QDialog& dialog) {
              auto& queue = m_steps[dialog.objectName()];
              if (queue.empty())
                  return;
              const ModalScript::Step step = std::move(queue.front());
              queue.pop_front();
              step(dialog);
          }) {}
    void Add(const QString& window, ModalScript::Step step) { m_steps[window].push_back(std::move(step)); }
    int Runs() const { return m_script.Runs(); }

private:
    std::map<QString, std::deque<ModalScript::Step>> m_steps;
    ModalScript m_script;
};

// The process-wide default locale for one test.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : m_before(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_before); }

private:
    QLocale m_before;
};

// Types into the person search window's box and presses Search.
inline void SearchFor(QDialog& search, const QString& text) {
    auto* box = Child<QComboBox>(search, "cboSearchText");
    box->setFocus();
    box->lineEdit()->setText(text);
    Click(search, "cmdSearch");
}

// Clicks the report window's export option on its round mark, as the mouse does.
inline void ChooseExport(QDialog& dialog) {
    auto* option = Child<QRadioButton>(dialog, "optDestination1");
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}
// Chooses `report` in the report window and goes on to its destination, a file.
inline void ExportStep(QDialog& dialog, const QString& report) {
    Choose(dialog, "cboReport", report);
    Click(dialog, "cmdNext");
    Click(dialog, "cmdNext");
    ChooseExport(dialog);
}

// Offering and expense windows over a real db.mdb with a fixed clock (December 2026) and a
// logged-in user.
class OfferingWindowTest : public DatabaseWindowTest {
protected:
    explicit OfferingWindowTest(amb::EnumSupportedLocaleID guiLocale = amb::EnumSupportedLocaleID::English,
                                int32_t databaseLcid = 1033)
        : DatabaseWindowTest(guiLocale, databaseLcid), m_clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0))) {
        m_hub->SetCurrentUserID(1);
    }

    QString TypeName(const char* table, int32_t id) {
        return Value(QStringLiteral("SELECT %1 FROM %1 WHERE ID=?").arg(QString::fromLatin1(table)), {id}).ToString();
    }
    // The user and look-up lists are the administrator's to change.
    void LogInAsAdministrator() {
        m_hub->SetCurrentUserID(db->UpdateUser(Record({{"ID", 0},
                                                       {"Username", QStringLiteral("ADMIN")},
                                                       {"Password", QStringLiteral("pw")},
                                                       {"Name", QStringLiteral("Admin")},
                                                       {"EMailAddress", QString()},
                                                       {"IsAdmin", true},
                                                       {"IsEnabled", true}})));
    }
    int Offerings() { return Count(QStringLiteral("SELECT COUNT(*) FROM PersonOffering")); }
    int Expenses() { return Count(QStringLiteral("SELECT COUNT(*) FROM Expense")); }
    QString EnvelopCode(int32_t person) {
        return Value(QStringLiteral("SELECT EnvelopCode FROM Person WHERE ID=?"), {person}).ToString();
    }

    platform::ClockScope m_clock;
};

} // namespace test
