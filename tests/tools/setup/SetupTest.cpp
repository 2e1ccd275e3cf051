#include "platform/registry/Registry.h"
#include "tests/support/Installer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace reg = platform::registry;

namespace {

const QString kSettingsKey = QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel");

reg::Value Read(const QString& subKey, const QString& name, reg::Key root = reg::LocalMachine) {
    reg::ScopedKey key;
    reg::Value value;
    value.text = QStringLiteral("<missing>");
    if (reg::OpenKey(root, subKey, key.Receive()) == 0)
        reg::QueryValue(key.Get(), name, value);
    return value;
}

QString Text(const QString& name) { return Read(kSettingsKey, name).text; }
uint32_t Number(const QString& name) { return Read(kSettingsKey, name).number; }

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
        const QString app = test::InstalledAppDir(m_dir);
        return relative.isEmpty() ? app : QDir(app).filePath(relative);
    }
    test::TempDir m_dir;
};

} // namespace

TEST_F(Setup, MakesAWorkingInstallation) {
    const auto result = Run({});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();

    for (const char* folder : {"BackUp", "1033/Report", "1042/Report"})
        EXPECT_TRUE(QFileInfo(App(QString::fromLatin1(folder))).isDir()) << folder;
    for (const char* locale : {"1033", "1042"}) {
        const QString relative = QString::fromLatin1(locale) + QStringLiteral("/AmbResources.tsv");
        EXPECT_EQ(Content(App(relative)), Content(QDir(test::BuiltShareDir()).filePath(relative))) << locale;
    }

    EXPECT_EQ(Text(QStringLiteral("AppDir")), App());
    EXPECT_EQ(Text(QStringLiteral("DateFormat")), QStringLiteral("m/d/yyyy"));
    EXPECT_EQ(Number(QStringLiteral("GUILocaleID")), 1033u);
    EXPECT_EQ(Number(QStringLiteral("NameLocaleID")), 1033u);
    EXPECT_EQ(Number(QStringLiteral("DefaultAddressFormat")), 1u);
    for (const char* name : {"CompanyName", "City", "State", "Country"})
        EXPECT_EQ(Read(kSettingsKey, QString::fromLatin1(name)).type, reg::ValueType::String) << name;
    for (const char* name : {"AutoBackUp", "LogOn", "TraceOn"})
        EXPECT_EQ(Read(kSettingsKey, QString::fromLatin1(name)).type, reg::ValueType::DWord) << name;

    const QString components = kSettingsKey + QStringLiteral("\\Components");
    EXPECT_EQ(Read(components, QStringLiteral("ApplicationManager")).text, QStringLiteral("AmbApplication.Manager"));
    EXPECT_EQ(Read(components, QStringLiteral("DatabaseManager")).text, QStringLiteral("AmbDatabase.Manager"));
    EXPECT_EQ(Read(components, QStringLiteral("ReportPrinter")).text, QStringLiteral("AmbReportPrinter.Printer"));
    EXPECT_EQ(Read(components, QStringLiteral("WindowManager")).text, QStringLiteral("AmbWindows.WindowLoader"));

    // Every component library in the library folder is registered at its own path.
    const QString clsid = Read(QStringLiteral("AmbApplication.Manager\\Clsid"), QString(), reg::ClassesRoot).text;
    const QString library = Read(QStringLiteral("CLSID\\") + clsid + QStringLiteral("\\InprocServer32"), QString(),
                                 reg::ClassesRoot).text;
    EXPECT_EQ(QFileInfo(library).canonicalFilePath(),
              QFileInfo(QDir(test::BuiltLibraryDir()).filePath(QStringLiteral("libAmbApplication.so"))).canonicalFilePath());
}

TEST_F(Setup, RunningAgainKeepsSettingsAndDataUnlessAnOptionChangesThem) {
    ASSERT_EQ(Run({QStringLiteral("--company"), QStringLiteral("은혜 교회"), QStringLiteral("--language"),
                   QStringLiteral("1042")}).exitCode, 0);
    {
        reg::ScopedKey key;
        ASSERT_EQ(reg::OpenKey(reg::LocalMachine, kSettingsKey, key.Receive()), 0);
        ASSERT_EQ(reg::SetString(key.Get(), QStringLiteral("DateFormat"), QStringLiteral("yyyy-M-d")), 0);
        ASSERT_EQ(reg::SetDWord(key.Get(), QStringLiteral("TraceOn"), 1), 0);
    }
    QFile data(App(QStringLiteral("db.mdb")));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write("the congregation's data");
    data.close();
    QFile backup(App(QStringLiteral("BackUp/001.mdb")));
    ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
    backup.close();

    // Without --appdir the installation goes where the first one went.
    auto result = Run({}, false);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(Text(QStringLiteral("AppDir")), App());
    EXPECT_FALSE(QFileInfo::exists(m_dir.FilePath(QStringLiteral("home/data/Ambrel"))));
    EXPECT_EQ(Text(QStringLiteral("DateFormat")), QStringLiteral("yyyy-M-d"));
    EXPECT_EQ(Number(QStringLiteral("TraceOn")), 1u);
    EXPECT_EQ(Text(QStringLiteral("CompanyName")), QStringLiteral("은혜 교회"));
    EXPECT_EQ(Number(QStringLiteral("GUILocaleID")), 1042u);
    EXPECT_EQ(Number(QStringLiteral("NameLocaleID")), 1042u);
    EXPECT_EQ(Content(App(QStringLiteral("db.mdb"))), QByteArray("the congregation's data"));
    EXPECT_TRUE(QFileInfo::exists(App(QStringLiteral("BackUp/001.mdb"))));

    result = Run({QStringLiteral("--date-format"), QStringLiteral("d/m/yyyy"), QStringLiteral("--trace"),
                  QStringLiteral("off")});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(Text(QStringLiteral("DateFormat")), QStringLiteral("d/m/yyyy"));
    EXPECT_EQ(Number(QStringLiteral("TraceOn")), 0u);
    EXPECT_EQ(Text(QStringLiteral("CompanyName")), QStringLiteral("은혜 교회"));
}

TEST_F(Setup, DefaultApplicationDirectoryIsInTheUsersDataFolder) {
    const auto result = Run({}, false);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(Text(QStringLiteral("AppDir")), m_dir.FilePath(QStringLiteral("home/data/Ambrel")));
    EXPECT_TRUE(QFileInfo(m_dir.FilePath(QStringLiteral("home/data/Ambrel/1042/Report"))).isDir());
}

TEST_F(Setup, ABadOptionOrMissingPartChangesNothing) {
    const QStringList bad[] = {
        {QStringLiteral("--language"), QStringLiteral("9")},
        {QStringLiteral("--name-locale"), QStringLiteral("korean")},
        {QStringLiteral("--auto-backup"), QStringLiteral("sometimes")},
        {QStringLiteral("--address-format"), QStringLiteral("2")},
        {QStringLiteral("--date-format"), QStringLiteral(" ")},
        {QStringLiteral("stray-argument")},
        {QStringLiteral("--share"), m_dir.FilePath(QStringLiteral("nowhere"))},
    };
    for (const QStringList& options : bad) {
        const auto result = Run(options);
        EXPECT_NE(result.exitCode, 0) << options.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(result.output.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(App()));
    EXPECT_EQ(Text(QStringLiteral("AppDir")), QStringLiteral("<missing>"));

    const QString emptyShare = m_dir.FilePath(QStringLiteral("empty-share"));
    QDir().mkpath(emptyShare);
    const auto result = Run({QStringLiteral("--share"), emptyShare});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.output.contains(QStringLiteral("string table"))) << result.output.toStdString();
    EXPECT_EQ(Text(QStringLiteral("AppDir")), QStringLiteral("<missing>"));
}

TEST_F(Setup, ALibraryThatCannotRegisterFailsTheInstallation) {
    const QString libraries = m_dir.FilePath(QStringLiteral("lib"));
    QDir().mkpath(libraries);
    auto result = Run({QStringLiteral("--libdir"), libraries});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.output.contains(QStringLiteral("no component library"))) << result.output.toStdString();

    QFile broken(QDir(libraries).filePath(QStringLiteral("libBroken.so")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a library");
    broken.close();
    result = Run({QStringLiteral("--libdir"), libraries});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.output.contains(QStringLiteral("libBroken.so"))) << result.output.toStdString();
}
