#pragma once

#include "windows/base/StoredRow.h"
#include "windows/forms/edit/EditForm.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// Creates or edits one log-in account. The opener sets ID (0 for a new user) and then WindowLoader,
// and shows the window when UpdateForm gives more than 0. Passwords are never loaded: for an existing
// user two blank boxes keep the stored password. No change may leave the accounts without an enabled
// administrator, and the logged-in user cannot take those rights from himself.
class UserForm : public EditForm {
    Q_OBJECT

public:
    explicit UserForm(QWidget* parent = nullptr);
    ~UserForm() override;

    int32_t ID();
    void SetID(int32_t value);
    int32_t UpdateForm() override;
    // The saved row's id, or -1.
    int32_t UpdateRecord();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetControlCaption();
    bool IsFormValid();
    bool RecordExistsAlready(const QString& userName);
    void SetCaptionFromName();
    void cmdOK_Click();
    void txtUsername_Validate();

    int32_t m_id = 0;
    // The row as this window read it, for a save that must not overwrite changes made meanwhile.
    StoredRow m_stored;

    orv::FormHeading* fhMain;
    QLabel* lblUsername;
    QLineEdit* txtUsername;
    QLabel* lblPassword;
    QLineEdit* txtPassword;
    QLabel* lblConfirmPassword;
    QLineEdit* txtConfirmPassword;
    QLabel* lblName;
    QLineEdit* txtName;
    QLabel* lblEMailAddress;
    QLineEdit* txtEMailAddress;
    QCheckBox* chkIsAdmin;
    QCheckBox* chkIsEnabled;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace amb::windows
