#include "windows/forms/member/MemberForm.h"

#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/AccessibleLabels.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/DatePicker.h"
#include "windows/forms/member/PersonLists.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace amb::windows {

using namespace amb::res;

void MemberForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    const bool english = Hub()->NameLocaleID() == EnumSupportedLocaleID::English;
    struct Caption {
        QLabel* label;
        int32_t text;
        bool required;
    };
    const Caption labels[] = {
        {lblClassification, kLabelClassification, false},
        {lblDOB, kLabelDateOfBirth, true},
        {lblEnvelopCode, kLabelEnvelopeCode, false},
        {lblFamilyGroup, kLabelFamilyAndGroup, false},
        {lblMaritalStatus, kLabelMaritalStatus, false},
        {lblMarried, kTextAnniversary, false},
        {lblMemberStatus, kLabelMemberStatus, true},
        {lblSex, kLabelSex, true},
        {lblTitle, kLabelTitle, false},
        {lblOccupation, kLabelOccupation, false},
        {lblOfferingType, kLabelOfferingType, false},
    };
    for (const Caption& c : labels)
        c.label->setText(c.required ? RequiredText(c.text) : Text(c.text));
    m_name->SetCaptions(english);

    cmdCancel->setText(Text(kCaptionClose));
    cmdOK->setText(Text(kCaptionOK));
    cmdPrint->setText(Text(kCaptionPrint));
    chkIsBaptized->setText(Text(kCheckBaptized));
    chkIsMember->setText(Text(kCheckIsMember));

    // A list and its toolbar are named after their page.
    for (const ListControls& l : m_lists) {
        tabMain->setTabText(l.list.page, Text(l.list.title));
        l.part->SetCaptions(tabMain->tabText(l.list.page));
    }
    m_note->SetCaptions(tabMain, kNotePage);

    // Controls without a caption of their own are named after what they belong to.
    const std::pair<QPushButton*, const QLabel*> lookUps[] = {{cmdClassification, lblClassification},
                                                              {cmdMemberStatus, lblMemberStatus},
                                                              {cmdMaritalStatus, lblMaritalStatus},
                                                              {cmdMemberTitle, lblTitle},
                                                              {cmdFamilyGroup, lblFamilyGroup}};
    for (const auto& [button, label] : lookUps)
        button->setAccessibleName(label->text());
    // The pickers ticked on by a check box in front are named after it.
    dtpBaptized->SetAccessibleName(Text(kCheckBaptized));
    dtpJoined->SetAccessibleName(Text(kCheckIsMember));
    NameControlsAfterLabels(this);
}

void MemberForm::EnableTabs(bool enabled) {
    Trace(QStringLiteral("EnableTabs()"));
    for (int i = 0; i < tabMain->count(); ++i)
        tabMain->setTabEnabled(i, enabled);
}

void MemberForm::EnableToolbarButtons(int32_t mask) {
    Trace(QStringLiteral("EnableToolbarButtons()"));
    for (const ListControls& l : m_lists)
        if ((mask & l.list.bit) != 0)
            l.part->EnableButtons();
}

void MemberForm::ConnectCaptionHandlers() {
    OnFocusIn(txtOccupation, [this] { Handle(QStringLiteral("txtOccupation_GotFocus()"), [this] { SelectAllText(txtOccupation); }); });
}

} // namespace amb::windows
