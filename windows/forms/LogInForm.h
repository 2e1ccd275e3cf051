#pragma once

#include "windows/base/FormBase.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// The log-in window: user name and password, checked by the database manager. A failed attempt keeps
// the window open for another try; a successful one stamps the log-in time and closes with the
// user's id. The password is passed on exactly as typed and never read back or written anywhere.
class LogInForm : public FormBase {
    Q_OBJECT

public:
    explicit LogInForm(QWidget* parent = nullptr);
    ~LogInForm() override;

    // The id of the user who logged in; 0 until then.
    int32_t ID();
    int32_t UpdateForm() override;

private:
    void SetControlCaption();
    bool IsFormValid();
    void cmdOK_Click();
    void cmdCancel_Click();
    void txtUsername_GotFocus();
    void txtPassword_GotFocus();

    int32_t m_id = 0;

    orv::FormHeading* fhMain;
    QLabel* Image1;
    QLabel* lblMessage;
    QLabel* lblUsername;
    QLineEdit* txtUsername;
    QLabel* lblPassword;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace amb::windows
