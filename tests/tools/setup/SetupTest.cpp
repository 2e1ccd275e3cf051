#include "platform/data/SqliteConnection.h"
#include "platform/registry/Registry.h"
#include "tests/support/Installer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace reg = platform::registry;

namespace {

const QString kSettingsKey = "SOFTWARE\\Orv Solutions\\Ambrel";

reg::Value Read(const QString& name, const QString& subKey = kSettingsKey, reg::Key root = reg::LocalMachine) {
    reg::ScopedKey key;
    reg::Value value;
    value.text = "<missing>";
    if (reg::OpenKey(root, subKey, key.Receive()) == 0)
        reg::QueryValue(key.Get(), name, value);
    return value;
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Setup : public ::testing::Test {
protected:
    test::SetupResult Run(const QStringList& options, bool withAppDir = true) {
        return test::RunInstaller(m_dir, options, withAppDir);
    }
    QString App(const QString& relative = QString()) const {
        return QDir(test::InstalledAppDir(m_dir)).filePath(relative);
    }
    std::unique_ptr<platform::SqliteConnection> Database() const {
        return platform::SqliteConnection::Open(App("db.mdb"));
    }

    test::TempDir m_dir;
};

} // namespace

// The hub's own tests read the settings and folders back; here: what only the installer makes.
TEST_F(Setup, MakesAWorkingInstallation) {
    const auto result = Run({"--language", "1042"});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    for (const char* relative :
         {"1033/AmbResources.tsv", "1042/AmbResources.tsv", "Ambrel.html", "Ambrel.ko.html", "Ambrel.css"})
        EXPECT_EQ(Content(App(relative)), Content(QDir(test::BuiltShareDir()).filePath(relative))) << relative;
    EXPECT_TRUE(QFileInfo(App("1033/Report")).isDir());
    for (const char* name : {"CompanyName", "City", "State", "Country"})
        EXPECT_EQ(Read(name).type, reg::ValueType::String) << name;

    const QString components = kSettingsKey + "\\Components";
    EXPECT_EQ(Read("ApplicationManager", components).text, "AmbApplication.Manager");
    EXPECT_EQ(Read("DatabaseManager", components).text, "AmbDatabase.Manager");
    EXPECT_EQ(Read("ReportPrinter", components).text, "AmbReportPrinter.Printer");
    EXPECT_EQ(Read("WindowManager", components).text, "AmbWindows.WindowLoader");
    // Every component library in the library folder is registered at its own path.
    const QString clsid = Read(QString(), "AmbApplication.Manager\\Clsid", reg::ClassesRoot).text;
    const QString library = Read(QString(), "CLSID\\" + clsid + "\\InprocServer32", reg::ClassesRoot).text;
    EXPECT_EQ(QFileInfo(library).canonicalFilePath(),
              QFileInfo(test::BuiltLibraryDir() + "/libAmbApplication.so").canonicalFilePath());
    // The database and the date format of the installation's language.
    EXPECT_EQ(Database()->Query("SELECT AddressName FROM AddressName WHERE ID=1")->Field(0).ToString(), "집");
    EXPECT_EQ(Read("DateFormat").text, "yyyy-M-d");
}

TEST_F(Setup, RunningAgainKeepsSettingsAndDataUnlessAnOptionChangesThem) {
    ASSERT_EQ(Run({"--company", "은혜 교회", "--language", "1042"}).exitCode, 0);
    {
        reg::ScopedKey key;
        ASSERT_EQ(reg::OpenKey(reg::LocalMachine, kSettingsKey, key.Receive()), 0);
        ASSERT_EQ(reg::SetString(key.Get(), "DateFormat", "yyyy-M-d"), 0);
        ASSERT_EQ(reg::SetDWord(key.Get(), "TraceOn", 1), 0);
    }
    Database()->Execute("INSERT INTO Family (Name) VALUES (?)", {"O'Neil 가족"});
    QFile backup(App("BackUp/001.mdb"));
    ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
    backup.close();
    // An older installation's help was one file for both languages.
    ASSERT_TRUE(QFile::remove(App("Ambrel.ko.html")));
    ASSERT_TRUE(QFile::resize(App("Ambrel.html"), 10));

    // Without --appdir, and in another language, the installation goes where the first one went.
    auto result = Run({"--language", "1033"}, false);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("its data is kept")) << result.output.toStdString();
    EXPECT_EQ(Read("AppDir").text, App());
    EXPECT_FALSE(QFileInfo::exists(m_dir.FilePath("home/data/Ambrel")));
    EXPECT_EQ(Read("DateFormat").text, "yyyy-M-d");
    EXPECT_EQ(Read("TraceOn").number, 1u);
    EXPECT_EQ(Read("CompanyName").text, "은혜 교회");
    EXPECT_EQ(Read("NameLocaleID").number, 1042u);
    EXPECT_EQ(Database()->Query("SELECT Name FROM Family")->Field(0).ToString(), "O'Neil 가족");
    EXPECT_TRUE(QFileInfo::exists(App("BackUp/001.mdb")));
    for (const char* help : {"Ambrel.html", "Ambrel.ko.html"})
        EXPECT_EQ(Content(App(help)), Content(QDir(test::BuiltShareDir()).filePath(help))) << help;

    result = Run({"--date-format", "d/m/yyyy", "--trace", "off"});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(Read("DateFormat").text, "d/m/yyyy");
    EXPECT_EQ(Read("TraceOn").number, 0u);
    EXPECT_EQ(Read("CompanyName").text, "은혜 교회");
}

TEST_F(Setup, DefaultApplicationDirectoryIsInTheUsersDataFolder) {
    const auto result = Run({}, false);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(Read("AppDir").text, m_dir.FilePath("home/data/Ambrel"));
    EXPECT_EQ(Read("DefaultAddressFormat").number, 1u) << "an English installation writes US addresses";
    EXPECT_TRUE(QFileInfo(m_dir.FilePath("home/data/Ambrel/1042/Report")).isDir());
}

TEST_F(Setup, ABadOptionOrMissingPartChangesNothing) {
    const QStringList bad[] = {{"--language", "9"},       {"--name-locale", "korean"},
                               {"--address-format", "2"}, {"--date-format", " "},
                               {"stray-argument"},        {"--share", m_dir.FilePath("nowhere")}};
    for (const QStringList& options : bad) {
        const auto result = Run(options);
        EXPECT_NE(result.exitCode, 0) << options.join(' ').toStdString();
        EXPECT_FALSE(result.output.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(App()));

    QDir().mkpath(m_dir.FilePath("empty-share"));
    auto result = Run({"--share", m_dir.FilePath("empty-share")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.output.contains("string table")) << result.output.toStdString();
    EXPECT_EQ(Read("AppDir").text, "<missing>");

    // Something else in the database's place fails the installation.
    ASSERT_TRUE(QDir().mkpath(App("db.mdb")));
    result = Run({});
    EXPECT_NE(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("not a database file")) << result.output.toStdString();
}

TEST_F(Setup, ALibraryThatCannotRegisterFailsTheInstallation) {
    const QString libraries = m_dir.FilePath("lib");
    QDir().mkpath(libraries);
    auto result = Run({"--libdir", libraries});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.output.contains("no component library")) << result.output.toStdString();

    QFile broken(QDir(libraries).filePath("libBroken.so"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a library");
    broken.close();
    result = Run({"--libdir", libraries});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.output.contains("libBroken.so")) << result.output.toStdString();
}

// A Korean installation asks for no US city, state and zip code; running the installer over an
// earlier Korean installation names its report list as the reports' pages are titled now.
TEST_F(Setup, AKoreanInstallationWritesFreeAddressesAndAnEarlierReportListIsRenamed) {
    ASSERT_EQ(Run({"--language", "1042"}).exitCode, 0);
    EXPECT_EQ(Read("DefaultAddressFormat").number, 0u);
    const auto name = [&](const char* report) {
        return Database()->Query("SELECT Report FROM Report WHERE InternalName=?", {report})->Field(0).ToString();
    };
    EXPECT_EQ(name("Group Contact List - Column View"), "그룹 연락처 목록 - 표 형식");
    // The names the earlier seed gave; one of them the user has changed since.
    Database()->Execute("UPDATE Report SET Report = replace(Report, '표 형식', '열 보기')");
    Database()->Execute(
        "UPDATE Report SET Report = '교인 표' WHERE InternalName = 'Member Contact List - Column View'");

    const auto result = Run({});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("renamed 2 reports")) << result.output.toStdString();
    EXPECT_EQ(name("Family Contact List - Column View"), "가정 연락처 목록 - 표 형식");
    EXPECT_EQ(name("Group Contact List - Column View"), "그룹 연락처 목록 - 표 형식");
    EXPECT_EQ(name("Member Contact List - Column View"), "교인 표");
    EXPECT_EQ(Read("DefaultAddressFormat").number, 0u);

    // Nothing is left to rename the next time.
    EXPECT_FALSE(Run({}).output.contains("renamed"));
}
