#pragma once

class QApplication;

namespace amb {

// Installs on the application, once for every window, the rule that a printable key pressed with Alt
// (alone or with Shift) that no shortcut took never types into a text box, a combo box or a date box:
// the platform's boxes on X11 would type its letter over the selection, where Windows and the desktop
// programs beside this one type nothing. A key the box itself took before the press (a date box's
// refusal of a command key over a text that is not a date) still reaches it; menus and lists get the
// key as before, and AltGr and input methods, which arrive without Alt, type as before.
void InstallAltKeyFilter(QApplication& app);

} // namespace amb
