#include "windows/forms/member/MemberForm.h"

#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/AccessibleLabels.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/DatePicker.h"
#include "windows/forms/member/PersonLists.h"

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
        // The name block: its marks follow the name checks of the locale.
        {lblLanguageName, kLabelName, !english},
        {lblFirstName, kLabelFirstName, english},
        {lblMiddleName, kLabelMiddleName, false},
        {lblLastName, kLabelLastName, english},
        {lblSuffix, kLabelSuffix, false},
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
    tabName->setTabText(0, Text(english ? kLabelLanguageName : kLabelName));
    tabName->setTabText(1, Text(english ? kLabelName : kLabelEnglishName));

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
    tabMain->setTabText(kNotePage, Text(kLabelNote));

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
    txtNote->setAccessibleName(Text(kLabelNote));
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

void MemberForm::txtNote_GotFocus() {
    // Enter in the note starts a new line instead of pressing OK.
    Handle(QStringLiteral("txtNote_GotFocus()"), [&] { cmdOK->setDefault(false); });
}

void MemberForm::txtNote_LostFocus() {
    Handle(QStringLiteral("txtNote_LostFocus()"), [&] { cmdOK->setDefault(true); });
}

bool MemberForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNote && event->type() == QEvent::FocusOut)
        txtNote_LostFocus();
    return FormBase::eventFilter(watched, event);
}

void MemberForm::ConnectCaptionHandlers() {
    const std::pair<QLineEdit*, const char*> boxes[] = {{txtFirstName, "txtFirstName_GotFocus()"},
                                                        {txtMiddleName, "txtMiddleName_GotFocus()"},
                                                        {txtLastName, "txtLastName_GotFocus()"},
                                                        {txtSuffix, "txtSuffix_GotFocus()"},
                                                        {txtOccupation, "txtOccupation_GotFocus()"}};
    for (const auto& [box, procedure] : boxes)
        OnFocusIn(box, [this, box = box, procedure = procedure] {
            Handle(QString::fromLatin1(procedure), [box] { SelectAllText(box); });
        });
    OnFocusIn(txtNote, [this] { txtNote_GotFocus(); });
}

} // namespace amb::windows
