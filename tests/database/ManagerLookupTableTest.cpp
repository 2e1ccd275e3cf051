#include "common/LookupKinds.h"
#include "tests/support/DatabaseTest.h"

using amb::LookupKind;
using platform::Variant;

namespace {

class LookupTableTest : public test::DatabaseTest {
protected:
    QStringList Names(const QString& sql) {
        QStringList names;
        for (auto rows = raw->Query(sql); !rows->IsEOF(); rows->MoveNext())
            names << rows->Field(0).ToString();
        names.sort(Qt::CaseInsensitive);
        return names;
    }
};

// Each row's contract members, called on the real manager, read and write the row's own table and
// are the members named after it (their trace names say so), so no row points at another list.
TEST_F(LookupTableTest, EveryRowsMembersWorkOnItsOwnTable) {
    amb::IDatabaseManager& manager = *db;
    for (const LookupKind& kind : amb::kLookupKinds) {
        const QString table = amb::NameColumn(kind);
        SCOPED_TRACE(table.toStdString());
        const QString quoted = '"' + table + '"';
        m_writer->traceLines.clear();

        QStringList listed = test::Column((manager.*kind.list)(amb::EnumLookupOption{0}), "Name");
        listed.sort(Qt::CaseInsensitive);
        EXPECT_TRUE(Traced("GetLookup" + table));
        const QString live = kind.fixed ? QString() : QStringLiteral(" WHERE IsDeleted=0");
        EXPECT_EQ(listed, Names(QStringLiteral("SELECT %1 FROM %1%2").arg(quoted, live)));
        ASSERT_FALSE(listed.isEmpty());
        if (!kind.byId)
            continue;

        auto stored = raw->Query(QStringLiteral("SELECT ID, %1 FROM %1 WHERE ID>0 ORDER BY ID LIMIT 1").arg(quoted));
        const int32_t id = stored->Field(0).ToInt();
        const QString name = stored->Field(1).ToString();
        EXPECT_EQ(test::NotNull((manager.*kind.byId)(id)).Field(table).ToString(), name);
        EXPECT_TRUE(Traced("Get" + table + "ByID"));
        EXPECT_EQ(test::NotNull((manager.*kind.byName)(name)).Field("ID").ToInt(), id);
        EXPECT_TRUE(Traced("Get" + table + "ByName"));

        // A new entry lands in this table and is marked deleted there; the fixed lists change nothing.
        const int before = Count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted));
        const QString added = "Zed " + table;
        const int32_t saved = (manager.*kind.save)(test::Record({{"ID", 0}, {table, added}, {"OrderIndex", 0}}));
        EXPECT_TRUE(Traced("Update" + table));
        if (kind.fixed) {
            EXPECT_EQ(saved, 1);
            EXPECT_EQ((manager.*kind.remove)(id), 1);
            EXPECT_TRUE(Traced("Delete" + table));
            EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted)), before);
            continue;
        }
        ASSERT_GT(saved, 0);
        EXPECT_EQ(Count(QStringLiteral("SELECT ID FROM %1 WHERE %1=?").arg(quoted), {Variant(added)}), saved);
        EXPECT_EQ((manager.*kind.remove)(saved), 1);
        EXPECT_TRUE(Traced("Delete" + table));
        EXPECT_EQ(raw->Query(QStringLiteral("SELECT IsDeleted FROM %1 WHERE ID=?").arg(quoted), {saved})->Field(0),
                  Variant(true));
    }
    EXPECT_TRUE(TakeFailures().isEmpty());
}

} // namespace
