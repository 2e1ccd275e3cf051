#pragma once

// The window loader's table of entries: each Show...Window entry, the form it opens and whether that
// form is built. Adding a window is one row here and one form in forms/: the loader's entry body
// refuses to compile until its row says the form is built (and the other way round), and the main
// program and the windows enable the commands that open it from this same row.
// Plain data, so the main program needs nothing of the windows library to use it.

#include <string_view>

namespace amb {

struct WindowEntryInfo {
    std::string_view entry; // the IWindowLoader member, e.g. "ShowPersonWindow"
    std::string_view form;  // the window class it opens; empty while none is built
};

// clang-format off
inline constexpr WindowEntryInfo kWindowEntries[] = {
    {"ShowBatchOfferingWindow",  ""},
    {"ShowBatchExpenseWindow",   ""},
    {"ShowOfferingWindow",       ""},
    {"ShowExpenseWindow",        ""},
    {"ShowFamilyWindow",         "FamilyGroupForm"},
    {"ShowGroupWindow",          "FamilyGroupForm"},
    {"ShowOptionWindow",         "OptionsForm"},
    {"ShowPersonWindow",         "MemberForm"},
    {"ShowReportWindow",         ""},
    {"ShowListWindow",           "ListForm"},
    {"ShowLogInWindow",          "LogInForm"},
    {"ShowChangePasswordWindow", "ChangePasswordForm"},
    {"ShowUserWindow",           "UserForm"},
    {"ShowNameWindow",           "NameForm"},
    {"ShowSearchWindow",         "SearchForm"},
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
            return !info.form.empty();
    return false;
}

// The form the entry opens ("" while none is built).
constexpr std::string_view WindowEntryForm(std::string_view entry) {
    for (const WindowEntryInfo& info : kWindowEntries)
        if (info.entry == entry)
            return info.form;
    return {};
}

} // namespace amb
