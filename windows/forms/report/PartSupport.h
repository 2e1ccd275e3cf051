#pragma once

#include "contracts/IDatabaseManager.h"

class QWidget;

namespace amb {
class WindowSupport;
}

namespace amb::windows {

// The database of the window that `support` serves; error 91 of that window when the hub has none.
IDatabaseManagerPtr DatabaseOf(const WindowSupport& support);

// Selects the whole text of `box` whenever it receives the focus, so that typing replaces it. The
// handler is the box's "<name>_GotFocus()" of the window that `support` traces for; it lives as long
// as the box.
void SelectAllOnFocus(const WindowSupport& support, QWidget* box);

} // namespace amb::windows
