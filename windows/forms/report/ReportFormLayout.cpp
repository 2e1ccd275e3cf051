#include "windows/forms/report/ReportForm.h"

#include "common/ResourceIDs.h"
#include "common/widgets/DatePicker.h"
#include "heading/FormHeading.h"
#include "windows/forms/FormControls.h"

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

// The row of a date range: "From" start "To" end, each date with its own label.
QWidget* DateRange(QWidget* parent, QLabel* from, DatePicker* start, QLabel* to, DatePicker* end) {
    auto* range = new QWidget(parent);
    auto* layout = new QHBoxLayout(range);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part : std::initializer_list<QWidget*>{from, start, to, end}) {
        part->setParent(range);
        layout->addWidget(part);
    }
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
    // One option row: its label (with its text id) and its control at a place of the frame's grid;
    // the member frame puts its many rows in two columns.
    const auto row = [&](int frame, int at, int column, const char* labelName, int32_t textId, QWidget* control,
                         QWidget* buddy) -> QLabel* {
        QLabel* label = NamedLabel(fraReportOption[frame], labelName, buddy ? buddy : control);
        grids[frame]->addWidget(label, at, column * 2);
        grids[frame]->addWidget(control, at, column * 2 + 1);
        m_optionLabels.append({label, textId});
        return label;
    };
    struct BoxRow {
        int frame, at, column;
        const char* name;
        const char* label;
        int32_t textId;
        QComboBox* ReportForm::*box;
        QLabel* ReportForm::*labelMember;
    };
    // clang-format off
    const BoxRow boxes[] = {
        {0, 1, 0, "cboExpenseType", "lblExpenseType", res::kLabelExpenseType, &ReportForm::cboExpenseType, nullptr},
        {1, 1, 0, "cboFamilyState", "lblFamilyState", res::kLabelState, &ReportForm::cboFamilyState, nullptr},
        {2, 0, 0, "cboGroupType", "lblGroupType", res::kLabelGroupType, &ReportForm::cboGroupType, nullptr},
        {3, 0, 0, "cboClassification", "lblClassification", res::kLabelClassification, &ReportForm::cboClassification, nullptr},
        {3, 1, 0, "cboMemberStatus", "lblMemberStatus", res::kLabelMemberStatus, &ReportForm::cboMemberStatus, nullptr},
        {3, 2, 0, "cboSex", "lblSex", res::kLabelSex, &ReportForm::cboSex, nullptr},
        {3, 3, 0, "cboMaritalStatus", "lblMaritalStatus", res::kLabelMaritalStatus, &ReportForm::cboMaritalStatus, nullptr},
        {3, 4, 0, "cboBaptized", "lblBaptized", res::kLabelBaptized, &ReportForm::cboBaptized, nullptr},
        // Always hidden: last in its column, so it leaves no gap.
        {3, 5, 0, "cboAgeClassification", "lblAgeClassification", res::kLabelAgeClassification,
         &ReportForm::cboAgeClassification, &ReportForm::lblAgeClassification},
        {3, 0, 1, "cboIsMember", "lblIsMember", res::kLabelIsMember, &ReportForm::cboIsMember, nullptr},
        {3, 2, 1, "cboState", "lblState", res::kLabelState, &ReportForm::cboState, nullptr},
        {3, 4, 1, "cboMemberAddressName", "lblMemberAddressName", res::kLabelAddressName,
         &ReportForm::cboMemberAddressName, &ReportForm::lblMemberAddressName},
        {4, 1, 0, "cboOfferingType", "lblOfferingType", res::kLabelOfferingType, &ReportForm::cboOfferingType, nullptr},
        {6, 0, 0, "cboMonth", "lblDate", res::kLabelDate, &ReportForm::cboMonth, nullptr},
    };
    struct TextRow {
        int frame, at, column;
        const char* name;
        const char* label;
        int32_t textId;
        QLineEdit* ReportForm::*box;
    };
    const TextRow texts[] = {
        {1, 0, 0, "txtFamilyCity", "lblFamilyCity", res::kLabelCity, &ReportForm::txtFamilyCity},
        {1, 2, 0, "txtFamilyZipCode", "lblFamilyZipCode", res::kLabelZipCode, &ReportForm::txtFamilyZipCode},
        {3, 1, 1, "txtCity", "lblCity", res::kLabelCity, &ReportForm::txtCity},
        {3, 3, 1, "txtZipCode", "lblZipCode", res::kLabelZipCode, &ReportForm::txtZipCode},
    };
    // clang-format on
    for (const BoxRow& b : boxes) {
        this->*b.box = MakeDropDownList(fraReportOption[b.frame], b.name);
        QLabel* label = row(b.frame, b.at, b.column, b.label, b.textId, this->*b.box, nullptr);
        if (b.labelMember)
            this->*b.labelMember = label;
    }
    for (const TextRow& t : texts) {
        this->*t.box = NamedControl<QLineEdit>(fraReportOption[t.frame], t.name);
        row(t.frame, t.at, t.column, t.label, t.textId, this->*t.box, nullptr);
    }

    const struct {
        int frame;
        const char* label;
        DatePicker* ReportForm::*start;
        const char* startName;
        DatePicker* ReportForm::*end;
        const char* endName;
        const char* fromName;
        const char* toName;
    } ranges[] = {
        {0, "lblExpenseDate", &ReportForm::dtpExpenseStartDate, "dtpExpenseStartDate", &ReportForm::dtpExpenseEndDate,
         "dtpExpenseEndDate", "lblExpenseDateFrom", "lblExpenseDateTo"},
        {4, "lblOfferingDate", &ReportForm::dtpOfferingStartDate, "dtpOfferingStartDate",
         &ReportForm::dtpOfferingEndDate, "dtpOfferingEndDate", "lblOfferingDateFrom", "lblOfferingDateTo"},
        {5, "lblSummaryDateRange", &ReportForm::dtpSummaryStartDate, "dtpSummaryStartDate",
         &ReportForm::dtpSummaryEndDate, "dtpSummaryEndDate", "lblSummaryDateFrom", "lblSummaryDateTo"},
    };
    for (const auto& r : ranges) {
        DatePicker* start = this->*r.start = MakeRangePicker(fraReportOption[r.frame], r.startName);
        DatePicker* end = this->*r.end = MakeRangePicker(fraReportOption[r.frame], r.endName);
        QLabel* from = NamedLabel(fraReportOption[r.frame], r.fromName, start);
        QLabel* to = NamedLabel(fraReportOption[r.frame], r.toName, end);
        m_optionLabels.append({from, res::kLabelRangeFrom});
        m_optionLabels.append({to, res::kLabelRangeTo});
        row(r.frame, 0, 0, r.label, res::kLabelDateRange, DateRange(fraReportOption[r.frame], from, start, to, end),
            nullptr);
    }

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
    row(4, 2, 0, "lblMember", res::kLabelMembers, member, txtMember);

    // Tab moves down each column of a frame, then to the next column.
    for (QGridLayout* grid : grids) {
        QWidget* previous = nullptr;
        for (int column = 1; column < grid->columnCount(); column += 2)
            for (int at = 0; at < grid->rowCount(); ++at) {
                QLayoutItem* item = grid->itemAtPosition(at, column);
                if (!item || !item->widget())
                    continue;
                if (previous)
                    QWidget::setTabOrder(previous, item->widget());
                previous = item->widget();
            }
    }
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
