#include "tests/support/StringTableFile.h"

#include <gtest/gtest.h>

using test::StringTableFile;

// The checks on the shipped tables are only as good as this reader: it must refuse what a loader
// could misread.
TEST(StringTableFile, RefusesMalformedLines) {
    const struct {
        const char* content;
        const char* problem;
    } cases[] = {
        {"1 OK\n", "no tab"},
        {"x1\tOK\n", "not a plain number"},
        {" 1\tOK\n", "not a plain number"},
        {"+1\tOK\n", "not a plain number"},
        {"0\tZero\n", "out of range"},
        {"341\tToo far\n", "out of range"},
        {"1\tOK\n1\tAgain\n", "duplicate"},
        {"1\tC:\\path\n", "bad escape"},
        {"1\tends with\\\n", "bad escape"},
        {"1\tOK\r\n", "carriage return"},
        {"\xEF\xBB\xBF# bom\n1\tOK\n", "byte-order mark"},
        {"1\t\xC3\x28\n", "not UTF-8"},
    };
    for (const auto& c : cases) {
        const StringTableFile file = StringTableFile::Parse(QByteArray(c.content));
        ASSERT_EQ(file.errors.size(), 1) << c.content;
        EXPECT_TRUE(file.errors.first().contains(QLatin1String(c.problem))) << file.errors.first().toStdString();
    }
}

TEST(StringTableFile, ReadsCommentsEscapesAndKorean) {
    const QByteArray content = "# comment\n\n"
                               "1\tLine\\none\n"
                               "2\tA\\tB\\\\C\n"
                               "3\t\xED\x99\x95\xEC\x9D\xB8\n"
                               "340\t#not a comment\n";
    const StringTableFile file = StringTableFile::Parse(content);
    EXPECT_TRUE(file.errors.isEmpty()) << file.errors.join(u'\n').toStdString();
    ASSERT_EQ(file.texts.size(), 4);
    EXPECT_EQ(file.texts.value(1), QStringLiteral("Line\none"));
    EXPECT_EQ(file.texts.value(2), QStringLiteral("A\tB\\C"));
    EXPECT_EQ(file.texts.value(3), QStringLiteral("확인"));
    EXPECT_EQ(file.texts.value(340), QStringLiteral("#not a comment"));
}
