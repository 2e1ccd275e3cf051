#include "windows/forms/options/FileSizeText.h"

#include <QLocale>

namespace amb::windows {

QString FormatFileSize(qint64 bytes) {
    const bool megabytes = bytes >= 1000000;
    const double value = static_cast<double>(bytes) / (megabytes ? 1000000.0 : 1000.0);
    return QLatin1Char('(') + QLocale().toString(value, 'f', 2) +
           (megabytes ? QStringLiteral(" MB)") : QStringLiteral(" KB)"));
}

} // namespace amb::windows
