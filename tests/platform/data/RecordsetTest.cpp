#include "platform/data/Recordset.h"
#include "platform/com/Error.h"

#include <gtest/gtest.h>

using platform::Recordset;
using platform::Variant;

TEST(Recordset, WalksRowsAndFindsFieldsByAnyCase) {
    Recordset rs({QStringLiteral("ID"), QStringLiteral("Name")},
                 {{Variant(1), Variant(QStringLiteral("Ann"))}, {Variant(2), Variant(QStringLiteral("O'Neil"))}});
    rs.PrependRow({Variant(-998), Variant(QString())});
    ASSERT_EQ(rs.RecordCount(), 3);
    QStringList names;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        names << rs.Field(QStringLiteral("name")).ToString();
    EXPECT_EQ(names, (QStringList{"", "Ann", "O'Neil"}));
    EXPECT_THROW(rs.Field(QStringLiteral("ID")), platform::Error); // at EOF
    rs.MoveFirst();
    EXPECT_THROW(rs.Field(QStringLiteral("Missing")), platform::Error);

    // A row given short reads as Empty in its missing columns, by field and in a whole-row pass.
    Recordset shortRows({QStringLiteral("ID"), QStringLiteral("Name")}, {{Variant(7)}, {}});
    EXPECT_TRUE(shortRows.Field(QStringLiteral("Name")).IsEmpty());
    EXPECT_EQ(shortRows.Rows()[1].size(), 2u);
    shortRows.DropRepeatedRows(1);
    EXPECT_EQ(shortRows.RecordCount(), 1);
    rs.Close();
    EXPECT_TRUE(rs.IsEOF());
}

TEST(Recordset, DropsRepeatedRowsKeepingTheFirstOfEachRun) {
    Recordset rs({QStringLiteral("ID"), QStringLiteral("Name")}, {{Variant(1), Variant("a")},
                                                                  {Variant(1), Variant("b")},
                                                                  {Variant(2), Variant("c")},
                                                                  {Variant(3), Variant("d")},
                                                                  {Variant(3), Variant("e")},
                                                                  {Variant(1), Variant("f")}});
    rs.DropRepeatedRows(0);
    QStringList names;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        names << rs.Field(QStringLiteral("Name")).ToString();
    EXPECT_EQ(names, (QStringList{"a", "c", "d", "f"}));
    EXPECT_THROW(rs.DropRepeatedRows(2), platform::Error);
}
