#include "windows/forms/member/MemberForm.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "contracts/IDatabaseManager.h"
#include "platform/data/Recordset.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

namespace amb::windows {

namespace {

using namespace amb::res;
using Read = platform::RecordsetPtr (IDatabaseManager::*)(int32_t);

// What each list shows: its columns (text id, width in pixels, alignment) and where its rows come from.
struct ListShape {
    int32_t bit;
    int32_t header1;
    int width1;
    int32_t header2;
    int width2;
    Qt::Alignment align2;
    Read read;                // nullptr for the offerings, read by type
    const char* detailColumn; // the second column's field; nullptr for the address parts
    QStringList flags;        // a true one of these marks a row of a built-in kind
};

const ListShape& ShapeOf(int32_t bit) {
    static const ListShape shapes[] = {
        {MemberForm::kAddresses,
         kColumnName,
         160,
         kColumnAddress,
         150,
         Qt::AlignLeft,
         &IDatabaseManager::GetAddressByPersonID,
         nullptr,
         {"IsHomeAddress", "IsWorkAddress"}},
        {MemberForm::kPhoneNumbers,
         kColumnName,
         160,
         kColumnPhoneNumber,
         100,
         Qt::AlignLeft,
         &IDatabaseManager::GetPhoneNumberByPersonID,
         "PhoneNumber",
         {"IsHomePhoneNumber", "IsWorkPhoneNumber", "IsCellPhoneNumber", "IsFaxNumber"}},
        {MemberForm::kEMailAddresses,
         kColumnName,
         160,
         kColumnEMailAddress,
         150,
         Qt::AlignLeft,
         &IDatabaseManager::GetEMailAddressByPersonID,
         "EMailAddress",
         {"IsPersonalEMailAddress", "IsWorkEMailAddress"}},
        {MemberForm::kFamilies,
         kColumnName,
         160,
         kColumnRelationship,
         100,
         Qt::AlignHCenter,
         &IDatabaseManager::GetFamilyByPersonID,
         "Relationship",
         {}},
        {MemberForm::kGroups,
         kColumnName,
         160,
         kColumnPosition,
         100,
         Qt::AlignHCenter,
         &IDatabaseManager::GetGroupByPersonID,
         "Position",
         {}},
        {MemberForm::kOfferings, kColumnDate, 80, kColumnAmount, 70, Qt::AlignRight, nullptr, "Amount", {}},
    };
    return *std::find_if(std::begin(shapes), std::end(shapes), [bit](const ListShape& s) { return s.bit == bit; });
}

// "id||12||True": the key of a row that also tells whether the row is of a built-in kind.
QString MakeFlaggedListItemKey(int32_t id, bool flag) {
    return MakeListItemKey(id) + QStringLiteral("||") + (flag ? QStringLiteral("True") : QStringLiteral("False"));
}

// Hidden while it is cleared and filled, shown once with all its rows.
class ListRebuild {
public:
    explicit ListRebuild(QTreeWidget* list) : m_list(list) {
        HideControl(m_list, true);
        m_list->clear();
    }
    ~ListRebuild() = default;
    ListRebuild(const ListRebuild&) = delete;
    ListRebuild& operator=(const ListRebuild&) = delete;

    void Finish(QList<QTreeWidgetItem*> rows) {
        m_list->addTopLevelItems(rows);
        ReapplyListViewSort(m_list);
        HideControl(m_list, false);
    }

private:
    QTreeWidget* m_list;
};

} // namespace

const MemberForm::ListControls& MemberForm::ListOf(int32_t bit) const {
    return *std::find_if(m_lists.cbegin(), m_lists.cend(), [bit](const ListControls& l) { return l.bit == bit; });
}

void MemberForm::ConfigureGrid(int32_t mask) {
    Trace(QStringLiteral("ConfigureGrid()"));
    for (const ListControls& l : m_lists) {
        if ((mask & l.bit) == 0)
            continue;
        const ListShape& shape = ShapeOf(l.bit);
        HideControl(l.list, true);
        l.list->setHeaderHidden(false);
        l.list->clear();
        l.list->setColumnCount(2);
        l.list->setHeaderLabels({Text(shape.header1), Text(shape.header2)});
        l.list->setColumnWidth(0, shape.width1);
        // An amount column shows the largest amount that can be stored, in the locale's form, whole.
        const int amountWidth = l.list->fontMetrics().horizontalAdvance(FormatAmount(-kLargestAmount)) + 16;
        l.list->setColumnWidth(1, shape.header2 == kColumnAmount ? std::max(shape.width2, amountWidth) : shape.width2);
        l.list->headerItem()->setTextAlignment(1, shape.align2 | Qt::AlignVCenter);
        HideControl(l.list, false);
    }
}

void MemberForm::RefreshGrids(int32_t mask) {
    Member(QStringLiteral("RefreshGrids()"), 0, [&] {
        for (const ListControls& l : m_lists)
            if ((mask & l.bit) != 0)
                FillList(l.bit);
        EnableToolbarButtons(mask);
        return 0;
    });
}

void MemberForm::FillList(int32_t bit) {
    if (bit == kOfferings) {
        // No type chosen: nothing to list.
        if (AsString(platform::Variant(cboOfferingType->currentText())).isEmpty()) {
            ListRebuild(lstvwOffering).Finish({});
            return;
        }
        FillOfferings(cboOfferingType->currentData().toInt());
        return;
    }
    const ListControls& l = ListOf(bit);
    const ListShape& shape = ShapeOf(bit);
    ListRebuild rebuild(l.list);
    QList<QTreeWidgetItem*> rows;
    platform::RecordsetPtr records = (Database().get()->*shape.read)(m_id);
    if (records) {
        const int idColumn = records->FieldIndex(QStringLiteral("ID"));
        const int nameColumn = records->FieldIndex(QStringLiteral("Name"));
        QList<int> flagColumns;
        for (const QString& flag : shape.flags)
            flagColumns << records->FieldIndex(flag);
        QList<int> detailColumns;
        if (shape.detailColumn)
            detailColumns << records->FieldIndex(QString::fromLatin1(shape.detailColumn));
        else
            for (int part = 1; part <= 5; ++part)
                detailColumns << records->FieldIndex(QStringLiteral("AddressPart%1").arg(part));
        rows.reserve(static_cast<qsizetype>(records->RecordCount()));
        for (const platform::Recordset::Row& row : records->Rows()) {
            auto* item = new ListItem;
            const int32_t id = AsLong(row[idColumn]);
            if (flagColumns.isEmpty()) {
                item->SetKey(MakeListItemKey(id));
            } else {
                const bool builtIn = std::any_of(flagColumns.cbegin(), flagColumns.cend(),
                                                 [&](int column) { return AsBoolean(row[column]); });
                item->SetKey(MakeFlaggedListItemKey(id, builtIn));
            }
            item->SetCell(0, AsString(row[nameColumn]));
            const QString detail = detailColumns.size() == 1
                                       ? AsString(row[detailColumns[0]])
                                       : FormatAddress(AsString(row[detailColumns[0]]), AsString(row[detailColumns[1]]),
                                                       AsString(row[detailColumns[2]]), AsString(row[detailColumns[3]]),
                                                       AsString(row[detailColumns[4]]));
            item->SetCell(1, detail);
            item->setTextAlignment(1, shape.align2 | Qt::AlignVCenter);
            rows << item;
        }
        records->Close();
    }
    rebuild.Finish(rows);
}

// Both fills of the offering list show the date in the DateFormat setting (four-digit years) and the
// exact amount.
void MemberForm::FillOfferings(int32_t type) {
    ListRebuild rebuild(lstvwOffering);
    QList<QTreeWidgetItem*> rows;
    platform::RecordsetPtr records = Database()->GetOfferingByPersonIDAndTypeID(m_id, type);
    if (records) {
        const QString pattern = DatePattern(Hub()->DateFormat());
        const int idColumn = records->FieldIndex(QStringLiteral("ID"));
        const int dateColumn = records->FieldIndex(QStringLiteral("OfferingDate"));
        const int amountColumn = records->FieldIndex(QStringLiteral("Amount"));
        rows.reserve(static_cast<qsizetype>(records->RecordCount()));
        for (const platform::Recordset::Row& row : records->Rows()) {
            auto* item = new ListItem;
            item->SetKey(MakeListItemKey(AsLong(row[idColumn])));
            const platform::Variant& date = row[dateColumn];
            const QDateTime when = AsDate(date);
            item->SetCell(0, IsNoDate(when) ? AsString(date) : when.toString(pattern), SortValue(date));
            const platform::Variant& amount = row[amountColumn];
            item->SetCell(1, FormatAmount(AsCurrency(amount)), SortValue(amount));
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            rows << item;
        }
        records->Close();
    }
    rebuild.Finish(rows);
}

void MemberForm::cboOfferingType_Click() {
    Handle(QStringLiteral("cboOfferingType_Click()"), [&] {
        WindowBusy busy(this);
        FillOfferings(cboOfferingType->currentData().toInt());
        EnableToolbarButtons(kOfferings);
    });
}

bool MemberForm::IsSelectedItemDeletable(QTreeWidget* list) const {
    Trace(QStringLiteral("IsSelectedItemDeletable()"));
    const QTreeWidgetItem* selected = list ? list->selectedItems().value(0) : nullptr;
    if (!selected)
        return false;
    const QStringList parts = selected->data(0, kListKeyRole).toString().split(QStringLiteral("||"));
    return parts.size() >= 3 && !AsBoolean(platform::Variant(parts[2]));
}

} // namespace amb::windows
