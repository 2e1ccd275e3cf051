#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace test {

// A key pressed with Alt as X11 sends it: the key with the text it would type.
struct AltKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
};

// Alt+Q, Alt+X, Alt+Shift+J and Alt+2: letters and a digit that no window uses.
extern const AltKey kAltKeys[4];

// Presses the key as the platform delivers it, to the window of `control` (or the open drop-down or
// menu), so that the shortcuts are tried before the focused control gets the key.
void PressAltKey(QWidget& control, const AltKey& key);

// Presses every key of kAltKeys in each box that Tab reaches in `window`, on each page of its tab
// controls; returns one line for each box whose text changed or that lost the focus. `boxes` counts
// the boxes tried.
QStringList BoxesChangedByAltKeys(QWidget& window, int& boxes);

} // namespace test
