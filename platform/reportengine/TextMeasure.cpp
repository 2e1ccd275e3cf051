#include "platform/reportengine/TextMeasure.h"

#include <cmath>

namespace platform::reportengine {

namespace {

constexpr double kScale = 20; // measuring pixels per point

// Where a line may end inside a word: after these, so "Rutherford-" and "1/2" keep their mark...
bool BreaksAfter(QChar c) {
    return c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char(',') || c == QLatin1Char(';') ||
           c == QLatin1Char(')');
}
// ...and before these, so an address reads "Shannon.Rutherford" / "@hotmail.com".
bool BreaksBefore(QChar c) {
    return c == QLatin1Char('@') || c == QLatin1Char('.') || c == QLatin1Char('_') || c == QLatin1Char('(');
}

} // namespace

QFont MakeFont(const FontSpec& spec, double pixelsPerPoint) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(spec.Size * pixelsPerPoint))));
    font.setBold(spec.Bold);
    font.setItalic(spec.Italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No shaping: shaped Latin text gets ligature glyphs ("fi" as one), which a PDF reader then copies as
    // U+FB01 instead of the two letters typed. Measuring and drawing share this font, so widths agree.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
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

double TextMeasure::LineHeight(const FontSpec& spec) {
    return For(spec).Metrics->lineSpacing() / kScale;
}

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
    for (const QString& paragraph : paragraphs)
        lines << Wrapped(paragraph, spec, width);
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

// Greedy lines: each as long as fits, ending at a space or a mark; a word wider than the width alone is
// split between characters.
QStringList TextMeasure::Wrapped(const QString& paragraph, const FontSpec& spec, double width) {
    const QFontMetricsF& m = *For(spec).Metrics;
    const double limit = width * kScale;
    if (m.horizontalAdvance(paragraph) <= limit)
        return {paragraph};
    auto fits = [&](qsizetype from, qsizetype to) {
        return m.horizontalAdvance(QStringView(paragraph).mid(from, to - from).trimmed().toString()) <= limit;
    };
    QStringList lines;
    const qsizetype n = paragraph.size();
    qsizetype pos = 0;
    while (pos < n) {
        while (pos < n && paragraph[pos].isSpace())
            ++pos;
        if (pos >= n)
            break;
        if (fits(pos, n)) {
            lines << paragraph.mid(pos).trimmed();
            break;
        }
        qsizetype best = -1;
        for (qsizetype e = pos + 1; e < n; ++e) {
            const QChar before = paragraph[e - 1], at = paragraph[e];
            const bool opportunity =
                (at.isSpace() && !before.isSpace()) || BreaksAfter(before) || (BreaksBefore(at) && !before.isSpace());
            if (!opportunity)
                continue;
            if (!fits(pos, e))
                break;
            best = e;
        }
        if (best < 0) {
            // No break fits: as many characters as fit, at least one, never half a surrogate pair.
            best = pos + 1;
            while (best < n && fits(pos, best + 1))
                ++best;
            if (best < n && paragraph[best].isLowSurrogate())
                best = best - 1 > pos ? best - 1 : best + 1;
        }
        lines << paragraph.mid(pos, best - pos).trimmed();
        pos = best;
    }
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

} // namespace platform::reportengine
