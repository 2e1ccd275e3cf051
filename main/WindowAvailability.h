#pragma once

#include "windows/base/WindowAvailability.h"

#include <functional>

namespace amb::ambrel {

// Whether the window loader of this build has the window of a Show...Window entry
// ("ShowPersonWindow"). Commands whose window is missing stay disabled instead of failing.
inline bool IsWindowAvailable(const char* entry) {
    return ::amb::WindowAvailable(entry);
}

// Tests replace the loader's table (an empty function brings it back).
inline void SetWindowAvailability(std::function<bool(const char*)> available) {
    ::amb::SetWindowAvailability(std::move(available));
}

} // namespace amb::ambrel
