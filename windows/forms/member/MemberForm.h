#pragma once

#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"
#include "windows/base/FormBase.h"
#include "windows/base/StoredRow.h"
#include "windows/forms/member/RecordListPart.h"

#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orv {
class FormHeading;
}

namespace amb {
class DatePicker;
}

namespace amb::windows {

struct PersonList;
class PersonNamePages;
class PersonNotePage;

// The person window: one person's record with its name (in parts, and in a name locale other than
// English also as one name), look-ups, dates, occupation and note, and on its tabs the person's
// addresses, phone numbers, e-mail addresses, families, groups and offerings.
// A new person is saved once by OK and the window stays open on it; a later OK saves and closes.
// The areas of the window live in their own files: layout (MemberFormLayout.cpp), captions and
// enabling (MemberFormCaptions.cpp), saving (MemberFormSave.cpp), the lists (MemberFormLists.cpp, each a
// RecordListPart from the table of PersonLists.cpp), what the lists' commands open and delete
// (MemberFormListCommands.cpp) and the page changes (MemberFormCommands.cpp).
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
    void ConnectCaptionHandlers();
    void ConnectPageCommands();

    // Preparing, checks and the buttons (MemberForm.cpp)
    bool LoadPerson();
    void InitializeComboBoxes(int32_t value);
    bool IsFormValid();
    QString SavedCaption() const;
    void ApplyDateFormat();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdPrint_Click();
    void cboMaritalStatus_Click();
    void chkIsBaptized_Click();
    void chkIsMember_Click();
    void cboTitle_GotFocus();
    // The look-up buttons: opens the list window of `type`, refills `box` and selects again what it held.
    void LookUpButton_Click(const QString& procedure, EnumWindowType type, QComboBox* box, int32_t fill, bool byId);

    // Saving (MemberFormSave.cpp)
    int32_t UpdateRecord();
    void LinkNewPerson(int32_t newId);
    void AttachMembership(platform::Dictionary& record) const;

    // Captions and enabling (MemberFormCaptions.cpp)
    void SetControlCaption();
    void EnableTabs(bool enabled);
    void EnableToolbarButtons(int32_t mask);

    // Lists (MemberFormLists.cpp): each list of PersonLists() with its part.
    struct ListControls {
        const PersonList& list;
        std::unique_ptr<RecordListPart> part;
    };
    void CreateLists();
    const ListControls& ListOf(int32_t bit) const;
    void ConfigureGrid(int32_t mask);
    void FillList(const ListControls& l);
    void cboOfferingType_Click();

    // Commands on the pages (MemberFormCommands.cpp)
    void tabMain_Click();

    // What the lists' commands open and delete (MemberFormListCommands.cpp)
    RecordListCommands ListCommands(const PersonList& list);
    void OpenContactWindow(const PersonList& list, int32_t id);
    void OpenOffering(int32_t id);
    void OpenFamilyOrGroup(const PersonList& list, int32_t id);

    int32_t m_id = 0;
    // The person's row as this window last read or saved it.
    StoredRow m_stored;
    // The membership row of the family or group this window was opened from, as last read.
    StoredRow m_storedLink;
    int32_t m_familyGroupId = 0;
    EnumFamilyGroup m_parentForm = EnumFamilyGroup::None;
    // The lists in the order in which they are configured and filled.
    std::vector<ListControls> m_lists;
    std::unique_ptr<PersonNamePages> m_name;
    std::unique_ptr<PersonNotePage> m_note;

    orv::FormHeading* fhMain = nullptr;
    QLabel* lblEnvelopCode = nullptr;
    QLineEdit* txtEnvelopCode = nullptr;
    QLabel* lblTitle = nullptr;
    QComboBox* cboTitle = nullptr;
    QPushButton* cmdMemberTitle = nullptr;
    QLabel* lblClassification = nullptr;
    QComboBox* cboClassification = nullptr;
    QPushButton* cmdClassification = nullptr;
    QLabel* lblMemberStatus = nullptr;
    QComboBox* cboMemberStatus = nullptr;
    QPushButton* cmdMemberStatus = nullptr;
    QLabel* lblMaritalStatus = nullptr;
    QLabel* lblMarried = nullptr;
    QComboBox* cboMaritalStatus = nullptr;
    QPushButton* cmdMaritalStatus = nullptr;
    QLabel* lblSex = nullptr;
    QComboBox* cboSex = nullptr;
    QLabel* lblFamilyGroup = nullptr;
    QComboBox* cboFamilyGroup = nullptr;
    QPushButton* cmdFamilyGroup = nullptr;
    QLabel* lblDOB = nullptr;
    DatePicker* dtpDOB = nullptr;
    DatePicker* dtpMarried = nullptr;
    QCheckBox* chkIsBaptized = nullptr;
    DatePicker* dtpBaptized = nullptr;
    QCheckBox* chkIsMember = nullptr;
    DatePicker* dtpJoined = nullptr;
    QLabel* lblOccupation = nullptr;
    QLineEdit* txtOccupation = nullptr;

    QTabWidget* tabMain = nullptr;
    QLabel* lblOfferingType = nullptr;
    QComboBox* cboOfferingType = nullptr;

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdPrint = nullptr;
};

} // namespace amb::windows
