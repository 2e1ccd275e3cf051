#pragma once

#include "contracts/Enums.h"
#include "windows/base/FormBase.h"
#include "windows/base/StoredRow.h"
#include "windows/forms/familygroup/FamilyGroupWindow.h"

#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orv {
class FormHeading;
}

namespace amb::windows {

class FamilyGroupHeader;
class FamilyGroupMemberGrid;

// One family or one group: its name, note and (for a group) type, its head's contact details and
// its members. FormType chooses the kind (the kinds table in FamilyGroupKinds.h). OK saves only the
// record's own fields; the member commands write at once and are not undone by Cancel. The head's
// details and the member grid are parts of their own (FamilyGroupHeader, FamilyGroupMemberGrid).
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
    void SetControlCaption();
    void InitializeComboBox(int32_t kind);
    bool IsFormValid();
    void SetKindCaption(bool withName);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdPrint_Click();
    void cmdGroupType_Click();
    void tabMain_Click(int index);
    void txtName_GotFocus();

    // The family or group shown, as the parts read it.
    FamilyGroupWindow m_window;
    // The row as this window read it, for a save that must not overwrite changes made meanwhile.
    StoredRow m_stored;

    orv::FormHeading* fhMain;
    QLabel* lblName;
    QLineEdit* txtName;
    QLabel* lblType;
    QComboBox* cboType;
    QPushButton* cmdGroupType;
    std::unique_ptr<FamilyGroupHeader> m_header;
    QTabWidget* tabMain;
    QPlainTextEdit* txtNote;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdPrint;
    std::unique_ptr<FamilyGroupMemberGrid> m_members;
};

} // namespace amb::windows
