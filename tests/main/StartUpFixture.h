#pragma once

// The start-up tests' fixture: an installation made by the built installer in a temporary folder, the
// components it registered, and the steps a person takes in the main window started over it.

#include "main/CApplication.h"
#include "main/MainForm.h"

#include "contracts/IDatabaseManager.h"
#include "platform/com/Factory.h"
#include "tests/support/Installer.h"
#include "tests/support/WindowTest.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace test {

// A text of the installed English string table, as the program shows it.
inline QString EnglishText(int32_t id) {
    QFile table(BuiltShareDir() + "/1033/AmbResources.tsv");
    if (!table.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = QByteArray::number(id) + '\t';
    for (const QByteArray& line : table.readAll().split('\n'))
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size())).trimmed();
    return {};
}

class StartUpTest : public ::testing::Test {
protected:
    QString AppDir() const { return InstalledAppDir(m_temp); }
    QString Database() const { return QDir(AppDir()).filePath("db.mdb"); }

    // Installs into the temporary folders; without `database` the installer's db.mdb is removed.
    void Install(bool database, const QStringList& options = {}) {
        const SetupResult result =
            RunInstaller(m_temp, QStringList{"--company", "Grace Church", "--log", "on", "--trace", "on"} + options);
        ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
        if (!database) {
            ASSERT_TRUE(QFile::remove(Database()));
        }
    }

    // Writes a machine-wide component class name as a site's administrator would.
    void SetComponent(const QString& name, const QString& className) {
        auto registry = platform::com::CreateObjectAs<orv::IRegistryManager>("OrvRegistry.Manager");
        ASSERT_EQ(registry->OpenKey(orv::EnumRootKey::HKEY_LOCAL_MACHINE, QLatin1String(amb::ambrel::kComponentsKey)),
                  0);
        registry->SetStringValue(name, className);
        registry->CloseKey();
    }

    // A clerk (user name "clerk") and three persons, Kim, O'Neil and kimball, through the database
    // component; Kim heads the Kim Family.
    void AddClerkAndPersons() {
        auto database = platform::com::CreateObjectAs<amb::IDatabaseManager>("AmbDatabase.Manager");
        database->SetConnectionString(amb::ambrel::BuildConnectionString(AppDir()));
        const auto record = [](std::initializer_list<std::pair<QString, platform::Variant>> items) {
            return std::make_shared<platform::Dictionary>(items);
        };
        ASSERT_GT(database->UpdateUser(record({{"ID", 0},
                                               {"Username", "clerk"},
                                               {"Password", "s3cret word"},
                                               {"Name", "Office Clerk"},
                                               {"IsAdmin", false},
                                               {"IsEnabled", true}})),
                  0);
        for (const auto& [first, last] : {std::pair{"Young", "Kim"}, {"Mary", "O'Neil"}, {"Sarah", "kimball"}})
            ASSERT_GT(database->UpdatePerson(record(
                          {{"ID", 0}, {"FirstName", QString::fromUtf8(first)}, {"LastName", QString::fromUtf8(last)}})),
                      0);
        const int32_t family = database->UpdateFamily(record({{"ID", 0}, {"Name", "Kim Family"}}));
        ASSERT_GT(family, 0);
        ASSERT_GT(database->UpdatePersonToFamily(
                      record({{"ID", 0}, {"PersonID", 1}, {"FamilyID", family}, {"IsHeadOfFamily", true}})),
                  0);
    }

    void LogInAsClerk(amb::ambrel::MainForm& mainForm) {
        ModalScript logIn([](QDialog& dialog) {
            TypeText(dialog, "txtUsername", "clerk");
            TypeText(dialog, "txtPassword", "s3cret word");
            Click(dialog, "cmdOK");
        });
        ClickToolbarButton(mainForm.findChild<QToolBar*>("tbarMain"), mainForm.findChild<QAction*>("LogInOut"));
    }

    // Clicks into the search band's text box, types over its text and presses Enter.
    static void Search(amb::ambrel::MainForm& mainForm, const char* text) {
        auto* box = mainForm.findChild<QComboBox*>("cboSearchText");
        ASSERT_NE(box, nullptr);
        ClickWidget(box->lineEdit());
        PressKeyIn(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
        PressKeyIn(box, Qt::Key_Return);
    }

    // Clicks the record tree's node of that key ("Member", "Family"), as the mouse does.
    static void ClickNode(amb::ambrel::MainForm& mainForm, const QString& key) {
        auto* tree = mainForm.findChild<QTreeWidget*>("trvwIcon");
        ASSERT_NE(tree, nullptr);
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() != key)
                continue;
            tree->scrollToItem(*it);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(*it).center());
            return;
        }
        FAIL() << "no node " << key.toStdString();
    }

    QStringList FilesIn(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }

    TempDir m_temp;
    ScriptedMessages m_messages;
};

} // namespace test
