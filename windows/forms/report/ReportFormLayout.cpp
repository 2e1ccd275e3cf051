#include "windows/forms/report/ReportForm.h"

#include "common/ResourceIDs.h"
#include "common/widgets/DatePicker.h"
#include "heading/FormHeading.h"
#include "windows/forms/FormControls.h"

#include <QDateEdit>

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace amb::windows {

namespace {

// A date picker that always holds a date: a report range has no "no date".
DatePicker* MakeRangePicker(QWidget* parent, const char* name) {
    auto* picker = NamedControl<DatePicker>(parent, name);
    picker->CheckBox()->setVisible(false);
    return picker;
}

// The row of a date range: start, "-", end.
QWidget* DateRange(QWidget* parent, DatePicker* start, DatePicker* end) {
    auto* range = new QWidget(parent);
    auto* layout = new QHBoxLayout(range);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(start);
    auto* dash = new QLabel(QStringLiteral("-"), range);
    layout->addWidget(dash);
    layout->addWidget(end);
    layout->addStretch(1);
    return range;
}

} // namespace

void ReportForm::CreateLayout() {
    fhMain = NamedControl<orv::FormHeading>(this, "fhMain");
    tabMain = NamedControl<QTabWidget>(this, "tabMain");
    tabMain->addTab(CreateReportPage(), QString());
    tabMain->addTab(CreateOptionsPage(), QString());
    tabMain->addTab(CreateDestinationPage(), QString());
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

QWidget* ReportForm::CreateReportPage() {
    auto* page = new QWidget(this);
    cboReport = MakeDropDownList(page, "cboReport");
    lblReportType = NamedLabel(page, "lblReportType", cboReport);
    lblReportTypeDesc = NamedLabel(page, "lblReportTypeDesc", nullptr);
    lblReportTypeDesc->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lblReportTypeDesc);
    layout->addSpacing(8);
    layout->addWidget(lblReportType);
    layout->addWidget(cboReport);
    layout->addStretch(1);
    return page;
}

QWidget* ReportForm::CreateOptionsPage() {
    auto* page = new QWidget(this);
    CreateOptionFrames(page);
    auto* layout = new QVBoxLayout(page);
    // Every frame stands in the same place; only the chosen report's frame is ever shown.
    for (QGroupBox* frame : fraReportOption)
        layout->addWidget(frame);
    layout->addStretch(1);
    return page;
}

void ReportForm::CreateOptionFrames(QWidget* page) {
    const char* frameNames[kLayoutCount] = {"fraReportOption0", "fraReportOption1", "fraReportOption2",
                                            "fraReportOption3", "fraReportOption4", "fraReportOption5",
                                            "fraReportOption6"};
    std::array<QGridLayout*, kLayoutCount> grids{};
    for (int i = 0; i < kLayoutCount; ++i) {
        fraReportOption[i] = NamedControl<QGroupBox>(page, frameNames[i]);
        grids[i] = new QGridLayout(fraReportOption[i]);
        grids[i]->setColumnStretch(1, 1);
    }
    // One option row: its label (with its text id) and its control, in the frame's next free row;
    // a frame with many rows puts them in two columns.
    const auto row = [&](int frame, const char* labelName, int32_t textId, QWidget* control, QWidget* buddy,
                         int column = 0) -> QLabel* {
        QGridLayout* grid = grids[frame];
        int at = 0;
        while (grid->itemAtPosition(at, column * 2))
            ++at;
        QLabel* label = NamedLabel(fraReportOption[frame], labelName, buddy ? buddy : control);
        grid->addWidget(label, at, column * 2);
        grid->addWidget(control, at, column * 2 + 1);
        m_optionLabels.append({label, textId});
        return label;
    };
    const auto box = [&](int frame, const char* name) { return MakeDropDownList(fraReportOption[frame], name); };
    const auto text = [&](int frame, const char* name) { return NamedControl<QLineEdit>(fraReportOption[frame], name); };

    dtpExpenseStartDate = MakeRangePicker(fraReportOption[0], "dtpExpenseStartDate");
    dtpExpenseEndDate = MakeRangePicker(fraReportOption[0], "dtpExpenseEndDate");
    row(0, "lblExpenseDate", res::kLabelDateRange, DateRange(fraReportOption[0], dtpExpenseStartDate, dtpExpenseEndDate),
        dtpExpenseStartDate->DateEdit());
    cboExpenseType = box(0, "cboExpenseType");
    row(0, "lblExpenseType", res::kLabelExpenseType, cboExpenseType, nullptr);

    txtFamilyCity = text(1, "txtFamilyCity");
    row(1, "lblFamilyCity", res::kLabelCity, txtFamilyCity, nullptr);
    cboFamilyState = box(1, "cboFamilyState");
    row(1, "lblFamilyState", res::kLabelState, cboFamilyState, nullptr);
    txtFamilyZipCode = text(1, "txtFamilyZipCode");
    row(1, "lblFamilyZipCode", res::kLabelZipCode, txtFamilyZipCode, nullptr);

    cboGroupType = box(2, "cboGroupType");
    row(2, "lblGroupType", res::kLabelGroupType, cboGroupType, nullptr);

    cboClassification = box(3, "cboClassification");
    row(3, "lblClassification", res::kLabelClassification, cboClassification, nullptr);
    cboMemberStatus = box(3, "cboMemberStatus");
    row(3, "lblMemberStatus", res::kLabelMemberStatus, cboMemberStatus, nullptr);
    cboSex = box(3, "cboSex");
    row(3, "lblSex", res::kLabelSex, cboSex, nullptr);
    cboMaritalStatus = box(3, "cboMaritalStatus");
    row(3, "lblMaritalStatus", res::kLabelMaritalStatus, cboMaritalStatus, nullptr);
    cboBaptized = box(3, "cboBaptized");
    row(3, "lblBaptized", res::kLabelBaptized, cboBaptized, nullptr);
    // Always hidden: last in its column, so it leaves no gap.
    cboAgeClassification = box(3, "cboAgeClassification");
    lblAgeClassification = row(3, "lblAgeClassification", res::kLabelAgeClassification, cboAgeClassification, nullptr);
    cboIsMember = box(3, "cboIsMember");
    row(3, "lblIsMember", res::kLabelIsMember, cboIsMember, nullptr, 1);
    txtCity = text(3, "txtCity");
    row(3, "lblCity", res::kLabelCity, txtCity, nullptr, 1);
    cboState = box(3, "cboState");
    row(3, "lblState", res::kLabelState, cboState, nullptr, 1);
    txtZipCode = text(3, "txtZipCode");
    row(3, "lblZipCode", res::kLabelZipCode, txtZipCode, nullptr, 1);
    cboMemberAddressName = box(3, "cboMemberAddressName");
    lblMemberAddressName =
        row(3, "lblMemberAddressName", res::kLabelAddressName, cboMemberAddressName, nullptr, 1);

    dtpOfferingStartDate = MakeRangePicker(fraReportOption[4], "dtpOfferingStartDate");
    dtpOfferingEndDate = MakeRangePicker(fraReportOption[4], "dtpOfferingEndDate");
    row(4, "lblOfferingDate", res::kLabelDateRange,
        DateRange(fraReportOption[4], dtpOfferingStartDate, dtpOfferingEndDate), dtpOfferingStartDate->DateEdit());
    cboOfferingType = box(4, "cboOfferingType");
    row(4, "lblOfferingType", res::kLabelOfferingType, cboOfferingType, nullptr);
    auto* member = new QWidget(fraReportOption[4]);
    txtMember = NamedControl<QLineEdit>(member, "txtMember");
    txtMember->setReadOnly(true);
    cmdSearch = NamedControl<QPushButton>(member, "cmdSearch");
    cmdClear = NamedControl<QPushButton>(member, "cmdClear");
    auto* memberLayout = new QHBoxLayout(member);
    memberLayout->setContentsMargins(0, 0, 0, 0);
    memberLayout->addWidget(txtMember, 1);
    memberLayout->addWidget(cmdSearch);
    memberLayout->addWidget(cmdClear);
    row(4, "lblMember", res::kLabelMembers, member, txtMember);

    dtpSummaryStartDate = MakeRangePicker(fraReportOption[5], "dtpSummaryStartDate");
    dtpSummaryEndDate = MakeRangePicker(fraReportOption[5], "dtpSummaryEndDate");
    row(5, "lblSummaryDateRange", res::kLabelDateRange,
        DateRange(fraReportOption[5], dtpSummaryStartDate, dtpSummaryEndDate), dtpSummaryStartDate->DateEdit());

    cboMonth = box(6, "cboMonth");
    row(6, "lblDate", res::kLabelDate, cboMonth, nullptr);
}

QWidget* ReportForm::CreateDestinationPage() {
    auto* page = new QWidget(this);
    lblReportDestinationDesc = NamedLabel(page, "lblReportDestinationDesc", nullptr);
    lblReportDestinationDesc->setWordWrap(true);
    optDestination[0] = NamedControl<QRadioButton>(page, "optDestination0");
    optDestination[1] = NamedControl<QRadioButton>(page, "optDestination1");
    cboExportType = MakeDropDownList(page, "cboExportType");
    lblFileType = NamedLabel(page, "lblFileType", cboExportType);
    txtFile = NamedControl<QLineEdit>(page, "txtFile");
    lblFileName = NamedLabel(page, "lblFileName", txtFile);
    cmdBrowse = NamedControl<QPushButton>(page, "cmdBrowse");

    auto* file = new QGridLayout;
    file->setContentsMargins(24, 0, 0, 0);
    file->addWidget(lblFileType, 0, 0);
    file->addWidget(cboExportType, 0, 1, 1, 2);
    file->addWidget(lblFileName, 1, 0);
    file->addWidget(txtFile, 1, 1);
    file->addWidget(cmdBrowse, 1, 2);
    file->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lblReportDestinationDesc);
    layout->addSpacing(8);
    layout->addWidget(optDestination[0]);
    layout->addWidget(optDestination[1]);
    layout->addLayout(file);
    layout->addStretch(1);
    return page;
}

} // namespace amb::windows
