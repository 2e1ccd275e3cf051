#pragma once

#include "platform/reportengine/Definition.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

#include <map>
#include <memory>

namespace platform::reportengine {

// The one font family list of every report: DejaVu Sans, with NanumGothic for Hangul.
QFont MakeFont(const FontSpec& spec, double pixelsPerPoint);

// Measures text in points, independent of any screen: fonts are measured at 20 pixels per point.
class TextMeasure {
public:
    double LineHeight(const FontSpec& spec);
    double Width(const QString& text, const FontSpec& spec);
    // The text broken into lines no wider than `width`, at spaces and marks where it can and inside a
    // word only when the word alone is wider; without wrapping, its first line elided to the width.
    // Never an empty list.
    QStringList Lines(const QString& text, const FontSpec& spec, double width, bool wrap);
    QString Elided(const QString& text, const FontSpec& spec, double width);

private:
    QStringList Wrapped(const QString& paragraph, const FontSpec& spec, double width);
    struct Entry {
        QFont Font;
        std::unique_ptr<QFontMetricsF> Metrics;
    };
    Entry& For(const FontSpec& spec);
    std::map<std::tuple<double, bool, bool>, Entry> m_fonts;
};

} // namespace platform::reportengine
