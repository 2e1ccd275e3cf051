#include "main/WindowAvailability.h"

#include <cstring>
#include <string_view>

#if __has_include("windows/AvailableWindows.h")
#include "windows/AvailableWindows.h"
#define AMB_HAS_WINDOW_TABLE 1
#endif

namespace amb::ambrel {

namespace {

std::function<bool(const char*)>& Override() {
    static std::function<bool(const char*)> available;
    return available;
}

} // namespace

bool IsWindowAvailable(const char* entry) {
    if (Override())
        return Override()(entry);
#ifdef AMB_HAS_WINDOW_TABLE
    return ::amb::IsWindowAvailable(std::string_view(entry));
#else
    // Without the loader's table only the log-in window is known to exist.
    return std::strcmp(entry, "ShowLogInWindow") == 0;
#endif
}

void SetWindowAvailability(std::function<bool(const char*)> available) {
    Override() = std::move(available);
}

} // namespace amb::ambrel
