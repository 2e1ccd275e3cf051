#include "platform/reportengine/TextMeasure.h"

#include <QTextLayout>

#include <cmath>

namespace platform::reportengine {

namespace {
constexpr double kScale = 20; // measuring pixels per point
}

QFont MakeFont(const FontSpec& spec, double pixelsPerPoint) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(spec.Size * pixelsPerPoint))));
    font.setBold(spec.Bold);
    font.setItalic(spec.Italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

TextMeasure::Entry& TextMeasure::For(const FontSpec& spec) {
    auto key = std::make_tuple(spec.Size, spec.Bold, spec.Italic);
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) {
        Entry e;
        e.Font = MakeFont(spec, kScale);
        e.Metrics = std::make_unique<QFontMetricsF>(e.Font);
        it = m_fonts.emplace(key, std::move(e)).first;
    }
    return it->second;
}

double TextMeasure::LineHeight(const FontSpec& spec) { return For(spec).Metrics->lineSpacing() / kScale; }

double TextMeasure::Width(const QString& text, const FontSpec& spec) {
    return For(spec).Metrics->horizontalAdvance(text) / kScale;
}

QString TextMeasure::Elided(const QString& text, const FontSpec& spec, double width) {
    return For(spec).Metrics->elidedText(text, Qt::ElideRight, width * kScale);
}

QStringList TextMeasure::Lines(const QString& text, const FontSpec& spec, double width, bool wrap) {
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    if (!wrap)
        return {Elided(paragraphs.front(), spec, width)};
    QStringList lines;
    Entry& e = For(spec);
    for (const QString& paragraph : paragraphs) {
        if (e.Metrics->horizontalAdvance(paragraph) <= width * kScale) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, e.Font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width * kScale);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

} // namespace platform::reportengine
