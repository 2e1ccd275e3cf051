#pragma once

#include "contracts/Enums.h"
#include "windows/base/FormBase.h"
#include "windows/base/StoredRow.h"
#include "windows/forms/member/PersonListPages.h"
#include "windows/forms/member/PersonPart.h"

#include <array>
#include <cstdint>
#include <memory>

class QPushButton;
class QTabWidget;

namespace orv {
class FormHeading;
}

namespace amb::windows {

class PersonContactPages;
class PersonDetails;
class PersonFamilyGroupPages;
class PersonMembership;
class PersonNamePages;
class PersonNotePage;
class PersonOfferingsPage;

// The person window: one person's record with its name (in parts, and in a name locale other than
// English also as one name), look-ups, dates, occupation and note, and on its tabs the person's
// addresses, phone numbers, e-mail addresses, families, groups and offerings.
// A new person is saved once by OK and the window stays open on it; a later OK saves and closes.
// The window is made of parts that own their controls and handlers: the name pages (PersonNamePages),
// the entries around them (PersonDetails), the relationship or position in the family or group it
// was opened from (PersonMembership), and on tabMain the contact, family-and-group and offering list
// pages (PersonContactPages, PersonFamilyGroupPages, PersonOfferingsPage) and the note (PersonNotePage).
// The window itself holds the buttons and the page changes, and leads the parts through preparing
// (MemberForm.cpp), layout (MemberFormLayout.cpp), captions (MemberFormCaptions.cpp), the lists
// (MemberFormLists.cpp) and saving (MemberFormSave.cpp).
class MemberForm : public FormBase {
    Q_OBJECT

public:
    // Bits of the list mask that ConfigureGrid, RefreshGrids and EnableToolbarButtons take.
    enum ListMask : int32_t {
        kAddresses = 1,
        kEMailAddresses = 2,
        kPhoneNumbers = 4,
        kFamilies = 8,
        kGroups = 16,
        kOfferings = 32,
        kAllLists = 63,
    };

    explicit MemberForm(QWidget* parent = nullptr);
    ~MemberForm() override;

    int32_t ID();
    void SetID(int32_t value);
    int32_t FamilyGroupID();
    void SetFamilyGroupID(int32_t value);
    EnumFamilyGroup ParentForm();
    void SetParentForm(EnumFamilyGroup value);

    int32_t UpdateForm() override;
    void RefreshGrids(int32_t mask);

protected:
    // The close box acts as Cancel, so a person saved in the window still reaches the opener.
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout (MemberFormLayout.cpp)
    void CreateLayout();
    QWidget* CreatePersonArea();
    QWidget* CreateMainTabs();
    void ConnectControls();

    // Preparing, checks and the buttons (MemberForm.cpp)
    bool LoadPerson();
    void InitializeComboBoxes(int32_t value);
    bool IsFormValid();
    QString SavedCaption() const;
    void cmdOK_Click();
    // After a save refused because a record was deleted meanwhile: when it is this person (marked
    // deleted or purged by another copy of the program), the window keeps what it shows, and with
    // Cancel and Print offers nothing more that would write: OK is off, and so are the lists' New,
    // Edit and Delete.
    void DropWritesIfPersonGone();
    void cmdCancel_Click();
    void cmdPrint_Click();

    // Saving (MemberFormSave.cpp)
    int32_t UpdateRecord();
    void LinkNewPerson(int32_t newId);
    // The saved person joins the family or group; 0, or the text of why not (see PersonMembership::Link).
    int32_t LinkMember(int32_t personId);
    void LinkSavedPerson(int32_t id);

    // Captions (MemberFormCaptions.cpp)
    void SetControlCaption();

    // The list pages and the page changes (MemberFormLists.cpp)
    std::array<PersonListPages*, 3> ListPages() const;
    void ConfigureGrid(int32_t mask);
    void EnableTabs(bool enabled);
    void EnableToolbarButtons(int32_t mask);
    void tabMain_Click();

    int32_t m_id = 0;
    // The person's row as this window last read or saved it.
    StoredRow m_stored;
    // Why the last save's membership step failed (a text for kMsgMemberNotLinked or kMsgAddressNotCopied),
    // 0 when it did not.
    int32_t m_linkFailure = 0;
    const PersonContext m_context;
    const PersonPagesHost m_host;

    std::unique_ptr<PersonNamePages> m_name;
    std::unique_ptr<PersonDetails> m_details;
    std::unique_ptr<PersonMembership> m_membership;
    std::unique_ptr<PersonContactPages> m_contacts;
    std::unique_ptr<PersonFamilyGroupPages> m_familiesGroups;
    std::unique_ptr<PersonOfferingsPage> m_offerings;
    std::unique_ptr<PersonNotePage> m_note;

    orv::FormHeading* fhMain = nullptr;
    QTabWidget* tabMain = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdPrint = nullptr;
};

} // namespace amb::windows
