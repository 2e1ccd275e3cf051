#include "windows/forms/users/UserForm.h"

#include "common/ColumnLengths.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/TextLength.h"
#include "heading/FormHeading.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/forms/edit/ControlFactory.h"
#include "windows/forms/users/Administrators.h"

#include <QEvent>
#include <QGridLayout>

namespace amb::windows {

UserForm::UserForm(QWidget* parent)
    : EditForm(QStringLiteral("UserForm"), parent), fhMain(new orv::FormHeading(this)),
      lblUsername(controls::Label(this, "lblUsername")), txtUsername(controls::TextBox(this, "txtUsername")),
      lblPassword(controls::Label(this, "lblPassword")), txtPassword(controls::TextBox(this, "txtPassword", true)),
      lblConfirmPassword(controls::Label(this, "lblConfirmPassword")),
      txtConfirmPassword(controls::TextBox(this, "txtConfirmPassword", true)),
      lblName(controls::Label(this, "lblName")), txtName(controls::TextBox(this, "txtName")),
      lblEMailAddress(controls::Label(this, "lblEMailAddress")),
      txtEMailAddress(controls::TextBox(this, "txtEMailAddress")), chkIsAdmin(controls::CheckBox(this, "chkIsAdmin")),
      chkIsEnabled(controls::CheckBox(this, "chkIsEnabled")), cmdOK(controls::Button(this, "cmdOK")),
      cmdCancel(controls::Button(this, "cmdCancel")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    SetResponse(FormResponse::None);
    QGridLayout* fields = controls::FieldGrid({{lblUsername, txtUsername},
                                               {lblPassword, txtPassword},
                                               {lblConfirmPassword, txtConfirmPassword},
                                               {lblName, txtName},
                                               {lblEMailAddress, txtEMailAddress}});
    fields->addWidget(chkIsAdmin, 5, 1);
    fields->addWidget(chkIsEnabled, 6, 1);
    controls::StandardLayout(this, fhMain, fields, {cmdOK, cmdCancel});
    const std::pair<QWidget*, int> limits[] = {{txtUsername, TextLimit("User", "Username")},
                                               {txtPassword, TextLimit("User", "Password")},
                                               {txtConfirmPassword, TextLimit("User", "Password")},
                                               {txtName, TextLimit("User", "Name")},
                                               {txtEMailAddress, TextLimit("User", "EMailAddress")}};
    for (const auto& [box, length] : limits)
        LimitLength(box, length);
    // Focus selects the box's text, as in every editing window.
    for (QLineEdit* box : {txtUsername, txtPassword, txtConfirmPassword, txtName, txtEMailAddress})
        OnFocusIn(box, [this, box] {
            Handle(box->objectName() + QStringLiteral("_GotFocus()"), [&] { SelectAllText(box); });
        });

    SetDialogButtons(cmdOK, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

// The user name is validated whenever it loses the focus, changed or not.
bool UserForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtUsername && event->type() == QEvent::FocusOut)
        txtUsername_Validate();
    return FormBase::eventFilter(watched, event);
}

UserForm::~UserForm() = default;

int32_t UserForm::ID() {
    return Member(QStringLiteral("Get_ID()"), int32_t{0}, [&] { return m_id; });
}

void UserForm::SetID(int32_t value) {
    Member(QStringLiteral("Let_ID()"), 0, [&] { return m_id = value; });
}

int32_t UserForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        SetControlCaption();
        const QString word = Text(res::kTitleUser);
        setWindowTitle(word);
        fhMain->SetHeading(word);
        fhMain->SetDescription(Text(res::kDescRecordTemplate).replace(QLatin1Char('?'), word));
        if (m_id == 0) {
            setWindowTitle(Text(res::kTextNew) + QLatin1Char(' ') + word);
            txtUsername->setReadOnly(false);
            cmdCancel->setText(Text(res::kCaptionCancel));
            return int32_t{1};
        }
        platform::RecordsetPtr user = Database()->GetUserByID(m_id);
        if (!user || user->IsEOF()) {
            Support().ShowNothingRead(res::kMsgRecordNotFound);
            return int32_t{-1};
        }
        txtUsername->setText(AsString(user->Field(QStringLiteral("Username"))));
        txtUsername->setReadOnly(true);
        // The name cannot change, so the window opens with the cursor in the password instead.
        txtPassword->setFocus();
        // The password boxes stay empty: a stored password is never shown or loaded.
        txtName->setText(AsString(user->Field(QStringLiteral("Name"))));
        txtEMailAddress->setText(AsString(user->Field(QStringLiteral("EMailAddress"))));
        chkIsAdmin->setChecked(AsBoolean(user->Field(QStringLiteral("IsAdmin"))));
        chkIsEnabled->setChecked(AsBoolean(user->Field(QStringLiteral("IsEnabled"))));
        m_stored.Take(user);
        user->Close();
        // Neither "admin" nor the logged-in user can lose the rights that keep the accounts managed.
        if (txtUsername->text().toLower() == QStringLiteral("admin") || m_id == Hub()->CurrentUserID()) {
            chkIsAdmin->setEnabled(false);
            chkIsEnabled->setEnabled(false);
        }
        SetCaptionFromName();
        return int32_t{1};
    });
}

void UserForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    lblUsername->setText(RequiredText(res::kLabelUserName));
    // An existing user's blank password means "unchanged", so only a new user must give one.
    const bool newUser = m_id == 0;
    lblPassword->setText(newUser ? RequiredText(res::kLabelPassword) : Text(res::kLabelPassword));
    lblConfirmPassword->setText(newUser ? RequiredText(res::kLabelConfirmPassword) : Text(res::kLabelConfirmPassword));
    lblName->setText(RequiredText(res::kLabelName));
    lblEMailAddress->setText(Text(res::kLabelEMailAddress));
    chkIsAdmin->setText(Text(res::kCheckAdministrator));
    chkIsEnabled->setText(Text(res::kCheckEnabled));
    cmdOK->setText(Text(res::kCaptionOK));
    cmdCancel->setText(Text(res::kCaptionClose));
}

void UserForm::SetCaptionFromName() {
    setWindowTitle(txtUsername->text() + QStringLiteral(" - ") + Text(res::kTitleUser));
}

bool UserForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    const QString userName = txtUsername->text().trimmed();
    if (userName.isEmpty())
        return Refuse(res::kMsgEnterUserName, txtUsername);
    if (RecordExistsAlready(userName))
        return Refuse(res::kMsgNameExists, txtUsername);
    // An existing user's blank boxes keep the stored password; otherwise both must be given alike.
    const bool passwordGiven =
        !txtPassword->text().trimmed().isEmpty() || !txtConfirmPassword->text().trimmed().isEmpty();
    if (m_id == 0 || passwordGiven) {
        if (txtPassword->text().trimmed().isEmpty())
            return Refuse(res::kMsgEnterPassword, txtPassword);
        if (txtConfirmPassword->text().trimmed().isEmpty())
            return Refuse(res::kMsgEnterConfirmPassword, txtConfirmPassword);
        if (txtPassword->text() != txtConfirmPassword->text())
            return Refuse(res::kMsgPasswordMismatch, txtPassword);
    }
    if (txtName->text().trimmed().isEmpty())
        return Refuse(res::kMsgEnterName, txtName);
    return true;
}

bool UserForm::RecordExistsAlready(const QString& userName) {
    Trace(QStringLiteral("RecordExistsAlready()"));
    platform::RecordsetPtr user = Database()->GetUserByUsername(userName);
    if (!user || user->IsEOF())
        return false;
    const bool other = AsLong(user->Field(QStringLiteral("ID"))) != m_id;
    user->Close();
    return other;
}

int32_t UserForm::UpdateRecord() {
    return Member(QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        auto record =
            std::make_shared<platform::Dictionary>(std::initializer_list<std::pair<QString, platform::Variant>>{
                {QStringLiteral("ID"), m_id},
                {QStringLiteral("Username"), txtUsername->text()},
                {QStringLiteral("Password"), txtPassword->text()},
                {QStringLiteral("Name"), txtName->text()},
                {QStringLiteral("EMailAddress"), txtEMailAddress->text()},
                {QStringLiteral("IsAdmin"), chkIsAdmin->isChecked()},
                {QStringLiteral("IsEnabled"), chkIsEnabled->isChecked()},
                {QStringLiteral("DateLogin"), platform::Variant::Null()}});
        m_stored.AttachTo(*record);
        const int32_t result = Database()->UpdateUser(record);
        record->RemoveAll();
        SetCaptionFromName();
        return result;
    });
}

void UserForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid())
            return;
        if (LeavesNoAdministrator(*Database(), m_id, chkIsAdmin->isChecked() && chkIsEnabled->isChecked())) {
            ShowMessage(res::kMsgLastAdministrator);
            chkIsAdmin->setFocus();
            return;
        }
        if (!Save([&] { return UpdateRecord(); }, m_id))
            return;
        SetCaptionFromName();
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void UserForm::txtUsername_Validate() {
    Handle(QStringLiteral("txtUsername_Validate()"), [&] { txtUsername->setText(txtUsername->text().toUpper()); });
}

} // namespace amb::windows
