#include "windows/forms/lists/ListForm.h"

#include "common/DateText.h"
#include "common/GlobalModule.h"
#include "common/LookupKinds.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "common/widgets/ListKeys.h"
#include "heading/FormHeading.h"
#include "platform/data/Recordset.h"
#include "windows/base/ActionScope.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/edit/ControlFactory.h"
#include "windows/forms/lists/NameForm.h"
#include "windows/forms/users/Administrators.h"
#include "windows/forms/users/UserForm.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

namespace amb::windows {

namespace {

enum Button { NewButton = 1, EditButton = 2, DeleteButton = 3 };

struct Column {
    int32_t header;
    int width; // pixels
    Qt::Alignment alignment;
};

const Column kNameColumn = {res::kColumnName, 160, Qt::AlignLeft};
const Column kUserColumns[] = {{res::kColumnUserName, 80, Qt::AlignLeft},
                               {res::kColumnName, 80, Qt::AlignLeft},
                               {res::kColumnEnabled, 50, Qt::AlignHCenter},
                               {res::kColumnAdministrator, 50, Qt::AlignHCenter},
                               {res::kColumnLastLogIn, 160, Qt::AlignLeft}};

QAction* ToolButton(QToolBar* bar, const char* name, QStyle::StandardPixmap icon) {
    QAction* action = bar->addAction(bar->style()->standardIcon(icon), QString());
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

ListForm::ListForm(QWidget* parent)
    : FormBase(QStringLiteral("ListForm"), parent), fhMain(new orv::FormHeading(this)), tbarList(new QToolBar(this)),
      m_newButton(ToolButton(tbarList, "tbarListNew", QStyle::SP_FileIcon)),
      m_editButton(ToolButton(tbarList, "tbarListEdit", QStyle::SP_FileDialogDetailedView)),
      m_deleteButton(ToolButton(tbarList, "tbarListDelete", QStyle::SP_TrashIcon)), lstvwList(new QTreeWidget(this)),
      cmdClose(controls::Button(this, "cmdClose")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    tbarList->setObjectName(QStringLiteral("tbarList"));
    tbarList->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbarList->setIconSize(QSize(16, 16));
    lstvwList->setObjectName(QStringLiteral("lstvwList"));
    SetUpRecordList(lstvwList);
    lstvwList->header()->setSectionsClickable(true);
    lstvwList->header()->setStretchLastSection(true);
    lstvwList->setMinimumSize(440, 260);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 12);
    body->addWidget(tbarList);
    body->addWidget(lstvwList, 1);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fhMain);
    layout->addLayout(body, 1);

    // The list has no OK: Enter and Esc both close it.
    SetDialogButtons(cmdClose, cmdClose);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(m_newButton, &QAction::triggered, this, [this] { tbarList_ButtonClick(NewButton); });
    connect(m_editButton, &QAction::triggered, this, [this] { tbarList_ButtonClick(EditButton); });
    connect(m_deleteButton, &QAction::triggered, this, [this] { tbarList_ButtonClick(DeleteButton); });
    connect(lstvwList, &QTreeWidget::itemSelectionChanged, this, [this] { lstvwList_ItemClick(); });
    connect(lstvwList, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwList_DblClick(); });
    connect(lstvwList->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lstvwList_ColumnClick(column); });
    MakeToolbarTabbable(tbarList, lstvwList);
    BindListKeys(lstvwList,
                 {.create = PressOf(m_newButton), .open = PressOf(m_editButton), .remove = PressOf(m_deleteButton)});
}

ListForm::~ListForm() = default;

EnumWindowType ListForm::WindowType() {
    return Member(QStringLiteral("Get_WindowType()"), EnumWindowType::AddressName, [&] { return m_windowType; });
}

void ListForm::SetWindowType(EnumWindowType value) {
    Member(QStringLiteral("Let_WindowType()"), 0, [&] {
        m_windowType = value;
        return 0;
    });
}

int32_t ListForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        m_readOnly = IsReadOnly();
        ConfigureGrid();
        SetControlCaption();
        SetCaption();
        RefreshGrid();
        return int32_t{1};
    });
}

void ListForm::ConfigureGrid() {
    Trace(QStringLiteral("ConfigureGrid()"));
    HideControl(lstvwList, true);
    lstvwList->setHeaderHidden(false);
    lstvwList->clear();
    const bool users = m_windowType == EnumWindowType::User;
    const int count = users ? int(std::size(kUserColumns)) : 1;
    lstvwList->setColumnCount(count);
    QStringList headers;
    for (int i = 0; i < count; ++i) {
        const Column& column = users ? kUserColumns[i] : kNameColumn;
        headers << Text(column.header);
        lstvwList->headerItem()->setTextAlignment(i, column.alignment | Qt::AlignVCenter);
    }
    lstvwList->setHeaderLabels(headers);
    lstvwList->setMinimumWidth(users ? 620 : 440);
    for (int i = 0; i < count; ++i)
        lstvwList->setColumnWidth(i, (users ? kUserColumns[i] : kNameColumn).width + 24);
    HideControl(lstvwList, false);
}

void ListForm::RefreshGrid() {
    Trace(QStringLiteral("RefreshGrid()"));
    HideControl(lstvwList, true);
    lstvwList->clear();
    const LookupKind* kind = FindLookupKind(m_windowType);
    const IDatabaseManagerPtr database = Database();
    platform::RecordsetPtr rows;
    if (m_windowType == EnumWindowType::User)
        rows = database->GetAllUser();
    else if (kind)
        rows = (database.get()->*kind->list)(EnumLookupOption{0});

    if (!rows)
        Support().ShowReadFailure();
    if (rows) {
        const bool users = m_windowType == EnumWindowType::User;
        const QIcon icon = style()->standardIcon(users ? QStyle::SP_DirHomeIcon : QStyle::SP_FileIcon);
        const QString yes = Text(res::kTextYes);
        const QString no = Text(res::kTextNo);
        const QString datePattern = users ? DatePattern(Hub()->DateFormat()) : QString();
        const QLocale english(QLocale::C);
        QList<QTreeWidgetItem*> items;
        for (; !rows->IsEOF(); rows->MoveNext()) {
            auto* item = new ListItem;
            const int32_t id = AsLong(rows->Field(QStringLiteral("ID")));
            item->SetKey(kind && kind->isUpdatableColumn
                             ? MakeFlaggedListItemKey(id, AsBoolean(rows->Field(QStringLiteral("IsUpdatable"))))
                             : MakeListItemKey(id));
            item->setIcon(0, icon);
            if (!users) {
                item->SetCell(0, AsString(rows->Field(QStringLiteral("Name"))));
            } else {
                item->SetCell(0, AsString(rows->Field(QStringLiteral("Username"))));
                item->SetCell(1, AsString(rows->Field(QStringLiteral("Name"))));
                item->SetCell(2, AsBoolean(rows->Field(QStringLiteral("IsEnabled"))) ? yes : no);
                item->SetCell(3, AsBoolean(rows->Field(QStringLiteral("IsAdmin"))) ? yes : no);
                const platform::Variant login = rows->Field(QStringLiteral("DateLogin"));
                const QDateTime date = AsDate(login);
                if (!login.IsNull() && !IsNoDate(date))
                    item->SetCell(4,
                                  date.toString(datePattern) + QLatin1Char(' ') +
                                      english.toString(date.time(), QStringLiteral("h:mm:ss AP")),
                                  date);
                for (int column : {2, 3})
                    item->setTextAlignment(column, Qt::AlignCenter);
            }
            items << item;
        }
        rows->Close();
        lstvwList->addTopLevelItems(items);
        // Headers and cells of the user list are read whole; the widths above are the least.
        for (int i = 0; users && i + 1 < lstvwList->columnCount(); ++i) {
            const int least = lstvwList->columnWidth(i);
            lstvwList->resizeColumnToContents(i);
            lstvwList->setColumnWidth(i, std::max(least, lstvwList->columnWidth(i) + 12));
        }
    }
    HideControl(lstvwList, false);
    EnableToolbarButtons();
}

void ListForm::SetCaption() {
    Trace(QStringLiteral("SetCaption()"));
    const QString title = GetListTypeName(WindowLoader(), m_windowType);
    setWindowTitle(title + QLatin1Char(' ') + Text(res::kTitleList));
    fhMain->SetHeading(windowTitle());
    lstvwList->setAccessibleName(windowTitle());
    tbarList->setAccessibleName(windowTitle());
    fhMain->SetDescription(Text(res::kDescListTemplate).replace(QLatin1Char('?'), title));
}

void ListForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    cmdClose->setText(Text(res::kCaptionClose));
    const std::pair<QAction*, int32_t> buttons[] = {
        {m_newButton, res::kToolNew}, {m_editButton, res::kToolOpen}, {m_deleteButton, res::kToolDelete}};
    for (const auto& [button, text] : buttons) {
        button->setText(Text(text));
        button->setToolTip(Text(text));
    }
}

bool ListForm::IsReadOnly() {
    if (m_windowType == EnumWindowType::User)
        return false; // the user list opens from the administrators' menu only
    const int32_t userId = Hub()->CurrentUserID();
    if (userId <= 0)
        return true;
    const platform::RecordsetPtr user = Database()->GetUserByID(userId);
    const bool administrator = user && !user->IsEOF() && AsBoolean(user->Field(QStringLiteral("IsAdmin"))) &&
                               AsBoolean(user->Field(QStringLiteral("IsEnabled")));
    if (user)
        user->Close();
    return !administrator;
}

void ListForm::EnableToolbarButtons() {
    Trace(QStringLiteral("EnableToolbarButtons()"));
    if (m_readOnly) {
        for (QAction* button : {m_newButton, m_editButton, m_deleteButton})
            button->setEnabled(false);
        return;
    }
    m_newButton->setEnabled(true);
    QTreeWidgetItem* selected =
        lstvwList->currentItem() && lstvwList->currentItem()->isSelected() ? lstvwList->currentItem() : nullptr;
    bool edit = selected != nullptr;
    bool remove = edit;
    if (selected) {
        const LookupKind* kind = FindLookupKind(m_windowType);
        if (kind && kind->isUpdatableColumn) {
            edit = remove = IsSelectedItemUpdatable();
        } else if (m_windowType == EnumWindowType::User) {
            remove = selected->text(0).toLower() != QStringLiteral("admin") &&
                     GetIDFromKey(selected->data(0, kListKeyRole).toString()) != Hub()->CurrentUserID();
        }
    }
    m_editButton->setEnabled(edit);
    m_deleteButton->setEnabled(remove);
}

bool ListForm::IsSelectedItemUpdatable() {
    return Member(QStringLiteral("IsSelectedItemUpdatable()"), false, [&] {
        const QTreeWidgetItem* selected = lstvwList->currentItem();
        if (!selected || !selected->isSelected())
            return false;
        return GetFlagFromKey(selected->data(0, kListKeyRole).toString()).value_or(false);
    });
}

void ListForm::OpenEntry(int32_t id) {
    if (m_readOnly)
        return;
    WindowBusy busy(this);
    std::unique_ptr<FormBase> form;
    std::function<int32_t()> shownId;
    bool show = false;
    if (m_windowType == EnumWindowType::User) {
        auto user = std::make_unique<UserForm>(this);
        user->SetID(id);
        user->SetWindowLoader(WindowLoader());
        show = user->UpdateForm() > 0;
        shownId = [user = user.get()] { return user->ID(); };
        form = std::move(user);
    } else {
        auto name = std::make_unique<NameForm>(this);
        name->SetWindowLoader(WindowLoader());
        name->SetID(id);
        name->SetWindowType(m_windowType);
        show = name->UpdateForm() >= 0;
        shownId = [name = name.get()] { return name->ID(); };
        form = std::move(name);
    }
    if (!show)
        return;
    busy.End();
    ModalRunner::Run(*form);
    if (form->Response() == FormResponse::OK) {
        ActionScope::MarkSaved(this);
        RefreshGrid();
    }
    ReturnToRow(lstvwList, shownId());
}

void ListForm::DeleteSelected() {
    if (m_readOnly)
        return;
    QTreeWidgetItem* selected = lstvwList->currentItem();
    if (!selected || !selected->isSelected())
        return;
    const int32_t id = GetIDFromKey(selected->data(0, kListKeyRole).toString());
    if (ShowMessage(res::kMsgConfirmDelete, MessageStyle::YesNo | MessageStyle::Question) != MessageResult::Yes)
        return;
    const IDatabaseManagerPtr database = Database();
    if (m_windowType == EnumWindowType::User && LeavesNoAdministrator(*database, id, false)) {
        ShowMessage(res::kMsgLastAdministrator);
        return;
    }
    WindowBusy busy(this);
    const LookupKind* kind = FindLookupKind(m_windowType);
    int32_t result = 0;
    if (m_windowType == EnumWindowType::User)
        result = database->DeleteUser(id);
    else if (kind)
        result = (database.get()->*kind->remove)(id);
    if (result > 0) {
        delete lstvwList->takeTopLevelItem(lstvwList->indexOfTopLevelItem(selected));
        ClearListSelection(lstvwList);
        EnableToolbarButtons();
    }
}

void ListForm::cmdClose_Click() {
    Handle(QStringLiteral("cmdClose_Click()"), [&] { HideForm(); });
}

void ListForm::lstvwList_ColumnClick(int column) {
    Handle(QStringLiteral("lstvwList_ColumnClick()"), [&] {
        WindowBusy busy(this);
        SortListViewByColumn(lstvwList, column);
    });
}

void ListForm::lstvwList_DblClick() {
    Handle(QStringLiteral("lstvwList_DblClick()"), [&] {
        const QTreeWidgetItem* selected = lstvwList->currentItem();
        if (!selected || !selected->isSelected())
            return;
        const LookupKind* kind = FindLookupKind(m_windowType);
        // Fixed address, e-mail and phone kinds are not edited.
        if (kind && kind->isUpdatableColumn && !IsSelectedItemUpdatable())
            return;
        OpenEntry(GetIDFromKey(selected->data(0, kListKeyRole).toString()));
    });
}

void ListForm::lstvwList_ItemClick() {
    Handle(QStringLiteral("lstvwList_ItemClick()"), [&] { EnableToolbarButtons(); });
}

void ListForm::tbarList_ButtonClick(int index) {
    Handle(QStringLiteral("tbarList_ButtonClick()"), [&] {
        switch (index) {
        case NewButton:
            OpenEntry(0);
            break;
        case EditButton:
            lstvwList_DblClick();
            break;
        case DeleteButton:
            DeleteSelected();
            break;
        default:
            break;
        }
    });
}

} // namespace amb::windows
