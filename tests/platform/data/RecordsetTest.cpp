#include "platform/com/Error.h"
#include "platform/data/Recordset.h"

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
    rs.Close();
    EXPECT_TRUE(rs.IsEOF());
}
