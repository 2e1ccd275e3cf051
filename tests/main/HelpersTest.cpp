#include "main/AppWrapper.h"
#include "main/CApplication.h"
#include "main/CSession.h"
#include "main/ComponentsForm.h"
#include "platform/com/Error.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace test {
namespace {

using namespace amb::ambrel;

TEST(SessionTest, UsernameIsKeptInProperCaseAndClearEmptiesAll) {
    const std::pair<const char*, const char*> cases[] = {
        {"aDMIN user", "Admin User"}, {"kim", "Kim"}, {"o'neil  SMITH", "O'neil  Smith"}, {"", ""}};
    CSession session;
    for (const auto& [given, stored] : cases) {
        session.SetUsername(QString::fromUtf8(given));
        EXPECT_EQ(session.Username(), QString::fromUtf8(stored)) << given;
    }
    session.SetUsername("관리자 one");
    EXPECT_EQ(session.Username(), "관리자 One");
    session.SetUserID(3);
    session.SetIsAdmin(true);
    session.SetFullname("Office");
    session.Clear();
    EXPECT_EQ(session.UserID(), 0);
    EXPECT_FALSE(session.IsAdmin());
    EXPECT_TRUE(session.Username().isEmpty());
    EXPECT_TRUE(session.Fullname().isEmpty());
}

TEST(RecentSearchTest, StoredListsReadBackAsTheyWereTyped) {
    // The first spelling of a text stays; empty pieces are skipped.
    const auto read = StringArrayToDictionary(QStringLiteral("Kim;kim;Lee; ;").split(QLatin1Char(';')));
    EXPECT_EQ(read->Keys(), (QStringList{"kim", "lee"}));
    EXPECT_EQ(read->Item("kim").ToString(), "Kim");
    EXPECT_EQ(RecentSearchText(platform::Dictionary()), QString());

    // Forty texts keep the 33 newest, oldest of them first.
    platform::Dictionary held;
    for (int i = 0; i < 40; ++i)
        held.SetItem(QString::number(i), QStringLiteral("t%1").arg(i));
    const QStringList stored = RecentSearchText(held).split(QLatin1Char(';'));
    ASSERT_EQ(stored.size(), 34);
    EXPECT_EQ(stored.first(), "t7");
    EXPECT_EQ(stored[32], "t39");
    EXPECT_TRUE(stored.last().isEmpty());
}

TEST(RecentSearchTest, TextsWithSemicolonsOrBackslashesReadBackWhole) {
    platform::Dictionary held;
    for (const char* text : {"a;b", "back\\slash;", ";lead", "plain"})
        held.SetItem(QString::fromUtf8(text).toLower(), QString::fromUtf8(text));
    const QString stored = RecentSearchText(held);
    EXPECT_EQ(SplitRecentSearchText(stored), (QStringList{"a;b", "back\\slash;", ";lead", "plain", QString()}));
    // Lists saved before texts were escaped read as they always did, backslashes and all.
    EXPECT_EQ(SplitRecentSearchText("Kim;C:\\x\\;Lee;"), (QStringList{"Kim", "C:\\x\\", "Lee", QString()}));
    EXPECT_EQ(SplitRecentSearchText(";Kim;"), (QStringList{"Kim", QString()}));
    // A list without such texts keeps the plain form.
    platform::Dictionary plain;
    plain.SetItem("kim", "Kim");
    EXPECT_EQ(RecentSearchText(plain), "Kim;");
}

TEST(StartUpTextTest, FileSizesRoundToKilobytesAndMegabytes) {
    EXPECT_EQ(FileSizeText(999), "1 KB");
    EXPECT_EQ(FileSizeText(1250000), "1.25 MB");
}

// A component that fails while it is taken off the hub leaves its level-9 line in Log.txt, and the
// others are still taken off, the log writer last.
TEST(ShutdownTest, AFailedStepIsLoggedAndTheRestStillRuns) {
    struct FailingLoaderHub : FakeHub {
        amb::IWindowLoaderPtr WindowLoader() override {
            throw platform::Error(91, QStringLiteral("the window loader is gone"), QStringLiteral("Test"));
        }
    };
    const auto hub = std::make_shared<FailingLoaderHub>();
    const auto generic = std::make_shared<FakeGenericApplication>();
    const auto writer = std::make_shared<RecordingLogWriter>();
    generic->SetLogTraceWriter(writer);
    hub->SetOrvApplication(generic);
    DetachHub(hub);
    EXPECT_EQ(writer->logLines.filter("Ambrel.DetachHub() - [91] the window loader is gone").size(), 1)
        << writer->logLines.join('\n').toStdString();
    EXPECT_EQ(hub->OrvApplication(), nullptr);
    EXPECT_EQ(generic->LogTraceWriter(), nullptr);
}

} // namespace
} // namespace test
