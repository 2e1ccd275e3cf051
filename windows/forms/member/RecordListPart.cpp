#include "windows/forms/member/RecordListPart.h"

#include "windows/forms/FormControls.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "common/widgets/ListKeys.h"
#include "windows/base/WindowSupport.h"

#include <QAction>
#include <QHeaderView>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace amb::windows {

namespace {

constexpr int kSendPosition = 7;

// A list toolbar: New, Edit, Delete, and with Send three empty places and Send.
QToolBar* MakeToolbar(QWidget* parent, const char* name, bool withSend) {
    auto* bar = NamedControl<QToolBar>(parent, name);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QStyle* style = parent->style();
    bar->addAction(style->standardIcon(QStyle::SP_FileIcon), QString());
    bar->addAction(style->standardIcon(QStyle::SP_FileDialogDetailedView), QString());
    bar->addAction(style->standardIcon(QStyle::SP_TrashIcon), QString());
    if (withSend) {
        for (int i = 4; i < kSendPosition; ++i)
            bar->addSeparator();
        bar->addAction(style->standardIcon(QStyle::SP_ArrowForward), QString());
    }
    return bar;
}

// Hidden while it is cleared and filled, shown once with all its rows. Rows not handed over (a
// failure during the fill) are freed; the list then stays hidden.
class ListRebuild {
public:
    explicit ListRebuild(QTreeWidget* list) : m_list(list) {
        HideControl(m_list, true);
        m_list->clear();
    }
    ~ListRebuild() { qDeleteAll(m_rows); }
    ListRebuild(const ListRebuild&) = delete;
    ListRebuild& operator=(const ListRebuild&) = delete;

    QList<QTreeWidgetItem*>& Rows() { return m_rows; }
    void Finish() {
        m_list->addTopLevelItems(std::exchange(m_rows, {}));
        ReapplyListViewSort(m_list);
        HideControl(m_list, false);
    }

private:
    QTreeWidget* m_list;
    QList<QTreeWidgetItem*> m_rows;
};

// Where a column's cells come from in a result set.
class CellReader {
public:
    CellReader(const platform::Recordset& records, const RecordListColumn& column, const QString& datePattern)
        : m_kind(column.kind), m_datePattern(datePattern) {
        const QString field = QString::fromLatin1(column.field);
        if (m_kind != CellKind::AddressParts) {
            m_fields << records.FieldIndex(field);
            return;
        }
        for (int part = 1; part <= 5; ++part)
            m_fields << records.FieldIndex(field + QString::number(part));
    }

    void Put(const platform::Recordset::Row& row, ListItem& item, int column) const {
        const platform::Variant& value = row[m_fields[0]];
        switch (m_kind) {
        case CellKind::Text:
            item.SetCell(column, AsString(value));
            break;
        case CellKind::AddressParts:
            item.SetCell(column, FormatAddress(AsString(value), AsString(row[m_fields[1]]), AsString(row[m_fields[2]]),
                                               AsString(row[m_fields[3]]), AsString(row[m_fields[4]])));
            break;
        case CellKind::Date: {
            const QDateTime when = AsDate(value);
            item.SetCell(column, IsNoDate(when) ? AsString(value) : when.toString(m_datePattern), SortValue(value));
            break;
        }
        case CellKind::Amount:
            item.SetCell(column, FormatAmount(AsCurrency(value)), SortValue(value));
            break;
        }
    }

private:
    CellKind m_kind;
    QString m_datePattern;
    QList<int> m_fields;
};

} // namespace

RecordListPart::RecordListPart(QWidget* pages, const WindowSupport& support, const RecordListShape& shape,
                               RecordListCommands commands)
    : m_support(support), m_shape(shape), m_commands(std::move(commands)) {
    Build(pages);
    Connect();
}

RecordListPart::~RecordListPart() = default;

void RecordListPart::Build(QWidget* pages) {
    m_list = MakeReportList(pages, m_shape.list);
    m_list->header()->setSectionsClickable(m_shape.sorts);
    if (!m_shape.sorts)
        m_list->header()->setSortIndicatorShown(false);
    if (m_shape.toolbar)
        m_toolbar = MakeToolbar(pages, m_shape.toolbar, m_shape.sendsMail);

    m_page = new QWidget(pages);
    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    if (m_toolbar)
        layout->addWidget(m_toolbar);
    layout->addWidget(m_list, 1);
}

void RecordListPart::PutAbove(QWidget* above) {
    static_cast<QVBoxLayout*>(m_page->layout())->insertWidget(0, above);
    m_above = above;
}

void RecordListPart::OrderTabStops() {
    if (!m_above)
        return;
    // Tab reaches what is shown above the toolbar and the list first, as a person reads the page.
    const QList<QWidget*> controls = m_above->findChildren<QWidget*>();
    const auto first = std::find_if(controls.cbegin(), controls.cend(),
                                    [](const QWidget* control) { return control->focusPolicy() & Qt::TabFocus; });
    if (first == controls.cend())
        return;
    QWidget* previous = *first;
    if (m_toolbar)
        for (QAction* action : m_toolbar->actions())
            if (auto* button = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(action))) {
                QWidget::setTabOrder(previous, button);
                previous = button;
            }
    QWidget::setTabOrder(previous, m_list);
}

void RecordListPart::Connect() {
    if (m_shape.sorts)
        connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int column) { List_ColumnClick(column); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { List_DblClick(); });
    if (!m_toolbar) {
        BindListKeys(m_list, {.create = {}, .open = [this] { List_DblClick(); }, .remove = {}});
        return;
    }
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { List_ItemClick(); });
    const QList<QAction*> buttons = m_toolbar->actions();
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons[i], &QAction::triggered, this, [this, position = i + 1] { Toolbar_ButtonClick(position); });
    MakeToolbarTabbable(m_toolbar, m_list);
    BindListKeys(m_list, {.create = PressOf(Button(1)), .open = PressOf(Button(2)), .remove = PressOf(Button(3))});
}

QString RecordListPart::ListName() const {
    return QString::fromLatin1(m_shape.list);
}

QAction* RecordListPart::Button(int position) const {
    return m_toolbar ? m_toolbar->actions().value(position - 1) : nullptr;
}

QTreeWidgetItem* RecordListPart::Selected() const {
    return m_list->selectedItems().value(0);
}

int32_t RecordListPart::SelectedID() const {
    const QTreeWidgetItem* row = Selected();
    return row ? GetIDFromKey(row->data(0, kListKeyRole).toString()) : 0;
}

void RecordListPart::Configure() {
    HideControl(m_list, true);
    m_list->setHeaderHidden(false);
    m_list->clear();
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({m_support.Text(m_shape.first.header), m_support.Text(m_shape.second.header)});
    const RecordListColumn* columns[] = {&m_shape.first, &m_shape.second};
    for (int column = 0; column < 2; ++column) {
        const RecordListColumn& c = *columns[column];
        m_list->setColumnWidth(column, c.kind == CellKind::Amount ? AmountColumnWidth(m_list, c.width) : c.width);
    }
    m_list->headerItem()->setTextAlignment(1, m_shape.second.align | Qt::AlignVCenter);
    HideControl(m_list, false);
}

void RecordListPart::Fill(const platform::RecordsetPtr& records) {
    ListRebuild rebuild(m_list);
    if (records) {
        const bool dates = m_shape.first.kind == CellKind::Date || m_shape.second.kind == CellKind::Date;
        const QString pattern = dates ? DatePattern(m_support.Hub()->DateFormat()) : QString();
        const int idColumn = records->FieldIndex(QStringLiteral("ID"));
        QList<int> flagColumns;
        for (const char* flag : m_shape.builtInFlags)
            if (flag)
                flagColumns << records->FieldIndex(QString::fromLatin1(flag));
        const CellReader first(*records, m_shape.first, pattern);
        const CellReader second(*records, m_shape.second, pattern);
        rebuild.Rows().reserve(static_cast<qsizetype>(records->RecordCount()));
        for (const platform::Recordset::Row& row : records->Rows()) {
            auto* item = new ListItem;
            rebuild.Rows() << item;
            const int32_t id = AsLong(row[idColumn]);
            if (flagColumns.isEmpty()) {
                item->SetKey(MakeListItemKey(id));
            } else {
                const bool builtIn = std::any_of(flagColumns.cbegin(), flagColumns.cend(),
                                                 [&](int column) { return AsBoolean(row[column]); });
                item->SetKey(MakeFlaggedListItemKey(id, builtIn));
            }
            first.Put(row, *item, 0);
            second.Put(row, *item, 1);
            item->setTextAlignment(1, m_shape.second.align | Qt::AlignVCenter);
        }
        records->Close();
    }
    rebuild.Finish();
}

void RecordListPart::SetEnabled(bool enabled) {
    m_list->setEnabled(enabled);
    if (m_toolbar)
        m_toolbar->setEnabled(enabled);
}

void RecordListPart::SetCaptions(const QString& title) {
    m_list->setAccessibleName(title);
    if (!m_toolbar)
        return;
    m_toolbar->setAccessibleName(title);
    const std::pair<int, int32_t> tips[] = {
        {1, res::kToolNew}, {2, res::kToolOpen}, {3, res::kToolDelete}, {kSendPosition, res::kToolSendEMail}};
    for (const auto& [position, text] : tips)
        if (QAction* button = Button(position); button && (position != kSendPosition || m_shape.sendsMail))
            button->setToolTip(m_support.Text(text));
    // The buttons show only their pictures; their tooltips name them.
    for (QAction* action : m_toolbar->actions())
        action->setText(action->toolTip());
}

void RecordListPart::EnableButtons() {
    if (!m_toolbar)
        return;
    const QTreeWidgetItem* selected = Selected();
    const bool plainKeys = std::none_of(m_shape.builtInFlags.cbegin(), m_shape.builtInFlags.cend(),
                                        [](const char* flag) { return flag != nullptr; });
    Button(1)->setEnabled(static_cast<bool>(m_commands.create));
    Button(2)->setEnabled(selected && m_commands.open);
    Button(3)->setEnabled(selected && m_commands.remove && (plainKeys || IsSelectedItemDeletable()));
    if (m_shape.sendsMail)
        Button(kSendPosition)->setEnabled(selected && !AsString(selected->text(1)).isEmpty());
}

void RecordListPart::DropWrites() {
    if (!m_toolbar)
        return;
    m_commands.create = {};
    m_commands.open = {};
    m_commands.remove = {};
    EnableButtons();
}

bool RecordListPart::IsSelectedItemDeletable() const {
    m_support.Trace(QStringLiteral("IsSelectedItemDeletable()"));
    const QTreeWidgetItem* selected = Selected();
    if (!selected)
        return false;
    // A row of a built-in kind carries True; a row without the flag is not deletable either.
    const std::optional<bool> builtIn = GetFlagFromKey(selected->data(0, kListKeyRole).toString());
    return builtIn && !*builtIn;
}

void RecordListPart::ReturnTo(int32_t id) {
    ReturnToRow(m_list, id);
}

void RecordListPart::List_ColumnClick(int column) {
    m_support.Handle(ListName() + QStringLiteral("_ColumnClick()"), [&] {
        WindowBusy busy(m_list->window());
        SortListViewByColumn(m_list, column);
    });
}

void RecordListPart::List_ItemClick() {
    m_support.Handle(ListName() + QStringLiteral("_ItemClick()"), [&] {
        if (m_commands.selectionChanged)
            m_commands.selectionChanged();
    });
}

void RecordListPart::List_DblClick() {
    if (!m_opens)
        return;
    m_support.Handle(ListName() + QStringLiteral("_DblClick()"), [&] {
        if (Selected() && m_commands.open)
            m_commands.open(SelectedID());
    });
}

void RecordListPart::Toolbar_ButtonClick(int position) {
    m_support.Handle(QString::fromLatin1(m_shape.toolbar) + QStringLiteral("_ButtonClick()"), [&] {
        switch (position) {
        case 1:
            if (m_commands.create)
                m_commands.create();
            break;
        case 2:
            List_DblClick();
            break;
        case 3:
            DeleteSelectedRow();
            break;
        case kSendPosition:
            if (m_shape.sendsMail)
                SendEMail();
            break;
        default:
            break;
        }
    });
}

void RecordListPart::DeleteSelectedRow() {
    QTreeWidgetItem* row = Selected();
    if (!row || !m_commands.remove)
        return;
    const int32_t id = SelectedID();
    if (m_support.ShowMessage(res::kMsgConfirmDelete, MessageStyle::YesNo | MessageStyle::Question) !=
        MessageResult::Yes)
        return;
    WindowBusy busy(m_list->window());
    // A refused delete (a built-in kind, a row already gone, a failure) leaves the list as it is.
    if (m_commands.remove(id) <= 0)
        return;
    delete row;
    ClearListSelection(m_list);
    if (m_commands.selectionChanged)
        m_commands.selectionChanged();
}

void RecordListPart::SendEMail() {
    const QTreeWidgetItem* row = Selected();
    if (!row)
        return;
    // The address is the link's path (see MailToLink), so nothing in it can add headers or files.
    const QString address = AsString(row->text(1));
    if (!address.isEmpty())
        OpenMailTo(address);
}

} // namespace amb::windows
