#include "common/widgets/ColumnGaps.h"

#include <QHeaderView>
#include <QProxyStyle>
#include <QTreeView>

#include <algorithm>

namespace amb {

namespace {

// Each side of a heading and of a value keeps at least this much room, so two columns' texts are
// never closer than twice that.
constexpr int kHeadingMargin = 6;
// A value's margin is one more than the style's focus frame margin.
constexpr int kValueFrameMargin = 5;

class ColumnGapStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_HeaderMargin)
            return std::max(base, kHeadingMargin);
        if (metric == PM_FocusFrameHMargin)
            return std::max(base, kValueFrameMargin);
        return base;
    }
};

} // namespace

void SpaceColumns(QTreeView* list) {
    // A style of the same kind as the list's own, so nothing but the margins changes.
    auto* style = new ColumnGapStyle(list->style()->name());
    style->setParent(list->parentWidget());
    list->setStyle(style);
    list->header()->setStyle(style);
}

} // namespace amb
