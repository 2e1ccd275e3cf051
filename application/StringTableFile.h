#pragma once

#include "common/ResourceIDs.h"
#include "platform/data/Dictionary.h"

#include <QString>

namespace amb::application {

// A string table holds the ids res::kFirstId to res::kLastId.
// Longest text kept for one id, as the old resource loader's buffer allowed.
inline constexpr int kMaxStringLength = 254;

// Reads a string table file: UTF-8 lines "<id>\t<text>" with the escapes \n, \t and \\; lines
// starting with '#' and blank lines are skipped. Every id from 1 to 358 is a key (its decimal
// text) in ascending order, with "" where the file has no text or cannot be read. Texts longer
// than 254 characters are cut.
// An id the file does not have takes its text from `fallback` when one is given (the English table
// under a translation, so that a text not translated yet shows in English instead of as nothing).
platform::DictionaryPtr LoadStringTable(const QString& path, const platform::Dictionary* fallback = nullptr);

} // namespace amb::application
