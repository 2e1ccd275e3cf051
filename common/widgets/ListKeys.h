#pragma once

#include <functional>

class QAbstractItemView;
class QAction;
class QToolBar;

namespace amb {

// The commands a list answers from the keyboard while it has the focus. Enter opens the row with the
// focus, selecting it first (the state right after Tab moves into the list); Delete acts on the
// selected row only. Enter in a list never presses the window's default button.
struct ListKeyCommands {
    std::function<void()> create; // Insert
    std::function<void()> open;   // Enter
    std::function<void()> remove; // Delete
};

// Gives the list its keys. Enter is the list's even when its command is off or no row has the focus.
void BindListKeys(QAbstractItemView* list, ListKeyCommands commands);

// Selects the row with the focus when none is selected; false when there is no such row.
bool SelectCurrentRow(QAbstractItemView* list);

// A toolbar button's command: presses the button when it is on, as a click would.
std::function<void()> PressOf(QAction* button);

// Lets Tab reach the toolbar's buttons (each on in its own turn, just before `list`), and Enter or
// Space press the focused one, as on any button. Insert on one of them is the list's Insert.
void MakeToolbarTabbable(QToolBar* bar, QAbstractItemView* list = nullptr);

// After a row was removed: nothing is selected and no row is current, so the row commands go off and
// a second Delete cannot hit the neighbouring row.
void ClearListSelection(QAbstractItemView* list);

} // namespace amb
