#include "main/Commands.h"

#include "main/AboutForm.h"
#include "main/ListRows.h"
#include "main/RecordNodes.h"

#include "common/GlobalModule.h"
#include "common/HelpFile.h"
#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "windows/base/HelpMessage.h"
#include "windows/base/ModalRunner.h"

#include <QAction>
#include <QMenu>

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

void MainCommands::Wire(RecordTreePort& tree, RecordListPort& list, SearchBandPort& search) {
    m_tree = &tree;
    m_list = &list;
    m_search = &search;
}

CommandState MainCommands::CurrentCommandState() const {
    CommandState state;
    state.loggedIn = m_form.IsLoggedIn();
    state.admin = state.loggedIn && m_form.Session().IsAdmin();
    state.hasRow = m_list->SelectedRow() != nullptr;
    if (state.hasRow) {
        const QString key = m_tree->SelectedKey();
        state.openable = KindOf(key) != nullptr;
        state.printable = IsPrintable(key);
    }
    return state;
}

QAction* MainCommands::CommandEntry(const char* menuName) const {
    for (const auto& [row, action] : m_commandEntries.asKeyValueRange())
        if (QLatin1String(row->menuName) == QLatin1String(menuName))
            return action;
    return nullptr;
}

QAction* MainCommands::CommandButton(const char* menuName) const {
    for (const CommandRow& row : CommandRows())
        if (row.toolbarIndex != 0 && QLatin1String(row.menuName) == QLatin1String(menuName))
            return tbarMainButtons[row.toolbarIndex];
    return nullptr;
}

void MainCommands::mnuFile_Click() {
    Handle("mnuFile_Click()", [&] {
        if (!m_form.IsLoggedIn()) {
            CommandEntry("mnuFileLogInOut")->setText(Support().Text(res::kMenuFileLogIn));
            return;
        }
        const CommandState state = CurrentCommandState();
        for (const auto& [row, action] : m_commandEntries.asKeyValueRange()) {
            if ((row->menu == CommandMenu::File || row->menu == CommandMenu::FileNew) &&
                row->enabling != Enabling::Always)
                action->setEnabled(IsEnabled(row->enabling, state));
        }
        CommandEntry("mnuFileLogInOut")->setText(Support().Text(res::kMenuFileLogOut));
    });
}

void MainCommands::mnuTools_Click() {
    Handle("mnuTools_Click()", [&] {
        const CommandState state = CurrentCommandState();
        mnuToolsLookUp->menuAction()->setEnabled(m_form.Session().IsAdmin());
        for (const auto& [row, action] : m_commandEntries.asKeyValueRange()) {
            if (row->menu == CommandMenu::Tools)
                action->setEnabled(IsEnabled(row->enabling, state));
        }
    });
}

void MainCommands::RefreshAfterSave() {
    ActionScope::MarkSaved(&m_form);
    m_tree->RefreshTreeviewStat();
}

void MainCommands::mnuFileNewMember_Click() {
    Handle("mnuFileNewMember_Click()", [&] {
        BusyScope busy(&m_form);
        // The tree's counts follow a saved record instead of going stale until the next log-in.
        if (Hub()->WindowLoader()->ShowPersonWindow(0, EnumFamilyGroup::None, 0) > 0)
            RefreshAfterSave();
    });
}

void MainCommands::mnuFileNewFamily_Click() {
    Handle("mnuFileNewFamily_Click()", [&] {
        BusyScope busy(&m_form);
        if (Hub()->WindowLoader()->ShowFamilyWindow(0) > 0)
            RefreshAfterSave();
    });
}

void MainCommands::mnuFileNewGroup_Click() {
    const bool ok = Handle("mnuFileNewGroup_Click()", [&] {
        BusyScope busy(&m_form);
        const int32_t result = Hub()->WindowLoader()->ShowGroupWindow(0);
        if (result > 0)
            RefreshAfterSave();
        bool listed = true;
        if (result > 0 && m_tree->SelectedKey() == QLatin1String("Group")) {
            listed = m_list->RefreshData(QString(), m_search->GroupTypeID(), QDateTime(), QDateTime()) >= 0;
            EnableToolbarButtons();
        }
        busy.End();
        if (!listed)
            Support().ShowReadFailure();
        m_list->Focus();
    });
    if (!ok)
        m_list->Reveal();
}

void MainCommands::mnuFileNewOffering_Click() {
    Handle("mnuFileNewOffering_Click()", [&] {
        BusyScope busy(&m_form);
        Hub()->WindowLoader()->ShowBatchOfferingWindow();
    });
}

void MainCommands::mnuFileNewExpense_Click() {
    Handle("mnuFileNewExpense_Click()", [&] {
        BusyScope busy(&m_form);
        Hub()->WindowLoader()->ShowBatchExpenseWindow();
    });
}

void MainCommands::mnuFileOpen_Click() {
    Handle("mnuFileOpen_Click()", [&] {
        QTreeWidgetItem* row = m_list->SelectedRow();
        if (!row)
            return;
        const int32_t id = GetIDFromKey(ListRowKey(row));
        BusyScope busy(&m_form);
        const KindCommands* kind = KindOf(m_tree->SelectedKey());
        const int32_t result = kind ? kind->open(*Hub()->WindowLoader(), id) : 0;
        if (result > 0) {
            MarkRowSaved(row);
            EnableToolbarButtons();
        }
    });
}

void MainCommands::mnuFileDelete_Click() {
    Handle("mnuFileDelete_Click()", [&] {
        QTreeWidgetItem* row = m_list->SelectedRow();
        if (!row)
            return;
        const int32_t id = GetIDFromKey(ListRowKey(row));
        if (Support().ShowMessage(res::kMsgConfirmDelete, kYesNoQuestion) != MessageResult::Yes)
            return;
        BusyScope busy(&m_form);
        const NodeSpec* node = NodeOf(m_tree->SelectedKey());
        const KindCommands* kind = node ? node->commands : nullptr;
        const int32_t result = kind ? kind->remove(*Hub()->DatabaseManager(), id) : 0;
        // A person who heads a family or a group is not deleted.
        if (node && node->listKind == RecordKind::Persons && (result == -2 || result == -3)) {
            busy.End();
            Support().ShowMessage(result == -2 ? res::kMsgFamilyHeadNotDeletable : res::kMsgGroupHeadNotDeletable,
                                  MessageStyle::Information);
            return;
        }
        if (result > 0) {
            m_list->RemoveRow(row);
            RefreshAfterSave();
            EnableToolbarButtons();
        }
    });
}

void MainCommands::mnuFilePrint_Click() {
    Handle("mnuFilePrint_Click()", [&] {
        QTreeWidgetItem* row = m_list->SelectedRow();
        if (!row)
            return;
        const int32_t id = GetIDFromKey(ListRowKey(row));
        BusyScope busy(&m_form);
        auto parameters = std::make_shared<platform::Dictionary>();
        auto printer = Hub()->ReportPrinter();
        printer->Clear();
        if (const KindCommands* kind = KindOf(m_tree->SelectedKey()); kind && kind->reportName) {
            printer->SetReportName(QLatin1String(kind->reportName));
            printer->SetPrintToFile(false);
        }
        parameters->SetItem(QStringLiteral("ID"), id);
        const EnumReportError result = printer->PrintReport(parameters);
        if (result != EnumReportError::Success) {
            QString message = GetReportErrorMessage(Hub(), result);
            // A report the printer does not know is a failure too, not an empty box.
            if (message.isEmpty())
                message = Support().Text(res::kMsgReportSystemError);
            busy.End();
            Support().ShowMessageText(message, MessageStyle::Information);
        }
        parameters->RemoveAll();
    });
}

void MainCommands::mnuFileLogInOut_Click() {
    Handle("mnuFileLogInOut_Click()", [&] {
        QAction* button = CommandButton("mnuFileLogInOut");
        if (m_form.IsLoggedIn()) {
            if (Support().ShowMessage(res::kMsgConfirmLogOut, kYesNoQuestion) == MessageResult::Yes)
                m_form.LogInOutRoutine(true);
            else
                button->setChecked(true);
            return;
        }
        BusyScope busy(&m_form);
        const auto hub = Hub();
        const int32_t id = hub->WindowLoader()->ShowLogInWindow();
        platform::RecordsetPtr user = id > 0 ? hub->DatabaseManager()->GetUserByID(id) : nullptr;
        if (!user || user->IsEOF()) {
            button->setChecked(false);
            return;
        }
        hub->SetCurrentUserID(AsLong(user->Field(QStringLiteral("ID"))));
        CSession& session = m_form.Session();
        session.SetUserID(AsLong(user->Field(QStringLiteral("ID"))));
        session.SetIsAdmin(AsBoolean(user->Field(QStringLiteral("IsAdmin"))));
        session.SetUsername(AsString(user->Field(QStringLiteral("Username"))));
        session.SetFullname(AsString(user->Field(QStringLiteral("Name"))));
        user->Close();
        busy.End();
        m_form.LogInOutRoutine(false);
    });
}

void MainCommands::mnuFileChangePassword_Click() {
    Handle("mnuFileChangePassword_Click()", [&] {
        BusyScope busy(&m_form);
        Hub()->WindowLoader()->ShowChangePasswordWindow(m_form.Session().Username(), QString());
    });
}

void MainCommands::mnuFileExit_Click() {
    Handle("mnuFileExit_Click()", [&] { m_form.close(); });
}

void MainCommands::mnuToolsList_Click(EnumWindowType type, const QString& handlerName) {
    Guard(kTraceObject, handlerName, [&] {
        BusyScope busy(&m_form);
        Hub()->WindowLoader()->ShowListWindow(type);
    });
}

void MainCommands::mnuToolsUser_Click() {
    mnuToolsList_Click(EnumWindowType::User, QStringLiteral("mnuToolsUser_Click()"));
}

void MainCommands::mnuToolsReport_Click() {
    Handle("mnuToolsReport_Click()", [&] {
        BusyScope busy(&m_form);
        Hub()->WindowLoader()->ShowReportWindow();
    });
}

void MainCommands::mnuToolsOptions_Click() {
    Handle("mnuToolsOptions_Click()", [&] {
        BusyScope busy(&m_form);
        Hub()->WindowLoader()->ShowOptionWindow();
        // A changed date format shows in the lists filled from now on.
        m_form.ApplyDateFormat();
    });
}

void MainCommands::mnuHelpContents_Click() {
    OpenHelp(
        kTraceObject, [this] { return m_form.Wrapper().HelpFile(); },
        HelpNotShownOver(&m_form, [this] { return m_form.Wrapper().Hub(); }));
}

void MainCommands::mnuHelpAbout_Click() {
    Handle("mnuHelpAbout_Click()", [&] {
        AboutForm about(m_form.Wrapper(), &m_form);
        if (about.UpdateForm() > 0)
            ModalRunner::Run(about);
    });
}

void MainCommands::tbarMain_ButtonClick(int index) {
    Handle("tbarMain_ButtonClick()", [&] {
        if (const CommandRow* row = CommandOnButton(index))
            (this->*row->handler)();
    });
}

void MainCommands::tbarMain_ButtonMenuClick(const QString& key) {
    Handle("tbarMain_ButtonMenuClick()", [&] {
        for (const CommandRow& row : CommandRows()) {
            if (row.dropDownKey && key == QLatin1String(row.dropDownKey))
                (this->*row.handler)();
        }
    });
}

void MainCommands::EnableToolbarButtons() {
    WriteTrace(QStringLiteral("EnableToolbarButtons()"));
    const CommandState state = CurrentCommandState();
    for (const CommandRow& row : CommandRows()) {
        if (row.toolbarIndex != 0)
            tbarMainButtons[row.toolbarIndex]->setEnabled(IsEnabled(row.enabling, state));
    }
    const NodeSpec* node = NodeOf(m_tree->SelectedKey());
    m_search->ShowBoxFor(node ? node->searchBox : SearchBox::None, state.loggedIn);
    if (state.loggedIn) {
        for (QAction* entry : tbarMainAddNewMenu->actions())
            entry->setEnabled(true);
    }
}

void MainCommands::EnableForLogIn(bool enable) {
    for (const auto& [row, action] : m_commandEntries.asKeyValueRange()) {
        if (row->menu == CommandMenu::File && row->enabling != Enabling::Always)
            action->setEnabled(enable);
    }
    mnuFileNew->menuAction()->setEnabled(enable);
    mnuTools->menuAction()->setEnabled(enable);
    mnuTools->menuAction()->setVisible(enable);
}

void MainCommands::ShowLoggedIn(bool loggedIn) {
    CommandButton("mnuFileLogInOut")->setChecked(loggedIn);
}

void MainCommands::OpenSelectedRow() {
    mnuFileOpen_Click();
}

} // namespace amb::ambrel
