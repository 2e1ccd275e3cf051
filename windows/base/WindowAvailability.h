#pragma once

#include <functional>

namespace amb {

// Whether the window loader of this build opens the window of a Show...Window entry
// ("ShowPersonWindow"), from the loader's table. The main program and the windows switch off the
// commands and buttons whose window is missing instead of letting them fail. One copy for the whole
// process (this library is shared), so a test's override reaches the main window and every window.
bool WindowAvailable(const char* entry);

// Tests replace the table's answer, e.g. to switch on a button whose window is not built yet and
// answer it with a fake loader; an empty function brings the table back.
void SetWindowAvailability(std::function<bool(const char*)> available);

} // namespace amb
