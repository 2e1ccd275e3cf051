#include "windows/forms/contact/AddressForm.h"

#include "common/ColumnLengths.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/SharedLabel.h"
#include "common/widgets/TextLength.h"
#include "windows/base/ReadCheck.h"
#include "windows/forms/NamedControl.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace amb::windows {

namespace {

QGridLayout* FrameGrid(QWidget* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

AddressForm::AddressForm(QWidget* parent)
    : ContactForm(kAddressKind, parent), fraAddressFormat{NamedControl<QWidget>(this, "fraAddressFormat(0)"),
                                                          NamedControl<QWidget>(this, "fraAddressFormat(1)")} {
    QWidget* free = fraAddressFormat[0];
    QGridLayout* freeGrid = FrameGrid(free);
    const char* partNames[] = {"txtAddressPart1", "txtAddressPart2", "txtAddressPart3", "txtAddressPart4",
                               "txtAddressPart5"};
    for (int i = 0; i < 5; ++i) {
        txtAddressPart[i] = NamedControl<QLineEdit>(free, partNames[i]);
        freeGrid->addWidget(txtAddressPart[i], i, 1);
    }
    lblAddress = NamedLabel(free, "lblAddress", txtAddressPart[0]);
    freeGrid->addWidget(lblAddress, 0, 0);

    QWidget* us = fraAddressFormat[1];
    QGridLayout* usGrid = FrameGrid(us);
    txtStreetAddress1 = NamedControl<QLineEdit>(us, "txtStreetAddress1");
    txtStreetAddress2 = NamedControl<QLineEdit>(us, "txtStreetAddress2");
    txtCity = NamedControl<QLineEdit>(us, "txtCity");
    cboState = NamedControl<QComboBox>(us, "cboState");
    txtZipCode = NamedControl<QLineEdit>(us, "txtZipCode");
    lblStreetAddress1 = NamedLabel(us, "lblStreetAddress1", txtStreetAddress1);
    lblStreetAddress2 = NamedLabel(us, "lblStreetAddress2", txtStreetAddress2);
    lblCityStateZip = NamedLabel(us, "lblCityStateZip", txtCity);
    AlsoLabel(lblCityStateZip, cboState);
    txtZipCode->setMaximumWidth(90);
    auto* cityStateZip = new QHBoxLayout;
    cityStateZip->setSpacing(4);
    cityStateZip->addWidget(txtCity, 1);
    cityStateZip->addWidget(cboState);
    cityStateZip->addWidget(txtZipCode);
    usGrid->addWidget(lblStreetAddress1, 0, 0);
    usGrid->addWidget(txtStreetAddress1, 0, 1);
    usGrid->addWidget(lblStreetAddress2, 1, 0);
    usGrid->addWidget(txtStreetAddress2, 1, 1);
    usGrid->addWidget(lblCityStateZip, 2, 0);
    usGrid->addLayout(cityStateZip, 2, 1);

    // Both sets lie on the same place; only one is ever shown.
    ValueArea()->addWidget(free);
    ValueArea()->addWidget(us);
    us->hide();
    SetValueTabOrder({txtAddressPart[0], txtAddressPart[1], txtAddressPart[2], txtAddressPart[3], txtAddressPart[4],
                      txtStreetAddress1, txtStreetAddress2, txtCity, cboState, txtZipCode});
    for (QLineEdit* box : txtAddressPart)
        SelectOnFocus(box);
    // Each box of either set is one address part.
    constexpr int partLengths[] = {
        TextLimit("PersonAddress", "AddressPart1"), TextLimit("PersonAddress", "AddressPart2"),
        TextLimit("PersonAddress", "AddressPart3"), TextLimit("PersonAddress", "AddressPart4"),
        TextLimit("PersonAddress", "AddressPart5")};
    QWidget* const usParts[] = {txtStreetAddress1, txtStreetAddress2, txtCity, cboState, txtZipCode};
    for (int i = 0; i < 5; ++i) {
        LimitLength(txtAddressPart[i], partLengths[i]);
        LimitLength(usParts[i], partLengths[i]);
    }
    for (QLineEdit* box : {txtStreetAddress1, txtStreetAddress2, txtCity, txtZipCode})
        SelectOnFocus(box);
}

AddressForm::~AddressForm() = default;

void AddressForm::SetValueCaptions() {
    lblStreetAddress1->setText(RequiredText(res::kLabelStreetAddress1));
    lblStreetAddress2->setText(Text(res::kLabelStreetAddress2));
    lblCityStateZip->setText(RequiredText(res::kLabelCityStateZip));
    lblAddress->setText(RequiredText(res::kLabelAddress));
    // The boxes without a label of their own are named after the label of their line.
    for (int i = 1; i < 5; ++i)
        txtAddressPart[i]->setAccessibleName(Text(res::kLabelAddress) + QStringLiteral(" %1").arg(i + 1));
    // The state and zip boxes share the city's label; each is read by its own part of it (the state
    // box is related to the label as well).
    cboState->setAccessibleName(Text(res::kLabelState));
    txtZipCode->setAccessibleName(Text(res::kLabelZipCode));
}

void AddressForm::PrepareValues() {
    ReadCheck read(Support());
    FillComboBox(cboState, read(Database()->GetLookupState(EnumLookupOption::IncludeBlank)), QStringLiteral("Name"),
                 QStringLiteral("ID"), false);
    read.Tell();
    ShowAddressFrame(Hub()->DefaultAddressFormat());
}

bool AddressForm::IsUSFormat() {
    return Hub()->DefaultAddressFormat() == EnumAddressFormat::USFormat;
}

void AddressForm::ShowAddressFrame(EnumAddressFormat format) {
    Trace(QStringLiteral("ShowAddressFrame()"));
    if (format != EnumAddressFormat::UnknownFormat && format != EnumAddressFormat::USFormat)
        return;
    const bool us = format == EnumAddressFormat::USFormat;
    if (us) {
        for (QLineEdit* box : txtAddressPart)
            box->clear();
    } else {
        for (QLineEdit* box : {txtStreetAddress1, txtStreetAddress2, txtCity, txtZipCode})
            box->clear();
        if (cboState->count() > 0)
            cboState->setCurrentIndex(0);
    }
    fraAddressFormat[0]->setVisible(!us);
    fraAddressFormat[0]->setEnabled(!us);
    fraAddressFormat[1]->setVisible(us);
    fraAddressFormat[1]->setEnabled(us);
}

void AddressForm::ShowValues(const platform::Recordset& row) {
    std::array<QString, 5> parts;
    for (int i = 0; i < 5; ++i)
        parts[i] = AsString(row.Field(QStringLiteral("AddressPart%1").arg(i + 1)));
    if (IsUSFormat()) {
        ShowAddressFrame(EnumAddressFormat::USFormat);
        txtStreetAddress1->setText(parts[0]);
        txtStreetAddress2->setText(parts[1]);
        txtCity->setText(parts[2]);
        SelectOrTypeComboText(cboState, parts[3]);
        txtZipCode->setText(parts[4]);
    } else {
        ShowAddressFrame(EnumAddressFormat::UnknownFormat);
        for (int i = 0; i < 5; ++i)
            txtAddressPart[i]->setText(parts[i]);
    }
}

std::array<QString, 5> AddressForm::ShownParts() {
    if (IsUSFormat())
        return {AsString(txtStreetAddress1->text()), AsString(txtStreetAddress2->text()), AsString(txtCity->text()),
                AsString(cboState->currentText()), AsString(txtZipCode->text())};
    std::array<QString, 5> parts;
    for (int i = 0; i < 5; ++i)
        parts[i] = AsString(txtAddressPart[i]->text());
    return parts;
}

bool AddressForm::AcceptsWithoutChecks() {
    // A saved address may be emptied (a built-in home or work address cannot be deleted); a new one
    // must have a kind and an address, so that no nameless empty row is stored.
    if (RowID() == 0)
        return false;
    for (const QString& part : ShownParts())
        if (!part.isEmpty())
            return false;
    return true;
}

bool AddressForm::AreValuesValid() {
    const auto refuse = [this](int32_t message, QWidget* field) {
        ShowMessage(message);
        field->setFocus();
        return false;
    };
    const std::array<QString, 5> parts = ShownParts();
    if (!IsUSFormat())
        return parts[0].isEmpty() ? refuse(res::kMsgEnterAddress, txtAddressPart[0]) : true;
    if (parts[0].isEmpty())
        return refuse(res::kMsgEnterStreetAddress, txtStreetAddress1);
    if (parts[2].isEmpty())
        return refuse(res::kMsgEnterCity, txtCity);
    if (parts[3].isEmpty())
        return refuse(res::kMsgSelectState, cboState);
    if (parts[4].isEmpty())
        return refuse(res::kMsgEnterZipCode, txtZipCode);
    return true;
}

void AddressForm::AddValues(platform::Dictionary& record) {
    const std::array<QString, 5> parts = ShownParts();
    for (int i = 0; i < 5; ++i)
        record.SetItem(QStringLiteral("AddressPart%1").arg(i + 1), parts[i]);
}

} // namespace amb::windows
