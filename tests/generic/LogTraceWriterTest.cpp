#include "tests/generic/GenericComponents.h"
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

    QByteArray Log() const { return Read(QStringLiteral("Log.txt")); }
    QByteArray Trace() const { return Read(QStringLiteral("Trace.txt")); }
    QByteArray Read(const QString& name) const {
        QFile file(m_temp.FilePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    test::TempDir m_temp;
    orv::ILogTraceWriterPtr m_writer;
};

} // namespace

TEST_F(LogTraceWriter, AMissingFolderLeavesItClosed) {
    m_writer->SetLogOn(true);
    m_writer->SetTraceOn(true);
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("x")), -1); // never opened
    EXPECT_EQ(m_writer->OpenLogTrace(m_temp.FilePath("missing"), true, true), -1);
    EXPECT_FALSE(m_writer->LogOn());
    EXPECT_EQ(m_writer->LogTraceDir(), QString());
    m_writer->SetLogOn(true);
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("x")), -1);
    EXPECT_EQ(m_writer->OpenLogTrace(QString(), true, true), -1);
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("Log.txt")));

    // A folder where the files cannot be opened: left closed as well.
    ASSERT_TRUE(QDir(m_temp.Path()).mkdir("Trace.txt"));
    EXPECT_EQ(m_writer->OpenLogTrace(m_temp.Path(), true, true), -1);
    EXPECT_FALSE(m_writer->TraceOn());
    m_writer->SetLogOn(true);
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("x")), -1);
}

TEST_F(LogTraceWriter, SwitchesDecideWhichLinesAreWritten) {
    ASSERT_EQ(m_writer->OpenLogTrace(m_temp.Path(), false, true), 0);
    EXPECT_EQ(m_writer->LogTraceDir(), m_temp.Path());
    EXPECT_EQ(Log(), QByteArray());
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("x")), -1);
    EXPECT_EQ(m_writer->WriteTrace(QStringLiteral("abc")), 3);
    EXPECT_EQ(m_writer->WriteTrace(QString()), 0);
    m_writer->SetLogOn(true);
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("now")), 3);
    m_writer->SetTraceOn(false);
    EXPECT_EQ(m_writer->WriteTrace(QStringLiteral("dropped")), -1);
    m_writer->SetLogTraceDir(m_temp.FilePath("elsewhere")); // moves nothing
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("still here")), 10);
    EXPECT_EQ(Log(), QByteArray("now\nstill here\n"));
    EXPECT_EQ(Trace(), QByteArray("abc\n\n"));

    EXPECT_EQ(m_writer->CloseLogTrace(), 0);
    EXPECT_FALSE(m_writer->LogOn());
    EXPECT_FALSE(m_writer->TraceOn());
    EXPECT_EQ(m_writer->LogTraceDir(), QString());
    m_writer->SetTraceOn(true);
    EXPECT_EQ(m_writer->WriteTrace(QStringLiteral("closed")), -1);
    EXPECT_EQ(Trace(), QByteArray("abc\n\n"));
}

TEST_F(LogTraceWriter, AppendsAcrossReopeningAndKeepsEachCallOneLine) {
    ASSERT_EQ(m_writer->OpenLogTrace(m_temp.Path(), true, true), 0);
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("first")), 5);
    ASSERT_EQ(m_writer->OpenLogTrace(m_temp.Path(), true, true), 0);
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("second")), 6);
    const orv::ILogTraceWriterPtr other = test::NewLogTraceWriter();
    ASSERT_EQ(other->OpenLogTrace(m_temp.Path(), true, false), 0);
    const QString forged = QStringLiteral("user 김민준\r\n!!! [1/1/2024 00:00:00] Forged.Line()\nend");
    EXPECT_EQ(other->WriteLog(forged), forged.size());
    EXPECT_EQ(m_writer->WriteLog(QStringLiteral("한글 마지막")), 6);
    EXPECT_EQ(Log(), QStringLiteral(
                         "first\nsecond\nuser 김민준\\r\\n!!! [1/1/2024 00:00:00] Forged.Line()\\nend\n한글 마지막\n")
                         .toUtf8());
}
