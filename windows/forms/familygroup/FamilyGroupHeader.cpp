#include "windows/forms/familygroup/FamilyGroupHeader.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "platform/data/Recordset.h"
#include "windows/base/FormBase.h"
#include "windows/base/ReadCheck.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"
#include "windows/forms/familygroup/FamilyGroupWindow.h"
#include "windows/forms/familygroup/FormParts.h"
#include "windows/forms/familygroup/LinkLabel.h"

#include <QGridLayout>
#include <QLabel>

namespace amb::windows {

namespace {

// A label that shows stored data: plain text, selectable for copying, never rich text.
QLabel* MakeValue(QWidget* parent, const char* name) {
    auto* label = MakeLabel(parent, name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(260);
    return label;
}

} // namespace

FamilyGroupHeader::FamilyGroupHeader(const FamilyGroupWindow& window)
    : m_window(window), lblHeadPersonLabel(MakeLabel(&window.form, "lblHeadPersonLabel")),
      lblHeadPerson(MakeValue(&window.form, "lblHeadPerson")),
      lblAddressLabel(MakeLabel(&window.form, "lblAddressLabel")), lblAddress(MakeValue(&window.form, "lblAddress")),
      lblPhoneNumberLabel(MakeLabel(&window.form, "lblPhoneNumberLabel")),
      lblPhoneNumber(MakeValue(&window.form, "lblPhoneNumber")),
      lblEMailAddressLabel(MakeLabel(&window.form, "lblEMailAddressLabel")),
      lblEMailAddress(Named(new LinkLabel(&window.form), "lblEMailAddress")),
      lblMemberCountLabel(MakeLabel(&window.form, "lblMemberCountLabel")),
      lblMemberCount(MakeValue(&window.form, "lblMemberCount")) {
    lblEMailAddress->setTextInteractionFlags(Qt::NoTextInteraction);
    connect(lblEMailAddress, &LinkLabel::clicked, this, [this] { lblEMailAddress_Click(); });
}

void FamilyGroupHeader::AddRows(QGridLayout& fields, int& row) {
    const std::pair<QLabel*, QLabel*> details[] = {{lblHeadPersonLabel, lblHeadPerson},
                                                   {lblAddressLabel, lblAddress},
                                                   {lblPhoneNumberLabel, lblPhoneNumber},
                                                   {lblEMailAddressLabel, lblEMailAddress},
                                                   {lblMemberCountLabel, lblMemberCount}};
    for (const auto& [label, value] : details) {
        label->setBuddy(value);
        fields.addWidget(label, row, 0);
        fields.addWidget(value, row++, 1, Qt::AlignLeft);
    }
}

void FamilyGroupHeader::SetCaptions() {
    const WindowSupport& support = m_window.support;
    lblAddressLabel->setText(support.Text(res::kLabelAddress) + QLatin1Char(':'));
    lblEMailAddressLabel->setText(support.Text(res::kLabelEMailAddress) + QLatin1Char(':'));
    lblPhoneNumberLabel->setText(support.Text(res::kLabelPhoneNumber) + QLatin1Char(':'));
    if (const FamilyGroupKind* kind = m_window.Kind()) {
        lblHeadPersonLabel->setText(support.Text(kind->headLabel) + QLatin1Char(':'));
        lblMemberCountLabel->setText(support.Text(kind->memberCountLabel) + QLatin1Char(':'));
    }
}

void FamilyGroupHeader::Clear() {
    for (QLabel* label :
         {lblHeadPerson, lblAddress, lblPhoneNumber, static_cast<QLabel*>(lblEMailAddress), lblMemberCount})
        label->clear();
}

void FamilyGroupHeader::SetMemberCount(int count) {
    lblMemberCount->setText(QString::number(count));
}

void FamilyGroupHeader::RefreshInformation() {
    m_window.support.Trace(QStringLiteral("RefreshInformation()"));
    for (QLabel* label : {lblHeadPerson, lblAddress, lblPhoneNumber, static_cast<QLabel*>(lblEMailAddress)})
        label->clear();
    const FamilyGroupKind* kind = m_window.Kind();
    if (!kind)
        return;
    const IApplicationPtr hub = m_window.support.Hub();
    const IDatabaseManagerPtr database = m_window.database();
    int32_t personID = 0;
    ReadCheck read(m_window.support);
    if (platform::RecordsetPtr head = read((database.get()->*kind->readHead)(m_window.id)); head && !head->IsEOF()) {
        lblHeadPerson->setText(DisplayName(*head, hub->NameLocaleID()));
        personID = AsLong(head->Field(QStringLiteral("ID")));
        head->Close();
    }
    if (platform::RecordsetPtr address = read(database->GetHomeAddressByPersonID(personID));
        address && !address->IsEOF()) {
        const auto part = [&](int n) { return AsString(address->Field(QStringLiteral("AddressPart%1").arg(n))); };
        lblAddress->setText(FormatAddress(part(1), part(2), part(3), part(4), part(5)));
        address->Close();
    }
    if (platform::RecordsetPtr phone = read(database->GetHomePhoneNumberByPersonID(personID));
        phone && !phone->IsEOF()) {
        lblPhoneNumber->setText(AsString(phone->Field(QStringLiteral("PhoneNumber"))));
        phone->Close();
    }
    if (platform::RecordsetPtr mail = read(database->GetPersonalEMailAddressByPersonID(personID));
        mail && !mail->IsEOF()) {
        lblEMailAddress->setText(AsString(mail->Field(QStringLiteral("EMailAddress"))));
        mail->Close();
    }
    read.Tell();
    // Only the address itself is a link.
    if (!lblEMailAddress->text().trimmed().isEmpty()) {
        lblEMailAddress->setFixedWidth(lblEMailAddress->fontMetrics().horizontalAdvance(lblEMailAddress->text()) + 2);
        lblEMailAddress->setCursor(Qt::PointingHandCursor);
        lblEMailAddress->setForegroundRole(QPalette::Link);
    } else {
        lblEMailAddress->setMinimumWidth(0);
        lblEMailAddress->setMaximumWidth(QWIDGETSIZE_MAX);
        lblEMailAddress->unsetCursor();
    }
}

void FamilyGroupHeader::lblEMailAddress_Click() {
    m_window.support.Handle(QStringLiteral("lblEMailAddress_Click()"), [&] {
        const QString address = lblEMailAddress->text().trimmed();
        if (!address.isEmpty())
            OpenMailTo(address);
    });
}

} // namespace amb::windows
