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

// Runs RegistryProbe (a second process on the same files); its exit code is the registry status.
std::pair<int, QByteArray> RunProbe(const QStringList& arguments) {
    QProcess probe;
    probe.start(QCoreApplication::applicationDirPath() + "/RegistryProbe", arguments);
    probe.waitForFinished(30000);
    return {probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1, probe.readAllStandardOutput()};
}

QString CurrentUserFile(const test::TempDir& temp) {
    return temp.RegistryDir() + "/HKEY_CURRENT_USER.reg";
}

} // namespace

TEST(Registry, StoresTextsAndNumbersInAReadableFile) {
    test::TempDir temp;
    reg::ScopedKey key;
    ASSERT_EQ(reg::CreateKey(reg::CurrentUser, "Software\\Orv Solutions\\Ambrel\\", key.Receive()), 0);
    const QString korean = "서울특별시 종로구 \"세종대로\" 175";
    const QString awkward = "back\\slash\nnew line\r\ttab %41 ]\x01 end";
    const QString longText(100000, QChar(u'한'));
    EXPECT_EQ(reg::SetString(key.Get(), "DateFormat", "m/d/yyyy"), 0);
    EXPECT_EQ(reg::SetDWord(key.Get(), "Negative", static_cast<uint32_t>(-1)), 0);
    EXPECT_EQ(reg::SetString(key.Get(), "주소", korean), 0);
    EXPECT_EQ(reg::SetString(key.Get(), "odd\"name\n", awkward), 0);
    EXPECT_EQ(reg::SetString(key.Get(), "Long", longText), 0);
    EXPECT_EQ(reg::SetString(key.Get(), QString(), "default"), 0);

    const QByteArray file = ReadFile(CurrentUserFile(temp));
    EXPECT_TRUE(file.contains("\n[Software\\Orv Solutions\\Ambrel]\n\"DateFormat\"=\"m/d/yyyy\"\n"));
    EXPECT_TRUE(file.contains("\"Negative\"=dword:ffffffff\n"));
    EXPECT_TRUE(file.contains("@=\"default\"\n"));
    EXPECT_TRUE(file.contains(QString("\"주소\"=\"서울특별시 종로구 \\\"세종대로\\\" 175\"\n").toUtf8()));

    // Everything survives a fresh parse of the file, as another process reads it.
    reg::HiveKey parsed;
    ASSERT_TRUE(reg::HiveFormat::Parse(file, parsed));
    const reg::HiveKey* ambrel = parsed.Find({"software", "ORV SOLUTIONS", "Ambrel"});
    ASSERT_NE(ambrel, nullptr);
    EXPECT_EQ(ambrel->FindValue("주소")->text, korean);
    EXPECT_EQ(ambrel->FindValue("ODD\"NAME\n")->text, awkward);
    EXPECT_EQ(ambrel->FindValue("long")->text, longText);

    // Names are case-insensitive and keep the case they were created with.
    EXPECT_EQ(reg::SetString(key.Get(), "dateformat", "yyyy-mm-dd"), 0);
    EXPECT_TRUE(ReadFile(CurrentUserFile(temp)).contains("\"DateFormat\"=\"yyyy-mm-dd\"\n"));
    reg::ScopedKey again;
    EXPECT_EQ(reg::OpenKey(reg::CurrentUser, "SOFTWARE\\orv solutions\\AMBREL", again.Receive()), 0);
    QString text;
    EXPECT_EQ(reg::QueryString(again.Get(), QString(), text), 0);
    EXPECT_EQ(text, "default");
}

TEST(Registry, ReportsWindowsStatusCodes) {
    test::TempDir temp;
    reg::Key key = 12345;
    EXPECT_EQ(reg::OpenKey(reg::CurrentUser, "Missing\\Key", key), Status::FileNotFound);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(reg::CloseKey(0), Status::InvalidHandle);
    EXPECT_EQ(reg::OpenKey(0x12345, "Software", key), Status::InvalidHandle);
    EXPECT_EQ(reg::CreateKey(reg::CurrentUser, "a\\\\b", key), Status::BadPathname);
    EXPECT_FALSE(QFile::exists(CurrentUserFile(temp))); // nothing was written by the failures

    reg::ScopedKey a;
    ASSERT_EQ(reg::CreateKey(reg::LocalMachine, "A\\B", key), 0);
    EXPECT_EQ(reg::CloseKey(key), 0);
    EXPECT_EQ(reg::CloseKey(key), Status::InvalidHandle);
    ASSERT_EQ(reg::OpenKey(reg::LocalMachine, "a", a.Receive()), 0);
    // The wrong type is refused rather than reinterpreted; the output stays as it was.
    QString text = "preset";
    ASSERT_EQ(reg::SetDWord(a.Get(), "Number", 12), 0);
    EXPECT_EQ(reg::QueryString(a.Get(), "Number", text), Status::UnsupportedType);
    EXPECT_EQ(reg::QueryString(a.Get(), "Missing", text), Status::FileNotFound);
    EXPECT_EQ(text, "preset");

    // A key with sub-keys and a root are not deleted; a deleted key's handles say so.
    reg::ScopedKey b;
    ASSERT_EQ(reg::OpenKey(a.Get(), "B", b.Receive()), 0);
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, "A"), Status::AccessDenied);
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, QString()), Status::AccessDenied);
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, "A\\B"), 0);
    EXPECT_EQ(reg::SetString(b.Get(), "x", "y"), Status::KeyDeleted);
    EXPECT_EQ(reg::DeleteKey(reg::LocalMachine, "A\\B"), Status::FileNotFound);
    EXPECT_EQ(reg::DeleteTree(reg::LocalMachine, "a"), 0);
    EXPECT_EQ(reg::QueryString(a.Get(), "Number", text), Status::KeyDeleted);
}

TEST(Registry, LeavesADamagedFileAsItIsAndReportsIt) {
    test::TempDir temp;
    reg::ScopedKey key;
    ASSERT_EQ(reg::CreateKey(reg::CurrentUser, "Software", key.Receive()), 0);
    ASSERT_EQ(reg::SetString(key.Get(), "Kept", "yes"), 0);
    for (const QByteArray& bytes :
         {QByteArray("not a registry file\n"), QByteArray("Ambrel registry 1\n\"Orphan\"=\"value before any key\"\n"),
          QByteArray("Ambrel registry 1\n[Software]\n\"Bad\"=\"escape \\q\"\n"),
          QByteArray("Ambrel registry 1\n[Software]\n\"Bad\"=\"\xff\xfe\"\n")}) {
        SCOPED_TRACE(bytes.toStdString());
        WriteFile(CurrentUserFile(temp), bytes);
        QString text;
        reg::Key other = 0;
        EXPECT_EQ(reg::QueryString(key.Get(), "Kept", text), Status::InvalidData);
        EXPECT_EQ(reg::SetString(key.Get(), "Kept", "no"), Status::InvalidData);
        EXPECT_EQ(reg::CreateKey(reg::CurrentUser, "New", other), Status::InvalidData);
        EXPECT_EQ(reg::DeleteTree(reg::CurrentUser, "Software"), Status::InvalidData);
        EXPECT_EQ(ReadFile(CurrentUserFile(temp)), bytes);
    }
    // The other roots are not affected, and a repaired file is read again.
    reg::ScopedKey machine;
    EXPECT_EQ(reg::CreateKey(reg::LocalMachine, "Software", machine.Receive()), 0);
    WriteFile(CurrentUserFile(temp), "Ambrel registry 1\r\n; by hand\r\n[software]\r\n\"Kept\"=\"again\"\r\n");
    QString text;
    EXPECT_EQ(reg::QueryString(key.Get(), "kept", text), 0);
    EXPECT_EQ(text, "again");
}

TEST(Registry, ReadsWhatAPersonTypesAndNamesTheLineItCannotRead) {
    test::TempDir temp;
    WriteFile(CurrentUserFile(temp), "Ambrel registry 1 \n\n  ; a note\n[Software\\Ambrel]  \t\n"
                                     "  \"Name\" =  \"Grace \"  \n\"Count\"= dword: 2a \t\n@ = \"default\"\r\n\n");
    reg::ScopedKey key;
    ASSERT_EQ(reg::OpenKey(reg::CurrentUser, "software\\ambrel", key.Receive()), 0);
    QString text;
    uint32_t number = 0;
    EXPECT_EQ(reg::QueryString(key.Get(), "Name", text), 0);
    EXPECT_EQ(text, "Grace "); // blanks inside the quotes are the value's
    EXPECT_EQ(reg::QueryDWord(key.Get(), "count", number), 0);
    EXPECT_EQ(number, 42u);
    EXPECT_EQ(reg::QueryString(key.Get(), "", text), 0);
    EXPECT_EQ(text, "default");
    EXPECT_TRUE(reg::LastDamage(reg::CurrentUser).path.isEmpty());

    const std::pair<QByteArray, int> damaged[] = {
        {"Ambrel registry 1\n[Software]\n\"A\"=\"1\"\nA=\"unquoted name\"\n", 4},
        {"Ambrel registry 1\n\n[Software\n", 3},
        {"Ambrel registry 2\n", 1},
    };
    for (const auto& [bytes, line] : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        WriteFile(CurrentUserFile(temp), bytes);
        EXPECT_EQ(reg::QueryString(key.Get(), "Name", text), Status::InvalidData);
        const reg::Damage damage = reg::LastDamage(reg::CurrentUser);
        EXPECT_EQ(damage.path, CurrentUserFile(temp));
        EXPECT_EQ(damage.line, line);
        EXPECT_EQ(reg::DescribeFailure(reg::CurrentUser, Status::InvalidData),
                  QString("registry status 13 (the file is damaged); the file %1 cannot be read at line %2")
                      .arg(CurrentUserFile(temp))
                      .arg(line));
    }
    EXPECT_TRUE(reg::LastDamage(reg::LocalMachine).path.isEmpty());
    // A folder in the file's place cannot be read at all: no line to name.
    QFile::remove(CurrentUserFile(temp));
    ASSERT_TRUE(QDir().mkpath(CurrentUserFile(temp)));
    EXPECT_NE(reg::QueryString(key.Get(), "Name", text), 0);
    EXPECT_EQ(reg::LastDamage(reg::CurrentUser).line, 0);
    EXPECT_EQ(reg::LastDamage(reg::CurrentUser).path, CurrentUserFile(temp));
    EXPECT_EQ(reg::StatusText(99999), "99999 (unknown status)");
}

TEST(Registry, SeesTheWritesOfOtherProcesses) {
    test::TempDir temp;
    reg::ScopedKey key;
    ASSERT_EQ(reg::CreateKey(reg::CurrentUser, "Shared", key.Receive()), 0);
    ASSERT_EQ(RunProbe({"set", "Shared", "Name", "두 번째"}).first, 0);
    QString text;
    EXPECT_EQ(reg::QueryString(key.Get(), "Name", text), 0);
    EXPECT_EQ(text, "두 번째");
    ASSERT_EQ(reg::SetString(key.Get(), "name", "세 번째"), 0);
    EXPECT_EQ(RunProbe({"get", "SHARED", "NAME"}), std::make_pair(0, QString("세 번째").toUtf8()));
    EXPECT_EQ(RunProbe({"get", "Shared", "Missing"}).first, Status::FileNotFound);

    // Writers in several processes at once lose none of each other's values.
    QProcess one;
    QProcess two;
    const QString probe = QCoreApplication::applicationDirPath() + "/RegistryProbe";
    one.start(probe, {"set-many", "Shared", "One", "40"});
    two.start(probe, {"set-many", "Shared", "Two", "40"});
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(reg::SetDWord(key.Get(), QString("Here%1").arg(i), static_cast<uint32_t>(i)), 0);
    ASSERT_TRUE(one.waitForFinished(30000) && two.waitForFinished(30000));
    EXPECT_EQ(one.exitCode() + two.exitCode(), 0);
    for (const char* prefix : {"One", "Two", "Here"}) {
        for (int i = 0; i < 40; ++i) {
            uint32_t number = 999;
            EXPECT_EQ(reg::QueryDWord(key.Get(), prefix + QString::number(i), number), 0) << prefix << i;
            EXPECT_EQ(number, static_cast<uint32_t>(i));
        }
    }
}
