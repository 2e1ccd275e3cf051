#pragma once

// Date defaults and the list, name, address and text helpers that windows and reports repeat.

#include "contracts/Enums.h"
#include "contracts/IApplication.h"
#include "contracts/IWindowLoader.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace amb {

// 1 January of the current year, midnight (naive).
QDateTime FirstDayOfYear();
// The first day of the current month, midnight (naive).
QDateTime FirstDayOfCurrentMonth();

// The key that ties a list row to its record: "id||42". Lists may append "||" and one more part.
QString MakeListItemKey(int32_t id);
// "id||42||True": the key of a row that also carries a flag, such as whether the row is of a
// built-in kind or is the family's head.
QString MakeFlaggedListItemKey(int32_t id, bool flag);
// The flag of such a key, read with AsBoolean; none for a key without a third part.
std::optional<bool> GetFlagFromKey(const QString& key);
// The record id of a key: the second "||" part read with AsLong; 0 for anything unreadable.
int32_t GetIDFromKey(const QString& key);

// "Last, First Middle Suffix"; without a last name "First Middle Suffix". The title is taken and
// left out. Empty parts are skipped; the result is trimmed of blanks.
QString FormatPersonName(const QString& firstName, const QString& middleName, const QString& lastName,
                         const QString& title, const QString& suffix);
// The non-empty parts, in order, joined with ", "; parts are used as given.
QString FormatAddress(const QString& part1, const QString& part2, const QString& part3, const QString& part4,
                      const QString& part5);

// The hub's text of an id, "" when the hub, its table or the id is missing.
QString LoadResString(const IApplicationPtr& hub, int32_t id);
// The display name of a look-up list kind, from the string table of the loader's hub.
QString GetListTypeName(const IWindowLoaderPtr& loader, EnumWindowType type);
// The message for a report printer result; "" for Success, 0 and unknown values. A system error
// that the hub's printer knows the cause of (no printer set up) says that cause; a report whose rows
// could not be read (no record selected, or a system error, after a failed read) says why instead.
QString GetReportErrorMessage(const IApplicationPtr& hub, EnumReportError result);

} // namespace amb
