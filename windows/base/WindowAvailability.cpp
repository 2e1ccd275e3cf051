#include "windows/base/WindowAvailability.h"

#include "windows/AvailableWindows.h"

#include <string_view>

namespace amb {

namespace {

std::function<bool(const char*)>& Override() {
    static std::function<bool(const char*)> available;
    return available;
}

} // namespace

bool WindowAvailable(const char* entry) {
    if (Override())
        return Override()(entry);
    return IsWindowAvailable(std::string_view(entry));
}

void SetWindowAvailability(std::function<bool(const char*)> available) {
    Override() = std::move(available);
}

} // namespace amb
