#include "common/HubLink.h"
#include "common/StandardModule.h"
#include "platform/com/Error.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace test {
namespace {

orv::ILogTraceWriterPtr g_otherCopy;
void KeepOtherCopy(const orv::ILogTraceWriterPtr& writer) {
    g_otherCopy = writer;
}

TEST(HubLinkTest, HoldsTheHubWeaklyAndLendsItsWriterToTheLibrary) {
    auto writer = std::make_shared<RecordingLogWriter>();
    amb::HubLink link(QStringLiteral("Test.Component"), &KeepOtherCopy);
    {
        auto hub = HubWithWriter(writer);
        link.Attach(hub);
        EXPECT_EQ(link.Hub(), hub);
        EXPECT_EQ(g_otherCopy, writer);
        amb::WriteLogLine(QStringLiteral("Test.Component"), QStringLiteral("Run()"), QStringLiteral("seen"), 9);
        EXPECT_EQ(writer->logLines.filter("seen").size(), 1);
    }
    // The hub owns the component: the link does not keep it alive, and the writer stays for the
    // lines of the shutdown.
    EXPECT_EQ(link.Hub(), nullptr);
    link.Attach(nullptr);
    amb::WriteLogLine(QStringLiteral("Test.Component"), QStringLiteral("End()"), QStringLiteral("still"), 9);
    EXPECT_EQ(writer->logLines.filter("still").size(), 1);

    // A hub without its generic application has no writer to give.
    auto bare = std::make_shared<FakeHub>();
    EXPECT_THROW(link.Attach(bare), platform::Error);
    link.Release();
    EXPECT_EQ(g_otherCopy, nullptr);
    amb::WriteLogLine(QStringLiteral("Test.Component"), QStringLiteral("Gone()"), QStringLiteral("after"), 9);
    EXPECT_TRUE(writer->logLines.filter("after").isEmpty());
}

} // namespace
} // namespace test
