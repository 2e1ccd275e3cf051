#pragma once

#include "contracts/Enums.h"
#include "windows/base/StoredRow.h"
#include "windows/forms/edit/EditForm.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {
class FormHeading;
}

namespace amb {
struct LookupKind;
}

namespace amb::windows {

// Creates one entry of a look-up list or renames one. The opener sets WindowLoader, ID (0 for a new
// entry) and WindowType, then UpdateForm. After OK, ID is the saved entry's id: a name that belonged to
// an entry deleted before brings that entry back, so ID is then its id.
class NameForm : public EditForm {
    Q_OBJECT

public:
    explicit NameForm(QWidget* parent = nullptr);
    ~NameForm() override;

    int32_t ID();
    void SetID(int32_t value);
    EnumWindowType WindowType();
    void SetWindowType(EnumWindowType value);
    int32_t UpdateForm() override;

private:
    void SetControlCaption();
    bool IsFormValid();
    bool RecordExistsAlready(const QString& name);
    int32_t UpdateRecord();
    void cmdOK_Click();
    void txtName_GotFocus();
    // The list's members; throws for the state and user lists, which have no entries of their own here.
    const LookupKind* Kind() const;
    QString Title();

    int32_t m_id = 0;
    // The row as this window read it, for a save that must not overwrite changes made meanwhile.
    StoredRow m_stored;
    EnumWindowType m_windowType = EnumWindowType::AddressName;

    orv::FormHeading* fhMain;
    QLabel* lblName;
    QLineEdit* txtName;
    QCheckBox* chkDateAllowed;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace amb::windows
