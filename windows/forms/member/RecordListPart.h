#pragma once

#include "platform/data/Recordset.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace amb {
class WindowSupport;
}

namespace amb::windows {

// What a cell of a record list shows of its row.
enum class CellKind {
    Text,         // the field's text
    AddressParts, // FormatAddress of the fields <field>1 to <field>5
    Date,         // the date in the hub's DateFormat setting, sorted as a date
    Amount,       // the exact amount, sorted as a number
};

// One of the two columns of a record list: its header (text id), width in pixels, alignment, and
// the result-set field it shows.
struct RecordListColumn {
    int32_t header;
    int width;
    Qt::Alignment align;
    const char* field;
    CellKind kind = CellKind::Text;
};

// How a record list looks and what it offers. The names are the controls' object names, which the
// trace lines of the list's commands carry ("lstvwAddress_DblClick()").
struct RecordListShape {
    const char* list;
    const char* toolbar; // nullptr: no toolbar and no row-click command
    RecordListColumn first;
    RecordListColumn second;
    // Fields of which a true one marks a row of a built-in kind, which cannot be deleted; a list
    // without any has plain row keys and every row may be deleted.
    std::array<const char*, 4> builtInFlags = {};
    bool sorts = true;      // a header click sorts the list
    bool sendsMail = false; // the toolbar has Send at position 7, writing to the second column's address
};

// What the window does for a list's commands. A command left empty does nothing.
struct RecordListCommands {
    std::function<void()> create;         // New (toolbar button 1, Insert); off when left empty
    std::function<void(int32_t id)> open; // a double-click, Edit or Enter on the row with this record ID
    // Delete, after the person said Yes: greater than 0 when the record is gone.
    std::function<int32_t(int32_t id)> remove;
    // The toolbar's enabling after a row click or a delete (the window's EnableToolbarButtons).
    std::function<void()> selectionChanged;
};

// One list of a window's records with its toolbar (New, Edit, Delete, and Send where it lists e-mail):
// it fills itself from a result set, sorts on header clicks, enables its buttons by the selected row,
// answers Insert, Enter and Delete, asks before a delete, and hands the commands to the window. Its
// handlers write their lines through the window's support, under the list's and toolbar's names.
class RecordListPart : public QObject {
    Q_OBJECT

public:
    // The list and toolbar are created on a page of `pages` (see Page); the window holding `pages` is
    // the one kept busy while a command runs. `shape` outlives the part.
    RecordListPart(QWidget* pages, const WindowSupport& support, const RecordListShape& shape,
                   RecordListCommands commands);
    ~RecordListPart() override;

    // The page holding the toolbar above the list; `above` goes on top of both.
    QWidget* Page() const { return m_page; }
    void PutAbove(QWidget* above);
    // Once the page sits in its window (adopting a page rebuilds its focus chain): what is above the
    // toolbar and the list comes before them in the Tab order.
    void OrderTabStops();

    // Its two columns with their headers, and no rows.
    void Configure();
    // The rows of `records` (none without a result set), sorted again as the person last sorted.
    void Fill(const platform::RecordsetPtr& records);
    // Only the controls of the page shown are on.
    void SetEnabled(bool enabled);
    // The toolbar's tooltips and the list's and toolbar's accessible names (the page's title).
    void SetCaptions(const QString& title);
    // The toolbar's buttons by the selected row.
    void EnableButtons();
    // From now on the list offers nothing that would write (New, Edit, Delete); it keeps its rows and
    // Send. A list without a toolbar, which only opens a family or group window, stays as it is.
    void DropWrites();
    // Whether a double-click or Enter opens a row (a family list opened from a family window does not).
    void SetOpens(bool opens) { m_opens = opens; }
    // Once a row's window has closed: the row of record `id` is the current one and the list has the
    // focus (see ReturnToRow).
    void ReturnTo(int32_t id);

private:
    // Whether the selected row may be deleted: not when its key marks a built-in kind.
    bool IsSelectedItemDeletable() const;
    void Build(QWidget* pages);
    void Connect();
    QString ListName() const;
    // A toolbar button by its position, counted from 1.
    QAction* Button(int position) const;
    QTreeWidgetItem* Selected() const;
    int32_t SelectedID() const;

    void List_ColumnClick(int column);
    void List_ItemClick();
    void List_DblClick();
    void Toolbar_ButtonClick(int position);
    void DeleteSelectedRow();
    void SendEMail();

    const WindowSupport& m_support;
    const RecordListShape& m_shape;
    RecordListCommands m_commands;
    bool m_opens = true;
    QWidget* m_page = nullptr;
    QTreeWidget* m_list = nullptr;
    QWidget* m_above = nullptr;
    QToolBar* m_toolbar = nullptr;
};

} // namespace amb::windows
