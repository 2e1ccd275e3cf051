#pragma once

#include "main/AppWrapper.h"
#include "main/MainForm.h"

#include <memory>

namespace amb::ambrel {

// The program's start: splash window, wiring (through the main window's initialisation), the main
// window filled and shown. Returns the shown main window, or nothing when the start-up ended: after
// the "Error" box when it failed, silently when the main window refused to fill.
std::unique_ptr<MainForm> StartUp(std::unique_ptr<AppWrapper> wrapper = std::make_unique<AppWrapper>());

} // namespace amb::ambrel
