#include "tests/support/StringTableFile.h"

#include <gtest/gtest.h>

using test::StringTableFile;

// The checks on the shipped tables are only as good as this reader: it must refuse what a loader
// could misread, and read the rest as the loader does.
TEST(StringTableFile, RefusesMalformedLinesAndReadsEscapes) {
    const std::pair<const char*, const char*> cases[] = {{"1 OK\n", "no tab"},
                                                         {" 1\tOK\n", "not a plain number"},
                                                         {"341\tToo far\n", "out of range"},
                                                         {"1\tOK\n1\tAgain\n", "duplicate"},
                                                         {"1\tC:\\path\n", "bad escape"},
                                                         {"1\tOK\r\n", "carriage return"},
                                                         {"\xEF\xBB\xBF# bom\n", "byte-order mark"},
                                                         {"1\t\xC3\x28\n", "not UTF-8"}};
    for (const auto& [content, problem] : cases) {
        const StringTableFile file = StringTableFile::Parse(content);
        ASSERT_EQ(file.errors.size(), 1) << content;
        EXPECT_TRUE(file.errors.first().contains(QLatin1String(problem))) << file.errors.first().toStdString();
    }

    const StringTableFile file = StringTableFile::Parse("# comment\n\n1\tLine\\none\n2\tA\\tB\\\\C\n3\t확인\n"
                                                        "340\t#not a comment\n");
    EXPECT_TRUE(file.errors.isEmpty()) << file.errors.join(u'\n').toStdString();
    EXPECT_EQ(file.texts, (QMap<int, QString>{{1, "Line\none"}, {2, "A\tB\\C"}, {3, "확인"}, {340, "#not a comment"}}));
}
