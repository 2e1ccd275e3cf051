#pragma once

#include "platform/registry/Hive.h"

#include <QByteArray>

namespace platform::registry {

// The hive's text file: a signature line, then one "[path]" line per key followed by its values,
// `"name"="text"` or `"name"=dword:0000002a` (`@` is the default value). Texts are UTF-8 with
// backslash escapes for quotes, backslashes and control characters, so every value is one line.
namespace HiveFormat {

QByteArray Serialize(const HiveKey& root, const QString& title);
// False when the text is not a well-formed hive; `root` then holds whatever was read before.
bool Parse(const QByteArray& text, HiveKey& root);
// The same; on failure `badLine` is the number (from 1) of the first line that could not be read.
// Blanks a person types by hand are accepted: around "=", at the ends of a line, blank lines.
bool Parse(const QByteArray& text, HiveKey& root, int& badLine);

} // namespace HiveFormat

} // namespace platform::registry
