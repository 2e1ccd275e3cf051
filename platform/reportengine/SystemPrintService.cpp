#include "platform/reportengine/SystemPrintService.h"

#include "platform/com/Error.h"
#include "platform/reportengine/Render.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QShortcut>

namespace platform::reportengine {

namespace {

void SetUp(QPrinter& printer, const PrintJob& job, const Document& doc) {
    printer.setPrinterName(job.Printer);
    printer.setDocName(job.Title);
    printer.setFullPage(true); // the pages are drawn in full-page coordinates
    printer.setPageLayout(QPageLayout(QPageSize(doc.PageSizeId), doc.Orientation, QMarginsF(0, 0, 0, 0)));
    printer.setCopyCount(job.Copies);
    printer.setCollateCopies(job.Collated);
    if (job.FromPage > 0)
        printer.setFromTo(job.FromPage, std::max(job.FromPage, job.ToPage));
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

std::optional<PrintJob> SystemPrintService::RunDialog(const PrintJob& proposed, int pageCount) {
    QPrinter printer(QPrinter::HighResolution);
    if (!proposed.Printer.isEmpty())
        printer.setPrinterName(proposed.Printer);
    printer.setCopyCount(proposed.Copies);
    QPrintDialog dialog(&printer);
    dialog.setMinMax(1, std::max(1, pageCount));
    if (DialogHelp())
        QObject::connect(new QShortcut(QKeySequence::HelpContents, &dialog), &QShortcut::activated, &dialog,
                         DialogHelp());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintJob job = proposed;
    job.Printer = printer.printerName();
    job.Copies = printer.copyCount();
    job.Collated = printer.collateCopies();
    if (printer.printRange() == QPrinter::PageRange) {
        job.FromPage = printer.fromPage();
        job.ToPage = printer.toPage();
    }
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
    report.ForEachPage(job.FromPage, job.ToPage, [&](const Page& page, int) {
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
