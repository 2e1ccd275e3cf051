#pragma once

#include "contracts/IApplication.h"

#include <cstdint>

namespace amb::windows {

// Lets the user find a person in the person search window, opened through the hub's window loader;
// the chosen person's id, or 0 when the search was cancelled.
int32_t SearchPerson(const IApplicationPtr& hub);

} // namespace amb::windows
