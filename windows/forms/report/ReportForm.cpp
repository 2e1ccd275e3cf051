#include "windows/forms/report/ReportForm.h"

#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "common/widgets/AccessibleLabels.h"
#include "heading/FormHeading.h"
#include "windows/forms/NamedControl.h"
#include "windows/forms/report/DestinationStep.h"
#include "windows/forms/report/OptionsStep.h"
#include "windows/forms/report/ReportListStep.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace amb::windows {

ReportForm::ReportForm(QWidget* parent) : FormBase(QStringLiteral("ReportForm"), parent) {
    CreateLayout();
    ConnectControls();
}

// The steps go first, while the window support that their handlers write through is still there.
ReportForm::~ReportForm() {
    delete tabMain;
}

void ReportForm::CreateLayout() {
    fhMain = NamedControl<orv::FormHeading>(this, "fhMain");
    tabMain = NamedControl<QTabWidget>(this, "tabMain");
    const DatabaseSource database = [this] { return Database(); };
    m_reports = new ReportListStep(this, Support(), database, [this](bool labels) { ReportChosen(labels); });
    tabMain->addTab(m_reports, QString());
    m_options = new OptionsStep(this, Support(), database, [this] { return SearchPerson(this, WindowLoader()); });
    tabMain->addTab(m_options, QString());
    m_destination = new DestinationStep(this, Support());
    tabMain->addTab(m_destination, QString());
    cmdPrev = NamedControl<QPushButton>(this, "cmdPrev");
    cmdNext = NamedControl<QPushButton>(this, "cmdNext");
    cmdCancel = NamedControl<QPushButton>(this, "cmdCancel");

    QHBoxLayout* buttons = ButtonRow({cmdPrev, cmdNext, cmdCancel});
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 6, 12, 6);
    body->addWidget(tabMain, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fhMain);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(640, 520);
    SetDialogButtons(cmdNext, cmdCancel);
}

void ReportForm::ConnectControls() {
    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    connect(cmdPrev, &QPushButton::clicked, this, [this] { cmdPrev_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(tabMain, &QTabWidget::currentChanged, this, [this] {
        if (!m_settingTab)
            tabMain_Click(m_currentTab);
    });
}

int32_t ReportForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        const IApplicationPtr hub = Hub();
        const QString title = Text(res::kTitleReport);
        setWindowTitle(title);
        fhMain->SetHeading(title);
        fhMain->SetDescription(Text(res::kDescReport));
        SetControlCaption();
        m_options->HideAllReportOptionFrame();
        tabMain->setCurrentIndex(0);
        InitializeComboBoxes();
        EnableButtons(0);
        m_options->Reset(hub->DateFormat(), hub->DefaultAddressFormat() == EnumAddressFormat::USFormat);
        m_destination->Reset();
        // The window opens on its list of reports, not on the row of steps above it.
        m_reports->FocusList();
        return int32_t{1};
    });
}

void ReportForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    tabMain->setTabText(0, Text(res::kLabelReport));
    tabMain->setTabText(1, Text(res::kLabelReportOptions));
    tabMain->setTabText(2, Text(res::kLabelDestination));
    m_reports->SetCaptions();
    m_options->SetCaptions();
    m_destination->SetCaptions();
    cmdPrev->setText(Text(res::kCaptionPrevious));
    cmdNext->setText(Text(res::kCaptionNext));
    cmdCancel->setText(Text(res::kCaptionCancel));
    NameControlsAfterLabels(this);
}

void ReportForm::InitializeComboBoxes() {
    Trace(QStringLiteral("InitializeComboBoxes()"));
    const IDatabaseManagerPtr database = Database();
    m_options->Fill(*database);
    // Filling the report list selects its first report, which chooses it.
    m_reports->Fill(*database);
}

void ReportForm::ReportChosen(bool labels) {
    m_destination->OfferExportTypes();
    m_options->ShowAddressKind(labels);
}

void ReportForm::EnableButtons(int tab) {
    Trace(QStringLiteral("EnableButtons()"));
    cmdNext->setEnabled(true);
    cmdPrev->setEnabled(tab != 0);
    cmdNext->setText(Text(tab == 2 ? res::kCaptionFinish : res::kCaptionNext));
}

bool ReportForm::IsFormValid(int tab) {
    Trace(QStringLiteral("IsFormValid()"));
    if (tab == 0 && !m_reports->HasReport()) {
        ShowMessage(res::kMsgSelectReport);
        ShowTab(tab);
        m_reports->FocusList();
        return false;
    }
    // A range that ends before it starts is refused on the options step, where the person can still mend
    // it, rather than by the printer after the hand-off.
    if (tab == 1 && !IsDateRangeValid())
        return false;
    return true;
}

void ReportForm::cmdNext_Click() {
    Handle(QStringLiteral("cmdNext_Click()"), [&] {
        const int tab = tabMain->currentIndex();
        if (!IsFormValid(tab))
            return;
        WindowBusy busy(this);
        if (tab == 2) {
            if (!IsDateRangeValid() || !m_destination->IsDestinationValid())
                return;
            const int32_t result = GenerateReport();
            busy.End();
            ShowReportResult(result);
            return;
        }
        tabMain->setCurrentIndex(tab + 1);
        EnableButtons(tabMain->currentIndex());
        FocusFirstControl();
    });
}

void ReportForm::cmdPrev_Click() {
    Handle(QStringLiteral("cmdPrev_Click()"), [&] {
        const int tab = tabMain->currentIndex();
        if (tab == 0)
            return;
        tabMain->setCurrentIndex(tab - 1);
        EnableButtons(tabMain->currentIndex());
        FocusFirstControl();
    });
}

// Each step starts on its first control that Tab reaches, so that typing goes there at once.
void ReportForm::FocusFirstControl() {
    const QWidget* page = tabMain->currentWidget();
    QWidget* w = tabMain;
    for (int i = 0; i < 500 && (w = w->nextInFocusChain()) != tabMain; ++i) {
        if (page->isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void ReportForm::tabMain_Click(int left) {
    Handle(QStringLiteral("tabMain_Click()"), [&] { ShowTab(IsFormValid(left) ? tabMain->currentIndex() : left); });
}

// Makes `tab` the current step and shows what belongs to it, without checking the step left.
void ReportForm::ShowTab(int tab) {
    if (tabMain->currentIndex() != tab) {
        m_settingTab = true;
        tabMain->setCurrentIndex(tab);
        m_settingTab = false;
    }
    m_currentTab = tab;
    m_reports->ShowList(false);
    m_options->HideAllReportOptionFrame();
    if (tab == 0)
        m_reports->ShowList(true);
    else if (tab == 1)
        m_options->ShowReportOptionFrame(m_reports->Layout());
    EnableButtons(tab);
}

void ReportForm::ShellOpen(const QString& path) {
    Trace(QStringLiteral("ShellOpen()"));
    ShellOpenDocument(path);
}

void ReportForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        HideForm();
    });
}

void ReportForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!IsBusy(this))
        cmdCancel_Click();
}

} // namespace amb::windows
