#pragma once

// The engine's pages as a file, for the report bench's floor: a print service that writes each page
// it is given (runs and rules in points), and the bare loop that draws such a file into a PDF.

#include "platform/reportengine/PrintService.h"
#include "platform/reportengine/TextMeasure.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>

#include <map>
#include <tuple>

namespace bench {

class PageFileService final : public platform::reportengine::PrintService {
public:
    explicit PageFileService(QString path) : m_path(std::move(path)) {}
    int pages = 0;

    QStringList Printers() override { return {QStringLiteral("Pages")}; }
    platform::reportengine::PrinterInfo DefaultPrinter() override { return {QString(), QStringLiteral("Pages"), {}}; }
    std::optional<platform::reportengine::PrintJob> RunDialog(const platform::reportengine::PrintJob& job,
                                                              const platform::reportengine::PagedReport&) override {
        return job;
    }
    void Print(const platform::reportengine::PrintJob&, const platform::reportengine::PagedReport& report) override {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly))
            return;
        QDataStream out(&file);
        const platform::reportengine::Document& frame = report.Frame();
        out << frame.Title << int(frame.PageSizeId) << int(frame.Orientation);
        report.ForEachPage(0, 0, [&](const platform::reportengine::Page& page, int) {
            out << true << qint32(page.Runs.size());
            for (const auto& run : page.Runs)
                out << run.Rect << run.Text << run.Font.Size << run.Font.Bold << run.Font.Italic << int(run.Alignment);
            out << qint32(page.Rules.size());
            for (const auto& rule : page.Rules)
                out << rule.Segment << rule.Thickness;
            ++pages;
        });
        out << false;
    }

private:
    QString m_path;
};

// Draws the file's pages into a PDF at the engine's resolution, with its fonts; returns the pages
// drawn, -1 when a file cannot be opened.
inline int DrawPageFile(const QString& pagesPath, const QString& pdfPath) {
    QFile file(pagesPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QDataStream in(&file);
    QString title;
    int paper = 0, orientation = 0;
    in >> title >> paper >> orientation;
    QPdfWriter writer(pdfPath);
    writer.setTitle(title);
    writer.setResolution(720);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::PageSizeId(paper)), QPageLayout::Orientation(orientation),
                                     QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    constexpr double k = 10; // device pixels per point
    std::map<std::tuple<double, bool, bool>, QFont> fonts;
    int pages = 0;
    bool more = false;
    in >> more;
    QRectF rect;
    QString text;
    platform::reportengine::FontSpec spec;
    int align = 0;
    while (more) {
        if (pages++ > 0)
            writer.newPage();
        qint32 runs = 0, rules = 0;
        in >> runs;
        painter.setPen(Qt::black);
        for (qint32 i = 0; i < runs; ++i) {
            in >> rect >> text >> spec.Size >> spec.Bold >> spec.Italic >> align;
            auto [it, added] = fonts.try_emplace(std::make_tuple(spec.Size, spec.Bold, spec.Italic));
            if (added)
                it->second = platform::reportengine::MakeFont(spec, k);
            painter.setFont(it->second);
            const Qt::Alignment h = align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(
                QRectF(rect.x() * k, rect.y() * k, rect.width() * k + (align == 0 ? 2 * k : 0), rect.height() * k),
                h | Qt::AlignTop | Qt::TextSingleLine, text);
        }
        in >> rules;
        QLineF segment;
        double thickness = 0;
        for (qint32 i = 0; i < rules; ++i) {
            in >> segment >> thickness;
            QPen pen(Qt::black);
            pen.setWidthF(thickness * k);
            painter.setPen(pen);
            painter.drawLine(QLineF(segment.p1() * k, segment.p2() * k));
        }
        in >> more;
    }
    painter.end();
    return pages;
}

} // namespace bench
