#include "main/MainForm.h"

#include "main/Icons.h"
#include "main/MainFormHandle.h"

#include "common/ResourceIDs.h"
#include "common/widgets/DateBox.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

namespace amb::ambrel {

namespace {

// The look-up entries of Tools > Look-up Lists in menu order; a separator follows where marked.
struct LookUpEntry {
    const char* name;
    int32_t textId;
    EnumWindowType type;
    bool separatorAfter;
};

constexpr LookUpEntry kLookUpEntries[] = {
    {"mnuToolsLookUpAddressName", res::kMenuToolsLookUpAddressName, EnumWindowType::AddressName, false},
    {"mnuToolsLookUpEMailAddressName", res::kMenuToolsLookUpEMailAddressName, EnumWindowType::EMailAddressName, false},
    {"mnuToolsLookUpPhoneNumberName", res::kMenuToolsLookUpPhoneNumberName, EnumWindowType::PhoneNumberName, true},
    {"mnuToolsLookUpClassification", res::kMenuToolsLookUpClassification, EnumWindowType::MemberClassification, false},
    {"mnuToolsLookUpStatus", res::kMenuToolsLookUpStatus, EnumWindowType::MemberStatus, false},
    {"mnuToolsLookUpMaritalStatus", res::kMenuToolsLookUpMaritalStatus, EnumWindowType::MaritalStatus, false},
    {"mnuToolsLookUpTitle", res::kMenuToolsLookUpTitle, EnumWindowType::MemberTitle, true},
    {"mnuToolsLookUpPosition", res::kMenuToolsLookUpPosition, EnumWindowType::GroupPositionName, false},
    {"mnuToolsLookUpRelationship", res::kMenuToolsLookUpRelationship, EnumWindowType::FamilyRelationshipName, true},
    {"mnuToolsLookUpGroupType", res::kMenuToolsLookUpGroupType, EnumWindowType::GroupType, true},
    {"mnuToolsLookUpExpenseType", res::kMenuToolsLookUpExpenseType, EnumWindowType::ExpenseTypeName, false},
    {"mnuToolsLookUpOfferingType", res::kMenuToolsLookUpOfferingType, EnumWindowType::OfferingTypeName, false},
};

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

} // namespace

void MainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
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
        QAction* action = NewAction(this, row.menuName);
        if (row.shortcut != QKeySequence::UnknownKey)
            action->setShortcut(row.shortcut);
        if (row.separatorBefore)
            menu->addSeparator();
        menu->addAction(action);
        m_commandEntries.insert(&row, action);
        connect(action, &QAction::triggered, this, [this, handler = row.handler] { (this->*handler)(); });
    }
    const auto named = [this](const char* name) { return findChild<QAction*>(QLatin1String(name)); };
    mnuFileNewMember = named("mnuFileNewMember");
    mnuFileNewFamily = named("mnuFileNewFamily");
    mnuFileNewGroup = named("mnuFileNewGroup");
    mnuFileNewOffering = named("mnuFileNewOffering");
    mnuFileNewExpense = named("mnuFileNewExpense");
    mnuFileOpen = named("mnuFileOpen");
    mnuFileDelete = named("mnuFileDelete");
    mnuFilePrint = named("mnuFilePrint");
    mnuFileLogInOut = named("mnuFileLogInOut");
    mnuFileChangePassword = named("mnuFileChangePassword");
    mnuFileExit = named("mnuFileExit");
    mnuToolsReport = named("mnuToolsReport");
    mnuToolsUser = named("mnuToolsUser");
    mnuToolsOptions = named("mnuToolsOptions");
    mnuHelpContents = named("mnuHelpContents");
    mnuHelpAbout = named("mnuHelpAbout");

    mnuView = NewMenu(bar, "mnuView");
    mnuViewToolbar = NewAction(this, "mnuViewToolbar");
    mnuViewStatusBar = NewAction(this, "mnuViewStatusBar");
    mnuViewRefresh = NewAction(this, "mnuViewRefresh");
    mnuViewToolbar->setCheckable(true);
    mnuViewStatusBar->setCheckable(true);
    mnuViewRefresh->setShortcut(QKeySequence::Refresh);
    mnuView->addActions({mnuViewToolbar, mnuViewStatusBar});
    mnuView->addSeparator();
    mnuView->addAction(mnuViewRefresh);

    for (std::size_t i = 0; i < std::size(kLookUpEntries); ++i) {
        const LookUpEntry& entry = kLookUpEntries[i];
        QAction* action = NewAction(this, entry.name);
        mnuToolsLookUpEntries[i] = action;
        mnuToolsLookUp->addAction(action);
        if (entry.separatorAfter)
            mnuToolsLookUp->addSeparator();
        const QString handler = QLatin1String(entry.name) + QStringLiteral("_Click()");
        connect(action, &QAction::triggered, this,
                [this, type = entry.type, handler] { mnuToolsList_Click(type, handler); });
    }
    for (QMenu* menu : {mnuFile, mnuView, mnuTools, mnuHelp})
        bar->addMenu(menu);

    connect(mnuFile, &QMenu::aboutToShow, this, [this] { mnuFile_Click(); });
    connect(mnuTools, &QMenu::aboutToShow, this, [this] { mnuTools_Click(); });
    connect(mnuViewRefresh, &QAction::triggered, this, [this] { mnuViewRefresh_Click(); });
}

void MainForm::CreateToolBars() {
    tbarMain = addToolBar(QString());
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
        QAction* action = NewAction(this, row->toolbarKey);
        tbarMainButtons[index] = action;
        if (row->dropDownKey) {
            // The New button opens a new member on a click and offers the other kinds on its arrow.
            tbarMainAddNewMenu = new QMenu(this);
            tbarMainAddNewMenu->setObjectName(QStringLiteral("tbarMainAddNewMenu"));
            tbarMainAddNew = new QToolButton(tbarMain);
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

    addToolBarBreak(Qt::TopToolBarArea);
    tbarSearch = addToolBar(QString());
    tbarSearch->setObjectName(QStringLiteral("tbarSearch"));
    tbarSearch->setMovable(false);
    tbarSearch->setIconSize(QSize(16, 16));
    tbarSearch->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* boxes = new QWidget(tbarSearch);
    boxes->setObjectName(QStringLiteral("picSearchBoxes"));
    auto* layout = new QHBoxLayout(boxes);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    // Beside the boxes it names, so that a screen reader finds it as the shown box's label.
    lblSearchBand = new QLabel(boxes);
    lblSearchBand->setObjectName(QStringLiteral("lblSearchBand"));
    lblSearchBand->setContentsMargins(6, 0, 4, 0);
    layout->addWidget(lblSearchBand);
    cboSearchText = new QComboBox(boxes);
    cboSearchText->setObjectName(QStringLiteral("cboSearchText"));
    cboSearchText->setEditable(true);
    cboSearchText->setInsertPolicy(QComboBox::NoInsert);
    // What the user types is what is searched: the recent searches are offered in the drop-down
    // only, never completed into the text.
    cboSearchText->setCompleter(nullptr);
    cboSearchText->setMaxVisibleItems(kMaxRecentSearches);
    cboSearchText->setMinimumContentsLength(28);
    cboSearchText->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboGroupType = new QComboBox(boxes);
    cboGroupType->setObjectName(QStringLiteral("cboGroupType"));
    cboGroupType->setMinimumContentsLength(24);
    cboGroupType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboGroupType->setVisible(false);
    picDateBox = new QWidget(boxes);
    picDateBox->setObjectName(QStringLiteral("picDateBox"));
    auto* dateLayout = new QHBoxLayout(picDateBox);
    dateLayout->setContentsMargins(0, 0, 0, 0);
    dateLayout->setSpacing(4);
    lblDateFrom = new QLabel(picDateBox);
    lblDateFrom->setObjectName(QStringLiteral("lblDateFrom"));
    dtpStart = new DateBox(picDateBox);
    dtpStart->setObjectName(QStringLiteral("dtpStart"));
    lblDash = new QLabel(picDateBox);
    lblDash->setObjectName(QStringLiteral("lblDash"));
    dtpEnd = new DateBox(picDateBox);
    dtpEnd->setObjectName(QStringLiteral("dtpEnd"));
    // Each date has its label: "From" before the start, and between the dates "To".
    lblDateFrom->setBuddy(dtpStart);
    lblDash->setBuddy(dtpEnd);
    lblSearchBand->setBuddy(cboSearchText);
    for (QDateTimeEdit* picker : {dtpStart, dtpEnd}) {
        picker->setCalendarPopup(true);
        picker->setTimeSpec(Qt::UTC);
        picker->setMinimumWidth(120);
    }
    dateLayout->addWidget(lblDateFrom);
    dateLayout->addWidget(dtpStart);
    dateLayout->addWidget(lblDash);
    dateLayout->addWidget(dtpEnd);
    layout->addWidget(cboSearchText);
    layout->addWidget(cboGroupType);
    layout->addWidget(picDateBox);
    tbarSearchButtons[1] = tbarSearch->addWidget(boxes);
    tbarSearchButtons[2] = NewAction(this, "tbarSearchButton2");
    tbarSearchButtons[2]->setIcon(ToolIcon(ToolImage::Search));
    tbarSearch->addAction(tbarSearchButtons[2]);
    connect(tbarSearchButtons[2], &QAction::triggered, this, [this] { tbarSearch_ButtonClick(2); });

    // Enter in any search box starts the search. The editable box's keys arrive at the box itself, which
    // hands them to its line edit without passing that edit's event filters.
    for (QWidget* box : {static_cast<QWidget*>(cboSearchText), static_cast<QWidget*>(cboGroupType),
                         static_cast<QWidget*>(dtpStart), static_cast<QWidget*>(dtpEnd)})
        box->installEventFilter(this);
}

void MainForm::SetControlCaption() {
    WriteTrace(QStringLiteral("SetControlCaption()"));
    const std::pair<QMenu*, int32_t> menus[] = {
        {mnuFile, res::kMenuFile},   {mnuFileNew, res::kMenuFileNew},         {mnuView, res::kMenuView},
        {mnuTools, res::kMenuTools}, {mnuToolsLookUp, res::kMenuToolsLookUp}, {mnuHelp, res::kMenuHelp},
    };
    for (const auto& [menu, id] : menus)
        menu->setTitle(m_support.Text(id));
    const std::pair<QAction*, int32_t> actions[] = {
        {mnuViewRefresh, res::kMenuViewRefresh},
        {mnuViewStatusBar, res::kMenuViewStatusBar},
        {mnuViewToolbar, res::kMenuViewToolbar},
    };
    for (const auto& [action, id] : actions)
        action->setText(m_support.Text(id));
    for (const auto& [row, action] : m_commandEntries.asKeyValueRange())
        action->setText(m_support.Text(row->menuTextId));
    for (std::size_t i = 0; i < std::size(kLookUpEntries); ++i)
        mnuToolsLookUpEntries[i]->setText(m_support.Text(kLookUpEntries[i].textId));
    lblSearchBand->setText(m_support.Text(res::kLabelSearchBand));
    lblDateFrom->setText(m_support.Text(res::kLabelRangeFrom));
    lblDash->setText(m_support.Text(res::kLabelRangeTo));
    tbarSearchButtons[2]->setText(m_support.Text(res::kTitleSearch));
    tbarMain->setAccessibleName(mnuViewToolbar->text().remove(QLatin1Char('&')));
    tbarSearch->setAccessibleName(lblSearchBand->text().trimmed());
    lstvwBirthday->setAccessibleName(m_support.Text(res::kTextBirthday) + QStringLiteral(", ") +
                                     m_support.Text(res::kTextAnniversary));
}

void MainForm::ConfigureToolBar() {
    WriteTrace(QStringLiteral("ConfigureToolBar()"));
    for (const CommandRow& row : CommandRows()) {
        if (row.toolbarIndex == 0)
            continue;
        QAction* button = tbarMainButtons[row.toolbarIndex];
        button->setText(m_support.Text(row.toolTextId));
        button->setToolTip(row.toolTipId ? m_support.Text(row.toolTipId) : QString());
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
        QAction* action = tbarMainAddNewMenu->addAction(m_support.Text(row.dropDownTextId));
        action->setObjectName(QLatin1String(row.dropDownKey));
        connect(action, &QAction::triggered, this,
                [this, key = QString::fromLatin1(row.dropDownKey)] { tbarMain_ButtonMenuClick(key); });
    }
}

} // namespace amb::ambrel
