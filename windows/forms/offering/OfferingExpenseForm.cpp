#include "windows/forms/offering/OfferingExpenseForm.h"

#include "common/ColumnLengths.h"
#include "common/DateText.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/AccessibleLabels.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/DatePicker.h"
#include "common/widgets/TextLength.h"
#include "contracts/IDatabaseManager.h"
#include "heading/FormHeading.h"
#include "platform/com/Error.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/base/ReadCheck.h"
#include "windows/forms/FormControls.h"
#include "windows/forms/PersonSearch.h"
#include "windows/forms/offering/BatchForm.h"
#include "windows/forms/offering/BatchRow.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace amb::windows {

OfferingExpenseForm::OfferingExpenseForm(QWidget* parent) : FormBase(QStringLiteral("OfferingExpenseForm"), parent) {
    CreateLayout();
    ConnectControls();
}

OfferingExpenseForm::~OfferingExpenseForm() = default;

int32_t OfferingExpenseForm::BatchType() {
    return Member(QStringLiteral("Get_BatchType()"), int32_t{0}, [&] { return m_batchType; });
}

void OfferingExpenseForm::SetBatchType(int32_t value) {
    Member(QStringLiteral("Let_BatchType()"), 0, [&] { return m_batchType = value; });
}

int32_t OfferingExpenseForm::UpdateTarget() {
    return Member(QStringLiteral("Get_UpdateTarget()"), int32_t{0}, [&] { return m_updateTarget; });
}

void OfferingExpenseForm::SetUpdateTarget(int32_t value) {
    Member(QStringLiteral("Let_UpdateTarget()"), 0, [&] {
        return m_updateTarget = m_windowType == EnumOfferingWindowType::Batch ? SaveTarget::BatchGrid : value;
    });
}

int32_t OfferingExpenseForm::ID() {
    return Member(QStringLiteral("Get_ID()"), int32_t{0}, [&] { return m_id; });
}

void OfferingExpenseForm::SetID(int32_t value) {
    Member(QStringLiteral("Let_ID()"), 0, [&] { return m_id = value; });
}

BatchForm* OfferingExpenseForm::ParentBatchForm() {
    return Member(QStringLiteral("Get_ParentBatchForm()"), static_cast<BatchForm*>(nullptr),
                  [&] { return m_parentBatchForm.data(); });
}

void OfferingExpenseForm::SetParentBatchForm(BatchForm* value) {
    Member(QStringLiteral("Set_ParentBatchForm()"), 0, [&] {
        m_parentBatchForm = value;
        return 0;
    });
}

EnumOfferingWindowType OfferingExpenseForm::WindowType() {
    return Member(QStringLiteral("Get_WindowType()"), EnumOfferingWindowType::Individual, [&] { return m_windowType; });
}

void OfferingExpenseForm::SetWindowType(EnumOfferingWindowType value) {
    Member(QStringLiteral("Let_WindowType()"), 0, [&] {
        m_windowType = value;
        if (value == EnumOfferingWindowType::Batch) {
            m_id = -1;
            m_updateTarget = SaveTarget::BatchGrid;
        }
        return 0;
    });
}

int32_t OfferingExpenseForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        dtDate->SetDateFormat(Hub()->DateFormat());
        if (m_batchType != BatchKind::Offering && m_batchType != BatchKind::Expense)
            return int32_t{-1};
        // A grid target needs its grid: refuse to load rather than write into nothing.
        if (m_updateTarget == SaveTarget::BatchGrid && !m_parentBatchForm)
            throw platform::Error(91, QStringLiteral("Object variable not set: no parent batch window"), SourceName());
        if (UpdateKindForm() < 0)
            return int32_t{-1};
        if (m_windowType == EnumOfferingWindowType::Individual) {
            cmdCancel->setText(Text(res::kCaptionClose));
            cmdOK->setText(Text(res::kCaptionOK));
        } else if (m_windowType == EnumOfferingWindowType::Batch) {
            cmdCancel->setText(Text(res::kCaptionDone));
            cmdOK->setText(Text(res::kCaptionNext));
        }
        return int32_t{1};
    });
}

void OfferingExpenseForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    const bool offering = IsOffering();
    lblAmount->setText(RequiredText(res::kLabelAmount));
    lblDate->setText(Text(res::kLabelDate));
    lblEnvelopCode->setText(Text(res::kLabelEnvelopeCode));
    lblExpenseName->setText(RequiredText(res::kLabelDescription));
    lblOfferingType->setText(RequiredText(offering ? res::kLabelOfferingType : res::kLabelExpenseType));
    lblNote->setText(Text(res::kLabelNote));
    // The button beside the type opens the type list: it is read by the type's name, not by "+".
    cmdOfferingExpenseType->setAccessibleName(Text(offering ? res::kLabelOfferingType : res::kLabelExpenseType));
    NameControlsAfterLabels(this);
    cmdCancel->setText(Text(res::kCaptionClose));
    cmdOK->setText(Text(res::kCaptionOK));
    // The other kind's controls are neither seen nor reachable.
    for (QWidget* control : {static_cast<QWidget*>(lblEnvelopCode), static_cast<QWidget*>(txtEnvelopCode),
                             static_cast<QWidget*>(cmdSearch)})
        HideControl(control, !offering);
    for (QWidget* control : {static_cast<QWidget*>(lblExpenseName), static_cast<QWidget*>(txtExpenseName)})
        HideControl(control, offering);
}

int32_t OfferingExpenseForm::UpdateKindForm() {
    Trace(IsOffering() ? QStringLiteral("UpdateOfferingForm()") : QStringLiteral("UpdateExpenseForm()"));
    SetControlCaption();
    const QString title = Text(IsOffering() ? res::kTitleOffering : res::kTitleExpense);
    setWindowTitle(title);
    fhMain->SetHeading(title);
    fhMain->SetDescription(Text(IsOffering() ? res::kDescOffering : res::kDescExpense));
    InitializeComboBoxes(2);
    dtDate->SetDate(FirstDayOfCurrentMonth().date());
    if (m_updateTarget == SaveTarget::Database)
        LoadStoredRecord();
    else
        LoadGridRow();
    return 1;
}

void OfferingExpenseForm::LoadStoredRecord() {
    // A stored offering keeps its giver: the envelope code is shown, not changed here.
    txtEnvelopCode->setEnabled(false);
    cmdSearch->setEnabled(false);
    const IDatabaseManagerPtr database = Database();
    const bool offering = IsOffering();
    platform::RecordsetPtr record = offering ? database->GetOfferingByID(m_id) : database->GetExpenseByID(m_id);
    if (!record || record->IsEOF()) {
        Support().ShowReadFailure();
        return;
    }
    const auto field = [&](const char* name) { return record->Field(QString::fromLatin1(name)); };
    dtDate->SetValue(field(offering ? "OfferingDate" : "ExpenseDate"));
    SelectComboItem(cboOfferingTypeName, field(offering ? "OfferingTypeID" : "ExpenseTypeID"), true);
    if (offering)
        txtEnvelopCode->setText(AsString(field("EnvelopCode")));
    else
        txtExpenseName->setText(AsString(field("ExpenseName")));
    // A stored amount that could not be read arrives as Null: the box stays empty for a new amount.
    const platform::Variant amount = field("Amount");
    txtAmount->setText(amount.IsNull() ? QString() : FormatAmount(AsCurrency(amount), AmountStyle::Entry));
    txtNote->setText(AsString(field("Note")));
    m_stored.Take(record);
    record->Close();
}

void OfferingExpenseForm::LoadGridRow() {
    txtEnvelopCode->setEnabled(IsOffering());
    cmdSearch->setEnabled(IsOffering());
    const QTreeWidgetItem* row = m_parentBatchForm->List()->currentItem();
    if (!row || !row->isSelected())
        return;
    const BatchRowValues values = ReadBatchRow(row);
    (IsOffering() ? txtEnvelopCode : txtExpenseName)->setText(values.text);
    SelectComboItem(cboOfferingTypeName, values.typeName, false);
    dtDate->SetDate(values.date.date());
    txtAmount->setText(FormatAmount(values.amount, AmountStyle::Entry));
    txtNote->setText(values.note);
}

void OfferingExpenseForm::InitializeComboBoxes(int32_t selector) {
    Trace(QStringLiteral("InitializeComboBoxes()"));
    if (selector != 1 && selector != 2)
        return;
    const IDatabaseManagerPtr database = Database();
    const auto option = EnumLookupOption::IncludeBlank;
    ReadCheck read(Support());
    FillComboBox(cboOfferingTypeName,
                 read(m_batchType == BatchKind::Expense ? database->GetLookupExpenseTypeName(option)
                                                        : database->GetLookupOfferingTypeName(option)),
                 QStringLiteral("Name"), QStringLiteral("ID"), false);
    read.Tell();
}

bool OfferingExpenseForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (!Support().CheckDates())
        return false;
    const auto refuse = [&](int32_t text, QWidget* control) {
        ShowMessage(text);
        control->setFocus();
        return false;
    };
    if (m_batchType == BatchKind::Offering || m_batchType == BatchKind::Expense) {
        if (cboOfferingTypeName->currentText().trimmed().isEmpty())
            return refuse(IsOffering() ? res::kMsgSelectOfferingType : res::kMsgSelectExpenseType, cboOfferingTypeName);
        if (m_batchType == BatchKind::Expense && txtExpenseName->isVisible() &&
            txtExpenseName->text().trimmed().isEmpty())
            return refuse(res::kMsgEnterExpenseName, txtExpenseName);
    }
    if (txtAmount->text().trimmed().isEmpty())
        return refuse(res::kMsgEnterAmount, txtAmount);
    // Refused here, before anything reaches the grid or the database, with the reason.
    switch (ParseAmount(txtAmount->text()).result) {
    case AmountReading::Result::Amount:
        return true;
    case AmountReading::Result::TooManyDecimals:
        return refuse(res::kMsgAmountDecimals, txtAmount);
    case AmountReading::Result::OutOfRange:
        return refuse(res::kMsgAmountOutOfRange, txtAmount);
    case AmountReading::Result::NotAnAmount:
        break;
    }
    return refuse(res::kMsgAmountNotNumeric, txtAmount);
}

// The entry as values: the amount read once with the locale's separators, the date as a date.
BatchRowValues OfferingExpenseForm::EnteredValues() const {
    BatchRowValues values;
    values.text = AsString(IsOffering() ? txtEnvelopCode->text() : txtExpenseName->text());
    values.typeId = cboOfferingTypeName->currentIndex() >= 0 ? cboOfferingTypeName->currentData().toInt() : 0;
    values.typeName = AsString(cboOfferingTypeName->currentText());
    values.date = QDateTime(dtDate->Date().value_or(FirstDayOfCurrentMonth().date()), QTime(0, 0));
    values.amount = ParseAmount(txtAmount->text()).value;
    values.note = AsString(txtNote->text());
    return values;
}

bool OfferingExpenseForm::EntryTyped() const {
    for (const QLineEdit* box : {txtEnvelopCode, txtExpenseName, txtAmount, txtNote})
        if (box->isVisibleTo(this) && !box->text().trimmed().isEmpty())
            return true;
    return false;
}

int32_t OfferingExpenseForm::UpdateRecord() {
    int32_t result = -1;
    Support().Run(QStringLiteral("UpdateRecord()"), [&] {
        if (m_windowType != EnumOfferingWindowType::Individual) {
            WriteGridRow(true);
            result = 0;
        } else if (m_updateTarget == SaveTarget::Database) {
            result = SaveToDatabase();
        } else {
            WriteGridRow(false);
            result = 0;
        }
    });
    return result;
}

int32_t OfferingExpenseForm::SaveToDatabase() {
    if (m_batchType != BatchKind::Offering && m_batchType != BatchKind::Expense)
        return 0;
    const IApplicationPtr hub = Hub();
    const BatchRowValues values = EnteredValues();
    auto record = std::make_shared<platform::Dictionary>();
    record->SetItem(QStringLiteral("ID"), m_id);
    record->SetItem(QStringLiteral("UserID"), hub->CurrentUserID());
    if (IsOffering()) {
        // An existing offering keeps its giver.
        record->SetItem(QStringLiteral("PersonID"), 0);
        record->SetItem(QStringLiteral("EnvelopCode"), QString());
        record->SetItem(QStringLiteral("OfferingTypeID"), values.typeId);
        record->SetItem(QStringLiteral("OfferingDate"), values.date);
    } else {
        record->SetItem(QStringLiteral("ExpenseName"), values.text);
        record->SetItem(QStringLiteral("ExpenseTypeID"), values.typeId);
        record->SetItem(QStringLiteral("ExpenseDate"), values.date);
    }
    record->SetItem(QStringLiteral("Amount"), values.amount);
    record->SetItem(QStringLiteral("Note"), values.note);
    if (m_id > 0)
        m_stored.AttachTo(*record);
    const IDatabaseManagerPtr database = Database();
    const int32_t result = IsOffering() ? database->UpdatePersonOffering(record) : database->UpdateExpense(record);
    record->RemoveAll();
    return result;
}

void OfferingExpenseForm::WriteGridRow(bool newRow) {
    if (!m_parentBatchForm)
        throw platform::Error(91, QStringLiteral("Object variable not set: no parent batch window"), SourceName());
    QTreeWidget* list = m_parentBatchForm->List();
    QTreeWidgetItem* row = newRow ? nullptr : list->currentItem();
    if (!newRow && (!row || !row->isSelected()))
        throw platform::Error(91, QStringLiteral("No row of the batch grid is selected"), SourceName());
    const BatchRowValues values = EnteredValues();
    if (newRow) {
        row = new QTreeWidgetItem;
        list->addTopLevelItem(row);
    }
    const QString shown = IsOffering() && values.text.isEmpty() ? Text(res::kTextUnknownGiver) : values.text;
    WriteBatchRow(list, row, IsOffering(), values, shown, values.date.toString(DatePattern(Hub()->DateFormat())),
                  Text(res::kStatusWaiting));
}

void OfferingExpenseForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid())
            return;
        int32_t saved = 0;
        if (!Save([&] { return UpdateRecord(); }, saved))
            return;
        if (cboOfferingTypeName->count() > 0)
            cboOfferingTypeName->setCurrentIndex(0);
        for (QLineEdit* box : {txtEnvelopCode, txtExpenseName, txtAmount, txtNote})
            box->clear();
        cboOfferingTypeName->setFocus();
        SetResponse(FormResponse::OK);
        if (m_windowType == EnumOfferingWindowType::Individual)
            HideForm();
    });
}

void OfferingExpenseForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        const bool done = cmdCancel->text() == Text(res::kCaptionDone);
        // Done ends the batch entry; an entry typed but not yet added is not dropped without asking,
        // and Enter on the question keeps it.
        if (done && EntryTyped() &&
            ShowMessage(res::kMsgEntryNotAdded, MessageStyle::YesNo | MessageStyle::Question |
                                                    MessageStyle::DefaultButton2) != MessageResult::Yes)
            return;
        SetResponse(done ? FormResponse::OK : FormResponse::Cancel);
        HideForm();
    });
}

void OfferingExpenseForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!IsBusy(this))
        cmdCancel_Click();
}

void OfferingExpenseForm::cmdSearch_Click() {
    Handle(QStringLiteral("cmdSearch_Click()"), [&] {
        const PersonChoice choice = SearchPerson(this, WindowLoader());
        if (choice.id == 0)
            return;
        // The envelope code rides in the chosen row's key; also an empty one is taken.
        const QStringList parts = choice.key.split(QStringLiteral("||"));
        txtEnvelopCode->setText(parts.size() < 3 ? QString() : AsString(parts[2]));
    });
}

void OfferingExpenseForm::cmdOfferingExpenseType_Click() {
    Handle(QStringLiteral("cmdOfferingExpenseType_Click()"), [&] {
        WindowBusy busy(this);
        const int32_t before =
            cboOfferingTypeName->currentIndex() >= 0 ? cboOfferingTypeName->currentData().toInt() : 0;
        HubLoader()->ShowListWindow(m_batchType != BatchKind::Offering ? EnumWindowType::ExpenseTypeName
                                                                       : EnumWindowType::OfferingTypeName);
        InitializeComboBoxes(1);
        SelectComboItem(cboOfferingTypeName, before, true);
    });
}

void OfferingExpenseForm::CreateLayout() {
    fhMain = NamedControl<orv::FormHeading>(this, "fhMain");
    cboOfferingTypeName = MakeDropDownList(this, "cboOfferingTypeName");
    lblOfferingType = NamedLabel(this, "lblOfferingType", cboOfferingTypeName);
    cmdOfferingExpenseType = NamedControl<QPushButton>(this, "cmdOfferingExpenseType");
    cmdOfferingExpenseType->setText(QStringLiteral("+"));
    cmdOfferingExpenseType->setFixedWidth(28);
    cmdOfferingExpenseType->setAutoDefault(false);
    txtEnvelopCode = NamedControl<QLineEdit>(this, "txtEnvelopCode");
    lblEnvelopCode = NamedLabel(this, "lblEnvelopCode", txtEnvelopCode);
    cmdSearch = NamedControl<QPushButton>(this, "cmdSearch");
    cmdSearch->setText(QStringLiteral("Search..."));
    cmdSearch->setAutoDefault(false);
    txtExpenseName = NamedControl<QLineEdit>(this, "txtExpenseName");
    lblExpenseName = NamedLabel(this, "lblExpenseName", txtExpenseName);
    dtDate = NamedControl<DatePicker>(this, "dtDate");
    // Every offering and expense has a date: the picker never holds "no date" here.
    dtDate->CheckBox()->setVisible(false);
    lblDate = NamedLabel(this, "lblDate", dtDate);
    txtAmount = NamedControl<QLineEdit>(this, "txtAmount");
    lblAmount = NamedLabel(this, "lblAmount", txtAmount);
    txtNote = NamedControl<QLineEdit>(this, "txtNote");
    lblNote = NamedLabel(this, "lblNote", txtNote);
    LimitLength(txtExpenseName, TextLimit("Expense", "ExpenseName"));
    LimitLength(txtNote, std::min(TextLimit("PersonOffering", "Note"), TextLimit("Expense", "Note")));
    Label4 = NamedLabel(this, "Label4", nullptr);
    cmdOK = NamedControl<QPushButton>(this, "cmdOK");
    cmdCancel = NamedControl<QPushButton>(this, "cmdCancel");

    auto* grid = new QGridLayout;
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setHorizontalSpacing(8);
    int row = 0;
    const auto add = [&](QLabel* label, QWidget* control, QWidget* extra = nullptr) {
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    add(lblOfferingType, cboOfferingTypeName, cmdOfferingExpenseType);
    add(lblEnvelopCode, txtEnvelopCode, cmdSearch);
    add(lblExpenseName, txtExpenseName);
    add(lblDate, dtDate);
    add(lblAmount, txtAmount);
    add(lblNote, txtNote);
    grid->addWidget(Label4, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    QHBoxLayout* buttons = ButtonRow({cmdOK, cmdCancel});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fhMain);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(440, 330);
    SetDialogButtons(cmdOK, cmdCancel);
}

void OfferingExpenseForm::ConnectControls() {
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdOfferingExpenseType, &QPushButton::clicked, this, [this] { cmdOfferingExpenseType_Click(); });
    const std::pair<QLineEdit*, const char*> focus[] = {{txtAmount, "txtAmount_GotFocus()"},
                                                        {txtExpenseName, "txtExpenseName_GotFocus()"},
                                                        {txtEnvelopCode, "txtEnvelopCode_GotFocus()"}};
    for (const auto& [box, procedure] : focus)
        OnFocusIn(box, [this, box = box, procedure = procedure] {
            Handle(QString::fromLatin1(procedure), [box] { SelectAllText(box); });
        });
}

} // namespace amb::windows
