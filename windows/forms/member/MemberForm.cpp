#include "windows/forms/member/MemberForm.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/DatePicker.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IReportPrinter.h"
#include "heading/FormHeading.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/forms/member/PersonLists.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace amb::windows {

namespace {

constexpr auto kBlank = EnumLookupOption::IncludeBlank;

// Whether the stored marital status allows a wedding date; nothing when the status has no row.
std::optional<bool> DateAllowed(const IDatabaseManagerPtr& database, const QComboBox* box) {
    platform::RecordsetPtr status = database->GetMaritalStatusByID(box->currentData().toInt());
    if (!status || status->IsEOF())
        return std::nullopt;
    const bool allowed = AsBoolean(status->Field(QStringLiteral("DateAllowed")));
    status->Close();
    return allowed;
}

} // namespace

MemberForm::MemberForm(QWidget* parent) : FormBase(QStringLiteral("MemberForm"), parent) {
    CreateLayout();
    ConnectControls();
}

MemberForm::~MemberForm() = default;

int32_t MemberForm::ID() {
    return Member(QStringLiteral("Get_ID"), int32_t{0}, [&] { return m_id; });
}

void MemberForm::SetID(int32_t value) {
    Member(QStringLiteral("Let_ID()"), 0, [&] { return m_id = value; });
}

int32_t MemberForm::FamilyGroupID() {
    return Member(QStringLiteral("Get_FamilyGroupID"), int32_t{0}, [&] { return m_familyGroupId; });
}

void MemberForm::SetFamilyGroupID(int32_t value) {
    Member(QStringLiteral("Let_FamilyGroupID()"), 0, [&] { return m_familyGroupId = value; });
}

EnumFamilyGroup MemberForm::ParentForm() {
    return Member(QStringLiteral("Get_ParentForm()"), EnumFamilyGroup::None, [&] { return m_parentForm; });
}

void MemberForm::SetParentForm(EnumFamilyGroup value) {
    Member(QStringLiteral("Let_ParentForm()"), 0, [&] {
        m_parentForm = value;
        // A person window opened from a family window does not open a family window again (groups alike).
        for (const ListControls& l : m_lists)
            if (l.list.notFrom != EnumFamilyGroup::None)
                l.part->SetOpens(l.list.notFrom != value);
        return 0;
    });
}

int32_t MemberForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        ConfigureGrid(kAllLists);
        SetControlCaption();
        const QString record = Text(res::kTitleMember);
        setWindowTitle(record);
        fhMain->SetHeading(record);
        fhMain->SetDescription(Text(res::kDescRecordTemplate).replace(QLatin1Char('?'), record));
        txtEnvelopCode->clear();
        txtEnvelopCode->setEnabled(false);
        lblEnvelopCode->setEnabled(false);

        m_name->ShowLocale(Hub()->NameLocaleID() == EnumSupportedLocaleID::English);

        InitializeComboBoxes(31);
        ApplyDateFormat();

        if (m_id != 0) {
            if (!LoadPerson())
                return int32_t{-1};
            EnableTabs(true);
            tabMain->setCurrentIndex(0);
            setWindowTitle(SavedCaption());
            RefreshGrids(kAllLists);
            return int32_t{1};
        }
        cmdOK->setText(Text(res::kCaptionSave));
        cmdPrint->setEnabled(false);
        dtpJoined->setEnabled(false);
        dtpMarried->setEnabled(false);
        dtpBaptized->setEnabled(false);
        EnableTabs(false);
        tabMain->setTabEnabled(kNotePage, true);
        tabMain->setCurrentIndex(kNotePage);
        RefreshGrids(kAllLists);
        setWindowTitle(Text(res::kTitleNewMember));
        cmdCancel->setText(Text(res::kCaptionCancel));
        return int32_t{1};
    });
}

// Shows the stored person; false (after text 255) when no row has the window's ID.
bool MemberForm::LoadPerson() {
    const IDatabaseManagerPtr database = Database();
    platform::RecordsetPtr person = database->GetPersonByID(m_id);
    if (!person || person->IsEOF()) {
        ShowMessage(res::kMsgRecordNotFound);
        return false;
    }
    const auto field = [&](const char* name) { return person->Field(QString::fromLatin1(name)); };
    txtEnvelopCode->setText(AsString(field("EnvelopCode")));
    txtEnvelopCode->setEnabled(true);
    lblEnvelopCode->setEnabled(true);

    SelectStoredEntry(cboClassification, field("MemberClassificationID"), AsString(field("MemberClassification")));
    m_name->Load(field);
    SelectOrTypeComboText(cboTitle, AsString(field("Title")));
    dtpDOB->SetValue(field("DOB"));
    SelectStoredEntry(cboSex, field("SexID"), AsString(field("Sex")));
    SelectStoredEntry(cboMemberStatus, field("MemberStatusID"), AsString(field("MemberStatus")));
    SelectStoredEntry(cboMaritalStatus, field("MaritalStatusID"), AsString(field("MaritalStatus")));

    const std::optional<bool> allowed = DateAllowed(database, cboMaritalStatus);
    dtpMarried->setEnabled(allowed.value_or(false));
    dtpMarried->SetValue(dtpMarried->isEnabled() ? field("DateMarried") : platform::Variant::Null());
    txtOccupation->setText(AsString(field("Occupation")));

    const std::pair<const char*, const char*> flags[] = {{"IsBaptized", "DateBaptized"}, {"IsMember", "DateJoined"}};
    for (const auto& [flag, date] : flags) {
        const bool on = AsBoolean(field(flag));
        QCheckBox* box = flag == flags[0].first ? chkIsBaptized : chkIsMember;
        DatePicker* picker = flag == flags[0].first ? dtpBaptized : dtpJoined;
        box->setChecked(on);
        picker->setEnabled(on);
        picker->SetValue(on ? field(date) : platform::Variant::Null());
    }
    m_note->Load(field);
    m_stored.Take(person);
    person->Close();
    return true;
}

void MemberForm::InitializeComboBoxes(int32_t value) {
    Trace(QStringLiteral("InitializeComboBoxes()"));
    const IDatabaseManagerPtr database = Database();
    const auto fill = [&](QComboBox* box, const platform::RecordsetPtr& rows) {
        FillComboBox(box, rows, QStringLiteral("Name"), QStringLiteral("ID"), false);
    };
    if (value == 1 || value == 31)
        fill(cboClassification, database->GetLookupMemberClassification(kBlank));
    if (value == 4 || value == 31)
        fill(cboTitle, database->GetLookupPersonTitleName(kBlank));
    if (value == 31)
        fill(cboSex, database->GetLookupSex(kBlank));
    if (value == 8 || value == 31)
        fill(cboMaritalStatus, database->GetLookupMaritalStatus(kBlank));
    if (value == 2 || value == 31)
        fill(cboMemberStatus, database->GetLookupMemberStatus(kBlank));
    if (value == 31)
        fill(cboOfferingType, database->GetLookupOfferingTypeName(kBlank));

    for (QWidget* control : {static_cast<QWidget*>(cboFamilyGroup), static_cast<QWidget*>(lblFamilyGroup),
                             static_cast<QWidget*>(cmdFamilyGroup)}) {
        control->setEnabled(false);
        control->setVisible(false);
    }
    if (m_familyGroupId <= 0)
        return;
    if (value == 16 || value == 31) {
        platform::RecordsetPtr link;
        if (m_parentForm == EnumFamilyGroup::Family) {
            lblFamilyGroup->setText(Text(res::kLabelRelationship));
            fill(cboFamilyGroup, database->GetLookupFamilyRelationshipName(kBlank));
            link = database->GetPersonToFamilyByFamilyIDAndPersonID(m_familyGroupId, m_id);
        } else if (m_parentForm == EnumFamilyGroup::Group) {
            lblFamilyGroup->setText(Text(res::kLabelPosition));
            fill(cboFamilyGroup, database->GetLookupGroupPositionName(kBlank));
            link = database->GetPersonToGroupByGroupIDAndPersonID(m_familyGroupId, m_id);
        }
        m_storedLink.Take(link);
        if (link && !link->IsEOF()) {
            const char* column = m_parentForm == EnumFamilyGroup::Family ? "Relationship" : "Position";
            SelectOrTypeComboText(cboFamilyGroup, AsString(link->Field(QString::fromLatin1(column))));
            link->Close();
        }
    }
    for (QWidget* control : {static_cast<QWidget*>(cboFamilyGroup), static_cast<QWidget*>(lblFamilyGroup),
                             static_cast<QWidget*>(cmdFamilyGroup)}) {
        control->setEnabled(true);
        control->setVisible(true);
    }
}

void MemberForm::ApplyDateFormat() {
    const QString format = Hub()->DateFormat();
    // New records and stored Null dates start empty: no date is made up for them.
    for (DatePicker* picker : {dtpBaptized, dtpDOB, dtpJoined, dtpMarried}) {
        picker->SetDateFormat(format);
        picker->SetDate(std::nullopt);
    }
}

bool MemberForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (!Support().CheckDates())
        return false;
    const auto refuse = [&](int32_t text, QWidget* control) {
        ShowMessage(text);
        control->setFocus();
        return false;
    };
    if (cboMemberStatus->currentText().trimmed().isEmpty())
        return refuse(res::kMsgSelectMemberStatus, cboMemberStatus);
    if (cboSex->currentText().trimmed().isEmpty())
        return refuse(res::kMsgSelectSex, cboSex);
    if (const auto missing = m_name->FirstMissing(Hub()->NameLocaleID() == EnumSupportedLocaleID::English))
        return refuse(missing->text, missing->box);
    return true;
}

QString MemberForm::SavedCaption() const {
    return m_name->CaptionName(Hub()->NameLocaleID() == EnumSupportedLocaleID::English) + QStringLiteral(" - ") +
           Text(res::kTitleMember);
}

void MemberForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        const bool isNew = m_id == 0;
        if (!IsFormValid())
            return;
        WindowBusy busy(this);
        const int32_t result = UpdateRecord();
        if (result < 0) {
            busy.End();
            ShowSaveFailure();
            return;
        }
        m_id = result;
        setWindowTitle(SavedCaption());
        if (isNew) {
            RefreshGrids(kAllLists);
            cmdCancel->setText(Text(res::kCaptionClose));
            return;
        }
        busy.End();
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void MemberForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(m_id > 0 ? FormResponse::OK : FormResponse::Cancel);
        HideForm();
    });
}

void MemberForm::closeEvent(QCloseEvent* event) {
    // A busy window drops its close box (see BusyScope); otherwise the close box is Cancel.
    event->ignore();
    if (!IsBusy(this))
        cmdCancel_Click();
}

void MemberForm::cmdPrint_Click() {
    Handle(QStringLiteral("cmdPrint_Click()"), [&] {
        WindowBusy busy(this);
        const IReportPrinterPtr printer = Printer();
        auto parameters = std::make_shared<platform::Dictionary>();
        printer->Clear();
        printer->SetReportName(QStringLiteral("Member Details"));
        printer->SetReportViewer(platform::ObjectPtr());
        printer->SetPrintToFile(false);
        parameters->SetItem(QStringLiteral("ID"), platform::Variant(m_id));
        const EnumReportError result = printer->PrintReport(parameters);
        busy.End();
        if (result != EnumReportError::Success) {
            // A result without a text of its own still gets a message (D24).
            const QString text = GetReportErrorMessage(Hub(), result);
            Support().ShowMessageText(text.isEmpty() ? Text(res::kMsgReportSystemError) : text);
        }
    });
}

void MemberForm::cboMaritalStatus_Click() {
    Handle(QStringLiteral("cboMaritalStatus_Click()"), [&] {
        WindowBusy busy(this);
        const std::optional<bool> allowed = DateAllowed(Database(), cboMaritalStatus);
        if (!allowed)
            return;
        dtpMarried->setEnabled(*allowed);
        if (!*allowed)
            dtpMarried->SetDate(std::nullopt);
    });
}

void MemberForm::chkIsBaptized_Click() {
    Handle(QStringLiteral("chkIsBaptized_Click()"), [&] { dtpBaptized->setEnabled(chkIsBaptized->isChecked()); });
}

void MemberForm::chkIsMember_Click() {
    Handle(QStringLiteral("chkIsMember_Click()"), [&] { dtpJoined->setEnabled(chkIsMember->isChecked()); });
}

void MemberForm::cboTitle_GotFocus() {
    Handle(QStringLiteral("cboTitle_GotFocus()"), [&] { SelectAllComboText(cboTitle); });
}

void MemberForm::LookUpButton_Click(const QString& procedure, EnumWindowType type, QComboBox* box, int32_t fill,
                                    bool byId) {
    Handle(procedure, [&] {
        WindowBusy busy(this);
        const platform::Variant before =
            byId ? platform::Variant(box->currentIndex() >= 0 ? box->currentData().toInt() : 0)
                 : platform::Variant(box->currentText());
        const QString textBefore = box->currentText();
        HubLoader()->ShowListWindow(type);
        InitializeComboBoxes(fill);
        if (byId)
            SelectStoredEntry(box, before, textBefore);
        else
            SelectOrTypeComboText(box, before.ToString());
    });
}

void MemberForm::ConnectControls() {
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cboMaritalStatus, &QComboBox::currentIndexChanged, this, [this] { cboMaritalStatus_Click(); });
    connect(chkIsBaptized, &QCheckBox::toggled, this, [this] { chkIsBaptized_Click(); });
    connect(chkIsMember, &QCheckBox::toggled, this, [this] { chkIsMember_Click(); });
    connect(cboOfferingType, &QComboBox::currentIndexChanged, this, [this] { cboOfferingType_Click(); });

    struct LookUp {
        QPushButton* button;
        const char* procedure;
        EnumWindowType type;
        QComboBox* box;
        int32_t fill;
        bool byId;
    };
    const LookUp lookUps[] = {
        {cmdClassification, "cmdClassification_Click()", EnumWindowType::MemberClassification, cboClassification, 1,
         true},
        {cmdMemberStatus, "cmdMemberStatus_Click()", EnumWindowType::MemberStatus, cboMemberStatus, 2, true},
        {cmdMaritalStatus, "cmdMaritalStatus_Click()", EnumWindowType::MaritalStatus, cboMaritalStatus, 8, true},
        {cmdMemberTitle, "cmdTitle_Click()", EnumWindowType::MemberTitle, cboTitle, 4, false},
    };
    for (const LookUp& l : lookUps) {
        connect(l.button, &QPushButton::clicked, this,
                [this, l] { LookUpButton_Click(QString::fromLatin1(l.procedure), l.type, l.box, l.fill, l.byId); });
    }
    connect(cmdFamilyGroup, &QPushButton::clicked, this, [this] {
        LookUpButton_Click(QStringLiteral("cmdFamilyGroup_Click()"),
                           m_parentForm == EnumFamilyGroup::Family ? EnumWindowType::FamilyRelationshipName
                                                                   : EnumWindowType::GroupPositionName,
                           cboFamilyGroup, 16, false);
    });
    OnFocusIn(cboTitle, [this] { cboTitle_GotFocus(); });
    ConnectCaptionHandlers();
    ConnectPageCommands();
}

} // namespace amb::windows
