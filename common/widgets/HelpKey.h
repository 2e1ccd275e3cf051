#pragma once

#include "common/HelpFile.h"

#include <QString>

#include <functional>

class QWidget;

namespace amb {

// F1 in `window` opens the help that `document` names when the key is pressed (OpenHelp); `notShown`
// tells when it could not be shown. A dialog or a message box is a window of its own, which the F1 of
// the window that opened it does not reach.
void AddHelpKey(QWidget* window, const QString& source, std::function<QString()> document, HelpNotShown notShown);

} // namespace amb
