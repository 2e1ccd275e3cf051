#include "common/DateText.h"

#include "common/Values.h"

// The long-standing names of the value module's dates.

namespace amb {

std::optional<QDateTime> ParseDateText(QStringView text) {
    return ParseDate(text);
}

QString FormatDateText(const QDateTime& value) {
    return SystemDateText(value);
}

QString ToQtDatePattern(const QString& pattern) {
    return DatePattern(pattern);
}

QString FormatDate(const QDateTime& value, const QString& pattern) {
    return FormatDateWith(value, pattern);
}

} // namespace amb
