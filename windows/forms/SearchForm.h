#pragma once

#include "platform/data/Recordset.h"
#include "windows/base/FormBase.h"

#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// Finds one person by the beginning of the last name or of the name in the congregation's language
// and returns the chosen person's id. A result row's key is "id||<ID>||<envelope code>", so that a
// caller recording an offering can read the envelope code of the chosen person too.
class SearchForm : public FormBase {
    Q_OBJECT

public:
    explicit SearchForm(QWidget* parent = nullptr);
    ~SearchForm() override;

    // The chosen person: 0 until OK or Cancel, the row's id after OK, -1 after Cancel.
    int32_t ID();
    int32_t UpdateForm() override;
    // The key of the selected result row ("" when none).
    QString SelectedKey() const;

private:
    void ConfigureGrid();
    void SetControlCaption();
    void FillResult(const platform::Recordset& rows);
    void cmdSearch_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void lstvwResult_DblClick();
    void lstvwResult_ColumnClick(int column);
    void cboSearchText_GotFocus();
    void cboSearchText_LostFocus();
    bool eventFilter(QObject* watched, QEvent* event) override;

    int32_t m_id = 0;

    orv::FormHeading* fhMain;
    QLabel* lblSearch;
    QComboBox* cboSearchText;
    QPushButton* cmdSearch;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QTreeWidget* lstvwResult;
};

} // namespace amb::windows
