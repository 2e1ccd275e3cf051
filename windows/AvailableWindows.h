#pragma once

// The window loader's Show...Window entries and whether each opens a window in this build. An entry
// whose window is not built yet returns -1 and shows nothing; the main program disables the commands
// that would call it. This table is the one place that says so: the loader and the main program
// both read it. Plain data, so the main program needs nothing of the windows library to use it.

#include <string_view>

namespace amb {

struct WindowEntryInfo {
    std::string_view entry; // the IWindowLoader member, e.g. "ShowPersonWindow"
    bool available;
};

// clang-format off
inline constexpr WindowEntryInfo kWindowEntries[] = {
    {"ShowBatchOfferingWindow", false},
    {"ShowBatchExpenseWindow", false},
    {"ShowOfferingWindow", false},
    {"ShowExpenseWindow", false},
    {"ShowFamilyWindow", false},
    {"ShowGroupWindow", false},
    {"ShowOptionWindow", false},
    {"ShowPersonWindow", false},
    {"ShowReportWindow", false},
    {"ShowListWindow", false},
    {"ShowLogInWindow", true},
    {"ShowChangePasswordWindow", false},
    {"ShowUserWindow", false},
    {"ShowNameWindow", false},
    {"ShowSearchWindow", false},
};
// clang-format on

// True for a name of the table; lets a caller check its spelling at compile time:
// static_assert(amb::IsWindowEntry("ShowPersonWindow"));
constexpr bool IsWindowEntry(std::string_view entry) {
    for (const WindowEntryInfo& info : kWindowEntries)
        if (info.entry == entry)
            return true;
    return false;
}

// True when the entry opens its window in this build.
constexpr bool IsWindowAvailable(std::string_view entry) {
    for (const WindowEntryInfo& info : kWindowEntries)
        if (info.entry == entry)
            return info.available;
    return false;
}

} // namespace amb
