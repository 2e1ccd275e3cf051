#include "platform/reportengine/TextMeasure.h"

#include <cmath>

namespace platform::reportengine {

namespace {

constexpr double kScale = 20;        // measuring pixels per point
constexpr qsizetype kLeastPiece = 3; // characters each part of a word parted at a mark keeps

// A word too wide for its cell may end a line after a punctuation mark ("Rutherford-", "office.",
// "1/2"), never after an opening one.
bool PartsAfter(QChar c) {
    return c.isPunct() && c.category() != QChar::Punctuation_Open && c.category() != QChar::Punctuation_InitialQuote;
}

// The code units of the character at `i`: two for a surrogate pair.
qsizetype CharLength(const QString& s, qsizetype i) {
    return s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
}

// At least `kLeastPiece` characters of the same word from `at` on.
bool WordGoesOn(const QString& s, qsizetype at) {
    if (at + kLeastPiece > s.size())
        return false;
    for (qsizetype i = at; i < at + kLeastPiece; ++i)
        if (s[i].isSpace())
            return false;
    return true;
}

// Where a line that holds the characters from `pos` to `far` (the first that no longer fits) ends:
// at its last space; for a word wider than the line, after its last mark that leaves three characters
// on each side; else at `far`, between two characters.
qsizetype LineEnd(const QString& p, qsizetype pos, qsizetype far) {
    if (far >= p.size())
        return p.size();
    for (qsizetype e = far; e > pos; --e)
        if (p[e].isSpace() && !p[e - 1].isSpace())
            return e;
    for (qsizetype e = far; e - pos >= kLeastPiece; --e)
        if (PartsAfter(p[e - 1]) && WordGoesOn(p, e))
            return e;
    qsizetype end = far;
    while (end > pos + 1 && (p[end].isMark() || p[end].isLowSurrogate()))
        --end; // an accent stays with its letter, a surrogate pair whole
    return end > pos ? end : pos + CharLength(p, pos);
}

// Whether the advances of the text's single characters add up to its drawn width: so for the scripts
// that are set without any shaping (Latin, Greek, Cyrillic, Hangul and common punctuation); scripts that
// are shaped all the same (Arabic, Indic, Thai, ...) and combining marks are measured whole.
bool AdvancesAddUp(QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool plain = (u < 0x0590 && (u < 0x0300 || u > 0x036F)) || (u >= 0x2010 && u <= 0x2027) ||
                           (u >= 0x20A0 && u <= 0x20BF) || (u >= 0xAC00 && u <= 0xD7A3);
        if (!plain)
            return false;
    }
    return true;
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

// Only the part that can show is handed to the elider, which measures all it is given: a value of a
// megabyte costs no more than a line.
QString TextMeasure::Elided(const QString& text, const FontSpec& spec, double width) {
    Entry& font = For(spec);
    qsizetype shown = FittingEnd(text, 0, font, width * kScale) + 2 * kLeastPiece;
    if (shown < text.size() && text[shown].isLowSurrogate())
        ++shown;
    return font.Metrics->elidedText(text.left(shown), Qt::ElideRight, width * kScale);
}

QStringList TextMeasure::Lines(const QString& text, const FontSpec& spec, double width, bool wrap) {
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    if (!wrap)
        return {Elided(paragraphs.front(), spec, width)};
    Entry& font = For(spec);
    QStringList lines;
    for (const QString& paragraph : paragraphs)
        lines << Wrapped(paragraph, font, width);
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

// Past the last character from `from` on that still fits in `limit`, adding the advances of single
// characters (the text is set without shaping, so they add up to the drawn width); a space may hang
// past the edge. Each character is measured once per line it is tried on.
qsizetype TextMeasure::FittingEnd(const QString& text, qsizetype from, Entry& font, double limit) {
    double width = 0;
    qsizetype e = from;
    while (e < text.size()) {
        const qsizetype length = CharLength(text, e);
        const char32_t code = length == 2 ? QChar::surrogateToUcs4(text[e], text[e + 1]) : text[e].unicode();
        auto it = font.Advances.find(code);
        if (it == font.Advances.end())
            it = font.Advances.emplace(code, font.Metrics->horizontalAdvance(text.mid(e, length))).first;
        ++m_measured;
        width += it->second;
        if (width > limit && !text[e].isSpace())
            break;
        e += length;
    }
    return e;
}

double TextMeasure::ExactWidth(QStringView text, const Entry& font) {
    m_measured += text.size();
    return font.Metrics->horizontalAdvance(text.toString());
}

// Greedy lines, each as long as fits. Unless the advances add up, every line is measured whole once more
// before it is taken, so a sum of advances that falls short of the drawn width only moves its end back.
QStringList TextMeasure::Wrapped(const QString& paragraph, Entry& font, double width) {
    const double limit = width * kScale;
    const qsizetype n = paragraph.size();
    const bool exact = AdvancesAddUp(paragraph);
    if (FittingEnd(paragraph, 0, font, limit) >= n && (exact || ExactWidth(paragraph, font) <= limit))
        return {paragraph};
    QStringList lines;
    qsizetype pos = 0;
    while (pos < n) {
        while (pos < n && paragraph[pos].isSpace())
            ++pos;
        if (pos >= n)
            break;
        qsizetype end = LineEnd(paragraph, pos, FittingEnd(paragraph, pos, font, limit));
        while (!exact && end - pos > CharLength(paragraph, pos) &&
               ExactWidth(QStringView(paragraph).mid(pos, end - pos).trimmed(), font) > limit)
            end = LineEnd(paragraph, pos, end - 1);
        lines << paragraph.mid(pos, end - pos).trimmed();
        pos = end;
    }
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

} // namespace platform::reportengine
