#pragma once

#include <functional>

namespace amb::ambrel {

// Whether the window loader of this build has the window of a Show...Window entry
// ("ShowPersonWindow"). Commands whose window is missing stay disabled instead of failing.
bool IsWindowAvailable(const char* entry);

// Tests replace the loader's table (an empty function brings it back).
void SetWindowAvailability(std::function<bool(const char*)> available);

} // namespace amb::ambrel
