#pragma once

#include <QString>

class QWidget;

namespace amb::ambrel {

class AppWrapper;

// F1 in `window` opens the help, as Help > Contents does in the main window; `source` names the window
// in a failure's log line.
void AddHelpKey(QWidget* window, const AppWrapper& wrapper, const QString& source);

} // namespace amb::ambrel
