#include "windows/forms/familygroup/FamilyGroupForm.h"

#include "common/ColumnLengths.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/TextLength.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IReportPrinter.h"
#include "heading/FormHeading.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"
#include "windows/forms/familygroup/FormParts.h"
#include "windows/forms/familygroup/LinkLabel.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace amb::windows {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A label that shows stored data: plain text, selectable for copying, never rich text.
QLabel* MakeValue(QWidget* parent, const char* name) {
    auto* label = MakeLabel(parent, name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(260);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name) {
    auto* button = Named(new QPushButton(parent), name);
    button->setMinimumWidth(88);
    return button;
}

} // namespace

FamilyGroupForm::FamilyGroupForm(QWidget* parent)
    : FormBase(QStringLiteral("FamilyGroupForm"), parent), fhMain(Named(new orv::FormHeading(this), "fhMain")),
      lblName(MakeLabel(this, "lblName")), txtName(Named(new QLineEdit(this), "txtName")),
      lblType(MakeLabel(this, "lblType")), cboType(Named(new QComboBox(this), "cboType")),
      cmdGroupType(Named(new QPushButton(this), "cmdGroupType")),
      lblHeadPersonLabel(MakeLabel(this, "lblHeadPersonLabel")), lblHeadPerson(MakeValue(this, "lblHeadPerson")),
      lblAddressLabel(MakeLabel(this, "lblAddressLabel")), lblAddress(MakeValue(this, "lblAddress")),
      lblPhoneNumberLabel(MakeLabel(this, "lblPhoneNumberLabel")), lblPhoneNumber(MakeValue(this, "lblPhoneNumber")),
      lblEMailAddressLabel(MakeLabel(this, "lblEMailAddressLabel")),
      lblEMailAddress(Named(new LinkLabel(this), "lblEMailAddress")),
      lblMemberCountLabel(MakeLabel(this, "lblMemberCountLabel")), lblMemberCount(MakeValue(this, "lblMemberCount")),
      tabMain(Named(new QTabWidget(this), "tabMain")), txtNote(Named(new QPlainTextEdit(this), "txtNote")),
      cmdOK(MakeButton(this, "cmdOK")), cmdCancel(MakeButton(this, "cmdCancel")),
      cmdPrint(MakeButton(this, "cmdPrint")) {
    BuildLayout();
    SetDialogButtons(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdGroupType, &QPushButton::clicked, this, [this] { cmdGroupType_Click(); });
    connect(lblEMailAddress, &LinkLabel::clicked, this, [this] { lblEMailAddress_Click(); });
    connect(tabMain, &QTabWidget::currentChanged, this, [this](int index) { tabMain_Click(index); });
    OnFocusIn(txtName, [this] { txtName_GotFocus(); });
    txtNote->installEventFilter(this);
}

FamilyGroupForm::~FamilyGroupForm() = default;

void FamilyGroupForm::BuildLayout() {
    cboType->setMinimumWidth(200);
    cmdGroupType->setText(QStringLiteral("..."));
    cmdGroupType->setFixedWidth(32);
    lblName->setBuddy(txtName);
    lblType->setBuddy(cboType);
    txtNote->setTabChangesFocus(true);
    // One window for both: the shorter column of the two.
    LimitLength(txtName, kFamilyGroupNameLength);
    LimitLength(txtNote, std::min(TextLimit("Family", "Note"), TextLimit("Group", "Note")));
    lblEMailAddress->setTextInteractionFlags(Qt::NoTextInteraction);

    auto* typeRow = new QHBoxLayout;
    typeRow->setSpacing(4);
    typeRow->addWidget(cboType, 1);
    typeRow->addWidget(cmdGroupType);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    int row = 0;
    fields->addWidget(lblName, row, 0);
    fields->addWidget(txtName, row++, 1);
    fields->addWidget(lblType, row, 0);
    fields->addLayout(typeRow, row++, 1);
    fields->setRowMinimumHeight(row++, 4);
    const std::pair<QLabel*, QLabel*> details[] = {{lblHeadPersonLabel, lblHeadPerson},
                                                   {lblAddressLabel, lblAddress},
                                                   {lblPhoneNumberLabel, lblPhoneNumber},
                                                   {lblEMailAddressLabel, lblEMailAddress},
                                                   {lblMemberCountLabel, lblMemberCount}};
    for (const auto& [label, value] : details) {
        label->setBuddy(value);
        fields->addWidget(label, row, 0);
        fields->addWidget(value, row++, 1, Qt::AlignLeft);
    }
    fields->setColumnStretch(1, 1);

    auto* members = new QWidget;
    members->setObjectName(QStringLiteral("tabMembers"));
    BuildMemberGrid(members);
    auto* notePage = new QWidget;
    notePage->setObjectName(QStringLiteral("tabNote"));
    auto* noteLayout = new QVBoxLayout(notePage);
    noteLayout->addWidget(txtNote);
    tabMain->addTab(members, QString());
    tabMain->addTab(notePage, QString());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrint);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 12);
    body->setSpacing(10);
    body->addLayout(fields);
    body->addWidget(tabMain, 1);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(fhMain);
    layout->addLayout(body, 1);
    resize(560, 600);

    setTabOrder(txtName, cboType);
    setTabOrder(cboType, cmdGroupType);
    setTabOrder(cmdGroupType, tabMain);
    setTabOrder(tabMain, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdPrint);
}

int32_t FamilyGroupForm::ID() {
    return Member(QStringLiteral("Get_ID()"), int32_t{-1}, [&] { return m_id; });
}

void FamilyGroupForm::SetID(int32_t value) {
    Member(QStringLiteral("Let_ID()"), 0, [&] {
        m_id = value;
        return 0;
    });
}

EnumFamilyGroup FamilyGroupForm::FormType() {
    return Member(QStringLiteral("Get_FormType()"), EnumFamilyGroup::None, [&] { return m_formType; });
}

void FamilyGroupForm::SetFormType(EnumFamilyGroup value) {
    Member(QStringLiteral("Let_FormType()"), 0, [&] {
        m_formType = value;
        return 0;
    });
}

const FamilyGroupKind* FamilyGroupForm::Kind() const {
    return FindFamilyGroupKind(m_formType);
}

int32_t FamilyGroupForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        ConfigureGrid();
        SetControlCaption();
        for (QLabel* label :
             {lblHeadPerson, lblAddress, lblPhoneNumber, static_cast<QLabel*>(lblEMailAddress), lblMemberCount})
            label->clear();
        txtName->clear();
        const FamilyGroupKind* kind = Kind();
        SetKindCaption(false);
        for (QWidget* control :
             {static_cast<QWidget*>(cboType), static_cast<QWidget*>(lblType), static_cast<QWidget*>(cmdGroupType)})
            HideControl(control, true);

        platform::RecordsetPtr record;
        if (kind) {
            if (kind->hasGroupType) {
                InitializeComboBox(static_cast<int32_t>(kind->type));
                for (QWidget* control : {static_cast<QWidget*>(cboType), static_cast<QWidget*>(lblType),
                                         static_cast<QWidget*>(cmdGroupType)})
                    HideControl(control, false);
            }
            record = (Database().get()->*kind->read)(m_id);
        }
        if (!record || record->IsEOF()) {
            ShowMessage(res::kMsgRecordNotFound);
            return int32_t{-1};
        }
        txtName->setText(AsString(record->Field(QStringLiteral("Name"))));
        if (kind->hasGroupType)
            SelectComboItem(cboType, record->Field(QStringLiteral("GroupTypeID")), true);
        txtNote->setPlainText(AsString(record->Field(QStringLiteral("Note"))));
        m_stored.Take(record);
        record->Close();

        RefreshInformation();
        RefreshGrid();
        EnableToolbarButtons();
        SetKindCaption(true);
        const QString kindText = Text(kind->kindText);
        fhMain->SetHeading(kindText);
        fhMain->SetDescription(Text(res::kDescRecordTemplate).replace(QLatin1Char('?'), kindText));
        tabMain->setCurrentIndex(0);
        tabMain_Click(0);
        return int32_t{1};
    });
}

// The caption: "<name> - <kind>", or the kind alone while the name is empty (or not asked for).
void FamilyGroupForm::SetKindCaption(bool withName) {
    const FamilyGroupKind* kind = Kind();
    const QString kindText = kind ? Text(kind->kindText) : QString();
    const QString name = txtName->text();
    setWindowTitle(withName && !name.isEmpty() ? name + QStringLiteral(" - ") + kindText : kindText);
}

void FamilyGroupForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    const FamilyGroupKind* kind = Kind();
    lblAddressLabel->setText(Text(res::kLabelAddress) + QLatin1Char(':'));
    lblEMailAddressLabel->setText(Text(res::kLabelEMailAddress) + QLatin1Char(':'));
    lblPhoneNumberLabel->setText(Text(res::kLabelPhoneNumber) + QLatin1Char(':'));
    if (kind) {
        lblHeadPersonLabel->setText(Text(kind->headLabel) + QLatin1Char(':'));
        lblMemberCountLabel->setText(Text(kind->memberCountLabel) + QLatin1Char(':'));
    }
    lblName->setText(RequiredText(res::kLabelName));
    lblType->setText(RequiredText(res::kLabelType));
    cmdGroupType->setToolTip(Text(res::kMenuToolsLookUpGroupType).remove(QLatin1Char('&')));
    cmdGroupType->setAccessibleName(cmdGroupType->toolTip());
    tabMain->setTabText(0, Text(res::kLabelMembers));
    tabMain->setTabText(1, Text(res::kLabelNote));
    txtNote->setAccessibleName(Text(res::kLabelNote));
    cmdCancel->setText(Text(res::kCaptionClose));
    cmdOK->setText(Text(res::kCaptionOK));
    cmdPrint->setText(Text(res::kCaptionPrint));
}

void FamilyGroupForm::InitializeComboBox(int32_t kind) {
    Trace(QStringLiteral("InitializeComboBox()"));
    if (kind != 1 && kind != 2)
        return;
    FillComboBox(cboType, Database()->GetLookupGroupType(EnumLookupOption::IncludeBlank), QStringLiteral("Name"),
                 QStringLiteral("ID"), false);
}

void FamilyGroupForm::RefreshInformation() {
    Trace(QStringLiteral("RefreshInformation()"));
    for (QLabel* label : {lblHeadPerson, lblAddress, lblPhoneNumber, static_cast<QLabel*>(lblEMailAddress)})
        label->clear();
    const FamilyGroupKind* kind = Kind();
    if (!kind)
        return;
    const IApplicationPtr hub = Hub();
    const IDatabaseManagerPtr database = Database();
    int32_t personID = 0;
    if (platform::RecordsetPtr head = (database.get()->*kind->readHead)(m_id); head && !head->IsEOF()) {
        lblHeadPerson->setText(DisplayName(*head, hub->NameLocaleID()));
        personID = AsLong(head->Field(QStringLiteral("ID")));
        head->Close();
    }
    if (platform::RecordsetPtr address = database->GetHomeAddressByPersonID(personID); address && !address->IsEOF()) {
        const auto part = [&](int n) { return AsString(address->Field(QStringLiteral("AddressPart%1").arg(n))); };
        lblAddress->setText(FormatAddress(part(1), part(2), part(3), part(4), part(5)));
        address->Close();
    }
    if (platform::RecordsetPtr phone = database->GetHomePhoneNumberByPersonID(personID); phone && !phone->IsEOF()) {
        lblPhoneNumber->setText(AsString(phone->Field(QStringLiteral("PhoneNumber"))));
        phone->Close();
    }
    if (platform::RecordsetPtr mail = database->GetPersonalEMailAddressByPersonID(personID); mail && !mail->IsEOF()) {
        lblEMailAddress->setText(AsString(mail->Field(QStringLiteral("EMailAddress"))));
        mail->Close();
    }
    // Only the address itself is a link.
    if (!lblEMailAddress->text().trimmed().isEmpty()) {
        lblEMailAddress->setFixedWidth(lblEMailAddress->fontMetrics().horizontalAdvance(lblEMailAddress->text()) + 2);
        lblEMailAddress->setCursor(Qt::PointingHandCursor);
        lblEMailAddress->setForegroundRole(QPalette::Link);
    } else {
        lblEMailAddress->setMinimumWidth(0);
        lblEMailAddress->setMaximumWidth(QWIDGETSIZE_MAX);
        lblEMailAddress->unsetCursor();
    }
}

bool FamilyGroupForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (txtName->text().trimmed().isEmpty()) {
        ShowMessage(res::kMsgEnterName);
        txtName->setFocus();
        return false;
    }
    if (Kind() && Kind()->hasGroupType && cboType->currentText().trimmed().isEmpty()) {
        ShowMessage(res::kMsgSelectGroupType);
        cboType->setFocus();
        return false;
    }
    return true;
}

int32_t FamilyGroupForm::UpdateRecord() {
    return Member(QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        const FamilyGroupKind* kind = Kind();
        if (!kind)
            return int32_t{-1};
        auto record = std::make_shared<platform::Dictionary>();
        record->SetItem(QStringLiteral("ID"), m_id);
        record->SetItem(QStringLiteral("Name"), txtName->text());
        record->SetItem(QStringLiteral("Note"), txtNote->toPlainText());
        if (kind->hasGroupType)
            record->SetItem(QStringLiteral("GroupTypeID"), cboType->currentData().toInt());
        m_stored.AttachTo(*record);
        const int32_t result = (Database().get()->*kind->save)(record);
        record->RemoveAll();
        return result;
    });
}

void FamilyGroupForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid())
            return;
        if (!Save([&] { return UpdateRecord(); }, m_id))
            return;
        SetKindCaption(true);
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void FamilyGroupForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        HideForm();
    });
}

void FamilyGroupForm::cmdPrint_Click() {
    Handle(QStringLiteral("cmdPrint_Click()"), [&] {
        const FamilyGroupKind* kind = Kind();
        if (!kind)
            return;
        WindowBusy busy(this);
        const IReportPrinterPtr printer = Printer();
        auto parameters = std::make_shared<platform::Dictionary>();
        printer->Clear();
        printer->SetReportName(QString::fromLatin1(kind->reportName));
        printer->SetPrintToFile(false);
        parameters->SetItem(QStringLiteral("ID"), m_id);
        const EnumReportError result = printer->PrintReport(parameters);
        parameters->RemoveAll();
        busy.End();
        if (result == EnumReportError::Success)
            return;
        QString message = GetReportErrorMessage(Hub(), result);
        // A result without a text of its own (0, a report the printer does not know) is a failure too.
        if (message.isEmpty())
            message = Text(res::kMsgReportSystemError);
        Support().ShowMessageText(message);
    });
}

void FamilyGroupForm::cmdGroupType_Click() {
    Handle(QStringLiteral("cmdGroupType_Click()"), [&] {
        WindowBusy busy(this);
        const platform::Variant selected = cboType->currentIndex() >= 0 ? cboType->currentData().toInt() : 0;
        HubLoader()->ShowListWindow(EnumWindowType::GroupType);
        InitializeComboBox(1);
        SelectComboItem(cboType, selected, true);
    });
}

void FamilyGroupForm::lblEMailAddress_Click() {
    Handle(QStringLiteral("lblEMailAddress_Click()"), [&] {
        const QString address = lblEMailAddress->text().trimmed();
        if (!address.isEmpty())
            OpenMailTo(address);
    });
}

void FamilyGroupForm::tabMain_Click(int index) {
    Handle(QStringLiteral("tabMain_Click()"), [&] {
        if (index != 0 && index != 1)
            return;
        tbarMember->setEnabled(index == 0);
        lstvwMember->setEnabled(index == 0);
        txtNote->setEnabled(index == 1);
    });
}

void FamilyGroupForm::txtName_GotFocus() {
    Handle(QStringLiteral("txtName_GotFocus()"), [&] { SelectAllText(txtName); });
}

// Enter inside the note starts a new line: OK is not the default button while the note has the focus.
bool FamilyGroupForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNote && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const bool focusIn = event->type() == QEvent::FocusIn;
        Handle(focusIn ? QStringLiteral("txtNote_GotFocus()") : QStringLiteral("txtNote_LostFocus()"),
               [&] { cmdOK->setDefault(!focusIn); });
    }
    return FormBase::eventFilter(watched, event);
}

} // namespace amb::windows
