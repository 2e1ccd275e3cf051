#include "windows/forms/report/ReportForm.h"

#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/AccessibleLabels.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/DatePicker.h"
#include "contracts/IDatabaseManager.h"
#include "heading/FormHeading.h"
#include "platform/data/Clock.h"
#include "platform/data/Recordset.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/PersonSearch.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace amb::windows {

int ReportForm::ExportTypeOfFileName(const QString& fileName) {
    const QString name = fileName.trimmed();
    if (name.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive))
        return 0;
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return 1;
    return -1;
}

QString ReportForm::ExportTypeExtension(int exportType) {
    return exportType == 1 ? QStringLiteral(".pdf") : QStringLiteral(".rtf");
}

ReportForm::ReportForm(QWidget* parent) : FormBase(QStringLiteral("ReportForm"), parent) {
    CreateLayout();
    ConnectControls();
}

ReportForm::~ReportForm() = default;

int32_t ReportForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        const IApplicationPtr hub = Hub();
        const QString title = Text(res::kTitleReport);
        setWindowTitle(title);
        fhMain->SetHeading(title);
        fhMain->SetDescription(Text(res::kDescReport));
        SetControlCaption();
        HideAllReportOptionFrame();
        tabMain->setCurrentIndex(0);
        InitializeComboBoxes();
        EnableButtons(0);

        const QString format = hub->DateFormat();
        const QDateTime today(platform::Today(), QTime(0, 0));
        for (DatePicker* start : {dtpExpenseStartDate, dtpOfferingStartDate, dtpSummaryStartDate}) {
            start->SetDateFormat(format);
            start->SetDate(FirstDayOfMonth(today).date());
        }
        for (DatePicker* end : {dtpExpenseEndDate, dtpOfferingEndDate, dtpSummaryEndDate}) {
            end->SetDateFormat(format);
            end->SetDate(LastDayOfMonth(today).date());
        }
        optDestination[0]->setChecked(true);
        EnableExportControls(0);
        // The report chosen by the fill keeps the export type it selected, as a report chosen later.
        txtFile->clear();

        const bool us = hub->DefaultAddressFormat() == EnumAddressFormat::USFormat;
        for (QWidget* control : std::initializer_list<QWidget*>{txtCity, cboState, txtZipCode, txtFamilyCity,
                                                                cboFamilyState, txtFamilyZipCode})
            control->setEnabled(us);
        HideControl(lblAgeClassification, true);
        HideControl(cboAgeClassification, true);
        // The window opens on its list of reports, not on the row of steps above it.
        cboReport->setFocus();
        return int32_t{1};
    });
}

void ReportForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    tabMain->setTabText(0, Text(res::kLabelReport));
    tabMain->setTabText(1, Text(res::kLabelReportOptions));
    tabMain->setTabText(2, Text(res::kLabelDestination));
    lblReportType->setText(Text(res::kLabelReport));
    lblReportTypeDesc->setText(Text(res::kLabelReportTypeDesc));
    for (QGroupBox* frame : fraReportOption)
        frame->setTitle(Text(res::kLabelReportOptions));
    lblReportDestinationDesc->setText(Text(res::kLabelReportDestinationDesc));
    optDestination[0]->setText(Text(res::kOptionDefaultPrinter));
    optDestination[1]->setText(Text(res::kOptionExportToFile));
    lblFileType->setText(Text(res::kLabelFileType));
    lblFileName->setText(Text(res::kLabelFileName));
    cmdBrowse->setText(Text(res::kCaptionBrowse));
    cmdSearch->setText(Text(res::kCaptionSearch));
    cmdClear->setText(Text(res::kCaptionClear));
    cmdPrev->setText(Text(res::kCaptionPrevious));
    cmdNext->setText(Text(res::kCaptionNext));
    cmdCancel->setText(Text(res::kCaptionCancel));
    for (const auto& [label, id] : m_optionLabels)
        label->setText(Text(id));
    NameControlsAfterLabels(this);
}

void ReportForm::InitializeComboBoxes() {
    Trace(QStringLiteral("InitializeComboBoxes()"));
    const IDatabaseManagerPtr database = Database();
    const auto blank = EnumLookupOption::IncludeBlank;
    const auto fill = [](QComboBox* box, const platform::RecordsetPtr& rows) {
        FillComboBox(box, rows, QStringLiteral("Name"), QStringLiteral("ID"), false);
    };
    fill(cboClassification, database->GetLookupMemberClassification(blank));
    cboAgeClassification->clear();
    cboAgeClassification->addItem(QString(), 0);
    cboAgeClassification->addItem(QStringLiteral("Adult"), 1);
    cboAgeClassification->setCurrentIndex(0);
    fill(cboExpenseType, database->GetLookupExpenseTypeName(blank));
    fill(cboState, database->GetLookupState(blank));
    fill(cboFamilyState, database->GetLookupState(blank));
    fill(cboGroupType, database->GetLookupGroupType(blank));
    fill(cboMaritalStatus, database->GetLookupMaritalStatus(blank));
    fill(cboMemberStatus, database->GetLookupMemberStatus(blank));
    fill(cboOfferingType, database->GetLookupOfferingTypeName(blank));
    fill(cboSex, database->GetLookupSex(blank));
    fill(cboMemberAddressName, database->GetLookupAddressName(EnumLookupOption{}));
    SelectComboItem(cboMemberAddressName, 1, true);
    // Filling the report list selects its first report, which chooses it.
    fill(cboReport, database->GetLookupReport(EnumLookupOption{}));
    for (QComboBox* flags : {cboBaptized, cboIsMember}) {
        flags->clear();
        flags->addItems({QString(), Text(res::kTextYes), Text(res::kTextNo)});
        flags->setCurrentIndex(0);
    }
    cboMonth->clear();
    cboMonth->addItem(QString(), 0);
    for (int month = 1; month <= 12; ++month)
        cboMonth->addItem(QLocale().monthName(month, QLocale::LongFormat), month);
    cboMonth->setCurrentIndex(0);
}

void ReportForm::cboReport_Click() {
    Handle(QStringLiteral("cboReport_Click()"), [&] {
        m_layout = &LayoutOf(ReportOptions::ExpenseList);
        platform::RecordsetPtr report = Database()->GetReportByID(cboReport->currentData().toInt());
        if (!report || report->IsEOF())
            return;
        m_layout = FindReportLayout(AsLong(report->Field(QStringLiteral("OptionIndex"))));
        m_internalName = AsString(report->Field(QStringLiteral("InternalName")));
        // Both export types are offered; PDF is chosen with each report.
        cboExportType->clear();
        cboExportType->addItem(Text(res::kTextRtfType), 0);
        cboExportType->addItem(Text(res::kTextPdfType), 1);
        const bool labels = AsBoolean(report->Field(QStringLiteral("IsMailingLabel")));
        HideControl(lblMemberAddressName, !labels);
        HideControl(cboMemberAddressName, !labels);
        SelectComboItem(cboExportType, 1, true);
        txtFile->clear();
        report->Close();
    });
}

// Choosing a type gives a name that ends in the other type's extension this type's extension, so the
// file is named as it is written.
void ReportForm::cboExportType_Click() {
    Handle(QStringLiteral("cboExportType_Click()"), [&] {
        const QString name = txtFile->text().trimmed();
        const int named = ExportTypeOfFileName(name);
        if (named < 0 || cboExportType->currentIndex() < 0)
            return;
        const int chosen = cboExportType->currentData().toInt();
        if (chosen != named)
            txtFile->setText(name.chopped(4) + ExportTypeExtension(chosen));
    });
}

void ReportForm::EnableButtons(int tab) {
    Trace(QStringLiteral("EnableButtons()"));
    cmdNext->setEnabled(true);
    cmdPrev->setEnabled(tab != 0);
    cmdNext->setText(Text(tab == 2 ? res::kCaptionFinish : res::kCaptionNext));
}

bool ReportForm::IsFormValid(int tab) {
    Trace(QStringLiteral("IsFormValid()"));
    if (tab == 0 && cboReport->currentText().isEmpty()) {
        ShowMessage(res::kMsgSelectReport);
        ShowTab(tab);
        cboReport->setFocus();
        return false;
    }
    // A range that ends before it starts is refused on the options step (D17).
    if (tab == 1 && !IsDateRangeValid())
        return false;
    return true;
}

void ReportForm::HideAllReportOptionFrame() {
    Trace(QStringLiteral("HideAllReportOptionFrame()"));
    for (QGroupBox* frame : fraReportOption)
        HideControl(frame, true);
}

void ReportForm::ShowReportOptionFrame(const ReportLayout* layout) {
    Trace(QStringLiteral("ShowReportOptionFrame()"));
    for (const ReportLayout& each : kReportLayouts)
        HideControl(fraReportOption[static_cast<std::size_t>(each.options)], &each != layout);
}

void ReportForm::EnableExportControls(int index) {
    Trace(QStringLiteral("EnableExportControls()"));
    for (QWidget* control :
         std::initializer_list<QWidget*>{lblFileName, lblFileType, cboExportType, txtFile, cmdBrowse})
        control->setEnabled(index == 1);
}

void ReportForm::cmdNext_Click() {
    Handle(QStringLiteral("cmdNext_Click()"), [&] {
        const int tab = tabMain->currentIndex();
        if (!IsFormValid(tab))
            return;
        WindowBusy busy(this);
        if (tab == 2) {
            if (!IsDateRangeValid() || !IsDestinationValid())
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
    HideControl(cboReport, true);
    HideAllReportOptionFrame();
    if (tab == 0)
        HideControl(cboReport, false);
    else if (tab == 1)
        ShowReportOptionFrame(m_layout);
    EnableButtons(tab);
}

void ReportForm::cmdSearch_Click() {
    Handle(QStringLiteral("cmdSearch_Click()"), [&] {
        const PersonChoice choice = SearchPerson(this, WindowLoader());
        if (choice.id <= 0)
            return;
        m_personId = choice.id;
        RefreshMemberTextBox(choice.id);
    });
}

void ReportForm::RefreshMemberTextBox(int32_t personId) {
    Trace(QStringLiteral("RefreshMemberTextBox()"));
    const IApplicationPtr hub = Hub();
    platform::RecordsetPtr person = Database()->GetPersonByID(personId);
    if (!person || person->IsEOF())
        return;
    txtMember->setText(DisplayName(*person, hub->NameLocaleID()));
    person->Close();
}

void ReportForm::cmdClear_Click() {
    txtMember->clear();
    m_personId = 0;
}

void ReportForm::cmdBrowse_Click() {
    Handle(QStringLiteral("cmdBrowse_Click()"), [&] {
        if (cboExportType->currentText().trimmed().isEmpty()) {
            ShowMessage(res::kMsgSelectFileType);
            cboExportType->setFocus();
            return;
        }
        QString chosen;
        if (OpenOpenDialog(txtFile->text(), cboExportType->currentText(), &chosen))
            txtFile->setText(chosen);
    });
}

// The file dialog: the type's pattern as its filter and default suffix, titled with text 125. False
// when cancelled (which writes nothing) or when anything fails (which writes its level-9 line, so a
// dialog that could not be shown is not mistaken for a cancel).
bool ReportForm::OpenOpenDialog(const QString& fileName, const QString& exportType, QString* chosen) {
    Trace(QStringLiteral("OpenOpenDialog()"));
    return CatchAll(SourceName(), QStringLiteral("OpenOpenDialog()"), false, [&] {
        const QString pattern = exportType.mid(exportType.lastIndexOf(QLatin1Char('(')) + 1, 5);
        QFileDialog dialog(this, Text(res::kTitleExportFile));
        dialog.setObjectName(QStringLiteral("cmndlgNew"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(exportType);
        dialog.setDefaultSuffix(pattern.mid(2));
        if (!fileName.trimmed().isEmpty()) {
            dialog.setDirectory(QFileInfo(fileName).absolutePath());
            dialog.selectFile(fileName);
        }
        if (ModalRunner::Run(dialog) != QDialog::Accepted)
            return false;
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty())
            return false;
        *chosen = files.first();
        return true;
    });
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

void ReportForm::ConnectControls() {
    connect(cboReport, &QComboBox::currentIndexChanged, this, [this] { cboReport_Click(); });
    connect(cboExportType, &QComboBox::currentIndexChanged, this, [this] { cboExportType_Click(); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    connect(cmdPrev, &QPushButton::clicked, this, [this] { cmdPrev_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(tabMain, &QTabWidget::currentChanged, this, [this] {
        if (!m_settingTab)
            tabMain_Click(m_currentTab);
    });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(optDestination[i], &QRadioButton::clicked, this,
                [this, i] { Handle(QStringLiteral("optDestination_Click()"), [&] { EnableExportControls(i); }); });
    for (QComboBox* box : {cboReport, cboExportType, cboBaptized})
        OnFocusIn(box, [this, box] {
            Handle(box->objectName() + QStringLiteral("_GotFocus()"), [box] { SelectAllComboText(box); });
        });
    for (QLineEdit* box : {txtCity, txtZipCode, txtFamilyCity, txtFamilyZipCode, txtMember, txtFile})
        OnFocusIn(box, [this, box] {
            Handle(box->objectName() + QStringLiteral("_GotFocus()"), [box] { SelectAllText(box); });
        });
}

} // namespace amb::windows
