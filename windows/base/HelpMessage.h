#pragma once

#include "contracts/IApplication.h"

#include <QString>

#include <functional>

class QWidget;

namespace amb {

// The message that the help `file` could not be shown, in `hub`'s language, ready to be shown later:
// over `window` while it is open, titled with its caption as it was when the help was asked for.
std::function<void()> HelpNotShownMessage(QWidget* window, const IApplicationPtr& hub, const QString& file);

} // namespace amb
