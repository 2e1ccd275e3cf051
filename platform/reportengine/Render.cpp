#include "platform/reportengine/Render.h"

#include "platform/com/Error.h"
#include "platform/reportengine/TextMeasure.h"

#include <QPdfWriter>

#include <cmath>

namespace platform::reportengine {

namespace {

Qt::Alignment ToQt(Align a) {
    switch (a) {
    case Align::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QRectF Scaled(const QRectF& r, double k) {
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

} // namespace

void DrawPage(QPainter& painter, const Page& page, double k) {
    for (const Rule& rule : page.Rules) {
        QPen pen(Qt::black);
        pen.setWidthF(rule.Thickness * k);
        painter.setPen(pen);
        painter.drawLine(QLineF(rule.Segment.p1() * k, rule.Segment.p2() * k));
    }
    painter.setPen(Qt::black);
    for (const TextRun& run : page.Runs) {
        painter.setFont(MakeFont(run.Font, k));
        // A little room at the right: rounding at the device's resolution must not wrap or clip a run.
        QRectF rect = Scaled(run.Rect, k);
        if (run.Alignment == Align::Left)
            rect.setWidth(rect.width() + 2 * k);
        painter.drawText(rect, ToQt(run.Alignment) | Qt::TextSingleLine, run.Text);
    }
}

void WritePdf(const Document& doc, QIODevice& device, int fromPage, int toPage, int copies) {
    QPdfWriter writer(&device);
    writer.setTitle(doc.Title);
    writer.setCreator(QStringLiteral("Ambrel"));
    writer.setResolution(720);
    writer.setPageLayout(QPageLayout(QPageSize(doc.PageSizeId), doc.Orientation, QMarginsF(0, 0, 0, 0)));
    const int first = fromPage > 0 ? fromPage : 1;
    const int last =
        toPage > 0 ? std::min<int>(toPage, static_cast<int>(doc.Pages.size())) : static_cast<int>(doc.Pages.size());
    QPainter painter;
    if (!painter.begin(&writer))
        throw Error(ErrorNumber::Unspecified, QStringLiteral("Cannot write the PDF file"),
                    QStringLiteral("ReportEngine"));
    bool firstPage = true;
    for (int c = 0; c < std::max(1, copies); ++c) {
        for (int p = first; p <= last; ++p) {
            if (!firstPage)
                writer.newPage();
            firstPage = false;
            DrawPage(painter, doc.Pages[p - 1], 10);
        }
    }
    painter.end();
}

} // namespace platform::reportengine
