#include "platform/registry/HiveFormat.h"
#include "platform/registry/Registry.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace reg = platform::registry;

namespace {

constexpr int kSize = 400000;

QString HivePath(const test::TempDir& temp) {
    return temp.RegistryDir() + "/HKEY_CURRENT_USER.reg";
}

// The value "Big" of the hive as the file holds it now; "Other" must be whole too.
QString BigValue(const test::TempDir& temp) {
    QFile file(HivePath(temp));
    if (!file.open(QIODevice::ReadOnly))
        return "(no file)";
    reg::HiveKey root;
    if (!reg::HiveFormat::Parse(file.readAll(), root))
        return "(does not parse)";
    const reg::HiveKey* crash = root.Find({"Crash"});
    if (!crash || !crash->FindValue("Big") || !crash->FindValue("Other") ||
        crash->FindValue("Other")->text != QString::fromUtf8("다른 값"))
        return "(values missing)";
    return crash->FindValue("Big")->text;
}

// Runs the probe that writes "Big" anew under a file-size limit; its exit.
QProcess::ExitStatus WriteLimited(qint64 limit, bool full, int* code) {
    QProcess writer;
    QStringList arguments{"write-limited", "Crash", "Big", QString::number(kSize), QString::number(limit)};
    if (full)
        arguments << "full";
    writer.start(QCoreApplication::applicationDirPath() + "/RegistryProbe", arguments);
    writer.waitForFinished(20000);
    *code = writer.exitCode();
    return writer.exitStatus();
}

class RegistryCrash : public ::testing::Test {
protected:
    void SetUp() override {
        reg::ScopedKey key;
        ASSERT_EQ(reg::CreateKey(reg::CurrentUser, "Crash", key.Receive()), 0);
        ASSERT_EQ(reg::SetString(key.Get(), "Big", QString(kSize, QChar(u'#'))), 0);
        ASSERT_EQ(reg::SetString(key.Get(), "Other", QString::fromUtf8("다른 값")), 0);
    }
    test::TempDir m_temp;
};

} // namespace

// The kernel kills the writer inside write() after exactly N bytes of the new file, for N at the
// start, the middle and the end of it: the file keeps the old value whole, the leftover is the
// temporary file of N bytes, and the next write succeeds.
TEST_F(RegistryCrash, AWriterKilledMidWriteLeavesAWholeFile) {
    const QString old(kSize, QChar(u'#'));
    const QString temporary = HivePath(m_temp) + ".tmp";
    const qint64 whole = QFileInfo(HivePath(m_temp)).size();
    for (const qint64 n : {qint64(0), qint64(1), qint64(4096), whole / 2, whole - 1}) {
        int code = 0;
        EXPECT_EQ(WriteLimited(n, false, &code), QProcess::CrashExit) << n;
        EXPECT_EQ(QFileInfo(temporary).size(), n);
        EXPECT_EQ(BigValue(m_temp), old) << n;

        // A writer killed while holding the lock does not block the next one.
        reg::ScopedKey key;
        ASSERT_EQ(reg::OpenKey(reg::CurrentUser, "Crash", key.Receive()), 0);
        EXPECT_EQ(reg::SetDWord(key.Get(), "Round", static_cast<uint32_t>(n)), 0);
        EXPECT_FALSE(QFileInfo::exists(temporary));
    }
    // Without a limit the same writer replaces the value.
    int code = 0;
    EXPECT_EQ(WriteLimited(qint64(1) << 40, false, &code), QProcess::NormalExit);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(BigValue(m_temp), QString(kSize, QChar(u'b')));
}

// A disk that is full half-way through the new file: the write reports its failure, the old file
// stays as it was, and no temporary file is left behind.
TEST_F(RegistryCrash, AFullDiskFailsTheWriteAndKeepsTheOldFile) {
    const QByteArray before = [&] {
        QFile file(HivePath(m_temp));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    int code = 0;
    ASSERT_EQ(WriteLimited(before.size() / 2, true, &code), QProcess::NormalExit);
    EXPECT_NE(code, 0) << "the failed write was reported as success";
    EXPECT_NE(code, 100);
    QFile after(HivePath(m_temp));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_FALSE(QFileInfo::exists(HivePath(m_temp) + ".tmp"));
}
