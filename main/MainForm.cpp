#include "main/MainForm.h"

#include "main/BirthdayList.h"
#include "main/Commands.h"
#include "main/Icons.h"
#include "main/MainFormHandle.h"
#include "main/RecordList.h"
#include "main/RecordTree.h"
#include "main/Search.h"

#include "common/Backup.h"
#include "common/ErrorGuard.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "platform/data/Clock.h"

#include <QDir>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
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
    CreateStatusBar();
    m_tree = std::make_unique<RecordTree>(*this, spltTop);
    m_list = std::make_unique<RecordList>(*this, spltTop, sbarPanels[0]);
    m_birthdays = std::make_unique<BirthdayList>(*this, spltMain);
    spltTop->setStretchFactor(0, 0);
    spltTop->setStretchFactor(1, 1);
    spltMain->setStretchFactor(0, 3);
    spltMain->setStretchFactor(1, 1);
    CreateViewMenu();
    m_commands = std::make_unique<MainCommands>(*this, mnuView);
    m_search = std::make_unique<SearchBand>(*this, *this);
    m_tree->Wire(*m_list, *m_search, *m_commands);
    m_list->Wire(*m_tree, *m_commands);
    m_search->Wire(*m_tree, *m_list, *m_commands);
    m_commands->Wire(*m_tree, *m_list, *m_search);
    // The session ending closes the window without the question.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { m_askOnClose = false; });
}

MainForm::~MainForm() {
    Form_Terminate();
}

template <typename F> bool MainForm::Handle(const char* procedure, F&& body) {
    return HandleEvent(this, procedure, std::forward<F>(body));
}

bool MainForm::IsLoggedIn() const {
    return m_wrapper->Session() && m_wrapper->Session()->UserID() > 0;
}

void MainForm::Form_Initialize() {
    m_wrapper->InitializeApplication();
    auto hub = Hub();
    if (hub->AutoBackUp()) {
        // The state to copy is fixed now; the copy and its check run beside the rest of the start,
        // and the result is told as soon as it is known.
        m_backUp = StartBackUp(hub->AppDir(), hub->BackUpDir(), [this] {
            QMetaObject::invokeMethod(
                this, [this] { FinishBackUp(); }, Qt::QueuedConnection);
        });
    }
    m_wrapper->SetHelpFile();
}

void MainForm::FinishBackUp() {
    if (!m_backUp.valid())
        return;
    const BackUpReport report = m_backUp.get();
    if (report.result != BackUpResult::Done) {
        // The run goes on, but nobody should believe a backup was made.
        WriteLogLine(kTraceObject, QStringLiteral("Form_Initialize()"), report.errorText, 9);
        m_support.ShowMessageText(m_support.Text(BackUpFailureTextId(report))
                                      .replace(QStringLiteral("%1"), QDir::toNativeSeparators(Hub()->BackUpDir())),
                                  MessageStyle::Exclamation);
    }
}

void MainForm::Form_Terminate() noexcept {
    if (m_terminated)
        return;
    m_terminated = true;
    // The run ends anyway; the failure is in Log.txt when the log could be written.
    CatchAll(kTraceObject, QStringLiteral("Form_Terminate()"), [&] { FinishBackUp(); });
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
    setCentralWidget(spltMain);

    timMain = new QTimer(this);
    timMain->setObjectName(QStringLiteral("timMain"));
    connect(timMain, &QTimer::timeout, this, &MainForm::timMain_Timer);
}

void MainForm::CreateViewMenu() {
    mnuView = NewMenu(menuBar(), "mnuView");
    mnuViewToolbar = NewAction(this, "mnuViewToolbar");
    mnuViewStatusBar = NewAction(this, "mnuViewStatusBar");
    mnuViewRefresh = NewAction(this, "mnuViewRefresh");
    mnuViewToolbar->setCheckable(true);
    mnuViewStatusBar->setCheckable(true);
    mnuViewRefresh->setShortcut(QKeySequence::Refresh);
    mnuView->addActions({mnuViewToolbar, mnuViewStatusBar});
    mnuView->addSeparator();
    mnuView->addAction(mnuViewRefresh);
    connect(mnuViewToolbar, &QAction::triggered, this, [this] { mnuViewToolbar_Click(); });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] { mnuViewStatusBar_Click(); });
    connect(mnuViewRefresh, &QAction::triggered, this, [this] { mnuViewRefresh_Click(); });
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
    m_commands->ToolBar()->setVisible(true);
    m_search->ToolBar()->setVisible(true);

    m_list->Clear();
    ApplyDateFormat();
    m_search->Initialize();
    SetControlCaption();
    m_commands->ConfigureToolBar();
    m_tree->RefreshTreeView();
    InitializeSpliter();
    EnableForm(false);
    return 1;
}

void MainForm::InitializeSpliter() {
    WriteTrace(QStringLiteral("InitializeSpliter()"));
    QTreeWidget* tree = m_tree->Widget();
    m_birthdays->Widget()->setMinimumHeight(TwipsToPixels(1000));
    tree->setMinimumWidth(TwipsToPixels(1500));
    tree->setMinimumHeight(TwipsToPixels(1500));
    m_list->Widget()->setMinimumHeight(TwipsToPixels(1500));
    const int treeWidth = std::max(TwipsToPixels(m_tree->TreeWidth()), TwipsToPixels(1500));
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
        m_commands->ToolBar()->setVisible(visible);
        m_search->ToolBar()->setVisible(visible);
    });
}

void MainForm::mnuViewStatusBar_Click() {
    Handle("mnuViewStatusBar_Click()", [&] { statusBar()->setVisible(mnuViewStatusBar->isChecked()); });
}

void MainForm::mnuViewRefresh_Click() {
    QTreeWidget* list = m_list->Widget();
    const bool ok = Handle("mnuViewRefresh_Click()", [&] {
        BusyScope busy(this);
        m_birthdays->RefreshBirthday();
        m_tree->RefreshTreeviewStat();
        if (m_list->HasSearchToRepeat()) {
            const auto [start, end] = m_search->SearchRange();
            const int32_t r = m_list->RefreshData(m_search->LastSearchText(), m_search->GroupTypeID(), start, end);
            if (r < 0) {
                m_commands->EnableToolbarButtons();
                busy.End();
                m_search->TellNothingListed();
                return;
            }
            m_commands->EnableToolbarButtons();
        }
        busy.End();
        if (!m_list->IsEmpty())
            list->setFocus();
    });
    if (!ok) {
        // A failure must not leave the lists hidden.
        HideControl(m_birthdays->Widget(), false);
        HideControl(list, false);
    }
}

void MainForm::EnableForm(bool enable) {
    WriteTrace(QStringLiteral("EnableForm()"));
    m_commands->EnableForLogIn(enable);
    // Switching a menu off leaves the shortcuts of its entries working; F5 must not refresh while
    // nobody is logged in.
    mnuViewRefresh->setEnabled(enable);
    mnuView->menuAction()->setEnabled(enable);
    mnuView->menuAction()->setVisible(enable);
    m_commands->EnableToolbarButtons();
    spltMain->setEnabled(enable);
    spltMain->setVisible(enable);
    m_tree->Widget()->setEnabled(enable);
    m_list->Widget()->setEnabled(enable);
    statusBar()->setEnabled(enable);
}

void MainForm::SetControlCaption() {
    WriteTrace(QStringLiteral("SetControlCaption()"));
    mnuView->setTitle(m_support.Text(res::kMenuView));
    const std::pair<QAction*, int32_t> actions[] = {
        {mnuViewRefresh, res::kMenuViewRefresh},
        {mnuViewStatusBar, res::kMenuViewStatusBar},
        {mnuViewToolbar, res::kMenuViewToolbar},
    };
    for (const auto& [action, id] : actions)
        action->setText(m_support.Text(id));
    m_commands->SetCaptions();
    m_search->SetCaptions();
    m_commands->ToolBar()->setAccessibleName(mnuViewToolbar->text().remove(QLatin1Char('&')));
    m_birthdays->Widget()->setAccessibleName(m_support.Text(res::kTextBirthday) + QStringLiteral(", ") +
                                             m_support.Text(res::kTextAnniversary));
}

void MainForm::LogInOutRoutine(bool logOut) {
    WriteTrace(QStringLiteral("LogInOutRoutine()"));
    BusyScope busy(this);
    m_tree->RefreshTreeView();
    // The grid is set up for the members below; a click on the kind shown before must set up its own.
    m_tree->SetKind(QStringLiteral("Member"));
    QTreeWidgetItem* members = m_tree->Widget()->currentItem();
    if (logOut) {
        m_list->Clear();
        m_list->ConfigureGrid(members);
        m_birthdays->ConfigureBirthdayGrid();
        m_birthdays->Clear();
        m_search->ResetForLogOut();
        Session().Clear();
        Hub()->SetCurrentUserID(0);
        m_commands->ShowLoggedIn(false);
        EnableForm(false);
        sbarPanels[1]->clear();
        return;
    }
    m_list->ConfigureGrid(members);
    m_birthdays->ConfigureBirthdayGrid();
    m_birthdays->RefreshBirthday();
    m_commands->ShowLoggedIn(true);
    EnableForm(true);
    InitializeSpliter();
    sbarPanels[1]->setText(m_support.Text(res::kLabelUser) + QStringLiteral(": ") + Session().Username());
    busy.End();
    m_search->FocusSearchBox();
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

void MainForm::ApplyDateFormat() {
    const QString pattern = DatePattern(Hub()->DateFormat());
    m_list->SetDatePattern(pattern);
    m_search->SetDatePattern(pattern);
}

} // namespace amb::ambrel
