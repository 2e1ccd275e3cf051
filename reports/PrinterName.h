#pragma once

#include <QString>

namespace amb::reports {

// The object name of every trace and log line of the printer.
inline QString PrinterObjectName() {
    return QStringLiteral("AmbReportPrinter.Printer");
}

} // namespace amb::reports
