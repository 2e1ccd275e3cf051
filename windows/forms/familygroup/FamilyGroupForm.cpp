#include "windows/forms/familygroup/FamilyGroupForm.h"

#include "common/ColumnLengths.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
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
#include "windows/base/ReadCheck.h"
#include "windows/forms/familygroup/FamilyGroupHeader.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"
#include "windows/forms/familygroup/FamilyGroupMemberGrid.h"
#include "windows/forms/familygroup/FormParts.h"

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
#include <QVBoxLayout>

namespace amb::windows {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name) {
    auto* button = Named(new QPushButton(parent), name);
    button->setMinimumWidth(88);
    return button;
}

} // namespace

FamilyGroupForm::FamilyGroupForm(QWidget* parent)
    : FormBase(QStringLiteral("FamilyGroupForm"), parent), m_window{.form = *this,
                                                                    .support = Support(),
                                                                    .database = [this] { return Database(); },
                                                                    .showSaveFailure = [this] { ShowSaveFailure(); }},
      fhMain(Named(new orv::FormHeading(this), "fhMain")), lblName(MakeLabel(this, "lblName")),
      txtName(Named(new QLineEdit(this), "txtName")), lblType(MakeLabel(this, "lblType")),
      cboType(Named(new QComboBox(this), "cboType")), cmdGroupType(Named(new QPushButton(this), "cmdGroupType")),
      m_header(std::make_unique<FamilyGroupHeader>(m_window)), tabMain(Named(new QTabWidget(this), "tabMain")),
      txtNote(Named(new QPlainTextEdit(this), "txtNote")), cmdOK(MakeButton(this, "cmdOK")),
      cmdCancel(MakeButton(this, "cmdCancel")), cmdPrint(MakeButton(this, "cmdPrint")),
      m_members(std::make_unique<FamilyGroupMemberGrid>(
          m_window, FamilyGroupMemberGrid::Events{.headChanged = [this] { m_header->RefreshInformation(); },
                                                  .counted = [this](int count) { m_header->SetMemberCount(count); }})) {
    BuildLayout();
    SetDialogButtons(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdGroupType, &QPushButton::clicked, this, [this] { cmdGroupType_Click(); });
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
    m_header->AddRows(*fields, row);
    fields->setColumnStretch(1, 1);

    auto* notePage = new QWidget;
    notePage->setObjectName(QStringLiteral("tabNote"));
    auto* noteLayout = new QVBoxLayout(notePage);
    noteLayout->addWidget(txtNote);
    tabMain->addTab(m_members->Page(), QString());
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
    return Member(QStringLiteral("Get_ID()"), int32_t{-1}, [&] { return m_window.id; });
}

void FamilyGroupForm::SetID(int32_t value) {
    Member(QStringLiteral("Let_ID()"), 0, [&] {
        m_window.id = value;
        return 0;
    });
}

EnumFamilyGroup FamilyGroupForm::FormType() {
    return Member(QStringLiteral("Get_FormType()"), EnumFamilyGroup::None, [&] { return m_window.formType; });
}

void FamilyGroupForm::SetFormType(EnumFamilyGroup value) {
    Member(QStringLiteral("Let_FormType()"), 0, [&] {
        m_window.formType = value;
        return 0;
    });
}

int32_t FamilyGroupForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        m_members->ConfigureGrid();
        SetControlCaption();
        m_header->Clear();
        txtName->clear();
        const FamilyGroupKind* kind = m_window.Kind();
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
            record = (Database().get()->*kind->read)(m_window.id);
        }
        if (!record || record->IsEOF()) {
            Support().ShowNothingRead(res::kMsgRecordNotFound);
            return int32_t{-1};
        }
        txtName->setText(AsString(record->Field(QStringLiteral("Name"))));
        if (kind->hasGroupType)
            SelectComboItem(cboType, record->Field(QStringLiteral("GroupTypeID")), true);
        txtNote->setPlainText(AsString(record->Field(QStringLiteral("Note"))));
        m_stored.Take(record);
        record->Close();

        m_header->RefreshInformation();
        m_members->RefreshGrid();
        m_members->EnableToolbarButtons();
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
    const FamilyGroupKind* kind = m_window.Kind();
    const QString kindText = kind ? Text(kind->kindText) : QString();
    const QString name = txtName->text();
    setWindowTitle(withName && !name.isEmpty() ? name + QStringLiteral(" - ") + kindText : kindText);
}

void FamilyGroupForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    m_header->SetCaptions();
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
    ReadCheck read(Support());
    FillComboBox(cboType, read(Database()->GetLookupGroupType(EnumLookupOption::IncludeBlank)), QStringLiteral("Name"),
                 QStringLiteral("ID"), false);
    read.Tell();
}

bool FamilyGroupForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (txtName->text().trimmed().isEmpty()) {
        ShowMessage(res::kMsgEnterName);
        txtName->setFocus();
        return false;
    }
    if (m_window.Kind() && m_window.Kind()->hasGroupType && cboType->currentText().trimmed().isEmpty()) {
        ShowMessage(res::kMsgSelectGroupType);
        cboType->setFocus();
        return false;
    }
    return true;
}

int32_t FamilyGroupForm::UpdateRecord() {
    return Member(QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        const FamilyGroupKind* kind = m_window.Kind();
        if (!kind)
            return int32_t{-1};
        auto record = std::make_shared<platform::Dictionary>();
        record->SetItem(QStringLiteral("ID"), m_window.id);
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
        if (!Save([&] { return UpdateRecord(); }, m_window.id))
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
        const FamilyGroupKind* kind = m_window.Kind();
        if (!kind)
            return;
        WindowBusy busy(this);
        const IReportPrinterPtr printer = Printer();
        auto parameters = std::make_shared<platform::Dictionary>();
        printer->Clear();
        printer->SetReportName(QString::fromLatin1(kind->reportName));
        printer->SetPrintToFile(false);
        parameters->SetItem(QStringLiteral("ID"), m_window.id);
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

void FamilyGroupForm::tabMain_Click(int index) {
    Handle(QStringLiteral("tabMain_Click()"), [&] {
        if (index != 0 && index != 1)
            return;
        m_members->SetEnabled(index == 0);
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
