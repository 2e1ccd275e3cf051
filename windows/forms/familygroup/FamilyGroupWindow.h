#pragma once

#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"

#include <cstdint>
#include <functional>

namespace amb {
class FormBase;
class WindowSupport;
} // namespace amb

namespace amb::windows {

// What the parts of the family-or-group window share of it: the window (the owner of the windows they
// open, busy while they work), its support (trace lines, texts, messages, handler guard), and the
// family or group it shows.
struct FamilyGroupWindow {
    FormBase& form;
    const WindowSupport& support;
    // The window base's: the hub's database manager (none is error 91 of the window), and the
    // message of a refused save.
    std::function<IDatabaseManagerPtr()> database;
    std::function<void()> showSaveFailure;
    int32_t id = -1;
    EnumFamilyGroup formType = EnumFamilyGroup::None;

    // The row of the kinds table for formType; none for a kind the window does not know.
    const FamilyGroupKind* Kind() const { return FindFamilyGroupKind(formType); }
};

} // namespace amb::windows
