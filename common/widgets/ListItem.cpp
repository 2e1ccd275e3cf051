#include "common/widgets/ListItem.h"

#include "common/GlobalModule.h"
#include "common/Values.h"

#include <QDateTime>
#include <QHeaderView>
#include <QScopeGuard>

#include <algorithm>

namespace amb {

void SetUpRecordList(QTreeWidget* list) {
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
}

bool ReturnToRow(QTreeWidget* list, int32_t id) {
    if (id <= 0)
        return false;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        if (GetIDFromKey(row->data(0, kListKeyRole).toString()) != id)
            continue;
        list->setCurrentItem(row);
        row->setSelected(true);
        list->scrollToItem(row);
        list->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

int AmountColumnWidth(const QTreeWidget* list, int designed) {
    return std::max(designed, list->fontMetrics().horizontalAdvance(FormatAmount(-kLargestAmount)) + 16);
}

namespace {

const char* const kSortColumnProperty = "ambSortColumn";
const char* const kSortOrderProperty = "ambSortOrder";

// The order of the kinds is the order in which they sort.
enum Kind { Empty = 0, Number = 1, Date = 2, Text = 3 };

Kind KindOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return Empty;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Number;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return Date;
    default:
        return value.toString().isEmpty() ? Empty : Text;
    }
}

// Dates compare by their wall-clock value, whatever time spec the caller used.
double DateNumber(const QVariant& value) {
    const QDateTime dt =
        value.typeId() == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0), Qt::UTC) : value.toDateTime();
    if (!dt.isValid())
        return 0.0;
    const QDateTime wallClock = dt.timeSpec() == Qt::UTC ? dt : QDateTime(dt.date(), dt.time(), Qt::UTC);
    return static_cast<double>(wallClock.toMSecsSinceEpoch());
}

// Rows of this type are ListItems: a comparison needs no dynamic_cast.
constexpr int kListItemType = QTreeWidgetItem::UserType + 0x4c49;

} // namespace

ListItem::ListItem() : QTreeWidgetItem(kListItemType) {}

ListItem::ListItem(QTreeWidget* list) : QTreeWidgetItem(list, kListItemType) {}

ListItem::~ListItem() = default;

void ListItem::SetCell(int column, const QString& text, const QVariant& sortValue) {
    setText(column, text);
    if (sortValue.isValid())
        setData(column, kListSortRole, sortValue);
}

void ListItem::setData(int column, int role, const QVariant& value) {
    if (column >= 0 && static_cast<size_t>(column) < m_keys.size() &&
        (role == Qt::DisplayRole || role == Qt::EditRole || role == kListSortRole))
        m_keys[static_cast<size_t>(column)].kind = -1;
    QTreeWidgetItem::setData(column, role, value);
}

const ListItem::SortKey& ListItem::KeyOf(int column) const {
    if (static_cast<size_t>(column) >= m_keys.size())
        m_keys.resize(static_cast<size_t>(column) + 1);
    SortKey& key = m_keys[static_cast<size_t>(column)];
    if (key.kind >= 0)
        return key;
    QVariant value = data(column, kListSortRole);
    if (!value.isValid())
        value = text(column);
    key.kind = KindOf(value);
    key.number = 0.0;
    key.text.clear();
    if (key.kind == Number)
        key.number = value.toDouble();
    else if (key.kind == Date)
        key.number = DateNumber(value);
    else if (key.kind == Text)
        key.text = value.toString().toCaseFolded();
    return key;
}

bool ListItem::Less(const SortKey& a, const SortKey& b) {
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if (a.kind == Text)
        return a.text < b.text;
    return a.number < b.number;
}

bool ListItem::operator<(const QTreeWidgetItem& other) const {
    if (other.type() != kListItemType) {
        // A plain row among ours: compare with its text.
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column < 0)
            return false;
        ListItem stranger;
        stranger.setText(column, other.text(column));
        stranger.setData(column, kListSortRole, other.data(column, kListSortRole));
        return *this < stranger;
    }
    const auto& theirs = static_cast<const ListItem&>(other);
    if (m_rank >= 0 && theirs.m_rank >= 0)
        return m_rank < theirs.m_rank;
    const QTreeWidget* list = treeWidget();
    const int column = list ? list->sortColumn() : 0;
    if (column < 0)
        return false;
    return Less(KeyOf(column), theirs.KeyOf(column));
}

// The list's own sort compares rows through a virtual call each; over 50,000 rows that is most of
// the work. The top-level rows are ranked here first, from their keys in one array, and the list's
// sort then only compares ranks. Equal keys share a rank, so equal rows keep their order.
void SortListItems(QTreeWidget* list, int column, Qt::SortOrder order) {
    QTreeWidgetItem* root = list->invisibleRootItem();
    struct Entry {
        const ListItem::SortKey* key;
        ListItem* row;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(root->childCount()));
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->type() == kListItemType) {
            auto* row = static_cast<ListItem*>(root->child(i));
            entries.push_back({&row->KeyOf(column), row});
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return ListItem::Less(*a.key, *b.key); });
    int rank = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && ListItem::Less(*entries[i - 1].key, *entries[i].key))
            ++rank;
        entries[i].row->m_rank = rank;
    }
    const auto unrank = qScopeGuard([&entries] {
        for (const Entry& entry : entries)
            entry.row->m_rank = -1;
    });
    list->sortItems(column, order);
}

QVariant SortValue(const platform::Variant& value) {
    using Type = platform::Variant::Type;
    switch (value.GetType()) {
    case Type::Empty:
    case Type::Null:
    case Type::Object:
        return QVariant();
    case Type::Date:
        return value.ToDateTime();
    case Type::Int16:
    case Type::Int32:
    case Type::Double:
    case Type::Currency:
        return value.ToDouble();
    case Type::Boolean:
    case Type::String:
        break;
    }
    return value.ToString();
}

void SortListViewByColumn(QTreeWidget* list, int column) {
    if (!list || column < 0 || column >= list->columnCount())
        return;
    Qt::SortOrder order = Qt::AscendingOrder;
    const QVariant sortedBy = list->property(kSortColumnProperty);
    if (sortedBy.isValid() && sortedBy.toInt() == column &&
        list->property(kSortOrderProperty).toInt() == Qt::AscendingOrder)
        order = Qt::DescendingOrder;
    list->setProperty(kSortColumnProperty, column);
    list->setProperty(kSortOrderProperty, static_cast<int>(order));
    list->header()->setSortIndicatorShown(true);
    SortListItems(list, column, order);
}

void SortByHeaderClick(QTreeWidget* list) {
    if (!list)
        return;
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    list->setProperty(kSortColumnProperty, QVariant());
    list->setProperty(kSortOrderProperty, QVariant());
}

void ReapplyListViewSort(QTreeWidget* list) {
    if (!list)
        return;
    const QVariant column = list->property(kSortColumnProperty);
    if (!column.isValid())
        return;
    SortListItems(list, column.toInt(), static_cast<Qt::SortOrder>(list->property(kSortOrderProperty).toInt()));
}

} // namespace amb
