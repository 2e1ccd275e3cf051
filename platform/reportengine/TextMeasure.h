#pragma once

#include "platform/reportengine/Definition.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

#include <map>
#include <memory>
#include <unordered_map>

namespace platform::reportengine {

// The one font family list of every report: DejaVu Sans, with NanumGothic for Hangul.
QFont MakeFont(const FontSpec& spec, double pixelsPerPoint);

// Measures text in points, independent of any screen: fonts are measured at 20 pixels per point.
class TextMeasure {
public:
    double LineHeight(const FontSpec& spec);
    double Width(const QString& text, const FontSpec& spec);
    // The text broken into lines no wider than `width`: at spaces; a word wider than the width alone
    // after a punctuation mark that leaves three characters or more on each side, else between
    // characters. Without wrapping, its first line elided to the width. Never an empty list.
    QStringList Lines(const QString& text, const FontSpec& spec, double width, bool wrap);
    QString Elided(const QString& text, const FontSpec& spec, double width);
    // The characters measured so far: wrapping measures each character of a paragraph a few times at
    // most, however long the paragraph.
    qint64 MeasuredCharacters() const { return m_measured; }

private:
    struct Entry {
        QFont Font;
        std::unique_ptr<QFontMetricsF> Metrics;
        std::unordered_map<char32_t, double> Advances; // measuring pixels
    };
    QStringList Wrapped(const QString& paragraph, Entry& font, double width);
    qsizetype FittingEnd(const QString& text, qsizetype from, Entry& font, double limit);
    double ExactWidth(QStringView text, const Entry& font);
    Entry& For(const FontSpec& spec);
    std::map<std::tuple<double, bool, bool>, Entry> m_fonts;
    qint64 m_measured = 0;
};

} // namespace platform::reportengine
