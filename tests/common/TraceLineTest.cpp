#include "common/ErrorGuard.h"
#include "common/StandardModule.h"

#include "platform/com/Error.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// Attaches a fresh writer for one test and detaches it afterwards.
class TraceLines : public ::testing::Test {
protected:
    void SetUp() override { amb::SetGlobalLogTraceWriter(m_writer); }
    void TearDown() override { amb::SetGlobalLogTraceWriter(nullptr); }

    // The line without its clock part, which the tests cannot know.
    static QString WithoutClock(QString line) {
        static const QRegularExpression clock(R"(^(...) \[\d{1,2}/\d{1,2}/\d{4} \d\d:\d\d:\d\d\] )");
        return line.replace(clock, "\\1 [] ");
    }

    const std::shared_ptr<test::RecordingLogWriter> m_writer = std::make_shared<test::RecordingLogWriter>();
    const QString m_object = "AmbDatabase.Manager";
    const QString m_proc = "IDatabaseManager_Purge()";
};

} // namespace

TEST(TraceLineFormat, MarksAndLayout) {
    EXPECT_EQ(amb::TraceLevelMark(7), "+++");
    EXPECT_EQ(amb::TraceLevelMark(8), "???");
    EXPECT_EQ(amb::TraceLevelMark(-1), "   ");

    const QDateTime moment(QDate(2024, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(amb::FormatTraceLine("AmbWindows.MemberForm", "cmdOK_Click()", QString(), 0, moment),
              "    [3/5/2024 07:08:09] AmbWindows.MemberForm.cmdOK_Click()");
    EXPECT_EQ(amb::FormatTraceLine("A.B", "Get_Response()", "[13] Type mismatch", 9,
                                   QDateTime(QDate(2024, 12, 31), QTime(23, 59, 0))),
              "!!! [12/31/2024 23:59:00] A.B.Get_Response() - [13] Type mismatch");
    // A message cannot start a line of its own; Korean passes unchanged.
    const QString forged =
        amb::FormatTraceLine("A.B", "P()", "bad\r\n!!! [1/1/2024 00:00:00] X.Y() - 교인\u2028", 9, moment);
    EXPECT_TRUE(forged.endsWith("bad\\r\\n!!! [1/1/2024 00:00:00] X.Y() - 교인\\u2028"));

    // Without a writer nothing is written, and nothing fails.
    EXPECT_FALSE(amb::WriteTraceLine("A", "P()", QString(), 9));
    EXPECT_FALSE(amb::WriteLogLine("A", "P()", QString(), 0));
}

TEST_F(TraceLines, LevelNineGoesToBothFilesAndSwitchesAreHonoured) {
    EXPECT_TRUE(amb::WriteTraceLine(m_object, "ExecuteUpdate()", QString(), 0));
    EXPECT_TRUE(amb::WriteTraceLine(m_object, "ExecuteUpdate()", "[6] Overflow", 9));
    EXPECT_TRUE(amb::WriteTraceLine(m_object, "P()", "x", 8)); // other levels stay out of the log
    ASSERT_EQ(m_writer->traceLines.size(), 3);
    EXPECT_EQ(WithoutClock(m_writer->traceLines[0]), "    [] AmbDatabase.Manager.ExecuteUpdate()");
    EXPECT_EQ(m_writer->logLines, QStringList{m_writer->traceLines[1]});
    EXPECT_EQ(WithoutClock(m_writer->logLines[0]), "!!! [] AmbDatabase.Manager.ExecuteUpdate() - [6] Overflow");

    // With tracing off a failure still reaches the log; a failing writer is reported, not thrown.
    m_writer->SetTraceOn(false);
    EXPECT_TRUE(amb::WriteTraceLine(m_object, "P()", QString(), 0)) << "tracing off is no failure";
    EXPECT_TRUE(amb::WriteTraceLine(m_object, "P()", "[1] x", 9));
    EXPECT_EQ(m_writer->traceLines.size(), 3);
    EXPECT_EQ(m_writer->logLines.size(), 2);
    m_writer->SetTraceOn(true);
    m_writer->failWrites = true;
    EXPECT_FALSE(amb::WriteTraceLine(m_object, "P()", QString(), 9));
    EXPECT_FALSE(amb::WriteLogLine(m_object, "P()", QString(), 9));
}

TEST_F(TraceLines, GuardTurnsEveryFailureIntoTheFailureValue) {
    EXPECT_EQ(amb::Guard(m_object, m_proc, -1, [] { return 1; }), 1);
    EXPECT_EQ(m_writer->traceLines.size(), 1);
    EXPECT_TRUE(m_writer->logLines.isEmpty());

    struct Case {
        std::function<int()> body;
        const char* description;
    } cases[] = {{[]() -> int { throw platform::Error(3265, "Item not found", "Recordset"); }, "[3265] Item not found"},
                 {[]() -> int { throw std::runtime_error("boom"); }, "[-2147467259] boom"},
                 {[]() -> int { throw std::bad_alloc(); }, "[7] Out of memory"},
                 {[]() -> int { throw 42; }, "[-2147467259] Unspecified error"}};
    for (const auto& c : cases) {
        m_writer->logLines.clear();
        EXPECT_EQ(amb::Guard(m_object, m_proc, -1, c.body), -1) << c.description;
        ASSERT_EQ(m_writer->logLines.size(), 1) << c.description;
        EXPECT_EQ(WithoutClock(m_writer->logLines[0]),
                  "!!! [] AmbDatabase.Manager.IDatabaseManager_Purge() - " + QString::fromUtf8(c.description));
    }

    // Other result types and the void form.
    EXPECT_EQ(amb::Guard(m_object, m_proc, QString(), []() -> QString { throw std::logic_error("x"); }), QString());
    bool ran = false;
    EXPECT_TRUE(amb::Guard(m_object, m_proc, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(amb::Guard(m_object, m_proc, [] { throw std::runtime_error("x"); }));

    // A writer that fails while the failure is written does not let anything escape either.
    m_writer->failWrites = true;
    EXPECT_EQ(amb::Guard(m_object, m_proc, -7, []() -> int { throw std::runtime_error("x"); }), -7);
}

TEST_F(TraceLines, CatchAllWritesNoEntryLine) {
    EXPECT_EQ(amb::CatchAll(m_object, "P()", 0, [] { return 5; }), 5);
    EXPECT_TRUE(m_writer->traceLines.isEmpty());
    EXPECT_FALSE(amb::CatchAll(m_object, "P()", [] { throw std::runtime_error("x"); }));
    EXPECT_EQ(m_writer->traceLines.size(), 1);
    EXPECT_EQ(m_writer->logLines.size(), 1);
    // Outside a catch block there is nothing to describe, and nothing terminates.
    EXPECT_EQ(amb::CatchAll(m_object, "P()", 0, [] { return amb::CurrentErrorInfo().Number; }), -2147467259);
}
