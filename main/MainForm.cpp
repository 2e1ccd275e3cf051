#include "main/MainForm.h"

#include "main/Icons.h"
#include "main/MainFormHandle.h"

#include "common/Backup.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace amb::ambrel {

namespace {

// Twips at the usual 96 dots per inch: 15 to the pixel.
constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}

} // namespace

MainForm::MainForm(std::unique_ptr<AppWrapper> wrapper, QWidget* parent)
    : QMainWindow(parent), m_wrapper(std::move(wrapper)), m_support(*this, kTraceObject, [this] { return Hub(); }) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(ProgramIcon());
    CreateControls();
    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    ConnectControls();
    // The session ending closes the window without the question.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { m_askOnClose = false; });
}

MainForm::~MainForm() {
    Form_Terminate();
}

bool MainForm::IsLoggedIn() const {
    return m_wrapper->Session() && m_wrapper->Session()->UserID() > 0;
}

void MainForm::Form_Initialize() {
    m_lastSearchText.clear();
    m_wrapper->InitializeApplication();
    auto hub = Hub();
    if (hub->AutoBackUp()) {
        QString errorText;
        const BackUpResult result = BackUpDatabase(hub->AppDir(), hub->BackUpDir(), &errorText);
        if (result != BackUpResult::Done) {
            // The run goes on, but nobody should believe a backup was made.
            WriteLogLine(kTraceObject, QStringLiteral("Form_Initialize()"), errorText, 9);
            m_support.ShowMessage(result == BackUpResult::Damaged ? res::kMsgBackUpDamaged : res::kMsgBackUpFailed,
                                  MessageStyle::Exclamation);
        }
    }
    m_wrapper->SetHelpFile();
}

void MainForm::Form_Terminate() noexcept {
    if (m_terminated)
        return;
    m_terminated = true;
    m_lastSearchText.clear();
    if (timMain)
        timMain->stop();
    m_wrapper->TerminateApplication();
}

void MainForm::CreateControls() {
    spltMain = new QSplitter(Qt::Vertical, this);
    spltMain->setObjectName(QStringLiteral("spltMain"));
    spltMain->setChildrenCollapsible(false);
    spltTop = new QSplitter(Qt::Horizontal, spltMain);
    spltTop->setObjectName(QStringLiteral("spltTop"));
    spltTop->setChildrenCollapsible(false);

    trvwIcon = new QTreeWidget(spltTop);
    trvwIcon->setObjectName(QStringLiteral("trvwIcon"));
    trvwIcon->setHeaderHidden(true);
    trvwIcon->setColumnCount(1);
    trvwIcon->setIconSize(QSize(16, 16));
    trvwIcon->setUniformRowHeights(true);
    trvwIcon->installEventFilter(this);
    trvwIcon->viewport()->installEventFilter(this);

    lstvwData = new QTreeWidget(spltTop);
    lstvwData->setObjectName(QStringLiteral("lstvwData"));
    lstvwData->setRootIsDecorated(false);
    lstvwData->setUniformRowHeights(true);
    lstvwData->setAllColumnsShowFocus(true);
    lstvwData->setSelectionMode(QAbstractItemView::SingleSelection);
    lstvwData->setIconSize(QSize(16, 16));
    lstvwData->setColumnCount(0);
    lstvwData->header()->setStretchLastSection(false);
    lstvwData->installEventFilter(this);

    lstvwBirthday = new QTreeWidget(spltMain);
    lstvwBirthday->setObjectName(QStringLiteral("lstvwBirthday"));
    lstvwBirthday->setRootIsDecorated(false);
    lstvwBirthday->setUniformRowHeights(true);
    lstvwBirthday->setAllColumnsShowFocus(true);
    lstvwBirthday->setSelectionMode(QAbstractItemView::SingleSelection);
    lstvwBirthday->setColumnCount(0);
    lstvwBirthday->setHeaderHidden(true);
    lstvwBirthday->installEventFilter(this);

    spltTop->setStretchFactor(0, 0);
    spltTop->setStretchFactor(1, 1);
    spltMain->setStretchFactor(0, 3);
    spltMain->setStretchFactor(1, 1);
    setCentralWidget(spltMain);

    timMain = new QTimer(this);
    timMain->setObjectName(QStringLiteral("timMain"));
}

void MainForm::CreateStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbarMain"));
    // Panel widths as designed: 4485, 2880 and 1440 twips (minimums 1440, 2880, 1440).
    const int minimum[] = {1440, 2880, 1440};
    const int width[] = {4485, 2880, 1440};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("sbarPanel%1").arg(i + 1));
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(TwipsToPixels(minimum[i]));
        panel->resize(TwipsToPixels(width[i]), panel->height());
        panel->setContentsMargins(4, 0, 4, 0);
        sbarPanels[i] = panel;
    }
    bar->addWidget(sbarPanels[0], 1);
    bar->addWidget(sbarPanels[1], 0);
    bar->addPermanentWidget(sbarPanels[2], 0);
}

void MainForm::ConnectControls() {
    connect(timMain, &QTimer::timeout, this, &MainForm::timMain_Timer);
    connect(mnuViewToolbar, &QAction::triggered, this, [this] { mnuViewToolbar_Click(); });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] { mnuViewStatusBar_Click(); });
    // A node chosen with the mouse, when the click ends: choosing it at the press would be undone by
    // the press's own selection, leaving a parent node highlighted. A node reached otherwise (typing
    // its first letter) is chosen at once, the focus kept in the tree. Selections made by the window
    // itself are silent.
    connect(trvwIcon, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { trvwIcon_NodeClick(node); });
    connect(trvwIcon, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (node && !m_treeMouseDown)
            ChooseNode(node, false);
    });
    connect(lstvwData->header(), &QHeaderView::sectionClicked, this, [this](int c) { lstvwData_ColumnClick(c); });
    connect(lstvwData, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwData_DblClick(); });
    connect(lstvwData, &QTreeWidget::itemClicked, this, [this] { lstvwData_ItemClick(); });
    // A row chosen with the arrow keys counts as clicked.
    connect(lstvwData, &QTreeWidget::itemSelectionChanged, this, [this] { lstvwData_ItemClick(); });
    connect(lstvwBirthday->header(), &QHeaderView::sectionClicked, this,
            [this](int c) { lstvwBirthday_ColumnClick(c); });
    connect(lstvwBirthday, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwBirthday_DblClick(); });
}

int32_t MainForm::UpdateForm() {
    WriteTrace(QStringLiteral("UpdateForm()"));
    auto hub = Hub();
    setWindowTitle(hub->CompanyName());

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    setGeometry(area.x() + TwipsToPixels(120), area.y() + TwipsToPixels(120), area.width() * 3 / 4,
                area.height() * 3 / 4);

    timMain_Timer();
    timMain->stop();
    timMain->setInterval(1000);
    timMain->start();

    mnuViewStatusBar->setChecked(true);
    mnuViewToolbar->setChecked(true);
    statusBar()->setVisible(true);
    tbarMain->setVisible(true);
    tbarSearch->setVisible(true);

    lstvwData->clear();
    cboSearchText->setEditText(QString());

    ApplyDateFormat();
    dtpStart->setDateTime(FirstDayOfMonth(platform::Now()));
    dtpEnd->setDateTime(LastDayOfMonth(platform::Now()));

    InitializeComboBoxes();
    ShowSearchTextComboBox(true);
    ShowDateRangeBox(false);
    SetControlCaption();
    ConfigureToolBar();
    RefreshTreeView();
    InitializeSpliter();
    EnableForm(false);
    return 1;
}

void MainForm::InitializeSpliter() {
    WriteTrace(QStringLiteral("InitializeSpliter()"));
    lstvwBirthday->setMinimumHeight(TwipsToPixels(1000));
    trvwIcon->setMinimumWidth(TwipsToPixels(1500));
    trvwIcon->setMinimumHeight(TwipsToPixels(1500));
    lstvwData->setMinimumHeight(TwipsToPixels(1500));
    const int treeWidth = std::max(TwipsToPixels(m_treeWidth), TwipsToPixels(1500));
    spltTop->setSizes({treeWidth, std::max(1, width() - treeWidth)});
    // Three quarters for the tree and the list, a quarter for the birthdays.
    const int height = std::max(4, spltMain->height() > 0 ? spltMain->height() : this->height());
    spltMain->setSizes({height * 3 / 4, height / 4});
}

void MainForm::timMain_Timer() {
    auto hub = Hub();
    if (!hub)
        return;
    const QString pattern = hub->DateFormat();
    sbarPanels[2]->setText(platform::Now().toString(DatePattern(pattern)));
}

void MainForm::mnuViewToolbar_Click() {
    Handle("mnuViewToolbar_Click()", [&] {
        const bool visible = mnuViewToolbar->isChecked();
        tbarMain->setVisible(visible);
        tbarSearch->setVisible(visible);
    });
}

void MainForm::mnuViewStatusBar_Click() {
    Handle("mnuViewStatusBar_Click()", [&] { statusBar()->setVisible(mnuViewStatusBar->isChecked()); });
}

void MainForm::EnableForm(bool enable) {
    WriteTrace(QStringLiteral("EnableForm()"));
    for (const auto& [row, action] : m_commandEntries.asKeyValueRange()) {
        if (row->menu == CommandMenu::File && row->enabling != Enabling::Always)
            action->setEnabled(enable);
    }
    mnuFileNew->menuAction()->setEnabled(enable);
    // Switching a menu off leaves the shortcuts of its entries working; F5 must not refresh while
    // nobody is logged in.
    mnuViewRefresh->setEnabled(enable);
    for (QMenu* menu : {mnuView, mnuTools}) {
        menu->menuAction()->setEnabled(enable);
        menu->menuAction()->setVisible(enable);
    }
    EnableToolbarButtons();
    spltMain->setEnabled(enable);
    spltMain->setVisible(enable);
    trvwIcon->setEnabled(enable);
    lstvwData->setEnabled(enable);
    statusBar()->setEnabled(enable);
}

void MainForm::InitializeComboBoxes() {
    WriteTrace(QStringLiteral("InitializeComboBoxes()"));
    FillComboBox(cboGroupType, Hub()->DatabaseManager()->GetLookupGroupType(EnumLookupOption::IncludeAll),
                 QStringLiteral("Name"), QStringLiteral("ID"), false);
}

void MainForm::WriteTrace(const QString& procedure) const {
    WriteTraceLine(kTraceObject, procedure, QString(), 0);
}

void MainForm::SetBusyState(bool busy) {
    SetBusy(this, busy);
}

void MainForm::closeEvent(QCloseEvent* event) {
    // Closing from the close box or File > Exit asks first; the session ending does not.
    if (m_askOnClose && m_support.ShowMessage(res::kMsgConfirmExit, kYesNoQuestion) != MessageResult::Yes) {
        event->ignore();
        return;
    }
    timMain->stop();
    event->accept();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == trvwIcon->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        m_treeMouseDown = event->type() == QEvent::MouseButtonPress;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == trvwIcon && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
            return trvwIcon_KeyDown(key->key());
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == lstvwData) {
                lstvwData_DblClick();
                return true;
            }
            if (watched == lstvwBirthday) {
                lstvwBirthday_DblClick();
                return true;
            }
            if (watched == cboSearchText) {
                SearchBox_KeyDown("cboSearchText_KeyDown()");
                return true;
            }
            if (watched == cboGroupType) {
                SearchBox_KeyDown("cboGroupType_KeyDown()");
                return true;
            }
            if (watched == dtpStart || watched == dtpEnd) {
                SearchBox_KeyDown(watched == dtpStart ? "dtpStart_KeyDown()" : "dtpEnd_KeyDown()");
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::ApplyDateFormat() {
    m_qtDatePattern = DatePattern(Hub()->DateFormat());
    for (QDateTimeEdit* picker : {dtpStart, dtpEnd})
        picker->setDisplayFormat(m_qtDatePattern);
}

} // namespace amb::ambrel
