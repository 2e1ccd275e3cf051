#pragma once

#include "platform/reportengine/PagedReport.h"

#include <QString>

#include <functional>

#include <memory>
#include <optional>

namespace platform::reportengine {

// The platform's printers: what the report engine asks of them. The real one works through
// QPrinterInfo, QPrintDialog and QPrinter (CUPS); tests put one in that writes PDF files.
struct PrinterInfo {
    QString Driver;
    QString Device; // the printer's name; empty: no printer
    QString Port;
};

struct PrintJob {
    QString Printer;
    QString Title;
    int Copies = 1;
    bool Collated = false;
    int FromPage = 0; // 1-based; 0 for all
    int ToPage = 0;
    bool Prompted = false; // the print dialog was shown
};

class PrintService {
public:
    virtual ~PrintService();
    virtual QStringList Printers() = 0;
    virtual PrinterInfo DefaultPrinter() = 0;
    // Shows the print dialog for the job; nothing when the person cancels it.
    virtual std::optional<PrintJob> RunDialog(const PrintJob& proposed, int pageCount) = 0;
    // Prints the pages of the job, each drawn as it is made; throws platform::Error when the printer fails.
    virtual void Print(const PrintJob& job, const PagedReport& report) = 0;

    // What F1 in the print dialog does (the dialog is a window of its own); none: nothing.
    void SetDialogHelp(std::function<void()> help) { m_dialogHelp = std::move(help); }

protected:
    const std::function<void()>& DialogHelp() const { return m_dialogHelp; }

private:
    std::function<void()> m_dialogHelp;
};

using PrintServicePtr = std::shared_ptr<PrintService>;

// The service every report uses; none until the program or a test sets one.
PrintServicePtr CurrentPrintService();
void SetPrintService(PrintServicePtr service);

} // namespace platform::reportengine
