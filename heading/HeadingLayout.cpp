#include "heading/HeadingLayout.h"

#include <algorithm>

namespace orv {

namespace {
constexpr double kHeadingLeft = 240;
constexpr double kDescriptionIndent = 120;
constexpr double kGapPixels = 4;
} // namespace

HeadingLayout ComputeHeadingLayout(double widthTwips, double heightTwips, double headingHeightTwips,
                                   double descriptionHeightTwips, double twipsPerPixelY) {
    HeadingLayout layout;
    const double headingTop = heightTwips / 10 * 4 - headingHeightTwips;
    layout.heading = QRectF(kHeadingLeft, headingTop, std::max(0.0, widthTwips - kHeadingLeft), headingHeightTwips);

    const double descriptionLeft = kHeadingLeft + kDescriptionIndent;
    const double descriptionTop = headingTop + headingHeightTwips + kGapPixels * twipsPerPixelY;
    layout.description =
        QRectF(descriptionLeft, descriptionTop, std::max(0.0, widthTwips - descriptionLeft), descriptionHeightTwips);

    layout.whiteLineY = heightTwips - 1 * twipsPerPixelY;
    layout.greyLineY = heightTwips - 2 * twipsPerPixelY;
    return layout;
}

} // namespace orv
