#include "platform/reportengine/Render.h"

#include "platform/com/Error.h"
#include "platform/reportengine/TextMeasure.h"

#include <QPdfWriter>

#include <cmath>
#include <map>
#include <tuple>

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
    // A page holds a few fonts and hundreds of runs: each font is made once, and set only when it changes.
    std::map<std::tuple<double, bool, bool>, QFont> fonts;
    const QFont* current = nullptr;
    for (const TextRun& run : page.Runs) {
        auto [font, added] = fonts.try_emplace(std::make_tuple(run.Font.Size, run.Font.Bold, run.Font.Italic));
        if (added)
            font->second = MakeFont(run.Font, k);
        if (current != &font->second) {
            painter.setFont(font->second);
            current = &font->second;
        }
        // A little room at the right: rounding at the device's resolution must not wrap or clip a run.
        QRectF rect = Scaled(run.Rect, k);
        if (run.Alignment == Align::Left)
            rect.setWidth(rect.width() + 2 * k);
        painter.drawText(rect, ToQt(run.Alignment) | Qt::TextSingleLine, run.Text);
    }
}

PdfPages::PdfPages(const Document& frame, QIODevice& device) : m_writer(&device) {
    m_writer.setTitle(frame.Title);
    m_writer.setCreator(QStringLiteral("Ambrel"));
    m_writer.setResolution(720);
    m_writer.setPageLayout(QPageLayout(QPageSize(frame.PageSizeId), frame.Orientation, QMarginsF(0, 0, 0, 0)));
    if (!m_painter.begin(&m_writer))
        throw Error(ErrorNumber::Unspecified, QStringLiteral("Cannot write the PDF file"),
                    QStringLiteral("ReportEngine"));
}

void PdfPages::Add(const Page& page) {
    if (!m_empty)
        m_writer.newPage();
    m_empty = false;
    DrawPage(m_painter, page, 10);
}

void PdfPages::Finish() {
    m_painter.end();
}

void WritePdf(const Document& doc, QIODevice& device, int fromPage, int toPage, int copies) {
    PdfPages pdf(doc, device);
    const int first = fromPage > 0 ? fromPage : 1;
    const int last =
        toPage > 0 ? std::min<int>(toPage, static_cast<int>(doc.Pages.size())) : static_cast<int>(doc.Pages.size());
    for (int c = 0; c < std::max(1, copies); ++c)
        for (int p = first; p <= last; ++p)
            pdf.Add(doc.Pages[p - 1]);
    pdf.Finish();
}

void WritePdf(const PagedReport& report, QIODevice& device, int fromPage, int toPage, int copies) {
    PdfPages pdf(report.Frame(), device);
    for (int c = 0; c < std::max(1, copies); ++c)
        report.ForEachPage(fromPage, toPage, [&pdf](const Page& page, int) { pdf.Add(page); });
    pdf.Finish();
}

} // namespace platform::reportengine
