#include "platform/reportengine/SystemPrintService.h"

#include "platform/com/Error.h"
#include "platform/reportengine/Render.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
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
    // The program draws only the pages asked for; this printer carries none of the dialog's page
    // options, so that the print server does not choose pages a second time among those it is sent.
}

// Qt 6.4's dialog weighs a Pages text by the range the printer held when it opened, not by the text:
// a text that names no pages would print every page. It is refused as Qt refuses it without a range.
class PrintDialog final : public QPrintDialog {
public:
    using QPrintDialog::QPrintDialog;

    void accept() override {
        const auto* pages = findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
        const auto* text = findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"));
        if (pages && text && pages->isChecked() && QPageRanges::fromString(text->text()).isEmpty()) {
            QMessageBox::critical(this, tr("Invalid Pages Definition"),
                                  tr("%1 does not follow the correct syntax. Please use ',' to separate "
                                     "ranges and pages, '-' to define ranges and make sure ranges do "
                                     "not intersect with each other.")
                                      .arg(text->text()),
                                  QMessageBox::Ok, QMessageBox::Ok);
            return;
        }
        QPrintDialog::accept();
    }
};

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
    // The dialog's Pages box takes a text only when the printer holds a range before it opens.
    const int last = std::max(1, pageCount);
    printer.setFromTo(1, last);
    PrintDialog dialog(&printer);
    dialog.setMinMax(1, last);
    if (DialogHelp())
        QObject::connect(new QShortcut(QKeySequence::HelpContents, &dialog), &QShortcut::activated, &dialog,
                         DialogHelp());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintJob job = proposed;
    // "Print to File (PDF)" hands back PDF output, the file and no printer name.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        job.Printer.clear();
        job.OutputFile = printer.outputFileName();
    } else {
        job.Printer = printer.printerName();
    }
    job.Copies = printer.copyCount();
    job.Collated = printer.collateCopies();
    job.FromPage = job.ToPage = 0;
    // "Pages from/to" and the Pages box ("1,3-4") both end as a list of ranges.
    if (printer.printRange() == QPrinter::PageRange)
        for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
            job.Pages.push_back(PageSpan{.First = range.from, .Last = range.to});
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
    ForEachPageOf(job, report, [&](const Page& page, int) {
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
