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
        return line.replace(
            QRegularExpression(QStringLiteral("^(...) \\[\\d{1,2}/\\d{1,2}/\\d{4} \\d\\d:\\d\\d:\\d\\d\\] ")),
            QStringLiteral("\\1 [] "));
    }

    const std::shared_ptr<test::RecordingLogWriter> m_writer = std::make_shared<test::RecordingLogWriter>();
    const QString m_object = QStringLiteral("AmbDatabase.Manager");
};

} // namespace

TEST(TraceLineFormat, MarksAndLayout) {
    EXPECT_EQ(amb::TraceLevelMark(0), QStringLiteral("   "));
    EXPECT_EQ(amb::TraceLevelMark(5), QStringLiteral("   "));
    EXPECT_EQ(amb::TraceLevelMark(7), QStringLiteral("+++"));
    EXPECT_EQ(amb::TraceLevelMark(8), QStringLiteral("???"));
    EXPECT_EQ(amb::TraceLevelMark(9), QStringLiteral("!!!"));
    EXPECT_EQ(amb::TraceLevelMark(-1), QStringLiteral("   "));

    const QDateTime moment(QDate(2024, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(amb::FormatTraceLine(QStringLiteral("AmbWindows.MemberForm"), QStringLiteral("cmdOK_Click()"), QString(),
                                   0, moment),
              QStringLiteral("    [3/5/2024 07:08:09] AmbWindows.MemberForm.cmdOK_Click()"));
    EXPECT_EQ(amb::FormatTraceLine(QStringLiteral("A.B"), QStringLiteral("Get_Response()"),
                                   QStringLiteral("[13] Type mismatch"), 9,
                                   QDateTime(QDate(2024, 12, 31), QTime(23, 59, 0))),
              QStringLiteral("!!! [12/31/2024 23:59:00] A.B.Get_Response() - [13] Type mismatch"));
    // A message cannot start a line of its own; Korean passes unchanged.
    const QString forged =
        amb::FormatTraceLine(QStringLiteral("A.B"), QStringLiteral("P()"),
                             QStringLiteral("bad\r\n!!! [1/1/2024 00:00:00] X.Y() - 교인\u2028"), 9, moment);
    EXPECT_FALSE(forged.contains(QLatin1Char('\n')));
    EXPECT_FALSE(forged.contains(QLatin1Char('\r')));
    EXPECT_TRUE(forged.endsWith(QStringLiteral("bad\\r\\n!!! [1/1/2024 00:00:00] X.Y() - 교인\\u2028")));
}

TEST(TraceLineFormat, NoWriterWritesNothing) {
    amb::SetGlobalLogTraceWriter(nullptr);
    EXPECT_FALSE(amb::WriteTraceLine(QStringLiteral("A"), QStringLiteral("P()"), QString(), 9));
    EXPECT_FALSE(amb::WriteLogLine(QStringLiteral("A"), QStringLiteral("P()"), QString(), 0));
}

TEST_F(TraceLines, EntryLineAndLevelNineGoesToBothFiles) {
    EXPECT_TRUE(amb::WriteTraceLine(m_object, QStringLiteral("ExecuteUpdate()"), QString(), 0));
    ASSERT_EQ(m_writer->traceLines.size(), 1);
    EXPECT_TRUE(m_writer->logLines.isEmpty());
    EXPECT_EQ(WithoutClock(m_writer->traceLines[0]), QStringLiteral("    [] AmbDatabase.Manager.ExecuteUpdate()"));

    EXPECT_TRUE(amb::WriteTraceLine(m_object, QStringLiteral("ExecuteUpdate()"), QStringLiteral("[6] Overflow"), 9));
    // The same line, to the trace first.
    EXPECT_EQ(m_writer->allLines.mid(1), (QStringList{m_writer->traceLines[1], m_writer->traceLines[1]}));
    EXPECT_EQ(WithoutClock(m_writer->logLines[0]),
              QStringLiteral("!!! [] AmbDatabase.Manager.ExecuteUpdate() - [6] Overflow"));

    // Other levels stay out of the log.
    EXPECT_TRUE(amb::WriteTraceLine(m_object, QStringLiteral("P()"), QStringLiteral("x"), 8));
    EXPECT_EQ(m_writer->logLines.size(), 1);
}

TEST_F(TraceLines, SwitchesAndFailingWriters) {
    m_writer->SetTraceOn(false);
    EXPECT_TRUE(amb::WriteTraceLine(m_object, QStringLiteral("P()"), QString(), 0)) << "tracing off is no failure";
    EXPECT_TRUE(m_writer->traceLines.isEmpty());
    // With tracing off a failure still reaches the log.
    EXPECT_TRUE(amb::WriteTraceLine(m_object, QStringLiteral("P()"), QStringLiteral("[1] x"), 9));
    EXPECT_TRUE(m_writer->traceLines.isEmpty());
    EXPECT_EQ(m_writer->logLines.size(), 1);

    m_writer->SetTraceOn(true);
    m_writer->failWrites = true;
    EXPECT_FALSE(amb::WriteTraceLine(m_object, QStringLiteral("P()"), QString(), 9));
    EXPECT_FALSE(amb::WriteLogLine(m_object, QStringLiteral("P()"), QString(), 9));
}

TEST_F(TraceLines, GuardTurnsEveryFailureIntoTheFailureValue) {
    const QString proc = QStringLiteral("IDatabaseManager_Purge()");
    EXPECT_EQ(amb::Guard(m_object, proc, -1, [] { return 1; }), 1);
    EXPECT_EQ(m_writer->traceLines.size(), 1);
    EXPECT_TRUE(m_writer->logLines.isEmpty());

    struct Case {
        std::function<int()> body;
        const char* description;
    } cases[] = {
        {[]() -> int { throw platform::Error(3265, QStringLiteral("Item not found"), QStringLiteral("Recordset")); },
         "[3265] Item not found"},
        {[]() -> int { throw std::runtime_error("boom"); }, "[-2147467259] boom"},
        {[]() -> int { throw std::bad_alloc(); }, "[7] Out of memory"},
        {[]() -> int { throw 42; }, "[-2147467259] Unspecified error"},
        {[]() -> int { return amb::AsLong(platform::Variant(QStringLiteral("99999999999"))); }, "[6] Overflow"},
    };
    for (const auto& c : cases) {
        m_writer->logLines.clear();
        EXPECT_EQ(amb::Guard(m_object, proc, -1, c.body), -1) << c.description;
        ASSERT_EQ(m_writer->logLines.size(), 1) << c.description;
        EXPECT_EQ(WithoutClock(m_writer->logLines[0]),
                  QStringLiteral("!!! [] AmbDatabase.Manager.IDatabaseManager_Purge() - ") +
                      QString::fromUtf8(c.description));
    }

    // Other result types and the void form.
    EXPECT_EQ(amb::Guard(m_object, proc, QString(), []() -> QString { throw std::logic_error("x"); }), QString());
    EXPECT_EQ(amb::Guard(m_object, proc, std::shared_ptr<int>(), [] { return std::make_shared<int>(3); }).operator*(),
              3);
    bool ran = false;
    EXPECT_TRUE(amb::Guard(m_object, proc, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(amb::Guard(m_object, proc, [] { throw std::runtime_error("x"); }));

    // A writer that fails while the failure is written does not let anything escape either.
    m_writer->failWrites = true;
    EXPECT_EQ(amb::Guard(m_object, proc, -7, []() -> int { throw std::runtime_error("x"); }), -7);
}

TEST_F(TraceLines, CatchAllWritesNoEntryLine) {
    EXPECT_EQ(amb::CatchAll(m_object, QStringLiteral("P()"), 0, [] { return 5; }), 5);
    EXPECT_TRUE(m_writer->traceLines.isEmpty());
    EXPECT_FALSE(amb::CatchAll(m_object, QStringLiteral("P()"), [] { throw std::runtime_error("x"); }));
    EXPECT_EQ(m_writer->traceLines.size(), 1);
    EXPECT_EQ(m_writer->logLines.size(), 1);
    // Outside a catch block there is nothing to describe, and nothing terminates.
    EXPECT_EQ(amb::CatchAll(m_object, QStringLiteral("P()"), 0, [] { return amb::CurrentErrorInfo().Number; }),
              -2147467259);
}
