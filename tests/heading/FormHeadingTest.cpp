#include "heading/FormHeading.h"
#include "heading/HeadingLayout.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

namespace {

using orv::FormHeading;

QLabel* Part(FormHeading& heading, const char* name) {
    auto* label = heading.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label;
}

TEST(HeadingLayoutTest, NarrowerThanTheIndentsGivesNoNegativeWidths) {
    const orv::HeadingLayout narrow = orv::ComputeHeadingLayout(200, 1215, 195, 195, 15);
    EXPECT_DOUBLE_EQ(narrow.heading.width(), 0);
    EXPECT_DOUBLE_EQ(narrow.description.width(), 0);
}

TEST(FormHeadingTest, ShowsStoredTextAsPlainTextAndLaysOutAgain) {
    FormHeading heading;
    EXPECT_EQ(heading.Heading(), "Heading");
    EXPECT_TRUE(heading.HeadingFont().bold());
    heading.resize(400, 81);
    heading.show(); // a hidden widget gets its resize event only when shown
    QStringList changed;
    QObject::connect(&heading, &FormHeading::PropertyChanged, [&](const QString& name) { changed << name; });

    // Stored text is never taken for markup, and Korean survives.
    heading.setProperty("Description", "<a href='x'>교인 정보</a>");
    QLabel* lblHeading = Part(heading, "lblHeading");
    QLabel* lblDescription = Part(heading, "lblDescription");
    EXPECT_EQ(lblHeading->textFormat(), Qt::PlainText);
    EXPECT_EQ(lblDescription->textFormat(), Qt::PlainText);
    EXPECT_EQ(lblDescription->text(), "<a href='x'>교인 정보</a>");

    const int bottom = lblHeading->geometry().bottom();
    const int descriptionTop = lblDescription->y();
    EXPECT_NEAR(bottom + 1, 81 * 4 / 10, 1);
    EXPECT_EQ(descriptionTop, bottom + 1 + 4);
    heading.SetHeading("Line one\nLine two");
    EXPECT_GT(lblHeading->height(), lblDescription->height());
    EXPECT_EQ(lblHeading->geometry().bottom(), bottom);
    EXPECT_EQ(lblDescription->y(), descriptionTop);

    heading.SetBackColor(QColor(10, 20, 30));
    heading.SetHeadingColor(Qt::darkBlue);
    EXPECT_EQ(changed, (QStringList{"Description", "Heading", "BackColor", "HeadingColor"}));
    // The background shows the new colour at once, away from the texts and the etched line.
    const QImage image = heading.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(10, 20, 30));
    EXPECT_NE(image.pixelColor(2, image.height() - 2), QColor(10, 20, 30));
}

TEST(FormHeadingTest, StoredDesignRoundTripsAndFallsBack) {
    FormHeading original;
    original.SetHeading("교인");
    original.SetBackColor(QColor(255, 255, 224));
    original.SetHeadingFont(QFont("DejaVu Sans", 14));
    FormHeading restored;
    restored.ReadProperties(original.WriteProperties());
    EXPECT_EQ(restored.Heading(), "교인");
    EXPECT_EQ(restored.BackColor(), QColor(255, 255, 224));
    EXPECT_EQ(restored.HeadingFont().pointSize(), 14);

    // A design without captions or colours: the designed captions, black text, fonts kept.
    FormHeading sparse;
    sparse.SetHeading("changed");
    sparse.SetHeadingColor(Qt::red);
    sparse.ReadProperties({{"BackColor", QColor(Qt::white)}});
    EXPECT_EQ(sparse.Heading(), "Heading");
    EXPECT_EQ(sparse.Description(), "Description");
    EXPECT_EQ(sparse.HeadingColor(), QColor(Qt::black));
    EXPECT_TRUE(sparse.HeadingFont().bold());
}

} // namespace
