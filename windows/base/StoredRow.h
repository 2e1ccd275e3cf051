#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"

namespace amb {

// The stored values of the row that a window edits, as the window read them. The window hands them
// to its save, which refuses when another program changed or deleted the row meanwhile; after each
// save of its own the window takes the row anew, so its own writes never count as changes.
class StoredRow {
public:
    // Takes every column of the current row of `row`; none when it has no current row.
    void Take(const platform::RecordsetPtr& row);
    // Puts the values into a save's record under the manager's reserved key (nothing when none).
    void AttachTo(platform::Dictionary& record) const;

private:
    platform::DictionaryPtr m_values;
};

} // namespace amb
