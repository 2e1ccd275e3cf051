#pragma once

#include "common/HelpFile.h"
#include "contracts/IApplication.h"

#include <functional>

class QWidget;

namespace amb {

// Tells, over `window` while it is open and titled with its caption as it was when the help was asked
// for, that the help could not be shown, in the language of the hub that `hub` gives then (none: the
// file's name alone).
HelpNotShown HelpNotShownOver(QWidget* window, std::function<IApplicationPtr()> hub);

} // namespace amb
