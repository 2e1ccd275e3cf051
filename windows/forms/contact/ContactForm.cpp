#include "windows/forms/contact/ContactForm.h"

#include "common/ColumnLengths.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/TextLength.h"
#include "heading/FormHeading.h"
#include "windows/base/ReadCheck.h"
#include "windows/forms/NamedControl.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace amb::windows {

ContactForm::ContactForm(const ContactKind& kind, QWidget* parent)
    : FormBase(QString::fromLatin1(kind.formName), parent), m_kind(kind), fhMain(new orv::FormHeading(this)),
      lblName(nullptr), cboName(NamedControl<QComboBox>(this, "cboName")),
      cmdName(NamedControl<QPushButton>(this, "cmdName")), m_valueArea(new QVBoxLayout), lblNote(nullptr),
      txtNote(NamedControl<QPlainTextEdit>(this, "txtNote")), cmdOK(NamedControl<QPushButton>(this, "cmdOK")),
      cmdCancel(NamedControl<QPushButton>(this, "cmdCancel")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    lblName = NamedLabel(this, "lblName", cboName);
    lblNote = NamedLabel(this, "lblNote", txtNote);
    // The kind is free text: a typed name is kept as typed and not added to the list.
    cboName->setEditable(true);
    cboName->setInsertPolicy(QComboBox::NoInsert);
    cboName->setMinimumWidth(220);
    cmdName->setText(QStringLiteral("+"));
    cmdName->setFixedWidth(cmdName->sizeHint().height());
    cmdName->setAutoDefault(false);
    txtNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNote->setTabChangesFocus(true);
    txtNote->setFixedHeight(72);
    LimitLength(cboName, DeclaredLength(kind.table, "Name"));
    LimitLength(txtNote, DeclaredLength(kind.table, "Note"));

    auto* kindRow = new QHBoxLayout;
    kindRow->setSpacing(4);
    kindRow->addWidget(cboName, 1);
    kindRow->addWidget(cmdName);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    fields->addWidget(lblName, 0, 0);
    fields->addLayout(kindRow, 0, 1);
    m_valueArea->setContentsMargins(0, 0, 0, 0);
    fields->addLayout(m_valueArea, 1, 0, 1, 2);
    fields->addWidget(lblNote, 2, 0, Qt::AlignTop);
    fields->addWidget(txtNote, 2, 1);
    fields->setColumnStretch(1, 1);
    fields->setContentsMargins(16, 0, 16, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(fhMain);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(ButtonRow({cmdOK, cmdCancel}));
    // Resizing the window changes nothing in it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(cboName, cmdName);
    setTabOrder(txtNote, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    SetDialogButtons(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdName, &QPushButton::clicked, this, [this] { cmdName_Click(); });
    OnFocusIn(cboName, [this] { Handle(QStringLiteral("cboName_GotFocus()"), [&] { SelectAllComboText(cboName); }); });
    // Enter starts a new line in the note instead of pressing OK.
    OnFocusIn(txtNote, [this] { Handle(QStringLiteral("txtNote_GotFocus()"), [&] { cmdOK->setDefault(false); }); });
}

ContactForm::~ContactForm() = default;

int32_t ContactForm::ID() {
    return Member(QStringLiteral("Get_ID()"), int32_t{0}, [&] { return m_id; });
}

void ContactForm::SetID(int32_t value) {
    Support().Run(QStringLiteral("Let_ID()"), [&] { m_id = value; });
}

int32_t ContactForm::PersonID() {
    return Member(QStringLiteral("Get_PersonID()"), int32_t{0}, [&] { return m_personId; });
}

void ContactForm::SetPersonID(int32_t value) {
    Support().Run(QStringLiteral("Let_PersonID()"), [&] { m_personId = value; });
}

void ContactForm::SetValueTabOrder(std::initializer_list<QWidget*> fields) {
    QWidget* previous = cmdName;
    for (QWidget* field : fields) {
        setTabOrder(previous, field);
        previous = field;
    }
    setTabOrder(previous, txtNote);
}

void ContactForm::SelectOnFocus(QWidget* box) {
    OnFocusIn(box,
              [this, box] { Handle(box->objectName() + QStringLiteral("_GotFocus()"), [&] { SelectAllText(box); }); });
}

int32_t ContactForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        SetControlCaption();
        InitializeComboBoxes(3);
        const QString entity = EntityText();
        setWindowTitle(entity);
        fhMain->SetHeading(entity);
        fhMain->SetDescription(Text(res::kDescRecordTemplate).replace(QLatin1Char('?'), entity));
        cmdName->setAccessibleName(GetListTypeName(WindowLoader(), m_kind.listWindow));

        if (m_id == 0) {
            setWindowTitle(Text(res::kTextNew) + QLatin1Char(' ') + entity);
            cmdCancel->setText(Text(res::kCaptionCancel));
            cboName->setEnabled(true);
            return int32_t{1};
        }
        platform::RecordsetPtr row = (Database().get()->*m_kind.byId)(m_id);
        if (!row || row->IsEOF()) {
            Support().ShowNothingRead(res::kMsgRecordNotFound);
            return int32_t{-1};
        }
        SelectOrTypeComboText(cboName, AsString(row->Field(QStringLiteral("Name"))));
        bool builtIn = false;
        for (const char* flag : m_kind.builtInFlags)
            builtIn = builtIn || (flag && AsBoolean(row->Field(QString::fromLatin1(flag))));
        // A built-in row (home, work...) keeps its kind.
        cboName->setEnabled(!builtIn);
        ShowValues(*row);
        // A fixed kind leaves only the value to type; the kind list's button is not where typing goes.
        if (builtIn)
            FocusFirstValue();
        txtNote->setPlainText(AsString(row->Field(QStringLiteral("Note"))));
        m_stored.Take(row);
        row->Close();
        SetSavedCaption();
        return int32_t{1};
    });
}

void ContactForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    lblName->setText(RequiredText(m_kind.kindLabel));
    SetValueCaptions();
    lblNote->setText(Text(res::kLabelNote));
    cmdCancel->setText(Text(res::kCaptionClose));
    cmdOK->setText(Text(res::kCaptionOK));
    AlignLabels();
}

void ContactForm::AlignLabels() {
    const QList<QLabel*> labels = findChildren<QLabel*>(QRegularExpression(QStringLiteral("^lbl")));
    int width = 0;
    for (QLabel* label : labels)
        width = std::max(width, label->sizeHint().width());
    for (QLabel* label : labels)
        label->setMinimumWidth(width);
}

void ContactForm::InitializeComboBoxes(int32_t mask) {
    Trace(QStringLiteral("InitializeComboBoxes()"));
    if (mask != 1 && mask != 3)
        return;
    ReadCheck read(Support());
    FillComboBox(cboName, read((Database().get()->*m_kind.lookup)(EnumLookupOption::IncludeBlank)),
                 QStringLiteral("Name"), QStringLiteral("ID"), false);
    read.Tell();
    if (mask == 3)
        PrepareValues();
}

bool ContactForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (AcceptsWithoutChecks())
        return true;
    const QString kind = KindText();
    if (kind.isEmpty()) {
        ShowMessage(m_kind.kindMissingMessage);
        cboName->setFocus();
        return false;
    }
    if (RecordExistsAlready(kind)) {
        ShowMessage(res::kMsgNameExists);
        cboName->setFocus();
        return false;
    }
    return AreValuesValid();
}

bool ContactForm::RecordExistsAlready(const QString& name) {
    Trace(QStringLiteral("RecordExistsAlready()"));
    platform::RecordsetPtr rows = (Database().get()->*m_kind.byName)(m_personId, name);
    if (!rows || rows->IsEOF())
        return false;
    // The row being edited does not count against itself.
    const bool other = AsLong(rows->Field(QStringLiteral("ID"))) != m_id;
    rows->Close();
    return other;
}

int32_t ContactForm::UpdateRecord() {
    return Member(QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        const auto record = std::make_shared<platform::Dictionary>();
        record->SetItem(QStringLiteral("ID"), m_id);
        record->SetItem(QStringLiteral("PersonID"), m_personId);
        record->SetItem(QStringLiteral("Name"), KindText());
        AddValues(*record);
        record->SetItem(QStringLiteral("Note"), AsString(txtNote->toPlainText()));
        m_stored.AttachTo(*record);
        return (Database().get()->*m_kind.save)(record);
    });
}

QString ContactForm::KindText() const {
    return AsString(cboName->currentText());
}

void ContactForm::SetSavedCaption() {
    setWindowTitle(cboName->currentText() + QStringLiteral(" - ") + EntityText());
}

void ContactForm::FocusFirstValue() {
    for (QWidget* field = cmdName->nextInFocusChain(); field && field != cmdName; field = field->nextInFocusChain()) {
        if ((field->focusPolicy() & Qt::TabFocus) && field->isEnabled() && field->isVisibleTo(this)) {
            field->setFocus();
            return;
        }
    }
}

void ContactForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid())
            return;
        if (!Save([&] { return UpdateRecord(); }, m_id))
            return;
        SetSavedCaption();
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void ContactForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        HideForm();
    });
}

void ContactForm::cmdName_Click() {
    Handle(QStringLiteral("cmdName_Click()"), [&] {
        WindowBusy busy(this);
        const QString kind = cboName->currentText();
        HubLoader()->ShowListWindow(m_kind.listWindow);
        InitializeComboBoxes(1);
        SelectOrTypeComboText(cboName, kind);
    });
}

bool ContactForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNote && event->type() == QEvent::FocusOut)
        Handle(QStringLiteral("txtNote_LostFocus()"), [&] { cmdOK->setDefault(true); });
    return FormBase::eventFilter(watched, event);
}

} // namespace amb::windows
