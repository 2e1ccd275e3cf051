#pragma once

#include "contracts/IDatabaseManager.h"

#include <cstdint>

namespace amb::windows {

// Whether a change to user `id` would leave no enabled administrator: the user is one now, no other
// user is one, and after the change the user is none (`staysAdministrator` false; a delete passes
// false). The windows ask before they save or delete, so the user gets a reason instead of a bare
// failure; the database manager refuses the same change on its own.
bool LeavesNoAdministrator(IDatabaseManager& database, int32_t id, bool staysAdministrator);

} // namespace amb::windows
