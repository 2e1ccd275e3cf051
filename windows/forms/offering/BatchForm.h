#pragma once

#include "contracts/Enums.h"
#include "windows/base/FormBase.h"
#include "windows/forms/offering/BatchKinds.h"

#include <cstdint>

class QAction;
class QPushButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// Many offerings or many expenses typed one after another into a grid (through the offering or
// expense window) and written to the database together by Submit. Each row shows its state: waiting,
// submitted or refused; submitted rows can no longer be edited or removed.
class BatchForm : public FormBase {
    Q_OBJECT

public:
    explicit BatchForm(QWidget* parent = nullptr);
    ~BatchForm() override;

    int32_t BatchType();
    void SetBatchType(int32_t value);
    int32_t UpdateForm() override;

    // The grid, which the offering or expense window reads and writes.
    QTreeWidget* List() const { return lstvwList; }

protected:
    // The close box acts as Cancel, with the question about rows not yet saved.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLayout();
    void ConnectControls();
    void ConfigureGrid();
    void FitColumns();
    // Widens the columns whose changed cells no longer fit; never narrows one.
    void WidenColumns(int firstRow, int lastRow, int firstColumn, int lastColumn);
    int WidestValue(int column, int first, int last) const;
    void SetControlCaption();
    void EnableToolbarButtons();
    void EnableButtons();
    int32_t GetTypeFromKey(const QTreeWidgetItem* row) const;
    bool IsEditable(const QTreeWidgetItem* row) const;
    QTreeWidgetItem* SelectedRow() const;
    // Opens the offering or expense window on the grid; true when it closed with Response 1.
    bool OpenEntryWindow(EnumOfferingWindowType type);
    bool SubmitRow(QTreeWidgetItem* row);
    bool RowsWaiting() const;

    void cmdSubmit_Click();
    void cmdReset_Click();
    void cmdCancel_Click();
    void tbarBatch_ButtonClick(int button);
    void lstvwList_DblClick();
    void lstvwList_ItemClick();

    int32_t m_batchType = BatchKind::Offering;

    orv::FormHeading* fhMain = nullptr;
    QToolBar* tbarBatch = nullptr;
    QTreeWidget* lstvwList = nullptr;
    QPushButton* cmdSubmit = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace amb::windows
