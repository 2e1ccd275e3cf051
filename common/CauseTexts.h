#pragma once

#include "contracts/Enums.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace amb {

// A text told for one cause of a refused database call; each place that tells causes keeps a table.
struct CauseText {
    EnumDatabaseFailure cause;
    int32_t text;
};

// The text `table` gives `cause`, or `otherwise` for a cause it does not name.
template <std::size_t N>
constexpr int32_t TextOfCause(const CauseText (&table)[N], EnumDatabaseFailure cause, int32_t otherwise) {
    for (const CauseText& entry : table)
        if (entry.cause == cause)
            return entry.text;
    return otherwise;
}

} // namespace amb
