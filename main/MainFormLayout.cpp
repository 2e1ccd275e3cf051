#include "main/Commands.h"

#include "main/Icons.h"

#include "common/LookupKinds.h"
#include "common/ResourceIDs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace amb::ambrel {

QAction* NewAction(QObject* parent, const char* name) {
    auto* action = new QAction(parent);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* NewMenu(QWidget* parent, const char* name) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

MainCommands::MainCommands(MainForm& form, QMenu* viewMenu) : MainArea(form) {
    CreateMenus(viewMenu);
    CreateToolBar();
}

void MainCommands::CreateMenus(QMenu* viewMenu) {
    QMenuBar* bar = m_form.menuBar();
    mnuFile = NewMenu(bar, "mnuFile");
    mnuFileNew = NewMenu(mnuFile, "mnuFileNew");
    mnuTools = NewMenu(bar, "mnuTools");
    mnuToolsLookUp = NewMenu(mnuTools, "mnuToolsLookUp");
    mnuHelp = NewMenu(bar, "mnuHelp");
    mnuFile->addMenu(mnuFileNew);
    mnuTools->addMenu(mnuToolsLookUp);
    const std::pair<CommandMenu, QMenu*> menus[] = {{CommandMenu::FileNew, mnuFileNew},
                                                    {CommandMenu::File, mnuFile},
                                                    {CommandMenu::Tools, mnuTools},
                                                    {CommandMenu::Help, mnuHelp}};
    for (const CommandRow& row : CommandRows()) {
        QMenu* menu = std::find_if(std::begin(menus), std::end(menus), [&](const auto& m) {
                          return m.first == row.menu;
                      })->second;
        QAction* action = NewAction(&m_form, row.menuName);
        if (row.shortcut != QKeySequence::UnknownKey)
            action->setShortcut(row.shortcut);
        if (row.separatorBefore)
            menu->addSeparator();
        menu->addAction(action);
        m_commandEntries.insert(&row, action);
        connect(action, &QAction::triggered, this, [this, handler = row.handler] { (this->*handler)(); });
    }
    for (std::size_t i = 0; i < kLookupMenu.size(); ++i) {
        const LookupKind& kind = *kLookupMenu[i];
        QAction* action = NewAction(&m_form, kind.menu.name);
        mnuToolsLookUpEntries[i] = action;
        mnuToolsLookUp->addAction(action);
        if (kind.menu.separatorAfter)
            mnuToolsLookUp->addSeparator();
        const QString handler = QLatin1String(kind.menu.name) + QStringLiteral("_Click()");
        connect(action, &QAction::triggered, this,
                [this, type = *kind.window, handler] { mnuToolsList_Click(type, handler); });
    }
    for (QMenu* menu : {mnuFile, viewMenu, mnuTools, mnuHelp})
        bar->addMenu(menu);

    connect(mnuFile, &QMenu::aboutToShow, this, [this] { mnuFile_Click(); });
    connect(mnuTools, &QMenu::aboutToShow, this, [this] { mnuTools_Click(); });
}

void MainCommands::CreateToolBar() {
    tbarMain = m_form.addToolBar(QString());
    tbarMain->setObjectName(QStringLiteral("tbarMain"));
    tbarMain->setMovable(false);
    tbarMain->setIconSize(QSize(16, 16));
    tbarMain->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (int index = 1; index < kToolbarButtons; ++index) {
        const CommandRow* row = CommandOnButton(index);
        if (!row) {
            tbarMain->addSeparator();
            continue;
        }
        QAction* action = NewAction(&m_form, row->toolbarKey);
        tbarMainButtons[index] = action;
        if (row->dropDownKey) {
            // The New button opens a new member on a click and offers the other kinds on its arrow.
            tbarMainAddNewMenu = new QMenu(&m_form);
            tbarMainAddNewMenu->setObjectName(QStringLiteral("tbarMainAddNewMenu"));
            auto* tbarMainAddNew = new QToolButton(tbarMain);
            tbarMainAddNew->setObjectName(QStringLiteral("tbarMainAddNew"));
            tbarMainAddNew->setDefaultAction(action);
            tbarMainAddNew->setMenu(tbarMainAddNewMenu);
            tbarMainAddNew->setPopupMode(QToolButton::MenuButtonPopup);
            tbarMainAddNew->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            tbarMain->addWidget(tbarMainAddNew);
        } else {
            tbarMain->addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, index] { tbarMain_ButtonClick(index); });
    }
    CommandButton("mnuFileLogInOut")->setCheckable(true);
}

void MainCommands::SetCaptions() {
    const std::pair<QMenu*, int32_t> menus[] = {
        {mnuFile, res::kMenuFile},   {mnuFileNew, res::kMenuFileNew},
        {mnuTools, res::kMenuTools}, {mnuToolsLookUp, res::kMenuToolsLookUp},
        {mnuHelp, res::kMenuHelp},
    };
    for (const auto& [menu, id] : menus)
        menu->setTitle(Support().Text(id));
    for (const auto& [row, action] : m_commandEntries.asKeyValueRange())
        action->setText(Support().Text(row->menuTextId));
    for (std::size_t i = 0; i < kLookupMenu.size(); ++i)
        mnuToolsLookUpEntries[i]->setText(Support().Text(kLookupMenu[i]->menu.text));
}

void MainCommands::ConfigureToolBar() {
    WriteTrace(QStringLiteral("ConfigureToolBar()"));
    for (const CommandRow& row : CommandRows()) {
        if (row.toolbarIndex == 0)
            continue;
        QAction* button = tbarMainButtons[row.toolbarIndex];
        const QString text = Support().Text(row.toolTextId);
        button->setText(text);
        button->setToolTip(row.toolTip ? text : QString());
        button->setIcon(ToolIcon(row.image));
        // As logged out.
        button->setEnabled(IsEnabled(row.enabling, CommandState()));
    }
    CommandButton("mnuFileLogInOut")->setChecked(false);
    tbarMainAddNewMenu->clear();
    for (const CommandRow& row : CommandRows()) {
        if (!row.dropDownKey)
            continue;
        if (row.separatorBefore)
            tbarMainAddNewMenu->addSeparator();
        QAction* action = tbarMainAddNewMenu->addAction(Support().Text(row.dropDownTextId));
        action->setObjectName(QLatin1String(row.dropDownKey));
        connect(action, &QAction::triggered, this,
                [this, key = QString::fromLatin1(row.dropDownKey)] { tbarMain_ButtonMenuClick(key); });
    }
}

} // namespace amb::ambrel
