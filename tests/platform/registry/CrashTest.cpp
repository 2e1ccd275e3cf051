#include "platform/registry/HiveFormat.h"
#include "platform/registry/Registry.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <random>
#include <set>

namespace reg = platform::registry;

// A writer killed at any moment leaves the file holding either the old or a whole new value.
TEST(RegistryCrash, AWriterKilledMidWriteLeavesAWholeFile) {
    test::TempDir temp;
    constexpr int Size = 400000;
    {
        reg::ScopedKey key;
        ASSERT_EQ(reg::CreateKey(reg::CurrentUser, "Crash", key.Receive()), 0);
        ASSERT_EQ(reg::SetString(key.Get(), "Big", QString(Size, QChar(u'#'))), 0);
        ASSERT_EQ(reg::SetString(key.Get(), "Other", "다른 값"), 0);
    }
    std::mt19937 random(20240611);
    std::set<QChar> seen;
    for (int round = 0; round < 15; ++round) {
        QProcess writer;
        writer.start(QCoreApplication::applicationDirPath() + "/RegistryProbe",
                     {"write-loop", "Crash", "Big", QString::number(Size)});
        ASSERT_TRUE(writer.waitForStarted());
        QThread::msleep(5 + random() % 60);
        writer.kill(); // SIGKILL
        writer.waitForFinished();

        QFile file(temp.RegistryDir() + "/HKEY_CURRENT_USER.reg");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        reg::HiveKey root;
        ASSERT_TRUE(reg::HiveFormat::Parse(file.readAll(), root)) << "round " << round;
        const reg::HiveKey* crash = root.Find({"Crash"});
        ASSERT_NE(crash, nullptr);
        const QString big = crash->FindValue("Big")->text;
        ASSERT_EQ(big.size(), Size);
        EXPECT_EQ(big.count(big.front()), Size);
        seen.insert(big.front());
        EXPECT_EQ(crash->FindValue("Other")->text, "다른 값");

        // A writer killed while holding the lock does not block the next one.
        reg::ScopedKey key;
        ASSERT_EQ(reg::OpenKey(reg::CurrentUser, "Crash", key.Receive()), 0);
        EXPECT_EQ(reg::SetDWord(key.Get(), "Round", static_cast<uint32_t>(round)), 0);
    }
    EXPECT_GT(seen.size(), 1u); // the writer did get to replace the value sometimes
}
