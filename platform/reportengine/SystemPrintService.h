#pragma once

#include "platform/reportengine/PrintService.h"

namespace platform::reportengine {

// The platform's printers through CUPS: QPrinterInfo, QPrintDialog, QPrinter.
class SystemPrintService final : public PrintService {
public:
    QStringList Printers() override;
    PrinterInfo DefaultPrinter() override;
    std::optional<PrintJob> RunDialog(const PrintJob& proposed, const PagedReport& report) override;
    void Print(const PrintJob& job, const PagedReport& report) override;
};

} // namespace platform::reportengine
