#pragma once

#include <QRectF>

namespace orv {

// Where the banner's parts go, in twips (1,440 to the inch), as the original control measured them.
struct HeadingLayout {
    QRectF heading;
    QRectF description;
    double whiteLineY = 0; // one pixel above the bottom edge
    double greyLineY = 0;  // two pixels above the bottom edge
};

// The heading's bottom sits at four tenths of the height, indented 240 twips; the description starts
// 4 pixels under it, indented 120 twips further. Widths never go below 0 on a narrow control.
HeadingLayout ComputeHeadingLayout(double widthTwips, double heightTwips, double headingHeightTwips,
                                   double descriptionHeightTwips, double twipsPerPixelY);

} // namespace orv
