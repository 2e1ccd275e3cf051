#include "main/MainForm.h"

#include "main/AboutForm.h"
#include "main/ListRows.h"
#include "main/MainFormHandle.h"
#include "main/RecordNodes.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "common/widgets/ListKeys.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "windows/base/ModalRunner.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

namespace amb::ambrel {

namespace {

// The record commands of a node key, or none.
const KindCommands* KindOf(const QString& key) {
    const NodeSpec* node = NodeOf(key);
    return node ? node->commands : nullptr;
}

// Offerings and expenses have no report of their own.
bool IsPrintable(const QString& key) {
    const KindCommands* kind = KindOf(key);
    return !kind || kind->reportName;
}

} // namespace

QTreeWidgetItem* MainForm::SelectedRow() const {
    QTreeWidgetItem* row = lstvwData->currentItem();
    return row && row->isSelected() ? row : nullptr;
}

CommandState MainForm::CurrentCommandState() const {
    CommandState state;
    state.loggedIn = IsLoggedIn();
    state.admin = state.loggedIn && Session().IsAdmin();
    state.hasRow = SelectedRow() != nullptr;
    if (state.hasRow) {
        const QString key = SelectedKey();
        state.openable = KindOf(key) != nullptr;
        state.printable = IsPrintable(key);
    }
    return state;
}

QAction* MainForm::CommandButton(const char* menuName) const {
    for (const CommandRow& row : CommandRows())
        if (row.toolbarIndex != 0 && QLatin1String(row.menuName) == QLatin1String(menuName))
            return tbarMainButtons[row.toolbarIndex];
    return nullptr;
}

void MainForm::mnuFile_Click() {
    Handle("mnuFile_Click()", [&] {
        if (!IsLoggedIn()) {
            mnuFileLogInOut->setText(m_support.Text(res::kMenuFileLogIn));
            return;
        }
        const CommandState state = CurrentCommandState();
        for (const auto& [row, action] : m_commandEntries.asKeyValueRange()) {
            if ((row->menu == CommandMenu::File || row->menu == CommandMenu::FileNew) &&
                row->enabling != Enabling::Always)
                action->setEnabled(IsEnabled(row->enabling, state));
        }
        mnuFileLogInOut->setText(m_support.Text(res::kMenuFileLogOut));
    });
}

void MainForm::mnuTools_Click() {
    Handle("mnuTools_Click()", [&] {
        const CommandState state = CurrentCommandState();
        mnuToolsLookUp->menuAction()->setEnabled(Session().IsAdmin());
        for (const auto& [row, action] : m_commandEntries.asKeyValueRange()) {
            if (row->menu == CommandMenu::Tools)
                action->setEnabled(IsEnabled(row->enabling, state));
        }
    });
}

void MainForm::mnuFileNewMember_Click() {
    Handle("mnuFileNewMember_Click()", [&] {
        BusyScope busy(this);
        // The tree's counts follow a saved record instead of going stale until the next log-in.
        if (Hub()->WindowLoader()->ShowPersonWindow(0, EnumFamilyGroup::None, 0) > 0)
            RefreshTreeviewStat();
    });
}

void MainForm::mnuFileNewFamily_Click() {
    Handle("mnuFileNewFamily_Click()", [&] {
        BusyScope busy(this);
        if (Hub()->WindowLoader()->ShowFamilyWindow(0) > 0)
            RefreshTreeviewStat();
    });
}

void MainForm::mnuFileNewGroup_Click() {
    const bool ok = Handle("mnuFileNewGroup_Click()", [&] {
        BusyScope busy(this);
        const int32_t result = Hub()->WindowLoader()->ShowGroupWindow(0);
        if (result > 0)
            RefreshTreeviewStat();
        if (result > 0 && SelectedKey() == QLatin1String("Group")) {
            const int32_t groupType = cboGroupType->currentIndex() >= 0 ? cboGroupType->currentData().toInt() : 0;
            RefreshData(QString(), groupType, QDateTime(), QDateTime());
            EnableToolbarButtons();
        }
        busy.End();
        lstvwData->setFocus();
    });
    if (!ok)
        HideControl(lstvwData, false);
}

void MainForm::mnuFileNewOffering_Click() {
    Handle("mnuFileNewOffering_Click()", [&] {
        BusyScope busy(this);
        Hub()->WindowLoader()->ShowBatchOfferingWindow();
    });
}

void MainForm::mnuFileNewExpense_Click() {
    Handle("mnuFileNewExpense_Click()", [&] {
        BusyScope busy(this);
        Hub()->WindowLoader()->ShowBatchExpenseWindow();
    });
}

void MainForm::mnuFileOpen_Click() {
    Handle("mnuFileOpen_Click()", [&] {
        QTreeWidgetItem* row = SelectedRow();
        if (!row)
            return;
        const int32_t id = GetIDFromKey(ListRowKey(row));
        BusyScope busy(this);
        const KindCommands* kind = KindOf(SelectedKey());
        const int32_t result = kind ? kind->open(*Hub()->WindowLoader(), id) : 0;
        if (result > 0) {
            MarkRowSaved(row);
            EnableToolbarButtons();
        }
    });
}

void MainForm::mnuFileDelete_Click() {
    Handle("mnuFileDelete_Click()", [&] {
        QTreeWidgetItem* row = SelectedRow();
        if (!row)
            return;
        const int32_t id = GetIDFromKey(ListRowKey(row));
        if (m_support.ShowMessage(res::kMsgConfirmDelete, kYesNoQuestion) != MessageResult::Yes)
            return;
        BusyScope busy(this);
        const NodeSpec* node = NodeOf(SelectedKey());
        const KindCommands* kind = node ? node->commands : nullptr;
        const int32_t result = kind ? kind->remove(*Hub()->DatabaseManager(), id) : 0;
        // A person who heads a family or a group is not deleted.
        if (node && node->listKind == RecordKind::Persons && (result == -2 || result == -3)) {
            busy.End();
            m_support.ShowMessage(result == -2 ? res::kMsgFamilyHeadNotDeletable : res::kMsgGroupHeadNotDeletable,
                                  MessageStyle::Information);
            return;
        }
        if (result > 0) {
            delete row;
            ClearListSelection(lstvwData);
            // The shown counts follow the delete instead of going stale until the next load.
            if (!sbarPanels[0]->text().isEmpty())
                ShowItemCount(lstvwData->topLevelItemCount());
            RefreshTreeviewStat();
            EnableToolbarButtons();
        }
    });
}

void MainForm::mnuFilePrint_Click() {
    Handle("mnuFilePrint_Click()", [&] {
        QTreeWidgetItem* row = SelectedRow();
        if (!row)
            return;
        const int32_t id = GetIDFromKey(ListRowKey(row));
        BusyScope busy(this);
        auto parameters = std::make_shared<platform::Dictionary>();
        auto printer = Hub()->ReportPrinter();
        printer->Clear();
        if (const KindCommands* kind = KindOf(SelectedKey()); kind && kind->reportName) {
            printer->SetReportName(QLatin1String(kind->reportName));
            printer->SetPrintToFile(false);
        }
        parameters->SetItem(QStringLiteral("ID"), id);
        const EnumReportError result = printer->PrintReport(parameters);
        if (result != EnumReportError::Success) {
            QString message = GetReportErrorMessage(Hub(), result);
            // A report the printer does not know is a failure too, not an empty box.
            if (message.isEmpty())
                message = m_support.Text(res::kMsgReportSystemError);
            busy.End();
            m_support.ShowMessageText(message, MessageStyle::Information);
        }
        parameters->RemoveAll();
    });
}

void MainForm::mnuFileLogInOut_Click() {
    Handle("mnuFileLogInOut_Click()", [&] {
        QAction* button = CommandButton("mnuFileLogInOut");
        if (IsLoggedIn()) {
            if (m_support.ShowMessage(res::kMsgConfirmLogOut, kYesNoQuestion) == MessageResult::Yes)
                LogInOutRoutine(true);
            else
                button->setChecked(true);
            return;
        }
        BusyScope busy(this);
        const auto hub = Hub();
        const int32_t id = hub->WindowLoader()->ShowLogInWindow();
        platform::RecordsetPtr user = id > 0 ? hub->DatabaseManager()->GetUserByID(id) : nullptr;
        if (!user || user->IsEOF()) {
            button->setChecked(false);
            return;
        }
        hub->SetCurrentUserID(AsLong(user->Field(QStringLiteral("ID"))));
        CSession& session = Session();
        session.SetUserID(AsLong(user->Field(QStringLiteral("ID"))));
        session.SetIsAdmin(AsBoolean(user->Field(QStringLiteral("IsAdmin"))));
        session.SetUsername(AsString(user->Field(QStringLiteral("Username"))));
        session.SetFullname(AsString(user->Field(QStringLiteral("Name"))));
        user->Close();
        busy.End();
        LogInOutRoutine(false);
    });
}

void MainForm::LogInOutRoutine(bool logOut) {
    WriteTrace(QStringLiteral("LogInOutRoutine()"));
    BusyScope busy(this);
    RefreshTreeView();
    SelectNode(FindNode(QStringLiteral("Member")));
    // The grid is set up for the members below; a click on the kind shown before must set up its own.
    m_selectedNodeKey = QStringLiteral("Member");
    if (logOut) {
        lstvwData->clear();
        ConfigureGrid(trvwIcon->currentItem());
        ConfigureBirthdayGrid();
        lstvwBirthday->clear();
        ShowDateRangeBox(false);
        ShowSearchTextComboBox(true);
        // The group-type box would otherwise stand beside the text box after a group search.
        ShowGroupTypeComboBox(false);
        cboSearchText->setEditText(QString());
        dtpStart->setDateTime(platform::Now());
        dtpEnd->setDateTime(platform::Now());
        Session().Clear();
        Hub()->SetCurrentUserID(0);
        CommandButton("mnuFileLogInOut")->setChecked(false);
        EnableForm(false);
        sbarPanels[1]->clear();
        return;
    }
    ConfigureGrid(trvwIcon->currentItem());
    ConfigureBirthdayGrid();
    RefreshBirthday();
    CommandButton("mnuFileLogInOut")->setChecked(true);
    EnableForm(true);
    InitializeSpliter();
    sbarPanels[1]->setText(m_support.Text(res::kLabelUser) + QStringLiteral(": ") + Session().Username());
    busy.End();
    FocusSearchBox();
}

void MainForm::mnuFileChangePassword_Click() {
    Handle("mnuFileChangePassword_Click()", [&] {
        BusyScope busy(this);
        Hub()->WindowLoader()->ShowChangePasswordWindow(Session().Username(), QString());
    });
}

void MainForm::mnuFileExit_Click() {
    Handle("mnuFileExit_Click()", [&] { close(); });
}

void MainForm::mnuToolsList_Click(EnumWindowType type, const QString& handlerName) {
    Guard(kTraceObject, handlerName, [&] {
        BusyScope busy(this);
        Hub()->WindowLoader()->ShowListWindow(type);
    });
}

void MainForm::mnuToolsUser_Click() {
    mnuToolsList_Click(EnumWindowType::User, QStringLiteral("mnuToolsUser_Click()"));
}

void MainForm::mnuToolsReport_Click() {
    Handle("mnuToolsReport_Click()", [&] {
        BusyScope busy(this);
        Hub()->WindowLoader()->ShowReportWindow();
    });
}

void MainForm::mnuToolsOptions_Click() {
    Handle("mnuToolsOptions_Click()", [&] {
        BusyScope busy(this);
        Hub()->WindowLoader()->ShowOptionWindow();
        // A changed date format shows in the lists filled from now on.
        ApplyDateFormat();
    });
}

void MainForm::mnuHelpContents_Click() {
    CatchAll(kTraceObject, QStringLiteral("mnuHelpContents_Click()"),
             [&] { ShellOpenDocument(m_wrapper->HelpFile()); });
}

void MainForm::mnuHelpAbout_Click() {
    Handle("mnuHelpAbout_Click()", [&] {
        AboutForm about(*m_wrapper, this);
        if (about.UpdateForm() > 0)
            ModalRunner::Run(about);
    });
}

void MainForm::tbarMain_ButtonClick(int index) {
    Handle("tbarMain_ButtonClick()", [&] {
        if (const CommandRow* row = CommandOnButton(index))
            (this->*row->handler)();
    });
}

void MainForm::tbarMain_ButtonMenuClick(const QString& key) {
    Handle("tbarMain_ButtonMenuClick()", [&] {
        for (const CommandRow& row : CommandRows()) {
            if (row.dropDownKey && key == QLatin1String(row.dropDownKey))
                (this->*row.handler)();
        }
    });
}

void MainForm::EnableToolbarButtons() {
    WriteTrace(QStringLiteral("EnableToolbarButtons()"));
    const CommandState state = CurrentCommandState();
    for (const CommandRow& row : CommandRows()) {
        if (row.toolbarIndex != 0)
            tbarMainButtons[row.toolbarIndex]->setEnabled(IsEnabled(row.enabling, state));
    }
    EnableSearchTextComboBox(false);
    EnableDateRangeBox(false);
    EnableGroupTypeComboBox(false);
    tbarSearchButtons[1]->setEnabled(false);
    tbarSearchButtons[2]->setEnabled(false);
    if (Session().UserID() < 1)
        return;

    for (QAction* entry : tbarMainAddNewMenu->actions())
        entry->setEnabled(true);

    const QString key = SelectedKey();
    const NodeSpec* node = NodeOf(key);
    const SearchBox box = node ? node->searchBox : SearchBox::None;
    switch (box) {
    case SearchBox::Text:
        ShowDateRangeBox(false);
        ShowSearchTextComboBox(true);
        EnableSearchTextComboBox(true);
        ShowGroupTypeComboBox(false);
        break;
    case SearchBox::GroupType:
        ShowDateRangeBox(false);
        ShowSearchTextComboBox(false);
        ShowGroupTypeComboBox(true);
        EnableGroupTypeComboBox(true);
        break;
    case SearchBox::DateRange:
        ShowSearchTextComboBox(false);
        ShowDateRangeBox(true);
        EnableDateRangeBox(true);
        ShowGroupTypeComboBox(false);
        break;
    case SearchBox::None:
        break;
    }
    const bool searchable = box != SearchBox::None;
    if (searchable) {
        tbarSearchButtons[1]->setEnabled(true);
        tbarSearchButtons[2]->setEnabled(true);
    }
}

} // namespace amb::ambrel
