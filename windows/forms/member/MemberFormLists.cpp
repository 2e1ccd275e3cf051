#include "windows/forms/member/MemberForm.h"

#include "windows/base/ReadCheck.h"

#include "windows/forms/member/PersonContactPages.h"
#include "windows/forms/member/PersonFamilyGroupPages.h"
#include "windows/forms/member/PersonLists.h"
#include "windows/forms/member/PersonNotePage.h"
#include "windows/forms/member/PersonOfferingsPage.h"

#include <QTabWidget>

// The pages of tabMain as one: the lists' columns, rows and buttons by the list mask, and the page
// changes. What a list's commands do is its pages' own.
namespace amb::windows {

std::array<PersonListPages*, 3> MemberForm::ListPages() const {
    // In the order of the pages, which is the order of configuring and filling.
    return {m_contacts.get(), m_familiesGroups.get(), m_offerings.get()};
}

void MemberForm::ConfigureGrid(int32_t mask) {
    Trace(QStringLiteral("ConfigureGrid()"));
    for (const PersonListPages* pages : ListPages())
        pages->Configure(mask);
}

void MemberForm::RefreshGrids(int32_t mask) {
    Member(QStringLiteral("RefreshGrids()"), 0, [&] {
        // One message for all the lists: a damaged file would fail them all.
        ReadCheck read(Support());
        for (const PersonListPages* pages : ListPages())
            pages->Refresh(mask, read);
        EnableToolbarButtons(mask);
        read.Tell();
        return 0;
    });
}

void MemberForm::EnableToolbarButtons(int32_t mask) {
    Trace(QStringLiteral("EnableToolbarButtons()"));
    for (const PersonListPages* pages : ListPages())
        pages->EnableButtons(mask);
}

void MemberForm::EnableTabs(bool enabled) {
    Trace(QStringLiteral("EnableTabs()"));
    for (int i = 0; i < tabMain->count(); ++i)
        tabMain->setTabEnabled(i, enabled);
}

void MemberForm::tabMain_Click() {
    Handle(QStringLiteral("tabMain_Click()"), [&] {
        const int page = tabMain->currentIndex();
        if (page < 0 || page > kNotePage)
            return;
        // Exactly the controls of the page shown are enabled; the note page holds only the note.
        for (const PersonListPages* pages : ListPages())
            pages->ShowPage(page);
        m_note->SetEnabled(page == kNotePage);
    });
}

} // namespace amb::windows
