#pragma once

// The window loader's table of entries: each Show...Window entry and the form it opens. Adding a
// window is one row here and one form in forms/; the loader's entry bodies check their names against
// this table at compile time, and its tests walk every row.
// Plain data, so the main program needs nothing of the windows library to use it.

#include <string_view>

namespace amb {

struct WindowEntryInfo {
    std::string_view entry; // the IWindowLoader member, e.g. "ShowPersonWindow"
    std::string_view form;  // the window class it opens
};

// clang-format off
inline constexpr WindowEntryInfo kWindowEntries[] = {
    {.entry = "ShowBatchOfferingWindow",  .form = "BatchForm"},
    {.entry = "ShowBatchExpenseWindow",   .form = "BatchForm"},
    {.entry = "ShowOfferingWindow",       .form = "OfferingExpenseForm"},
    {.entry = "ShowExpenseWindow",        .form = "OfferingExpenseForm"},
    {.entry = "ShowFamilyWindow",         .form = "FamilyGroupForm"},
    {.entry = "ShowGroupWindow",          .form = "FamilyGroupForm"},
    {.entry = "ShowOptionWindow",         .form = "OptionsForm"},
    {.entry = "ShowPersonWindow",         .form = "MemberForm"},
    {.entry = "ShowReportWindow",         .form = "ReportForm"},
    {.entry = "ShowListWindow",           .form = "ListForm"},
    {.entry = "ShowLogInWindow",          .form = "LogInForm"},
    {.entry = "ShowChangePasswordWindow", .form = "ChangePasswordForm"},
    {.entry = "ShowUserWindow",           .form = "UserForm"},
    {.entry = "ShowNameWindow",           .form = "NameForm"},
    {.entry = "ShowSearchWindow",         .form = "SearchForm"},
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

} // namespace amb
