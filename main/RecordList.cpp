#include "main/MainForm.h"

#include "main/Icons.h"
#include "main/ListRows.h"
#include "main/MainFormHandle.h"
#include "main/RecordRows.h"

#include "common/AmountText.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ListItem.h"
#include "contracts/IDatabaseManager.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>

#include <span>

namespace amb::ambrel {

namespace {

struct ColumnSpec {
    int32_t textId;
    int widthPixels;
    Qt::Alignment alignment;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

constexpr ColumnSpec kPersonColumns[] = {
    {res::kColumnName, 160, kLeft},    {res::kColumnSex, 40, kCentre},        {res::kColumnDateOfBirth, 80, kCentre},
    {res::kColumnAddress, 150, kLeft}, {res::kColumnPhoneNumber, 100, kLeft}, {res::kColumnEMailAddress, 150, kLeft},
    {res::kColumnMember, 50, kCentre},
};
constexpr ColumnSpec kFamilyColumns[] = {{res::kColumnFamily, 160, kLeft}, {res::kColumnHeadOfFamily, 150, kCentre}};
constexpr ColumnSpec kGroupColumns[] = {
    {res::kColumnGroup, 160, kLeft}, {res::kColumnGroupType, 100, kCentre}, {res::kColumnHeadOfGroup, 150, kCentre}};
constexpr ColumnSpec kMoneyColumns[] = {{res::kColumnDate, 80, kLeft},
                                        {res::kColumnName, 160, kLeft},
                                        {res::kColumnType, 100, kCentre},
                                        {res::kColumnAmount, 70, kRight}};

RecordKind KindOfKey(const QString& key) {
    if (key == QLatin1String("Ambrel") || key == QLatin1String("Member"))
        return RecordKind::Persons;
    if (key == QLatin1String("Family") || key == QLatin1String("FamilyAndGroup"))
        return RecordKind::Families;
    if (key == QLatin1String("Group"))
        return RecordKind::Groups;
    if (key == QLatin1String("Expense"))
        return RecordKind::Expenses;
    if (key == QLatin1String("Offering"))
        return RecordKind::Offerings;
    return RecordKind::None;
}

TreeImage ImageOf(RecordKind kind) {
    switch (kind) {
    case RecordKind::Persons:
        return TreeImage::Persons;
    case RecordKind::Expenses:
        return TreeImage::Expenses;
    case RecordKind::Offerings:
        return TreeImage::Offerings;
    default:
        return TreeImage::FamiliesGroups;
    }
}

std::span<const ColumnSpec> ColumnsOfKey(const QString& key) {
    if (key == QLatin1String("Ambrel") || key == QLatin1String("Member"))
        return kPersonColumns;
    if (key == QLatin1String("Family"))
        return kFamilyColumns;
    if (key == QLatin1String("Group"))
        return kGroupColumns;
    if (key == QLatin1String("Offering") || key == QLatin1String("Expense"))
        return kMoneyColumns;
    return {};
}

} // namespace

void MainForm::ConfigureGrid(QTreeWidgetItem* node) {
    WriteTrace(QStringLiteral("ConfigureGrid()"));
    const QString key = node ? node->data(0, Qt::UserRole).toString() : QString();
    HideControl(lstvwData, true);
    lstvwData->setHeaderHidden(false);
    lstvwData->clear();
    // The count of the rows just removed would otherwise stand under the empty list.
    sbarPanels[0]->clear();
    const auto columns = ColumnsOfKey(key);
    lstvwData->setColumnCount(static_cast<int>(columns.size()));
    QStringList captions;
    for (const ColumnSpec& column : columns)
        captions << LoadText(column.textId);
    lstvwData->setHeaderLabels(captions);
    // An amount column fits seven digits with their separators and two decimals.
    const int amountWidth =
        lstvwData->fontMetrics().horizontalAdvance(AmountText(platform::Currency::FromTicks(-12'345'678'900))) + 16;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        // The designed widths, plus room for the cell margins (and the row's picture in column 0).
        int width = columns[i].widthPixels + (i == 0 ? 32 : 12);
        if (columns[i].textId == res::kColumnAmount)
            width = std::max(width, amountWidth);
        lstvwData->setColumnWidth(i, width);
        lstvwData->headerItem()->setTextAlignment(i, columns[i].alignment);
    }
    SortByHeaderClick(lstvwData);
    if (columns.empty() && key != QLatin1String("FamilyAndGroup") && key != QLatin1String("ExpenseAndOffering")) {
        lstvwData->setColumnCount(0);
        lstvwData->setHeaderHidden(true);
    }
    HideControl(lstvwData, false);
}

int32_t MainForm::RefreshData(const QString& searchText, int32_t groupTypeID, const QDateTime& startDate,
                              const QDateTime& endDate) {
    WriteTrace(QStringLiteral("RefreshData()"));
    int32_t result = -1;
    sbarPanels[0]->clear();
    HideControl(lstvwData, true);
    lstvwData->clear();

    const int32_t mode = GetSearchType();
    const QString key = SelectedKey();
    const RecordKind kind = KindOfKey(key);
    const auto database = Hub()->DatabaseManager();
    platform::RecordsetPtr rs;
    if (mode == 0 && kind == RecordKind::Persons)
        rs = database->GetPersonBySearchText(searchText);
    else if (mode == 0 && kind == RecordKind::Families)
        rs = database->GetFamilyBySearchText(searchText);
    else if (mode == 1 && kind == RecordKind::Groups)
        rs = database->GetGroupByGroupTypeID(groupTypeID);
    else if (mode == 2 && kind == RecordKind::Expenses)
        rs = database->GetExpenseByDateRange(startDate, endDate);
    else if (mode == 2 && kind == RecordKind::Offerings)
        rs = database->GetOfferingByDateRange(startDate, endDate);

    if (rs) {
        ShowItemCount(rs->RecordCount());
        AddRecordRows(static_cast<int>(kind), rs);
        // A new search keeps the order the user chose by a header click.
        ReapplyListViewSort(lstvwData);
        result = 1;
    }
    HideControl(lstvwData, false);
    return result;
}

void MainForm::ShowItemCount(int count) {
    sbarPanels[0]->setText(LoadText(res::kTextItemCount).arg(count));
}

void MainForm::AddRecordRows(int kind, const platform::RecordsetPtr& rs) {
    RecordRows::Texts texts;
    texts.english = Hub()->NameLocaleID() == EnumSupportedLocaleID::English;
    texts.qtDatePattern = m_qtDatePattern;
    texts.yes = LoadText(res::kTextIsMemberYes);
    texts.no = LoadText(res::kTextIsMemberNo);
    texts.unknownGiver = LoadText(res::kTextUnknownGiver);
    std::vector<Qt::Alignment> alignments;
    for (int c = 0; c < lstvwData->columnCount(); ++c)
        alignments.push_back(Qt::Alignment(lstvwData->headerItem()->textAlignment(c)));
    const auto recordKind = static_cast<RecordKind>(kind);
    // The rows keep the read result set and draw their texts from it.
    const auto rows = std::make_shared<const RecordRows>(recordKind, rs, std::move(texts),
                                                         TreeIcon(ImageOf(recordKind)), std::move(alignments));
    QList<QTreeWidgetItem*> items;
    items.reserve(rows->Count());
    for (int row = 0; row < rows->Count(); ++row)
        items.append(new RecordRow(rows, row));
    lstvwData->addTopLevelItems(items);
}

void MainForm::lstvwData_ColumnClick(int column) {
    Handle("lstvwData_ColumnClick()", [&] {
        BusyScope busy(this);
        SortListViewByColumn(lstvwData, column);
    });
}

void MainForm::lstvwData_DblClick() {
    Handle("lstvwData_DblClick()", [&] { mnuFileOpen_Click(); });
}

void MainForm::lstvwData_ItemClick() {
    Handle("lstvwData_ItemClick()", [&] {
        if (lstvwData->currentItem() && lstvwData->currentItem()->isSelected())
            EnableToolbarButtons();
    });
}

} // namespace amb::ambrel
