#include "windows/forms/member/MemberForm.h"

#include "common/ResourceIDs.h"
#include "common/widgets/AccessibleLabels.h"
#include "windows/forms/member/PersonContactPages.h"
#include "windows/forms/member/PersonDetails.h"
#include "windows/forms/member/PersonFamilyGroupPages.h"
#include "windows/forms/member/PersonLists.h"
#include "windows/forms/member/PersonMembership.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"
#include "windows/forms/member/PersonOfferingsPage.h"

#include <QPushButton>
#include <QTabWidget>

namespace amb::windows {

using namespace amb::res;

void MemberForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    m_details->SetCaptions();
    m_membership->SetCaptions();
    m_name->SetCaptions(Hub()->NameLocaleID() == EnumSupportedLocaleID::English);
    m_offerings->SetTypeCaption();

    cmdCancel->setText(Text(kCaptionClose));
    cmdOK->setText(Text(kCaptionOK));
    cmdPrint->setText(Text(kCaptionPrint));

    // A list and its toolbar are named after their page.
    for (const PersonListPages* pages : ListPages())
        pages->SetCaptions(tabMain);
    m_note->SetCaptions(tabMain, kNotePage);
    // Controls without a caption of their own are named after what they belong to.
    NameControlsAfterLabels(this);
}

} // namespace amb::windows
