#pragma once

#include "windows/forms/contact/ContactForm.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace amb::windows {

// A person's address in one of two field sets: the free format (five lines) or the US format
// (street lines, city, state and zip code). The set is chosen by the installation's address format,
// read from the hub at each use; the other set is emptied and hidden.
class AddressForm : public ContactForm {
    Q_OBJECT

public:
    explicit AddressForm(QWidget* parent = nullptr);
    ~AddressForm() override;

protected:
    void SetValueCaptions() override;
    void PrepareValues() override;
    void ShowValues(const platform::Recordset& row) override;
    bool AcceptsWithoutChecks() override;
    bool AreValuesValid() override;
    void AddValues(platform::Dictionary& record) override;

private:
    bool IsUSFormat();
    void ShowAddressFrame(EnumAddressFormat format);
    // The five shown fields, in the order of AddressPart1 to AddressPart5.
    std::array<QString, 5> ShownParts();

    std::array<QWidget*, 2> fraAddressFormat;
    QLabel* lblAddress;
    std::array<QLineEdit*, 5> txtAddressPart;
    QLabel* lblStreetAddress1;
    QLineEdit* txtStreetAddress1;
    QLabel* lblStreetAddress2;
    QLineEdit* txtStreetAddress2;
    QLabel* lblCityStateZip;
    QLineEdit* txtCity;
    QComboBox* cboState;
    QLineEdit* txtZipCode;
};

} // namespace amb::windows
