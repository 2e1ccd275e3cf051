#pragma once

#include "contracts/Enums.h"
#include "windows/base/FormBase.h"

#include <cstdint>
#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// Asks who is to join a family or group: an existing person found by the person search, or a new
// person whom the opener lets the user enter afterwards; when a new family or group is started
// (FamilyGroupType Family or Group) also its name, which must not be taken. The window saves
// nothing itself: OK runs the opener's save when it set one (which keeps the window open when it
// fails), and after OK the opener reads the name, the chosen option and PersonID.
class AddOptionForm : public FormBase {
    Q_OBJECT

public:
    explicit AddOptionForm(QWidget* parent = nullptr);
    ~AddOptionForm() override;

    int32_t PersonID();
    EnumFamilyGroup FamilyGroupType();
    void SetFamilyGroupType(EnumFamilyGroup value);
    int32_t UpdateForm() override;

    // What the opener reads after OK: the trimmed name, and whether optAddOption(0) (an existing
    // person) is set.
    QString NameText() const;
    bool IsExistingPersonChosen() const;
    // Run by OK once the entries are valid; false keeps the window open with what was typed.
    void SetSave(std::function<bool()> save) { m_save = std::move(save); }
    // A person saved meanwhile is from now on the existing person chosen (also when a failed read
    // leaves the name's box empty).
    void ChoosePerson(int32_t personID);

private:
    void SetControlCaption();
    bool IsFormValid();
    bool RecordExistsAlready(const QString& name);
    void RefreshMemberTextBox(int32_t personID);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdSearch_Click();
    void optAddOption_Click(int index);
    void txtName_GotFocus();
    // The person search; the chosen person's id, or -1 when it ended without one.
    int32_t SearchPerson();

    int32_t m_personID = 0;
    std::function<bool()> m_save;
    bool m_nameUnread = false; // the name could not be looked up, and the user was told
    EnumFamilyGroup m_familyGroupType = EnumFamilyGroup::None;

    orv::FormHeading* fhMain;
    QLabel* lblName;
    QLineEdit* txtName;
    QLabel* lblMember;
    QRadioButton* optAddOption0;
    QLineEdit* txtMember;
    QPushButton* cmdSearch;
    QRadioButton* optAddOption1;
    QButtonGroup* optAddOption;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace amb::windows
