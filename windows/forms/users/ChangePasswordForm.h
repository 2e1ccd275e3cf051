#pragma once

#include "windows/forms/edit/EditForm.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// The logged-in user replaces his own password: the current one, the new one twice. The database
// manager changes it only when the current one matches; passwords go as typed.
class ChangePasswordForm : public EditForm {
    Q_OBJECT

public:
    explicit ChangePasswordForm(QWidget* parent = nullptr);
    ~ChangePasswordForm() override;

    QString Username();
    void SetUsername(const QString& value);
    int32_t UpdateForm() override;
    // SetUserPassword's result: 1 changed, -1 not changed.
    int32_t UpdateRecord();

private:
    void SetControlCaption();
    bool IsFormValid();
    void cmdOK_Click();

    QString m_username;

    orv::FormHeading* fhMain;
    QLabel* Image1;
    QLabel* lblOldPassword;
    QLineEdit* txtOldPassword;
    QLabel* lblNewPassword;
    QLineEdit* txtNewPassword;
    QLabel* lblConfirmPassword;
    QLineEdit* txtConfirmPassword;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace amb::windows
