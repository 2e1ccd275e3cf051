#include "main/MainForm.h"

#include "main/Icons.h"
#include "main/MainFormHandle.h"

#include "common/LookupKinds.h"
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

namespace amb::ambrel {

namespace {

// The main toolbar's buttons by index (separators are the missing indexes 2, 5, 7, 9).
struct ToolButtonSpec {
    int index;
    const char* key;
    int32_t textId;
    int32_t tooltipId; // 0: no tooltip
    ToolImage image;
};

constexpr ToolButtonSpec kToolButtons[] = {
    {1, "LogInOut", res::kToolLogInOut, 0, ToolImage::LogInOut},
    {3, "AddNew", res::kToolNew, 0, ToolImage::New},
    {4, "Open", res::kToolOpen, res::kToolOpen, ToolImage::Open},
    {6, "Delete", res::kToolDelete, res::kToolDelete, ToolImage::Delete},
    {8, "Print", res::kToolPrint, res::kToolPrint, ToolImage::Print},
    {10, "Report", res::kToolReport, res::kToolReport, ToolImage::Report},
};

// The drop-down of button 3; an empty key is the separator.
struct DropDownSpec {
    const char* key;
    int32_t textId;
};

constexpr DropDownSpec kAddNewEntries[] = {
    {"NewMember", res::kToolNewMember},     {"NewFamily", res::kToolNewFamily},
    {"NewGroup", res::kToolNewGroup},       {"", 0},
    {"NewOffering", res::kToolNewOffering}, {"NewExpense", res::kToolNewExpense},
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
    mnuFileNewMember = NewAction(this, "mnuFileNewMember");
    mnuFileNewFamily = NewAction(this, "mnuFileNewFamily");
    mnuFileNewGroup = NewAction(this, "mnuFileNewGroup");
    mnuFileNewOffering = NewAction(this, "mnuFileNewOffering");
    mnuFileNewExpense = NewAction(this, "mnuFileNewExpense");
    mnuFileNew->addActions({mnuFileNewMember, mnuFileNewFamily, mnuFileNewGroup});
    mnuFileNew->addSeparator();
    mnuFileNew->addActions({mnuFileNewOffering, mnuFileNewExpense});
    mnuFileOpen = NewAction(this, "mnuFileOpen");
    mnuFileDelete = NewAction(this, "mnuFileDelete");
    mnuFilePrint = NewAction(this, "mnuFilePrint");
    mnuFileLogInOut = NewAction(this, "mnuFileLogInOut");
    mnuFileChangePassword = NewAction(this, "mnuFileChangePassword");
    mnuFileExit = NewAction(this, "mnuFileExit");
    mnuFile->addMenu(mnuFileNew);
    mnuFile->addAction(mnuFileOpen);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuFileDelete);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuFilePrint);
    mnuFile->addSeparator();
    mnuFile->addActions({mnuFileLogInOut, mnuFileChangePassword});
    mnuFile->addSeparator();
    mnuFile->addAction(mnuFileExit);

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

    mnuTools = NewMenu(bar, "mnuTools");
    mnuToolsLookUp = NewMenu(mnuTools, "mnuToolsLookUp");
    static_assert(std::tuple_size_v<decltype(mnuToolsLookUpEntries)> == kLookupMenu.size(),
                  "one action per entry of Tools > Look-up Lists");
    for (std::size_t i = 0; i < kLookupMenu.size(); ++i) {
        const LookupKind& kind = *kLookupMenu[i];
        QAction* action = NewAction(this, kind.menu.name);
        mnuToolsLookUpEntries[i] = action;
        mnuToolsLookUp->addAction(action);
        if (kind.menu.separatorAfter)
            mnuToolsLookUp->addSeparator();
        const QString handler = QLatin1String(kind.menu.name) + QStringLiteral("_Click()");
        connect(action, &QAction::triggered, this,
                [this, type = *kind.window, handler] { mnuToolsList_Click(type, handler); });
    }
    mnuToolsReport = NewAction(this, "mnuToolsReport");
    mnuToolsUser = NewAction(this, "mnuToolsUser");
    mnuToolsOptions = NewAction(this, "mnuToolsOptions");
    mnuTools->addMenu(mnuToolsLookUp);
    mnuTools->addSeparator();
    mnuTools->addAction(mnuToolsReport);
    mnuTools->addSeparator();
    mnuTools->addAction(mnuToolsUser);
    mnuTools->addSeparator();
    mnuTools->addAction(mnuToolsOptions);

    mnuHelp = NewMenu(bar, "mnuHelp");
    mnuHelpContents = NewAction(this, "mnuHelpContents");
    mnuHelpContents->setShortcut(QKeySequence::HelpContents);
    mnuHelpAbout = NewAction(this, "mnuHelpAbout");
    mnuHelp->addAction(mnuHelpContents);
    mnuHelp->addSeparator();
    mnuHelp->addAction(mnuHelpAbout);

    for (QMenu* menu : {mnuFile, mnuView, mnuTools, mnuHelp})
        bar->addMenu(menu);

    connect(mnuFile, &QMenu::aboutToShow, this, [this] { mnuFile_Click(); });
    connect(mnuTools, &QMenu::aboutToShow, this, [this] { mnuTools_Click(); });
    connect(mnuFileNewMember, &QAction::triggered, this, [this] { mnuFileNewMember_Click(); });
    connect(mnuFileNewFamily, &QAction::triggered, this, [this] { mnuFileNewFamily_Click(); });
    connect(mnuFileNewGroup, &QAction::triggered, this, [this] { mnuFileNewGroup_Click(); });
    connect(mnuFileNewOffering, &QAction::triggered, this, [this] { mnuFileNewOffering_Click(); });
    connect(mnuFileNewExpense, &QAction::triggered, this, [this] { mnuFileNewExpense_Click(); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { mnuFileOpen_Click(); });
    connect(mnuFileDelete, &QAction::triggered, this, [this] { mnuFileDelete_Click(); });
    connect(mnuFilePrint, &QAction::triggered, this, [this] { mnuFilePrint_Click(); });
    connect(mnuFileLogInOut, &QAction::triggered, this, [this] { mnuFileLogInOut_Click(); });
    connect(mnuFileChangePassword, &QAction::triggered, this, [this] { mnuFileChangePassword_Click(); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { mnuFileExit_Click(); });
    connect(mnuViewRefresh, &QAction::triggered, this, [this] { mnuViewRefresh_Click(); });
    connect(mnuToolsReport, &QAction::triggered, this, [this] { mnuToolsReport_Click(); });
    connect(mnuToolsUser, &QAction::triggered, this,
            [this] { mnuToolsList_Click(EnumWindowType::User, QStringLiteral("mnuToolsUser_Click()")); });
    connect(mnuToolsOptions, &QAction::triggered, this, [this] { mnuToolsOptions_Click(); });
    connect(mnuHelpContents, &QAction::triggered, this, [this] { mnuHelpContents_Click(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
}

void MainForm::CreateToolBars() {
    tbarMain = addToolBar(QString());
    tbarMain->setObjectName(QStringLiteral("tbarMain"));
    tbarMain->setMovable(false);
    tbarMain->setIconSize(QSize(16, 16));
    tbarMain->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    int next = 1;
    for (const ToolButtonSpec& spec : kToolButtons) {
        for (; next < spec.index; ++next)
            tbarMain->addSeparator();
        QAction* action = NewAction(this, spec.key);
        tbarMainButtons[spec.index] = action;
        if (spec.index == 3) {
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
        connect(action, &QAction::triggered, this, [this, index = spec.index] { tbarMain_ButtonClick(index); });
        next = spec.index + 1;
    }
    tbarMainButtons[1]->setCheckable(true);

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
        {mnuFileChangePassword, res::kMenuFileChangePassword},
        {mnuFileDelete, res::kMenuFileDelete},
        {mnuFileExit, res::kMenuFileExit},
        {mnuFileLogInOut, res::kMenuFileLogIn},
        {mnuFileNewFamily, res::kMenuFileNewFamily},
        {mnuFileNewGroup, res::kMenuFileNewGroup},
        {mnuFileNewMember, res::kMenuFileNewMember},
        {mnuFileNewOffering, res::kMenuFileNewOffering},
        {mnuFileNewExpense, res::kMenuFileNewExpense},
        {mnuFileOpen, res::kMenuFileOpen},
        {mnuFilePrint, res::kMenuFilePrint},
        {mnuHelpContents, res::kMenuHelpContents},
        {mnuHelpAbout, res::kMenuHelpAbout},
        {mnuToolsReport, res::kMenuToolsReport},
        {mnuToolsUser, res::kMenuToolsUser},
        {mnuToolsOptions, res::kMenuToolsOptions},
        {mnuViewRefresh, res::kMenuViewRefresh},
        {mnuViewStatusBar, res::kMenuViewStatusBar},
        {mnuViewToolbar, res::kMenuViewToolbar},
    };
    for (const auto& [action, id] : actions)
        action->setText(m_support.Text(id));
    for (std::size_t i = 0; i < kLookupMenu.size(); ++i)
        mnuToolsLookUpEntries[i]->setText(m_support.Text(kLookupMenu[i]->menu.text));
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
    for (const ToolButtonSpec& spec : kToolButtons) {
        QAction* button = tbarMainButtons[spec.index];
        button->setText(m_support.Text(spec.textId));
        button->setToolTip(spec.tooltipId ? m_support.Text(spec.tooltipId) : QString());
        button->setIcon(ToolIcon(spec.image));
        button->setEnabled(spec.index == 1);
    }
    tbarMainButtons[1]->setChecked(false);
    tbarMainAddNewMenu->clear();
    for (const DropDownSpec& entry : kAddNewEntries) {
        if (entry.textId == 0) {
            tbarMainAddNewMenu->addSeparator();
            continue;
        }
        QAction* action = tbarMainAddNewMenu->addAction(m_support.Text(entry.textId));
        action->setObjectName(QLatin1String(entry.key));
        connect(action, &QAction::triggered, this,
                [this, key = QString::fromLatin1(entry.key)] { tbarMain_ButtonMenuClick(key); });
    }
}

} // namespace amb::ambrel
