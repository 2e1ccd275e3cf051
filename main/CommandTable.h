#pragma once

// The main window's commands: one row per command, read by the menus, the main toolbar, the click
// dispatch and the enabling of both.

#include "main/Icons.h"

#include <QKeySequence>

#include <cstdint>
#include <span>
#include <string_view>

namespace amb::ambrel {

class MainCommands;

// When a command's menu entry and button are on.
enum class Enabling {
    Always, // logged in or not: log in and out, exit, help
    LoggedIn,
    Admin,        // an administrator is logged in
    Row,          // a row of the record list is selected
    RowOpenable,  // ... of a kind that has a window
    RowPrintable, // ... of a kind that has a report
};

// The menu a command's entry stands in.
enum class CommandMenu { FileNew, File, Tools, Help };

struct CommandRow {
    const char* menuName; // the menu entry's object name, "mnuFileOpen"
    CommandMenu menu;
    bool separatorBefore; // in its menu, and in the New button's drop-down
    int32_t menuTextId;
    QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey;
    // The main toolbar's button: 1-based index (the missing indexes are separators), 0 for none.
    int toolbarIndex = 0;
    const char* toolbarKey = nullptr; // "Open"
    int32_t toolTextId = 0;
    bool toolTip = false; // the button's text is its tooltip too
    ToolImage image = ToolImage::New;
    // The New button's drop-down entry: key ("NewMember") and text; nullptr for none.
    const char* dropDownKey = nullptr;
    int32_t dropDownTextId = 0;
    void (MainCommands::*handler)() = nullptr;
    Enabling enabling = Enabling::Always;
};

// The main toolbar holds buttons 1 to kToolbarButtons - 1.
inline constexpr int kToolbarButtons = 11;

// What the enabling rules look at.
struct CommandState {
    bool loggedIn = false;
    bool admin = false;
    bool hasRow = false;
    bool openable = false;
    bool printable = false;
};

constexpr bool IsEnabled(Enabling rule, const CommandState& state) {
    switch (rule) {
    case Enabling::Always:
        return true;
    case Enabling::LoggedIn:
        return state.loggedIn;
    case Enabling::Admin:
        return state.loggedIn && state.admin;
    case Enabling::Row:
        return state.loggedIn && state.hasRow;
    case Enabling::RowOpenable:
        return state.loggedIn && state.hasRow && state.openable;
    case Enabling::RowPrintable:
        return state.loggedIn && state.hasRow && state.printable;
    }
    return false;
}

// The checks the table must pass: named and handled rows, buttons within the toolbar with their key
// and text, drop-down entries with their text, no name, key or button index twice.
constexpr bool IsValidCommandTable(std::span<const CommandRow> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CommandRow& row = rows[i];
        if (!row.menuName || !row.handler || row.menuTextId == 0)
            return false;
        if (row.toolbarIndex != 0) {
            if (row.toolbarIndex < 1 || row.toolbarIndex >= kToolbarButtons || !row.toolbarKey || row.toolTextId == 0)
                return false;
        } else if (row.toolbarKey) {
            return false;
        }
        if (row.dropDownKey && row.dropDownTextId == 0)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            const auto same = [](const char* a, const char* b) {
                return a && b && std::string_view(a) == std::string_view(b);
            };
            const CommandRow& other = rows[j];
            if ((row.toolbarIndex != 0 && row.toolbarIndex == other.toolbarIndex) ||
                same(row.menuName, other.menuName) || same(row.toolbarKey, other.toolbarKey) ||
                same(row.dropDownKey, other.dropDownKey) || same(row.toolbarKey, other.dropDownKey) ||
                same(row.dropDownKey, other.toolbarKey))
                return false;
        }
    }
    return true;
}

} // namespace amb::ambrel
