#include "windows/forms/lists/NameForm.h"

#include "common/ColumnLengths.h"
#include "common/GlobalModule.h"
#include "common/LookupKinds.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/TextLength.h"
#include "heading/FormHeading.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/forms/edit/ControlFactory.h"

#include <QGridLayout>

namespace amb::windows {

NameForm::NameForm(QWidget* parent)
    : EditForm(QStringLiteral("NameForm"), parent), fhMain(new orv::FormHeading(this)),
      lblName(controls::Label(this, "lblName")), txtName(controls::TextBox(this, "txtName")),
      chkDateAllowed(controls::CheckBox(this, "chkDateAllowed")), cmdOK(controls::Button(this, "cmdOK")),
      cmdCancel(controls::Button(this, "cmdCancel")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    txtName->setMinimumWidth(260);
    HideControl(chkDateAllowed, true);
    QGridLayout* fields = controls::FieldGrid({{lblName, txtName}});
    fields->addWidget(chkDateAllowed, 1, 1);
    controls::StandardLayout(this, fhMain, fields, {cmdOK, cmdCancel});

    SetDialogButtons(cmdOK, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    OnFocusIn(txtName, [this] { txtName_GotFocus(); });
}

NameForm::~NameForm() = default;

int32_t NameForm::ID() {
    return Member(QStringLiteral("Get_ID()"), int32_t{0}, [&] { return m_id; });
}

void NameForm::SetID(int32_t value) {
    Member(QStringLiteral("Let_ID()"), 0, [&] { return m_id = value; });
}

EnumWindowType NameForm::WindowType() {
    return Member(QStringLiteral("Get_WindowType()"), EnumWindowType::AddressName, [&] { return m_windowType; });
}

void NameForm::SetWindowType(EnumWindowType value) {
    Member(QStringLiteral("Let_WindowType()"), 0, [&] {
        m_windowType = value;
        return 0;
    });
}

const LookupKind* NameForm::Kind() const {
    return FindLookupKind(m_windowType);
}

QString NameForm::Title() {
    return GetListTypeName(WindowLoader(), m_windowType);
}

int32_t NameForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        SetControlCaption();
        const QString title = Title();
        setWindowTitle(title);
        fhMain->SetHeading(title);
        fhMain->SetDescription(Text(res::kDescRecordTemplate).replace(QLatin1Char('?'), title));
        HideControl(chkDateAllowed, true);
        // The window opens with the cursor in the name, the one thing it edits.
        txtName->setFocus();
        // A look-up list's table is named after its name column.
        if (const LookupKind* kind = Kind())
            LimitLength(txtName, DeclaredLength(kind->table, kind->table));

        if (m_id == 0) {
            setWindowTitle(Text(res::kTextNew) + QLatin1Char(' ') + title);
            cmdCancel->setText(Text(res::kCaptionCancel));
            return int32_t{1};
        }
        const LookupKind* kind = Kind();
        platform::RecordsetPtr row = kind ? (Database().get()->*kind->byId)(m_id) : platform::RecordsetPtr();
        if (!row || row->IsEOF()) {
            Support().ShowNothingRead(res::kMsgRecordNotFound);
            return int32_t{-1};
        }
        txtName->setText(AsString(row->Field(NameColumn(*kind))));
        m_stored.Take(row);
        row->Close();
        setWindowTitle(txtName->text() + QStringLiteral(" - ") + title);
        return int32_t{1};
    });
}

void NameForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    lblName->setText(Text(res::kLabelName));
    cmdCancel->setText(Text(res::kCaptionClose));
    cmdOK->setText(Text(res::kCaptionOK));
}

bool NameForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    const QString name = txtName->text().trimmed();
    if (name.isEmpty())
        return Refuse(res::kMsgEnterName, txtName);
    if (RecordExistsAlready(name))
        return Refuse(res::kMsgNameExists, txtName);
    return true;
}

// Only entries that are not marked deleted count: a deleted entry's name is free and brings it back.
bool NameForm::RecordExistsAlready(const QString& name) {
    Trace(QStringLiteral("RecordExistsAlready()"));
    const LookupKind* kind = Kind();
    if (!kind)
        return false;
    platform::RecordsetPtr row = (Database().get()->*kind->byName)(name);
    if (!row || row->IsEOF())
        return false;
    const bool other = AsLong(row->Field(QStringLiteral("ID"))) != m_id;
    row->Close();
    return other;
}

int32_t NameForm::UpdateRecord() {
    return Member(QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        const LookupKind* kind = Kind();
        int32_t result = 0;
        if (kind) {
            auto record =
                std::make_shared<platform::Dictionary>(std::initializer_list<std::pair<QString, platform::Variant>>{
                    {QStringLiteral("ID"), m_id},
                    {QStringLiteral("OrderIndex"), 0},
                    {NameColumn(*kind), AsString(txtName->text())}});
            m_stored.AttachTo(*record);
            result = (Database().get()->*kind->save)(record);
        }
        setWindowTitle(txtName->text().trimmed() + QStringLiteral(" - ") + Title());
        return result;
    });
}

void NameForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid())
            return;
        if (!Save([&] { return UpdateRecord(); }, m_id))
            return;
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void NameForm::txtName_GotFocus() {
    Handle(QStringLiteral("txtName_GotFocus()"), [&] { SelectAllText(txtName); });
}

} // namespace amb::windows
