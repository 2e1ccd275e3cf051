#pragma once

#include <QIcon>

namespace amb::ambrel {

// Pictures of the tree and list rows (the tree's image list, images 1 to 6).
enum class TreeImage { Root = 1, Parent, Persons, FamiliesGroups, Expenses, Offerings };
// Pictures of the main toolbar's buttons.
enum class ToolImage { LogInOut, New, Open, Delete, Print, Report, Search };

QIcon TreeIcon(TreeImage image);
QIcon ToolIcon(ToolImage image);
// The program's own picture.
QIcon ProgramIcon();

} // namespace amb::ambrel
