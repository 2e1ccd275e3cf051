#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The date helpers by the names the program has always called them; the value module (Values.h)
// reads and formats the dates, as described there.

namespace amb {

std::optional<QDateTime> ParseDateText(QStringView text);           // ParseDate
QString FormatDateText(const QDateTime& value);                     // SystemDateText
QString ToQtDatePattern(const QString& pattern);                    // DatePattern
QString FormatDate(const QDateTime& value, const QString& pattern); // FormatDateWith

} // namespace amb
