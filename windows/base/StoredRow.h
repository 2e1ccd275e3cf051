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
    // Puts the values into a save's record under the manager's reserved key (nothing when none). A
    // value of the record that the window shows just as it showed the stored one (a look-up left at
    // "none" over a stored 0, Null or -998; a text left blank over '' or Null; a text that only lost
    // its outer blanks, or whose line breaks a box made plain line feeds) is replaced by the stored
    // value, so that a save writes back, as read, what the user did not change.
    void AttachTo(platform::Dictionary& record) const;
    // The stored row's ID; 0 when none was taken.
    int32_t Id() const;

private:
    platform::DictionaryPtr m_values;
};

// True when `value` would be shown in the window just as `stored` is shown, for the column `name`.
bool ShownAlike(const QString& name, const platform::Variant& stored, const platform::Variant& value);

} // namespace amb
