#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QWidget>

class QLabel;

namespace orv {

// The banner across the top of a window: a bold heading, a description under it and an etched line
// along the bottom edge. Windows set Heading and Description at run time; the rest keeps its design.
// Texts are shown as plain text, never interpreted as markup.
class FormHeading : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Heading READ Heading WRITE SetHeading)
    Q_PROPERTY(QString Description READ Description WRITE SetDescription)
    Q_PROPERTY(QFont HeadingFont READ HeadingFont WRITE SetHeadingFont)
    Q_PROPERTY(QFont DescriptionFont READ DescriptionFont WRITE SetDescriptionFont)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(QColor HeadingColor READ HeadingColor WRITE SetHeadingColor)
    Q_PROPERTY(QColor DescriptionColor READ DescriptionColor WRITE SetDescriptionColor)

public:
    // Stored design values, in the order they are written: "BackColor", "Description",
    // "DescriptionFont", "DescriptionColor", "Heading", "HeadingFont", "HeadingColor".
    using PropertyBag = QList<QPair<QString, QVariant>>;

    // A new instance: "Heading" in bold 8-point Tahoma and "Description" in normal 8-point Tahoma,
    // both black on white.
    explicit FormHeading(QWidget* parent = nullptr);
    ~FormHeading() override;

    QString Heading() const;
    void SetHeading(const QString& value);
    QString Description() const;
    void SetDescription(const QString& value);
    QFont HeadingFont() const;
    void SetHeadingFont(const QFont& value);
    QFont DescriptionFont() const;
    void SetDescriptionFont(const QFont& value);
    QColor BackColor() const { return m_backColor; }
    void SetBackColor(const QColor& value);
    QColor HeadingColor() const;
    void SetHeadingColor(const QColor& value);
    QColor DescriptionColor() const;
    void SetDescriptionColor(const QColor& value);

    // Restores a stored design: a missing caption falls back to "Heading" / "Description", a missing
    // colour reads as black, a missing font keeps the current one.
    void ReadProperties(const PropertyBag& bag);
    // Every key is written, defaults included.
    PropertyBag WriteProperties() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // Sent after a property assignment, with the property's name ("Heading", "BackColor", ...).
    void PropertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Relayout();
    void Changed(const char* name);
    static QColor TextColor(const QLabel* label);
    static void SetTextColor(QLabel* label, const QColor& color);

    QLabel* m_lblHeading;
    QLabel* m_lblDescription;
    QColor m_backColor;
};

} // namespace orv
