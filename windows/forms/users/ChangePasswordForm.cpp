#include "windows/forms/users/ChangePasswordForm.h"

#include "common/ResourceIDs.h"
#include "common/widgets/ControlHelpers.h"
#include "contracts/IDatabaseManager.h"
#include "heading/FormHeading.h"
#include "windows/forms/edit/ControlFactory.h"

#include <QHBoxLayout>
#include <QStyle>

namespace amb::windows {

ChangePasswordForm::ChangePasswordForm(QWidget* parent)
    : EditForm(QStringLiteral("ChangePasswordForm"), parent), fhMain(new orv::FormHeading(this)),
      Image1(controls::Label(this, "Image1")), lblOldPassword(controls::Label(this, "lblOldPassword")),
      txtOldPassword(controls::TextBox(this, "txtOldPassword", true)),
      lblNewPassword(controls::Label(this, "lblNewPassword")),
      txtNewPassword(controls::TextBox(this, "txtNewPassword", true)),
      lblConfirmPassword(controls::Label(this, "lblConfirmPassword")),
      txtConfirmPassword(controls::TextBox(this, "txtConfirmPassword", true)), cmdOK(controls::Button(this, "cmdOK")),
      cmdCancel(controls::Button(this, "cmdCancel")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(40, 40));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(Image1, 0, Qt::AlignTop);
    body->addLayout(controls::FieldGrid({{lblOldPassword, txtOldPassword},
                                         {lblNewPassword, txtNewPassword},
                                         {lblConfirmPassword, txtConfirmPassword}}),
                    1);
    controls::StandardLayout(this, fhMain, body, {cmdOK, cmdCancel});
    for (QLineEdit* box : {txtOldPassword, txtNewPassword, txtConfirmPassword})
        OnFocusIn(box, [this, box] {
            Handle(box->objectName() + QStringLiteral("_GotFocus()"), [&] { SelectAllText(box); });
        });

    SetDialogButtons(cmdOK, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

ChangePasswordForm::~ChangePasswordForm() = default;

QString ChangePasswordForm::Username() {
    return Member(QStringLiteral("Get_Username()"), QString(), [&] { return m_username; });
}

void ChangePasswordForm::SetUsername(const QString& value) {
    Member(QStringLiteral("Let_Username()"), 0, [&] {
        m_username = value;
        return 0;
    });
}

int32_t ChangePasswordForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        SetControlCaption();
        setWindowTitle(Text(res::kTitleChangePassword));
        fhMain->SetHeading(Text(res::kTitleChangePassword));
        fhMain->SetDescription(Text(res::kDescChangePassword));
        return int32_t{1};
    });
}

void ChangePasswordForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    lblOldPassword->setText(RequiredText(res::kLabelOldPassword));
    lblNewPassword->setText(RequiredText(res::kLabelNewPassword));
    lblConfirmPassword->setText(RequiredText(res::kLabelConfirmPassword));
    cmdOK->setText(Text(res::kCaptionOK));
    cmdCancel->setText(Text(res::kCaptionCancel));
}

bool ChangePasswordForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (txtOldPassword->text().trimmed().isEmpty())
        return Refuse(res::kMsgEnterOldPassword, txtOldPassword);
    if (txtNewPassword->text().trimmed().isEmpty())
        return Refuse(res::kMsgEnterNewPassword, txtNewPassword);
    if (txtConfirmPassword->text().trimmed().isEmpty())
        return Refuse(res::kMsgEnterConfirmPassword, txtConfirmPassword);
    // Blanks are part of a password, so the two must match exactly as typed.
    if (txtNewPassword->text() != txtConfirmPassword->text())
        return Refuse(res::kMsgNewPasswordMismatch, txtNewPassword);
    return true;
}

int32_t ChangePasswordForm::UpdateRecord() {
    return Member(QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        return Database()->SetUserPassword(m_username, txtOldPassword->text(), txtNewPassword->text());
    });
}

void ChangePasswordForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid())
            return;
        int32_t result = 0;
        if (!Save([&] { return UpdateRecord(); }, result)) {
            txtOldPassword->setFocus();
            return;
        }
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

} // namespace amb::windows
