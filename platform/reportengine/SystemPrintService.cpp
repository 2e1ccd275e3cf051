#include "platform/reportengine/SystemPrintService.h"

#include "platform/com/Error.h"
#include "platform/reportengine/PrintDialog.h"
#include "platform/reportengine/Render.h"

#include <QPageRanges>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QShortcut>

namespace platform::reportengine {

namespace {

// Where Qt's CUPS engine keeps the options it sends the print server, as name, value, ... (its
// PPK_CupsOptions): the print dialog leaves the driver's choices, pages per sheet and job options there.
const auto kServerOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
// The options by which the server would choose pages among those it is sent.
const QStringList kPageOptions = {QStringLiteral("page-ranges"), QStringLiteral("page-set")};

constexpr struct {
    Sides sides;
    QPrinter::DuplexMode duplex;
} kSides[] = {
    {.sides = Sides::OneSided, .duplex = QPrinter::DuplexNone},
    {.sides = Sides::LongEdge, .duplex = QPrinter::DuplexLongSide},
    {.sides = Sides::ShortEdge, .duplex = QPrinter::DuplexShortSide},
};

// The report's paper, drawn in full-page coordinates. Size and orientation are set apart: a layout
// with the report's margins or none is refused by a printer whose printable area is smaller.
void SetPaper(QPrinter& printer, const Document& doc) {
    printer.setPageSize(QPageSize(doc.PageSizeId));
    printer.setPageOrientation(doc.Orientation);
    printer.setFullPage(true);
}

void SetUp(QPrinter& printer, const PrintJob& job, const Document& doc) {
    printer.setPrinterName(job.Printer);
    printer.setDocName(job.Title);
    SetPaper(printer, doc);
    printer.setCopyCount(job.Copies);
    printer.setCollateCopies(job.Collated);
    for (const auto& known : kSides)
        if (known.sides == job.TwoSided)
            printer.setDuplex(known.duplex);
    if (job.Greyscale)
        printer.setColorMode(QPrinter::GrayScale);
    // The server reverses the pages it is sent (Qt's engine sends no order), as it makes the copies.
    QStringList options = job.ServerOptions;
    if (job.Reverse)
        options << QStringLiteral("outputorder") << QStringLiteral("reverse");
    if (!options.isEmpty())
        printer.printEngine()->setProperty(kServerOptions, options);
}

// The server's options the dialog left, less those that choose pages: the program draws only the
// pages asked for, so the server must not choose among them a second time.
QStringList ServerOptions(QPrinter& printer) {
    const QStringList all = printer.printEngine()->property(kServerOptions).toStringList();
    QStringList options;
    for (qsizetype i = 0; i + 1 < all.size(); i += 2)
        if (!kPageOptions.contains(all[i]))
            options << all[i] << all[i + 1];
    return options;
}

} // namespace

QStringList SystemPrintService::Printers() {
    return QPrinterInfo::availablePrinterNames();
}

PrinterInfo SystemPrintService::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {};
    return PrinterInfo{QStringLiteral("CUPS"), info.printerName(), QString()};
}

std::optional<PrintJob> SystemPrintService::RunDialog(const PrintJob& proposed, const PagedReport& report) {
    QPrinter printer(QPrinter::HighResolution);
    if (!proposed.Printer.isEmpty())
        printer.setPrinterName(proposed.Printer);
    SetPaper(printer, report.Frame());
    printer.setCopyCount(proposed.Copies);
    // The dialog's Pages box takes a text only when the printer holds a range before it opens.
    const int last = std::max(1, report.PageCount());
    printer.setFromTo(1, last);
    PrintDialog dialog(&printer, QPageSize(report.Frame().PageSizeId), report.Frame().Orientation);
    dialog.setMinMax(1, last);
    if (DialogHelp())
        QObject::connect(new QShortcut(QKeySequence::HelpContents, &dialog), &QShortcut::activated, &dialog,
                         DialogHelp());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintJob job = proposed;
    // "Print to File (PDF)" hands back PDF output, the file and no printer name; a file has no sides
    // and no server.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        job.Printer.clear();
        job.OutputFile = printer.outputFileName();
    } else {
        job.Printer = printer.printerName();
        for (const auto& known : kSides)
            if (known.duplex == printer.duplex())
                job.TwoSided = known.sides;
        job.ServerOptions = ServerOptions(printer);
    }
    job.Copies = printer.copyCount();
    job.Collated = printer.collateCopies();
    job.FromPage = job.ToPage = 0;
    // "Pages from/to" and the Pages box ("1,3-4") both end as a list of ranges.
    if (printer.printRange() == QPrinter::PageRange)
        for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
            job.Pages.push_back(PageSpan{.First = range.from, .Last = range.to});
    job.Set = dialog.ChosenPageSet();
    job.Reverse = printer.pageOrder() == QPrinter::LastPageFirst;
    // The driver's colour model is among the server's options; Qt sets greyscale from it only when
    // the model is named "Gray", and from the dialog's own choice for a file (whose pages are black).
    job.Greyscale = printer.colorMode() == QPrinter::GrayScale;
    return job;
}

void SystemPrintService::Print(const PrintJob& job, const PagedReport& report) {
    QPrinter printer(QPrinter::HighResolution);
    SetUp(printer, job, report.Frame());
    if (!printer.isValid())
        throw Error(ErrorNumber::Unspecified, QStringLiteral("The printer \"%1\" is not available").arg(job.Printer),
                    QStringLiteral("ReportEngine"));
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(ErrorNumber::Unspecified, QStringLiteral("Cannot print on \"%1\"").arg(job.Printer),
                    QStringLiteral("ReportEngine"));
    const double k = printer.resolution() / 72.0;
    bool first = true;
    ForEachPageOf(job, report, Output::Printer, [&](const Page& page, int) {
        if (!first)
            printer.newPage();
        first = false;
        DrawPage(painter, page, k);
    });
    if (!painter.end())
        throw Error(ErrorNumber::Unspecified, QStringLiteral("Printing on \"%1\" failed").arg(job.Printer),
                    QStringLiteral("ReportEngine"));
}

} // namespace platform::reportengine
