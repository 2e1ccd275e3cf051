#include "main/RecordList.h"

#include "main/Icons.h"
#include "main/ListRows.h"
#include "main/RecordNodes.h"
#include "main/RecordRows.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/Values.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ListItem.h"
#include "common/widgets/ListKeys.h"
#include "contracts/IDatabaseManager.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <span>

namespace amb::ambrel {

RecordList::RecordList(MainForm& form, QWidget* parent, QLabel* countPanel)
    : MainArea(form), m_countPanel(countPanel), m_qtDatePattern(DatePattern(QString())) {
    lstvwData = new QTreeWidget(parent);
    lstvwData->setObjectName(QStringLiteral("lstvwData"));
    SetUpRecordList(lstvwData);
    lstvwData->setIconSize(QSize(16, 16));
    lstvwData->setColumnCount(0);
    lstvwData->header()->setStretchLastSection(false);
    lstvwData->installEventFilter(this);
    connect(lstvwData->header(), &QHeaderView::sectionClicked, this, [this](int c) { lstvwData_ColumnClick(c); });
    connect(lstvwData, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwData_DblClick(); });
    connect(lstvwData, &QTreeWidget::itemClicked, this, [this] { lstvwData_ItemClick(); });
    // A row chosen with the arrow keys counts as clicked.
    connect(lstvwData, &QTreeWidget::itemSelectionChanged, this, [this] { lstvwData_ItemClick(); });
}

void RecordList::Wire(RecordTreePort& tree, CommandsPort& commands) {
    m_tree = &tree;
    m_commands = &commands;
}

bool RecordList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstvwData && IsEnterPress(event)) {
        // The first row has the focus after a search without being selected: Enter opens it.
        if (SelectCurrentRow(lstvwData))
            lstvwData_DblClick();
        return true;
    }
    return MainArea::eventFilter(watched, event);
}

QTreeWidgetItem* RecordList::SelectedRow() const {
    QTreeWidgetItem* row = lstvwData->currentItem();
    return row && row->isSelected() ? row : nullptr;
}

bool RecordList::IsEmpty() const {
    return lstvwData->topLevelItemCount() == 0;
}

void RecordList::Clear() {
    lstvwData->clear();
    m_readFailed = false;
}

void RecordList::Focus() {
    lstvwData->setFocus();
}

void RecordList::Reveal() {
    HideControl(lstvwData, false);
}

void RecordList::RemoveRow(QTreeWidgetItem* row) {
    delete row;
    ClearListSelection(lstvwData);
    // The shown counts follow the delete instead of going stale until the next load.
    if (!m_countPanel->text().isEmpty())
        ShowItemCount(lstvwData->topLevelItemCount());
}

void RecordList::ConfigureGrid(QTreeWidgetItem* node) {
    WriteTrace(QStringLiteral("ConfigureGrid()"));
    const NodeSpec* spec = NodeOf(node ? node->data(0, Qt::UserRole).toString() : QString());
    // The list is read by the record kind it shows and the number of rows it holds.
    m_listName = spec && spec->textId ? Support().Text(spec->textId) : Support().Text(res::kTitleList);
    NameList(0);
    HideControl(lstvwData, true);
    lstvwData->setHeaderHidden(false);
    lstvwData->clear();
    m_readFailed = false;
    // The count of the rows just removed would otherwise stand under the empty list.
    m_countPanel->clear();
    const std::span<const ColumnSpec> columns = spec ? spec->columns : std::span<const ColumnSpec>();
    lstvwData->setColumnCount(static_cast<int>(columns.size()));
    QStringList captions;
    for (const ColumnSpec& column : columns)
        captions << Support().Text(column.textId);
    lstvwData->setHeaderLabels(captions);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        // The designed widths, plus room for the cell margins (and the row's picture in column 0).
        const int width = columns[i].widthPixels + (i == 0 ? 32 : 12);
        lstvwData->setColumnWidth(i, columns[i].textId == res::kColumnAmount ? AmountColumnWidth(lstvwData, width)
                                                                             : width);
        lstvwData->headerItem()->setTextAlignment(i, columns[i].alignment);
    }
    SortByHeaderClick(lstvwData);
    if (!spec) {
        lstvwData->setColumnCount(0);
        lstvwData->setHeaderHidden(true);
    }
    HideControl(lstvwData, false);
}

int32_t RecordList::RefreshData(const QString& searchText, int32_t groupTypeID, const QDateTime& startDate,
                                const QDateTime& endDate) {
    WriteTrace(QStringLiteral("RefreshData()"));
    int32_t result = -1;
    m_countPanel->clear();
    HideControl(lstvwData, true);
    lstvwData->clear();

    m_tree->GetSearchType(); // the node below decides; the call keeps the trace of a search
    const NodeSpec* node = NodeOf(m_tree->SelectedKey());
    const RecordKind kind = node ? node->listKind : RecordKind::None;
    const auto database = Hub()->DatabaseManager();
    platform::RecordsetPtr rs;
    switch (kind) {
    case RecordKind::Persons:
        rs = database->GetPersonBySearchText(searchText);
        break;
    case RecordKind::Families:
        rs = database->GetFamilyBySearchText(searchText);
        break;
    case RecordKind::Groups:
        rs = database->GetGroupByGroupTypeID(groupTypeID);
        break;
    case RecordKind::Expenses:
        rs = database->GetExpenseByDateRange(startDate, endDate);
        break;
    case RecordKind::Offerings:
        rs = database->GetOfferingByDateRange(startDate, endDate);
        break;
    case RecordKind::None:
        break;
    }

    m_readFailed = !rs && kind != RecordKind::None && database->LastReadFailure() != EnumDatabaseFailure::None;
    if (rs) {
        ShowItemCount(rs->RecordCount());
        AddRecordRows(kind, rs);
        // A new search keeps the order the user chose by a header click.
        ReapplyListViewSort(lstvwData);
        result = 1;
    }
    HideControl(lstvwData, false);
    // A long list is laid out and drawn now, while the caller's busy state still drops the keys
    // pressed meanwhile, not after it in the event loop.
    if (lstvwData->isVisible())
        lstvwData->viewport()->repaint();
    return result;
}

void RecordList::ShowItemCount(int count) {
    m_countPanel->setText(Support().Text(res::kTextItemCount).arg(count));
    NameList(count);
}

void RecordList::NameList(int count) {
    lstvwData->setAccessibleName(m_listName + QStringLiteral(" (") + QString::number(count) + QLatin1Char(')'));
}

void RecordList::AddRecordRows(RecordKind kind, const platform::RecordsetPtr& rs) {
    RecordRows::Texts texts;
    texts.english = Hub()->NameLocaleID() == EnumSupportedLocaleID::English;
    texts.qtDatePattern = m_qtDatePattern;
    texts.yes = Support().Text(res::kTextIsMemberYes);
    texts.no = Support().Text(res::kTextIsMemberNo);
    texts.unknownGiver = Support().Text(res::kTextUnknownGiver);
    std::vector<Qt::Alignment> alignments;
    for (int c = 0; c < lstvwData->columnCount(); ++c)
        alignments.push_back(Qt::Alignment(lstvwData->headerItem()->textAlignment(c)));
    // The rows keep the read result set and draw their texts from it.
    const auto rows =
        std::make_shared<const RecordRows>(kind, rs, std::move(texts), TreeIcon(RowImage(kind)), std::move(alignments));
    QList<QTreeWidgetItem*> items;
    items.reserve(rows->Count());
    for (int row = 0; row < rows->Count(); ++row)
        items.append(new RecordRow(rows, row));
    lstvwData->addTopLevelItems(items);
}

void RecordList::lstvwData_ColumnClick(int column) {
    Handle("lstvwData_ColumnClick()", [&] {
        BusyScope busy(&m_form);
        SortListViewByColumn(lstvwData, column);
    });
}

void RecordList::lstvwData_DblClick() {
    Handle("lstvwData_DblClick()", [&] { m_commands->OpenSelectedRow(); });
}

void RecordList::lstvwData_ItemClick() {
    Handle("lstvwData_ItemClick()", [&] {
        if (lstvwData->currentItem() && lstvwData->currentItem()->isSelected())
            m_commands->EnableToolbarButtons();
    });
}

} // namespace amb::ambrel
