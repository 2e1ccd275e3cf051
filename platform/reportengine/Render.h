#pragma once

#include "platform/reportengine/Document.h"

#include <QIODevice>
#include <QPainter>

namespace platform::reportengine {

// Draws one page at `pixelsPerPoint` from the device's top left corner (the device has no margins).
void DrawPage(QPainter& painter, const Page& page, double pixelsPerPoint);

// The pages from..to (1-based, inclusive; 0 for all) as PDF, fonts embedded, titled with the report's
// name. `copies` repeats the range. Throws platform::Error when the device cannot be written.
void WritePdf(const Document& doc, QIODevice& device, int fromPage = 0, int toPage = 0, int copies = 1);

// The document as RTF: paper and margins, page numbers in header and footer, tables with repeated
// heading rows, label sheets as fixed rows with a page break after each sheet.
QByteArray WriteRtf(const Document& doc);

} // namespace platform::reportengine
