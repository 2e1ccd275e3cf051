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

#include <string>

namespace amb::windows {

namespace {

// A date picker that always holds a date: a report range has no "no date".
DatePicker* MakeRangePicker(QWidget* parent, const char* name) {
    auto* picker = NamedControl<DatePicker>(parent, name);
    picker->CheckBox()->setVisible(false);
    return picker;
}

// The row of a date range: "From" start "To" end, each date with its own label.
QWidget* FromToRow(QWidget* parent, QLabel* from, DatePicker* start, QLabel* to, DatePicker* end) {
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

// Every row's control fills a key that its frame's layout hands on.
template <class Row, std::size_t N> constexpr bool FillKeysOfTheirLayout(const Row (&rows)[N]) {
    for (const Row& row : rows)
        if (!FindReportKey(LayoutOf(row.frame), row.key))
            return false;
    return true;
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
    std::array<QGridLayout*, kReportOptionsCount> grids{};
    for (const ReportLayout& layout : kReportLayouts) {
        const auto at = static_cast<std::size_t>(layout.options);
        fraReportOption[at] = NamedControl<QGroupBox>(page, ("fraReportOption" + std::to_string(at)).c_str());
        grids[at] = new QGridLayout(fraReportOption[at]);
        grids[at]->setColumnStretch(1, 1);
    }
    const auto frame = [&](ReportOptions options) { return fraReportOption[static_cast<std::size_t>(options)]; };
    // A control of a frame that fills a key of the hand-off.
    const auto input = [&](ReportOptions options, const char* key, QWidget* control) {
        m_optionControls.append({.options = options, .key = key, .control = control});
    };
    // One option row: its label (with its text id) and its control at a place of the frame's grid;
    // the member frame puts its many rows in two columns.
    const auto row = [&](ReportOptions options, int at, int column, const char* labelName, int32_t textId,
                         QWidget* control, QWidget* buddy) -> QLabel* {
        QLabel* label = NamedLabel(frame(options), labelName, buddy ? buddy : control);
        QGridLayout* grid = grids[static_cast<std::size_t>(options)];
        grid->addWidget(label, at, column * 2);
        grid->addWidget(control, at, column * 2 + 1);
        m_optionLabels.append({label, textId});
        return label;
    };
    using enum ReportOptions;
    struct BoxRow {
        ReportOptions frame;
        int at, column;
        const char* name;
        const char* key;
        const char* label;
        int32_t textId;
        QComboBox* ReportForm::*box;
        QLabel* ReportForm::*labelMember = nullptr;
    };
    // clang-format off
    static constexpr BoxRow boxes[] = {
        {.frame = ExpenseList, .at = 1, .column = 0, .name = "cboExpenseType", .key = "ExpenseTypeID",
         .label = "lblExpenseType", .textId = res::kLabelExpenseType, .box = &ReportForm::cboExpenseType},
        {.frame = Place, .at = 1, .column = 0, .name = "cboFamilyState", .key = "State",
         .label = "lblFamilyState", .textId = res::kLabelState, .box = &ReportForm::cboFamilyState},
        {.frame = GroupType, .at = 0, .column = 0, .name = "cboGroupType", .key = "GroupTypeID",
         .label = "lblGroupType", .textId = res::kLabelGroupType, .box = &ReportForm::cboGroupType},
        {.frame = Member, .at = 0, .column = 0, .name = "cboClassification", .key = "MemberClassificationID",
         .label = "lblClassification", .textId = res::kLabelClassification, .box = &ReportForm::cboClassification},
        {.frame = Member, .at = 1, .column = 0, .name = "cboMemberStatus", .key = "MemberStatusID",
         .label = "lblMemberStatus", .textId = res::kLabelMemberStatus, .box = &ReportForm::cboMemberStatus},
        {.frame = Member, .at = 2, .column = 0, .name = "cboSex", .key = "SexID",
         .label = "lblSex", .textId = res::kLabelSex, .box = &ReportForm::cboSex},
        {.frame = Member, .at = 3, .column = 0, .name = "cboMaritalStatus", .key = "MaritalStatusID",
         .label = "lblMaritalStatus", .textId = res::kLabelMaritalStatus, .box = &ReportForm::cboMaritalStatus},
        {.frame = Member, .at = 4, .column = 0, .name = "cboBaptized", .key = "IsBaptized",
         .label = "lblBaptized", .textId = res::kLabelBaptized, .box = &ReportForm::cboBaptized},
        // Always hidden: last in its column, so it leaves no gap.
        {.frame = Member, .at = 5, .column = 0, .name = "cboAgeClassification", .key = "AgeClassificationID",
         .label = "lblAgeClassification", .textId = res::kLabelAgeClassification,
         .box = &ReportForm::cboAgeClassification, .labelMember = &ReportForm::lblAgeClassification},
        {.frame = Member, .at = 0, .column = 1, .name = "cboIsMember", .key = "IsMember",
         .label = "lblIsMember", .textId = res::kLabelIsMember, .box = &ReportForm::cboIsMember},
        {.frame = Member, .at = 2, .column = 1, .name = "cboState", .key = "State",
         .label = "lblState", .textId = res::kLabelState, .box = &ReportForm::cboState},
        {.frame = Member, .at = 4, .column = 1, .name = "cboMemberAddressName", .key = "AddressName",
         .label = "lblMemberAddressName", .textId = res::kLabelAddressName,
         .box = &ReportForm::cboMemberAddressName, .labelMember = &ReportForm::lblMemberAddressName},
        {.frame = OfferingList, .at = 1, .column = 0, .name = "cboOfferingType", .key = "OfferingTypeID",
         .label = "lblOfferingType", .textId = res::kLabelOfferingType, .box = &ReportForm::cboOfferingType},
        {.frame = BirthdayMonth, .at = 0, .column = 0, .name = "cboMonth", .key = "Month",
         .label = "lblDate", .textId = res::kLabelDate, .box = &ReportForm::cboMonth},
    };
    struct TextRow {
        ReportOptions frame;
        int at, column;
        const char* name;
        const char* key;
        const char* label;
        int32_t textId;
        QLineEdit* ReportForm::*box;
    };
    static constexpr TextRow texts[] = {
        {.frame = Place, .at = 0, .column = 0, .name = "txtFamilyCity", .key = "City", .label = "lblFamilyCity",
         .textId = res::kLabelCity, .box = &ReportForm::txtFamilyCity},
        {.frame = Place, .at = 2, .column = 0, .name = "txtFamilyZipCode", .key = "ZipCode", .label = "lblFamilyZipCode",
         .textId = res::kLabelZipCode, .box = &ReportForm::txtFamilyZipCode},
        {.frame = Member, .at = 1, .column = 1, .name = "txtCity", .key = "City", .label = "lblCity",
         .textId = res::kLabelCity, .box = &ReportForm::txtCity},
        {.frame = Member, .at = 3, .column = 1, .name = "txtZipCode", .key = "ZipCode", .label = "lblZipCode",
         .textId = res::kLabelZipCode, .box = &ReportForm::txtZipCode},
    };
    // clang-format on
    static_assert(FillKeysOfTheirLayout(boxes) && FillKeysOfTheirLayout(texts), "an option fills no key of its frame");
    for (const BoxRow& b : boxes) {
        this->*b.box = MakeDropDownList(frame(b.frame), b.name);
        input(b.frame, b.key, this->*b.box);
        QLabel* label = row(b.frame, b.at, b.column, b.label, b.textId, this->*b.box, nullptr);
        if (b.labelMember)
            this->*b.labelMember = label;
    }
    for (const TextRow& t : texts) {
        this->*t.box = NamedControl<QLineEdit>(frame(t.frame), t.name);
        input(t.frame, t.key, this->*t.box);
        row(t.frame, t.at, t.column, t.label, t.textId, this->*t.box, nullptr);
    }

    // The date ranges fill DateStart and DateEnd.
    struct RangeRow {
        ReportOptions frame;
        const char* label;
        DatePicker* ReportForm::*start;
        const char* startName;
        DatePicker* ReportForm::*end;
        const char* endName;
        const char* fromName;
        const char* toName;
        const char* key = "DateStart";
        const char* endKey = "DateEnd";
    };
    // clang-format off
    static constexpr RangeRow ranges[] = {
        {.frame = ExpenseList, .label = "lblExpenseDate",
         .start = &ReportForm::dtpExpenseStartDate, .startName = "dtpExpenseStartDate",
         .end = &ReportForm::dtpExpenseEndDate, .endName = "dtpExpenseEndDate",
         .fromName = "lblExpenseDateFrom", .toName = "lblExpenseDateTo"},
        {.frame = OfferingList, .label = "lblOfferingDate",
         .start = &ReportForm::dtpOfferingStartDate, .startName = "dtpOfferingStartDate",
         .end = &ReportForm::dtpOfferingEndDate, .endName = "dtpOfferingEndDate",
         .fromName = "lblOfferingDateFrom", .toName = "lblOfferingDateTo"},
        {.frame = DateRange, .label = "lblSummaryDateRange",
         .start = &ReportForm::dtpSummaryStartDate, .startName = "dtpSummaryStartDate",
         .end = &ReportForm::dtpSummaryEndDate, .endName = "dtpSummaryEndDate",
         .fromName = "lblSummaryDateFrom", .toName = "lblSummaryDateTo"},
    };
    // clang-format on
    static_assert(FillKeysOfTheirLayout(ranges), "a date range in a frame without one");
    for (const RangeRow& r : ranges) {
        QGroupBox* box = frame(r.frame);
        DatePicker* start = this->*r.start = MakeRangePicker(box, r.startName);
        DatePicker* end = this->*r.end = MakeRangePicker(box, r.endName);
        input(r.frame, r.key, start);
        input(r.frame, r.endKey, end);
        QLabel* from = NamedLabel(box, r.fromName, start);
        QLabel* to = NamedLabel(box, r.toName, end);
        m_optionLabels.append({from, res::kLabelRangeFrom});
        m_optionLabels.append({to, res::kLabelRangeTo});
        row(r.frame, 0, 0, r.label, res::kLabelDateRange, FromToRow(box, from, start, to, end), nullptr);
    }

    // The giver is the person the Search button chose; the box shows the name only.
    auto* member = new QWidget(frame(OfferingList));
    txtMember = NamedControl<QLineEdit>(member, "txtMember");
    txtMember->setReadOnly(true);
    cmdSearch = NamedControl<QPushButton>(member, "cmdSearch");
    cmdClear = NamedControl<QPushButton>(member, "cmdClear");
    auto* memberLayout = new QHBoxLayout(member);
    memberLayout->setContentsMargins(0, 0, 0, 0);
    memberLayout->addWidget(txtMember, 1);
    memberLayout->addWidget(cmdSearch);
    memberLayout->addWidget(cmdClear);
    input(OfferingList, "PersonID", txtMember);
    row(OfferingList, 2, 0, "lblMember", res::kLabelMembers, member, txtMember);

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
