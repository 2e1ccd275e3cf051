#pragma once

#include "windows/forms/contact/ContactForm.h"

class QLabel;
class QLineEdit;

namespace amb::windows {

// The contact windows whose value is one text: the e-mail address and the phone number. The value
// is saved as typed, without surrounding blanks; an empty value is accepted and no form is tested.
class ContactValueForm : public ContactForm {
    Q_OBJECT

public:
    ContactValueForm(const ContactKind& kind, QWidget* parent);
    ~ContactValueForm() override;

protected:
    void SetValueCaptions() override;
    void ShowValues(const platform::Recordset& row) override;
    void AddValues(platform::Dictionary& record) override;

private:
    QLabel* m_label;
    QLineEdit* m_box;
};

class EMailAddressForm : public ContactValueForm {
public:
    explicit EMailAddressForm(QWidget* parent = nullptr) : ContactValueForm(kEMailAddressKind, parent) {}
};

class PhoneNumberForm : public ContactValueForm {
public:
    explicit PhoneNumberForm(QWidget* parent = nullptr) : ContactValueForm(kPhoneNumberKind, parent) {}
};

} // namespace amb::windows
