#pragma once

#include "platform/com/Error.h"
#include "platform/reportengine/PagedReport.h"

#include <QString>
#include <QStringList>

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

// Which of the chosen pages print, counted by the report's own page numbers.
enum class PageSet { All, Odd, Even };

// Two-sided printing; a job that no dialog chose keeps the printer's own.
enum class Sides { PrinterDefault, OneSided, LongEdge, ShortEdge };

struct PrintJob {
    QString Printer = {};
    QString Title = {};
    int Copies = 1;
    bool Collated = false;
    int FromPage = 0; // 1-based; 0 for all
    int ToPage = 0;
    std::vector<PageSpan> Pages = {}; // the dialog's list of pages ("1,3-4"), in order; empty: FromPage..ToPage
    PageSet Set = PageSet::All;
    bool Reverse = false; // the last page first
    Sides TwoSided = Sides::PrinterDefault;
    bool Greyscale = false;
    // What the print server is told besides, as name, value, ...: the driver's choices, pages per sheet,
    // the job's options. Never a choice of pages: those are drawn by the program alone.
    QStringList ServerOptions = {};
    QString OutputFile = {}; // the dialog's "Print to File (PDF)": the PDF file; empty: the printer
    bool Prompted = false;   // the print dialog was shown

    // The pages to print as spans; one span 1..0 (to the last page) for all.
    std::vector<PageSpan> Spans() const;
};

// Where a job's pages go: a printer is told the copies and the order as the server's options, so that
// the report is made in one pass; a file is drawn with them.
enum class Output { Printer, File };

// The report's page numbers that a job draws, in the order drawn: the chosen pages (each once, in
// page order), the page set among them, then for a file the order and the copies (collated 1, 2, 1, 2;
// else 1, 1, 2, 2).
std::vector<int> PagesToDraw(const PrintJob& job, int pageCount, Output output);

// A print or export refused for a cause the person can mend, with what its message names: the report
// file cannot be written (PathNotFound; the file's folder), its disk is full (DiskFull; the file's
// folder), the dialog asked for pages the report lacks (SubscriptOutOfRange; the report's last page)
// or none of the pages chosen is of the page set chosen (InvalidArgument; the pages chosen).
class PrintRefused final : public Error {
public:
    PrintRefused(int32_t number, QString description, QString subject)
        : Error(number, std::move(description), QStringLiteral("ReportEngine")), m_subject(std::move(subject)) {}
    const QString& Subject() const { return m_subject; }

private:
    QString m_subject;
};

// Draws those pages of the report in that order: one pass over the report for each run of ascending
// pages, or, when the order turns back more often than there are copies (a reversed file), from the
// chosen pages held during one pass.
void ForEachPageOf(const PrintJob& job, const PagedReport& report, Output output,
                   const std::function<void(const Page& page, int number)>& draw);

class PrintService {
public:
    virtual ~PrintService();
    virtual QStringList Printers() = 0;
    virtual PrinterInfo DefaultPrinter() = 0;
    // Shows the print dialog for the job, on the report's paper; nothing when the person cancels it.
    virtual std::optional<PrintJob> RunDialog(const PrintJob& proposed, const PagedReport& report) = 0;
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
