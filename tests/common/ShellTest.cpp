#include "common/Shell.h"
#include "common/StandardModule.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOpener.h"

#include <gtest/gtest.h>

#include <QUrl>

namespace {

class ShellTest : public ::testing::Test {
protected:
    test::OpenerScope m_scope;
    test::RecordingOpener* m_opener = m_scope.opener.get();
};

} // namespace

TEST_F(ShellTest, DocumentsGoToTheOpenerUnchangedAndFailuresStayInside) {
    const QString help = QStringLiteral("/home/교회/Ambrel/Ambrel.chm");
    amb::ShellOpenDocument(help);
    amb::ShellOpenDocument(QStringLiteral("https://example.org/a?b=c&d=e"));
    EXPECT_EQ(m_opener->opened, (QStringList{help, QStringLiteral("https://example.org/a?b=c&d=e")}));

    // Nothing is shown, but the log says why nothing opened.
    const auto writer = std::make_shared<test::RecordingLogWriter>();
    amb::SetGlobalLogTraceWriter(writer);
    m_opener->fail = true;
    EXPECT_NO_THROW(amb::ShellOpenDocument(help));
    EXPECT_NO_THROW(amb::OpenMailTo(QStringLiteral("a@b.org")));
    amb::SetGlobalLogTraceWriter(nullptr);
    ASSERT_EQ(writer->logLines.size(), 2) << writer->logLines.join(u'\n').toStdString();
    for (const QString& line : writer->logLines) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("!!! ["))) << line.toStdString();
        EXPECT_TRUE(line.endsWith(QStringLiteral("] GlobalModule.ShellOpenDocument() - [-2147467259] no desktop")))
            << line.toStdString();
    }
    EXPECT_EQ(m_opener->opened.size(), 2);
}

TEST_F(ShellTest, MailToTextAfterQuestionMarkCannotAddHeaders) {
    const QString hostile = QStringLiteral("a@b.org?subject=x&attach=/etc/passwd");
    amb::OpenMailTo(hostile);
    ASSERT_EQ(m_opener->opened.size(), 1);
    const QString link = m_opener->opened.first();
    EXPECT_TRUE(link.startsWith(QStringLiteral("mailto:")));
    EXPECT_FALSE(link.contains(QLatin1Char('?')));
    EXPECT_FALSE(link.contains(QLatin1Char('&')));

    const QUrl parsed(link, QUrl::StrictMode);
    ASSERT_TRUE(parsed.isValid());
    EXPECT_FALSE(parsed.hasQuery());
    EXPECT_FALSE(parsed.hasFragment());
    EXPECT_EQ(parsed.path(QUrl::FullyDecoded), hostile); // still one (odd) address, nothing more

    struct Case {
        QString address;
        QString link;
    };
    const Case cases[] = {{QStringLiteral("kim@example.org"), QStringLiteral("mailto:kim@example.org")},
                          {QStringLiteral(""), QStringLiteral("mailto:")},
                          {QStringLiteral("x@y.org#body=hi"), QStringLiteral("mailto:x@y.org%23body=hi")},
                          {QStringLiteral("x@y.org%3Fcc=z"), QStringLiteral("mailto:x@y.org%253Fcc=z")},
                          {QStringLiteral("x@y.org\r\nBcc: z@w"), QStringLiteral("mailto:x@y.org%0D%0ABcc:%20z@w")}};
    for (const auto& c : cases)
        EXPECT_EQ(amb::MailToLink(c.address), c.link) << c.address.toStdString();

    const QString korean = QStringLiteral("김철수@교회.kr");
    EXPECT_EQ(QUrl(amb::MailToLink(korean)).path(QUrl::FullyDecoded), korean);
}
