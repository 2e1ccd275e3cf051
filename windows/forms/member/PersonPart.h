#pragma once

#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IWindowLoader.h"
#include "platform/data/Recordset.h"
#include "windows/base/WindowSupport.h"

#include <cstdint>
#include <functional>

class QComboBox;
class QPushButton;
class QWidget;

namespace platform {
class Variant;
}

namespace amb::windows {

// What the parts of the person window share: the window's support (its trace lines, texts, messages
// and handler guard), the hub's services asked as the window asks them, and the makings of their
// controls.

// A column of the person's row, by its name.
using PersonField = std::function<platform::Variant(const char* name)>;

// A required entry left empty: the message to show and the control to put the cursor in.
struct MissingEntry {
    int32_t text;
    QWidget* box;
};

// What a part reaches of its window: the window's support, and the hub's services as the window's
// base gives them (none is error 91 of the window).
struct PersonContext {
    const WindowSupport& support;
    std::function<IDatabaseManagerPtr()> database;
    std::function<IWindowLoaderPtr()> loader;
};

// Runs `in` whenever `widget` receives the focus and `out`, when given, whenever it loses it, for as
// long as `owner` (the part whose handlers they are) lives.
void OnFocus(QObject* owner, QWidget* widget, std::function<void()> in, std::function<void()> out = {});

// Fills a look-up box with the rows' names, each with its ID as item data.
void FillLookUp(QComboBox* box, const platform::RecordsetPtr& rows);

QComboBox* MakeCombo(QWidget* parent, const char* name, bool editable);
// The "..." button beside a look-up box that opens the look-up list.
QPushButton* MakeLookUpButton(QWidget* parent, const char* name);

// Selects the entry with the stored id. An entry removed from its look-up list after the person got
// it is no longer in the box: it is added under its stored name, so that it shows and is saved back
// unchanged instead of turning into the blank entry.
void SelectStoredEntry(QComboBox* box, const platform::Variant& id, const QString& name);

// What a look-up button does: opens the list window of `type`, refills the boxes (`refill`) and
// selects again what `box` held, by its item data (byId) or by its text.
struct LookUpButton {
    const char* procedure; // the handler's name in the trace lines
    EnumWindowType type;
    QComboBox* box;
    bool byId;
};
void LookUpButton_Click(const PersonContext& context, const LookUpButton& button, const std::function<void()>& refill);

} // namespace amb::windows
