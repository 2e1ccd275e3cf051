#include "tests/application/HubFixture.h"

#include "application/StringTableFile.h"
#include "common/ResourceIDs.h"

// The loader reads exactly the ids the program names; a text added past the last id would read as "".

using StringTable = test::HubFixture;

TEST_F(StringTable, FileRulesCommentsEscapesUnknownIdsAndTheLengthLimit) {
    Install();
    const QString longKorean = QString(300, QChar(0xAC00)); // 가 x 300
    QString longWithPair = QString(253, QLatin1Char('a')) + QString::fromUtf8("😀") + QStringLiteral("tail");
    QByteArray file = "\xEF\xBB\xBF# interface texts\r\n"
                      "\n"
                      "1\tOK\r\n"
                      "2\tline one\\nline two\\tTabbed \\\\ back\\slash\n"
                      "   \n"
                      "#3\tnot a text\n"
                      "0\tzero\n"
                      "abc\tnot a number\n"
                      "4 no tab here\n"
                      "5\t\n"
                      "6\t  spaced  \n"
                      "7\tfirst\n"
                      "7\tsecond\n";
    file += "8\t" + longKorean.toUtf8() + "\n";
    file += "9\t" + longWithPair.toUtf8() + "\n";
    file += QByteArray::number(amb::res::kLastId + 1) + "\tbeyond\n";
    file += QByteArray::number(amb::res::kLastId) + "\tlast";
    QFile tsv(AppPath("1033/AmbResources.tsv"));
    ASSERT_TRUE(tsv.open(QIODevice::WriteOnly | QIODevice::Truncate));
    tsv.write(file);
    tsv.close();

    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);
    const auto table = hub->StringTable();
    auto text = [&](int id) { return table->Item(QString::number(id)).ToString(); };
    ASSERT_EQ(table->Count(), amb::res::kLastId);
    EXPECT_FALSE(table->Exists(QStringLiteral("0")));
    EXPECT_FALSE(table->Exists(QString::number(amb::res::kLastId + 1)));
    EXPECT_EQ(text(1), QStringLiteral("OK"));
    EXPECT_EQ(text(2), QStringLiteral("line one\nline two\tTabbed \\ back\\slash"));
    EXPECT_EQ(text(3), QString());
    EXPECT_EQ(text(4), QString());
    EXPECT_EQ(text(5), QString());
    EXPECT_EQ(text(6), QStringLiteral("  spaced  "));
    EXPECT_EQ(text(7), QStringLiteral("second"));
    EXPECT_EQ(text(8), longKorean.left(254));
    EXPECT_EQ(text(9), QString(253, QLatin1Char('a'))); // never half of a character
    EXPECT_EQ(text(amb::res::kLastId), QStringLiteral("last"));
    EXPECT_EQ(text(amb::res::kLastId - 1), QString());
}

TEST_F(StringTable, AKoreanTableWithoutAnIdShowsItsEnglishText) {
    Install({QStringLiteral("--language"), QStringLiteral("1042")});
    QFile english(AppPath("1033/AmbResources.tsv"));
    ASSERT_TRUE(english.open(QIODevice::WriteOnly | QIODevice::Truncate));
    english.write("1\tOK\n2\tCancel\n3\tClose\n");
    english.close();
    QFile korean(AppPath("1042/AmbResources.tsv"));
    ASSERT_TRUE(korean.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // 2 is left out; 3 is there but empty, which is a text of its own.
    korean.write("1\t\xED\x99\x95\xEC\x9D\xB8\n3\t\n");
    korean.close();

    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);
    const auto table = hub->StringTable();
    ASSERT_NE(table, nullptr);
    auto text = [&](int id) { return table->Item(QString::number(id)).ToString(); };
    EXPECT_EQ(text(1), QString::fromUtf8("확인"));
    EXPECT_EQ(text(2), QStringLiteral("Cancel"));
    EXPECT_EQ(text(3), QString());
    EXPECT_EQ(text(4), QString());
}
