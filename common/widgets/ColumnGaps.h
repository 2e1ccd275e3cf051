#pragma once

class QTreeView;

namespace amb {

// Keeps a visible gap between neighbouring columns of `list`, headings and values alike, where a
// right-aligned column (an amount) meets a left-aligned one. The list must have its parent already:
// the style that makes the gap belongs to that parent, so it outlives the list.
void SpaceColumns(QTreeView* list);

} // namespace amb
