#pragma once

#include <cstdint>

namespace amb {

// The kind of entry a batch or offering-or-expense window takes: its BatchType property. Any other
// number makes UpdateForm refuse the window.
namespace BatchKind {
inline constexpr int32_t Offering = 0;
inline constexpr int32_t Expense = 1;
} // namespace BatchKind

// Where the offering-or-expense window saves: its UpdateTarget property.
namespace SaveTarget {
inline constexpr int32_t BatchGrid = 0; // a row of the parent batch window's grid
inline constexpr int32_t Database = 1;
} // namespace SaveTarget

} // namespace amb
