#include "heading/FormHeading.h"

#include "heading/HeadingLayout.h"
#include "platform/com/Version.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

AMB_VERSION_MARKER(OrvFormHeadingVersion)

namespace orv {

namespace {

const QString kHeadingKey = QStringLiteral("Heading");
const QString kDescriptionKey = QStringLiteral("Description");
const QString kHeadingFontKey = QStringLiteral("HeadingFont");
const QString kDescriptionFontKey = QStringLiteral("DescriptionFont");
const QString kBackColorKey = QStringLiteral("BackColor");
const QString kHeadingColorKey = QStringLiteral("HeadingColor");
const QString kDescriptionColorKey = QStringLiteral("DescriptionColor");

QFont DesignFont(bool bold) {
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QFont& font) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(false);
    label->setFont(font);
    return label;
}

const QVariant* Find(const FormHeading::PropertyBag& bag, const QString& key) {
    for (const auto& entry : bag)
        if (entry.first == key)
            return &entry.second;
    return nullptr;
}

// Height of a caption wrapped to the label's width; an empty caption still takes one line.
int TextHeight(const QLabel* label, int widthPixels) {
    const QFontMetrics metrics(label->font());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(1, widthPixels), INT_MAX / 2),
                                              Qt::AlignLeft | Qt::TextWordWrap, label->text());
    return std::max(metrics.height(), bounds.height());
}

} // namespace

FormHeading::FormHeading(QWidget* parent)
    : QWidget(parent), m_lblHeading(MakeLabel(this, "lblHeading", kHeadingKey, DesignFont(true))),
      m_lblDescription(MakeLabel(this, "lblDescription", kDescriptionKey, DesignFont(false))), m_backColor(Qt::white) {
    SetTextColor(m_lblHeading, Qt::black);
    SetTextColor(m_lblDescription, Qt::black);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    Relayout();
}

FormHeading::~FormHeading() = default;

QString FormHeading::Heading() const {
    return m_lblHeading->text();
}

void FormHeading::SetHeading(const QString& value) {
    m_lblHeading->setText(value);
    Changed("Heading");
}

QString FormHeading::Description() const {
    return m_lblDescription->text();
}

void FormHeading::SetDescription(const QString& value) {
    m_lblDescription->setText(value);
    Changed("Description");
}

QFont FormHeading::HeadingFont() const {
    return m_lblHeading->font();
}

void FormHeading::SetHeadingFont(const QFont& value) {
    m_lblHeading->setFont(value);
    Changed("HeadingFont");
}

QFont FormHeading::DescriptionFont() const {
    return m_lblDescription->font();
}

void FormHeading::SetDescriptionFont(const QFont& value) {
    m_lblDescription->setFont(value);
    Changed("DescriptionFont");
}

void FormHeading::SetBackColor(const QColor& value) {
    m_backColor = value;
    Changed("BackColor");
}

QColor FormHeading::HeadingColor() const {
    return TextColor(m_lblHeading);
}

void FormHeading::SetHeadingColor(const QColor& value) {
    SetTextColor(m_lblHeading, value);
    Changed("HeadingColor");
}

QColor FormHeading::DescriptionColor() const {
    return TextColor(m_lblDescription);
}

void FormHeading::SetDescriptionColor(const QColor& value) {
    SetTextColor(m_lblDescription, value);
    Changed("DescriptionColor");
}

void FormHeading::ReadProperties(const PropertyBag& bag) {
    // Values go straight into the parts: no change notices, as a design being loaded is no change.
    const auto color = [&](const QString& key) {
        const QVariant* value = Find(bag, key);
        return value ? value->value<QColor>() : QColor(Qt::black);
    };
    const auto text = [&](const QString& key, const QString& fallback) {
        const QVariant* value = Find(bag, key);
        return value ? value->toString() : fallback;
    };
    const auto font = [&](const QString& key, QLabel* label) {
        if (const QVariant* value = Find(bag, key); value && value->canConvert<QFont>())
            label->setFont(value->value<QFont>());
    };

    m_backColor = color(kBackColorKey);
    m_lblDescription->setText(text(kDescriptionKey, kDescriptionKey));
    font(kDescriptionFontKey, m_lblDescription);
    SetTextColor(m_lblDescription, color(kDescriptionColorKey));
    m_lblHeading->setText(text(kHeadingKey, kHeadingKey));
    font(kHeadingFontKey, m_lblHeading);
    SetTextColor(m_lblHeading, color(kHeadingColorKey));
    // The host lays the control out after loading its design; here nothing else would.
    Relayout();
}

FormHeading::PropertyBag FormHeading::WriteProperties() const {
    return {
        {kBackColorKey, m_backColor},
        {kDescriptionKey, Description()},
        {kDescriptionFontKey, DescriptionFont()},
        {kDescriptionColorKey, DescriptionColor()},
        {kHeadingKey, Heading()},
        {kHeadingFontKey, HeadingFont()},
        {kHeadingColorKey, HeadingColor()},
    };
}

QSize FormHeading::sizeHint() const {
    // Tall enough that the heading ends at four tenths and the description fits under it.
    const int headingHeight = QFontMetrics(m_lblHeading->font()).height();
    const int descriptionHeight = QFontMetrics(m_lblDescription->font()).height();
    const double scale = logicalDpiY() / 96.0;
    const int height = static_cast<int>(std::ceil(std::max({
        64 * scale,
        (headingHeight + 6 * scale) / 0.4,
        (descriptionHeight + 10 * scale) / 0.6,
    })));
    return {400, height};
}

QSize FormHeading::minimumSizeHint() const {
    return {100, sizeHint().height()};
}

void FormHeading::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void FormHeading::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    const int bottom = height();
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, bottom - 2, width(), bottom - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, bottom - 1, width(), bottom - 1);
}

void FormHeading::Relayout() {
    const double twipsPerPixelX = 1440.0 / logicalDpiX();
    const double twipsPerPixelY = 1440.0 / logicalDpiY();
    const auto toPixelsX = [&](double twips) { return static_cast<int>(std::lround(twips / twipsPerPixelX)); };
    const auto toPixelsY = [&](double twips) { return static_cast<int>(std::lround(twips / twipsPerPixelY)); };

    const double widthTwips = std::round(width() * twipsPerPixelX);
    const double heightTwips = std::round(height() * twipsPerPixelY);
    // Measure with the widths the labels will get, so a wrapped caption is measured as shown.
    const HeadingLayout widths = ComputeHeadingLayout(widthTwips, heightTwips, 0, 0, twipsPerPixelY);
    const int headingHeight = TextHeight(m_lblHeading, toPixelsX(widths.heading.width()));
    const int descriptionHeight = TextHeight(m_lblDescription, toPixelsX(widths.description.width()));

    const HeadingLayout layout = ComputeHeadingLayout(widthTwips, heightTwips, headingHeight * twipsPerPixelY,
                                                      descriptionHeight * twipsPerPixelY, twipsPerPixelY);
    const auto place = [&](QLabel* label, const QRectF& twips) {
        label->setGeometry(toPixelsX(twips.left()), toPixelsY(twips.top()), toPixelsX(twips.width()),
                           toPixelsY(twips.height()));
    };
    place(m_lblHeading, layout.heading);
    place(m_lblDescription, layout.description);
    update();
}

void FormHeading::Changed(const char* name) {
    Relayout();
    Q_EMIT PropertyChanged(QString::fromLatin1(name));
}

QColor FormHeading::TextColor(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

void FormHeading::SetTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace orv
