#pragma once

#include <QLocale>

namespace amb {

// The locale of the interface's language, for what the platform's own widgets name in words (a
// calendar's months and days). It is kept on the application object, so that every library's copy of
// the widgets reads the same one; the program-wide default locale is left alone, as amounts and dates
// written by the program follow it. Without one set, the default locale.
void SetInterfaceLocale(const QLocale& locale);
void ClearInterfaceLocale();
QLocale InterfaceLocale();

} // namespace amb
