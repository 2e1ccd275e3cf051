#pragma once

#include "platform/data/Recordset.h"
#include "platform/data/Variant.h"

#include <QComboBox>
#include <QString>

namespace amb {

// Clears the box and adds one entry per row: text AsString(textColumn), item data (Qt::UserRole)
// AsLong(idColumn); then selects the first entry. No result set leaves the box empty. The set is
// closed afterwards unless keepOpen, in which case it is moved back to its first row.
// Clearing and adding emit no signal; selecting the first entry emits the usual ones, once.
// An unknown column name throws platform::Error to the caller.
void FillComboBox(QComboBox* box, const platform::RecordsetPtr& records, const QString& textColumn,
                  const QString& idColumn, bool keepOpen);

// Selects the first entry whose text equals the value exactly (byId false) or whose item data equals
// AsLong(value) (byId true); the first entry when none matches.
void SelectComboItem(QComboBox* box, const platform::Variant& value, bool byId);

// Shows `text` in the box: the first entry with exactly that text, or, in a box that takes typed text,
// the text as typed even when it is no entry (a kind typed earlier, or one renamed or removed in its
// look-up list), so that saving it back stores it unchanged. A drop-down list without such an entry
// selects its first entry.
void SelectComboText(QComboBox* box, const QString& text);

// Selects the box's text up to its length without surrounding blanks; nothing for a drop-down list.
void SelectAllComboText(QComboBox* box);

} // namespace amb
