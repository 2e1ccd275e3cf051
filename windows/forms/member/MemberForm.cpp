#include "windows/forms/member/MemberForm.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IReportPrinter.h"
#include "heading/FormHeading.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/base/ActionScope.h"
#include "windows/forms/member/PersonContactPages.h"
#include "windows/forms/member/PersonDetails.h"
#include "windows/forms/member/PersonFamilyGroupPages.h"
#include "windows/forms/member/PersonLists.h"
#include "windows/forms/member/PersonMembership.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"
#include "windows/forms/member/PersonOfferingsPage.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTabWidget>

#include <utility>

namespace amb::windows {

MemberForm::MemberForm(QWidget* parent)
    : FormBase(QStringLiteral("MemberForm"), parent),
      m_context{.support = Support(), .database = [this] { return Database(); }, .loader = [this] { return HubLoader(); }},
      m_host{.context = m_context,
             .window = *this,
             .personId = [this] { return m_id; },
             .refresh = [this](int32_t mask) { RefreshGrids(mask); },
             .enableButtons = [this](int32_t mask) { EnableToolbarButtons(mask); },
             .notSaved = [this] { DropWritesIfPersonGone(); }} {
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
    return Member(QStringLiteral("Get_FamilyGroupID"), int32_t{0}, [&] { return m_membership->FamilyGroupID(); });
}

void MemberForm::SetFamilyGroupID(int32_t value) {
    Member(QStringLiteral("Let_FamilyGroupID()"), 0, [&] {
        m_membership->SetFamilyGroupID(value);
        return 0;
    });
}

EnumFamilyGroup MemberForm::ParentForm() {
    return Member(QStringLiteral("Get_ParentForm()"), EnumFamilyGroup::None, [&] { return m_membership->ParentForm(); });
}

void MemberForm::SetParentForm(EnumFamilyGroup value) {
    Member(QStringLiteral("Let_ParentForm()"), 0, [&] {
        m_membership->SetParentForm(value);
        m_familiesGroups->SetOpens(value);
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
        m_details->ShowEnvelopCode(std::nullopt);
        m_name->ShowLocale(Hub()->NameLocaleID() == EnumSupportedLocaleID::English);

        InitializeComboBoxes(31);
        m_details->ApplyDateFormat(Hub()->DateFormat());

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
        m_details->ShowNew();
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
        Support().ShowNothingRead(res::kMsgRecordNotFound);
        return false;
    }
    const PersonField field = [&](const char* name) { return person->Field(QString::fromLatin1(name)); };
    m_details->ShowEnvelopCode(AsString(field("EnvelopCode")));
    m_details->Load(field, database);
    m_name->Load(field);
    m_note->Load(field);
    m_stored.Take(person);
    person->Close();
    return true;
}

void MemberForm::InitializeComboBoxes(int32_t value) {
    Trace(QStringLiteral("InitializeComboBoxes()"));
    const IDatabaseManagerPtr database = Database();
    m_details->FillLookUps(database, value);
    if (value == 31)
        m_offerings->FillTypes(database);
    m_membership->Fill(database, value, m_id);
}

bool MemberForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (!Support().CheckDates())
        return false;
    const bool english = Hub()->NameLocaleID() == EnumSupportedLocaleID::English;
    for (const std::optional<MissingEntry>& missing : {m_details->FirstMissing(), m_name->FirstMissing(english)})
        if (missing)
            return Refuse(missing->text, missing->box);
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
            // The family or group was deleted elsewhere: the next OK saves the person alone.
            if (Database()->LastFailure() == EnumDatabaseFailure::FamilyGroupGone)
                m_membership->Forget();
            ShowSaveFailure();
            DropWritesIfPersonGone();
            return;
        }
        m_id = result;
        setWindowTitle(SavedCaption());
        // The person is stored: a list that cannot be read again now must not say that nothing was.
        ActionScope::MarkSaved(this);
        if (const int32_t cause = std::exchange(m_linkFailure, 0); cause != 0) {
            busy.End();
            const int32_t text = m_membership->LinkMissing() ? res::kMsgMemberNotLinked : res::kMsgAddressNotCopied;
            Support().ShowMessageText(Text(text).arg(Text(cause)), MessageStyle::Exclamation);
            // One message for the one OK: a list failing after it stays quiet.
            ActionScope::MarkReadFailureTold(this);
            // The window stays with what was typed, so that the next OK adds the membership (or copies
            // the address into the rows still blank).
            if (!isNew)
                return;
        }
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

void MemberForm::DropWritesIfPersonGone() {
    const IDatabaseManagerPtr database = Database();
    if (m_id == 0 || database->LastFailure() != EnumDatabaseFailure::RecordGone)
        return;
    // The record refused may be another (a membership or contact row deleted meanwhile).
    const platform::RecordsetPtr person = database->GetPersonByID(m_id);
    if (person && !person->IsEOF() && !AsBoolean(person->Field(QStringLiteral("IsDeleted"))))
        return;
    cmdOK->setEnabled(false);
    for (const PersonListPages* pages : ListPages())
        pages->DropWrites();
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
            // A result without a text of its own (0, a report the printer does not know) would show an empty box.
            const QString text = GetReportErrorMessage(Hub(), result);
            Support().ShowMessageText(text.isEmpty() ? Text(res::kMsgReportSystemError) : text);
        }
    });
}

} // namespace amb::windows
