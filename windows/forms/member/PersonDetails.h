#pragma once

#include "platform/data/Variant.h"
#include "windows/forms/member/PersonPart.h"

#include <QObject>

#include <optional>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace platform {
class Dictionary;
}

namespace amb {
class DatePicker;
}

namespace amb::windows {

// The person's own entries beside and below the name: envelope code, title, sex and birth date, the
// classification, member and marital status with their look-up buttons, the wedding, baptism and
// joining dates, and the occupation.
class PersonDetails : public QObject {
public:
    // The controls are created in `area`; `refill` refills the window's look-up boxes by the bits of
    // InitializeComboBoxes, as a look-up button needs after its list window.
    PersonDetails(QWidget* area, const PersonContext& context, std::function<void(int32_t)> refill);

    // Right of the name: envelope code, title, sex and birth date.
    QGridLayout* SideGrid() const;
    // Below: the two columns of look-ups, dates and occupation, with room in row 3 on the right.
    QGridLayout* FieldsGrid() const;
    void SetCaptions();

    // Refills the look-up boxes named by `value` (1 classification, 2 member status, 4 title, 8 marital
    // status, 31 all of them with sex).
    void FillLookUps(const IDatabaseManagerPtr& database, int32_t value);
    void ApplyDateFormat(const QString& format);
    // The envelope code of a stored person; none (switched off) for a new one.
    void ShowEnvelopCode(const std::optional<QString>& code);
    // A new person's dates start switched off.
    void ShowNew();
    void Load(const PersonField& field, const IDatabaseManagerPtr& database);
    // The first required look-up left empty.
    std::optional<MissingEntry> FirstMissing() const;
    // Dates travel as date values, or Null when the picker holds none or is switched off.
    void Enter(platform::Dictionary& record) const;

private:
    void Connect();
    void cboMaritalStatus_Click();
    void chkIsBaptized_Click();
    void chkIsMember_Click();
    void cboTitle_GotFocus();

    // A date the window does not show (its marital status without a date, or its box unticked) as
    // stored, and the state of the entry that hides it as read: while the user leaves that entry as
    // read, the save writes the date back as stored.
    struct HiddenDate {
        platform::Variant stored;
        int32_t hiddenBy = 0;
    };
    HiddenDate m_hiddenMarried;
    HiddenDate m_hiddenBaptized;
    HiddenDate m_hiddenJoined;

    const PersonContext& m_context;
    std::function<void(int32_t)> m_refill;
    QLineEdit* txtEnvelopCode = nullptr;
    QLabel* lblEnvelopCode = nullptr;
    QComboBox* cboTitle = nullptr;
    QLabel* lblTitle = nullptr;
    QPushButton* cmdMemberTitle = nullptr;
    QComboBox* cboSex = nullptr;
    QLabel* lblSex = nullptr;
    DatePicker* dtpDOB = nullptr;
    QLabel* lblDOB = nullptr;
    QComboBox* cboClassification = nullptr;
    QLabel* lblClassification = nullptr;
    QPushButton* cmdClassification = nullptr;
    QComboBox* cboMemberStatus = nullptr;
    QLabel* lblMemberStatus = nullptr;
    QPushButton* cmdMemberStatus = nullptr;
    QComboBox* cboMaritalStatus = nullptr;
    QLabel* lblMaritalStatus = nullptr;
    QPushButton* cmdMaritalStatus = nullptr;
    DatePicker* dtpMarried = nullptr;
    QLabel* lblMarried = nullptr;
    QCheckBox* chkIsBaptized = nullptr;
    DatePicker* dtpBaptized = nullptr;
    QCheckBox* chkIsMember = nullptr;
    DatePicker* dtpJoined = nullptr;
    QLineEdit* txtOccupation = nullptr;
    QLabel* lblOccupation = nullptr;
};

} // namespace amb::windows
