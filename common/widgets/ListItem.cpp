#include "common/widgets/ListItem.h"

#include <QDateTime>
#include <QHeaderView>

namespace amb {

namespace {

const char* const kSortColumnProperty = "ambSortColumn";
const char* const kSortOrderProperty = "ambSortOrder";

enum class Kind { Empty, Number, Date, Text };

Kind KindOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return Kind::Empty;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Kind::Number;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return Kind::Date;
    default:
        return value.toString().isEmpty() ? Kind::Empty : Kind::Text;
    }
}

QDateTime ToDateTime(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0), Qt::UTC);
    const QDateTime dt = value.toDateTime();
    // Compare wall-clock values whatever time spec the caller used.
    return QDateTime(dt.date(), dt.time(), Qt::UTC);
}

// Negative, zero or positive, as strcmp.
int Compare(const QVariant& a, const QVariant& b) {
    const Kind ka = KindOf(a);
    const Kind kb = KindOf(b);
    if (ka != kb)
        return static_cast<int>(ka) < static_cast<int>(kb) ? -1 : 1;
    switch (ka) {
    case Kind::Empty:
        return 0;
    case Kind::Number: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case Kind::Date: {
        const QDateTime x = ToDateTime(a);
        const QDateTime y = ToDateTime(b);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case Kind::Text:
        break;
    }
    return QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
}

} // namespace

ListItem::ListItem() : QTreeWidgetItem(UserType) {}

ListItem::ListItem(QTreeWidget* list) : QTreeWidgetItem(list, UserType) {}

ListItem::~ListItem() = default;

void ListItem::SetCell(int column, const QString& text, const QVariant& sortValue) {
    setText(column, text);
    if (sortValue.isValid())
        setData(column, kListSortRole, sortValue);
}

bool ListItem::operator<(const QTreeWidgetItem& other) const {
    const QTreeWidget* list = treeWidget();
    const int column = list ? list->sortColumn() : 0;
    QVariant mine = data(column, kListSortRole);
    if (!mine.isValid())
        mine = text(column);
    QVariant theirs = other.data(column, kListSortRole);
    if (!theirs.isValid())
        theirs = other.text(column);
    return Compare(mine, theirs) < 0;
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
    list->sortItems(column, order);
}

void ReapplyListViewSort(QTreeWidget* list) {
    if (!list)
        return;
    const QVariant column = list->property(kSortColumnProperty);
    if (!column.isValid())
        return;
    list->sortItems(column.toInt(), static_cast<Qt::SortOrder>(list->property(kSortOrderProperty).toInt()));
}

} // namespace amb
