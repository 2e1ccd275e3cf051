// The installer run again over an existing installation: what it reads first, what it refuses, and
// that a refusal leaves every byte as it was.

#include "platform/data/SqliteConnection.h"
#include "platform/registry/Registry.h"
#include "tests/support/Installer.h"

#include <gtest/gtest.h>

#include <map>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <sys/stat.h>

namespace reg = platform::registry;

namespace {

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

unsigned Mode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0xffff;
}

QString ReadAppDir() {
    reg::ScopedKey key;
    QString value = "<missing>";
    if (reg::OpenKey(reg::LocalMachine, "SOFTWARE\\Orv Solutions\\Ambrel", key.Receive()) == 0)
        reg::QueryString(key.Get(), "AppDir", value);
    return value;
}

class SetupSafety : public ::testing::Test {
protected:
    QString App(const QString& relative = QString()) const {
        return QDir(test::InstalledAppDir(m_dir)).filePath(relative);
    }
    QString RegistryFile(const char* root) const { return m_dir.RegistryDir() + "/" + root + ".reg"; }

    // Every file and folder below the temporary folder with its bytes and mode.
    QMap<QString, QByteArray> Snapshot() const {
        QMap<QString, QByteArray> files;
        QDirIterator entries(m_dir.Path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QString path = entries.next();
            files.insert(path, QByteArray::number(Mode(path), 8) + ":" + Content(path));
        }
        return files;
    }

    void ExpectRefused(const QStringList& options, const QString& expected, bool withAppDir = true) {
        const auto before = Snapshot();
        const auto result = test::RunInstaller(m_dir, options, withAppDir);
        EXPECT_EQ(result.exitCode, 1) << result.output.toStdString();
        EXPECT_TRUE(result.output.contains(expected)) << result.output.toStdString();
        EXPECT_FALSE(result.output.contains("Ambrel is installed")) << result.output.toStdString();
        EXPECT_TRUE(Snapshot() == before) << result.output.toStdString();
    }

    test::TempDir m_dir;
};

} // namespace

TEST_F(SetupSafety, ADamagedSettingsFileStopsItBeforeAnyChange) {
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    for (const char* root : {"HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT"}) {
        SCOPED_TRACE(root);
        const QByteArray good = Content(RegistryFile(root));
        const qsizetype lines = good.count('\n');
        Write(RegistryFile(root), good + "[Unclosed section\n");
        // Without --appdir too: a file that cannot be read must not pass for no installation.
        ExpectRefused({}, QStringLiteral("%1 cannot be read at line %2").arg(RegistryFile(root)).arg(lines + 1), false);
        ExpectRefused({"--company", "Other"}, "(the file is damaged)");
        Write(RegistryFile(root), good);
    }
}

TEST_F(SetupSafety, AHandEditedSettingsFileIsRead) {
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    QByteArray edited;
    for (QByteArray line : Content(RegistryFile("HKEY_LOCAL_MACHINE")).split('\n')) {
        line.replace("\"=", "\" = ");
        edited += line + (line.startsWith('[') ? "  \n\n" : " \t\n");
    }
    Write(RegistryFile("HKEY_LOCAL_MACHINE"), edited);
    // No --appdir and no password: the installation found is repaired, not begun again elsewhere.
    const auto result = test::RunInstaller(m_dir, {"--admin-password", "Unused pw 1"}, false);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("its data is kept")) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("its password is kept")) << result.output.toStdString();
    EXPECT_EQ(ReadAppDir(), App());
}

TEST_F(SetupSafety, AnotherAppDirIsRefusedUnlessTheSwitchIsAsked) {
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    const QString other = m_dir.FilePath("other app");
    ExpectRefused({"--appdir", other}, App("db.mdb"), false);
    EXPECT_FALSE(QFileInfo::exists(other));

    const auto result = test::RunInstaller(m_dir, {"--appdir", other, "--switch-appdir"}, false);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("stays in " + App("db.mdb"))) << result.output.toStdString();
    EXPECT_EQ(ReadAppDir(), other);
    EXPECT_TRUE(QFileInfo::exists(App("db.mdb")));
    EXPECT_TRUE(QFileInfo::exists(other + "/db.mdb"));
}

TEST_F(SetupSafety, ADatabaseItDoesNotKnowFailsTheRunWithItsBytesKept) {
    ASSERT_TRUE(QDir().mkpath(App()));
    Write(App("db.mdb"), QByteArray(4096, 'x'));
    ExpectRefused({}, App("db.mdb") + " is not an Ambrel database");
    EXPECT_FALSE(QFileInfo::exists(RegistryFile("HKEY_LOCAL_MACHINE")));

    ASSERT_TRUE(QFile::remove(App("db.mdb")));
    platform::SqliteConnection::Create(App("db.mdb"))->ExecuteScript("CREATE TABLE T (A); PRAGMA user_version=7;");
    ExpectRefused({}, "schema version 7");
}

TEST_F(SetupSafety, BadCommandLinesEndWithStatusTwo) {
    for (const QStringList& options : {QStringList{"--no-such-option"}, QStringList{"--registry"}}) {
        const auto result = test::RunInstaller(m_dir, options);
        EXPECT_EQ(result.exitCode, 2) << result.output.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(App()));
}

TEST_F(SetupSafety, TheApplicationFolderIsPrivateAndLooserModesAreTightened) {
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    EXPECT_EQ(Mode(App()), 0700u);
    EXPECT_EQ(Mode(App("BackUp")), 0700u);
    EXPECT_EQ(Mode(App("1042/Report")), 0700u);
    EXPECT_EQ(Mode(App("db.mdb")), 0600u);
    EXPECT_EQ(Mode(App("1033/AmbResources.tsv")) & 077, 0u);

    // An earlier installation's looser modes, and files the program wrote before it kept them private.
    for (const char* name : {"Log.txt", "Trace.txt", "BackUp/001.mdb"})
        Write(App(name), "x");
    const std::pair<const char*, unsigned> loose[] = {{"", 0755},        {"BackUp", 0777},    {"db.mdb", 0644},
                                                      {"Log.txt", 0666}, {"Trace.txt", 0644}, {"BackUp/001.mdb", 0444}};
    for (const auto& [name, mode] : loose)
        ASSERT_EQ(::chmod(QFile::encodeName(App(name)).constData(), mode), 0);
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    const std::pair<const char*, unsigned> tight[] = {{"", 0700},        {"BackUp", 0700},    {"db.mdb", 0600},
                                                      {"Log.txt", 0600}, {"Trace.txt", 0600}, {"BackUp/001.mdb", 0400}};
    for (const auto& [name, mode] : tight)
        EXPECT_EQ(Mode(App(name)), mode) << name;
}

TEST_F(SetupSafety, AnApplicationFolderGivenAsALinkMakesTheFolderItPointsToPrivate) {
    const QString target = m_dir.FilePath("real app");
    const QString link = m_dir.FilePath("app link");
    ASSERT_TRUE(QDir().mkpath(target));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0755), 0);
    ASSERT_TRUE(QFile::link(target, link));
    for (int run = 0; run < 2; ++run) { // a new installation, then a repair over it
        SCOPED_TRACE(run);
        const auto result = test::RunInstaller(m_dir, {"--appdir", link}, false);
        ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
        EXPECT_TRUE(result.output.contains(link + " (a link to " + target + ") is readable by its owner only"))
            << result.output.toStdString();
        EXPECT_EQ(Mode(target), 0700u);
        EXPECT_EQ(Mode(target + "/db.mdb"), 0600u);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0755), 0);
    }
}

TEST_F(SetupSafety, EverySettingsFileIsPrivateAlsoWhenAnOlderOneWasNot) {
    const auto settingsModes = [&] {
        std::map<QString, unsigned> modes;
        for (const QString& name : QDir(m_dir.RegistryDir()).entryList(QDir::Files | QDir::Hidden))
            modes[name] = Mode(m_dir.RegistryDir() + "/" + name);
        return modes;
    };
    ASSERT_EQ(test::RunInstaller(m_dir).exitCode, 0);
    const auto written = settingsModes();
    ASSERT_TRUE(written.count("HKEY_LOCAL_MACHINE.reg") && written.count("HKEY_CLASSES_ROOT.reg"));
    for (const auto& [name, mode] : written)
        EXPECT_EQ(mode, 0600u) << name.toStdString();

    // Files an earlier version left readable by others; the run that keeps them still rewrites them.
    for (const auto& [name, mode] : written)
        ASSERT_EQ(::chmod(QFile::encodeName(m_dir.RegistryDir() + "/" + name).constData(), 0644), 0);
    ASSERT_EQ(test::RunInstaller(m_dir, {"--company", "Grace Church"}).exitCode, 0);
    const auto rewritten = settingsModes();
    EXPECT_EQ(rewritten.size(), written.size());
    for (const auto& [name, mode] : rewritten)
        EXPECT_EQ(mode, 0600u) << name.toStdString();
}
