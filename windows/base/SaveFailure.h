#pragma once

#include "contracts/IApplication.h"

#include <QString>

class QWidget;

namespace amb {

// What the user is told when the database refused a save: the text of the cause that the database
// manager kept (changed elsewhere, deleted meanwhile, locked, disk full or read-only, a text too long,
// an amount out of range, a wrong password, a damaged or unreadable file), or "The record could not be
// saved." when it knows none.
// A text too long names the field by the label of `window`'s box for that column, when it has one.
QString SaveFailureText(const IApplicationPtr& hub, const QWidget* window = nullptr);

// The same cause's text, empty when the manager kept no cause that has one (for a failure that
// has its own general text).
QString FailureCauseText(const IApplicationPtr& hub, const QWidget* window = nullptr);

// The sentence, inside a text of its own, that says why a saved person's membership step did not
// happen (the person was not added to the family or group, or did not take the family's address) and
// what to do: for a lock, a full disk, a damaged file or a family or group deleted meanwhile, and a
// general one for any other cause.
int32_t MembershipCausePhrase(EnumDatabaseFailure cause);

// The label that a window shows for a column ("Occupation" -> "Occupation:" of txtOccupation), without
// its mnemonic and colon; the column's own name when no label names it.
QString FieldLabel(const QWidget* window, const QString& column);

} // namespace amb
