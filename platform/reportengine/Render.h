#pragma once

#include "platform/reportengine/Document.h"
#include "platform/reportengine/PagedReport.h"

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>

#include <memory>

namespace platform::reportengine {

// Draws one page at `pixelsPerPoint` from the device's top left corner (the device has no margins).
void DrawPage(QPainter& painter, const Page& page, double pixelsPerPoint);

// The pages from..to (1-based, inclusive; 0 for all) as PDF, fonts embedded, titled with the report's
// name. `copies` repeats the range. Throws platform::Error when the device cannot be written.
void WritePdf(const Document& doc, QIODevice& device, int fromPage = 0, int toPage = 0, int copies = 1);
// The same for a report made page by page: each page is drawn and written as it is laid out.
void WritePdf(const PagedReport& report, QIODevice& device, int fromPage = 0, int toPage = 0, int copies = 1);

// A PDF written one page at a time, on the paper of the frame.
class PdfPages {
public:
    PdfPages(const Document& frame, QIODevice& device); // throws platform::Error when it cannot be written
    void Add(const Page& page);
    void Finish();

private:
    QPdfWriter m_writer;
    QPainter m_painter;
    bool m_empty = true;
};

// The document as RTF: paper and margins, page numbers in header and footer, tables with repeated
// heading rows, label sheets as fixed rows with a page break after each sheet.
QByteArray WriteRtf(const Document& doc);
// The report as RTF in one pass, each block written to the device as it is laid out.
void WriteRtf(const LayoutInput& input, QIODevice& device);

} // namespace platform::reportengine
