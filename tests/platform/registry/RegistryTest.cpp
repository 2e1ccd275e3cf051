#include "platform/registry/Registry.h"
#include "platform/registry/HiveFormat.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace reg = platform::registry;
namespace Status = platform::registry::Status;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

struct ProbeResult {
    int status;
    QByteArray output;
};

ProbeResult RunProbe(const QStringList& arguments) {
    QProcess probe;
    probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/RegistryProbe"), arguments);
    probe.waitForFinished(30000);
    return {probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1, probe.readAllStandardOutput()};
}

QString CurrentUserFile(const test::TempDir& temp) {
    return temp.RegistryDir() + QStringLiteral("/HKEY_CURRENT_USER.reg");
}

} // namespace

TEST(Registry, StoresTextsAndNumbersInAReadableFile) {
    test::TempDir temp;
    reg::ScopedKey key;
    ASSERT_EQ(reg::CreateKey(reg::CurrentUser, QStringLiteral("Software\\Orv Solutions\\Ambrel\\"), key.Receive()), 0);
    const QString korean = QStringLiteral("서울특별시 종로구 \"세종대로\" 175");
    const QString awkward = QStringLiteral("back\\slash\nnew line\r\ttab %41 ]\x01 end");
    const QString longText(100000, QChar(u'한'));
    EXPECT_EQ(reg::SetString(key.Get(), QStringLiteral("DateFormat"), QStringLiteral("m/d/yyyy")), 0);
    EXPECT_EQ(reg::SetDWord(key.Get(), QStringLiteral("LogOn"), 1), 0);
    EXPECT_EQ(reg::SetDWord(key.Get(), QStringLiteral("Negative"), static_cast<uint32_t>(-1)), 0);
    EXPECT_EQ(reg::SetString(key.Get(), QStringLiteral("주소"), korean), 0);
    EXPECT_EQ(reg::SetString(key.Get(), QStringLiteral("odd\"name\n"), awkward), 0);
    EXPECT_EQ(reg::SetString(key.Get(), QStringLiteral("Long"), longText), 0);
    EXPECT_EQ(reg::SetString(key.Get(), QString(), QStringLiteral("default")), 0);
    reg::ScopedKey odd;
    ASSERT_EQ(reg::CreateKey(key.Get(), QStringLiteral("키 [x] 100%"), odd.Receive()), 0);

    const QByteArray file = ReadFile(CurrentUserFile(temp));
    EXPECT_TRUE(
        file.contains("\n[Software\\Orv Solutions\\Ambrel]\n\"DateFormat\"=\"m/d/yyyy\"\n\"LogOn\"=dword:00000001\n"));
    EXPECT_TRUE(file.contains("\"Negative\"=dword:ffffffff\n"));
    EXPECT_TRUE(file.contains("@=\"default\"\n"));
    EXPECT_TRUE(file.contains(QStringLiteral("\"주소\"=\"서울특별시 종로구 \\\"세종대로\\\" 175\"\n").toUtf8()));
    EXPECT_FALSE(file.contains("[Software]\n")); // implied by its sub-keys

    // Everything must survive a fresh parse of the file, as another process reads it.
    reg::HiveKey parsed;
    ASSERT_TRUE(reg::HiveFormat::Parse(file, parsed));
    const reg::HiveKey* ambrel = parsed.Find({"software", "ORV SOLUTIONS", "Ambrel"});
    ASSERT_NE(ambrel, nullptr);
    EXPECT_EQ(ambrel->FindValue(QStringLiteral("주소"))->text, korean);
    EXPECT_EQ(ambrel->FindValue(QStringLiteral("ODD\"NAME\n"))->text, awkward);
    EXPECT_EQ(ambrel->FindValue(QStringLiteral("long"))->text, longText);
    EXPECT_EQ(ambrel->FindValue(QStringLiteral("negative"))->number, 0xffffffffu);
    ASSERT_EQ(ambrel->SubKeys().size(), 1u);
    EXPECT_EQ(ambrel->SubKeys().front().Name(), QStringLiteral("키 [x] 100%"));

    // Names are case-insensitive and keep the case they were created with.
    QString text;
    uint32_t number = 0;
    EXPECT_EQ(reg::QueryString(key.Get(), QStringLiteral("DATEFORMAT"), text), 0);
    EXPECT_EQ(text, QStringLiteral("m/d/yyyy"));
    EXPECT_EQ(reg::SetString(key.Get(), QStringLiteral("dateformat"), QStringLiteral("yyyy-mm-dd")), 0);
    EXPECT_TRUE(ReadFile(CurrentUserFile(temp)).contains("\"DateFormat\"=\"yyyy-mm-dd\"\n"));
    EXPECT_EQ(reg::QueryDWord(key.Get(), QStringLiteral("logon"), number), 0);
    EXPECT_EQ(number, 1u);
    reg::ScopedKey again;
    EXPECT_EQ(reg::OpenKey(reg::CurrentUser, QStringLiteral("SOFTWARE\\orv solutions\\AMBREL"), again.Receive()), 0);
    EXPECT_EQ(reg::QueryString(again.Get(), QString(), text), 0);
    EXPECT_EQ(text, QStringLiteral("default"));
}

TEST(Registry, ReportsWindowsStatusCodes) {
    test::TempDir temp;
    reg::Key key = 12345;
    EXPECT_EQ(reg::OpenKey(reg::CurrentUser, QStringLiteral("Missing\\Key"), key), Status::FileNotFound);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(reg::CloseKey(0), Status::InvalidHandle);
    EXPECT_EQ(reg::OpenKey(0x12345, QStringLiteral("Software"), key), Status::InvalidHandle);
    EXPECT_EQ(reg::CreateKey(static_cast<reg::Key>(0x80000005u), QStringLiteral("Software"), key),
              Status::InvalidHandle);
    EXPECT_EQ(reg::CreateKey(reg::CurrentUser, QStringLiteral("a\\\\b"), key), Status::BadPathname);
    EXPECT_EQ(reg::CreateKey(reg::CurrentUser, QStringLiteral("\\a"), key), Status::BadPathname);
    EXPECT_FALSE(QFile::exists(CurrentUserFile(temp))); // nothing was written by the failures

    ASSERT_EQ(reg::CreateKey(reg::LocalMachine, QStringLiteral("A\\B"), key), 0);
    EXPECT_EQ(reg::CloseKey(key), 0);
    EXPECT_EQ(reg::CloseKey(key), Status::InvalidHandle);
    EXPECT_EQ(reg::CloseKey(reg::LocalMachine), 0);

    reg::ScopedKey a;
    ASSERT_EQ(reg::OpenKey(reg::LocalMachine, QStringLiteral("a"), a.Receive()), 0);
    QString text = QStringLiteral("preset");
    uint32_t number = 7;
    EXPECT_EQ(reg::QueryString(a.Get(), QStringLiteral("Missing"), text), Status::FileNotFound);
    EXPECT_EQ(reg::DeleteValue(a.Get(), QStringLiteral("Missing")), Status::FileNotFound);
    // The wrong type is refused rather than reinterpreted; the output stays as it was.
    ASSERT_EQ(reg::SetString(a.Get(), QStringLiteral("Text"), QStringLiteral("12")), 0);
    ASSERT_EQ(reg::SetDWord(a.Get(), QStringLiteral("Number"), 12), 0);
    EXPECT_EQ(reg::QueryDWord(a.Get(), QStringLiteral("Text"), number), Status::UnsupportedType);
    EXPECT_EQ(reg::QueryString(a.Get(), QStringLiteral("Number"), text), Status::UnsupportedType);
    EXPECT_EQ(text, QStringLiteral("preset"));
    EXPECT_EQ(number, 7u);

    // Relative opening, and deleting keys.
    reg::ScopedKey b;
    ASSERT_EQ(reg::OpenKey(a.Get(), QStringLiteral("B"), b.Receive()), 0);
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, QStringLiteral("A")), Status::AccessDenied); // has a sub-key
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, QString()), Status::AccessDenied);           // a root
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, QStringLiteral("A\\B")), 0);
    EXPECT_EQ(reg::SetString(b.Get(), QStringLiteral("x"), QStringLiteral("y")), Status::KeyDeleted);
    EXPECT_EQ(reg::QueryString(b.Get(), QStringLiteral("x"), text), Status::KeyDeleted);
    EXPECT_EQ(reg::CreateKey(b.Get(), QStringLiteral("C"), key), Status::KeyDeleted);
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, QStringLiteral("A\\B")), Status::FileNotFound);
    ASSERT_EQ(reg::CreateKey(reg::LocalMachine, QStringLiteral("A\\B\\C"), key), 0);
    reg::CloseKey(key);
    EXPECT_EQ(reg::DeleteTree(reg::LocalMachine, QStringLiteral("a")), 0);
    EXPECT_EQ(reg::OpenKey(reg::LocalMachine, QStringLiteral("A"), key), Status::FileNotFound);
    EXPECT_EQ(reg::QueryString(a.Get(), QStringLiteral("Text"), text), Status::KeyDeleted);
}

TEST(Registry, LeavesADamagedFileAsItIsAndReportsIt) {
    test::TempDir temp;
    reg::ScopedKey key;
    ASSERT_EQ(reg::CreateKey(reg::CurrentUser, QStringLiteral("Software"), key.Receive()), 0);
    ASSERT_EQ(reg::SetString(key.Get(), QStringLiteral("Kept"), QStringLiteral("yes")), 0);
    const QList<QByteArray> damaged = {
        "not a registry file\n",
        "Ambrel registry 1\n\"Orphan\"=\"value before any key\"\n",
        "Ambrel registry 1\n[Software]\n\"Open=\"quote\n",
        "Ambrel registry 1\n[Software]\n\"Bad\"=\"escape \\q\"\n",
        "Ambrel registry 1\n[Software]\n\"Bad\"=dword:123456789\n",
        "Ambrel registry 1\n[Software\\\\Empty part]\n",
        "Ambrel registry 1\n[Software]\n\"Bad\"=\"\xff\xfe\"\n",
    };
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        WriteFile(CurrentUserFile(temp), bytes);
        QString text;
        reg::Key other = 0;
        EXPECT_EQ(reg::QueryString(key.Get(), QStringLiteral("Kept"), text), Status::InvalidData);
        EXPECT_EQ(reg::SetString(key.Get(), QStringLiteral("Kept"), QStringLiteral("no")), Status::InvalidData);
        EXPECT_EQ(reg::CreateKey(reg::CurrentUser, QStringLiteral("New"), other), Status::InvalidData);
        EXPECT_EQ(reg::OpenKey(reg::CurrentUser, QStringLiteral("Software"), other), Status::InvalidData);
        EXPECT_EQ(reg::DeleteTree(reg::CurrentUser, QStringLiteral("Software")), Status::InvalidData);
        EXPECT_EQ(ReadFile(CurrentUserFile(temp)), bytes);
    }
    // The other roots are not affected, and a repaired file is read again.
    reg::Key machine = 0;
    EXPECT_EQ(reg::CreateKey(reg::LocalMachine, QStringLiteral("Software"), machine), 0);
    reg::CloseKey(machine);
    WriteFile(CurrentUserFile(temp), "Ambrel registry 1\r\n; by hand\r\n[software]\r\n\"Kept\"=\"again\"\r\n");
    QString text;
    EXPECT_EQ(reg::QueryString(key.Get(), QStringLiteral("kept"), text), 0);
    EXPECT_EQ(text, QStringLiteral("again"));
}

TEST(Registry, SeesTheWritesOfOtherProcesses) {
    test::TempDir temp;
    reg::ScopedKey key;
    ASSERT_EQ(reg::CreateKey(reg::CurrentUser, QStringLiteral("Shared"), key.Receive()), 0);
    ASSERT_EQ(reg::SetString(key.Get(), QStringLiteral("Name"), QStringLiteral("first")), 0);

    ASSERT_EQ(RunProbe({"set", "Shared", "Name", "두 번째"}).status, 0);
    QString text;
    EXPECT_EQ(reg::QueryString(key.Get(), QStringLiteral("Name"), text), 0);
    EXPECT_EQ(text, QStringLiteral("두 번째"));

    ASSERT_EQ(reg::SetString(key.Get(), QStringLiteral("name"), QStringLiteral("세 번째")), 0);
    const ProbeResult read = RunProbe({"get", "SHARED", "NAME"});
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(QString::fromUtf8(read.output), QStringLiteral("세 번째"));
    EXPECT_EQ(RunProbe({"get", "Shared", "Missing"}).status, Status::FileNotFound);

    // Writers in several processes at once lose none of each other's values.
    QProcess one;
    QProcess two;
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/RegistryProbe");
    one.start(probe, {"set-many", "Shared", "One", "60"});
    two.start(probe, {"set-many", "Shared", "Two", "60"});
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(reg::SetDWord(key.Get(), QStringLiteral("Here%1").arg(i), static_cast<uint32_t>(i)), 0);
    ASSERT_TRUE(one.waitForFinished(30000) && two.waitForFinished(30000));
    EXPECT_EQ(one.exitCode(), 0);
    EXPECT_EQ(two.exitCode(), 0);
    for (const QString& prefix : {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Here")}) {
        for (int i = 0; i < 60; ++i) {
            uint32_t number = 999;
            EXPECT_EQ(reg::QueryDWord(key.Get(), prefix + QString::number(i), number), 0) << prefix.toStdString() << i;
            EXPECT_EQ(number, static_cast<uint32_t>(i));
        }
    }
}

TEST(Registry, FindsItsFolderFromTheEnvironment) {
    test::TempDir temp;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray oldHome = qgetenv("HOME");
    qunsetenv("AMBREL_REGISTRY_DIR");
    qputenv("XDG_CONFIG_HOME", temp.FilePath("config").toUtf8());
    qputenv("HOME", temp.FilePath("home").toUtf8());
    EXPECT_EQ(reg::RegistryDir(), temp.FilePath("config/ambrel/registry"));
    reg::Key key = 0;
    EXPECT_EQ(reg::CreateKey(reg::ClassesRoot, QStringLiteral("X"), key), 0);
    reg::CloseKey(key);
    EXPECT_TRUE(QFile::exists(temp.FilePath("config/ambrel/registry/HKEY_CLASSES_ROOT.reg")));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(reg::RegistryDir(), temp.FilePath("home/.config/ambrel/registry"));
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("HOME", oldHome);
    if (oldConfig.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
}
