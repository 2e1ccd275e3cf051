#pragma once

class QWidget;

namespace amb {

// Qt names a control after its label, and relates the two, only when the label is the control's
// sibling. A control kept in a row of its own (a date picker, a box with buttons beside it) takes
// its label's text as its name here instead, unless a label beside it names it already. Call it
// again after the labels' texts change.
void NameControlsAfterLabels(QWidget* window);

} // namespace amb
