#include "windows/forms/offering/BatchForm.h"

#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ColumnGaps.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "common/widgets/ListKeys.h"
#include "contracts/IDatabaseManager.h"
#include "heading/FormHeading.h"
#include "platform/data/Dictionary.h"
#include "windows/base/ModalRunner.h"
#include "windows/base/SaveFailure.h"
#include "windows/forms/FormControls.h"
#include "windows/forms/offering/BatchRow.h"
#include "windows/forms/offering/OfferingExpenseForm.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace amb::windows {

namespace {

struct GridColumn {
    int32_t offeringHeader;
    int32_t expenseHeader;
    int offeringWidth;
    int expenseWidth;
    Qt::Alignment alignment;
};

// clang-format off
const GridColumn kGridColumns[kBatchColumnCount] = {
    {res::kColumnEnvelopeCode, res::kLabelDescription, 80, 140, Qt::AlignLeft},
    {res::kColumnType,         res::kColumnType,       100, 100, Qt::AlignHCenter},
    {res::kColumnDate,         res::kColumnDate,        80,  80, Qt::AlignHCenter},
    {res::kColumnAmount,       res::kColumnAmount,      70,  70, Qt::AlignRight},
    {res::kLabelNote,          res::kLabelNote,        100, 100, Qt::AlignLeft},
    {res::kColumnStatus,       res::kColumnStatus,      80,  80, Qt::AlignHCenter},
};
// clang-format on

} // namespace

BatchForm::BatchForm(QWidget* parent) : FormBase(QStringLiteral("BatchForm"), parent) {
    CreateLayout();
    ConnectControls();
}

BatchForm::~BatchForm() = default;

int32_t BatchForm::BatchType() {
    return Member(QStringLiteral("Get_BatchType()"), int32_t{0}, [&] { return m_batchType; });
}

void BatchForm::SetBatchType(int32_t value) {
    Member(QStringLiteral("Let_BatchType()"), 0, [&] { return m_batchType = value; });
}

int32_t BatchForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        ConfigureGrid();
        SetControlCaption();
        EnableToolbarButtons();
        EnableButtons();
        return int32_t{1};
    });
}

void BatchForm::ConfigureGrid() {
    Trace(QStringLiteral("ConfigureGrid()"));
    HideControl(lstvwList, true);
    lstvwList->clear();
    QStringList headers;
    for (const GridColumn& column : kGridColumns)
        headers << Text(m_batchType == BatchKind::Expense ? column.expenseHeader : column.offeringHeader);
    lstvwList->setColumnCount(kBatchColumnCount);
    lstvwList->setHeaderLabels(headers);
    for (int i = 0; i < kBatchColumnCount; ++i)
        lstvwList->headerItem()->setTextAlignment(i, kGridColumns[i].alignment | Qt::AlignVCenter);
    FitColumns();
    HideControl(lstvwList, false);
}

int BatchForm::WidestValue(int column, int first, int last) const {
    // Measured as the grid draws a cell: its icon, its text in the grid's font and the margins.
    QStyleOptionViewItem option;
    option.initFrom(lstvwList);
    option.widget = lstvwList; // its style sets the margins
    option.font = lstvwList->font();
    const int icon = lstvwList->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, lstvwList);
    option.decorationSize = lstvwList->iconSize().isValid() ? lstvwList->iconSize() : QSize(icon, icon);
    const QAbstractItemModel* model = lstvwList->model();
    int widest = 0;
    for (int i = first; i <= last; ++i) {
        const QModelIndex cell = model->index(i, column);
        widest = std::max(widest, lstvwList->itemDelegateForIndex(cell)->sizeHint(option, cell).width());
    }
    return widest;
}

void BatchForm::FitColumns() {
    // Each column is as wide as its heading and its widest value (never narrower than designed), so
    // that nothing is cut.
    for (int i = 0; i < kBatchColumnCount; ++i) {
        const GridColumn& column = kGridColumns[i];
        int width = m_batchType == BatchKind::Expense ? column.expenseWidth : column.offeringWidth;
        if (i == kColAmount)
            width = AmountColumnWidth(lstvwList, width);
        width = std::max({width, lstvwList->header()->sectionSizeHint(i),
                          WidestValue(i, 0, lstvwList->topLevelItemCount() - 1)});
        lstvwList->setColumnWidth(i, width);
    }
}

void BatchForm::WidenColumns(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    // Only the changed cells are measured: a Submit that marks every row would otherwise measure
    // every row once per row.
    for (int i = std::max(0, firstColumn); i <= std::min(lastColumn, kBatchColumnCount - 1); ++i)
        if (const int widest = WidestValue(i, firstRow, lastRow); widest > lstvwList->columnWidth(i))
            lstvwList->setColumnWidth(i, widest);
}

void BatchForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    const bool expenses = m_batchType == BatchKind::Expense;
    const QString title = Text(expenses ? res::kTitleBatchExpense : res::kTitleBatchOffering);
    setWindowTitle(title);
    fhMain->SetHeading(title);
    fhMain->SetDescription(Text(expenses ? res::kDescBatchExpense : res::kDescBatchOffering));
    // The grid and its toolbar are read by what the window holds.
    lstvwList->setAccessibleName(title);
    tbarBatch->setAccessibleName(title);
    cmdCancel->setText(Text(res::kCaptionClose));
    cmdReset->setText(Text(res::kCaptionReset));
    cmdSubmit->setText(Text(res::kCaptionSubmit));
    const int32_t tips[] = {res::kToolNew, res::kToolOpen, res::kToolDelete};
    const QList<QAction*> buttons = tbarBatch->actions();
    for (int i = 0; i < 3; ++i) {
        buttons[i]->setToolTip(Text(tips[i]));
        buttons[i]->setText(Text(tips[i]));
    }
}

QTreeWidgetItem* BatchForm::SelectedRow() const {
    QTreeWidgetItem* row = lstvwList->currentItem();
    return row && row->isSelected() ? row : nullptr;
}

bool BatchForm::IsEditable(const QTreeWidgetItem* row) const {
    return row && row->text(kColStatus) != Text(res::kStatusSubmitted);
}

void BatchForm::EnableToolbarButtons() {
    Trace(QStringLiteral("EnableToolbarButtons()"));
    const QList<QAction*> buttons = tbarBatch->actions();
    const bool editable = IsEditable(SelectedRow());
    buttons[0]->setEnabled(true);
    buttons[1]->setEnabled(editable);
    buttons[2]->setEnabled(editable);
}

void BatchForm::EnableButtons() {
    Trace(QStringLiteral("EnableButtons()"));
    const bool waiting = RowsWaiting();
    cmdSubmit->setEnabled(waiting);
    cmdReset->setEnabled(waiting);
}

int32_t BatchForm::GetTypeFromKey(const QTreeWidgetItem* row) const {
    Trace(QStringLiteral("GetTypeFromKey()"));
    const QStringList parts = row->data(0, Qt::UserRole).toString().split(QStringLiteral("||"));
    return parts.size() < 3 ? 0 : AsLong(parts[2]);
}

bool BatchForm::OpenEntryWindow(EnumOfferingWindowType type) {
    const auto form = std::make_unique<OfferingExpenseForm>();
    form->SetWindowLoader(WindowLoader());
    form->SetID(0);
    form->SetWindowType(type);
    form->SetBatchType(m_batchType);
    form->SetUpdateTarget(SaveTarget::BatchGrid);
    form->SetParentBatchForm(this);
    if (form->UpdateForm() < 0)
        return false;
    ModalRunner::Run(*form);
    if (form->Response() != FormResponse::OK)
        return false;
    EnableToolbarButtons();
    EnableButtons();
    return true;
}

void BatchForm::tbarBatch_ButtonClick(int button) {
    Handle(QStringLiteral("tbarBatch_ButtonClick()"), [&] {
        if (button == 1) {
            // A new entry starts from the defaults, not from a selected row.
            lstvwList->clearSelection();
            lstvwList->setCurrentItem(nullptr);
            OpenEntryWindow(EnumOfferingWindowType::Batch);
            EnableToolbarButtons();
            EnableButtons();
        } else if (button == 2) {
            lstvwList_DblClick();
        } else if (button == 3) {
            QTreeWidgetItem* row = SelectedRow();
            if (!IsEditable(row))
                return;
            delete row;
            ClearListSelection(lstvwList);
            EnableToolbarButtons();
            EnableButtons();
        }
    });
}

void BatchForm::lstvwList_DblClick() {
    Handle(QStringLiteral("lstvwList_DblClick()"), [&] {
        if (!IsEditable(SelectedRow()))
            return;
        OpenEntryWindow(EnumOfferingWindowType::Individual);
    });
}

void BatchForm::lstvwList_ItemClick() {
    Handle(QStringLiteral("lstvwList_ItemClick()"), [&] {
        EnableToolbarButtons();
        EnableButtons();
    });
}

// Sends one waiting row; false when the database refused it (the row stays waiting).
bool BatchForm::SubmitRow(QTreeWidgetItem* row) {
    const int32_t typeId = GetTypeFromKey(row);
    if (typeId < 1) {
        row->setText(kColStatus, Text(res::kStatusInvalid));
        return false;
    }
    const IDatabaseManagerPtr database = Database();
    const BatchRowValues values = ReadBatchRow(row);
    auto record = std::make_shared<platform::Dictionary>();
    const bool offerings = m_batchType == BatchKind::Offering;
    record->SetItem(QStringLiteral("ID"), 0);
    record->SetItem(QStringLiteral("UserID"), Hub()->CurrentUserID());
    if (offerings) {
        record->SetItem(QStringLiteral("PersonID"), 0);
        // The code as typed, never the "<Unknown>" shown for none.
        record->SetItem(QStringLiteral("EnvelopCode"), values.text);
        record->SetItem(QStringLiteral("OfferingTypeID"), typeId);
        record->SetItem(QStringLiteral("OfferingDate"), values.date);
    } else {
        record->SetItem(QStringLiteral("ExpenseName"), values.text);
        record->SetItem(QStringLiteral("ExpenseTypeID"), typeId);
        record->SetItem(QStringLiteral("ExpenseDate"), values.date);
    }
    record->SetItem(QStringLiteral("Amount"), values.amount);
    record->SetItem(QStringLiteral("Note"), values.note);
    const int32_t id = offerings ? database->UpdatePersonOffering(record) : database->UpdateExpense(record);
    record->RemoveAll();
    if (id < 1)
        return false;
    row->setText(kColStatus, Text(res::kStatusSubmitted));
    return true;
}

void BatchForm::cmdSubmit_Click() {
    Handle(QStringLiteral("cmdSubmit_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        WindowBusy busy(this);
        const QString waiting = Text(res::kStatusWaiting);
        // The rows that the database refused stay waiting; one message tells why, after the last row.
        QString refusal;
        for (int i = 0; i < lstvwList->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = lstvwList->topLevelItem(i);
            if (row->text(kColStatus) == waiting && !SubmitRow(row) && refusal.isEmpty() &&
                row->text(kColStatus) == waiting)
                refusal = SaveFailureText(Hub(), this);
        }
        busy.End();
        SetResponse(FormResponse::OK);
        // A row just saved can no longer be edited or removed: say so at once.
        EnableToolbarButtons();
        EnableButtons();
        if (!refusal.isEmpty())
            Support().ShowMessageText(refusal);
    });
}

void BatchForm::cmdReset_Click() {
    Handle(QStringLiteral("cmdReset_Click()"), [&] {
        WindowBusy busy(this);
        const QString refused = Text(res::kStatusInvalid);
        const QString waiting = Text(res::kStatusWaiting);
        for (int i = 0; i < lstvwList->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = lstvwList->topLevelItem(i);
            if (row->text(kColStatus) == refused)
                row->setText(kColStatus, waiting);
        }
    });
}

bool BatchForm::RowsWaiting() const {
    const QString waiting = Text(res::kStatusWaiting);
    const QString refused = Text(res::kStatusInvalid);
    for (int i = 0; i < lstvwList->topLevelItemCount(); ++i) {
        const QString status = lstvwList->topLevelItem(i)->text(kColStatus);
        if (status == waiting || status == refused)
            return true;
    }
    return false;
}

void BatchForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        // Rows not saved are not dropped without asking, and Enter on the question keeps them.
        if (RowsWaiting() &&
            ShowMessage(res::kMsgBatchRowsNotSaved,
                        MessageStyle::YesNo | MessageStyle::Question | MessageStyle::DefaultButton2) !=
                MessageResult::Yes)
            return;
        SetResponse(FormResponse::Cancel);
        HideForm();
    });
}

void BatchForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!IsBusy(this))
        cmdCancel_Click();
}

void BatchForm::CreateLayout() {
    fhMain = NamedControl<orv::FormHeading>(this, "fhMain");
    tbarBatch = NamedControl<QToolBar>(this, "tbarBatch");
    tbarBatch->setIconSize(QSize(16, 16));
    tbarBatch->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbarBatch->addAction(style()->standardIcon(QStyle::SP_FileIcon), QString());
    tbarBatch->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QString());
    tbarBatch->addAction(style()->standardIcon(QStyle::SP_TrashIcon), QString());
    lstvwList = MakeReportList(this, "lstvwList");
    SpaceColumns(lstvwList);
    cmdSubmit = NamedControl<QPushButton>(this, "cmdSubmit");
    cmdReset = NamedControl<QPushButton>(this, "cmdReset");
    cmdCancel = NamedControl<QPushButton>(this, "cmdCancel");

    for (QPushButton* button : {cmdSubmit, cmdReset, cmdCancel})
        button->setAutoDefault(false);
    QHBoxLayout* buttons = ButtonRow({cmdSubmit, cmdReset, cmdCancel});
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 4, 12, 8);
    body->addWidget(tbarBatch);
    body->addWidget(lstvwList, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fhMain);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    // Wide enough for every column whole, the amount column holding the largest amount.
    resize(720, 420);
    SetDialogButtons(nullptr, cmdCancel);
}

void BatchForm::ConnectControls() {
    connect(cmdSubmit, &QPushButton::clicked, this, [this] { cmdSubmit_Click(); });
    connect(cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    const QList<QAction*> buttons = tbarBatch->actions();
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons[i], &QAction::triggered, this, [this, position = i + 1] { tbarBatch_ButtonClick(position); });
    connect(lstvwList, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwList_DblClick(); });
    connect(lstvwList, &QTreeWidget::itemSelectionChanged, this, [this] { lstvwList_ItemClick(); });
    // A new or changed row may be wider than its column.
    connect(lstvwList->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { WidenColumns(first, last, 0, kBatchColumnCount - 1); });
    connect(lstvwList->model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                WidenColumns(topLeft.row(), bottomRight.row(), topLeft.column(), bottomRight.column());
            });
    MakeToolbarTabbable(tbarBatch, lstvwList);
    BindListKeys(lstvwList,
                 {.create = PressOf(buttons[0]), .open = PressOf(buttons[1]), .remove = PressOf(buttons[2])});
}

} // namespace amb::windows
