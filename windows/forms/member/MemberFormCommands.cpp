#include "windows/forms/member/MemberForm.h"

#include "common/widgets/ListItem.h"
#include "common/widgets/ListKeys.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

// The commands on the pages of the person window: page changes, header sorts, row clicks, and the
// places where the list commands (double-click, New, Edit, Delete, Send) open their windows.
namespace amb::windows {

void MemberForm::tabMain_Click() {
    Handle(QStringLiteral("tabMain_Click()"), [&] {
        const int page = tabMain->currentIndex();
        if (page < 0 || page > 6)
            return;
        // Exactly the controls of the page shown are enabled; the note page holds only the note.
        for (const ListControls& l : m_lists) {
            l.list->setEnabled(l.page == page);
            if (l.toolbar)
                l.toolbar->setEnabled(l.page == page);
        }
        cboOfferingType->setEnabled(page == ListOf(kOfferings).page);
        txtNote->setEnabled(page == 6);
    });
}

void MemberForm::tabName_Click() {
    Handle(QStringLiteral("tabName_Click()"), [&] {
        const int page = tabName->currentIndex();
        if (page != 0 && page != 1)
            return;
        // The texts of the fields switched off stay as they are and are still saved.
        txtLanguageName->setEnabled(page == 0);
        for (QLineEdit* part : {txtFirstName, txtMiddleName, txtLastName, txtSuffix})
            part->setEnabled(page == 1);
    });
}

void MemberForm::List_ColumnClick(QTreeWidget* list, const QString& procedure, int column) {
    Handle(procedure, [&] {
        WindowBusy busy(this);
        SortListViewByColumn(list, column);
    });
}

void MemberForm::List_ItemClick(int32_t mask, const QString& procedure) {
    Handle(procedure, [&] { EnableToolbarButtons(mask); });
}

void MemberForm::ConnectListCommands() {
    connect(tabMain, &QTabWidget::currentChanged, this, [this] { tabMain_Click(); });
    connect(tabName, &QTabWidget::currentChanged, this, [this] { tabName_Click(); });

    struct Commands {
        int32_t bit;
        const char* name;
        bool sorts;     // the offering list is not sorted by its headers
        bool itemClick; // the family and group lists have no row-click command
    };
    const Commands commands[] = {
        {kAddresses, "lstvwAddress", true, true},
        {kPhoneNumbers, "lstvwPhoneNumber", true, true},
        {kEMailAddresses, "lstvwEMailAddress", true, true},
        {kFamilies, "lstvwFamily", true, false},
        {kGroups, "lstvwGroup", true, false},
        {kOfferings, "lstvwOffering", false, true},
    };
    for (const Commands& c : commands) {
        QTreeWidget* list = ListOf(c.bit).list;
        const QString name = QString::fromLatin1(c.name);
        if (c.sorts)
            connect(list->header(), &QHeaderView::sectionClicked, this, [this, list, name](int column) {
                List_ColumnClick(list, name + QStringLiteral("_ColumnClick()"), column);
            });
        if (c.itemClick)
            connect(list, &QTreeWidget::itemSelectionChanged, this,
                    [this, c, name] { List_ItemClick(c.bit, name + QStringLiteral("_ItemClick()")); });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this, c] { List_DblClick(c.bit); });
        if (QToolBar* bar = ListOf(c.bit).toolbar) {
            const QList<QAction*> buttons = bar->actions();
            for (int i = 0; i < buttons.size(); ++i)
                connect(buttons[i], &QAction::triggered, this,
                        [this, c, position = i + 1] { Toolbar_ButtonClick(c.bit, position); });
            MakeToolbarTabbable(bar, list);
            BindListKeys(list, {.create = PressOf(ToolbarButton(bar, 1)),
                                .open = PressOf(ToolbarButton(bar, 2)),
                                .remove = PressOf(ToolbarButton(bar, 3))});
        } else {
            BindListKeys(list, {.create = {}, .open = [this, c] { List_DblClick(c.bit); }, .remove = {}});
        }
    }
}

} // namespace amb::windows
