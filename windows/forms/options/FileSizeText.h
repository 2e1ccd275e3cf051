#pragma once

#include <QString>
#include <QtGlobal>

namespace amb::windows {

// A file size as the options window shows it: "(1.54 KB)" below 1,000,000 bytes, "(1.00 MB)" from
// there on; decimal units, two decimals, in the default locale's number format. 64-bit, so logs of
// any size show truly.
QString FormatFileSize(qint64 bytes);

} // namespace amb::windows
