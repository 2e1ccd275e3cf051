#pragma once

#include "contracts/Enums.h"
#include "windows/base/FormBase.h"

#include <cstdint>

class QAction;
class QPushButton;
class QToolBar;
class QTreeWidget;

namespace orv {
class FormHeading;
}

namespace amb::windows {

// Every entry of one look-up list, or every user account, with New, Edit and Delete. Entries are
// edited in the name window, accounts in the user window; each change is stored at once, so the
// window itself never saves anything and its Response stays 2.
class ListForm : public FormBase {
    Q_OBJECT

public:
    explicit ListForm(QWidget* parent = nullptr);
    ~ListForm() override;

    EnumWindowType WindowType();
    void SetWindowType(EnumWindowType value);
    int32_t UpdateForm() override;

private:
    void ConfigureGrid();
    void RefreshGrid();
    void SetCaption();
    void SetControlCaption();
    void EnableToolbarButtons();
    bool IsSelectedItemUpdatable();
    // Only administrators change look-up lists; anyone else who reaches one through a window's
    // button sees it without New, Open and Delete.
    bool IsReadOnly();
    // Opens the name or user window on `id` (0: a new entry) and refreshes the list after a save.
    void OpenEntry(int32_t id);
    void DeleteSelected();

    void cmdClose_Click();
    void lstvwList_ColumnClick(int column);
    void lstvwList_DblClick();
    void lstvwList_ItemClick();
    void tbarList_ButtonClick(int index);

    EnumWindowType m_windowType = EnumWindowType::AddressName;
    bool m_readOnly = true;

    orv::FormHeading* fhMain;
    QToolBar* tbarList;
    QAction* m_newButton;
    QAction* m_editButton;
    QAction* m_deleteButton;
    QTreeWidget* lstvwList;
    QPushButton* cmdClose;
};

} // namespace amb::windows
