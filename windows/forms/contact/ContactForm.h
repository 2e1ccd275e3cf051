#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/base/FormBase.h"
#include "windows/base/StoredRow.h"
#include "windows/forms/contact/ContactKind.h"

#include <cstdint>
#include <initializer_list>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// One contact row of a person (an address, e-mail address or phone number): its kind, its value
// fields and a note. The person window creates it, sets ID (0 for a new row), PersonID and
// WindowLoader, and shows it when UpdateForm gives more than 0; after it closed, Response 1 means
// the row was saved and ID holds its id. The value fields are the derived window's.
class ContactForm : public FormBase {
    Q_OBJECT

public:
    ~ContactForm() override;

    int32_t ID();
    void SetID(int32_t value);
    int32_t PersonID();
    void SetPersonID(int32_t value);
    int32_t UpdateForm() override;
    // Saves the window's row: its id, or a negative value when the save failed.
    int32_t UpdateRecord();

protected:
    ContactForm(const ContactKind& kind, QWidget* parent);

    // Where the value fields go, between the kind and the note.
    QVBoxLayout* ValueArea() const { return m_valueArea; }
    // The tab order from the kind's "+" through the value fields to the note.
    void SetValueTabOrder(std::initializer_list<QWidget*> fields);
    const ContactKind& Kind() const { return m_kind; }
    // The row's id without a trace line (0 for a new row).
    int32_t RowID() const { return m_id; }
    QString EntityText() const { return Text(m_kind.entityText); }

    // Captions of the value fields.
    virtual void SetValueCaptions() = 0;
    // Fills look-up boxes of the value fields and shows an empty set of fields.
    virtual void PrepareValues() {}
    virtual void ShowValues(const platform::Recordset& row) = 0;
    // True when OK may save without any check (the address window's emptied row).
    virtual bool AcceptsWithoutChecks() { return false; }
    // The value checks after the kind checks; shows its own message and focus.
    virtual bool AreValuesValid() { return true; }
    virtual void AddValues(platform::Dictionary& record) = 0;
    // Selects the whole text of a value box when it gets the focus ("<box>_GotFocus()").
    void SelectOnFocus(QWidget* box);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetControlCaption();
    // The labels of the kind, the value fields and the note share one width, so the fields line up.
    void AlignLabels();
    void InitializeComboBoxes(int32_t mask);
    bool IsFormValid();
    bool RecordExistsAlready(const QString& name);
    QString KindText() const;
    void SetSavedCaption();
    // Puts the cursor into the first value field that is shown.
    void FocusFirstValue();

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdName_Click();

    const ContactKind& m_kind;
    int32_t m_id = 0;
    // The row as this window read it, for a save that must not overwrite changes made meanwhile.
    StoredRow m_stored;
    int32_t m_personId = 0;

    orv::FormHeading* fhMain;
    QLabel* lblName;
    QComboBox* cboName;
    QPushButton* cmdName;
    QVBoxLayout* m_valueArea;
    QLabel* lblNote;
    QPlainTextEdit* txtNote;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace amb::windows
