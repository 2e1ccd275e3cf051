#pragma once

#include <QAction>
#include <QWidget>

#include <cstdint>

namespace amb {

// Selects a text box's text up to its length without surrounding blanks (line edits, plain and rich
// text edits, editable combo boxes); other widgets are left alone.
void SelectAllText(QWidget* box);

// Hidden and disabled (hide true), or shown and enabled.
void HideControl(QWidget* control, bool hide);
void HideControl(QAction* control, bool hide);

// Pixels of the primary screen in twips (1/1440 inch): axis 0 across, 1 down, any other axis 0.
int32_t PixelsToTwips(int32_t pixels, int32_t axis);

} // namespace amb
