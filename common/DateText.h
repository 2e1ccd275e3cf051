#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace amb {

// Reads a date text: "M/d/yyyy", "M-d-yyyy", "yyyy-M-d" or "yyyy/M/d", optionally followed by a time
// "H:mm", "H:mm:ss" (24 hours) or "h:mm[:ss] AM|PM", with blanks around. Years have exactly four
// digits: "3/15/24" is no date, so a two-digit year is never read as some century's year.
// The result is a naive date-time (see platform::Variant); nothing when the text is no real date.
std::optional<QDateTime> ParseDateText(QStringView text);

// The system's own text of a date: "M/d/yyyy", plus " HH:mm:ss" when the time is not midnight.
// ParseDateText reads it back exactly. An invalid date gives the empty text.
QString FormatDateText(const QDateTime& value);

// Translates a stored date pattern in the old notation ("m/d/yyyy", "yyyy-M-d", "mmm d, yyyy",
// "h:nn AM/PM") to Qt's notation ("M/d/yyyy"...). Letters without meaning there are kept as literal
// text, and a two-digit year becomes four digits. An empty pattern gives the default one (Values.h).
// Translate once per fill, not once per row.
QString ToQtDatePattern(const QString& pattern);

// The date formatted with a stored pattern in the old notation; an invalid date gives "".
QString FormatDate(const QDateTime& value, const QString& pattern);

} // namespace amb
