#pragma once

#include "contracts/Enums.h"
#include "windows/base/FormBase.h"
#include "windows/base/StoredRow.h"

#include <cstdint>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolBar;
class QTreeWidget;

namespace orv {
class FormHeading;
}

namespace amb::windows {

struct FamilyGroupKind;
class LinkLabel;

// One family or one group: its name, note and (for a group) type, its head's contact details and
// its members. FormType chooses the kind (the kinds table in FamilyGroupKinds.h). OK saves only the
// record's own fields; the member commands write at once and are not undone by Cancel.
// The opener sets ID and FormType before WindowLoader.
class FamilyGroupForm : public FormBase {
    Q_OBJECT

public:
    explicit FamilyGroupForm(QWidget* parent = nullptr);
    ~FamilyGroupForm() override;

    int32_t ID();
    void SetID(int32_t value);
    EnumFamilyGroup FormType();
    void SetFormType(EnumFamilyGroup value);
    int32_t UpdateForm() override;
    int32_t UpdateRecord();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    const FamilyGroupKind* Kind() const;
    void SetControlCaption();
    void InitializeComboBox(int32_t kind);
    void RefreshInformation();
    bool IsFormValid();
    void SetKindCaption(bool withName);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdPrint_Click();
    void cmdGroupType_Click();
    void lblEMailAddress_Click();
    void tabMain_Click(int index);
    void txtName_GotFocus();

    // The member grid and its toolbar (FamilyGroupMembers.cpp).
    void BuildMemberGrid(QWidget* page);
    void ConfigureGrid();
    void RefreshGrid();
    void EnableToolbarButtons();
    bool IsSelectedMemberHead();
    bool MemberExists(int32_t personID);
    void lstvwMember_ItemClick();
    void lstvwMember_ColumnClick(int column);
    void lstvwMember_DblClick();
    void tbarMember_ButtonClick(QAction* button);
    void EditMember();
    void AddMember();
    void RemoveMember();
    void SetHead();
    // Opens the person window on a member (0: a new one) of this family or group; the person's id
    // when it closed with a saved person, else -1.
    int32_t ShowMember(int32_t personID);

    int32_t m_id = -1;
    // The row as this window read it, for a save that must not overwrite changes made meanwhile.
    StoredRow m_stored;
    EnumFamilyGroup m_formType = EnumFamilyGroup::None;

    orv::FormHeading* fhMain;
    QLabel* lblName;
    QLineEdit* txtName;
    QLabel* lblType;
    QComboBox* cboType;
    QPushButton* cmdGroupType;
    QLabel* lblHeadPersonLabel;
    QLabel* lblHeadPerson;
    QLabel* lblAddressLabel;
    QLabel* lblAddress;
    QLabel* lblPhoneNumberLabel;
    QLabel* lblPhoneNumber;
    QLabel* lblEMailAddressLabel;
    LinkLabel* lblEMailAddress;
    QLabel* lblMemberCountLabel;
    QLabel* lblMemberCount;
    QTabWidget* tabMain;
    QToolBar* tbarMember = nullptr;
    QTreeWidget* lstvwMember = nullptr;
    QPlainTextEdit* txtNote;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdPrint;
};

} // namespace amb::windows
