#include "common/widgets/ListItem.h"

#include "platform/data/Currency.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

namespace {

using platform::MakeDateTime;
using platform::Variant;

// A list of rows: name text, a date and an amount with their typed sort values.
struct Row {
    const char* name;
    QDateTime date;
    platform::Currency amount;
};

void Fill(QTreeWidget& list, std::initializer_list<Row> rows) {
    list.clear();
    list.setColumnCount(4);
    int n = 0;
    for (const Row& row : rows) {
        auto* item = new amb::ListItem(&list);
        item->SetKey(QStringLiteral("id||%1").arg(++n));
        item->SetCell(0, QString::fromUtf8(row.name));
        item->SetCell(1, row.date.isValid() ? row.date.toString(QStringLiteral("M/d/yyyy")) : QString(),
                      amb::SortValue(row.date.isValid() ? Variant(row.date) : Variant::Null()));
        item->SetCell(2, row.amount.ToString(), amb::SortValue(Variant(row.amount)));
        item->SetCell(3, QString::number(n)); // untyped: sorts as text
    }
}

QStringList Column(const QTreeWidget& list, int column) {
    QStringList texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts << list.topLevelItem(i)->text(column);
    return texts;
}

platform::Currency Amount(const char* text) {
    return *platform::Currency::Parse(QString::fromUtf8(text));
}

} // namespace

TEST(ListSorting, ComparesTypedValues) {
    QTreeWidget list;
    Fill(list, {
                   {"bob", MakeDateTime(2024, 1, 5), Amount("9")},
                   {"Alice", MakeDateTime(2023, 12, 31), Amount("10")},
                   {"김영희", MakeDateTime(2024, 10, 2), Amount("-1.50")},
                   {"carl", {}, Amount("100.25")},
                   {"Bob", MakeDateTime(2024, 2, 1), Amount("9.00")},
                   {"가나", MakeDateTime(2024, 1, 10), Amount("0")},
               });

    amb::SortListViewByColumn(&list, 1);
    // Dates as dates across years, not as text ("1/10/2024" < "1/5/2024"); no date first.
    EXPECT_EQ(Column(list, 1), (QStringList{"", "12/31/2023", "1/5/2024", "1/10/2024", "2/1/2024", "10/2/2024"}));

    amb::SortListViewByColumn(&list, 2);
    EXPECT_EQ(Column(list, 2), (QStringList{"-1.50", "0.00", "9.00", "9.00", "10.00", "100.25"}));

    amb::SortListViewByColumn(&list, 0);
    // Case-insensitive; equal names keep their order; Hangul after Latin in 가나다 order.
    EXPECT_EQ(Column(list, 0), (QStringList{"Alice", "bob", "Bob", "carl", "가나", "김영희"}));

    // The same column again: descending; another column: ascending again.
    amb::SortListViewByColumn(&list, 0);
    EXPECT_EQ(Column(list, 0).first(), "김영희");
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    amb::SortListViewByColumn(&list, 2);
    EXPECT_EQ(Column(list, 2).first(), "-1.50");

    // Untyped column: text order ("10" would come before "9" here, which is what text means).
    amb::SortListViewByColumn(&list, 3);
    EXPECT_EQ(Column(list, 3), (QStringList{"1", "2", "3", "4", "5", "6"}));

    // Keys stay with their rows.
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        EXPECT_EQ(static_cast<amb::ListItem*>(list.topLevelItem(i))->Key(), "id||" + list.topLevelItem(i)->text(3));

    amb::SortListViewByColumn(&list, 2);
    // A refilled list sorts again as last chosen; unknown columns are ignored.
    Fill(list, {{"b", {}, Amount("10")}, {"a", {}, Amount("9")}});
    amb::ReapplyListViewSort(&list);
    EXPECT_EQ(Column(list, 2), (QStringList{"9.00", "10.00"}));
    amb::SortListViewByColumn(&list, 7);
    EXPECT_EQ(Column(list, 2), (QStringList{"9.00", "10.00"}));
}

TEST(ListSorting, EditedCellsSortByTheirNewValue) {
    QTreeWidget list;
    Fill(list, {{"a", MakeDateTime(2020, 1, 1), Amount("1")}, {"b", MakeDateTime(2021, 1, 1), Amount("2")}});
    amb::SortListViewByColumn(&list, 0);
    EXPECT_EQ(Column(list, 0), (QStringList{"a", "b"}));
    static_cast<amb::ListItem*>(list.topLevelItem(0))->SetCell(0, QStringLiteral("Z"));
    amb::ReapplyListViewSort(&list);
    EXPECT_EQ(Column(list, 0), (QStringList{"b", "Z"}));

    amb::SortListViewByColumn(&list, 2);
    EXPECT_EQ(Column(list, 2), (QStringList{"1.00", "2.00"}));
    list.topLevelItem(0)->setData(2, amb::kListSortRole, 5.0);
    amb::ReapplyListViewSort(&list);
    EXPECT_EQ(Column(list, 2), (QStringList{"2.00", "1.00"}));
}

TEST(ListSorting, HeaderClicksSortOnceEach) {
    QTreeWidget list;
    list.setHeaderLabels({"Name", "Date", "Amount", "N"});
    list.header()->setSectionsClickable(true);
    QObject::connect(list.header(), &QHeaderView::sectionClicked, &list,
                     [&list](int column) { amb::SortListViewByColumn(&list, column); });
    Fill(list, {{"b", {}, Amount("10")}, {"a", {}, Amount("9")}, {"c", {}, Amount("100")}});
    list.resize(400, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    QHeaderView* header = list.header();
    const QPoint amountHeader(header->sectionViewportPosition(2) + header->sectionSize(2) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, amountHeader);
    EXPECT_EQ(Column(list, 2), (QStringList{"9.00", "10.00", "100.00"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, amountHeader);
    EXPECT_EQ(Column(list, 2), (QStringList{"100.00", "10.00", "9.00"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
}
