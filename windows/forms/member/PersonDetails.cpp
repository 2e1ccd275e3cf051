#include "windows/forms/member/PersonDetails.h"

#include "windows/base/ReadCheck.h"
#include "windows/forms/NamedControl.h"

#include "common/ColumnLengths.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/DatePicker.h"
#include "common/widgets/TextLength.h"
#include "platform/com/Error.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace amb::windows {

namespace {

using namespace amb::res;
using platform::Variant;

// Whether the stored marital status allows a wedding date; nothing when the status has no row.
std::optional<bool> DateAllowed(const IDatabaseManagerPtr& database, const QComboBox* box) {
    platform::RecordsetPtr status = database->GetMaritalStatusByID(box->currentData().toInt());
    if (!status || status->IsEOF())
        return std::nullopt;
    const bool allowed = AsBoolean(status->Field(QStringLiteral("DateAllowed")));
    status->Close();
    return allowed;
}

// The item data of the selected entry of a drop-down list; a box without one cannot be saved.
int32_t SelectedId(const QComboBox* box) {
    if (box->currentIndex() < 0)
        throw platform::Error(platform::ErrorNumber::TypeMismatch,
                              QStringLiteral("No entry of %1 is selected").arg(box->objectName()),
                              QStringLiteral("AmbWindows.MemberForm"));
    return AsLong(Variant(box->currentData().toInt()));
}

} // namespace

PersonDetails::PersonDetails(QWidget* area, const PersonContext& context, std::function<void(int32_t)> refill)
    : m_context(context), m_refill(std::move(refill)) {
    txtEnvelopCode = NamedControl<QLineEdit>(area, "txtEnvelopCode");
    txtEnvelopCode->setReadOnly(true);
    lblEnvelopCode = NamedLabel(area, "lblEnvelopCode", txtEnvelopCode);
    cboTitle = MakeCombo(area, "cboTitle", true);
    lblTitle = NamedLabel(area, "lblTitle", cboTitle);
    cmdMemberTitle = MakeLookUpButton(area, "cmdMemberTitle");
    cboSex = MakeCombo(area, "cboSex", false);
    lblSex = NamedLabel(area, "lblSex", cboSex);
    dtpDOB = NamedControl<DatePicker>(area, "dtpDOB");
    lblDOB = NamedLabel(area, "lblDOB", dtpDOB);
    cboClassification = MakeCombo(area, "cboClassification", false);
    lblClassification = NamedLabel(area, "lblClassification", cboClassification);
    cmdClassification = MakeLookUpButton(area, "cmdClassification");
    cboMemberStatus = MakeCombo(area, "cboMemberStatus", false);
    lblMemberStatus = NamedLabel(area, "lblMemberStatus", cboMemberStatus);
    cmdMemberStatus = MakeLookUpButton(area, "cmdMemberStatus");
    cboMaritalStatus = MakeCombo(area, "cboMaritalStatus", false);
    lblMaritalStatus = NamedLabel(area, "lblMaritalStatus", cboMaritalStatus);
    cmdMaritalStatus = MakeLookUpButton(area, "cmdMaritalStatus");
    dtpMarried = NamedControl<DatePicker>(area, "dtpMarried");
    lblMarried = NamedLabel(area, "lblMarried", dtpMarried);
    chkIsBaptized = NamedControl<QCheckBox>(area, "chkIsBaptized");
    dtpBaptized = NamedControl<DatePicker>(area, "dtpBaptized");
    chkIsMember = NamedControl<QCheckBox>(area, "chkIsMember");
    dtpJoined = NamedControl<DatePicker>(area, "dtpJoined");
    txtOccupation = NamedControl<QLineEdit>(area, "txtOccupation");
    lblOccupation = NamedLabel(area, "lblOccupation", txtOccupation);
    LimitLength(cboTitle, TextLimit("Person", "Title"));
    LimitLength(txtOccupation, TextLimit("Person", "Occupation"));
    Connect();
}

QGridLayout* PersonDetails::SideGrid() const {
    auto* side = new QGridLayout;
    side->setVerticalSpacing(6);
    side->addWidget(lblEnvelopCode, 0, 0);
    side->addWidget(txtEnvelopCode, 0, 1);
    side->addWidget(lblTitle, 1, 0);
    side->addWidget(cboTitle, 1, 1);
    side->addWidget(cmdMemberTitle, 1, 2);
    side->addWidget(lblSex, 2, 0);
    side->addWidget(cboSex, 2, 1);
    side->addWidget(lblDOB, 3, 0);
    side->addWidget(dtpDOB, 3, 1);
    side->setRowStretch(4, 1);
    return side;
}

QGridLayout* PersonDetails::FieldsGrid() const {
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    fields->addWidget(lblClassification, 0, 0);
    fields->addWidget(cboClassification, 0, 1);
    fields->addWidget(cmdClassification, 0, 2);
    fields->addWidget(lblMemberStatus, 0, 4);
    fields->addWidget(cboMemberStatus, 0, 5);
    fields->addWidget(cmdMemberStatus, 0, 6);
    fields->addWidget(lblMaritalStatus, 1, 0);
    fields->addWidget(cboMaritalStatus, 1, 1);
    fields->addWidget(cmdMaritalStatus, 1, 2);
    // The wedding date belongs to the marital status, in the second column.
    fields->addWidget(lblMarried, 1, 4);
    fields->addWidget(dtpMarried, 1, 5);
    fields->addWidget(chkIsBaptized, 2, 0);
    fields->addWidget(dtpBaptized, 2, 1);
    fields->addWidget(chkIsMember, 2, 4);
    fields->addWidget(dtpJoined, 2, 5);
    fields->addWidget(lblOccupation, 3, 0);
    fields->addWidget(txtOccupation, 3, 1);
    fields->setColumnMinimumWidth(3, 16);
    return fields;
}

void PersonDetails::SetCaptions() {
    struct Caption {
        QLabel* label;
        int32_t text;
        bool required;
    };
    const Caption labels[] = {
        {lblClassification, kLabelClassification, false},
        {lblDOB, kLabelDateOfBirth, true},
        {lblEnvelopCode, kLabelEnvelopeCode, false},
        {lblMaritalStatus, kLabelMaritalStatus, false},
        {lblMarried, kTextAnniversary, false},
        {lblMemberStatus, kLabelMemberStatus, true},
        {lblSex, kLabelSex, true},
        {lblTitle, kLabelTitle, false},
        {lblOccupation, kLabelOccupation, false},
    };
    for (const Caption& c : labels)
        c.label->setText(c.required ? m_context.support.RequiredText(c.text) : m_context.support.Text(c.text));
    chkIsBaptized->setText(m_context.support.Text(kCheckBaptized));
    chkIsMember->setText(m_context.support.Text(kCheckIsMember));
    // Controls without a caption of their own are named after what they belong to.
    const std::pair<QPushButton*, const QLabel*> lookUps[] = {{cmdClassification, lblClassification},
                                                              {cmdMemberStatus, lblMemberStatus},
                                                              {cmdMaritalStatus, lblMaritalStatus},
                                                              {cmdMemberTitle, lblTitle}};
    for (const auto& [button, label] : lookUps)
        button->setAccessibleName(label->text());
    // The pickers ticked on by a check box in front are named after it.
    dtpBaptized->SetAccessibleName(m_context.support.Text(kCheckBaptized));
    dtpJoined->SetAccessibleName(m_context.support.Text(kCheckIsMember));
}

void PersonDetails::FillLookUps(const IDatabaseManagerPtr& database, int32_t value) {
    constexpr auto kBlank = EnumLookupOption::IncludeBlank;
    ReadCheck read(m_context.support);
    if (value == 1 || value == 31)
        FillLookUp(cboClassification, read(database->GetLookupMemberClassification(kBlank)));
    if (value == 4 || value == 31)
        FillLookUp(cboTitle, read(database->GetLookupPersonTitleName(kBlank)));
    if (value == 31)
        FillLookUp(cboSex, read(database->GetLookupSex(kBlank)));
    if (value == 8 || value == 31)
        FillLookUp(cboMaritalStatus, read(database->GetLookupMaritalStatus(kBlank)));
    if (value == 2 || value == 31)
        FillLookUp(cboMemberStatus, read(database->GetLookupMemberStatus(kBlank)));
    read.Tell();
}

void PersonDetails::ApplyDateFormat(const QString& format) {
    // New records and stored Null dates start empty: no date is made up for them.
    for (DatePicker* picker : {dtpBaptized, dtpDOB, dtpJoined, dtpMarried}) {
        picker->SetDateFormat(format);
        picker->SetDate(std::nullopt);
    }
}

void PersonDetails::ShowEnvelopCode(const std::optional<QString>& code) {
    if (code)
        txtEnvelopCode->setText(*code);
    else
        txtEnvelopCode->clear();
    txtEnvelopCode->setEnabled(code.has_value());
    lblEnvelopCode->setEnabled(code.has_value());
}

void PersonDetails::ShowNew() {
    m_hiddenMarried = m_hiddenBaptized = m_hiddenJoined = {};
    dtpJoined->setEnabled(false);
    dtpMarried->setEnabled(false);
    dtpBaptized->setEnabled(false);
}

void PersonDetails::Load(const PersonField& field, const IDatabaseManagerPtr& database) {
    SelectStoredEntry(cboClassification, field("MemberClassificationID"), AsString(field("MemberClassification")));
    SelectOrTypeComboText(cboTitle, AsString(field("Title")));
    dtpDOB->SetValue(field("DOB"));
    SelectStoredEntry(cboSex, field("SexID"), AsString(field("Sex")));
    SelectStoredEntry(cboMemberStatus, field("MemberStatusID"), AsString(field("MemberStatus")));
    SelectStoredEntry(cboMaritalStatus, field("MaritalStatusID"), AsString(field("MaritalStatus")));

    const std::optional<bool> allowed = DateAllowed(database, cboMaritalStatus);
    dtpMarried->setEnabled(allowed.value_or(false));
    dtpMarried->SetValue(dtpMarried->isEnabled() ? field("DateMarried") : Variant::Null());
    m_hiddenMarried = {.stored = dtpMarried->isEnabled() ? Variant::Null() : field("DateMarried"),
                       .hiddenBy = SelectedId(cboMaritalStatus)};
    txtOccupation->setText(AsString(field("Occupation")));

    struct Flag {
        const char* flag;
        const char* date;
        QCheckBox* box;
        DatePicker* picker;
        HiddenDate& hidden;
    };
    const Flag flags[] = {{"IsBaptized", "DateBaptized", chkIsBaptized, dtpBaptized, m_hiddenBaptized},
                          {"IsMember", "DateJoined", chkIsMember, dtpJoined, m_hiddenJoined}};
    for (const Flag& f : flags) {
        const bool on = AsBoolean(field(f.flag));
        f.box->setChecked(on);
        f.picker->setEnabled(on);
        f.picker->SetValue(on ? field(f.date) : Variant::Null());
        f.hidden = {.stored = on ? Variant::Null() : field(f.date), .hiddenBy = f.box->checkState()};
    }
}

std::optional<MissingEntry> PersonDetails::FirstMissing() const {
    if (cboMemberStatus->currentText().trimmed().isEmpty())
        return MissingEntry{kMsgSelectMemberStatus, cboMemberStatus};
    if (cboSex->currentText().trimmed().isEmpty())
        return MissingEntry{kMsgSelectSex, cboSex};
    return std::nullopt;
}

void PersonDetails::Enter(platform::Dictionary& record) const {
    const bool baptized = chkIsBaptized->checkState() == Qt::Checked;
    const bool member = chkIsMember->checkState() == Qt::Checked;
    // A date hidden when read, still hidden by its entry as read, goes back as stored.
    const auto date = [](const DatePicker* picker, const HiddenDate& hidden, int32_t hiddenBy, const Variant& shown) {
        const bool hiddenAsRead = !picker->isEnabledTo(picker->parentWidget()) && hiddenBy == hidden.hiddenBy;
        return hiddenAsRead ? hidden.stored : shown;
    };
    const std::pair<const char*, Variant> entries[] = {
        {"MemberClassificationID", Variant(SelectedId(cboClassification))},
        {"Title", NullIfBlank(Variant(cboTitle->currentText()))},
        {"DOB", dtpDOB->Value()},
        {"SexID", Variant(SelectedId(cboSex))},
        {"Occupation", NullIfBlank(Variant(txtOccupation->text()))},
        {"MemberStatusID", Variant(SelectedId(cboMemberStatus))},
        {"MaritalStatusID", Variant(SelectedId(cboMaritalStatus))},
        {"DateMarried", date(dtpMarried, m_hiddenMarried, SelectedId(cboMaritalStatus), dtpMarried->Value())},
        {"IsBaptized", Variant(baptized)},
        {"DateBaptized", date(dtpBaptized, m_hiddenBaptized, chkIsBaptized->checkState(),
                              baptized ? dtpBaptized->Value() : Variant::Null())},
        {"IsMember", Variant(member)},
        {"DateJoined",
         date(dtpJoined, m_hiddenJoined, chkIsMember->checkState(), member ? dtpJoined->Value() : Variant::Null())},
    };
    for (const auto& [key, value] : entries)
        record.SetItem(QString::fromLatin1(key), value);
}

void PersonDetails::Connect() {
    connect(cboMaritalStatus, &QComboBox::currentIndexChanged, this, [this] { cboMaritalStatus_Click(); });
    connect(chkIsBaptized, &QCheckBox::toggled, this, [this] { chkIsBaptized_Click(); });
    connect(chkIsMember, &QCheckBox::toggled, this, [this] { chkIsMember_Click(); });
    struct Button {
        QPushButton* button;
        LookUpButton lookUp;
        int32_t fill;
    };
    const Button lookUps[] = {
        {cmdClassification,
         {"cmdClassification_Click()", EnumWindowType::MemberClassification, cboClassification, true},
         1},
        {cmdMemberStatus, {"cmdMemberStatus_Click()", EnumWindowType::MemberStatus, cboMemberStatus, true}, 2},
        {cmdMaritalStatus, {"cmdMaritalStatus_Click()", EnumWindowType::MaritalStatus, cboMaritalStatus, true}, 8},
        {cmdMemberTitle, {"cmdTitle_Click()", EnumWindowType::MemberTitle, cboTitle, false}, 4},
    };
    for (const Button& b : lookUps)
        connect(b.button, &QPushButton::clicked, this,
                [this, b] { LookUpButton_Click(m_context, b.lookUp, [this, fill = b.fill] { m_refill(fill); }); });
    OnFocus(this, cboTitle, [this] { cboTitle_GotFocus(); });
    OnFocus(this, txtOccupation, [this] {
        m_context.support.Handle(QStringLiteral("txtOccupation_GotFocus()"), [this] { SelectAllText(txtOccupation); });
    });
}

void PersonDetails::cboMaritalStatus_Click() {
    m_context.support.Handle(QStringLiteral("cboMaritalStatus_Click()"), [&] {
        WindowBusy busy(cboMaritalStatus->window());
        const std::optional<bool> allowed = DateAllowed(m_context.database(), cboMaritalStatus);
        if (!allowed)
            return;
        dtpMarried->setEnabled(*allowed);
        if (!*allowed)
            dtpMarried->SetDate(std::nullopt);
    });
}

void PersonDetails::chkIsBaptized_Click() {
    m_context.support.Handle(QStringLiteral("chkIsBaptized_Click()"),
                             [&] { dtpBaptized->setEnabled(chkIsBaptized->isChecked()); });
}

void PersonDetails::chkIsMember_Click() {
    m_context.support.Handle(QStringLiteral("chkIsMember_Click()"),
                             [&] { dtpJoined->setEnabled(chkIsMember->isChecked()); });
}

void PersonDetails::cboTitle_GotFocus() {
    m_context.support.Handle(QStringLiteral("cboTitle_GotFocus()"), [&] { SelectAllComboText(cboTitle); });
}

} // namespace amb::windows
