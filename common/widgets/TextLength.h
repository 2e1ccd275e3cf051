#pragma once

class QWidget;

namespace amb {

// Makes a text box stop at a length: a line edit, an editable combo box, or a plain or rich text edit
// (which have no length of their own: what goes past the length is dropped as it is typed or pasted).
void LimitLength(QWidget* box, int length);

} // namespace amb
