#pragma once

#include <QString>

namespace amb::ambrel {

class MainForm;

// What F1 in a message box opens: the main window's help once it has its file; before that, and after
// a start-up that failed, the help of the saved application folder in the saved interface language.
QString MessageBoxHelp(const MainForm* mainForm);

} // namespace amb::ambrel
