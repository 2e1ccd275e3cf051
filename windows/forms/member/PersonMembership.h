#pragma once

#include "windows/base/StoredRow.h"
#include "windows/forms/member/PersonPart.h"

#include <QObject>

class QGridLayout;
class QLabel;

namespace platform {
class Dictionary;
}

namespace amb::windows {

// The person's relationship in the family, or position in the group, from whose window the person
// window was opened (cboFamilyGroup with its look-up button); hidden when it was opened from neither.
// It is saved with the person, compared with the membership row as it was read.
class PersonMembership : public QObject {
public:
    // The controls are created in `area`; `refill` refills the window's look-up boxes (see PersonDetails).
    PersonMembership(QWidget* area, const PersonContext& context, std::function<void(int32_t)> refill);

    // Puts the label, box and button into columns 4 to 6 of `row`.
    void PlaceIn(QGridLayout* grid, int row) const;
    void SetCaptions();

    int32_t FamilyGroupID() const { return m_familyGroupId; }
    void SetFamilyGroupID(int32_t value) { m_familyGroupId = value; }
    EnumFamilyGroup ParentForm() const { return m_parentForm; }
    void SetParentForm(EnumFamilyGroup value) { m_parentForm = value; }

    // With `value` 16 or 31 fills the box and shows the person's membership row; shown only when the
    // window was opened from a family or group.
    void Fill(const IDatabaseManagerPtr& database, int32_t value, int32_t personId);
    // The relationship or position for the save of a person who was a member when the window opened.
    void Attach(platform::Dictionary& record, int32_t personId) const;
    // A saved person who is no member yet becomes one of the family (and then takes its head's address
    // and phone number where the person's home rows are blank) or group. 0 when that is done (or the
    // window has no family or group); otherwise the text of why not (see MembershipCausePhrase), and
    // the step stays missing until a later Link.
    int32_t Link(const IDatabaseManagerPtr& database, int32_t personId);
    // Whether the saved person still has to join the family or group the window was opened from.
    bool LinkMissing() const { return m_missing == Step::Link; }
    // The same, or the person joined it but has not taken the family's address yet.
    bool StepMissing() const { return m_missing != Step::None; }
    void SetLinkMissing() { m_missing = Step::Link; }
    // The family or group was deleted elsewhere: from now on the person is saved alone.
    void Forget();

private:
    void ShowBox(bool shown);
    void cmdFamilyGroup_Click();

    const PersonContext& m_context;
    std::function<void(int32_t)> m_refill;
    int32_t m_familyGroupId = 0;
    EnumFamilyGroup m_parentForm = EnumFamilyGroup::None;
    // The membership row of the family or group this window was opened from, as last read.
    StoredRow m_storedLink;
    enum class Step { None, Link, Copy };
    Step m_missing = Step::None;
    QComboBox* cboFamilyGroup = nullptr;
    QLabel* lblFamilyGroup = nullptr;
    QPushButton* cmdFamilyGroup = nullptr;
};

} // namespace amb::windows
