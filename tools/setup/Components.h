#pragma once

#include "tools/setup/SetupContext.h"

namespace amb::setup {

inline const QString kComponentsKey = QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel\\Components");

// Registers every component library in the library folder.
bool RegisterComponents(SetupContext& context, QString& error);
// Writes the class names by which the program creates its components.
bool WriteComponentNames(SetupContext& context, QString& error);

} // namespace amb::setup
