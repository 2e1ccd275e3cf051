// The member grid of the family-or-group window and its toolbar: every command writes at once.

#include "windows/forms/familygroup/FamilyGroupMemberGrid.h"
#include "windows/base/ReadCheck.h"

#include "common/DateText.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "common/widgets/ListKeys.h"
#include "contracts/IDatabaseManager.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/base/ActionScope.h"
#include "windows/base/FormBase.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/familygroup/AddOptionForm.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"
#include "windows/forms/familygroup/FamilyGroupWindow.h"
#include "windows/forms/familygroup/FormParts.h"
#include "windows/forms/member/MemberForm.h"

#include <QAction>
#include <QHeaderView>
#include <QIcon>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace amb::windows {

namespace {

// Toolbar commands by their position, counted from 1; 4 is a spacer.
enum MemberButton { kAdd = 1, kEdit = 2, kRemove = 3, kSetHead = 5 };

struct ButtonInfo {
    const char* name;
    const char* icon;
};
const ButtonInfo kButtons[] = {{"tbarMemberAdd", "add"},
                               {"tbarMemberEdit", "edit"},
                               {"tbarMemberRemove", "remove"},
                               {nullptr, nullptr},
                               {"tbarMemberSetHead", "head"}};

QIcon MemberIcon(const char* name) {
    return QIcon(QStringLiteral(":/familygroup/") + QLatin1String(name) + QStringLiteral(".svg"));
}

} // namespace

FamilyGroupMemberGrid::FamilyGroupMemberGrid(const FamilyGroupWindow& window, Events events)
    : m_window(window), m_events(std::move(events)), m_page(new QWidget(&window.form)),
      tbarMember(new QToolBar(m_page)), lstvwMember(new QTreeWidget(m_page)) {
    m_page->setObjectName(QStringLiteral("tabMembers"));
    tbarMember->setObjectName(QStringLiteral("tbarMember"));
    tbarMember->setIconSize(QSize(20, 20));
    for (const ButtonInfo& info : kButtons) {
        if (!info.name) {
            tbarMember->addSeparator();
            continue;
        }
        QAction* action = tbarMember->addAction(MemberIcon(info.icon), QString());
        action->setObjectName(QString::fromLatin1(info.name));
        tbarMember->widgetForAction(action)->setObjectName(QString::fromLatin1(info.name));
    }
    connect(tbarMember, &QToolBar::actionTriggered, this, [this](QAction* action) { tbarMember_ButtonClick(action); });

    lstvwMember->setObjectName(QStringLiteral("lstvwMember"));
    SetUpRecordList(lstvwMember);
    lstvwMember->header()->setSectionsClickable(true);
    lstvwMember->header()->setStretchLastSection(false);
    connect(lstvwMember, &QTreeWidget::itemSelectionChanged, this, [this] { lstvwMember_ItemClick(); });
    connect(lstvwMember->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lstvwMember_ColumnClick(column); });
    connect(lstvwMember, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwMember_DblClick(); });
    const QList<QAction*> buttons = tbarMember->actions();
    MakeToolbarTabbable(tbarMember, lstvwMember);
    BindListKeys(lstvwMember, {.create = PressOf(buttons[kAdd - 1]),
                               .open = PressOf(buttons[kEdit - 1]),
                               .remove = PressOf(buttons[kRemove - 1])});

    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(tbarMember);
    layout->addWidget(lstvwMember, 1);
}

void FamilyGroupMemberGrid::SetEnabled(bool enabled) {
    tbarMember->setEnabled(enabled);
    lstvwMember->setEnabled(enabled);
}

void FamilyGroupMemberGrid::ConfigureGrid() {
    m_window.support.Trace(QStringLiteral("ConfigureGrid()"));
    HideControl(lstvwMember, true);
    const FamilyGroupKind* kind = m_window.Kind();
    lstvwMember->setHeaderHidden(false);
    lstvwMember->clear();
    QStringList headers{m_window.support.Text(res::kColumnName)};
    if (kind)
        headers << m_window.support.Text(kind->roleColumn) << m_window.support.Text(kind->secondColumn);
    lstvwMember->setColumnCount(int(headers.size()));
    lstvwMember->setHeaderLabels(headers);
    lstvwMember->setAccessibleName(m_window.support.Text(res::kLabelMembers));
    tbarMember->setAccessibleName(m_window.support.Text(res::kLabelMembers));
    const int widths[] = {160, 100, kind ? kind->secondColumnWidth : 100};
    for (int column = 0; column < headers.size(); ++column) {
        lstvwMember->setColumnWidth(column, widths[column]);
        lstvwMember->headerItem()->setTextAlignment(column,
                                                    column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
    const QList<QAction*> buttons = tbarMember->actions();
    const int32_t tips[] = {res::kToolNew, res::kToolOpen, res::kToolDelete, 0, kind ? kind->setHeadTip : 0};
    for (int index = 0; index < buttons.size() && index < 5; ++index) {
        if (!tips[index])
            continue;
        const QString tip = m_window.support.Text(tips[index]);
        buttons[index]->setText(tip);
        buttons[index]->setToolTip(tip);
    }
    HideControl(lstvwMember, false);
}

void FamilyGroupMemberGrid::RefreshGrid() {
    m_window.support.Trace(QStringLiteral("RefreshGrid()"));
    HideControl(lstvwMember, true);
    lstvwMember->clear();
    lstvwMember->header()->setSortIndicatorShown(false);
    if (const FamilyGroupKind* kind = m_window.Kind()) {
        // The hub is read once per fill, not once per row: a group may have thousands of members.
        const IApplicationPtr hub = m_window.support.Hub();
        const EnumSupportedLocaleID nameLocale = hub->NameLocaleID();
        const QString datePattern = DatePattern(hub->DateFormat());
        ReadCheck read(m_window.support);
        platform::RecordsetPtr members = read((m_window.database().get()->*kind->readMembers)(m_window.id));
        read.Tell();
        if (members) {
            m_events.counted(members->RecordCount());
            const auto index = [&](const char* name) { return members->FieldIndex(QString::fromLatin1(name)); };
            const int id = index("ID"), first = index("FirstName"), middle = index("MiddleName"),
                      last = index("LastName"), suffix = index("Suffix"), language = index("LanguageName"),
                      head = index(kind->headFlag), role = index(kind->role),
                      second = index(kind->hasGroupType ? "HomePhoneNumber" : "DOB");
            const QIcon icon = MemberIcon("person");
            QList<QTreeWidgetItem*> rows;
            rows.reserve(members->RecordCount());
            for (; !members->IsEOF(); members->MoveNext()) {
                const auto text = [&](int column) { return AsString(members->Field(column)); };
                const bool isHead = AsBoolean(members->Field(head));
                auto* row = new ListItem;
                row->SetKey(MakeFlaggedListItemKey(AsLong(members->Field(id)), isHead));
                row->SetCell(0, DisplayName({.first = text(first),
                                             .middle = text(middle),
                                             .last = text(last),
                                             .suffix = text(suffix),
                                             .language = text(language)},
                                            nameLocale));
                row->setIcon(0, icon);
                row->SetCell(1, text(role));
                if (kind->hasGroupType) {
                    row->SetCell(2, text(second));
                } else {
                    // An unknown date of birth shows as no date.
                    const platform::Variant& dob = members->Field(second);
                    const QDateTime date = dob.IsNull() || dob.IsEmpty() ? QDateTime() : AsDate(dob);
                    if (date.isValid() && !IsNoDate(date))
                        row->SetCell(2, date.toString(datePattern), SortValue(dob));
                }
                row->setTextAlignment(1, Qt::AlignCenter);
                row->setTextAlignment(2, Qt::AlignCenter);
                if (isHead) {
                    QFont bold = lstvwMember->font();
                    bold.setBold(true);
                    for (int column = 0; column < 3; ++column)
                        row->setFont(column, bold);
                }
                rows.append(row);
            }
            lstvwMember->addTopLevelItems(rows);
            members->Close();
        }
    }
    HideControl(lstvwMember, false);
    EnableToolbarButtons();
}

void FamilyGroupMemberGrid::EnableToolbarButtons() {
    m_window.support.Trace(QStringLiteral("EnableToolbarButtons()"));
    const QList<QAction*> buttons = tbarMember->actions();
    const bool selected = !lstvwMember->selectedItems().isEmpty();
    const bool head = IsSelectedMemberHead();
    buttons[kAdd - 1]->setEnabled(true);
    buttons[kEdit - 1]->setEnabled(selected);
    buttons[kRemove - 1]->setEnabled(selected && !head);
    buttons[kSetHead - 1]->setEnabled(selected && !head);
}

bool FamilyGroupMemberGrid::IsSelectedMemberHead() {
    m_window.support.Trace(QStringLiteral("IsSelectedMemberHead()"));
    const QList<QTreeWidgetItem*> selected = lstvwMember->selectedItems();
    if (selected.isEmpty())
        return false;
    return GetFlagFromKey(selected.first()->data(0, kListKeyRole).toString()).value_or(false);
}

bool FamilyGroupMemberGrid::MemberExists(int32_t personID) {
    m_window.support.Trace(QStringLiteral("MemberExists()"));
    platform::RecordsetPtr owners = (m_window.database().get()->*m_window.Kind()->readByPersonID)(personID);
    if (!owners)
        return false;
    bool exists = false;
    for (const int id = owners->FieldIndex(QStringLiteral("ID")); !owners->IsEOF() && !exists; owners->MoveNext())
        exists = AsLong(owners->Field(id)) == m_window.id;
    owners->Close();
    return exists;
}

void FamilyGroupMemberGrid::lstvwMember_ItemClick() {
    m_window.support.Handle(QStringLiteral("lstvwMember_ItemClick()"), [&] { EnableToolbarButtons(); });
}

void FamilyGroupMemberGrid::lstvwMember_ColumnClick(int column) {
    m_window.support.Handle(QStringLiteral("lstvwMember_ColumnClick()"), [&] {
        WindowBusy busy(&m_window.form);
        SortListViewByColumn(lstvwMember, column);
    });
}

void FamilyGroupMemberGrid::lstvwMember_DblClick() {
    m_window.support.Handle(QStringLiteral("lstvwMember_DblClick()"), [&] { EditMember(); });
}

void FamilyGroupMemberGrid::tbarMember_ButtonClick(QAction* button) {
    m_window.support.Handle(QStringLiteral("tbarMember_ButtonClick()"), [&] {
        if (!m_window.Kind())
            return;
        switch (tbarMember->actions().indexOf(button) + 1) {
        case kAdd:
            AddMember();
            break;
        case kEdit:
            EditMember();
            break;
        case kRemove:
            RemoveMember();
            break;
        case kSetHead:
            SetHead();
            break;
        default:
            break;
        }
    });
}

void FamilyGroupMemberGrid::EditMember() {
    const QList<QTreeWidgetItem*> selected = lstvwMember->selectedItems();
    if (selected.isEmpty() || !m_window.Kind())
        return;
    const int32_t personID = GetIDFromKey(selected.first()->data(0, kListKeyRole).toString());
    WindowBusy busy(&m_window.form);
    if (ShowMember(personID) > 0) {
        ActionScope::MarkSaved(&m_window.form);
        if (IsSelectedMemberHead())
            m_events.headChanged();
        RefreshGrid();
    }
    ReturnToRow(lstvwMember, personID);
}

void FamilyGroupMemberGrid::AddMember() {
    const FamilyGroupKind* kind = m_window.Kind();
    WindowBusy busy(&m_window.form);
    auto add = std::make_unique<AddOptionForm>(&m_window.form);
    add->SetWindowLoader(m_window.form.WindowLoader());
    add->SetFamilyGroupType(EnumFamilyGroup::None);
    if (add->UpdateForm() > 0)
        ModalRunner::Run(*add);
    if (add->Response() != FormResponse::OK)
        return;
    const int32_t personID = add->PersonID();
    const bool existing = add->IsExistingPersonChosen();
    add.reset();
    if (MemberExists(personID)) {
        busy.End();
        m_window.support.ShowMessage(res::kMsgAlreadyMember);
        return;
    }
    if (existing) {
        if (personID <= 0)
            return;
        auto record = std::make_shared<platform::Dictionary>();
        record->SetItem(QStringLiteral("ID"), 0);
        record->SetItem(QStringLiteral("PersonID"), personID);
        record->SetItem(QString::fromLatin1(kind->ownerKey), m_window.id);
        record->SetItem(QString::fromLatin1(kind->role), QString());
        const int32_t saved = (m_window.database().get()->*kind->saveMember)(record);
        record->RemoveAll();
        if (saved > 0) {
            ActionScope::MarkSaved(&m_window.form);
        } else {
            // The refusal is the one message of this command: a list failing after it stays quiet.
            busy.End();
            m_window.showSaveFailure();
            ActionScope::MarkReadFailureTold(&m_window.form);
        }
        RefreshGrid();
        ReturnToRow(lstvwMember, personID);
        return;
    }
    // The person window writes a new person's membership row itself.
    if (const int32_t added = ShowMember(0); added > 0) {
        ActionScope::MarkSaved(&m_window.form);
        RefreshGrid();
        ReturnToRow(lstvwMember, added);
    }
}

void FamilyGroupMemberGrid::RemoveMember() {
    const QList<QTreeWidgetItem*> selected = lstvwMember->selectedItems();
    if (selected.isEmpty())
        return;
    const FamilyGroupKind* kind = m_window.Kind();
    if (IsSelectedMemberHead()) {
        m_window.support.ShowMessage(kind->headNotRemovable);
        return;
    }
    QTreeWidgetItem* row = selected.first();
    const int32_t personID = GetIDFromKey(row->data(0, kListKeyRole).toString());
    if (m_window.support.ShowMessage(res::kMsgConfirmDelete, MessageStyle::YesNo | MessageStyle::Question) !=
        MessageResult::Yes)
        return;
    WindowBusy busy(&m_window.form);
    if ((m_window.database().get()->*kind->removeMember)(personID, m_window.id) > 0) {
        delete row;
        ClearListSelection(lstvwMember);
        EnableToolbarButtons();
    }
}

void FamilyGroupMemberGrid::SetHead() {
    const QList<QTreeWidgetItem*> selected = lstvwMember->selectedItems();
    if (selected.isEmpty())
        return;
    const int32_t personID = GetIDFromKey(selected.first()->data(0, kListKeyRole).toString());
    WindowBusy busy(&m_window.form);
    const int32_t result = (m_window.database().get()->*m_window.Kind()->setHead)(personID, m_window.id);
    if (result > 0) {
        ActionScope::MarkSaved(&m_window.form);
    } else {
        // The refusal is the one message of this command: a list failing after it stays quiet.
        busy.End();
        m_window.showSaveFailure();
        ActionScope::MarkReadFailureTold(&m_window.form);
    }
    m_events.headChanged();
    RefreshGrid();
}

int32_t FamilyGroupMemberGrid::ShowMember(int32_t personID) {
    const auto person = std::make_unique<MemberForm>();
    person->SetWindowLoader(m_window.form.WindowLoader());
    person->SetID(personID);
    if (m_window.Kind())
        person->SetParentForm(m_window.formType);
    person->SetFamilyGroupID(m_window.id);
    // A member is opened when the window may be shown at all; a new person only when it is ready.
    const int32_t update = person->UpdateForm();
    if (personID > 0 ? update < 0 : update <= 0)
        return -1;
    ModalRunner::Run(*person);
    if (personID > 0)
        return person->Response() == FormResponse::OK ? person->ID() : -1;
    // A new person who was saved is returned, whatever closed the window (a member unless the window
    // told that the membership could not be saved).
    return person->ID() > 0 ? person->ID() : -1;
}

} // namespace amb::windows
