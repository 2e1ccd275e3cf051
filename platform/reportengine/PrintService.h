#pragma once

#include "platform/com/Error.h"
#include "platform/reportengine/PagedReport.h"

#include <QString>

#include <functional>

#include <memory>
#include <optional>
#include <vector>

namespace platform::reportengine {

// The platform's printers: what the report engine asks of them. The real one works through
// QPrinterInfo, QPrintDialog and QPrinter (CUPS); tests put one in that writes PDF files.
struct PrinterInfo {
    QString Driver;
    QString Device; // the printer's name; empty: no printer
    QString Port;
};

// Pages first..last of a report, 1-based, inclusive.
struct PageSpan {
    int First = 1;
    int Last = 1;
};

struct PrintJob {
    QString Printer;
    QString Title;
    int Copies = 1;
    bool Collated = false;
    int FromPage = 0; // 1-based; 0 for all
    int ToPage = 0;
    std::vector<PageSpan> Pages; // the dialog's list of pages ("1,3-4"), in order; empty: FromPage..ToPage
    QString OutputFile;          // the dialog's "Print to File (PDF)": the PDF file; empty: the printer
    bool Prompted = false;       // the print dialog was shown

    // The pages to print as spans; one span 1..0 (to the last page) for all.
    std::vector<PageSpan> Spans() const;
    // Whether page `number` is one of them.
    bool Includes(int number) const;
};

// A print or export refused for a cause the person can mend, with what its message names: the report
// file cannot be written (PathNotFound; the file's folder), its disk is full (DiskFull; the file's
// folder) or the dialog asked for pages the report lacks (SubscriptOutOfRange; the report's last page).
class PrintRefused final : public Error {
public:
    PrintRefused(int32_t number, QString description, QString subject)
        : Error(number, std::move(description), QStringLiteral("ReportEngine")), m_subject(std::move(subject)) {}
    const QString& Subject() const { return m_subject; }

private:
    QString m_subject;
};

// Draws the job's pages of the report in order, in one pass.
void ForEachPageOf(const PrintJob& job, const PagedReport& report,
                   const std::function<void(const Page& page, int number)>& draw);

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
