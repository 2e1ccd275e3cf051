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

// For a box that also takes typed text: selects the entry with exactly that text, or else shows the
// text as typed, so that a stored text missing from the list is kept rather than blanked.
void SelectOrTypeComboText(QComboBox* box, const QString& text);

// Selects the box's text up to its length without surrounding blanks; nothing for a drop-down list.
void SelectAllComboText(QComboBox* box);

} // namespace amb
