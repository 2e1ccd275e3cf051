#pragma once

#include "contracts/IDatabaseManager.h"
#include "windows/forms/PersonSearch.h"

#include <functional>

class QWidget;

namespace amb {
class WindowSupport;
}

namespace amb::windows {

// The window's database, asked at each use; error 91 of the window when the hub has none.
using DatabaseSource = std::function<IDatabaseManagerPtr()>;
// The person search window opened by the report window: the person chosen, id 0 when cancelled.
using PersonSearchSource = std::function<PersonChoice()>;

// Selects the whole text of `box` whenever it receives the focus, so that typing replaces it. The
// handler is the box's "<name>_GotFocus()" of the window that `support` traces for; it lives as long
// as the box.
void SelectAllOnFocus(const WindowSupport& support, QWidget* box);

} // namespace amb::windows
