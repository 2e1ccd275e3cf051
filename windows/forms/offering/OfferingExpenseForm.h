#pragma once

#include "contracts/Enums.h"
#include "windows/base/FormBase.h"
#include "windows/base/StoredRow.h"
#include "windows/forms/offering/BatchKinds.h"

#include <QPointer>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {
class FormHeading;
}

namespace amb {
class DatePicker;
}

namespace amb::windows {

class BatchForm;
struct BatchRowValues;

// One offering (with its giver's envelope code) or one expense, saved to the database (UpdateTarget
// 1) or written as a row of the batch window's grid (UpdateTarget 0, through ParentBatchForm). In
// Batch mode the window stays open and every OK adds a row; in Individual mode OK closes it.
class OfferingExpenseForm : public FormBase {
    Q_OBJECT

public:
    explicit OfferingExpenseForm(QWidget* parent = nullptr);
    ~OfferingExpenseForm() override;

    int32_t BatchType();
    void SetBatchType(int32_t value);
    int32_t UpdateTarget();
    // Ignored (stays 0) while WindowType is Batch.
    void SetUpdateTarget(int32_t value);
    int32_t ID();
    void SetID(int32_t value);
    BatchForm* ParentBatchForm();
    void SetParentBatchForm(BatchForm* value);
    EnumOfferingWindowType WindowType();
    // Batch also sets ID -1 and UpdateTarget 0.
    void SetWindowType(EnumOfferingWindowType value);

    int32_t UpdateForm() override;

protected:
    // The close box acts as Cancel (in Batch mode the batch window then refreshes its buttons).
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLayout();
    void ConnectControls();
    bool IsOffering() const { return m_batchType == BatchKind::Offering; }
    void SetControlCaption();
    int32_t UpdateKindForm();
    void LoadStoredRecord();
    void LoadGridRow();
    void InitializeComboBoxes(int32_t selector);
    bool IsFormValid();
    BatchRowValues EnteredValues() const;
    bool EntryTyped() const;
    int32_t UpdateRecord();
    int32_t SaveToDatabase();
    void WriteGridRow(bool newRow);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdSearch_Click();
    void cmdOfferingExpenseType_Click();

    int32_t m_batchType = BatchKind::Offering;
    int32_t m_updateTarget = SaveTarget::BatchGrid;
    int32_t m_id = 0;
    // The row as this window read it, for a save that must not overwrite changes made meanwhile.
    StoredRow m_stored;
    EnumOfferingWindowType m_windowType = EnumOfferingWindowType::Individual;
    QPointer<BatchForm> m_parentBatchForm;

    orv::FormHeading* fhMain = nullptr;
    QLabel* lblOfferingType = nullptr;
    QComboBox* cboOfferingTypeName = nullptr;
    QPushButton* cmdOfferingExpenseType = nullptr;
    QLabel* lblEnvelopCode = nullptr;
    QLineEdit* txtEnvelopCode = nullptr;
    QPushButton* cmdSearch = nullptr;
    QLabel* lblExpenseName = nullptr;
    QLineEdit* txtExpenseName = nullptr;
    QLabel* lblDate = nullptr;
    DatePicker* dtDate = nullptr;
    QLabel* lblAmount = nullptr;
    QLineEdit* txtAmount = nullptr;
    QLabel* lblNote = nullptr;
    QLineEdit* txtNote = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace amb::windows
