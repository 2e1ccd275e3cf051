#include "tests/support/GenericComponents.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

class LogTraceWriter : public ::testing::Test {
protected:
    void SetUp() override {
        test::RegisterGenericComponents();
        m_writer = test::NewLogTraceWriter();
    }

    QByteArray Read(const char* name) const {
        QFile file(m_temp.FilePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    test::TempDir m_temp;
    orv::ILogTraceWriterPtr m_writer;
};

} // namespace

TEST_F(LogTraceWriter, AFolderWhereTheFilesCannotBeOpenedLeavesItClosed) {
    m_writer->SetLogOn(true);
    EXPECT_EQ(m_writer->WriteLog("x"), -1); // never opened
    EXPECT_EQ(m_writer->OpenLogTrace(m_temp.FilePath("missing"), true, true), -1);
    EXPECT_FALSE(m_writer->LogOn());
    EXPECT_EQ(m_writer->LogTraceDir(), QString());
    EXPECT_EQ(m_writer->OpenLogTrace(QString(), true, true), -1);
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("Log.txt")));

    ASSERT_TRUE(QDir(m_temp.Path()).mkdir("Trace.txt"));
    EXPECT_EQ(m_writer->OpenLogTrace(m_temp.Path(), true, true), -1);
    m_writer->SetLogOn(true);
    EXPECT_EQ(m_writer->WriteLog("x"), -1);
}

TEST_F(LogTraceWriter, SwitchesDecideWhichLinesAreWritten) {
    ASSERT_EQ(m_writer->OpenLogTrace(m_temp.Path(), false, true), 0);
    EXPECT_EQ(m_writer->WriteLog("x"), -1);
    EXPECT_EQ(m_writer->WriteTrace("abc"), 3);
    m_writer->SetLogOn(true);
    EXPECT_EQ(m_writer->WriteLog("now"), 3);
    m_writer->SetTraceOn(false);
    EXPECT_EQ(m_writer->WriteTrace("dropped"), -1);
    m_writer->SetLogTraceDir(m_temp.FilePath("elsewhere")); // moves nothing
    EXPECT_EQ(m_writer->WriteLog("still here"), 10);
    EXPECT_EQ(Read("Log.txt"), "now\nstill here\n");
    EXPECT_EQ(Read("Trace.txt"), "abc\n");

    EXPECT_EQ(m_writer->CloseLogTrace(), 0);
    EXPECT_FALSE(m_writer->LogOn() || m_writer->TraceOn());
    m_writer->SetTraceOn(true);
    EXPECT_EQ(m_writer->WriteTrace("closed"), -1);
    EXPECT_EQ(Read("Trace.txt"), "abc\n");
}

TEST_F(LogTraceWriter, AppendsAcrossReopeningAndKeepsEachCallOneLine) {
    ASSERT_EQ(m_writer->OpenLogTrace(m_temp.Path(), true, true), 0);
    EXPECT_EQ(m_writer->WriteLog("first"), 5);
    ASSERT_EQ(m_writer->OpenLogTrace(m_temp.Path(), true, true), 0);
    const orv::ILogTraceWriterPtr other = test::NewLogTraceWriter();
    ASSERT_EQ(other->OpenLogTrace(m_temp.Path(), true, false), 0);
    const QString forged = "user 김민준\r\n!!! [1/1/2024 00:00:00] Forged.Line()\nend";
    EXPECT_EQ(other->WriteLog(forged), forged.size());
    EXPECT_EQ(m_writer->WriteLog("한글 마지막"), 6);
    EXPECT_EQ(Read("Log.txt"),
              QString("first\nuser 김민준\\r\\n!!! [1/1/2024 00:00:00] Forged.Line()\\nend\n한글 마지막\n").toUtf8());
}
