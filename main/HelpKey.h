#pragma once

#include <QString>

class QWidget;

namespace amb::ambrel {

class AppWrapper;
class MainForm;

// F1 in `window` opens the help, as Help > Contents does in the main window; `source` names the window
// in a failure's log line.
void AddHelpKey(QWidget* window, const AppWrapper& wrapper, const QString& source);

// What F1 in a message box opens: the main window's help once it has its file; before that, and after
// a start-up that failed, the help of the saved application folder in the saved interface language.
QString MessageBoxHelp(const MainForm* mainForm);

} // namespace amb::ambrel
